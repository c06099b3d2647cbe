// The benchmark of the running program: quillow.exe beside the stand-in chat client, the way a
// user runs it, with every figure taken over several runs and given as its median and worst.
//
//     quillow_bench [--runs N] [--lines N] [--burst-only | --painting-only] [--results FILE]
//                   [--shipped PROGRAM HOW]
//
// Prints one table (and writes it to FILE). With --shipped, it also starts PROGRAM, the
// program users get, and takes its start-up; HOW says how it runs here, for the table. Figures
// only: nothing here passes or fails, and a run that cannot take a figure says so and exits
// non-zero.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "automation/ansi_text.h"
#include "automation/chat_room.h"
#include "automation/window_ops_win.h"
#include "bench/burst.h"
#include "bench/line_cost.h"
#include "bench/observe.h"
#include "panel/background_art.h"
#include "panel/event_loop_win.h"
#include "panel/layout.h"
#include "panel/status_lines.h"
#include "driver/controls.h"
#include "driver/clock.h"
#include "driver/running_panel.h"
#include "driver/session.h"

namespace quillow::bench {
namespace {

using namespace std::chrono_literals;
using driver::CounterSeconds;
using driver::RecordEntry;
using driver::RecordFile;
using driver::RunningPanel;
using driver::StandinClient;

constexpr int kWaitingCommands = 10;    // "Con" clicks in the CPU figure
constexpr int kResponsesPerRun = 3;     // "Start" + "Adv" pairs per run
constexpr double kClickIntoWait = 0.3;  // how far into the wait of "Start" "Adv" is clicked
constexpr auto kLineBound = 10s;        // far longer than any line takes: only a broken run waits
constexpr auto kBetweenLines = 20ms;    // between the lines whose cost is taken
const std::vector<int> kDocumentCounts = {0, 10, 100};
const std::vector<int> kPaintingDpis = {96, 144, 192};

// Values of one figure over all runs.
class Samples {
public:
    Samples() = default;
    explicit Samples(std::vector<double> values) : values_(std::move(values)) {}
    void Add(double value) { values_.push_back(value); }
    bool Empty() const { return values_.empty(); }
    std::size_t Count() const { return values_.size(); }
    double Median() const {
        std::vector<double> sorted = values_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Max() const { return *std::max_element(values_.begin(), values_.end()); }
    double Min() const { return *std::min_element(values_.begin(), values_.end()); }

private:
    std::vector<double> values_;
};

struct Figures {
    Samples panelCpu, panelServer;      // percent of wall time, over the "Con" clicks
    Samples restCpu, restServer;        // percent, the panel left alone as long
    Samples spinCpu, spinServer;        // percent, a spinning wait as long
    Samples response;                   // ms, click to the clicked command's first line
    Samples wakeUp;                     // ms, click to the command's first message to the client
    Samples paceCon, paceStart;         // s between the two lines
    std::map<int, Samples> lineCost;    // µs per line, by documents before the room
    std::map<int, Samples> findCost;    // µs per FindChatRoom alone
    std::map<int, double> slowestLine;  // µs, the slowest single line
    std::map<int, double> fastestLine;  // µs, the fastest single line
    LineCosts againstPair;              // room behind 0 documents
    Samples startup;                    // s, program start to panel shown
    std::map<int, Samples> painting;    // ms, the panel's picture painted, by density
    Samples workingSet, privateBytes;   // MB, after start-up
    Samples userObjects, gdiObjects;
    std::string objectsHow;
    std::filesystem::path shipped;                      // the program users get, if given
    std::string shippedHow;                             // how it runs here
    Samples shippedGreeting, shippedShown, shippedEnd;  // s, its start and end
    std::optional<Burst> burst;
};

void Say(const std::string& text) {
    std::fprintf(stderr, "bench: %s\n", text.c_str());
    std::fflush(stderr);
}

// CPU use over a stretch of time: the program's own threads, and Wine's server meanwhile.
class CpuMeter {
public:
    explicit CpuMeter(DWORD processId)
        : processId_(processId),
          wallStart_(CounterSeconds()),
          cpuStart_(ProcessCpuSeconds(processId)),
          serverStart_(WineserverCpuSeconds()) {}

