// A Windows program of the build tree, started for a test and never left running after it.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quillow::e2e {

class Process {
public:
    // Starts the program with the arguments (UTF-8, each passed as one argument whatever it
    // holds). Throws std::runtime_error when the program cannot be started.
    static Process Start(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments = {});

    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // Ends the program if it is still running.
    ~Process();

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }

    bool Running() const;
    // Waits up to `timeout` for the program to end; true when it has ended.
    bool WaitForExit(std::chrono::milliseconds timeout) const;
    // The program's exit code, once it has ended.
    std::optional<DWORD> ExitCode() const;
    // Ends the program at once (if it still runs) and waits for it to be gone.
    void Terminate();

private:
    Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// One command line from a program and its arguments, quoted so that the C runtime's parsing
// (CommandLineToArgvW) gives the arguments back unchanged.
std::wstring CommandLine(const std::filesystem::path& program,
                         const std::vector<std::string>& arguments);

}  // namespace quillow::e2e
