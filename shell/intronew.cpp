#include "shell/intronew.h"

#include <algorithm>
#include <cstdio>

#include "model/catalogo.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "shell/dialogos.h"
#include "shell/navegacao.h"
#include "shell/saida.h"
#include "shell/semana.h"
#include "shell/sons.h"

namespace shell {

namespace {

struct Explicacao {
    const char* titulo;
    const char* figura;
};

// The thirteen hotspots: caption and picture of the notice each one shows.
constexpr Explicacao explicacoes[13] = {
    {"Vaso ou Canteiro", "\\anima\\help1b.jpg"},
    {"Requisitos", "\\anima\\help111.jpg"},
    {"Auto Abastecimento", "\\anima\\helpauto.jpg"},
    {"Escolher Verduras", "\\anima\\helpfeir.jpg"},
    {"Plantar as Verduras", "\\anima\\help4.jpg"},
    {"Sementeira", "\\anima\\help5.jpg"},
    {"Tempo Real", "\\anima\\help6.jpg"},
    {"Previsão", "\\anima\\help6.jpg"},
    {"Quais Atividades", "\\anima\\help7.jpg"},
    {"Confirmar", "\\anima\\help8.jpg"},
    {"Vaso ou Canteiro", "\\anima\\help9.jpg"},
    {"Help", "\\anima\\help10.jpg"},
    {"Pergunte que o Hortelão responde", "\\anima\\help101.jpg"},
};


std::string figura(const std::string& nome) { return model::sessao().dir_anima + "\\anima\\" + nome; }

// The first frames of the menu's picture buttons.
constexpr const char* repouso_saida = "port00.bmp";
constexpr const char* repouso_semen = "mudas007.bmp";
constexpr const char* repouso_horta = "enx00c.bmp";
constexpr const char* repouso_feira = "cesta9.bmp";
constexpr const char* repouso_agenda = "age10.bmp";
constexpr const char* repouso_interroga = "int00.bmp";

// The menu's background and title picture, in the program folder.
std::string fundo_do_menu() { return platform::ProgramFolder() + "\\back_in.jpg"; }
std::string titulo_do_menu() { return platform::ProgramFolder() + "\\inintro1.jpg"; }

// The font of the menu's "Opções" label.
const pf::Font fonte_opcoes{"Arial", 12, true};

// The pointer shown over the menu's hotspots, its label and its help icon.
std::string icone_do_menu() { return platform::ProgramFolder() + "\\forms\\INTRONEW_MouseIcon.png"; }

}  // namespace

std::vector<std::string> figuras_do_menu(const std::string& unidade) {
    // The program folder's pictures first: they are there whatever the drive.
    std::vector<std::string> v{fundo_do_menu(), titulo_do_menu()};
    for (const char* b : {repouso_saida, repouso_semen, repouso_horta, repouso_feira, repouso_agenda, repouso_interroga})
        v.push_back(unidade + "\\anima\\" + b);
    v.push_back(icone_do_menu());
    return v;
}

std::string quadro_porta(int quadro) {
    // 9 -> port01 ... 6 and 5 -> port04, then back: 1 -> port00.
    if (quadro < 1 || quadro > 9) return {};
    return quadro_anima("port", quadro >= 5 ? std::min(10 - quadro, 4) : quadro - 1);
}

namespace {

// The menu's picture buttons: the door, the agenda and the seedlings count
// their frames down; the hoe, the basket and the help icon play a cycle.
constexpr BotaoFigura<INTRONEW> kFiguras[] = {
    {.acao = AcaoMenu::sair, .figura = &INTRONEW::saida, .quadro = quadro_porta, .ciclo = 0, .quadros = 9,
     .fim = &INTRONEW::fim_saida},
    {.acao = AcaoMenu::agenda, .figura = &INTRONEW::pic_agenda, .quadro = quadro_agenda, .ciclo = 0, .quadros = 11,
     .destino = "age", .cue = "\\vamage.wav"},
    {.acao = AcaoMenu::sementeira, .figura = &INTRONEW::pic_semen, .quadro = quadro_mudas, .ciclo = 0, .quadros = 8,
     .destino = "controle_da_sementeira", .cue = "\\vamsem.wav"},
    {.acao = AcaoMenu::horta, .figura = &INTRONEW::pic_horta, .quadro = quadro_enxada, .ciclo = ciclo_enxada,
     .quadros = 12, .destino = "trabalhando_na_horta", .cue = "\\vamhor.wav", .repouso = "\\anima\\enx00c.bmp"},
    {.acao = AcaoMenu::feira, .figura = &INTRONEW::pic_feira,
     .quadro = [](int p) { return "\\anima\\cesta" + std::to_string(p - 1) + ".bmp"; }, .ciclo = 10, .quadros = 10,
     .destino = "feira_horta", .cue = "\\vamfei.wav", .fim = &INTRONEW::fim_feira},
    {.acao = AcaoMenu::help, .figura = &INTRONEW::interroga, .quadro = quadro_interroga, .ciclo = ciclo_interroga,
     .quadros = 6, .destino = "help", .fim = &INTRONEW::fim_help},
};

}  // namespace

INTRONEW::INTRONEW()
    : figuras(*this, timer_, kFiguras, Saida{"menu-destino-", {&pic_semen, &pic_feira}, pf::vbDefault}) {
    SetCaption("Brotalia");
    SetClientSize(12000, 9000);
    SetBackColor(pf::RGB(160, 208, 255));
    const pf::Picture icone = pf::LoadPicture(icone_do_menu());

    // The title picture in the sky; the road of the game from left to right
    // along the hills, the door at its end; the help icon beside the title.
    Picture1.Move(3600, 300, 4800, 2400);

    pic_feira.Move(3000, 3075, 1200, 990);
    pic_feira.SetToolTipText("Ir para a tela da Feira - Auto abastecimento");
    pic_horta.Move(4800, 3075, 1200, 990);
    pic_horta.SetToolTipText("Ir para a horta");
    pic_semen.Move(6600, 3075, 1200, 990);
    pic_semen.SetToolTipText("Ir para sementeira");
    pic_agenda.Move(8400, 3120, 1200, 900);
    pic_agenda.SetToolTipText("Ir para a Agenda");
    saida.Move(10200, 3075, 1200, 990);
    saida.SetToolTipText("Sair do Programa");

    interroga.Move(8775, 600, 750, 1035);
    interroga.SetToolTipText("Help sobre o cultivo");
    interroga.SetMouseIcon(icone);

    Label2.SetCaption("Opções");
    Label2.Move(300, 8370, 1275, 420);
    Label2.SetFont(fonte_opcoes);
    Label2.SetForeColor(pf::RGB(0, 0, 128));
    Label2.SetBackColor(pf::RGB(255, 255, 204));
    Label2.SetBackStyle(pf::vbOpaque);
    Label2.SetAlignment(pf::vbCenter);
    Label2.SetToolTipText("Configurações de som, unidade do CD, help do software, jogo da memória");
    Label2.SetMouseIcon(icone);

    pic_nhoca.Move(nhoca_left_inicial, nhoca_top, 450, 255);

    // The hotspots: captionless areas over plants of the family garden in the
    // menu picture (three rows of plants; the spots 50 pixels apart along a row).
    const int colunas[13] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 2, 4, 6, 8};
    const int linhas[13] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
    for (int i = 0; i < 13; ++i) {
        pf::Label& l = Label1.Add(i);
        const int x = 268 + 50 * colunas[i] - 22, y = 400 + 59 * linhas[i] - 22;
        l.Move(x * 15, y * 15, 660, 660);
        l.SetBackStyle(pf::vbTransparent);
        l.SetMouseIcon(icone);
        l.SetMousePointer(pf::vbCustom);
    }

