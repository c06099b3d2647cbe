#include "driver/record_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "driver/clock.h"

namespace quillow::driver {
namespace {

constexpr std::chrono::milliseconds kPollInterval{5};

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

template <typename Number>
bool ParseNumber(std::string_view field, Number& value, int base = 10) {
    if (field.empty()) return false;
    const char* end = field.data() + field.size();
    std::from_chars_result parsed;
    if constexpr (std::is_floating_point_v<Number>) {
        parsed = std::from_chars(field.data(), end, value);
    } else {
        parsed = std::from_chars(field.data(), end, value, base);
    }
    return parsed.ec == std::errc() && parsed.ptr == end;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> DecodeHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// One complete line; false when it is not a well-formed entry.
bool ParseLine(std::string_view line, RecordEntry& entry) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() < 2 || !ParseNumber(fields[1], entry.seconds)) return false;
    std::optional<std::string> bytes;
    if (fields[0] == "msg" && fields.size() == 7) {
        entry.kind = RecordEntry::Kind::Message;
        entry.role = fields[2];
        std::string_view message = fields[3];
        if (!message.starts_with("0x") && !message.starts_with("0X")) return false;
        message.remove_prefix(2);
        if (!ParseNumber(message, entry.message, 16) || !ParseNumber(fields[4], entry.wParam) ||
            !ParseNumber(fields[5], entry.lParam)) {
            return false;
        }
        bytes = DecodeHex(fields[6]);
    } else if (fields[0] == "evt" && fields.size() == 5) {
        entry.kind = RecordEntry::Kind::Event;
        entry.what = fields[2];
        entry.where = fields[3];
        bytes = DecodeHex(fields[4]);
    } else {
        return false;
    }
    if (!bytes) return false;
    entry.bytes = std::move(*bytes);
    return true;
}

}  // namespace

RecordFile::~RecordFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : path_(std::move(other.path_)),
      file_(std::exchange(other.file_, INVALID_HANDLE_VALUE)),
      partial_(std::move(other.partial_)),
      entries_(std::move(other.entries_)),
      lines_(std::move(other.lines_)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(file_, other.file_);
    std::swap(partial_, other.partial_);
    std::swap(entries_, other.entries_);
    std::swap(lines_, other.lines_);
    return *this;
}

std::size_t RecordFile::Update() {
    if (file_ == INVALID_HANDLE_VALUE) {
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
    // Whole lines only; the rest is still being written.
    const std::size_t before = entries_.size();
    std::string_view text = partial_;
    for (size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        RecordEntry entry;
        if (!ParseLine(line, entry)) {
            throw std::runtime_error("malformed line in the record: " + std::string(line));
        }
        if (entry.kind == RecordEntry::Kind::Event && entry.what == "line") lines_.push_back(entry);
        entries_.push_back(std::move(entry));
    }
    partial_.erase(0, partial_.size() - text.size());
    return entries_.size() - before;
}

std::vector<RecordEntry> RecordFile::Events(std::string_view what) {
    Update();
    return EventsOf(entries_, what);
}

std::vector<RecordEntry> RecordFile::WaitForEvents(std::string_view what, std::size_t count,
                                                   std::chrono::milliseconds timeout) {
    WaitUntil(
        [&] {
            Update();
            const auto events = std::count_if(entries_.begin(), entries_.end(), [&](const auto& e) {
                return e.kind == RecordEntry::Kind::Event && e.what == what;
            });
            return static_cast<std::size_t>(events) >= count;
        },
        timeout, kPollInterval);
    return EventsOf(entries_, what);
}

std::vector<std::string> RecordFile::WaitForLines(std::size_t count, std::string_view room,
                                                  std::chrono::milliseconds timeout) {
    WaitUntil(
        [&] {
            Update();
            const auto taken = std::count_if(lines_.begin(), lines_.end(),
                                             [&](const auto& line) { return line.where == room; });
            return static_cast<std::size_t>(taken) >= count;
        },
        timeout, kPollInterval);
    std::vector<std::string> lines;
    for (const RecordEntry& line : lines_) {
        if (line.where == room) lines.push_back(line.bytes);
    }
    return lines;
}

std::vector<RecordEntry> MessagesTo(const std::vector<RecordEntry>& entries,
                                    std::string_view role) {
    std::vector<RecordEntry> found;
    for (const RecordEntry& entry : entries) {
        if (entry.kind == RecordEntry::Kind::Message && entry.role == role) found.push_back(entry);
    }
    return found;
}

std::vector<RecordEntry> EventsOf(const std::vector<RecordEntry>& entries, std::string_view what) {
    std::vector<RecordEntry> found;
    for (const RecordEntry& entry : entries) {
        if (entry.kind == RecordEntry::Kind::Event && entry.what == what) found.push_back(entry);
    }
    return found;
}

}  // namespace quillow::driver
