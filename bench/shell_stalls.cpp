// Stalls of the GUI thread through a season played on the real screens.
//
// Each run is a fresh process on an X server (the one in DISPLAY, or an Xvfb
// of 1920 x 1080 started here) with the game's own start-up: every screen
// registered, the full-screen window, the default sound back end loaded on a
// thread while the drive question waits (as the game's own start-up does), a
// program folder of its own with the game's pictures, sounds and database. A
// scripted player (the drivers the tests use) answers the drive question a
// moment after it is painted, then goes through a season as a player plays
// it: the market order, the seedbed (sow, thin, transplant) and its help on
// seeds with the film there, the garden (drops and care), the agenda with its
// report printed (to a PDF when no printer), the help from the menu with a
// song, the options and the memory game, and leaves with a save. Everywhere
// it waits as a player does, so the timers and animations run as they do.
// Every step checks that it happened (the screen came, the film's window
// showed, the song played, the report's PDF was written, the game ended); a
// season that skipped one fails the run.
//
// A 1 ms probe timer runs on the GUI thread the whole time; a stall is the
// lateness of its next tick (the time the game could not have taken input).
// For each stall the benchmark names what was running: the player's step,
// the longest event handled in the meantime, and the stack of the GUI thread
// sampled by a watchdog thread 10 ms into the stall (and every 10 ms after).
// It prints the ten longest of the game's work after the drive question was
// painted, and the longest of every run. Goal: none over 33 ms (two frames at
// 60 Hz). A stall is what most of its samples show; apart from the goal are
// only the stalls whose time is a synchronous sound's own playing (the game
// waits for it by design) and those during which every sample found the GUI
// thread idle in the player's pause (the machine did not run it; a loaded
// machine shows many). The season's peak memory is reported beside the bare
// full-screen window's (goal: 100 MiB), with that of the process the film
// plays in. BROTALIA_BENCH_DETALHE=1 prints each
// step of the player to stderr as it begins, with the memory then.

#include <benchmark/benchmark.h>

#include "app/telas.h"
#include "inicio/marca.h"
#include "inicio/tela.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <malloc.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QPointer>
#include <QTimer>

#include "agenda/age.h"
#include "agenda/registro.h"
#include "garden/trabalhando_na_horta.h"
#include "help/help.h"
#include "help/registro.h"
#include "help/topico.h"
#include "minigame/gamedio.h"
#include "minigame/registro.h"
#include "model/estado.h"
#include "platform/db.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/video.h"
#include "seedbed/controle_da_sementeira.h"
#include "seedbed/registro.h"
#include "shell/conf.h"
#include "shell/dialogos.h"
#include "shell/feira.h"
#include "shell/fundo.h"
#include "shell/intronew.h"
#include "shell/registro.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;
namespace fs = std::filesystem;

