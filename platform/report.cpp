#include "platform/report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/db.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/module.h"
#include "platform/modules/host.h"
#include "platform/modules/print_server.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/text.h"
#include "platform/wait.h"

namespace platform {

namespace {

bool g_pdfOnly = false;

struct Coluna {
    double largura = 1;
    std::string titulo;
    std::string celula;
};

struct Bloco {
    std::string tabela;
    std::vector<std::string> ordem;
    std::string subtitulo;
    std::string cabecalho;
    std::vector<std::string> quebras;
    std::vector<Coluna> colunas;
    bool grade = false;
    bool inteiro = false;      // keep the block on one page when it fits
    double fonte = 0;          // body font of the block, 0 = the report's
    std::string vazio;
    std::vector<std::string> notas;
    std::vector<std::pair<std::string, std::string>> trocas;  // in the cells: text -> text
};

struct Modelo {
    std::string titulo;
    std::string cabecalho;     // a line under the title on every page
    std::string banco;         // relative to the program folder; empty: none named
    std::string numeracao;     // the page number's text, {pagina} the number
    std::string pdf;
    bool paisagem = false;
    double fonte = 10;
    std::vector<Bloco> blocos;
};

// A row of a table: field name in lower case -> value as text.
using Linha = std::map<std::string, std::string>;
// The caller's values for {name}, names in lower case.
using Valores = std::map<std::string, std::string>;

// Why a report was not written: its status and what the result names.
struct Falha {
    explicit Falha(ReportStatus s, std::string f = {}, std::string n = {}, std::string t = {}, std::string d = {},
                   int l = 0)
        : status(s), file(std::move(f)), name(std::move(n)), table(std::move(t)), detail(std::move(d)), line(l) {}
    ReportStatus status;
    std::string file, name, table, detail;
    int line;
};

std::string primeira_palavra(const std::string& s, std::string* resto) {
    const std::string t = Trim(s);
    const auto sp = t.find_first_of(" \t");
    if (sp == std::string::npos) {
        *resto = "";
        return t;
    }
    *resto = Trim(t.substr(sp + 1));
    return t.substr(0, sp);
}

std::vector<std::string> palavras(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> r;
    for (std::string w; in >> w;) r.push_back(w);
    return r;
}

std::string troca_quebras(std::string s) {
    for (std::size_t p = 0; (p = s.find("\\n", p)) != std::string::npos;) s.replace(p, 2, "\n");
    return s;
}

std::string nome_do_arquivo(const std::string& caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

Modelo le_modelo(const std::string& caminho_jogo) {
    const std::string real = ResolvePath(caminho_jogo);
    if (caminho_jogo.empty() || real.empty() || !FileExists(caminho_jogo))
        throw Falha{ReportStatus::LayoutNotFound, caminho_jogo};
    std::ifstream in(real);
    if (!in) throw Falha{ReportStatus::LayoutUnreadable, caminho_jogo};

    Modelo m;
    std::string base = nome_do_arquivo(caminho_jogo);
    if (const auto ponto = base.rfind('.'); ponto != std::string::npos) base = base.substr(0, ponto);
    m.pdf = base + ".pdf";

    Bloco* bloco = nullptr;
    std::string linha;
    int numero = 0;
    auto erro = [&](const std::string& porque) {
        return Falha{ReportStatus::LayoutError, caminho_jogo, "", "", porque, numero};
    };
    while (std::getline(in, linha)) {
        ++numero;
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (numero == 1 && linha.rfind("\xEF\xBB\xBF", 0) == 0) linha = linha.substr(3);
        const std::string t = Trim(linha);
        if (t.empty() || t[0] == '#') continue;
        std::string resto;
        const std::string cmd = LCase(primeira_palavra(t, &resto));

        if (cmd == "tabela") {
            if (bloco) throw erro("\"fim\" missing before a new \"tabela\"");
            auto p = palavras(resto);
            if (p.empty()) throw erro("table name missing");
            m.blocos.emplace_back();
            bloco = &m.blocos.back();
            bloco->tabela = p[0];
            bloco->ordem.assign(p.begin() + 1, p.end());
        } else if (cmd == "fim") {
            if (!bloco) throw erro("\"fim\" without \"tabela\"");
            if (bloco->colunas.empty()) throw erro("the table has no columns");
            bloco = nullptr;
        } else if (cmd == "numeracao") {
            m.numeracao = resto;
        } else if (cmd == "titulo") {
            m.titulo = resto;
        } else if (cmd == "cabecalho" && !bloco) {
            m.cabecalho = resto;
        } else if (cmd == "banco") {
            if (resto.empty()) throw erro("database name missing");
            m.banco = resto;
        } else if (cmd == "pdf") {
            if (resto.empty() || resto.find_first_of("/\\") != std::string::npos)
                throw erro("the PDF name must be a plain file name");
            m.pdf = resto;
        } else if (cmd == "pagina") {
            const std::string o = LCase(resto);
            if (o != "retrato" && o != "paisagem") throw erro("the page must be \"retrato\" or \"paisagem\"");
            m.paisagem = o == "paisagem";
        } else if (cmd == "fonte" && !bloco) {
            const double f = Val(resto);
            if (f < 4 || f > 40) throw erro("the font size must be between 4 and 40");
            m.fonte = f;
        } else if (!bloco) {
            throw erro("\"" + cmd + "\" outside a table, or unknown");
        } else if (cmd == "subtitulo") {
            bloco->subtitulo = resto;
        } else if (cmd == "cabecalho") {
            bloco->cabecalho = resto;
        } else if (cmd == "quebra") {
            if (resto.empty()) throw erro("group field missing");
            if (bloco->quebras.size() >= 2) throw erro("at most two groups per table");
            bloco->quebras.push_back(resto);
        } else if (cmd == "coluna") {
            const auto barra = resto.find('|');
            if (barra == std::string::npos) throw erro("a column needs \"|\" before its cell text");
            std::string cab;
            const std::string larg = primeira_palavra(resto.substr(0, barra), &cab);
            Coluna c;
            c.largura = Val(larg);
            if (c.largura <= 0) throw erro("the column width must be a positive number");
            c.titulo = cab;
            c.celula = troca_quebras(Trim(resto.substr(barra + 1)));
            bloco->colunas.push_back(c);
        } else if (cmd == "grade") {
            bloco->grade = true;
        } else if (cmd == "inteiro") {
            bloco->inteiro = true;
        } else if (cmd == "fonte") {
            const double f = Val(resto);
            if (f < 4 || f > 40) throw erro("the font size must be between 4 and 40");
            bloco->fonte = f;
        } else if (cmd == "vazio") {
            bloco->vazio = resto;
        } else if (cmd == "nota") {
            bloco->notas.push_back(resto);
        } else if (cmd == "troca") {
            // troca "<text>" "<text>": blanks count, hence the quotes.
            std::vector<std::string> textos;
            for (std::size_t a = resto.find('"'); a != std::string::npos; a = resto.find('"', a + 1)) {
                const auto b = resto.find('"', a + 1);
                if (b == std::string::npos) break;
                textos.push_back(resto.substr(a + 1, b - a - 1));
                a = b;
            }
            if (textos.size() != 2 || textos[0].empty())
                throw erro("\"troca\" needs two texts in quotes, the first not empty");
            bloco->trocas.emplace_back(textos[0], textos[1]);
        } else {
            throw erro("unknown word \"" + cmd + "\"");
        }
    }
    if (bloco) throw erro("\"fim\" missing at the end of the file");
    if (m.blocos.empty()) throw Falha{ReportStatus::LayoutError, caminho_jogo, "", "", "no table", numero};
    return m;
}

// The {field} names of a text.
std::vector<std::string> campos_do_texto(const std::string& s) {
    std::vector<std::string> r;
    for (std::size_t a = s.find('{'); a != std::string::npos; a = s.find('{', a + 1)) {
        const auto b = s.find('}', a);
        if (b == std::string::npos) break;
        r.push_back(LCase(s.substr(a + 1, b - a - 1)));
    }
    return r;
}

// Fills {name} from the row, else from the caller's values; a name found in
// neither gives nothing.
std::string preenche_simples(const std::string& s, const Linha* linha, const Valores& valores) {
    std::string r;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto a = s.find('{', i);
        const auto b = a == std::string::npos ? std::string::npos : s.find('}', a);
        if (b == std::string::npos) {
            r += s.substr(i);
            break;
        }
        r += s.substr(i, a - i);
        const std::string nome = LCase(s.substr(a + 1, b - a - 1));
        const auto campo = linha ? linha->find(nome) : Linha::const_iterator{};
        if (linha && campo != linha->end())
            r += campo->second;
        else if (const auto v = valores.find(nome); v != valores.end())
            r += v->second;
        i = b + 1;
    }
    return r;
}

// As preenche_simples; a part in [brackets] is left out when every field
// inside it is empty or blank (a cell that is not a bed, say).
std::string preenche(const std::string& s, const Linha* linha, const Valores& valores) {
    std::string r;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto a = s.find('[', i);
        const auto b = a == std::string::npos ? std::string::npos : s.find(']', a);
        if (b == std::string::npos) {
            r += preenche_simples(s.substr(i), linha, valores);
            break;
        }
        r += preenche_simples(s.substr(i, a - i), linha, valores);
        const std::string parte = s.substr(a + 1, b - a - 1);
        bool algum = false;
        for (const auto& campo : campos_do_texto(parte))
            if (!Trim(preenche_simples("{" + campo + "}", linha, valores)).empty()) algum = true;
        if (algum) r += preenche_simples(parte, linha, valores);
        i = b + 1;
    }
    return r;
}

// The texts outside the tables may only name the caller's values.
void confere_valores(const Modelo& m, const Valores& valores) {
    for (const std::string* t : {&m.titulo, &m.cabecalho, &m.pdf})
        for (const auto& nome : campos_do_texto(*t))
            if (!valores.count(nome))
                throw Falha{ReportStatus::ValueMissing, "", nome};
}

std::vector<std::vector<Linha>> le_dados(const Modelo& m, const Valores& valores, const std::string& do_chamador) {
    if (do_chamador.empty() && m.banco.empty()) throw Falha{ReportStatus::NoDatabase};
    const std::string banco = do_chamador.empty() ? ProgramFolder() + m.banco : do_chamador;
    if (!FileExists(banco)) throw Falha{ReportStatus::DatabaseNotFound, banco};
    std::vector<std::vector<Linha>> dados;
    try {
        auto db = Workspace::Default().OpenDatabase(banco);
        for (const Bloco& b : m.blocos) {
            if (!db->TableExists(b.tabela))
                throw Falha{ReportStatus::TableMissing, banco, b.tabela};
            auto rs = db->OpenRecordset(b.tabela, b.ordem);
            std::vector<std::string> nomes;
            for (const auto& n : rs->FieldNames()) nomes.push_back(LCase(n));
            auto confere = [&](const std::string& campo, bool ou_valor) {
                if (std::find(nomes.begin(), nomes.end(), LCase(campo)) != nomes.end()) return;
                if (ou_valor && valores.count(LCase(campo))) return;
                throw Falha{ReportStatus::FieldMissing, banco, campo, b.tabela};
            };
            for (const auto& q : b.quebras) confere(q, false);
            for (const std::string* t : {&b.subtitulo, &b.cabecalho, &b.vazio})
                for (const auto& c : campos_do_texto(*t)) confere(c, true);
            for (const auto& n : b.notas)
                for (const auto& c : campos_do_texto(n)) confere(c, true);
            for (const auto& col : b.colunas)
                for (const auto& c : campos_do_texto(col.celula)) confere(c, true);

            std::vector<Linha> linhas;
            const auto originais = rs->FieldNames();
            if (!rs->EOF_()) rs->MoveFirst();
            while (!rs->EOF_()) {
                Linha l;
                for (const auto& n : originais) l[LCase(n)] = rs->Fields(n).ToString();
                linhas.push_back(std::move(l));
                rs->MoveNext();
            }
            rs->Close();
            dados.push_back(std::move(linhas));
        }
        db->Close();
    } catch (const DbError& e) {
        throw Falha{ReportStatus::DatabaseUnreadable, banco, "", "", e.what()};
    }
    return dados;
}

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Lays the report out on the pages of a PDF. Every page starts with the
// title, the page line and the page number; a block whose rows run onto a new
// page repeats there its heading, its column titles and the group headings of
// the group that goes on.
class Desenho {
public:
    Desenho(QPdfWriter& pdf, QPainter& p, const Modelo& m, const Valores& valores)
        : pdf_(pdf), p_(p), m_(m), valores_(valores) {
        largura_ = pdf.width();
        altura_ = pdf.height();
        usa_fonte(m.fonte);
        QFont negrito("DejaVu Sans");
        negrito.setPointSizeF(m.fonte);
        negrito.setBold(true);
        pagina_fonte_ = negrito;
        pagina_fonte_.setBold(false);
        cabecalho_fonte_ = negrito;
        cabecalho_fonte_.setPointSizeF(m.fonte * 1.15);
        titulo_ = negrito;
        titulo_.setPointSizeF(m.fonte * 1.6);
        subtitulo_ = negrito;
        subtitulo_.setPointSizeF(m.fonte * 1.25);
    }

