#include "garden/trabalhando_na_horta.h"

#include "garden/animacao.h"
#include "garden/estado_tela.h"
#include "garden/figura_plantada.h"
#include "garden/paleta.h"
#include "model/modelo.h"
#include "platform/paths.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/sons.h"

namespace garden {

namespace {

using platform::SoundMode;

// The care buttons of Command2 (indices 5 to 9).
constexpr std::array<shell::BotaoCuidado, 5> kCuidados{{
    {5, "LI", AcaoHorta::limpar, "\\l1.wav", "\\l2.wav", "\\anima\\li06.bmp", "\\anima\\li06bw.bmp"},
    {6, "DES", AcaoHorta::desbastar, "\\d1.wav", "\\d2.wav", "\\anima\\des06.bmp", "\\anima\\des06bw.bmp"},
    {7, "AM", AcaoHorta::amontoar, "\\am1.wav", "\\am2.wav", "\\anima\\amo05.bmp", "\\anima\\amo05bw.bmp"},
    {8, "COP", AcaoHorta::colher_parte, "\\cp1.wav", "\\cp2.wav", "\\anima\\cop05.bmp", "\\anima\\cop05bw.bmp"},
    {9, "COF", AcaoHorta::colher_total, "\\cf1.wav", "\\cf2.wav", "\\anima\\cof05.bmp", "\\anima\\cof05bw.bmp"},
}};

// The colour setting of a care activity.
model::Cor cor_do_trato(const std::string& trato) {
    const auto& s = model::sessao();
    if (trato == "LI") return s.cor_li;
    if (trato == "DES") return s.cor_des;
    if (trato == "AM") return s.cor_am;
    if (trato == "COP") return s.cor_cop;
    return s.cor_cof;
}

constexpr const char* kPerguntaRotacao =
    "Esta verdura pertence à mesma família botânica da verdura que ocupava este canteiro. "
    "Você deseja plantar assim mesmo ?";

constexpr int kIndicesBotoes[] = {2, 5, 6, 7, 8, 9};

using shell::NaApresentacao;
using G = trabalhando_na_horta;

// The picture buttons: the care buttons and the seedbed button play their
// cycles, all together in the entry presentation; the gardener, the agenda
// and the seedlings count their frames down to their screen.
constexpr shell::BotaoFigura<G> kFiguras[] = {
    {.acao = AcaoHorta::limpar, .figura = {&G::Command2, 5}, .quadro = shell::quadro_limpeza,
     .ciclo = shell::ciclo_limpeza, .quadros = 13, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::desbastar, .figura = {&G::Command2, 6}, .quadro = shell::quadro_desbaste,
     .ciclo = shell::ciclo_desbaste, .quadros = 13, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::amontoar, .figura = {&G::Command2, 7}, .quadro = shell::quadro_amontoa,
     .ciclo = shell::ciclo_amontoa, .quadros = 12, .fase_inicial = 6, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::colher_parte, .figura = {&G::Command2, 8}, .quadro = shell::quadro_colheita_parcial,
     .ciclo = shell::ciclo_colheita_parcial, .quadros = 15, .fase_inicial = 6, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::colher_total, .figura = {&G::Command2, 9}, .quadro = shell::quadro_colheita_total,
     .ciclo = shell::ciclo_colheita_total, .quadros = 14, .fase_inicial = 8, .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::botao_sementeira, .figura = {&G::Command2, 2}, .quadro = quadro_botao_sementeira,
     .ciclo = ciclo_botao_sementeira, .quadros = 8, .destino = tela_sementeira, .cue = "\\vamsem.wav",
     .apresentacao = NaApresentacao::anima},
    {.acao = AcaoHorta::hortelino, .figura = &G::hortelino, .quadro = shell::quadro_hortelino, .ciclo = 0,
     .quadros = 14, .destino = tela_menu},
    {.acao = AcaoHorta::agenda, .figura = &G::pic_agenda, .quadro = shell::quadro_agenda, .ciclo = 0, .quadros = 11,
     .destino = tela_agenda, .cue = "\\vamage.wav"},
    {.acao = AcaoHorta::mudas, .figura = &G::pic_semen, .quadro = shell::quadro_mudas, .ciclo = 0, .quadros = 8,
     .destino = tela_sementeira, .cue = "\\vamsem.wav", .repouso = "\\anima\\mudas007.bmp"},
};
constexpr int kTopsBotoes[] = {540, 1950, 3360, 4770, 6180, 7590};

}  // namespace

// ------------------------------------------------------------------ design

trabalhando_na_horta::trabalhando_na_horta()
    : pf::Form(nome_tela_horta),
      figuras(*this, timer_, kFiguras,
              shell::Saida{"horta-destino-", {&hortelino, &pic_agenda, &pic_semen}, pf::vbCustom},
              shell::BotoesSemana{&previsao, &tempo_real}) {
    SetCaption("Trabalhando na Horta");
    SetClientSize(12000, 9000);
    const pf::Picture ponteiro = figura_programa("\\forms\\trabalhando_na_horta_MouseIcon.png");
    const pf::Picture icone_arraste = figura_programa("\\forms\\trabalhando_na_horta_DragIcon.png");
    SetMouseIcon(ponteiro);
    SetMousePointer(pf::vbCustom);

    // Palette: images in automatic drag mode, counters hidden until due.
    paleta_ = {&c_alf, &c_chi, &c_che, &c_agr, &c_cou, &c_esp, &c_ber, &c_ruc, &c_cen, &c_bet, &c_nab,
               &c_rab, &c_tom, &c_pim, &c_bgl, &c_rep, &c_bro, &c_flo, &c_vgm, &c_pep, &c_alh};
    for (int k = 0; k < n_paleta; ++k) {
        const EntradaPaleta& e = paleta()[k];
        pf::Image& img = *paleta_[k];
        img.SetStretch(true);
        img.Move(e.img_left, e.img_top, k == 1 ? 600 : 585, 600);
        img.SetPicture(figura_programa(std::string("\\forms\\trabalhando_na_horta_") + e.imagem + ".bmp"));
        img.SetDragMode(pf::vbAutomatic);
        img.SetDragIcon(icone_arraste);
        img.SetMouseIcon(ponteiro);
        img.SetMousePointer(pf::vbCustom);
        img.SetToolTipText(e.dica_imagem);
        img.OnDragOver = [this, &img](pf::Control& Source, float X, float Y, int State) {
            c_DragOver(img, Source, X, Y, State);
        };
        img.OnDragDrop = [this](pf::Control& Source, float X, float Y) { c_DragDrop(Source, X, Y); };

        pf::Label& cont = Label3.Add(k);
        cont.Move(e.cont_left, e.cont_top, 240, 255);
        cont.SetVisible(false);
        cont.SetCaption("-");
        cont.SetAlignment(pf::vbCenter);
        cont.SetBackColor(pf::vbWhite);
        cont.SetForeColor(pf::vbBlack);
        cont.SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        cont.SetToolTipText(e.dica_contador);
        cont.SetMouseIcon(ponteiro);
        cont.SetMousePointer(pf::vbCustom);
    }
    Label3.Bind(&pf::Label::OnClick, [this](int Index) { Label3_Click(Index); });

    const char* legendas_verduras[] = {"Sementes", "Mudas"};
    const int lefts_verduras[] = {2340, 5430};
    for (int i = 0; i < 2; ++i) {
        pf::Label& l = lbl_verduras.Add(i);
        l.Move(lefts_verduras[i], 150, 1500, 330);
        l.SetCaption(legendas_verduras[i]);
        l.SetBackStyle(pf::vbTransparent);
        l.SetForeColor(pf::vbWhite);
        l.SetFont(pf::Font{"MS Sans Serif", 9.75, true, false, true});
        l.SetMouseIcon(ponteiro);
        l.SetMousePointer(pf::vbCustom);
    }
    lbl_verduras.Bind(&pf::Label::OnClick, [this](int Index) { lbl_verduras_Click(Index); });

    // The grid: 419 x 419 pixels, its per-bed controls copied from the
    // templates of index 100.
    horta.Move(3000, 2460, 6285, 6285);
    horta.SetScaleMode(pf::vbPixels);
    horta.SetMouseIcon(ponteiro);
    horta.SetMousePointer(pf::vbCustom);
    horta.OnDragDrop = [this](pf::Control& Source, float X, float Y) { horta_DragDrop(Source, X, Y); };

    pf::Image& modelo_cant = cant.Add(100);
    modelo_cant.SetStretch(true);
    modelo_cant.Move(0, 0, 39, 40);
    modelo_cant.SetVisible(false);
    modelo_cant.SetDragMode(pf::vbAutomatic);
    modelo_cant.SetDragIcon(icone_arraste);
    modelo_cant.SetMouseIcon(ponteiro);
    modelo_cant.SetMousePointer(pf::vbCustom);
    cant.Bind(&pf::Image::OnDragDrop,
              [this](int Index, pf::Control& Source, float X, float Y) { cant_DragDrop(Index, Source, X, Y); });

    pf::TextBox& modelo_legenda = txt_label.Add(100);
    modelo_legenda.Move(0, 0, 37, 16);
    modelo_legenda.SetVisible(false);
    modelo_legenda.SetLocked(true);
    modelo_legenda.SetAlignment(pf::vbCenter);
    modelo_legenda.SetFont(pf::Font{"MS Serif", 6.75, true});
    modelo_legenda.SetForeColor(pf::vbBlack);
    modelo_legenda.SetMouseIcon(ponteiro);
    modelo_legenda.SetMousePointer(pf::vbCustom);
    txt_label.Bind(&pf::TextBox::OnClick, [this](int Index) { txt_label_Click(Index); });
    txt_label.Bind(&pf::TextBox::OnKeyPress, [](int, int& KeyAscii) { KeyAscii = 0; });
    txt_label.Bind(&pf::TextBox::OnGotFocus, [this](int Index) { txt_label_GotFocus(Index); });

    // The seedbed button and the five care buttons, hidden until the first
    // activation pictures them.
    const char* legendas[] = {"Sementeira", "Limpar", "Desbastar", "Amontoar", "ColherParte", "ColherTotal"};
    const pf::Color cores[] = {0x000000FF, 0x00C0FFFF, 0x0000FFFF, 0x00404080, 0x00FF00FF, 0x0000C000};
    const char* dicas[] = {
        "Ir para a Tela da Sementeira",
        "Fazer limpeza nos canteiros marcados de 'branco'",
        "Fazer o desbaste nos canteiros marcados de 'amarelo'",
        "Fazer a amontoa nos canteiros marcados de 'marrom'",
        "Fazer a colheita parcial nos canteiros marcados de 'rosa'",
        "Fazer a colheita total nos canteiros marcados de 'verde'",
    };
    for (int n = 0; n < 6; ++n) {
        pf::CommandButton& b = Command2.Add(kIndicesBotoes[n]);
        b.SetStyle(1);
        b.Move(10650, kTopsBotoes[n], 1150, 1155);
        b.SetCaption(legendas[n]);
        b.SetBackColor(cores[n]);
        b.SetToolTipText(dicas[n]);
        b.SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        b.SetMouseIcon(ponteiro);
        b.SetMousePointer(pf::vbCustom);
        b.SetVisible(false);
    }
    Command2.Bind(&pf::CommandButton::OnClick, [this](int Index) { Command2_Click(Index); });

    // Picture buttons of the left column and the week boxes.
    struct Figura {
        pf::PictureBox& caixa;
        int left, top, width, height;
    };
    for (Figura f : {Figura{hortelino, 540, 240, 1200, 1050}, Figura{pic_agenda, 540, 1590, 1200, 900},
                     Figura{pic_semen, 540, 2790, 1200, 990}, Figura{previsao, 615, 4110, 1050, 1020},
                     Figura{tempo_real, 578, 5820, 1125, 915}}) {
        f.caixa.Move(f.left, f.top, f.width, f.height);
        f.caixa.SetMouseIcon(ponteiro);
        f.caixa.SetMousePointer(pf::vbCustom);
    }
    previsao.SetToolTipText("Previsão");
    tempo_real.SetToolTipText("Tempo Real");
    hortelino.OnClick = [this] { hortelino_Click(); };
    pic_agenda.OnClick = [this] { pic_agenda_Click(); };
    pic_semen.OnClick = [this] { pic_semen_Click(); };
    previsao.OnClick = [this] { previsao_Click(); };
    tempo_real.OnClick = [this] { tempo_real_Click(); };

    for (pf::TextBox* caixa : {&terra, &tempo}) {
        caixa->SetLocked(true);
        caixa->SetAlignment(pf::vbCenter);
        caixa->SetFont(pf::Font{"MS Sans Serif", 12, true});
        caixa->OnKeyPress = [](int& KeyAscii) { KeyAscii = 0; };
    }
    terra.Move(765, 5190, 750, 420);
    terra.SetToolTipText("Marcador da semana da previsão");
    tempo.Move(765, 6780, 750, 420);
    tempo.SetToolTipText("Marcador da semana atual do ano");

    lbl_tempo.Move(540, 7320, 1200, 330);
    lbl_tempo.SetCaption("Tempos");
    lbl_atividades.Move(540, 7800, 1500, 330);
    lbl_atividades.SetCaption("Atividades");
    for (pf::Label* l : {&lbl_tempo, &lbl_atividades}) {
        l->SetAlignment(pf::vbCenter);
        l->SetBackStyle(pf::vbTransparent);
        l->SetForeColor(pf::vbWhite);
        l->SetFont(pf::Font{"MS Sans Serif", 9.75, true, false, true});
        l->SetMouseIcon(ponteiro);
        l->SetMousePointer(pf::vbCustom);
    }
    lbl_tempo.OnClick = [this] { lbl_tempo_Click(); };
    lbl_atividades.OnClick = [this] { lbl_atividades_Click(); };

    timer_.SetInterval(0);
    Timer1.SetInterval(0);
    Timergame.SetInterval(0);
    timer_.OnTimer = [this] { Timer__Timer(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timergame.OnTimer = [this] { Timergame_Timer(); };

    // The blink's markers are the legend boxes of the beds holding a crop.
    pisca.ganchos.marcadores = [this](const std::function<void(pf::TextBox&)>& f) {
        const auto& h = model::horta();
        for (int i = 0; i < model::n_canteiros; ++i)
            if (h.cult_can[i] > model::nenhuma && txt_label.Exists(i)) f(txt_label(i));
    };
    // The care the markers belong to is the one chosen last.
    pisca.ganchos.reabre = [this] { shell::reabre_cuidado(Command2, kCuidados, ultimo_tipo_trato); };
    pisca.ganchos.conclui = [this] {
        if (auto n = descobre_qual_btn(ultimo_tipo_trato)) Command2(*n).SetEnabled(false);
    };
    pisca.ganchos.termina = [this] {
        if (model::parabens_na_horta(algum_cuidado_habilitado()))
            shell::mostra_figura("Parabéns", anima("parah.jpg"));
    };
}

pf::Picture trabalhando_na_horta::figura_programa(const std::string& nome) const {
    return pf::LoadPicture(platform::ProgramFolder() + nome);
}

std::string trabalhando_na_horta::anima(const std::string& nome) const {
    return model::sessao().dir_anima + "\\anima\\" + nome;
}

pf::Image& trabalhando_na_horta::imagem_paleta(int k) { return *paleta_.at(k); }

pf::Image& trabalhando_na_horta::imagem_da_cultura(std::int16_t cult) { return *paleta_.at(FF_horta(cult)); }

std::int16_t trabalhando_na_horta::cultura_arrastada(const pf::Control& Source) const {
    for (int k = 0; k < n_paleta; ++k)
        if (paleta_[k] == &Source) return paleta()[k].cultura;
    return 0;
}

int trabalhando_na_horta::canteiro_arrastado(const pf::Control& Source) {
    for (int i = 0; i < model::n_canteiros; ++i)
        if (cant.Exists(i) && &cant(i) == &Source) return i;
    return -1;
}

// ------------------------------------------------------------------ life cycle

void trabalhando_na_horta::Form_Load() {
    auto& s = model::sessao();
    primeira_ativacao = true;
    shell::estado_telas().acao = shell::AcaoAtual{};
    shell::estado_telas().tela_atual = "horta";
    pf::Screen::AfterNextPaint([] { shell::prepara_destino("help"); });  // its help link has no animation to decode in
    figuras.reinicia();
    estado_tela().modo_trato = false;
    ultimo_tipo_legenda = 0;
    ultimo_tipo_trato.clear();
    ultimo_tipo_2.clear();

    // The legend colours are the buttons' own, whatever another screen left.
    s.cor_sem = Command2(2).BackColor();
    s.cor_li = Command2(5).BackColor();
    s.cor_des = Command2(6).BackColor();
    s.cor_am = Command2(7).BackColor();
    s.cor_cop = Command2(8).BackColor();
    s.cor_cof = Command2(9).BackColor();
    s.cor_cinza = 0x00C0C0C0;

    tempo_real.LoadPicture(model::pict_semana());
    previsao.LoadPicture(anima("planet01.bmp"));
    horta.LoadPicture(anima("g_horta3.jpg"));
    hortelino.LoadPicture(anima("hort00.bmp"));
    pic_agenda.LoadPicture(anima("age10.bmp"));
    pic_semen.LoadPicture(anima("mudas007.bmp"));
    LoadPicture(platform::ProgramFolder() + "\\back_ht6.jpg");

    cria_cants();
}

void trabalhando_na_horta::escreve_semanas_inicio() {
    const auto& h = model::horta();
    tempo.SetText(texto_semana(h.data_real));
    terra.SetText(texto_semana(h.data_agenda));
}

void trabalhando_na_horta::Form_Activate() {
    if (!primeira_ativacao) return;
    auto& s = model::sessao();
    if (s.trilha_fundo && figuras.apresenta(Timer1)) {
        intro_ativa = true;
        shell::toca_trilha(s.som_entrada_horta);
    }
    escreve_semanas_inicio();
    ja_tocou = false;
    SetMousePointer(pf::vbArrow);
    pl_tr(0);
    monta_matriz2(0, "", "");
    poe_pict_tratos();
    btn_sem_horta();
    SetMousePointer(pf::vbCrosshair);
    primeira_ativacao = false;
}

void trabalhando_na_horta::Form_Click() { shell::toca_silencio(SoundMode::Sync); }

// ------------------------------------------------------------------ grid

void trabalhando_na_horta::cria_controles_canteiro(int i) {
    if (!cant.Exists(i)) cant.Load(i).Move(passo_grade * coluna_de(i) + 1, passo_grade * linha_de(i) + 1);
    if (!txt_label.Exists(i))
        txt_label.Load(i).Move(passo_grade * coluna_de(i) + 2, passo_grade * linha_de(i) + 2);
}

void trabalhando_na_horta::remove_controles_canteiro(int i) {
    if (cant.Exists(i)) {
        cant(i).SetVisible(false);
        cant.Unload(i);
    }
    if (txt_label.Exists(i)) {
        txt_label(i).SetText("");
        txt_label.Unload(i);
    }
}

void trabalhando_na_horta::sincroniza_controles() {
    const auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i) {
        if (h.cult_can[i] > model::nenhuma)
            cria_controles_canteiro(i);
        else
            remove_controles_canteiro(i);
    }
}

void trabalhando_na_horta::cria_cants() {
    const auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i)
        if (h.cult_can[i] > model::nenhuma) cria_controles_canteiro(i);
}

void trabalhando_na_horta::paint_modulo(int i) {
    if (i < 0 || i >= model::n_canteiros) return;
    const int cult = model::horta().cult_can[i];
    if (!model::e_cultura(cult) || !cant.Exists(i)) return;
    const auto k = static_cast<std::int16_t>(cult);
    cant(i).SetPicture(figura_plantada(model::sessao().dir_anima + figura_canteiro(k), k));
    cant(i).SetVisible(true);
}

void trabalhando_na_horta::monta_matriz(std::int16_t tipo_legenda_, const std::string& tipo_trato_,
                                        const std::string& tipo_2_) {
    monta_matriz_base(tipo_legenda_, tipo_trato_, tipo_2_, false);
}

void trabalhando_na_horta::monta_matriz2(std::int16_t tipo_legenda_, const std::string& tipo_trato_,
                                         const std::string& tipo_2_) {
    monta_matriz_base(tipo_legenda_, tipo_trato_, tipo_2_, true);
}

// Repaints every planted bed with its legend and colours the care button of
// the activity due this week; the button is enabled by any such bed, or with
// `so_pendentes` only by a bed whose activity is not yet done ("ok").
void trabalhando_na_horta::monta_matriz_base(std::int16_t tipo_legenda_, const std::string& tipo_trato_,
                                             const std::string& tipo_2_, bool so_pendentes) {
    const auto& s = model::sessao();
    for (int k : kIndicesBotoes) {
        Command2(k).SetEnabled(false);
        Command2(k).SetBackColor(s.cor_cinza);
    }
    const auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i) {
        if (h.cult_can[i] <= model::nenhuma || !txt_label.Exists(i)) continue;
        txt_label(i).SetVisible(false);
        txt_label(i).SetText(h.check_can[i] ? "ok" : "");
        paint_modulo(i);
        const std::string t = model::trato_horta(h.cult_can[i], h.idade_can[i]);
        mostra_legenda(tipo_legenda_, tipo_trato_, tipo_2_, i, false, t);
        if (so_pendentes)
            des_es_liga(t, h.check_can[i]);
        else
            des_liga(t);
    }
    poe_pict_tratos();
}

