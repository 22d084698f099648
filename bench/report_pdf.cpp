// The week's two report PDFs (the weekly report with its garden map, and the
// rotation report) written through the game's report component
// (platform::Report, PDF only, no print server), against a bare QPdfWriter
// drawing the same text in the same places on the same pages (A4, the same
// margins, resolution and metadata, the same face, size, weight and slant),
// with the same rules and boxes, as poppler finds them in the game's PDF, and
// writing its file the same way (a temporary file, checked whole, renamed).
// The two alternate, so both see the same machine at the same moment; the
// result is the medians and the median of the per-pair ratios.
//
// Under callgrind (valgrind --tool=callgrind --instr-atstart=no) each print
// of either kind is counted apart (a dump named "jogo_semanal",
// "nu_rotacao"...), all threads together: instructions do not vary with the
// machine's load. scripts/bench_instrucoes.sh runs it and gives the medians.

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_DUMP_STATS_AT(x)
#define RUNNING_ON_VALGRIND 0
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/report.h"
#include "inicio/mediana.h"

namespace {

namespace fs = std::filesystem;

// Wall time of f, and the processor time the process spent on it, all its
// threads together (the game draws on a thread of its own): the second
// hardly changes when other programs load the machine.
struct Tempo {
    double ms, cpu_ms;
};
Tempo ms_de(const std::function<void()>& f) {
    auto cpu = [] {
        timespec t;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    const double c0 = cpu();
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(), cpu() - c0};
}

QApplication& aplicacao() {
    static int argc = 1;
    static char nome[] = "bench_report_pdf";
    static char* argv[] = {nome, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A program folder with the two layouts and a database holding a busy
// week: 40 activities, a full garden map, 30 free beds.
const fs::path& pasta() {
    static const fs::path p = [] {
        fs::path d = fs::path(BROTALIA_BENCH_SCRATCH) / "report_pdf";
        fs::remove_all(d);
        fs::create_directories(d);
        const fs::path jogo = fs::path(BROTALIA_BENCH_JOGO).parent_path();
        for (const char* n : {"relatb.rpt", "rrr.rpt"}) fs::copy_file(jogo / n, d / n);
        sqlite3* db = nullptr;
        sqlite3_open((d / "hortas00.mdb").c_str(), &db);
        std::string sql = "PRAGMA journal_mode = WAL; BEGIN;"
                          "CREATE TABLE relat (hs, ord, trato, aonde, cultura, sem, cabec1);"
                          "CREATE TABLE rr (mod, cult, fam, ucult, ufam);"
                          "CREATE TABLE mapa_horta (ordem";
        for (int c = 1; c <= 10; ++c)
            for (const char* f : {"cult", "trato", "idade", "p_fim"}) sql += ", " + std::string(f) + std::to_string(c);
        sql += ");";
        for (int i = 0; i < 40; ++i)
            sql += "INSERT INTO relat VALUES (" + std::to_string(i % 2) + ", " + std::to_string(i / 8) + ", 'Atividade " +
                   std::to_string(i / 8) + "', '" + (i % 2 ? "Lote " : "Canteiro ") + std::to_string(i) +
                   "', 'Couve-flor', 50, '" + (i % 2 ? "SEMENTEIRA" : "HORTA") + "');";
        for (int l = 0; l < 10; ++l) {
            sql += "INSERT INTO mapa_horta VALUES ('" + std::string(1, static_cast<char>('A' + l)) + "'";
            for (int c = 1; c <= 10; ++c) sql += ", 'Alface', 'LI', " + std::to_string(c) + ", 8";
            sql += ");";
        }
        for (int i = 0; i < 30; ++i)
            sql += "INSERT INTO rr VALUES ('B " + std::to_string(i) +
                   "', 'Tomate', 'SOLANÁCEA', 'Couve', 'CRUCÍFERA');";
        sql += "COMMIT;";
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return d;
    }();
    return p;
}

// A piece of text of a PDF page as poppler finds it: where it is (in
// points from the page's corner), its height, its font size and face.
struct Linha {
    double x, y, altura, pontos;
    bool negrito, italico;
    std::string texto;
};

// A rule, a box's border or a shaded box, in points from the page's corner.
struct Traco {
    enum Tipo { reta, borda, caixa } tipo;
    QPointF a, b;
    QColor cor;
    double largura;
};

struct Pagina {
    std::vector<Linha> linhas;
    std::vector<Traco> tracos;
};

double atributo(const std::string& s, const std::string& nome) {
    const auto p = s.find(" " + nome + "=\"");
    return p == std::string::npos ? 0 : std::atof(s.c_str() + p + nome.size() + 3);
}

std::string saida_de(const std::string& comando) {
    std::string r;
    if (FILE* f = ::popen((comando + " 2>/dev/null").c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) r.append(buf, n);
        ::pclose(f);
    }
    return r;
}

// poppler gives whole point sizes; the report's are these (body, column
// titles and groups, its page line, headings, title, the map's body). The
// one meant is the nearest whose line height matches the one found.
double tamanho_do_relatorio(double pontos, double altura) {
    double melhor = pontos, erro = 1e9;
    for (double t : {8.0, 10.0, 11.5, 12.5, 16.0}) {
        const double e = std::abs(t * 1.164 - altura);
        if (std::abs(t - pontos) <= 1 && e < erro) melhor = t, erro = e;
    }
    return melhor;
}

// The rules and boxes of a page as cairo writes them to SVG (glyphs aside):
// "M x y L x y ..." in points, or in a scaled frame given by a matrix.
std::vector<std::vector<Traco>> tracos(const std::string& pdf) {
    const std::string svg = saida_de("pdftocairo -svg '" + pdf + "' -");
    std::vector<std::vector<Traco>> r;
    const size_t corpo = svg.find("</defs>");
    std::istringstream in(corpo == std::string::npos ? std::string() : svg.substr(corpo));
    for (std::string l; std::getline(in, l);) {
        if (l.rfind("<g id=\"surface", 0) == 0) r.emplace_back();
        if (l.rfind("<path", 0) != 0 || r.empty()) continue;
        const auto d0 = l.find(" d=\"") + 4;
        std::istringstream d(l.substr(d0, l.find('"', d0) - d0));
        std::vector<QPointF> pts;
        for (std::string op; d >> op;) {
            double x, y;
            if ((op == "M" || op == "L") && d >> x >> y) pts.emplace_back(x, y);
        }
        double m[6] = {1, 0, 0, 1, 0, 0};
        if (const auto t = l.find("matrix("); t != std::string::npos)
            std::sscanf(l.c_str() + t, "matrix(%lf,%lf,%lf,%lf,%lf,%lf)", &m[0], &m[1], &m[2], &m[3], &m[4], &m[5]);
        for (auto& p : pts) p = QPointF(p.x() * m[0] + m[4], p.y() * m[3] + m[5]);
        const bool preenche = l.find("fill:none") == std::string::npos;
        auto cor = [&](const char* chave) {
            double c[3] = {0, 0, 0};
            if (const auto k = l.find(chave); k != std::string::npos)
                std::sscanf(l.c_str() + k + std::strlen(chave), "rgb(%lf%%,%lf%%,%lf%%)", &c[0], &c[1], &c[2]);
            return QColor::fromRgbF(c[0] / 100, c[1] / 100, c[2] / 100);
        };
        if (pts.size() == 2 && !preenche)
            r.back().push_back({Traco::reta, pts[0], pts[1], cor("stroke:"), atributo(l, "stroke-width") * m[0]});
        else if (pts.size() >= 4)
            r.back().push_back({preenche ? Traco::caixa : Traco::borda, pts[0], pts[2],
                                cor(preenche ? "fill:" : "stroke:"),
                                std::atof(l.c_str() + l.find("stroke-width:") + 13) * m[0]});
    }
    return r;
}

// The pieces of text, rules and boxes of each page of a PDF, each in its place.
std::vector<Pagina> paginas(const std::string& pdf) {
    const std::string xml = saida_de("pdftohtml -xml -stdout -i -zoom 1 '" + pdf + "'");
    std::vector<Pagina> r;
    std::map<int, double> tamanhos;
    std::istringstream in(xml);
    for (std::string l; std::getline(in, l);) {
        const auto t = l.find('<');
        if (t == std::string::npos) continue;
        if (l.compare(t, 5, "<page") == 0) {
            r.emplace_back();
        } else if (l.compare(t, 9, "<fontspec") == 0) {
            tamanhos[static_cast<int>(atributo(l, "id"))] = atributo(l, "size");
        } else if (l.compare(t, 5, "<text") == 0 && !r.empty()) {
            std::string texto = l.substr(l.find('>') + 1);
            texto = texto.substr(0, texto.rfind("</text>"));
            const bool negrito = texto.find("<b>") != std::string::npos;
            const bool italico = texto.find("<i>") != std::string::npos;
            for (const char* marca : {"<b>", "</b>", "<i>", "</i>"})
                for (size_t p; (p = texto.find(marca)) != std::string::npos;) texto.erase(p, std::strlen(marca));
            const double altura = atributo(l, "height");
            r.back().linhas.push_back(
                {atributo(l, "left"), atributo(l, "top"), altura,
                 tamanho_do_relatorio(tamanhos[static_cast<int>(atributo(l, "font"))], altura), negrito, italico,
                 texto});
        }
    }
    const auto t = tracos(pdf);
    for (size_t n = 0; n < r.size() && n < t.size(); ++n) r[n].tracos = t[n];
    return r;
}

// As the game checks its PDFs: as long as written, its header first and its
// end mark last.
bool pdf_inteiro(const std::string& arquivo) {
    const int fd = ::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    char inicio[5], fim[64];
    const bool ok = fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size >= 64 &&
                    ::pread(fd, inicio, sizeof inicio, 0) == 5 && ::pread(fd, fim, 64, st.st_size - 64) == 64 &&
                    std::string(inicio, 5) == "%PDF-" && std::string(fim, 64).find("%%EOF") != std::string::npos;
    if (fd >= 0) ::close(fd);
    return ok;
}

// The bare writer: the same page set-up and metadata, each piece of text in
// its place, in the report's face, size, weight and slant, and the same
// rules and shaded boxes; written as the game writes its PDFs, to a
// temporary file checked whole and then renamed.
void escreve_nu(const std::string& arquivo, const Pagina* pags, size_t n_pags, const QString& titulo) {
    const std::string tmp = arquivo + ".tmp";
    {
        QPdfWriter pdf(QString::fromStdString(tmp));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setResolution(1200);
        pdf.setTitle(titulo);
        pdf.setCreator(QStringLiteral("Brotalia"));
        QPainter p(&pdf);
        const double escala = 1200.0 / 72, margem = 15 / 25.4 * 72;
        QFont f("DejaVu Sans");
        for (size_t n = 0; n < n_pags; ++n) {
            if (n > 0) pdf.newPage();
            for (const auto& t : pags[n].tracos) {
                const QPointF a = (t.a - QPointF(margem, margem)) * escala, b = (t.b - QPointF(margem, margem)) * escala;
                if (t.tipo == Traco::caixa) {
                    p.fillRect(QRectF(a, b), t.cor);
                    continue;
                }
                p.setPen(QPen(t.cor, t.largura * escala));
                if (t.tipo == Traco::reta) p.drawLine(a, b);
                else p.drawRect(QRectF(a, b));
            }
            for (const auto& l : pags[n].linhas) {
                f.setPointSizeF(l.pontos);
                f.setBold(l.negrito);
                f.setItalic(l.italico);
                p.setFont(f);
                p.drawText(QRectF((l.x - margem) * escala, (l.y - margem) * escala, pdf.width(), l.altura * escala),
                           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromStdString(l.texto));
            }
        }
    }
    if (!pdf_inteiro(tmp) || std::rename(tmp.c_str(), arquivo.c_str()) != 0) std::abort();
}

void BM_RelatoriosDaSemanaContraQPdfWriterNu(benchmark::State& state) {
    aplicacao();
    platform::SetProgramFolder(pasta().string());
    platform::Report::SetPdfOnly(true);
    platform::Report semanal, rotacao;
    semanal.SetReportFileName(pasta().string() + "\\relatb.rpt");
    rotacao.SetReportFileName(pasta().string() + "\\rrr.rpt");
    for (platform::Report* r : {&semanal, &rotacao}) {
        r->SetParameter("semana", "50");
        r->SetParameter("ano_semana", "2026-50");
    }
    std::vector<std::vector<Pagina>> paginas_de;
    std::vector<QString> titulos;
    for (const auto& r : platform::Report::PrintReports({&semanal, &rotacao})) {
        if (!r.ok()) {
            state.SkipWithError(("o relatório falhou: " + r.detail).c_str());
            return;
        }
        paginas_de.push_back(paginas(r.pdfPath));
        titulos.push_back(QString::fromStdString(r.title));
        if (paginas_de.back().empty() || paginas_de.back()[0].linhas.empty() || paginas_de.back()[0].tracos.empty()) {
            state.SkipWithError("pdftohtml e pdftocairo (poppler-utils) não leram o PDF do jogo");
            return;
        }
    }
    const std::string nu = (pasta() / "nu.pdf").string();
    auto escreve = [&](int k) { escreve_nu(nu, paginas_de[k].data(), paginas_de[k].size(), titulos[k]); };
    // The bare writer's first page loads its fonts on this thread, as the
    // game's first print did on its own.
    escreve(0);
    escreve(1);
    // Under callgrind, a few pairs tell the instructions; the times of the
    // rest are not taken there.
    const size_t contados = RUNNING_ON_VALGRIND ? 5 : SIZE_MAX;
    CALLGRIND_START_INSTRUMENTATION;
    const char* nomes[2] = {"semanal", "rotacao"};
    std::vector<double> jogo[2], ref[2], razao[2], jogo_cpu[2], ref_cpu[2], razao_cpu[2];
    for (auto _ : state) {
        if (jogo[0].size() >= contados) continue;
        for (int k = 0; k < 2; ++k) {
            platform::ReportResult res;
            Tempo j, r;
            auto do_jogo = [&] {
                j = ms_de([&] { res = (k == 0 ? semanal : rotacao).PrintReport(); });
                CALLGRIND_DUMP_STATS_AT(("jogo_" + std::string(nomes[k])).c_str());
            };
            auto do_nu = [&] {
                r = ms_de([&] { escreve(k); });
                CALLGRIND_DUMP_STATS_AT(("nu_" + std::string(nomes[k])).c_str());
            };
            // Each goes first in every other pair: neither inherits the
            // other's warm caches more often.
            CALLGRIND_DUMP_STATS_AT("antes");
            if (jogo[k].size() % 2) {
                do_nu();
                do_jogo();
            } else {
                do_jogo();
                do_nu();
            }
            if (!res.ok()) {
                state.SkipWithError("o relatório falhou");
                return;
            }
            jogo[k].push_back(j.ms);
            ref[k].push_back(r.ms);
            razao[k].push_back(j.ms / r.ms);
            jogo_cpu[k].push_back(j.cpu_ms);
            ref_cpu[k].push_back(r.cpu_ms);
            razao_cpu[k].push_back(j.cpu_ms / r.cpu_ms);
        }
        state.SetIterationTime((jogo[0].back() + jogo[1].back()) / 1000);
    }
    for (int k = 0; k < 2; ++k) {
        state.counters[std::string(nomes[k]) + "_jogo_ms"] = mediana(jogo[k]);
        state.counters[std::string(nomes[k]) + "_nu_ms"] = mediana(ref[k]);
        state.counters[std::string(nomes[k]) + "_razao"] = mediana(razao[k]);
        state.counters[std::string(nomes[k]) + "_razao_cpu"] = mediana(razao_cpu[k]);
        std::printf("Relatório %s (%zu páginas), %zu pares: jogo %.2f ms, QPdfWriter nu %.2f ms, razão mediana %.2f\n",
                    nomes[k], paginas_de[k].size(), jogo[k].size(), mediana(jogo[k]), mediana(ref[k]), mediana(razao[k]));
        std::printf("  processador: jogo %.2f ms, QPdfWriter nu %.2f ms, razão mediana %.2f\n", mediana(jogo_cpu[k]),
                    mediana(ref_cpu[k]), mediana(razao_cpu[k]));
    }
    std::fflush(stdout);
}
BENCHMARK(BM_RelatoriosDaSemanaContraQPdfWriterNu)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);

}  // namespace
