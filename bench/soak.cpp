// The soak: quillow.exe beside the stand-in client for a long while (ten minutes by default),
// clicked at random in bursts of up to twenty a second on every button but "Exit", with the
// reason edited now and then and the timer ticking by itself once a minute.
//
//     quillow_soak [--minutes N] [--seed N]
//
// Every minute, and at the end, it checks that the program is alive and answers, and takes its
// working set, private bytes and USER and GDI object counts. At the end it checks from the
// client's record that every click had its effect, once, in click order, that each two-line
// command's second line followed its first, that every reason posted is one that was typed,
// and that closing the panel still says farewell. Prints the series and a summary; exits
// non-zero when a check fails.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "automation/ansi_text.h"
#include "bench/observe.h"
#include "panel/status_lines.h"
#include "driver/controls.h"
#include "driver/clock.h"
#include "driver/running_panel.h"
#include "driver/standin_client.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;
using driver::CounterSeconds;
using driver::RecordEntry;
using driver::RecordFile;
using driver::RunningPanel;
using driver::StandinClient;

// Every button but "Exit".
const std::vector<int> kButtons = {
    driver::kStartButton,     driver::kStopButton, driver::kImOnButton, driver::kImOffButton,
    driver::kClearChatButton, driver::kAdvButton,  driver::kConButton};
constexpr int kLongestBurst = 20;   // clicks within one second
constexpr auto kAnswerBound = 5s;   // a sent message must be answered within this
constexpr auto kDrainBound = 180s;  // for the clicks still queued at the end to be handled

// Reasons typed now and then: plain, markup, characters in the code page and outside it, empty.
const std::vector<std::wstring> kReasons = {
    L"lunch",
    L"",
    L"<b>brb</b> & back soon",
    L"caf\u00E9 \u2013 \u20AC2",
    L"\u2192 \u65E5\u672C",
    L"  spaces  around  ",
    L"phone call, 5 min",
};
const std::wstring kInitialReason = L"Put your reason ";

struct Sample {
    double minute = 0;
    std::size_t clicks = 0;
    std::size_t lines = 0;
    std::optional<double> answerMs;
    std::optional<Memory> memory;
    GuiObjects objects;
};

class Checks {
public:
    void Expect(bool good, const std::string& what) {
        std::printf("  %-6s %s\n", good ? "ok" : "FAILED", what.c_str());
        failed_ = failed_ || !good;
    }
    bool Failed() const { return failed_; }

private:
    bool failed_ = false;
};

std::string AnsiBytes(const std::wstring& text) { return Utf8ToAnsi(WideToUtf8(text)); }

std::string FirstLineOf(int button) {
    switch (button) {
        case driver::kStartButton: return Utf8ToAnsi(lines::kWentIdle);
        case driver::kStopButton: return Utf8ToAnsi(lines::kCameBack);
        case driver::kImOnButton: return Utf8ToAnsi(lines::kImsOn);
        case driver::kImOffButton: return Utf8ToAnsi(lines::kImsOff);
        case driver::kAdvButton: return Utf8ToAnsi(lines::kCredit);
        case driver::kConButton: return Utf8ToAnsi(lines::kContactTorvik);
        default: return {};  // "Clr Cht" posts nothing
    }
}

int LinesOf(int button) {
    return button == driver::kStartButton || button == driver::kConButton ? 2
           : button == driver::kClearChatButton                           ? 0
                                                                          : 1;
}

Sample TakeSample(const RunningPanel& panel, RecordFile& record, double started,
                  std::size_t clicks) {
    Sample sample;
    sample.minute = (CounterSeconds() - started) / 60;
    sample.clicks = clicks;
    record.Update();
    sample.lines = record.Lines().size();
    if (const auto answer = panel.Ping(kAnswerBound)) sample.answerMs = answer->count() / 1000.0;
    sample.memory = MemoryOf(panel.process().Handle());
    sample.objects = GuiObjectsOf(panel.process().Handle(), panel.process().Id());
    return sample;
}

void PrintSample(const Sample& s) {
    std::printf("%7.1f %8zu %8zu %10s %9s %9s %6ld %6ld\n", s.minute, s.clicks, s.lines,
                s.answerMs ? (std::to_string(s.answerMs.value()).substr(0, 6)).c_str() : "NONE",
                s.memory ? std::to_string(s.memory->workingSet / 1024).c_str() : "n/a",
                s.memory ? std::to_string(s.memory->privateBytes / 1024).c_str() : "n/a",
                s.objects.user, s.objects.gdi);
    std::fflush(stdout);
}

