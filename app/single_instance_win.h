// One panel a session: a second start of the program brings the running panel to the front
// instead of opening another, which would post every line into the room a second time.
#pragma once

namespace quillow {

// True when no other Quillow runs in this Windows session. From then until this process ends,
// however it ends, later starts in the session find this one running.
[[nodiscard]] bool ClaimSession();

// Brings the session's running panel to the front, restoring it if it is minimized. A panel
// still hidden behind its greetings is left to show itself when they are done.
void ShowRunningPanel();

}  // namespace quillow
