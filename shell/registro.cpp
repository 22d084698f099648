#include "shell/registro.h"

#include <string>
#include <vector>

#include "model/estado.h"
#include "platform/forms/forms.h"
#include "platform/paths.h"
#include "shell/conf.h"
#include "shell/dialogos.h"
#include "shell/feira.h"
#include "shell/fundo.h"
#include "shell/intronew.h"
#include "shell/navegacao.h"
#include "shell/semana.h"

namespace shell {

void registra_formularios() {
    namespace pf = platform::forms;
    registra_dialogos();
    pf::Forms::Register<fundo>("fundo");
    pf::Forms::Register<Conf_cd>("Conf_cd");
    pf::Forms::Register<INTRONEW>("INTRONEW");
    // The menu shows the pictures of the stored drive, which it applies as
    // it loads.
    pf::SetScreenPictures("INTRONEW", [] {
        const model::EstadoSessao& s = model::sessao();
        const std::string u = unidade_de(s.indice_cd);
        return figuras_do_menu(u.empty() ? s.dir_anima : u);
    });
    pf::Forms::Register<feira_horta>("feira_horta");
    // What the market loads as it opens, decoded ahead while the menu's
    // button plays its animation.
    pf::SetScreenPictures("feira_horta", [] {
        const std::string pasta = platform::ProgramFolder();
        std::vector<std::string> v{pasta + "\\FEIRA98f.jpg", pasta + "\\forms\\feira_horta_MouseIcon.png"};
        for (int i = 0; i < 21; ++i) v.push_back(pasta + "\\forms\\feira_horta_plc_" + std::to_string(i) + ".bmp");
        return v;
    });
    pf::Forms::Register<conf>("conf");
    instala_dialogos();
    avisa_disco_retirado();
}

}  // namespace shell
