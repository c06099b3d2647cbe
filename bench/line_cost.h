// One line as the panel posts it against the bare pair of messages a line needs.
#pragma once

#include <vector>

namespace quillow::bench {

struct LineCosts {
    std::vector<double> chatSend;  // s per line: ChatSend, as the panel posts a line
    std::vector<double> barePair;  // s per pair: WM_SETTEXT then Enter, to the same box
};

// `lines` of each, taken in turns a little apart (as the panel's lines come) from this
// process, to the room of the client running now, so that both see the same client and the
// same transcript. Adds to `costs`; throws std::runtime_error without a room.
void MeasureLineAgainstBarePair(int lines, LineCosts& costs);

}  // namespace quillow::bench
