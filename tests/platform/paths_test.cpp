#include "platform/log.h"
#include "platform/paths.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace platform;
using platform_test::TempFolder;

namespace {

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InvalidatePathCache();
        folder.write("drives/C/anima/az_alf.bmp");
        folder.write("drives/C/audio/Caipira/OI.wav");
        folder.write("drives/F/anima/planet01.bmp");
        folder.write("hortas00.mdb");
        folder.write("Blip.WAV");
    }
    TempFolder folder;
};

TEST_F(PathsTest, ResolvesGamePathsWithoutRegardToCase) {
    const std::string p = folder.path();
    struct Case {
        std::string game, real;
    } cases[] = {
        {"C:\\anima\\az_alf.bmp", p + "/drives/C/anima/az_alf.bmp"},
        {"C:\\anima\\AZ_ALF.bmp", p + "/drives/C/anima/az_alf.bmp"},
        {"c:\\ANIMA\\AZ_alf.BMP", p + "/drives/C/anima/az_alf.bmp"},
        {"\\anima\\az_alf.bmp", p + "/drives/C/anima/az_alf.bmp"},  // empty media root
        {"C:\\audio\\caipira\\oi.wav", p + "/drives/C/audio/Caipira/OI.wav"},
        {"F:\\anima\\PLANET01.bmp", p + "/drives/F/anima/planet01.bmp"},
        {p + "\\hortas00.mdb", p + "/hortas00.mdb"},
        {p + "\\HORTAS00.MDB", p + "/hortas00.mdb"},
        {p + "\\blip.wav", p + "/Blip.WAV"},
        {"C:/anima//az_alf.bmp", p + "/drives/C/anima/az_alf.bmp"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolvePath(c.game), c.real) << c.game;
}

TEST_F(PathsTest, MissingFilesAndOtherDrivesResolveEmpty) {
    for (std::string game : {"C:\\anima\\nada.bmp", "D:\\anima\\az_alf.bmp", "F:\\anima\\az_alf.bmp",
                             "A:\\anima\\az_alf.bmp", "Z:\\x.bmp", "", "\\anima\\az_alf.bmp\\x"})
        EXPECT_EQ(ResolvePath(game), "") << game;
    EXPECT_FALSE(FileExists("C:\\anima"));  // a folder is not a file
    EXPECT_TRUE(FileExists("\\ANIMA\\az_alf.bmp"));
}

TEST_F(PathsTest, WritePathKeepsExistingNameOrUsesTheGivenOne) {
    const std::string p = folder.path();
    EXPECT_EQ(ResolvePathForWrite(p + "\\HORTAS00.mdb"), p + "/hortas00.mdb");
    EXPECT_EQ(ResolvePathForWrite(p + "\\gm.mdb"), p + "/gm.mdb");
    EXPECT_EQ(ResolvePathForWrite("c:\\ANIMA\\novo.bmp"), p + "/drives/C/anima/novo.bmp");
    EXPECT_EQ(ResolvePathForWrite("C:\\naoexiste\\novo.bmp"), "");
}

TEST_F(PathsTest, CachedListingsAreInvalidated) {
    EXPECT_EQ(ResolvePath("C:\\anima\\NOVO.bmp"), "");  // lists the folder
    folder.write("drives/C/anima/novo.bmp");
    InvalidatePathCache();
    EXPECT_EQ(ResolvePath("C:\\anima\\NOVO.bmp"), folder.path() + "/drives/C/anima/novo.bmp");
}

TEST(LogTest, EachKeyIsLoggedOnce) {
    ResetLog();
    SetLogToStderr(false);
    EXPECT_TRUE(LogOnce("a", "primeira"));
    EXPECT_FALSE(LogOnce("a", "de novo"));
    EXPECT_TRUE(LogOnce("b", "outra"));
    EXPECT_TRUE(WasLogged("a"));
    ResetLog();
    EXPECT_FALSE(WasLogged("a"));
    EXPECT_TRUE(LogOnce("a", "após limpar"));
    SetLogToStderr(true);
}

}  // namespace
