// Start-up of the game against a bare window, and the game's peak memory.
//
// Start-up: the real executable (its own main, every screen, the default
// sound back end) from process start to the first paint of the main menu,
// against a bare program that only opens a full-screen Qt Widgets window and
// paints it (bench_janela_vazia: same compiler and flags, linked to Qt
// Widgets alone). Both run with the same preloaded probe (marca_pintura),
// which reports the finished paint through a pipe and ends the process, so
// the tear-down is not counted. The game's first picture is its drive
// question; the probe answers it with Enter, in two ways measured apart:
//   - at once, as soon as the question is on the screen;
//   - a player's moment later (kRespostaMs), the way a player answers; that
//     moment is the player's, not the program's, and is taken off the time:
//     what is left is the time the program makes the player wait (for the
//     question, then from the answer to the menu). Anything the program is
//     still doing when the answer comes delays the menu, and counts.
// The programs run in rounds, each in another order than the one before; the
// result is the medians and the median of the per-round ratios.
//
// Memory: the peak resident memory of the game after every screen has been
// shown twice at full screen, against the bare window's peak at its paint.
//
// Both run on an X server: the one in DISPLAY, or an Xvfb of 1920 x 1080
// started here. Without either they fall back to Qt's offscreen platform,
// and say so.

#include <benchmark/benchmark.h>

#include "inicio/marca.h"

#include <malloc.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QWidget>

#include "platform/db.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/video.h"
#include "shell/dialogos.h"
#include "shell/fundo.h"
#include "shell/registro.h"
#include "garden/trabalhando_na_horta.h"
#include "seedbed/registro.h"
#include "agenda/registro.h"
#include "help/registro.h"
#include "minigame/registro.h"

extern char** environ;

namespace pf = platform::forms;
namespace fs = std::filesystem;

namespace {

double agora_s() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ------------------------------------------------------------- the display

pid_t pid_xvfb = 0;

void encerra_xvfb() {
    if (pid_xvfb > 0) {
        kill(pid_xvfb, SIGTERM);
        waitpid(pid_xvfb, nullptr, 0);
        pid_xvfb = 0;
    }
}

// Starts an Xvfb of 1920 x 1080 on a free display number; the display name,
// or nothing when it could not start.
std::optional<std::string> inicia_xvfb() {
    int tubo[2];
    if (pipe(tubo) != 0) return std::nullopt;
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(tubo[1]), "-screen", "0",
                                     "1920x1080x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0) {
        close(tubo[0]);
        close(tubo[1]);
        return std::nullopt;
    }
    close(tubo[1]);
    std::string numero;
    pollfd p{tubo[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(tubo[0], &c, 1) == 1 && c != '\n') numero += c;
    close(tubo[0]);
    if (numero.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    pid_xvfb = pid;
    std::atexit(encerra_xvfb);
    return ":" + numero;
}

// Makes the children run on an X server; prints which.
void prepara_tela() {
    static const bool feito = [] {
        if (const char* d = std::getenv("DISPLAY"); d && *d) {
            std::printf("Tela: o servidor X de DISPLAY=%s\n", d);
        } else if (auto d = inicia_xvfb()) {
            setenv("DISPLAY", d->c_str(), 1);
            std::printf("Tela: Xvfb 1920x1080 iniciado em %s\n", d->c_str());
        } else {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            std::printf("Tela: sem servidor X nem Xvfb; plataforma offscreen de Qt (tela de 800x800), "
                        "números não comparáveis aos de um servidor X\n");
            return true;
        }
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::fflush(stdout);
        return true;
    }();
    (void)feito;
}

// ------------------------------------------------------------- the children

// A program folder of the bench's own: a copy of the executable (the game
// finds its files beside it) and its databases, the rest by links to the
// build's program folder.
std::string pasta_do_programa() {
    static const std::string pasta = [] {
        const fs::path origem = fs::path(BROTALIA_BENCH_JOGO).parent_path();
        const fs::path destino = fs::path(BROTALIA_BENCH_SCRATCH) / "inicio";
        fs::remove_all(destino);
        fs::create_directories(destino);
        for (const auto& e : fs::directory_iterator(origem)) {
            const fs::path alvo = destino / e.path().filename();
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (e.path() == fs::path(BROTALIA_BENCH_JOGO) || ext == ".mdb" || ext == ".db"))
                fs::copy_file(e.path(), alvo);
            else
                fs::create_symlink(e.path(), alvo);
        }
        return destino.string();
    }();
    return pasta;
}

// Starts a program with extra environment entries and a pipe for its mark;
// the mark, or nothing when it ended or hung without one.
std::optional<Marca> corre(const std::vector<std::string>& args, std::vector<std::string> ambiente) {
    int tubo[2];
    if (pipe(tubo) != 0) return std::nullopt;
    ambiente.push_back("BROTALIA_MARCA_FD=" + std::to_string(tubo[1]));
    std::vector<std::string> amb;
    for (char** e = environ; *e; ++e) amb.emplace_back(*e);
    amb.insert(amb.end(), ambiente.begin(), ambiente.end());
    std::vector<char*> envp, argv;
    for (auto& a : amb) envp.push_back(a.data());
    envp.push_back(nullptr);
    std::vector<std::string> a2 = args;
    for (auto& a : a2) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_addclose(&acoes, tubo[0]);
    const double inicio = agora_s();
    pid_t pid;
    const int r = posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&acoes);
    close(tubo[1]);
    if (r != 0) {
        close(tubo[0]);
        return std::nullopt;
    }
    Marca m{};
    pollfd p{tubo[0], POLLIN, 0};
    ssize_t n = 0;
    if (poll(&p, 1, 60000) > 0) n = read(tubo[0], &m, sizeof m);
    close(tubo[0]);
    if (n != sizeof m) kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (n != sizeof m) return std::nullopt;
    m.segundos -= inicio;
    return m;
}

