#include "standin/win_text.h"

namespace standin {

std::string WindowTextBytes(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, bytes.data(), length + 1);
    bytes.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return bytes;
}

}  // namespace standin
