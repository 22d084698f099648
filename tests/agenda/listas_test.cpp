// The eight activity lists: their lines, texts and counts, and the visible
// window with its scroll bar on the agenda screen.

#include "apoio.h"

namespace agenda_test {
namespace {

using agenda::Lista;
using agenda::LinhaLista;

class ListasTest : public AgendaTest {};

TEST_F(ListasTest, LinhasDePlantioETransplante) {
    auto& h = model::horta();
    h.seq_cult[model::cod_cenoura] = 2;
    h.seq_cult[model::cod_tomate] = 2;
    planta(12, model::cod_rabanete, 0);   // a bed due "PLD"
    planta(47, model::cod_alface, 0);     // a bed due "TR"
    semeia(1, model::cod_tomate, 5);      // two ready lots of tomate
    semeia(14, model::cod_tomate, 5);
    semeia(2, model::cod_alface, 4);      // ready, but no order left
    agenda::Pendencias p;
    agenda::pl_sem_tr(p);

    const auto pld = agenda::linhas_lista(Lista::PLD, p);
    ASSERT_EQ(pld.size(), 2u);
    EXPECT_EQ(pld[0], (LinhaLista{"Cenoura", " 2m", "", "30 / m2"}));
    EXPECT_EQ(pld[1], (LinhaLista{"Rabanete", "B 3", "", ""}));
    EXPECT_EQ(agenda::contagem_lista(Lista::PLD, p), 2);

    const auto tr = agenda::linhas_lista(Lista::TR, p);
    ASSERT_EQ(tr.size(), 4u);
    EXPECT_EQ(tr[0], (LinhaLista{"Tomate", " 2m", "A 2", "1 / m2"}));
    EXPECT_EQ(tr[1], (LinhaLista{"Alface", "", "A 3", ""}));
    EXPECT_EQ(tr[2], (LinhaLista{"Tomate", " 2m", "B 4", "1 / m2"}));
    EXPECT_EQ(tr[3], (LinhaLista{"Alface", "E 8", "", ""}));
    EXPECT_EQ(agenda::contagem_lista(Lista::TR, p), 4);
}

TEST_F(ListasTest, LotesAntesDosCanteirosESemeadurasPendentesAntesDosLotes) {
    auto& h = model::horta();
    h.seq_cult[model::cod_couve] = 1;
    planta(0, model::cod_cenoura, 2);     // "LI" in the garden
    semeia(21, model::cod_alface, 2);     // "LI" in the seedbed
    semeia(4, model::cod_repolho, 0);     // sown this week: "PLS"
    agenda::Pendencias p;
    agenda::pl_sem_tr(p);

    const auto li = agenda::linhas_lista(Lista::LI, p);
    ASSERT_EQ(li.size(), 2u);
    EXPECT_EQ(li[0], (LinhaLista{"Alface", "", "B 11", ""}));
    EXPECT_EQ(li[1], (LinhaLista{"Cenoura", "A 1", "", ""}));

    const auto pls = agenda::linhas_lista(Lista::PLS, p);
    ASSERT_EQ(pls.size(), 2u);
    EXPECT_EQ(pls[0], (LinhaLista{"Couve", "1x", "", ""}));
    EXPECT_EQ(pls[1], (LinhaLista{"Repolho", "A 5", "", ""}));
    EXPECT_EQ(agenda::contagem_lista(Lista::PLS, p), 2);
    EXPECT_TRUE(agenda::linhas_lista(Lista::COF, p).empty());
}

TEST_F(ListasTest, JanelaDeDezLinhasEBarraDeRolagem) {
    for (int i = 0; i < 11; ++i) planta(i, model::cod_cenoura, 2);  // 11 beds to weed
    for (int i = 20; i < 30; ++i) planta(i, model::cod_alface, 7);  // 10 final harvests
    auto& f = abre();

    EXPECT_EQ(f.SCROLL_LI.Max(), 1);
    EXPECT_TRUE(f.SCROLL_LI.Visible());
    EXPECT_EQ(f.LI2(0).Caption(), "A 1");
    EXPECT_EQ(f.LI2(9).Caption(), "A 10");
    EXPECT_EQ(f.SCROLL_cof.Max(), 0);
    EXPECT_FALSE(f.SCROLL_cof.Visible());
    EXPECT_EQ(f.cof2(9).Caption(), "C 10");
    EXPECT_FALSE(f.SCROLL_amo.Visible());
    EXPECT_EQ(f.amo1(0).Caption(), "");

    f.SCROLL_LI.SetValue(1);
    EXPECT_EQ(f.LI2(0).Caption(), "A 2");
    EXPECT_EQ(f.LI2(9).Caption(), "B 1");
    EXPECT_TRUE(f.SCROLL_LI.Visible());
    f.SCROLL_LI.SetValue(0);
    EXPECT_EQ(f.LI2(0).Caption(), "A 1");
    EXPECT_TRUE(f.SCROLL_LI.Visible());
    // The full list is kept whatever the window shows.
    EXPECT_EQ(f.listas.rel_li2[10], "B 1");
}

TEST_F(ListasTest, BarraDaSementeiraSoRedesenhaAoSoltar) {
    auto& h = model::horta();
    for (int j = 1; j <= model::n_culturas; ++j) h.seq_cult[j] = 1;  // 13 sowings due
    auto& f = abre();
    ASSERT_EQ(f.SCROLL_PLS.Max(), 3);
    EXPECT_EQ(f.PLS1(0).Caption(), "Alface");

    ASSERT_TRUE(f.SCROLL_PLS.OnChange);
    EXPECT_FALSE(f.SCROLL_PLS.OnScroll);
    EXPECT_TRUE(f.SCROLL_PLD.OnScroll);
    f.SCROLL_PLS.SetValue(3);
    EXPECT_EQ(f.PLS1(0).Caption(), "Agrião");
}

TEST_F(ListasTest, ListaMaiorQueCinquentaLinhasChegaInteiraAoRelatorio) {
    for (int i = 0; i < 60; ++i) planta(i, model::cod_cenoura, 2);
    auto& f = abre();
    EXPECT_EQ(f.SCROLL_LI.Max(), 50);
    ASSERT_GE(f.listas.rel_li2.size(), 60u);
    EXPECT_EQ(f.listas.rel_li2[59], "F 10");
    EXPECT_EQ(linhas_tabela("relat", {"aonde"}).size(), 60u);
}

}  // namespace
}  // namespace agenda_test
