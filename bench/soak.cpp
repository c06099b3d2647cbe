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
#include <optional>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "automation/ansi_text.h"
#include "bench/observe.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/line_order.h"
#include "driver/session.h"
#include "panel/status_lines.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;
using driver::CounterSeconds;
using driver::RecordEntry;
using driver::RecordFile;
using driver::RunningPanel;

// Every button but "Exit", with the first line a click on it posts.
struct Button {
    int id;
    const char* name;
    std::string_view firstLine;  // "Clr Cht" posts none
};
const std::vector<Button> kButtons = {
    {layout::kStartId, "Start", lines::kWentIdle},  {layout::kStopId, "Stop", lines::kCameBack},
    {layout::kImOnId, "IM on", lines::kImsOn},      {layout::kImOffId, "IM off", lines::kImsOff},
    {layout::kClearChatId, "Clr Cht", {}},          {layout::kAdvId, "Adv", lines::kCredit},
    {layout::kConId, "Con", lines::kContactTorvik},
};
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

std::string Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

struct Sample {
    std::optional<double> answerMs;
    std::optional<Memory> memory;
    GuiObjects objects;
};

// What the clicking did, for the checks.
struct Run {
    double started = 0;
    std::size_t greetings = 0;
    std::vector<Button> clicks;
    std::set<std::string> reasonsTyped = {WideToAnsi(kInitialReason)};
    std::size_t reasonEdits = 0;
    std::vector<Sample> samples;
    bool alive = true;

    std::size_t ClicksOn(int button) const {
        return std::count_if(clicks.begin(), clicks.end(),
                             [&](const Button& click) { return click.id == button; });
    }
};

bool anyFailed = false;

void Check(bool good, const std::string& what) {
    std::printf("  %-6s %s\n", good ? "ok" : "FAILED", what.c_str());
    anyFailed = anyFailed || !good;
}

bool IsTimerLine(const std::string& line) {
    return line == Ansi(lines::kIdleTick) || line.starts_with(Ansi(lines::kReBefore));
}

void TakeSample(const RunningPanel& panel, RecordFile& record, Run& run) {
    Sample s;
    if (const auto answer = panel.Ping(kAnswerBound)) s.answerMs = answer->count() / 1000.0;
    s.memory = MemoryOf(panel.process().Handle());
    s.objects = GuiObjectsOf(panel.process().Handle(), panel.process().Id());
    record.Update();
    const Memory memory = s.memory.value_or(Memory{});  // 0 when it cannot be read
    std::printf("%7.1f %8zu %8zu %10s %9zu %9zu %6ld %6ld\n", (CounterSeconds() - run.started) / 60,
                run.clicks.size(), record.Lines().size(),
                s.answerMs ? std::to_string(*s.answerMs).substr(0, 6).c_str() : "NONE",
                memory.workingSet / 1024, memory.privateBytes / 1024, s.objects.user,
                s.objects.gdi);
    std::fflush(stdout);
    run.samples.push_back(s);
}

// Bursts of clicks with pauses between them, a reason typed now and then, and a sample every
// minute, until `minutes` have passed or the panel stops answering.
void ClickInBursts(driver::Session& session, double minutes, std::mt19937& random, Run& run) {
    RunningPanel& panel = session.panel;
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::printf("\n%7s %8s %8s %10s %9s %9s %6s %6s\n", "minute", "clicks", "lines", "answer ms",
                "WS KB", "priv KB", "USER", "GDI");
    run.started = CounterSeconds();
    TakeSample(panel, session.client.record(), run);
    double nextSample = run.started + 60;
    const double end = run.started + minutes * 60;
    while (CounterSeconds() < end && run.alive) {
        const int burst = uniform(1, kLongestBurst);
        for (int i = 0; i < burst && run.alive; ++i) {
            const Button& button = kButtons[static_cast<std::size_t>(
                uniform(0, static_cast<int>(kButtons.size()) - 1))];
            run.alive = panel.Click(button.id);
            if (!run.alive) break;
            run.clicks.push_back(button);
            std::this_thread::sleep_for(std::chrono::milliseconds(uniform(0, 1000 / burst)));
        }
        if (uniform(1, 5) == 1) {
            const std::wstring& reason = kReasons[static_cast<std::size_t>(
                uniform(0, static_cast<int>(kReasons.size()) - 1))];
            // Noted first: a command that is waiting now may read it as soon as it is set.
            run.reasonsTyped.insert(WideToAnsi(reason));
            run.alive = run.alive && panel.SetReason(reason);
            ++run.reasonEdits;
        }
        // A pause between bursts, so that the queue drains from time to time.
        const double until = CounterSeconds() + uniform(500, 4000) / 1000.0;
        while (CounterSeconds() < until) {
            if (CounterSeconds() >= nextSample) {
                TakeSample(panel, session.client.record(), run);
                run.alive = run.alive && run.samples.back().answerMs && panel.process().Running();
                nextSample += 60;
            }
            std::this_thread::sleep_for(50ms);
        }
    }
}

