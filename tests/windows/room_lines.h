// Lines as the room receives them.
#pragma once

#include <string>
#include <string_view>

namespace quillow::driver {

// A status line as the client receives it in Windows-1252: the marks "›" and "‹" as the
// single bytes 0x9B and 0x8B. Spelled out here rather than converted by the code under test.
inline std::string InWindows1252(std::string_view line) {
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

}  // namespace quillow::driver
