#include "apoio.h"
#include "shell/dialogos.h"

namespace {

using namespace apoio;

class Dialogos : public Ambiente {};

TEST_F(Dialogos, SimNaoEnterEFechamentoDaoARespostaCerta) {
    struct Caso {
        Resposta resposta;
        bool anterior;  // resp_ok_nao before the question
        bool esperado;
    };
    const Caso casos[] = {
        {Resposta::sim, false, true},
        {Resposta::nao, true, false},
        {Resposta::enter, true, false},   // the focus starts on "&Não"
        {Resposta::fechar, true, true},  // the frame's close box keeps the earlier answer
        {Resposta::fechar, false, false},
        {Resposta::escape, true, false},
    };
    for (const Caso& c : casos) {
        model::sessao().resp_ok_nao = c.anterior;
        responde({c.resposta});
        EXPECT_EQ(shell::pergunta_sim_nao("Titulo", "Pergunta"), c.esperado);
        EXPECT_EQ(model::sessao().resp_ok_nao, c.esperado);
    }
    ASSERT_EQ(dialogos.size(), 6u);
    EXPECT_EQ(dialogos[0].legenda, "Titulo");
    EXPECT_EQ(dialogos[0].texto, "Pergunta");
    EXPECT_EQ(model::sessao().msg_ok_nao, "Pergunta");
}

TEST_F(Dialogos, FocoComecaNoNaoEmCadaPergunta) {
    bool foco_no_nao = false;
    outro_modal = nullptr;
    t::SetModalHook([&](pf::Form& f) {
        auto& q = static_cast<shell::form_ok_nao&>(f);
        foco_no_nao = q.opções(1).HasFocus();
        t::Click(q.opções(0));
    });
    shell::pergunta_sim_nao("A", "B");
    EXPECT_TRUE(foco_no_nao);
    foco_no_nao = false;
    shell::pergunta_sim_nao("A", "B");  // hidden, not unloaded: the focus is set again
    EXPECT_TRUE(foco_no_nao);
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
    responde({Resposta::sim});
    EXPECT_TRUE(model::pergunta_grava());
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[0].nome, "ok_help");
    EXPECT_EQ(dialogos[0].legenda, "Parabéns");
    EXPECT_EQ(dialogos[0].texto, "C:\\anima\\parah.jpg");
    EXPECT_FALSE(pf::Forms::IsLoaded("ok_help"));
    EXPECT_EQ(dialogos[1].nome, "form_ok_nao");
    EXPECT_EQ(dialogos[1].legenda, "Gravar alterações");
    EXPECT_EQ(dialogos[1].texto, "Deseja salvar ?");
}

}  // namespace
