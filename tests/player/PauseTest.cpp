// Pause and Continue, the tray menu's commands and switching the output, on the virtual timeline.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "PlayerTestSupport.h"
#include "midi/ports/ForwardingPort.h"
#include "settings/FavoriteLine.h"

namespace tinsori {
namespace {

class PauseTest : public PlayerTest {
protected:
    // Outputs as the menu lists them: the recorder is the synthesizer, `other_` port B, and
    // port A cannot be opened.
    void OfferOutputs(Player& player) {
        player.SetOutputs({"fluidsynth",
                           [] {
                               return std::vector<OutputListing>{
                                   {"fluidsynth", "Embedded synthesizer"},
                                   PortListing("Port A (128:0)"),
                                   PortListing("Port B (129:0)"),
                                   {"none", "None"}};
                           },
                           [this](const std::string& name, std::string* error) {
                               if (name == "fluidsynth") return recorder_.borrow();
                               if (name == "Port B (129:0)") return other_.borrow();
                               *error = "it is gone";
                               return std::unique_ptr<MidiPort>();
                           }});
    }

    std::vector<MenuEntry> OutputMenu(Player& player) {
        for (MenuEntry& entry : player.TrayMenu())
            if (entry.text == "Output") return entry.submenu;
        return {};
    }

    std::string StoredOutput() {
        std::string output;
        store_->ReadString("Midi", "Output", output, 510);
        return output;
    }

