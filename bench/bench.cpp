// The benchmark of the running program: quillow.exe beside the stand-in chat client, the way a
// user runs it, with every figure taken over several runs and given as its median and worst.
//
//     quillow_bench [--runs N] [--lines N] [--results FILE] [--shipped PROGRAM HOW]
//
// Prints one table (and writes it to FILE). With --shipped, it also starts PROGRAM, the
// program users get, and takes its start-up; HOW says how it runs here, for the table. Figures
// only: nothing here passes or fails, and a run that cannot take a figure says so and exits
// non-zero.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "automation/ansi_text.h"
#include "automation/chat_room.h"
#include "automation/client_windows.h"
#include "automation/window_ops_win.h"
#include "bench/observe.h"
#include "panel/background_art.h"
#include "panel/event_loop_win.h"
#include "panel/layout.h"
#include "panel/status_lines.h"
#include "driver/controls.h"
#include "driver/clock.h"
#include "driver/line_order.h"
#include "driver/session.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;
using driver::CounterSeconds;
using driver::RecordEntry;
using driver::StandinClient;

constexpr int kWaitingCommands = 10;    // "Con" clicks in the CPU figure
constexpr int kResponsesPerRun = 3;     // "Start" + "Adv" pairs per run
constexpr double kClickIntoWait = 0.3;  // how far into the wait of "Start" "Adv" is clicked
constexpr auto kLineBound = 10s;        // far longer than any line takes: only a broken run waits
const std::vector<int> kDocumentCounts = {0, 10, 100};
const std::vector<int> kPaintingDpis = {96, 144, 192};

// The burst: "Con" posted far past the panel's bound on nested commands, then in fresh pairs a
// shorter burst each with "Exit" clicked that long after its last click, so that the clicks
// land in different phases of the drain.
constexpr int kBurstClicks = 2000;
constexpr double kClicksPerSecond = 100;
constexpr auto kDrainBound = 300s;  // after the last click; a panel slower than that is cut short
constexpr int kExitClicks = 600;
const std::vector<double> kExitMoments = {0.5, 0.9, 1.3, 1.7, 2.1};  // s
constexpr auto kExitBound = 30s;     // for "Exit" to end the program
constexpr int kLinesAfterExit = 20;  // of each kind, to the same client once the panel is gone

// Values of one figure over all runs.
using Samples = std::vector<double>;

// One line as the panel posts it, and the bare pair of messages a line needs: ms each.
struct LineAgainstPair {
    Samples chatSend;  // ChatSend: the room found, the draft read, the line set, Enter
    Samples barePair;  // WM_SETTEXT then Enter, to the same box
};

struct Figures {
    Samples panelCpu, panelServer;     // percent of wall time, over the "Con" clicks
    Samples restCpu, restServer;       // percent, the panel left alone as long
    Samples spinCpu, spinServer;       // percent, a spinning wait as long
    Samples response;                  // ms, click to the clicked command's first line
    Samples wakeUp;                    // ms, click to the command's first message to the client
    Samples paceCon, paceStart;        // s between the two lines
    std::map<int, Samples> lineCost;   // µs per line, by documents before the room
    std::map<int, Samples> findCost;   // µs per FindChatRoom alone
    LineAgainstPair againstPair;       // room behind 0 documents
    Samples startup;                   // s, program start to panel shown
    std::map<int, Samples> painting;   // ms, the panel's picture painted, by density
    Samples workingSet, privateBytes;  // MB, after start-up
    Samples userObjects, gdiObjects;
    std::string objectsHow;
    std::filesystem::path shipped;                      // the program users get, if given
    std::string shippedHow;                             // how it runs here
    Samples shippedGreeting, shippedShown, shippedEnd;  // s, its start and end

    double drainSeconds = 0;       // the burst's last click to its last line
    bool drained = false;          // every command finished within kDrainBound
    double commandsPerSecond = 0;  // finished while draining (after the last click)
    int deepestNesting = 0;        // most "Con" started and not yet finished at once
    std::vector<std::optional<double>> exitSeconds;  // s, each "Exit" to the process gone
    Samples drainGaps;          // ms between second lines posted back to back, before "Exit"
    LineAgainstPair afterExit;  // the same clients, once each panel was gone
};

void Say(const std::string& text) {
    std::fprintf(stderr, "bench: %s\n", text.c_str());
    std::fflush(stderr);
}

void Expect(bool good, const std::string& what) {
    if (!good) throw std::runtime_error(what);
}

