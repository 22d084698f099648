#pragma once
// The engine the work screens (garden, seedbed, agenda) are built on, each
// rule once, with the screen's own part passed in: the frame names of the
// pictures they share, leaving for another screen or for the help window,
// stepping a button's frame cycle, the week buttons (the forecast one week
// on and the return to the real week, with their pictures' ticks), the care
// buttons of the garden and the seedbed and the completion blink of their
// markers. Also the check of a chosen media drive by the drive dialog and the
// options screen. The picture buttons' table and its stepper are in
// shell/figuras.h.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "model/estado.h"
#include "platform/clock.h"
#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

// The action a screen's animation timer plays: one value of that screen's
// own action enum (AcaoSemana for the week buttons, AcaoHorta,
// AcaoSementeira, agenda::Acao, AcaoMenu...), or none. It remembers which
// enum the value came from, so that an action of one screen never equals an
// action of another, whatever their numbers.
class AcaoAtual {
public:
    constexpr AcaoAtual() = default;
    template <class E>
        requires std::is_enum_v<E>
    constexpr AcaoAtual(E e) : tipo_(&marca<E>), valor_(static_cast<int>(e)) {}

    constexpr bool vazia() const { return tipo_ == nullptr; }
    template <class E>
        requires std::is_enum_v<E>
    constexpr bool operator==(E e) const {
        return tipo_ == &marca<E> && valor_ == static_cast<int>(e);
    }
    constexpr bool operator==(const AcaoAtual&) const = default;
    // The action as a value of `E`, or nothing when it is not one.
    template <class E>
        requires std::is_enum_v<E>
    constexpr std::optional<E> como() const {
        if (tipo_ != &marca<E>) return std::nullopt;
        return static_cast<E>(valor_);
    }

private:
    // One object per enum: its address tells the enums apart.
    template <class E>
    static constexpr char marca = 0;
    const char* tipo_ = nullptr;
    int valor_ = 0;
};

// What the screens share about moving between them and about their
// animations; one instance, put back to these values by
// model::reinicia_estado().
struct EstadoTelas {
    // The action the current screen's animation timer plays (none when
    // empty), and the frames left.
    AcaoAtual acao;
    int quadro = 0;
    // The screen help returns to, and the help subject.
    std::string tela_atual;
    std::string assunto_help;
    // The mouse pointer kept by the forecast and real-time buttons while
    // they work.
    int ponteiro_salvo = 0;
};

EstadoTelas& estado_telas();

// The actions of the week buttons, the same on every work screen; each
// screen names its other actions itself.
enum class AcaoSemana {
    tempo_real,  // back to the real week
    previsao,    // the forecast
};

// A frame file relative to the media root: "\anima\" + prefixo + the number
// in two digits at least + sufixo + ".bmp" ("\anima\li06.bmp").
std::string quadro_anima(const std::string& prefixo, int numero, const char* sufixo = "");

// The forecast frame number 1..10 shown while `quadro` ticks are left, and
// its file ("\anima\planet09.bmp").
int numero_previsao(int quadro);
std::string quadro_previsao(int n);
// The gardener's frame for quadro 14..1 (hort01..hort07..hort01, hort00);
// empty for any other count.
std::string quadro_hortelino(int quadro);
// The agenda's frame for quadro 11..1 (age00..age10).
std::string quadro_agenda(int quadro);
// The seedlings' frame for quadro 8..1 (mudas000..mudas007); empty for any
// other count.
std::string quadro_mudas(int quadro);

// The care pictures' frame cycles, the same on every screen: the frame at
// position 1..length of the cycle, empty for any other position.
std::string quadro_limpeza(int posicao);  // li00..li09, li11, li12
inline constexpr int ciclo_limpeza = 12;
std::string quadro_desbaste(int posicao);  // des00..des12
inline constexpr int ciclo_desbaste = 13;
std::string quadro_amontoa(int posicao);  // amo00..amo11
inline constexpr int ciclo_amontoa = 12;
std::string quadro_colheita_parcial(int posicao);  // cop00..cop13
inline constexpr int ciclo_colheita_parcial = 14;
std::string quadro_colheita_total(int posicao);  // cof00..cof13
inline constexpr int ciclo_colheita_total = 14;
std::string quadro_transplante(int posicao);  // tra00..tra12
inline constexpr int ciclo_transplante = 13;

// The help icon's frame at position 1..6 of its cycle (int05..int00).
std::string quadro_interroga(int posicao);
inline constexpr int ciclo_interroga = 6;

// The hoe's frame at position 1..11 of its cycle (enx00c..enx10c); empty
// for any other position.
std::string quadro_enxada(int posicao);
inline constexpr int ciclo_enxada = 11;