void trabalhando_na_horta::monta_matriz3(std::int16_t tipo_legenda_, const std::string& tipo_trato_,
                                         const std::string& tipo_2_) {
    const auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i) {
        if (h.cult_can[i] <= model::nenhuma || !txt_label.Exists(i)) continue;
        txt_label(i).SetText(h.check_can[i] ? "ok" : "");
        txt_label(i).SetVisible(false);
        const std::string t = model::trato_horta(h.cult_can[i], h.idade_can[i]);
        mostra_legenda(tipo_legenda_, tipo_trato_, tipo_2_, i, false, t);
    }
}

// ------------------------------------------------------------------ buttons and legend

void trabalhando_na_horta::des_liga(const std::string& qual_trato) {
    const shell::BotaoCuidado* c = shell::cuidado_do_trato(kCuidados, qual_trato);
    if (!c) return;
    Command2(c->indice).SetEnabled(true);
    Command2(c->indice).SetBackColor(cor_do_trato(qual_trato));
}

void trabalhando_na_horta::des_es_liga(const std::string& qual_trato, bool v_chk) {
    const shell::BotaoCuidado* c = shell::cuidado_do_trato(kCuidados, qual_trato);
    if (!c) return;
    if (!v_chk) Command2(c->indice).SetEnabled(true);
    Command2(c->indice).SetBackColor(cor_do_trato(qual_trato));
}

