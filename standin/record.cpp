#include "standin/record.h"

#include "standin/record_format.h"
#include "standin/win_text.h"

namespace standin {
namespace {

HANDLE g_file = INVALID_HANDLE_VALUE;

double Now() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart / frequency) +
           static_cast<double>(count.QuadPart % frequency) / static_cast<double>(frequency);
}

void Write(const std::string& entry) {
    DWORD written = 0;
    WriteFile(g_file, entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
}

// Wine's own translation of a Unix path into a DOS one, when running under Wine.
std::wstring WinePath(std::string_view unixPath) {
    using Translate = WCHAR*(CDECL*)(LPCSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "wine_get_dos_file_name") : nullptr;
    if (found == nullptr) return {};
    // Through void(*)() so the compiler accepts the change of signature.
    const auto translate = reinterpret_cast<Translate>(reinterpret_cast<void (*)()>(found));
    WCHAR* dos = translate(std::string(unixPath).c_str());
    if (dos == nullptr) return {};
    std::wstring path(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

}  // namespace

bool OpenRecord(std::string_view path, std::string& error) {
    std::wstring filename = path.starts_with('/') ? WinePath(path) : std::wstring();
    if (filename.empty()) filename = Utf8ToWide(path);
    g_file = CreateFileW(filename.c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_file == INVALID_HANDLE_VALUE) {
        error = "cannot create the record file \"" + std::string(path) + "\" (error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

void RecordMessage(std::string_view window, UINT message, WPARAM wParam, LPARAM lParam,
                   std::string_view text) {
    if (g_file == INVALID_HANDLE_VALUE) return;
    Write(MessageEntry(Now(), window, message, wParam, lParam, text));
}

void RecordEvent(std::string_view what, std::string_view where, std::string_view bytes) {
    if (g_file == INVALID_HANDLE_VALUE) return;
    Write(EventEntry(Now(), what, where, bytes));
}

}  // namespace standin
