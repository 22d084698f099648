// Controls: arrays, scroll bars, check and option buttons, lists, pictures,
// drawing, colours and units.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "demo_form.h"
#include "platform/db.h"
#include "platform/forms/testing.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/schema.h"
#include "tests/platform/pipe_writer.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace pf = platform::forms;
namespace t = platform::forms::test;

namespace {

class FormsControls : public ::testing::Test {
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
    demo::DemoForm* f = nullptr;
};

TEST_F(FormsControls, ControlArrayLoadsFromTheTemplateAndRejectsMisuse) {
    pf::Image& tpl = f->cant(100);
    tpl.SetPicture(demo::MakeCropPicture("X", pf::vbWhite, 39, 40));
    tpl.SetTag("modelo");
    pf::Image& e = f->cant.Load(5);
    EXPECT_EQ(e.Index(), 5);
    EXPECT_EQ(e.Name(), "cant");
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(e.Width(), 39);
    EXPECT_EQ(e.Height(), 40);
    EXPECT_EQ(e.DragMode(), pf::vbAutomatic);
    EXPECT_EQ(e.Tag(), "modelo");
    EXPECT_TRUE(e.Picture() == tpl.Picture());
    EXPECT_EQ(&e.Parent(), static_cast<pf::Container*>(&f->horta));
    // The array's bound handler reaches the new element with its Index.
    e.SetVisible(true);
    t::DragTo(f->c_alf, e, 3, 3);
    EXPECT_EQ(f->eventos.back(), "cant_DragDrop 5 c_alf");

    EXPECT_THROW(f->cant.Load(5), std::logic_error);
    EXPECT_THROW(f->cant(6), std::logic_error);
    EXPECT_THROW(f->cant.Unload(6), std::logic_error);
    EXPECT_THROW(f->cant.Unload(100), std::logic_error);
    f->cant.Unload(5);
    EXPECT_FALSE(f->cant.Exists(5));
    EXPECT_EQ(f->cant.Indices(), std::vector<int>{100});
    f->cant.Load(5);  // loadable again after its unload
    EXPECT_EQ(f->cant.Count(), 2);
}

TEST_F(FormsControls, ScrollBarRaisesChangeOnEveryChangeOfValue) {
    pf::VScrollBar& s = f->SCROLL_LI;
    s.SetValue(4);
    s.SetValue(4);   // no change, no event
    s.SetValue(99);  // kept within Min..Max
    s.SetMax(6);     // the value follows the new maximum
    EXPECT_EQ(f->eventos,
              (std::vector<std::string>{"SCROLL_LI_Change 4", "SCROLL_LI_Change 10", "SCROLL_LI_Change 6"}));
    // Clicks on the arrows and the track move by SmallChange and LargeChange.
    f->eventos.clear();
    s.SetValue(0);
    const float x = s.Left() + 100.f;
    t::ClickAt(*f, x, s.Top() + s.Height() - 60.f);          // down arrow
    t::ClickAt(*f, x, s.Top() + s.Height() - 17 * 15 - 30.f);  // track below the thumb
    EXPECT_EQ(s.Value(), 4);
    // Dragging the thumb raises Scroll while it moves, Change once at the end.
    int scrolls = 0;
    s.OnScroll = [&] { ++scrolls; };
    f->eventos.clear();
    s.SetValue(0);
    f->eventos.clear();
    const float thumbY = s.Top() + 17 * 15 + 60.f;
    t::MouseDown(*f, x, thumbY);
    t::MouseMove(*f, x, thumbY + 300, pf::vbLeftButton);
    t::MouseMove(*f, x, thumbY + 600, pf::vbLeftButton);
    t::MouseUp(*f, x, thumbY + 600);
    EXPECT_EQ(scrolls, 2);
    ASSERT_EQ(f->eventos.size(), 1u);
    EXPECT_EQ(f->eventos[0], "SCROLL_LI_Change " + std::to_string(s.Value()));
    EXPECT_GT(s.Value(), 0);
}

TEST_F(FormsControls, CheckAndOptionButtons) {
    int clicks = 0, valorNoMouseUp = -1;
    f->chk_som.OnClick = [&] { ++clicks; };
    f->chk_som.OnMouseUp = [&](int, int, float, float) { valorNoMouseUp = f->chk_som.Value(); };
    f->chk_som.SetValue(pf::vbChecked);  // from code: no handler
    EXPECT_EQ(clicks, 0);
    t::Click(f->chk_som);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(valorNoMouseUp, pf::vbUnchecked);  // MouseUp already sees the new value
    EXPECT_EQ(f->chk_som.Value(), pf::vbUnchecked);

    int optClicks = 0;
    f->opt_correto.OnClick = [&] { ++optClicks; };
    t::Click(f->opt_correto);
    EXPECT_TRUE(f->opt_correto.Value());
    EXPECT_FALSE(f->opt_caipira.Value());
    f->opt_caipira.SetValue(true);
    EXPECT_FALSE(f->opt_correto.Value());
    EXPECT_EQ(optClicks, 1);
}

TEST_F(FormsControls, ComboListAndFocusEvents) {
    pf::ComboBox& c = f->Combo1;
    EXPECT_EQ(c.ListCount(), 6);
    EXPECT_EQ(c.ListIndex(), 3);
    EXPECT_EQ(c.Text(), "F:");
    EXPECT_EQ(c.List(1), "D:");
    EXPECT_THROW(c.List(6), std::out_of_range);
    int clicks = 0, lost = 0;
    c.OnClick = [&] { ++clicks; };
    c.OnLostFocus = [&] { ++lost; };
    c.SetListIndex(-1);
    EXPECT_EQ(c.Text(), "");
    // The player opens the list and picks "E:".
    t::Click(c);
    EXPECT_TRUE(c.DroppedDown());
    const QRectF r = c.RectPx();
    const double itemH = QFontMetricsF(pf::ToQFont(c.Font())).height() + 2;
    t::ClickAt(*f, static_cast<float>(r.center().x() * 15), static_cast<float>((r.bottom() + 1 + 2.5 * itemH) * 15));
    EXPECT_FALSE(c.DroppedDown());
    EXPECT_EQ(c.ListIndex(), 2);
    EXPECT_EQ(clicks, 2);
    // Focus moving to another control of the program raises LostFocus.
    t::Click(f->cmd_ok);
    EXPECT_EQ(lost, 1);
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.ListIndex(), -1);
}