void trabalhando_na_horta::poe_pict_tratos() {
    if (!Command2(2).Visible())
        for (int k : kIndicesBotoes) Command2(k).SetVisible(true);
    Command2(2).SetDisabledPicture(figura_programa("\\semencpb.bmp"));
    Command2(2).SetPicture(figura_programa("\\semenc.bmp"));
    const std::string& raiz = model::sessao().dir_anima;
    for (const auto& c : kCuidados) {
        Command2(c.indice).SetDisabledPicture(pf::LoadPicture(raiz + c.figura_pb));
        Command2(c.indice).SetPicture(pf::LoadPicture(raiz + c.figura));
    }
}

void trabalhando_na_horta::btn_sem_horta() {
    const auto& s = model::sessao();
    pf::CommandButton& b = Command2(2);
    b.SetEnabled(false);
    b.SetBackColor(s.cor_cinza);
    const int sit = model::sit_tratos_sem();
    if (sit > 0) b.SetBackColor(s.cor_sem);
    if (sit == 1) b.SetEnabled(true);
    if (!b.Enabled() && model::tem_pls()) {
        b.SetBackColor(s.cor_sem);
        b.SetEnabled(true);
    }
}

void trabalhando_na_horta::mostra_legenda(std::int16_t tipo_legenda, const std::string& tipo_trato,
                                          const std::string& tipo_2, int pos_atual, bool chama_acha_trato,
                                          const std::string& up_trato) {
    ultimo_tipo_legenda = tipo_legenda;
    ultimo_tipo_trato = tipo_trato;
    ultimo_tipo_2 = tipo_2;
    if (pos_atual < 0 || pos_atual >= model::n_canteiros || !txt_label.Exists(pos_atual)) return;
    pf::TextBox& caixa = txt_label(pos_atual);
    if (shell::cuidado_do_trato(kCuidados, tipo_trato)) {
        caixa.SetBackColor(cor_do_trato(tipo_trato));
        caixa.SetForeColor(tipo_trato == "AM" ? pf::vbWhite : pf::vbBlack);
    }
    const auto& h = model::horta();
    if (h.cult_can[pos_atual] > model::nenhuma && tipo_legenda == 1) {
        const std::string t =
            chama_acha_trato ? model::trato_horta(h.cult_can[pos_atual], h.idade_can[pos_atual]) : up_trato;
        if (estado_tela().modo_trato && (t == tipo_trato || (!tipo_2.empty() && t == tipo_2))) {
            caixa.SetVisible(true);
            tem_canteiro = true;
        }
    }
}

