#include "desenho.h"

#include "culturas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace gerador {

QColor mistura(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QPen contorno(const QColor& preenchimento, double largura) {
    QPen pen(preenchimento.darker(170), largura);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QPainterPath caminhoFolha(QPointF base, QPointF ponta, double largura, double curva) {
    const QPointF d = ponta - base;
    const double len = std::hypot(d.x(), d.y());
    const QPointF n = len > 0 ? QPointF(-d.y() / len, d.x() / len) : QPointF(0, 0);
    const QPointF dobra = n * (curva * len);
    QPainterPath c;
    c.moveTo(base);
    c.cubicTo(base + d * 0.25 + n * largura + dobra, base + d * 0.7 + n * largura * 0.8 + dobra, ponta);
    c.cubicTo(base + d * 0.7 - n * largura * 0.8 + dobra, base + d * 0.25 - n * largura + dobra, base);
    c.closeSubpath();
    return c;
}

void folha(QPainter& p, QPointF base, QPointF ponta, double largura, const QColor& cor, double traco,
           bool nervura, double curva) {
    p.setPen(contorno(cor, traco));
    p.setBrush(cor);
    p.drawPath(caminhoFolha(base, ponta, largura, curva));
    if (nervura) {
        const QPointF d = ponta - base;
        const double len = std::hypot(d.x(), d.y());
        const QPointF n = len > 0 ? QPointF(-d.y() / len, d.x() / len) : QPointF(0, 0);
        QPainterPath v;
        v.moveTo(base);
        v.quadTo(base + d * 0.5 + n * (curva * len), base + d * 0.85 + n * (curva * len * 0.6));
        p.setPen(QPen(cor.lighter(135), traco * 0.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
    }
}

QPainterPath bolha(QPointF c, double rx, double ry, double amp, int ondas, double fase) {
    QPainterPath path;
    const int passos = std::max(48, ondas * 12);
    for (int i = 0; i <= passos; ++i) {
        const double a = 2 * M_PI * i / passos;
        const double k = 1.0 + amp * std::sin(ondas * a + fase);
        const QPointF pt(c.x() + rx * k * std::cos(a), c.y() + ry * k * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void solo(QPainter& p, const QRectF& r, std::uint32_t semente, bool sulcos) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(139, 94, 60));
    g.setColorAt(1, QColor(104, 68, 42));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    Sorteio s(semente);
    const int pontos = int(r.width() * r.height() / 18.0) + 4;
    for (int i = 0; i < pontos; ++i) {
        const QPointF pt(s.real(r.left(), r.right()), s.real(r.top(), r.bottom()));
        const double raio = s.real(0.3, 1.1) * std::max(1.0, r.height() / 40.0);
        p.setBrush(i % 3 ? QColor(86, 55, 33, 150) : QColor(176, 128, 88, 150));
        p.drawEllipse(pt, raio, raio * 0.7);
    }
    if (sulcos && r.height() > 12) {
        p.setPen(QPen(QColor(90, 58, 35, 160), std::max(0.8, r.height() / 30.0), Qt::SolidLine, Qt::RoundCap));
        for (double y = r.top() + r.height() / 4; y < r.bottom(); y += r.height() / 4)
            p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void ceu(QPainter& p, const QRectF& r, const QColor& alto, const QColor& baixo) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, alto);
    g.setColorAt(1, baixo);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
}

void grama(QPainter& p, const QRectF& r, std::uint32_t semente) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(124, 186, 76));
    g.setColorAt(1, QColor(92, 156, 58));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    Sorteio s(semente);
    const int tufos = int(r.width() * r.height() / 260.0);
    for (int i = 0; i < tufos; ++i) {
        const QPointF b(s.real(r.left(), r.right()), s.real(r.top() + 3, r.bottom()));
        p.setPen(QPen(i % 2 ? QColor(74, 138, 48) : QColor(150, 204, 96), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(b, b + QPointF(-2, -4));
        p.drawLine(b, b + QPointF(0.5, -5));
        p.drawLine(b, b + QPointF(2.5, -3.5));
    }
}

void nuvem(QPainter& p, QPointF c, double e) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(c + QPointF(-18 * e, 2 * e), 16 * e, 11 * e);
    p.drawEllipse(c + QPointF(0, -6 * e), 18 * e, 15 * e);
    p.drawEllipse(c + QPointF(18 * e, 2 * e), 15 * e, 10 * e);
    p.drawRoundedRect(QRectF(c.x() - 30 * e, c.y(), 60 * e, 12 * e), 6 * e, 6 * e);
}

void sol(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(QColor(255, 193, 7), r * 0.18, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 1.25, c + QPointF(std::cos(a), std::sin(a)) * r * 1.6);
    }
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor(255, 241, 118));
    g.setColorAt(1, QColor(255, 202, 40));
    p.setPen(QPen(QColor(245, 160, 0), r * 0.08));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void texto(QPainter& p, const QRectF& r, const QString& s, double tamanho, const QColor& cor, bool negrito,
           int alinhamento, bool quebra) {
    QFont f("Liberation Sans");
    f.setBold(negrito);
    int flags = alinhamento | (quebra ? Qt::TextWordWrap : 0);
    for (double t = tamanho; t >= 4; t -= 0.5) {
        f.setPixelSize(std::max(1, int(std::lround(t))));
        QFontMetricsF fm(f);
        const QRectF need = fm.boundingRect(r, flags, s);
        if (need.width() <= r.width() + 0.5 && need.height() <= r.height() + 0.5)
            break;
    }
    p.setFont(f);
    p.setPen(cor);
    p.drawText(r, flags, s);
}

void mao(QPainter& p, QPointF ombro, QPointF ponta, double e, bool fechada) {
    // Sleeve, then the hand as a palm with fingers towards the point.
    const QColor manga(52, 101, 164);
    const QColor pele(241, 194, 150);
    QPointF d = ponta - ombro;
    const double len = std::hypot(d.x(), d.y());
    if (len < 1e-6)
        return;
    d /= len;
    const QPointF punho = ponta - d * 11 * e;
    p.setPen(QPen(manga.darker(140), 13 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ombro, punho - d * 2 * e);
    p.setPen(QPen(manga, 10.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ombro, punho - d * 2 * e);
    p.setPen(contorno(pele, 1.2 * e));
    p.setBrush(pele);
    const QPointF n(-d.y(), d.x());
    QPainterPath palma;
    const QPointF c = punho + d * 4 * e;
    palma.addEllipse(c, 6.5 * e, 6.5 * e);
    p.drawPath(palma);
    if (fechada) {
        p.drawEllipse(c + d * 5 * e, 4 * e, 4 * e);
    } else {
        for (int i = -1; i <= 1; ++i) {
            const QPointF b = c + n * (i * 3.2 * e) + d * 3 * e;
            QPainterPath dedo;
            dedo.moveTo(b);
            dedo.lineTo(b + d * 6 * e);
            p.setPen(QPen(pele.darker(150), 3.8 * e, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(dedo);
            p.setPen(QPen(pele, 2.6 * e, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(dedo);
        }
    }
    // Thumb.
    p.setPen(QPen(pele.darker(150), 4 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - n * 5 * e, c - n * 8 * e + d * 3 * e);
    p.setPen(QPen(pele, 2.8 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c - n * 5 * e, c - n * 8 * e + d * 3 * e);
}

void enxada(QPainter& p, QPointF cabo, QPointF lamina, double e) {
    QPointF d = lamina - cabo;
    const double len = std::hypot(d.x(), d.y());
    if (len < 1e-6)
        return;
    d /= len;
    p.setPen(QPen(QColor(110, 70, 30), 5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cabo, lamina);
    p.setPen(QPen(QColor(181, 126, 70), 3.2 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cabo, lamina);
    // The blade hangs at a right angle from the end of the handle.
    QPointF n(-d.y(), d.x());
    if (n.x() > 0)
        n = -n;
    QPolygonF bl;
    bl << lamina + d * 1 * e << lamina + n * 14 * e + d * 4 * e << lamina + n * 15 * e - d * 7 * e
       << lamina - d * 4 * e;
    p.setPen(QPen(QColor(70, 75, 80), 1.2 * e));
    p.setBrush(QColor(150, 160, 168));
    p.drawPolygon(bl);
    p.setPen(QPen(QColor(210, 218, 224), 1.2 * e));
    p.drawLine(lamina + n * 3 * e, lamina + n * 12 * e + d * 2.5 * e);
}

void muda(QPainter& p, QPointF base, double altura, double e, bool murcha) {
    const QColor verde = murcha ? QColor(176, 140, 50) : QColor(76, 175, 80);
    const QPointF topo = murcha ? base + QPointF(altura * 0.55, -altura * 0.6) : base + QPointF(0, -altura);
    p.setPen(QPen(verde.darker(130), 2.2 * e, Qt::SolidLine, Qt::RoundCap));
    QPainterPath caule;
    caule.moveTo(base);
    caule.quadTo(base + QPointF(murcha ? 0 : 1 * e, -altura * 0.6), topo);
    p.setBrush(Qt::NoBrush);
    p.drawPath(caule);
    const double f = std::max(3.0 * e, altura * 0.45);
    if (murcha) {
        folha(p, topo, topo + QPointF(f * 0.4, f * 0.9), f * 0.32, verde, 0.9 * e, false);
        folha(p, topo, topo + QPointF(-f * 0.35, f * 0.8), f * 0.3, verde.darker(110), 0.9 * e, false);
    } else {
        folha(p, topo, topo + QPointF(-f, -f * 0.45), f * 0.3, verde, 0.9 * e, false);
        folha(p, topo, topo + QPointF(f, -f * 0.45), f * 0.3, verde.lighter(110), 0.9 * e, false);
    }
}

void mato(QPainter& p, QPointF base, double e, double giro) {
    p.save();
    p.translate(base);
    p.rotate(giro);
    const QColor c(120, 150, 30);
    for (int i = -2; i <= 2; ++i)
        folha(p, QPointF(0, 0), QPointF(i * 4.5 * e, -(12 - std::abs(i) * 2.5) * e), 1.6 * e, c, 0.8 * e, false,
              i * 0.05);
    p.restore();
}

void cesta(QPainter& p, const QRectF& r, int conteudo) {
    const QColor palha(196, 140, 70);
    // Handle behind everything.
    p.setPen(QPen(palha.darker(150), r.height() * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.left() + r.width() * 0.12, r.top(), r.width() * 0.76, r.height() * 0.9), 0, 180 * 16);
    p.setPen(QPen(palha, r.height() * 0.05, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(r.left() + r.width() * 0.12, r.top(), r.width() * 0.76, r.height() * 0.9), 0, 180 * 16);
    // Items peeking above the rim.
    static const char* itens[] = {"tom", "cen", "alf", "pim", "bgl", "bet", "pep", "bro", "rab"};
    const double rim = r.top() + r.height() * 0.45;
    for (int i = 0; i < std::min(conteudo, 9); ++i) {
        const int col = i % 5;
        const int fila = i / 5;
        const double w = r.width() * 0.3;
        const QRectF ir(r.left() + r.width() * 0.04 + col * r.width() * 0.16, rim - w * 0.88 - fila * w * 0.3, w, w);
        culturas::desenha(p, ir, QString::fromLatin1(itens[i]));
    }
    QPainterPath corpo;
    corpo.moveTo(r.left(), rim);
    corpo.lineTo(r.right(), rim);
    corpo.lineTo(r.right() - r.width() * 0.1, r.bottom());
    corpo.lineTo(r.left() + r.width() * 0.1, r.bottom());
    corpo.closeSubpath();
    p.setPen(contorno(palha, r.height() * 0.03));
    p.setBrush(palha);
    p.drawPath(corpo);
    p.save();
    p.setClipPath(corpo);
    p.setPen(QPen(palha.darker(135), r.height() * 0.025));
    for (double y = rim + r.height() * 0.1; y < r.bottom(); y += r.height() * 0.12)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    for (double x = r.left() + r.width() * 0.08; x < r.right(); x += r.width() * 0.1)
        p.drawLine(QPointF(x, rim), QPointF(x + r.width() * 0.02, r.bottom()));
    p.restore();
    p.setPen(contorno(palha, r.height() * 0.03));
    p.setBrush(palha.lighter(115));
    p.drawRoundedRect(QRectF(r.left() - r.width() * 0.02, rim - r.height() * 0.05, r.width() * 1.04, r.height() * 0.1),
                      r.height() * 0.04, r.height() * 0.04);
}

void bandeja(QPainter& p, const QRectF& r, int celulas) {
    const QColor plastico(60, 64, 70);
    p.setPen(contorno(plastico, 1.0));
    p.setBrush(plastico);
    p.drawRoundedRect(r, 2, 2);
    const double w = r.width() / celulas;
    for (int i = 0; i < celulas; ++i) {
        const QRectF c(r.left() + i * w + 1.2, r.top() + 1.5, w - 2.4, r.height() - 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 80, 50));
        p.drawRoundedRect(c, 1.5, 1.5);
        p.setBrush(QColor(150, 105, 70));
        p.drawRect(QRectF(c.left(), c.top(), c.width(), c.height() * 0.3));
    }
}

void torroes(QPainter& p, QPointF c, double raio, int quantos, std::uint32_t semente) {
    Sorteio s(semente);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < quantos; ++i) {
        const double a = s.real(0, 2 * M_PI);
        const double d = s.real(0.2, 1.0) * raio;
        p.setBrush(i % 2 ? QColor(120, 80, 50) : QColor(150, 105, 70));
        const double t = s.real(1.0, 2.2);
        p.drawEllipse(c + QPointF(std::cos(a) * d, std::sin(a) * d * 0.7), t, t * 0.8);
    }
}

QImage cinzento(const QImage& img) {
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* linha = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = 70 + qGray(linha[x]) * 150 / 255;
            linha[x] = qRgba(g, g, g, qAlpha(linha[x]));
        }
    }
    return out;
}

}  // namespace gerador
