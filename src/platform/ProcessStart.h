#pragma once

namespace tinsori {

// Settles what the process needs before any thread runs. On Linux: a write to a pipe whose
// reader has left (`| head`) fails and is reported, instead of SIGPIPE killing the program
// halfway through; and trying JACK never launches a JACK server behind the user's back (the
// environment is not safe to change once other threads may read it). Windows needs neither.
void PrepareProcess();

}  // namespace tinsori
