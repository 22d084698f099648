// Sound on a real sound server (the test command's private null sink, or the
// desktop's): the time a synchronous sound (the click, 35 ms, and the card
// flip, 120 ms) keeps the game waiting beyond the sound's own length, and a market plate click with the voice on, from the
// click to its counter changing.
//
// References measured in the same run:
// - for the synchronous play, a thread sleeping for the sound's length: the
//   least any wait for a sound's end costs on this machine as loaded now;
// - for the plate click, the same click with the silent back end: the
//   screen's own work, which the click sound's length adds to.
// BROTALIA_BENCH_DETALHE=1 prints every measured time (ms) to stderr.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "model/catalogo.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "shell/dialogos.h"
#include "shell/feira.h"
#include "shell/registro.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const bool kOffscreen = [] {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return true;
}();

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool soundServer() { return std::system("pactl info >/dev/null 2>&1") == 0; }

// A program folder of the bench's own: the build's program folder by links,
// without its game databases.
std::string programFolder() {
    static std::string folder = [] {
        const fs::path scratch = fs::path(BROTALIA_BENCH_SCRATCH) / "sound_play";
        const fs::path program = fs::path(BROTALIA_BENCH_SCRATCH).parent_path().parent_path() / "program";
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        for (const auto& e : fs::directory_iterator(program)) {
            const std::string ext = e.path().extension().string();
            if (ext == ".mdb" || ext == ".MDB") continue;
            std::error_code ec;
            fs::create_symlink(e.path(), scratch / e.path().filename(), ec);
        }
        return scratch.string();
    }();
    return folder;
}

// Synchronous plays of one of the game's sounds: the time beyond its length.
// The click (35 ms) and the memory game's card flip (120 ms).
const char* const kSyncSounds[] = {"\\blip.wav", "\\quickly.wav"};

void BM_SyncPlayOverhead(benchmark::State& state) {
    if (!soundServer()) {
        state.SkipWithError("nenhum servidor de som (PulseAudio): rode pelo scripts/bench.sh");
        return;
    }
    platform::SetProgramFolder(programFolder());
    const std::string som = platform::ProgramFolder() + kSyncSounds[state.range(0)];
    state.SetLabel(kSyncSounds[state.range(0)] + 1);
    const double length = *platform::WavDuration(platform::ResolvePath(som)) * 1000;
    platform::SetSoundBackend(platform::MakeMixerSoundBackend());
    const auto open = Clock::now();
    platform::PlaySound(som, platform::SoundMode::Sync);
    const double firstPlay = ms(Clock::now() - open) - length;  // opens the device

    std::vector<double> over, slept;
    for (auto _ : state) {
        auto start = Clock::now();
        platform::PlaySound(som, platform::SoundMode::Sync);
        const double took = ms(Clock::now() - start);
        state.SetIterationTime(took / 1000);
        over.push_back(took - length);
        start = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(length));
        slept.push_back(ms(Clock::now() - start) - length);
    }
    platform::ShutdownSound();
    if (std::getenv("BROTALIA_BENCH_DETALHE"))
        for (double o : over) std::fprintf(stderr, "%.1f ", o);
    state.counters["som_ms"] = length;
    state.counters["excesso_mediana_ms"] = median(over);
    state.counters["excesso_max_ms"] = *std::max_element(over.begin(), over.end());
    state.counters["excesso_min_ms"] = *std::min_element(over.begin(), over.end());
    state.counters["ref_sono_mediana_ms"] = median(slept);
    state.counters["ref_sono_max_ms"] = *std::max_element(slept.begin(), slept.end());
    state.counters["primeiro_excesso_ms"] = firstPlay;
}
BENCHMARK(BM_SyncPlayOverhead)->Arg(0)->Arg(1)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// The market with the voice on: a plate click, from the press to its
// counter's new caption, with the crop's count going up and down in turn so
// the area limit is never met. Between clicks the screen's timers run, so the
// market's crier voice plays and each click cuts it.
struct Market {
    shell::feira_horta* form = nullptr;
    int plate = -1;

