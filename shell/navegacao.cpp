#include "shell/navegacao.h"

#include <algorithm>

#include "model/modelo.h"
#include "platform/forms/screen.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "shell/dialogos.h"
#include "shell/intronew.h"
#include "shell/semana.h"
#include "shell/sons.h"

namespace shell {

using platform::SoundMode;

namespace {

constexpr const char* tela_help = "help";

}  // namespace

EstadoTelas& estado_telas() {
    static EstadoTelas* const estado = [] {
        static EstadoTelas e;
        model::ao_reiniciar_estado([] { e = EstadoTelas{}; });
        return &e;
    }();
    return *estado;
}

std::string quadro_anima(const std::string& prefixo, int numero, const char* sufixo) {
    return "\\anima\\" + prefixo + (numero >= 0 && numero < 10 ? "0" : "") + std::to_string(numero) + sufixo +
           ".bmp";
}

int numero_previsao(int quadro) { return 10 - ((quadro - 1) % 10 + 10) % 10; }

std::string quadro_previsao(int n) { return quadro_anima("planet", n); }

std::string quadro_hortelino(int quadro) {
    // 14 -> hort01 ... 8 -> hort07, then back: 7 -> hort06 ... 1 -> hort00.
    if (quadro < 1 || quadro > 14) return "";
    return quadro_anima("hort", quadro >= 8 ? 15 - quadro : quadro - 1);
}

std::string quadro_agenda(int quadro) { return quadro_anima("age", 11 - quadro); }

std::string quadro_mudas(int quadro) {
    if (quadro < 1 || quadro > 8) return "";
    return quadro_anima("mudas0", 8 - quadro);
}

namespace {

// Frame `posicao` of a cycle of `n` frames prefixo00, prefixo01...
std::string quadro_de_ciclo(const char* prefixo, int n, int posicao, const char* sufixo = "") {
    if (posicao < 1 || posicao > n) return "";
    return quadro_anima(prefixo, posicao - 1, sufixo);
}

}  // namespace

std::string quadro_limpeza(int posicao) {
    // li10 is not in the cycle.
    if (posicao < 1 || posicao > ciclo_limpeza) return "";
    return quadro_anima("li", posicao <= 10 ? posicao - 1 : posicao);
}
std::string quadro_desbaste(int posicao) { return quadro_de_ciclo("des", ciclo_desbaste, posicao); }
std::string quadro_amontoa(int posicao) { return quadro_de_ciclo("amo", ciclo_amontoa, posicao); }
std::string quadro_colheita_parcial(int posicao) { return quadro_de_ciclo("cop", ciclo_colheita_parcial, posicao); }
std::string quadro_colheita_total(int posicao) { return quadro_de_ciclo("cof", ciclo_colheita_total, posicao); }
std::string quadro_transplante(int posicao) { return quadro_de_ciclo("tra", ciclo_transplante, posicao); }

std::string quadro_interroga(int posicao) {
    if (posicao < 1 || posicao > ciclo_interroga) return "";
    return quadro_anima("int", ciclo_interroga - posicao);
}

std::string quadro_enxada(int posicao) {
    return quadro_de_ciclo("enx", ciclo_enxada, posicao, "c");
}

std::string texto_semana(platform::DateTime data) { return std::to_string(platform::WeekOfYear(data)); }

bool unidade_tem_midia(int indice) {
    const std::string u = unidade_de(indice);
    if (u.empty()) return false;
    // A drive may be a link to a disc mounted meanwhile: forget what was
    // listed before.
    platform::InvalidatePathCache();
    // The pictures the main menu shows from the drive, its earthworm among
    // them: an empty or partial "\anima\" would leave them grey boxes.
    std::vector<std::string> figuras = figuras_do_menu(u);
    figuras.push_back(u + "\\anima\\" + primeiro_quadro_nhoca);
    for (const std::string& f : figuras)
        if (f.rfind(u, 0) == 0 && !platform::FileExists(f)) return false;
    return true;
}

int unidade_proposta(int preferida) {
    if (unidade_tem_midia(preferida)) return preferida;
    for (int i = 0; i <= 5; ++i)
        if (unidade_tem_midia(i)) return i;
    return preferida;
}

void avisa_unidade_sem_midia(const std::string& titulo, int indice) {
    std::string com_midia;
    int quantas = 0;
    for (int i = 0; i <= 5; ++i)
        if (unidade_tem_midia(i)) com_midia += (quantas++ ? ", " : "") + unidade_de(i);
    std::string mensagem = "A unidade " + unidade_de(indice) + " não tem os arquivos do jogo (pasta \\anima\\).";
    if (quantas == 0)
        mensagem += " Nenhuma unidade de C: a H: tem esses arquivos.";
    else
        mensagem += (quantas == 1 ? " Escolha a unidade " : " Escolha uma destas unidades: ") + com_midia;
    mostra_ok(titulo, mensagem);
}

void avisa_disco_retirado() {
    pf::SetPictureFailureHandler([](const std::string& figura) {
        static std::string avisada;  // the drive the player was told about
        const std::string raiz = model::sessao().dir_anima;
        if (raiz.empty() || raiz == avisada || figura.size() <= raiz.size() ||
            !platform::SameNameIgnoringCase(figura.substr(0, raiz.size()), raiz))
            return;
        // A single missing picture is not a missing disc.
        platform::InvalidatePathCache();
        if (!platform::ResolvePath(raiz + "\\anima").empty()) return;
        avisada = raiz;
        // Told once the screen that asked for the picture is shown, not in
        // the middle of its loading.
        pf::Screen::AfterNextPaint([raiz] {
            mostra_ok("Disco retirado",
                      "As figuras do jogo não puderam ser lidas da unidade " + raiz +
                          ". O disco parece ter sido retirado. Ponha o disco de volta na unidade, ou escolha "
                          "outra unidade em \"Opções\", na tela de Introdução.");
        });
    });
}

void prepara_destino(const char* destino) { pf::PrefetchScreen(destino); }

bool navega(pf::Form& tela, pf::Timer& relogio, const char* destino, const char* cue,
            const std::string& chave_log, const std::vector<pf::Control*>& figuras, int ponteiro) {
    if (pf::Forms::ModalForm() != nullptr) return false;
    relogio.SetInterval(0);
    if (cue) toca_voz(cue, SoundMode::Sync);
    if (!pf::Forms::IsRegistered(destino)) {
        platform::LogOnce(chave_log + destino, std::string("tela não disponível: ") + destino);
        for (pf::Control* c : figuras) c->SetMousePointer(ponteiro);
        return false;
    }
    tela.Unload();
    pf::Forms::Show(destino);
    return true;
}

void abre_help(pf::Form& tela, pf::Control& rotulo, const std::string& assunto, const std::string& chave_log) {
    if (!pf::Forms::IsRegistered(tela_help)) {
        platform::LogOnce(chave_log, "tela não disponível: help");
        return;
    }
    rotulo.SetMousePointer(pf::vbHourglass);
    prepara_destino(tela_help);  // the help's pictures decoded while the voice plays
    toca_voz("\\ajuda.wav", SoundMode::Sync);
    tela.Unload();
    shell::estado_telas().assunto_help = assunto;
    pf::Forms::Show(tela_help);
}

bool abre_help_por_cima(pf::Timer& relogio, const std::string& assunto) {
    toca_silencio(SoundMode::Async);
    estado_telas().assunto_help = assunto;
    estado_telas().tela_atual = assunto;
    relogio.SetInterval(0);
    pf::Forms::Show(tela_help);
    return true;
}

void passo_ciclo(int& posicao, int comprimento, std::string& arquivo, const std::function<std::string(int)>& quadro) {
    if (posicao < 1 || posicao > comprimento) return;
    arquivo = model::sessao().dir_anima + quadro(posicao);
    if (posicao == comprimento) posicao = 0;
}

void mostra_quadro(pf::CommandButton& botao, const std::string& arquivo) {
    const pf::Picture figura = pf::LoadPicture(arquivo);
    if (botao.Enabled())
        botao.SetPicture(figura);
    else
        botao.SetDisabledPicture(figura);
}

void passo_tempo_real(pf::Timer& relogio, pf::PictureBox& figura) {
    auto& s = estado_telas();
    if (s.quadro == 0) {
        relogio.SetInterval(0);
        return;
    }
    s.quadro -= 1;
    figura.LoadPicture(model::pict_semana_dia(7 - s.quadro));
}

void passo_previsao(pf::Timer& relogio, pf::PictureBox& figura) {
    auto& s = model::sessao();
    if (shell::estado_telas().quadro == 0) {
        relogio.SetInterval(0);
        figura.LoadPicture(s.dir_anima + "\\anima\\planet01.bmp");
        return;
    }
    const int n = numero_previsao(shell::estado_telas().quadro);
    shell::estado_telas().quadro -= 1;
    figura.LoadPicture(s.dir_anima + quadro_previsao(n));
}

void clica_previsao(pf::PictureBox& botao, pf::TextBox& semana, const std::function<void()>& anima,
                    const std::function<void(const std::vector<int>&)>& redesenha) {
    auto& s = estado_telas();
    s.ponteiro_salvo = botao.MousePointer();
    botao.SetMousePointer(pf::vbHourglass);
    anima();
    toca_voz("\\previsao.wav", SoundMode::Async);
    // The backup holds the real week (taken only while it is on display);
    // then one week passes on the live beds and lots.
    redesenha(model::avanca_previsao());
    semana.SetText(texto_semana(model::horta().data_agenda));
    botao.SetMousePointer(s.ponteiro_salvo);
}

void clica_tempo_real(pf::PictureBox& botao, pf::TextBox& semana, const std::function<void()>& anima,
                      const std::function<void()>& redesenha) {
    auto& s = estado_telas();
    s.ponteiro_salvo = botao.MousePointer();
    botao.SetMousePointer(pf::vbHourglass);
    anima();
    toca_voz("\\tempo.wav", SoundMode::Async);
    if (model::previsao_ativa()) {
        model::restaura_previsao();
        semana.SetText(texto_semana(model::horta().data_real));
        redesenha();
    }
    botao.SetMousePointer(s.ponteiro_salvo);
}

}  // namespace shell
