#pragma once
// The ranking window: the five best times and the five lowest attempt counts
// of the board kind, the names of the newest entries blinking; "Zerar" clears
// both rankings after a question, "Retornar" closes the window. And the name
// dialog `mem_ok` that congratulates the player on entering a ranking and
// takes the name the new entries are stored under.

#include "platform/forms/forms.h"

namespace minigame {

namespace pf = platform::forms;

// The longest name the dialog takes.
inline constexpr int max_nome = 20;

class rank_form : public pf::Form {
public:
    // Rows 0 to 4: the time table; 5 to 9: the attempts table; 10 and 11
    // their headings; nome(12) the title.
    pf::ControlArray<pf::Label> posição{this, "posição"};
    pf::ControlArray<pf::Label> nome{this, "nome"};
    pf::ControlArray<pf::Label> valor{this, "valor"};
    pf::ControlArray<pf::Label> quando{this, "quando"};
    pf::ControlArray<pf::Label> Label1{this, "Label1"};
    pf::Timer Timer1{this, "Timer1"};

    int piscadas = 0;

    rank_form();

    void Form_Load() override;
    void Form_Activate() override;
    void Mostra();
    void Label1_Click(int Index);
    void Timer1_Timer();

private:
    bool erro_avisado_ = false;
};

class mem_ok : public pf::Form {
public:
    pf::Image Image1{this, "Image1"};
    pf::ControlArray<pf::Label> mensagem{this, "mensagem"};
    pf::TextBox Text1{this, "Text1"};
    pf::CommandButton opções{this, "opções"};

    mem_ok();

    void Form_Activate() override;
    void Text1_KeyPress(int& KeyAscii);
    void Text1_Change();
    void opções_Click();
};

}  // namespace minigame
