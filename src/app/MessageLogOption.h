#pragma once

#include <memory>
#include <ostream>

#include "app/CommandLine.h"
#include "midi/ports/MessageLogWriter.h"

namespace tinsori {

// --midi-log: the log in `log`, left empty when none was asked for. False, after one line on
// `err`, when the file cannot be opened.
bool OpenMessageLog(const CommandLine& line, const TickClock& clock,
                    std::unique_ptr<MessageLogWriter>& log, std::ostream& err);

}  // namespace tinsori
