#include "platform/ClosedPipes.h"

namespace tinsori {

// A write to a pipe without a reader fails with EPIPE on Windows; there is no signal to ignore.
void LetWritesToClosedPipesFail() {}

}  // namespace tinsori
