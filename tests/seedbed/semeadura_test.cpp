// Sowing a lot by dragging a crop button onto it, removing a lot's seedlings
// by dragging the lot away, and the crop names spoken while dragging.

#include "apoio.h"
#include "shell/navegacao.h"

namespace seedbed_test {
namespace {

// A free spot of the screen's background, in twips.
constexpr float kFundoX = 6000, kFundoY = 8600;

TEST_F(SementeiraTest, SemeiaUmLoteLivre) {
    model::sessao().som_ligado = true;
    auto& h = model::horta();
    h.cult_sem[4] = model::nao_usado;  // removed earlier: sown like a free lot
    h.check_sem[4] = true;
    auto& f = abre();
    sons->calls.clear();
    t::DragTo(f.c_tom, f.Image3(4), 10, 10);
    EXPECT_EQ(h.cult_sem[4], model::cod_tomate);
    EXPECT_EQ(h.nome_sem[4], "Tomate");
    EXPECT_EQ(h.idade_sem[4], 0);
    EXPECT_TRUE(h.check_sem[4]) << "the done mark is left as it was";
    // The button's picture: outside guided mode, its highlight picture.
    EXPECT_EQ(caminho(f.Image3(4).Picture()), "\\anima\\az_tom.bmp");
    EXPECT_EQ(caminho(f.CRESCE(4).Picture()), "\\anima\\cresce0.bmp");
    EXPECT_EQ(tocou("\\blip.wav"), 2);
    EXPECT_EQ(tocou("\\tomate.wav"), 1);
    EXPECT_FALSE(f.ja_tocou);
    EXPECT_TRUE(dialogos.empty());
    // Before any forecast or real-time click the button is left with the
    // default pointer.
    EXPECT_EQ(f.c_tom.MousePointer(), pf::vbDefault);
}

TEST_F(SementeiraTest, LoteOcupadoRecusaASemeadura) {
    semeia(2, model::cod_alface, 1);
    auto& f = abre();
    shell::estado_telas().ponteiro_salvo = pf::vbCustom;
    sons->calls.clear();
    t::DragTo(f.c_cou, f.Image3(2), 10, 10);
    auto& h = model::horta();
    EXPECT_EQ(h.cult_sem[2], model::cod_alface);
    EXPECT_EQ(h.idade_sem[2], 1);
    EXPECT_EQ(caminho(f.Image3(2).Picture()), "\\anima\\az_alf.bmp");
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Ocupado ...");
    EXPECT_EQ(dialogos[0].mensagem, "Este 'lote' está ocupado");
    EXPECT_EQ(tocou("\\blip.wav"), 1) << "the first blip plays whatever the sound option";
    EXPECT_EQ(f.c_cou.MousePointer(), pf::vbCustom);

    // A lot showing a picture is occupied even when its code is free ...
    dialogos.clear();
    h.cult_sem[2] = model::nenhuma;
    t::DragTo(f.c_cou, f.Image3(2), 10, 10);
    EXPECT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(h.cult_sem[2], model::nenhuma);

    // ... and a sown lot whose picture could not be shown is occupied too.
    dialogos.clear();
    semeia(7, model::cod_repolho, 2);
    f.Image3(7).SetPicture(pf::Picture{});
    t::DragTo(f.c_alf, f.Image3(7), 10, 10);
    EXPECT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(h.cult_sem[7], model::cod_repolho);
    EXPECT_EQ(h.idade_sem[7], 2);
}

TEST_F(SementeiraTest, SemODiscoOLoteSemeadoMostraONomeDaVerdura) {
    semeia(7, model::cod_repolho, 2);
    comum::DiscoFora fora(pasta_programa());
    auto& f = abre();
    EXPECT_EQ(f.Image3(7).Picture(), pf::CaptionPicture("Repolho", 39, 40));
    EXPECT_TRUE(f.Image3(8).Picture().IsEmpty());
    t::DragTo(f.c_alf, f.Image3(7), 10, 10);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].mensagem, "Este 'lote' está ocupado");
    t::DragTo(f.c_alf, f.Image3(8), 10, 10);
    EXPECT_EQ(f.Image3(8).Picture(), pf::CaptionPicture("Alface", 39, 40));
    EXPECT_EQ(dialogos.size(), 1u);
}