    void open() {
        t::ResetAll();
        platform::SetLogToStderr(false);
        platform::SetProgramFolder(programFolder());
        platform::InvalidatePathCache();
        model::define_caminho_banco("");
        model::reinicia_estado();
        model::reinicia_banco();
        shell::registra_formularios();
        t::SetModalHook([](pf::Form& f) {
            if (f.Name() == "ok")
                t::Click(static_cast<shell::ok&>(f).opções);
            else
                f.Unload();
        });
        model::EstadoSessao& s = model::sessao();
        s.dir_anima = platform::ProgramFolder() + "\\drives\\C";
        s.dir_som = s.dir_anima + "\\audio\\caipira";
        s.som_ligado = true;
        s.trilha_fundo = false;
        model::inicia_culturas();
        pf::Forms::Show("feira_horta");
        t::ProcessEvents();
        form = &pf::Forms::Get<shell::feira_horta>("feira_horta");
        plate = 0;
    }

    // One click; the milliseconds from the press to the counter's change.
    double click(int button) {
        const auto& p = form->plc(plate);
        const float x = p.Left() + p.Width() / 2.0f, y = p.Top() + p.Height() / 2.0f;
        pf::Label& count = form->qt(shell::placas_feira[plate].rotulo);
        const std::string before = count.Caption() + "|" + (count.Visible() ? "v" : "");
        const auto start = Clock::now();
        t::MouseDown(*form, x, y, button);
        t::MouseUp(*form, x, y, button);
        const double took = ms(Clock::now() - start);
        if (count.Caption() + "|" + (count.Visible() ? "v" : "") == before) return -1;
        return took;
    }

    void close() {
        t::ResetAll();
        platform::SetSoundBackend(nullptr);
        platform::SetProgramFolder("");
    }
};

void runMarket(benchmark::State& state, bool real) {
    if (real && !soundServer()) {
        state.SkipWithError("nenhum servidor de som (PulseAudio): rode pelo scripts/bench.sh");
        return;
    }
    Market m;
    m.open();
    if (real)
        platform::SetSoundBackend(platform::MakeMixerSoundBackend());
    else
        platform::SetSoundBackend(std::make_unique<platform::SilentSoundBackend>());
    const double blip = *platform::WavDuration(platform::ResolvePath(platform::ProgramFolder() + "\\blip.wav")) * 1000;
    std::vector<double> took;
    bool up = true;
    int unchanged = 0;
    // The crier's first voice comes a moment after the screen opens.
    for (int i = 0; i < 60; ++i) t::ProcessEvents(), std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (auto _ : state) {
        const double d = m.click(up ? pf::vbLeftButton : pf::vbRightButton);
        up = !up;
        if (d < 0) {
            ++unchanged;
            continue;
        }
        took.push_back(d);
        state.SetIterationTime(d / 1000);
        // A player's pause between clicks: the screen's timers and the crier run.
        for (int i = 0; i < 8; ++i) t::ProcessEvents(), std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    m.close();
    if (std::getenv("BROTALIA_BENCH_DETALHE"))
        for (double o : took) std::fprintf(stderr, "%.1f ", o);
    if (took.empty()) {
        state.SkipWithError("o contador não mudou");
        return;
    }
    state.counters["clique_mediana_ms"] = median(took);
    state.counters["clique_max_ms"] = *std::max_element(took.begin(), took.end());
    state.counters["som_clique_ms"] = blip;
    state.counters["alem_do_som_mediana_ms"] = median(took) - (real ? blip : 0);
    state.counters["alem_do_som_max_ms"] = *std::max_element(took.begin(), took.end()) - (real ? blip : 0);
    state.counters["sem_mudanca"] = unchanged;
}

void BM_MarketClickVoiceOn(benchmark::State& state) { runMarket(state, true); }
void BM_MarketClickSilentReference(benchmark::State& state) { runMarket(state, false); }
BENCHMARK(BM_MarketClickVoiceOn)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarketClickSilentReference)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace
