#pragma once

namespace tinsori {

// Raises the calling thread a little above normal so that strikes keep close to their planned
// time. Tries a low real-time priority, then a lower nice value for this thread alone; when the
// system refuses both, the thread runs on at normal priority. Returns whether either took.
bool RaiseCurrentThreadPriority();

}  // namespace tinsori
