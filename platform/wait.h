#pragma once
// A modal wait: the user-interface thread waits for work done elsewhere (the
// print server's answer, say) while the program goes on living. Its timers
// tick, its windows paint and its sounds play; the player's clicks and keys
// are ignored and the pointer shows the hourglass, so nothing the player does
// meanwhile starts anything behind the waiting code's back.

#include <chrono>
#include <functional>

namespace platform {

// Runs the events of the calling thread until done() is true or the time
// limit has passed (done is asked every 10 ms). Off the user-interface
// thread it only sleeps between the checks.
void ModalWait(const std::function<bool()>& done, std::chrono::steady_clock::time_point limit);

// Has the modal waits running on the user-interface thread ask their done()
// now rather than at their next 10 ms check. Any thread may call it, while
// the application object lives.
void WakeModalWaits();

// True while a modal wait runs on the user-interface thread.
bool InModalWait();

// Called at the start of every modal wait: the user-interface layer lets go
// of a mouse press or drag in progress, whose release would otherwise land
// during the wait.
void SetModalWaitStartHook(std::function<void()> hook);

}  // namespace platform
