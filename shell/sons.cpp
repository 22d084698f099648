#include "shell/sons.h"

#include "model/estado.h"
#include "platform/paths.h"

namespace shell {

namespace {

void toca(const std::string& caminho, SoundMode modo) {
    model::sessao().arq_som = caminho;
    platform::PlaySound(caminho, modo);
}

}  // namespace

void toca_voz(const std::string& nome, SoundMode modo) {
    const model::EstadoSessao& s = model::sessao();
    if (!s.som_ligado) return;
    toca(s.dir_som + nome, modo);
}

void toca_efeito(const std::string& nome, SoundMode modo) { toca(platform::ProgramFolder() + nome, modo); }

void toca_silencio(SoundMode modo) {
    // The platform plays this file as a cut of the sound playing.
    platform::SetCutSoundName("silencio.wav");
    model::sessao().arq_som = platform::ProgramFolder() + "\\silencio.wav";
    if (model::sessao().som_ligado) platform::PlaySound(model::sessao().arq_som, modo);
}

void toca_trilha(const std::string& caminho) {
    if (!model::sessao().trilha_fundo) return;
    toca(caminho, SoundMode::Async);
}

}  // namespace shell
