#pragma once
// The memory game window: 36 cards in a 6 x 6 grid, 18 pictures dealt on two
// cards each; the player turns two cards per attempt, a matching pair blinks
// away, a clock counts the seconds from the first click and a counter the
// attempts. The last pair blinks the score and leads, when it enters a
// ranking, to the name dialog and the ranking window. Its menu returns to the
// options screen, opens the ranking or deals anew.

#include <string>

#include "platform/forms/forms.h"

namespace minigame {

namespace pf = platform::forms;

// Names of the windows of the game and of the screen it returns to.
inline constexpr const char* nome_tela_jogo = "gamedio";
inline constexpr const char* nome_tela_ranking = "rank_form";
inline constexpr const char* nome_dialogo_nome = "mem_ok";
inline constexpr const char* tela_opcoes = "conf";

class gamedio : public pf::Form {
public:
    // The panel first: it lies behind the clock and the counter.
    pf::Label Label2{this, "Label2"};
    pf::ControlArray<pf::Image> figura{this, "figura"};
    pf::ControlArray<pf::Label> Label1{this, "Label1"};
    pf::Label Lbl_timer{this, "Lbl_timer"};
    pf::Label lbl_contador{this, "lbl_contador"};
    pf::Timer Timer1{this, "Timer1"};   // matched-pair blink
    pf::Timer Timer2{this, "Timer2"};   // the clock
    pf::Timer Timer3{this, "Timer3"};   // end-of-game blink
    pf::DataControl Data1{this, "Data1"};

    gamedio();

    void Form_Load() override;
    void Form_Activate() override;
    void iniciar();
    void figura_Click(int Index);
    void Label1_Click(int Index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    // The end of a game: the qualify checks, the name dialog, the inserts and
    // the ranking window, for the score kept when the last pair was found.
    void sequencia_ranking();

private:
    void mostra_face(int carta);
    void mostra_verso(int carta);
    pf::Picture cursor_;
};

}  // namespace minigame
