#pragma once
// One call that puts every piece of the platform core's shared state back as
// it is at program start, for tests: the program folder (the executable's
// own) and the path caches, the system clock and the random generator's
// initial seed, the log of reported problems, the kept database connections
// and the sound back end (chosen afresh at the next sound).

namespace platform {

void ResetCoreState();

}  // namespace platform
