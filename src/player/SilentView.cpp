#include "player/SilentView.h"

namespace tinsori {

SilentView::SilentView(std::ostream& messages) : messages_(messages) {}

void SilentView::ShowMessage(const std::string& text, const std::string& caption) {
    // A message box's text may hold line breaks; a terminal line should not. A caption that only
    // names the program would repeat the line's own prefix.
    std::string line = caption == "Tinsori" ? text : caption + ": " + text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    messages_ << "tinsori: " << line << std::endl;
}

}  // namespace tinsori
