#include "seedbed/controle_da_sementeira.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "garden/animacao.h"
#include "garden/figura_plantada.h"
#include "garden/trabalhando_na_horta.h"
#include "model/modelo.h"
#include "platform/paths.h"
#include "seedbed/tabela.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/sons.h"

namespace seedbed {

namespace {

using platform::SoundMode;

// The three care buttons of Command4.
constexpr std::array<shell::BotaoCuidado, 3> kCuidados{{
    {1, "LI", AcaoSementeira::limpar, "\\mudlimp.wav", "\\nlimp.wav", "\\anima\\li06.bmp", "\\anima\\li06bw.bmp"},
    {2, "DES", AcaoSementeira::desbastar, "\\muddesb.wav", "\\ndesb.wav", "\\anima\\des06.bmp", "\\anima\\des06bw.bmp"},
    {3, "TR", AcaoSementeira::transplantar, "\\mudtran.wav", "\\ntran.wav", "\\anima\\tra04.bmp", "\\anima\\tra04bw.bmp"},
}};

model::Cor cor_do_trato(const std::string& trato) {
    const auto& s = model::sessao();
    if (trato == "LI") return s.cor_li;
    if (trato == "DES") return s.cor_des;
    return s.cor_tr;
}

using shell::NaApresentacao;
using S = controle_da_sementeira;

// The picture buttons: the care buttons and the garden button play their
// cycles, all together in the entry presentation; the gardener and the
// agenda count their frames down to their screen, the garden picture plays
// its cycle there.
constexpr shell::BotaoFigura<S> kFiguras[] = {
    {.acao = AcaoSementeira::limpar, .figura = {&S::Command4, 1}, .quadro = shell::quadro_limpeza,
     .ciclo = shell::ciclo_limpeza, .quadros = 13, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoSementeira::desbastar, .figura = {&S::Command4, 2}, .quadro = shell::quadro_desbaste,
     .ciclo = shell::ciclo_desbaste, .quadros = 14, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoSementeira::transplantar, .figura = {&S::Command4, 3}, .quadro = shell::quadro_transplante,
     .ciclo = shell::ciclo_transplante, .quadros = 14, .fase_inicial = 5, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoSementeira::botao_horta, .figura = {&S::Command4, 4}, .quadro = quadro_botao_horta,
     .ciclo = ciclo_botao_horta, .quadros = 12, .destino = tela_horta, .cue = "\\vamhor.wav",
     .apresentacao = NaApresentacao::anima},
    {.acao = AcaoSementeira::hortelino, .figura = &S::hortelino, .quadro = shell::quadro_hortelino, .ciclo = 0,
     .quadros = 14, .destino = tela_menu},
    {.acao = AcaoSementeira::agenda, .figura = &S::pic_agenda, .quadro = shell::quadro_agenda, .ciclo = 0,
     .quadros = 11, .destino = tela_agenda, .cue = "\\vamage.wav"},
    {.acao = AcaoSementeira::figura_horta, .figura = &S::pic_horta, .quadro = shell::quadro_enxada,
     .ciclo = shell::ciclo_enxada, .quadros = 12, .destino = tela_horta, .cue = "\\vamhor.wav",
     .repouso = "\\anima\\enx00c.bmp"},
};

constexpr const char* kAvisoTransplante =
    "Para fazer o transplante va para a tela da horta e arraste para algum espaço vazio as verduras indicadas.";

// Column numbers over the lots, each number over the middle of its column,
// spaced with blanks for the grid captions' fixed-pitch font (99 twips a
// character).
std::string numeros_das_colunas() {
    constexpr double largura_letra = 99.0;
    constexpr double meio_primeira = 2490 + 292.5 - 2430;  // first column's middle, from the caption's left
    std::string s;
    for (int c = 0; c < 11; ++c) {
        const std::string n = std::to_string(c + 1);
        const double meio = (meio_primeira + 660.0 * c) / largura_letra;
        const int posicao = static_cast<int>(std::lround(meio - n.size() / 2.0));
        if (static_cast<int>(s.size()) < posicao) s.append(posicao - s.size(), ' ');
        s += n;
    }
    return s;
}

}  // namespace

// ------------------------------------------------------------------ design

controle_da_sementeira::controle_da_sementeira()
    : pf::Form(nome_tela_sementeira),
      figuras(*this, timer_, kFiguras,
              shell::Saida{"sementeira-destino-", {&hortelino, &pic_agenda, &pic_horta}, pf::vbCustom},
              shell::BotoesSemana{&previsao, &tempo_real}) {
    SetCaption("");
    SetClientSize(12000, 9000);  // maximized: the whole screen, as the menu
    SetBackColor(0x00E0E0E0);
    const pf::Picture ponteiro = figura_programa("\\forms\\controle_da_sementeira_MouseIcon.png");
    const pf::Picture ponteiro_rotulos = figura_programa("\\forms\\controle_da_sementeira_lbl_MouseIcon.png");
    const pf::Picture icone_arraste = figura_programa("\\forms\\controle_da_sementeira_DragIcon.png");
    auto com_ponteiro = [&](pf::Control& c) {
        c.SetMouseIcon(ponteiro);
        c.SetMousePointer(pf::vbCustom);
    };

    // Picture buttons of the left column.
    struct Figura {
        pf::PictureBox& caixa;
        int left, top, width, height;
        const char* dica;
    };
    for (Figura f : {Figura{hortelino, 270, 180, 1200, 1050, "Voltar para a tela da Introdução"},
                     Figura{pic_horta, 210, 1560, 1200, 990, "Ir para a Horta"},
                     Figura{pic_agenda, 210, 2970, 1200, 900, "Ir para a Agenda"},
                     Figura{previsao, 300, 6570, 1050, 1020, "Previsão"},
                     Figura{tempo_real, 270, 7740, 1125, 915, ""}}) {
        f.caixa.Move(f.left, f.top, f.width, f.height);
        f.caixa.SetToolTipText(f.dica);
        com_ponteiro(f.caixa);
    }
    hortelino.OnClick = [this] { hortelino_Click(); };
    pic_horta.OnClick = [this] { pic_horta_Click(); };
    pic_agenda.OnClick = [this] { pic_agenda_Click(); };
    previsao.OnClick = [this] { previsao_Click(); };
    tempo_real.OnClick = [this] { tempo_real_Click(); };

    // Week boxes: shown by the program, never typed into.
    tempo.Move(720, 0, 315, 285);
    tempo.SetBackColor(0x00FF8080);
    tempo.SetToolTipText("Marcador da semana atual do ano");
    terra.Move(690, 30, 315, 285);
    terra.SetBackColor(0x0000FFFF);
    terra.SetToolTipText("Marcador da semana da previsão");
    for (pf::TextBox* caixa : {&tempo, &terra}) {
        caixa->SetLocked(true);
        caixa->SetAlignment(pf::vbCenter);
        caixa->SetForeColor(0x00C00000);
        caixa->SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        caixa->OnKeyPress = [](int& KeyAscii) { KeyAscii = 0; };
    }

    // Activity buttons, coloured with their activity's legend colour.
    struct Botao {
        int indice;
        const char* legenda;
        pf::Color cor;
        int top;
        const char* dica;
    };
    for (Botao b : {Botao{1, "Limpar", 0x00C0FFFF, 900, "Fazer a limpeza das mudas indicadas de branco"},
                    Botao{2, "Desbastar", 0x0000FFFF, 3000, "Fazer o desbaste das mudas indicadas de amarelo"},
                    Botao{3, "Transplantar", 0x00FF00FF, 5010,
                          "Fazer o transplante para os canteiros das  mudas indicadas em violeta. "
                          "Vá para a Tela da Horta"},
                    Botao{4, "Horta", 0x0000C000, 7050, "Ir para a Tela da Horta"}}) {
        pf::CommandButton& c = Command4.Add(b.indice);
        c.SetStyle(1);
        c.Move(10650, b.top, 1155, 1215);
        c.SetCaption(b.legenda);
        c.SetBackColor(b.cor);
        c.SetToolTipText(b.dica);
        c.SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        com_ponteiro(c);
    }
    Command4.Bind(&pf::CommandButton::OnClick, [this](int Index) { command4_Click(Index); });

    // Crop buttons in automatic drag mode, with their indicators.
    botoes_ = {&c_alf, &c_chi, &c_che, &c_agr, &c_cou, &c_esp, &c_tom,
               &c_pim, &c_bgl, &c_rep, &c_bro, &c_flo, &c_alh};
    for (int k = 0; k < n_slots; ++k) {
        const CulturaSementeira& e = culturas_sementeira()[k];
        pf::Image& img = *botoes_[k];
        img.SetStretch(true);
        img.Move(e.botao_left, e.botao_top, k == 1 ? 600 : 585, 600);
        img.SetPicture(figura_programa(std::string("\\forms\\controle_da_sementeira_") + e.botao + ".bmp"));
        img.SetToolTipText(e.dica_botao);
        img.SetDragMode(pf::vbAutomatic);
        img.SetDragIcon(icone_arraste);
        com_ponteiro(img);
        img.OnDragOver = [this, &img](pf::Control& Source, float X, float Y, int State) {
            c_DragOver(img, Source, X, Y, State);
        };
        img.OnDragDrop = [this](pf::Control& Source, float X, float Y) { c_DragDrop(Source, X, Y); };
        img.OnClick = [this, &img] { c_Click(img); };

        pf::Label& ind = Label3.Add(k);
        ind.Move(e.ind_left, e.ind_top, 195, 255);
        ind.SetVisible(false);
        ind.SetCaption("");
        ind.SetAlignment(pf::vbCenter);
        ind.SetBackColor(0x00FFC0C0);
        ind.SetFont(pf::Font{"MS Serif", 6.75, true});
        if (k < 12) ind.SetToolTipText("Quantidade de 'leiras' que devem ser semeadas");
        com_ponteiro(ind);
    }
    Label3.Bind(&pf::Label::OnClick, [this](int Index) { Label3_Click(Index); });

    // The lots: two rows of eleven.
    for (int i = 0; i < model::n_lotes; ++i) {
        const int linha = i / model::n_colunas_sementeira;
        const int coluna = i % model::n_colunas_sementeira;
        pf::Image& lote = Image3.Add(i);
        lote.SetStretch(true);
        lote.Move(2490 + 660 * coluna, 3810 + 2280 * linha, 585, 600);
        lote.SetDragMode(pf::vbAutomatic);
        lote.SetDragIcon(icone_arraste);
        com_ponteiro(lote);

        pf::Image& cresce = CRESCE.Add(i);
        cresce.SetStretch(true);
        cresce.Move(2490 + 660 * coluna, 4500 + 2280 * linha, 585, 1275);

        pf::Label& marca = Label4.Add(i);
        marca.Move(2520 + 660 * coluna, 3840 + 2280 * linha, linha == 0 ? 530 : 525, 225);
        marca.SetVisible(false);
        marca.SetCaption("");
        marca.SetAlignment(pf::vbCenter);
        marca.SetBackColor(pf::SysColor::WindowBackground);
        marca.SetForeColor(pf::SysColor::WindowText);
        marca.SetFont(pf::Font{"MS Serif", 6.75, true});
        com_ponteiro(marca);
    }
    Image3.Bind(&pf::Image::OnDragDrop,
                [this](int Index, pf::Control& Source, float X, float Y) { Image3_DragDrop(Index, Source, X, Y); });
    Image3.Bind(&pf::Image::OnClick, [this](int Index) { Image3_Click(Index); });
    CRESCE.Bind(&pf::Image::OnClick, [this](int Index) { CRESCE_Click(Index); });
    Label4.Bind(&pf::Label::OnClick, [this](int Index) { Label4_Click(Index); });

    // Grid captions.
    Label1.Move(2430, 3360, 7335, 255);
    Label1.SetCaption(numeros_das_colunas());
    const char* linhas[] = {"A", "B"};
    for (int r = 0; r < 2; ++r) {
        pf::Label& l = Label2.Add(r);
        l.Move(2040, 4020 + 2280 * r, 135, 240);
        l.SetCaption(linhas[r]);
    }
    for (pf::Label* l : {&Label1, &Label2(0), &Label2(1)}) {
        l->SetBackStyle(pf::vbTransparent);
        l->SetFont(pf::Font{"Courier New", 8.25, true});
    }

    // Help labels, with a pointer of their own.
    struct Rotulo {
        pf::Label& rotulo;
        int left, top, width, height;
        const char* legenda;
        pf::Color cor;
    };
    for (Rotulo r : {Rotulo{lbl_tempo, 210, 6030, 1140, 345, "Tempos", 0x00FF8080},
                     Rotulo{lbl_atividades, 10350, 180, 1500, 345, "Atividades", 0x00800000},
                     Rotulo{lbl_verduras, 5310, 180, 1395, 345, "Sementes", 0x00800000}}) {
        r.rotulo.Move(r.left, r.top, r.width, r.height);
        r.rotulo.SetCaption(r.legenda);
        r.rotulo.SetForeColor(r.cor);
        r.rotulo.SetAlignment(pf::vbCenter);
        r.rotulo.SetBackStyle(pf::vbTransparent);
        r.rotulo.SetFont(pf::Font{"MS Sans Serif", 9.75, true, false, true});
        r.rotulo.SetMouseIcon(ponteiro_rotulos);
        r.rotulo.SetMousePointer(pf::vbCustom);
    }
    lbl_tempo.OnClick = [this] { lbl_tempo_Click(); };
    lbl_atividades.OnClick = [this] { lbl_atividades_Click(); };
    lbl_verduras.OnClick = [this] { lbl_verduras_Click(); };

    timer_.SetInterval(0);
    Timer1.SetInterval(0);
    Timergame.SetInterval(0);
    game_clock.SetInterval(0);
    timer_.OnTimer = [this] { Timer__Timer(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timergame.OnTimer = [this] { Timergame_Timer(); };

    // The blink's markers are the 22 lot markers.
    pisca.ganchos.marcadores = [this](const std::function<void(pf::Label&)>& f) {
        for (int i = 0; i < model::n_lotes; ++i) f(Label4(i));
    };
    // The care the markers belong to is the activity chosen.
    pisca.ganchos.reabre = [this] { shell::reabre_cuidado(Command4, kCuidados, atividade); };
    pisca.ganchos.conclui = [this] {
        if (auto k = descobre_qual_sem_btn(atividade)) Command4(*k).SetEnabled(false);
    };
    pisca.ganchos.termina = [this] {
        if (atividade == "TR") shell::mostra_ok("Transplante - Sementeira/Horta", kAvisoTransplante);
        atividade.clear();
        if (model::parabens_na_sementeira(algum_cuidado_habilitado()))
            shell::mostra_figura("Parabéns", anima("paras.jpg"));
    };
}

pf::Picture controle_da_sementeira::figura_programa(const std::string& nome) const {
    return pf::LoadPicture(platform::ProgramFolder() + nome);
}

std::string controle_da_sementeira::anima(const std::string& nome) const {
    return model::sessao().dir_anima + "\\anima\\" + nome;
}

pf::Image& controle_da_sementeira::botao_cultura(int slot) { return *botoes_.at(slot); }

bool controle_da_sementeira::lote_ocupado(int i) const {
    if (i < 0 || i >= model::n_lotes) return false;
    return !Image3(i).Picture().IsEmpty() || model::lote_ocupado(i);
}

std::optional<int> controle_da_sementeira::slot_arrastado(const pf::Control& Source) const {
    for (int k = 0; k < n_slots; ++k)
        if (botoes_[k] == &Source) return k;
    return std::nullopt;
}

int controle_da_sementeira::lote_arrastado(const pf::Control& Source) {
    for (int i = 0; i < model::n_lotes; ++i)
        if (&Image3(i) == &Source) return i;
    return -1;
}

// ------------------------------------------------------------------ life cycle

void controle_da_sementeira::Form_Load() {
    auto& s = model::sessao();
    shell::estado_telas().acao = shell::AcaoAtual{};
    primeira_ativacao = true;
    shell::estado_telas().tela_atual = "sementeira";
    pf::Screen::AfterNextPaint([] { shell::prepara_destino("help"); });  // its help link has no animation to decode in
    figuras.reinicia();
    atividade.clear();

    // The legend colours are the buttons' own, whatever another screen left.
    s.cor_li = Command4(1).BackColor();
    s.cor_des = Command4(2).BackColor();
    s.cor_tr = Command4(3).BackColor();
    s.cor_cinza = 0x00C0C0C0;
    cor_horta = Command4(4).BackColor();

    carrega_pict_dos_botões();
    tempo_real.LoadPicture(model::pict_semana());
    previsao.LoadPicture(anima("planet01.bmp"));
    pic_agenda.LoadPicture(anima("age10.bmp"));
    pic_horta.LoadPicture(anima("enx00c.bmp"));
    hortelino.LoadPicture(anima("hort00.bmp"));
    LoadPicture(platform::ProgramFolder() + "\\back_se5.jpg");
}

void controle_da_sementeira::Form_Activate() {
    if (!primeira_ativacao) return;
    auto& s = model::sessao();
    if (s.trilha_fundo && figuras.apresenta(Timer1)) {
        em_intro = true;
        shell::toca_trilha(s.som_entrada_sem);
    }
    const auto& h = model::horta();
    tempo.SetText(shell::texto_semana(h.data_real));
    terra.SetText(shell::texto_semana(h.data_agenda));
    ja_tocou = false;
    SetMousePointer(pf::vbArrow);
    pl_sem(0);
    Monta_sem2();
    SetMousePointer(pf::vbCrosshair);
    primeira_ativacao = false;
}

void controle_da_sementeira::carrega_pict_dos_botões() {
    const std::string& raiz = model::sessao().dir_anima;
    for (const auto& c : kCuidados) {
        Command4(c.indice).SetPicture(pf::LoadPicture(raiz + c.figura));
        Command4(c.indice).SetDisabledPicture(pf::LoadPicture(raiz + c.figura_pb));
    }
    Command4(4).SetPicture(figura_programa("\\trab3.bmp"));
    Command4(4).SetDisabledPicture(figura_programa("\\trab3pb.bmp"));
}

// ------------------------------------------------------------------ lot display

void controle_da_sementeira::CRESCER(std::int16_t lote) {
    if (lote != 100 && (lote < 0 || lote >= model::n_lotes)) return;
    const int primeiro = lote == 100 ? 0 : lote;
    const int ultimo = lote == 100 ? model::n_lotes - 1 : lote;
    const auto& h = model::horta();
    for (int i = primeiro; i <= ultimo; ++i)
        CRESCE(i).LoadPicture(model::sessao().dir_anima + figura_crescimento(h.cult_sem[i], h.idade_sem[i]));
}

void controle_da_sementeira::Monta_sem2() { monta(true); }

void controle_da_sementeira::Monta_sem() { monta(false); }

void controle_da_sementeira::monta(bool primeira) {
    const auto& s = model::sessao();
    const auto& h = model::horta();
    for (int k = 1; k <= 4; ++k) {
        Command4(k).SetEnabled(false);
        Command4(k).SetBackColor(s.cor_cinza);
    }
    for (int i = 0; i < model::n_lotes; ++i) {
        Image3(i).SetPicture(pf::Picture{});
        if (auto slot = FF_SEM(static_cast<std::int16_t>(h.cult_sem[i])))
            Image3(i).SetPicture(garden::figura_plantada(s.dir_anima + culturas_sementeira()[*slot].figura_lote,
                                                         static_cast<std::int16_t>(h.cult_sem[i])));
        const std::string t = model::trato_sem(h.cult_sem[i], h.idade_sem[i]);
        if (const shell::BotaoCuidado* c = shell::cuidado_do_trato(kCuidados, t)) {
            pf::CommandButton& b = Command4(c->indice);
            b.SetBackColor(cor_do_trato(t));
            if (!primeira || !h.check_sem[i]) b.SetEnabled(true);
        }
    }
    if (!atividade.empty()) leg_sem(atividade);

    pf::CommandButton& horta = Command4(4);
    if (model::tem_plantio()) {
        horta.SetEnabled(true);
        horta.SetBackColor(cor_horta);
    }
    if (!horta.Enabled()) {
        const int sit = model::sit_tratos_horta();
        if (primeira) {
            if (sit > 0) horta.SetBackColor(cor_horta);
            if (sit == 1) horta.SetEnabled(true);
        } else if (sit > 0) {
            horta.SetEnabled(true);
            horta.SetBackColor(cor_horta);
        }
    }
    CRESCER(100);
}

// ------------------------------------------------------------------ sowing and removal

void controle_da_sementeira::c_DragOver(pf::Image& botao, pf::Control&, float, float, int) {
    if (ja_tocou) return;
    if (auto slot = slot_arrastado(botao))
        shell::toca_voz(culturas_sementeira()[*slot].nome_som, SoundMode::Async);
    ja_tocou = true;
}

void controle_da_sementeira::c_DragDrop(pf::Control&, float, float) { ja_tocou = false; }

void controle_da_sementeira::c_Click(pf::Image& botao) {
    if (auto slot = slot_arrastado(botao))
        shell::toca_voz(culturas_sementeira()[*slot].nome_som, SoundMode::Async);
}

void controle_da_sementeira::Form_DragOver(pf::Control&, float, float, int) { ja_tocou = false; }

void controle_da_sementeira::Image3_DragDrop(int Index, pf::Control& Source, float, float) {
    if (Index < 0 || Index >= model::n_lotes) return;
    const bool semeadura_antes = model::tem_pls();
    ja_tocou = false;
    // Only a crop button sows: a lot dropped on a lot changes nothing.
    const auto slot = slot_arrastado(Source);
    if (!slot) return;
    shell::toca_efeito("\\blip.wav", SoundMode::Sync);

    auto& s = model::sessao();
    const std::int16_t cult = culturas_sementeira()[*slot].cultura;
    if (lote_ocupado(Index) || !model::semeia(cult, Index)) {
        shell::mostra_ok("Ocupado ...", "Este 'lote' está ocupado");
    } else {
        // The lot shows its crop's lot picture, as the screen's refresh does
        // (a button of a crop not due this week shows another picture), or
        // its crop's name when that picture cannot be read.
        Image3(Index).SetPicture(garden::figura_plantada(s.dir_anima + culturas_sementeira()[*slot].figura_lote, cult));
        Label3(*slot).SetCaption("-");
        if (s.som_ligado) shell::toca_efeito("\\blip.wav", SoundMode::Sync);
        pl_sem(cult);
        CRESCER(static_cast<std::int16_t>(Index));

        if (model::parabens_na_sementeira(algum_cuidado_habilitado()) && semeadura_antes)
            shell::mostra_figura("Parabéns", anima("paras.jpg"));
    }
    Source.SetMousePointer(shell::estado_telas().ponteiro_salvo);
}

void controle_da_sementeira::Form_DragDrop(pf::Control& Source, float, float) {
    const int i = lote_arrastado(Source);
    if (i < 0 || model::horta().cult_sem[i] <= 0) return;
    if (!shell::pergunta_sim_nao("Atenção", "Quer 'excluir' a  muda ?")) return;

    shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    Image3(i).SetPicture(pf::Picture{});
    model::remove_lote(i);
    pl_sem(0);
    CRESCER(static_cast<std::int16_t>(i));
}

void controle_da_sementeira::Form_Click() { shell::toca_silencio(SoundMode::Sync); }

void controle_da_sementeira::Image3_Click(int) { shell::toca_silencio(SoundMode::Sync); }

void controle_da_sementeira::CRESCE_Click(int) { shell::toca_silencio(SoundMode::Sync); }

// ------------------------------------------------------------------ sowing plan

void controle_da_sementeira::pl_sem(std::int16_t cult) {
    if (cult > model::n_culturas) return;
    // The indicators refreshed: every one, or the crop's own when a lot
    // holds it.
    const auto& h = model::horta();
    if (cult <= 0) {
        for (int k = 0; k < n_slots; ++k) {
            Label3(k).SetVisible(false);
            Label3(k).SetCaption("-");
        }
    } else if (auto slot = FF_SEM(cult);
               slot && std::find(h.cult_sem.begin(), h.cult_sem.end(), cult) != h.cult_sem.end()) {
        Label3(*slot).SetVisible(false);
        Label3(*slot).SetCaption("-");
    }
    for (const auto& [k, status] : model::status_da_semeadura(cult))
        Des_Liga_sem(static_cast<std::int16_t>(k), status);
    if (!atividade.empty()) leg_sem(atividade);
}

void controle_da_sementeira::Des_Liga_sem(std::int16_t cult, const std::string& status) {
    const auto& s = model::sessao();
    if (s.modo_guiado) {
        if (status != "1") return;
        const auto slot = FF_SEM(cult);
        if (!slot) return;
        Label3(*slot).SetVisible(true);
        Label3(*slot).SetCaption(status);
        botao_cultura(*slot).LoadPicture(s.dir_anima + culturas_sementeira()[*slot].figura_lote);
        botao_cultura(*slot).SetDragMode(pf::vbAutomatic);
        return;
    }
    for (int k = 0; k < n_slots; ++k) {
        botao_cultura(k).LoadPicture(s.dir_anima + culturas_sementeira()[k].figura_lote);
        botao_cultura(k).SetDragMode(pf::vbAutomatic);
    }
}

void controle_da_sementeira::Label3_Click(int Index) {
    if (Index < 0 || Index >= n_slots) return;
    const CulturaSementeira& e = culturas_sementeira()[Index];
    shell::mostra_ok(e.titulo_aviso, e.aviso);
}

// ------------------------------------------------------------------ care activities

bool controle_da_sementeira::leg_sem(const std::string& codigo) {
    const auto& h = model::horta();
    bool marcou = false;
    for (int i = 0; i < model::n_lotes; ++i) {
        pf::Label& marca = Label4(i);
        marca.SetVisible(false);
        marca.SetCaption(h.check_sem[i] ? "ok" : "");
        if (codigo == "PLS" || !shell::cuidado_do_trato(kCuidados, codigo) || !lote_ocupado(i)) continue;
        if (model::trato_sem(h.cult_sem[i], h.idade_sem[i]) != codigo) continue;
        marca.SetBackColor(cor_do_trato(codigo));
        marca.SetVisible(true);
        marcou = true;
    }
    return marcou;
}

// A care button marks the lots of its care, says whether there are any and
// plays its cycle; the garden button plays its own on the way there.
void controle_da_sementeira::command4_Click(int Index) {
    if (!Command4.Exists(Index)) return;
    Command4(Index).SetMousePointer(pf::vbHourglass);
    Timergame.SetInterval(0);
    final_animation_2();
    if (const auto* b = figuras.do_botao(&S::Command4, Index)) {
        const shell::BotaoCuidado* c = shell::cuidado_da_acao(kCuidados, b->acao);
        if (c) shell::toca_voz(leg_sem(c->trato) ? c->som_com_marca : c->som_sem_marca, SoundMode::Async);
        figuras.inicia(*b);
        if (c) atividade = c->trato;
    }
    Command4(Index).SetMousePointer(pf::vbCustom);
}

std::optional<int> controle_da_sementeira::descobre_qual_sem_btn(const std::string& trato) {
    return shell::descobre_cuidado(Command4, kCuidados, trato);
}

void controle_da_sementeira::Label4_Click(int Index) {
    if (Index < 0 || Index >= model::n_lotes) return;
    const bool feito = model::marca_lote(Index);
    pisca.clicado(Label4(Index), feito, model::cuidado_concluido_na_sementeira(atividade));
}

void controle_da_sementeira::Timergame_Timer() { pisca.passo(); }

bool controle_da_sementeira::algum_cuidado_habilitado() {
    for (const auto& c : kCuidados)
        if (Command4(c.indice).Enabled()) return true;
    return false;
}

// ------------------------------------------------------------------ animation engine

void controle_da_sementeira::final_animation_2() {
    if (Timer1.Interval() == 0) return;
    Monta_sem();
    pl_sem(0);
    Timer1.SetInterval(0);
    timer_.SetInterval(0);
    em_intro = false;
    carrega_pict_dos_botões();
}

void controle_da_sementeira::Timer__Timer() { figuras.passo(em_intro); }

void controle_da_sementeira::Timer1_Timer() { final_animation_2(); }

// A picture's click: ends the entry presentation, then plays the picture's
// frames through the 100 ms timer; the last click wins.
void controle_da_sementeira::anima_botao(shell::AcaoAtual acao) {
    final_animation_2();
    figuras.inicia(acao);
}

void controle_da_sementeira::anima_semana(shell::AcaoSemana acao, int quadros) {
    final_animation_2();
    figuras.inicia(acao, quadros);
}

void controle_da_sementeira::hortelino_Click() {
    hortelino.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoSementeira::hortelino);
}

void controle_da_sementeira::pic_agenda_Click() {
    pic_agenda.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoSementeira::agenda);
}

void controle_da_sementeira::pic_horta_Click() { anima_botao(AcaoSementeira::figura_horta); }

void controle_da_sementeira::lbl_tempo_Click() { shell::mostra_figura("Tempo Real", anima("help6.jpg")); }

void controle_da_sementeira::lbl_atividades_Click() {
    shell::abre_help(*this, lbl_atividades, "Atividades_Sem", "sementeira-destino-help");
}

void controle_da_sementeira::lbl_verduras_Click() {
    shell::abre_help(*this, lbl_verduras, "Culturas2", "sementeira-destino-help");
}

// ------------------------------------------------------------------ forecast

void controle_da_sementeira::previsao_Click() {
    shell::clica_previsao(
        previsao, terra, [this] { anima_semana(AcaoSemana::previsao, 22); },
        [this](const std::vector<int>&) {
            // No marker of an activity chosen before the forecast stays on
            // screen.
            atividade = "PLS";
            pl_sem(0);
            Monta_sem();
        });
}

void controle_da_sementeira::tempo_real_Click() {
    shell::clica_tempo_real(tempo_real, terra, [this] { anima_semana(AcaoSemana::tempo_real, 7); }, [this] {
        pl_sem(0);
        Monta_sem();
    });
}

// ------------------------------------------------------------------ registry

void registra_tela() {
    pf::Forms::Register<controle_da_sementeira>(nome_tela_sementeira);
    // What the seedbed loads as it opens, decoded ahead while the button that
    // leads here plays its animation.
    pf::SetScreenPictures(nome_tela_sementeira, [] {
        const std::string a = model::sessao().dir_anima + "\\anima\\";
        return std::vector<std::string>{platform::ProgramFolder() + "\\back_se5.jpg", a + "planet01.bmp",
                                        a + "age10.bmp", a + "enx00c.bmp", a + "hort00.bmp"};
    });
}

}  // namespace seedbed
