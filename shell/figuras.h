#pragma once
// The picture buttons of a screen and the stepper that plays their frames.
// Each screen (the menu and the work screens) declares one table of its
// picture buttons: the control, its frames, how many a click plays, and the
// screen it leads to with the voice said on the way. A click starts its
// entry; the screen's animation timer asks the stepper for one step of the
// running entry (the one of estado_telas().acao), and the last step leaves
// for the entry's screen through navega.

#include <cstddef>
#include <string>
#include <vector>

#include "model/estado.h"
#include "platform/forms/forms.h"
#include "shell/navegacao.h"

namespace shell {

// What a picture button does while its screen's entry presentation plays.
enum class NaApresentacao {
    segue,  // plays only as the running animation, the presentation or not
    anima,  // plays with the screen's other such buttons, running or not
};

// The control of a screen `Tela` a picture button shows its frames on: a
// picture box, an image, or an element of a picture command button array
// (as its picture, or its greyed picture while disabled).
template <class Tela>
struct Moldura {
    pf::PictureBox Tela::*caixa = nullptr;
    pf::Image Tela::*imagem = nullptr;
    pf::ControlArray<pf::CommandButton> Tela::*botoes = nullptr;
    int indice = 0;

    constexpr Moldura(pf::PictureBox Tela::*c) : caixa(c) {}
    constexpr Moldura(pf::Image Tela::*i) : imagem(i) {}
    constexpr Moldura(pf::ControlArray<pf::CommandButton> Tela::*b, int k) : botoes(b), indice(k) {}

    void mostra(Tela& tela, const std::string& arquivo) const {
        if (caixa)
            (tela.*caixa).LoadPicture(arquivo);
        else if (imagem)
            (tela.*imagem).LoadPicture(arquivo);
        else if ((tela.*botoes).Exists(indice))
            mostra_quadro((tela.*botoes)(indice), arquivo);
    }
};

// A picture button of a screen `Tela`.
template <class Tela>
struct BotaoFigura {
    // The action its click starts: the running animation while it plays.
    AcaoAtual acao;
    Moldura<Tela> figura;
    // Its frames, under the media root ("\anima\hort03.bmp"): named by the
    // ticks left (ciclo 0) or by the position 1..ciclo in a cycle that
    // repeats.
    std::string (*quadro)(int);
    int ciclo;
    // Frames a click plays, and the cycle position it starts from.
    int quadros;
    int fase_inicial = 1;
    // The screen it leads to, whose pictures are made ready while the frames
    // play (none: it stops after them), and the voice said on leaving (none
    // when null).
    const char* destino = nullptr;
    const char* cue = nullptr;
    // The resting picture put back before leaving, once no dialog is open.
    const char* repouso = nullptr;
    NaApresentacao apresentacao = NaApresentacao::segue;
    // What the screen does at the last tick, before leaving for `destino`;
    // true when that ends the animation instead.
    bool (Tela::*fim)() = nullptr;
};

// How a screen leaves for another: the log key of a missing target and the
// picture buttons whose pointer comes back then (see navega).
struct Saida {
    std::string chave_log;
    std::vector<pf::Control*> figuras;
    int ponteiro;
};

// The week buttons of a work screen, stepped as the same on every screen:
// the forecast's planet, the real week's weekdays.
struct BotoesSemana {
    pf::PictureBox* previsao = nullptr;
    pf::PictureBox* tempo_real = nullptr;
};

// The stepper of a screen's table of picture buttons, played by its
// animation timer `relogio`.
template <class Tela>
class FigurasAnimadas {
public:
    template <std::size_t N>
    FigurasAnimadas(Tela& tela, pf::Timer& relogio, const BotaoFigura<Tela> (&tabela)[N], Saida saida,
                    BotoesSemana semana = {})
        : tela_(tela), relogio_(relogio), tabela_(tabela), n_(N), saida_(std::move(saida)), semana_(semana),
          fase_(N, 1) {}

    // Every cycle back to its first position.
    void reinicia() { fase_.assign(n_, 1); }

    // The entry of the action `acao`, or nullptr.
    const BotaoFigura<Tela>* do_acao(AcaoAtual acao) const {
        for (std::size_t k = 0; k < n_; ++k)
            if (tabela_[k].acao == acao) return &tabela_[k];
        return nullptr;
    }
    // The entry shown on the element `indice` of the button array `botoes`,
    // or nullptr.
    const BotaoFigura<Tela>* do_botao(pf::ControlArray<pf::CommandButton> Tela::*botoes, int indice) const {
        for (std::size_t k = 0; k < n_; ++k)
            if (tabela_[k].figura.botoes == botoes && tabela_[k].figura.indice == indice) return &tabela_[k];
        return nullptr;
    }

