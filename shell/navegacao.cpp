#include "shell/navegacao.h"

#include "model/modelo.h"
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

void prepara_destino(const char* destino) { pf::PrefetchScreen(destino); }

bool navega(pf::Form& tela, pf::Timer& relogio, const char* destino, const char* cue,
            const std::string& chave_log, std::initializer_list<pf::Control*> figuras, int ponteiro) {
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
    toca_voz("\\ajuda.wav", SoundMode::Sync);
    tela.Unload();
    model::sessao().assunto_help = assunto;
    pf::Forms::Show(tela_help);
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

void passo_tempo_real(pf::Timer& relogio, pf::PictureBox& figura, int (*dia)(int)) {
    auto& s = model::sessao();
    if (s.quadro == 0) {
        relogio.SetInterval(0);
        return;
    }
    s.quadro -= 1;
    figura.LoadPicture(model::pict_semana_dia(dia(s.quadro)));
}

void passo_previsao(pf::Timer& relogio, pf::PictureBox& figura, int (*numero)(int), std::string (*quadro)(int)) {
    auto& s = model::sessao();
    if (s.quadro == 0) {
        relogio.SetInterval(0);
        figura.LoadPicture(s.dir_anima + "\\anima\\planet01.bmp");
        return;
    }
    const int n = numero(s.quadro);
    s.quadro -= 1;
    figura.LoadPicture(s.dir_anima + quadro(n));
}

}  // namespace shell
