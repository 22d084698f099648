// Player input through the forms layer: drag and drop, clicks, keys, and the
// screen scale.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <algorithm>

#include "demo_form.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;

namespace {

class FormsInput : public ::testing::Test {
protected:
    void SetUp() override {
        t::ResetAll();
        pf::Forms::Register<demo::DemoForm>("demo");
        f = &pf::Forms::Get<demo::DemoForm>("demo");
        f->Show();
        t::ProcessEvents();
        f->eventos.clear();
    }
    void TearDown() override { t::ResetAll(); }
    std::vector<std::string>& ev() { return f->eventos; }
    bool Has(const std::string& e) { return std::find(ev().begin(), ev().end(), e) != ev().end(); }
    demo::DemoForm* f = nullptr;
};

TEST_F(FormsInput, DragFromImageToPictureBoxRaisesEnterOverLeaveAndDropInPixels) {
    t::DragTo(f->c_alf, f->horta, 130, 100);
    // Enter and leave on the source itself, then enter and over on the grid,
    // the drop in the grid's own pixels.
    ASSERT_GE(ev().size(), 5u);
    EXPECT_EQ(ev()[0], "c_alf_DragOver c_alf 0");
    EXPECT_EQ(ev()[1], "c_alf_DragOver c_alf 1");
    EXPECT_EQ(ev()[2], "horta_DragOver c_alf 0");
    EXPECT_EQ(ev()[3], "horta_DragOver c_alf 2");
    EXPECT_EQ(ev().back(), "horta_DragDrop c_alf 130 100");
    EXPECT_EQ(f->ultima_celula, 23);
    ASSERT_TRUE(f->cant.Exists(23));
    EXPECT_TRUE(f->cant(23).Visible());
    EXPECT_EQ(f->cant(23).Picture().Image(), f->c_alf.Picture().Image());
    EXPECT_EQ(f->cant(23).Left(), 3 * 42 + 1);
    // Dropping on the bed image goes to the image's own handler, with its Index.
    f->eventos.clear();
    t::DragTo(f->c_tom, f->cant(23), 5, 5);
    EXPECT_EQ(ev().back(), "cant_DragDrop 23 c_tom");
}

TEST_F(FormsInput, HiddenControlsAreTransparentAndControlsWithoutHandlerSwallowTheDrop) {
    // The hidden image over the grid does not take the drop.
    t::DragTo(f->c_alf, f->horta, 10, 10);
    EXPECT_EQ(ev().back(), "horta_DragDrop c_alf 10 10");
    // Shown, it has no DragDrop handler: the drop is lost, not passed on.
    f->tampa.SetVisible(true);
    f->eventos.clear();
    t::DragTo(f->c_alf, f->horta, 50, 50);
    EXPECT_FALSE(Has("horta_DragDrop c_alf 50 50"));
    for (const auto& e : ev()) EXPECT_EQ(e.find("DragDrop"), std::string::npos) << e;
    // A windowless image never lies above a windowed control.
    f->tampa.SetVisible(false);
    pf::Image sobre{f, "sobre"};
    sobre.Move(3000, 2460, 3000, 3000);
    f->eventos.clear();
    t::DragTo(f->c_alf, f->horta, 60, 60);
    EXPECT_TRUE(Has("horta_DragDrop c_alf 60 60"));
    // A label without handler swallows the drop too.
    f->eventos.clear();
    t::DragTo(f->c_alf, f->lbl_msg, 10, 10);
    for (const auto& e : ev()) EXPECT_EQ(e.find("DragDrop"), std::string::npos) << e;
}

TEST_F(FormsInput, BedDroppedOnTheFormIsUnloadedByTheHandlerWithoutHarm) {
    t::DragTo(f->c_alf, f->horta, 300, 300);
    ASSERT_TRUE(f->cant.Exists(77));
    t::DragTo(f->cant(77), *f, 2400, 1500);
    EXPECT_TRUE(Has("Form_DragDrop cant 2400 1500"));
    EXPECT_FALSE(f->cant.Exists(77));
    EXPECT_THROW(f->cant(77), std::logic_error);
}

TEST_F(FormsInput, EscapeModalDialogOrSourceUnloadCancelTheDrag) {
    const float cx = f->c_alf.Left() + 200.f, cy = f->c_alf.Top() + 200.f;
    const float hx = 3000 + 100 * 15.f, hy = 2460 + 100 * 15.f;
    // Escape.
    t::MouseDown(*f, cx, cy);
    t::MouseMove(*f, hx, hy, pf::vbLeftButton);
    t::KeyPress(pf::vbKeyEscape);
    t::MouseUp(*f, hx, hy);
    EXPECT_FALSE(Has("horta_DragDrop c_alf 100 100"));
    // The source unloaded while dragged: the release does nothing.
    t::DragTo(f->c_alf, f->horta, 10, 10);
    ASSERT_TRUE(f->cant.Exists(0));
    f->eventos.clear();
    t::MouseDown(*f, 3000 + 20 * 15.f, 2460 + 20 * 15.f);
    f->cant.Unload(0);
    t::MouseMove(*f, hx, hy, pf::vbLeftButton);
    t::MouseUp(*f, hx, hy);
    for (const auto& e : ev()) EXPECT_EQ(e.find("DragDrop"), std::string::npos) << e;
    // A modal dialog shown during the drag.
    class Dialogo : public pf::Form {};
    pf::Forms::Register<Dialogo>("dlg");
    t::SetModalHook([](pf::Form& d) { d.Hide(); });
    t::MouseDown(*f, cx, cy);
    pf::Forms::Show("dlg", pf::vbModal);
    t::MouseUp(*f, hx, hy);
    EXPECT_FALSE(Has("horta_DragDrop c_alf 100 100"));
}

TEST_F(FormsInput, ClicksButtonsAndInputBeneathAModalDialog) {
    bool clicou = false;
    f->c_alf.OnClick = [&] { clicou = true; };
    t::Click(f->c_alf);  // automatic drag mode: a press drags, never clicks
    EXPECT_FALSE(clicou);
    f->eventos.clear();
    t::Click(f->cmd_ok);
    t::Click(f->Command2(6));
    t::Click(f->Command2(7));  // disabled
    EXPECT_EQ(ev(), (std::vector<std::string>{"cmd_ok_Click", "Command2_Click 6"}));
    // A transparent label still takes clicks over its rectangle.
    int lbl = -1;
    f->lbl_verduras.Bind(&pf::Label::OnClick, [&](int i) { lbl = i; });
    t::ClickAt(*f, 450 + 100, 4200 + 100);
    EXPECT_EQ(lbl, 1);
    // Input does not reach a form beneath a modal dialog.
    class Dialogo : public pf::Form {};
    pf::Forms::Register<Dialogo>("dlg");
    f->eventos.clear();
    t::SetModalHook([&](pf::Form& d) {
        t::Click(f->cmd_ok);
        t::ClickAt(*f, f->cmd_ok.Left() + 100, f->cmd_ok.Top() + 100);
        d.Unload();
    });
    pf::Forms::Show("dlg", pf::vbModal);
    EXPECT_TRUE(ev().empty() || ev() == std::vector<std::string>{"Form_Deactivate"});
}

TEST_F(FormsInput, KeyPressCanRefuseKeysAndEnterPressesTheFocusedButton) {
    f->tempo.SetFocus();
    t::TypeText("12");
    t::KeyPress(pf::vbKeyBack);
    EXPECT_EQ(f->tempo.Text(), "23");  // every key refused, Backspace too
    f->tempo.Paste("99");
    EXPECT_EQ(f->tempo.Text(), "23");  // and paste goes through the same refusal
    // A handler may change the key; MaxLength holds.
    pf::TextBox nome{f, "nome"};
    nome.SetMaxLength(4);
    int changes = 0;
    nome.OnChange = [&] { ++changes; };
    nome.OnKeyPress = [](int& k) {
        if (k >= 'a' && k <= 'z') k -= 32;
    };
    nome.SetFocus();
    t::TypeText("joão!");
    EXPECT_EQ(nome.Text(), "JOãO");
    EXPECT_EQ(changes, 4);
    nome.SetLocked(true);
    t::KeyPress(pf::vbKeyBack);
    EXPECT_EQ(nome.Text(), "JOãO");
    // Enter presses the focused button; access keys press theirs.
    f->Command2(5).SetFocus();
    t::KeyPress(pf::vbKeyReturn);
    t::PressQtKey(Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(Has("Command2_Click 5"));
    EXPECT_TRUE(Has("cmd_ok_Click"));
}

TEST_F(FormsInput, CharactersBeyondOneUnitAreTypedPastedAndErasedWhole) {
    pf::TextBox nome{f, "nome"};
    std::vector<int> keys;
    nome.OnKeyPress = [&](int& k) { keys.push_back(k); };
    nome.SetFocus();
    t::TypeText("🌱🍅 Ana");
    EXPECT_EQ(nome.Text(), "🌱🍅 Ana");
    EXPECT_EQ(keys, (std::vector<int>{0x1F331, 0x1F345, ' ', 'A', 'n', 'a'}));
    // A joined emoji, a flag and an accent written as a combining mark are
    // one key each, pasted whole; the line break is left out.
    keys.clear();
    nome.SetText("");
    nome.Paste("👩‍🌾\ne\u0301🇧🇷");
    EXPECT_EQ(nome.Text(), "👩‍🌾e\u0301🇧🇷");
    EXPECT_EQ(keys, (std::vector<int>{0x1F469, 'e', 0x1F1E7}));
    // Backspace, Delete and the arrows take whole characters.
    t::KeyPress(pf::vbKeyBack);
    EXPECT_EQ(nome.Text(), "👩‍🌾e\u0301");
    t::PressQtKey(Qt::Key_Left);
    t::KeyPress(pf::vbKeyBack);
    EXPECT_EQ(nome.Text(), "e\u0301");
    t::PressQtKey(Qt::Key_Home);
    t::PressQtKey(Qt::Key_Delete);
    EXPECT_EQ(nome.Text(), "");
    // MaxLength counts them the same way.
    nome.SetMaxLength(2);
    nome.SetText("👩‍🌾🌱🍅");
    EXPECT_EQ(nome.Text(), "👩‍🌾🌱");
    t::TypeText("x");
    EXPECT_EQ(nome.Text(), "👩‍🌾🌱");
}

TEST_F(FormsInput, ScaledToFullHdAClickAndADropLandOnTheRightCell) {
    pf::Screen::SetVirtualSize(1920, 1080);
    const QTransform tr = pf::Screen::FormToDevice(*f);
    EXPECT_DOUBLE_EQ(tr.m11(), 1.8);   // 600 px high design fills 1080
    EXPECT_DOUBLE_EQ(tr.dx(), 240.0);  // letterboxed left and right
    // Click the centre of cmd_ok in device pixels.
    const QPointF ok = tr.map(f->cmd_ok.RectPx().center());
    t::ClickScreen(static_cast<int>(ok.x()), static_cast<int>(ok.y()));
    EXPECT_TRUE(Has("cmd_ok_Click"));
    // Drop on cell 57 (row 5, column 7) of the grid, aiming in device pixels.
    const QPointF cell = tr.map(f->horta.ClientRectPx().topLeft() + QPointF(7 * 42 + 21, 5 * 42 + 21));
    t::DragToScreen(f->c_tom, static_cast<int>(cell.x()), static_cast<int>(cell.y()));
    EXPECT_EQ(f->ultima_celula, 57);
    // The same drop, done by mouse on the screen.
    const QPointF src = tr.map(f->c_alf.RectPx().center());
    const QPointF c12 = tr.map(f->horta.ClientRectPx().topLeft() + QPointF(2 * 42 + 40, 1 * 42 + 2));
    t::MouseDownScreen(static_cast<int>(src.x()), static_cast<int>(src.y()));
    t::MouseMoveScreen(static_cast<int>(c12.x()), static_cast<int>(c12.y()), pf::vbLeftButton);
    t::MouseUpScreen(static_cast<int>(c12.x()), static_cast<int>(c12.y()));
    EXPECT_EQ(f->ultima_celula, 12);
    // The letterbox takes no clicks.
    f->eventos.clear();
    t::ClickScreen(100, 500);
    EXPECT_TRUE(ev().empty());
    // And the rendered screen shows the planted bed where the drop was.
    const QImage shot = pf::Screen::Grab();
    EXPECT_EQ(shot.size(), QSize(1920, 1080));
    EXPECT_EQ(QColor(shot.pixel(static_cast<int>(cell.x()) - 25, static_cast<int>(cell.y()) + 25)), QColor(230, 60, 50));
    EXPECT_EQ(QColor(shot.pixel(100, 500)), QColor(Qt::black));
}

// A modal form is a dialog drawn in the middle of the screen, above the form
// beneath: clicks reach its controls and not the form beneath, and its close
// box unloads it.
TEST_F(FormsInput, AModalDialogIsDrawnOnTheScreenAndItsCloseBoxUnloadsIt) {
    pf::Screen::SetVirtualSize(1920, 1080);
    class Dialogo : public pf::Form {
    public:
        Dialogo() : pf::Form("dlg") {
            SetCaption("Pergunta");
            SetClientSize(3000, 1500);
            SetBackColor(pf::RGB(255, 255, 0));
            botao.Move(300, 300, 1200, 450);
            botao.OnClick = [this] { ++cliques; };
        }
        pf::CommandButton botao{this, "botao"};
        int cliques = 0;
    };
    pf::Forms::Register<Dialogo>("dlg");
    bool viu = false;
    t::SetModalHook([&](pf::Form& d) {
        auto& dlg = static_cast<Dialogo&>(d);
        const QTransform tr = pf::Screen::FormToDevice(dlg);
        const QRectF cliente = tr.mapRect(dlg.ClientRectPx());
        EXPECT_NEAR(cliente.center().x(), 960, 2);
        const QImage shot = pf::Screen::Grab();
        EXPECT_EQ(QColor(shot.pixel(cliente.center().toPoint())), QColor(255, 255, 0));
        EXPECT_EQ(QColor(shot.pixel(cliente.center().toPoint() - QPoint(0, cliente.height() / 2 + 8))), QColor(0, 0, 128));
        const QPointF b = tr.map(dlg.botao.RectPx().center());
        t::ClickScreen(static_cast<int>(b.x()), static_cast<int>(b.y()));
        EXPECT_EQ(dlg.cliques, 1);
        const QPointF ok = pf::Screen::FormToDevice(*f).map(f->cmd_ok.RectPx().center());
        ASSERT_FALSE(cliente.contains(ok));
        t::ClickScreen(static_cast<int>(ok.x()), static_cast<int>(ok.y()));
        // The close box, at the right end of the title bar.
        viu = true;
        t::ClickScreen(static_cast<int>(cliente.right()) - 12, static_cast<int>(cliente.top()) - 15);
    });
    pf::Forms::Show("dlg", pf::vbModal);
    EXPECT_TRUE(viu);
    EXPECT_FALSE(pf::Forms::IsLoaded("dlg"));
    EXPECT_FALSE(Has("cmd_ok_Click"));
}

// The window shows the active form's pointer once it is on the screen, and
// every change after that at once (an hourglass must show during the work
// that follows it, before the event loop runs again).
TEST_F(FormsInput, TheWindowTakesTheFormsPointerOnceShownAndEachChangeAtOnce) {
    pf::Screen::OpenWindowed(400, 300);
    f->SetMousePointer(pf::vbHourglass);
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) janela = w;
    ASSERT_NE(janela, nullptr);
    for (int i = 0; i < 50 && janela->cursor().shape() != Qt::WaitCursor; ++i) t::RunFor(10);
    EXPECT_EQ(janela->cursor().shape(), Qt::WaitCursor);
    f->SetMousePointer(pf::vbDefault);
    EXPECT_EQ(janela->cursor().shape(), Qt::ArrowCursor);
    f->SetMousePointer(pf::vbCrosshair);
    EXPECT_EQ(janela->cursor().shape(), Qt::CrossCursor);
}

// A dialog that closes leaves no trace on the window: what lay beneath it is
// painted again.
TEST_F(FormsInput, AClosedDialogLeavesNoTraceOnTheWindow) {
    class Dialogo : public pf::Form {
    public:
        Dialogo() : pf::Form("dlg") {
            SetClientSize(3000, 1500);
            SetBackColor(pf::RGB(255, 0, 255));
        }
    };
    pf::Forms::Register<Dialogo>("dlg");
    pf::Screen::OpenWindowed(400, 300);
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) janela = w;
    ASSERT_NE(janela, nullptr);
    QPoint centro;
    t::SetModalHook([&](pf::Form& d) {
        centro = pf::Screen::FormToDevice(d).mapRect(d.ClientRectPx()).center().toPoint();
        t::RunFor(50);
        EXPECT_EQ(QColor(janela->screen()->grabWindow(janela->winId()).toImage().pixel(centro)), QColor(255, 0, 255));
        d.Unload();
    });
    pf::Forms::Show("dlg", pf::vbModal);
    t::RunFor(50);
    const QImage na_janela = janela->screen()->grabWindow(janela->winId()).toImage();
    EXPECT_EQ(QColor(na_janela.pixel(centro)), QColor(pf::Screen::Grab().pixel(centro)));
}

