#include "tests/windows/support/record_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace quillow::e2e {
namespace {

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

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::string> DecodeHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::vector<RecordEntry> ParseRecord(std::string_view text) {
    std::vector<RecordEntry> entries;
    int number = 0;
    for (size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
        ++number;
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        RecordEntry entry;
        if (!ParseLine(line, entry)) {
            throw std::runtime_error("record line " + std::to_string(number) +
                                     " is malformed: " + std::string(line));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<RecordEntry> ReadRecordFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return ParseRecord(text);
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

}  // namespace quillow::e2e