    void desenha(const std::vector<std::vector<Linha>>& dados) {
        cabecalho_pagina();
        for (std::size_t b = 0; b < m_.blocos.size(); ++b) bloco(m_.blocos[b], dados[b]);
    }

private:
    double altura_texto(const QFont& f) const { return QFontMetricsF(f, &pdf_).height(); }

    std::string preenche_(const std::string& s, const Linha* l) const { return preenche(s, l, valores_); }
    // A cell's text, with the block's replacements made.
    std::string celula_(const Bloco& b, const Coluna& c, const Linha& l) const {
        std::string t = preenche_(c.celula, &l);
        for (const auto& [de, por] : b.trocas)
            for (auto i = t.find(de); i != std::string::npos; i = t.find(de, i + por.size()))
                t.replace(i, de.size(), por);
        return t;
    }

    // One line of text in the box (x, y_, w, h), centred vertically, cut
    // with "..." where it does not fit. The text is laid out once and drawn
    // as laid out; only a text too wide is laid out again, cut.
    void texto(const QFont& f, double x, double w, double h, const std::string& s, int alinhamento = Qt::AlignLeft) {
        if (s.empty()) return;
        QTextLayout layout(q(s), f, &pdf_);
        // The glyphs shaped to measure the line are kept for drawing it;
        // without this the layout drops them and shapes the text again.
        layout.setCacheEnabled(true);
        QTextLine linha = uma_linha(layout);
        if (linha.naturalTextWidth() > w) {
            layout.setText(QFontMetricsF(f, &pdf_).elidedText(layout.text(), Qt::ElideRight, w));
            linha = uma_linha(layout);
        }
        const double dx = (alinhamento & Qt::AlignRight) ? w - linha.naturalTextWidth() : 0;
        layout.draw(&p_, QPointF(x + dx, y_ + (h - linha.height()) / 2));
    }

