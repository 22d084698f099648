#include "shell/conf.h"

#include "model/estado.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/semana.h"
#include "shell/sons.h"

namespace shell {

namespace {

constexpr pf::Color azul_marinho = pf::RGB(0, 0, 128);
constexpr pf::Color lilas = pf::RGB(128, 128, 255);

pf::Label& rotulo_opcao(pf::Label& l, const char* texto, int left, int top, int width, int height) {
    l.SetCaption(texto);
    l.Move(left, top, width, height);
    l.SetFont(pf::Font{"Arial", 8.25, true});
    l.SetForeColor(azul_marinho);
    l.SetBackStyle(pf::vbTransparent);
    return l;
}

// The help icon plays its cycle, then opens help on the program over this
// screen.
constexpr BotaoFigura<conf> kFiguras[] = {
    {.acao = AcaoOpcoes::help, .figura = &conf::interroga, .quadro = quadro_interroga, .ciclo = ciclo_interroga,
     .quadros = 6, .destino = "help", .fim = &conf::fim_help},
};

}  // namespace

int indice_unidade_digitada(const std::string& texto) {
    std::string t = platform::UCase(platform::Trim(texto));
    if (t.size() == 1) t += ":";
    for (int i = 0; i <= 5; ++i)
        if (t == unidade_de(i)) return i;
    return -1;
}

conf::conf() : figuras(*this, timer_, kFiguras, Saida{"conf-destino-", {}, pf::vbDefault}) {
    SetCaption("Configuração de Sons");
    SetClientSize(12000, 9000);
    SetBackColor(pf::vbWhite);
    const pf::Picture icone = pf::LoadPicture(platform::ProgramFolder() + "\\forms\\conf_MouseIcon.png");

    pf::Label& painel = Label2.Add(0);
    painel.Move(3210, 1140, 7155, 6735);
    painel.SetBackColor(pf::RGB(192, 192, 255));
    painel.SetBackStyle(pf::vbOpaque);
    painel.ZOrder(1);  // behind the captions declared before it

    pf::Label& titulo = Label3.Add(0);
    titulo.SetCaption("Configuração de Sons");
    titulo.Move(3750, 1530, 6045, 705);
    titulo.SetFont(pf::Font{"Arial", 27.75, true, true});
    titulo.SetForeColor(azul_marinho);
    titulo.SetAlignment(pf::vbCenter);
    titulo.SetBackStyle(pf::vbTransparent);

    const int topos[3] = {3540, 4680, 6480};
    for (int i = 0; i < 3; ++i) {
        pf::Shape& s = Shape1.Add(5 + i);
        s.SetShape(pf::vbShapeCircle);
        s.Move(5100, topos[i], 405, 195);
        s.SetFillStyle(0);
        s.SetFillColor(azul_marinho);
        s.SetBorderColor(azul_marinho);
    }

    pf::CheckBox& trilha = Check1.Add(1);
    trilha.Move(5940, 3480, 225, 255);
    trilha.SetValue(pf::vbUnchecked);
    trilha.SetBackColor(pf::RGB(192, 192, 255));
    rotulo_opcao(Label4, "Trilha de Fundo", 6300, 3510, 1275, 210);

    pf::CheckBox& voz = Check1.Add(2);
    voz.Move(5940, 4620, 225, 255);
    voz.SetValue(pf::vbUnchecked);
    voz.SetBackColor(pf::RGB(192, 192, 255));
    rotulo_opcao(Label7, "Voz do Hortelão", 6300, 4650, 1305, 210);

    pf::OptionButton& correto = Option1.Add(1);
    correto.Move(6780, 5040, 225, 195);
    correto.SetBackColor(pf::RGB(192, 192, 255));
    correto.SetValue(true);
    correto.SetEnabled(false);
    rotulo_opcao(Label8, "Portugues Correto", 7080, 5010, 1560, 210);

    pf::OptionButton& caipira = Option1.Add(0);
    caipira.Move(6780, 5250, 225, 195);
    caipira.SetBackColor(pf::RGB(192, 192, 255));
    caipira.SetEnabled(false);
    rotulo_opcao(Label9.Add(0), "Locução Caipira", 7080, 5250, 1305, 210);

    rotulo_opcao(Label5, "Sua unidade de CD ?", 5940, 6450, 1755, 255);
    // White reads on the green ground; navy there hardly did.
    Label5.SetForeColor(pf::vbWhite);
    Label5.SetBackColor(pf::RGB(0, 128, 0));
    Label5.SetBackStyle(pf::vbOpaque);

    Combo1.Move(7770, 6360, 645, 315);
    Combo1.SetStyle(0);  // the player may type a drive
    Combo1.SetText("Combo1");

    Label1.SetCaption("Retornar");
    Label1.Move(120, 480, 1320, 360);
    Label1.SetFont(pf::Font{"Arial", 15.75, true, true});
    Label1.SetForeColor(lilas);
    Label1.SetBackStyle(pf::vbTransparent);
    Label1.SetMouseIcon(icone);
    Label1.SetMousePointer(pf::vbCustom);

    Labelgame.SetCaption("Jogo");
    Labelgame.Move(293, 1140, 975, 345);
    Labelgame.SetFont(pf::Font{"Arial", 15.75, true, true});
    Labelgame.SetForeColor(lilas);
    Labelgame.SetAlignment(pf::vbCenter);
    Labelgame.SetBackStyle(pf::vbTransparent);
    Labelgame.SetMouseIcon(icone);
    Labelgame.SetMousePointer(pf::vbCustom);

    interroga.Move(420, 1890, 750, 1035);
    interroga.SetToolTipText("Help sobre o programa");
    interroga.SetMouseIcon(icone);
    interroga.SetMousePointer(pf::vbCustom);

    timer_.SetInterval(0);

    Check1.Bind(&pf::CheckBox::OnMouseUp, [this](int Index, int Button, int Shift, float X, float Y) {
        Check1_MouseUp(Index, Button, Shift, X, Y);
    });
    Combo1.OnLostFocus = [this] { Combo1_LostFocus(); };
    Option1.Bind(&pf::OptionButton::OnClick, [this](int Index) { Option1_Click(Index); });
    Label1.OnClick = [this] { Label1_Click(); };
    Labelgame.OnClick = [this] { Labelgame_Click(); };
    interroga.OnClick = [this] { interroga_Click(); };
    timer_.OnTimer = [this] { Timer__Timer(); };
}

int conf::unidade_escolhida() const {
    const int i = Combo1.ListIndex();
    if (i >= 0 && i < Combo1.ListCount() && Combo1.Text() == Combo1.List(i)) return i;
    return indice_unidade_digitada(Combo1.Text());
}

void conf::recusa_unidade(int indice) {
    // The drive in use, or the one the notice proposes when the disc of the
    // drive in use is gone too.
    const int atual = unidade_proposta(model::sessao().indice_cd);
    if (unidade_de(atual).empty()) {
        Combo1.SetListIndex(-1);
        Combo1.SetText("");
    } else {
        Combo1.SetText(Combo1.List(atual));
    }
    avisa_unidade_sem_midia(Caption(), indice);
}

void conf::Form_Load() {
    model::EstadoSessao& s = model::sessao();
    std::string erro;
    if (!le_indice_cd(&s.indice_cd, &erro)) platform::LogOnce("shell.conf.cd", erro);

    for (const char* u : {"C:", "D:", "E:", "F:", "G:", "H:"}) Combo1.AddItem(u);
    Combo1.SetListIndex(unidade_de(s.indice_cd).empty() ? -1 : s.indice_cd);

    aplica_unidade(s.indice_cd);
    s.dir_som = s.dir_anima + "\\audio\\correto";

    LoadPicture(platform::ProgramFolder() + "\\back_ag1.jpg");
    interroga.LoadPicture(s.dir_anima + "\\anima\\int00.bmp");
}

void conf::Form_Activate() {
    const model::EstadoSessao& s = model::sessao();
    Check1(1).SetValue(s.trilha_fundo ? pf::vbChecked : pf::vbUnchecked);
    Check1(2).SetValue(s.som_ligado ? pf::vbChecked : pf::vbUnchecked);
    // The voice set can be chosen whenever the voice is on.
    Option1(0).SetEnabled(s.som_ligado);
    Option1(1).SetEnabled(s.som_ligado);
    interroga.SetMousePointer(pf::vbCustom);
    Label1.SetMousePointer(pf::vbCustom);
    Labelgame.SetMousePointer(pf::vbCustom);
}

void conf::Check1_MouseUp(int Index, int Button, int Shift, float X, float Y) {
    if (Index != 2) return;
    model::EstadoSessao& s = model::sessao();
    if (Check1(2).Value() == pf::vbChecked) {
        Option1(0).SetEnabled(true);
        Option1(1).SetEnabled(true);
        s.dir_som = s.dir_anima + "\\audio\\correto";
        s.som_ligado = true;
    } else {
        Option1(0).SetEnabled(false);
        Option1(1).SetEnabled(false);
        s.som_ligado = false;
    }
}

void conf::Combo1_LostFocus() {
    model::EstadoSessao& s = model::sessao();
    const int i = unidade_escolhida();
    // A text that names no drive keeps the drive as it was.
    if (i < 0) return;
    if (!unidade_tem_midia(i)) {
        recusa_unidade(i);
        return;
    }
    s.indice_cd = i;
    aplica_unidade(i);
}

void conf::Option1_Click(int Index) {
    if (Check1(2).Value() != pf::vbChecked) return;
    model::EstadoSessao& s = model::sessao();
    s.dir_som = s.dir_anima + (Option1(0).Value() ? "\\audio\\caipira" : "\\audio\\correto");
}

void conf::Label1_Click() {
    model::EstadoSessao& s = model::sessao();
    // A drive changed to one without the game's pictures is refused before
    // anything is applied; the player stays here and sees the drive in use
    // again. The drive in use is never refused, even when its disc was taken
    // out meanwhile: this is the way back to the menu, to save and leave.
    const int i = unidade_escolhida();
    if (i >= 0 && i != s.indice_cd && !unidade_tem_midia(i)) {
        recusa_unidade(i);
        return;
    }
    SetMousePointer(pf::vbHourglass);

    // A list that names no drive keeps the stored drive.
    if (i >= 0) {
        s.indice_cd = i;
        std::string erro;
        if (!grava_indice_cd(i, &erro)) mostra_ok("Configuração de Sons", erro);
        // The voices come from the drive just chosen.
        aplica_unidade(i);
    }

    s.trilha_fundo = Check1(1).Value() == pf::vbChecked;
    s.som_ligado = Check1(2).Value() == pf::vbChecked;
    if (s.trilha_fundo || s.som_ligado) {
        const std::string pasta = platform::ProgramFolder();
        if (Option1(0).Value()) {
            s.dir_som = s.dir_anima + "\\audio\\caipira";
            s.som_entrada_horta = pasta + "\\hortafim.wav";
            s.som_entrada_agenda = pasta + "\\agendfim.wav";
            s.som_entrada_sem = pasta + "\\semefim.wav";
            s.som_entrada_feira = pasta + "\\feirafim.wav";
        } else {
            s.dir_som = s.dir_anima + "\\audio\\correto";
            s.som_entrada_horta = pasta + "\\htfimc.wav";
            s.som_entrada_agenda = pasta + "\\agfimc.wav";
            s.som_entrada_sem = pasta + "\\sefimc.wav";
            s.som_entrada_feira = pasta + "\\fefimc.wav";
        }
    }

    figuras.navega("INTRONEW", nullptr);
}

void conf::Labelgame_Click() {
    model::EstadoSessao& s = model::sessao();
    Labelgame.SetMousePointer(pf::vbHourglass);
    s.tipo_tempo = "1";
    s.tipo_cliques = "2";
    pf::Forms::Show("gamedio");
}

void conf::interroga_Click() {
    interroga.SetMousePointer(pf::vbHourglass);
    figuras.inicia(AcaoOpcoes::help);
}

void conf::Timer__Timer() { figuras.passo(false); }

bool conf::fim_help() { return abre_help_por_cima(timer_, "PGM"); }

}  // namespace shell
