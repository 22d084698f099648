// Shows the demonstration form on the screen (under Xvfb), with a bed
// planted, a drag under way and a modal dialog over it, then saves a picture
// of the whole display: forms_demo_shot <out.png> [dialog].

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <string>

#include "demo_form.h"
#include "platform/forms/internal.h"
#include "platform/forms/testing.h"

namespace pf = platform::forms;

class Aviso : public pf::Form {
public:
    pf::Label mensagem{this, "mensagem"};
    pf::ControlArray<pf::CommandButton> opcoes{this, "opcoes"};
    Aviso() {
        SetCaption("Saindo ...");
        SetClientSize(8550, 3240);
        SetFont(pf::Font{"Arial", 15.75});
        mensagem.Move(75, 300, 6690, 1215);
        mensagem.SetFont(pf::Font{"Arial", 15.75});
        mensagem.SetCaption("Deseja sair");
        opcoes.Add(1).Move(3510, 2010, 2205, 555);
        opcoes(1).SetCaption("&Não");
        opcoes(1).SetStyle(1);
        opcoes(1).SetBackColor(pf::RGB(255, 255, 192));
        opcoes(1).SetFont(pf::Font{"Arial", 15.75});
        opcoes.Add(0).Move(930, 2010, 2205, 555);
        opcoes(0).SetCaption("&Sim");
        opcoes(0).SetStyle(1);
        opcoes(0).SetBackColor(pf::RGB(255, 255, 192));
        opcoes(0).SetFont(pf::Font{"Arial", 15.75});
        opcoes.Bind(&pf::CommandButton::OnClick, [this](int) { Hide(); });
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : "demo.png";
    const bool dialog = argc > 2;
    pf::Screen::Open();
    pf::Forms::Register<demo::DemoForm>("demo");
    pf::Forms::Register<Aviso>("aviso");
    auto& f = pf::Forms::Get<demo::DemoForm>("demo");
    f.Show();
    // Plant two beds through the real drag path, then leave a drag under way.
    pf::test::DragTo(f.c_alf, f.horta, 3 * 42 + 20, 2 * 42 + 20);
    pf::test::DragTo(f.c_tom, f.horta, 6 * 42 + 20, 5 * 42 + 20);
    pf::detail::StartDrag(f.c_tom, f.c_tom.RectPx().center());
    pf::detail::DragMoveTo(QPointF(3000 / 15.0 + 150, 2460 / 15.0 + 300));
    f.chk_som.SetValue(pf::vbChecked);
    // Hand-drawn text in a picture box, as the help window draws its topics.
    auto* texto = new pf::PictureBox(&f, "texto");  // lives as long as the program
    texto->Move(9600, 5000, 1700, 1400);
    texto->SetBorderStyle(1);
    texto->SetBackColor(pf::vbWhite);
    texto->SetFont(pf::Font{"MS Sans Serif", 14, true});
    texto->SetForeColor(pf::RGB(0, 0, 255));
    texto->SetCurrentX(100);
    texto->Print("Alface");
    texto->SetFontSize(9);
    texto->SetCurrentX(100);
    texto->Print("Plantio ", false);
    texto->SetForeColor(pf::RGB(255, 0, 0));
    texto->SetFontUnderline(true);
    texto->Print("direto");

    f.tempo.SetFocus();
    if (!dialog) {  // the drive list open over the other controls
        f.Combo1.SetFocus();
        f.Combo1.SetDroppedDown(true);
    }
    QTimer::singleShot(dialog ? 300 : 600, [&] {
        if (dialog) {
            pf::detail::CancelDrag();
            QTimer::singleShot(600, [&] {
                QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
                shot.save(QString::fromStdString(out));
                std::printf("saved %s\n", out.c_str());
                pf::Forms::End();
            });
            pf::Forms::Show("aviso", pf::vbModal);
            return;
        }
        QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
        shot.save(QString::fromStdString(out));
        std::printf("saved %s\n", out.c_str());
        pf::Forms::End();
    });
    return app.exec();
}
