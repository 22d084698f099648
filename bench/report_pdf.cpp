// The week's two report PDFs (the weekly report with its garden map, and the
// rotation report) written through the game's report component
// (platform::Report, PDF only, no print server), against a bare QPdfWriter
// drawing the same text in the same places on the same pages (A4, the same
// margins and resolution, the same face, size, weight and slant), as poppler
// finds it in the game's PDF. The two alternate,
// so both see the same machine at the same moment; the result is the medians
// and the median of the per-pair ratios.

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/report.h"
#include "inicio/mediana.h"

namespace {

namespace fs = std::filesystem;

double ms_de(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
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

double atributo(const std::string& s, const std::string& nome) {
    const auto p = s.find(" " + nome + "=\"");
    return p == std::string::npos ? 0 : std::atof(s.c_str() + p + nome.size() + 3);
}

// The pieces of text of each page of a PDF, each in its place.
std::vector<std::vector<Linha>> paginas(const std::string& pdf) {
    std::string xml;
    if (FILE* f = ::popen(("pdftohtml -xml -stdout -i -zoom 1 '" + pdf + "' 2>/dev/null").c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) xml.append(buf, n);
        ::pclose(f);
    }
    std::vector<std::vector<Linha>> r;
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
            r.back().push_back({atributo(l, "left"), atributo(l, "top"), atributo(l, "height"),
                                tamanhos[static_cast<int>(atributo(l, "font"))], negrito, italico, texto});
        }
    }
    return r;
}

// The bare writer: the same page set-up, each piece of text in its place, in
// the report's face, size, weight and slant.
void escreve_nu(const std::string& arquivo, const std::vector<std::vector<Linha>>& pags) {
    QPdfWriter pdf(QString::fromStdString(arquivo));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Portrait);
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setResolution(1200);
    QPainter p(&pdf);
    const double escala = 1200.0 / 72, margem = 15 / 25.4 * 72;
    QFont f("DejaVu Sans");
    for (size_t n = 0; n < pags.size(); ++n) {
        if (n > 0) pdf.newPage();
        for (const auto& l : pags[n]) {
            f.setPointSizeF(l.pontos);
            f.setBold(l.negrito);
            f.setItalic(l.italico);
            p.setFont(f);
            p.drawText(QRectF((l.x - margem) * escala, (l.y - margem) * escala, pdf.width(), l.altura * escala),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromStdString(l.texto));
        }
    }
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
    std::vector<std::vector<std::vector<Linha>>> linhas;
    for (const auto& r : platform::Report::PrintReports({&semanal, &rotacao})) {
        if (!r.ok()) {
            state.SkipWithError(("o relatório falhou: " + r.detail).c_str());
            return;
        }
        linhas.push_back(paginas(r.pdfPath));
    }
    const std::string nu = (pasta() / "nu.pdf").string();
    std::vector<double> jogo[2], ref[2], razao[2];
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            platform::ReportResult res;
            const double j = ms_de([&] { res = (k == 0 ? semanal : rotacao).PrintReport(); });
            const double r = ms_de([&] { escreve_nu(nu, linhas[k]); });
            if (!res.ok()) {
                state.SkipWithError("o relatório falhou");
                return;
            }
            jogo[k].push_back(j);
            ref[k].push_back(r);
            razao[k].push_back(j / r);
        }
        state.SetIterationTime((jogo[0].back() + jogo[1].back()) / 1000);
    }
    const char* nomes[2] = {"semanal", "rotacao"};
    for (int k = 0; k < 2; ++k) {
        state.counters[std::string(nomes[k]) + "_jogo_ms"] = mediana(jogo[k]);
        state.counters[std::string(nomes[k]) + "_nu_ms"] = mediana(ref[k]);
        state.counters[std::string(nomes[k]) + "_razao"] = mediana(razao[k]);
        std::printf("Relatório %s (%zu páginas), %zu pares: jogo %.2f ms, QPdfWriter nu %.2f ms, razão mediana %.2f\n",
                    nomes[k], linhas[k].size(), jogo[k].size(), mediana(jogo[k]), mediana(ref[k]), mediana(razao[k]));
    }
    std::fflush(stdout);
}
BENCHMARK(BM_RelatoriosDaSemanaContraQPdfWriterNu)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);

}  // namespace
