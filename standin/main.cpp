// standin: a Win32 program that plays the chat client Quillow drives, for the demo and the
// end-to-end tests. Run it with --help for the options.
#include <windows.h>

#include <shellapi.h>

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/client.h"
#include "standin/controls.h"
#include "standin/record.h"

namespace {

constexpr std::string_view kUsage = R"usage(Usage: standin [options]
Plays the chat client's window tree for Quillow: one chat room, "Lobby".
  --documents N              plain documents before the room, 0 to 200
  --hang-input               a room's input box blocks the client for up to 60 s whenever
                             another program sets its text
  --line-delay-ms N          each line takes N ms more to take, as a slow client's does
  --pos X,Y / --size W,H     main window placement
  --record FILE              write what arrives and what the client does to FILE
  --help                     print this text
)usage";

bool ParseInt(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, parsed);
    if (failure != std::errc() || stop != end || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParsePair(std::string_view text, int low, int high, LONG& first, LONG& second) {
    const std::size_t comma = text.find(',');
    int a = 0, b = 0;
    if (comma == std::string_view::npos || !ParseInt(text.substr(0, comma), low, high, a) ||
        !ParseInt(text.substr(comma + 1), low, high, b)) {
        return false;
    }
    first = a;
    second = b;
    return true;
}

// Whether the value of an option that takes one is good.
bool ApplyValue(std::string_view name, const std::string& value, standin::Options& o) {
    if (name == "--documents") return ParseInt(value, 0, 200, o.documents);
    if (name == "--line-delay-ms") return ParseInt(value, 0, 60000, o.lineDelayMs);
    if (name == "--pos") return ParsePair(value, -32000, 32000, o.position.x, o.position.y);
    if (name == "--size") return ParsePair(value, 200, 8000, o.size.cx, o.size.cy);
    if (name == "--record") o.recordPath = value;
    return !value.empty();
}

// `args` are the UTF-8 arguments after the program name, "--name value" or "--name=value".
// Returns what is wrong with them, or nothing.
std::string ParseOptions(const std::vector<std::string>& args, standin::Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        const std::size_t equals = name.find('=');
        if (name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "--help" || name == "-h" || name == "/?") {
            o.help = true;
        } else if (name == "--hang-input") {
            o.hangInput = true;
        } else {
            constexpr std::string_view kValued =
                " --documents --line-delay-ms --pos --size --record ";
            if (kValued.find(" " + name + " ") == std::string_view::npos) {
                return name + ": unknown option";
            }
            if (!value && i + 1 >= args.size()) return name + ": needs a value";
            if (!value) value = args[++i];
            if (!ApplyValue(name, *value, o)) return name + ": bad value \"" + *value + "\"";
        }
    }
    return {};
}

void Print(DWORD stream, std::string_view text) {
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) args.push_back(standin::Narrow(wide[i], CP_UTF8));
    LocalFree(wide);

    standin::Options options;
    const std::string error = ParseOptions(args, options);
    if (!error.empty()) {
        Print(STD_ERROR_HANDLE, "standin: " + error + "\n\n" + std::string(kUsage));
        return 2;
    }
    if (options.help) {
        Print(STD_OUTPUT_HANDLE, kUsage);
        return 0;
    }
    std::string problem;
    if (!options.recordPath.empty() && !standin::OpenRecord(options.recordPath, problem)) {
        Print(STD_ERROR_HANDLE, "standin: " + problem + "\n");
        return 3;
    }
    // Made up front, so a test can set it at any time to end a hang for good.
    const HANDLE release = options.hangInput ? standin::MakeHangReleaseEvent() : nullptr;
    const int code = standin::RunClient(options);
    if (release) CloseHandle(release);
    return code;
}