namespace {

double agora_ms() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// ------------------------------------------------------------- the probe

// A stall: the probe's tick came `atraso_ms` late.
struct Travada {
    double inicio_ms = 0, atraso_ms = 0;
    std::string passo, evento;
    std::vector<std::string> pilha;
    // What the samples say it was: the game waiting for a synchronous sound
    // to end (the game's own design: it plays on while the sound does), the
    // GUI thread idle in its event loop at every sample (the machine did not
    // run it: not the game's work), or the game's work.
    enum class Tipo { trabalho, som_sincrono, ocioso } tipo = Tipo::trabalho;
};

const char* nome_do_tipo(Travada::Tipo t) {
    switch (t) {
        case Travada::Tipo::som_sincrono: return "espera de som síncrono";
        case Travada::Tipo::ocioso: return "fio ocioso, máquina ocupada";
        default: return "trabalho";
    }
}

// A stall is what most of its samples say: the game waiting in a
// synchronous sound's own playing (the mixer's wait or sleep under
// PlaySound, not its loading of the file), the GUI thread idle in the
// player's pause at every sample, or else the game's work.
Travada::Tipo classifica(const std::vector<std::string>& pilha) {
    if (pilha.empty()) return Travada::Tipo::trabalho;
    size_t som = 0, ocioso = 0;
    for (const auto& p : pilha) {
        const std::string dentro = p.substr(0, p.find(" ← "));
        const bool esperando = dentro.find("wait") != std::string::npos || dentro.find("nanosleep") != std::string::npos;
        if (esperando && p.find("platform::PlaySound") != std::string::npos) ++som;
        if ((p.rfind("poll", 0) == 0 || p.rfind("__madvise", 0) == 0) && p.find("RunFor") != std::string::npos &&
            p.find("::", p.find("RunFor") + 6) == std::string::npos)
            ++ocioso;
    }
    if (2 * som > pilha.size()) return Travada::Tipo::som_sincrono;
    return ocioso == pilha.size() ? Travada::Tipo::ocioso : Travada::Tipo::trabalho;
}

// Stack samples of the GUI thread, written by the signal handler.
struct Amostra {
    std::atomic<long> lacuna{-1};
    int n = 0;
    void* quadros[48];
};
std::array<Amostra, 64> amostras;
std::atomic<unsigned> proxima_amostra{0};
std::atomic<long> lacuna_atual{0};          // counts the probe's ticks
std::atomic<double> ultimo_tique_ms{0};
pthread_t fio_gui;

void ao_sinal(int) {
    const int saved = errno;
    Amostra& a = amostras[proxima_amostra.fetch_add(1) % amostras.size()];
    a.lacuna = -1;
    a.n = backtrace(a.quadros, 48);
    a.lacuna = lacuna_atual.load();
    errno = saved;
}

// The player's step in progress, and whether stalls count yet.
std::string passo_atual = "início";
bool contando = false;

// The longest event handled since the last tick.
struct MaisLongo {
    double ms = 0;
    std::string descricao;
} mais_longo;

// Named from what was known before the event was handled: the object may
// be gone after it (a window's deferred delete).
std::string descreve(QEvent::Type tipo_do_evento, const QMetaObject* classe, const QPointer<QObject>& o) {
    static const QMetaEnum tipos = QMetaEnum::fromType<QEvent::Type>();
    const char* tipo = tipos.valueToKey(tipo_do_evento);
    std::string s = tipo ? tipo : ("evento " + std::to_string(tipo_do_evento));
    s += std::string(" → ") + classe->className();
    if (o && !o->objectName().isEmpty()) s += " " + o->objectName().toStdString();
    return s;
}

class Aplicacao : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* o, QEvent* e) override {
        const QEvent::Type tipo = e->type();
        const QMetaObject* classe = o->metaObject();
        const QPointer<QObject> vivo(o);
        const double t0 = agora_ms();
        const bool r = QApplication::notify(o, e);
        const double ms = agora_ms() - t0;
        if (ms > mais_longo.ms) mais_longo = {ms, descreve(tipo, classe, vivo)};
        return r;
    }
};

std::vector<Travada> travadas;

// The symbol of one frame, demangled and without its parameters.
std::string simbolo(const char* linha) {
    std::string s = linha;
    const auto a = s.find('('), b = s.find('+', a == std::string::npos ? 0 : a);
    std::string modulo = s.substr(0, a);
    if (auto barra = modulo.rfind('/'); barra != std::string::npos) modulo = modulo.substr(barra + 1);
    if (a == std::string::npos || b == std::string::npos || b == a + 1) return "[" + modulo + "]";
    const std::string nome = s.substr(a + 1, b - a - 1);
    int st = 0;
    char* d = abi::__cxa_demangle(nome.c_str(), nullptr, nullptr, &st);
    std::string r = st == 0 && d ? d : nome;
    std::free(d);
    // Parameters and templates make the line unreadable: the name only.
    int nivel = 0;
    std::string curto;
    for (char c : r) {
        if (c == '(' && nivel == 0) break;
        if (c == '<') ++nivel;
        if (nivel == 0) curto += c;
        if (c == '>') --nivel;
    }
    return curto;
}

