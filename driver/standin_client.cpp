#include "driver/standin_client.h"

#include <stdexcept>

#include "driver/clock.h"
#include "driver/controls.h"

namespace quillow::driver {

StandinClient StandinClient::Start(std::string_view name, const std::vector<std::string>& options) {
    const std::filesystem::path record = FreshScratchDirectory(name) / "record.tsv";
    std::vector<std::string> arguments = options;
    arguments.push_back("--record");
    arguments.push_back(record.string());
    StandinClient client(Process::Start(BuildTreeProgram("standin/standin.exe"), arguments),
                         RecordFile(record));
    const bool ready = WaitUntil(
        [&] {
            client.record_.Update();
            return !EventsOf(client.record_.Entries(), "ready").empty() ||
                   !client.process_.Running();
        },
        std::chrono::seconds(60));
    if (!ready || !client.process_.Running()) {
        throw std::runtime_error("the stand-in client did not get ready");
    }
    return client;
}

HWND StandinClient::MainWindow() const { return FindTopLevelWindow(L"AOL Frame25", process_.Id()); }

void StandinClient::ReleaseHungInput() const {
    const std::wstring name = L"Local\\QuillowStandIn.Release." + std::to_wstring(process_.Id());
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

}  // namespace quillow::driver
