#include "shell/registro.h"

#include "platform/forms/forms.h"
#include "shell/conf.h"
#include "shell/dialogos.h"
#include "shell/feira.h"
#include "shell/fundo.h"
#include "shell/intronew.h"

namespace shell {

void registra_formularios() {
    namespace pf = platform::forms;
    registra_dialogos();
    pf::Forms::Register<fundo>("fundo");
    pf::Forms::Register<Conf_cd>("Conf_cd");
    pf::Forms::Register<INTRONEW>("INTRONEW");
    pf::Forms::Register<feira_horta>("feira_horta");
    pf::Forms::Register<conf>("conf");
    instala_dialogos();
}

}  // namespace shell
