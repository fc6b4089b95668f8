#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tinsori {

struct CommandLine;

// What an option takes after it.
enum class OptionValue {
    None,    // a flag
    Text,    // a name or a file, never empty
    Number,  // a plain decimal within the option's range
    EndOfOptions,
};

// One option of the command line: parsing, --help and the man page (help2man reads --help) all
// come from the table of these, so an option is written once.
struct CommandOption {
    const char* name;       // "--gain"
    const char* shortName;  // "-h", or null
    OptionValue value;
    const char* valueName;  // "DB", as the help shows the value; null for a flag
    const char* help;       // the help's lines, '\n' between them
    // Keeps the value (or the flag) in the line; false with one line in `error`.
    bool (*set)(CommandLine& line, std::string_view option, const std::string& value,
                std::string& error);
    // Lines the help adds after `help` that depend on the libraries at hand, or null.
    std::string (*moreHelp)() = nullptr;
};

// Every option, in the help's order.
std::span<const CommandOption> CommandOptions();

// The option of that long or short name, or null.
const CommandOption* FindCommandOption(std::string_view name);

}  // namespace tinsori
