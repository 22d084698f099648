#pragma once
// The agenda screen "age": the eight activity lists of the week shown, each
// under its animated activity picture and with a scroll bar beyond ten lines;
// the real and shown week numbers with the forecast and real-time pictures;
// the print picture for the weekly and rotation reports; the gardener, garden
// and seedbed pictures that lead to the other screens; the help links.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "agenda/listas.h"
#include "agenda/pendencias.h"
#include "platform/clock.h"
#include "platform/forms/forms.h"
#include "platform/report.h"
#include "agenda/animacao.h"
#include "shell/figuras.h"
#include "shell/navegacao.h"

namespace agenda {

namespace pf = platform::forms;

// Names of the screens the agenda leads to, and its own.
inline constexpr const char* nome_tela_agenda = "age";
inline constexpr const char* tela_menu = "INTRONEW";
inline constexpr const char* tela_horta = "trabalhando_na_horta";
inline constexpr const char* tela_sementeira = "controle_da_sementeira";
inline constexpr const char* tela_help = "help";

// Week number of a date as the week boxes show it ("1" to "54").
using shell::texto_semana;

class age : public pf::Form {
public:
    // --- activity pictures and navigation pictures -----------------------------
    pf::PictureBox pld{this, "pld"};
    pf::PictureBox pls{this, "pls"};
    pf::PictureBox tr{this, "tr"};
    pf::PictureBox limp{this, "limp"};
    pf::PictureBox desb{this, "desb"};
    pf::PictureBox amo{this, "amo"};
    pf::PictureBox cop{this, "cop"};
    pf::PictureBox cof{this, "cof"};
    pf::PictureBox hortelino{this, "hortelino"};
    pf::PictureBox pic_horta{this, "pic_horta"};
    pf::PictureBox pic_semen{this, "pic_semen"};
    pf::PictureBox pic_imp{this, "pic_imp"};
    pf::PictureBox previsao{this, "previsao"};
    pf::PictureBox tempo_real{this, "tempo_real"};
    pf::TextBox tempo{this, "tempo"};
    pf::TextBox terra{this, "terra"};
    pf::ControlArray<pf::Label> Label1{this, "Label1"};
    pf::Label lbl_tempo{this, "lbl_tempo"};

    // --- the lists: ten visible lines per column, one scroll bar each ----------
    pf::ControlArray<pf::Label> PLD1{this, "PLD1"}, PLD2{this, "PLD2"};
    pf::ControlArray<pf::Label> PLS1{this, "PLS1"}, PLS2{this, "PLS2"};
    pf::ControlArray<pf::Label> TR1{this, "TR1"}, TR2{this, "TR2"}, TR22{this, "TR22"};
    pf::ControlArray<pf::Label> LI1{this, "LI1"}, LI2{this, "LI2"}, LI22{this, "LI22"};
    pf::ControlArray<pf::Label> des1{this, "des1"}, des2{this, "des2"}, des22{this, "des22"};
    pf::ControlArray<pf::Label> amo1{this, "amo1"}, amo2{this, "amo2"};
    pf::ControlArray<pf::Label> cop1{this, "cop1"}, cop2{this, "cop2"};
    pf::ControlArray<pf::Label> cof1{this, "cof1"}, cof2{this, "cof2"};
    pf::VScrollBar SCROLL_PLD{this, "SCROLL_PLD"};
    pf::VScrollBar SCROLL_PLS{this, "SCROLL_PLS"};
    pf::VScrollBar SCROLL_TR{this, "SCROLL_TR"};
    pf::VScrollBar SCROLL_LI{this, "SCROLL_LI"};
    pf::VScrollBar SCROLL_des{this, "SCROLL_des"};
    pf::VScrollBar SCROLL_amo{this, "SCROLL_amo"};
    pf::VScrollBar SCROLL_cop{this, "SCROLL_cop"};
    pf::VScrollBar SCROLL_cof{this, "SCROLL_cof"};
    pf::ControlArray<pf::Image> PLS3{this, "PLS3"};
    pf::ControlArray<pf::Image> canteiro{this, "canteiro"};

    pf::Timer timer_{this, "timer_"};
    pf::Timer Timer1{this, "Timer1"};

    // --- the two reports ---------------------------------------------------------
    platform::Report relat;
    platform::Report regrot;

    // --- form fields (fresh at every load) ---------------------------------------
    // The picture buttons' frames, played by the 100 ms timer.
    shell::FigurasAnimadas<age> figuras;
    bool intro_ativa = false;
    Pendencias pendencias;
    ListasRelatorio listas;

    age();

    // --- form events ----------------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;

    // --- activity and navigation clicks ------------------------------------------
    void pld_Click();
    void pls_Click();
    void tr_Click();
    void limp_Click();
    void desb_Click();
    void amo_Click();
    void cop_Click();
    void cof_Click();
    void hortelino_Click();
    void pic_semen_Click();
    void pic_horta_Click();
    void pic_imp_Click();
    void Label1_Click(int Index);
    void lbl_tempo_Click();
    void pict_inicial();
    void final_animation_3();
    void Timer1_Timer();

    // --- lists --------------------------------------------------------------------
    void pl_sem_tr();
    void monta_pld(std::int16_t inicio);
    void monta_pls(std::int16_t inicio);
    void monta_tr(std::int16_t inicio);
    void monta_li(std::int16_t inicio);
    void monta_des(std::int16_t inicio);
    void monta_amo(std::int16_t inicio);
    void monta_cop(std::int16_t inicio);
    void monta_cof(std::int16_t inicio);
    // The scroll ranges and the eight lists from line 0, then the report tables.
    void monta_semana();
    void prepara_relat();

    // --- animation, printing, forecast --------------------------------------------
    void Timer__Timer();
    bool fim_impressao();
    void imprime_relatorios();
    void previsao_Click();
    void tempo_real_Click();

    // The visible columns and scroll bar of a list.
    struct ColunasLista {
        pf::ControlArray<pf::Label>* c1;
        pf::ControlArray<pf::Label>* c2;
        pf::ControlArray<pf::Label>* c22;
        pf::VScrollBar* barra;
    };
    ColunasLista colunas(Lista l);

private:
    // Starts a week picture's animation (forecast or real time) of `quadros` frames.
    void anima_semana(AcaoSemana acao, int quadros);
    void monta(Lista l, std::int16_t inicio);
    // An activity picture clicked: the entry `k` of the table of its clicks.
    void cuidado_click(std::size_t k);
    std::string anima(const std::string& nome) const;
};

}  // namespace agenda
