#pragma once
// A small demonstration screen in the shape of the game's screens: a 10 x 10
// grid in a pixel-scale picture box, a palette of draggable crop images,
// labels, buttons, a text box that refuses typing, a drive list, a check box,
// two option buttons, a shape, a scroll bar and an animation timer. The tests
// drive it and record what its handlers saw.

#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace demo {

namespace pf = platform::forms;

// A plain coloured square with a letter, standing for a crop picture.
pf::Picture MakeCropPicture(const std::string& letter, pf::Color color, int w = 39, int h = 40);

class DemoForm : public pf::Form {
public:
    pf::PictureBox horta{this, "horta"};
    pf::ControlArray<pf::Image> cant{&horta, "cant"};
    pf::Image c_alf{this, "c_alf"};
    pf::Image c_tom{this, "c_tom"};
    pf::PictureBox tampa{this, "tampa"};      // hidden, lying over the grid
    pf::Label lbl_titulo{this, "lbl_titulo"};
    pf::Label lbl_msg{this, "lbl_msg"};
    pf::ControlArray<pf::Label> lbl_verduras{this, "lbl_verduras"};
    pf::CommandButton cmd_ok{this, "cmd_ok"};
    pf::ControlArray<pf::CommandButton> Command2{this, "Command2"};
    pf::TextBox tempo{this, "tempo"};
    pf::ComboBox Combo1{this, "Combo1"};
    pf::CheckBox chk_som{this, "chk_som"};
    pf::OptionButton opt_caipira{this, "opt_caipira"};
    pf::OptionButton opt_correto{this, "opt_correto"};
    pf::Shape sol{this, "sol"};
    pf::VScrollBar SCROLL_LI{this, "SCROLL_LI"};
    pf::Timer timer_{this, "timer_"};

    DemoForm();

    // What the handlers saw, in order ("Form_Load", "horta_DragDrop c_alf 50 90", ...).
    std::vector<std::string> eventos;
    int quadro = 0;
    int ultima_celula = -1;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload(int& Cancel) override;
    void Form_DragDrop(pf::Control& Source, float X, float Y) override;

    void horta_DragOver(pf::Control& Source, float X, float Y, int State);
    void horta_DragDrop(pf::Control& Source, float X, float Y);
    void c_alf_DragOver(pf::Control& Source, float X, float Y, int State);
    void cant_DragDrop(int Index, pf::Control& Source, float X, float Y);
    void cmd_ok_Click();
    void Command2_Click(int Index);
    void tempo_KeyPress(int& KeyAscii);
    void Timer__Timer();
    void SCROLL_LI_Change();
};

}  // namespace demo
