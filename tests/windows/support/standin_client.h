// The stand-in chat client, started for one test with a record of what reached it.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/windows/support/process.h"
#include "tests/windows/support/record_file.h"

namespace quillow::e2e {

class StandinClient {
public:
    // Starts the client with its options and waits until all its windows exist. Throws
    // std::runtime_error when it does not get that far.
    static StandinClient Start(std::string_view testName,
                               const std::vector<std::string>& options = {});

    Process& process() { return process_; }
    HWND MainWindow() const;

    std::vector<RecordEntry> Record() const { return ReadRecordFile(record_); }
    // The events of one kind once there are at least `count` of them, or those there are when
    // the time is up.
    std::vector<RecordEntry> WaitForEvents(
        std::string_view what, size_t count,
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // The bytes of every line a room took, in order.
    std::vector<std::string> Lines(std::string_view room = "room1") const;
    std::vector<std::string> WaitForLines(
        size_t count, std::string_view room = "room1",
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    StandinClient(Process process, std::filesystem::path record)
        : process_(std::move(process)), record_(std::move(record)) {}

    Process process_;
    std::filesystem::path record_;
};

// A status line as the client receives it in Windows-1252: the marks "›" and "‹" as the
// single bytes 0x9B and 0x8B. Spelled out here rather than converted by the code under test.
std::string InWindows1252(std::string_view line);

}  // namespace quillow::e2e