// Waits until every click has been handled, then takes the last sample.
void Drain(driver::Session& session, Run& run) {
    RecordFile& record = session.client.record();
    std::size_t expected = run.greetings;
    for (const Button& click : run.clicks) expected += driver::EffectOf(click.id).lines;
    driver::WaitUntil(
        [&] {
            record.Update();
            return !run.alive ||
                   static_cast<std::size_t>(std::count_if(
                       record.Lines().begin(), record.Lines().end(), [](const RecordEntry& line) {
                           return !IsTimerLine(line.bytes);
                       })) >= expected;
        },
        kDrainBound, 200ms);
    std::this_thread::sleep_for(3s);  // the last instant messages, and nothing more to come
    TakeSample(session.panel, record, run);
}

// Alive and answering throughout, and no growth from the sample a minute in, once everything
// has been used, to the last.
void CheckHealth(const driver::Session& session, const Run& run) {
    Check(run.alive && session.panel.process().Running(), "the program ran to the end");
    double slowest = 0;
    bool answered = true;
    for (const Sample& s : run.samples) {
        answered = answered && s.answerMs.has_value();
        slowest = std::max(slowest, s.answerMs.value_or(0));
    }
    Check(answered, "it answered every minute (slowest answer " +
                        std::to_string(slowest).substr(0, 6) + " ms)");
    if (run.samples.size() < 3) {
        std::printf("  (too short for the growth checks: they compare minute 1 with the end)\n");
        return;
    }
    const Sample& base = run.samples[1];
    const Sample& last = run.samples.back();
    Check(last.objects.user <= base.objects.user,
          "USER objects do not grow (" + std::to_string(base.objects.user) + " -> " +
              std::to_string(last.objects.user) + ", " + last.objects.how + ")");
    Check(last.objects.gdi <= base.objects.gdi + 2, "GDI objects do not grow (" +
                                                        std::to_string(base.objects.gdi) + " -> " +
                                                        std::to_string(last.objects.gdi) + ")");
    if (!base.memory || !last.memory) return;
    const auto expectFlat = [&](std::size_t from, std::size_t to, const std::string& what) {
        Check(to <= from + std::max<std::size_t>(2u << 20, from / 10),
              what + " (" + std::to_string(from / 1024) + " -> " + std::to_string(to / 1024) +
                  " KB)");
    };
    expectFlat(base.memory->privateBytes, last.memory->privateBytes, "private bytes do not grow");
    expectFlat(base.memory->workingSet, last.memory->workingSet, "working set does not grow");
}

// The reason inside a reason line, given its fixed pieces.
std::optional<std::string> ReasonIn(const std::string& line, std::string_view before,
                                    std::string_view after) {
    const std::string head = Ansi(before);
    const std::string tail = Ansi(after);
    if (!line.starts_with(head) || !line.ends_with(tail) ||
        line.size() < head.size() + tail.size()) {
        return std::nullopt;
    }
    return line.substr(head.size(), line.size() - head.size() - tail.size());
}

// Every click's first line once and in click order, each second line after its first, the
// timer once a minute, and only reasons that were typed. Returns how many lines the room took
// after the greetings.
std::size_t CheckLines(RecordFile& record, const Run& run) {
    record.Update();
    std::vector<std::string> roomLines;
    for (const RecordEntry& line : record.Lines()) {
        if (line.where == "room1") {
            roomLines.push_back(line.bytes);
        } else {
            Check(false, "a line went to " + line.where);
        }
    }
    roomLines.erase(roomLines.begin(),
                    roomLines.begin() + static_cast<std::ptrdiff_t>(run.greetings));

    const driver::LineOrder order = driver::ReadLineOrder(
        roomLines, {{Ansi(lines::kContactTorvik), Ansi(lines::kContactZennoq)},
                    {Ansi(lines::kWentIdle), Ansi(lines::kIdleCauseBefore)},
                    {Ansi(lines::kIdleTick), Ansi(lines::kReBefore)}});
    std::vector<std::string> firstLines;
    std::size_t ticks = 0;
    for (const std::string& line : order.firstLines) {
        if (line == Ansi(lines::kIdleTick)) ++ticks;
        if (line != Ansi(lines::kIdleTick)) firstLines.push_back(line);
    }
    std::vector<std::string> clickedFirstLines;
    for (const Button& click : run.clicks) {
        if (!click.firstLine.empty()) clickedFirstLines.push_back(Ansi(click.firstLine));
    }
    const auto agree = std::mismatch(firstLines.begin(), firstLines.end(),
                                     clickedFirstLines.begin(), clickedFirstLines.end());
    Check(firstLines == clickedFirstLines,
          "every click's first line arrived once, in click order (" +
              std::to_string(firstLines.size()) + " of " +
              std::to_string(clickedFirstLines.size()) + "; agreeing up to " +
              std::to_string(agree.first - firstLines.begin()) + ")");
    Check(order.pairsMatch,
          "each second line of \"Con\", \"Start\" and the timer followed its first");
    const double minutes = (CounterSeconds() - run.started) / 60;
    const auto whole = static_cast<long>(minutes);
    const auto tickCount = static_cast<long>(ticks);
    Check(tickCount >= whole - 1 && tickCount <= whole + 1,
          "the timer ticked once a minute (" + std::to_string(ticks) + " ticks in " +
              std::to_string(minutes).substr(0, 5) + " minutes)");

    bool reasonsKnown = true;
    std::size_t reasonLines = 0;
    for (const std::string& line : roomLines) {
        std::optional<std::string> reason =
            ReasonIn(line, lines::kIdleCauseBefore, lines::kIdleCauseAfter);
        if (!reason) reason = ReasonIn(line, lines::kReBefore, lines::kReAfter);
        if (!reason) continue;
        ++reasonLines;
        if (!run.reasonsTyped.count(*reason)) {
            reasonsKnown = false;
            std::printf("  unknown reason: \"%s\"\n", reason->c_str());
        }
    }
    Check(reasonsKnown,
          "every reason posted (" + std::to_string(reasonLines) + " lines) is one that was typed");
    return roomLines.size();
}

