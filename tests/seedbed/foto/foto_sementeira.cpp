// Renders the seedbed screen with a few lots sown, the cleaning markers shown
// and the sowing indicators of an order into a PNG, for looking at the
// layout: seedbed_foto <program folder> <out.png> [sem_guia]

#include <QApplication>
#include <QImage>

#include <string>

#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "seedbed/controle_da_sementeira.h"
#include "seedbed/registro.h"
#include "shell/dialogos.h"

namespace pf = platform::forms;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    platform::SetProgramFolder(argv[1]);
    const bool sem_guia = argc > 3;
    model::reinicia_estado();
    auto& h = model::horta();
    auto& s = model::sessao();
    h.data_real = h.data_agenda = platform::Now();
    s.dir_anima = "C:";
    s.dir_som = "C:\\audio\\caipira";
    s.modo_guiado = !sem_guia;
    h.cult_sem.fill(model::nenhuma);
    const int lotes[][3] = {{0, model::cod_alface, 2}, {1, model::cod_alface, 2}, {3, model::cod_tomate, 4},
                            {12, model::cod_couve, 3}, {14, model::cod_alho_poro, 6}, {21, model::cod_berinjela, 8}};
    for (const auto& l : lotes) {
        h.cult_sem[l[0]] = l[1];
        h.idade_sem[l[0]] = l[2];
        h.nome_sem[l[0]] = model::catalogo().nome_cult[l[1]];
    }
    h.check_sem[1] = true;
    h.seq_cult[model::cod_chicoria] = 1;
    h.seq_cult[model::cod_pimentao] = 2;

    shell::registra_dialogos();
    seedbed::registra_formularios();
    pf::Forms::Show(seedbed::nome_tela_sementeira);
    pf::test::ProcessEvents();
    auto& f = pf::Forms::Get<seedbed::controle_da_sementeira>(seedbed::nome_tela_sementeira);
    f.command4_Click(1);
    pf::test::ProcessEvents();
    const QImage foto = pf::Screen::GrabForm(f, 1.0);
    return foto.save(QString::fromStdString(argv[2])) ? 0 : 1;
}
