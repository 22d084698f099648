#pragma once
// Registers the memory game's forms by name: "gamedio" (the game window),
// "rank_form" (the ranking window) and
// "mem_ok" (the name dialog).

namespace minigame {

void registra_formularios();

}  // namespace minigame