bool do_jogo(const std::string& f) {
    // A frame of one of the game's modules, loaded on first use (its
    // functions are not exported: the module's name stands for them).
    if (f.rfind("[libbrotalia_", 0) == 0) return true;
    for (const char* ns : {"platform::", "shell::", "garden::", "seedbed::", "agenda::", "help::", "minigame::",
                           "model::"})
        if (f.rfind(ns, 0) == 0) return true;
    return false;
}

// A sample as one line: the innermost frame, then the game's frames inside
// out (at most four).
std::string resume(const Amostra& a) {
    char** linhas = backtrace_symbols(a.quadros, a.n);
    if (!linhas) return {};
    std::vector<std::string> f;
    // Frames 0-2: the handler and the signal's return.
    for (int i = 2; i < a.n; ++i) f.push_back(simbolo(linhas[i]));
    std::free(linhas);
    std::string r;
    size_t i = 0;
    while (i < f.size() && (f[i].find("ao_sinal") != std::string::npos || f[i] == "[libc.so.6]")) ++i;
    if (i < f.size()) r = f[i++];
    int jogo = 0;
    std::string ultimo = r;
    for (; i < f.size() && jogo < 4; ++i) {
        if (!do_jogo(f[i]) || f[i] == ultimo) continue;
        r += " ← " + f[i];
        ultimo = f[i];
        ++jogo;
    }
    return r;
}

void tique() {
    const double agora = agora_ms();
    const double atraso = agora - ultimo_tique_ms.load() - 1.0;
    const long lacuna = lacuna_atual.load();
    if (contando && atraso > 5.0) {
        Travada tr{ultimo_tique_ms.load(), atraso, passo_atual, mais_longo.descricao, {}};
        for (auto& a : amostras)
            if (a.lacuna.load() == lacuna) tr.pilha.push_back(resume(a));
        tr.tipo = classifica(tr.pilha);
        travadas.push_back(std::move(tr));
    }
    mais_longo = {};
    lacuna_atual = lacuna + 1;
    ultimo_tique_ms = agora_ms();
}

// Samples the GUI thread's stack 10 ms into a stall and every 10 ms after.
std::atomic<bool> vigia_ativo{true};
void vigia() {
    long lacuna_amostrada = -1;
    int amostras_feitas = 0;
    while (vigia_ativo) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        const long lacuna = lacuna_atual.load();
        if (lacuna != lacuna_amostrada) {
            lacuna_amostrada = lacuna;
            amostras_feitas = 0;
        }
        const double parado = agora_ms() - ultimo_tique_ms.load();
        if (amostras_feitas < 6 && parado > 10.0 * (amostras_feitas + 1)) {
            ++amostras_feitas;
            pthread_kill(fio_gui, SIGPROF);
        }
    }
}

// ------------------------------------------------------------- the player

// Runs the event loop for ms, as the player's pause.
void espera(int ms) { t::RunFor(ms); }


void passo(const std::string& nome) {
    passo_atual = nome;
    if (std::getenv("BROTALIA_BENCH_DETALHE"))
        std::fprintf(stderr, "passo: %s (memória %.1f MiB, pico %.1f MiB, figuras %.1f MiB)\n", nome.c_str(),
                     memoria_kib("VmRSS:") / 1024.0, pico_kib() / 1024.0, pf::PictureCacheBytes() / 1048576.0);
}

template <class T>
T* tela(const char* nome) {
    return dynamic_cast<T*>(pf::Forms::Find(nome));
}

// Waits up to `limite_ms` for the screen `nome` to be loaded.
bool espera_tela(const char* nome, int limite_ms = 8000) {
    for (int t = 0; t < limite_ms && !pf::Forms::IsLoaded(nome); t += 50) espera(50);
    return pf::Forms::IsLoaded(nome);
}