    static QTextLine uma_linha(QTextLayout& layout) {
        QTextOption opcao;
        opcao.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(opcao);
        layout.beginLayout();
        QTextLine linha = layout.createLine();
        linha.setPosition(QPointF(0, 0));
        layout.endLayout();
        return linha;
    }

    void nova_pagina() {
        pdf_.newPage();
        ++pagina_;
        y_ = 0;
        cabecalho_pagina();
    }

    void cabecalho_pagina() {
        const double h = altura_texto(titulo_);
        const double l = altura_texto(pagina_fonte_);
        texto(titulo_, 0, largura_ * 0.8, h, preenche_(m_.titulo, nullptr));
        if (!m_.numeracao.empty()) {
            Valores v = valores_;
            v["pagina"] = std::to_string(pagina_);
            texto(pagina_fonte_, largura_ * 0.8, largura_ * 0.2, h, preenche(m_.numeracao, nullptr, v), Qt::AlignRight);
        }
        y_ += h;
        if (!m_.cabecalho.empty()) {
            const double hc = altura_texto(cabecalho_fonte_);
            texto(cabecalho_fonte_, 0, largura_, hc, preenche_(m_.cabecalho, nullptr));
            y_ += hc;
        }
        p_.setPen(QPen(Qt::black, std::max(1.0, l / 12)));
        p_.drawLine(QPointF(0, y_ + l * 0.2), QPointF(largura_, y_ + l * 0.2));
        y_ += l * 0.8;
    }

