#pragma once
// What the screens share: in the work screens' (garden, seedbed, agenda)
// picture buttons, leaving for another screen or for the help window at the
// end of an animation, stepping a button's frame cycle, and the week
// pictures' ticks (the return to the real week and the turning planet of the
// forecast); the care buttons of the garden and the seedbed; and the check
// of a chosen media drive by the drive dialog and the options screen.

#include <array>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "model/estado.h"
#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

// A care button of a work screen: its index in the screen's button array,
// activity code, animation action, frames of the animation, first frame
// position, voice files (some bed or lot marked / none), rest and greyed
// pictures.
struct BotaoCuidado {
    int indice;
    const char* trato;
    int acao;
    int quadros;
    int fase_inicial;
    const char* som_com_marca;
    const char* som_sem_marca;
    const char* figura;
    const char* figura_pb;
};

// The care button of an activity code in a screen's table, or nullptr.
template <std::size_t N>
const BotaoCuidado* cuidado_do_trato(const std::array<BotaoCuidado, N>& tabela, const std::string& trato) {
    for (const auto& c : tabela)
        if (trato == c.trato) return &c;
    return nullptr;
}

// The care of `tabela` whose button in `botoes` shows the colour `cor` (a
// marker wears its care's colour), the first in the table's order; nullptr
// when no care button has it.
template <std::size_t N>
const BotaoCuidado* cuidado_da_cor(pf::ControlArray<pf::CommandButton>& botoes,
                                   const std::array<BotaoCuidado, N>& tabela, pf::Color cor) {
    for (const auto& c : tabela)
        if (botoes.Exists(c.indice) && botoes(c.indice).BackColor() == cor) return &c;
    return nullptr;
}

// A care finished: its button (named by the colour `cor` of the last marker
// ticked) takes its greyed picture again, to show once the caller disables
// it. Returns the button's index, or nothing when no care button has the
// colour.
template <std::size_t N>
std::optional<int> descobre_cuidado(pf::ControlArray<pf::CommandButton>& botoes,
                                    const std::array<BotaoCuidado, N>& tabela, pf::Color cor) {
    const BotaoCuidado* c = cuidado_da_cor(botoes, tabela, cor);
    if (!c) return std::nullopt;
    botoes(c->indice).SetDisabledPicture(pf::LoadPicture(model::sessao().dir_anima + c->figura_pb));
    return c->indice;
}

// A marker unticked: its care (named by the marker's colour `cor`) is no
// longer finished, so its button comes back enabled. The player can finish
// the care again on this visit, and no "Parabéns" is given while it waits.
template <std::size_t N>
void reabre_cuidado(pf::ControlArray<pf::CommandButton>& botoes, const std::array<BotaoCuidado, N>& tabela,
                    pf::Color cor) {
    if (const BotaoCuidado* c = cuidado_da_cor(botoes, tabela, cor)) botoes(c->indice).SetEnabled(true);
}

// True when the media drive `indice` (0 "C:" to 5 "H:") holds the game's
// pictures: every picture the main menu shows from the drive's "\anima\".
// Looks afresh every time, so a disc put in (or mounted) after the start
// counts.
bool unidade_tem_midia(int indice);

// Tells the player, in a notice titled `titulo`, that the drive `indice`
// does not hold the game's pictures, and names the drives that do.
void avisa_unidade_sem_midia(const std::string& titulo, int indice);

// A change of screen begins: a picture button's animation towards the
// screen `destino` has started. The target's pictures are decoded and scaled
// meanwhile, off the GUI thread, and the screen takes them when it loads.
void prepara_destino(const char* destino);

// Leaves `tela` for the screen `destino`: stops `relogio`, plays the voice
// `cue` (none when null), unloads `tela` and shows the target; true when it
// left. Never unloads under an open dialog (the handler that opened it is
// still running): false and nothing done, so the timer's next tick tries
// again. When the target screen does not exist, says so once in the log (key
// `chave_log` followed by the target), gives the picture buttons `figuras`
// the pointer `ponteiro` back and returns false.
bool navega(pf::Form& tela, pf::Timer& relogio, const char* destino, const char* cue,
            const std::string& chave_log, std::initializer_list<pf::Control*> figuras, int ponteiro);

// Leaves `tela` for the help window on `assunto`: hourglass on the clicked
// `rotulo`, the help voice, unload, then the help window. Without a help
// window it stays and says so once in the log under `chave_log`.
void abre_help(pf::Form& tela, pf::Control& rotulo, const std::string& assunto, const std::string& chave_log);

// One step of a repeating frame cycle at `posicao`: at positions
// 1..`comprimento` names that frame (media root + quadro(posicao)) in
// `arquivo`, and the last position wraps to 0 so that the caller's increment
// starts the cycle again. Any other position leaves `arquivo` as it was.
void passo_ciclo(int& posicao, int comprimento, std::string& arquivo, const std::function<std::string(int)>& quadro);

// Shows a frame on a picture command button: as its picture while the button
// is enabled, as its greyed picture otherwise.
void mostra_quadro(pf::CommandButton& botao, const std::string& arquivo);

// One tick of the return to the real week on `figura`: the weekday picture
// dia(quadro left), or the end of the animation when no tick is left.
void passo_tempo_real(pf::Timer& relogio, pf::PictureBox& figura, int (*dia)(int));

// One tick of the forecast's turning planet on `figura`: the frame
// quadro(numero(quadro left)), or at the end the resting planet.
void passo_previsao(pf::Timer& relogio, pf::PictureBox& figura, int (*numero)(int), std::string (*quadro)(int));

}  // namespace shell
