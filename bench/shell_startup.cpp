// Start-up of the game against a bare window, and the game's peak memory.
//
// Start-up: the real executable (its own main, every screen, the default
// sound back end) against a bare program that only opens a full-screen Qt
// Widgets window and paints it (janela_vazia: same compiler and flags, linked
// to Qt Widgets alone). Both run with the same preloaded probe
// (marca_pintura), which reports through a pipe when the paint that counts is
// done and when the program takes input again after it (its event loop free
// of whatever was queued behind the paint), then ends the process, so the
// tear-down is not counted. Every time is one a player lives through,
// measured from a moment the player sees:
//   (a) launch → the drive question painted, against the bare window's
//       launch → first paint;
//   (b) Enter pressed on the question → the main menu painted and taking
//       input, with Enter pressed a player's moment (kRespostaMs) after the
//       question appeared, and at once;
//   (c) launch → the main menu taking input, the question answered at once,
//       against the bare window's launch → taking input.
// The programs run in rounds, each in another order than the one before; the
// result is the medians, and the median of the per-round ratios.
//
// Memory: the peak resident memory of the game after every screen has been
// shown twice at full screen, against the bare window's peak at its paint.
//
// Both run on an X server: the one in DISPLAY, or an Xvfb of 1920 x 1080
// started here. Without either they fall back to Qt's offscreen platform,
// and say so.

#include <benchmark/benchmark.h>

#include "app/telas.h"
#include "inicio/marca.h"
#include "inicio/tela.h"
#include "inicio/mediana.h"

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
using bench_tela::encerra_xvfb;
using bench_tela::prepara_tela;

namespace {

double agora_s() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// ------------------------------------------------------------- the children

std::string pasta_do_programa() {
    static const std::string pasta = bench_tela::copia_do_programa(BROTALIA_BENCH_JOGO, "inicio");
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
    // Times from the launch, in milliseconds.
    m.pintado = (m.pintado - inicio) * 1000;
    m.entrada = (m.entrada - inicio) * 1000;
    m.resposta = m.resposta > 0 ? (m.resposta - inicio) * 1000 : 0;
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

// The game up to the drive question's first paint.
std::optional<Marca> corre_jogo_ate_pergunta() {
    fecha_bancos();
    return corre({pasta_do_programa() + "/" + fs::path(BROTALIA_BENCH_JOGO).filename().string()}, {kSonda});
}

// The game up to the main menu, its question answered `resposta_ms` after it
// appeared.
std::optional<Marca> corre_jogo(int resposta_ms) {
    fecha_bancos();
    return corre({pasta_do_programa() + "/" + fs::path(BROTALIA_BENCH_JOGO).filename().string()},
                 {kSonda, "BROTALIA_MARCA_DIALOGO=1", "BROTALIA_MARCA_RESPOSTA_MS=" + std::to_string(resposta_ms)});
}

// ------------------------------------------------------------- start-up

void BM_InicioContraJanelaVazia(benchmark::State& state) {
    prepara_tela();
    // One round first, not counted: the game's database, the disk cache.
    if (!corre_jogo_ate_pergunta() || !corre_jogo(0) || !corre_jogo(kRespostaMs) || !corre_janela_vazia()) {
        state.SkipWithError("um dos programas não relatou a primeira pintura");
        return;
    }
    // Per round: the bare window's paint and input, the question's paint,
    // Enter → menu painted / taking input (after a moment, at once), launch
    // → menu taking input (at once), and the ratios.
    std::vector<double> v_pinta, v_entrada, pergunta, r_pinta, r_entrada, i_pinta, i_entrada, i_total, razao_a,
        razao_c;
    for (auto _ : state) {
        const size_t k = v_pinta.size() % 4;
        std::optional<Marca> v, p, i, r;
        // A program that could not reach the X server (a loaded machine) is
        // started again, at most twice.
        auto de_novo = [](auto corre_uma) {
            std::optional<Marca> m;
            for (int vez = 0; vez < 3 && !m; ++vez) m = corre_uma();
            return m;
        };
        for (size_t n = 0; n < 4; ++n) {
            switch ((n + k) % 4) {
            case 0: v = de_novo(corre_janela_vazia); break;
            case 1: p = de_novo(corre_jogo_ate_pergunta); break;
            case 2: i = de_novo([] { return corre_jogo(0); }); break;
            default: r = de_novo([] { return corre_jogo(kRespostaMs); }); break;
            }
        }
        if (!v || !p || !i || !r || r->resposta <= 0 || i->resposta <= 0) {
            state.SkipWithError("um dos programas não relatou a primeira pintura");
            return;
        }
        v_pinta.push_back(v->pintado);
        v_entrada.push_back(v->entrada);
        pergunta.push_back(p->pintado);
        r_pinta.push_back(r->pintado - r->resposta);
        r_entrada.push_back(r->entrada - r->resposta);
        i_pinta.push_back(i->pintado - i->resposta);
        i_entrada.push_back(i->entrada - i->resposta);
        i_total.push_back(i->entrada);
        razao_a.push_back(p->pintado / v->pintado);
        razao_c.push_back(i->entrada / v->entrada);
        state.SetIterationTime(r->entrada / 1000);
    }
    state.counters["a_pergunta_pintada_ms"] = mediana(pergunta);
    state.counters["a_janela_vazia_pintada_ms"] = mediana(v_pinta);
    state.counters["a_razao"] = mediana(razao_a);
    state.counters["b_enter_250ms_menu_com_entrada_ms"] = mediana(r_entrada);
    state.counters["b_enter_imediato_menu_com_entrada_ms"] = mediana(i_entrada);
    state.counters["c_menu_com_entrada_ms"] = mediana(i_total);
    state.counters["c_janela_vazia_com_entrada_ms"] = mediana(v_entrada);
    state.counters["c_razao"] = mediana(razao_c);
    std::printf("Início, %zu rodadas (medianas; entre parênteses o percentil 90)\n"
                "  (a) início → pergunta da unidade pintada: jogo %.1f ms, janela vazia (início → primeira pintura) "
                "%.1f ms, razão %.3f (meta <= 1.4)\n"
                "  (b) Enter %d ms depois da pergunta → menu pintado %.1f ms, menu aceitando entrada %.1f ms (%.1f) "
                "(meta <= 16.7)\n"
                "      Enter no mesmo instante → menu pintado %.1f ms, menu aceitando entrada %.1f ms (%.1f) "
                "(meta <= 33)\n"
                "  (c) início → menu aceitando entrada, pergunta respondida no mesmo instante: jogo %.1f ms, "
                "janela vazia (início → aceitando entrada) %.1f ms, razão %.3f\n",
                v_pinta.size(), mediana(pergunta), mediana(v_pinta), mediana(razao_a), kRespostaMs, mediana(r_pinta),
                mediana(r_entrada), percentil(r_entrada, 0.9), mediana(i_pinta), mediana(i_entrada),
                percentil(i_entrada, 0.9), mediana(i_total), mediana(v_entrada), mediana(razao_c));
    std::fflush(stdout);
}
BENCHMARK(BM_InicioContraJanelaVazia)->UseManualTime()->Iterations(31)->Unit(benchmark::kMillisecond);

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
    app::registra_telas();
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
    const Marca m{agora_s(), agora_s(), 0, pico};
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
        state.SetIterationTime(j->entrada / 1000);
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