std::optional<int> trabalhando_na_horta::descobre_qual_btn(const std::string& trato) {
    return shell::descobre_cuidado(Command2, kCuidados, trato);
}

void trabalhando_na_horta::final_animation_1() {
    if (Timer1.Interval() == 0) return;
    poe_pict_tratos();
    Timer1.SetInterval(0);
    timer_.SetInterval(0);
    intro_ativa = false;
}

bool trabalhando_na_horta::algum_cuidado_habilitado() {
    for (const auto& c : kCuidados)
        if (Command2(c.indice).Enabled()) return true;
    return false;
}

// ------------------------------------------------------------------ palette

void trabalhando_na_horta::pl_tr(std::int16_t cult, int removida) {
    if (cult == model::nao_usado) return;
    if (cult != 0 && !model::e_cultura(cult)) return;
    const int primeira = cult == 0 ? 1 : cult;
    const int ultima = cult == 0 ? model::n_culturas : cult;
    for (int k = primeira; k <= ultima; ++k) {
        pf::Label& cont = Label3(FF_horta(static_cast<std::int16_t>(k)));
        cont.SetVisible(false);
        cont.SetCaption("-");
    }
    for (const auto& [k, status] : model::status_da_paleta(cult, removida)) {
        if (status == "x" || status == "-") continue;
        const EntradaPaleta& e = paleta()[FF_horta(static_cast<std::int16_t>(k))];
        pf::Label& cont = Label3(FF_horta(static_cast<std::int16_t>(k)));
        cont.SetVisible(true);
        imagem_da_cultura(static_cast<std::int16_t>(k)).LoadPicture(model::sessao().dir_anima + e.figura);
        cont.SetCaption(status);
        imagem_da_cultura(static_cast<std::int16_t>(k)).SetDragMode(pf::vbAutomatic);
    }
    if (!model::sessao().modo_guiado) {
        for (int k = 0; k < n_paleta; ++k) {
            imagem_paleta(k).SetDragMode(pf::vbAutomatic);
            imagem_paleta(k).LoadPicture(model::sessao().dir_anima + paleta()[k].figura_sem_guia);
        }
    }
}

