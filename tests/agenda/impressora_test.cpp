// Printing to a print server: the private one the test command starts
// (scripts/services/cups.sh: queues "PDF", the default, "Recusa", refusing
// jobs, and "Pausada", stopped but accepting), and a server that accepts the
// connection and never answers. The player is never kept waiting long and no
// report is lost without a word.

#include <arpa/inet.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCursor>
#include <QGuiApplication>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string_view>
#include <thread>

#include "agenda/impressao.h"
#include "apoio.h"

namespace agenda_test {
namespace {

using agenda::age;
using Relogio = std::chrono::steady_clock;

// A screen whose timer counts its ticks; on its tenth it runs `no_decimo`
// (the player acting in the middle of the print wait).
class Contador : public pf::Form {
public:
    pf::Timer timer_{this, "timer_"};
    int tiques = 0;
    std::function<void()> no_decimo;
    Contador() {
        timer_.OnTimer = [this] {
            if (++tiques == 10 && no_decimo) no_decimo();
        };
        timer_.SetInterval(50);
    }
};

class ImpressoraTest : public AgendaTest {
protected:
    void SetUp() override {
        AgendaTest::SetUp();
        platform::Report::SetPdfOnly(false);
        for (const char* v : {"CUPS_SERVER", "PRINTER", "LPDEST", "HOME", "CUPS_SERVERROOT"})
            if (const char* x = std::getenv(v)) guardadas_.emplace_back(v, x);
            else guardadas_.emplace_back(v, std::nullopt);
        ::unsetenv("PRINTER");
        ::unsetenv("LPDEST");
        // No lpoptions of the machine or of the user choose the printer.
        ::setenv("HOME", pasta_programa().c_str(), 1);
        if (const char* d = std::getenv("BROTALIA_CUPS_TESTE")) ::setenv("CUPS_SERVERROOT", (std::string(d) + "/etc").c_str(), 1);
        pf::Forms::Register<Contador>("contador");
        auto& h = model::horta();
        h.ult_cult[99] = model::cod_repolho;  // free beds: both reports
    }
    void TearDown() override {
        for (const auto& [v, x] : guardadas_)
            if (x) ::setenv(v.c_str(), x->c_str(), 1);
            else ::unsetenv(v.c_str());
        AgendaTest::TearDown();
    }

    // The private print server's folder, or empty (the test skips).
    static std::string servidor() {
        const char* d = std::getenv("BROTALIA_CUPS_TESTE");
        return d && std::getenv("CUPS_SERVER") ? d : "";
    }

    // The agenda prints the week shown, answering "Sim"; returns the seconds taken.
    double imprime_pela_agenda() {
        auto& f = abre();
        respostas = {true};
        t::Click(f.pic_imp);
        const auto t0 = Relogio::now();
        for (int k = 0; k < 8; ++k) t::TickTimer(f.timer_);
        return std::chrono::duration<double>(Relogio::now() - t0).count();
    }