    void garante(double h) {
        if (y_ + h > altura_) nova_pagina();
    }

    double altura_titulos() const { return linha_ * 1.3; }

    void titulos_colunas(const Bloco& b) {
        double x = 0;
        const double h = altura_titulos();
        p_.fillRect(QRectF(0, y_, largura_, h), QColor(225, 225, 225));
        for (std::size_t c = 0; c < b.colunas.size(); ++c) {
            const double w = largura_col_[c];
            texto(negrito_, x + margem(), w - 2 * margem(), h, b.colunas[c].titulo);
            if (b.grade) p_.drawRect(QRectF(x, y_, w, h));
            x += w;
        }
        y_ += h;
    }

    const QFont& fonte_grupo(std::size_t n) const { return n == 0 ? subtitulo_ : negrito_; }
    double altura_grupo(std::size_t n) const { return altura_texto(fonte_grupo(n)) * 1.1; }

    void titulo_grupo(std::size_t n, const std::string& v) {
        const double h = altura_grupo(n);
        texto(fonte_grupo(n), n * linha_, largura_ - n * linha_, h, v);
        y_ += h;
    }

    void subtitulo(const Bloco& b, const Linha* primeira) {
        if (b.subtitulo.empty()) return;
        const double h = altura_texto(subtitulo_);
        texto(subtitulo_, 0, largura_, h, preenche_(b.subtitulo, primeira));
        y_ += h;
    }

