#pragma once

namespace tinsori {

// Makes a write to a pipe whose reader has left (`| head`) fail, reported like any failed write,
// instead of killing the program halfway through: SIGPIPE is ignored on Linux; Windows already
// behaves so.
void LetWritesToClosedPipesFail();

}  // namespace tinsori
