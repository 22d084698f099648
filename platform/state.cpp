#include "platform/state.h"

#include "platform/clock.h"
#include "platform/db.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"

namespace platform {

void ResetCoreState() {
    Workspace::Default().CloseAll();
    ShutdownSound();
    SetProgramFolder("");
    InvalidatePathCache();
    SetNow(std::nullopt);
    ResetRandom();
    ResetLog();
    SetLogToStderr(true);
}

}  // namespace platform
