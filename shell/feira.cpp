#include "shell/feira.h"

#include "model/catalogo.h"
#include "model/estado.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/saida.h"
#include "shell/sons.h"

namespace shell {

const PlacaFeira placas_feira[21] = {
    {model::cod_couve, 10, 3810, 2670, 615, 255, 3800, 2910, 625, 290},
    {model::cod_nabo, 13, 5350, 2325, 520, 255, 5340, 2560, 540, 290},
    {model::cod_vagem, 20, 6870, 2640, 630, 255, 6870, 2900, 630, 290},
    {model::cod_chicoria, 9, 2490, 2130, 765, 255, 2480, 2380, 775, 290},
    {model::cod_cheiro_verde, 8, 3330, 3570, 720, 300, 3330, 3865, 720, 290},
    {model::cod_pepino, 14, 8760, 3030, 690, 270, 8760, 3300, 690, 290},
    {model::cod_brocolis, 6, 2670, 4500, 1005, 330, 2670, 4825, 1005, 300},
    {model::cod_quiabo, 4, 1485, 3030, 690, 255, 1485, 3290, 690, 290},
    {model::cod_rabanete, 16, 270, 3900, 975, 300, 270, 4200, 975, 300},
    {model::cod_rucula, 18, 7500, 3825, 735, 300, 7510, 4110, 720, 290},
    {model::cod_berinjela, 3, 7950, 4680, 1095, 330, 7960, 5000, 1085, 310},
    {model::cod_espinafre, 12, 4530, 5325, 1230, 360, 4540, 5670, 1220, 310},
    {model::cod_couve_flor, 11, 6150, 6180, 1410, 390, 6150, 6570, 1405, 330},
    {model::cod_repolho, 17, 8640, 5865, 1050, 360, 8655, 6210, 1035, 320},
    {model::cod_alho_poro, 2, 10380, 4500, 1050, 300, 10375, 4780, 1055, 310},
    {model::cod_agriao, 0, 9600, 3660, 750, 300, 9590, 3950, 770, 290},
    {model::cod_beterraba, 5, 1890, 5730, 1155, 360, 1890, 6070, 1155, 320},
    {model::cod_alface, 1, 1110, 7380, 1035, 420, 1110, 7790, 1035, 340},
    {model::cod_tomate, 19, 4110, 7320, 1275, 450, 4110, 7760, 1275, 350},
    {model::cod_pimentao, 15, 6450, 7680, 1515, 450, 6445, 8120, 1520, 350},
    {model::cod_cenoura, 7, 9660, 7200, 1305, 420, 9690, 7620, 1275, 350},
};

const std::string& grito_feira(int indice) {
    static const std::string gritos[21] = {
        "\\couv-vup.wav", "\\nab-zimb.wav", "\\vag-qot.wav",  "\\chic-qot.wav", "\\chei-qz.wav",
        "\\pep-vup.wav",  "\\broc-mib.wav", "\\quiab-qz.wav", "\\rab-yab.wav",  "\\ruc-qot.wav",
        "\\beri-gux.wav", "\\esp-wob.wav",  "\\cflor-wq.wav", "\\rep-gux.wav",  "\\alh-yab.wav",
        "\\agri-gux.wav", "\\bet-plov.wav", "\\alf-wob.wav",  "\\tom-wob.wav",  "\\pim-gux.wav",
        "\\cen-qz.wav",
    };
    if (indice < 0) indice = 0;
    if (indice > 20) indice = 20;
    return gritos[indice];
}

int indice_grito(double r) {
    int k = static_cast<int>(r * 21 + 1) - 1;
    if (k < 0) k = 0;
    if (k > 20) k = 20;
    return k;
}

namespace {

// Count label text of an order: "3 x".
std::string texto_contagem(int n) { return platform::Trim(platform::NumText(n) + " x"); }

// The count label of a crop code.
int rotulo_da_cultura(int cultura) {
    for (const PlacaFeira& p : placas_feira)
        if (p.cultura == cultura) return p.rotulo;
    return -1;
}

}  // namespace

feira_horta::feira_horta() {
    SetCaption("Feira");
    // Maximized: the whole screen, as the menu, with no strip of the screen
    // behind at its sides.
    SetClientSize(12000, 9000);
    const std::string pasta = platform::ProgramFolder();
    const pf::Picture icone = pf::LoadPicture(pasta + "\\forms\\feira_horta_MouseIcon.png");

    for (int i = 0; i < 21; ++i) {
        const PlacaFeira& p = placas_feira[i];
        pf::Image& placa = plc.Add(i);
        placa.Move(p.left, p.top, p.width, p.height);
        placa.SetStretch(true);
        placa.LoadPicture(pasta + "\\forms\\feira_horta_plc_" + std::to_string(i) + ".bmp");
        placa.SetMouseIcon(icone);
        placa.SetMousePointer(i == 19 ? pf::vbDefault : pf::vbCustom);
    }
    for (int i = 0; i < 21; ++i) {
        const PlacaFeira& p = placas_feira[i];
        pf::Label& l = qt.Add(p.rotulo);
        l.Move(p.q_left, p.q_top, p.q_width, p.q_height);
        l.SetFont(pf::Font{"Arial", 8.25, true});
        l.SetForeColor(pf::vbWhite);
        l.SetBackColor(pf::vbRed);
        l.SetBackStyle(pf::vbOpaque);
        l.SetAlignment(pf::vbCenter);
        l.SetCaption("");
    }

    lbl_total.Move(5970, 3840, 585, 255);
    lbl_total.SetFont(pf::Font{"Arial", 8.25, true});
    lbl_total.SetForeColor(pf::vbWhite);  // chalk on the stall's blackboard
    lbl_total.SetBackStyle(pf::vbTransparent);
    lbl_total.SetAlignment(pf::vbCenter);
    lbl_total.SetToolTipText("Esta é a área da sua horta");
    lbl_total.SetMouseIcon(icone);
    lbl_total.SetMousePointer(pf::vbCustom);

    Label4.SetCaption("leitos");
    Label4.Move(5970, 4110, 615, 255);
    Label4.SetFont(pf::Font{"Arial", 8.25, true});
    Label4.SetForeColor(pf::vbWhite);
    Label4.SetBackStyle(pf::vbTransparent);
    Label4.SetAlignment(pf::vbCenter);

    Label2.Move(7740, 600, 1095, 465);
    Label2.SetBackStyle(pf::vbTransparent);
    Label2.SetMouseIcon(icone);
    Label2.SetMousePointer(pf::vbCustom);
    Label3.Move(2310, 570, 1065, 465);
    Label3.SetBackStyle(pf::vbTransparent);
    Label3.SetMouseIcon(icone);
    Label3.SetMousePointer(pf::vbCustom);

    label_cifra.Move(0, 0, 105, 270);
    label_cifra.SetVisible(false);
    label_cifrão.Move(0, 0, 105, 270);
    label_cifrão.SetVisible(false);

    Timer1.SetInterval(0);
    Timer2.SetInterval(0);

    plc.Bind(&pf::Image::OnMouseUp, [this](int Index, int Button, int Shift, float X, float Y) {
        plc_MouseUp(Index, Button, Shift, X, Y);
    });
    lbl_total.OnClick = [this] { lbl_total_Click(); };
    Label2.OnClick = [this] { Label2_Click(); };
    Label3.OnClick = [this] { Label3_Click(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
}

void feira_horta::Form_Load() {
    const model::EstadoSessao& s = model::sessao();
    const model::EstadoHorta& h = model::horta();
    const model::Catalogo& c = model::catalogo();

    toca_trilha(s.som_entrada_feira);

    long total = 0;
    for (int k = 1; k <= model::n_culturas; ++k) {
        pf::Label& l = qt(rotulo_da_cultura(k));
        if (h.seq_cult[k] != 0) {
            l.SetCaption(texto_contagem(h.seq_cult[k]));
            l.SetVisible(true);
        } else {
            l.SetCaption("");
            l.SetVisible(false);
        }
        total += static_cast<long>(h.seq_cult[k]) * c.plantios_cult[k];
    }
    lbl_total.SetCaption(total != 0 ? platform::NumText(total) : "");

    LoadPicture(platform::ProgramFolder() + "\\FEIRA98f.jpg");
    // The garden, this screen's only way on, has its pictures decoded once this one is painted.
    pf::Screen::AfterNextPaint([] { prepara_destino("trabalhando_na_horta"); });
}

void feira_horta::Form_Activate() { Timer2.SetInterval(model::sessao().trilha_fundo ? 12000 : 5); }

void feira_horta::Timer2_Timer() {
    Timer1.SetInterval(2500);
    Timer2.SetInterval(0);
}

void feira_horta::Timer1_Timer() { grito(); }

void feira_horta::grito() {
    platform::Randomize();
    const int k = indice_grito(platform::Rnd());
    toca_voz(grito_feira(k), SoundMode::Async);
}

void feira_horta::Form_Click() {
    toca_silencio(SoundMode::Sync);
    Timer1.SetInterval(2500);
    Timer2.SetInterval(0);
}

void feira_horta::Form_MouseMove(int, int, float, float) { label_cifra.SetVisible(false); }

void feira_horta::Form_MouseUp(int, int, float, float) { label_cifrão.SetVisible(false); }

void feira_horta::plc_MouseUp(int Index, int Button, int Shift, float X, float Y) {
    if (Index < 0 || Index > 20) return;
    model::EstadoSessao& s = model::sessao();
    model::EstadoHorta& h = model::horta();
    const model::Catalogo& c = model::catalogo();
    const int k = placas_feira[Index].cultura;
    const int j = placas_feira[Index].rotulo;

    int passo = Button == pf::vbLeftButton ? 1 : -1;
    toca_efeito("\\blip.wav", SoundMode::Sync);

    const int antigo = h.seq_cult[k];
    h.seq_cult[k] = antigo + passo;
    if (h.seq_cult[k] < 0) {
        h.seq_cult[k] = 0;
        passo = 0;
    }

    const long novo_total = static_cast<long>(platform::Val(lbl_total.Caption())) +
                            static_cast<long>(passo) * c.plantios_cult[k];
    if (novo_total > s.area_maxima) {
        mostra_ok("Ops ...", "Sua horta pode ter no máximo " + platform::Str(s.area_maxima) + " m2.");
        h.seq_cult[k] = antigo;
        return;
    }

    lbl_total.SetCaption(platform::NumText(novo_total));
    pf::Label& l = qt(j);
    if (h.seq_cult[k] * c.qt_por_leito[k] != 0) {
        l.SetCaption(texto_contagem(h.seq_cult[k]));
        l.SetVisible(true);
    } else {
        l.SetCaption("");
        l.SetVisible(false);
    }
}

void feira_horta::lbl_total_Click() {
    mostra_ok("Quantidade de 'leitos de plantio'",
              "Essa é a quantidade de 'leitos de plantio' que voce precisará para poder produzir seu "
              "pedido semanalmente.");
    toca_voz("\\ar1.wav", SoundMode::Sync);
}

void feira_horta::Label2_Click() {
    Timer1.SetInterval(0);
    Label2.SetMousePointer(pf::vbHourglass);
    model::sessao().modo_guiado = platform::Val(lbl_total.Caption()) != 0;
    // The garden's pictures are decoded while the voice plays.
    prepara_destino("trabalhando_na_horta");
    navega(*this, Timer1, "trabalhando_na_horta", "\\vamhor.wav", "feira-destino-", {&Label2}, pf::vbCustom);
}

void feira_horta::Label3_Click() {
    const int intervalo = Timer1.Interval();
    Timer1.SetInterval(0);
    if (pergunta_sair() && encerra_programa()) return;
    Timer1.SetInterval(intervalo);
}

}  // namespace shell
