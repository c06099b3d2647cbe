#include "demo/panel_steps.h"

#include <array>
#include <chrono>
#include <stdexcept>
#include <string_view>

#include "automation/ansi_text.h"
#include "demo/tour_windows.h"
#include "driver/controls.h"
#include "driver/running_panel.h"

namespace quillow::demo {
namespace {

// What pressing one button makes the client take.
struct PanelStep {
    std::wstring_view name;
    int buttonId;
    const char* caption;
    size_t lines;                  // chat lines
    std::string_view imRecipient;  // an instant message to this recipient, if not empty
    bool lastLineCarriesReason = false;
};

constexpr std::array<PanelStep, 6> kSteps{{
    {L"start", driver::kStartButton, "Start", 2, "", true},
    {L"stop", driver::kStopButton, "Stop", 1, ""},
    {L"imon", driver::kImOnButton, "IM on", 1, "$IM_on"},
    {L"imoff", driver::kImOffButton, "IM off", 1, "$IM_off"},
    {L"adv", driver::kAdvButton, "Adv", 1, ""},
    {L"con", driver::kConButton, "Con", 2, ""},
}};

// A button's lines are 0.7 s apart, an instant message takes the client's window a moment to
// open: generous bounds that a healthy run never comes near.
constexpr std::chrono::seconds kStepTimeout{15};
constexpr std::chrono::seconds kCloseTimeout{15};

const PanelStep* FindStep(const std::wstring& name) {
    for (const PanelStep& step : kSteps) {
        if (step.name == name) return &step;
    }
    return nullptr;
}

HWND PanelControl(HWND panel, int id) {
    const HWND control = GetDlgItem(panel, id);
    if (control == nullptr) {
        throw std::runtime_error("the panel has no control with id " + std::to_string(id));
    }
    return control;
}

// The reason box's text, as the client will get it (in the ANSI code page).
std::string ReasonAsSent(HWND panel) {
    const auto text = driver::ReadText(PanelControl(panel, driver::kReasonBox));
    if (!text) throw std::runtime_error("the panel did not answer when asked for its reason");
    return Utf8ToAnsi(WideToUtf8(*text));
}

void WaitForLines(driver::RecordFile& record, size_t before, const PanelStep& step,
                  const std::string& reason) {
    const auto lines = record.WaitForEvents("line", before + step.lines, kStepTimeout);
    if (lines.size() < before + step.lines) {
        throw std::runtime_error(std::string("\"") + step.caption + "\": the client took " +
                                 std::to_string(lines.size() - before) + " of its " +
                                 std::to_string(step.lines) + " lines");
    }
    const std::string& last = lines[before + step.lines - 1].bytes;
    if (step.lastLineCarriesReason && last.find(reason) == std::string::npos) {
        throw std::runtime_error(std::string("\"") + step.caption +
                                 "\": its last line does not carry the reason");
    }
}

void WaitForInstantMessage(driver::RecordFile& record, size_t before, const PanelStep& step) {
    const auto sent = record.WaitForEvents("im", before + 1, kStepTimeout);
    if (sent.size() <= before || sent.back().where != step.imRecipient) {
        throw std::runtime_error(std::string("\"") + step.caption + "\": no instant message to " +
                                 std::string(step.imRecipient));
    }
}

}  // namespace

bool IsPanelStep(const std::wstring& step) { return FindStep(step) != nullptr; }

void TypeReason(HWND panel, const std::wstring& reason) {
    if (!driver::SetText(PanelControl(panel, driver::kReasonBox), reason)) {
        throw std::runtime_error("the panel did not take the reason");
    }
}

void RunPanelStep(HWND panel, driver::RecordFile& record, const std::wstring& name) {
    const PanelStep* step = FindStep(name);
    if (step == nullptr) throw std::runtime_error("unknown step: " + WideToUtf8(name));
    const std::string reason = step->lastLineCarriesReason ? ReasonAsSent(panel) : "";
    const size_t lines = record.Events("line").size();
    const size_t messages = record.Events("im").size();
    if (!driver::ClickButton(PanelControl(panel, step->buttonId))) {
        throw std::runtime_error(std::string("could not press \"") + step->caption + "\"");
    }
    WaitForLines(record, lines, *step, reason);
    if (!step->imRecipient.empty()) WaitForInstantMessage(record, messages, *step);
}

void ClosePanel(HWND panel, driver::RecordFile* record) {
    const size_t lines = record != nullptr ? record->Events("line").size() : 0;
    CloseAndWait(panel, "Quillow", kCloseTimeout);
    // The farewell lines are taken before the window goes.
    if (record != nullptr && record->Events("line").size() < lines + 2) {
        throw std::runtime_error("Quillow closed without its two farewell lines");
    }
}

}  // namespace quillow::demo