    RecordingPort other_{timeline_};
};

TEST_F(PauseTest, PauseTwiceReleasesAndRetakesTheDeviceWhileTheMusicPlaysOn) {
    Player& player = MakePlayer();
    player.Start("");
    Run(20000);
    EXPECT_EQ(player.pauseButtonText(), "Pause");
    player.OnPauseCommand();
    // Held notes are swept off before the device goes.
    const auto swept = Sent();
    ASSERT_TRUE(swept.back().isNoteOff());
    EXPECT_EQ(swept.back().data1(), 124);
    EXPECT_FALSE(player.handle().isOpen());
    EXPECT_EQ(NumOpenApps(), 0);
    EXPECT_EQ(player.pauseButtonText(), "Continue");
    EXPECT_EQ(player.TrayMenu().back().text, "&Continue");

    const uint64_t strikes = player.strikes();
    Run(80000);
    EXPECT_GT(player.strikes(), strikes);
    EXPECT_EQ(Sent().size(), swept.size());

    player.OnPauseCommand();
    player.AwaitOutput();
    EXPECT_TRUE(player.handle().isOpen());
    EXPECT_EQ(NumOpenApps(), 1);
    EXPECT_EQ(player.pauseButtonText(), "Pause");
    EXPECT_EQ(player.TrayMenu().back().text, "&Pause");
    const auto resumed = Sent();
    ASSERT_EQ(resumed.size(), swept.size() + 2);
    EXPECT_EQ(resumed[swept.size()].kind(), 0xC0);
    EXPECT_EQ(resumed.back().data2(), 80);
    player.ShutDownOnDestroy();
}

TEST_F(PauseTest, PauseButtonBlinksAndKeepsItsPhaseAcrossPauses) {
    Player& player = MakePlayer();
    player.Start("");
    player.OnPauseCommand();
    std::vector<std::string> shown = {player.pauseButtonText()};  // 0 ms, then every 350 ms
    for (int tick = 0; tick < 4; ++tick) {
        player.OnBlinkTimer();
        shown.push_back(player.pauseButtonText());
    }
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Continue", "Continue", "Continue", "", "Continue"}));
    EXPECT_TRUE(player.blinkTimerRunning());
    player.OnWindowSeen(false);
    EXPECT_FALSE(player.blinkTimerRunning());
    player.OnWindowSeen(true);
    player.OnPauseCommand();
    EXPECT_FALSE(player.blinkTimerRunning());
    player.OnPauseCommand();
    EXPECT_EQ(player.pauseButtonText(), "Continue");
    player.OnBlinkTimer();
    EXPECT_EQ(player.pauseButtonText(), "Continue");
    player.OnBlinkTimer();
    EXPECT_EQ(player.pauseButtonText(), "");
    player.ShutDownOnDestroy();
}

// A synthesizer that ends, or a device unplugged, after `sends` messages.
class StoppingPort : public MidiPort {
public:
    explicit StoppingPort(int sends) : left_(sends) {}
    void send(uint32_t) override { left_ > 0 ? --left_ : ++afterStop; }
    std::string describe() const override { return "Synth"; }
    std::string whyStopped() override { return left_ > 0 ? "" : "unplugged"; }
    void PlugIn() { left_ = 1000000; }
    int afterStop = 0;

private:
    int left_;
};

TEST_F(PauseTest, AnOutputThatStopsIsLetGoOnceAndTheMusicPlaysOnUntilContinueFindsItAgain) {
    StoppingPort synth(40);
    player_ = std::make_unique<Player>(
        timeline_, *store_,
        [&synth](std::string*) { return std::make_unique<ForwardingPort>(synth); }, view_, 7u);
    Player& player = *player_;
    player.Start("");
    Run(60000);
    EXPECT_FALSE(player.handle().isOpen());
    ASSERT_TRUE(player.lostOutput());
    EXPECT_EQ(player.lostOutput()->why, "unplugged");
    EXPECT_EQ(player.StatusText(), "No sound: Synth stopped");
    EXPECT_TRUE(view_.messages.empty());
    // Only what was sent before the next wind tick reached the dead port; then nothing.
    const int reached = synth.afterStop;
    const uint64_t strikes = player.strikes();
    Run(120000);
    EXPECT_GT(player.strikes(), strikes);
    EXPECT_EQ(synth.afterStop, reached);
    EXPECT_EQ(NumOpenApps(), 1);

    synth.PlugIn();
    player.OnPauseCommand();
    player.OnPauseCommand();
    player.AwaitOutput();
    Run(130000);
    EXPECT_TRUE(player.handle().isOpen());
    EXPECT_FALSE(player.lostOutput());
    EXPECT_EQ(player.StatusText(), "Synth");
    player.ShutDownOnDestroy();
}

// Key repeat or a script: Continue never waits on an output being opened, and a burst settles
// to the last request, opening at most one other on the way.
TEST_F(PauseTest, ABurstOfPauseAndContinueOpensInTheBackgroundAndSettlesToTheLast) {
    const auto self = std::this_thread::get_id();
    std::atomic<int> opens{0}, opensHere{0};
    std::atomic<bool> release{false};
    player_ = std::make_unique<Player>(
        timeline_, *store_,
        [&](std::string*) {
            ++opens;
            if (std::this_thread::get_id() == self)
                ++opensHere;
            else
                while (!release) std::this_thread::yield();
            return recorder_.borrow();
        },
        view_, 7u);
    Player& player = *player_;
    player.Start("");
    for (int i = 0; i < 100; ++i) player.OnPauseCommand();
    release = true;
    player.AwaitOutput();
    EXPECT_FALSE(player.paused());
    EXPECT_TRUE(player.handle().isOpen());
    EXPECT_EQ(opensHere, 1);  // the start-up's
    EXPECT_LE(opens, 3);
    EXPECT_EQ(NumOpenApps(), 1);
    player.ShutDownOnDestroy();
}

// An output whose sound server went away keeps its place and tries again by itself.
class InterruptedPort : public MidiPort {
public:
    void send(uint32_t) override {}
    std::string describe() const override { return "Synth"; }
    std::string interruption() const override { return gone ? "the sound server went away" : ""; }
    std::atomic<bool> gone{false};
};

TEST_F(PauseTest, ASoundServerThatWentAwayIsShownUntilItAnswersAgain) {
    InterruptedPort synth;
    player_ = std::make_unique<Player>(
        timeline_, *store_,
        [&synth](std::string*) { return std::make_unique<ForwardingPort>(synth); }, view_, 7u);
    Player& player = *player_;
    player.Start("");
    synth.gone = true;
    Run(1000);
    EXPECT_EQ(player.StatusText(), "No sound: the sound server went away; trying again");
    EXPECT_TRUE(player.handle().isOpen());
    synth.gone = false;
    Run(1200);
    EXPECT_EQ(player.StatusText(), "Synth");
    player.ShutDownOnDestroy();
}

TEST_F(PauseTest, PausedCopyLeavesTheDeviceAloneAtExitAndAFailedContinueIsSilent) {
    Player& player = MakePlayer(false);
    player.Start("");
    ASSERT_EQ(view_.messages.size(), 1u);
    player.OnPauseCommand();
    player.OnPauseCommand();
    player.AwaitOutput();
    EXPECT_FALSE(player.paused());
    EXPECT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(NumOpenApps(), 1);
    player.OnPauseCommand();
    // Another copy takes the device meanwhile; this copy's exit must not count itself out again.
    store_->WriteInt("Current", "NumOpenApps", 1);
    player.ShutDownOnDestroy();
    EXPECT_EQ(NumOpenApps(), 1);
}

TEST_F(PauseTest, RecentFavoriteFromTheMenuAppliesAndIsCheckedWhileTheSettingsMatch) {
    Player& player = MakePlayer();
    player.Start("");  // installs the built-in favorites
    std::vector<std::string> names;
    for (int i = 1; i <= 3; ++i) {
        std::string line;
        store_->ReadString("Favorites", "Favorite" + std::to_string(i), line, 2048);
        names.push_back(DisplayFavoriteName(line.substr(0, line.find(','))));
    }
    store_->WriteInt("MRU Favorites", "NumItems", 3);
    for (int i = 0; i < 3; ++i)
        store_->WriteString("MRU Favorites", "Item" + std::to_string(i), &names[i]);

    EXPECT_EQ(player.OnMenuCommand(7778), MenuAction::None);
    const std::string applied = FormatSettingsValues(player.settings(), player.scales());
    std::string stored;
    store_->ReadString("Favorites", "Favorite2", stored, 2048);
    EXPECT_EQ(stored.substr(stored.find(',') + 1), applied);
    auto menu = player.TrayMenu();
    // The applied name moved to the most recent place, checked.
    ASSERT_GE(menu.size(), 5u);
    EXPECT_EQ(menu[4].text, names[1]);
    EXPECT_EQ(menu[4].id, 7779);
    EXPECT_TRUE(menu[4].checked);
    EXPECT_FALSE(menu[2].checked);

    player.OnChimeCountText(std::to_string(player.settings().numChimes + 1));
    EXPECT_FALSE(player.TrayMenu()[4].checked);
    EXPECT_EQ(player.OnMenuCommand(kSettingsCommand), MenuAction::ShowWindow);
    EXPECT_EQ(player.OnMenuCommand(kExitCommand), MenuAction::Exit);
    player.ShutDownOnDestroy();
}

TEST_F(PauseTest, SwitchingTheOutputMovesTheMusicAndIsRemembered) {
    Player& player = MakePlayer();
    OfferOutputs(player);
    player.Start("");
    Run(10000);
    auto outputs = OutputMenu(player);
    ASSERT_EQ(outputs.size(), 4u);
    EXPECT_EQ(outputs[0].text, "Embedded synthesizer");
    EXPECT_TRUE(outputs[0].checked);
    EXPECT_EQ(outputs[3].text, "None");

    player.OnMenuCommand(outputs[2].id);
    const size_t onFirst = Sent().size();
    ASSERT_GE(other_.size(), 2u);
    EXPECT_EQ(other_.messages()[0].kind(), 0xC0);
    EXPECT_EQ(other_.messages()[1].data2(), 80);
    EXPECT_EQ(StoredOutput(), "Port B (129:0)");
    EXPECT_EQ(NumOpenApps(), 1);
    EXPECT_TRUE(OutputMenu(player)[2].checked);
    Run(60000);
    EXPECT_EQ(Sent().size(), onFirst);
    const auto played = other_.messages();
    EXPECT_TRUE(std::any_of(played.begin(), played.end(), [](auto& m) { return m.isNoteOn(); }));

    // A port that will not open leaves the music where it was, with a word why.
    player.OnMenuCommand(OutputMenu(player)[1].id);
    EXPECT_EQ(view_.messages.size(), 1u);
    EXPECT_EQ(StoredOutput(), "Port B (129:0)");
    EXPECT_EQ(player.currentOutput(), "Port B (129:0)");
    EXPECT_TRUE(player.handle().isOpen());
    EXPECT_EQ(NumOpenApps(), 1);

    // Paused, the switch waits for Continue.
    player.OnPauseCommand();
    const size_t beforeSwitch = Sent().size();
    player.OnMenuCommand(OutputMenu(player)[0].id);
    EXPECT_EQ(Sent().size(), beforeSwitch);
    EXPECT_EQ(StoredOutput(), "fluidsynth");
    player.OnPauseCommand();
    player.AwaitOutput();
    EXPECT_EQ(Sent().size(), beforeSwitch + 2);
    player.ShutDownOnDestroy();
    EXPECT_EQ(NumOpenApps(), 0);
}

// The window's menu, and the start-up's message naming what kind of output did not open.
TEST_F(PauseTest, TheWindowMenuOffersOutputSleepAndPauseAndNoSoundSaysWhichKindFailed) {
    Player& player = MakePlayer();
    OfferOutputs(player);
    player.Start("");
    std::vector<std::string> texts;
    for (const MenuEntry& entry : player.WindowMenu()) texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Output", "Sleep", "&Pause"}));
    EXPECT_EQ(player.NoDeviceMessage().caption, "Tinsori: No Sound");
    player.OnMenuCommand(OutputMenu(player)[2].id);
    EXPECT_EQ(player.NoDeviceMessage().caption, "Midi Output Device In Use");
    player.ShutDownOnDestroy();
}

// Media keys ask for a state, not a toggle: asking twice must not continue again.
TEST_F(PauseTest, AskingForThePauseItHasChangesNothing) {
    Player& player = MakePlayer();
    player.Start("");
    player.SetPaused(true);
    player.SetPaused(true);
    EXPECT_TRUE(player.paused());
    player.SetPaused(false);
    EXPECT_FALSE(player.paused());
    player.ShutDownOnDestroy();
}

}  // namespace
}  // namespace tinsori