    // A click on the entry `b`: its frames become the running animation, from
    // its first cycle position, on the 100 ms timer; the target's pictures
    // are made ready meanwhile.
    void inicia(const BotaoFigura<Tela>& b) {
        fase_[&b - tabela_] = b.fase_inicial;
        auto& t = estado_telas();
        t.acao = b.acao;
        t.quadro = b.quadros;
        relogio_.SetInterval(100);
        if (b.destino) prepara_destino(b.destino);
    }
    void inicia(AcaoAtual acao) {
        if (const BotaoFigura<Tela>* b = do_acao(acao)) inicia(*b);
    }
    // A week button clicked: `quadros` frames of it on the 100 ms timer.
    void inicia(AcaoSemana acao, int quadros) {
        auto& t = estado_telas();
        t.acao = acao;
        t.quadro = quadros;
        relogio_.SetInterval(100);
    }

    // The screen's entry presentation starts on the timer: `quadro` 10000,
    // the 100 ms ticks, and `fim` at 12000 ms to end it. Not while a click's
    // animation still plays or waits to leave for its screen (the timer runs
    // with an action): the activation that follows a dialog that opened
    // meanwhile leaves that animation its own count, so a navigation still
    // ends on its screen and a week or print picture on its resting frame.
    // An action that has ended is forgotten, so only the presentation's
    // pictures play. True when the presentation started.
    bool apresenta(pf::Timer& fim) {
        auto& t = estado_telas();
        if (relogio_.Interval() != 0 && !t.acao.vazia()) return false;
        t.acao = AcaoAtual{};
        t.quadro = 10000;
        fim.SetInterval(12000);
        relogio_.SetInterval(100);
        return true;
    }

    // One tick of the timer: the running week button, then in the table's
    // order the running entry and, during the entry presentation, every
    // entry that plays in it. Each frame counts one tick less.
    void passo(bool apresentacao) {
        if (relogio_.Interval() == 0) return;
        auto& t = estado_telas();
        if (t.acao == AcaoSemana::tempo_real && semana_.tempo_real)
            passo_tempo_real(relogio_, *semana_.tempo_real);
        else if (t.acao == AcaoSemana::previsao && semana_.previsao)
            passo_previsao(relogio_, *semana_.previsao);
        for (std::size_t k = 0; k < n_; ++k) {
            const BotaoFigura<Tela>& b = tabela_[k];
            const bool corre = t.acao == b.acao;
            const bool joga = corre || (apresentacao && b.apresentacao == NaApresentacao::anima);
            if (joga && passo(b, fase_[k], corre)) return;
        }
    }

    // Leaves the screen for `destino` (see navega).
    bool navega(const char* destino, const char* cue) {
        return shell::navega(tela_, relogio_, destino, cue, saida_.chave_log, saida_.figuras, saida_.ponteiro);
    }

private:
    // One frame of `b`, or its end when no tick is left. True when the
    // screen was left.
    bool passo(const BotaoFigura<Tela>& b, int& fase, bool corre) {
        auto& t = estado_telas();
        if (t.quadro == 0) return termina(b, corre);
        if (b.ciclo == 0) {
            b.figura.mostra(tela_, model::sessao().dir_anima + b.quadro(t.quadro));
        } else {
            passo_ciclo(fase, b.ciclo, arquivo_, b.quadro);
            b.figura.mostra(tela_, arquivo_);
            fase += 1;
        }
        t.quadro -= 1;
        return false;
    }

    // The last tick of `b`: a button playing only for the presentation, or
    // leading nowhere, stops the timer; the running one does what its end
    // does and leads to its screen, its resting picture back first. While a
    // dialog is open none of that happens (the handler that opened it is
    // still running): the last frame stays, and a later tick tries again.
    bool termina(const BotaoFigura<Tela>& b, bool corre) {
        if (!corre || (!b.destino && !b.fim)) {
            relogio_.SetInterval(0);
            return false;
        }
        if (pf::Forms::ModalForm() != nullptr) return false;
        if (b.fim && (tela_.*b.fim)()) return false;
        if (!b.destino) {
            relogio_.SetInterval(0);
            return false;
        }
        if (b.repouso) b.figura.mostra(tela_, model::sessao().dir_anima + b.repouso);
        return navega(b.destino, b.cue);
    }

    Tela& tela_;
    pf::Timer& relogio_;
    const BotaoFigura<Tela>* tabela_;
    std::size_t n_;
    Saida saida_;
    BotoesSemana semana_;
    std::vector<int> fase_;
    // The frame loaded by the last cycle step.
    std::string arquivo_;
};

}  // namespace shell
