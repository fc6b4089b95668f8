#include "platform/ClosedPipes.h"

#include <csignal>

namespace tinsori {

void LetWritesToClosedPipesFail() {
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace tinsori
