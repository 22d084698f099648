// Shows the agenda screen on a sample garden with the assembled program
// folder and saves a picture of it: agenda_shot <out.png> [ticks].
// With a third argument "imprime" it also writes the two reports to PDF.

#include <QApplication>
#include <QImage>

#include <cstdio>
#include <string>

#include "agenda/age.h"
#include "agenda/registro.h"
#include "model/modelo.h"
#include "platform/paths.h"
#include "agenda/impressao.h"
#include "platform/report.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace pf = platform::forms;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : "agenda.png";
    platform::SetProgramFolder(BROTALIA_PROGRAM_DIR);
    auto& h = model::horta();
    auto& s = model::sessao();
    s.dir_anima = "C:";
    s.dir_som = "C:\\audio\\caipira";
    model::inicia_culturas();
    h.cult_can.fill(model::nenhuma);
    h.nome_can.fill("");
    h.ult_cult.fill(-1);
    h.penult_cult.fill(-1);
    for (int i = 80; i < 100; ++i) h.cult_can[i] = model::nao_usado;
    auto planta = [&](int i, int c, int idade) {
        h.cult_can[i] = c;
        h.idade_can[i] = idade;
        h.nome_can[i] = model::catalogo().nome_cult[c];
    };
    auto semeia = [&](int k, int c, int idade) {
        h.cult_sem[k] = c;
        h.idade_sem[k] = idade;
        h.nome_sem[k] = model::catalogo().nome_cult[c];
    };
    for (int i = 0; i < 12; ++i) planta(i, model::cod_cenoura, 2);
    planta(20, model::cod_alface, 6);
    planta(21, model::cod_alface, 7);
    planta(22, model::cod_tomate, 6);
    planta(23, model::cod_rabanete, 2);
    planta(24, model::cod_quiabo, 4);
    h.ult_cult[30] = model::cod_repolho;
    h.penult_cult[30] = model::cod_cenoura;
    planta(25, model::cod_vagem, 0);
    planta(26, model::cod_repolho, 5);
    planta(27, model::cod_beterraba, 9);
    semeia(0, model::cod_tomate, 5);
    semeia(1, model::cod_alho_poro, 4);
    semeia(2, model::cod_couve, 2);
    semeia(3, model::cod_alface, 0);
    semeia(4, model::cod_alface, 4);
    // Long crop names in the three-column lists.
    semeia(5, model::cod_cheiro_verde, 2);
    semeia(6, model::cod_berinjela, 4);
    planta(28, model::cod_couve_flor, 2);
    h.seq_cult[model::cod_tomate] = 2;
    h.seq_cult[model::cod_beterraba] = 1;
    h.seq_cult[model::cod_couve] = 1;
    h.seq_cult[model::cod_vagem] = 2;

    pf::Forms::Register<agenda::age>("age");
    shell::registra_dialogos();
    auto& f = pf::Forms::Get<agenda::age>("age");
    f.Show();
    pf::test::ProcessEvents();
    f.Form_Activate();
    if (argc > 2) for (int k = 0, n = std::stoi(argv[2]); k < n; ++k) pf::test::TickTimer(f.timer_);
    pf::Screen::GrabForm(f).save(QString::fromStdString(out));
    std::printf("saved %s\n", out.c_str());
    if (argc > 3) {
        platform::Report::SetPdfOnly(true);
        for (auto* r : {&f.relat, &f.regrot}) {
            r->SetParameter("semana", f.terra.Text());
            r->SetParameter("ano_semana", "retrato");
            auto res = r->PrintReport();
            std::printf("%s\n", agenda::texto_do_relatorio(res).c_str());
        }
    }
    return 0;
}
