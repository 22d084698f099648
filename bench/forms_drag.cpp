// One move of a crop dragged over the real garden screen (every bed planted,
// the game's pictures, the game's full-screen window on an X server), from
// the pointer to the DragOver handlers beneath it, with the repaint of the
// moved drag picture sent to the X server.
// Reference in the same run: a bare full-screen window repainting the
// garden board's rectangle from a picture already made (see inicio/horta.h).

#include <benchmark/benchmark.h>

#include "inicio/horta.h"

#include <QPointF>

#include <algorithm>
#include <vector>

#include "platform/forms/internal.h"

namespace {

using namespace bench_horta;

void BM_ArrastoSobreAHortaCheia(benchmark::State& state) {
    std::vector<double> jogo;
    QRect sujo;
    {
        HortaReal h;
        auto& g = *h.tela;
        sujo = pf::Screen::FormToDevice(g).mapRect(g.horta.RectPx()).toAlignedRect();
        pf::detail::StartDrag(g.c_alf, g.c_alf.RectPx().center());
        repinta();
        // Over beds far apart on the board, in form pixels.
        const QRectF board = g.horta.RectPx();
        const QPointF pts[] = {board.topLeft() + QPointF(9 * 42 + 20, 9 * 42 + 20),
                               board.topLeft() + QPointF(5 * 42 + 20, 2 * 42 + 20),
                               board.topLeft() + QPointF(1 * 42 + 20, 7 * 42 + 20)};
        int i = 0;
        for (auto _ : state) {
            const auto t0 = std::chrono::steady_clock::now();
            pf::detail::DragMoveTo(pts[i++ % 3]);
            repinta();
            jogo.push_back(ms_desde(t0));
        }
        pf::detail::CancelDrag();
    }
    compara_com_janela_nua(state, jogo, sujo, 300);
}
BENCHMARK(BM_ArrastoSobreAHortaCheia)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_horta::roda_benchmarks(argc, argv); }
