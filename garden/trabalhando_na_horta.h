#pragma once
// The garden screen: the 10 x 10 bed grid, the crop palette, planting and
// removal by drag and drop with the crop-rotation question, the care buttons
// with their bed legend boxes and completion blink, the week boxes with the
// forecast and the return to the real week, and the animation engine that
// plays the picture buttons and leads to the other screens.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/forms/forms.h"
#include "garden/animacao.h"
#include "shell/figuras.h"
#include "shell/navegacao.h"

namespace garden {

namespace pf = platform::forms;

// Names of the screens this one leads to.
inline constexpr const char* tela_menu = "INTRONEW";
inline constexpr const char* tela_sementeira = "controle_da_sementeira";
inline constexpr const char* tela_agenda = "age";
inline constexpr const char* tela_help = "help";
inline constexpr const char* nome_tela_horta = "trabalhando_na_horta";

class trabalhando_na_horta : public pf::Form {
public:
    // --- palette: crop images and their counters ----------------------------
    pf::Image c_alf{this, "c_alf"};
    pf::Image c_chi{this, "c_chi"};
    pf::Image c_che{this, "c_che"};
    pf::Image c_agr{this, "c_agr"};
    pf::Image c_cou{this, "c_cou"};
    pf::Image c_esp{this, "c_esp"};
    pf::Image c_ber{this, "c_ber"};
    pf::Image c_ruc{this, "c_ruc"};
    pf::Image c_cen{this, "c_cen"};
    pf::Image c_bet{this, "c_bet"};
    pf::Image c_nab{this, "c_nab"};
    pf::Image c_rab{this, "c_rab"};
    pf::Image c_tom{this, "c_tom"};
    pf::Image c_pim{this, "c_pim"};
    pf::Image c_bgl{this, "c_bgl"};
    pf::Image c_rep{this, "c_rep"};
    pf::Image c_bro{this, "c_bro"};
    pf::Image c_flo{this, "c_flo"};
    pf::Image c_vgm{this, "c_vgm"};
    pf::Image c_pep{this, "c_pep"};
    pf::Image c_alh{this, "c_alh"};
    pf::ControlArray<pf::Label> Label3{this, "Label3"};
    pf::ControlArray<pf::Label> lbl_verduras{this, "lbl_verduras"};

    // --- the grid and its per-bed controls (pixels of horta) -----------------
    pf::PictureBox horta{this, "horta"};
    pf::ControlArray<pf::Image> cant{&horta, "cant"};
    pf::ControlArray<pf::TextBox> txt_label{&horta, "txt_label"};

    // --- care buttons and picture buttons ------------------------------------
    pf::ControlArray<pf::CommandButton> Command2{this, "Command2"};
    pf::PictureBox hortelino{this, "hortelino"};
    pf::PictureBox pic_agenda{this, "pic_agenda"};
    pf::PictureBox pic_semen{this, "pic_semen"};
    pf::PictureBox previsao{this, "previsao"};
    pf::PictureBox tempo_real{this, "tempo_real"};
    pf::TextBox tempo{this, "tempo"};
    pf::TextBox terra{this, "terra"};
    pf::Label lbl_tempo{this, "lbl_tempo"};
    pf::Label lbl_atividades{this, "lbl_atividades"};

    pf::Timer timer_{this, "timer_"};
    pf::Timer Timer1{this, "Timer1"};
    pf::Timer Timergame{this, "Timergame"};

    // --- form fields (fresh at every load) -----------------------------------
    bool primeira_ativacao = true;
    bool intro_ativa = false;
    bool ja_tocou = false;
    bool tem_canteiro = false;
    // The picture buttons' frames, played by the 100 ms timer.
    shell::FigurasAnimadas<trabalhando_na_horta> figuras;
    std::int16_t ultimo_tipo_legenda = 0;
    std::string ultimo_tipo_trato;
    std::string ultimo_tipo_2;
    // The completion blink of the bed legend boxes.
    shell::PiscaConclusao<pf::TextBox> pisca{Timergame, timer_, 19};

    trabalhando_na_horta();

    // --- form events ----------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override;
    void Form_DragDrop(pf::Control& Source, float X, float Y) override;

