// The stand-in chat client, started from the build tree with a record of what reached it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "driver/process.h"
#include "driver/record_file.h"

namespace quillow::driver {

class StandinClient {
public:
    // Starts the client with its options and a record in a fresh folder named `name`, and
    // waits until all its windows exist. Throws std::runtime_error when it does not get that far.
    static StandinClient Start(std::string_view name, const std::vector<std::string>& options = {});

    Process& process() { return process_; }
    RecordFile& record() { return record_; }
    HWND MainWindow() const;

    // Lets a client started with --hang-input go on answering, for good.
    void ReleaseHungInput() const;

private:
    StandinClient(Process process, RecordFile record)
        : process_(std::move(process)), record_(std::move(record)) {}

    Process process_;
    RecordFile record_;
};

}  // namespace quillow::driver