    // Percentages of the wall time since construction (the server's only under Wine).
    void Stop(Samples& program, Samples& server) const {
        const double wall = CounterSeconds() - wallStart_;
        program.Add(100 * (ProcessCpuSeconds(processId_) - cpuStart_) / wall);
        const std::optional<double> serverNow = WineserverCpuSeconds();
        if (serverStart_ && serverNow) server.Add(100 * (*serverNow - *serverStart_) / wall);
    }

private:
    DWORD processId_;
    double wallStart_;
    double cpuStart_;
    std::optional<double> serverStart_;
};

void RequireLines(StandinClient& client, std::size_t count, const char* what) {
    if (client.record().WaitForLines(count, "room1", kLineBound).size() < count) {
        throw std::runtime_error(std::string("lines missing after ") + what);
    }
}

void Expect(bool good, const std::string& what) {
    if (!good) throw std::runtime_error(what);
}

// A spinning wait for `seconds`, measured as the panel is.
void MeasureSpin(double seconds, Figures& figures) {
    driver::Process spinner =
        driver::Process::Start(driver::BuildTreeProgram("bench/quillow_spin_wait.exe"));
    const HWND window = driver::WaitForTopLevelWindow(L"QuillowSpinWait", spinner.Id(), 10s);
    Expect(window != nullptr, "the spinning wait did not start");
    std::this_thread::sleep_for(200ms);  // well into its spinning
    const CpuMeter meter(spinner.Id());
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    meter.Stop(figures.spinCpu, figures.spinServer);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!spinner.WaitForExit(5s)) spinner.Terminate();
}

// One run of the panel beside a client of its own: start-up, footprint, CPU while waiting
// (and a spinning wait as long), pace, and response to clicks during a wait.
void PanelRun(int run, Figures& figures) {
    driver::Session session = driver::Session::Start("run" + std::to_string(run));
    StandinClient& client = session.client;
    RunningPanel& panel = session.panel;
    figures.startup.Add(panel.ShownAt() - panel.StartedAt());
    std::this_thread::sleep_for(500ms);

    const HANDLE process = panel.process().Handle();
    if (const std::optional<Memory> memory = MemoryOf(process)) {
        figures.workingSet.Add(static_cast<double>(memory->workingSet) / (1 << 20));
        figures.privateBytes.Add(static_cast<double>(memory->privateBytes) / (1 << 20));
    }
    const GuiObjects objects = GuiObjectsOf(process, panel.process().Id());
    figures.userObjects.Add(objects.user);
    figures.gdiObjects.Add(objects.gdi);
    figures.objectsHow = objects.how;

    // Back-to-back waiting commands: each "Con" clicked once the previous one's second line
    // has arrived, so the panel spends nearly all the time in its waits.
    const std::string torvik = Utf8ToAnsi(lines::kContactTorvik);
    const std::string zennoq = Utf8ToAnsi(lines::kContactZennoq);
    std::size_t count = client.record().Lines().size();
    const double waitingStart = CounterSeconds();
    const CpuMeter meter(panel.process().Id());
    for (int i = 0; i < kWaitingCommands; ++i) {
        Expect(panel.Click(layout::kConId), "could not click Con");
        count += 2;
        RequireLines(client, count, "Con");
        const std::vector<RecordEntry>& lines = client.record().Lines();
        Expect(lines[count - 2].bytes == torvik && lines[count - 1].bytes == zennoq,
               "Con posted other lines");
        figures.paceCon.Add(lines[count - 1].seconds - lines[count - 2].seconds);
    }
    meter.Stop(figures.panelCpu, figures.panelServer);
    const double waitingSeconds = CounterSeconds() - waitingStart;

    {
        const CpuMeter resting(panel.process().Id());
        std::this_thread::sleep_for(std::chrono::duration<double>(waitingSeconds));
        resting.Stop(figures.restCpu, figures.restServer);
    }
    MeasureSpin(waitingSeconds, figures);

    // "Adv" clicked while "Start" waits between its lines.
    const std::string wentIdle = Utf8ToAnsi(lines::kWentIdle);
    const std::string credit = Utf8ToAnsi(lines::kCredit);
    for (int i = 0; i < kResponsesPerRun; ++i) {
        const double started = CounterSeconds();
        Expect(panel.Click(layout::kStartId), "could not click Start");
        std::this_thread::sleep_until(
            std::chrono::steady_clock::now() +
            std::chrono::duration<double>(started + kClickIntoWait - CounterSeconds()));
        const double clicked = CounterSeconds();
        Expect(panel.Click(layout::kAdvId), "could not click Adv");
        count += 3;
        RequireLines(client, count, "Start with Adv");
        const std::vector<RecordEntry>& lines = client.record().Lines();
        Expect(lines[count - 3].bytes == wentIdle && lines[count - 2].bytes == credit,
               "Start and Adv posted other lines");
        Expect(lines[count - 3].seconds < clicked, "Start's first line came after the click");
        figures.response.Add(1000 * (lines[count - 2].seconds - clicked));
        // The first thing "Adv" does is look at the room's input box.
        for (const RecordEntry& entry : client.record().Entries()) {
            if (entry.kind == RecordEntry::Kind::Message && entry.role == "room1.input" &&
                entry.seconds > clicked) {
                figures.wakeUp.Add(1000 * (entry.seconds - clicked));
                break;
            }
        }
        figures.paceStart.Add(lines[count - 1].seconds - lines[count - 3].seconds);
    }

    panel.Click(layout::kExitId);
    if (!panel.process().WaitForExit(10s)) {
        throw std::runtime_error("the panel did not end on Exit");
    }
}

// The program users get, started beside a client of its own: to its first greeting, to its
// panel shown and drawn (it answers once its first painting is done), and from a close to the
// process gone (the farewell's 0.7 s wait among it). Where its code is emulated, these figures
// are the emulator's as much as the program's.
void ShippedRun(const std::filesystem::path& program, int run, Figures& figures) {
    driver::SessionOptions options;
    options.program = program;
    options.panelTimeout = 60s;
    driver::Session session = driver::Session::Start("shipped" + std::to_string(run), options);
    const RunningPanel& panel = session.panel;
    // The greetings came before the panel was shown, so they hold up nothing here.
    Expect(panel.Ping(20s).has_value(), "the shipped program's panel does not answer");
    figures.shippedShown.Add(CounterSeconds() - panel.StartedAt());
    figures.shippedGreeting.Add(session.client.record().Lines()[0].seconds - panel.StartedAt());
    const double closed = CounterSeconds();
    Expect(PostMessageW(panel.Window(), WM_CLOSE, 0, 0), "could not close the shipped program");
    Expect(panel.process().WaitForExit(20s), "the shipped program did not end on closing");
    figures.shippedEnd.Add(CounterSeconds() - closed);
}

// One line's round trip: ChatSend from this process, with the room behind `documents` other
// document windows. The lines go a little apart, as the panel's do, so that each is timed on
// its own rather than behind the client's drawing of the one before.
void LineCost(int documents, int runs, int linesPerRun, Figures& figures) {
    StandinClient client = StandinClient::Start("documents" + std::to_string(documents),
                                                {"--documents", std::to_string(documents)});
    Win32WindowOps ops;
    Expect(FindChatRoom(ops) != 0, "no chat room found");
    const std::string line(lines::kCredit);
    constexpr int kWarmUp = 10;
    for (int i = 0; i < kWarmUp; ++i) ChatSend(ops, line);

    double slowest = 0;
    double fastest = 1e9;
    for (int run = 0; run < runs; ++run) {
        double total = 0;
        for (int i = 0; i < linesPerRun; ++i) {
            std::this_thread::sleep_for(kBetweenLines);
            const double before = CounterSeconds();
            ChatSend(ops, line);
            const double took = CounterSeconds() - before;
            total += took;
            slowest = std::max(slowest, took);
            fastest = std::min(fastest, took);
        }
        figures.lineCost[documents].Add(1e6 * total / linesPerRun);
    }
    // The search alone, spaced the same way. (Back to back, with a hundred documents, Wine's
    // server answers the lookups several times slower than when they come now and then.)
    for (int run = 0; run < runs; ++run) {
        double total = 0;
        for (int i = 0; i < linesPerRun; ++i) {
            std::this_thread::sleep_for(kBetweenLines);
            const double before = CounterSeconds();
            Expect(FindChatRoom(ops) != 0, "the room went away");
            total += CounterSeconds() - before;
        }
        figures.findCost[documents].Add(1e6 * total / linesPerRun);
    }
    figures.slowestLine[documents] = 1e6 * slowest;
    figures.fastestLine[documents] = 1e6 * fastest;
    RequireLines(client, static_cast<std::size_t>(kWarmUp + runs * linesPerRun), "ChatSend");
    if (documents == 0) MeasureLineAgainstBarePair(linesPerRun, figures.againstPair);
    client.process().Terminate();
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
            figures.painting[dpi].Add(1000 * (CounterSeconds() - before));
        }
    }
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

class Table {
public:
    void Row(const std::string& figure, const std::string& median, const std::string& worst,
             const std::string& note) {
        char text[512];
        std::snprintf(text, sizeof text, "%-44s %12s %12s   %s\n", figure.c_str(), median.c_str(),
                      worst.c_str(), note.c_str());
        out_ << text;
    }
    void Row(const std::string& figure, const Samples& samples, const char* format,
             const std::string& note) {
        if (samples.Empty()) {
            Row(figure, "n/a", "n/a", note);
            return;
        }
        Row(figure, Format(format, samples.Median()), Format(format, samples.Max()), note);
    }
    void Text(const std::string& text) { out_ << text << "\n"; }
    std::string str() const { return out_.str(); }

private:
    std::ostringstream out_;
};

Samples Milliseconds(std::vector<double> seconds) {
    for (double& value : seconds) value *= 1000;
    return Samples(std::move(seconds));
}

// One line as the panel posts it against the bare pair to the same box, and their ratio.
void DescribeLineAgainstPair(const LineCosts& costs, const std::string& where, Table& t) {
    if (costs.chatSend.empty() || costs.barePair.empty()) return;
    const Samples line = Milliseconds(costs.chatSend), pair = Milliseconds(costs.barePair);
    t.Row("One line (ChatSend), " + where, line, "%.2f ms", "per line, in turns with the pair");
    t.Row("  the bare pair to the same box", pair, "%.2f ms",
          "WM_SETTEXT then Enter, sent by the benchmark");
    t.Row("  line against the pair", Format("%.2f", line.Median() / pair.Median()), "",
          "from the medians");
}

void DescribeBurst(const Burst& b, Table& t) {
    const BurstOptions asked;
    const double boundRate = Win32EventLoop::kMaxNesting / 0.7;
    t.Row("Burst: " + std::to_string(asked.clicks) + " \"Con\" at " +
              Format("%.0f", asked.perSecond) + "/s, last click to last line",
          Format(b.drained ? "%.1f s" : "> %.0f s", b.lastClickToLastLine), "",
          b.drained ? "one run" : "cut short: the backlog had not drained");
    t.Row("  commands a second while draining", Format("%.1f", b.commandsPerSecond), "",
          "the bound's own rate: " + std::to_string(Win32EventLoop::kMaxNesting) +
              " / 0.7 s = " + Format("%.1f", boundRate));
    t.Row("  deepest nesting", std::to_string(b.deepestNesting), "",
          "\"Con\" started and not yet finished at once");
    // Each click in a fresh pair, behind a burst of its own.
    double worst = 0;
    bool all = true;
    for (std::size_t i = 0; i < b.exitSeconds.size(); ++i) {
        const std::optional<double>& took = b.exitSeconds[i];
        all = all && took.has_value();
        if (took) worst = std::max(worst, *took);
        t.Row("  \"Exit\" " + Format("%.1f s", asked.exitMoments[i]) + " after the last click",
              took ? Format("%.3f s", *took) : Format("> %.0f s", asked.exitBound), "",
              i == 0 ? "mid-drain to the process gone; " + std::to_string(asked.exitClicks) +
                           " \"Con\" before it"
                     : "");
    }
    if (b.exitSeconds.empty()) return;
    t.Row("  \"Exit\" mid-drain to the process gone, worst",
          all ? Format("%.3f s", worst) : Format("> %.0f s", asked.exitBound), "",
          "of the clicks above");
    if (b.lineCosts.chatSend.empty()) return;
    // Against a line to the same clients, the ChatSend row below.
    const Samples line = Milliseconds(b.lineCosts.chatSend);
    t.Row("  worst \"Exit\" in lines", all ? Format("%.1f", 1000 * worst / line.Median()) : "n/a",
          "",
          b.drainGaps.empty() ? std::string("against the median line below")
                              : "against the median line below; back to back in the drain " +
                                    Format("%.2f ms", 1000 * Samples(b.drainGaps).Median()));
    DescribeLineAgainstPair(b.lineCosts, "same clients after Exit", t);
}

void DescribePainting(const Figures& f, Table& t) {
    for (const auto& [dpi, samples] : f.painting) {
        const layout::PixelSize size =
            layout::PictureSize({art::kDesignWidth, art::kDesignHeight}, dpi);
        const std::string pixels = std::to_string(size.width) + " x " + std::to_string(size.height);
        t.Row("Painting the picture at " + std::to_string(dpi) + " dpi", samples, "%.1f ms",
              dpi == 96    ? pixels + "; under 20 ms"
              : dpi == 192 ? pixels + "; under 80 ms"
                           : pixels);
    }
}

std::string Describe(const Figures& f, int runs, int linesPerRun) {
    Table t;
    t.Text("Quillow benchmark: " + std::to_string(runs) +
           " runs; median and worst (the highest) of the samples");
    t.Row("figure", "median", "worst", "target, or for scale");
    if (f.panelCpu.Empty() && f.burst) {  // the burst alone was asked for
        DescribeBurst(*f.burst, t);
        return t.str();
    }
    if (f.panelCpu.Empty()) {  // the painting alone
        DescribePainting(f, t);
        return t.str();
    }
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
    t.Row("Pace: \"Con\", first line to second", f.paceCon, "%.3f s",
          "0.70 to 0.72 s; shortest " +
              (f.paceCon.Empty() ? "n/a" : Format("%.3f s", f.paceCon.Min())));
    t.Row("Pace: \"Start\", first line to second", f.paceStart, "%.3f s",
          "0.70 to 0.72 s; shortest " +
              (f.paceStart.Empty() ? "n/a" : Format("%.3f s", f.paceStart.Min())));
    for (const auto& [documents, samples] : f.lineCost) {
        t.Row("Cost of a line, room behind " + std::to_string(documents) + " documents", samples,
              "%.0f us",
              "ChatSend, mean of " + std::to_string(linesPerRun) + "; single lines " +
                  Format("%.0f", f.fastestLine.at(documents)) + " to " +
                  Format("%.0f us", f.slowestLine.at(documents)));
    }
    DescribeLineAgainstPair(f.againstPair, "0 documents", t);
    for (const auto& [documents, samples] : f.findCost) {
        t.Row("  of which finding the room, " + std::to_string(documents) + " documents", samples,
              "%.0f us", "FindChatRoom alone: window lookups, no messages");
    }
    if (f.findCost.count(0) && !f.findCost.at(0).Empty()) {
        for (const auto& [documents, samples] : f.findCost) {
            if (documents == 0) continue;
            t.Row("  finding the room: added per document, " + std::to_string(documents),
                  Format("%.1f us", (samples.Median() - f.findCost.at(0).Median()) / documents), "",
                  "from the medians");
        }
    }
    t.Row("Start-up: program start to panel shown", f.startup, "%.3f s",
          "0.7 s of it is the wait between the greetings");
    DescribePainting(f, t);
    t.Row("Working set after start-up", f.workingSet, "%.1f MB", "");
    t.Row("Private bytes after start-up", f.privateBytes, "%.1f MB", "");
    t.Row("USER objects after start-up", f.userObjects, "%.0f", "counted as " + f.objectsHow);
    t.Row("GDI objects after start-up", f.gdiObjects, "%.0f", "");
    if (!f.shippedShown.Empty()) {
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
    if (f.burst) DescribeBurst(*f.burst, t);
    return t.str();
}

int Main(int argc, char** argv) {
    int runs = 5;
    int linesPerRun = 200;
    Figures figures;
    std::string results;
    bool burstOnly = false;
    bool paintingOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--burst-only") {
            burstOnly = true;
        } else if (arg == "--painting-only") {
            paintingOnly = true;
        } else if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--lines" && i + 1 < argc) {
            linesPerRun = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--results" && i + 1 < argc) {
            results = argv[++i];
        } else if (arg == "--shipped" && i + 2 < argc) {
            figures.shipped = Utf8ToWide(argv[++i]);
            figures.shippedHow = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: quillow_bench [--runs N] [--lines N] "
                         "[--burst-only | --painting-only] [--results FILE] "
                         "[--shipped PROGRAM HOW]\n");
            return 2;
        }
    }
    if (driver::FindTopLevelWindow(L"AOL Frame25") != nullptr ||
        driver::FindTopLevelWindow(L"QuillowPanel") != nullptr) {
        std::fprintf(stderr, "bench: a client or a panel is already running; stop it first\n");
        return 1;
    }

    try {
        if (!burstOnly) {
            Say("painting the picture at " + std::to_string(kPaintingDpis.size()) + " densities");
            MeasurePainting(runs, figures);
        }
        for (int run = 1; run <= runs && !burstOnly && !paintingOnly; ++run) {
            Say("run " + std::to_string(run) + " of " + std::to_string(runs) +
                ": start-up, footprint, waiting, response, pace");
            PanelRun(run, figures);
        }
        for (const int documents : kDocumentCounts) {
            if (burstOnly || paintingOnly) break;
            Say("cost of a line behind " + std::to_string(documents) + " documents");
            LineCost(documents, runs, linesPerRun, figures);
        }
        for (int run = 1; run <= runs && !burstOnly && !paintingOnly && !figures.shipped.empty();
             ++run) {
            Say("the shipped program's start-up, run " + std::to_string(run));
            ShippedRun(figures.shipped, run, figures);
        }
        if (!paintingOnly) {
            Say("a burst of clicks, and \"Exit\" behind it");
            figures.burst = MeasureBurst({});
        }
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
