#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "MidiTestSupport.h"
#include "midi/MidiOut.h"
#include "midi/ports/MessageLogWriter.h"
#include "midi/ports/SmfWriter.h"
#include "support/ReadFile.h"
#include "support/TempFolder.h"

namespace tinsori {
namespace {

namespace fs = std::filesystem;

TEST(MessageLogWriterTest, LinesCarryTickHexStatusAndDecimalData) {
    EXPECT_EQ(MessageLogWriter::formatLine(1234, PackShortMessage(0x90, 52, 35)), "1234 90 52 35");
    EXPECT_EQ(MessageLogWriter::formatLine(0, PackShortMessage(0xCA, 14, 0)), "0 CA 14 0");
    EXPECT_EQ(MessageLogWriter::formatLine(4294967295u, PackShortMessage(0x8F, 124, 120)),
              "4294967295 8F 124 120");

    test::ManualClock clock;
    std::ostringstream out;
    MessageLogWriter log(out, clock);
    log.send(PackShortMessage(0xB0, 7, 80));
    clock.advance(81);
    log.send(PackShortMessage(0x90, 52, 35));
    EXPECT_TRUE(log.finish(81, nullptr));
    log.send(PackShortMessage(0x80, 52, 35));  // after finish: dropped
    EXPECT_EQ(out.str(), "0 B0 7 80\n81 90 52 35\n");
}

TEST(MessageLogWriterTest, AppendsToAnExistingFileAndReportsUnwritablePaths) {
    testing_support::TempFolder dir;
    test::ManualClock clock;
    std::string error;
    for (int run = 0; run < 2; ++run) {
        auto log = MessageLogWriter::open((dir / "log.txt").string(), clock, &error);
        ASSERT_TRUE(log) << error;
        log->send(PackShortMessage(0x90, 60 + run, 1));
    }
    EXPECT_EQ(testing_support::ReadFile(dir / "log.txt"), "0 90 60 1\n0 90 61 1\n");

    EXPECT_FALSE(MessageLogWriter::open((dir / "no/such/dir/log.txt").string(), clock, &error));
    EXPECT_NE(error.find("no/such/dir/log.txt"), std::string::npos);
}

std::vector<uint8_t> header() {
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0xE8, 'M', 'T', 'r', 'k'};
}

TEST(SmfWriterTest, TypeZeroFileWithMillisecondDeltasAndEndOfTrack) {
    test::ManualClock clock;
    SmfWriter smf(clock);
    smf.send(PackShortMessage(0xC0, 14, 0));  // program change: one data byte
    clock.set(81);
    smf.send(PackShortMessage(0x90, 52, 35));
    clock.set(81 + 200);  // 200 needs two bytes of variable length
    smf.send(PackShortMessage(0x80, 52, 35));

    std::vector<uint8_t> expected = header();
    const std::vector<uint8_t> track = {
        0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  // tempo 1,000,000 us per quarter
        0x00, 0xC0, 14,                            //
        81,   0x90, 52,   35,                      //
        0x81, 0x48, 0x80, 52,   35,                // delta 200
        0x83, 0x60, 0xFF, 0x2F, 0x00,              // end of track 480 ticks later
    };
    expected.insert(expected.end(), {0, 0, 0, static_cast<uint8_t>(track.size())});
    expected.insert(expected.end(), track.begin(), track.end());
    EXPECT_EQ(smf.bytes(761), expected);
}

TEST(SmfWriterTest, DropsNonChannelMessagesAndMasksDataBytes) {
    test::ManualClock clock;
    SmfWriter smf(clock);
    smf.send(0x00003C10);  // no status bit
    smf.send(0x000000F0);  // system exclusive start
    clock.set(5);
    smf.send(PackShortMessage(0x90, 0xBC, 0xFF));
    const auto bytes = smf.bytes(0);
    const std::vector<uint8_t> tail = {5, 0x90, 0x3C, 0x7F, 0x00, 0xFF, 0x2F, 0x00};
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - tail.size()));
    EXPECT_EQ(bytes.size(), header().size() + 4 + 7 + tail.size());
}

TEST(SmfWriterTest, IdenticalInputGivesIdenticalFiles) {
    testing_support::TempFolder dir;
    auto render = [&](const std::string& name) {
        test::ManualClock clock;
        std::string error;
        auto smf = SmfWriter::create(clock, (dir / name).string(), &error);
        EXPECT_TRUE(smf) << error;
        for (int i = 0; i < 500; ++i) {
            clock.advance(static_cast<uint32_t>(i * 37 % 1000));
            smf->send(PackShortMessage(0x90 | (i % 16), 12 + i % 113, i % 128));
        }
        EXPECT_TRUE(smf->finish(clock.now() + 1000, &error)) << error;
        return testing_support::ReadFile(dir / name);
    };
    const std::string first = render("a.mid");
    EXPECT_GT(first.size(), 500u * 3);
    EXPECT_EQ(first, render("b.mid"));
}

TEST(SmfWriterTest, UnwritablePathFailsAtCreation) {
    test::ManualClock clock;
    std::string error;
    EXPECT_FALSE(SmfWriter::create(clock, "/nonexistent-dir/out.mid", &error));
    EXPECT_NE(error.find("/nonexistent-dir/out.mid"), std::string::npos);
}

}  // namespace
}  // namespace tinsori
