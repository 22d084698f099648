#include "platform/report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/db.h"
#include "platform/paths.h"
#include "platform/text.h"

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
};

struct Modelo {
    std::string titulo;
    std::string banco = "\\hortas00.mdb";
    std::string pdf;
    bool paisagem = false;
    double fonte = 10;
    std::vector<Bloco> blocos;
};

// A row of a table: field name in lower case -> value as text.
using Linha = std::map<std::string, std::string>;

struct Falha {
    std::string mensagem;
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
        throw Falha{"O modelo de relatório não foi encontrado: " +
                    (caminho_jogo.empty() ? std::string("(nenhum arquivo indicado)") : caminho_jogo)};
    std::ifstream in(real);
    if (!in) throw Falha{"Não foi possível ler o modelo de relatório " + caminho_jogo + "."};

    Modelo m;
    std::string base = nome_do_arquivo(caminho_jogo);
    if (const auto ponto = base.rfind('.'); ponto != std::string::npos) base = base.substr(0, ponto);
    m.pdf = base + ".pdf";

    Bloco* bloco = nullptr;
    std::string linha;
    int numero = 0;
    auto erro = [&](const std::string& porque) {
        return Falha{"O modelo de relatório " + nome_do_arquivo(caminho_jogo) + " tem um erro na linha " +
                     std::to_string(numero) + ": " + porque + "."};
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
            if (bloco) throw erro("falta \"fim\" antes de uma nova tabela");
            auto p = palavras(resto);
            if (p.empty()) throw erro("falta o nome da tabela");
            m.blocos.emplace_back();
            bloco = &m.blocos.back();
            bloco->tabela = p[0];
            bloco->ordem.assign(p.begin() + 1, p.end());
        } else if (cmd == "fim") {
            if (!bloco) throw erro("\"fim\" sem \"tabela\"");
            if (bloco->colunas.empty()) throw erro("a tabela não tem colunas");
            bloco = nullptr;
        } else if (cmd == "titulo") {
            m.titulo = resto;
        } else if (cmd == "banco") {
            if (resto.empty()) throw erro("falta o nome do banco de dados");
            m.banco = resto;
        } else if (cmd == "pdf") {
            if (resto.empty() || resto.find_first_of("/\\") != std::string::npos)
                throw erro("o nome do arquivo PDF deve ser um nome simples");
            m.pdf = resto;
        } else if (cmd == "pagina") {
            const std::string o = LCase(resto);
            if (o != "retrato" && o != "paisagem") throw erro("a página deve ser retrato ou paisagem");
            m.paisagem = o == "paisagem";
        } else if (cmd == "fonte" && !bloco) {
            const double f = Val(resto);
            if (f < 4 || f > 40) throw erro("o tamanho da fonte deve ficar entre 4 e 40");
            m.fonte = f;
        } else if (!bloco) {
            throw erro("\"" + cmd + "\" fora de uma tabela, ou palavra desconhecida");
        } else if (cmd == "subtitulo") {
            bloco->subtitulo = resto;
        } else if (cmd == "cabecalho") {
            bloco->cabecalho = resto;
        } else if (cmd == "quebra") {
            if (resto.empty()) throw erro("falta o campo da quebra");
            if (bloco->quebras.size() >= 2) throw erro("no máximo duas quebras por tabela");
            bloco->quebras.push_back(resto);
        } else if (cmd == "coluna") {
            const auto barra = resto.find('|');
            if (barra == std::string::npos) throw erro("a coluna precisa de \"|\" antes do texto da célula");
            std::string cab;
            const std::string larg = primeira_palavra(resto.substr(0, barra), &cab);
            Coluna c;
            c.largura = Val(larg);
            if (c.largura <= 0) throw erro("a largura da coluna deve ser um número positivo");
            c.titulo = cab;
            c.celula = troca_quebras(Trim(resto.substr(barra + 1)));
            bloco->colunas.push_back(c);
        } else if (cmd == "grade") {
            bloco->grade = true;
        } else if (cmd == "inteiro") {
            bloco->inteiro = true;
        } else if (cmd == "fonte") {
            const double f = Val(resto);
            if (f < 4 || f > 40) throw erro("o tamanho da fonte deve ficar entre 4 e 40");
            bloco->fonte = f;
        } else if (cmd == "vazio") {
            bloco->vazio = resto;
        } else if (cmd == "nota") {
            bloco->notas.push_back(resto);
        } else {
            throw erro("palavra desconhecida \"" + cmd + "\"");
        }
    }
    if (bloco) throw erro("falta \"fim\" no final do arquivo");
    if (m.blocos.empty()) throw Falha{"O modelo de relatório " + nome_do_arquivo(caminho_jogo) + " não tem nenhuma tabela."};
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