TEST_F(FormsControls, UnitsAndColourConversions) {
    EXPECT_EQ(pf::TwipsToPixels(6285), 419);
    EXPECT_EQ(pf::PixelsToTwips(42), 630);
    EXPECT_EQ(f->horta.RectPx(), QRectF(200, 164, 419, 419));
    EXPECT_DOUBLE_EQ(f->horta.ScaleWidth(), 419);
    EXPECT_DOUBLE_EQ(f->ScaleWidth(), 12000);
    // A pixel-scale child is placed in the box's pixels.
    f->cant.Load(99).Move(379, 379);
    EXPECT_EQ(f->cant(99).RectPx().topLeft(), QPointF(200 + 379, 164 + 379));

    EXPECT_EQ(pf::ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(pf::ToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(pf::ToQColor(0x00C0FFFF), QColor(255, 255, 192));
    EXPECT_EQ(pf::RGB(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(pf::ToQColor(pf::SysColor::WindowBackground), QColor(Qt::white));
    EXPECT_EQ(pf::ToQColor(pf::SysColor::WindowText), QColor(Qt::black));
    EXPECT_EQ(pf::ToQColor(pf::SysColor::ButtonFace), QColor(192, 192, 192));
    // Button colours read back by value.
    EXPECT_EQ(f->Command2(6).BackColor(), 0x0000FFFFu);
    EXPECT_EQ(pf::ToQFont(pf::Font{"MS Serif", 6.75, true}).family(), "Liberation Serif");
    EXPECT_EQ(pf::ToQFont(pf::Font{"MS Sans Serif", 13.5}).pixelSize(), 18);
    // Controls that kept the form's font follow it; the others keep theirs.
    f->SetFont(pf::Font{"Arial", 15.75});
    EXPECT_EQ(f->tempo.Font(), (pf::Font{"Arial", 15.75}));
    EXPECT_EQ(f->cmd_ok.Font(), (pf::Font{"MS Sans Serif", 13.5, true}));
}

TEST_F(FormsControls, PicturesLoadByGamePathIgnoringCaseAndFailQuietly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    ASSERT_TRUE(QDir(dir.path()).mkpath("drives/E/anima"));
    QImage img(39, 40, QImage::Format_RGB32);
    img.fill(Qt::green);
    ASSERT_TRUE(img.save(dir.path() + "/drives/E/anima/az_alf.bmp", "BMP"));
    ASSERT_TRUE(img.save(dir.path() + "/back_in.jpg", "JPG"));
    ASSERT_TRUE(img.save(dir.path() + "/ico.png", "PNG"));
    QFile broken(dir.path() + "/drives/E/anima/quebrado.bmp");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("isto não é uma imagem");
    broken.close();
    platform::SetProgramFolder(root);
    platform::InvalidatePathCache();
    platform::SetLogToStderr(false);

    std::vector<std::string> vistos;
    pf::SetPictureLoadObserver([&](const std::string& p, bool ok) { vistos.push_back(p + (ok ? " ok" : " falhou")); });
    pf::Picture a = pf::LoadPicture("E:\\ANIMA\\AZ_alf.BMP");
    pf::Picture b = pf::LoadPicture("E:\\anima\\az_alf.bmp");
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_EQ(a.PixelWidth(), 39);
    EXPECT_EQ(a.ResolvedPath(), b.ResolvedPath());
    EXPECT_EQ(a.Image().constBits(), b.Image().constBits());  // decoded once
    EXPECT_FALSE(pf::LoadPicture(platform::ProgramFolder() + "\\BACK_IN.JPG").IsEmpty());
    EXPECT_FALSE(pf::LoadPicture("ico.png").IsEmpty());

    f->cant(100).SetPicture(a);
    f->cant(100).LoadPicture("E:\\anima\\nao_existe.bmp");  // missing: empty, logged once
    EXPECT_TRUE(f->cant(100).Picture().IsEmpty());
    EXPECT_TRUE(pf::LoadPicture("E:\\anima\\quebrado.bmp").IsEmpty());
    EXPECT_TRUE(pf::LoadPicture("").IsEmpty());
    EXPECT_EQ(vistos, (std::vector<std::string>{"E:\\ANIMA\\AZ_alf.BMP ok", "E:\\anima\\az_alf.bmp ok",
                                                 platform::ProgramFolder() + "\\BACK_IN.JPG ok", "ico.png ok",
                                                 "E:\\anima\\nao_existe.bmp falhou", "E:\\anima\\quebrado.bmp falhou"}));
    EXPECT_TRUE(platform::WasLogged("picture-missing:E:\\ANIMA\\NAO_EXISTE.BMP"));
    // The screen still renders.
    EXPECT_FALSE(pf::Screen::GrabForm(*f).isNull());
    platform::SetProgramFolder("");
    platform::SetLogToStderr(true);
    pf::ClearPictureCache();
}

// Pictures are read from folders whose names are not UTF-8 (an old disc),
// and only from regular files: a named pipe, a folder or a device in a
// picture's place gives an empty picture at once.
TEST_F(FormsControls, PicturesComeFromAnyFolderNameAndOnlyFromFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    const std::string latin1 = root + "/fotos\xE7\xE3o";  // "fotosção" in Latin-1
    std::filesystem::create_directories(latin1);
    QImage img(21, 22, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(img.save(&buffer, "BMP"));
    std::ofstream(latin1 + "/az.bmp", std::ios::binary).write(bmp.constData(), bmp.size());
    ASSERT_EQ(::mkfifo((root + "/cano.bmp").c_str(), 0600), 0);
    std::filesystem::create_directory(root + "/pasta.jpg");
    std::filesystem::create_symlink("/dev/zero", root + "/zero.png");
    platform::SetProgramFolder(root);
    platform::SetLogToStderr(false);

    EXPECT_EQ(pf::LoadPicture("fotos\xE7\xE3o\\AZ.BMP").PixelWidth(), 21);
    platform_test::PipeWriter unblock({root + "/cano.bmp"}, std::chrono::milliseconds(3000));
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(pf::LoadPicture("cano.bmp").IsEmpty());
    EXPECT_TRUE(pf::LoadPicture("pasta.jpg").IsEmpty());
    EXPECT_TRUE(pf::LoadPicture("zero.png").IsEmpty());
    EXPECT_LT(t.elapsed(), 1000);
    platform::SetProgramFolder("");
    platform::SetLogToStderr(true);
    pf::ClearPictureCache();
    // Qt cannot name the Latin-1 folder to remove it; the system can.
    std::filesystem::remove_all(latin1);
}

// Scaled copies count in the cache's budget: drawing many pictures large
// keeps the cache within it, the most recent copies stay cached, the oldest
// are forgotten, and a forgotten picture still gives its image and draws. A picture whose suffix
// lies about its format is still read.
TEST(PictureCache, ScaledCopiesCountInTheBudgetAndTheOldestAreForgotten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString();
    QImage img(100, 75, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(img.save(dir.path() + QString("/p%1.bmp").arg(i), "BMP"));
    ASSERT_TRUE(img.save(dir.path() + "/na_verdade_png.jpg", "PNG"));
    platform::SetProgramFolder(root);
    platform::InvalidatePathCache();
    pf::ClearPictureCache();
    const std::size_t antes = pf::PictureCacheBudget();
    constexpr std::size_t copia = 1000u * 750u * 4u;  // one 1000 x 750 copy
    pf::SetPictureCacheBudget(3 * copia);

    std::vector<pf::Picture> figuras;
    for (int i = 0; i < 8; ++i) {
        figuras.push_back(pf::LoadPicture("p" + std::to_string(i) + ".bmp"));
        ASSERT_FALSE(figuras.back().Scaled(1000, 750).isNull());
        EXPECT_LE(pf::PictureCacheBytes(), pf::PictureCacheBudget());
    }
    EXPECT_GT(pf::PictureCacheBytes(), 2 * copia);
    EXPECT_FALSE(figuras[7].CachedScaled(1000, 750).isNull());
    EXPECT_TRUE(figuras[0].CachedScaled(1000, 750).isNull());
    EXPECT_EQ(figuras[0].Image().size(), QSize(100, 75));  // read again when let go
    EXPECT_EQ(figuras[0].Scaled(1000, 750).size(), QSize(1000, 750));
    EXPECT_LE(pf::PictureCacheBytes(), pf::PictureCacheBudget());

    EXPECT_EQ(pf::LoadPicture("na_verdade_png.jpg").PixelWidth(), 100);

    // A background-sized picture is kept by its screen-sized copy alone; its
    // image comes back from the file, the same, when asked for.
    QImage fundo(800, 600, QImage::Format_RGB32);
    fundo.fill(Qt::darkBlue);
    ASSERT_TRUE(fundo.save(dir.path() + "/fundo.bmp", "BMP"));
    pf::ClearPictureCache();
    pf::SetPictureCacheBudget(antes);
    const pf::Picture grande = pf::LoadPicture("fundo.bmp");
    ASSERT_FALSE(grande.Scaled(1440, 1080).isNull());
    EXPECT_EQ(pf::PictureCacheBytes(), 1440u * 1080u * 4u);
    EXPECT_EQ(grande.Image(), fundo);
    EXPECT_FALSE(grande.CachedScaled(1440, 1080).isNull());

    pf::SetPictureCacheBudget(antes);
    pf::ClearPictureCache();
    EXPECT_EQ(pf::PictureCacheBytes(), 0u);
    platform::SetProgramFolder("");
}

// Pictures decoded ahead on the worker thread are the very images a normal read gives, a
// large one (kept by its scaled copy alone) with its size and transparency; a file that is
// missing or unreadable still gives the empty picture.
TEST(PictureCache, PrefetchedPicturesMatchTheOnesReadNormally) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage opaca(64, 48, QImage::Format_RGB32);
    QImage vazada(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) vazada.setPixelColor(x, y, QColor(6 * x, 8 * y, 90, 4 * x + 60));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) opaca.setPixelColor(x, y, QColor(4 * x, 5 * y, 128));
    ASSERT_TRUE(opaca.save(dir.path() + "/a.bmp", "BMP"));
    ASSERT_TRUE(opaca.save(dir.path() + "/b.jpg", "JPG"));
    ASSERT_TRUE(vazada.save(dir.path() + "/c.png", "PNG"));
    ASSERT_TRUE(vazada.scaled(800, 600).save(dir.path() + "/fundo.png", "PNG"));
    pf::Screen::SetVirtualSize(1920, 1080);
    {
        QFile f(dir.path() + "/quebrada.bmp");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("nao e imagem");
    }
    platform::SetProgramFolder(dir.path().toStdString());
    platform::InvalidatePathCache();
    pf::ClearPictureCache();
    const std::vector<std::string> nomes{"A.BMP", "b.jpg", "c.png", "quebrada.bmp", "nada.bmp", "fundo.png"};
    std::vector<QImage> lidas;
    for (const std::string& n : nomes) lidas.push_back(pf::LoadPicture(n).Image());
    pf::ClearPictureCache();

    // Work asked to follow the decoding runs at once when nothing is being
    // decoded, and otherwise once, when the workers are done or ended.
    int depois = 0;
    pf::AfterPrefetch([&] { ++depois; });
    EXPECT_EQ(depois, 1);

    // Loaded once the worker is done, then while it is still reading. Work
    // asked for during a prefetch runs when that one is done; asked for after
    // it, at once: neither waits for a later prefetch.
    for (const bool aguarda : {true, false}) {
        pf::PrefetchPictures(nomes);
        pf::AfterPrefetch([&] { ++depois; });
        if (aguarda) {
            pf::test::WaitForPrefetch();
            QCoreApplication::processEvents();
            EXPECT_EQ(depois, 2);
            pf::AfterPrefetch([&] { ++depois; });
            EXPECT_EQ(depois, 3);
        }
        for (std::size_t i = 0; i < nomes.size(); ++i) {
            const pf::Picture p = pf::LoadPicture(nomes[i]);
            EXPECT_EQ(p.IsEmpty(), lidas[i].isNull()) << nomes[i];
            EXPECT_EQ(p.PixelWidth(), lidas[i].width()) << nomes[i];
            EXPECT_EQ(p.IsOpaque(), !lidas[i].isNull() && !lidas[i].hasAlphaChannel()) << nomes[i];
            if (aguarda && nomes[i] == "fundo.png") {
                EXPECT_FALSE(p.CachedScaled(1440, 1080).isNull());
            }
            EXPECT_EQ(p.Image(), lidas[i]) << nomes[i];
        }
        pf::EndPrefetch();
        pf::ClearPictureCache();
        QCoreApplication::processEvents();
        EXPECT_EQ(depois, aguarda ? 3 : 4);
    }
    pf::PrefetchPictures(nomes);
    pf::AfterPrefetch([&] { ++depois; });
    pf::EndPrefetch();  // before the workers are done
    QCoreApplication::processEvents();
    EXPECT_EQ(depois, 5);
    EXPECT_FALSE(lidas[0].isNull());
    EXPECT_TRUE(lidas[3].isNull());
    pf::Screen::SetVirtualSize(800, 600);
    platform::SetProgramFolder("");
}

TEST_F(FormsControls, PictureBoxPrintsAndClearsText) {
    pf::PictureBox& box = f->horta;
    box.SetScaleMode(pf::vbTwips);
    box.SetFont(pf::Font{"MS Sans Serif", 9, true});
    const double h = box.TextHeight("Any Text");
    EXPECT_GT(h, 150);
    EXPECT_LT(h, 300);
    box.SetCurrentX(200);
    box.Print("Alface ", false);
    EXPECT_DOUBLE_EQ(box.CurrentX(), 200 + box.TextWidth("Alface "));
    EXPECT_DOUBLE_EQ(box.CurrentY(), 0);
    box.Print("");
    EXPECT_DOUBLE_EQ(box.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(box.CurrentY(), h);
    EXPECT_EQ(box.DrawOps().size(), 1u);
    // Refresh raises the box's Paint, where the help text is drawn.
    int paints = 0;
    box.OnPaint = [&] {
        ++paints;
        box.Cls();
        box.SetForeColor(pf::RGB(0, 0, 255));
        box.Print("Título");
    };
    box.Refresh();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(box.DrawOps().size(), 1u);
    EXPECT_EQ(box.DrawOps()[0].text, "Título");
    box.Cls();
    EXPECT_TRUE(box.DrawOps().empty());
    EXPECT_DOUBLE_EQ(box.CurrentY(), 0);
}

TEST_F(FormsControls, DataControlOpensItsTableAndReportsErrors) {
    QTemporaryDir dir;
    pf::DataControl Data1{f, "Data1"};
    EXPECT_THROW(Data1.Refresh(), platform::DbError);
    // A file whose table a part of the program registered: made with it.
    platform::RegisterTables("fichas.mdb", {{"ficha", {{"nome", "TEXT"}}}});
    Data1.SetDatabaseName(dir.path().toStdString() + "/fichas.mdb");
    Data1.SetRecordSource("ficha");
    Data1.Refresh();
    EXPECT_TRUE(Data1.IsOpen());
    EXPECT_EQ(Data1.Recordset().RecordCount(), 0);
    Data1.SetRecordSource("nao_ha");
    EXPECT_THROW(Data1.Refresh(), platform::DbError);
}

TEST_F(FormsControls, MsgBoxGoesThroughItsHook) {
    std::string visto;
    t::SetMsgBoxHook([&](const std::string& text, int flags, const std::string& title) {
        visto = title + ": " + text + " " + std::to_string(flags);
        return pf::vbOK;
    });
    EXPECT_EQ(pf::MsgBox("Tópico não encontrado", pf::vbExclamation, "Hyperlink Error"), pf::vbOK);
    EXPECT_EQ(visto, "Hyperlink Error: Tópico não encontrado 48");
}

}  // namespace

namespace {

TEST_F(FormsControls, AnElementUnloadedByItsOwnHandlerIsNotTouchedAgain) {
    for (int i = 0; i < 3; ++i) {
        f->cant.Load(i).Move(i * 42 + 1, 1);
        f->cant(i).SetVisible(true);
        f->cant(i).SetDragMode(pf::vbManual);
    }
    int cliques = 0, mouseUps = 0;
    f->cant.Bind(&pf::Image::OnMouseUp, [&](int Index, int, int, float, float) {
        ++mouseUps;
        f->cant.Unload(Index);  // the Click that would follow must not reach it
    });
    f->cant.Bind(&pf::Image::OnClick, [&](int) { ++cliques; });
    t::Click(f->cant(1));
    EXPECT_EQ(mouseUps, 1);
    EXPECT_EQ(cliques, 0);
    EXPECT_FALSE(f->cant.Exists(1));
    // The slot it left is empty: a press there reaches the grid below.
    int gradeClicada = 0;
    f->horta.OnClick = [&] { ++gradeClicada; };
    t::ClickAt(*f, 3000 + (42 + 20) * 15.f, 2460 + 20 * 15.f);
    EXPECT_EQ(gradeClicada, 1);
}

TEST_F(FormsControls, FocusFollowsTabOrderAndAGotFocusHandlerMayMoveIt) {
    class Pergunta : public pf::Form {
    public:
        pf::Label mensagem{this, "mensagem"};
        pf::ControlArray<pf::CommandButton> opcoes{this, "opcoes"};
        pf::TextBox txt_label{this, "txt_label"};
        pf::PictureBox horta{this, "horta"};
        Pergunta() {
            mensagem.SetTabIndex(0);
            opcoes.Add(1).SetTabIndex(1);
            opcoes.Add(0).SetTabIndex(2);
            txt_label.SetTabIndex(3);
            horta.SetTabIndex(4);
            txt_label.OnGotFocus = [this] { horta.SetFocus(); };
        }
    };
    pf::Forms::Register<Pergunta>("pergunta");
    auto& p = pf::Forms::Get<Pergunta>("pergunta");
    p.Show();
    t::ProcessEvents();
    EXPECT_TRUE(p.opcoes(1).HasFocus());  // labels take no focus
    t::KeyPress(pf::vbKeyTab);
    EXPECT_TRUE(p.opcoes(0).HasFocus());
    t::KeyPress(pf::vbKeyTab);
    EXPECT_TRUE(p.horta.HasFocus());      // the text box passed it on at once
    t::PressQtKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(p.horta.HasFocus());      // and again
    p.opcoes(1).SetEnabled(false);
    p.opcoes(0).SetFocus();
    t::KeyPress(pf::vbKeyTab);
    t::KeyPress(pf::vbKeyTab);
    EXPECT_TRUE(p.opcoes(0).HasFocus());  // disabled buttons are skipped
}

TEST_F(FormsControls, RenderingClipsWrappedLabelsAndShowsDisabledPictures) {
    f->lbl_msg.SetCaption(std::string(400, 'W') + " fim");
    f->lbl_msg.SetBackStyle(pf::vbTransparent);
    const QImage shot = pf::Screen::GrabForm(*f);
    const QRectF r = f->lbl_msg.RectPx();
    const QImage clean = [&] {
        f->lbl_msg.SetCaption("");
        return pf::Screen::GrabForm(*f);
    }();
    // Nothing of the long text is drawn below the label's bottom edge.
    for (int y = static_cast<int>(r.bottom()) + 1; y < static_cast<int>(r.bottom()) + 40; ++y)
        for (int x = static_cast<int>(r.left()); x < static_cast<int>(r.right()); ++x)
            ASSERT_EQ(shot.pixel(x, y), clean.pixel(x, y)) << x << "," << y;
    // Blanks after the last word take no room: the text keeps its one line.
    f->lbl_msg.SetCaption("Alface");
    const double uma_linha = f->lbl_msg.CaptionHeight();
    const bool cortada = f->lbl_msg.CaptionCut();
    f->lbl_msg.SetCaption("Alface" + std::string(300, ' '));
    EXPECT_EQ(f->lbl_msg.CaptionHeight(), uma_linha);
    EXPECT_EQ(f->lbl_msg.CaptionCut(), cortada);
    // A disabled graphical button shows its disabled picture.
    pf::CommandButton& b = f->Command2(7);
    b.SetPicture(demo::MakeCropPicture("C", pf::RGB(255, 0, 0), 20, 20));
    b.SetDisabledPicture(demo::MakeCropPicture("P", pf::RGB(0, 0, 255), 20, 20));
    const QImage img = pf::Screen::GrabForm(*f);
    const QPoint c = b.RectPx().center().toPoint();
    bool azul = false;
    for (int dy = -12; dy <= 12 && !azul; ++dy)
        for (int dx = -12; dx <= 12 && !azul; ++dx) azul = QColor(img.pixel(c.x() + dx, c.y() + dy)) == QColor(0, 0, 255);
    EXPECT_TRUE(azul);
}

}  // namespace

namespace {

TEST_F(FormsControls, TextEditingKeysAndExclusiveOptionsPerContainer) {
    pf::TextBox nome{f, "nome"};
    nome.SetFocus();
    t::TypeText("horta");
    t::PressQtKey(Qt::Key_Home);
    t::PressQtKey(Qt::Key_Delete);
    t::TypeText("H");
    t::PressQtKey(Qt::Key_End);
    t::PressQtKey(Qt::Key_Left);
    t::KeyPress(pf::vbKeyBack);
    EXPECT_EQ(nome.Text(), "Hora");  // the "t" before the cursor went

    // Option buttons are exclusive within their own container only.
    pf::PictureBox grupo{f, "grupo"};
    pf::OptionButton a{&grupo, "a"}, b{&grupo, "b"};
    a.SetValue(true);
    b.SetValue(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(f->opt_caipira.Value());  // the form's own pair is untouched
}

TEST_F(FormsControls, ControlsInsideAHiddenBoxAreTransparentToo) {
    pf::PictureBox caixa{f, "caixa"};
    caixa.Move(3000, 2460, 3000, 3000);
    caixa.SetScaleMode(pf::vbPixels);
    pf::Image dentro{&caixa, "dentro"};
    dentro.Move(0, 0, 200, 200);
    int quedas = 0;
    dentro.OnDragDrop = [&](pf::Control&, float, float) { ++quedas; };
    t::DragTo(f->c_alf, f->horta, 10, 10);
    EXPECT_EQ(quedas, 1);
    EXPECT_EQ(f->ultima_celula, -1);  // the box and its image lie above the grid
    caixa.SetVisible(false);
    t::DragTo(f->c_alf, f->horta, 10, 10);
    EXPECT_EQ(quedas, 1);
    EXPECT_EQ(f->ultima_celula, 0);
}

TEST_F(FormsControls, SettingTheIntervalRestartsTheCount) {
    int ticks = 0;
    f->timer_.OnTimer = [&] { ++ticks; };
    f->timer_.SetInterval(200);
    t::RunFor(120);
    f->timer_.SetInterval(200);  // the count starts again from here
    t::RunFor(120);
    EXPECT_EQ(ticks, 0);
    t::RunFor(150);
    EXPECT_GE(ticks, 1);
}

}  // namespace
