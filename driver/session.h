// The stand-in client and Quillow beside it, as every end-to-end run begins: the client up, the
// panel up, and (unless the panel came first) its two greetings in the client's record.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "driver/running_panel.h"
#include "driver/standin_client.h"

namespace quillow::driver {

struct SessionOptions {
    std::vector<std::string> client;  // the stand-in's options
    // Quillow started before the client: its greetings go nowhere, and the record holds only
    // what follows.
    bool panelFirst = false;
    std::filesystem::path program = RunningPanel::Program();
    std::chrono::milliseconds panelTimeout = std::chrono::seconds(20);
};

struct Session {
    // Starts both, the client's record in a fresh folder named `name`. Throws
    // std::runtime_error when either does not come up or, the client first, the greetings do
    // not arrive.
    static Session Start(std::string_view name, const SessionOptions& options = {});

    // Declared first so that it goes last: the panel is ended before the client.
    StandinClient client;
    RunningPanel panel;
};

}  // namespace quillow::driver