// Clicks a help link whose target ends with one of the endings, as painted now.
bool clica_link(help::help& h, std::initializer_list<const char*> finais) {
    for (int k = 1; k <= help::HotSpotCount && k < static_cast<int>(help::HotSpots.size()); ++k) {
        const auto& s = help::HotSpots[k];
        std::string alvo = s.Target;
        for (auto& c : alvo) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* f : finais) {
            const size_t n = std::strlen(f);
            if (alvo.size() >= n && alvo.compare(alvo.size() - n, n, f) == 0 && h.TextPictureBox.OnMouseDown) {
                h.TextPictureBox.OnMouseDown(pf::vbLeftButton, 0, (s.Left + s.Right) / 2.0f, (s.Top + s.Bottom) / 2.0f);
                return true;
            }
        }
    }
    return false;
}

// The steps that did not happen: a season that skips one does not count.
std::vector<std::string> faltas;

bool exige(bool feito, const std::string& o_que) {
    if (!feito) {
        faltas.push_back(passo_atual + ": " + o_que);
        std::fprintf(stderr, "passo não realizado [%s]: %s\n", passo_atual.c_str(), o_que.c_str());
    }
    return feito;
}

// Waits up to `limite_ms` for the screen `nome` to be loaded; a screen that
// does not come is a step not done.
bool chega(const char* nome, int limite_ms = 8000) { return exige(espera_tela(nome, limite_ms), std::string("tela ") + nome); }

// True once a song plays: the mixer's own answer, asked of the library the
// sound module loaded (the game itself never needs to know).
bool musica_tocando() {
    static auto tocando = [] {
        void* h = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        return h ? reinterpret_cast<int (*)()>(dlsym(h, "Mix_PlayingMusic")) : nullptr;
    }();
    return tocando && tocando() != 0;
}

// Waits, as the player does, until `feito` or `limite_ms` have passed.
bool espera_ate(const std::function<bool()>& feito, int limite_ms) {
    for (int t = 0; t < limite_ms && !feito(); t += 50) espera(50);
    return feito();
}

// The PDFs in the program folder (the reports keep theirs there).
size_t pdfs(const std::string& pasta) {
    size_t n = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(pasta, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->path().extension() == ".pdf") ++n;
    return n;
}

// Back to the main menu from a work screen: its gardener button.
void volta_ao_menu(pf::Control& hortelino) {
    passo("gardener → menu");
    t::Click(hortelino);
    chega("INTRONEW");
    espera(1200);
}

template <class T>
T* exige_tela(const char* nome) {
    T* f = tela<T>(nome);
    exige(f != nullptr, std::string("tela ") + nome);
    return f;
}

