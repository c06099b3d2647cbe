#include "tests/windows/support/process.h"

#include <stdexcept>
#include <utility>

#include "automation/ansi_text.h"

namespace quillow::e2e {
namespace {

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

std::wstring CommandLine(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments) {
    std::wstring line;
    AppendQuoted(line, program.wstring());
    for (const std::string& argument : arguments) {
        line += L' ';
        AppendQuoted(line, Utf8ToWide(argument));
    }
    return line;
}

Process Process::Start(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) {
    std::wstring line = CommandLine(program, arguments);
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

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (Running() || handle_ == nullptr || !GetExitCodeProcess(handle_, &code)) {
        return std::nullopt;
    }
    return code;
}

void Process::Terminate() {
    if (!Running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, 10000);
}

}  // namespace quillow::e2e
