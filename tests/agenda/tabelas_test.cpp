// The report tables "relat", "rr" and "mapa_horta" of the game database.

#include "apoio.h"

namespace agenda_test {
namespace {

using Tabela = std::vector<std::vector<std::string>>;
const std::vector<std::string> kCamposRelat{"hs", "ord", "trato", "aonde", "cultura", "sem", "cabec1"};

class TabelasTest : public AgendaTest {
protected:
    // The lists and tables of the week, as the agenda computes them.
    bool grava(std::string* erro = nullptr) {
        agenda::pl_sem_tr(p);
        for (agenda::Lista l : {agenda::Lista::PLD, agenda::Lista::PLS, agenda::Lista::TR, agenda::Lista::LI,
                                agenda::Lista::DES, agenda::Lista::AM, agenda::Lista::COP, agenda::Lista::COF})
            rel.grava(l, agenda::linhas_lista(l, p));
        return agenda::prepara_relat(rel, p, erro);
    }
    agenda::Pendencias p;
    agenda::ListasRelatorio rel;
};

TEST_F(TabelasTest, SemanaSemAtividadesApagaAsLinhasAntigas) {
    for (int i = 0; i < model::n_canteiros; ++i) planta(i, model::cod_couve, 1);  // nothing due, no free bed
    {
        auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
        for (const char* tabela : {"relat", "rr"}) {
            auto rs = db->OpenRecordset(tabela);
            rs->AddNew();
            rs->SetField(tabela == std::string("rr") ? "mod" : "trato", "antigo");
            rs->Update();
        }
    }
    ASSERT_TRUE(grava());
    EXPECT_TRUE(linhas_tabela("relat", kCamposRelat).empty());
    EXPECT_TRUE(linhas_tabela("rr", {"mod"}).empty());
    EXPECT_EQ(linhas_tabela("mapa_horta", {"ordem"}).size(), 10u);
}

TEST_F(TabelasTest, GruposDaHortaEDaSementeira) {
    auto& h = model::horta();
    h.seq_cult[model::cod_cenoura] = 2;
    h.seq_cult[model::cod_tomate] = 1;
    h.seq_cult[model::cod_couve] = 1;
    planta(12, model::cod_rabanete, 0);   // bed due PLD
    planta(30, model::cod_cenoura, 2);    // bed due LI
    semeia(1, model::cod_tomate, 5);      // ready lot with a pending order
    semeia(2, model::cod_alface, 4);      // ready lot without one (a bed of it is new)
    planta(40, model::cod_alface, 0);
    semeia(3, model::cod_alface, 2);      // lot due LI
    ASSERT_TRUE(grava());

    const Tabela t = linhas_tabela("relat", kCamposRelat);
    const Tabela esperado{
        {"0", "0", "Plantio", " 2m", "Cenoura (30 / m2)", "23", "HORTA"},
        {"0", "0", "Plantio", "B 3", "Rabanete", "23", "HORTA"},
        {"0", "1", "Transplante", " 1m", "Tomate  ( 1 / m2 )", "23", "HORTA"},
        {"0", "1", "Transplante", "E 1", "Alface", "23", "HORTA"},
        {"0", "2", "Limpeza", "D 1", "Cenoura", "23", "HORTA"},
        {"1", "0", "Plantio em Sementeira", "1x", "Couve", "23", "SEMENTEIRA"},
        {"1", "0", "Plantio em Sementeira", "1x", "Tomate", "23", "SEMENTEIRA"},
        {"1", "1", "Transplante", "A 2", "Tomate", "23", "SEMENTEIRA"},
        {"1", "1", "Transplante", "A 3", "Alface", "23", "SEMENTEIRA"},
        {"1", "2", "Limpeza", "A 4", "Alface", "23", "SEMENTEIRA"},
    };
    EXPECT_EQ(t, esperado);
}

TEST_F(TabelasTest, RotacaoSoDosCanteirosLivres) {
    auto& h = model::horta();
    h.cult_can.fill(model::nao_usado);
    h.cult_can[3] = model::nenhuma;                   // never used
    h.cult_can[4] = model::nenhuma;
    h.ult_cult[4] = model::cod_tomate;                // one crop finished
    h.cult_can[99] = model::nenhuma;
    h.ult_cult[99] = model::cod_repolho;
    h.penult_cult[99] = model::cod_cenoura;
    planta(5, model::cod_alface, 3);                  // planted: no row
    ASSERT_TRUE(grava());
    const Tabela esperado{
        {"A 4", "Livre", "Livre", "Livre", "Livre"},
        {"A 5", "Tomate", "CURCUBITÁCIA", "Livre", "Livre"},
        {"J 10", "Repolho", "BRASSICAS", "Cenoura", "APIÁCEAS"},
    };
    EXPECT_EQ(linhas_tabela("rr", {"mod", "cult", "fam", "ucult", "ufam"}), esperado);
}

TEST_F(TabelasTest, MapaDaHortaDezLinhas) {
    auto& h = model::horta();
    h.cult_can.fill(model::nao_usado);
    h.cult_can[33] = model::nenhuma;                  // D 4: free bed
    planta(34, model::cod_alface, 2);                 // D 5
    ASSERT_TRUE(grava());
    const Tabela t = linhas_tabela("mapa_horta", {"ordem", "cult4", "idade4", "trato4", "p_fim4", "cult5",
                                                  "idade5", "trato5", "p_fim5", "cult1", "idade1", "p_fim1"});
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[0][0], "A");
    EXPECT_EQ(t[9][0], "J");
    EXPECT_EQ(t[3], (std::vector<std::string>{"D", "", " 0", "", " 0", "Alf", " 2", "LI", " 6", "", "   ", "   "}));
}

TEST_F(TabelasTest, FalhaEmUmaTabelaDeixaAsTresComoEstavam) {
    auto& h = model::horta();
    planta(30, model::cod_cenoura, 2);    // LI in week 23
    ASSERT_TRUE(grava());
    EXPECT_TRUE(agenda::tabelas_da_semana(h.data_agenda));
    const Tabela relat = linhas_tabela("relat", kCamposRelat);
    const Tabela rr = linhas_tabela("rr", {"mod"});
    const Tabela mapa = linhas_tabela("mapa_horta", {"ordem", "cult1", "idade1"});
    ASSERT_FALSE(relat.empty());

    // The next week fails on the last table: the first two keep week 23.
    bloqueia_tabela("mapa_horta");
    planta(0, model::cod_alface, 6);
    h.data_agenda = h.data_agenda + 7;
    std::string erro;
    EXPECT_FALSE(grava(&erro));
    EXPECT_NE(erro.find("mapa_horta"), std::string::npos) << erro;
    EXPECT_EQ(linhas_tabela("relat", kCamposRelat), relat);
    EXPECT_EQ(linhas_tabela("rr", {"mod"}), rr);
    EXPECT_EQ(linhas_tabela("mapa_horta", {"ordem", "cult1", "idade1"}), mapa);
    EXPECT_FALSE(agenda::tabelas_da_semana(h.data_agenda));
    EXPECT_FALSE(agenda::tabelas_da_semana(h.data_agenda - 7));

    bloqueia_tabela("mapa_horta", false);
    ASSERT_TRUE(grava());
    EXPECT_TRUE(agenda::tabelas_da_semana(h.data_agenda));
    EXPECT_FALSE(agenda::tabelas_da_semana(h.data_agenda - 7));
    EXPECT_FALSE(agenda::tabelas_da_semana(h.data_agenda + 52 * 7));  // the same week number a year on
    for (const auto& l : linhas_tabela("relat", {"sem"})) EXPECT_EQ(l[0], "24");
    EXPECT_EQ(linhas_tabela("mapa_horta", {"cult1"})[0][0], "Alf");
}

TEST_F(TabelasTest, BancoIlegivelDaMensagemSemQuebrar) {
    const std::string ruim = pasta_programa() + "/nao_e_banco.mdb";
    std::ofstream(ruim) << "isto não é um banco de dados";
    model::define_caminho_banco(ruim);
    std::string erro;
    EXPECT_FALSE(grava(&erro));
    EXPECT_NE(erro.find("Não foi possível gravar a tabela \"relat\""), std::string::npos) << erro;
}

}  // namespace
}  // namespace agenda_test