void temporada(const std::string& pasta) {
    auto* menu = exige_tela<shell::INTRONEW>("INTRONEW");
    if (!menu) return;
    passo("menu");
    espera(1500);

    // The market order, then on to the garden by its own label.
    passo("menu → market");
    t::Click(menu->pic_feira);
    if (!chega("feira_horta")) return;
    espera(1200);
    auto feira = [] { return tela<shell::feira_horta>("feira_horta"); };
    passo("market order");
    for (int i = 0; i < 4; ++i)
        if (auto* f = feira(); exige(f && f->plc.Exists(i), "item da feira")) {
            t::Click(f->plc(i));
            espera(300);
        }
    passo("market → garden");
    if (auto* f = exige_tela<shell::feira_horta>("feira_horta")) t::Click(f->Label2);
    if (!chega(garden::nome_tela_horta)) return;
    espera(1200);

    // From the garden to the seedbed by its button.
    if (auto* g = exige_tela<garden::trabalhando_na_horta>(garden::nome_tela_horta)) {
        passo("garden → seedbed");
        t::Click(g->pic_semen);
    }
    if (!chega("controle_da_sementeira")) return;
    espera(1200);
    // The seedbed, looked up again after each wait.
    auto sementeira = [] { return exige_tela<seedbed::controle_da_sementeira>("controle_da_sementeira"); };
    if (auto* s = sementeira()) {
        passo("seedbed sow");
        t::DragTo(s->c_tom, s->Image3(4), 10, 10);
        espera(600);
    }
    if (auto* s = sementeira()) {
        t::DragTo(s->c_alf, s->Image3(2), 10, 10);
        espera(600);
    }
    if (auto* s = sementeira(); s && exige(s->Command4.Exists(1), "botão de desbaste")) {
        passo("seedbed thin");
        t::Click(s->Command4(1));
        espera(1500);
    }
    if (auto* s = sementeira(); s && exige(s->CRESCE.Exists(3), "botão de transplante")) {
        passo("seedbed transplant");
        s->CRESCE_Click(3);
        espera(600);
    }
    // The seedbed's help on its seeds, where the film is, then back.
    if (auto* s = sementeira()) {
        passo("seedbed → help");
        t::Click(s->lbl_verduras);
    }
    if (!chega(help::nome_tela_help)) return;
    espera(1200);
    auto ajuda = [] { return exige_tela<help::help>(help::nome_tela_help); };
    if (auto* h = ajuda()) {
        passo("help film link");
        // Watched to its end: the window closes itself a moment after.
        exige(clica_link(*h, {".avi"}), "ligação do filme") &&
            exige(espera_ate([] { return platform::FilmWindowOpen(); }, 3000), "janela do filme") &&
            exige(espera_ate([] { return !platform::FilmWindowOpen(); }, 15000), "filme até o fim");
        espera(500);
    }
    if (auto* h = ajuda()) {
        passo("help → seedbed");
        t::Click(h->theLabel1);
    }
    if (!chega("controle_da_sementeira")) return;
    espera(1200);
    if (auto* s = sementeira()) volta_ao_menu(s->hortelino);

    // The garden: drops and care.
    if ((menu = exige_tela<shell::INTRONEW>("INTRONEW"))) {
        passo("menu → garden");
        t::Click(menu->pic_horta);
    }
    if (!chega(garden::nome_tela_horta)) return;
    espera(1200);
    if (auto* g = exige_tela<garden::trabalhando_na_horta>(garden::nome_tela_horta)) {
        passo("garden drops");
        // Beds 42 pixels apart in rows of ten, as the garden lays them out.
        t::DragTo(g->c_alf, g->horta, 42.f * 2 + 20, 42.f * 1 + 20);
        espera(500);
        t::DragTo(g->c_tom, g->horta, 42.f * 5 + 20, 42.f * 3 + 20);
        espera(500);
        passo("garden care");
        // The care buttons (5 to 9); the screen is looked up again after each
        // wait, as a care may lead elsewhere.
        for (int i = 5; i <= 9; ++i) {
            g = tela<garden::trabalhando_na_horta>(garden::nome_tela_horta);
            if (!g) break;
            if (g->Command2.Exists(i) && g->Command2(i).Enabled()) {
                t::Click(g->Command2(i));
                espera(1500);
            }
        }
        passo("garden forecast");
        if ((g = exige_tela<garden::trabalhando_na_horta>(garden::nome_tela_horta))) {
            t::Click(g->previsao);
            espera(2500);
        }
        if ((g = exige_tela<garden::trabalhando_na_horta>(garden::nome_tela_horta))) volta_ao_menu(g->hortelino);
    }

    // The agenda and its report.
    if ((menu = exige_tela<shell::INTRONEW>("INTRONEW"))) {
        passo("menu → agenda");
        t::Click(menu->pic_agenda);
    }
    if (!chega("age")) return;
    espera(1200);
    if (auto* a = exige_tela<agenda::age>("age")) {
        passo("agenda report");
        const size_t antes = pdfs(pasta);
        t::Click(a->pic_imp);
        exige(espera_ate([&] { return pdfs(pasta) > antes; }, 8000), "relatório impresso");
        espera(1000);
    }
    if (auto* a = exige_tela<agenda::age>("age")) volta_ao_menu(a->hortelino);

    // The help with a song.
    if ((menu = exige_tela<shell::INTRONEW>("INTRONEW"))) {
        passo("menu → help");
        t::Click(menu->interroga);
    }
    if (!chega(help::nome_tela_help)) return;
    espera(1200);
    if (auto* h = ajuda()) {
        passo("help song link");
        exige(clica_link(*h, {".mid"}), "ligação da música") &&
            exige(espera_ate(musica_tocando, 4000), "música tocando");
        espera(1500);
    }
    if (auto* h = ajuda()) {
        passo("help → menu");
        t::Click(h->theLabel1);
    }
    if (!chega("INTRONEW")) return;
    espera(1200);

    // The options and the memory game.
    if ((menu = exige_tela<shell::INTRONEW>("INTRONEW"))) {
        passo("menu → options");
        t::Click(menu->Label2);
    }
    if (!chega("conf")) return;
    espera(1000);
    if (auto* c = exige_tela<shell::conf>("conf")) {
        passo("options → memory game");
        t::Click(c->Labelgame);
    }
    if (!chega("gamedio")) return;
    espera(1000);
    passo("memory game");
    for (int i = 0; i < 6; ++i)
        if (auto* j = exige_tela<minigame::gamedio>("gamedio"); j && exige(j->figura.Exists(i), "figura do jogo")) {
            t::Click(j->figura(i));
            espera(700);
        }
    if (auto* j = exige_tela<minigame::gamedio>("gamedio")) j->Unload();
    espera(300);
    if (auto* c = exige_tela<shell::conf>("conf")) {
        passo("options → menu");
        t::Click(c->Label1);
    }
    if (!chega("INTRONEW")) return;
    espera(1000);

    // The exit, with the save.
    if ((menu = exige_tela<shell::INTRONEW>("INTRONEW"))) {
        passo("exit with save");
        t::Click(menu->saida);
        exige(espera_ate([] { return pf::Forms::Ended(); }, 8000), "fim do jogo");
    }
}

