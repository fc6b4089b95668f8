#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "midi/ports/RecordingPort.h"
#include "platform/VirtualTimeline.h"
#include "player/Player.h"
#include "player/SilentView.h"
#include "store/ProfileStore.h"
#include "support/PresetLines.h"
#include "support/TempFolder.h"

namespace tinsori {

using testing_support::kFirstPresetValues;

// Records what the player shows that the tests look at.
class RecordingView : public SilentView {
public:
    RecordingView() : SilentView(sink_) {}
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(caption + "|" + text);
    }
    void SetSlider(PlayerSlider slider, int position) override {
        if (slider == PlayerSlider::Wind) windPositions.push_back(position);
        if (slider == PlayerSlider::Volume) volumePosition = position;
    }
    void SelectChannel(int channel) override { shownChannel = channel; }
    void ShowChimeCount(int count) override { shownChimeCount = count; }
    // What the window shows; the silent view leaves it to the headless player.
    void ShowNoDevice() override { PlayerView::ShowNoDevice(); }

    std::vector<std::string> messages;
    std::vector<int> windPositions;
    int volumePosition = -1;
    int shownChannel = -1;
    int shownChimeCount = -1;

private:
    std::ostringstream sink_;
};

class PlayerTest : public testing::Test {
protected:
    void SetUp() override {
        store_ = ProfileStore::Open((folder_ / "profile.db").string());
        ASSERT_TRUE(store_);
    }
    void TearDown() override { player_.reset(); }

    Player& MakePlayer(bool deviceOpens = true) {
        OutputOpener opener = [this, deviceOpens](std::string* error) -> std::unique_ptr<MidiPort> {
            if (deviceOpens) return recorder_.borrow();
            if (error) *error = "no device here";
            return nullptr;
        };
        player_ = std::make_unique<Player>(timeline_, *store_, opener, view_, 7u);
        return *player_;
    }

    void Run(uint32_t end) {
        timeline_.runUntil(end, 200, [this] { player_->OnWindTimer(); });
    }

    std::vector<RecordedMessage> Sent() const { return recorder_.messages(); }

    int NumOpenApps() { return store_->ReadInt("Current", "NumOpenApps", -99); }

    testing_support::TempFolder folder_;
    std::unique_ptr<ProfileStore> store_;
    VirtualTimeline timeline_;
    RecordingPort recorder_{timeline_};
    RecordingView view_;
    std::unique_ptr<Player> player_;
};

}  // namespace tinsori
