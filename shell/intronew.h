#pragma once
// The main menu `INTRONEW`: the hub of the game. Its picture buttons lead to
// the market, the garden, the seedbed, the agenda and help through a short
// frame animation played by `timer_`; the door runs the exit path; "Opções"
// opens the options screen; thirteen hotspots show picture explanations; an
// earthworm crawls back and forth. Its first load of a run also loads the
// game and runs the start-up week cycle.

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "shell/figuras.h"

namespace shell {

namespace pf = platform::forms;

// The actions of the menu's animation timer.
enum class AcaoMenu {
    sair,
    agenda,
    sementeira,
    horta,
    feira,
    help,
};

// The pictures the main menu loads first, with the media root `unidade`
// ("C:" to "H:"): its background, its title, its six picture buttons and
// its pointer.
std::vector<std::string> figuras_do_menu(const std::string& unidade);

// The earthworm's resting frame, under the media root's "\anima\".
inline constexpr const char* primeiro_quadro_nhoca = "nhoca0p.bmp";

// Frame shown by the door animation while `quadro` runs from 9 down to 1,
// under the media root ("\\anima\\port03.bmp").
std::string quadro_porta(int quadro);

class INTRONEW : public pf::Form {
public:
    pf::PictureBox Picture1{this, "Picture1"};
    pf::PictureBox pic_feira{this, "pic_feira"};
    pf::PictureBox pic_horta{this, "pic_horta"};
    pf::PictureBox pic_semen{this, "pic_semen"};
    pf::PictureBox pic_agenda{this, "pic_agenda"};
    pf::PictureBox saida{this, "saida"};
    pf::Image interroga{this, "interroga"};
    pf::PictureBox pic_nhoca{this, "pic_nhoca"};
    pf::Label Label2{this, "Label2"};
    pf::ControlArray<pf::Label> Label1{this, "Label1"};
    pf::Timer Timer1{this, "Timer1"};
    pf::Timer timer_{this, "timer_"};

    INTRONEW();

    void Form_Load() override;
    void Form_Activate() override;

    // The picture buttons' frames, played by the 100 ms timer; the target's
    // pictures are made ready while they play.
    FigurasAnimadas<INTRONEW> figuras;

    void saida_Click();
    void pic_agenda_Click();
    void pic_semen_Click();
    void pic_horta_Click();
    void pic_feira_Click();
    void interroga_Click();
    void Label2_Click();
    void Label1_Click(int Index);
    void Timer__Timer();
    void Timer1_Timer();

    // The last tick of the door, the basket and the help icon.
    bool fim_saida();
    bool fim_feira();
    bool fim_help();
    void carga_4_botões();
    // The picture buttons and the earthworm from the media root in use.
    void carrega_figuras_da_unidade();
    void nova_semana();

    // Form state.
    int fase_nhoca = 0;       // earthworm phase 0 to 6
    bool nhoca_esq = true;    // crawling leftwards
    bool horta_vazia = false; // no bed and no lot held a crop at the first load
    bool estado_carregado = true;  // the stored game was read at the first load
    std::string raiz_figuras; // media root the pictures were loaded from

    // The earthworm's design position (twips).
    static constexpr int nhoca_left_inicial = 6000;
    static constexpr int nhoca_top = 8475;
};

}  // namespace shell
