#include "engine/ChimeSelector.h"

#include <gtest/gtest.h>

#include <array>

#include "midi/MidiHandle.h"
#include "midi/MidiOut.h"
#include "midi/ports/RecordingPort.h"
#include "music/ChimeNoteSet.h"
#include "platform/VirtualTimeline.h"
#include "support/ModelRig.h"

namespace tinsori {
namespace {

struct SelectorRig : testing_support::ModelRig {
    ScaleTable scales;
    CPink place{random};
    ChimeSelector selector{random, SimulationSettings(settings), scales, shared, place};

    SelectorRig() {
        scales.LoadBuiltIns();
        place.SetRange(-180, 1180, 250);
        selector.Start();
    }
    void setChimes(int n) {
        settings.numChimes = n;
        ComputeChimeNotes(settings, scales);
    }
    std::array<double, 7> injectionShares(int drops) {
        std::array<double, 7> share{};
        for (int i = 0; i < drops; ++i) share[selector.InjectEnergy()] += 1.0 / drops;
        return share;
    }
};

TEST(ChimeSelectorTest, PinknessPlacesInjectedEnergy) {
    SelectorRig rig;
    rig.setChimes(7);
    rig.settings.pinkness = 0.0;
    // "Ends spread apart": the placement generator keeps energy near the middle of the row.
    auto share = rig.injectionShares(200000);
    EXPECT_NEAR(share[3], 0.37, 0.04);
    EXPECT_NEAR(share[2], 0.24, 0.04);
    EXPECT_NEAR(share[4], 0.24, 0.04);
    EXPECT_NEAR(share[1], 0.07, 0.03);
    EXPECT_NEAR(share[5], 0.07, 0.03);
    EXPECT_LT(share[0], 0.01);
    EXPECT_LT(share[6], 0.01);

    // "Circular": uniform along the row.
    rig.settings.pinkness = 1.0;
    share = rig.injectionShares(70000);
    for (double s : share) EXPECT_NEAR(s, 1.0 / 7, 0.015);
}

TEST(ChimeSelectorTest, SettledChordZeroAdmitsOnlyItsDegrees) {
    SelectorRig rig;
    rig.setChimes(10);
    rig.settings.chords = 1;
    rig.settings.scaleIndex = 0;  // a five-note scale
    ASSERT_EQ(rig.scales.NumNotesFor(0), 5);
    // Start-up pulls 5% toward chord 0 from nothing.
    EXPECT_DOUBLE_EQ(rig.selector.chordWeight(0), 0.05);
    EXPECT_DOUBLE_EQ(rig.selector.chordWeight(1), 0.0);

    int inChordZero = 0;
    for (int i = 0; i < 200000 && inChordZero < 40; ++i) {
        rig.selector.ChooseChime(100, 0, 0);
        inChordZero = rig.selector.chordRow() == 0 ? inChordZero + 1 : 0;
    }
    ASSERT_EQ(inChordZero, 40);
    for (int k = 0; k < 10; ++k) {
        int allowed = 0;
        for (int i = 0; i < 2000; ++i) allowed += rig.selector.ChordAllows(k);
        if (k % 5 == 1 || k % 5 == 3) {
            EXPECT_LT(allowed, 200) << "chime " << k;
        } else {
            EXPECT_GT(allowed, 1700) << "chime " << k;
        }
    }
}

TEST(ChimeSelectorTest, SingleChimeIsAlwaysChosenAndKnocksItself) {
    SelectorRig rig;
    rig.setChimes(1);
    for (int cfg : {1, 2, 4, 8}) {
        rig.settings.configuration = cfg;
        for (int i = 0; i < 200; ++i) ASSERT_EQ(rig.selector.ChooseChime(i * 37, 0.3, -0.2), 0);
    }
    RecordingPort port;
    MidiHandle handle;
    handle.open(port.borrow());
    VirtualTimeline timeline;
    MidiOut midi(rig.settings, handle, timeline);
    rig.settings.holdNotes = 0;
    for (int i = 0; i < 20; ++i) rig.selector.KnockNeighbour(0, 50, midi);
    auto messages = port.messages();
    ASSERT_EQ(messages.size(), 40u);
    for (const auto& m : messages) {
        EXPECT_EQ(m.data1(), rig.settings.chimeNotes[0]);
        EXPECT_EQ(m.data2(), 50);
    }
}

TEST(ChimeSelectorTest, ChimeCountShrinkingUnderfootStaysInRange) {
    SelectorRig rig;
    rig.setChimes(77);
    rig.settings.configuration = kChimesOnly;
    RecordingPort port;
    MidiHandle handle;
    handle.open(port.borrow());
    VirtualTimeline timeline;
    MidiOut midi(rig.settings, handle, timeline);
    for (int i = 0; i < 300; ++i) {
        rig.settings.numChimes = 77;
        int pick = rig.selector.ChooseChime(500, 0, 0);
        ASSERT_LT(pick, 77);
        // The UI shrinks the row between the choice and the knock.
        rig.setChimes(1 + i % 3);
        rig.selector.KnockNeighbour(pick, 40, midi);
        rig.selector.StirSusceptibility();
    }
    // Every knock stayed among the three chimes left.
    ASSERT_FALSE(port.messages().empty());
    for (const auto& m : port.messages()) {
        int note = m.data1();
        EXPECT_TRUE(note == rig.settings.chimeNotes[0] || note == rig.settings.chimeNotes[1] ||
                    note == rig.settings.chimeNotes[2])
            << note;
    }
}

TEST(ChimeSelectorTest, SusceptibilitiesWanderInRangeAndOnlyForChimesInUse) {
    SelectorRig rig;
    rig.setChimes(9);
    for (int i = 0; i < 5000; ++i) rig.selector.StirSusceptibility();
    double low = 10, high = 0;
    for (int k = 0; k < 9; ++k) {
        low = std::min(low, rig.selector.susceptibility(k));
        high = std::max(high, rig.selector.susceptibility(k));
    }
    EXPECT_GE(low, 0.05);
    EXPECT_GT(high - low, 0.05);
    for (int k = 9; k < kModelSlots; ++k) EXPECT_EQ(rig.selector.susceptibility(k), 1.0);
}

}  // namespace
}  // namespace tinsori
