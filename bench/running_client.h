// The stand-in chat client, started for a measurement, and its record read as it grows.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/support/process.h"
#include "tests/windows/support/record_file.h"

namespace quillow::bench {

// The build tree's programs, found from the running program's own folder.
std::filesystem::path BuildTreeProgram(std::string_view relativePath);

// A record file read a piece at a time: each Update reads only what was appended since the
// last, through one handle kept open, so that watching the record costs next to nothing.
class RecordTail {
public:
    explicit RecordTail(std::filesystem::path path) : path_(std::move(path)) {}
    ~RecordTail();
    RecordTail(RecordTail&& other) noexcept;
    RecordTail(const RecordTail&) = delete;
    RecordTail& operator=(const RecordTail&) = delete;
    RecordTail& operator=(RecordTail&&) = delete;

    // Reads what is new; returns the number of new entries.
    std::size_t Update();
    const std::vector<e2e::RecordEntry>& Entries() const { return entries_; }
    // The lines the rooms took ("line" events), in order.
    const std::vector<e2e::RecordEntry>& Lines() const { return lines_; }

private:
    std::filesystem::path path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string partial_;
    std::vector<e2e::RecordEntry> entries_;
    std::vector<e2e::RecordEntry> lines_;
};

class RunningClient {
public:
    // Starts the stand-in client with the options and a record in a fresh folder named
    // `name`, and waits until all its windows exist. Throws std::runtime_error when it does
    // not get that far.
    static RunningClient Start(std::string_view name, const std::vector<std::string>& options = {});

    e2e::Process& process() { return process_; }
    RecordTail& record() { return record_; }

    // Waits until the rooms have taken `count` lines in all, reading the record every few
    // milliseconds; false when the time ran out first.
    bool WaitForLines(std::size_t count, std::chrono::milliseconds timeout);

private:
    RunningClient(e2e::Process process, RecordTail record)
        : process_(std::move(process)), record_(std::move(record)) {}

    e2e::Process process_;
    RecordTail record_;
};

}  // namespace quillow::bench
