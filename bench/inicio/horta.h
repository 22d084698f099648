#pragma once
// The real garden screen as a player sees it late in a season, for the
// benchmarks of the forms layer: the game's own screen and pictures (from a
// program folder of the bench's own), every bed planted, shown in the game's
// full-screen window on an X server (see tela.h). A step is timed with its
// repaint: the window's pending paint is done and sent to the X server.
//
// The reference, measured in the same run: a bare full-screen Qt window
// (the start-up benchmark's yardstick) repainting the same device rectangle
// from a picture already scaled, the least a program pays to put those
// pixels on the screen.

#include "tela.h"
#include "mediana.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "garden/trabalhando_na_horta.h"
#include "model/modelo.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "shell/dialogos.h"
#include "shell/registro.h"

namespace bench_horta {

namespace pf = platform::forms;

inline double ms_desde(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The game's window's pending paint, done and flushed.
inline void repinta() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::processEvents();
}

struct HortaReal {
    garden::trabalhando_na_horta* tela = nullptr;

    HortaReal() {
        bench_tela::prepara_tela();
        platform::SetProgramFolder(bench_tela::copia_do_programa(BROTALIA_BENCH_JOGO, "horta"));
        platform::InvalidatePathCache();
        pf::test::ResetAll();
        platform::UseRecordingSoundBackend();  // the voices' time is not the screen's
        shell::registra_formularios();
        garden::registra_formularios();
        pf::test::SetModalHook([](pf::Form& f) { f.Unload(); });
        model::reinicia_estado();
        auto& s = model::sessao();
        s.dir_anima = "C:";
        s.dir_som = "C:\\audio\\caipira";
        auto& h = model::horta();
        for (int i = 0; i < model::n_canteiros; ++i) {
            const int cult = 1 + i % model::n_culturas;
            h.cult_can[i] = cult;
            h.idade_can[i] = 2 + i % 5;
            h.nome_can[i] = model::catalogo().nome_cult[cult];
            h.check_can[i] = false;
        }
        pf::Screen::Open();
        pf::Forms::Show(garden::nome_tela_horta);
        tela = &pf::Forms::Get<garden::trabalhando_na_horta>(garden::nome_tela_horta);
        // The window shown, painted once, its smooth copies made.
        pf::test::RunFor(1500);
        tela->timer_.SetInterval(0);
        tela->Timer1.SetInterval(0);
    }
    ~HortaReal() {
        pf::test::SetModalHook({});
        pf::Screen::Close();
        pf::test::ResetAll();
        QCoreApplication::processEvents();
    }
};

// The yardstick: a bare full-screen window painting a rectangle from a
// picture of the screen's size.
class JanelaNua : public QWidget {
public:
    JanelaNua() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        if (QScreen* s = QGuiApplication::primaryScreen()) setGeometry(s->geometry());
        imagem_ = QImage(geometry().size(), QImage::Format_RGB32);
        QPainter p(&imagem_);
        p.fillRect(imagem_.rect(), QColor(90, 140, 60));
        for (int x = 0; x < imagem_.width(); x += 40) p.fillRect(x, 0, 20, imagem_.height(), QColor(140, 90, 40));
        p.end();
        showFullScreen();
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    }
    // Repaints that rectangle and sends it to the X server; its milliseconds.
    double repinta(const QRect& r) {
        const auto t0 = std::chrono::steady_clock::now();
        repaint(r);
        QCoreApplication::processEvents();
        return ms_desde(t0);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.drawImage(e->rect(), imagem_, e->rect());
    }

private:
    QImage imagem_;
};

// The game's median time per step against the bare window repainting the
// same rectangle, as many times (at most `vezes`), in the same run.
inline void compara_com_janela_nua(benchmark::State& state, const std::vector<double>& jogo, const QRect& sujo,
                                   size_t vezes) {
    JanelaNua nua;
    std::vector<double> ref;
    for (size_t i = 0; i < jogo.size() && i < vezes; ++i) ref.push_back(nua.repinta(sujo));
    state.counters["jogo_mediana_ms"] = mediana(jogo);
    state.counters["ref_janela_nua_mediana_ms"] = mediana(ref);
    state.counters["razao"] = mediana(jogo) / mediana(ref);
}

// The benchmarks of a program, then the X server it may have started ends.
inline int roda_benchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_tela::encerra_xvfb();
    return 0;
}

}  // namespace bench_horta
