// The report layer: layouts read from the program folder, rendered to PDF
// (no printer in tests), each outcome a status that the agenda words in
// Portuguese.

#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "agenda/impressao.h"
#include "apoio.h"
#include "platform/text.h"
#include "tests/comum/outro_usuario.h"

// A storage that loses bytes while saying it wrote them (a failing stick, a
// network share): while armed, the next large write to a temporary file puts
// down all but a stretch of its middle and reports the whole written.
static std::atomic<bool> perde_bytes{false};

extern "C" ssize_t write(int fd, const void* dados, size_t n) {
    char alvo[512] = {};
    const std::string elo = "/proc/self/fd/" + std::to_string(fd);
    if (perde_bytes && n > 4096 && ::readlink(elo.c_str(), alvo, sizeof alvo - 1) > 4 &&
        std::string(alvo).ends_with(".tmp") && perde_bytes.exchange(false)) {
        const char* c = static_cast<const char*>(dados);
        if (::syscall(SYS_write, fd, c, n / 2) < 0 || ::syscall(SYS_write, fd, c + n / 2 + 512, n - n / 2 - 512) < 0)
            return -1;
        return static_cast<ssize_t>(n);
    }
    return ::syscall(SYS_write, fd, dados, n);
}

namespace agenda_test {
namespace {

// A screen whose timer counts its ticks, one a millisecond.
class Relogio : public pf::Form {
public:
    pf::Timer timer_{this, "timer_"};
    int tiques = 0;
    Relogio() {
        timer_.OnTimer = [this] { ++tiques; };
        timer_.SetInterval(1);
    }
};

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
        r.SetDatabaseName(model::caminho_banco());
        return r.PrintReport();
    }
};

