#pragma once
// Ends asked for from outside the program: the signals a logout or a
// shutdown sends (SIGTERM, SIGHUP), a Ctrl-C in the terminal that started the
// game (SIGINT), the desktop session's request to save before it ends (Qt's
// commitDataRequest), or the application being quit by something other than
// the program. The signal handler only writes a byte into a pipe; the request
// itself runs on the user-interface thread from its event loop, between two
// events, never inside a modal wait (it waits for the wait to end).

#include <functional>

namespace platform {

// Installs the handlers (once, with the application object alive); `request`
// runs at most once per run, at the first such request.
void OnEndRequest(std::function<void()> request);

}  // namespace platform