    Timer1.SetInterval(100);
    timer_.SetInterval(0);

    saida.OnClick = [this] { saida_Click(); };
    pic_agenda.OnClick = [this] { pic_agenda_Click(); };
    pic_semen.OnClick = [this] { pic_semen_Click(); };
    pic_horta.OnClick = [this] { pic_horta_Click(); };
    pic_feira.OnClick = [this] { pic_feira_Click(); };
    interroga.OnClick = [this] { interroga_Click(); };
    Label2.OnClick = [this] { Label2_Click(); };
    Label1.Bind(&pf::Label::OnClick, [this](int Index) { Label1_Click(Index); });
    timer_.OnTimer = [this] { Timer__Timer(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
}

void INTRONEW::Form_Load() {
    model::EstadoSessao& s = model::sessao();
    fase_nhoca = 0;
    nhoca_esq = true;

    std::string erro;
    // An unreadable drive index keeps the drive of this run.
    if (!le_indice_cd(&s.indice_cd, &erro)) platform::LogOnce("shell.intronew.cd", erro);
    aplica_unidade(s.indice_cd);

    carrega_figuras_da_unidade();

    LoadPicture(fundo_do_menu());
    Picture1.LoadPicture(titulo_do_menu());
    // Whatever the prefetch decoded and this screen did not take (another
    // drive's pictures) is let go.
    pf::EndPrefetch();

    toca_silencio(SoundMode::Async);

    if (s.primeira_carga) {
        s.area_maxima = 100;
        model::inicia_culturas();
        std::string erro_horta, erro_seq;
        horta_vazia = !model::le_horta(&erro_horta);
        const bool seq_ok = model::le_seq(&erro_seq);
        estado_carregado = erro_horta.empty() && seq_ok;
        if (!estado_carregado)
            mostra_ok("Banco de dados", !erro_horta.empty() ? erro_horta : erro_seq);
        else if (const std::string aviso = model::aviso_linhas_ilegiveis(); !aviso.empty())
            mostra_ok("Banco de dados", aviso);
        s.modo_guiado = auto_abastecimento();
        nova_semana();
        s.primeira_carga = false;
    }

    carga_4_botões();
}

void INTRONEW::carga_4_botões() {
    pic_horta.SetEnabled(true);
    pic_horta.LoadPicture(figura(repouso_horta));
    pic_semen.SetEnabled(true);
    pic_semen.LoadPicture(figura(repouso_semen));
}

void INTRONEW::carrega_figuras_da_unidade() {
    raiz_figuras = model::sessao().dir_anima;
    saida.LoadPicture(figura(repouso_saida));
    pic_semen.LoadPicture(figura(repouso_semen));
    pic_horta.LoadPicture(figura(repouso_horta));
    pic_feira.LoadPicture(figura(repouso_feira));
    pic_agenda.LoadPicture(figura(repouso_agenda));
    interroga.LoadPicture(figura(repouso_interroga));
    // Its first frame from the start, not a grey box until the first tick.
    pic_nhoca.LoadPicture(figura(nhoca_esq ? primeiro_quadro_nhoca : "nh0p.bmp"));
}

void INTRONEW::nova_semana() { shell::nova_semana(horta_vazia, estado_carregado); }

void INTRONEW::Form_Activate() {
    // The options screen, which the menu waited behind, may have changed the
    // drive: the pictures come from the new one.
    if (model::sessao().dir_anima != raiz_figuras) carrega_figuras_da_unidade();
    Label2.SetMousePointer(pf::vbCustom);
    interroga.SetMousePointer(pf::vbCustom);
    Timer1.SetEnabled(true);
}

// ------------------------------------------------------------------- clicks

void INTRONEW::saida_Click() { figuras.inicia(AcaoMenu::sair); }

void INTRONEW::pic_agenda_Click() { figuras.inicia(AcaoMenu::agenda); }

void INTRONEW::pic_semen_Click() {
    pic_semen.SetMousePointer(pf::vbHourglass);
    figuras.inicia(AcaoMenu::sementeira);
}

void INTRONEW::pic_horta_Click() { figuras.inicia(AcaoMenu::horta); }

void INTRONEW::pic_feira_Click() { figuras.inicia(AcaoMenu::feira); }

void INTRONEW::interroga_Click() {
    interroga.SetMousePointer(pf::vbHourglass);
    figuras.inicia(AcaoMenu::help);
}

void INTRONEW::Label2_Click() {
    Timer1.SetEnabled(false);
    Label2.SetMousePointer(pf::vbHourglass);
    pf::Forms::Show("conf");
}

void INTRONEW::Label1_Click(int Index) {
    if (Index < 0 || Index > 12) return;
    mostra_figura(explicacoes[Index].titulo, model::sessao().dir_anima + explicacoes[Index].figura);
}

// ------------------------------------------------------------------- animation

void INTRONEW::Timer__Timer() { figuras.passo(false); }

// The door's last tick asks whether to leave the program.
bool INTRONEW::fim_saida() {
    timer_.SetInterval(0);
    if (pergunta_sair()) encerra_programa();
    return true;
}

bool INTRONEW::fim_feira() {
    pic_feira.SetMousePointer(pf::vbHourglass);
    return false;
}

// Help on growing opens over the menu, which stays loaded behind it.
bool INTRONEW::fim_help() { return abre_help_por_cima(timer_, "Orgânico"); }

// ------------------------------------------------------------------- earthworm

void INTRONEW::Timer1_Timer() {
    const int d = fase_nhoca <= 3 ? fase_nhoca : 6 - fase_nhoca;
    if (fase_nhoca > 3) pic_nhoca.SetLeft(pic_nhoca.Left() + (nhoca_esq ? -50 : 50));
    fase_nhoca = (fase_nhoca + 1) % 7;
    pic_nhoca.LoadPicture(figura((nhoca_esq ? "nhoca" : "nh") + std::to_string(d) + "p.bmp"));
    if (nhoca_esq) {
        if (pic_nhoca.Left() < 2400) nhoca_esq = false;
    } else {
        if (pic_nhoca.Left() > 10200) nhoca_esq = true;
    }
}

}  // namespace shell