TEST_F(RelatorioTest, FalhasViramMensagens) {
    using platform::ReportStatus;
    auto r = imprime(pasta_programa() + "\\nao_existe.rpt");
    EXPECT_EQ(r.status, ReportStatus::LayoutNotFound);
    EXPECT_EQ(agenda::texto_do_relatorio(r), "O modelo de relatório não foi encontrado: " + pasta_programa() + "\\nao_existe.rpt");

    r = imprime(modelo("ruim.rpt", "titulo X\ntabela rr\ncoluna 1 A | {mod}\ncoisa estranha\nfim\n"));
    EXPECT_EQ(r.status, ReportStatus::LayoutError);
    EXPECT_EQ(agenda::texto_do_relatorio(r), "O modelo de relatório ruim.rpt tem um erro na linha 4.");

    r = imprime(modelo("sem_fim.rpt", "tabela rr\ncoluna 1 A | {mod}\n"));
    EXPECT_EQ(r.status, ReportStatus::LayoutError);
    EXPECT_EQ(r.line, 2);

    r = imprime(modelo("campo.rpt", "tabela rr\ncoluna 1 A | {nao_ha}\nfim\n"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(agenda::texto_do_relatorio(r), "O campo \"nao_ha\" não existe na tabela \"rr\".");

    r = imprime(modelo("tabela.rpt", "tabela nenhuma\ncoluna 1 A | {x}\nfim\n"));
    EXPECT_EQ(r.status, ReportStatus::TableMissing);
    EXPECT_NE(agenda::texto_do_relatorio(r).find("\"nenhuma\""), std::string::npos) << agenda::texto_do_relatorio(r);

    // A value the caller did not give: no PDF with a half name.
    r = imprime(modelo("valor.rpt", "pdf semana_{ano_semana}.pdf\ntabela rr\ncoluna 1 A | {mod}\nfim\n"));
    EXPECT_EQ(r.status, ReportStatus::ValueMissing);
    EXPECT_NE(agenda::texto_do_relatorio(r).find("{ano_semana}"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(pasta_programa()) / "semana_.pdf"));

    // A PDF that cannot be written (a folder has its name) is said so, by its path.
    fs::create_directory(fs::path(pasta_programa()) / "pasta.pdf");
    r = imprime(modelo("pasta.rpt", "pdf pasta.pdf\ntabela rr\ncoluna 1 A | {mod}\nfim\n"));
    EXPECT_EQ(r.status, ReportStatus::PdfNotWritable);
    EXPECT_EQ(r.pdfPath, pasta_programa() + "/pasta.pdf");

    // Neither the caller nor the layout names a database.
    platform::Report sem_banco;
    sem_banco.SetReportFileName(modelo("sem_banco.rpt", "titulo Y\ntabela rr\ncoluna 1 A | {mod}\nfim\n"));
    EXPECT_EQ(sem_banco.PrintReport().status, ReportStatus::NoDatabase);
}

// The weekly report as the agenda prints it: the week's rows, the week and
// its year in the file name.
class SemanaTest : public RelatorioTest {
protected:
    platform::ReportResult semana(const std::string& numero, const std::string& ano_semana) {
        platform::Report r;
        r.SetReportFileName(pasta_programa() + "\\relatb.rpt");
        r.SetParameter("semana", numero);
        r.SetParameter("ano_semana", ano_semana);
        return r.PrintReport();
    }
    static void linha(platform::Recordset& rs, int hs, int ord, const std::string& trato, const std::string& aonde) {
        rs.AddNew();
        rs.SetField("hs", hs);
        rs.SetField("ord", ord);
        rs.SetField("trato", trato);
        rs.SetField("aonde", aonde);
        rs.SetField("cultura", "Couve");
        rs.SetField("sem", 50);
        rs.SetField("cabec1", hs == 0 ? "HORTA" : "SEMENTEIRA");
        rs.Update();
    }
    // The text of each page of a PDF.
    static std::vector<std::string> paginas(const std::string& pdf) {
        std::vector<std::string> r;
        std::istringstream in(texto_pdf(pdf));
        for (std::string p; std::getline(in, p, '\f');)
            if (!platform::Trim(p).empty()) r.push_back(p);
        return r;
    }
};

TEST_F(SemanaTest, CadaPaginaTemTituloSemanaColunasESecaoDoGrupo) {
    if (!tem_pdftotext()) GTEST_SKIP() << "pdftotext ausente";
    {
        auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
        auto rs = db->OpenRecordset("relat");
        db->BeginTrans();
        for (int i = 0; i < 8; ++i) linha(*rs, 0, 0, "Plantio", "A " + std::to_string(i + 1));
        // Many small seedbed groups, then a long one: the pages break both
        // between groups and inside one.
        for (int g = 0; g < 25; ++g)
            for (int i = 0; i < 3; ++i) linha(*rs, 1, 10 + g, "Grupo " + std::to_string(g), "Lote " + std::to_string(i));
        for (int i = 0; i < 70; ++i) linha(*rs, 1, 90, "Desbaste", "Lote " + std::to_string(100 + i));
        db->CommitTrans();
    }
    const auto r = semana("50", "2026-50");
    ASSERT_TRUE(r.ok()) << agenda::texto_do_relatorio(r);
    EXPECT_EQ(r.destination, pasta_programa() + "/relatorio_da_semana_2026-50.pdf");
    const auto p = paginas(r.destination);
    ASSERT_GE(p.size(), 3u);
    for (std::size_t n = 0; n < p.size(); ++n) {
        const std::string& t = p[n];
        const auto titulo = t.find("Agenda da Horta - Relatório da Semana");
        const auto sem = t.find("Semana 50");
        EXPECT_NE(titulo, std::string::npos) << "página " << n + 1;
        EXPECT_GT(sem, titulo) << "página " << n + 1;
        if (t.find("Lote") == std::string::npos) continue;  // the garden map's page
        // Before the first row of the page: column titles, the section and
        // the group the row belongs to.
        const auto colunas = t.find("Onde"), secao = t.find("SEMENTEIRA"), lote = t.find("Lote");
        EXPECT_LT(sem, colunas) << "página " << n + 1 << "\n" << t;
        EXPECT_LT(colunas, secao) << "página " << n + 1 << "\n" << t;
        EXPECT_LT(secao, lote) << "página " << n + 1 << "\n" << t;
        const auto grupo = std::min(t.find("Grupo"), t.find("Desbaste"));
        EXPECT_LT(secao, grupo) << "página " << n + 1 << "\n" << t;
        EXPECT_LT(grupo, lote) << "página " << n + 1 << "\n" << t;
    }
    EXPECT_NE(p.back().find("Mapa da Horta"), std::string::npos);
}

TEST_F(SemanaTest, SemanaSemAtividadeAindaDizQualSemana) {
    if (!tem_pdftotext()) GTEST_SKIP() << "pdftotext ausente";
    {
        auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
        auto rs = db->OpenRecordset("relat");
        for (rs->EOF_() ? void() : rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) rs->Delete();
    }
    const auto r = semana("5", "2026-05");
    ASSERT_TRUE(r.ok()) << agenda::texto_do_relatorio(r);
    EXPECT_EQ(r.destination, pasta_programa() + "/relatorio_da_semana_2026-05.pdf");
    const std::string t = texto_pdf(r.destination);
    EXPECT_NE(t.find("Semana 5"), std::string::npos) << t;
    EXPECT_NE(t.find("Nenhuma atividade nesta semana."), std::string::npos) << t;
    // Another week keeps its own file.
    ASSERT_TRUE(semana("6", "2026-06").ok());
    EXPECT_TRUE(fs::exists(r.destination));
}

TEST_F(SemanaTest, PdfQueNaoPodeSerGravadoInteiroEUmaFalhaEOAnteriorFica) {
    auto r = semana("5", "2026-05");
    ASSERT_TRUE(r.ok()) << agenda::texto_do_relatorio(r);
    std::ifstream f(r.pdfPath, std::ios::binary);
    const std::string antes((std::istreambuf_iterator<char>(f)), {});
    const auto falha_e_o_anterior_fica = [&](const char* caso) {
        SCOPED_TRACE(caso);
        EXPECT_EQ(r.status, platform::ReportStatus::PdfNotWritable);
        const std::string mensagem = agenda::mensagem_da_impressao({r});
        EXPECT_NE(mensagem.find("não foi salvo"), std::string::npos) << mensagem;
        EXPECT_EQ(mensagem.find("foi salvo no"), std::string::npos) << mensagem;
        EXPECT_EQ(mensagem.find("salvo na pasta"), std::string::npos) << mensagem;
        std::ifstream g(r.pdfPath, std::ios::binary);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(g)), {}), antes);
        EXPECT_FALSE(fs::exists(r.pdfPath + ".tmp"));
    };
    // The disk fills while the file is written: writes past 4 KB fail.
    rlimit original{};
    ::getrlimit(RLIMIT_FSIZE, &original);
    rlimit curto = original;
    curto.rlim_cur = 4096;
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &curto);
    r = semana("5", "2026-05");
    ::setrlimit(RLIMIT_FSIZE, &original);
    falha_e_o_anterior_fica("disco cheio");
    // Every write said it was whole, the file's first and last bytes are
    // there, and yet a stretch of it was lost.
    perde_bytes = true;
    r = semana("5", "2026-05");
    EXPECT_FALSE(perde_bytes) << "nenhuma escrita grande no arquivo temporário";
    perde_bytes = false;
    falha_e_o_anterior_fica("bytes perdidos");
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
    // The screens' timers go on while the pages are drawn.
    pf::Forms::Register<Relogio>("relogio");
    const auto& relogio = pf::Forms::Get<Relogio>("relogio");
    const auto r = imprime(modelo("teste.rpt",
                                  "titulo Teste de Páginas\nnumeracao Página {pagina}\npdf teste.pdf\ntabela rr\nquebra fam\n"
                                  "coluna 1 Canteiro | {mod}\ncoluna 2 Cultura | {cult} ({fam})[ depois de {ucult}]\nfim\n"));
    ASSERT_TRUE(r.ok()) << agenda::texto_do_relatorio(r);
    EXPECT_GT(relogio.tiques, 0);
    EXPECT_TRUE(r.pdf());
    EXPECT_EQ(r.destination, pasta_programa() + "/teste.pdf");
    EXPECT_EQ(agenda::texto_do_relatorio(r), "Não há impressora disponível. O relatório \"Teste de Páginas\" foi salvo no arquivo " +
                                                 r.destination + ".");
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

TEST_F(SemanaTest, NumaPastaQueOJogadorNaoGravaOPdfFicaNaPastaDele) {
    platform::Workspace::Default().CloseAll();
    const auto instalado = comum::listagem(pasta_programa());
    const fs::path casa = pasta_programa() + "-casa";
    const std::string dados = (casa / fs::read_symlink("/proc/self/exe").filename()).string();
    EXPECT_EQ(comum::como_outro_usuario(casa, [&] {
                  const auto r = semana("50", "2026-50");
                  const std::string mensagem = agenda::texto_do_relatorio(r);
                  std::fprintf(stderr, "%s\n", mensagem.c_str());
                  return r.ok() && r.pdfPath == dados + "/relatorio_da_semana_2026-50.pdf" && fs::exists(r.pdfPath) &&
                                 mensagem.find(dados) != std::string::npos
                             ? 0
                             : 1;
              }),
              0);
    EXPECT_EQ(comum::listagem(pasta_programa()), instalado);
    fs::remove_all(casa);
}

}  // namespace
}  // namespace agenda_test