// Week number of a date as the week boxes show it ("1" to "54").
std::string texto_semana(platform::DateTime data);

// A care button of a work screen: its index in the screen's button array,
// activity code, the action of its picture button (which plays its frames),
// voice files (some bed or lot marked / none), rest and greyed pictures.
struct BotaoCuidado {
    int indice;
    const char* trato;
    AcaoAtual acao;
    const char* som_com_marca;
    const char* som_sem_marca;
    const char* figura;
    const char* figura_pb;
};

// The care of a picture button's action in a screen's table, or nullptr.
template <std::size_t N>
const BotaoCuidado* cuidado_da_acao(const std::array<BotaoCuidado, N>& tabela, AcaoAtual acao) {
    for (const auto& c : tabela)
        if (c.acao == acao) return &c;
    return nullptr;
}

// The care button of an activity code in a screen's table, or nullptr.
template <std::size_t N>
const BotaoCuidado* cuidado_do_trato(const std::array<BotaoCuidado, N>& tabela, const std::string& trato) {
    for (const auto& c : tabela)
        if (trato == c.trato) return &c;
    return nullptr;
}

// A care finished: its button (named by its activity code `trato`) takes its
// greyed picture again, to show once the caller disables it. Returns the
// button's index, or nothing when the table has no such care.
template <std::size_t N>
std::optional<int> descobre_cuidado(pf::ControlArray<pf::CommandButton>& botoes,
                                    const std::array<BotaoCuidado, N>& tabela, const std::string& trato) {
    const BotaoCuidado* c = cuidado_do_trato(tabela, trato);
    if (!c || !botoes.Exists(c->indice)) return std::nullopt;
    botoes(c->indice).SetDisabledPicture(pf::LoadPicture(model::sessao().dir_anima + c->figura_pb));
    return c->indice;
}

// A marker unticked: its care `trato` is no longer finished, so its button
// comes back enabled. The player can finish the care again on this visit,
// and no "Parabéns" is given while it waits.
template <std::size_t N>
void reabre_cuidado(pf::ControlArray<pf::CommandButton>& botoes, const std::array<BotaoCuidado, N>& tabela,
                    const std::string& trato) {
    const BotaoCuidado* c = cuidado_do_trato(tabela, trato);
    if (c && botoes.Exists(c->indice)) botoes(c->indice).SetEnabled(true);
}

// True when the media drive `indice` (0 "C:" to 5 "H:") holds the game's
// pictures: every picture the main menu shows from the drive's "\anima\".
// Looks afresh every time, so a disc put in (or mounted) after the start
// counts.
bool unidade_tem_midia(int indice);

// The drive to offer after the drive `indice` was refused: `preferida` when
// it holds the game's pictures, otherwise the first drive that does, or
// `preferida` when none does.
int unidade_proposta(int preferida);

// Tells the player, in a notice titled `titulo`, that the drive `indice`
// does not hold the game's pictures, and names the drives that do.
void avisa_unidade_sem_midia(const std::string& titulo, int indice);

// From now on, the first picture of the media drive that cannot be read
// while the drive's "\anima\" folder is gone (the disc taken out during
// play) tells the player, once per drive, that the disc seems to have been
// removed and how to choose another drive.
void avisa_disco_retirado();

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
            const std::string& chave_log, const std::vector<pf::Control*>& figuras, int ponteiro);

// Leaves `tela` for the help window on `assunto`: hourglass on the clicked
// `rotulo`, the help voice, unload, then the help window. Without a help
// window it stays and says so once in the log under `chave_log`.
void abre_help(pf::Form& tela, pf::Control& rotulo, const std::string& assunto, const std::string& chave_log);

// Opens the help window on `assunto` over a screen that stays loaded behind
// it (the menu, the options): the running cut sound, `relogio` stopped, the
// help shown; help returns to the screen named by the subject. True: the
// animation's end is handled.
bool abre_help_por_cima(pf::Timer& relogio, const std::string& assunto);

// One step of a repeating frame cycle at `posicao`: at positions
// 1..`comprimento` names that frame (media root + quadro(posicao)) in
// `arquivo`, and the last position wraps to 0 so that the caller's increment
// starts the cycle again. Any other position leaves `arquivo` as it was.
void passo_ciclo(int& posicao, int comprimento, std::string& arquivo, const std::function<std::string(int)>& quadro);

// Shows a frame on a picture command button: as its picture while the button
// is enabled, as its greyed picture otherwise.
void mostra_quadro(pf::CommandButton& botao, const std::string& arquivo);

