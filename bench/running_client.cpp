#include "bench/running_client.h"

#include <stdexcept>
#include <thread>
#include <utility>

#include "tests/windows/support/build_tree.h"

namespace quillow::bench {

std::filesystem::path BuildTreeProgram(std::string_view relativePath) {
    return (e2e::TestProgramDirectory() / QUILLOW_BUILD_ROOT_FROM_BENCH / relativePath)
        .lexically_normal();
}

RecordTail::~RecordTail() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

RecordTail::RecordTail(RecordTail&& other) noexcept
    : path_(std::move(other.path_)),
      file_(std::exchange(other.file_, INVALID_HANDLE_VALUE)),
      partial_(std::move(other.partial_)),
      entries_(std::move(other.entries_)),
      lines_(std::move(other.lines_)) {}

std::size_t RecordTail::Update() {
    if (file_ == INVALID_HANDLE_VALUE) {
        // The client may not have made it yet.
        file_ = CreateFileW(path_.wstring().c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return 0;
    }
    char buffer[64 * 1024];
    DWORD read = 0;
    while (ReadFile(file_, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        partial_.append(buffer, read);
    }
    const std::size_t end = partial_.rfind('\n');
    if (end == std::string::npos) return 0;
    // Only whole lines; the rest is still being written.
    const std::vector<e2e::RecordEntry> added =
        e2e::ParseRecord(std::string_view(partial_).substr(0, end + 1));
    partial_.erase(0, end + 1);
    for (const e2e::RecordEntry& entry : added) {
        if (entry.kind == e2e::RecordEntry::Kind::Event && entry.what == "line") {
            lines_.push_back(entry);
        }
        entries_.push_back(entry);
    }
    return added.size();
}

RunningClient RunningClient::Start(std::string_view name, const std::vector<std::string>& options) {
    const std::filesystem::path record = e2e::FreshScratchDirectory(name) / "record.tsv";
    std::vector<std::string> arguments = options;
    arguments.push_back("--record");
    arguments.push_back(record.string());
    RunningClient client(e2e::Process::Start(BuildTreeProgram("standin/standin.exe"), arguments),
                         RecordTail(record));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (;;) {
        client.record_.Update();
        for (const e2e::RecordEntry& entry : client.record_.Entries()) {
            if (entry.kind == e2e::RecordEntry::Kind::Event && entry.what == "ready") return client;
        }
        if (!client.process_.Running() || std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the stand-in client did not get ready");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool RunningClient::WaitForLines(std::size_t count, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        record_.Update();
        if (record_.Lines().size() >= count) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace quillow::bench