    // The block's rows go on on a new page: its heading, the column titles
    // and the headings of the first `grupos` group levels come again.
    void continua(const Bloco& b, const Linha* primeira, const std::vector<std::string>& grupos, std::size_t niveis) {
        nova_pagina();
        y_ += linha_ * 0.6;
        subtitulo(b, primeira);
        titulos_colunas(b);
        for (std::size_t n = 0; n < niveis; ++n) titulo_grupo(n, grupos[n]);
    }

    double margem() const { return linha_ * 0.25; }

    // A row's cells, each cut in its text lines, filled once: the row's
    // height and its drawing both use them.
    struct Celulas {
        std::vector<std::vector<std::string>> colunas;
        std::size_t linhas = 1;  // the most lines any of its cells holds, a last empty one included
    };
    Celulas celulas(const Bloco& b, const Linha& l) const {
        Celulas r;
        for (const auto& c : b.colunas) {
            const std::string t = celula_(b, c, l);
            r.linhas = std::max<std::size_t>(r.linhas, 1 + std::count(t.begin(), t.end(), '\n'));
            std::vector<std::string> partes;
            std::istringstream in(t);
            for (std::string parte; std::getline(in, parte);) partes.push_back(std::move(parte));
            r.colunas.push_back(std::move(partes));
        }
        return r;
    }

    double altura_linha(const Celulas& c) const { return linha_ * c.linhas + margem(); }

    void usa_fonte(double pontos) {
        corpo_ = QFont("DejaVu Sans");
        corpo_.setPointSizeF(pontos);
        negrito_ = corpo_;
        negrito_.setBold(true);
        italico_ = corpo_;
        italico_.setItalic(true);
        linha_ = QFontMetricsF(corpo_, &pdf_).height();
    }

    void bloco(const Bloco& b, const std::vector<Linha>& linhas) {
        usa_fonte(b.fonte > 0 ? b.fonte : m_.fonte);
        double soma = 0;
        for (const auto& c : b.colunas) soma += c.largura;
        largura_col_.clear();
        for (const auto& c : b.colunas) largura_col_.push_back(largura_ * c.largura / soma);
        const Linha* primeira = linhas.empty() ? nullptr : &linhas[0];
        std::vector<Celulas> cels;
        cels.reserve(linhas.size());
        for (const Linha& l : linhas) cels.push_back(celulas(b, l));
        const double h_subtitulo = b.subtitulo.empty() ? 0 : altura_texto(subtitulo_);
        const double h_cabecalho = b.cabecalho.empty() ? 0 : linha_ * 1.2;

        y_ += linha_ * 0.6;
        if (b.inteiro) {
            // The block's height: headings, column titles, rows and notes.
            double h = h_subtitulo + h_cabecalho + altura_titulos() + linha_ * b.notas.size();
            for (std::size_t n = 0; n < b.quebras.size(); ++n) h += altura_grupo(n);
            for (const Celulas& c : cels) h += altura_linha(c);
            if (y_ + h > altura_ && h <= altura_ - altura_texto(titulo_) - altura_texto(cabecalho_fonte_) - linha_)
                nova_pagina();
        }
        // The block's start stays together: heading, column titles, the
        // first group headings and the first row (or the empty-table line).
        double inicio = h_subtitulo + h_cabecalho;
        if (linhas.empty()) {
            inicio += linha_;
        } else {
            inicio += altura_titulos() + altura_linha(cels[0]);
            for (std::size_t n = 0; n < b.quebras.size(); ++n) inicio += altura_grupo(n);
        }
        garante(inicio);
        subtitulo(b, primeira);
        if (!b.cabecalho.empty()) {
            texto(negrito_, 0, largura_, linha_, preenche_(b.cabecalho, primeira));
            y_ += h_cabecalho;
        }
        if (linhas.empty()) {
            texto(italico_, 0, largura_, linha_, preenche_(b.vazio, nullptr));
            y_ += linha_;
        } else {
            titulos_colunas(b);
            std::vector<std::string> grupos(b.quebras.size());
            bool primeira_linha = true;
            for (std::size_t i = 0; i < linhas.size(); ++i) {
                const Linha& l = linhas[i];
                // The first group level whose value changes here; a new outer
                // group restarts the inner ones.
                std::size_t muda = b.quebras.size();
                for (std::size_t n = 0; n < b.quebras.size(); ++n) {
                    if (primeira_linha || preenche_("{" + b.quebras[n] + "}", &l) != grupos[n]) {
                        muda = n;
                        break;
                    }
                }
                const double hl = altura_linha(cels[i]);
                double h = hl;
                for (std::size_t n = muda; n < b.quebras.size(); ++n) h += altura_grupo(n);
                if (y_ + h > altura_) continua(b, primeira, grupos, muda);
                for (std::size_t n = muda; n < b.quebras.size(); ++n) {
                    grupos[n] = preenche_("{" + b.quebras[n] + "}", &l);
                    titulo_grupo(n, grupos[n]);
                }
                primeira_linha = false;

                double x = 0;
                for (std::size_t c = 0; c < b.colunas.size(); ++c) {
                    const double w = largura_col_[c];
                    const double y0 = y_;
                    for (const std::string& parte : cels[i].colunas[c]) {
                        texto(corpo_, x + margem(), w - 2 * margem(), linha_, parte);
                        y_ += linha_;
                    }
                    y_ = y0;
                    if (b.grade) p_.drawRect(QRectF(x, y_, w, hl));
                    x += w;
                }
                y_ += hl;
            }
        }
        for (const auto& n : b.notas) {
            garante(linha_);
            texto(italico_, 0, largura_, linha_, preenche_(n, nullptr));
            y_ += linha_;
        }
    }

