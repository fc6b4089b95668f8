#include "player/ScrollRequest.h"

namespace tinsori {

SliderRange RangeOf(PlayerSlider slider) {
    switch (slider) {
        case PlayerSlider::Wind:
            return {2, 940};
        case PlayerSlider::Pinkness:
            return {0, 1000};
        case PlayerSlider::Closeness:
            return {100, 3200};
        case PlayerSlider::Length:
            return {650, 2700};
        case PlayerSlider::Volume:
            return {0, 127};
    }
    return {};
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

}  // namespace tinsori