const std::string kSonda = "LD_PRELOAD=" BROTALIA_BENCH_SONDA;

std::optional<Marca> corre_janela_vazia() { return corre({BROTALIA_BENCH_VAZIA}, {kSonda}); }

// The player's moment before answering the drive question.
constexpr int kRespostaMs = 250;

// The game's databases as a player's last run leaves them: closed, their log
// written back into the file. The probe ends every measured run at once,
// which leaves the log behind; the next start would replay a log that grows
// run after run, which no player's start does.
void fecha_bancos() {
    auto& ws = platform::Workspace::Default();
    for (const auto& e : fs::directory_iterator(pasta_do_programa())) {
        if (e.path().extension() != ".mdb" || !fs::exists(e.path().string() + "-wal")) continue;
        try {
            ws.OpenDatabase(e.path().string())->Close();
        } catch (const std::exception&) {
        }
    }
    ws.CloseAll();
}

// The game, its question answered after `resposta_ms`; that moment is taken
// off the time reported.
std::optional<Marca> corre_jogo(int resposta_ms = 0) {
    fecha_bancos();
    auto m = corre({pasta_do_programa() + "/" + fs::path(BROTALIA_BENCH_JOGO).filename().string()},
                   {kSonda, "BROTALIA_MARCA_DIALOGO=1", "BROTALIA_MARCA_RESPOSTA_MS=" + std::to_string(resposta_ms)});
    if (m) m->segundos -= resposta_ms / 1000.0;
    return m;
}

// ------------------------------------------------------------- start-up

void BM_InicioAteMenuContraJanelaVazia(benchmark::State& state) {
    prepara_tela();
    // One round first, not counted: the game's database, the disk cache.
    if (!corre_jogo() || !corre_jogo(kRespostaMs) || !corre_janela_vazia()) {
        state.SkipWithError("um dos programas não relatou a primeira pintura");
        return;
    }
    std::vector<double> vazia, jogo, jogo_r, razao, razao_r;
    for (auto _ : state) {
        // Three programs, started in the order of this round.
        const size_t k = vazia.size() % 3;
        std::optional<Marca> v, j, jr;
        for (size_t i = 0; i < 3; ++i) {
            switch ((i + k) % 3) {
            case 0: v = corre_janela_vazia(); break;
            case 1: j = corre_jogo(); break;
            default: jr = corre_jogo(kRespostaMs); break;
            }
        }
        if (!v || !j || !jr) {
            state.SkipWithError("um dos programas não relatou a primeira pintura");
            return;
        }
        vazia.push_back(v->segundos * 1000);
        jogo.push_back(j->segundos * 1000);
        jogo_r.push_back(jr->segundos * 1000);
        razao.push_back(j->segundos / v->segundos);
        razao_r.push_back(jr->segundos / v->segundos);
        state.SetIterationTime(jr->segundos);
    }
    const double mv = mediana(vazia), mj = mediana(jogo), mjr = mediana(jogo_r);
    state.counters["janela_vazia_mediana_ms"] = mv;
    state.counters["jogo_mediana_ms"] = mjr;
    state.counters["razao_mediana"] = mediana(razao_r);
    state.counters["jogo_resposta_imediata_mediana_ms"] = mj;
    state.counters["razao_resposta_imediata_mediana"] = mediana(razao);
    std::printf("Início até a primeira pintura do menu, %zu rodadas; janela vazia %.1f ms (mediana)\n"
                "  pergunta respondida como um jogador, %d ms depois de mostrada (tempo descontado): "
                "jogo %.1f ms, razão mediana %.3f (razão das medianas %.3f)\n"
                "  pergunta respondida no mesmo instante em que aparece: jogo %.1f ms, razão mediana %.3f "
                "(razão das medianas %.3f)\n",
                vazia.size(), mv, kRespostaMs, mjr, mediana(razao_r), mjr / mv, mj, mediana(razao), mj / mv);
    std::fflush(stdout);
}
BENCHMARK(BM_InicioAteMenuContraJanelaVazia)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------- memory

