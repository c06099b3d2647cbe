// Following what the stand-in client did, through its record file.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "tests/windows/support/record_file.h"

namespace quillow::demo {

class ChatRecord {
public:
    explicit ChatRecord(std::filesystem::path file) : file_(std::move(file)) {}

    // The events of one kind (line, im, imopen, ...) recorded so far.
    std::vector<e2e::RecordEntry> Events(std::string_view what) const;

    // Waits up to `timeout` until at least `count` events of the kind are recorded; returns
    // the events of that kind then recorded, which are fewer than `count` when time ran out.
    std::vector<e2e::RecordEntry> WaitForEvents(std::string_view what, size_t count,
                                                std::chrono::milliseconds timeout) const;

private:
    std::filesystem::path file_;
};

}  // namespace quillow::demo
