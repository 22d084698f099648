// The game and the ranking window stand on the options screen: they cover
// its whole area on any shape of screen, so nothing of it shows at their
// sides.

#include <QImage>

#include "apoio.h"

namespace minigame_test {
namespace {

constexpr QRgb vermelho = qRgb(255, 0, 0);

int pontos_da_tela_de_baixo() {
    const QImage img = pf::Screen::Grab();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == vermelho;
    return n;
}

TEST_F(JogoTest, JogoERankingCobremATelaDeOpcoes) {
    pf::Forms::Show("conf");
    pf::Forms::Get<comum::TelaVazia>("conf").SetBackColor(pf::RGB(255, 0, 0));
    ASSERT_GT(pontos_da_tela_de_baixo(), 0);
    for (auto [w, h] : {std::pair{1280, 800}, std::pair{1920, 1080}, std::pair{1024, 768}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        pf::Screen::SetVirtualSize(w, h);
        abre_jogo();
        EXPECT_EQ(pontos_da_tela_de_baixo(), 0) << "game";
        pf::Forms::Unload(nome_tela_jogo);
        pf::Forms::Show(nome_tela_ranking);
        t::ProcessEvents();
        EXPECT_EQ(pontos_da_tela_de_baixo(), 0) << "ranking";
        pf::Forms::Unload(nome_tela_ranking);
        t::ProcessEvents();
    }
}

}  // namespace
}  // namespace minigame_test
