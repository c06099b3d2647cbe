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

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillow::driver {

struct RecordEntry {
    enum class Kind { Message, Event };

    Kind kind = Kind::Event;
    double seconds = 0;  // on the performance counter (CounterSeconds)
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

// A record file read as it grows: each Update reads only what was appended since the last,
// through one handle kept open, so that watching the record costs next to nothing. The waits
// read it every few milliseconds.
class RecordFile {
public:
    explicit RecordFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~RecordFile();
    RecordFile(RecordFile&& other) noexcept;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile& operator=(RecordFile&& other) noexcept;

    // Reads the whole lines that are new (a file not made yet holds none); returns the number
    // of new entries. Throws std::runtime_error, naming the line, at a malformed one.
    std::size_t Update();
    const std::vector<RecordEntry>& Entries() const { return entries_; }
    // The lines the rooms took ("line" events), in order.
    const std::vector<RecordEntry>& Lines() const { return lines_; }

    // Reads what is new, then the events of one kind so far.
    std::vector<RecordEntry> Events(std::string_view what);
    // The events of one kind once there are at least `count` of them, or those there are when
    // the time is up.
    std::vector<RecordEntry> WaitForEvents(
        std::string_view what, std::size_t count,
        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The bytes of every line the room took, once there are at least `count`, or those there
    // are when the time is up.
    std::vector<std::string> WaitForLines(
        std::size_t count, std::string_view room = "room1",
        std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    std::filesystem::path path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string partial_;
    std::vector<RecordEntry> entries_;
    std::vector<RecordEntry> lines_;
};

// The messages that reached the window of the role, and the events of one kind.
std::vector<RecordEntry> MessagesTo(const std::vector<RecordEntry>& entries, std::string_view role);
std::vector<RecordEntry> EventsOf(const std::vector<RecordEntry>& entries, std::string_view what);

}  // namespace quillow::driver
