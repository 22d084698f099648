#include "garden/trabalhando_na_horta.h"

#include "garden/animacao.h"
#include "garden/estado_tela.h"
#include "garden/paleta.h"
#include "model/modelo.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/sons.h"

namespace garden {

namespace {

using platform::SoundMode;

// The care buttons of Command2 (indices 5 to 9).
constexpr std::array<shell::BotaoCuidado, 5> kCuidados{{
    {5, "LI", AcaoHorta::limpar, 13, 7, "\\l1.wav", "\\l2.wav", "\\anima\\li06.bmp", "\\anima\\li06bw.bmp"},
    {6, "DES", AcaoHorta::desbastar, 13, 7, "\\d1.wav", "\\d2.wav", "\\anima\\des06.bmp", "\\anima\\des06bw.bmp"},
    {7, "AM", AcaoHorta::amontoar, 12, 6, "\\am1.wav", "\\am2.wav", "\\anima\\amo05.bmp", "\\anima\\amo05bw.bmp"},
    {8, "COP", AcaoHorta::colher_parte, 15, 6, "\\cp1.wav", "\\cp2.wav", "\\anima\\cop05.bmp", "\\anima\\cop05bw.bmp"},
    {9, "COF", AcaoHorta::colher_total, 14, 8, "\\cf1.wav", "\\cf2.wav", "\\anima\\cof05.bmp", "\\anima\\cof05bw.bmp"},
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

bool e_imagem_paleta(const pf::Control& c) { return c.Name().rfind("c_", 0) == 0; }

constexpr int kIndicesBotoes[] = {2, 5, 6, 7, 8, 9};
constexpr int kTopsBotoes[] = {540, 1950, 3360, 4770, 6180, 7590};

}  // namespace

// ------------------------------------------------------------------ design

trabalhando_na_horta::trabalhando_na_horta() : pf::Form(nome_tela_horta), cuidados(kCuidados) {
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
    pisca.ganchos.reabre = [this](pf::Color cor) { shell::reabre_cuidado(Command2, kCuidados, cor); };
    pisca.ganchos.conclui = [this](pf::Color cor) {
        if (auto n = descobre_qual_btn(cor)) Command2(*n).SetEnabled(false);
    };
    pisca.ganchos.termina = [this] {
        if (!model::tem_plantio() && !algum_cuidado_habilitado() && model::sessao().modo_guiado)
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

// ------------------------------------------------------------------ life cycle

void trabalhando_na_horta::Form_Load() {
    auto& s = model::sessao();
    primeira_ativacao = true;
    shell::estado_telas().acao = shell::AcaoAtual{};
    shell::estado_telas().tela_atual = "horta";
    pf::Screen::AfterNextPaint([] { shell::prepara_destino("help"); });  // its help link has no animation to decode in
    cuidados.reinicia();
    fase_ssem = 1;
    arq_quadro.clear();
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
    if (s.trilha_fundo) {
        intro_ativa = true;
        shell::estado_telas().quadro = 10000;
        Timer1.SetInterval(12000);
        timer_.SetInterval(100);
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
    cant(i).LoadPicture(model::sessao().dir_anima + figura_canteiro(static_cast<std::int16_t>(cult)));
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

std::optional<int> trabalhando_na_horta::descobre_qual_btn(pf::Color cor) {
    return shell::descobre_cuidado(Command2, kCuidados, cor);
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

std::string trabalhando_na_horta::FFF_horta(const std::string& nome) const {
    const std::string rel = FFF_horta_relativo(nome);
    return rel.empty() ? std::string() : model::sessao().dir_anima + rel;
}

void trabalhando_na_horta::pl_tr(std::int16_t cult) {
    if (cult == model::nao_usado) return;
    if (cult != 0 && !model::e_cultura(cult)) return;
    auto& h = model::horta();
    const auto& cat = model::catalogo();
    auto& est = estado_tela();
    const int primeira = cult == 0 ? 1 : cult;
    const int ultima = cult == 0 ? model::n_culturas : cult;

    for (int k = primeira; k <= ultima; ++k) {
        pf::Label& cont = Label3(FF_horta(static_cast<std::int16_t>(k)));
        cont.SetVisible(false);
        cont.SetCaption("-");
        h.conta_can[k] = 0;
    }
    for (int i = 0; i < model::n_canteiros; ++i) {
        const int c = h.cult_can[i];
        if (!model::e_cultura(c)) continue;
        if (cult != 0 && c != cult) continue;
        if (h.idade_can[i] < cat.interv_cult[c]) h.conta_can[c] += 1;
    }
    for (int k = primeira; k <= ultima; ++k) {
        std::string status = model::status_plantio(k);
        // A bed of this seedbed crop was just removed: it may be planted again
        // although no seedlings of it are ready.
        if (status == "x" && est.estado_arraste == 6 && est.flag_excluir && est.cult_excluida == k) {
            est.flag_excluir = false;
            status = "1";
        }
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
    if (ja_tocou || Source.Name() != imagem.Name()) return;
    const EntradaPaleta* e = entrada_da_cultura(F_horta(imagem.Name()));
    if (e) shell::toca_voz(e->nome_som, SoundMode::Async);
    ja_tocou = true;
}

void trabalhando_na_horta::c_DragDrop(pf::Control&, float, float) { ja_tocou = false; }

void trabalhando_na_horta::recusa_ocupado() {
    ja_tocou = false;
    shell::mostra_ok("Ocupado", "Este canteiro já está ocupado");
}

void trabalhando_na_horta::cant_DragDrop(int, pf::Control& Source, float, float) {
    if (e_imagem_paleta(Source)) recusa_ocupado();
}

bool trabalhando_na_horta::arrastar_soltar_horta(std::int16_t i_cult, std::int16_t i_matriz) {
    auto& s = model::sessao();
    auto& h = model::horta();
    const auto& cat = model::catalogo();
    if (!model::e_cultura(i_cult) || i_matriz < 0 || i_matriz >= model::n_canteiros) return false;
    static const char* kPergunta =
        "Esta verdura pertence à mesma família botânica da verdura que ocupava este canteiro. "
        "Você deseja plantar assim mesmo ?";

    s.resp_ok_nao = true;
    const int ult = h.ult_cult[i_matriz];
    if (model::e_cultura(ult) && cat.fam_cult[i_cult] == cat.fam_cult[ult])
        shell::pergunta_sim_nao("Regra de Rotação", kPergunta);
    const int penult = h.penult_cult[i_matriz];
    if (model::e_cultura(penult) && cat.fam_cult[i_cult] == cat.fam_cult[penult])
        shell::pergunta_sim_nao("Regra de Rotação", kPergunta);
    if (!s.resp_ok_nao) return false;

    h.nome_can[i_matriz] = cat.nome_cult[i_cult];
    h.cult_can[i_matriz] = i_cult;
    h.idade_can[i_matriz] = 0;
    // The last bed of a transplanted crop: its ready seedlings left in the
    // seedbed are no longer needed.
    if (cat.sem_cult[i_cult] > 0 && Label3(FF_horta(i_cult)).Caption() == "1") {
        for (int n = 0; n < model::n_lotes; ++n) {
            if (h.cult_sem[n] == i_cult && h.idade_sem[n] == cat.sem_cult[i_cult]) {
                h.cult_sem[n] = model::nenhuma;
                h.idade_sem[n] = 0;
                h.nome_sem[n].clear();
            }
        }
    }
    return true;
}

void trabalhando_na_horta::horta_DragDrop(pf::Control& Source, float X, float Y) {
    auto& est = estado_tela();
    bool direto_visivel = false;
    for (int p : posicoes_plantio_direto) direto_visivel = direto_visivel || Label3(p).Visible();

    if (!e_imagem_paleta(Source)) {
        est.flag_excluir = false;
        return;
    }
    const std::int16_t i = celula_sob(X, Y);
    // The pointer in the margin of a bed that already holds a crop: refused
    // as a drop on the bed's image is.
    if (model::horta().cult_can[i] > model::nenhuma) {
        recusa_ocupado();
        return;
    }
    est.flag_excluir = false;
    ja_tocou = false;
    shell::toca_efeito("\\blip.wav", SoundMode::Sync);

    const std::string nome = Source.Name();
    const std::int16_t k = F_horta(nome);
    if (!arrastar_soltar_horta(k, i)) return;

    cria_controles_canteiro(i);
    cant(i).Move(passo_grade * coluna_de(i) + 1, passo_grade * linha_de(i) + 1);
    cant(i).SetVisible(true);
    cant(i).LoadPicture(FFF_horta(nome));
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

    const bool guiado = model::sessao().modo_guiado;
    const bool plantio = model::tem_plantio();
    if (guiado && direto_visivel && !plantio && !algum_cuidado_habilitado())
        shell::mostra_figura("Parabéns", anima("parah.jpg"));
}

void trabalhando_na_horta::Form_DragDrop(pf::Control& Source, float, float) {
    auto& est = estado_tela();
    est.estado_arraste = 5;
    ja_tocou = false;
    if (platform::UCase(Source.Name().substr(0, 4)) != "CANT") return;

    const int i = Source.Index();
    if (i < 0 || i >= model::n_canteiros) return;
    auto& h = model::horta();
    const int k0 = h.cult_can[i];
    if (!shell::pergunta_sim_nao("Atenção ...", "Confirma que quer 'excluir' essa verdura ?")) return;

    shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    est.estado_arraste = 6;
    if (model::e_cultura(k0) && model::catalogo().sem_cult[k0] > 0) {
        est.flag_excluir = true;
        est.cult_excluida = static_cast<std::int16_t>(k0);
    }
    h.cult_can[i] = model::nao_usado;
    h.nome_can[i].clear();
    h.idade_can[i] = 0;
    remove_controles_canteiro(i);  // Source is gone from here on

    if (k0 > 0 && model::sessao().som_ligado) shell::toca_efeito("\\blip.wav", SoundMode::Sync);
    pl_tr(static_cast<std::int16_t>(k0));
    // The removal flag serves this one refresh of the removed crop only.
    est.flag_excluir = false;
    paint_modulo(i);
    des_liga(model::trato_horta(h.cult_can[i], h.idade_can[i]));
    btn_sem_horta();
}

// ------------------------------------------------------------------ care work

void trabalhando_na_horta::Command2_Click(int Index) {
    auto& s = shell::estado_telas();
    Command2(Index).SetMousePointer(pf::vbHourglass);
    Timergame.SetInterval(0);
    final_animation_1();
    if (Index == 2) {
        fase_ssem = 1;
        s.acao = AcaoHorta::botao_sementeira;
        s.quadro = 8;
        timer_.SetInterval(100);
        shell::prepara_destino(tela_sementeira);
    } else {
        if (const shell::BotaoCuidado* c = cuidados.do_botao(Index)) {
            estado_tela().modo_trato = true;
            tem_canteiro = false;
            monta_matriz3(1, c->trato, "");
            shell::toca_voz(tem_canteiro ? c->som_com_marca : c->som_sem_marca, SoundMode::Async);
            cuidados.inicia(*c);
            timer_.SetInterval(100);
        }
    }
    if (Command2.Exists(Index)) Command2(Index).SetMousePointer(pf::vbCustom);
}

void trabalhando_na_horta::txt_label_Click(int Index) {
    auto& h = model::horta();
    if (Index < 0 || Index >= model::n_canteiros || !txt_label.Exists(Index)) return;
    h.check_can[Index] = !h.check_can[Index];
    pisca.clicado(txt_label(Index), h.check_can[Index]);
}

void trabalhando_na_horta::Timergame_Timer() { pisca.passo(); }

void trabalhando_na_horta::txt_label_GotFocus(int) { horta.SetFocus(); }

// ------------------------------------------------------------------ animation engine

void trabalhando_na_horta::quadro_cuidado(AcaoHorta ciclo, int indice_botao, int& fase) {
    auto& s = shell::estado_telas();
    if (s.quadro == 0) {
        timer_.SetInterval(0);
        return;
    }
    shell::passo_ciclo(fase, comprimento_ciclo(ciclo), arq_quadro,
                       [ciclo](int posicao) { return quadro_ciclo(ciclo, posicao); });
    shell::mostra_quadro(Command2(indice_botao), arq_quadro);
    fase += 1;
    s.quadro -= 1;
}

bool trabalhando_na_horta::navega(const char* destino, const char* cue) {
    return shell::navega(*this, timer_, destino, cue, "horta-destino-", {&hortelino, &pic_agenda, &pic_semen},
                         pf::vbCustom);
}

void trabalhando_na_horta::Timer__Timer() {
    if (timer_.Interval() == 0) return;
    auto& t = shell::estado_telas();

    // Back to the real week: the weekdays up to today.
    if (t.acao == AcaoSemana::tempo_real)
        shell::passo_tempo_real(timer_, tempo_real, [](int quadro) { return 7 - quadro; });
    // Forecast: the planet turns.
    if (t.acao == AcaoSemana::previsao) shell::passo_previsao(timer_, previsao);
    // Care buttons, each alone or all together in the entry presentation.
    cuidados.anima(intro_ativa, [this](const shell::BotaoCuidado& c, int& fase) {
        quadro_cuidado(*c.acao.como<AcaoHorta>(), c.indice, fase);
    });

    // The seedbed button.
    if (t.acao == AcaoHorta::botao_sementeira || intro_ativa) {
        if (t.quadro == 0) {
            if (t.acao == AcaoHorta::botao_sementeira) {
                if (navega(tela_sementeira, "\\vamsem.wav")) return;
            } else {
                timer_.SetInterval(0);
            }
        } else {
            quadro_cuidado(AcaoHorta::botao_sementeira, 2, fase_ssem);
        }
    }
    // The gardener, back to the main menu.
    if (t.acao == AcaoHorta::hortelino &&
        shell::passo_saida(hortelino, shell::quadro_hortelino, [this] { return navega(tela_menu, nullptr); }))
        return;
    // The agenda.
    if (t.acao == AcaoHorta::agenda &&
        shell::passo_saida(pic_agenda, shell::quadro_agenda, [this] { return navega(tela_agenda, "\\vamage.wav"); }))
        return;
    // The seedlings, to the seedbed.
    if (t.acao == AcaoHorta::mudas &&
        shell::passo_saida(
            [&] {
                pic_semen.LoadPicture(model::sessao().dir_anima + shell::quadro_mudas(t.quadro));
                t.quadro -= 1;
            },
            [this] { pic_semen.LoadPicture(anima("mudas007.bmp")); },
            [this] { return navega(tela_sementeira, "\\vamsem.wav"); }))
        return;
}

void trabalhando_na_horta::Timer1_Timer() { final_animation_1(); }

// A picture button's click: ends the palette animation, then plays the
// button's frames through the 100 ms timer; the last click wins.
void trabalhando_na_horta::anima_botao(shell::AcaoAtual acao, int quadros) {
    auto& s = shell::estado_telas();
    final_animation_1();
    s.acao = acao;
    s.quadro = quadros;
    timer_.SetInterval(100);
}

void trabalhando_na_horta::hortelino_Click() {
    hortelino.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::hortelino, 14);
    shell::prepara_destino(tela_menu);
}

void trabalhando_na_horta::pic_agenda_Click() {
    pic_agenda.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::agenda, 11);
    shell::prepara_destino(tela_agenda);
}

void trabalhando_na_horta::pic_semen_Click() {
    pic_semen.SetMousePointer(pf::vbHourglass);
    anima_botao(AcaoHorta::mudas, 8);
    shell::prepara_destino(tela_sementeira);
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
        previsao, terra, [this] { anima_botao(AcaoSemana::previsao, 22); },
        [this](const std::vector<int>& liberados) {
            for (int i : liberados) remove_controles_canteiro(i);
            sincroniza_controles();
            pl_tr(0);
            monta_matriz(0, "", "");
            btn_sem_horta();
        });
}

void trabalhando_na_horta::tempo_real_Click() {
    shell::clica_tempo_real(tempo_real, terra, [this] { anima_botao(AcaoSemana::tempo_real, 7); }, [this] {
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
    pf::SetScreenPictures(nome_tela_horta, [] {
        const std::string a = model::sessao().dir_anima + "\\anima\\";
        return std::vector<std::string>{platform::ProgramFolder() + "\\back_ht6.jpg", a + "g_horta3.jpg",
                                        a + "planet01.bmp", a + "hort00.bmp", a + "age10.bmp", a + "mudas007.bmp"};
    });
}

}  // namespace garden
