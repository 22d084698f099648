// Start-up of the game, from process start to the first paint of the main
// menu, against an empty Qt Widgets window started and painted the same way.
//
// Each iteration starts this executable twice as a child process: once as
// the empty window, once as the game (the start-up form, the drive dialog,
// answered at once, the main menu's load with the game state and the week
// cycle, and its first paint). A child reports the moment its first paint
// has finished through a pipe, then ends at once, so the process tear-down
// is not counted. The reported time is the game's; the counters give the
// empty window's time and the ratio of the two.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "shell/dialogos.h"
#include "shell/fundo.h"
#include "shell/registro.h"

extern char** environ;

namespace pf = platform::forms;
namespace fs = std::filesystem;

namespace {

double agora_s() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The child writes the moment of its first finished paint to this descriptor.
int descritor_saida = -1;

void relata_e_termina() {
    const double t = agora_s();
    if (descritor_saida >= 0) {
        (void)!write(descritor_saida, &t, sizeof t);
        close(descritor_saida);
    }
    _exit(0);
}

// Ends the child right after the first paint for which `pronto` holds.
class FiltroPintura : public QObject {
public:
    explicit FiltroPintura(std::function<bool()> pronto) : pronto_(std::move(pronto)) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && !visto_ && pronto_()) {
            visto_ = true;
            QTimer::singleShot(0, [] { relata_e_termina(); });
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<bool()> pronto_;
    bool visto_ = false;
};

int filho_janela_vazia() {
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);
    QWidget janela;
    FiltroPintura filtro([] { return true; });
    janela.installEventFilter(&filtro);
    janela.showFullScreen();
    return app.exec();
}

int filho_jogo(const std::string& pasta) {
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);
    platform::SetProgramFolder(pasta);

    shell::registra_formularios();
    platform::SetSoundBackend(std::make_unique<platform::SilentSoundBackend>());
    // The player answers the drive dialog at once, and any notice as well.
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
    FiltroPintura filtro([] {
        pf::Form* menu = pf::Forms::Find("INTRONEW");
        return menu && menu->Visible();
    });
    app.installEventFilter(&filtro);

    pf::Screen::Open();
    pf::Forms::Show(shell::formulario_inicial);
    return app.exec();
}

// A program folder of the bench's own: the pictures of the build's program
// folder by links, and a game database of its own.
std::string pasta_do_programa() {
    static std::string pasta = [] {
        const fs::path rascunho = fs::path(BROTALIA_BENCH_SCRATCH) / "shell_startup";
        const fs::path origem = fs::path(BROTALIA_BENCH_SCRATCH).parent_path().parent_path() / "program";
        fs::create_directories(rascunho);
        for (const char* nome : {"drives", "forms", "back_in.jpg", "inintro1.jpg", "silencio.wav"}) {
            const fs::path destino = rascunho / nome;
            std::error_code ec;
            if (!fs::exists(fs::symlink_status(destino)) && fs::exists(origem / nome))
                fs::create_symlink(origem / nome, destino, ec);
        }
        return rascunho.string();
    }();
    return pasta;
}

// Starts this executable as a child in one mode; returns the seconds from
// the start to the child's report of its first paint (negative on failure).
double corre_filho(const std::string& modo) {
    int tubo[2];
    if (pipe(tubo) != 0) return -1;
    std::vector<std::string> args = {"/proc/self/exe", "--filho=" + modo, "--fd=" + std::to_string(tubo[1]),
                                     "--pasta=" + pasta_do_programa()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    const double inicio = agora_s();
    pid_t pid;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0) {
        close(tubo[0]);
        close(tubo[1]);
        return -1;
    }
    close(tubo[1]);
    double fim = 0;
    const ssize_t n = read(tubo[0], &fim, sizeof fim);
    close(tubo[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (n != sizeof fim) return -1;
    return fim - inicio;
}

void BM_InicioAteMenuContraJanelaVazia(benchmark::State& state) {
    corre_filho("jogo");  // the first run creates the bench's game database
    double total_jogo = 0, total_vazia = 0;
    for (auto _ : state) {
        const double vazia = corre_filho("vazia");
        const double jogo = corre_filho("jogo");
        if (vazia < 0 || jogo < 0) {
            state.SkipWithError("o processo filho não relatou a primeira pintura");
            return;
        }
        total_vazia += vazia;
        total_jogo += jogo;
        state.SetIterationTime(jogo);
    }
    if (state.iterations() > 0 && total_vazia > 0) {
        state.counters["janela_vazia_ms"] = 1000.0 * total_vazia / state.iterations();
        state.counters["razao"] = total_jogo / total_vazia;
    }
}
BENCHMARK(BM_InicioAteMenuContraJanelaVazia)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

std::string valor_de(int argc, char** argv, const std::string& chave) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], chave.c_str(), chave.size()) == 0) return argv[i] + chave.size();
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string modo = valor_de(argc, argv, "--filho=");
    if (!modo.empty()) {
        descritor_saida = std::atoi(valor_de(argc, argv, "--fd=").c_str());
        if (modo == "vazia") return filho_janela_vazia();
        return filho_jogo(valor_de(argc, argv, "--pasta="));
    }
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
