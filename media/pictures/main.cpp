// Draws every picture of the game from the picture list and writes it into
// the program folder: "\anima\..." files under drives/C, the rest beside the
// program. A picture that cannot be drawn or written is reported and skipped,
// so a bad entry never stops the others (the exit status stays 0).
//
//   brotalia_pictures <picture list> <program folder> [stamp file]

#include "cenas.h"
#include "culturas.h"
#include "desenho.h"
#include "quadros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cstdio>

namespace {

struct Entrada {
    QString nome;   // as the game names it, "\anima\az_alf.bmp"
    QString local;  // "drive" or "program"
    int largura = 0;
    int altura = 0;
    QString tipo;   // "crop:alf", "frame:li:6", ...
};

QList<Entrada> lerLista(const QString& caminho, QString& erro) {
    QList<Entrada> lista;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        erro = "cannot read " + caminho;
        return lista;
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    int numero = 0;
    while (!in.atEnd()) {
        const QString linha = in.readLine();
        ++numero;
        if (linha.trimmed().isEmpty() || linha.startsWith('#'))
            continue;
        const QStringList c = linha.split('\t');
        if (c.size() < 5) {
            std::fprintf(stderr, "pictures: line %d has %lld fields, skipped\n", numero, (long long)c.size());
            continue;
        }
        Entrada e{c[0], c[1], c[2].toInt(), c[3].toInt(), c[4]};
        if (e.largura <= 0 || e.altura <= 0) {
            std::fprintf(stderr, "pictures: line %d has no size, skipped\n", numero);
            continue;
        }
        lista << e;
    }
    return lista;
}

QString destino(const QString& programa, const Entrada& e) {
    QString rel = e.nome;
    rel.replace('\\', '/');
    while (rel.startsWith('/'))
        rel.remove(0, 1);
    if (e.local == "drive")
        return programa + "/drives/C/" + rel;
    return programa + "/" + rel;
}

bool desenha(const Entrada& e, QImage& saida) {
    const QStringList partes = e.tipo.split(':');
    const QString tipo = partes.value(0);
    const QStringList args = partes.mid(1);
    const double w = e.largura, h = e.altura;
    // Small pictures are drawn larger and reduced, for clean edges.
    const int area = e.largura * e.altura;
    const int lupa = area <= 20000 ? 4 : (area <= 200000 ? 2 : 1);
    QImage img(e.largura * lupa, e.altura * lupa, QImage::Format_ARGB32_Premultiplied);
    const bool transparente = e.nome.endsWith(".png", Qt::CaseInsensitive);
    img.fill(transparente ? Qt::transparent : Qt::white);
    bool ok = false;
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(lupa, lupa);
        if (tipo == "crop" || tipo == "cropicon") {
            if (tipo == "crop")
                gerador::solo(p, QRectF(0, 0, w, h), 11, true);
            ok = gerador::culturas::desenha(p, QRectF(1, 1, w - 2, h - 2), args.value(0));
        } else if (tipo == "frame" || tipo == "framebw") {
            ok = gerador::pintaQuadro(p, w, h, args.value(0), args.value(1).toInt());
        } else if (gerador::pintaCena(p, w, h, tipo, args)) {
            ok = true;
        } else {
            ok = gerador::pintaObjeto(p, w, h, tipo, args);
        }
    }
    if (!ok)
        return false;
    if (lupa > 1)
        img = img.scaled(e.largura, e.altura, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (tipo == "framebw" || tipo == "semencpb" || tipo == "trab3pb" || tipo == "crescepb")
        img = gerador::cinzento(img);
    // Pointers carry their hot spot (the fingertip) in the PNG's text fields.
    if (tipo == "pointer") {
        img.setText("HotSpotX", QString::number(12 * e.largura / 32));
        img.setText("HotSpotY", QString::number(1 * e.altura / 32));
    } else if (tipo == "dragicon") {
        img.setText("HotSpotX", QString::number(e.largura / 2));
        img.setText("HotSpotY", QString::number(e.altura / 2));
    }
    saida = img;
    return true;
}

bool grava(const QImage& img, const QString& arquivo) {
    QDir().mkpath(QFileInfo(arquivo).absolutePath());
    const QString ext = QFileInfo(arquivo).suffix().toLower();
    if (ext == "png")
        return img.convertToFormat(QImage::Format_ARGB32).save(arquivo, "PNG");
    const QImage opaca = img.convertToFormat(QImage::Format_RGB32);
    if (ext == "jpg" || ext == "jpeg")
        return opaca.save(arquivo, "JPG", 92);
    if (ext == "bmp")
        return opaca.convertToFormat(QImage::Format_RGB888).save(arquivo, "BMP");
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <picture list> <program folder> [stamp file]\n", argv[0]);
        return 0;
    }
    QString erro;
    const QList<Entrada> lista = lerLista(QString::fromLocal8Bit(argv[1]), erro);
    if (!erro.isEmpty()) {
        std::fprintf(stderr, "pictures: %s\n", qPrintable(erro));
        return 0;
    }
    const QString programa = QString::fromLocal8Bit(argv[2]);
    int feitas = 0, falhas = 0;
    for (const Entrada& e : lista) {
        QImage img;
        if (!desenha(e, img)) {
            std::fprintf(stderr, "pictures: no drawing for %s (%s)\n", qPrintable(e.nome), qPrintable(e.tipo));
            ++falhas;
            continue;
        }
        if (!grava(img, destino(programa, e))) {
            std::fprintf(stderr, "pictures: cannot write %s\n", qPrintable(destino(programa, e)));
            ++falhas;
            continue;
        }
        ++feitas;
    }
    std::printf("pictures: %d written, %d failed\n", feitas, falhas);
    if (argc > 3) {
        QFile stamp(QString::fromLocal8Bit(argv[3]));
        if (stamp.open(QIODevice::WriteOnly | QIODevice::Truncate))
            stamp.write(QByteArray::number(feitas) + " pictures\n");
    }
    return 0;
}