    QPdfWriter& pdf_;
    QPainter& p_;
    const Modelo& m_;
    const Valores& valores_;
    double largura_ = 0, altura_ = 0, linha_ = 0, y_ = 0;
    int pagina_ = 1;
    QFont corpo_, negrito_, italico_, titulo_, subtitulo_, cabecalho_fonte_, pagina_fonte_;
    std::vector<double> largura_col_;
};

// A write-only device over an open file that keeps the first write error:
// the PDF writer's QPainter::end() does not report its file's. Writes are
// gathered in blocks, the writer handing over many small pieces.
class Arquivo : public QIODevice {
public:
    explicit Arquivo(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    ~Arquivo() override { descarrega(); }

    // Writes what is gathered; the first error (an errno value), 0 if none.
    int descarrega() {
        for (std::size_t feito = 0; feito < bloco_.size() && !erro_;) {
            const ssize_t n = ::write(fd_, bloco_.data() + feito, bloco_.size() - feito);
            if (n < 0 && errno != EINTR) erro_ = errno;
            if (n > 0) feito += static_cast<std::size_t>(n);
        }
        escritos_ += static_cast<qint64>(bloco_.size());
        bloco_.clear();
        return erro_;
    }
    qint64 escritos() const { return escritos_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        if (erro_) return -1;
        bloco_.append(data, static_cast<std::size_t>(len));
        if (bloco_.size() >= (1u << 16) && descarrega()) return -1;
        return len;
    }

private:
    int fd_;
    int erro_ = 0;
    qint64 escritos_ = 0;
    std::string bloco_;
};

// The file just written is a whole PDF: as long as what was written, its
// header first and its end mark last.
bool pdf_inteiro(int fd, qint64 escritos) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_size != escritos || escritos < 64) return false;
    char inicio[5], fim[64];
    const qint64 n = std::min<qint64>(escritos, sizeof fim);
    if (::pread(fd, inicio, sizeof inicio, 0) != static_cast<ssize_t>(sizeof inicio) ||
        ::pread(fd, fim, static_cast<std::size_t>(n), escritos - n) != n)
        return false;
    return std::string(inicio, sizeof inicio) == "%PDF-" &&
           std::string(fim, static_cast<std::size_t>(n)).find("%%EOF") != std::string::npos;
}

// Writes the report to a PDF file: drawn to a temporary file, checked whole,
// and only then given its name. False with why in *erro when it could not
// be written whole; the file of an earlier print is then as it was.
// Nothing here asks a print server anything.
bool grava_pdf(const std::string& caminho, const Modelo& m, const Valores& valores,
               const std::vector<std::vector<Linha>>& dados, const std::string& criador, std::string* erro) {
    try {
        ReplaceFileWhole(caminho, [&](int fd) {
            int falha = 0;
            qint64 escritos = 0;
            {
                Arquivo arquivo(fd);
                QPdfWriter pdf(&arquivo);
                pdf.setPageSize(QPageSize(QPageSize::A4));
                pdf.setPageOrientation(m.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait);
                pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
                pdf.setResolution(1200);
                pdf.setTitle(q(preenche(m.titulo, nullptr, valores)));
                pdf.setCreator(q(criador));
                QPainter p;
                if (!p.begin(&pdf)) throw std::runtime_error("Não foi possível desenhar o arquivo \"" + caminho + "\".");
                Desenho(pdf, p, m, valores).desenha(dados);
                p.end();
                falha = arquivo.descarrega();
                escritos = arquivo.escritos();
            }
            if (falha) throw std::runtime_error("Não foi possível gravar o arquivo \"" + caminho + "\": " +
                                                WriteErrorText(falha) + ".");
            if (!pdf_inteiro(fd, escritos))
                throw std::runtime_error("Não foi possível gravar o arquivo \"" + caminho + "\" inteiro.");
        }, /*durable=*/false);  // drawn again at the next print
        return true;
    } catch (const std::exception& e) {
        *erro = e.what();
        return false;
    }
}

