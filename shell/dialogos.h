#pragma once
// The three shared dialogs every screen speaks through, and the calls that
// fill and show them:
//
//   - `ok`: a message with one "&OK" button;
//   - `form_ok_nao`: a yes/no question ("&Sim" / "&Não"); the answer is left
//     in sessao().resp_ok_nao (true for "&Sim"). Each question has a default
//     answer, "&Não" unless the caller says otherwise: Enter gives it (the
//     focus starts on its button), and so does closing the question without
//     a button (its close box, Escape);
//   - `ok_help`: a picture notice with a caption, closed through its frame
//     (or the Escape key).
//
// Callers normally use the functions below; they set msg_ok_nao, copy it
// into the dialog's label, set the caption and show the dialog modally.
//
//     shell::mostra_ok("Ops ...", "Sua horta pode ter no máximo  100 m2.");
//     if (shell::pergunta_sim_nao("Rotação", "Plantar assim mesmo ?")) ...
//     shell::mostra_figura("Parabéns", s.dir_anima + "\\anima\\parah.jpg");
//
// The forms are registered by name ("ok", "form_ok_nao", "ok_help") with
// registra_dialogos(); instala_dialogos() also hands the yes/no dialog to the
// model for its save question (pergunta_grava).

#include <string>

#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

// Message box with one button. Unloaded by its button, by Enter or by
// Escape, so every use starts afresh (its load sets the message font to 16
// points).
class ok : public pf::Form {
public:
    pf::CommandButton opções{this, "opções"};
    pf::Image Image1{this, "Image1"};
    pf::Label mensagem{this, "mensagem"};

    ok();
    void Form_Load() override;
    void Form_KeyPress(int& KeyAscii) override;
    void opções_Click();
};

// The answer a question takes from Enter and from being closed without a
// button.
enum class Padrao { nao, sim };

// Yes/no question. Only hidden after an answer, so its caption and message
// stay until the next caller replaces them. The focus starts on the default
// answer's button, so Enter gives it; Escape and the close box give it too
// (the close box hides the dialog as an answer does).
class form_ok_nao : public pf::Form {
public:
    pf::ControlArray<pf::CommandButton> opções{this, "opções"};
    pf::Image Image1{this, "Image1"};
    pf::Label mensagem{this, "mensagem"};

    form_ok_nao();
    // Readies the dialog for a new question with this default answer: the
    // answer is the default until a button gives another, and the focus goes
    // to the default's button.
    void nova_pergunta(Padrao padrao);
    void Form_Activate() override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_Unload(int& Cancel) override;
    void opções_Click(int Index);

private:
    // Index of the default answer's button: 0 "&Sim", 1 "&Não".
    int padrao_ = 1;
};

// Picture notice: the caller's picture is the background, drawn unscaled
// from the top left; the caller's caption is the title. `mensagem` writes a
// line of the caller's over the picture, where the notice pictures start
// their text (empty unless given).
class ok_help : public pf::Form {
public:
    pf::Label mensagem{this, "mensagem"};

    ok_help();
    void Form_KeyPress(int& KeyAscii) override;
};

// Shows `ok` modally with this caption and message (msg_ok_nao = mensagem);
// the dialog grows taller when the message needs it.
void mostra_ok(const std::string& titulo, const std::string& mensagem);

// Shows `form_ok_nao` modally; returns the answer, also left in resp_ok_nao.
// A question closed without a button answers `padrao`: "&Não" backs out of
// what the player was about to do.
bool pergunta_sim_nao(const std::string& titulo, const std::string& mensagem, Padrao padrao = Padrao::nao);

// Shows `ok_help` modally with this caption and the picture at a full game
// path (dir_anima & "\anima\noaca.jpg"), and the line `texto` over it when
// given. A missing picture leaves the notice blank under its caption (the
// picture layer logs it once).
void mostra_figura(const std::string& titulo, const std::string& caminho_figura, const std::string& texto = {});

// Registers "ok", "form_ok_nao" and "ok_help" with the forms registry.
void registra_dialogos();

// Hands `form_ok_nao` to the model as its yes/no dialog (the save question).
void instala_dialogos();

}  // namespace shell