// The full-screen window appears once the event loop runs, with the forms
// already shown on it, and takes the keyboard.
TEST_F(FormsInput, TheScreenWindowAppearsOnceTheEventLoopRuns) {
    pf::Screen::Open();
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->isWindowType() || w->windowType() == Qt::Window) janela = w;
    ASSERT_NE(janela, nullptr);
    for (int i = 0; i < 50 && !(janela->isVisible() && janela->hasFocus()); ++i) t::RunFor(10);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(janela->hasFocus());
}

// A screen shown while its pictures are still being decoded ahead waits for
// them (running no event meanwhile) and takes them scaled, at the very sizes
// its paint draws them (a picture of odd size at half a pixel too), so the
// paint neither reads nor scales any again; then the window shows it.
TEST_F(FormsInput, AScreenWaitsForItsPicturesDecodedAheadThenShows) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage fundo(800, 600, QImage::Format_RGB32);
    fundo.fill(QColor(0, 128, 255));
    ASSERT_TRUE(fundo.save(dir.path() + "/fundo.png", "PNG"));
    ASSERT_TRUE(fundo.copy(0, 0, 651, 551).save(dir.path() + "/textura.png", "PNG"));
    platform::SetProgramFolder(dir.path().toStdString());
    platform::InvalidatePathCache();
    pf::ClearPictureCache();
    class Destino : public pf::Form {
    public:
        Destino() : pf::Form("destino") {
            SetClientSize(12000, 9000);
            caixa.Move(15, 15, 9900, 8400);
        }
        void Form_Load() override {
            LoadPicture("fundo.png");
            caixa.LoadPicture("textura.png");
        }
        pf::PictureBox caixa{this, "caixa"};
    };
    pf::Forms::Register<Destino>("destino");
    pf::SetScreenPictures("destino", [] { return std::vector<std::string>{"fundo.png", "textura.png"}; });
    pf::Screen::OpenWindowed(400, 300);
    t::RunFor(50);
    pf::PrefetchScreen("destino");
    pf::Form& d = pf::Forms::Get("destino");
    EXPECT_FALSE(d.Picture().CachedScaled(400, 300).isNull());
    const std::size_t decodificado = pf::PictureCacheBytes();
    d.Show();
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) janela = w;
    ASSERT_NE(janela, nullptr);
    t::RunFor(50);
    EXPECT_EQ(QColor(janela->screen()->grabWindow(janela->winId()).toImage().pixel(200, 150)), QColor(0, 128, 255));
    EXPECT_EQ(pf::PictureCacheBytes(), decodificado);

    // Asked again before the screen opens (the screen before leads only
    // there, then its button is clicked): what was decoded is kept, not read
    // again from a file that changed meanwhile.
    d.Unload();
    t::ProcessEvents();
    pf::ClearPictureCache();
    pf::PrefetchScreen("destino");
    t::WaitForPrefetch();
    fundo.fill(Qt::red);
    ASSERT_TRUE(fundo.save(dir.path() + "/fundo.png", "PNG"));
    pf::PrefetchScreen("destino");
    EXPECT_EQ(QColor(pf::Forms::Get("destino").Picture().CachedScaled(400, 300).pixel(200, 150)), QColor(0, 128, 255));
    pf::Forms::Get("destino").Unload();
    t::ProcessEvents();
    pf::SetScreenPictures("destino", {});
    pf::ClearPictureCache();
    platform::SetProgramFolder("");
}

