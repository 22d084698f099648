#pragma once
// The seedbed screen: the 22 lots with their crop and growth pictures, the
// 13 crop buttons with their sowing indicators, sowing by drag and drop and
// removal by dragging a lot away, the three care activities of the seedlings
// (cleaning, thinning, marking for transplant) with their lot markers and
// completion blink, the button to the garden, the week boxes with the
// forecast and the return to the real week, and the picture-button
// animations that lead to the other screens.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/forms/forms.h"
#include "seedbed/tabela.h"
#include "shell/figuras.h"
#include "shell/navegacao.h"

namespace seedbed {

namespace pf = platform::forms;

// Names of the screens this one leads to.
inline constexpr const char* nome_tela_sementeira = "controle_da_sementeira";
inline constexpr const char* tela_menu = "INTRONEW";
inline constexpr const char* tela_horta = "trabalhando_na_horta";
inline constexpr const char* tela_agenda = "age";
inline constexpr const char* tela_help = "help";

class controle_da_sementeira : public pf::Form {
public:
    // --- picture buttons and week boxes (the boxes lie inside the pictures) ---
    pf::PictureBox hortelino{this, "hortelino"};
    pf::PictureBox pic_horta{this, "pic_horta"};
    pf::PictureBox pic_agenda{this, "pic_agenda"};
    pf::PictureBox previsao{this, "previsao"};
    pf::PictureBox tempo_real{this, "tempo_real"};
    pf::TextBox tempo{&tempo_real, "tempo"};
    pf::TextBox terra{&previsao, "terra"};

    // --- activity buttons: 1 Limpar, 2 Desbastar, 3 Transplantar, 4 Horta ----
    pf::ControlArray<pf::CommandButton> Command4{this, "Command4"};

    // --- crop buttons and their sowing indicators ------------------------------
    pf::Image c_alf{this, "c_alf"};
    pf::Image c_chi{this, "c_chi"};
    pf::Image c_che{this, "c_che"};
    pf::Image c_agr{this, "c_agr"};
    pf::Image c_cou{this, "c_cou"};
    pf::Image c_esp{this, "c_esp"};
    pf::Image c_tom{this, "c_tom"};
    pf::Image c_pim{this, "c_pim"};
    pf::Image c_bgl{this, "c_bgl"};
    pf::Image c_rep{this, "c_rep"};
    pf::Image c_bro{this, "c_bro"};
    pf::Image c_flo{this, "c_flo"};
    pf::Image c_alh{this, "c_alh"};
    pf::ControlArray<pf::Label> Label3{this, "Label3"};

    // --- the lots: picture, growth picture, activity marker --------------------
    pf::ControlArray<pf::Image> Image3{this, "Image3"};
    pf::ControlArray<pf::Image> CRESCE{this, "CRESCE"};
    pf::ControlArray<pf::Label> Label4{this, "Label4"};

    // --- grid captions and help labels -----------------------------------------
    pf::Label Label1{this, "Label1"};
    pf::ControlArray<pf::Label> Label2{this, "Label2"};
    pf::Label lbl_tempo{this, "lbl_tempo"};
    pf::Label lbl_atividades{this, "lbl_atividades"};
    pf::Label lbl_verduras{this, "lbl_verduras"};

    pf::Timer timer_{this, "timer_"};
    pf::Timer Timer1{this, "Timer1"};
    pf::Timer Timergame{this, "Timergame"};
    // The week clock: never started (the game's weeks move only by the
    // start-up week cycle and, for display, by the forecast).
    pf::Timer game_clock{this, "game_clock"};

    // --- form fields (fresh at every load) -------------------------------------
    bool primeira_ativacao = true;
    bool em_intro = false;
    bool ja_tocou = false;
    std::string atividade;
    // The garden button's design colour, which it shows while work waits in
    // the garden.
    pf::Color cor_horta = 0;
    // The picture buttons' frames, played by the 100 ms timer.
    shell::FigurasAnimadas<controle_da_sementeira> figuras;
    // The completion blink of the lot markers.
    shell::PiscaConclusao<pf::Label> pisca{Timergame, timer_, 18};

    controle_da_sementeira();

    // --- form events -------------------------------------------------------------
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override;
    void Form_DragOver(pf::Control& Source, float X, float Y, int State) override;
    void Form_DragDrop(pf::Control& Source, float X, float Y) override;

    // --- lot display -------------------------------------------------------------
    void carrega_pict_dos_botões();
    void CRESCER(std::int16_t lote);
    void Monta_sem2();
    void Monta_sem();

    // --- sowing and removal ------------------------------------------------------
    void c_DragOver(pf::Image& botao, pf::Control& Source, float X, float Y, int State);
    void c_DragDrop(pf::Control& Source, float X, float Y);
    void c_Click(pf::Image& botao);
    void Image3_DragDrop(int Index, pf::Control& Source, float X, float Y);
    void Image3_Click(int Index);
    void CRESCE_Click(int Index);

    // --- sowing plan -------------------------------------------------------------
    void pl_sem(std::int16_t cult);
    void Des_Liga_sem(std::int16_t cult, const std::string& status);
    void Label3_Click(int Index);

    // --- care activities ---------------------------------------------------------
    bool leg_sem(const std::string& codigo);
    void command4_Click(int Index);
    // A care finished: the index of its button, given its greyed picture.
    std::optional<int> descobre_qual_sem_btn(const std::string& trato);
    void Label4_Click(int Index);
    void Timergame_Timer();

    // --- animation and navigation ------------------------------------------------
    void final_animation_2();
    void Timer__Timer();
    void Timer1_Timer();
    void hortelino_Click();
    void pic_agenda_Click();
    void pic_horta_Click();
    void lbl_tempo_Click();
    void lbl_atividades_Click();
    void lbl_verduras_Click();

    // --- forecast ----------------------------------------------------------------
    void previsao_Click();
    void tempo_real_Click();

    // The crop button of a slot 0..12.
    pf::Image& botao_cultura(int slot);

    // The lot is sown with one of the seedbed crops: its picture shows a crop,
    // or its state holds one (so a lot whose picture file could not be read
    // is never taken for a free one).
    bool lote_ocupado(int i) const;

private:
    // The redraw shared by Monta_sem2 (first activation) and Monta_sem.
    void monta(bool primeira);
    // Plays a picture's frames, or a week button's (ends the entry
    // presentation first).
    void anima_botao(shell::AcaoAtual acao);
    void anima_semana(shell::AcaoSemana acao, int quadros);
    bool algum_cuidado_habilitado();
    // The slot of a dragged crop button, or the lot of a dragged lot picture
    // (nothing, -1, for any other control).
    std::optional<int> slot_arrastado(const pf::Control& Source) const;
    int lote_arrastado(const pf::Control& Source);
    pf::Picture figura_programa(const std::string& nome) const;
    std::string anima(const std::string& nome) const;

    std::array<pf::Image*, 13> botoes_{};
};

// Registers the seedbed screen with the forms registry by its name.
void registra_tela();

}  // namespace seedbed
