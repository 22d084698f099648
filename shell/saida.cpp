#include "shell/saida.h"

#include <string>

#include "model/checagens.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/forms/forms.h"
#include "platform/log.h"
#include "shell/dialogos.h"
#include "shell/semana.h"
#include "shell/sons.h"

namespace shell {

bool pergunta_sair() {
    toca_voz("\\s1.wav", SoundMode::Async);
    if (pergunta_sim_nao("Saindo ...", "Deseja sair")) return true;
    toca_voz("\\s3.wav", SoundMode::Sync);
    return false;
}

bool encerra_programa() {
    toca_voz("\\s2.wav", SoundMode::Async);
    if (model::previsao_ativa()) model::restaura_previsao();
    const bool grava = model::pergunta_grava();
    model::sessao().gravar_respondido = !platform::forms::Forms::Ended();
    if (grava) {
        std::string erro;
        if (!grava_jogo(&erro)) {
            model::sessao().gravar_respondido = false;
            mostra_ok("Gravar alterações", erro);
            return false;
        }
    }
    if (model::tem_pendencias()) mostra_figura("Pendências", model::sessao().dir_anima + "\\anima\\noaca.jpg");
    platform::forms::Forms::End();
    return true;
}

void encerra_de_fora() {
    if (platform::forms::Forms::Ended()) return;
    // Saved as "Sim" to "Deseja salvar ?" would, unless the player has
    // answered it; not before the stored game was read and its week applied,
    // when nothing has been played.
    if (!model::sessao().gravar_respondido && model::sessao().jogo_lido) {
        if (model::previsao_ativa()) model::restaura_previsao();
        std::string erro;
        if (!grava_jogo(&erro)) platform::LogOnce("shell.encerra_de_fora", "O jogo não foi salvo ao sair: " + erro);
    }
    platform::forms::Forms::End();
}

}  // namespace shell
