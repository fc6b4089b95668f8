#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tinsori {

// How wide a text is on the front end's line, in the units its width is given in.
using TextWidth = std::function<int(const std::string& text)>;

// The window's bottom line as it is shown.
struct StatusLine {
    std::string shown;  // what fits the line
    std::string full;   // the whole state: the tray's tip, and the line's name for screen readers
    // `shown` leaves something out: the front end offers `full` as the line's tip.
    bool shortened = false;
};

// The line for `texts` (Player::StatusTexts, fullest first) on a line `width` wide. The product's
// name goes first, then the shorter texts are tried in turn; when even the last does not fit it is
// cut at the right with an ellipsis.
StatusLine FitStatusLine(const std::vector<std::string>& texts, int width,
                         const TextWidth& measure);

}  // namespace tinsori
