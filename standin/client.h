// The stand-in client as a whole: the main window "AOL Frame25" with its toolbar, its
// multiple-document area ("MDIClient") and status strip, and the document windows in it.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

// The command line: which window tree to build and how to behave.
struct Options {
    int documents = 0;
    bool hangInput = false;
    int lineDelayMs = 0;  // how long taking each line takes
    POINT position{CW_USEDEFAULT, CW_USEDEFAULT};
    SIZE size{900, 640};
    std::string recordPath;  // UTF-8; empty: no record
    bool help = false;
};

// Builds every window, writes the "ready" entry and runs the message loop; returns the exit
// code (1 when the main window could not be made).
int RunClient(const Options& options);

}  // namespace standin
