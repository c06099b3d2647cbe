#include "tests/windows/support/standin_client.h"

#include <stdexcept>

#include "tests/windows/support/build_tree.h"
#include "tests/windows/support/find_window.h"
#include "tests/windows/support/wait_until.h"

namespace quillow::e2e {

StandinClient StandinClient::Start(std::string_view testName,
                                   const std::vector<std::string>& options) {
    const std::filesystem::path record = FreshScratchDirectory(testName) / "record.tsv";
    std::vector<std::string> arguments = options;
    arguments.push_back("--record");
    arguments.push_back(record.string());
    StandinClient client(Process::Start(StandinProgram(), arguments), record);
    if (client.WaitForEvents("ready", 1, std::chrono::seconds(20)).empty()) {
        throw std::runtime_error("the stand-in client did not get ready");
    }
    return client;
}

HWND StandinClient::MainWindow() const {
    e2e::WindowQuery query;
    query.className = L"AOL Frame25";
    query.processId = process_.Id();
    return FindTopLevelWindow(query);
}

std::vector<RecordEntry> StandinClient::WaitForEvents(std::string_view what, size_t count,
                                                      std::chrono::milliseconds timeout) const {
    std::vector<RecordEntry> events;
    WaitUntil(
        [&] {
            events = EventsOf(Record(), what);
            return events.size() >= count;
        },
        timeout);
    return events;
}

std::vector<std::string> StandinClient::Lines(std::string_view room) const {
    std::vector<std::string> lines;
    for (const RecordEntry& line : EventsOf(Record(), "line")) {
        if (line.where == room) lines.push_back(line.bytes);
    }
    return lines;
}

std::vector<std::string> StandinClient::WaitForLines(size_t count, std::string_view room,
                                                     std::chrono::milliseconds timeout) const {
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            lines = Lines(room);
            return lines.size() >= count;
        },
        timeout);
    return lines;
}

std::string InWindows1252(std::string_view line) {
    std::string bytes;
    for (size_t i = 0; i < line.size(); ++i) {
        const std::string_view rest = line.substr(i);
        if (rest.starts_with("›")) {
            bytes += '\x9B';
            i += 2;
        } else if (rest.starts_with("‹")) {
            bytes += '\x8B';
            i += 2;
        } else {
            bytes += line[i];
        }
    }
    return bytes;
}

}  // namespace quillow::e2e