// Whether each second line follows a first line of its own: at no point more seconds than
// firsts, and as many of each in the end.
bool PairsInOrder(const std::vector<std::string>& lines, const std::string& first,
                  bool (*isSecond)(const std::string&)) {
    long open = 0;
    for (const std::string& line : lines) {
        if (line == first) ++open;
        if (isSecond(line) && --open < 0) return false;
    }
    return open == 0;
}

bool IsContactZennoq(const std::string& line) {
    static const std::string zennoq = Utf8ToAnsi(lines::kContactZennoq);
    return line == zennoq;
}
bool IsIdleCause(const std::string& line) {
    static const std::string before = Utf8ToAnsi(lines::kIdleCauseBefore);
    return line.starts_with(before);
}
bool IsReLine(const std::string& line) {
    static const std::string before = Utf8ToAnsi(lines::kReBefore);
    return line.starts_with(before);
}
bool IsTick(const std::string& line) {
    static const std::string tick = Utf8ToAnsi(lines::kIdleTick);
    return line == tick;
}
bool IsSecondLine(const std::string& line) {
    return IsContactZennoq(line) || IsIdleCause(line) || IsReLine(line);
}

// The reason inside a reason line, given its fixed pieces.
std::optional<std::string> ReasonIn(const std::string& line, std::string_view before,
                                    std::string_view after) {
    const std::string head = Utf8ToAnsi(before);
    const std::string tail = Utf8ToAnsi(after);
    if (!line.starts_with(head) || !line.ends_with(tail) ||
        line.size() < head.size() + tail.size()) {
        return std::nullopt;
    }
    return line.substr(head.size(), line.size() - head.size() - tail.size());
}