std::string preenche_simples(const std::string& s, const Linha* linha);

// Fills {field} from the row; a part in [brackets] is left out when every
// field inside it is empty or blank (a cell that is not a bed, say).
std::string preenche(const std::string& s, const Linha* linha) {
    std::string r;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto a = s.find('[', i);
        const auto b = a == std::string::npos ? std::string::npos : s.find(']', a);
        if (b == std::string::npos) {
            r += preenche_simples(s.substr(i), linha);
            break;
        }
        r += preenche_simples(s.substr(i, a - i), linha);
        const std::string parte = s.substr(a + 1, b - a - 1);
        bool algum = false;
        for (const auto& campo : campos_do_texto(parte))
            if (!Trim(preenche_simples("{" + campo + "}", linha)).empty()) algum = true;
        if (algum) r += preenche_simples(parte, linha);
        i = b + 1;
    }
    return r;
}

std::string preenche_simples(const std::string& s, const Linha* linha) {
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
        if (linha) {
            auto it = linha->find(LCase(s.substr(a + 1, b - a - 1)));
            if (it != linha->end()) r += it->second;
        }
        i = b + 1;
    }
    return r;
}

std::vector<std::vector<Linha>> le_dados(const Modelo& m) {
    const std::string banco = ProgramFolder() + m.banco;
    if (!FileExists(banco)) throw Falha{"O banco de dados do relatório não foi encontrado: " + m.banco};
    std::vector<std::vector<Linha>> dados;
    try {
        auto db = Workspace::Default().OpenDatabase(banco);
        for (const Bloco& b : m.blocos) {
            if (!db->TableExists(b.tabela))
                throw Falha{"A tabela \"" + b.tabela + "\" não existe no banco de dados " + m.banco + "."};
            auto rs = db->OpenRecordset(b.tabela, b.ordem);
            std::vector<std::string> nomes;
            for (const auto& n : rs->FieldNames()) nomes.push_back(LCase(n));
            auto confere = [&](const std::string& campo) {
                if (std::find(nomes.begin(), nomes.end(), LCase(campo)) == nomes.end())
                    throw Falha{"O campo \"" + campo + "\" não existe na tabela \"" + b.tabela + "\"."};
            };
            for (const auto& q : b.quebras) confere(q);
            for (const auto& c : campos_do_texto(b.cabecalho)) confere(c);
            for (const auto& col : b.colunas)
                for (const auto& c : campos_do_texto(col.celula)) confere(c);

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
        throw Falha{std::string("Não foi possível ler o banco de dados do relatório: ") + e.what()};
    }
    return dados;
}

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Lays the report out on a paint device (printer or PDF), page by page.
class Desenho {
public:
    Desenho(QPrinter& impressora, QPainter& p, const Modelo& m) : imp_(impressora), p_(p), m_(m) {
        largura_ = impressora.width();
        altura_ = impressora.height();
        corpo_ = QFont("DejaVu Sans");
        corpo_.setPointSizeF(m.fonte);
        negrito_ = corpo_;
        negrito_.setBold(true);
        titulo_ = negrito_;
        titulo_.setPointSizeF(m.fonte * 1.6);
        subtitulo_ = negrito_;
        subtitulo_.setPointSizeF(m.fonte * 1.25);
        italico_ = corpo_;
        italico_.setItalic(true);
        linha_ = QFontMetricsF(corpo_, &imp_).height();
    }

    void desenha(const std::vector<std::vector<Linha>>& dados) {
        cabecalho_pagina();
        for (std::size_t b = 0; b < m_.blocos.size(); ++b) bloco(m_.blocos[b], dados[b]);
    }

private:
    double altura_texto(const QFont& f) const { return QFontMetricsF(f, &imp_).height(); }

    void texto(const QFont& f, double x, double w, double h, const std::string& s, int alinhamento = Qt::AlignLeft) {
        p_.setFont(f);
        const QFontMetricsF fm(f, &imp_);
        const QString t = fm.elidedText(q(s), Qt::ElideRight, w);
        p_.drawText(QRectF(x, y_, w, h), alinhamento | Qt::AlignVCenter | Qt::TextSingleLine, t);
    }

    void nova_pagina() {
        imp_.newPage();
        ++pagina_;
        y_ = 0;
        cabecalho_pagina();
    }

    void cabecalho_pagina() {
        const double h = altura_texto(titulo_);
        texto(titulo_, 0, largura_ * 0.8, h, m_.titulo);
        texto(corpo_, largura_ * 0.8, largura_ * 0.2, h, "Página " + std::to_string(pagina_), Qt::AlignRight);
        y_ += h;
        p_.setPen(QPen(Qt::black, std::max(1.0, linha_ / 12)));
        p_.drawLine(QPointF(0, y_ + linha_ * 0.2), QPointF(largura_, y_ + linha_ * 0.2));
        y_ += linha_ * 0.8;
    }

    void garante(double h) {
        if (y_ + h > altura_) nova_pagina();
    }

    void titulos_colunas(const Bloco& b) {
        double x = 0;
        const double h = linha_ * 1.3;
        p_.fillRect(QRectF(0, y_, largura_, h), QColor(225, 225, 225));
        for (std::size_t c = 0; c < b.colunas.size(); ++c) {
            const double w = largura_col_[c];
            texto(negrito_, x + margem(), w - 2 * margem(), h, b.colunas[c].titulo);
            if (b.grade) p_.drawRect(QRectF(x, y_, w, h));
            x += w;
        }
        y_ += h;
    }

    double margem() const { return linha_ * 0.25; }

    // Text lines of a row: the most lines any of its cells holds.
    static int linhas_da_linha(const Bloco& b, const Linha& l) {
        int n = 1;
        for (const auto& c : b.colunas) {
            const std::string t = preenche(c.celula, &l);
            n = std::max<int>(n, 1 + std::count(t.begin(), t.end(), '\n'));
        }
        return n;
    }

    void usa_fonte(double pontos) {
        corpo_ = QFont("DejaVu Sans");
        corpo_.setPointSizeF(pontos);
        negrito_ = corpo_;
        negrito_.setBold(true);
        italico_ = corpo_;
        italico_.setItalic(true);
        linha_ = QFontMetricsF(corpo_, &imp_).height();
    }

    void bloco(const Bloco& b, const std::vector<Linha>& linhas) {
        usa_fonte(b.fonte > 0 ? b.fonte : m_.fonte);
        double soma = 0;
        for (const auto& c : b.colunas) soma += c.largura;
        largura_col_.clear();
        for (const auto& c : b.colunas) largura_col_.push_back(largura_ * c.largura / soma);

        y_ += linha_ * 0.6;
        if (b.inteiro) {
            // The block's height: headings, column titles, rows and notes.
            double h = altura_texto(subtitulo_) + linha_ * (3.5 + b.notas.size());
            for (const Linha& l : linhas) h += linha_ * linhas_da_linha(b, l) + margem();
            if (y_ + h > altura_ && h <= altura_ - altura_texto(titulo_) - linha_) nova_pagina();
        }
        if (!b.subtitulo.empty()) {
            const double h = altura_texto(subtitulo_);
            garante(h + linha_ * 3);
            texto(subtitulo_, 0, largura_, h, preenche(b.subtitulo, linhas.empty() ? nullptr : &linhas[0]));
            y_ += h;
        }
        if (!b.cabecalho.empty()) {
            garante(linha_ * 3);
            texto(negrito_, 0, largura_, linha_, preenche(b.cabecalho, linhas.empty() ? nullptr : &linhas[0]));
            y_ += linha_ * 1.2;
        }
        if (linhas.empty()) {
            garante(linha_);
            texto(italico_, 0, largura_, linha_, b.vazio);
            y_ += linha_;
        } else {
            garante(linha_ * 3);
            titulos_colunas(b);
            std::vector<std::string> anteriores(b.quebras.size());
            bool primeira = true;
            for (const Linha& l : linhas) {
                // Group headings, outer first; a new outer group restarts the inner ones.
                bool mudou = primeira;
                for (std::size_t n = 0; n < b.quebras.size(); ++n) {
                    const std::string v = preenche("{" + b.quebras[n] + "}", &l);
                    if (mudou || v != anteriores[n]) {
                        mudou = true;
                        anteriores[n] = v;
                        const QFont& f = n == 0 ? subtitulo_ : negrito_;
                        const double h = altura_texto(f) * 1.1;
                        garante(h + linha_ * 2);
                        texto(f, n * linha_, largura_ - n * linha_, h, v);
                        y_ += h;
                    }
                }
                primeira = false;

                std::vector<std::string> celulas;
                for (const auto& c : b.colunas) celulas.push_back(preenche(c.celula, &l));
                const double h = linha_ * linhas_da_linha(b, l) + margem();
                if (y_ + h > altura_) {
                    nova_pagina();
                    titulos_colunas(b);
                }
                double x = 0;
                for (std::size_t c = 0; c < celulas.size(); ++c) {
                    const double w = largura_col_[c];
                    std::istringstream partes(celulas[c]);
                    const double y0 = y_;
                    for (std::string parte; std::getline(partes, parte);) {
                        texto(corpo_, x + margem(), w - 2 * margem(), linha_, parte);
                        y_ += linha_;
                    }
                    y_ = y0;
                    if (b.grade) p_.drawRect(QRectF(x, y_, w, h));
                    x += w;
                }
                y_ += h;
            }
        }
        for (const auto& n : b.notas) {
            garante(linha_);
            texto(italico_, 0, largura_, linha_, n);
            y_ += linha_;
        }
    }

    QPrinter& imp_;
    QPainter& p_;
    const Modelo& m_;
    double largura_ = 0, altura_ = 0, linha_ = 0, y_ = 0;
    int pagina_ = 1;
    QFont corpo_, negrito_, titulo_, subtitulo_, italico_;
    std::vector<double> largura_col_;
};

// Prints on the printer already set up; false when it cannot be opened.
bool imprime_em(QPrinter& impressora, const Modelo& m, const std::vector<std::vector<Linha>>& dados) {
    impressora.setPageSize(QPageSize(QPageSize::A4));
    impressora.setPageOrientation(m.paisagem ? QPageLayout::Landscape : QPageLayout::Portrait);
    impressora.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    impressora.setDocName(q(m.titulo));
    impressora.setCreator(QStringLiteral("Brotalia"));
    QPainter p;
    if (!p.begin(&impressora)) return false;
    Desenho(impressora, p, m).desenha(dados);
    return p.end();
}

}  // namespace