TEST_F(SementeiraTest, SemSomSoOPrimeiroBlip) {
    auto& f = abre();
    sons->calls.clear();
    t::DragTo(f.c_alf, f.Image3(0), 10, 10);
    EXPECT_EQ(model::horta().cult_sem[0], model::cod_alface);
    EXPECT_EQ(tocou("\\blip.wav"), 1);
    EXPECT_EQ(tocou("\\alface.wav"), 0);
    f.ja_tocou = false;
    f.c_DragOver(f.c_alf, f.c_alf, 0, 0, pf::vbEnter);
    EXPECT_TRUE(f.ja_tocou) << "set even with the sound off";
    f.Form_Click();
    EXPECT_EQ(tocou("\\silencio.wav"), 0);
    model::sessao().som_ligado = true;
    f.Form_Click();
    f.CRESCE_Click(3);
    EXPECT_EQ(tocou("\\silencio.wav"), 2);
}

TEST_F(SementeiraTest, LoteSobreLoteEBotaoSobreBotao) {
    model::sessao().som_ligado = true;
    semeia(0, model::cod_alface, 1);
    auto& f = abre();
    const auto antes = model::horta().cult_sem;
    sons->calls.clear();
    t::DragTo(f.Image3(0), f.Image3(1), 10, 10);
    t::DragTo(f.Image3(0), f.Image3(0), 12, 12);
    t::DragTo(f.c_alf, f.c_chi, 10, 10);
    t::DragTo(f.c_alf, f, kFundoX, kFundoY);  // a crop button on the background
    EXPECT_EQ(model::horta().cult_sem, antes);
    EXPECT_EQ(tocou("\\blip.wav"), 0);
    EXPECT_TRUE(dialogos.empty());
    EXPECT_TRUE(f.Image3(1).Picture().IsEmpty());
    EXPECT_EQ(f.Image3(0).MousePointer(), pf::vbCustom);
}

TEST_F(SementeiraTest, NomeFaladoUmaVezPorPassagem) {
    model::sessao().som_ligado = true;
    auto& f = abre();
    sons->calls.clear();
    f.c_DragOver(f.c_alf, f.c_alf, 0, 0, pf::vbEnter);
    f.c_DragOver(f.c_alf, f.c_alf, 0, 0, pf::vbOver);
    f.c_DragOver(f.c_chi, f.c_alf, 0, 0, pf::vbEnter);
    EXPECT_EQ(tocou("\\alface.wav"), 1);
    EXPECT_EQ(tocou("\\chicoria.wav"), 0);
    f.Form_DragOver(f.c_alf, 0, 0, pf::vbOver);  // across the background
    f.c_DragOver(f.c_chi, f.c_alf, 0, 0, pf::vbEnter);
    EXPECT_EQ(tocou("\\chicoria.wav"), 1) << "the button passed over speaks its own name";
    f.c_DragDrop(f.c_alf, 0, 0);
    EXPECT_FALSE(f.ja_tocou);
}

