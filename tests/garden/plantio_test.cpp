// Planting by drag and drop, the rotation question, refusals and removal.

#include "apoio.h"

namespace garden_test {
namespace {

// Centre of a cell in pixels of the grid, and a point of its margin that the
// bed's image does not cover.
float cx(int i) { return 42.f * (i % 10) + 20; }
float cy(int i) { return 42.f * (i / 10) + 20; }
float margem_x(int i) { return 42.f * (i % 10) + 41; }

TEST_F(HortaTest, CelulaDaSoltaNasBordasDaGrade) {
    auto& f = abre();
    struct Caso {
        float x, y;
        int celula;
    };
    for (Caso c : {Caso{-3, 100, 20}, Caso{42, 0, 1}, Caso{600, 600, 99}, Caso{-50, 900, 90}}) {
        f.horta_DragDrop(f.c_cen, c.x, c.y);
        EXPECT_EQ(model::horta().cult_can[c.celula], model::cod_cenoura) << c.x << "," << c.y;
        ASSERT_TRUE(f.cant.Exists(c.celula));
        EXPECT_TRUE(f.cant(c.celula).Visible());
        EXPECT_EQ(f.cant(c.celula).Left(), 42 * (c.celula % 10) + 1);
        EXPECT_EQ(f.cant(c.celula).Top(), 42 * (c.celula / 10) + 1);
    }
    EXPECT_EQ(tocou("\\blip.wav"), 4);  // sound off: one blip per planting
}

TEST_F(HortaTest, PlantioPeloArrasteGravaCanteiroEControles) {
    auto& f = abre();
    model::sessao().som_ligado = true;
    t::DragTo(f.c_ber, f.horta, cx(34), cy(34));
    auto& h = model::horta();
    EXPECT_EQ(h.cult_can[34], model::cod_quiabo);
    EXPECT_EQ(h.nome_can[34], "Quiabo");
    EXPECT_EQ(h.idade_can[34], 0);
    ASSERT_TRUE(f.txt_label.Exists(34));
    EXPECT_FALSE(f.txt_label(34).Visible());
    EXPECT_EQ(f.cant(34).Picture().GamePath(), "E:\\anima\\az_qui.bmp");
    EXPECT_EQ(tocou("\\blip.wav"), 2);
    EXPECT_EQ(tocou("\\quiabo.wav"), 1);
}

TEST_F(HortaTest, RegraDeRotacaoPerguntaENaoNaoPlanta) {
    model::horta().ult_cult[0] = model::cod_repolho;
    respostas = {false};
    auto& f = abre();
    t::DragTo(f.c_cou, f.horta, cx(0), cy(0));
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Regra de Rotação");
    EXPECT_EQ(dialogos[0].mensagem,
              "Esta verdura pertence à mesma família botânica da verdura que ocupava este canteiro. "
              "Você deseja plantar assim mesmo ?");
    EXPECT_EQ(model::horta().cult_can[0], model::nenhuma);
}

TEST_F(HortaTest, CanteiroOcupadoRecusadoNaFiguraENaMargem) {
    planta(12, model::cod_tomate, 3);
    auto& f = abre();
    t::DragTo(f.c_alf, f.horta, cx(12), cy(12));          // on the bed's image
    t::DragTo(f.c_alf, f.horta, margem_x(12), cy(12));    // in the cell's margin
    f.horta_DragDrop(f.c_alf, 42 * 2 + 40, 42 + 41);     // the grid itself, bottom right of cell 12
    ASSERT_EQ(dialogos.size(), 3u);
    for (const auto& d : dialogos) {
        EXPECT_EQ(d.titulo, "Ocupado");
        EXPECT_EQ(d.mensagem, "Este canteiro já está ocupado");
    }
    EXPECT_EQ(model::horta().cult_can[12], model::cod_tomate);
    EXPECT_EQ(model::horta().idade_can[12], 3);
    EXPECT_EQ(tocou("\\blip.wav"), 0);
    // A bed image dropped on a bed or on the grid does nothing.
    t::DragTo(f.cant(12), f.horta, cx(40), cy(40));
    EXPECT_EQ(model::horta().cult_can[40], model::nenhuma);
    EXPECT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(f.cant.Count(), 2);  // cell 12 and the template
}

TEST_F(HortaTest, SemODiscoOCanteiroPlantadoMostraONomeDaVerdura) {
    planta(12, model::cod_tomate, 3);
    comum::DiscoFora fora(pasta_programa());
    auto& f = abre();
    EXPECT_EQ(f.cant(12).Picture(), pf::CaptionPicture("Tomate", 39, 40));
    t::DragTo(f.c_alf, f.horta, cx(40), cy(40));
    ASSERT_EQ(model::horta().cult_can[40], model::cod_alface);
    EXPECT_EQ(f.cant(40).Picture(), pf::CaptionPicture("Alface", 39, 40));
}

TEST_F(HortaTest, RemocaoComSimENao) {
    model::sessao().som_ligado = true;
    planta(7, model::cod_quiabo, 2);
    planta(8, model::cod_quiabo, 2);
    auto& h = model::horta();
    h.ult_cult[7] = model::cod_vagem;
    auto& f = abre();

    respostas = {false};
    t::DragTo(f.cant(7), f, 2500, 8800);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Atenção ...");
    EXPECT_EQ(dialogos[0].mensagem, "Confirma que quer 'excluir' essa verdura ?");
    EXPECT_EQ(h.cult_can[7], model::cod_quiabo);
    EXPECT_TRUE(f.cant.Exists(7));

    respostas = {true};
    t::DragTo(f.cant(7), f, 2500, 8800);
    EXPECT_EQ(h.cult_can[7], model::nao_usado);
    EXPECT_EQ(h.nome_can[7], "");
    EXPECT_EQ(h.idade_can[7], 0);
    EXPECT_EQ(h.ult_cult[7], model::cod_vagem);  // history kept
    EXPECT_FALSE(f.cant.Exists(7));
    EXPECT_FALSE(f.txt_label.Exists(7));
    EXPECT_EQ(tocou("\\blip.wav"), 2);
    // Right after that "&Sim", the next question closed by its close box
    // keeps the crop.
    respostas = {comum::fecha_pergunta};
    t::DragTo(f.cant(8), f, 2500, 8800);
    EXPECT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(h.cult_can[8], model::cod_quiabo);
    EXPECT_TRUE(f.cant.Exists(8));
    // The cell is planted again like a free one.
    t::DragTo(f.c_nab, f.horta, cx(7), cy(7));
    EXPECT_EQ(h.cult_can[7], model::cod_nabo);
}

TEST_F(HortaTest, RemocaoDeCulturaDeSementeiraMostraUmUmaVez) {
    auto& h = model::horta();
    h.seq_cult[model::cod_tomate] = 1;
    h.seq_cult[model::cod_alface] = 1;
    planta(5, model::cod_tomate, 2);
    auto& f = abre();
    pf::Label& tomate = f.Label3(12);
    EXPECT_FALSE(tomate.Visible());

    respostas = {true};
    t::DragTo(f.cant(5), f, 2500, 8800);
    EXPECT_TRUE(tomate.Visible());
    EXPECT_EQ(tomate.Caption(), "1");
    // The flag served that refresh only: no other crop and no later refresh shows "1".
    f.pl_tr(0);
    EXPECT_FALSE(tomate.Visible());
    EXPECT_FALSE(f.Label3(0).Visible());
}

TEST_F(HortaTest, NomeDaVerduraFaladoUmaVezPorArraste) {
    model::sessao().som_ligado = true;
    auto& f = abre();
    t::DragTo(f.c_alf, f.c_chi, 100, 100, 8);  // passes over another image, dropped there
    EXPECT_EQ(tocou("\\alface.wav"), 1);
    EXPECT_EQ(tocou("\\chicoria.wav"), 0);
    t::DragTo(f.c_alf, f.horta, cx(0), cy(0), 8);
    EXPECT_EQ(tocou("\\alface.wav"), 2);
    t::DragTo(f.c_rab, f.horta, cx(1), cy(1), 8);
    EXPECT_EQ(tocou("\\rabanete.wav"), 1);
    model::sessao().som_ligado = false;
    t::DragTo(f.c_rab, f.horta, cx(2), cy(2), 8);
    EXPECT_EQ(tocou("\\rabanete.wav"), 1);
}

TEST_F(HortaTest, ParabensQuandoOPedidoFicaCompleto) {
    model::sessao().modo_guiado = true;
    model::horta().seq_cult[model::cod_cenoura] = 1;
    auto& f = abre();
    EXPECT_TRUE(f.Label3(8).Visible());
    t::DragTo(f.c_cen, f.horta, cx(0), cy(0));
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Parabéns");
    EXPECT_EQ(dialogos[0].figura, "E:\\anima\\parah.jpg");
    // Nothing more to plant: no direct counter was shown before the drop.
    t::DragTo(f.c_cen, f.horta, cx(1), cy(1));
    EXPECT_EQ(dialogos.size(), 1u);
}

}  // namespace
}  // namespace garden_test
