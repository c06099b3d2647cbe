#include "standin/record_format.h"

#include <cinttypes>
#include <cstdio>

namespace standin {
namespace {

std::string Field(std::string_view text) {
    std::string field(text);
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

std::string Seconds(double seconds) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.6f", seconds);
    return buffer;
}

}  // namespace

std::string HexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string MessageEntry(double seconds, std::string_view window, std::uint32_t message,
                         std::uint64_t wParam, std::int64_t lParam, std::string_view text) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "0x%04" PRIX32 "\t%" PRIu64 "\t%" PRId64, message,
                  wParam, lParam);
    return "msg\t" + Seconds(seconds) + "\t" + Field(window) + "\t" + numbers + "\t" +
           HexBytes(text) + "\n";
}

std::string EventEntry(double seconds, std::string_view what, std::string_view where,
                       std::string_view bytes) {
    return "evt\t" + Seconds(seconds) + "\t" + Field(what) + "\t" + Field(where) + "\t" +
           HexBytes(bytes) + "\n";
}

}  // namespace standin
