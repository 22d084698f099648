// The picture generator run on small lists of its own, and checks on the
// crop pictures and the garden grid that the screens rely on.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kPrograma = QStringLiteral(BROTALIA_TEST_PROGRAM_DIR);

#ifdef BROTALIA_TEST_PICTURE_TOOL
const QString kGerador = QStringLiteral(BROTALIA_TEST_PICTURE_TOOL);

struct Resultado {
    int status = -1;
    QString erros;
};

Resultado roda(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(kGerador, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
}

void escreve(const QString& caminho, const QString& texto) {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texto.toUtf8());
}

const char* kListaPequena =
    "# a small list\n"
    "\\anima\\az_tom.bmp\tdrive\t39\t40\tcrop:tom\ttomato\n"
    "\\anima\\nada.bmp\tdrive\t10\t10\tnonsense:1\tnothing to draw\n"
    "a line that is not an entry\n"
    "\\anima\\sem_tamanho.bmp\tdrive\t0\t0\tcrop:tom\tno size\n"
    "\\forms\\feira_horta_plc_0.bmp\tprogram\t41\t17\tplate:couve\tplate\n"
    "\\anima\\2.jpg\tdrive\t66\t66\tcard:2\tcard\n"
    "\\forms\\INTRONEW_MouseIcon.png\tprogram\t32\t32\tpointer:hand\tpointer\n"
    "\\back_in.jpg\tprogram\t200\t150\tbg:menu\tbackground\n";

TEST(Generator, WritesWhatItCanDrawAndReportsTheRest) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    escreve(dir.filePath("lista.tsv"), QString::fromUtf8(kListaPequena));
    const Resultado r = roda({dir.filePath("lista.tsv"), dir.filePath("program"), dir.filePath("marca")});
    // A picture it cannot draw never fails the build.
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.erros.contains("nada.bmp")) << r.erros.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("program/drives/C/anima/nada.bmp")));
    EXPECT_FALSE(QFile::exists(dir.filePath("program/drives/C/anima/sem_tamanho.bmp")));
    // Drive pictures go under drives/C, the others beside the program.
    const QImage tomate(dir.filePath("program/drives/C/anima/az_tom.bmp"));
    ASSERT_FALSE(tomate.isNull());
    EXPECT_EQ(tomate.size(), QSize(39, 40));
    EXPECT_EQ(QImage(dir.filePath("program/forms/feira_horta_plc_0.bmp")).size(), QSize(41, 17));
    EXPECT_EQ(QImage(dir.filePath("program/drives/C/anima/2.jpg")).size(), QSize(66, 66));
    EXPECT_EQ(QImage(dir.filePath("program/back_in.jpg")).size(), QSize(200, 150));
    const QImage ponteiro(dir.filePath("program/forms/INTRONEW_MouseIcon.png"));
    ASSERT_FALSE(ponteiro.isNull());
    EXPECT_EQ(qAlpha(ponteiro.pixel(31, 31)), 0) << "a pointer's ground is transparent";
    QFile marca(dir.filePath("marca"));
    ASSERT_TRUE(marca.open(QIODevice::ReadOnly));
    EXPECT_TRUE(marca.readAll().startsWith("5 "));
}

TEST(Generator, AMissingListEndsQuietly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Resultado r = roda({dir.filePath("nao_existe.tsv"), dir.filePath("program")});
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.erros.isEmpty());
    EXPECT_FALSE(QDir(dir.filePath("program")).exists());
}

QMap<QString, QByteArray> resumos(const QString& raiz) {
    QMap<QString, QByteArray> m;
    QDirIterator it(raiz, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QFile arq(f);
        if (arq.open(QIODevice::ReadOnly))
            m.insert(QDir(raiz).relativeFilePath(f), QCryptographicHash::hash(arq.readAll(), QCryptographicHash::Sha1));
    }
    return m;
}

TEST(Generator, TheSameListGivesTheSameFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    escreve(dir.filePath("lista.tsv"), QString::fromUtf8(kListaPequena));
    ASSERT_EQ(roda({dir.filePath("lista.tsv"), dir.filePath("a")}).status, 0);
    ASSERT_EQ(roda({dir.filePath("lista.tsv"), dir.filePath("b")}).status, 0);
    const auto a = resumos(dir.filePath("a"));
    EXPECT_EQ(a.size(), 5);
    EXPECT_EQ(a, resumos(dir.filePath("b")));
}
#endif

// The 21 bed pictures must tell the crops apart, and the seedbed's and the
// palette's highlight pictures must stand out from the plain design icons.
TEST(CropPictures, EveryCropLooksDifferentAndItsHighlightDiffersFromItsIcon) {
    const QStringList siglas = {"alf", "chi", "por", "agr", "cou", "esp", "qui", "ruc", "cen", "bet", "nab",
                                "rab", "che", "tom", "pim", "bgl", "rep", "bro", "flo", "vgm", "pep"};
    const QString anima = kPrograma + "/drives/C/anima/";
    QList<QImage> imgs;
    for (const QString& s : siglas) {
        const QImage img = QImage(anima + "az_" + s + ".bmp").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull()) << s.toStdString();
        imgs << img;
    }
    for (int a = 0; a < imgs.size(); ++a)
        for (int b = a + 1; b < imgs.size(); ++b) {
            // Count clearly different pixels, not just any bit.
            int diferentes = 0;
            for (int y = 0; y < imgs[a].height(); ++y)
                for (int x = 0; x < imgs[a].width(); ++x) {
                    const QRgb p = imgs[a].pixel(x, y), q = imgs[b].pixel(x, y);
                    if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 90)
                        ++diferentes;
                }
            EXPECT_GT(diferentes, 39 * 40 / 10)
                << siglas[a].toStdString() << " and " << siglas[b].toStdString() << " look alike";
        }
    const QImage icone(kPrograma + "/forms/controle_da_sementeira_c_alf.bmp");
    ASSERT_FALSE(icone.isNull());
    EXPECT_NE(icone.convertToFormat(QImage::Format_RGB32), imgs[0]);
}

// Beds of the grid picture sit every 42 pixels: soil inside each cell, the
// grass path on the cell borders.
TEST(GardenGrid, BedsFollowTheFortyTwoPixelPitch) {
    const QImage grade(kPrograma + "/drives/C/anima/g_horta3.jpg");
    ASSERT_EQ(grade.size(), QSize(419, 419));
    auto terra = [](QRgb c) { return qRed(c) > qGreen(c) && qGreen(c) > qBlue(c) && qRed(c) < 200; };
    auto grama = [](QRgb c) { return qGreen(c) > qRed(c) + 20; };
    for (int i = 0; i < 100; ++i) {
        const int x0 = (i % 10) * 42, y0 = (i / 10) * 42;
        SCOPED_TRACE(i);
        // Sample a corner of the bed, away from the label in its middle.
        EXPECT_TRUE(terra(grade.pixel(x0 + 6, y0 + 34)));
        EXPECT_TRUE(terra(grade.pixel(x0 + 34, y0 + 6)));
        if (i % 10 < 9) {
            EXPECT_TRUE(grama(grade.pixel(x0 + 41, y0 + 21))) << "no path between beds";
        }
    }
}

}  // namespace
