// Reading the stand-in client's record file.
#include "tests/windows/support/record_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "tests/windows/support/build_tree.h"

namespace quillow::e2e {
namespace {

using Kind = RecordEntry::Kind;

TEST(RecordFile, ReadsAMessageEntry) {
    const auto entries = ParseRecord("msg\t12.500000\tchat input\t0x000C\t0\t0\t3c623e9b20e9\n");

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, Kind::Message);
    EXPECT_DOUBLE_EQ(entries[0].seconds, 12.5);
    EXPECT_EQ(entries[0].role, "chat input");
    EXPECT_EQ(entries[0].message, 0x000Cu);
    EXPECT_EQ(entries[0].wParam, 0u);
    EXPECT_EQ(entries[0].lParam, 0);
    EXPECT_EQ(entries[0].bytes, "<b>\x9B \xE9");
}

TEST(RecordFile, ReadsMessageParametersInFull) {
    const auto entries = ParseRecord(
        "msg\t1.000000\ticon\t0x0101\t32\t-1\t\n"
        "msg\t1.000001\ticon\t0x0201\t18446744073709551615\t9223372036854775807\t\n"
        "msg\t1.000002\tinput\t0x10102\t13\t0\t\n");

    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].message, 0x0101u);
    EXPECT_EQ(entries[0].wParam, 32u);
    EXPECT_EQ(entries[0].lParam, -1);
    EXPECT_EQ(entries[0].bytes, "");
    EXPECT_EQ(entries[1].wParam, 18446744073709551615u);
    EXPECT_EQ(entries[1].lParam, 9223372036854775807);
    EXPECT_EQ(entries[2].message, 0x10102u);
}

TEST(RecordFile, ReadsAnEventEntry) {
    const auto entries = ParseRecord("evt\t3.250000\tline\tLobby\t48c3a9AB\n");

    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].kind, Kind::Event);
    EXPECT_DOUBLE_EQ(entries[0].seconds, 3.25);
    EXPECT_EQ(entries[0].what, "line");
    EXPECT_EQ(entries[0].where, "Lobby");
    EXPECT_EQ(entries[0].bytes, "H\xC3\xA9\xAB");
}

TEST(RecordFile, KeepsTheOrderOfEntriesOfBothKinds) {
    const auto entries = ParseRecord(
        "evt\t0.100000\tready\t\t\n"
        "msg\t0.200000\tinput\t0x000C\t0\t0\t6869\n"
        "msg\t0.300000\tinput\t0x0102\t13\t0\t\n"
        "evt\t0.300000\tline\tLobby\t6869\n");

    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].what, "ready");
    EXPECT_EQ(entries[0].where, "");
    EXPECT_EQ(entries[2].message, 0x0102u);
    EXPECT_EQ(entries[3].what, "line");
    EXPECT_EQ(MessagesTo(entries, "input").size(), 2u);
    EXPECT_EQ(MessagesTo(entries, "transcript").size(), 0u);
    ASSERT_EQ(EventsOf(entries, "line").size(), 1u);
    EXPECT_EQ(EventsOf(entries, "line")[0].bytes, "hi");
}

TEST(RecordFile, LeavesOutALastLineStillBeingWritten) {
    EXPECT_EQ(ParseRecord("evt\t0.100000\tready\t\t\nmsg\t0.2000").size(), 1u);
    EXPECT_EQ(ParseRecord("evt\t0.100000\tready\t\t").size(), 0u);
    EXPECT_EQ(ParseRecord("").size(), 0u);
}

TEST(RecordFile, AcceptsWindowsLineEnds) {
    const auto entries =
        ParseRecord("evt\t1.000000\tquit\t\t\r\nevt\t2.000000\tline\tLobby\t41\r\n");

    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].bytes, "A");
}

TEST(RecordFile, RefusesAMalformedLineAndNamesIt) {
    const auto refuses = [](const char* text) {
        EXPECT_THROW(ParseRecord(text), std::runtime_error) << text;
    };
    refuses("hello\n");
    refuses("msg\t1.0\tinput\t0x000C\t0\t0\n");          // a field missing
    refuses("msg\t1.0\tinput\t0x000C\t0\t0\t41\t42\n");  // one too many
    refuses("msg\t1.0\tinput\t000C\t0\t0\t\n");          // no 0x
    refuses("msg\t1.0\tinput\t0x000C\t-1\t0\t\n");       // wParam is unsigned
    refuses("msg\tsoon\tinput\t0x000C\t0\t0\t\n");
    refuses("evt\t1.0\tline\tLobby\t4\n");  // half a byte
    refuses("evt\t1.0\tline\tLobby\t4g\n");

    try {
        ParseRecord("evt\t1.0\tready\t\t\nevt\t1.0\tline\n");
        FAIL() << "a malformed line was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
}

TEST(RecordFile, ReadsAFileThatIsStillBeingWritten) {
    const auto file = FreshScratchDirectory("record_file") / "record.tsv";
    EXPECT_EQ(ReadRecordFile(file).size(), 0u);  // not there yet

    std::ofstream writer(file, std::ios::binary);
    writer << "evt\t0.500000\tready\t\t\nmsg\t0.6" << std::flush;

    const auto entries = ReadRecordFile(file);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].what, "ready");
}

}  // namespace
}  // namespace quillow::e2e
