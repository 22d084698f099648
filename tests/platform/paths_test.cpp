#include "platform/log.h"
#include "platform/paths.h"
#include "temp_folder.h"
#include "tests/comum/outro_usuario.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

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

TEST_F(PathsTest, AProgramFolderTheUserCannotWriteIsOverlaidByTheDataFolder) {
    const std::string p = folder.path();
    EXPECT_EQ(DataFolder(), p);  // a folder this run can write is its own data folder
    folder.write("hortas00.mdb-wal", "log");
    ::chmod(p.c_str(), 0755);
    TempFolder home;  // the user's home, where the data folder is made
    ::chmod(home.path().c_str(), 0755);
    SetProgramFolder(p);
    const auto before = comum::listagem(p);

    const int failed = comum::como_outro_usuario(home.path() + "/casa", [&] {
        int failed = 0;
        auto check = [&](const std::string& got, const std::string& expected) {
            if (got != expected) std::fprintf(stderr, "%d: \"%s\", not \"%s\"\n", ++failed, got.c_str(), expected.c_str());
        };
        const std::string data = home.path() + "/casa/" + std::filesystem::read_symlink("/proc/self/exe").filename().string();
        check(ResolvePath(p + "\\HORTAS00.MDB"), p + "/hortas00.mdb");  // read where it is until written
        check(ResolvePathForWrite(p + "\\HORTAS00.MDB"), data + "/hortas00.mdb");
        check(DataFolder(), data);
        check(platform_test::readAll(data + "/hortas00.mdb") + platform_test::readAll(data + "/hortas00.mdb-wal"), "xlog");
        check(ResolvePath(p + "\\hortas00.mdb"), data + "/hortas00.mdb");
        check(ResolvePathForWrite(p + "\\relatorio.pdf"), data + "/relatorio.pdf");
        check(ResolvePath(p + "\\blip.wav"), p + "/Blip.WAV");
        check(ResolvePath("\\anima\\az_alf.bmp"), p + "/drives/C/anima/az_alf.bmp");
        check(ResolvePathForWrite("C:\\anima\\novo.bmp"), p + "/drives/C/anima/novo.bmp");
        struct stat st;
        ::stat(data.c_str(), &st);
        check(std::to_string(st.st_mode & 0777), std::to_string(0700));
        // Where no data folder can be made, what is there is read where it is and
        // a write fails in the data folder, which its message names.
        ::setenv("XDG_DATA_HOME", "/proc/brotalia", 1);
        SetProgramFolder(p);
        check(ResolvePathForWrite(p + "\\gm.mdb"), "/proc/brotalia/" + data.substr(data.find_last_of('/') + 1) + "/gm.mdb");
        check(ResolvePath(p + "\\hortas00.mdb"), p + "/hortas00.mdb");
        return failed;
    });
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(comum::listagem(p), before);
}

// A program folder on a file system mounted read-only (in a mount namespace
// of the test's child alone) is overlaid by the data folder too.
TEST_F(PathsTest, AProgramFolderOnAReadOnlyMountIsOverlaidByTheDataFolder) {
    if (::geteuid() != 0) GTEST_SKIP() << "só o superusuário monta uma pasta só para leitura";
    const std::string p = folder.path();
    TempFolder home;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(p.c_str(), p.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, p.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            ::_exit(100);
        ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        SetProgramFolder(p);
        const std::string data = home.path() + "/" + std::filesystem::read_symlink("/proc/self/exe").filename().string();
        ::_exit(DataFolder() == data && ResolvePathForWrite(p + "\\relatorio.pdf") == data + "/relatorio.pdf" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100) GTEST_SKIP() << "não foi possível montar uma pasta só para leitura aqui";
    EXPECT_EQ(WEXITSTATUS(status), 0);
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
