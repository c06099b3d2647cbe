#include "driver/session.h"

#include <optional>
#include <stdexcept>

namespace quillow::driver {

Session Session::Start(std::string_view name, const SessionOptions& options) {
    std::optional<RunningPanel> panel;
    if (options.panelFirst)
        panel.emplace(RunningPanel::Start(options.panelTimeout, options.program));
    StandinClient client = StandinClient::Start(name, options.client);
    if (!panel) {
        panel.emplace(RunningPanel::Start(options.panelTimeout, options.program));
        if (client.record().WaitForLines(2).size() < 2) {
            throw std::runtime_error("the panel's greetings did not arrive");
        }
    }
    return Session{std::move(client), std::move(*panel)};
}

}  // namespace quillow::driver
