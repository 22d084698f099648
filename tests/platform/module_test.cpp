#include "platform/log.h"
#include "platform/module.h"

#include <gtest/gtest.h>

using namespace platform;

// The modules the platform loads on first use are found from a program that
// is not beside them, each with its entry; a module that is not there gives
// nothing, logged once.
TEST(ModuleTest, ModulesAreFoundWithTheirEntriesAndAMissingOneIsLoggedOnce) {
    ResetLog();
    SetLogToStderr(false);
    EXPECT_NE(ModuleEntry("sound_mixer", "brotalia_sound_mixer_create"), nullptr);
    EXPECT_NE(ModuleEntry("film_window", "brotalia_film_window_open"), nullptr);
    EXPECT_NE(ModuleEntry("print_server", "brotalia_print_server_talk"), nullptr);
    EXPECT_FALSE(WasLogged("modulo:sound_mixer"));

    EXPECT_EQ(ModuleEntry("sound_mixer", "nao_existe"), nullptr);
    EXPECT_TRUE(WasLogged("modulo:sound_mixer:nao_existe"));
    EXPECT_EQ(ModuleEntry("nenhum", "brotalia_sound_mixer_create"), nullptr);
    EXPECT_TRUE(WasLogged("modulo:nenhum"));
    SetLogToStderr(true);
}
