// Draws the memory game's windows into PNG files, headless
// (QT_QPA_PLATFORM=offscreen): a game under way, the ranking with entries,
// and the name dialog. Uses the pictures of the given program folder, whose
// drive C: holds the card pictures; the ranking database it writes there is
// removed at the end.

#include <QApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <string>

#include "minigame/estado.h"
#include "minigame/gamedio.h"
#include "minigame/rank_form.h"
#include "minigame/ranking.h"
#include "minigame/registro.h"
#include "model/estado.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;
using namespace minigame;

namespace {

class Vazia : public pf::Form {};

void salva(const pf::Form& f, const std::string& arquivo) {
    QImage img = pf::Screen::GrabForm(f, 1.0);
    img.save(QString::fromStdString(arquivo));
    std::printf("%s\n", arquivo.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: minigame_shot <pasta do programa> <pasta de saída>\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::string pasta = argv[1];
    const std::string saida = argv[2];
    platform::SetProgramFolder(pasta);
    platform::UseRecordingSoundBackend();
    model::sessao().dir_anima = "C:";
    shell::registra_dialogos();
    registra_formularios();
    pf::Forms::Register<Vazia>("conf");

    // A game under way: three pairs found, two different cards face up.
    pf::Forms::Show(nome_tela_jogo);
    t::ProcessEvents();
    auto& g = pf::Forms::Get<gamedio>(nome_tela_jogo);
    auto& p = jogo().partida;
    int achados = 0;
    for (int a = 0; a < n_cartas && achados < 3; ++a)
        for (int b = a + 1; b < n_cartas; ++b)
            if (p.carta_figura[a] == p.carta_figura[b] && g.figura(a).Visible()) {
                t::Click(g.figura(a));
                t::Click(g.figura(b));
                while (t::TickTimer(g.Timer1)) {
                }
                ++achados;
                break;
            }
    int a = 0;
    while (!g.figura(a).Visible()) ++a;
    int b = a + 1;
    while (!g.figura(b).Visible() || p.carta_figura[b] == p.carta_figura[a]) ++b;
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    for (int s = 0; s < 83; ++s) t::TickTimer(g.Timer2);
    salva(g, saida + "/gamedio.png");

    // The ranking after a game that entered the time ranking at place 2.
    const char* nomes[] = {"Maria Clara", "Joãozinho", "Pedro Henrique", "Ana", "Zé da Horta"};
    const char* tempos[] = {"1:05", "1:40", "2:12", "3:30", "9:59"};
    const char* cliques[] = {"19", "23", "24", "31", "40"};
    for (int i = 0; i < 5; ++i) {
        jogo().nome_jogador = nomes[i];
        grava_rank_tempo(tempos[i]);
        grava_rank_cliques(cliques[(i + 2) % 5]);
    }
    jogo().pos_tempo = 2;
    jogo().pos_cliques = sem_posicao;
    pf::Forms::Show(nome_tela_ranking);
    t::ProcessEvents();
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    salva(r, saida + "/rank_form.png");

    auto& m = pf::Forms::Get<mem_ok>(nome_dialogo_nome);
    m.Show();
    t::ProcessEvents();
    t::TypeText("Maria Clara");
    salva(m, saida + "/mem_ok.png");

    pf::Forms::Reset();
    platform::Workspace::Default().CloseAll();
    for (const char* f : {"gm.mdb", "gm.mdb-wal", "gm.mdb-shm"})
        std::filesystem::remove(std::filesystem::path(pasta) / f);
    platform::ShutdownSound();
    return 0;
}
