#include "minigame/rank_form.h"

#include "minigame/estado.h"
#include "minigame/gamedio.h"
#include "minigame/ranking.h"
#include "model/estado.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/dialogos.h"

namespace minigame {

namespace {

constexpr pf::Color azul_marinho = pf::RGB(0, 0, 128);
constexpr pf::Color verde_escuro = pf::RGB(0, 96, 0);
constexpr int linhas_por_tabela = 5;
constexpr int primeira_linha_cliques = 5;

// Characters that draw nothing in a name and can upset what shows it
// (break its line, turn the ranking's columns around): the line and
// paragraph separators U+2028/U+2029 and the direction controls U+200E/U+200F,
// U+202A to U+202E and U+2066 to U+2069.
bool separador_ou_direcao(char32_t c) {
    return c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Control characters draw nothing in a name and can upset what shows it:
// C0, DEL and C1 (U+0080 to U+009F, in UTF-8 the bytes C2 80 to C2 9F), and
// the separators and direction controls above (three bytes E2 80/81 xx).
std::string sem_controles(const std::string& nome) {
    std::string r;
    for (std::size_t i = 0; i < nome.size(); ++i) {
        const auto c = static_cast<unsigned char>(nome[i]);
        const auto seguinte = i + 1 < nome.size() ? static_cast<unsigned char>(nome[i + 1]) : 0;
        if (c == 0xC2 && seguinte >= 0x80 && seguinte <= 0x9F) {
            ++i;
            continue;
        }
        if (c == 0xE2 && i + 2 < nome.size()) {
            const auto terceiro = static_cast<unsigned char>(nome[i + 2]);
            const char32_t ponto = 0x2000 + ((seguinte & 0x3Fu) << 6) + (terceiro & 0x3Fu);
            if ((seguinte == 0x80 || seguinte == 0x81) && (terceiro & 0xC0) == 0x80 && separador_ou_direcao(ponto)) {
                i += 2;
                continue;
            }
        }
        if (c >= 0x20 && c != 0x7F) r += nome[i];
    }
    return r;
}

}  // namespace

rank_form::rank_form() {
    SetCaption("Ranking");
    // As large as the options screen it stands on (and as its background
    // picture): a narrower form would let that screen show at its sides.
    SetClientSize(12000, 9000);
    const pf::Picture cursor = pf::LoadPicture(platform::ProgramFolder() + "\\forms\\rank_form_MouseIcon.png");

    struct Coluna {
        pf::ControlArray<pf::Label>* arr;
        int left, width, alinhamento;
    };
    const Coluna colunas[4] = {{&posição, 2820, 495, pf::vbCenter},
                               {&nome, 3330, 4245, pf::vbLeftJustify},
                               {&valor, 7590, 1425, pf::vbCenter},
                               {&quando, 9035, 1485, pf::vbCenter}};
    const char* cabecalho_tempo[4] = {"##", "JOGADOR", "TEMPO", "DIA"};
    const char* cabecalho_cliques[4] = {"##", "JOGADOR", "CLIQUES", "DIA"};
    const char* ordinais[5] = {"1º", "2º", "3º", "4º", "5º"};
    for (int k = 0; k < 4; ++k) {
        const Coluna& col = colunas[k];
        for (int i = 0; i <= 11; ++i) {
            pf::Label& l = col.arr->Add(i);
            int top;
            if (i < 5) top = 2250 + 450 * i;
            else if (i < 10) top = 5400 + 450 * (i - 5);
            else if (i == 10) top = 1800;
            else top = 4950;
            l.Move(col.left, top, col.width, 405);
            l.SetAlignment(col.alinhamento);
            l.SetBackStyle(pf::vbTransparent);
            if (i >= 10) {
                l.SetFont(pf::Font{"Arial", 12, true});
                l.SetForeColor(azul_marinho);
                l.SetCaption(i == 10 ? cabecalho_tempo[k] : cabecalho_cliques[k]);
            } else {
                l.SetFont(pf::Font{"Arial", 12, true});
                l.SetForeColor(verde_escuro);
                if (k == 0) l.SetCaption(ordinais[i % 5]);
            }
        }
    }
    pf::Label& titulo = nome.Add(12);
    titulo.SetCaption("Os melhores do ranking");
    titulo.Move(2850, 570, 7680, 705);
    titulo.SetFont(pf::Font{"Arial", 24, true, true});
    titulo.SetForeColor(azul_marinho);
    titulo.SetBackStyle(pf::vbTransparent);

    const struct {
        const char* texto;
        int top;
    } botoes[2] = {{"Zerar", 960}, {"Retornar", 300}};
    for (int i = 0; i < 2; ++i) {
        pf::Label& b = Label1.Add(i);
        b.SetCaption(botoes[i].texto);
        b.Move(150, botoes[i].top, 1620, 450);
        b.SetFont(pf::Font{"Arial", 15.75, true});
        b.SetForeColor(pf::RGB(128, 128, 255));
        b.SetBackStyle(pf::vbTransparent);
        b.SetMouseIcon(cursor);
        b.SetMousePointer(pf::vbCustom);
    }

    Timer1.SetInterval(100);
    Timer1.SetEnabled(false);

    Label1.Bind(&pf::Label::OnClick, [this](int Index) { Label1_Click(Index); });
    Timer1.OnTimer = [this] { Timer1_Timer(); };
}

void rank_form::Form_Load() { LoadPicture(platform::ProgramFolder() + "\\back_ag1.jpg"); }

void rank_form::Form_Activate() { Mostra(); }

void rank_form::Mostra() {
    const auto& e = jogo();
    const auto& s = model::sessao();
    for (int i = 0; i < 10; ++i) {
        nome(i).SetCaption("");
        nome(i).SetVisible(true);
        valor(i).SetCaption("");
        quando(i).SetCaption("");
    }
    std::vector<registro_gm> linhas;
    try {
        linhas = le_ranking();
    } catch (const platform::DbError& erro) {
        // Told once per opening: the dialog's closing activates the window
        // again, which reads the table again.
        if (!erro_avisado_) {
            erro_avisado_ = true;
            shell::mostra_ok("Ranking", erro.what());
        }
    }
    // Five rows per table: rows beyond the fifth of a kind (written by other
    // means than the game) have no place and are left out.
    int prox_tempo = 0, prox_cliques = primeira_linha_cliques;
    for (const auto& r : linhas) {
        if (r.peq_gra != e.jogo_peq_gra) continue;
        const bool de_tempo = r.tipo == s.tipo_tempo;
        int& prox = de_tempo ? prox_tempo : prox_cliques;
        const int fim = de_tempo ? linhas_por_tabela : primeira_linha_cliques + linhas_por_tabela;
        if (prox >= fim) continue;
        nome(prox).SetCaption(r.nome);
        quando(prox).SetCaption(r.dta);
        valor(prox).SetCaption(de_tempo ? mostra_tempo(r.valor) : mostra_cliques(r.valor));
        ++prox;
    }
    if (e.pos_tempo <= linhas_por_tabela || e.pos_cliques <= linhas_por_tabela) {
        piscadas = 12;
        Timer1.SetEnabled(true);
    }
}

void rank_form::Timer1_Timer() {
    auto& e = jogo();
    if (e.pos_cliques >= 0 && e.pos_cliques <= linhas_por_tabela) {
        if (e.pos_cliques == 0) e.pos_cliques = 1;
        pf::Label& l = nome(e.pos_cliques + 4);
        l.SetVisible(!l.Visible());
    }
    if (e.pos_tempo >= 0 && e.pos_tempo <= linhas_por_tabela) {
        if (e.pos_tempo == 0) e.pos_tempo = 1;
        pf::Label& l = nome(e.pos_tempo - 1);
        l.SetVisible(!l.Visible());
    }
    if (--piscadas <= 0) Timer1.SetEnabled(false);
}

void rank_form::Label1_Click(int Index) {
    auto& e = jogo();
    if (Index == 0) {
        if (!shell::pergunta_sim_nao("Atenção", "Deseja 'zerar' o ranking ?")) return;
        try {
            zera_ranking(e.jogo_peq_gra);
        } catch (const platform::DbError& erro) {
            shell::mostra_ok("Ranking", erro.what());
            return;
        }
        e.pos_cliques = sem_posicao;
        e.pos_tempo = sem_posicao;
        // A blink still running would leave a name hidden.
        Timer1.SetEnabled(false);
        Mostra();
        return;
    }
    Unload();
}

mem_ok::mem_ok() {
    SetCaption("Parabéns");
    SetClientSize(7200, 3600);
    SetBackColor(pf::RGB(255, 248, 225));  // the trophy picture's own paper

    Image1.Move(240, 360, 1200, 1200);
    Image1.SetStretch(true);
    Image1.SetPicture(pf::LoadPicture(platform::ProgramFolder() + "\\forms\\mem_ok_Image1.bmp"));

    pf::Label& m0 = mensagem.Add(0);
    m0.SetCaption("  Você foi brilhante !  Acaba de entrar para o RANK dos 5 melhores. Yehh !");
    m0.Move(1620, 240, 5340, 1335);
    m0.SetWordWrap(true);
    m0.SetFont(pf::Font{"Arial", 13.5, true});
    m0.SetForeColor(pf::RGB(0, 0, 128));
    m0.SetBackStyle(pf::vbTransparent);
    pf::Label& m1 = mensagem.Add(1);
    m1.SetCaption("  Escreva seu nome");
    m1.Move(240, 1800, 3600, 405);
    m1.SetFont(pf::Font{"Arial", 12, true});
    m1.SetForeColor(pf::RGB(0, 0, 128));
    m1.SetBackStyle(pf::vbTransparent);

    Text1.Move(240, 2250, 4800, 450);
    Text1.SetFont(pf::Font{"Arial", 12, false});
    opções.SetCaption("OK");
    opções.Move(5400, 2220, 1560, 510);
    opções.SetFont(pf::Font{"Arial", 12, true});
    opções.SetEnabled(false);
    opções.SetDefault(true);  // Enter in the name box is "OK" once a name is typed

    Text1.OnKeyPress = [this](int& KeyAscii) { Text1_KeyPress(KeyAscii); };
    Text1.OnChange = [this] { Text1_Change(); };
    opções.OnClick = [this] { opções_Click(); };
}

void mem_ok::Form_Activate() {
    Text1.SetText("");
    Text1.SetFocus();
}

void mem_ok::Text1_KeyPress(int& KeyAscii) {
    // Counted as the player sees the name: "🌱" or "👩‍🌾" is one character.
    // Backspace still erases at the limit, so a full name can be corrected.
    // The box itself takes no C0 control; a C1 one, a separator or a
    // direction control is refused here.
    if ((KeyAscii >= 0x80 && KeyAscii <= 0x9F) || separador_ou_direcao(static_cast<char32_t>(KeyAscii))) KeyAscii = 0;
    if (KeyAscii != 8 && platform::LenVisible(Text1.Text()) >= max_nome) KeyAscii = 0;
}

void mem_ok::Text1_Change() { opções.SetEnabled(platform::Len(Text1.Text()) > 0); }

void mem_ok::opções_Click() {
    // The name as typed; a longer text set by other means is cut to the
    // width the ranking keeps, and control characters put in by other means
    // go.
    jogo().nome_jogador = platform::LeftVisible(sem_controles(Text1.Text()), max_nome);
    Hide();
}

}  // namespace minigame
