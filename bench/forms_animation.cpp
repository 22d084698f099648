// One 100 ms animation tick of a full screen, offscreen, scaled to
// 1920 x 1080: six picture buttons take their next frame (loaded by game
// path, as the screens do at every tick) and the changed region is repainted.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTransform>

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"

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
    pf::ControlArray<pf::CommandButton> Command2{this, "Command2"};
    pf::ControlArray<pf::Label> rotulo{this, "rotulo"};
    Tela() {
        SetClientSize(12000, 9000);
        horta.Move(3000, 2460, 6285, 6285);
        horta.SetScaleMode(pf::vbPixels);
        cant.Add(100).SetVisible(false);
        for (int k = 0; k < 6; ++k) {
            pf::CommandButton& b = Command2.Add(k);
            b.Move(300 + k * 800, 7900, 750, 750);
            b.SetStyle(1);
            b.SetBackColor(0x00C0FFFF);
        }
        for (int i = 0; i < 12; ++i) {
            pf::Label& l = rotulo.Add(i);
            l.Move(9600, 2460 + i * 400, 2000, 350);
            l.SetCaption("Alface  3");
            l.SetBackStyle(pf::vbTransparent);
        }
    }
};

struct Cenario {
    QTemporaryDir dir;
    Tela* tela = nullptr;
    Cenario() {
        QDir(dir.path()).mkpath("drives/E/anima");
        QImage back(800, 600, QImage::Format_RGB32);
        QPainter p(&back);
        p.fillRect(back.rect(), QColor(120, 180, 90));
        p.end();
        back.save(dir.path() + "/back_horta.jpg", "JPG");
        QImage grade(420, 420, QImage::Format_RGB32);
        grade.fill(QColor(140, 90, 40));
        grade.save(dir.path() + "/drives/E/anima/g_horta3.jpg", "JPG");
        for (int i = 0; i < 14; ++i) {
            QImage fr(48, 48, QImage::Format_RGB32);
            fr.fill(QColor(20 * i, 100, 200 - 10 * i));
            fr.save(dir.path() + QString("/drives/E/anima/li%1.bmp").arg(i, 2, 10, QChar('0')), "BMP");
        }
        QImage crop(39, 40, QImage::Format_RGB32);
        crop.fill(QColor(60, 200, 60));
        crop.save(dir.path() + "/drives/E/anima/az_alf.bmp", "BMP");
        platform::SetProgramFolder(dir.path().toStdString());
        platform::InvalidatePathCache();
        pf::test::ResetAll();
        pf::Screen::SetVirtualSize(1920, 1080);
        pf::Forms::Register<Tela>("trabalhando_na_horta");
        tela = &pf::Forms::Get<Tela>("trabalhando_na_horta");
        tela->LoadPicture(platform::ProgramFolder() + "\\back_horta.jpg");
        tela->horta.LoadPicture("E:\\anima\\g_horta3.jpg");
        for (int i = 0; i < 100; ++i) {  // a full garden
            pf::Image& im = tela->cant.Load(i);
            im.Move((i % 10) * 42 + 1, (i / 10) * 42 + 1);
            im.LoadPicture("E:\\anima\\AZ_ALF.bmp");
            im.SetVisible(true);
        }
        tela->Show();
        pf::test::ProcessEvents();
    }
    ~Cenario() {
        pf::test::ResetAll();
        platform::SetProgramFolder("");
    }
};

void BM_AnimationTickFullHd(benchmark::State& state) {
    Cenario c;
    QImage surface(1920, 1080, QImage::Format_RGB32);
    {
        QPainter p(&surface);
        pf::Screen::Render(p, surface.rect());
    }
    const QTransform tr = pf::Screen::FormToDevice(*c.tela);
    int fase = 0;
    for (auto _ : state) {
        QRect dirty;
        for (int k = 0; k < 6; ++k) {
            char name[40];
            std::snprintf(name, sizeof name, "E:\\anima\\LI%02d.bmp", (fase + k) % 14);
            pf::CommandButton& b = c.tela->Command2(k);
            b.SetPicture(pf::LoadPicture(name));
            dirty |= tr.mapRect(b.RectPx()).toAlignedRect();
        }
        QPainter p(&surface);
        pf::Screen::Render(p, dirty);
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
        ++fase;
    }
}
BENCHMARK(BM_AnimationTickFullHd)->Unit(benchmark::kMillisecond);

// The worst case: the whole 1920 x 1080 screen repainted at a tick.
void BM_FullScreenRepaintFullHd(benchmark::State& state) {
    Cenario c;
    QImage surface(1920, 1080, QImage::Format_RGB32);
    int fase = 0;
    for (auto _ : state) {
        char name[40];
        std::snprintf(name, sizeof name, "E:\\anima\\li%02d.bmp", fase++ % 14);
        c.tela->Command2(0).SetPicture(pf::LoadPicture(name));
        QPainter p(&surface);
        pf::Screen::Render(p, surface.rect());
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_FullScreenRepaintFullHd)->Unit(benchmark::kMillisecond);

}  // namespace
