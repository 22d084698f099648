// Every screen and dialog of the game, as its design makes it, drawn once:
// no label with a design caption may cut it (a word broken or clipped, a
// line lost under the label's bottom edge).

#include <gtest/gtest.h>

#include <QImage>

#include "app/telas.h"
#include "agenda/registro.h"
#include "garden/trabalhando_na_horta.h"
#include "help/registro.h"
#include "minigame/registro.h"
#include "platform/forms/forms.h"
#include "platform/forms/screen.h"
#include "platform/forms/testing.h"
#include "platform/log.h"
#include "seedbed/registro.h"
#include "shell/registro.h"

namespace {

namespace pf = platform::forms;
namespace t = platform::forms::test;

TEST(Rotulos, NenhumaLegendaDeDesenhoCortadaEmTelaAlguma) {
    t::ResetAll();
    platform::SetLogToStderr(false);
    app::registra_telas();

    int formularios = 0;
    for (const auto& f : t::Designs()) {
        ++formularios;
        const QImage imagem = pf::Screen::GrabForm(*f, 1.0);
        EXPECT_FALSE(imagem.isNull()) << f->Name();
        for (const pf::Label* l : t::CutLabels(*f))
            ADD_FAILURE() << f->Name() << "." << l->Name() << (l->Index() >= 0 ? "(" + std::to_string(l->Index()) + ")" : "")
                          << " corta \"" << l->Caption() << "\"";
    }
    EXPECT_GE(formularios, 15);
    t::ResetAll();
}

}  // namespace
