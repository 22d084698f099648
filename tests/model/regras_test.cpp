// The rules of planting, removal, sowing and care, on the state alone.

#include <gtest/gtest.h>

#include "model/checagens.h"
#include "model/estado.h"
#include "model/regras.h"

namespace {

using namespace model;

class Regras : public ::testing::Test {
protected:
    void SetUp() override { reinicia_estado(); }
    void TearDown() override { reinicia_estado(); }

    static void lote(int j, int cult, int idade) {
        horta().cult_sem[j] = cult;
        horta().nome_sem[j] = catalogo().nome_cult[cult];
        horta().idade_sem[j] = idade;
    }
    static void canteiro(int i, int cult, int idade) {
        horta().cult_can[i] = cult;
        horta().idade_can[i] = idade;
    }
};

TEST_F(Regras, RotacaoPerguntaPorCadaCulturaAnteriorDaFamilia) {
    struct Caso {
        int ult, penult;
        std::vector<bool> respostas;
        bool plantado;
    };
    const Caso casos[] = {
        {-1, -1, {}, true},                              // no history
        {cod_repolho, cod_cenoura, {false}, false},      // the last crop's family only
        {cod_cenoura, cod_rucula, {true}, true},         // the crop before last's only
        {cod_repolho, cod_rucula, {false, true}, true},  // the second answer counts
        {cod_repolho, cod_rucula, {true, false}, false},
    };
    for (const Caso& c : casos) {
        reinicia_estado();
        horta().ult_cult[0] = c.ult;
        horta().penult_cult[0] = c.penult;
        std::size_t perguntas = 0;
        EXPECT_EQ(planta(cod_couve, 0, [&] { return c.respostas.at(perguntas++); }), c.plantado);
        EXPECT_EQ(perguntas, c.respostas.size());
        EXPECT_EQ(horta().nome_can[0], c.plantado ? "Couve" : "");
    }
}

TEST_F(Regras, UltimoTransplanteDescartaAsMudasProntas) {
    for (int pedido : {1, 2}) {
        reinicia_estado();
        horta().seq_cult[cod_alface] = pedido;
        lote(0, cod_alface, 4);  // ready
        lote(1, cod_alface, 2);
        lote(2, cod_tomate, 5);  // another crop, ready
        ASSERT_TRUE(planta(cod_alface, 3, [] { return true; }));
        EXPECT_EQ(horta().cult_sem[0], pedido == 1 ? nenhuma : cod_alface) << pedido;
        EXPECT_EQ(horta().nome_sem[0], pedido == 1 ? "" : "Alface");
        EXPECT_TRUE(horta().cult_sem[1] == cod_alface && horta().cult_sem[2] == cod_tomate) << "kept";
    }
}

TEST_F(Regras, PendenciasNaoMudamContagens) {
    horta().seq_cult[cod_cenoura] = 1;
    horta().seq_cult[cod_alface] = 1;
    lote(1, cod_tomate, 5);  // ready: a transplant due
    EXPECT_TRUE(tem_plantio_direto() && tem_plantio() && tem_pls() && tem_pendencias());
    EXPECT_EQ(horta().conta_can, EstadoHorta{}.conta_can);
    EXPECT_EQ(horta().qt_sem_cult, EstadoHorta{}.qt_sem_cult);
    EXPECT_EQ(horta().cult_atual, EstadoHorta{}.cult_atual);
    canteiro(0, cod_cenoura, 1);
    lote(0, cod_alface, 1);
    EXPECT_FALSE(tem_plantio_direto() || tem_pls());
}

TEST_F(Regras, PlanoPedeUmaSemeaduraPorIntervalo) {
    auto plano = [](int cult) {
        for (const auto& s : status_da_semeadura(0))
            if (s.cultura == cult) return s.status;
        return std::string("?");
    };
    EXPECT_EQ(plano(cod_alface), "-") << "nothing ordered";
    horta().seq_cult[cod_alface] = 5;  // any order asks one lot per interval (2 weeks)
    EXPECT_EQ(plano(cod_alface), "1");
    lote(3, cod_alface, 1);
    EXPECT_EQ(plano(cod_alface), "-");
    horta().idade_sem[3] = 2;
    horta().cult_sem[4] = nenhuma;
    EXPECT_EQ(plano(cod_alface), "1");
    EXPECT_EQ(horta().qt_sem_cult[cod_alface], 0);
    // Couve (5 weeks in the seedbed, sown every 12): a bed transplanted
    // young enough counts as the interval's sowing.
    horta().seq_cult[cod_couve] = 1;
    for (int idade : {6, 7}) {
        canteiro(40, cod_couve, idade);
        EXPECT_EQ(plano(cod_couve), idade < 7 ? "-" : "1") << idade;
    }
    // Sowing takes a free lot only, with a seedbed crop.
    EXPECT_TRUE(semeia(cod_couve, 4));
    EXPECT_FALSE(semeia(cod_tomate, 4) || semeia(cod_cenoura, 5));
    EXPECT_EQ(remove_lote(4), cod_couve);
}

TEST_F(Regras, CuidadoConcluidoQuandoTodosOsDevidosEstaoMarcados) {
    canteiro(0, cod_alface, 2);   // LI
    canteiro(1, cod_alface, 2);   // LI
    canteiro(2, cod_cenoura, 4);  // DES
    EXPECT_TRUE(marca_canteiro(0));
    EXPECT_FALSE(cuidado_concluido_na_horta("LI"));
    EXPECT_TRUE(marca_canteiro(1));
    EXPECT_TRUE(cuidado_concluido_na_horta("LI"));
    EXPECT_FALSE(marca_canteiro(1));  // unticked: open again
    EXPECT_FALSE(cuidado_concluido_na_horta("LI"));
    EXPECT_FALSE(cuidado_concluido_na_horta("DES"));

    lote(0, cod_alface, 2);  // LI
    lote(1, cod_couve, 3);   // DES
    EXPECT_TRUE(marca_lote(0));
    EXPECT_TRUE(cuidado_concluido_na_sementeira("LI"));
    EXPECT_FALSE(cuidado_concluido_na_sementeira("DES"));
}

}  // namespace
