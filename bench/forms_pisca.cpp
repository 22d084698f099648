// One 100 ms tick of the completion blink over a full garden, offscreen,
// scaled to 1920 x 1080: the marker boxes of 100 beds are shown or hidden
// with their text changed, and the changed region is repainted.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTransform>

#include <string>

#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"

namespace pf = platform::forms;

namespace {

const bool kOffscreen = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

class Horta : public pf::Form {
public:
    pf::PictureBox horta{this, "horta"};
    pf::ControlArray<pf::Image> cant{&horta, "cant"};
    pf::ControlArray<pf::Label> caixa{&horta, "caixa"};
    Horta() {
        SetClientSize(12000, 9000);
        horta.Move(3000, 2460, 6285, 6285);
        horta.SetScaleMode(pf::vbPixels);
        cant.Add(100).SetVisible(false);
        caixa.Add(100).SetVisible(false);
    }
};

void BM_PiscaCemCanteirosFullHd(benchmark::State& state) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("drives/E/anima");
    QImage back(800, 600, QImage::Format_RGB32);
    back.fill(QColor(120, 180, 90));
    back.save(dir.path() + "/back_horta.jpg", "JPG");
    QImage grade(420, 420, QImage::Format_RGB32);
    grade.fill(QColor(140, 90, 40));
    grade.save(dir.path() + "/drives/E/anima/g_horta3.jpg", "JPG");
    QImage crop(39, 40, QImage::Format_RGB32);
    crop.fill(QColor(60, 200, 60));
    crop.save(dir.path() + "/drives/E/anima/az_alf.bmp", "BMP");
    platform::SetProgramFolder(dir.path().toStdString());
    platform::InvalidatePathCache();
    pf::test::ResetAll();
    pf::Screen::SetVirtualSize(1920, 1080);
    pf::Forms::Register<Horta>("horta");
    Horta& tela = pf::Forms::Get<Horta>("horta");
    tela.LoadPicture(platform::ProgramFolder() + "\\back_horta.jpg");
    tela.horta.LoadPicture("E:\\anima\\g_horta3.jpg");
    for (int i = 0; i < 100; ++i) {
        pf::Image& im = tela.cant.Load(i);
        im.Move((i % 10) * 42 + 1, (i / 10) * 42 + 1);
        im.LoadPicture("E:\\anima\\AZ_ALF.bmp");
        im.SetVisible(true);
        pf::Label& c = tela.caixa.Load(i);
        c.Move((i % 10) * 42 + 24, (i / 10) * 42 + 24, 16, 14);
        c.SetCaption(".");
    }
    tela.Show();
    pf::test::ProcessEvents();

    QImage surface(1920, 1080, QImage::Format_RGB32);
    {
        QPainter p(&surface);
        pf::Screen::Render(p, surface.rect());
    }
    // The boxes cover the board: its region is repainted.
    const QRect dirty = pf::Screen::FormToDevice(tela).mapRect(tela.horta.RectPx()).toAlignedRect();
    int conta = 0;
    for (auto _ : state) {
        const bool acende = ++conta % 2 == 0;
        for (int i = 0; i < 100; ++i) {
            pf::Label& c = tela.caixa(i);
            c.SetCaption(acende ? "ok" : ".");
            c.SetVisible(acende);
        }
        QPainter p(&surface);
        pf::Screen::Render(p, dirty);
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    pf::test::ResetAll();
    platform::SetProgramFolder("");
}
BENCHMARK(BM_PiscaCemCanteirosFullHd)->Unit(benchmark::kMillisecond);

}  // namespace
