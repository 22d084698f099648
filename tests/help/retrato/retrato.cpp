// A picture of the help window as the player sees it, rendered off screen
// from the assembled program folder:
//   help_retrato <saida.png> [assunto] [tópico ou mídia de um link] [tópico seguinte]
// The window opens on the subject's first topic; each further argument is
// followed as a link is (the illustration of a topic shows at the left).

#include <QApplication>
#include <QImage>

#include <cstdio>
#include <string>

#include "help/help.h"
#include "help/ligacoes.h"
#include "model/modelo.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/forms.h"
#include "platform/forms/screen.h"
#include "shell/navegacao.h"

namespace pf = platform::forms;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: help_retrato saida.png [assunto] [link...]\n");
        return 2;
    }
    platform::SetProgramFolder(BROTALIA_PROGRAM_DIR);
    platform::SetSoundBackend(std::make_unique<platform::SilentSoundBackend>());
    auto& s = model::sessao();
    s.dir_anima = "C:";
    shell::estado_telas().assunto_help = argc > 2 ? argv[2] : "Culturas2";
    shell::estado_telas().tela_atual = "horta";
    help::registra_formularios();
    auto& h = pf::Forms::Get<help::help>(help::nome_tela_help);
    h.Show();
    for (int k = 3; k < argc; ++k)
        help::HyperlinkJump(argv[k], h.TextPictureBox, h.imagespicturebox, h.TextVScroll, h.timer_);
    const QImage img = pf::Screen::GrabForm(h);
    if (!img.save(QString::fromStdString(argv[1]))) return 1;
    std::printf("gravado %s\n", argv[1]);
    return 0;
}
