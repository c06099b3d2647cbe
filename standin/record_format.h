// The entries of the client's record file: one line per entry, fields separated by tabs.
//
//   msg <seconds> <window> 0x<message, 4+ hex digits> <wParam> <lParam> <text hex>
//   evt <seconds> <what> <where> <bytes hex>
//
// Seconds have six decimals. Hex is lower case, two digits per byte, nothing between. Tabs and
// line breaks inside a field become spaces, so an entry is always exactly one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

std::string HexBytes(std::string_view bytes);

std::string MessageEntry(double seconds, std::string_view window, std::uint32_t message,
                         std::uint64_t wParam, std::int64_t lParam, std::string_view text);

std::string EventEntry(double seconds, std::string_view what, std::string_view where,
                       std::string_view bytes);

}  // namespace standin
