#pragma once
// The exit path shared by the main menu and the market (and open to the other
// screens): "Deseja sair" under "Saindo ...", then the save question, the
// "Pendências" notice when work of the week is still pending, and the end of
// the program.

namespace shell {

// Plays "\s1.wav" and asks "Deseja sair". On "&Não" plays "\s3.wav"
// (synchronously) and returns false; on "&Sim" returns true.
bool pergunta_sair();

// What follows a "&Sim" to "Deseja sair": "\s2.wav"; a week forecast on
// display is put back to the real week, so a forecast is never saved; the
// save question and, on yes, the save; the "Pendências" notice when work of
// the week is still pending (tem_pendencias); the end of the program. When
// the save fails the player is told why and the program stays open (returns
// false), so the week's changes are not thrown away. Returns true when the
// program was ended.
bool encerra_programa();

// The end of the program asked for from outside (a logout, a shutdown, a
// signal): no one can be asked, so the game is saved as a "Sim" to the save
// question would (unless the player answered it already on the exit path),
// and the program ends. Nothing is saved before the stored game was read.
void encerra_de_fora();

}  // namespace shell