    // --- planting, removal, palette -------------------------------------------
    void c_DragOver(pf::Image& imagem, pf::Control& Source, float X, float Y, int State);
    void c_DragDrop(pf::Control& Source, float X, float Y);
    void horta_DragDrop(pf::Control& Source, float X, float Y);
    void cant_DragDrop(int Index, pf::Control& Source, float X, float Y);
    // Plants crop i_cult in cell i_matriz, asking the rotation question when
    // an earlier crop of the bed shares its family; false when the player
    // answered "&Não".
    bool arrastar_soltar_horta(std::int16_t i_cult, std::int16_t i_matriz);
    // Refreshes the counters of crop `cult` (0 every crop); `removida` is the
    // crop of a bed just removed (see model::status_da_paleta).
    void pl_tr(std::int16_t cult, int removida = 0);
    void Label3_Click(int Index);

    // --- grid and buttons ------------------------------------------------------
    void cria_cants();
    void paint_modulo(int i);
    void monta_matriz(std::int16_t tipo_legenda_, const std::string& tipo_trato_, const std::string& tipo_2_);
    void monta_matriz2(std::int16_t tipo_legenda_, const std::string& tipo_trato_, const std::string& tipo_2_);
    void monta_matriz_base(std::int16_t tipo_legenda_, const std::string& tipo_trato_, const std::string& tipo_2_,
                           bool so_pendentes);
    void monta_matriz3(std::int16_t tipo_legenda_, const std::string& tipo_trato_, const std::string& tipo_2_);
    void des_liga(const std::string& qual_trato);
    void des_es_liga(const std::string& qual_trato, bool v_chk);
    void poe_pict_tratos();
    void btn_sem_horta();
    void mostra_legenda(std::int16_t tipo_legenda, const std::string& tipo_trato, const std::string& tipo_2,
                        int pos_atual, bool chama_acha_trato, const std::string& up_trato);
    // A care finished: the index of its button, given its greyed picture.
    std::optional<int> descobre_qual_btn(const std::string& trato);
    void final_animation_1();
    void anima_botao(shell::AcaoAtual acao);
    void anima_semana(shell::AcaoSemana acao, int quadros);

    // --- care work, blink ------------------------------------------------------
    void Command2_Click(int Index);
    void txt_label_Click(int Index);
    void Timergame_Timer();

    // --- animation engine and navigation ---------------------------------------
    void Timer__Timer();
    void Timer1_Timer();
    void hortelino_Click();
    void pic_agenda_Click();
    void pic_semen_Click();
    void lbl_verduras_Click(int Index);
    void lbl_tempo_Click();
    void lbl_atividades_Click();
    void txt_label_GotFocus(int Index);

    // --- forecast --------------------------------------------------------------
    void previsao_Click();
    void tempo_real_Click();

    // The palette image at a palette position 0..20.
    pf::Image& imagem_paleta(int k);
    // The palette image of a crop code 1..21.
    pf::Image& imagem_da_cultura(std::int16_t cult);
    // The crop of a dragged palette image; 0 for any other control.
    std::int16_t cultura_arrastada(const pf::Control& Source) const;
    // The cell of a dragged bed image; -1 for any other control.
    int canteiro_arrastado(const pf::Control& Source);

private:
    // Creates the image and legend box of cell i at their grid places.
    void cria_controles_canteiro(int i);
    // Hides and destroys the image and legend box of cell i, when present.
    void remove_controles_canteiro(int i);
    // Brings the bed controls in step with the bed state: controls for every
    // cell holding a crop, none for the others.
    void sincroniza_controles();
    // Refuses a palette drop on a bed that already holds a crop.
    void recusa_ocupado();
    void escreve_semanas_inicio();
    bool algum_cuidado_habilitado();
    pf::Picture figura_programa(const std::string& nome) const;
    std::string anima(const std::string& nome) const;

    std::array<pf::Image*, 21> paleta_{};
};

// Registers the garden screen with the forms registry by its name.
void registra_formularios();

// Week number of a date as the week boxes show it ("1" to "54").
using shell::texto_semana;

}  // namespace garden