    std::vector<platform::ReportResult> imprime_os_dois() {
        platform::Report semana, rotacao;
        semana.SetReportFileName(pasta_programa() + "\\relatb.rpt");
        rotacao.SetReportFileName(pasta_programa() + "\\rrr.rpt");
        for (auto* r : {&semana, &rotacao}) {
            r->SetParameter("semana", "23");
            r->SetParameter("ano_semana", "2026-23");
        }
        return platform::Report::PrintReports({&semana, &rotacao});
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> guardadas_;
};

// The state of a job of the private server, once it leaves the queue (or
// after 20 s); 0 when the server does not know it.
int estado_final(int trabalho) {
    for (auto fim = Relogio::now() + std::chrono::seconds(20);;) {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        int estado = 0;
        for (int i = 0; i < n; ++i)
            if (jobs[i].id == trabalho) estado = jobs[i].state;
        cupsFreeJobs(n, jobs);
        if (estado >= IPP_JSTATE_CANCELED || Relogio::now() > fim) return estado;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

TEST_F(ImpressoraTest, FilaQueAceitaRecebeOsDoisRelatorios) {
    const std::string d = servidor();
    if (d.empty()) GTEST_SKIP() << "sem servidor de impressão de teste (cupsd ausente ou sem root)";
    const auto r = imprime_os_dois();
    ASSERT_EQ(r.size(), 2u);
    for (const auto& x : r) {
        ASSERT_TRUE(x.ok()) << agenda::texto_do_relatorio(x);
        EXPECT_FALSE(x.pdf()) << agenda::texto_do_relatorio(x);
        EXPECT_EQ(x.destination, "PDF");
        ASSERT_GT(x.job, 0);
        EXPECT_EQ(estado_final(x.job), IPP_JSTATE_COMPLETED) << x.job;
        // What the queue received is the report's PDF, byte for byte.
        const std::string saida = d + "/saida/job-" + std::to_string(x.job) + ".pdf";
        std::ifstream a(saida, std::ios::binary), b(x.pdfPath, std::ios::binary);
        const std::string recebido{std::istreambuf_iterator<char>(a), {}}, escrito{std::istreambuf_iterator<char>(b), {}};
        EXPECT_EQ(recebido.rfind("%PDF", 0), 0u) << saida;
        EXPECT_EQ(recebido, escrito) << saida;
    }
    if (tem_pdftotext()) {
        EXPECT_NE(texto_pdf(d + "/saida/job-" + std::to_string(r[0].job) + ".pdf").find("Semana 23"), std::string::npos);
        EXPECT_NE(texto_pdf(d + "/saida/job-" + std::to_string(r[1].job) + ".pdf").find("Rotação"), std::string::npos);
    }
}

TEST_F(ImpressoraTest, FilaPausadaQueAceitaContaComoImpresso) {
    if (servidor().empty()) GTEST_SKIP() << "sem servidor de impressão de teste (cupsd ausente ou sem root)";
    ::setenv("PRINTER", "Pausada", 1);
    const auto r = imprime_os_dois();
    for (const auto& x : r) {
        ASSERT_TRUE(x.ok()) << agenda::texto_do_relatorio(x);
        EXPECT_FALSE(x.pdf()) << agenda::texto_do_relatorio(x);
        EXPECT_GT(x.job, 0);
    }
}

TEST_F(ImpressoraTest, FilaQueRecusaGuardaOsPdfsEAvisa) {
    if (servidor().empty()) GTEST_SKIP() << "sem servidor de impressão de teste (cupsd ausente ou sem root)";
    ::setenv("PRINTER", "Recusa", 1);
    imprime_pela_agenda();
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[1].nome, "ok");
    const std::string& m = dialogos[1].mensagem;
    EXPECT_EQ(m, "A impressora \"Recusa\" não aceitou a impressão. Os relatórios foram salvos na pasta " +
                     pasta_programa() + ":\nrelatorio_da_semana_2026-23.pdf\nrelatorio_de_rotacao_2026-23.pdf");
    EXPECT_TRUE(fs::exists(fs::path(pasta_programa()) / "relatorio_da_semana_2026-23.pdf"));
    EXPECT_TRUE(fs::exists(fs::path(pasta_programa()) / "relatorio_de_rotacao_2026-23.pdf"));
}

TEST_F(ImpressoraTest, ServidorQueNaoRespondeNaoPrendeOJogo) {
    // A listener that takes connections (the system completes them) and
    // never reads nor answers.
    const int ouvinte = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(ouvinte, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(ouvinte, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(ouvinte, 8), 0);
    socklen_t n = sizeof a;
    ::getsockname(ouvinte, reinterpret_cast<sockaddr*>(&a), &n);
    ::setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(ntohs(a.sin_port))).c_str(), 1);

    // Half a second into the wait the player clicks the printer again, the
    // gardener and the forecast, and types: the wait takes none of it, shows
    // the hourglass and goes on.
    auto& contador = pf::Forms::Get<Contador>("contador");
    Qt::CursorShape ponteiro = Qt::ArrowCursor;
    contador.no_decimo = [&] {
        auto& f = pf::Forms::Get<age>(agenda::nome_tela_agenda);
        if (const QCursor* c = QGuiApplication::overrideCursor()) ponteiro = c->shape();
        t::Click(f.pic_imp);
        t::Click(f.hortelino);
        t::Click(f.previsao);
        t::KeyPress(13);
    };
    const double segundos = imprime_pela_agenda();
    // One connection for both reports; keeping their PDFs asked nothing more.
    ::fcntl(ouvinte, F_SETFL, O_NONBLOCK);
    int conexoes = 0;
    for (int c; (c = ::accept(ouvinte, nullptr, nullptr)) >= 0; ++conexoes) ::close(c);
    ::close(ouvinte);
    EXPECT_EQ(conexoes, 1);

    EXPECT_LE(segundos, 2 * platform::Report::PrintTimeLimitMs / 1000.0);  // not held by the server
    EXPECT_GE(segundos, platform::Report::PrintTimeLimitMs / 1000.0 - 0.1);
    // The screen's timers ran all along: ticks came after the tenth too.
    EXPECT_GT(contador.tiques, 10) << segundos;
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[1].mensagem.rfind("A impressora não respondeu. Os relatórios foram salvos na pasta ", 0), 0u)
        << dialogos[1].mensagem;
    EXPECT_TRUE(fs::exists(fs::path(pasta_programa()) / "relatorio_da_semana_2026-23.pdf"));
    EXPECT_TRUE(fs::exists(fs::path(pasta_programa()) / "relatorio_de_rotacao_2026-23.pdf"));
    EXPECT_EQ(ponteiro, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(pf::Forms::IsLoaded(agenda::nome_tela_agenda));
    const auto& f = pf::Forms::Get<age>(agenda::nome_tela_agenda);
    EXPECT_EQ(f.terra.Text(), "23");
    t::RunFor(1600);  // any animation a click would have started has ended
    EXPECT_EQ(dialogos.size(), 2u);
    EXPECT_TRUE(pf::Forms::IsLoaded(agenda::nome_tela_agenda));
}

// A relay to the private server that holds back the server's answers on a
// connection once the program has sent it more than 8 kB (a report's
// document) until 3 s after that connection began: the server takes the job
// but its answer comes after the wait's limit.
class ServidorAtrasado {
public:
    explicit ServidorAtrasado(int porta_real) : real_(porta_real) {
        ouvinte_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(ouvinte_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(ouvinte_, 8);
        socklen_t n = sizeof a;
        ::getsockname(ouvinte_, reinterpret_cast<sockaddr*>(&a), &n);
        porta = ntohs(a.sin_port);
        fio_ = std::thread([this] { aceita(); });
    }
    ~ServidorAtrasado() {
        fim_ = true;
        ::shutdown(ouvinte_, SHUT_RDWR);
        fio_.join();
        for (auto& t : conexoes_) t.join();
        ::close(ouvinte_);
    }
    int porta = 0;

private:
    void aceita() {
        for (int c; !fim_ && (c = ::accept(ouvinte_, nullptr, nullptr)) >= 0;)
            conexoes_.emplace_back([this, c] { repassa(c); });
    }
    void repassa(int cliente) {
        const int servidor = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<std::uint16_t>(real_));
        if (::connect(servidor, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return (void)::close(cliente);
        const auto solta = Relogio::now() + std::chrono::seconds(3);
        // Answers are held back from the moment the document itself goes
        // through, however small it is.
        bool documento = false;
        std::string retido;
        for (bool aberto = true; aberto && !fim_;) {
            pollfd p[2] = {{cliente, POLLIN, 0}, {servidor, POLLIN, 0}};
            ::poll(p, 2, 20);
            char b[65536];
            if (p[0].revents) {
                const auto n = ::read(cliente, b, sizeof b);
                if (n <= 0) aberto = false;
                else {
                    documento = documento || std::string_view(b, static_cast<std::size_t>(n)).find("%PDF") != std::string_view::npos;
                    if (::write(servidor, b, static_cast<std::size_t>(n)) <= 0) aberto = false;
                }
            }
            if (p[1].revents) {
                const auto n = ::read(servidor, b, sizeof b);
                if (n <= 0) aberto = false;
                else retido.append(b, static_cast<std::size_t>(n));
            }
            if (!retido.empty() && (!documento || Relogio::now() >= solta)) {
                if (::write(cliente, retido.data(), retido.size()) < 0) aberto = false;
                retido.clear();
            }
        }
        ::close(servidor);
        ::close(cliente);
    }
    int real_, ouvinte_;
    std::atomic<bool> fim_{false};
    std::thread fio_;
    std::vector<std::thread> conexoes_;
};

TEST_F(ImpressoraTest, TrabalhoAceitoDepoisDoLimiteECancelado) {
    const char* real = std::getenv("CUPS_SERVER");
    if (servidor().empty()) GTEST_SKIP() << "sem servidor de impressão de teste (cupsd ausente ou sem root)";
    const std::string endereco = real;
    const int porta_real = std::stoi(endereco.substr(endereco.rfind(':') + 1));
    // The stopped queue keeps what it takes, so a job not cancelled stays there.
    ::setenv("PRINTER", "Pausada", 1);
    // A report of its own title, told apart from the other tests' jobs.
    std::ofstream(fs::path(pasta_programa()) / "atrasado.rpt") << "titulo Teste do atraso\ntabela rr\ncoluna 1 A | {mod}\nfim\n";
    platform::InvalidatePathCache();
    auto trabalhos_do_teste = [&] {
        http_t* http = httpConnect2("127.0.0.1", porta_real, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                    5000, nullptr);
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(http, &jobs, "Pausada", 0, CUPS_WHICHJOBS_ALL);
        EXPECT_GE(n, 0) << "a fila não pôde ser lida: " << cupsLastErrorString();
        std::map<int, int> r;
        for (int i = 0; i < n; ++i)
            if (std::string(jobs[i].title) == "Teste do atraso") r[jobs[i].id] = jobs[i].state;
        cupsFreeJobs(n, jobs);
        httpClose(http);
        return r;
    };
    // The server keeps the jobs of earlier runs: only this run's count.
    const auto de_antes = trabalhos_do_teste();
    {
        ServidorAtrasado atrasado(porta_real);
        ::setenv("CUPS_SERVER", ("127.0.0.1:" + std::to_string(atrasado.porta)).c_str(), 1);
        platform::Report r;
        r.SetReportFileName(pasta_programa() + "\\atrasado.rpt");
        r.SetDatabaseName(model::caminho_banco());
        const auto x = r.PrintReport();
        ASSERT_TRUE(x.ok()) << agenda::texto_do_relatorio(x);
        EXPECT_TRUE(x.pdf()) << agenda::texto_do_relatorio(x);
        EXPECT_EQ(x.status, platform::ReportStatus::SavedNoAnswer) << agenda::texto_do_relatorio(x) << " " << x.detail;
        std::this_thread::sleep_for(std::chrono::seconds(4));  // the late answers come
    }
    // The job the server took meanwhile was cancelled.
    auto trabalhos = trabalhos_do_teste();
    for (const auto& [id, estado] : de_antes) trabalhos.erase(id);
    EXPECT_EQ(trabalhos.size(), 1u);
    for (const auto& [id, estado] : trabalhos) EXPECT_EQ(estado, IPP_JSTATE_CANCELED) << id;
}

}  // namespace
}  // namespace agenda_test