void trabalhando_na_horta::Label3_Click(int Index) {
    if (Index < 0 || Index >= n_paleta) return;
    const EntradaPaleta& e = paleta()[Index];
    shell::mostra_ok(nome_na_explicacao(e), explicacao_contador(e, Label3(Index).Caption()));
}

// ------------------------------------------------------------------ planting and removal

void trabalhando_na_horta::c_DragOver(pf::Image& imagem, pf::Control& Source, float, float, int) {
    if (ja_tocou || &Source != &imagem) return;
    const EntradaPaleta* e = entrada_da_cultura(cultura_arrastada(imagem));
    if (e) shell::toca_voz(e->nome_som, SoundMode::Async);
    ja_tocou = true;
}

void trabalhando_na_horta::c_DragDrop(pf::Control&, float, float) { ja_tocou = false; }

void trabalhando_na_horta::recusa_ocupado() {
    ja_tocou = false;
    shell::mostra_ok("Ocupado", "Este canteiro já está ocupado");
}

void trabalhando_na_horta::cant_DragDrop(int, pf::Control& Source, float, float) {
    if (cultura_arrastada(Source) != 0) recusa_ocupado();
}

bool trabalhando_na_horta::arrastar_soltar_horta(std::int16_t i_cult, std::int16_t i_matriz) {
    return model::planta(i_cult, i_matriz, [] { return shell::pergunta_sim_nao("Regra de Rotação", kPerguntaRotacao); });
}

