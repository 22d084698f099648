#include "shell/dialogos.h"

#include <cmath>

#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/paths.h"

namespace shell {

namespace {

// Light backgrounds of the dialogs' graphical buttons.
constexpr pf::Color cor_botao_ok = pf::RGB(255, 255, 192);
constexpr pf::Color cor_botao_sim_nao = pf::RGB(208, 240, 208);

// The figures stored with the dialogs, in the program folder's "\forms\".
std::string figura_do_formulario(const std::string& nome) {
    return platform::ProgramFolder() + "\\forms\\" + nome;
}

// The model's save question, answered through form_ok_nao.
class DialogosDaTela : public model::Dialogos {
public:
    bool sim_nao(const std::string& titulo, const std::string& mensagem, bool padrao) override {
        return pergunta_sim_nao(titulo, mensagem, padrao ? Padrao::sim : Padrao::nao);
    }
};

}  // namespace

// ------------------------------------------------------------------- ok

ok::ok() {
    SetCaption("");
    SetClientSize(8520, 2985);
    SetBackColor(pf::RGB(255, 255, 255));

    opções.SetCaption("&OK");
    opções.Move(1860, 2190, 3345, 555);
    opções.SetFont(pf::Font{"MS Sans Serif", 13.5, true});
    opções.SetStyle(1);
    opções.SetBackColor(cor_botao_ok);
    opções.SetTabIndex(0);
    opções.SetDefault(true);

    Image1.Move(6900, 480, 1530, 1995);
    Image1.SetBorderStyle(1);
    Image1.SetStretch(true);
    Image1.LoadPicture(figura_do_formulario("ok_Image1.bmp"));

    mensagem.Move(90, 360, 6690, 1635);
    mensagem.SetFont(pf::Font{"Arial", 15.75, false});
    mensagem.SetBackStyle(pf::vbTransparent);
    mensagem.SetWordWrap(true);

    opções.OnClick = [this] { opções_Click(); };
    // Escape on the button closes the message as Enter does.
    opções.OnKeyPress = [this](int& KeyAscii) { Form_KeyPress(KeyAscii); };
}

void ok::Form_Load() { mensagem.SetFontSize(16); }

void ok::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii != pf::vbKeyEscape && KeyAscii != pf::vbKeyReturn) return;
    KeyAscii = 0;
    opções_Click();
}

void ok::opções_Click() { Unload(); }

// ------------------------------------------------------------------- form_ok_nao

form_ok_nao::form_ok_nao() {
    SetCaption("");
    SetClientSize(8550, 3240);
    SetFont(pf::Font{"Arial", 15.75, false});
    SetBackColor(pf::RGB(255, 255, 255));

    mensagem.Move(75, 300, 6690, 1215);
    mensagem.SetFont(pf::Font{"Arial", 15.75, false});
    mensagem.SetBackStyle(pf::vbTransparent);
    mensagem.SetWordWrap(true);
    mensagem.SetTabIndex(0);

    pf::CommandButton& nao = opções.Add(1);
    nao.SetCaption("&Não");
    nao.Move(3510, 2010, 2205, 555);
    nao.SetFont(pf::Font{"Arial", 15.75, false});
    nao.SetStyle(1);
    nao.SetBackColor(cor_botao_sim_nao);
    nao.SetTabIndex(1);

    pf::CommandButton& sim = opções.Add(0);
    sim.SetCaption("&Sim");
    sim.Move(930, 2010, 2205, 555);
    sim.SetFont(pf::Font{"Arial", 15.75, false});
    sim.SetStyle(1);
    sim.SetBackColor(cor_botao_sim_nao);
    sim.SetTabIndex(2);

    Image1.Move(6870, 420, 1200, 1650);
    Image1.SetStretch(true);
    Image1.LoadPicture(figura_do_formulario("form_ok_nao_Image1.bmp"));

    opções.Bind(&pf::CommandButton::OnClick, [this](int Index) { opções_Click(Index); });
    // Escape on a button gives the default answer.
    opções.Bind(&pf::CommandButton::OnKeyPress, [this](int, int& KeyAscii) { Form_KeyPress(KeyAscii); });
}

