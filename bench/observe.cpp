#include "bench/observe.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace quillow::bench {
namespace {

double Seconds(const FILETIME& time) {
    const ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
    return static_cast<double>(value.QuadPart) / 1e7;
}

// One entry of the GDI handle table, as Windows lays it out for 64-bit processes and Wine
// copies it.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;  // bit 7: a stock object, shared by every program
    std::uint8_t type;     // 0: a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiSharedHandleTable = 0xF8;  // its offset in a 64-bit PEB
constexpr std::uint16_t kStockObject = 0x80;

std::optional<long> CountGdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  &length) != 0) {
        return std::nullopt;
    }
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(
            process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiSharedHandleTable,
            &table, sizeof table, &read) ||
        table == 0) {
        return std::nullopt;
    }
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &read)) {
        return std::nullopt;
    }
    return static_cast<long>(std::count_if(entries.begin(), entries.end(), [](const auto& e) {
        return e.type != 0 && (e.unique & kStockObject) == 0;
    }));
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
    ++reinterpret_cast<WindowCount*>(context)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != windows->processId) return TRUE;
    ++windows->count;
    EnumChildWindows(window, CountChild, context);  // all descendants
    return TRUE;
}

long CountWindows(DWORD processId) {
    WindowCount windows{processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

}  // namespace

double ProcessCpuSeconds(DWORD processId) {
    double total = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const HANDLE thread =
            OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) continue;
        FILETIME created, exited, kernel, user;
        if (GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
            total += Seconds(kernel) + Seconds(user);
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total;
}

// Under Wine a file is opened by the server process, so /proc/self there is the server's own
// entry; its counters are in clock ticks of 1/100 s (fields 14 and 15: user and system time).
std::optional<double> WineserverCpuSeconds() {
    std::ifstream file("Z:\\proc\\self\\stat", std::ios::binary);
    if (!file) return std::nullopt;
    const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::size_t open = stat.find('(');
    const std::size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos ||
        stat.compare(open + 1, 10, "wineserver") != 0) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    // After the name: state is field 3, user time field 14, system time field 15.
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14) user = std::stoull(field);
        if (number == 15) system = std::stoull(field);
    }
    constexpr double kTicksPerSecond = 100;
    return static_cast<double>(user + system) / kTicksPerSecond;
}

std::optional<Memory> MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
        return std::nullopt;
    }
    // The commit charge: what Windows calls private bytes (Wine fills in only this one of
    // the two fields that hold it).
    return Memory{counters.WorkingSetSize, counters.PagefileUsage};
}

GuiObjects GuiObjectsOf(HANDLE process, DWORD processId) {
    GuiObjects objects;
    objects.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    objects.gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    if (objects.user != 0 || objects.gdi != 0) {
        objects.how = "GetGuiResources";
        return objects;
    }
    objects.user = CountWindows(processId);
    objects.gdi = CountGdiObjects(process).value_or(-1);
    objects.how = "windows; GDI handle table";
    return objects;
}

}  // namespace quillow::bench