int Main(int argc, char** argv) {
    double minutes = 10;
    unsigned seed = static_cast<unsigned>(GetTickCount());
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--minutes" && i + 1 < argc) {
            minutes = std::atof(argv[++i]);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: quillow_soak [--minutes N] [--seed N]\n");
            return 2;
        }
    }
    if (minutes <= 0) {
        std::fprintf(stderr, "soak: --minutes must be more than 0\n");
        return 2;
    }
    std::printf("soak: %.1f minutes, seed %u\n", minutes, seed);
    std::mt19937 random(seed);
    auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };

    StandinClient client = StandinClient::Start("soak");
    RunningPanel panel = RunningPanel::Start();
    RecordFile& record = client.record();
    if (record.WaitForLines(2, "room1", 15s).size() < 2) {
        std::printf("soak: FAILED: no greetings\n");
        return 1;
    }
    const std::size_t greetings = record.Lines().size();

    std::vector<int> clicks;
    std::set<std::string> reasonsTyped = {AnsiBytes(kInitialReason)};
    std::vector<Sample> samples;
    std::size_t reasonEdits = 0;
    bool alive = true;

    std::printf("\n%7s %8s %8s %10s %9s %9s %6s %6s\n", "minute", "clicks", "lines", "answer ms",
                "WS KB", "priv KB", "USER", "GDI");
    const double started = CounterSeconds();
    samples.push_back(TakeSample(panel, record, started, 0));
    PrintSample(samples.back());
    double nextSample = started + 60;
    const double end = started + minutes * 60;

    while (CounterSeconds() < end && alive) {
        // A burst: up to twenty clicks spread over a second.
        const int burst = uniform(1, kLongestBurst);
        for (int i = 0; i < burst && alive; ++i) {
            const int button = kButtons[static_cast<std::size_t>(
                uniform(0, static_cast<int>(kButtons.size()) - 1))];
            if (!panel.Click(button)) {
                alive = false;
                break;
            }
            clicks.push_back(button);
            std::this_thread::sleep_for(std::chrono::milliseconds(uniform(0, 1000 / burst)));
        }
        if (uniform(1, 5) == 1) {
            const std::wstring& reason = kReasons[static_cast<std::size_t>(
                uniform(0, static_cast<int>(kReasons.size()) - 1))];
            // Noted first: a command that is waiting now may read it as soon as it is set.
            reasonsTyped.insert(AnsiBytes(reason));
            if (!panel.SetReason(reason)) alive = false;
            ++reasonEdits;
        }
        // A pause between bursts, so that the queue drains from time to time.
        const double until = CounterSeconds() + uniform(500, 4000) / 1000.0;
        while (CounterSeconds() < until) {
            if (CounterSeconds() >= nextSample) {
                samples.push_back(TakeSample(panel, record, started, clicks.size()));
                PrintSample(samples.back());
                alive = alive && samples.back().answerMs.has_value() && panel.process().Running();
                nextSample += 60;
            }
            std::this_thread::sleep_for(50ms);
        }
    }

    // Everything clicked is handled before the final count.
    std::size_t expectedLines = greetings;
    for (const int button : clicks) expectedLines += static_cast<std::size_t>(LinesOf(button));
    const auto drainStart = std::chrono::steady_clock::now();
    while (alive && std::chrono::steady_clock::now() - drainStart < kDrainBound) {
        record.Update();
        std::size_t commandLines = 0;
        for (const RecordEntry& line : record.Lines()) {
            if (!IsTick(line.bytes) && !IsReLine(line.bytes)) ++commandLines;
        }
        if (commandLines >= expectedLines) break;
        std::this_thread::sleep_for(200ms);
    }
    std::this_thread::sleep_for(3s);  // the last instant messages, and nothing more to come
    samples.push_back(TakeSample(panel, record, started, clicks.size()));
    PrintSample(samples.back());

    // --- Checks ---
    std::printf("\nchecks:\n");
    Checks checks;
    std::map<int, std::size_t> byButton;
    for (const int button : clicks) ++byButton[button];
    std::printf(
        "  clicks: %zu (Start %zu, Stop %zu, IM on %zu, IM off %zu, Clr Cht %zu, Adv %zu, "
        "Con %zu); reason edits: %zu\n",
        clicks.size(), byButton[driver::kStartButton], byButton[driver::kStopButton],
        byButton[driver::kImOnButton], byButton[driver::kImOffButton],
        byButton[driver::kClearChatButton], byButton[driver::kAdvButton],
        byButton[driver::kConButton], reasonEdits);
    checks.Expect(alive && panel.process().Running(), "the program ran to the end");
    bool answered = true;
    double slowest = 0;
    for (const Sample& s : samples) {
        answered = answered && s.answerMs.has_value();
        if (s.answerMs) slowest = std::max(slowest, *s.answerMs);
    }
    checks.Expect(answered, "it answered every minute (slowest answer " +
                                std::to_string(slowest).substr(0, 6) + " ms)");

    // Leaks: the last sample against the one a minute in, once everything has been used.
    if (samples.size() >= 3) {
        const Sample& base = samples[1];
        const Sample& last = samples.back();
        checks.Expect(last.objects.user <= base.objects.user,
                      "USER objects do not grow (" + std::to_string(base.objects.user) + " -> " +
                          std::to_string(last.objects.user) + ", " + last.objects.how + ")");
        checks.Expect(last.objects.gdi <= base.objects.gdi + 2,
                      "GDI objects do not grow (" + std::to_string(base.objects.gdi) + " -> " +
                          std::to_string(last.objects.gdi) + ")");
        if (base.memory && last.memory) {
            const auto grew = [](std::size_t from, std::size_t to) {
                return to > from + std::max<std::size_t>(2u << 20, from / 10);
            };
            checks.Expect(!grew(base.memory->privateBytes, last.memory->privateBytes),
                          "private bytes do not grow (" +
                              std::to_string(base.memory->privateBytes / 1024) + " -> " +
                              std::to_string(last.memory->privateBytes / 1024) + " KB)");
            checks.Expect(!grew(base.memory->workingSet, last.memory->workingSet),
                          "working set does not grow (" +
                              std::to_string(base.memory->workingSet / 1024) + " -> " +
                              std::to_string(last.memory->workingSet / 1024) + " KB)");
        }
    } else {
        std::printf("  (too short for the growth checks: they compare minute 1 with the end)\n");
    }

    record.Update();
    std::vector<std::string> roomLines;
    for (const RecordEntry& line : record.Lines()) {
        if (line.where != "room1") {
            checks.Expect(false, "a line went to " + line.where);
            continue;
        }
        roomLines.push_back(line.bytes);
    }
    roomLines.erase(roomLines.begin(), roomLines.begin() + static_cast<std::ptrdiff_t>(greetings));

    std::vector<std::string> firstLines;
    std::size_t ticks = 0;
    for (const std::string& line : roomLines) {
        if (IsTick(line)) {
            ++ticks;
        } else if (!IsSecondLine(line)) {
            firstLines.push_back(line);
        }
    }
    std::vector<std::string> clickedFirstLines;
    for (const int button : clicks) {
        if (LinesOf(button) > 0) clickedFirstLines.push_back(FirstLineOf(button));
    }
    std::size_t agree = 0;
    while (agree < firstLines.size() && agree < clickedFirstLines.size() &&
           firstLines[agree] == clickedFirstLines[agree]) {
        ++agree;
    }
    checks.Expect(firstLines == clickedFirstLines,
                  "every click's first line arrived once, in click order (" +
                      std::to_string(firstLines.size()) + " of " +
                      std::to_string(clickedFirstLines.size()) + "; agreeing up to " +
                      std::to_string(agree) + ")");
    checks.Expect(PairsInOrder(roomLines, Utf8ToAnsi(lines::kContactTorvik), IsContactZennoq),
                  "each \"Con\" second line followed its first");
    checks.Expect(PairsInOrder(roomLines, Utf8ToAnsi(lines::kWentIdle), IsIdleCause),
                  "each \"Start\" reason line followed its \"went idle\"");
    checks.Expect(PairsInOrder(roomLines, Utf8ToAnsi(lines::kIdleTick), IsReLine),
                  "each timer reason line followed its idle line");
    const double elapsedMinutes = (CounterSeconds() - started) / 60;
    const auto wholeMinutes = static_cast<long>(elapsedMinutes);
    const auto tickCount = static_cast<long>(ticks);
    checks.Expect(tickCount >= wholeMinutes - 1 && tickCount <= wholeMinutes + 1,
                  "the timer ticked once a minute (" + std::to_string(ticks) + " ticks in " +
                      std::to_string(elapsedMinutes).substr(0, 5) + " minutes)");

    bool reasonsKnown = true;
    std::size_t reasonLines = 0;
    for (const std::string& line : roomLines) {
        std::optional<std::string> reason =
            ReasonIn(line, lines::kIdleCauseBefore, lines::kIdleCauseAfter);
        if (!reason) reason = ReasonIn(line, lines::kReBefore, lines::kReAfter);
        if (!reason) continue;
        ++reasonLines;
        if (!reasonsTyped.count(*reason)) {
            reasonsKnown = false;
            std::printf("  unknown reason: \"%s\"\n", reason->c_str());
        }
    }
    checks.Expect(reasonsKnown, "every reason posted (" + std::to_string(reasonLines) +
                                    " lines) is one that was typed");

    std::size_t imOn = 0, imOff = 0, strays = 0, opened = 0, cleared = 0;
    for (const RecordEntry& entry : record.Entries()) {
        if (entry.kind != RecordEntry::Kind::Event) continue;
        if (entry.what == "imopen") ++opened;
        if (entry.what == "cleared") ++cleared;
        if (entry.what != "im") continue;
        if (entry.where == lines::kImOnRecipient && entry.bytes == lines::kImOnMessage) {
            ++imOn;
        } else if (entry.where == lines::kImOffRecipient && entry.bytes == lines::kImOffMessage) {
            ++imOff;
        } else {
            ++strays;
        }
    }
    checks.Expect(imOn == byButton[driver::kImOnButton] &&
                      imOff == byButton[driver::kImOffButton] && strays == 0,
                  "one instant message per IM click (on " + std::to_string(imOn) + "/" +
                      std::to_string(byButton[driver::kImOnButton]) + ", off " +
                      std::to_string(imOff) + "/" + std::to_string(byButton[driver::kImOffButton]) +
                      ", other " + std::to_string(strays) + ")");
    checks.Expect(opened == imOn + imOff + strays,
                  "no instant-message window left unsent (" + std::to_string(opened) + " opened)");
    checks.Expect(cleared == byButton[driver::kClearChatButton],
                  "one clearing per \"Clr Cht\" (" + std::to_string(cleared) + ")");

    // Closing still says farewell and ends the program.
    const std::size_t before = record.Lines().size();
    driver::PostClose(panel.Window());
    const bool ended = panel.process().WaitForExit(30s);
    record.WaitForLines(before + 2, "room1", 5s);
    const std::vector<RecordEntry>& all = record.Lines();
    checks.Expect(ended && all.size() >= before + 2 &&
                      all[all.size() - 2].bytes == Utf8ToAnsi(lines::kFarewell) &&
                      all.back().bytes == Utf8ToAnsi(lines::kUnloaded),
                  "closing the panel said farewell and ended the program");

    std::printf("\nsoak: %s: %zu clicks, %zu lines, %.1f minutes, seed %u\n",
                checks.Failed() ? "FAILED" : "passed", clicks.size(), roomLines.size(),
                elapsedMinutes, seed);
    return checks.Failed() ? 1 : 0;
}

}  // namespace
}  // namespace quillow::bench

int main(int argc, char** argv) {
    try {
        return quillow::bench::Main(argc, argv);
    } catch (const std::exception& problem) {
        std::printf("soak: FAILED: %s\n", problem.what());
        return 1;
    }
}
