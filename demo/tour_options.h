// What the tour is asked to do, from its command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillow::demo {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct InstantMessageDraft {
    std::wstring recipient;
    std::wstring message;
};

struct TourOptions {
    std::wstring recordFile;             // the stand-in client's record
    std::optional<std::wstring> reason;  // typed into the reason box first
    std::vector<std::wstring> steps;     // panel buttons to press, in order
    std::optional<InstantMessageDraft> draft;
    std::optional<ScreenPoint> panelPlace;        // where to move the panel's window
    std::optional<int> expectedDpi;               // the density the panel must be laid out for
    std::optional<std::wstring> printGeometryOf;  // "panel" or "client"
    bool close = false;
    bool help = false;

    // Whether the tour works the stand-in client before closing (and so needs it running).
    bool UsesClient() const;
    // Whether the tour works the panel before closing (and so needs it running).
    bool UsesPanel() const;
};

// The options from the arguments (without the program name). Throws std::invalid_argument,
// naming the fault, when they are not a valid command line.
TourOptions ParseTourOptions(const std::vector<std::wstring>& arguments);

extern const char* const kTourUsage;

}  // namespace quillow::demo
