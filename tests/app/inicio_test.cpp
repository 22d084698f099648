// Starts of the game's program itself, each copy in a fresh program folder
// (the game's folder is the one its program lies in), and its installation:
// the install rules, the uninstall and the Debian package.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A fresh folder in the temporary folder, removed when the test ends.
struct PastaNova {
    fs::path caminho;
    PastaNova() {
        std::string modelo = (fs::temp_directory_path() / "brotalia-app-XXXXXX").string();
        caminho = ::mkdtemp(modelo.data());
    }
    ~PastaNova() {
        std::error_code ec;
        fs::remove_all(caminho, ec);
    }
};

std::string le(const fs::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The files directly in a folder (not those of its sub-folders), each with
// its contents.
std::map<std::string, std::string> conteudo(const fs::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.is_regular_file()) r[e.path().filename().string()] = le(e.path());
    return r;
}

// Everything under a folder, each entry with its mode, size and time of change.
std::map<std::string, std::string> arvore(const fs::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& e : fs::recursive_directory_iterator(pasta)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        r[e.path().string()] = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " +
                               std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    }
    return r;
}

// Starts the program headless, its output into saida; with a user, as that
// user; with `dados`, its data folders there.
pid_t inicia(const fs::path& programa, const fs::path& saida, uid_t usuario = 0, const fs::path& dados = {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(saida.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!dados.empty()) ::setenv("XDG_DATA_HOME", dados.c_str(), 1);
        if (usuario != 0 && (::setgid(usuario) != 0 || ::setuid(usuario) != 0)) ::_exit(126);
        ::execl(programa.c_str(), "brotalia", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// Whether a run said that the game is already open, and what to do.
bool diz_ja_aberto(const fs::path& saida) {
    return le(saida).find("O Brotalia já está aberto nesta conta. Feche primeiro o jogo que está aberto") !=
           std::string::npos;
}

bool espera(const std::function<bool()>& condicao, std::chrono::seconds limite = 90s) {
    const auto fim = std::chrono::steady_clock::now() + limite;
    while (!condicao()) {
        if (std::chrono::steady_clock::now() > fim) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

void mata(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// A started program, killed at the latest when the test ends.
struct Execucao {
    pid_t pid;
    ~Execucao() {
        if (pid > 0) mata(pid);
    }
    void termina() {
        mata(pid);
        pid = 0;
    }
};

// The game copied alone into a fresh program folder, with a fresh folder
// beside it for what the runs write and say.
struct Instalacao {
    const PastaNova pasta_nova, saidas_novas;
    const fs::path& pasta = pasta_nova.caminho;
    const fs::path& saidas = saidas_novas.caminho;
    const fs::path programa = pasta / "brotalia";
    Instalacao() { fs::copy_file(BROTALIA_EXE, programa); }
};

TEST(Inicio, ASecondStartOnTheSameFolderSaysSoAndTouchesNothing) {
    const Instalacao inst;
    const fs::path &pasta = inst.pasta, &saidas = inst.saidas, &programa = inst.programa;
    // What a copy killed part-way left behind goes at the next start.
    std::ofstream(pasta / "hortas00.mdb.2026-12-09_20-05.bak.tmp") << "meia cópia";

    // The first run waits in the drive dialog, its database open, the tables
    // it made written from its log into the file and the log emptied.
    Execucao primeiro{inicia(programa, saidas / "1.txt")};
    ASSERT_TRUE(espera([&] {
        std::error_code ec;
        return fs::file_size(pasta / "hortas00.mdb-wal", ec) == 0 && fs::file_size(pasta / "hortas00.mdb", ec) > 4096 &&
               !ec;
    })) << le(saidas / "1.txt");
    EXPECT_FALSE(fs::exists(pasta / "hortas00.mdb.2026-12-09_20-05.bak.tmp"));
    const auto antes = conteudo(pasta);

    Execucao segundo{inicia(programa, saidas / "2.txt")};
    EXPECT_TRUE(espera([&] { return diz_ja_aberto(saidas / "2.txt"); }))
        << le(saidas / "2.txt");
    EXPECT_TRUE(conteudo(pasta) == antes);
    segundo.termina();

    // A run that ended without releasing the folder does not keep the next one out.
    primeiro.termina();
    Execucao terceiro{inicia(programa, saidas / "3.txt")};
    EXPECT_TRUE(espera([&] {
        return le(pasta / "brotalia.lock").rfind(std::to_string(terceiro.pid) + "\n", 0) == 0;
    })) << le(saidas / "3.txt");
    // Ended from outside before the game was read (a Ctrl-C in the terminal
    // that started it), it ends by itself; what it made is the user's alone.
    ::kill(terceiro.pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(terceiro.pid, &status, 0), terceiro.pid);
    terceiro.pid = 0;
    EXPECT_TRUE(WIFEXITED(status)) << le(saidas / "3.txt");
    for (const char* nome : {"hortas00.mdb", "brotalia.lock"})
        EXPECT_EQ(fs::status(pasta / nome).permissions(), fs::perms::owner_read | fs::perms::owner_write) << nome;
}

TEST(Inicio, EachAccountPlaysInItsOwnDataFolderWhenTheProgramFolderIsReadOnly) {
    if (::geteuid() != 0) GTEST_SKIP() << "só o superusuário inicia o jogo como outros usuários";
    // The program installed by the administrator, read-only for the players.
    const Instalacao inst;
    const fs::path &pasta = inst.pasta, &saidas = inst.saidas, &programa = inst.programa;
    fs::permissions(pasta, static_cast<fs::perms>(0755));
    fs::permissions(saidas, static_cast<fs::perms>(01777));  // as /tmp
    const auto instalado = conteudo(pasta);

    // Two accounts at once: neither keeps the other out, each has its own
    // garden and lock beside it.
    const uid_t contas[] = {65534, 65533};  // "nobody" and an account without a name
    std::vector<std::unique_ptr<Execucao>> execucoes;
    for (uid_t conta : contas) {
        const fs::path dados = saidas / std::to_string(conta);
        fs::create_directory(dados);
        ::chown(dados.c_str(), conta, conta);
        execucoes.push_back(
            std::make_unique<Execucao>(inicia(programa, saidas / (std::to_string(conta) + ".txt"), conta, dados)));
    }
    for (size_t i = 0; i < 2; ++i) {
        const fs::path jogo = saidas / std::to_string(contas[i]) / "brotalia";
        const std::string saida = (saidas / (std::to_string(contas[i]) + ".txt")).string();
        EXPECT_TRUE(espera([&] { return fs::exists(jogo / "hortas00.mdb-wal"); })) << le(saida);
        EXPECT_TRUE(espera([&] {
            return le(jogo / "brotalia.lock").rfind(std::to_string(execucoes[i]->pid) + "\n", 0) == 0;
        })) << le(saida);
    }
    // A second start by the same account is refused by that account's lock.
    const fs::path dados = saidas / std::to_string(contas[0]);
    Execucao segundo{inicia(programa, saidas / "2.txt", contas[0], dados)};
    EXPECT_TRUE(espera([&] { return diz_ja_aberto(saidas / "2.txt"); }))
        << le(saidas / "2.txt");
    segundo.termina();
    for (auto& e : execucoes) e->termina();

    EXPECT_TRUE(conteudo(pasta) == instalado);
    EXPECT_EQ(fs::status(pasta).permissions(), static_cast<fs::perms>(0755));
}

TEST(Inicio, AnInstalledCopyNeverWritesItsFolderAndKeepsOneDataFolderUnderAnyName) {
    // Installed into a fresh prefix by this account, which owns the program
    // folder and could write it.
    const PastaNova prefixo_novo, saidas_novas;
    const fs::path& prefixo = prefixo_novo.caminho;
    const fs::path& saidas = saidas_novas.caminho;
    // What the prefix held before: its own folders, as /usr/local has them,
    // and another program's icon.
    for (const char* d : {"bin", "lib", "share/icons/hicolor/48x48/apps", "share/applications"})
        fs::create_directories(prefixo / d);
    std::ofstream(prefixo / "share/icons/hicolor/48x48/apps/outro.png") << "ícone";
    std::set<fs::path> antes;
    for (const auto& e : fs::recursive_directory_iterator(prefixo)) antes.insert(e.path());
    const std::string instala = std::string("'") + BROTALIA_CMAKE + "' -DCMAKE_INSTALL_PREFIX='" + prefixo.string() +
                                "' -P '" + BROTALIA_INSTALL_SCRIPT + "' >'" + (saidas / "instala.txt").string() +
                                "' 2>&1";
    ASSERT_EQ(std::system(instala.c_str()), 0) << le(saidas / "instala.txt");
    const fs::path comando = prefixo / "bin" / "brotalia";
    const fs::path pasta = fs::canonical(comando).parent_path();
    // Installed without their symbols and debug information.
    for (const fs::path& binario : {pasta / "brotalia", pasta / "modules" / "libbrotalia_sound_mixer.so"})
        EXPECT_EQ(le(binario).find(".symtab"), std::string::npos) << binario;
    const auto instalado = arvore(pasta);
    const fs::path dados = saidas / "dados", jogo = dados / "brotalia";

    // Started by the command on the PATH: the garden and the lock are in the
    // data folder.
    Execucao primeiro{inicia(comando, saidas / "1.txt", 0, dados)};
    EXPECT_TRUE(espera([&] { return fs::exists(jogo / "hortas00.mdb-wal"); })) << le(saidas / "1.txt");
    EXPECT_TRUE(espera([&] { return le(jogo / "brotalia.lock").rfind(std::to_string(primeiro.pid) + "\n", 0) == 0; }))
        << le(saidas / "1.txt");
    primeiro.termina();
    EXPECT_TRUE(arvore(pasta) == instalado);

    // The executable under another name finds the same data folder.
    fs::rename(pasta / "brotalia", pasta / "Brotalia");
    Execucao renomeado{inicia(pasta / "Brotalia", saidas / "2.txt", 0, dados)};
    EXPECT_TRUE(espera([&] { return le(jogo / "brotalia.lock").rfind(std::to_string(renomeado.pid) + "\n", 0) == 0; }))
        << le(saidas / "2.txt");
    renomeado.termina();
    fs::rename(pasta / "Brotalia", pasta / "brotalia");
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dados), fs::directory_iterator()),
              std::vector<fs::path>{jogo});

    // Uninstalled by the uninstall installed with it, the prefix holds what it
    // held before, its empty folders too, no folder of the install left.
    const std::string desinstala = "'" + (pasta / "uninstall.sh").string() + "' >'" +
                                   (saidas / "desinstala.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(desinstala.c_str()), 0) << le(saidas / "desinstala.txt");
    std::set<fs::path> depois;
    for (const auto& e : fs::recursive_directory_iterator(prefixo)) depois.insert(e.path());
    EXPECT_EQ(depois, antes);
}

TEST(Inicio, ADataFolderOthersCanWriteIsRefusedAndItsLinksAreNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "só o superusuário inicia o jogo como outros usuários";
    const Instalacao inst;
    const fs::path &pasta = inst.pasta, &saidas = inst.saidas, &programa = inst.programa;
    fs::permissions(pasta, static_cast<fs::perms>(0755));
    fs::permissions(saidas, static_cast<fs::perms>(0755));
    const uid_t aluno = 65534, intruso = 65533;
    auto de = [](const fs::path& p, uid_t dono) { ::lchown(p.c_str(), dono, dono); };

    // The pupil's home and a file of theirs; a folder another account made
    // for everyone, the game's folder in it, its lock a link to that file.
    const fs::path casa = saidas / "casa", trabalho = casa / "trabalho.txt";
    fs::create_directories(casa / ".local");
    std::ofstream(trabalho) << std::string(2900, 'x');
    const fs::path comum = saidas / "comum", dados = comum / "brotalia";
    fs::create_directories(dados);
    fs::create_symlink(trabalho, dados / "brotalia.lock");
    fs::permissions(comum, static_cast<fs::perms>(0777));
    fs::permissions(dados, static_cast<fs::perms>(0777));
    for (const fs::path& p : {comum, dados, dados / "brotalia.lock"}) de(p, intruso);
    // The pupil's own ~/.local/share is a link into that folder.
    fs::create_directory_symlink(comum, casa / ".local" / "share");
    for (const fs::path& p : {casa, casa / ".local", casa / ".local" / "share", trabalho}) de(p, aluno);

    for (const fs::path& xdg : {comum, casa / ".local" / "share"}) {
        SCOPED_TRACE(xdg);
        const auto antes = conteudo(dados);
        Execucao e{inicia(programa, saidas / "saida.txt", aluno, xdg)};
        EXPECT_TRUE(espera([&] { return le(saidas / "saida.txt").find("não é só sua") != std::string::npos; }))
            << le(saidas / "saida.txt");
        e.termina();
        EXPECT_EQ(le(trabalho), std::string(2900, 'x'));
        EXPECT_TRUE(conteudo(dados) == antes);
        EXPECT_TRUE(fs::is_symlink(dados / "brotalia.lock"));
    }
}

// The uninstall removes nothing outside its prefix, whatever its list of
// files says, and says what it did not remove.
TEST(Inicio, TheUninstallRemovesOnlyTheInstallsFilesUnderItsPrefix) {
    const PastaNova raiz_nova;
    const fs::path& raiz = raiz_nova.caminho;
    const fs::path prefixo = raiz / "pre+fixo", fora = raiz / "fora";  // '+' means more in a pattern
    fs::create_directories(fora);
    for (const char* v : {"vitima1", "vitima2", "vitima3"}) std::ofstream(fora / v) << v;
    fs::create_directories(prefixo / "share/applications");
    std::ofstream(prefixo / "share/applications/outro.desktop") << "outro";
    fs::create_directories(prefixo / "share/icons/hicolor");
    fs::create_directory_symlink(fora, prefixo / "share/atalho");
    std::set<fs::path> antes;
    for (const auto& e : fs::recursive_directory_iterator(prefixo)) antes.insert(e.path());
    const std::string saida = (raiz / "saida.txt").string();
    ASSERT_EQ(std::system(("'" BROTALIA_CMAKE "' -DCMAKE_INSTALL_PREFIX='" + prefixo.string() + "' -P '" +
                           BROTALIA_INSTALL_SCRIPT + "' >'" + saida + "' 2>&1").c_str()), 0)
        << le(saida);
    const fs::path pasta = fs::canonical(prefixo / "bin/brotalia").parent_path();
    // Lines that lead outside: through "..", through a link inside the
    // prefix; a folder; and a link of the list, which goes, not what it names.
    fs::create_symlink(fora / "vitima3", prefixo / "bin/perigo");
    std::ofstream(pasta / "install_manifest.txt", std::ios::app)
        << (prefixo / "lib/../../fora/vitima1").string() << "\n"
        << (prefixo / "share/atalho/vitima2").string() << "\n"
        << (prefixo / "share/applications").string() << "\n"
        << (prefixo / "bin/perigo").string() << "\n";

    const int status = std::system(("'" + (pasta / "uninstall.sh").string() + "' >'" + saida + "' 2>&1").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << le(saida);
    const std::string dito = le(saida);
    for (const char* linha : {"fora/vitima1\n", "atalho/vitima2\n", "share/applications\n"})
        EXPECT_NE(dito.find(linha), std::string::npos) << dito;
    EXPECT_EQ(dito.find("Brotalia removido"), std::string::npos) << dito;
    for (const char* v : {"vitima1", "vitima2", "vitima3"}) EXPECT_EQ(le(fora / v), v);
    std::set<fs::path> depois;
    for (const auto& e : fs::recursive_directory_iterator(prefixo)) depois.insert(e.path());
    EXPECT_EQ(depois, antes) << le(saida);
}

// Runs a shell command, its output into a file; true when it exits 0.
bool roda(const std::string& comando, const fs::path& saida) {
    return std::system((comando + " >'" + saida.string() + "' 2>&1").c_str()) == 0;
}

// The Debian package made from this build, as apt would install it. The
// dependencies dpkg-shlibdeps finds are left out here: cpack runs file(1) on
// each of the hundreds of files of the package first, minutes on a busy
// machine.
TEST(Inicio, TheDebianPackageHoldsTheStrippedInstallAndWhatTheGameOpensByName) {
    if (std::system("command -v dpkg-deb >/dev/null") != 0) GTEST_SKIP() << "sem dpkg-deb";
    if (::access(BROTALIA_BUILD_DIR, W_OK) != 0) GTEST_SKIP() << "o cpack grava na pasta da compilação";
    const PastaNova pasta_nova;
    const fs::path& pasta = pasta_nova.caminho;
    const fs::path saida = pasta / "saida.txt";
    ASSERT_TRUE(roda("'" BROTALIA_CPACK "' --config '" BROTALIA_BUILD_DIR "/CPackConfig.cmake' -D "
                     "CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF -B '" + pasta.string() + "'",
                     saida))
        << le(saida);
    ASSERT_TRUE(roda("dpkg --print-architecture", saida));
    const fs::path deb = pasta / ("brotalia_" BROTALIA_VERSION "_" + le(saida).substr(0, le(saida).find('\n')) + ".deb");
    ASSERT_TRUE(roda("dpkg-deb -f '" + deb.string() + "' Package Version Depends", saida)) << le(saida);
    const std::string campos = le(saida);
    EXPECT_NE(campos.find("Package: brotalia\nVersion: " BROTALIA_VERSION "\n"), std::string::npos) << campos;
    // The sound font and the fonts the game opens by name; nothing for building.
    for (const char* d : {"timgm6mb-soundfont", "fonts-liberation", "fonts-noto-color-emoji", "fonts-dejavu-core"})
        EXPECT_NE(campos.find(d), std::string::npos) << d << "\n" << campos;
    for (const char* d : {"-dev", "cmake", "g++", "espeak", "sox"}) EXPECT_EQ(campos.find(d), std::string::npos) << d;

    ASSERT_TRUE(roda("dpkg-deb -c '" + deb.string() + "'", saida)) << le(saida);
    const std::string conteudo = le(saida);
    for (const char* f : {" ./usr/bin/brotalia -> ../lib/brotalia/brotalia\n", " ./usr/lib/brotalia/brotalia\n",
                          " ./usr/lib/brotalia/modules/libbrotalia_film_window.so\n",
                          " ./usr/lib/brotalia/install_manifest.txt\n", " ./usr/share/applications/brotalia.desktop\n",
                          " ./usr/share/icons/hicolor/48x48/apps/brotalia.png\n",
                          " ./usr/share/metainfo/brotalia.metainfo.xml\n"})
        EXPECT_NE(conteudo.find(f), std::string::npos) << f;
    // The uninstall is dpkg's; what a run of the game from the build wrote
    // stays there.
    for (const char* f : {"uninstall.sh", "install_folders_before", "/usr/local", ".mdb", ".lock", ".pdf"})
        EXPECT_EQ(conteudo.find(f), std::string::npos) << f;

    const fs::path raiz = pasta / "raiz";
    ASSERT_TRUE(roda("dpkg-deb -x '" + deb.string() + "' '" + raiz.string() + "'", saida)) << le(saida);
    EXPECT_NE(le(raiz / "usr/share/applications/brotalia.desktop").find("\nExec=/usr/bin/brotalia\n"),
              std::string::npos);
    int binarios = 0;
    for (const auto& e : fs::recursive_directory_iterator(raiz / "usr/lib/brotalia"))
        if (e.is_regular_file() && le(e.path()).rfind("\x7f" "ELF", 0) == 0) {
            ++binarios;
            EXPECT_EQ(le(e.path()).find(".symtab"), std::string::npos) << e.path();
        }
    EXPECT_GE(binarios, 4);  // the executable and its modules
    if (std::system("command -v appstreamcli >/dev/null") == 0) {
        const fs::path metainfo = raiz / "usr/share/metainfo/brotalia.metainfo.xml";
        EXPECT_TRUE(roda("appstreamcli validate --no-net '" + metainfo.string() + "'", saida)) << le(saida);
    }
}

}  // namespace