// Work put off until the next paint runs after it, in order; with no window
// it runs at once, and work still waiting when the window closes runs then.
TEST_F(FormsInput, WorkPutOffUntilThePaintRunsAfterItOrWhenTheWindowCloses) {
    std::vector<int> feito;
    pf::Screen::AfterNextPaint([&] { feito.push_back(1); });
    EXPECT_EQ(feito, std::vector<int>{1});
    pf::Screen::OpenWindowed(400, 300);
    t::RunFor(50);
    pf::Screen::AfterNextPaint([&] { feito.push_back(2); });
    pf::Screen::AfterNextPaint([&] { feito.push_back(3); });
    EXPECT_EQ(feito.size(), 1u);
    f->Refresh();
    for (int i = 0; i < 50 && feito.size() < 3; ++i) t::RunFor(10);
    EXPECT_EQ(feito, (std::vector<int>{1, 2, 3}));
    pf::Screen::AfterNextPaint([&] { feito.push_back(4); });
    pf::Screen::Close();
    EXPECT_EQ(feito.back(), 4);
}

// The quiet moment asked for (slow work the player should not feel) never
// falls in the middle of a press: a drag or a button held still puts it off
// until after the release.
TEST_F(FormsInput, AQuietMomentWaitsForADragOrAHeldButtonToBeReleased) {
    constexpr int kQuieto = 20;
    for (pf::Control* c : std::initializer_list<pf::Control*>{&f->c_alf, &f->cmd_ok}) {
        SCOPED_TRACE(c->Name());
        const float x = c->Left() + c->Width() / 2, y = c->Top() + c->Height() / 2;
        int vezes = 0;
        pf::Forms::WhenIdle(kQuieto, [&] { ++vezes; });
        t::MouseDown(*f, x, y);
        // A timer five quiet times long, started after the press, comes due
        // after every check of the quiet moment that could have run by then.
        bool passou = false;
        QTimer::singleShot(5 * kQuieto, Qt::PreciseTimer, [&] { passou = true; });
        while (!passou) t::RunFor(kQuieto);
        EXPECT_EQ(vezes, 0);
        t::MouseUp(*f, x, y);
        for (int i = 0; vezes == 0 && i < 500; ++i) t::RunFor(kQuieto);
        EXPECT_EQ(vezes, 1);
    }
}

}  // namespace