// The memory child: the game's start (drive dialog answered at once), then
// every screen shown in turn twice, each left to paint and animate a little;
// reports its peak memory.
const char* const kTelas[] = {"feira_horta", "trabalhando_na_horta", "controle_da_sementeira", "age",
                              "help",        "conf",                 "gamedio",                "rank_form"};

int filho_telas(int fd, const std::string& pasta) {
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // as the game's main does
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);
    platform::SetProgramFolder(pasta);
    shell::registra_formularios();
    garden::registra_formularios();
    seedbed::registra_formularios();
    agenda::registra_formularios();
    help::registra_formularios();
    minigame::registra_formularios();
    platform::SetSoundBackend(platform::MakeDefaultSoundBackend());
    platform::EnableFilmWindow(true);
    pf::test::SetModalHook([](pf::Form& f) {
        if (f.Name() == "Conf_cd")
            pf::test::Click(static_cast<shell::Conf_cd&>(f).Command1);
        else if (f.Name() == "ok")
            pf::test::Click(static_cast<shell::ok&>(f).opções);
        else if (f.Name() == "form_ok_nao")
            pf::test::Click(static_cast<shell::form_ok_nao&>(f).opções(1));
        else
            f.Unload();
    });
    pf::Screen::Open();
    pf::Forms::Show(shell::formulario_inicial);
    pf::test::RunFor(200);
    // A change of screen, timed to its first paint: the one shown unloaded,
    // the next loaded, shown and painted.
    auto troca = [&](const char* tela) {
        const double t0 = agora_s();
        for (pf::Form* f : pf::Forms::Loaded())
            if (f->Name() != shell::formulario_inicial) f->Unload();
        pf::Forms::Show(tela);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowType() != Qt::Dialog) w->repaint();
        const double ms = (agora_s() - t0) * 1000;
        pf::test::RunFor(150);
        return ms;
    };
    for (int volta = 0; volta < 2; ++volta) {
        for (const char* tela : kTelas) troca(tela);
        troca("INTRONEW");
    }
    const long pico = pico_kib();
    // Repeat changes along the game's paths: the main menu and the three work
    // screens, each seen a moment before.
    std::vector<double> trocas;
    for (int volta = 0; volta < 3; ++volta)
        for (const char* tela : {"trabalhando_na_horta", "INTRONEW", "controle_da_sementeira", "INTRONEW", "age", "INTRONEW"})
            trocas.push_back(troca(tela));
    std::sort(trocas.begin(), trocas.end());
    std::printf("Trocas de tela repetidas (descarrega, carrega, mostra e pinta), %zu: mediana %.2f ms, "
                "mínima %.2f ms, máxima %.2f ms\n",
                trocas.size(), mediana(trocas), trocas.front(), trocas.back());
    std::fflush(stdout);
    const Marca m{agora_s(), pico};
    (void)!write(fd, &m, sizeof m);
    close(fd);
    _exit(0);
}

void BM_PicoDeMemoriaAposTodasAsTelas(benchmark::State& state) {
    prepara_tela();
    double jogo_mib = 0, vazia_mib = 0;
    for (auto _ : state) {
        const auto v = corre_janela_vazia();
        const auto j = corre({"/proc/self/exe", "--filho=telas", pasta_do_programa()}, {});
        if (!v || !j) {
            state.SkipWithError("um dos programas não relatou a memória");
            return;
        }
        jogo_mib = j->pico_kib / 1024.0;
        vazia_mib = v->pico_kib / 1024.0;
        state.SetIterationTime(j->segundos);
    }
    state.counters["jogo_pico_MiB"] = jogo_mib;
    state.counters["janela_vazia_pico_MiB"] = vazia_mib;
    std::printf("Pico de memória após cada tela duas vezes: jogo %.1f MiB, janela vazia %.1f MiB\n", jogo_mib,
                vazia_mib);
    std::fflush(stdout);
}
BENCHMARK(BM_PicoDeMemoriaAposTodasAsTelas)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--filho=telas") == 0)
        return filho_telas(std::atoi(std::getenv("BROTALIA_MARCA_FD")), argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    encerra_xvfb();
    return 0;
}