// One instant message a click on "IM on" or "IM off", none left unsent, one clearing a click
// on "Clr Cht".
void CheckClientEvents(const RecordFile& record, const Run& run) {
    const std::vector<RecordEntry> ims = driver::EventsOf(record.Entries(), "im");
    const auto sent = [&](std::string_view to, std::string_view text) {
        return static_cast<std::size_t>(std::count_if(
            ims.begin(), ims.end(),
            [&](const RecordEntry& im) { return im.where == to && im.bytes == text; }));
    };
    const std::size_t imOn = sent(lines::kImOnRecipient, lines::kImOnMessage);
    const std::size_t imOff = sent(lines::kImOffRecipient, lines::kImOffMessage);
    const std::size_t strays = ims.size() - imOn - imOff;
    const std::size_t opened = driver::EventsOf(record.Entries(), "imopen").size();
    const std::size_t cleared = driver::EventsOf(record.Entries(), "cleared").size();
    const std::size_t onClicks = run.ClicksOn(layout::kImOnId);
    const std::size_t offClicks = run.ClicksOn(layout::kImOffId);
    Check(imOn == onClicks && imOff == offClicks && strays == 0,
          "one instant message per IM click (on " + std::to_string(imOn) + "/" +
              std::to_string(onClicks) + ", off " + std::to_string(imOff) + "/" +
              std::to_string(offClicks) + ", other " + std::to_string(strays) + ")");
    Check(opened == ims.size(),
          "no instant-message window left unsent (" + std::to_string(opened) + " opened)");
    Check(cleared == run.ClicksOn(layout::kClearChatId),
          "one clearing per \"Clr Cht\" (" + std::to_string(cleared) + ")");
}

// Closing still says farewell and ends the program.
void CheckFarewell(driver::Session& session) {
    RecordFile& record = session.client.record();
    const std::size_t before = record.Lines().size();
    driver::PostClose(session.panel.Window());
    const bool ended = session.panel.process().WaitForExit(30s);
    record.WaitForLines(before + 2, "room1", 5s);
    const std::vector<RecordEntry>& all = record.Lines();
    Check(ended && all.size() >= before + 2 &&
              all[all.size() - 2].bytes == Ansi(lines::kFarewell) &&
              all.back().bytes == Ansi(lines::kUnloaded),
          "closing the panel said farewell and ended the program");
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
            minutes = 0;
            break;
        }
    }
    if (minutes <= 0) {
        std::fprintf(stderr, "usage: quillow_soak [--minutes N (more than 0)] [--seed N]\n");
        return 2;
    }
    std::printf("soak: %.1f minutes, seed %u\n", minutes, seed);
    std::mt19937 random(seed);

    driver::Session session = driver::Session::Start("soak");
    Run run;
    run.greetings = session.client.record().Lines().size();
    ClickInBursts(session, minutes, random, run);
    Drain(session, run);

    std::printf("\nchecks:\n");
    std::printf("  clicks: %zu (", run.clicks.size());
    for (const Button& button : kButtons) {
        std::printf("%s%s %zu", button.id == kButtons[0].id ? "" : ", ", button.name,
                    run.ClicksOn(button.id));
    }
    std::printf("); reason edits: %zu\n", run.reasonEdits);
    CheckHealth(session, run);
    const std::size_t roomLines = CheckLines(session.client.record(), run);
    CheckClientEvents(session.client.record(), run);
    CheckFarewell(session);

    std::printf("\nsoak: %s: %zu clicks, %zu lines, %.1f minutes, seed %u\n",
                anyFailed ? "FAILED" : "passed", run.clicks.size(), roomLines,
                (CounterSeconds() - run.started) / 60, seed);
    return anyFailed ? 1 : 0;
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
