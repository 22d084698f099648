// The palette counters: the planting status shown, and the explanations.

#include "apoio.h"

namespace garden_test {
namespace {

TEST_F(HortaTest, StatusDePlantioDaPaleta) {
    using model::cod_alface;
    using model::cod_quiabo;
    struct Caso {
        const char* nome;
        int cult, pedido;
        int idade_canteiro;  // -1: no bed of the crop
        int idade_lote;      // -1: no lot of the crop
        const char* texto;
        bool visivel;
    };
    const Caso casos[] = {
        {"direta, faltam canteiros", cod_quiabo, 3, 1, -1, "2", true},
        {"a última cultura da paleta", model::cod_pepino, 2, -1, -1, "2", true},
        {"sementeira, mudas não prontas", cod_alface, 2, -1, 2, "-", false},
        {"sementeira, mudas prontas, sem pedido", cod_alface, 0, -1, 4, "1", true},
        {"sementeira, prontas, canteiro plantado na semana", cod_alface, 0, 0, 4, "-", false},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::sessao().modo_guiado = true;
        auto& h = model::horta();
        h.seq_cult[c.cult] = c.pedido;
        if (c.idade_canteiro >= 0) planta(40, c.cult, c.idade_canteiro);
        if (c.idade_lote >= 0) {
            h.cult_sem[0] = c.cult;
            h.idade_sem[0] = c.idade_lote;
        }
        auto& f = abre();
        const int k = garden::FF_horta(static_cast<std::int16_t>(c.cult));
        EXPECT_EQ(f.Label3(k).Caption(), c.texto) << c.nome;
        EXPECT_EQ(f.Label3(k).Visible(), c.visivel) << c.nome;
        const std::string figura = garden::paleta()[k].figura;
        EXPECT_EQ(f.imagem_paleta(k).Picture().GamePath() == "E:" + figura, c.visivel) << c.nome;
        TearDown();
    }
}

TEST_F(HortaTest, PaletaSemPedidoDaFiguraATodas) {
    auto& f = abre();  // modo_guiado off
    for (int k = 0; k < garden::n_paleta; ++k) {
        EXPECT_FALSE(f.Label3(k).Visible());
        EXPECT_EQ(f.imagem_paleta(k).Picture().GamePath(), std::string("E:") + garden::paleta()[k].figura_sem_guia);
    }
    // -1 changes nothing; one crop leaves the others alone.
    model::horta().seq_cult[model::cod_nabo] = 2;
    model::horta().seq_cult[model::cod_vagem] = 2;
    f.pl_tr(-1);
    EXPECT_FALSE(f.Label3(10).Visible());
    f.pl_tr(model::cod_nabo);
    EXPECT_EQ(f.Label3(10).Caption(), "2");
    EXPECT_FALSE(f.Label3(18).Visible());
}

TEST_F(HortaTest, ExplicacaoDoContador) {
    model::sessao().modo_guiado = true;
    auto& h = model::horta();
    h.seq_cult[model::cod_rucula] = 1;
    h.seq_cult[model::cod_alho_poro] = 1;
    h.cult_sem[0] = model::cod_alho_poro;
    h.idade_sem[0] = 6;
    auto& f = abre();
    t::Click(f.Label3(7));
    t::Click(f.Label3(20));
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[0].nome, "ok");
    EXPECT_EQ(dialogos[0].titulo, "Rúcula");
    EXPECT_EQ(dialogos[0].mensagem, "Voce deve plantar 1 leito(s) de Rúcula");
    EXPECT_EQ(dialogos[1].titulo, "Alho Poró");
    EXPECT_EQ(dialogos[1].mensagem, "Voce deve transplantar 1 leito(s) de Alho Poró");
}

}  // namespace
}  // namespace garden_test
