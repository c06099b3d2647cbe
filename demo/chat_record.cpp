#include "demo/chat_record.h"

#include "tests/windows/support/wait_until.h"

namespace quillow::demo {

std::vector<e2e::RecordEntry> ChatRecord::Events(std::string_view what) const {
    return e2e::EventsOf(e2e::ReadRecordFile(file_), what);
}

std::vector<e2e::RecordEntry> ChatRecord::WaitForEvents(std::string_view what, size_t count,
                                                        std::chrono::milliseconds timeout) const {
    std::vector<e2e::RecordEntry> events;
    e2e::WaitUntil([&] { return (events = Events(what)).size() >= count; }, timeout,
                   std::chrono::milliseconds(50));
    return events;
}

}  // namespace quillow::demo
