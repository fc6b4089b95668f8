#include "player/ScrollRequest.h"

#include <algorithm>

namespace tinsori {

const SettingSpec& SettingOf(PlayerSlider slider) {
    switch (slider) {
        case PlayerSlider::Wind:
            return setting::kWind;
        case PlayerSlider::Pinkness:
            return setting::kPinkness;
        case PlayerSlider::Closeness:
            return setting::kCloseness;
        case PlayerSlider::Length:
            return setting::kLength;
        case PlayerSlider::Volume:
            break;
    }
    return setting::kVolume;
}

SliderRange RangeOf(PlayerSlider slider) {
    const SettingSpec& spec = SettingOf(slider);
    return {spec.lowest, spec.highest};
}

ScrollRequest RequestOfKey(ScrollKey key) {
    switch (key) {
        case ScrollKey::Left:
        case ScrollKey::Up:
            return ScrollRequest::LineBack;
        case ScrollKey::Right:
        case ScrollKey::Down:
            return ScrollRequest::LineForward;
        case ScrollKey::PageUp:
            return ScrollRequest::PageBack;
        case ScrollKey::PageDown:
            return ScrollRequest::PageForward;
        case ScrollKey::Home:
            return ScrollRequest::Top;
        case ScrollKey::End:
            break;
    }
    return ScrollRequest::Bottom;
}

bool SliderEnabled(PlayerSlider slider, int configuration) {
    return slider != PlayerSlider::Length || configuration == kCenterPendulum;
}

int ScrollTarget(ScrollRequest request, int current, int carried) {
    switch (request) {
        case ScrollRequest::LineBack:
            return current - kScrollLine;
        case ScrollRequest::LineForward:
            return current + kScrollLine;
        case ScrollRequest::PageBack:
            return current - kScrollPage;
        case ScrollRequest::PageForward:
            return current + kScrollPage;
        case ScrollRequest::ThumbPosition:
        case ScrollRequest::ThumbTrack:
            return carried;
        case ScrollRequest::EndScroll:
        case ScrollRequest::Top:
        case ScrollRequest::Bottom:
            return current;
    }
    return current;
}

int ScrollPosition(PlayerSlider slider, ScrollRequest request, int current, int carried) {
    const SliderRange range = RangeOf(slider);
    return std::clamp(ScrollTarget(request, current, carried), range.minimum, range.maximum);
}

}  // namespace tinsori
