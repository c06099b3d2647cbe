#include "demo/tour_options.h"

#include <stdexcept>

#include "automation/ansi_text.h"

namespace quillow::demo {
namespace {

std::invalid_argument Fault(const std::string& what) { return std::invalid_argument(what); }

// Hands out the arguments one by one, with the option they belong to for the messages.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::wstring>& arguments) : arguments_(arguments) {}

    bool Done() const { return next_ >= arguments_.size(); }
    const std::wstring& Next() { return arguments_[next_++]; }

    const std::wstring& ValueOf(const std::wstring& option) {
        if (Done()) throw Fault(WideToUtf8(option) + " needs a value");
        return Next();
    }

private:
    const std::vector<std::wstring>& arguments_;
    size_t next_ = 0;
};

int ParseInt(const std::wstring& text, const std::wstring& option) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        throw Fault(WideToUtf8(option) + ": not a whole number: " + WideToUtf8(text));
    }
    return value;
}

ScreenPoint ParsePoint(const std::wstring& text, const std::wstring& option) {
    const size_t comma = text.find(L',');
    if (comma == std::wstring::npos) throw Fault(WideToUtf8(option) + " wants X,Y");
    return {ParseInt(text.substr(0, comma), option), ParseInt(text.substr(comma + 1), option)};
}

std::vector<std::wstring> SplitCommas(const std::wstring& text) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t comma; (comma = text.find(L',', start)) != std::wstring::npos; start = comma + 1) {
        parts.push_back(text.substr(start, comma - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

void ReadOption(const std::wstring& option, ArgumentReader& reader, TourOptions& options) {
    if (option == L"--record") {
        options.recordFile = reader.ValueOf(option);
    } else if (option == L"--reason") {
        options.reason = reader.ValueOf(option);
    } else if (option == L"--steps") {
        for (std::wstring& step : SplitCommas(reader.ValueOf(option))) {
            options.steps.push_back(std::move(step));
        }
    } else if (option == L"--open-im") {
        const std::wstring recipient = reader.ValueOf(option);
        options.draft = InstantMessageDraft{recipient, reader.ValueOf(option)};
    } else if (option == L"--move-panel") {
        options.panelPlace = ParsePoint(reader.ValueOf(option), option);
    } else if (option == L"--expect-dpi") {
        options.expectedDpi = ParseInt(reader.ValueOf(option), option);
    } else if (option == L"--print-geometry") {
        options.printGeometryOf = reader.ValueOf(option);
        if (*options.printGeometryOf != L"panel" && *options.printGeometryOf != L"client") {
            throw Fault("--print-geometry takes panel or client");
        }
    } else if (option == L"--close") {
        options.close = true;
    } else if (option == L"--help") {
        options.help = true;
    } else {
        throw Fault("unknown option: " + WideToUtf8(option));
    }
}

}  // namespace

const char* const kTourUsage =
    "usage: tour [OPTION...]\n"
    "Works Quillow's panel and the stand-in chat client, both already running, in this order:\n"
    "  --move-panel X,Y        moves the panel's window to X,Y on the screen\n"
    "  --expect-dpi N          fails unless the panel is laid out for N dots per inch\n"
    "  --reason TEXT           types TEXT into the panel's reason box\n"
    "  --steps NAME[,NAME...]  presses panel buttons (start, stop, imon, imoff, adv, con),\n"
    "                          each time waiting until the client has all its lines\n"
    "  --open-im TO MESSAGE    opens an instant-message window in the client and types TO\n"
    "                          and MESSAGE into it, unsent\n"
    "  --print-geometry WHICH  prints the panel's or the client's window as WxH+X+Y\n"
    "  --close                 closes the panel (waiting for its farewell lines), then the\n"
    "                          client; either may already be gone\n"
    "  --record FILE           the stand-in client's record (its --record): needed by\n"
    "                          --steps and --open-im, used by --close\n";

bool TourOptions::UsesClient() const {
    return !steps.empty() || draft || printGeometryOf == L"client";
}

bool TourOptions::UsesPanel() const {
    return panelPlace || expectedDpi || reason || !steps.empty() || printGeometryOf == L"panel";
}

TourOptions ParseTourOptions(const std::vector<std::wstring>& arguments) {
    TourOptions options;
    ArgumentReader reader(arguments);
    while (!reader.Done()) ReadOption(reader.Next(), reader, options);
    if ((!options.steps.empty() || options.draft) && options.recordFile.empty()) {
        throw Fault("--steps and --open-im need --record");
    }
    return options;
}

}  // namespace quillow::demo
