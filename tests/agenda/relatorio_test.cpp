// The report layer: layouts read from the program folder, rendered to PDF
// (no printer in tests), failures told in Portuguese.

#include "apoio.h"

namespace agenda_test {
namespace {

class RelatorioTest : public AgendaTest {
protected:
    std::string modelo(const std::string& nome, const std::string& texto) {
        std::ofstream(fs::path(pasta_programa()) / nome) << texto;
        platform::InvalidatePathCache();
        return pasta_programa() + "\\" + nome;
    }
    platform::ReportResult imprime(const std::string& arquivo) {
        platform::Report r;
        r.SetReportFileName(arquivo);
        return r.PrintReport();
    }
};

TEST_F(RelatorioTest, FalhasViramMensagens) {
    auto r = imprime(pasta_programa() + "\\nao_existe.rpt");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("não foi encontrado"), std::string::npos) << r.message;

    r = imprime(modelo("ruim.rpt", "titulo X\ntabela rr\ncoluna 1 A | {mod}\ncoisa estranha\nfim\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("linha 4"), std::string::npos) << r.message;

    r = imprime(modelo("sem_fim.rpt", "tabela rr\ncoluna 1 A | {mod}\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("fim"), std::string::npos) << r.message;

    r = imprime(modelo("campo.rpt", "tabela rr\ncoluna 1 A | {nao_ha}\nfim\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("\"nao_ha\""), std::string::npos) << r.message;

    r = imprime(modelo("tabela.rpt", "tabela nenhuma\ncoluna 1 A | {x}\nfim\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("\"nenhuma\""), std::string::npos) << r.message;
}

TEST_F(RelatorioTest, PdfComTodasAsLinhasEmVariasPaginas) {
    if (!tem_pdftotext()) GTEST_SKIP() << "pdftotext ausente";
    {
        auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
        auto rs = db->OpenRecordset("rr");
        db->BeginTrans();
        for (int i = 0; i < 120; ++i) {
            rs->AddNew();
            rs->SetField("mod", "M" + std::to_string(i));
            rs->SetField("cult", "Alface");
            rs->SetField("fam", "CHICOREÁCEA");
            if (i == 7) rs->SetField("ucult", "Couve");
            rs->Update();
        }
        db->CommitTrans();
    }
    const auto r = imprime(modelo("teste.rpt",
                                  "titulo Teste de Páginas\npdf teste.pdf\ntabela rr\nquebra fam\n"
                                  "coluna 1 Canteiro | {mod}\ncoluna 2 Cultura | {cult} ({fam})[ depois de {ucult}]\nfim\n"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.pdf);
    EXPECT_EQ(r.destination, pasta_programa() + "/teste.pdf");
    EXPECT_NE(r.message.find(r.destination), std::string::npos);
    const std::string texto = texto_pdf(r.destination);
    EXPECT_NE(texto.find("Teste de Páginas"), std::string::npos);
    EXPECT_NE(texto.find("Alface (CHICOREÁCEA)"), std::string::npos);
    for (int i : {0, 59, 119}) EXPECT_NE(texto.find("M" + std::to_string(i) + " "), std::string::npos) << i;
    EXPECT_NE(texto.find("Página 2"), std::string::npos);
    // A bracketed part shows only where its field has a value.
    EXPECT_NE(texto.find("M7 "), std::string::npos);
    EXPECT_NE(texto.find("(CHICOREÁCEA) depois de Couve"), std::string::npos);
    EXPECT_EQ(texto.find("depois de \n"), std::string::npos);
    EXPECT_EQ(texto.find("depois de  "), std::string::npos);
}

}  // namespace
}  // namespace agenda_test