// A report read and ready to be drawn, and how its drawing went.
struct Pdf {
    std::size_t relatorio = 0;
    Modelo modelo;
    Valores valores;
    std::vector<std::vector<Linha>> dados;
    std::string destino;
    std::string criador;        // the program's name, the PDF's creator
    bool gravado = false;
    bool falhou = false;        // the drawing threw, `erro` says what
    std::string erro;           // also why the file was not written
};

// The thread the PDFs are drawn on: laying out text (the fonts' hinting, the
// PDF's streams) takes tens of milliseconds that the program's timers and
// painting should not wait for. Each thread has fonts of its own, loaded at
// its first text; this one is started at the first print and kept for the
// run, so they are loaded once. It ends with the application (or in a child
// process, where it does not exist, is started anew).
class Desenhista {
public:
    static Desenhista& o() {
        static const bool apos_fork = ::pthread_atfork(nullptr, nullptr, [] { atual() = nullptr; }) == 0;
        (void)apos_fork;
        if (!atual()) {
            atual() = new Desenhista;
            qAddPostRoutine([] {
                delete atual();
                atual() = nullptr;
            });
        }
        return *atual();
    }

    // Runs `tarefa` on the thread.
    void entrega(std::function<void()> tarefa) {
        std::lock_guard<std::mutex> g(m_);
        tarefa_ = std::move(tarefa);
        cv_.notify_all();
    }

private:
    static Desenhista*& atual() {
        static Desenhista* d = nullptr;
        return d;
    }
    Desenhista() : fio_([this] { trabalha(); }) {}
    ~Desenhista() {
        {
            std::lock_guard<std::mutex> g(m_);
            fim_ = true;
            cv_.notify_all();
        }
        fio_.join();
    }
    void trabalha() {
        std::unique_lock<std::mutex> g(m_);
        for (;;) {
            cv_.wait(g, [this] { return fim_ || tarefa_; });
            if (!tarefa_) return;
            auto t = std::move(tarefa_);
            tarefa_ = nullptr;
            g.unlock();
            t();
            g.lock();
        }
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::function<void()> tarefa_;
    bool fim_ = false;
    std::thread fio_;
};

// Draws the PDFs on the drawing thread. Meanwhile this thread waits as in a
// modal wait; it returns only once the drawing has ended, also when the wait
// ends early because the program is ending. Qt supports painting on a
// QPdfWriter off the user-interface thread.
void grava_pdfs(std::vector<Pdf>& pdfs) {
    if (pdfs.empty()) return;
    struct Fim {
        std::mutex m;
        std::condition_variable cv;
        std::atomic<bool> pronto{false};
    };
    auto fim = std::make_shared<Fim>();
    Desenhista::o().entrega([&pdfs, fim] {
        for (Pdf& p : pdfs) {
            try {
                p.gravado = grava_pdf(p.destino, p.modelo, p.valores, p.dados, p.criador, &p.erro);
            } catch (const std::exception& e) {
                p.falhou = true;
                p.erro = e.what();
            } catch (...) {
                p.falhou = true;
            }
        }
        {
            std::lock_guard<std::mutex> g(fim->m);
            fim->pronto = true;
        }
        fim->cv.notify_all();
        WakeModalWaits();
    });
    ModalWait([&] { return fim->pronto.load(); }, std::chrono::steady_clock::time_point::max());
    std::unique_lock<std::mutex> g(fim->m);
    fim->cv.wait(g, [&] { return fim->pronto.load(); });
}

// ------------------------------------------------------------ print server

// Runs on its own thread: the print server module talks with the server;
// without the module there is no printer.
void conversa_com_o_servidor(std::shared_ptr<Conversa> c) {
    auto fala = reinterpret_cast<decltype(&brotalia_print_server_talk)>(
        ModuleEntry("print_server", "brotalia_print_server_talk"));
    if (fala) {
        fala(c.get());
        return;
    }
    {
        std::lock_guard<std::mutex> g(c->m);
        c->sem_impressora = true;
    }
    c->pronta = true;
}

// Waits for the talk to end, at most until its limit (and a little more for
// the thread to notice it), as a modal wait: the program's timers and
// painting go on, the player's clicks and keys are ignored.
void aguarda(const std::shared_ptr<Conversa>& c) {
    ModalWait([&] { return c->pronta.load(); }, c->limite + std::chrono::milliseconds(200));
    c->desistiu = true;
}

// Where a report's PDF is written, as a game path: the program folder (the
// path layer puts it in the user's data folder where that cannot be written).
std::string caminho_do_pdf(const std::string& nome) { return ProgramFolder() + "\\" + nome; }

}  // namespace