void SleepUntil(double counterSeconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(counterSeconds - CounterSeconds()));
}

// The record's lines once the room has taken `count`; throws when they do not come.
const std::vector<RecordEntry>& RequireLines(StandinClient& client, std::size_t count,
                                             const char* what) {
    Expect(client.record().WaitForLines(count, "room1", kLineBound).size() >= count,
           std::string("lines missing after ") + what);
    return client.record().Lines();
}

// Seconds that `call` took, after a pause as between the panel's lines, so that each is timed
// on its own rather than behind the client's drawing of the one before.
double TimedApart(const std::function<void()>& call) {
    std::this_thread::sleep_for(20ms);
    const double before = CounterSeconds();
    call();
    return CounterSeconds() - before;
}

// CPU use from construction to Stop: the program's own threads, and Wine's server meanwhile.
struct CpuMeter {
    DWORD processId;
    double wallStart = CounterSeconds();
    double cpuStart = ProcessCpuSeconds(processId);
    std::optional<double> serverStart = WineserverCpuSeconds();

    // Percentages of the wall time (the server's only under Wine).
    void Stop(Samples& program, Samples& server) const {
        const double wall = CounterSeconds() - wallStart;
        program.push_back(100 * (ProcessCpuSeconds(processId) - cpuStart) / wall);
        const std::optional<double> serverNow = WineserverCpuSeconds();
        if (serverStart && serverNow) server.push_back(100 * (*serverNow - *serverStart) / wall);
    }
};

// A spinning wait for `seconds`, measured as the panel is.
void MeasureSpin(double seconds, Figures& figures) {
    driver::Process spinner =
        driver::Process::Start(driver::BuildTreeProgram("bench/quillow_spin_wait.exe"));
    Expect(driver::WaitForTopLevelWindow(L"QuillowSpinWait", spinner.Id(), 10s) != nullptr,
           "the spinning wait did not start");
    std::this_thread::sleep_for(200ms);  // well into its spinning
    const CpuMeter meter{spinner.Id()};
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    meter.Stop(figures.spinCpu, figures.spinServer);
}

// One run of the panel beside a client of its own: start-up, footprint, CPU while waiting
// (and a spinning wait as long), pace, and response to clicks during a wait.
void PanelRun(int run, Figures& figures) {
    driver::Session session = driver::Session::Start("run" + std::to_string(run));
    StandinClient& client = session.client;
    driver::RunningPanel& panel = session.panel;
    figures.startup.push_back(panel.ShownAt() - panel.StartedAt());
    std::this_thread::sleep_for(500ms);

    const HANDLE process = panel.process().Handle();
    if (const std::optional<Memory> memory = MemoryOf(process)) {
        figures.workingSet.push_back(static_cast<double>(memory->workingSet) / (1 << 20));
        figures.privateBytes.push_back(static_cast<double>(memory->privateBytes) / (1 << 20));
    }
    const GuiObjects objects = GuiObjectsOf(process, panel.process().Id());
    figures.userObjects.push_back(objects.user);
    figures.gdiObjects.push_back(objects.gdi);
    figures.objectsHow = objects.how;

    // Back-to-back waiting commands: each "Con" clicked once the previous one's second line
    // has arrived, so the panel spends nearly all the time in its waits.
    std::size_t count = client.record().Lines().size();
    const double waitingStart = CounterSeconds();
    const CpuMeter meter{panel.process().Id()};
    for (int i = 0; i < kWaitingCommands; ++i) {
        Expect(panel.Click(layout::kConId), "could not click Con");
        count += 2;
        const std::vector<RecordEntry>& lines = RequireLines(client, count, "Con");
        figures.paceCon.push_back(lines[count - 1].seconds - lines[count - 2].seconds);
    }
    meter.Stop(figures.panelCpu, figures.panelServer);
    const double waitingSeconds = CounterSeconds() - waitingStart;

    const CpuMeter resting{panel.process().Id()};
    std::this_thread::sleep_for(std::chrono::duration<double>(waitingSeconds));
    resting.Stop(figures.restCpu, figures.restServer);
    MeasureSpin(waitingSeconds, figures);

    // "Adv" clicked while "Start" waits between its lines.
    for (int i = 0; i < kResponsesPerRun; ++i) {
        const double started = CounterSeconds();
        Expect(panel.Click(layout::kStartId), "could not click Start");
        SleepUntil(started + kClickIntoWait);
        const double clicked = CounterSeconds();
        Expect(panel.Click(layout::kAdvId), "could not click Adv");
        count += 3;
        const std::vector<RecordEntry>& lines = RequireLines(client, count, "Start with Adv");
        Expect(lines[count - 3].seconds < clicked, "Start's first line came after the click");
        figures.response.push_back(1000 * (lines[count - 2].seconds - clicked));
        figures.paceStart.push_back(lines[count - 1].seconds - lines[count - 3].seconds);
        // The first thing "Adv" does is look at the room's input box.
        const std::vector<RecordEntry> inputs =
            driver::MessagesTo(client.record().Entries(), "room1.input");
        const auto first = std::find_if(inputs.begin(), inputs.end(),
                                        [&](const RecordEntry& e) { return e.seconds > clicked; });
        if (first != inputs.end()) figures.wakeUp.push_back(1000 * (first->seconds - clicked));
    }

    panel.Click(layout::kExitId);
    Expect(panel.process().WaitForExit(10s), "the panel did not end on Exit");
}

