// The stand-in client's command line: which window tree to build and how to behave.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Point {
    int x = 0;
    int y = 0;
};

struct Extent {
    int width = 0;
    int height = 0;
};

struct Options {
    int rooms = 1;
    int documents = 0;
    int decoys = 0;
    bool transcriptAfterInput = false;
    int toolbarIcons = 8;
    int imIcons = 12;
    std::optional<std::string> imOpenDraft;  // UTF-8, as given
    bool hangInput = false;
    unsigned imDelayMs = 200;
    std::optional<int> swapRoomAfterLines;
    std::optional<int> quitAfterLines;
    std::optional<Point> position;
    std::optional<Extent> size;
    std::string recordPath;  // UTF-8; empty: no record
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line was understood
};

// `args` are the UTF-8 arguments after the program name. Both "--name value" and
// "--name=value" are accepted.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The usage text printed for --help and after a command-line error.
std::string_view UsageText();

}  // namespace standin