int filho(int fd, const std::string& pasta) {
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // as the game's main does
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    Aplicacao app(argc, argv);
    platform::SetProgramFolder(pasta);
    app::registra_telas();
    platform::EnableFilmWindow(true);

    fio_gui = pthread_self();
    {
        void* aquece[4];
        (void)backtrace(aquece, 4);  // loads the unwinder before any signal
        struct sigaction sa {};
        sa.sa_handler = ao_sinal;
        sa.sa_flags = SA_RESTART;
        sigaction(SIGPROF, &sa, nullptr);
    }
    QTimer sonda;
    sonda.setTimerType(Qt::PreciseTimer);
    sonda.setInterval(1);
    QObject::connect(&sonda, &QTimer::timeout, [] { tique(); });
    ultimo_tique_ms = agora_ms();
    sonda.start();
    std::thread guarda(vigia);

    // The player: the drive question answered a moment after it is painted,
    // yes to printing and to leaving, any other dialog closed by its button.
    t::SetModalHook([](pf::Form& f) {
        if (f.Name() == "Conf_cd") {
            // Counted from the moment the question is on the screen (the
            // paint that puts it there is not).
            pf::Screen::AfterNextPaint([] {
                tique();
                contando = true;
                passo("drive question painted");
            });
            t::RunFor(400);
            passo("drive question → menu");
            t::Click(static_cast<shell::Conf_cd&>(f).Command1);
        } else if (f.Name() == "ok") {
            t::RunFor(300);
            t::Click(static_cast<shell::ok&>(f).opções);
        } else if (f.Name() == "form_ok_nao") {
            t::RunFor(300);
            t::Click(static_cast<shell::form_ok_nao&>(f).opções(0));
        } else {
            t::RunFor(300);
            f.Unload();
        }
    });
    pf::Screen::Open();
    pf::Forms::Show(shell::formulario_inicial);
    chega("INTRONEW");
    temporada(pasta);
    contando = false;
    sonda.stop();
    vigia_ativo = false;
    guarda.join();

    std::sort(travadas.begin(), travadas.end(), [](const Travada& a, const Travada& b) { return a.atraso_ms > b.atraso_ms; });
    int acima = 0, som = 0, ocioso = 0;
    double maior = 0;
    for (const auto& tr : travadas) {
        if (tr.atraso_ms <= 33.0) continue;
        if (tr.tipo == Travada::Tipo::som_sincrono)
            ++som;
        else if (tr.tipo == Travada::Tipo::ocioso)
            ++ocioso;
        else
            ++acima;
    }
    for (const auto& tr : travadas)
        if (tr.tipo == Travada::Tipo::trabalho) {
            maior = tr.atraso_ms;
            break;
        }
    std::printf("  %zu travadas acima de 5 ms; acima de 33 ms: %d de trabalho do jogo, %d esperas de som "
                "síncrono, %d com o fio ocioso (máquina ocupada)\n  as dez mais longas de trabalho:\n",
                travadas.size(), acima, som, ocioso);
    auto mostra = [](const Travada& tr) {
        std::printf("  %6.1f ms  [%s]  evento mais longo: %s\n", tr.atraso_ms, tr.passo.c_str(),
                    tr.evento.empty() ? "-" : tr.evento.c_str());
        for (const auto& p : tr.pilha) std::printf("             pilha: %s\n", p.c_str());
    };
    int n = 0;
    for (const auto& tr : travadas)
        if (tr.tipo == Travada::Tipo::trabalho && n++ < 10) mostra(tr);
    // The longest of the game's work in each step, in the order played.
    std::vector<std::pair<std::string, double>> por_passo;
    for (const auto& tr : travadas) {
        if (tr.tipo != Travada::Tipo::trabalho) continue;
        auto it = std::find_if(por_passo.begin(), por_passo.end(), [&](const auto& p) { return p.first == tr.passo; });
        if (it == por_passo.end())
            por_passo.emplace_back(tr.passo, tr.atraso_ms);
        else
            it->second = std::max(it->second, tr.atraso_ms);
    }
    std::printf("  a mais longa de trabalho por passo:");
    for (const auto& [p, ms] : por_passo) std::printf(" [%s] %.0f", p.c_str(), ms);
    std::printf("\n");
    n = 0;
    std::printf("  as três mais longas dos outros tipos:\n");
    for (const auto& tr : travadas)
        if (tr.tipo != Travada::Tipo::trabalho && n++ < 3) {
            std::printf("  (%s)\n", nome_do_tipo(tr.tipo));
            mostra(tr);
        }
    for (const auto& f : faltas) std::printf("  passo não realizado: %s\n", f.c_str());
    std::fflush(stdout);
    // The peak memory of the season as played (film, song and print in it),
    // and that of the process the film played in (the largest child reaped).
    rusage filhos{};
    getrusage(RUSAGE_CHILDREN, &filhos);
    const double resultado[5] = {maior, static_cast<double>(acima), static_cast<double>(faltas.size()),
                                 static_cast<double>(pico_kib()), static_cast<double>(filhos.ru_maxrss)};
    (void)!write(fd, resultado, sizeof resultado);
    close(fd);
    _exit(0);
}

