// The drawn pictures against the picture list, and the picture names that the
// game's sources ask for against the same list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

namespace {

struct Entrada {
    QString nome;   // "\anima\az_alf.bmp"
    QString local;  // "drive" or "program"
    int largura = 0;
    int altura = 0;
    QString tipo;   // "frame:li:6"
};

const QString kPrograma = QStringLiteral(BROTALIA_TEST_PROGRAM_DIR);
const QString kFontes = QStringLiteral(BROTALIA_TEST_SOURCE_DIR);

QList<Entrada> lista() {
    QList<Entrada> l;
    QFile f(kFontes + "/media/manifest_pictures.tsv");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return l;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString linha = in.readLine();
        if (linha.trimmed().isEmpty() || linha.startsWith('#'))
            continue;
        const QStringList c = linha.split('\t');
        if (c.size() >= 5)
            l << Entrada{c[0], c[1], c[2].toInt(), c[3].toInt(), c[4]};
        else
            l << Entrada{linha, {}, 0, 0, {}};
    }
    return l;
}

// Finds a file by a relative path whose components may differ in letter case,
// as the game's own lookup does.
QString acha(const QString& raiz, const QString& relativo) {
    QString atual = raiz;
    const QStringList partes = relativo.split(QRegularExpression(R"([\\/])"), Qt::SkipEmptyParts);
    for (const QString& parte : partes) {
        const QStringList nomes = QDir(atual).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QString achado;
        for (const QString& n : nomes)
            if (n.compare(parte, Qt::CaseInsensitive) == 0) {
                achado = n;
                break;
            }
        if (achado.isEmpty())
            return {};
        atual += "/" + achado;
    }
    return atual;
}

QString arquivo(const Entrada& e) {
    return acha(e.local == "drive" ? kPrograma + "/drives/C" : kPrograma, e.nome);
}

QImage carrega(const Entrada& e) { return QImage(arquivo(e)); }

TEST(PictureList, IsWellFormed) {
    const QList<Entrada> l = lista();
    ASSERT_FALSE(l.isEmpty()) << "no picture list in " << kFontes.toStdString();
    QSet<QString> vistos;
    for (const Entrada& e : l) {
        SCOPED_TRACE(e.nome.toStdString());
        EXPECT_TRUE(e.local == "drive" || e.local == "program");
        EXPECT_TRUE(e.nome.startsWith('\\'));
        EXPECT_GT(e.largura, 0);
        EXPECT_GT(e.altura, 0);
        EXPECT_FALSE(e.tipo.isEmpty());
        if (e.local == "drive") {
            EXPECT_TRUE(e.nome.startsWith("\\anima\\", Qt::CaseInsensitive));
        }
        // Two names differing only in case would be one file for the game.
        const QString chave = e.local + e.nome.toLower();
        EXPECT_FALSE(vistos.contains(chave)) << "listed twice";
        vistos.insert(chave);
    }
}

TEST(DrawnPictures, EveryListedPictureIsInTheProgramFolderWithItsSizeAndFormat) {
    for (const Entrada& e : lista()) {
        SCOPED_TRACE(e.nome.toStdString());
        const QString caminho = arquivo(e);
        ASSERT_FALSE(caminho.isEmpty()) << "missing from " << kPrograma.toStdString();
        QImageReader leitor(caminho);
        leitor.setDecideFormatFromContent(true);
        const QByteArray formato = leitor.format();
        const QString ext = QFileInfo(caminho).suffix().toLower();
        EXPECT_EQ(formato, ext == "jpg" ? QByteArray("jpeg") : ext.toLatin1()) << "content does not match the name";
        const QImage img = leitor.read();
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), e.largura);
        EXPECT_EQ(img.height(), e.altura);
    }
}

TEST(DrawnPictures, PicturesAreNotBlank) {
    for (const Entrada& e : lista()) {
        const QImage img = carrega(e).convertToFormat(QImage::Format_ARGB32);
        if (img.isNull())
            continue;  // reported by the test above
        QSet<QRgb> cores;
        for (int y = 0; y < img.height() && cores.size() < 4; y += 2)
            for (int x = 0; x < img.width() && cores.size() < 4; x += 2)
                cores.insert(img.pixel(x, y));
        EXPECT_GE(cores.size(), 4) << e.nome.toStdString() << " is nearly a flat colour";
    }
}

