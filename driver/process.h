// A Windows program of the build tree, started by the driver and never left running after it.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillow::driver {

// A program of the build tree this program belongs to, by its path from the top of the tree
// ("app/quillow.exe", "standin/standin.exe").
std::filesystem::path BuildTreeProgram(std::string_view relativePath);

// An empty folder of the given name for one run's files (a record file, say), made afresh
// beside the running program.
std::filesystem::path FreshScratchDirectory(std::string_view name);

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
    // Ends the program at once (if it still runs) and waits for it to be gone.
    void Terminate();

private:
    Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

}  // namespace quillow::driver
