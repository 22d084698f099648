#pragma once
// The options screen `conf` ("Configuração de Sons"): the media drive, the
// background section tracks, the gardener's voice and its voice set, the help
// on the program and the memory game. Only the drive is stored (in "semana");
// the sound options live in the session for the run.

#include <string>

#include "platform/forms/forms.h"
#include "shell/figuras.h"

namespace shell {

namespace pf = platform::forms;

// The drive index a text names: "E:", "e", " e: " give 2; -1 when it names
// none of "C:" to "H:".
int indice_unidade_digitada(const std::string& texto);

// The actions of the options screen's animation timer.
enum class AcaoOpcoes {
    help,  // the question mark, on to help
};

class conf : public pf::Form {
public:
    // Declared back to front: the panel lies behind the settings.
    pf::ControlArray<pf::Label> Label2{this, "Label2"};
    pf::ControlArray<pf::Label> Label3{this, "Label3"};
    pf::ControlArray<pf::Shape> Shape1{this, "Shape1"};
    pf::ControlArray<pf::CheckBox> Check1{this, "Check1"};
    pf::Label Label4{this, "Label4"};
    pf::Label Label7{this, "Label7"};
    pf::ControlArray<pf::OptionButton> Option1{this, "Option1"};
    pf::Label Label8{this, "Label8"};
    pf::ControlArray<pf::Label> Label9{this, "Label9"};
    pf::Label Label5{this, "Label5"};
    pf::ComboBox Combo1{this, "Combo1"};
    pf::Label Label1{this, "Label1"};
    pf::Label Labelgame{this, "Labelgame"};
    pf::Image interroga{this, "interroga"};
    pf::Timer timer_{this, "timer_"};

    conf();

    void Form_Load() override;
    void Form_Activate() override;
    void Check1_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Combo1_LostFocus();
    void Option1_Click(int Index);
    void Label1_Click();
    void Labelgame_Click();
    void interroga_Click();
    void Timer__Timer();
    bool fim_help();

    // The drive the list names: the chosen item, or a typed drive letter;
    // -1 when it names none.
    int unidade_escolhida() const;
    // The drive `indice` does not hold the game's pictures: the list shows the
    // drive in use again (the drive the notice proposes when the one in use
    // has lost its pictures too) and the player is told.
    void recusa_unidade(int indice);

    // The help icon's frames, played by the 100 ms timer.
    FigurasAnimadas<conf> figuras;
};

}  // namespace shell
