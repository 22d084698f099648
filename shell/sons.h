#pragma once
// The sound rules the screens share. Every call records the path in
// sessao().arq_som before playing it.
//
//   toca_voz:      a voice file of the chosen voice set (dir_som & nome),
//                  only while the voice option som_ligado is on;
//   toca_efeito:   a sound of the program folder that plays whatever
//                  som_ligado holds ("\blip.wav");
//   toca_silencio: the program folder's "\silencio.wav", which cuts the
//                  sound playing, only while som_ligado is on;
//   toca_trilha:   a section track by full path, while trilha_fundo is on,
//                  whatever som_ligado holds.
//
// Names start with a backslash: toca_voz("\\vamhor.wav", Sync).

#include <string>

#include "platform/sound.h"

namespace shell {

using platform::SoundMode;

void toca_voz(const std::string& nome, SoundMode modo);
void toca_efeito(const std::string& nome, SoundMode modo);
void toca_silencio(SoundMode modo = SoundMode::Async);
void toca_trilha(const std::string& caminho);

}  // namespace shell