// The program users get, started beside a client of its own: to its first greeting, to its
// panel shown and drawn (it answers once its first painting is done), and from a close to the
// process gone (the farewell's 0.7 s wait among it). Where its code is emulated, these figures
// are the emulator's as much as the program's.
void ShippedRun(int run, Figures& figures) {
    driver::SessionOptions options;
    options.program = figures.shipped;
    options.panelTimeout = 60s;
    driver::Session session = driver::Session::Start("shipped" + std::to_string(run), options);
    const driver::RunningPanel& panel = session.panel;
    // The greetings came before the panel was shown, so they hold up nothing here.
    Expect(panel.Ping(20s).has_value(), "the shipped program's panel does not answer");
    figures.shippedShown.push_back(CounterSeconds() - panel.StartedAt());
    figures.shippedGreeting.push_back(session.client.record().Lines()[0].seconds -
                                      panel.StartedAt());
    const double closed = CounterSeconds();
    Expect(driver::PostClose(panel.Window()), "could not close the shipped program");
    Expect(panel.process().WaitForExit(20s), "the shipped program did not end on closing");
    figures.shippedEnd.push_back(CounterSeconds() - closed);
}

// `count` lines of each in turns, from this process to the room of the client running now, so
// that both see the same client and the same transcript.
void MeasureLineAgainstPair(int count, LineAgainstPair& costs) {
    Win32WindowOps ops;
    const WindowHandle room = FindChatRoom(ops);
    Expect(room != 0, "no chat room found");
    const WindowHandle box = ops.FindWindowExA(room, 0, client::kRichInput);
    for (int i = 0; i < count; ++i) {
        costs.chatSend.push_back(1000 * TimedApart([&] { ChatSend(ops, lines::kCredit); }));
        costs.barePair.push_back(1000 * TimedApart([&] {
                                     ops.SendText(box, lines::kCredit);
                                     ops.SendMessageA(box, Message::Char, kCarriageReturn, 0);
                                 }));
    }
}

// One line's round trip, and finding the room alone: from this process, with the room behind
// `documents` other document windows.
void LineCost(int documents, int runs, int linesPerRun, Figures& figures) {
    StandinClient client = StandinClient::Start("documents" + std::to_string(documents),
                                                {"--documents", std::to_string(documents)});
    Win32WindowOps ops;
    Expect(FindChatRoom(ops) != 0, "no chat room found");
    constexpr int kWarmUp = 10;
    for (int i = 0; i < kWarmUp; ++i) ChatSend(ops, lines::kCredit);
    // µs, the mean of one run.
    const auto mean = [&](const std::function<void()>& call) {
        double total = 0;
        for (int i = 0; i < linesPerRun; ++i) total += TimedApart(call);
        return 1e6 * total / linesPerRun;
    };
    for (int run = 0; run < runs; ++run) {
        figures.lineCost[documents].push_back(mean([&] { ChatSend(ops, lines::kCredit); }));
    }
    // (Back to back, with a hundred documents, Wine's server answers the lookups several times
    // slower than when they come now and then.)
    for (int run = 0; run < runs; ++run) {
        figures.findCost[documents].push_back(
            mean([&] { Expect(FindChatRoom(ops) != 0, "the room went away"); }));
    }
    RequireLines(client, static_cast<std::size_t>(kWarmUp + runs * linesPerRun), "ChatSend");
    if (documents == 0) MeasureLineAgainstPair(linesPerRun, figures.againstPair);
}

