#pragma once
// The end of the process: every thread the platform starts (pictures decoded
// ahead, the sound module loading, songs loading, talks with the print
// server) is ended and joined by Shutdown, before the process runs its exit
// handlers and destroys its statics, where a thread still running would
// find the objects it uses gone. The program and every test program call it
// once their work is done.

#include <functional>
#include <thread>

namespace platform {

// Registers what ends a part's threads; Shutdown runs it. The part registers
// once, when it starts its first thread. `end` must be safe to run more than
// once, and the part must stay usable after it (tests go on after a shutdown).
void AtShutdown(std::function<void()> end);

// Keeps a thread that outlives the call that started it (its caller stopped
// waiting for it): Shutdown joins it.
void JoinAtShutdown(std::thread thread);

// Ends and joins every thread above, the latest registered first.
void Shutdown();

}  // namespace platform