void form_ok_nao::nova_pergunta(Padrao padrao) {
    padrao_ = padrao == Padrao::sim ? 0 : 1;
    model::sessao().resp_ok_nao = padrao == Padrao::sim;
    opções(padrao_).SetFocus();
}

void form_ok_nao::Form_Activate() { opções(padrao_).SetFocus(); }

void form_ok_nao::opções_Click(int Index) {
    model::sessao().resp_ok_nao = (Index == 0);
    Hide();
}

void form_ok_nao::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii != pf::vbKeyEscape) return;
    KeyAscii = 0;
    opções_Click(padrao_);
}

void form_ok_nao::Form_Unload(int& Cancel) {
    // The close box of a question on the screen hides it, as a button would,
    // and leaves the default answer it was asked with; a hidden dialog
    // unloads.
    if (!Visible()) return;
    Cancel = 1;
    Hide();
}

// ------------------------------------------------------------------- ok_help

ok_help::ok_help() {
    SetCaption("");
    SetClientSize(8985, 3705);
    SetBackColor(pf::RGB(255, 255, 255));

    // The first line of the pictures' text column, in their text's size.
    mensagem.Move(4110, 1440, 4545, 510);
    mensagem.SetFont(pf::Font{"Arial", 18, true});
    mensagem.SetForeColor(pf::RGB(50, 50, 50));
    mensagem.SetBackStyle(pf::vbTransparent);
}

void ok_help::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == pf::vbKeyEscape || KeyAscii == pf::vbKeyReturn) {
        KeyAscii = 0;
        Unload();
    }
}

// ------------------------------------------------------------------- calls

void mostra_ok(const std::string& titulo, const std::string& mensagem) {
    model::EstadoSessao& s = model::sessao();
    s.msg_ok_nao = mensagem;
    ok& d = pf::Forms::Get<ok>("ok");
    d.SetCaption(titulo);
    d.mensagem.SetCaption(s.msg_ok_nao);
    // A message taller than the label makes the dialog taller by the same
    // amount, the button moving down with it, so that all of it shows.
    const int falta = static_cast<int>(std::ceil(d.mensagem.CaptionHeight())) - d.mensagem.Height();
    if (falta > 0) {
        d.mensagem.SetHeight(d.mensagem.Height() + falta);
        d.opções.SetTop(d.opções.Top() + falta);
        d.SetClientSize(d.ClientWidth(), d.ClientHeight() + falta);
    }
    d.Show(pf::vbModal);
}

bool pergunta_sim_nao(const std::string& titulo, const std::string& mensagem, Padrao padrao) {
    model::EstadoSessao& s = model::sessao();
    s.msg_ok_nao = mensagem;
    form_ok_nao& d = pf::Forms::Get<form_ok_nao>("form_ok_nao");
    d.SetCaption(titulo);
    d.mensagem.SetCaption(s.msg_ok_nao);
    d.nova_pergunta(padrao);
    d.Show(pf::vbModal);
    return s.resp_ok_nao;
}

void mostra_figura(const std::string& titulo, const std::string& caminho_figura, const std::string& texto) {
    ok_help& d = pf::Forms::Get<ok_help>("ok_help");
    d.SetCaption(titulo);
    d.mensagem.SetCaption(texto);
    d.SetPicture(pf::LoadPicture(caminho_figura));
    d.Show(pf::vbModal);
    // Closing the notice unloads it; make sure a hidden one does not linger.
    pf::Forms::Unload("ok_help");
}

void registra_dialogos() {
    pf::Forms::Register<ok>("ok");
    pf::Forms::Register<form_ok_nao>("form_ok_nao");
    pf::Forms::Register<ok_help>("ok_help");
}

void instala_dialogos() {
    static DialogosDaTela dialogos;
    model::define_dialogos(&dialogos);
}

}  // namespace shell