void Report::SetPdfOnly(bool pdfOnly) { g_pdfOnly = pdfOnly; }

ReportResult Report::PrintReport() const { return PrintReports({this}).front(); }

std::vector<ReportResult> Report::PrintReports(const std::vector<const Report*>& reports) {
    // The limit counts from here, so that writing the PDFs and waiting for
    // the server together stay within it.
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(PrintTimeLimitMs);
    std::vector<ReportResult> resultados(reports.size());

    // Each report is read here and drawn once to its PDF, without asking any
    // server.
    auto falha = [](ReportResult& r, const Falha& f) {
        r.status = f.status;
        r.file = f.file;
        r.name = f.name;
        r.table = f.table;
        r.detail = f.detail;
        r.line = f.line;
        if (f.status == ReportStatus::PdfNotWritable) r.pdfPath = f.file;
    };
    std::vector<Pdf> pdfs;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        ReportResult& r = resultados[i];
        try {
            if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) throw Falha{ReportStatus::NoWindow};
            Pdf p;
            p.relatorio = i;
            for (const auto& [nome, valor] : reports[i]->params_) p.valores[LCase(nome)] = valor;
            p.modelo = le_modelo(reports[i]->file_);
            r.title = preenche(p.modelo.titulo, nullptr, p.valores);
            confere_valores(p.modelo, p.valores);
            p.dados = le_dados(p.modelo, p.valores, reports[i]->database_);
            const std::string nome = preenche(p.modelo.pdf, nullptr, p.valores);
            if (nome.find_first_of("/\\") != std::string::npos || Trim(nome).empty())
                throw Falha{ReportStatus::BadPdfName, "", nome};
            p.destino = ResolvePathForWrite(caminho_do_pdf(nome));
            p.criador = ApplicationDisplayName();
            if (p.destino.empty()) throw Falha{ReportStatus::PdfNotWritable, DataFolder() + "/" + nome};
            pdfs.push_back(std::move(p));
        } catch (const Falha& f) {
            falha(r, f);
        } catch (const std::exception& e) {
            r.status = ReportStatus::Failed;
            r.detail = e.what();
        }
    }
    grava_pdfs(pdfs);
    if (!pdfs.empty()) InvalidatePathCache();
    for (const Pdf& p : pdfs) {
        ReportResult& r = resultados[p.relatorio];
        if (p.falhou) {
            r.status = ReportStatus::Failed;
            r.detail = p.erro;
        } else if (!p.gravado) {
            falha(r, Falha{ReportStatus::PdfNotWritable, p.destino, "", "", p.erro});
        } else {
            r.status = ReportStatus::SavedNoPrinter;
            r.destination = r.pdfPath = p.destino;
        }
    }

    // Then the written ones go to the default printer, within the limit.
    std::vector<std::size_t> enviados;
    for (std::size_t i = 0; i < reports.size(); ++i)
        if (resultados[i].ok()) enviados.push_back(i);
    if (!g_pdfOnly && !enviados.empty()) {
        auto c = std::make_shared<Conversa>();
        for (std::size_t i : enviados) {
            c->arquivos.push_back(resultados[i].pdfPath);
            c->titulos.push_back(resultados[i].title);
        }
        c->trabalhos.assign(enviados.size(), -1);
        c->erros.assign(enviados.size(), "");
        c->limite = limite;
        // The talk may outlive this wait (the server did not answer in time):
        // it is joined when the program ends.
        JoinAtShutdown(std::thread(conversa_com_o_servidor, c));
        aguarda(c);

        std::lock_guard<std::mutex> g(c->m);
        for (std::size_t k = 0; k < enviados.size(); ++k) {
            ReportResult& r = resultados[enviados[k]];
            if (c->trabalhos[k] > 0) {
                r.status = ReportStatus::Printed;
                r.job = c->trabalhos[k];
                r.destination = c->impressora;
            } else if (c->trabalhos[k] == 0) {
                r.status = ReportStatus::SavedRefused;
                r.destination = c->impressora;
                r.detail = c->erros[k];
            } else if (!c->sem_impressora) {
                r.status = ReportStatus::SavedNoAnswer;
            }
        }
    }
    return resultados;
}

}  // namespace platform
