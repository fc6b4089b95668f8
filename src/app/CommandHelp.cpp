#include <sstream>

#include "app/CommandLine.h"
#include "app/CommandOption.h"

// The help, from the options' table.

namespace tinsori {

namespace {

constexpr size_t kHelpColumn = 27;

std::string OptionColumn(const CommandOption& option) {
    std::string text = "  ";
    if (option.shortName) text += std::string(option.shortName) + ", ";
    text += option.name;
    if (option.valueName) text += std::string(" ") + option.valueName;
    return text + std::string(text.size() < kHelpColumn ? kHelpColumn - text.size() : 1, ' ');
}

void WriteOption(std::ostream& text, const CommandOption& option) {
    std::istringstream lines(std::string(option.help) + (option.moreHelp ? option.moreHelp() : ""));
    std::string line;
    std::string column = OptionColumn(option);
    while (std::getline(lines, line)) {
        text << column << line << "\n";
        column = std::string(kHelpColumn, ' ');
    }
}

}  // namespace

std::string CommandLine::HelpText(const std::string& profilePath, const std::string& soundfont) {
    std::ostringstream text;
    text << "Usage: tinsori [OPTIONS] [--] [Settings,<favorite values>]\n"
            "Plays an endless piece of wind-chime music.\n\n";
    for (const CommandOption& option : CommandOptions()) WriteOption(text, option);
    text << "\nOther words must form one Settings,... line (it plays those values); anything\n"
            "else is a mistake. A mistake prints one line and exits with status 2 without\n"
            "changing the profile. With the window, Qt's own options (-style, -platform,\n"
            "-display, ...) go to Qt.\n\n"
         << "Profile:   " << profilePath << "\n"
         << "Soundfont: " << (soundfont.empty() ? "none found" : soundfont) << "\n";
    return text.str();
}

}  // namespace tinsori
