// standin: a Win32 program that plays the chat client Quillow drives, for the demo and the
// end-to-end tests. See UsageText() in options.cpp (or run with --help) for the options.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "standin/client.h"
#include "standin/options.h"
#include "standin/record.h"
#include "standin/system_superclasses.h"
#include "standin/win_text.h"

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) args.push_back(standin::WideToUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

void Print(DWORD stream, std::string_view text) {
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const standin::ParsedOptions parsed = standin::ParseOptions(Arguments());
    if (!parsed.error.empty()) {
        Print(STD_ERROR_HANDLE, "standin: " + parsed.error + "\n\n");
        Print(STD_ERROR_HANDLE, standin::UsageText());
        return 2;
    }
    const standin::Options& options = parsed.options;
    if (options.help) {
        Print(STD_OUTPUT_HANDLE, standin::UsageText());
        return 0;
    }
    if (!options.recordPath.empty()) {
        std::string problem;
        if (!standin::OpenRecord(options.recordPath, problem)) {
            Print(STD_ERROR_HANDLE, "standin: " + problem + "\n");
            return 3;
        }
    }
    // Made up front, so a test can set it at any time to end a hang for good.
    const HANDLE release = options.hangInput
                               ? CreateEventA(nullptr, TRUE, FALSE, standin::HangReleaseEventName())
                               : nullptr;

    standin::Client client(options);
    const int code = client.Start(instance) ? client.Run() : 1;
    if (release) CloseHandle(release);
    return code;
}
