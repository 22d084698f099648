// The deal and the clock text, without a window.

#include <gtest/gtest.h>

#include <array>

#include "minigame/partida.h"
#include "platform/clock.h"

namespace {

using namespace minigame;

TEST(Distribuicao, CadaFiguraFicaEmDuasCartasQualquerQueSejaASemente) {
    for (double semente : {0.0, 1.0, 17.5, 12345.0, 86399.9}) {
        platform::Randomize(semente);
        Partida p;
        p.primeira = 4;
        p.segunda = 9;
        p.segundos = 77;
        distribui(p);
        std::array<int, max_figuras + 1> vezes{};
        for (int c = 0; c < n_cartas; ++c) {
            ASSERT_GE(p.carta_figura[c], 1);
            ASSERT_LE(p.carta_figura[c], max_figuras);
            ++vezes[p.carta_figura[c]];
        }
        for (int f = 1; f <= max_figuras; ++f) EXPECT_EQ(vezes[f], 2) << "figura " << f << " semente " << semente;
        for (int f = 1; f <= max_figuras; ++f) EXPECT_EQ(p.restam_figura[f], 0);
        EXPECT_EQ(p.pares_restantes, 18);
        EXPECT_EQ(p.primeira, -1);
        EXPECT_EQ(p.segunda, -1);
        EXPECT_EQ(p.segundos, 0);
    }
}

TEST(Distribuicao, AMesmaSementeDaAMesmaMesa) {
    Partida a, b;
    platform::Randomize(42.0);
    distribui(a);
    platform::Randomize(42.0);
    distribui(b);
    EXPECT_EQ(a.carta_figura, b.carta_figura);
}

TEST(Sorteio, FiguraSemUsoPassaParaAProximaDezoitoVoltaAUm) {
    Partida p;
    p.restam_figura.fill(0);
    p.restam_figura[1] = 1;  // only picture 1 is left: every draw must wrap to it
    platform::Randomize(3.0);
    EXPECT_EQ(rand_imagem(p), 1);
    EXPECT_EQ(p.restam_figura[1], 0);
    // Nothing left at all: no picture, nothing taken, no endless search.
    EXPECT_EQ(rand_imagem(p), 0);
}

TEST(Sorteio, ArredondamentoDaAsPontasMetadeDaChance) {
    // (18 - 1) x r + 1 rounded to nearest: 1 and 18 cover half a unit each.
    platform::Randomize(7.0);
    std::array<int, max_figuras + 1> vezes{};
    const int n = 170000;
    for (int i = 0; i < n; ++i) {
        Partida p;
        p.restam_figura.fill(5);
        ++vezes[rand_imagem(p)];
    }
    const double meio = n / 17.0;  // expected count of an inner number
    for (int f = 2; f <= 17; ++f) EXPECT_NEAR(vezes[f], meio, meio * 0.06) << f;
    EXPECT_NEAR(vezes[1], meio / 2, meio * 0.06);
    EXPECT_NEAR(vezes[18], meio / 2, meio * 0.06);
}

TEST(Relogio, MinutosSemZerosSegundosComDoisDigitos) {
    EXPECT_EQ(texto_relogio(1), "0:01");
    EXPECT_EQ(texto_relogio(7), "0:07");
    EXPECT_EQ(texto_relogio(59), "0:59");
    EXPECT_EQ(texto_relogio(60), "1:00");
    EXPECT_EQ(texto_relogio(75), "1:15");
    EXPECT_EQ(texto_relogio(600), "10:00");
    EXPECT_EQ(texto_relogio(5999), "99:59");
    EXPECT_EQ(texto_relogio(max_segundos), "546:07");
}

}  // namespace
