#pragma once
// Start-up: the plain background form `fundo`, which stays behind every
// other window for the whole run, and the drive dialog `Conf_cd`, in which
// the player picks the drive ("C:" to "H:") that holds the pictures and the
// voices.

#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

class fundo : public pf::Form {
public:
    fundo();
    void Form_Load() override;
    void Form_Activate() override;

    bool primeira_ativacao = false;
};

class Conf_cd : public pf::Form {
public:
    pf::Label Label5{this, "Label5"};
    pf::ComboBox Combo1{this, "Combo1"};
    pf::CommandButton Command1{this, "Command1"};
    pf::CommandButton Command2{this, "Command2"};

    Conf_cd();
    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();

    // The drive index as stored when the dialog was loaded (-32768 when it
    // could not be read): an unchanged choice needs no write.
    int cd_guardado = -32768;
};

}  // namespace shell
