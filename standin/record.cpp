#include "standin/record.h"

#include <cinttypes>
#include <cstdio>
#include <deque>
#include <unordered_map>

namespace standin {
namespace {

HANDLE g_file = INVALID_HANDLE_VALUE;
std::unordered_map<HWND, std::string> g_roles;
int g_depth = 0;  // the client's window procedures running on this thread, nested
std::deque<std::function<void()>> g_deferred;

std::string Seconds() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    char text[48];
    std::snprintf(text, sizeof text, "%.6f",
                  static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart));
    return text;
}

// Tabs and line breaks inside a field become spaces, so an entry is always one line.
std::string Field(std::string_view text) {
    std::string field(text);
    for (char& c : field) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return field;
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
    }
    return hex;
}

// One write per entry, unbuffered, so a reader sees it as soon as the call returns.
void Write(const std::string& entry) {
    DWORD written = 0;
    if (g_file != INVALID_HANDLE_VALUE) {
        WriteFile(g_file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
    }
}

}  // namespace

bool OpenRecord(std::string_view path, std::string& error) {
    g_file = CreateFileW(Widen(path, CP_UTF8).c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_file != INVALID_HANDLE_VALUE) return true;
    error = "cannot create the record file \"" + std::string(path) + "\" (error " +
            std::to_string(GetLastError()) + ")";
    return false;
}

void RecordEvent(std::string_view what, std::string_view where, std::string_view bytes) {
    Write("evt\t" + Seconds() + "\t" + Field(what) + "\t" + Field(where) + "\t" + Hex(bytes) +
          "\n");
}

void SetRole(HWND window, std::string role) { g_roles[window] = std::move(role); }

std::string RoleOf(HWND window) {
    const auto found = g_roles.find(window);
    if (found != g_roles.end()) return found->second;
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "hwnd%p", static_cast<void*>(window));
    return fallback;
}

// The text of a WM_SETTEXT is recorded as its bytes; the pointers of WM_SETTEXT and WM_GETTEXT
// mean nothing outside the client, so their lParam is recorded as 0.
MessageScope::MessageScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    : window_(window), message_(message), fromOutside_(g_depth == 0 && InSendMessage()) {
    ++g_depth;
    if (!fromOutside_) return;
    const bool text = message == WM_SETTEXT || message == WM_GETTEXT;
    const char* sent = message == WM_SETTEXT ? reinterpret_cast<const char*>(lParam) : nullptr;
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "0x%04X\t%" PRIu64 "\t%" PRId64, message,
                  static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(text ? 0 : lParam));
    Write("msg\t" + Seconds() + "\t" + Field(RoleOf(window)) + "\t" + numbers + "\t" +
          Hex(sent ? sent : "") + "\n");
}

MessageScope::~MessageScope() {
    if (message_ == WM_NCDESTROY) g_roles.erase(window_);
    // The sender is still waiting: finish what this message set off before it is answered.
    if (fromOutside_) RunDeferred();
    --g_depth;
}

void Defer(std::function<void()> action) { g_deferred.push_back(std::move(action)); }

void RunDeferred() {
    // Messages that the deferred work sends to the client's windows are the client's own.
    ++g_depth;
    // Bounded, in case deferred work keeps deferring more.
    for (int round = 0; round < 8 && !g_deferred.empty(); ++round) {
        std::deque<std::function<void()>> batch;
        batch.swap(g_deferred);
        for (auto& action : batch) action();
    }
    --g_depth;
}

std::wstring Widen(std::string_view text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

// A character with no byte in the code page becomes its default character ('?' in 1252).
std::string Narrow(std::wstring_view text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace standin
