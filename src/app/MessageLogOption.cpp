#include "app/MessageLogOption.h"

#include <string>

namespace tinsori {

bool OpenMessageLog(const CommandLine& line, const TickClock& clock,
                    std::unique_ptr<MessageLogWriter>& log, std::ostream& err) {
    if (!line.midiLog) return true;
    std::string error;
    log = MessageLogWriter::open(*line.midiLog, clock, &error);
    if (!log) err << "tinsori: " << error << std::endl;
    return log != nullptr;
}

}  // namespace tinsori
