// Two slow look-ups the first frame waits for, begun on another core while
// the window is built: fontconfig's configuration and font list (some 7 ms),
// which the menu bar's first measure needs, and the connection to the session
// bus (some 5 ms, longer when there is no bus and it tries to launch one),
// which the menu bar and the screen-reader bridge ask for on this thread.
#pragma once

#include <thread>

namespace trelva {

// One thread each, so that neither waits for the other. Start them once the application
// object exists and keep them until it ends; they join as they go. Whatever
// the toolkit asks for before a thread has it, it looks up itself.
struct Ricerche {
    std::jthread caratteri;
    std::jthread bus;
};
Ricerche anticipaLeRicerche();

} // namespace trelva