void trabalhando_na_horta::horta_DragDrop(pf::Control& Source, float X, float Y) {
    const bool direto_antes = model::tem_plantio_direto();
    const std::int16_t k = cultura_arrastada(Source);
    if (k == 0) return;
    const std::int16_t i = celula_sob(X, Y);
    // The pointer in the margin of a bed that already holds a crop: refused
    // as a drop on the bed's image is.
    if (model::canteiro_ocupado(i)) {
        recusa_ocupado();
        return;
    }
    ja_tocou = false;
    shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    if (!arrastar_soltar_horta(k, i)) return;

    cria_controles_canteiro(i);
    cant(i).Move(passo_grade * coluna_de(i) + 1, passo_grade * linha_de(i) + 1);
    cant(i).SetVisible(true);
    cant(i).SetPicture(figura_plantada(model::sessao().dir_anima + figura_canteiro(k), k));
    txt_label(i).Move(passo_grade * coluna_de(i) + 2, passo_grade * linha_de(i) + 1);
    mostra_legenda(ultimo_tipo_legenda, ultimo_tipo_trato, ultimo_tipo_2, i, true, "");

    auto& h = model::horta();
    h.conta_can[k] += 1;
    const int faltam = h.seq_cult[k] - h.conta_can[k];
    Label3(supertreme(k)).SetCaption(faltam > 0 ? std::to_string(faltam) : "-");
    if (model::sessao().som_ligado) shell::toca_efeito("\\blip.wav", SoundMode::Sync);

    pl_tr(k);
    paint_modulo(i);
    des_liga(model::trato_horta(k, 0));
    btn_sem_horta();

    if (model::parabens_na_horta(algum_cuidado_habilitado()) && direto_antes)
        shell::mostra_figura("Parabéns", anima("parah.jpg"));
}

