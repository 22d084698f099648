#pragma once
// The market `feira_horta`: the family's standing order. A click on one of
// the 21 crop plates adds (left button) or removes (any other button) one
// unit of that crop's order in seq_cult; the total of planting beds the order
// keeps busy never exceeds the maximum garden area. Vendors cry their crops
// every 2.5 s. Two hot spots lead to the garden or out of the program.

#include <string>

#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

// One plate of the stall: the crop it sells and the count label under it.
struct PlacaFeira {
    int cultura;     // crop code 1 to 21
    int rotulo;      // index of the count label `qt`
    int left, top, width, height;          // plate rectangle (twips)
    int q_left, q_top, q_width, q_height;  // count label rectangle (twips)
};
extern const PlacaFeira placas_feira[21];

// The vendor's cry of a drawn index 0 to 20 ("\couv-vup.wav" ...).
const std::string& grito_feira(int indice);

// The index of the cry for a random number r in [0, 1).
int indice_grito(double r);

class feira_horta : public pf::Form {
public:
    pf::ControlArray<pf::Image> plc{this, "plc"};
    pf::ControlArray<pf::Label> qt{this, "qt"};
    pf::Label lbl_total{this, "lbl_total"};
    pf::Label Label4{this, "Label4"};
    pf::Label Label2{this, "Label2"};
    pf::Label Label3{this, "Label3"};
    pf::Label label_cifra{this, "label_cifra"};
    pf::Label label_cifrão{this, "label_cifrão"};
    pf::Timer Timer1{this, "Timer1"};
    pf::Timer Timer2{this, "Timer2"};

    feira_horta();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Click() override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_MouseUp(int Button, int Shift, float X, float Y) override;

    void plc_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void lbl_total_Click();
    void Label2_Click();
    void Label3_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void grito();
};

}  // namespace shell
