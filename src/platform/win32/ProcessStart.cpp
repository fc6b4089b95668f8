#include "platform/ProcessStart.h"

namespace tinsori {

// A write to a pipe without a reader fails with EPIPE on Windows, and there is no JACK.
void PrepareProcess() {}

}  // namespace tinsori
