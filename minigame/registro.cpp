#include "minigame/registro.h"

#include "minigame/gamedio.h"
#include "minigame/rank_form.h"
#include "platform/forms/forms.h"

namespace minigame {

void registra_formularios() {
    pf::Forms::Register<gamedio>(nome_tela_jogo);
    pf::Forms::Register<rank_form>(nome_tela_ranking);
    pf::Forms::Register<mem_ok>(nome_dialogo_nome);
}

}  // namespace minigame