TEST_F(SementeiraTest, RemoveMudasComConfirmacao) {
    model::sessao().som_ligado = true;
    semeia(13, model::cod_pimentao, 3, true);
    semeia(14, model::cod_pimentao, 3, true);
    auto& f = abre();
    auto& h = model::horta();

    respostas = {false};
    t::DragTo(f.Image3(13), f, kFundoX, kFundoY);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Atenção");
    EXPECT_EQ(dialogos[0].mensagem, "Quer 'excluir' a  muda ?");
    EXPECT_EQ(h.cult_sem[13], model::cod_pimentao);
    EXPECT_EQ(tocou("\\blip.wav"), 0);

    respostas = {true};
    t::DragTo(f.Image3(13), f, kFundoX, kFundoY);
    EXPECT_EQ(h.cult_sem[13], model::nao_usado);
    EXPECT_EQ(h.nome_sem[13], "");
    EXPECT_EQ(h.idade_sem[13], 0);
    EXPECT_TRUE(h.check_sem[13]);
    EXPECT_TRUE(f.Image3(13).Picture().IsEmpty());
    EXPECT_EQ(caminho(f.CRESCE(13).Picture()), "\\anima\\crescepb.bmp");
    EXPECT_EQ(tocou("\\blip.wav"), 1);

    // Right after that "&Sim", the next question closed by its close box
    // keeps the seedlings.
    respostas = {comum::fecha_pergunta};
    t::DragTo(f.Image3(14), f, kFundoX, kFundoY);
    EXPECT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(h.cult_sem[14], model::cod_pimentao);

    // A free lot asks nothing.
    dialogos.clear();
    t::DragTo(f.Image3(13), f, kFundoX, kFundoY);
    t::DragTo(f.Image3(3), f, kFundoX, kFundoY);
    EXPECT_TRUE(dialogos.empty());
}

TEST_F(SementeiraTest, IndicadorDepoisDaSemeaduraERemocao) {
    auto& s = model::sessao();
    s.modo_guiado = true;
    auto& h = model::horta();
    h.seq_cult[model::cod_alface] = 1;
    h.seq_cult[model::cod_tomate] = 1;
    auto& f = abre();
    EXPECT_TRUE(f.Label3(0).Visible());
    EXPECT_TRUE(f.Label3(6).Visible());
    t::DragTo(f.c_alf, f.Image3(0), 10, 10);
    EXPECT_FALSE(f.Label3(0).Visible());
    EXPECT_EQ(f.Label3(0).Caption(), "-");
    EXPECT_TRUE(f.Label3(6).Visible()) << "the other crops are left alone";
    EXPECT_TRUE(dialogos.empty()) << "a sowing is still due";
    // A crop not due this week keeps its button's own picture; the lot sown
    // with it shows the lot picture all the same.
    ASSERT_NE(caminho(f.c_cou.Picture()), "\\anima\\az_cou.bmp");
    t::DragTo(f.c_cou, f.Image3(5), 10, 10);
    EXPECT_EQ(caminho(f.Image3(5).Picture()), "\\anima\\az_cou.bmp");

    respostas = {true};
    t::DragTo(f.Image3(0), f, kFundoX, kFundoY);
    EXPECT_TRUE(f.Label3(0).Visible());
    EXPECT_EQ(f.Label3(0).Caption(), "1");
}

TEST_F(SementeiraTest, ParabensQuandoASemeaduraDaSemanaAcaba) {
    struct Caso {
        bool guiado;
        bool cuidado_pendente;  // a cleaning is due in the seedbed
        bool outra_semeadura;   // Tomate still to sow
        bool parabens;
    };
    for (Caso c : {Caso{true, false, false, true}, Caso{false, false, false, false}, Caso{true, true, false, false},
                   Caso{true, false, true, false}}) {
        SetUp();
        auto& h = model::horta();
        model::sessao().modo_guiado = c.guiado;
        h.seq_cult[model::cod_alface] = 1;
        if (c.outra_semeadura) h.seq_cult[model::cod_tomate] = 1;
        if (c.cuidado_pendente) semeia(10, model::cod_couve, 2);
        auto& f = abre();
        t::DragTo(f.c_alf, f.Image3(0), 10, 10);
        EXPECT_EQ(h.cult_sem[0], model::cod_alface);
        const bool viu = !dialogos.empty() && dialogos.back().titulo == "Parabéns";
        EXPECT_EQ(viu, c.parabens) << c.guiado << c.cuidado_pendente << c.outra_semeadura;
        if (viu) {
            EXPECT_EQ(caminho(pf::LoadPicture(dialogos.back().figura)), "\\anima\\paras.jpg");
        }
        TearDown();
    }
    // Nothing was due before the drop: no notice.
    SetUp();
    model::sessao().modo_guiado = true;
    auto& f = abre();
    t::DragTo(f.c_alf, f.Image3(0), 10, 10);
    EXPECT_TRUE(dialogos.empty());
}

}  // namespace
}  // namespace seedbed_test