void Report::SetPdfOnly(bool pdfOnly) { g_pdfOnly = pdfOnly; }

ReportResult Report::PrintReport() const {
    ReportResult r;
    try {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            throw Falha{"A impressão precisa da janela do programa aberta."};
        const Modelo m = le_modelo(file_);
        const auto dados = le_dados(m);

        if (!g_pdfOnly) {
            const QPrinterInfo padrao = QPrinterInfo::defaultPrinter();
            if (!padrao.isNull()) {
                QPrinter impressora(padrao, QPrinter::HighResolution);
                if (imprime_em(impressora, m, dados)) {
                    r.ok = true;
                    r.destination = padrao.printerName().toStdString();
                    r.message = "O relatório \"" + m.titulo + "\" foi enviado para a impressora " + r.destination + ".";
                    return r;
                }
            }
        }

        const std::string destino = ResolvePathForWrite(ProgramFolder() + "\\" + m.pdf);
        if (destino.empty()) throw Falha{"Não foi possível gravar o relatório na pasta do programa."};
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(q(destino));
        if (!imprime_em(pdf, m, dados))
            throw Falha{"Não foi possível gravar o arquivo " + destino + ". Veja se ele não está aberto em outro programa."};
        InvalidatePathCache();
        r.ok = true;
        r.pdf = true;
        r.destination = destino;
        r.message = "Não há impressora disponível. O relatório \"" + m.titulo + "\" foi salvo no arquivo " + destino + ".";
    } catch (const Falha& f) {
        r = ReportResult{};
        r.message = f.mensagem;
    } catch (const std::exception& e) {
        r = ReportResult{};
        r.message = std::string("Não foi possível imprimir o relatório: ") + e.what();
    }
    return r;
}

}  // namespace platform
