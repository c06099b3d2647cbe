#include "demo/tour.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "automation/ansi_text.h"
#include "demo/instant_message_draft.h"
#include "demo/panel_steps.h"
#include "demo/tour_windows.h"

namespace quillow::demo {
namespace {

constexpr std::chrono::seconds kClientCloseTimeout{15};

void Say(const std::string& what) { std::fprintf(stderr, "tour: %s\n", what.c_str()); }

void CheckSteps(const TourOptions& options) {
    for (const std::wstring& step : options.steps) {
        if (!IsPanelStep(step)) throw std::runtime_error("unknown step: " + WideToUtf8(step));
    }
}

void WorkPanel(HWND panel, const TourOptions& options, driver::RecordFile* record) {
    if (options.panelPlace) {
        Say("moving the panel");
        MoveWindowTo(panel, options.panelPlace->x, options.panelPlace->y);
    }
    if (options.expectedDpi) CheckPanelDensity(panel, *options.expectedDpi);
    if (options.reason) {
        Say("typing the reason \"" + WideToUtf8(*options.reason) + "\"");
        TypeReason(panel, *options.reason);
    }
    for (const std::wstring& step : options.steps) {
        Say("pressing " + WideToUtf8(step));
        RunPanelStep(panel, *record, step);
    }
}

void CloseBoth(driver::RecordFile* record) {
    if (const HWND panel = FindPanel()) {
        Say("closing Quillow");
        ClosePanel(panel, record);
    }
    if (const HWND client = FindClient()) {
        Say("closing the client");
        CloseAndWait(client, "the stand-in client", kClientCloseTimeout);
    }
}

}  // namespace

void RunTour(const TourOptions& options) {
    CheckSteps(options);
    std::unique_ptr<driver::RecordFile> record;
    if (!options.recordFile.empty())
        record = std::make_unique<driver::RecordFile>(options.recordFile);
    const HWND client = options.UsesClient() ? WaitForClient() : nullptr;
    const HWND panel = options.UsesPanel() ? WaitForPanel() : nullptr;
    if (panel != nullptr) WorkPanel(panel, options, record.get());
    if (options.draft) {
        Say("writing an instant message");
        WriteInstantMessage(client, *record, options.draft->recipient, options.draft->message);
    }
    if (options.printGeometryOf) {
        const HWND window = *options.printGeometryOf == L"panel" ? panel : client;
        std::printf("%s\n", ScreenGeometry(window).c_str());
    }
    if (options.close) CloseBoth(record.get());
}

}  // namespace quillow::demo
