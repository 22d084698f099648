// One 100 ms tick of the completion blink on the real garden screen (every
// bed planted and ticked, the game's pictures, the game's full-screen window
// on an X server), with its repaint sent to the X server: the marker boxes
// of the hundred beds are shown or hidden with their text changed.
// Reference in the same run: a bare full-screen window repainting the
// garden board's rectangle from a picture already made (see inicio/horta.h).

#include <benchmark/benchmark.h>

#include "inicio/horta.h"

#include <algorithm>
#include <vector>

namespace {

using namespace bench_horta;

void BM_PiscaNaHortaCheia(benchmark::State& state) {
    std::vector<double> jogo;
    QRect sujo;
    int sem_tique = 0, caixas = 0;
    {
        HortaReal h;
        auto& g = *h.tela;
        sujo = pf::Screen::FormToDevice(g).mapRect(g.horta.RectPx()).toAlignedRect();
        // Every bed's care done this week: the blink of the completed
        // markers, as the last tick of a care starts it.
        auto inicia_pisca = [&] {
            for (int i = 0; i < model::n_canteiros; ++i) {
                g.txt_label(i).SetText(".");
                g.txt_label(i).SetVisible(false);
            }
            g.pisca.conta = 19;
            g.Timergame.SetInterval(100);
        };
        inicia_pisca();
        repinta();
        for (int i = 0; i < model::n_canteiros; ++i) caixas += g.txt_label.Exists(i);
        for (auto _ : state) {
            if (g.Timergame.Interval() == 0) {  // a blink over: another
                state.PauseTiming();
                inicia_pisca();
                repinta();
                state.ResumeTiming();
            }
            const auto t0 = std::chrono::steady_clock::now();
            if (!pf::test::TickTimer(g.Timergame)) ++sem_tique;
            repinta();
            jogo.push_back(ms_desde(t0));
        }
    }
    compara_com_janela_nua(state, jogo, sujo, 200);
    state.counters["caixas"] = caixas;
    if (sem_tique) state.SkipWithError("o pisca não rodou");
}
BENCHMARK(BM_PiscaNaHortaCheia)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_horta::roda_benchmarks(argc, argv); }
