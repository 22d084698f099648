// The look-ups behind the grid and the palette: the cell under a drop point,
// and the crop of a palette image and its counter.

#include <gtest/gtest.h>

#include "garden/animacao.h"
#include "garden/paleta.h"

namespace {

using namespace garden;

TEST(CelulaSob, PontosDaGradeEAlem) {
    struct Caso {
        double x, y;
        int celula;
    };
    const Caso casos[] = {
        {0, 0, 0},        {41.9, 41.9, 0},  {42, 0, 1},       {-3, 100, 20},   {0, 42, 10},
        {418, 418, 99},   {419, 419, 99},   {420, 420, 99},   {500, 10, 9},    {10, 5000, 90},
        {-1e9, -1e9, 0},  {1e9, 1e9, 99},   {377.9, 0, 8},    {378, 0, 9},
    };
    for (const Caso& c : casos) EXPECT_EQ(celula_sob(c.x, c.y), c.celula) << c.x << "," << c.y;
}

TEST(Paleta, NomesCodigosEContadores) {
    // Every palette image names its crop and its counter, both ways.
    for (int k = 0; k < n_paleta; ++k) {
        const EntradaPaleta& e = paleta()[k];
        EXPECT_EQ(FF_horta(e.cultura), k) << e.imagem;
        EXPECT_EQ(supertreme(e.cultura), k) << e.imagem;
    }
    EXPECT_EQ(FF_horta(0), 21);
    EXPECT_EQ(FF_horta(22), 0);
    EXPECT_EQ(FF_horta(-1), 0);
    EXPECT_EQ(supertreme(0), 0);
    EXPECT_EQ(figura_canteiro(16), "\\anima\\az_bgl.bmp");
    EXPECT_EQ(figura_canteiro(0), "");
    // The eight direct crops hold counters 6 to 11, 18 and 19.
    for (int p : {6, 7, 8, 9, 10, 11, 18, 19}) EXPECT_FALSE(paleta()[p].transplanta);
}

}  // namespace
