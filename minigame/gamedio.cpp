#include "minigame/gamedio.h"

#include "minigame/estado.h"
#include "minigame/ranking.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "model/estado.h"
#include "shell/dialogos.h"
#include "shell/sons.h"

namespace minigame {

namespace {

constexpr pf::Color azul_claro = pf::RGB(128, 255, 255);   // clock and counter, on dark blue
constexpr pf::Color azul_menu = pf::RGB(128, 128, 255);    // menu, on the light background
constexpr pf::Color azul_escuro = pf::RGB(0, 0, 128);
constexpr int lado_carta = 990;
constexpr int passo_carta = 1050;

std::string figura_da_carta(int numero) {
    return model::sessao().dir_anima + "\\anima\\" + std::to_string(numero) + ".jpg";
}

void toca_carta() { shell::toca_efeito("\\quickly.wav", platform::SoundMode::Sync); }

}  // namespace

gamedio::gamedio() {
    SetCaption("Jogo da Memória");
    // As large as the options screen it stands on (and as its background
    // picture): a narrower form would let that screen show at its sides.
    SetClientSize(12000, 9000);
    cursor_ = pf::LoadPicture(platform::ProgramFolder() + "\\forms\\gamedio_MouseIcon.png");

    Label2.Move(120, 7680, 1395, 1185);
    Label2.SetBackColor(azul_escuro);
    Label2.SetBackStyle(pf::vbOpaque);

    for (int i = 0; i < n_cartas; ++i) {
        pf::Image& c = figura.Add(i);
        c.Move(3660 + passo_carta * (i % n_colunas), 1500 + passo_carta * (i / n_colunas), lado_carta, lado_carta);
        c.SetStretch(true);
        c.SetMouseIcon(cursor_);
        c.SetMousePointer(pf::vbCustom);
    }

    const struct {
        const char* texto;
        int left, top;
    } menu[3] = {{"Retornar", 150, 300}, {"Ranking", 180, 960}, {"Reiniciar", 135, 1650}};
    for (int i = 0; i < 3; ++i) {
        pf::Label& l = Label1.Add(i);
        l.SetCaption(menu[i].texto);
        l.Move(menu[i].left, menu[i].top, 1620, 450);
        l.SetFont(pf::Font{"Arial", 15.75, true});
        l.SetForeColor(azul_menu);
        l.SetBackStyle(pf::vbTransparent);
        l.SetMouseIcon(cursor_);
        l.SetMousePointer(pf::vbCustom);
        l.SetVisible(false);
    }

    for (pf::Label* l : {&Lbl_timer, &lbl_contador}) {
        l->SetAlignment(pf::vbCenter);
        l->SetFont(pf::Font{"Arial", 18, true});
        l->SetForeColor(azul_claro);
        l->SetBackColor(azul_escuro);
        l->SetBackStyle(pf::vbOpaque);
    }
    Lbl_timer.SetCaption(":");
    Lbl_timer.Move(150, 7770, 1335, 495);
    lbl_contador.SetCaption("0");
    lbl_contador.Move(150, 8340, 1335, 495);

    Timer1.SetInterval(100);
    Timer1.SetEnabled(false);
    Timer2.SetInterval(1000);
    Timer2.SetEnabled(false);
    Timer3.SetInterval(100);
    Timer3.SetEnabled(false);

    Data1.SetRecordSource(tabela_ranking);

    figura.Bind(&pf::Image::OnClick, [this](int Index) { figura_Click(Index); });
    Label1.Bind(&pf::Label::OnClick, [this](int Index) { Label1_Click(Index); });
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
}

void gamedio::Form_Load() {
    // The ranking database: opening it creates a missing file or table, so
    // the game can always keep its rankings; a file that cannot be used is
    // reported and the game is still played.
    jogo().partida.fim_pendente = false;
    Data1.SetDatabaseName(caminho_ranking());
    try {
        Data1.Refresh();
    } catch (const platform::DbError& e) {
        shell::mostra_ok("Ranking", e.what());
    }
    Data1.Close();
    LoadPicture(platform::ProgramFolder() + "\\back_ag1.jpg");
}

void gamedio::Form_Activate() {
    jogo().jogo_peq_gra = "F";
    iniciar();
    for (int i = 0; i < 3; ++i) {
        Label1(i).SetVisible(true);
        Label1(i).SetMouseIcon(cursor_);
        Label1(i).SetMousePointer(pf::vbCustom);
    }
}

void gamedio::iniciar() {
    Partida& p = jogo().partida;
    lbl_contador.SetCaption("0");
    Lbl_timer.SetCaption(":");
    platform::Randomize();
    SetMousePointer(pf::vbHourglass);
    distribui(p);
    const pf::Picture verso = pf::LoadPicture(figura_da_carta(0));
    for (int c = 0; c < n_cartas; ++c) {
        figura(c).SetPicture(verso);
        figura(c).SetVisible(true);
    }
    toca_carta();
    SetMousePointer(pf::vbArrow);
}

void gamedio::mostra_face(int carta) { figura(carta).LoadPicture(figura_da_carta(jogo().partida.carta_figura[carta])); }

void gamedio::mostra_verso(int carta) { figura(carta).LoadPicture(figura_da_carta(0)); }

void gamedio::figura_Click(int Index) {
    Partida& p = jogo().partida;
    const int c = Index;
    if (Timer1.Enabled()) return;  // a matched pair is blinking away
    if (!Timer2.Enabled()) Timer2.SetEnabled(true);

    if (p.primeira >= 0 && p.segunda >= 0) {
        // The previous attempt is complete: its cards go face down (matched
        // cards are hidden already) and c starts the next one.
        if (p.primeira != c) mostra_verso(p.primeira);
        if (p.segunda != c) mostra_verso(p.segunda);
        p.segunda = -1;
        p.primeira = c;
        mostra_face(c);
    } else if (c == p.primeira) {
        // The card already face up: nothing to turn.
    } else if (p.primeira < 0) {
        p.primeira = c;
        mostra_face(c);
    } else {
        lbl_contador.SetCaption(platform::NumText(platform::Val(lbl_contador.Caption()) + 1));
        p.segunda = c;
        mostra_face(c);
        if (p.carta_figura[p.primeira] == p.carta_figura[p.segunda]) {
            if (p.pares_restantes > 0) --p.pares_restantes;
            if (p.pares_restantes == 0) {
                figura(p.primeira).SetVisible(false);
                figura(p.segunda).SetVisible(false);
                p.tempo_final = Lbl_timer.Caption();
                p.cliques_final = lbl_contador.Caption();
                p.fim_pendente = true;
                p.piscadas_fim = 16;
                Timer2.SetEnabled(false);
                Timer3.SetEnabled(true);
            } else {
                p.piscadas = 5;
                Timer1.SetEnabled(true);
            }
        }
    }
    toca_carta();
}

void gamedio::Timer1_Timer() {
    Partida& p = jogo().partida;
    --p.piscadas;
    if (p.primeira < 0 || p.segunda < 0) {
        // A deal came during the blink: the pair is gone with its game.
        Timer1.SetEnabled(false);
        return;
    }
    figura(p.primeira).SetVisible(!figura(p.primeira).Visible());
    figura(p.segunda).SetVisible(!figura(p.segunda).Visible());
    if (p.piscadas <= 0) {
        shell::toca_efeito("\\oia.wav", platform::SoundMode::Sync);
        Timer1.SetEnabled(false);
    }
}

void gamedio::Timer2_Timer() {
    Partida& p = jogo().partida;
    if (p.segundos < max_segundos) ++p.segundos;
    Lbl_timer.SetCaption(texto_relogio(p.segundos));
}

void gamedio::Timer3_Timer() {
    Partida& p = jogo().partida;
    --p.piscadas_fim;
    lbl_contador.SetVisible(!lbl_contador.Visible());
    Lbl_timer.SetVisible(!Lbl_timer.Visible());
    if (p.piscadas_fim <= 0) Timer3.SetEnabled(false);
    if (Timer3.Enabled()) return;
    sequencia_ranking();
}

void gamedio::sequencia_ranking() {
    auto& e = jogo();
    Partida& p = e.partida;
    if (!p.fim_pendente) return;
    p.fim_pendente = false;
    const std::string tempo = p.tempo_final;
    const std::string cliques = p.cliques_final;
    SetMousePointer(pf::vbHourglass);
    try {
        const bool t = testa_rank_tempo(tempo);
        const bool c = testa_rank_cliques(cliques);
        if (t || c) {
            // Only "OK" gives a name, and an entry is stored only under a
            // name: the dialog closed otherwise (its close box, the end of
            // the program while it is open) stores nothing, rather than a
            // place under no one or under an earlier player's name.
            e.nome_jogador.clear();
            pf::Forms::Show(nome_dialogo_nome, pf::vbModal);
            if (!e.nome_jogador.empty()) {
                if (t) grava_rank_tempo(tempo);
                if (c) grava_rank_cliques(cliques);
                pf::Forms::Show(nome_tela_ranking);
            } else {
                e.pos_tempo = sem_posicao;
                e.pos_cliques = sem_posicao;
            }
        }
    } catch (const platform::DbError& erro) {
        shell::mostra_ok("Ranking", erro.what());
    }
    if (IsLoaded()) SetMousePointer(pf::vbArrow);
}

void gamedio::Label1_Click(int Index) {
    auto& e = jogo();
    Label1(Index).SetMousePointer(pf::vbHourglass);
    Timer2.SetEnabled(false);
    Timer1.SetEnabled(false);
    if (Index == 0) {
        Unload();
        pf::Forms::Show(tela_opcoes);
        return;
    }
    if (Index == 2) {
        iniciar();
    } else {
        e.pos_cliques = sem_posicao;
        e.pos_tempo = sem_posicao;
        pf::Forms::Show(nome_tela_ranking);
    }
    Label1(Index).SetMousePointer(pf::vbCustom);
}

}  // namespace minigame
