#pragma once

#include <string_view>

namespace tinsori {

// An option the window's toolkit (Qt) reads itself, such as "-style fusion": passed on to it
// when the window runs.
struct ToolkitOption {
    const char* name;  // "-style"
    bool takesValue;
};

// The toolkit's option of that name, or null.
const ToolkitOption* FindToolkitOption(std::string_view name);

}  // namespace tinsori
