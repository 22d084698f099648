#include "demo_form.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace demo {

pf::Picture MakeCropPicture(const std::string& letter, pf::Color color, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(pf::ToQColor(color));
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    QFont f("Liberation Sans");
    f.setPixelSize(h / 2);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QString::fromStdString(letter));
    return pf::Picture::FromImage(img, letter);
}

namespace {

std::string Num(float v) { return std::to_string(static_cast<int>(std::lround(v))); }

pf::Picture GridPicture() {
    QImage img(420, 420, QImage::Format_RGB32);
    img.fill(QColor(0x8B, 0x5A, 0x2B));
    QPainter p(&img);
    p.setPen(QColor(0x55, 0x33, 0x11));
    for (int i = 0; i <= 10; ++i) {
        p.drawLine(i * 42, 0, i * 42, 420);
        p.drawLine(0, i * 42, 420, i * 42);
    }
    return pf::Picture::FromImage(img, "grade");
}

pf::Picture Background() {
    QImage img(800, 600, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 600);
    g.setColorAt(0, QColor(0x9C, 0xD6, 0xF4));
    g.setColorAt(0.35, QColor(0xD9, 0xF0, 0xC0));
    g.setColorAt(1, QColor(0x6E, 0xA8, 0x4A));
    p.fillRect(img.rect(), g);
    return pf::Picture::FromImage(img, "fundo");
}

}  // namespace

DemoForm::DemoForm() {
    SetCaption("Demonstração");
    SetClientSize(12000, 9000);
    SetPicture(Background());

    horta.Move(3000, 2460, 6285, 6285);
    horta.SetScaleMode(pf::vbPixels);
    horta.SetPicture(GridPicture());
    pf::Image& t = cant.Add(100);
    t.Move(0, 0, 39, 40);
    t.SetVisible(false);
    t.SetDragMode(pf::vbAutomatic);

    c_alf.Move(600, 2460, 585, 600);
    c_alf.SetPicture(MakeCropPicture("A", pf::RGB(120, 220, 90)));
    c_alf.SetDragMode(pf::vbAutomatic);
    c_tom.Move(600, 3300, 585, 600);
    c_tom.SetPicture(MakeCropPicture("T", pf::RGB(230, 60, 50)));
    c_tom.SetDragMode(pf::vbAutomatic);

    tampa.Move(3000, 2460, 3000, 3000);
    tampa.SetVisible(false);

    lbl_titulo.Move(3000, 600, 6300, 600);
    lbl_titulo.SetCaption("Trabalhando na Horta");
    lbl_titulo.SetFont(pf::Font{"Arial", 20.25, true});
    lbl_titulo.SetBackStyle(pf::vbTransparent);
    lbl_titulo.SetForeColor(pf::RGB(0, 64, 0));
    lbl_titulo.SetAlignment(pf::vbCenter);

    lbl_msg.Move(9600, 6600, 2200, 1200);
    lbl_msg.SetCaption("Arraste uma cultura até um canteiro livre da horta.");
    lbl_msg.SetFont(pf::Font{"MS Sans Serif", 9.75});
    lbl_msg.SetBackColor(pf::RGB(255, 255, 210));

    lbl_verduras.Add(0).Move(450, 1800, 1200, 300);
    lbl_verduras(0).SetCaption("Sementes");
    lbl_verduras(0).SetBackStyle(pf::vbTransparent);
    lbl_verduras.Add(1).Move(450, 4200, 1200, 300);
    lbl_verduras(1).SetCaption("Mudas");
    lbl_verduras(1).SetBackStyle(pf::vbTransparent);

    cmd_ok.Move(9600, 8100, 2100, 555);
    cmd_ok.SetCaption("&OK");
    cmd_ok.SetFont(pf::Font{"MS Sans Serif", 13.5, true});
    cmd_ok.SetStyle(1);
    cmd_ok.SetBackColor(pf::RGB(255, 255, 192));

    const char* caps[] = {"LI", "DES", "AM"};
    for (int k = 5; k <= 7; ++k) {
        pf::CommandButton& b = Command2.Add(k);
        b.Move(600 + (k - 5) * 780, 7800, 735, 735);
        b.SetStyle(1);
        b.SetCaption(caps[k - 5]);
        b.SetBackColor(k == 6 ? 0x0000FFFF : 0x00C0FFFF);
    }
    Command2(7).SetEnabled(false);

    tempo.Move(9600, 2460, 900, 330);
    tempo.SetText("23");
    tempo.SetAlignment(pf::vbCenter);

    Combo1.Move(9600, 3000, 1500, 315);
    Combo1.SetStyle(2);

    chk_som.Move(9600, 3600, 2000, 300);
    chk_som.SetCaption("Som ligado");
    chk_som.SetBackColor(pf::RGB(217, 240, 192));
    opt_caipira.Move(9600, 4000, 2000, 300);
    opt_caipira.SetCaption("Caipira");
    opt_caipira.SetValue(true);
    opt_caipira.SetBackColor(pf::RGB(217, 240, 192));
    opt_correto.Move(9600, 4350, 2000, 300);
    opt_correto.SetCaption("Correto");
    opt_correto.SetBackColor(pf::RGB(217, 240, 192));

    sol.Move(10500, 300, 900, 900);
    sol.SetShape(pf::vbShapeCircle);
    sol.SetFillStyle(0);
    sol.SetFillColor(pf::RGB(255, 210, 0));
    sol.SetBorderColor(pf::RGB(230, 150, 0));
    sol.SetBorderWidth(2);

    SCROLL_LI.Move(11400, 4900, 255, 1500);
    SCROLL_LI.SetMin(0);
    SCROLL_LI.SetMax(10);
    SCROLL_LI.SetLargeChange(3);

    timer_.SetInterval(0);

    horta.OnDragOver = [this](pf::Control& s, float x, float y, int st) { horta_DragOver(s, x, y, st); };
    horta.OnDragDrop = [this](pf::Control& s, float x, float y) { horta_DragDrop(s, x, y); };
    c_alf.OnDragOver = [this](pf::Control& s, float x, float y, int st) { c_alf_DragOver(s, x, y, st); };
    cant.Bind(&pf::Image::OnDragDrop, [this](int i, pf::Control& s, float x, float y) { cant_DragDrop(i, s, x, y); });
    cmd_ok.OnClick = [this] { cmd_ok_Click(); };
    Command2.Bind(&pf::CommandButton::OnClick, [this](int i) { Command2_Click(i); });
    tempo.OnKeyPress = [this](int& k) { tempo_KeyPress(k); };
    timer_.OnTimer = [this] { Timer__Timer(); };
    SCROLL_LI.OnChange = [this] { SCROLL_LI_Change(); };
}