void trabalhando_na_horta::Form_DragDrop(pf::Control& Source, float, float) {
    ja_tocou = false;
    const int i = canteiro_arrastado(Source);
    if (i < 0) return;
    if (!shell::pergunta_sim_nao("Atenção ...", "Confirma que quer 'excluir' essa verdura ?")) return;

    shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    const int k0 = model::remove_canteiro(i);
    remove_controles_canteiro(i);  // Source is gone from here on

    if (k0 > 0 && model::sessao().som_ligado) shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    // A removed seedbed crop may be transplanted again although no
    // seedlings of it are ready: its counter says so on this refresh.
    pl_tr(static_cast<std::int16_t>(k0), k0);
    paint_modulo(i);
    const auto& h = model::horta();
    des_liga(model::trato_horta(h.cult_can[i], h.idade_can[i]));
    btn_sem_horta();
}

// ------------------------------------------------------------------ care work

// A care button shows the beds of its care, says whether there are any and
// plays its cycle; the seedbed button plays its own on the way there.
void trabalhando_na_horta::Command2_Click(int Index) {
    Command2(Index).SetMousePointer(pf::vbHourglass);
    Timergame.SetInterval(0);
    final_animation_1();
    if (const auto* b = figuras.do_botao(&G::Command2, Index)) {
        if (const shell::BotaoCuidado* c = shell::cuidado_da_acao(kCuidados, b->acao)) {
            estado_tela().modo_trato = true;
            tem_canteiro = false;
            monta_matriz3(1, c->trato, "");
            shell::toca_voz(tem_canteiro ? c->som_com_marca : c->som_sem_marca, SoundMode::Async);
        }
        figuras.inicia(*b);
    }
    if (Command2.Exists(Index)) Command2(Index).SetMousePointer(pf::vbCustom);
}

