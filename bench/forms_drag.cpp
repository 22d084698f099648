// One drag move over a screen of 150 controls, from the pointer to the
// DragOver handler of the control beneath it.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QPointF>

#include "platform/forms/forms.h"
#include "platform/forms/internal.h"
#include "platform/forms/testing.h"

namespace pf = platform::forms;

namespace {

const bool kOffscreen = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

class Tela : public pf::Form {
public:
    pf::PictureBox horta{this, "horta"};
    pf::ControlArray<pf::Image> cant{&horta, "cant"};
    pf::ControlArray<pf::Image> c_{this, "c_"};
    pf::ControlArray<pf::Label> rotulo{this, "rotulo"};
    pf::ControlArray<pf::TextBox> txt_label{&horta, "txt_label"};
    long overs = 0;
    Tela() {
        SetClientSize(12000, 9000);
        horta.Move(3000, 2460, 6285, 6285);
        horta.SetScaleMode(pf::vbPixels);
        horta.OnDragOver = [this](pf::Control&, float, float, int) { ++overs; };
        pf::Image& t = cant.Add(100);
        t.Move(0, 0, 39, 40);
        t.SetVisible(false);
        t.SetDragMode(pf::vbAutomatic);
        cant.Bind(&pf::Image::OnDragOver, [this](int, pf::Control&, float, float, int) { ++overs; });
        txt_label.Add(100).SetVisible(false);
        for (int i = 0; i < 100; ++i) {  // 100 beds
            pf::Image& im = cant.Load(i);
            im.Move((i % 10) * 42 + 1, (i / 10) * 42 + 1);
            im.SetVisible(true);
        }
        for (int i = 0; i < 21; ++i) {  // the palette
            pf::Image& c = c_.Add(i);
            c.Move(300 + (i % 3) * 800, 1200 + (i / 3) * 900, 585, 600);
            c.SetDragMode(pf::vbAutomatic);
        }
        for (int i = 0; i < 21; ++i) rotulo.Add(i).Move(9600, 900 + i * 350, 2000, 300);
        for (int i = 0; i < 5; ++i) txt_label.Load(i).Move(i * 42 + 2, 2, 37, 16);
    }
};

void BM_DragMoveOver150Controls(benchmark::State& state) {
    pf::test::ResetAll();
    pf::Screen::SetVirtualSize(1920, 1080);
    pf::Forms::Register<Tela>("tela");
    Tela& tela = pf::Forms::Get<Tela>("tela");
    tela.Show();
    pf::test::ProcessEvents();
    pf::detail::StartDrag(tela.c_(0), tela.c_(0).RectPx().center());
    // Alternate between two bed cells far down the z-order and the grid itself.
    const QPointF pts[] = {QPointF(200 + 9 * 42 + 20, 164 + 9 * 42 + 20), QPointF(200 + 5 * 42 + 41.5, 164 + 5 * 42 + 41.5),
                           QPointF(200 + 3 * 42 + 20, 164 + 7 * 42 + 20)};
    int i = 0;
    for (auto _ : state) {
        pf::detail::DragMoveTo(pts[i++ % 3]);
    }
    benchmark::DoNotOptimize(tela.overs);
    state.counters["controls"] = static_cast<double>(tela.horta.Children().size() + tela.Children().size());
    pf::detail::CancelDrag();
    pf::test::ResetAll();
}
BENCHMARK(BM_DragMoveOver150Controls)->Unit(benchmark::kMicrosecond);

}  // namespace
