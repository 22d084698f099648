#include "apoio.h"
#include "shell/dialogos.h"

namespace {

using namespace apoio;

class Dialogos : public Ambiente {};

TEST_F(Dialogos, SimNaoEnterEFechamentoDaoARespostaCerta) {
    using shell::Padrao;
    struct Caso {
        Padrao padrao;
        Resposta resposta;
        bool anterior;  // resp_ok_nao before the question
        bool esperado;
    };
    const Caso casos[] = {
        {Padrao::nao, Resposta::sim, false, true},
        {Padrao::nao, Resposta::nao, true, false},
        // After an earlier "&Sim", Enter, the close box and Escape back out.
        {Padrao::nao, Resposta::enter, true, false},
        {Padrao::nao, Resposta::fechar, true, false},
        {Padrao::nao, Resposta::escape, true, false},
        // A question whose default is "&Sim" (the save question).
        {Padrao::sim, Resposta::enter, false, true},
        {Padrao::sim, Resposta::fechar, false, true},
        {Padrao::sim, Resposta::escape, false, true},
        {Padrao::sim, Resposta::nao, true, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(&c - casos);
        model::sessao().resp_ok_nao = c.anterior;
        responde({c.resposta});
        EXPECT_EQ(shell::pergunta_sim_nao("Titulo", "Pergunta", c.padrao), c.esperado);
        EXPECT_EQ(model::sessao().resp_ok_nao, c.esperado);
    }
    ASSERT_EQ(dialogos.size(), std::size(casos));
    EXPECT_EQ(dialogos[0].legenda, "Titulo");
    EXPECT_EQ(dialogos[0].texto, "Pergunta");
    EXPECT_EQ(model::sessao().msg_ok_nao, "Pergunta");
}

TEST_F(Dialogos, FocoComecaNoBotaoDaRespostaPadraoEmCadaPergunta) {
    int foco = -1;
    outro_modal = nullptr;
    t::SetModalHook([&](pf::Form& f) {
        auto& q = static_cast<shell::form_ok_nao&>(f);
        foco = q.opções(0).HasFocus() ? 0 : q.opções(1).HasFocus() ? 1 : -1;
        t::Click(q.opções(0));
    });
    // Hidden, not unloaded, between questions: the focus is set each time.
    for (auto [padrao, botao] : {std::pair{shell::Padrao::nao, 1}, {shell::Padrao::sim, 0}, {shell::Padrao::nao, 1}}) {
        foco = -1;
        shell::pergunta_sim_nao("A", "B", padrao);
        EXPECT_EQ(foco, botao);
    }
}

TEST_F(Dialogos, OkMostraTextoEFonteEDescarrega) {
    double tamanho = 0;
    t::SetModalHook([&](pf::Form& f) {
        auto& ok = static_cast<shell::ok&>(f);
        tamanho = ok.mensagem.Font().Size;
        dialogos.push_back({f.Name(), f.Caption(), ok.mensagem.Caption(), {}});
        t::Click(ok.opções);
    });
    shell::mostra_ok("Ops ...", "Mensagem longa");
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].legenda, "Ops ...");
    EXPECT_EQ(dialogos[0].texto, "Mensagem longa");
    EXPECT_DOUBLE_EQ(tamanho, 16.0);
    EXPECT_FALSE(pf::Forms::IsLoaded("ok"));
}

TEST_F(Dialogos, OkFechaComEnterOuEscape) {
    std::vector<bool> fechou;
    int tecla = 0;
    t::SetModalHook([&](pf::Form& f) {
        auto& ok = static_cast<shell::ok&>(f);
        t::KeyPress(tecla);
        fechou.push_back(!pf::Forms::IsLoaded("ok"));
        if (pf::Forms::IsLoaded("ok")) t::Click(ok.opções);
    });
    for (int k : {13, 27}) {
        tecla = k;
        shell::mostra_ok("Ops ...", "Mensagem");
    }
    EXPECT_EQ(fechou, (std::vector<bool>{true, true}));
}

TEST_F(Dialogos, OkCresceAteCaberAMensagemInteira) {
    struct Medidas {
        int altura = 0, rotulo = 0, botao = 0;
        double precisa = 0;
    } m;
    t::SetModalHook([&](pf::Form& f) {
        auto& ok = static_cast<shell::ok&>(f);
        m = {ok.ClientHeight(), ok.mensagem.Top() + ok.mensagem.Height(), ok.opções.Top(), ok.mensagem.CaptionHeight()};
        t::Click(ok.opções);
    });
    shell::mostra_ok("Impressão", "Mensagem curta");
    EXPECT_EQ(m.altura, 2985);  // a short message keeps the dialog's design
    EXPECT_EQ(m.botao, 2190);
    const double uma_linha = m.precisa;

    const std::string longa =
        "A impressora \"Recusa\" não aceitou a impressão. Os relatórios foram salvos na pasta "
        "/home/professora/.local/share/brotalia/jogos/turma_da_manha:\n"
        "relatorio_da_semana_2026-50.pdf\nrelatorio_de_rotacao_2026-50.pdf";
    shell::mostra_ok("Impressão", longa);
    EXPECT_GE(m.rotulo - 360, m.precisa);  // the label holds every line
    EXPECT_GE(m.botao, m.rotulo);          // and the button comes below it
    EXPECT_EQ(m.altura - 2985, m.botao - 2190);
    EXPECT_GT(m.altura, 2985);

    // Five short lines: each line break counts, and the fifth line stays
    // above the button.
    shell::mostra_ok("Impressão", "um\ndois\ntrês\nquatro\ncinco");
    EXPECT_GE(m.precisa, 5 * uma_linha);
    EXPECT_GE(m.rotulo - 360, m.precisa);
    EXPECT_GE(m.botao, m.rotulo);

    // A folder name with no place to break between words is broken inside
    // itself, and the dialog grows for its lines as for any others.
    shell::mostra_ok("Impressão", "Salvo na pasta /tmp/" + std::string(150, 'x'));
    EXPECT_GE(m.precisa, 3 * uma_linha);
    EXPECT_GE(m.rotulo - 360, m.precisa);
    EXPECT_GE(m.botao, m.rotulo);
}

TEST_F(Dialogos, AvisoComFiguraEPerguntaDeGravar) {
    shell::mostra_figura("Parabéns", "C:\\anima\\parah.jpg");
    // Only "&Não" throws the work away: Enter, Escape and the close box save.
    responde({Resposta::sim, Resposta::enter, Resposta::escape, Resposta::fechar, Resposta::nao});
    for (bool esperado : {true, true, true, true, false}) EXPECT_EQ(model::pergunta_grava(), esperado);
    ASSERT_EQ(dialogos.size(), 6u);
    EXPECT_EQ(dialogos[0].nome, "ok_help");
    EXPECT_EQ(dialogos[0].legenda, "Parabéns");
    EXPECT_EQ(dialogos[0].texto, "C:\\anima\\parah.jpg");
    EXPECT_FALSE(pf::Forms::IsLoaded("ok_help"));
    EXPECT_EQ(dialogos[1].nome, "form_ok_nao");
    EXPECT_EQ(dialogos[1].legenda, "Gravar alterações");
    EXPECT_EQ(dialogos[1].texto, "Deseja salvar ?");
}

}  // namespace