void DemoForm::Form_Load() {
    eventos.push_back("Form_Load");
    for (const char* d : {"C:", "D:", "E:", "F:", "G:", "H:"}) Combo1.AddItem(d);
    Combo1.SetListIndex(3);
}

void DemoForm::Form_Activate() { eventos.push_back("Form_Activate"); }
void DemoForm::Form_Deactivate() { eventos.push_back("Form_Deactivate"); }
void DemoForm::Form_Unload(int&) { eventos.push_back("Form_Unload"); }

void DemoForm::Form_DragDrop(pf::Control& Source, float X, float Y) {
    eventos.push_back("Form_DragDrop " + Source.Name() + " " + Num(X) + " " + Num(Y));
    // A bed image dropped off the grid is taken out.
    if (Source.Name() == "cant") cant.Unload(Source.Index());
}

void DemoForm::horta_DragOver(pf::Control& Source, float X, float Y, int State) {
    eventos.push_back("horta_DragOver " + Source.Name() + " " + std::to_string(State));
}

void DemoForm::horta_DragDrop(pf::Control& Source, float X, float Y) {
    eventos.push_back("horta_DragDrop " + Source.Name() + " " + Num(X) + " " + Num(Y));
    const int celula = 10 * static_cast<int>(Y / 42) + static_cast<int>(X / 42);
    ultima_celula = celula;
    if (celula < 0 || celula > 99 || cant.Exists(celula)) return;
    pf::Image& im = cant.Load(celula);
    im.Move((celula % 10) * 42 + 1, (celula / 10) * 42 + 1);
    im.SetPicture(Source.Picture());
    im.SetVisible(true);
}

void DemoForm::c_alf_DragOver(pf::Control& Source, float, float, int State) {
    eventos.push_back("c_alf_DragOver " + Source.Name() + " " + std::to_string(State));
}

void DemoForm::cant_DragDrop(int Index, pf::Control& Source, float, float) {
    eventos.push_back("cant_DragDrop " + std::to_string(Index) + " " + Source.Name());
}

void DemoForm::cmd_ok_Click() { eventos.push_back("cmd_ok_Click"); }
void DemoForm::Command2_Click(int Index) { eventos.push_back("Command2_Click " + std::to_string(Index)); }
void DemoForm::tempo_KeyPress(int& KeyAscii) { KeyAscii = 0; }

void DemoForm::Timer__Timer() {
    if (timer_.Interval() == 0) return;
    ++quadro;
    eventos.push_back("Timer__Timer");
}

void DemoForm::SCROLL_LI_Change() { eventos.push_back("SCROLL_LI_Change " + std::to_string(SCROLL_LI.Value())); }

}  // namespace demo
