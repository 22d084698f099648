// One 100 ms tick of a care button's animation on the real garden screen
// (every bed planted, the game's pictures, the game's full-screen window on
// an X server), with its repaint sent to the X server: the button takes its
// next frame, loaded by game path as the screen does at every tick.
// Reference in the same run: a bare full-screen window repainting the same
// rectangle from a picture already made (see inicio/horta.h).

#include <benchmark/benchmark.h>

#include "inicio/horta.h"

#include <algorithm>
#include <vector>

namespace {

using namespace bench_horta;

void BM_TiqueDeAnimacaoNaHorta(benchmark::State& state) {
    std::vector<double> jogo;
    QRect sujo;
    {
        HortaReal h;
        auto& g = *h.tela;
        const int botao = 5;  // the cleaning, its frames li00 to li12
        sujo = pf::Screen::FormToDevice(g).mapRect(g.Command2(botao).RectPx()).toAlignedRect();
        for (auto _ : state) {
            if (g.timer_.Interval() == 0) {
                state.PauseTiming();
                g.Command2(botao).SetEnabled(true);
                pf::test::Click(g.Command2(botao));
                repinta();
                state.ResumeTiming();
            }
            const auto t0 = std::chrono::steady_clock::now();
            pf::test::TickTimer(g.timer_);
            repinta();
            jogo.push_back(ms_desde(t0));
        }
    }
    compara_com_janela_nua(state, jogo, sujo, 200);
}
BENCHMARK(BM_TiqueDeAnimacaoNaHorta)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_horta::roda_benchmarks(argc, argv); }
