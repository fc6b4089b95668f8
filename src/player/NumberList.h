#pragma once

#include <string>
#include <vector>

#include "model/SettingsSchema.h"

namespace tinsori {

// A list whose entries are the whole numbers of a setting's range, in order: the Channel list
// ("0" to "15") and the Transpose list ("-12" to "12").
class NumberList {
public:
    constexpr explicit NumberList(const SettingSpec& spec) : spec_(spec) {}

    std::vector<std::string> Entries() const;
    // The entry showing `value`, which is brought into the range first.
    constexpr int IndexOf(int value) const { return spec_.Clamp(value) - spec_.lowest; }
    // The value entry `index` shows (the nearest end for an index outside the list).
    constexpr int ValueAt(int index) const { return spec_.Clamp(spec_.lowest + index); }

private:
    const SettingSpec& spec_;
};

inline constexpr NumberList kChannelList{setting::kChannel};
inline constexpr NumberList kTransposeList{setting::kTranspose};

}  // namespace tinsori
