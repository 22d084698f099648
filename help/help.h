#pragma once
// The help window "help": a screen opens it with a help subject
// (assunto_help); the window compiles the subject's text into its topic
// files, shows the first topic as hypertext in a scrollable text box, follows
// the links the player clicks, shows the topic's illustration and plays its
// animation on a click, lets the earthworm crawl along the bottom edge, and
// "Retornar" goes back to the screen named by tela_atual.

#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace help {

namespace pf = platform::forms;

inline constexpr const char* nome_tela_help = "help";

// One help subject: the source text in the program folder and the name its
// topic files are opened under (the ".XXX" only marks the base name).
struct ArquivoAssunto {
    const char* assunto;
    const char* fonte;
    const char* aberto_como;
};
// The seven subjects, in lookup order.
const std::vector<ArquivoAssunto>& assuntos_help();
// The row of the subject (compared exactly), or nullptr.
const ArquivoAssunto* arquivo_do_assunto(const std::string& assunto);

// The frames (game paths under the media root, without it) of a topic
// animation, in order; empty for an id that is no topic animation.
std::vector<std::string> quadros_da_animacao(int id);

// The actions of the help window's animation timer: a topic's animation,
// by its id (3 to 12), or the earthworm.
enum class AcaoHelp {
    nhoca = 100,
};

class help : public pf::Form {
public:
    pf::PictureBox TextPictureBox{this, "TextPictureBox"};
    pf::VScrollBar TextVScroll{this, "TextVScroll"};
    pf::PictureBox imagespicturebox{this, "imagespicturebox"};
    pf::Label theLabel1{this, "theLabel1"};
    pf::Image pic_nhoca{this, "pic_nhoca"};
    pf::Timer timer_{this, "timer_"};

    // --- form fields (fresh at every load) -----------------------------------
    std::string arq_quadro;     // the topic frame shown on the current tick
    bool nhoca_esq = true;      // the earthworm moves left
    int fase_nhoca = 0;         // 0 to 6
    int passos_nhoca = 0;       // earthworm ticks left

    help();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void thelabel1_Click();
    void TextPictureBox_MouseDown(int Button, int Shift, float X, float Y);
    void TextPictureBox_MouseMove(int Button, int Shift, float X, float Y);
    void TextPictureBox_Paint();
    void TextVScroll_Change();
    void imagespicturebox_Click();
    void ImagesPictureBox_MouseDown(int Button, int Shift, float X, float Y);
    void pic_nhoca_Click();
    void Timer__Timer();

private:
    void anima_topico_tick();
    void anima_nhoca_tick();
};

// Registers the help window by its name.
void registra_formularios();

}  // namespace help
