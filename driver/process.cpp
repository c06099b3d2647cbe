#include "driver/process.h"

#include <stdexcept>
#include <utility>

#include "automation/ansi_text.h"

namespace quillow::driver {
namespace {

std::filesystem::path ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

// The top of the build tree is the folder above the running program that holds the build's
// cache, wherever in the tree the program itself was built.
std::filesystem::path BuildRoot() {
    const std::filesystem::path start = ProgramDirectory();
    for (std::filesystem::path folder = start;; folder = folder.parent_path()) {
        std::error_code error;
        if (std::filesystem::exists(folder / "CMakeCache.txt", error)) return folder;
        if (folder == folder.parent_path()) {
            throw std::runtime_error(start.string() + " is not inside a build tree");
        }
    }
}

// Quoting as the C runtime reads it: backslashes are literal except before a quote, where
// each one must be doubled, and a quote inside the argument is escaped.
void AppendQuoted(std::wstring& line, std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        line += argument;
        return;
    }
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');
    line += L'"';
}

}  // namespace

std::filesystem::path BuildTreeProgram(std::string_view relativePath) {
    static const std::filesystem::path root = BuildRoot();
    return (root / relativePath).lexically_normal();
}

std::filesystem::path FreshScratchDirectory(std::string_view name) {
    const std::filesystem::path directory = ProgramDirectory() / "scratch" / name;
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    return directory;
}

Process Process::Start(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) {
    std::wstring line;
    AppendQuoted(line, program.wstring());
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, Utf8ToWide(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        throw std::runtime_error("could not start " + program.string() + ": error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(started.hThread);
    return Process(started.hProcess, started.dwProcessId);
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Terminate();
        if (handle_ != nullptr) CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process() {
    if (handle_ == nullptr) return;
    Terminate();
    CloseHandle(handle_);
}

bool Process::Running() const {
    return handle_ != nullptr && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) const {
    return handle_ != nullptr &&
           WaitForSingleObject(handle_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Process::Terminate() {
    if (!Running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
}

}  // namespace quillow::driver