// The panel's picture painted for each density, as the panel paints it when it opens and when
// it moves to a monitor of another scale: the painter alone, in this process.
void MeasurePainting(int runs, Figures& figures) {
    for (const int dpi : kPaintingDpis) {
        const layout::PixelSize size =
            layout::PictureSize({art::kDesignWidth, art::kDesignHeight}, dpi);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height);
        for (int run = 0; run < runs; ++run) {
            const double before = CounterSeconds();
            art::PaintBackground(pixels, size.width, size.height,
                                 static_cast<double>(dpi) / layout::kDesignDpi);
            figures.painting[dpi].push_back(1000 * (CounterSeconds() - before));
        }
    }
}

// Posts `clicks` on "Con" at kClicksPerSecond; returns when the last one was posted.
double PostClicks(const driver::RunningPanel& panel, int clicks) {
    const double start = CounterSeconds();
    for (int i = 0; i < clicks; ++i) {
        SleepUntil(start + i / kClicksPerSecond);
        Expect(panel.Click(layout::kConId), "could not click Con");
    }
    return CounterSeconds();
}

// The burst in a pair of its own: how fast the backlog drains and how deep the commands nest
// meanwhile. Then each moment's "Exit" behind a burst in a fresh pair, and a line to that
// client measured straight after.
void MeasureBurst(Figures& figures) {
    const std::string first = Utf8ToAnsi(lines::kContactTorvik);
    const std::string second = Utf8ToAnsi(lines::kContactZennoq);
    {
        driver::Session pair = driver::Session::Start("burst");
        driver::RecordFile& record = pair.client.record();
        const std::size_t before = record.Lines().size();
        const double lastClick = PostClicks(pair.panel, kBurstClicks);
        record.Update();
        const std::size_t atLastClick = record.Lines().size();
        const std::vector<std::string> texts =
            record.WaitForLines(before + 2 * kBurstClicks, "room1", kDrainBound);
        figures.drained = texts.size() >= before + 2 * kBurstClicks;
        const std::vector<RecordEntry>& lines = record.Lines();
        figures.drainSeconds = lines.back().seconds - lastClick;
        figures.deepestNesting = driver::ReadLineOrder(texts, {{first, second}}).deepestNesting;
        const auto finished =
            std::count_if(lines.begin() + static_cast<std::ptrdiff_t>(atLastClick), lines.end(),
                          [&](const RecordEntry& line) { return line.bytes == second; });
        figures.commandsPerSecond = static_cast<double>(finished) / figures.drainSeconds;
    }
    for (std::size_t i = 0; i < kExitMoments.size(); ++i) {
        driver::Session pair = driver::Session::Start("burst-exit" + std::to_string(i + 1));
        SleepUntil(PostClicks(pair.panel, kExitClicks) + kExitMoments[i]);
        const double clicked = CounterSeconds();
        Expect(pair.panel.MouseClick(layout::kExitId), "could not click Exit");
        std::optional<double> took;
        if (pair.panel.process().WaitForExit(kExitBound)) took = CounterSeconds() - clicked;
        figures.exitSeconds.push_back(took);
        pair.panel.process().Terminate();

        pair.client.record().Update();
        const std::vector<RecordEntry>& lines = pair.client.record().Lines();
        for (std::size_t l = 1; l < lines.size() && lines[l].seconds < clicked; ++l) {
            if (lines[l].bytes == second && lines[l - 1].bytes == second) {
                figures.drainGaps.push_back(1000 * (lines[l].seconds - lines[l - 1].seconds));
            }
        }
        MeasureLineAgainstPair(kLinesAfterExit, figures.afterExit);
    }
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double Median(Samples values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Table {
    std::string text;

    void Row(const std::string& figure, const std::string& median, const std::string& worst,
             const std::string& note) {
        char row[512];
        std::snprintf(row, sizeof row, "%-44s %12s %12s   %s\n", figure.c_str(), median.c_str(),
                      worst.c_str(), note.c_str());
        text += row;
    }
    // The median and the worst (the highest) of the samples.
    void Row(const std::string& figure, const Samples& samples, const char* format,
             const std::string& note) {
        if (samples.empty()) return Row(figure, "n/a", "n/a", note);
        Row(figure, Format(format, Median(samples)),
            Format(format, *std::max_element(samples.begin(), samples.end())), note);
    }
    // One line as the panel posts it against the bare pair to the same box, and their ratio.
    void Rows(const LineAgainstPair& costs, const std::string& where) {
        if (costs.chatSend.empty()) return;
        Row("One line (ChatSend), " + where, costs.chatSend, "%.2f ms",
            "per line, in turns with the pair");
        Row("  the bare pair to the same box", costs.barePair, "%.2f ms",
            "WM_SETTEXT then Enter, sent by the benchmark");
        Row("  line against the pair",
            Format("%.2f", Median(costs.chatSend) / Median(costs.barePair)), "",
            "from the medians");
    }
};

std::string Describe(const Figures& f, int runs, int linesPerRun) {
    Table t;
    t.text = "Quillow benchmark: " + std::to_string(runs) +
             " runs; median and worst (the highest) of the samples\n";
    t.Row("figure", "median", "worst", "target, or for scale");
    t.Row("CPU while waiting (10 x \"Con\"): Quillow", f.panelCpu, "%.2f %%", "under 1 %");
    t.Row("  wineserver meanwhile", f.panelServer, "%.2f %%",
          "serves every program, the client's share too");
    t.Row("Left alone as long: Quillow", f.restCpu, "%.2f %%", "");
    t.Row("  wineserver meanwhile", f.restServer, "%.2f %%", "the rig's own background");
    t.Row("A spinning wait as long: the spinner", f.spinCpu, "%.1f %%",
          "for scale: it and wineserver share about a core");
    t.Row("  wineserver meanwhile", f.spinServer, "%.1f %%", "");
    t.Row("Click during a wait to its first line", f.response, "%.2f ms",
          "worst under 20 ms (\"Adv\" 0.3 s into \"Start\")");
    t.Row("  of which: click to its first message", f.wakeUp, "%.2f ms",
          "the wait waking up; the rest is one line's round trip");
    t.Row("Pace: \"Con\", first line to second", f.paceCon, "%.3f s", "0.70 to 0.72 s");
    t.Row("Pace: \"Start\", first line to second", f.paceStart, "%.3f s", "0.70 to 0.72 s");
    for (const auto& [documents, samples] : f.lineCost) {
        t.Row("Cost of a line, room behind " + std::to_string(documents) + " documents", samples,
              "%.0f us", "ChatSend, mean of " + std::to_string(linesPerRun));
    }
    t.Rows(f.againstPair, "0 documents");
    for (const auto& [documents, samples] : f.findCost) {
        t.Row("  of which finding the room, " + std::to_string(documents) + " documents", samples,
              "%.0f us", "FindChatRoom alone: window lookups, no messages");
    }
    for (const auto& [documents, samples] : f.findCost) {
        if (documents == 0) continue;
        t.Row("  finding the room: added per document, " + std::to_string(documents),
              Format("%.1f us", (Median(samples) - Median(f.findCost.at(0))) / documents), "",
              "from the medians");
    }
    t.Row("Start-up: program start to panel shown", f.startup, "%.3f s",
          "0.7 s of it is the wait between the greetings");
    for (const auto& [dpi, samples] : f.painting) {
        const layout::PixelSize size =
            layout::PictureSize({art::kDesignWidth, art::kDesignHeight}, dpi);
        const std::string pixels = std::to_string(size.width) + " x " + std::to_string(size.height);
        t.Row("Painting the picture at " + std::to_string(dpi) + " dpi", samples, "%.1f ms",
              dpi == 96    ? pixels + "; under 20 ms"
              : dpi == 192 ? pixels + "; under 80 ms"
                           : pixels);
    }
    t.Row("Working set after start-up", f.workingSet, "%.1f MB", "");
    t.Row("Private bytes after start-up", f.privateBytes, "%.1f MB", "");
    t.Row("USER objects after start-up", f.userObjects, "%.0f", "counted as " + f.objectsHow);
    t.Row("GDI objects after start-up", f.gdiObjects, "%.0f", "");
    if (!f.shipped.empty()) {
        t.Row("Shipped 32-bit program: start to greeting", f.shippedGreeting, "%.3f s",
              "32-bit programs run " + f.shippedHow);
        t.Row("  start to panel shown and drawn", f.shippedShown, "%.3f s", "");
        t.Row("  a close to the process gone", f.shippedEnd, "%.3f s",
              "0.7 s of it is the wait between the farewells");
    }
    // The program users get when it was given, else the one measured.
    const std::filesystem::path program =
        f.shipped.empty() ? driver::BuildTreeProgram("app/quillow.exe") : f.shipped;
    std::error_code error;
    const auto size = std::filesystem::file_size(program, error);
    t.Row("Executable size", error ? "n/a" : Format("%.0f KB", static_cast<double>(size) / 1024),
          "", error ? "" : std::to_string(size) + " bytes");

    t.Row("Burst: " + std::to_string(kBurstClicks) + " \"Con\" at " +
              Format("%.0f", kClicksPerSecond) + "/s, last click to last line",
          Format(f.drained ? "%.1f s" : "> %.0f s", f.drainSeconds), "",
          f.drained ? "one run" : "cut short: the backlog had not drained");
    t.Row("  commands a second while draining", Format("%.1f", f.commandsPerSecond), "",
          "the bound's own rate: " + std::to_string(Win32EventLoop::kMaxNesting) +
              " / 0.7 s = " + Format("%.1f", Win32EventLoop::kMaxNesting / 0.7));
    t.Row("  deepest nesting", std::to_string(f.deepestNesting), "",
          "\"Con\" started and not yet finished at once");
    const std::string notEnded = Format("> %.0f s", kExitBound.count());
    std::optional<double> worst = 0;  // none once one did not end
    for (std::size_t i = 0; i < f.exitSeconds.size(); ++i) {
        const std::optional<double>& took = f.exitSeconds[i];
        worst = took && worst ? std::max(*worst, *took) : std::optional<double>();
        t.Row("  \"Exit\" " + Format("%.1f s", kExitMoments[i]) + " after the last click",
              took ? Format("%.3f s", *took) : notEnded, "",
              i == 0 ? "mid-drain to the process gone; " + std::to_string(kExitClicks) +
                           " \"Con\" before it"
                     : "");
    }
    t.Row("  \"Exit\" mid-drain to the process gone, worst",
          worst ? Format("%.3f s", *worst) : notEnded, "", "of the clicks above");
    // Against a line to the same clients, the ChatSend row below.
    t.Row("  worst \"Exit\" in lines",
          worst ? Format("%.1f", 1000 * *worst / Median(f.afterExit.chatSend)) : "n/a", "",
          "against the median line below; back to back in the drain " +
              (f.drainGaps.empty() ? "n/a" : Format("%.2f ms", Median(f.drainGaps))));
    t.Rows(f.afterExit, "same clients after Exit");
    return t.text;
}

int Main(int argc, char** argv) {
    int runs = 5;
    int linesPerRun = 200;
    Figures figures;
    std::string results;
    for (int i = 1; i < argc && runs > 0; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--lines" && i + 1 < argc) {
            linesPerRun = std::atoi(argv[++i]);
        } else if (arg == "--results" && i + 1 < argc) {
            results = argv[++i];
        } else if (arg == "--shipped" && i + 2 < argc) {
            figures.shipped = Utf8ToWide(argv[++i]);
            figures.shippedHow = argv[++i];
        } else {
            runs = 0;
        }
    }
    if (runs < 1 || linesPerRun < 1) {
        std::fprintf(stderr,
                     "usage: quillow_bench [--runs N (1 or more)] [--lines N (1 or more)] "
                     "[--results FILE] [--shipped PROGRAM HOW]\n");
        return 2;
    }
    if (driver::FindTopLevelWindow(L"AOL Frame25") != nullptr ||
        driver::FindTopLevelWindow(L"QuillowPanel") != nullptr) {
        std::fprintf(stderr, "bench: a client or a panel is already running; stop it first\n");
        return 1;
    }

    try {
        Say("painting the picture at " + std::to_string(kPaintingDpis.size()) + " densities");
        MeasurePainting(runs, figures);
        for (int run = 1; run <= runs; ++run) {
            Say("run " + std::to_string(run) + " of " + std::to_string(runs) +
                ": start-up, footprint, waiting, response, pace");
            PanelRun(run, figures);
        }
        for (const int documents : kDocumentCounts) {
            Say("cost of a line behind " + std::to_string(documents) + " documents");
            LineCost(documents, runs, linesPerRun, figures);
        }
        for (int run = 1; run <= runs && !figures.shipped.empty(); ++run) {
            Say("the shipped program's start-up, run " + std::to_string(run));
            ShippedRun(run, figures);
        }
        Say("a burst of clicks, and \"Exit\" behind it");
        MeasureBurst(figures);
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "bench: FAILED: %s\n", problem.what());
        return 1;
    }

    const std::string table = Describe(figures, runs, linesPerRun);
    std::fputs(table.c_str(), stdout);
    std::fflush(stdout);
    if (!results.empty()) {
        std::ofstream file(results, std::ios::binary);
        file << table;
        if (!file) {
            std::fprintf(stderr, "bench: could not write %s\n", results.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace
}  // namespace quillow::bench

int main(int argc, char** argv) { return quillow::bench::Main(argc, argv); }
