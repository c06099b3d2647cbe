#include "standin/options.h"

#include <charconv>
#include <limits>

namespace standin {
namespace {

constexpr std::string_view kUsage =
    R"usage(Usage: standin [options]

Plays the chat client's window tree for Quillow. Without options: one chat room.

  --rooms N                  chat rooms to open, 0 to 9 (default 1): "Lobby", "Lobby 2", ...
  --documents N              plain document windows before the decoys and rooms, with a
                             few controls but nothing of a chat room's make-up, 0 to 200
  --decoys N                 document windows before the rooms, each lacking one control of
                             a chat room (transcript, drop-down, icon, label in turn), 0 to 20
  --transcript-after-input   put each room's input box before its transcript pane
  --toolbar-icons N          icons on the toolbar, 0 to 30 (default 8); the 5th opens an
                             instant-message window
  --im-icons N               icons in an instant-message window, 0 to 30 (default 12); the
                             10th sends
  --im-open DRAFT            start with an instant-message window open, recipient
                             "someone", message box holding DRAFT
  --hang-input               a room's input box blocks the client for up to 60 s whenever
                             another program sets its text
  --im-delay-ms N            delay before a new instant-message window appears (default 200)
  --swap-room-after-lines N  after the N-th chat line, close that room and open
                             "Lobby (new)" in its place
  --quit-after-lines N       exit after the N-th chat line
  --pos X,Y                  main window position
  --size W,H                 main window size
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

bool ParsePair(std::string_view text, int low, int high, int& first, int& second) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return false;
    return ParseInt(text.substr(0, comma), low, high, first) &&
           ParseInt(text.substr(comma + 1), low, high, second);
}

// Walks the arguments, handing out option names and their values.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    bool Next() {
        if (index_ >= args_.size()) return false;
        const std::string_view arg = args_[index_++];
        const std::size_t equals = arg.find('=');
        if (arg.starts_with("--") && equals != std::string_view::npos) {
            name_ = arg.substr(0, equals);
            inlineValue_ = arg.substr(equals + 1);
        } else {
            name_ = arg;
            inlineValue_.reset();
        }
        return true;
    }

    std::string_view Name() const { return name_; }

    std::optional<std::string_view> Value() {
        if (inlineValue_) return inlineValue_;
        if (index_ >= args_.size()) return std::nullopt;
        return std::string_view(args_[index_++]);
    }

private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    std::string_view name_;
    std::optional<std::string_view> inlineValue_;
};

std::string Problem(std::string_view name, std::string_view what) {
    return std::string(name) + ": " + std::string(what);
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    Options& o = result.options;
    ArgumentReader reader(args);
    while (reader.Next()) {
        const std::string_view name = reader.Name();
        if (name == "--help" || name == "-h" || name == "/?") {
            o.help = true;
            continue;
        }
        if (name == "--transcript-after-input") {
            o.transcriptAfterInput = true;
            continue;
        }
        if (name == "--hang-input") {
            o.hangInput = true;
            continue;
        }

        const bool known = name == "--rooms" || name == "--documents" || name == "--decoys" ||
                           name == "--toolbar-icons" || name == "--im-icons" ||
                           name == "--im-open" || name == "--im-delay-ms" ||
                           name == "--swap-room-after-lines" || name == "--quit-after-lines" ||
                           name == "--pos" || name == "--size" || name == "--record";
        if (!known) {
            result.error = Problem(name, "unknown option");
            return result;
        }
        const std::optional<std::string_view> value = reader.Value();
        if (!value) {
            result.error = Problem(name, "needs a value");
            return result;
        }

        bool good = true;
        int number = 0;
        if (name == "--rooms") {
            good = ParseInt(*value, 0, 9, o.rooms);
        } else if (name == "--documents") {
            good = ParseInt(*value, 0, 200, o.documents);
        } else if (name == "--decoys") {
            good = ParseInt(*value, 0, 20, o.decoys);
        } else if (name == "--toolbar-icons") {
            good = ParseInt(*value, 0, 30, o.toolbarIcons);
        } else if (name == "--im-icons") {
            good = ParseInt(*value, 0, 30, o.imIcons);
        } else if (name == "--im-open") {
            o.imOpenDraft = std::string(*value);
        } else if (name == "--im-delay-ms") {
            good = ParseInt(*value, 0, std::numeric_limits<int>::max(), number);
            o.imDelayMs = static_cast<unsigned>(number);
        } else if (name == "--swap-room-after-lines") {
            good = ParseInt(*value, 1, std::numeric_limits<int>::max(), number);
            o.swapRoomAfterLines = number;
        } else if (name == "--quit-after-lines") {
            good = ParseInt(*value, 1, std::numeric_limits<int>::max(), number);
            o.quitAfterLines = number;
        } else if (name == "--pos") {
            Point p;
            good = ParsePair(*value, -32000, 32000, p.x, p.y);
            o.position = p;
        } else if (name == "--size") {
            Extent e;
            good = ParsePair(*value, 200, 8000, e.width, e.height);
            o.size = e;
        } else if (name == "--record") {
            o.recordPath = std::string(*value);
            good = !o.recordPath.empty();
        }
        if (!good) {
            result.error = Problem(name, "bad value \"" + std::string(*value) + "\"");
            return result;
        }
    }
    return result;
}

std::string_view UsageText() { return kUsage; }

}  // namespace standin