// The seedbed's "Tempos" label keeps its light lilac letters (128, 128, 255):
// where it stands, the background is dark enough for them to read (a
// contrast ratio of 3:1 at least against every pixel behind it).
TEST(DrawnPictures, TheSeedbedTemposLabelReads) {
    const QImage img = QImage(acha(kPrograma, "back_se5.jpg")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(img.isNull());
    auto luminancia = [](QRgb c) {
        auto lin = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(qRed(c)) + 0.7152 * lin(qGreen(c)) + 0.0722 * lin(qBlue(c));
    };
    const double lilas = luminancia(qRgb(128, 128, 255));
    double pior = 1e9;
    for (int y = 402; y < 402 + 23; ++y)
        for (int x = 14; x < 14 + 76; ++x) {
            const double fundo = luminancia(img.pixel(x, y));
            pior = std::min(pior, (std::max(lilas, fundo) + 0.05) / (std::min(lilas, fundo) + 0.05));
        }
    EXPECT_GE(pior, 3.0);
}

// Pictures shown one after another (the frames of an animation, the weekday
// leaves, the growth stages, the earthworm, the memory cards) must all differ,
// or the motion stalls or two cards look alike.
TEST(DrawnPictures, FramesOfEachSequenceDiffer) {
    QMap<QString, QList<Entrada>> grupos;
    for (const Entrada& e : lista()) {
        const QStringList k = e.tipo.split(':');
        if (k.size() < 2 || k[0] == "framebw" || k[0] == "crop" || k[0] == "cropicon" || k[0] == "plate" ||
            k[0] == "notice" || k[0] == "bg" || k[0] == "figure" || k[0] == "pointer")
            continue;
        grupos[k.mid(0, k.size() - 1).join(':')] << e;
    }
    ASSERT_TRUE(grupos.contains("frame:li"));
    ASSERT_TRUE(grupos.contains("weekday"));
    ASSERT_TRUE(grupos.contains("card"));
    for (auto it = grupos.cbegin(); it != grupos.cend(); ++it) {
        const QList<Entrada>& g = it.value();
        QList<QImage> imgs;
        for (const Entrada& e : g)
            imgs << carrega(e).convertToFormat(QImage::Format_RGB32);
        for (int a = 0; a < g.size(); ++a)
            for (int b = a + 1; b < g.size(); ++b) {
                if (imgs[a].isNull() || imgs[b].isNull())
                    continue;
                EXPECT_NE(imgs[a], imgs[b]) << g[a].nome.toStdString() << " and " << g[b].nome.toStdString()
                                            << " are the same picture";
            }
    }
}

// Pointers and drag icons tell where their hot spot is.
TEST(DrawnPictures, PointersCarryTheirHotSpot) {
    int vistos = 0;
    for (const Entrada& e : lista()) {
        if (!e.tipo.startsWith("pointer") && e.tipo != "dragicon")
            continue;
        SCOPED_TRACE(e.nome.toStdString());
        const QImage img = carrega(e);
        ASSERT_FALSE(img.isNull());
        EXPECT_TRUE(img.hasAlphaChannel());
        bool okX = false, okY = false;
        const int x = img.text("HotSpotX").toInt(&okX);
        const int y = img.text("HotSpotY").toInt(&okY);
        ASSERT_TRUE(okX && okY) << "no hot spot";
        EXPECT_TRUE(img.rect().contains(x, y));
        // The hot spot is on the drawing, not on the transparent ground around it.
        EXPECT_GT(qAlpha(img.pixel(std::min(x, img.width() - 1), std::min(y + 1, img.height() - 1))), 0);
        ++vistos;
    }
    EXPECT_GT(vistos, 0);
}

// A disabled button's picture is the grey twin of its colour picture.
TEST(DrawnPictures, DisabledTwinsAreGreyVersionsOfTheirColourPictures) {
    const QList<Entrada> l = lista();
    QMap<QString, Entrada> porTipo;
    for (const Entrada& e : l)
        porTipo.insert(e.tipo, e);
    int pares = 0;
    for (const Entrada& e : l) {
        QString colorida;
        if (e.tipo.startsWith("framebw:"))
            colorida = "frame:" + e.tipo.mid(8);
        else if (e.tipo == "semencpb" || e.tipo == "trab3pb")
            colorida = e.tipo.chopped(2);
        else
            continue;
        SCOPED_TRACE(e.nome.toStdString());
        ASSERT_TRUE(porTipo.contains(colorida)) << "no colour picture " << colorida.toStdString();
        const QImage cinza = carrega(e).convertToFormat(QImage::Format_RGB32);
        const QImage cor = carrega(porTipo[colorida]).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(cinza.isNull());
        ASSERT_FALSE(cor.isNull());
        EXPECT_EQ(cinza.size(), cor.size());
        int coloridos = 0;
        for (int y = 0; y < cinza.height(); ++y)
            for (int x = 0; x < cinza.width(); ++x) {
                const QRgb c = cinza.pixel(x, y);
                if (std::abs(qRed(c) - qGreen(c)) > 6 || std::abs(qGreen(c) - qBlue(c)) > 6)
                    ++coloridos;
            }
        EXPECT_LT(coloridos, cinza.width() * cinza.height() / 50) << "the disabled picture is not grey";
        EXPECT_NE(cinza, cor);
        ++pares;
    }
    EXPECT_GE(pares, 8);
}

// Every complete picture name written in the game's sources ("\anima\li06.bmp",
// "\back_in.jpg") must be a listed picture. Names put together at run time
// from a prefix and a number cannot be checked here.
QStringList literais(const QString& texto) {
    QStringList out;
    const int n = texto.size();
    int i = 0;
    while (i < n) {
        const QChar c = texto[i];
        if (c == '/' && i + 1 < n && texto[i + 1] == '/') {
            while (i < n && texto[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < n && texto[i + 1] == '*') {
            const int fim = texto.indexOf("*/", i + 2);
            i = fim < 0 ? n : fim + 2;
        } else if (c == '\'' ) {
            // A character literal: skip it whole ('"', '\\').
            ++i;
            while (i < n && texto[i] != '\'') {
                if (texto[i] == '\\')
                    ++i;
                ++i;
            }
            ++i;
        } else if (c == 'R' && i + 2 < n && texto[i + 1] == '"') {
            const int abre = texto.indexOf('(', i + 2);
            if (abre < 0)
                break;
            const QString fecho = ")" + texto.mid(i + 2, abre - i - 2) + "\"";
            const int fim = texto.indexOf(fecho, abre + 1);
            if (fim < 0)
                break;
            out << texto.mid(abre + 1, fim - abre - 1);
            i = fim + fecho.size();
        } else if (c == '"') {
            QString s;
            ++i;
            while (i < n && texto[i] != '"' && texto[i] != '\n') {
                if (texto[i] == '\\' && i + 1 < n) {
                    const QChar e = texto[i + 1];
                    s += e == 'n' ? QChar('\n') : e == 't' ? QChar('\t') : e;
                    i += 2;
                } else {
                    s += texto[i++];
                }
            }
            ++i;
            out << s;
        } else {
            ++i;
        }
    }
    return out;
}

TEST(LiteralsInSources, LiteralsAreRecognised) {
    const QStringList l = literais(QString::fromUtf8(
        "auto a = \"\\\\anima\\\\az_alf.bmp\"; // \"\\\\anima\\\\nao.bmp\"\n"
        "char q = '\"'; auto b = R\"(\\back_in.jpg)\"; /* \"x.jpg\" */ auto c = \"fim\";"));
    EXPECT_EQ(l, QStringList({"\\anima\\az_alf.bmp", "\\back_in.jpg", "fim"}));
}

TEST(LiteralsInSources, EveryCompletePictureNameIsListed) {
    QSet<QString> caminhos, nomes;
    for (const Entrada& e : lista()) {
        caminhos.insert(e.nome.toLower());
        nomes.insert(e.nome.toLower().section('\\', -1));
    }
    ASSERT_FALSE(caminhos.isEmpty());
    const QStringList pastas = {"model", "shell", "garden", "seedbed", "agenda", "help", "minigame", "app"};
    const QRegularExpression imagem(R"(\.(bmp|jpg)$)", QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression nomeSimples(R"(^[A-Za-z0-9_]+\.(bmp|jpg)$)", QRegularExpression::CaseInsensitiveOption);
    int vistos = 0;
    QStringList faltam;
    for (const QString& pasta : pastas) {
        QDirIterator it(kFontes + "/" + pasta, {"*.cpp", "*.h", "*.hpp", "*.cc"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString fonte = it.next();
            QFile f(fonte);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            for (QString s : literais(QString::fromUtf8(f.readAll()))) {
                s = s.trimmed();
                if (!imagem.match(s).hasMatch() || s.contains('%') || s.contains('{'))
                    continue;
                s.replace('/', '\\');
                // A path with a media root before it ("E:\anima\...") names the same picture.
                if (s.size() > 2 && s[1] == ':')
                    s = s.mid(2);
                const QString baixo = s.toLower();
                bool listado;
                if (baixo.startsWith('\\'))
                    listado = caminhos.contains(baixo);
                else if (nomeSimples.match(s).hasMatch())
                    listado = nomes.contains(baixo);  // "crescepb.bmp", joined to "\anima\" at run time
                else
                    continue;
                // The tail of a name put together at run time ("enx" & k & "c.bmp").
                if (!listado && !baixo.startsWith('\\') &&
                    std::any_of(nomes.cbegin(), nomes.cend(), [&](const QString& n) { return n.endsWith(baixo); }))
                    continue;
                ++vistos;
                if (!listado)
                    faltam << QDir(kFontes).relativeFilePath(fonte) + ": " + s;
            }
        }
    }
    EXPECT_TRUE(faltam.isEmpty()) << "pictures named in the sources but not in the picture list:\n"
                                  << faltam.join('\n').toStdString();
    if (vistos == 0)
        GTEST_SKIP() << "no picture names in the game's sources yet";
}

}  // namespace
