#include "apoio.h"
#include "shell/feira.h"

namespace {

using namespace apoio;

class Feira : public Ambiente {
protected:
    shell::feira_horta& abre_feira() {
        model::inicia_culturas();
        pf::Forms::Show("feira_horta");
        t::ProcessEvents();
        return pf::Forms::Get<shell::feira_horta>("feira_horta");
    }
    // Presses and releases a mouse button over a crop's plate.
    void clica(shell::feira_horta& f, int cultura, int botao = pf::vbLeftButton) {
        for (int i = 0; i < 21; ++i) {
            if (shell::placas_feira[i].cultura != cultura) continue;
            const auto& p = f.plc(i);
            const float x = p.Left() + p.Width() / 2.0f, y = p.Top() + p.Height() / 2.0f;
            t::MouseDown(f, x, y, botao);
            t::MouseUp(f, x, y, botao);
            return;
        }
        FAIL() << "sem placa para " << cultura;
    }
    pf::Label& contagem(shell::feira_horta& f, int cultura) {
        for (const auto& p : shell::placas_feira)
            if (p.cultura == cultura) return f.qt(p.rotulo);
        throw std::logic_error("sem rótulo");
    }
    // A crop with this many plantings standing at once.
    int cultura_com_plantios(int n) {
        for (int k = 1; k <= 21; ++k)
            if (model::catalogo().plantios_cult[k] == n) return k;
        return 0;
    }
};

TEST_F(Feira, CargaMostraAsEncomendasEOTotal) {
    auto& h = model::horta();
    h.seq_cult[model::cod_alface] = 3;
    h.seq_cult[model::cod_couve] = 12;
    auto& f = abre_feira();
    const auto& c = model::catalogo();
    EXPECT_EQ(contagem(f, model::cod_alface).Caption(), "3 x");
    EXPECT_TRUE(contagem(f, model::cod_alface).Visible());
    EXPECT_EQ(contagem(f, model::cod_couve).Caption(), "12 x");
    EXPECT_FALSE(contagem(f, model::cod_tomate).Visible());
    EXPECT_EQ(f.lbl_total.Caption(),
              std::to_string(3 * c.plantios_cult[model::cod_alface] + 12 * c.plantios_cult[model::cod_couve]));
}

TEST_F(Feira, CliquesSomamETiramComOsBotoesDoMouse) {
    auto& f = abre_feira();
    EXPECT_EQ(f.lbl_total.Caption(), "");
    clica(f, model::cod_alface);
    EXPECT_EQ(contagem(f, model::cod_alface).Caption(), "1 x");
    EXPECT_EQ(f.lbl_total.Caption(), "4");
    EXPECT_EQ(sons(), std::vector<std::string>{"S:blip.wav"});

    clica(f, model::cod_alface, pf::vbMiddleButton);  // middle removes, like the right button
    EXPECT_FALSE(contagem(f, model::cod_alface).Visible());
    EXPECT_EQ(f.lbl_total.Caption(), "0");

    clica(f, model::cod_alface, pf::vbRightButton);  // at 0: absorbed, still a click sound
    EXPECT_EQ(model::horta().seq_cult[model::cod_alface], 0);
    EXPECT_FALSE(contagem(f, model::cod_alface).Visible());
    EXPECT_EQ(f.lbl_total.Caption(), "0");
    EXPECT_EQ(sons().size(), 3u);

    for (int i = 0; i < 10; ++i) clica(f, model::cod_rabanete);
    EXPECT_EQ(contagem(f, model::cod_rabanete).Caption(), "10 x");
}

TEST_F(Feira, AreaMaximaRecusaComOps) {
    auto& f = abre_feira();
    const int tres = cultura_com_plantios(3), dois = cultura_com_plantios(2);
    ASSERT_NE(tres, 0);
    ASSERT_NE(dois, 0);
    f.lbl_total.SetCaption("98");
    clica(f, tres);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].legenda, "Ops ...");
    EXPECT_EQ(dialogos[0].texto, "Sua horta pode ter no máximo  100 m2.");
    EXPECT_EQ(model::horta().seq_cult[tres], 0);
    EXPECT_EQ(f.lbl_total.Caption(), "98");
    EXPECT_FALSE(contagem(f, tres).Visible());
    clica(f, dois);
    EXPECT_EQ(f.lbl_total.Caption(), "100");
    EXPECT_EQ(model::horta().seq_cult[dois], 1);
}

TEST_F(Feira, IrParaAHortaDecideOModoGuiadoPeloTotal) {
    for (const char* total : {"", "0", "4"}) {
        SCOPED_TRACE(total);
        reinicia_formularios();
        auto& f = abre_feira();
        f.lbl_total.SetCaption(total);
        model::sessao().modo_guiado = std::string(total) != "4";
        t::Click(f.Label2);
        t::ProcessEvents();
        EXPECT_EQ(model::sessao().modo_guiado, std::string(total) == "4");
        EXPECT_FALSE(pf::Forms::IsLoaded("feira_horta"));
        EXPECT_TRUE(pf::Forms::IsLoaded("trabalhando_na_horta"));
    }
}

TEST_F(Feira, GritosNoRelogioComSementeDoRelogio) {
    auto& s = model::sessao();
    s.som_ligado = true;
    s.dir_som = "C:\\audio\\correto";
    auto& f = abre_feira();
    EXPECT_EQ(f.Timer2.Interval(), 5);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    t::TickTimer(f.Timer2);
    EXPECT_EQ(f.Timer1.Interval(), 2500);
    EXPECT_EQ(f.Timer2.Interval(), 0);

    platform::Randomize();  // the same seed the cry draws from the set clock
    const std::string esperado = shell::grito_feira(shell::indice_grito(platform::Rnd())).substr(1);
    t::TickTimer(f.Timer1);
    EXPECT_EQ(sons(), std::vector<std::string>{"A:" + esperado});

    limpa_sons();
    t::ClickForm(f);
    ASSERT_EQ(sons().size(), 1u);
    EXPECT_NE(sons()[0].find("silencio.wav"), std::string::npos);
    EXPECT_EQ(f.Timer1.Interval(), 2500);

    s.som_ligado = false;
    limpa_sons();
    t::TickTimer(f.Timer1);
    EXPECT_TRUE(sons().empty());
}

TEST_F(Feira, TrilhaDeFundoTocaESeguraOPrimeiroGrito) {
    auto& s = model::sessao();
    s.trilha_fundo = true;
    s.som_entrada_feira = platform::ProgramFolder() + "\\fefimc.wav";
    auto& f = abre_feira();
    EXPECT_EQ(sons(), std::vector<std::string>{"A:fefimc.wav"});
    EXPECT_EQ(f.Timer2.Interval(), 12000);
}

TEST_F(Feira, SaidaComNaoRetomaOsGritos) {
    model::sessao().som_ligado = true;
    model::sessao().dir_som = "C:\\audio\\correto";
    auto& f = abre_feira();
    t::TickTimer(f.Timer2);
    limpa_sons();
    responde({Resposta::nao});
    t::Click(f.Label3);
    EXPECT_FALSE(pf::Forms::Ended());
    EXPECT_EQ(f.Timer1.Interval(), 2500);
    EXPECT_EQ(sons(), (std::vector<std::string>{"A:s1.wav", "S:s3.wav"}));

    responde({Resposta::sim, Resposta::nao});
    t::Click(f.Label3);
    EXPECT_TRUE(pf::Forms::Ended());
}

}  // namespace
