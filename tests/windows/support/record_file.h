// The record file the stand-in chat client writes: every message that reached one of its
// windows, and every event it acted on, one entry a line, in the order they happened.
//
//   msg <TAB> seconds <TAB> window role <TAB> message (0x%04X) <TAB> wParam <TAB> lParam <TAB> hex
//   evt <TAB> seconds <TAB> what <TAB> where <TAB> hex
//
// UTF-8 text; wParam and lParam in decimal; hex is the bytes of a text (a WM_SETTEXT's, or the
// line an event is about), possibly empty. `what` is one of line, cleared, imopen, im,
// indicator, ready, quit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillow::e2e {

struct RecordEntry {
    enum class Kind { Message, Event };

    Kind kind = Kind::Event;
    double seconds = 0;
    // A message: the receiving window's role, the message and its parameters.
    std::string role;
    std::uint32_t message = 0;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
    // An event: what happened, and where.
    std::string what;
    std::string where;
    // The text bytes the entry carries, decoded from hex.
    std::string bytes;
};

// The entries of a record's text. A last line without its line end is one still being
// written, and is left out. Throws std::runtime_error, naming the line, at a malformed line.
std::vector<RecordEntry> ParseRecord(std::string_view text);
// The same, read from a file; a file that does not exist yet holds no entries.
std::vector<RecordEntry> ReadRecordFile(const std::filesystem::path& path);

// The bytes spelled by pairs of hex digits (either case); nothing when it is not such a text.
std::optional<std::string> DecodeHex(std::string_view hex);

// The messages that reached the window of the role, and the events of one kind.
std::vector<RecordEntry> MessagesTo(const std::vector<RecordEntry>& entries, std::string_view role);
std::vector<RecordEntry> EventsOf(const std::vector<RecordEntry>& entries, std::string_view what);

}  // namespace quillow::e2e