void trabalhando_na_horta::txt_label_Click(int Index) {
    if (Index < 0 || Index >= model::n_canteiros || !txt_label.Exists(Index)) return;
    const bool feito = model::marca_canteiro(Index);
    pisca.clicado(txt_label(Index), feito, model::cuidado_concluido_na_horta(ultimo_tipo_trato));
}

void trabalhando_na_horta::Timergame_Timer() { pisca.passo(); }

void trabalhando_na_horta::txt_label_GotFocus(int) { horta.SetFocus(); }

// ------------------------------------------------------------------ picture buttons

void trabalhando_na_horta::Timer__Timer() { figuras.passo(intro_ativa); }

void trabalhando_na_horta::Timer1_Timer() { final_animation_1(); }

// A picture button's click: ends the palette animation, then plays the
// button's frames through the 100 ms timer; the last click wins.
void trabalhando_na_horta::anima_botao(shell::AcaoAtual acao) {
    final_animation_1();
    figuras.inicia(acao);
}

void trabalhando_na_horta::anima_semana(shell::AcaoSemana acao, int quadros) {
    final_animation_1();
    figuras.inicia(acao, quadros);
}

void trabalhando_na_horta::hortelino_Click() {
    hortelino.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::hortelino);
}

void trabalhando_na_horta::pic_agenda_Click() {
    pic_agenda.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::agenda);
}

void trabalhando_na_horta::pic_semen_Click() {
    pic_semen.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::mudas);
}

void trabalhando_na_horta::lbl_verduras_Click(int Index) {
    shell::abre_help(*this, lbl_verduras(Index), Index == 0 ? "Culturas1" : "Culturas2", "horta-destino-help");
}

void trabalhando_na_horta::lbl_tempo_Click() { shell::mostra_figura("Tempo Real", anima("help6.jpg")); }

void trabalhando_na_horta::lbl_atividades_Click() {
    shell::abre_help(*this, lbl_atividades, "Atividades", "horta-destino-help");
}

// ------------------------------------------------------------------ forecast

void trabalhando_na_horta::previsao_Click() {
    shell::clica_previsao(
        previsao, terra, [this] { anima_semana(AcaoSemana::previsao, 22); },
        [this](const std::vector<int>& liberados) {
            for (int i : liberados) remove_controles_canteiro(i);
            sincroniza_controles();
            pl_tr(0);
            monta_matriz(0, "", "");
            btn_sem_horta();
        });
}

void trabalhando_na_horta::tempo_real_Click() {
    shell::clica_tempo_real(tempo_real, terra, [this] { anima_semana(AcaoSemana::tempo_real, 7); }, [this] {
        // Beds freed or removed during the forecast come back; beds planted
        // during it go.
        sincroniza_controles();
        pl_tr(0);
        monta_matriz(0, "", "");
        Command2(2).SetEnabled(false);
        Command2(2).SetBackColor(model::sessao().cor_cinza);
        btn_sem_horta();
    });
}

// ------------------------------------------------------------------ registry

void registra_formularios() {
    pf::Forms::Register<trabalhando_na_horta>(nome_tela_horta);
    // What the garden loads as it opens, decoded ahead while the button that
    // leads here plays its animation.
    // The form's own pictures (pointer, drag icon, the crop palette) and the
    // care buttons' come with them.
    pf::SetScreenPictures(nome_tela_horta, [] {
        const std::string raiz = model::sessao().dir_anima;
        const std::string a = raiz + "\\anima\\";
        const std::string pasta = platform::ProgramFolder();
        const std::string form = pasta + "\\forms\\trabalhando_na_horta_";
        std::vector<std::string> v{pasta + "\\back_ht6.jpg", a + "g_horta3.jpg",      a + "planet01.bmp",
                                   a + "hort00.bmp",       a + "age10.bmp",         a + "mudas007.bmp",
                                   form + "MouseIcon.png",  form + "DragIcon.png",   pasta + "\\semencpb.bmp",
                                   pasta + "\\semenc.bmp"};
        for (const EntradaPaleta& e : paleta()) v.push_back(form + e.imagem + ".bmp");
        for (const auto& c : kCuidados) {
            v.push_back(raiz + c.figura_pb);
            v.push_back(raiz + c.figura);
        }
        return v;
    });
}

}  // namespace garden
