#include "agenda/age.h"

#include <algorithm>

#include "agenda/animacao.h"
#include "agenda/impressao.h"
#include "agenda/registro.h"
#include "agenda/tabelas_relatorio.h"
#include "model/modelo.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/sons.h"

namespace agenda {

namespace {

using platform::SoundMode;

constexpr Lista kOrdemBarras[] = {Lista::PLD, Lista::PLS, Lista::TR, Lista::LI,
                                  Lista::DES, Lista::AM,  Lista::COP, Lista::COF};

constexpr int kLinhasVisiveis = 10;

// Screen design: the lists lie in two rows of four to the right of the
// navigation column.
constexpr int kEsquerdaListas = 1950;
constexpr int kPassoListas = 2500;
constexpr int kTopos[] = {120, 4560};
constexpr int kLarguraTexto = 2170;
constexpr int kLarguraBarra = 255;
constexpr int kTopoLinhas = 1020;
constexpr int kAlturaLinha = 300;

}  // namespace

// ------------------------------------------------------------------ design

namespace {

using shell::NaApresentacao;
using A = age;

// The picture buttons: the activity pictures play their cycles, all together
// in the entry presentation; the gardener and the seedlings count their
// frames down to their screen, the hoe plays its cycle there; the printer
// plays its cycle, then asks to print.
constexpr shell::BotaoFigura<A> kFiguras[] = {
    {.acao = Acao::tr, .figura = &A::tr, .quadro = shell::quadro_transplante, .ciclo = shell::ciclo_transplante,
     .quadros = 79, .fase_inicial = 5, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::pls, .figura = &A::pls, .quadro = quadro_semeadura, .ciclo = ciclo_semeadura, .quadros = 79,
     .fase_inicial = 9, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::cof, .figura = &A::cof, .quadro = shell::quadro_colheita_total,
     .ciclo = shell::ciclo_colheita_total, .quadros = 85, .fase_inicial = 8, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::li, .figura = &A::limp, .quadro = shell::quadro_limpeza, .ciclo = shell::ciclo_limpeza,
     .quadros = 85, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::pld, .figura = &A::pld, .quadro = quadro_plantio, .ciclo = ciclo_plantio, .quadros = 61,
     .fase_inicial = 6, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::am, .figura = &A::amo, .quadro = shell::quadro_amontoa, .ciclo = shell::ciclo_amontoa,
     .quadros = 73, .fase_inicial = 6, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::cop, .figura = &A::cop, .quadro = shell::quadro_colheita_parcial,
     .ciclo = shell::ciclo_colheita_parcial, .quadros = 85, .fase_inicial = 6, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::des, .figura = &A::desb, .quadro = shell::quadro_desbaste, .ciclo = shell::ciclo_desbaste,
     .quadros = 79, .fase_inicial = 7, .apresentacao = NaApresentacao::anima},
    {.acao = Acao::menu, .figura = &A::hortelino, .quadro = quadro_hortelino, .ciclo = 0, .quadros = 14,
     .destino = tela_menu},
    {.acao = Acao::sementeira, .figura = &A::pic_semen, .quadro = quadro_mudas, .ciclo = 0, .quadros = 8,
     .destino = tela_sementeira, .cue = "\\vamsem.wav"},
    {.acao = Acao::horta, .figura = &A::pic_horta, .quadro = quadro_enxada, .ciclo = ciclo_enxada, .quadros = 12,
     .destino = tela_horta, .cue = "\\vamhor.wav", .repouso = "\\anima\\enx00c.bmp"},
    {.acao = Acao::imprime, .figura = &A::pic_imp, .quadro = quadro_impressora, .ciclo = ciclo_impressora,
     .quadros = 7, .fim = &A::fim_impressao},
};

// The activity pictures' clicks: the action, its list and the voices of the
// click (the list holds some line / none).
struct CuidadoAgenda {
    Acao acao;
    Lista lista;
    const char* som_com;
    const char* som_sem;
};
const CuidadoAgenda kCuidadosAgenda[] = {
    {Acao::tr, Lista::TR, "\\agetra.wav", "\\agentra.wav"},
    {Acao::pls, Lista::PLS, "\\agesem.wav", "\\agensem.wav"},
    {Acao::cof, Lista::COF, "\\agecof.wav", "\\cf2.wav"},
    {Acao::li, Lista::LI, "\\agelim.wav", "\\l2.wav"},
    {Acao::pld, Lista::PLD, "\\agepla.wav", "\\agenpla.wav"},
    {Acao::am, Lista::AM, "\\ageamo.wav", "\\am2.wav"},
    {Acao::cop, Lista::COP, "\\agecop.wav", "\\cp2.wav"},
    {Acao::des, Lista::DES, "\\agedes.wav", "\\d2.wav"},
};

}  // namespace

age::age()
    : pf::Form(nome_tela_agenda),
      figuras(*this, timer_, kFiguras,
              shell::Saida{"agenda-destino-", {&hortelino, &pic_horta, &pic_semen}, pf::vbDefault},
              shell::BotoesSemana{&previsao, &tempo_real}) {
    SetCaption("Agenda");
    SetClientSize(12000, 9000);
    SetFont(pf::Font{"MS Sans Serif", 8.25, false});

    struct Atividade {
        pf::PictureBox& figura;
        Lista lista;
        int coluna, linha;          // place in the two rows of four
        int titulo;                 // element of Label1
        const char* legenda;
        const char* dica;
        int marca_sementeira;       // element of PLS3, -1 none
        int marca_horta;            // element of canteiro, -1 none
    };
    const Atividade atividades[] = {
        {pld, Lista::PLD, 0, 0, 2, "Plantio", "Fazer os plantios relacionados abaixo", -1, 1},
        {pls, Lista::PLS, 1, 0, 1, "Sementeira", "Fazer as sementeira relacionadas abaixo", 0, -1},
        {tr, Lista::TR, 2, 0, 3, "Transplante", "Fazer os transplantes relacionados abaixo", 1, 2},
        {limp, Lista::LI, 3, 0, 5, "Limpeza", "Fazer a limpeza nos locais relacionados abaixo", 2, 4},
        {desb, Lista::DES, 0, 1, 6, "Desbaste", "Fazer o desbaste nos locais relacionados abaixo", 3, 5},
        {amo, Lista::AM, 1, 1, 7, "Amontoa", "Fazer a amontoa nos canteiros relacionados abaixo", -1, 6},
        {cop, Lista::COP, 2, 1, 8, "Colheita Parcial", "Fazer a colheita parcial nos canteiros relacionados abaixo", -1, 7},
        {cof, Lista::COF, 3, 1, 9, "Colheita Final", "Fazer a colheita final nos canteiros relacionados abaixo", -1, 8},
    };
    const pf::Picture marca_sem = pf::LoadPicture(platform::ProgramFolder() + "\\semenc.bmp");
    const pf::Picture marca_horta = pf::LoadPicture(platform::ProgramFolder() + "\\trab3.bmp");
    for (const Atividade& a : atividades) {
        const int x = kEsquerdaListas + a.coluna * kPassoListas;
        const int y = kTopos[a.linha];
        a.figura.Move(x, y, 1050, 870);
        a.figura.SetToolTipText(a.dica);

        pf::Label& titulo = Label1.Add(a.titulo);
        titulo.Move(x + 1110, y + 60, kLarguraTexto + kLarguraBarra - 1110, 480);
        titulo.SetCaption(a.legenda);
        titulo.SetBackStyle(pf::vbTransparent);
        titulo.SetForeColor(pf::RGB(0, 96, 0));
        titulo.SetFont(pf::Font{"MS Sans Serif", 9.75, true, false, true});

        int marca_x = x + 1110;
        if (a.marca_horta >= 0) {
            pf::Image& m = canteiro.Add(a.marca_horta);
            m.SetStretch(true);
            m.Move(marca_x, y + 560, 420, 350);
            m.SetPicture(marca_horta);
            m.SetToolTipText("Esta atividade deve ser feita na horta");
            marca_x += 480;
        }
        if (a.marca_sementeira >= 0) {
            pf::Image& m = PLS3.Add(a.marca_sementeira);
            m.SetStretch(true);
            m.Move(marca_x, y + 560, 420, 350);
            m.SetPicture(marca_sem);
            m.SetToolTipText("Esta atividade deve ser feita na sementeira");
        }

        ColunasLista cols = colunas(a.lista);
        const bool tres = cols.c22 != nullptr;
        const int largura1 = tres ? 1170 : 1450;
        const int largura2 = tres ? 520 : kLarguraTexto - largura1;
        for (int k = 0; k < kLinhasVisiveis; ++k) {
            const int topo = y + kTopoLinhas + k * kAlturaLinha;
            pf::Label& l1 = cols.c1->Add(k);
            l1.Move(x, topo, largura1, kAlturaLinha);
            pf::Label& l2 = cols.c2->Add(k);
            l2.Move(x + largura1, topo, largura2, kAlturaLinha);
            l2.SetAlignment(pf::vbCenter);
            std::vector<pf::Label*> linha{&l1, &l2};
            if (tres) {
                pf::Label& l3 = cols.c22->Add(k);
                l3.Move(x + largura1 + largura2, topo, kLarguraTexto - largura1 - largura2, kAlturaLinha);
                l3.SetAlignment(pf::vbCenter);
                l3.SetForeColor(pf::RGB(128, 0, 0));
                linha.push_back(&l3);
            }
            for (pf::Label* l : linha) {
                l->SetBackColor(k % 2 == 0 ? pf::vbWhite : pf::RGB(236, 246, 236));
                l->SetWordWrap(false);
            }
        }
        cols.barra->Move(x + kLarguraTexto, y + kTopoLinhas, kLarguraBarra, kLinhasVisiveis * kAlturaLinha);
        cols.barra->SetVisible(false);
        cols.barra->SetEnabled(false);
        const Lista lista = a.lista;
        cols.barra->OnChange = [this, lista] { monta(lista, static_cast<std::int16_t>(colunas(lista).barra->Value())); };
        // The sowing list is redrawn only when its thumb is released.
        if (lista != Lista::PLS)
            cols.barra->OnScroll = [this, lista] { monta(lista, static_cast<std::int16_t>(colunas(lista).barra->Value())); };
    }
    Label1.Bind(&pf::Label::OnClick, [this](int Index) { Label1_Click(Index); });

    pld.OnClick = [this] { pld_Click(); };
    pls.OnClick = [this] { pls_Click(); };
    tr.OnClick = [this] { tr_Click(); };
    limp.OnClick = [this] { limp_Click(); };
    desb.OnClick = [this] { desb_Click(); };
    amo.OnClick = [this] { amo_Click(); };
    cop.OnClick = [this] { cop_Click(); };
    cof.OnClick = [this] { cof_Click(); };

    // The navigation column.
    hortelino.Move(450, 150, 1200, 1050);
    hortelino.SetToolTipText("Voltar para a tela da Introdução");
    pic_horta.Move(450, 1320, 1200, 990);
    pic_horta.SetToolTipText("Ir para a Horta");
    pic_semen.Move(450, 2430, 1200, 990);
    pic_semen.SetToolTipText("Ir para a Sementeira");
    pic_imp.Move(525, 3540, 1050, 870);
    pic_imp.SetToolTipText("Imprimir relatórios");
    previsao.Move(525, 4560, 1050, 1020);
    previsao.SetToolTipText("Previsão");
    terra.Move(675, 5640, 750, 420);
    terra.SetToolTipText("Marcador da semana da previsão");
    tempo_real.Move(488, 6180, 1125, 915);
    tempo_real.SetToolTipText("Tempo Real");
    tempo.Move(675, 7155, 750, 420);
    tempo.SetToolTipText("Marcador da semana atual do ano");
    for (pf::TextBox* caixa : {&terra, &tempo}) {
        caixa->SetLocked(true);
        caixa->SetAlignment(pf::vbCenter);
        caixa->SetFont(pf::Font{"MS Sans Serif", 12, true});
        caixa->OnKeyPress = [](int& KeyAscii) { KeyAscii = 0; };
    }
    lbl_tempo.Move(450, 7680, 1200, 330);
    lbl_tempo.SetCaption("Tempos");
    lbl_tempo.SetToolTipText("Sobre os Tempos");
    lbl_tempo.SetAlignment(pf::vbCenter);
    lbl_tempo.SetBackStyle(pf::vbTransparent);
    lbl_tempo.SetForeColor(pf::RGB(0, 96, 0));
    lbl_tempo.SetFont(pf::Font{"MS Sans Serif", 9.75, true, false, true});

    hortelino.OnClick = [this] { hortelino_Click(); };
    pic_horta.OnClick = [this] { pic_horta_Click(); };
    pic_semen.OnClick = [this] { pic_semen_Click(); };
    pic_imp.OnClick = [this] { pic_imp_Click(); };
    previsao.OnClick = [this] { previsao_Click(); };
    tempo_real.OnClick = [this] { tempo_real_Click(); };
    lbl_tempo.OnClick = [this] { lbl_tempo_Click(); };

    timer_.SetInterval(0);
    Timer1.SetInterval(0);
    timer_.OnTimer = [this] { Timer__Timer(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
}

std::string age::anima(const std::string& nome) const { return model::sessao().dir_anima + "\\anima\\" + nome; }

age::ColunasLista age::colunas(Lista l) {
    switch (l) {
        case Lista::PLD: return {&PLD1, &PLD2, nullptr, &SCROLL_PLD};
        case Lista::PLS: return {&PLS1, &PLS2, nullptr, &SCROLL_PLS};
        case Lista::TR: return {&TR1, &TR2, &TR22, &SCROLL_TR};
        case Lista::LI: return {&LI1, &LI2, &LI22, &SCROLL_LI};
        case Lista::DES: return {&des1, &des2, &des22, &SCROLL_des};
        case Lista::AM: return {&amo1, &amo2, nullptr, &SCROLL_amo};
        case Lista::COP: return {&cop1, &cop2, nullptr, &SCROLL_cop};
        case Lista::COF: break;
    }
    return {&cof1, &cof2, nullptr, &SCROLL_cof};
}

// ------------------------------------------------------------------ life cycle

void age::Form_Load() {
    auto& s = shell::estado_telas();
    const auto& h = model::horta();
    s.acao = shell::AcaoAtual{};
    figuras.reinicia();

    hortelino.LoadPicture(anima("hort00.bmp"));
    tempo_real.LoadPicture(model::pict_semana());
    previsao.LoadPicture(anima("planet01.bmp"));
    pic_semen.LoadPicture(anima("mudas007.bmp"));
    pic_horta.LoadPicture(anima("enx00c.bmp"));
    pic_imp.LoadPicture(anima("imp06.bmp"));
    LoadPicture(platform::ProgramFolder() + "\\back_ag1.jpg");
    pict_inicial();

    relat.SetReportFileName(platform::ProgramFolder() + "\\relatb.rpt");
    regrot.SetReportFileName(platform::ProgramFolder() + "\\rrr.rpt");
    relat.SetDatabaseName(model::caminho_banco());
    regrot.SetDatabaseName(model::caminho_banco());

    SetMousePointer(pf::vbArrow);
    s.tela_atual = "Agenda";
    monta_semana();
    prepara_relat();
    tempo.SetText(texto_semana(h.data_real));
    terra.SetText(texto_semana(h.data_agenda));
    SetMousePointer(pf::vbCrosshair);
}

void age::Form_Activate() {
    auto& s = model::sessao();
    if (!s.trilha_fundo || !figuras.apresenta(Timer1)) return;
    intro_ativa = true;
    shell::toca_trilha(s.som_entrada_agenda);
}

void age::pict_inicial() {
    pld.LoadPicture(anima("pla06.bmp"));
    pls.LoadPicture(anima("sem08.bmp"));
    tr.LoadPicture(anima("tra04.bmp"));
    limp.LoadPicture(anima("li06.bmp"));
    desb.LoadPicture(anima("des06.bmp"));
    amo.LoadPicture(anima("amo05.bmp"));
    cop.LoadPicture(anima("cop05.bmp"));
    cof.LoadPicture(anima("cof07.bmp"));
}

void age::final_animation_3() {
    if (Timer1.Interval() != 0) {
        Timer1.SetInterval(0);
        timer_.SetInterval(0);
        intro_ativa = false;
    }
    pict_inicial();
}

void age::Timer1_Timer() { final_animation_3(); }

// ------------------------------------------------------------------ lists

void age::pl_sem_tr() { agenda::pl_sem_tr(pendencias); }

void age::monta(Lista l, std::int16_t inicio) {
    ColunasLista cols = colunas(l);
    if (inicio == 0) {
        cols.barra->SetVisible(false);
        cols.barra->SetEnabled(false);
    }
    for (int k = 0; k < kLinhasVisiveis; ++k) {
        (*cols.c1)(k).SetCaption("");
        (*cols.c2)(k).SetCaption("");
        if (cols.c22) (*cols.c22)(k).SetCaption("");
    }
    const std::vector<LinhaLista> linhas = linhas_lista(l, pendencias);
    int v = 0;
    for (std::size_t k = 0; k < linhas.size(); ++k) {
        if (static_cast<int>(k) < inicio) continue;
        if (v >= kLinhasVisiveis) {
            cols.barra->SetVisible(true);
            cols.barra->SetEnabled(true);
            break;
        }
        (*cols.c1)(v).SetCaption(linhas[k].c1);
        (*cols.c2)(v).SetCaption(linhas[k].c2);
        if (cols.c22) (*cols.c22)(v).SetCaption(linhas[k].c22);
        ++v;
    }
    listas.grava(l, linhas);
}

void age::monta_pld(std::int16_t inicio) { monta(Lista::PLD, inicio); }
void age::monta_pls(std::int16_t inicio) { monta(Lista::PLS, inicio); }
void age::monta_tr(std::int16_t inicio) { monta(Lista::TR, inicio); }
void age::monta_li(std::int16_t inicio) { monta(Lista::LI, inicio); }
void age::monta_des(std::int16_t inicio) { monta(Lista::DES, inicio); }
void age::monta_amo(std::int16_t inicio) { monta(Lista::AM, inicio); }
void age::monta_cop(std::int16_t inicio) { monta(Lista::COP, inicio); }
void age::monta_cof(std::int16_t inicio) { monta(Lista::COF, inicio); }

void age::monta_semana() {
    pl_sem_tr();
    for (Lista l : kOrdemBarras) {
        pf::VScrollBar& barra = *colunas(l).barra;
        barra.SetMin(0);
        barra.SetMax(std::max(0, contagem_lista(l, pendencias) - kLinhasVisiveis));
        barra.SetValue(0);
    }
    monta_pls(0);
    monta_pld(0);
    monta_tr(0);
    monta_li(0);
    monta_des(0);
    monta_amo(0);
    monta_cop(0);
    monta_cof(0);
}

void age::prepara_relat() {
    std::string erro;
    if (!agenda::prepara_relat(listas, pendencias, &erro)) {
        platform::LogOnce("agenda-relat", erro);
        shell::mostra_ok("Agenda", erro);
    }
}

// ------------------------------------------------------------------ clicks

void age::cuidado_click(std::size_t k) {
    const CuidadoAgenda& c = kCuidadosAgenda[k];
    final_animation_3();
    shell::toca_voz(linhas_lista(c.lista, pendencias).empty() ? c.som_sem : c.som_com, SoundMode::Async);
    figuras.inicia(c.acao);
}

void age::tr_Click() { cuidado_click(0); }
void age::pls_Click() { cuidado_click(1); }
void age::cof_Click() { cuidado_click(2); }
void age::limp_Click() { cuidado_click(3); }
void age::pld_Click() { cuidado_click(4); }
void age::amo_Click() { cuidado_click(5); }
void age::cop_Click() { cuidado_click(6); }
void age::desb_Click() { cuidado_click(7); }

void age::hortelino_Click() {
    hortelino.SetMousePointer(pf::vbHourglass);
    final_animation_3();
    figuras.inicia(Acao::menu);
}

void age::pic_semen_Click() {
    pic_semen.SetMousePointer(pf::vbHourglass);
    figuras.inicia(Acao::sementeira);
}

void age::pic_horta_Click() { figuras.inicia(Acao::horta); }

void age::pic_imp_Click() {
    final_animation_3();
    figuras.inicia(Acao::imprime);
}

void age::Label1_Click(int Index) { shell::abre_help(*this, Label1(Index), "Agenda", "agenda-destino-help"); }

void age::lbl_tempo_Click() { shell::mostra_figura("Tempo Real", anima("help6.jpg")); }

// ------------------------------------------------------------------ animation engine

void age::Timer__Timer() { figuras.passo(intro_ativa); }

// ------------------------------------------------------------------ printing

// The printer's last frame: the timer stops and the question is asked.
bool age::fim_impressao() {
    timer_.SetInterval(0);
    imprime_relatorios();
    return true;
}

void age::imprime_relatorios() {
    auto& s = model::sessao();
    // The reports are laid out from the tables: never print another week's
    // under this week's number. A rewrite that failed earlier is tried once
    // more; if it fails again, nothing is printed.
    std::string erro;
    if (!tabelas_da_semana(model::horta().data_agenda) && !agenda::prepara_relat(listas, pendencias, &erro)) {
        platform::LogOnce("agenda-relat", erro);
        shell::mostra_ok("Impressão", "O relatório da semana " + terra.Text() + " não foi impresso. " + erro);
        return;
    }
    s.msg_ok_nao = "Deseja imprimir o relatório da semana " + terra.Text() + " ?";
    if (!shell::pergunta_sim_nao("Impressão", s.msg_ok_nao)) return;

    // The layouts show the week and name their PDFs by year and week, so
    // that every week's copy is kept.
    const auto& h = model::horta();
    const int semana = platform::WeekOfYear(h.data_agenda);
    const std::string ano_semana =
        std::to_string(platform::Year(h.data_agenda)) + (semana < 10 ? "-0" : "-") + std::to_string(semana);
    for (platform::Report* r : {&relat, &regrot}) {
        r->SetParameter("semana", std::to_string(semana));
        r->SetParameter("ano_semana", ano_semana);
    }
    std::vector<const platform::Report*> relatorios{&relat};
    if (std::find(h.cult_can.begin(), h.cult_can.end(), model::nenhuma) != h.cult_can.end())
        relatorios.push_back(&regrot);
    const std::string msg = mensagem_da_impressao(platform::Report::PrintReports(relatorios));
    if (!msg.empty()) shell::mostra_ok("Impressão", msg);
}

// ------------------------------------------------------------------ forecast

// Starts a week picture's animation on the 100 ms timer.
void age::anima_semana(AcaoSemana acao, int quadros) { figuras.inicia(acao, quadros); }

void age::previsao_Click() {
    final_animation_3();
    shell::clica_previsao(
        previsao, terra, [this] { anima_semana(AcaoSemana::previsao, 22); },
        [this](const std::vector<int>&) {
            monta_semana();
            prepara_relat();
        });
}

void age::tempo_real_Click() {
    final_animation_3();
    shell::clica_tempo_real(tempo_real, terra, [this] { anima_semana(AcaoSemana::tempo_real, 7); },
                            [this] { monta_semana(); });
    prepara_relat();
}

// ------------------------------------------------------------------ registry

void registra_formularios() {
    pf::Forms::Register<age>(nome_tela_agenda);
    // What the agenda loads as it opens, decoded ahead while the button that
    // leads here plays its animation.
    pf::SetScreenPictures(nome_tela_agenda, [] {
        std::vector<std::string> v{platform::ProgramFolder() + "\\back_ag1.jpg"};
        for (const char* f : {"hort00.bmp", "planet01.bmp", "mudas007.bmp", "enx00c.bmp", "imp06.bmp", "pla06.bmp",
                               "sem08.bmp", "tra04.bmp", "li06.bmp", "des06.bmp", "amo05.bmp", "cop05.bmp", "cof07.bmp"})
            v.push_back(model::sessao().dir_anima + "\\anima\\" + f);
        return v;
    });
}

}  // namespace agenda