// One tick of the return to the real week on `figura`: the weekday picture
// of 7 - quadro left days back (6 left: yesterday, 0: today), or the end of
// the animation when no tick is left.
void passo_tempo_real(pf::Timer& relogio, pf::PictureBox& figura);

// One tick of the forecast's turning planet on `figura`: the frame of
// numero_previsao(quadro left), or at the end the resting planet.
void passo_previsao(pf::Timer& relogio, pf::PictureBox& figura);

// The forecast button `botao` clicked: an hourglass on it meanwhile, the
// planet's animation started by `anima`, the forecast voice, one week on
// (model::avanca_previsao), the screen redrawn by `redesenha` (given the
// cells the week freed) and the new week in the week box `semana`.
void clica_previsao(pf::PictureBox& botao, pf::TextBox& semana, const std::function<void()>& anima,
                    const std::function<void(const std::vector<int>&)>& redesenha);

// The real-time button `botao` clicked: an hourglass on it meanwhile, the
// weekdays' animation started by `anima`, the time voice and, when a
// forecast is shown, the real week back in the model and in `semana`, the
// screen redrawn by `redesenha`.
void clica_tempo_real(pf::PictureBox& botao, pf::TextBox& semana, const std::function<void()>& anima,
                      const std::function<void()>& redesenha);

// The text a marker shows: a bed's legend box or a lot's marker.
inline const std::string& texto_marcador(const pf::TextBox& c) { return c.Text(); }
inline const std::string& texto_marcador(const pf::Label& c) { return c.Caption(); }
inline void poe_texto_marcador(pf::TextBox& c, std::string t) { c.SetText(std::move(t)); }
inline void poe_texto_marcador(pf::Label& c, std::string t) { c.SetCaption(std::move(t)); }

// The completion blink of a work screen's care markers. A marker shows ""
// (pending) or "ok" (done); once the care is finished (every bed or lot due
// for it ticked, as the model tells), the ticked markers blink on `relogio`
// (hidden as ".", then "ok" again) for `duracao` ticks and end hidden. The
// screen gives its markers and what changes around them through the hooks.
template <class Marcador>
class PiscaConclusao {
public:
    struct Ganchos {
        // Calls its argument on every marker the screen has now.
        std::function<void(const std::function<void(Marcador&)>&)> marcadores;
        // A marker of the care unticked: the care is open again.
        std::function<void()> reabre;
        // The care finished.
        std::function<void()> conclui;
        // The blink over: what the screen says then.
        std::function<void()> termina;
    };

    PiscaConclusao(pf::Timer& relogio, pf::Timer& animacao, int duracao)
        : relogio_(relogio), animacao_(animacao), duracao_(duracao) {}

    Ganchos ganchos;
    // Ticks left of the running blink.
    int conta = 0;

    // The player ticked or unticked `marcador` (`marcado` its new state;
    // `concluido`: the care is now finished).
    void clicado(Marcador& marcador, bool marcado, bool concluido) {
        if (!marcado) {
            // An unticked marker is pending again: it empties, a running
            // blink no longer holds, and its care is open again.
            poe_texto_marcador(marcador, "");
            if (relogio_.Interval() != 0) interrompe();
            ganchos.reabre();
            return;
        }
        poe_texto_marcador(marcador, "ok");
        if (!concluido) return;
        animacao_.SetInterval(0);
        conta = duracao_;
        relogio_.SetInterval(100);
        ganchos.conclui();
    }

    // Ends the blink at once, the ticked markers shown again.
    void interrompe() {
        relogio_.SetInterval(0);
        ganchos.marcadores([](Marcador& m) {
            if (texto_marcador(m) != ".") return;
            poe_texto_marcador(m, "ok");
            m.SetVisible(true);
        });
    }

    // One tick of the blink timer.
    void passo() {
        conta -= 1;
        if (relogio_.Interval() == 0 || conta <= 0) {
            relogio_.SetInterval(0);
            ganchos.marcadores([](Marcador& m) {
                if (texto_marcador(m) != ".") return;
                poe_texto_marcador(m, "ok");
                m.SetVisible(false);
            });
            ganchos.termina();
            return;
        }
        const bool par = conta % 2 == 0;
        ganchos.marcadores([par](Marcador& m) {
            if (par) {
                if (texto_marcador(m) != ".") return;
                poe_texto_marcador(m, "ok");
                m.SetVisible(true);
            } else if (m.Visible()) {
                m.SetVisible(false);
                poe_texto_marcador(m, ".");
            }
        });
    }

private:
    pf::Timer& relogio_;
    pf::Timer& animacao_;
    int duracao_;
};

}  // namespace shell
