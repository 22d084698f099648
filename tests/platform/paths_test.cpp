#include "platform/log.h"
#include "platform/paths.h"
#include "temp_folder.h"
#include "tests/comum/outro_usuario.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

// Data folders a pupil may be given, each made as the pupil makes its own
// (the test's account, or "nobody" under root) and judged by that account:
// taken only where no other account can write in it, rename what lies on the
// way to it or lead the way through a link of its own.
class DataFolderTest : public PathsTest {
protected:
    const bool root = ::geteuid() == 0;
    const uid_t aluno = root ? comum::kNinguem : ::geteuid();
    const uid_t outro = aluno == 65533 ? 65532 : 65533;
    const std::string nome = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    TempFolder home;
    const std::string casa = home.path() + "/casa";
    struct Caso {
        std::string base;  // $XDG_DATA_HOME; the data folder is base/<nome>
        bool recusado;
    };
    std::vector<Caso> casos;

    // A folder below casa with this mode, the pupil's.
    std::string pasta(const std::string& rel, mode_t modo) {
        const std::string p = casa + "/" + rel;
        std::filesystem::create_directories(p);
        ::chmod(p.c_str(), modo);
        if (root) ::chown(p.c_str(), aluno, aluno);
        return p;
    }
    // A base with its data folder: the base with mode `modo`, the data folder with `dados`.
    std::string base(const std::string& rel, mode_t modo, mode_t dados = 0700) {
        pasta(rel + "/" + nome, dados);
        return pasta(rel, modo);
    }
    void julga() {
        folder.write(kInstallManifest);  // an installed copy: each account writes in its own data folder
        ::chmod(home.path().c_str(), 0755);
        SetProgramFolder(folder.path());
        const int falhas = comum::como_outro_usuario(casa, [&] {
            int falhas = 0;
            for (const Caso& c : casos) {
                ::setenv("XDG_DATA_HOME", c.base.c_str(), 1);
                SetProgramFolder(folder.path());
                const std::string recusa = DataFolderRefusal();
                if (recusa.empty() == c.recusado)
                    std::fprintf(stderr, "%s: %s\n", c.base.c_str(), recusa.empty() ? "aceita" : recusa.c_str());
                falhas += recusa.empty() == c.recusado;
            }
            return falhas;
        });
        EXPECT_EQ(falhas, 0);
    }
};

TEST_F(DataFolderTest, ModesOwnersAndLinksOnTheWay) {
    casos = {{base("propria", 0700), false},
             {base("aberta", 0777), true},             // anyone may rename the data folder away
             {base("como_tmp", 01777), false},         // each keeps their own names there
             {base("pegajosa", 0700, 01777), true}};   // but not in the data folder itself
    // The group that owns the data folder may write in it: another account's
    // group (root's under root; for an ordinary user, another group of theirs).
    gid_t grupos[64];
    const int n = root ? 0 : ::getgroups(64, grupos);
    const auto outro_grupo = std::find_if(grupos, grupos + n, [](gid_t g) { return g != ::getegid(); });
    if (root || outro_grupo != grupos + n) {
        const std::string b = base("do_grupo", 0700, 0770);
        ::chown((b + "/" + nome).c_str(), aluno, root ? 0 : *outro_grupo);
        casos.push_back({b, true});
    }
    // ~/.local/share a link of the pupil's into a folder anyone may write:
    // the way is checked where the link leads.
    const std::string alvo = base("aberta2", 0777);
    std::filesystem::create_directory_symlink(alvo, casa + "/via_link");
    if (root) ::lchown((casa + "/via_link").c_str(), aluno, aluno);
    casos.push_back({casa + "/via_link", true});
    // The pupil's own folder reached through another account's link.
    if (root) {
        const std::string propria = base("propria2", 0700);
        std::filesystem::create_directory_symlink(propria, casa + "/link_alheio");
        ::lchown((casa + "/link_alheio").c_str(), outro, outro);
        casos.push_back({casa + "/link_alheio", true});
    }
    julga();
}

TEST_F(DataFolderTest, AnAccessListLettingAnotherAccountWriteIsRefused) {
    const std::string u = "u:" + std::to_string(outro) + ":";
    auto acl = [&](const std::string& entrada, const std::string& p) {
        return std::system(("setfacl -m '" + entrada + "' '" + p + "' 2>/dev/null").c_str()) == 0;
    };
    const std::string nela = base("acl_nela", 0700), acima = base("acl_acima", 0700),
                      leitura = base("acl_leitura", 0700), mascarada = base("acl_mascarada", 0700);
    if (!acl(u + "rwx", nela + "/" + nome)) GTEST_SKIP() << "setfacl ausente ou sem listas de acesso aqui";
    ASSERT_TRUE(acl(u + "rwx", acima) && acl(u + "rx", leitura + "/" + nome) && acl(u + "rwx", mascarada + "/" + nome));
    ::chmod((mascarada + "/" + nome).c_str(), 0700);  // the mask takes the write away
    casos = {{nela, true}, {acima, true}, {leitura, false}, {mascarada, false}};
    julga();
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