// The bare full-screen window's peak memory at its first paint, through the
// same probe as the start-up benchmark's; -1 when it did not report.
double pico_da_janela_vazia_kib() {
    int tubo[2];
    if (pipe(tubo) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(tubo[0]);
        setenv("BROTALIA_MARCA_FD", std::to_string(tubo[1]).c_str(), 1);
        setenv("LD_PRELOAD", BROTALIA_BENCH_SONDA, 1);
        execl(BROTALIA_BENCH_VAZIA, "janela_vazia", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    Marca m{};
    const ssize_t n = read(tubo[0], &m, sizeof m);
    close(tubo[0]);
    waitpid(pid, nullptr, 0);
    return n == sizeof m ? static_cast<double>(m.pico_kib) : -1;
}

bool falhou = false;

void BM_TravadasNumaTemporada(benchmark::State& state) {
    bench_tela::prepara_tela();
    std::vector<double> maiores, picos, picos_filme, picos_vazia;
    int acima = 0;
    for (auto _ : state) {
        const std::string pasta = bench_tela::copia_do_programa(BROTALIA_BENCH_JOGO, "temporada");
        int tubo[2];
        if (pipe(tubo) != 0) {
            state.SkipWithError("sem pipe");
            return;
        }
        std::printf("Rodada %zu:\n", maiores.size() + 1);
        std::fflush(stdout);
        const double t0 = agora_ms();
        const pid_t pid = fork();
        if (pid == 0) {
            close(tubo[0]);
            const std::string fd = std::to_string(tubo[1]);
            execl("/proc/self/exe", "bench_shell_stalls", "--filho", fd.c_str(), pasta.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(tubo[1]);
        // A season stuck somewhere (a dialog nobody answers) ends here.
        double r[5] = {0, 0, 0, 0, 0};
        pollfd espera_filho{tubo[0], POLLIN, 0};
        const ssize_t n = poll(&espera_filho, 1, 5 * 60 * 1000) > 0 ? read(tubo[0], r, sizeof r) : 0;
        close(tubo[0]);
        if (n != sizeof r) kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        if (n != sizeof r || r[2] > 0) {
            falhou = true;
            state.SkipWithError(n != sizeof r ? "a temporada não chegou ao fim" : "a temporada pulou um passo");
            return;
        }
        state.SetIterationTime((agora_ms() - t0) / 1000);
        maiores.push_back(r[0]);
        acima += static_cast<int>(r[1]);
        picos.push_back(r[3] / 1024);
        picos_filme.push_back(r[4] / 1024);
        picos_vazia.push_back(pico_da_janela_vazia_kib() / 1024);
    }
    const double pior = *std::max_element(maiores.begin(), maiores.end());
    state.counters["maior_travada_ms"] = pior;
    state.counters["travadas_acima_de_33ms"] = acima;
    std::printf("Maior travada por rodada:");
    for (double m : maiores) std::printf(" %.1f ms", m);
    std::printf("; meta: nenhuma acima de 33 ms em todas as rodadas: %s\n", pior <= 33.0 ? "atingida" : "não atingida");
    const double pico = *std::max_element(picos.begin(), picos.end());
    std::printf("Pico de memória da temporada (filme, música e impressão) por rodada:");
    for (size_t i = 0; i < picos.size(); ++i)
        std::printf(" %.1f MiB (janela vazia %.1f; processo do filme %.1f)", picos[i], picos_vazia[i], picos_filme[i]);
    std::printf("; meta: <= 100 MiB: %s\n", pico <= 100 ? "atingida" : "não atingida");
    state.counters["pico_MiB"] = pico;
    state.counters["processo_do_filme_pico_MiB"] = *std::max_element(picos_filme.begin(), picos_filme.end());
    state.counters["janela_vazia_pico_MiB"] = *std::max_element(picos_vazia.begin(), picos_vazia.end());
    std::fflush(stdout);
}
BENCHMARK(BM_TravadasNumaTemporada)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    platform::RunChildRoleIfAsked();  // the season's film process
    if (argc == 4 && std::strcmp(argv[1], "--filho") == 0) return filho(std::atoi(argv[2]), argv[3]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_tela::encerra_xvfb();
    return falhou ? 1 : 0;
}
