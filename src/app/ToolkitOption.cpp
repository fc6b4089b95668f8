#include "app/ToolkitOption.h"

#include <algorithm>
#include <array>

namespace tinsori {

namespace {

// Qt's standard options for every application and for widget applications.
constexpr std::array kToolkitOptions = {
    ToolkitOption{"-platform", true},        ToolkitOption{"-platformpluginpath", true},
    ToolkitOption{"-platformtheme", true},   ToolkitOption{"-plugin", true},
    ToolkitOption{"-qwindowgeometry", true}, ToolkitOption{"-qwindowicon", true},
    ToolkitOption{"-qwindowtitle", true},    ToolkitOption{"-reverse", false},
    ToolkitOption{"-session", true},         ToolkitOption{"-display", true},
    ToolkitOption{"-geometry", true},        ToolkitOption{"-style", true},
    ToolkitOption{"-stylesheet", true},      ToolkitOption{"-widgetcount", false},
};

}  // namespace

const ToolkitOption* FindToolkitOption(std::string_view name) {
    const auto option = std::ranges::find_if(
        kToolkitOptions, [name](const ToolkitOption& o) { return name == o.name; });
    return option == kToolkitOptions.end() ? nullptr : &*option;
}

}  // namespace tinsori
