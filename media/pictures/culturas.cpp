#include "culturas.h"

#include "desenho.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>
#include <functional>
#include <map>

namespace gerador::culturas {
namespace {

// Every drawing works in a unit square: x and y from 0 to 1, ground near 0.95.
constexpr double T = 0.022;  // outline width

QPointF P(double x, double y) { return QPointF(x, y); }

void brilho(QPainter& p, QPointF c, double rx, double ry, double giro = -30) {
    p.save();
    p.translate(c);
    p.rotate(giro);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

void folhasDeRaiz(QPainter& p, QPointF base, double altura, const QColor& cor, const QColor& talo) {
    // A bunch of stalked leaves rising from a root crop.
    const double angulos[] = {-38, -15, 8, 30};
    for (double a : angulos) {
        const double r = qDegreesToRadians(a);
        const QPointF topo = base + QPointF(std::sin(r) * altura, -std::cos(r) * altura);
        p.setPen(QPen(talo, T * 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, base + (topo - base) * 0.45);
        folha(p, base + (topo - base) * 0.4, topo, altura * 0.16, cor, T * 0.8, true);
    }
}

void alface(QPainter& p) {
    const QColor escuro(104, 170, 56), medio(139, 195, 74), claro(197, 225, 140);
    p.setPen(contorno(escuro, T));
    p.setBrush(escuro);
    p.drawPath(bolha(P(0.5, 0.62), 0.45, 0.31, 0.07, 11));
    p.setBrush(medio);
    p.setPen(contorno(medio, T));
    p.drawPath(bolha(P(0.5, 0.6), 0.33, 0.24, 0.08, 9, 1.0));
    p.setBrush(claro);
    p.setPen(contorno(medio, T));
    p.drawPath(bolha(P(0.5, 0.56), 0.19, 0.15, 0.09, 7, 0.5));
    p.setPen(QPen(QColor(230, 244, 200), T * 0.8, Qt::SolidLine, Qt::RoundCap));
    for (double a : {-150.0, -110.0, -70.0, -30.0, 10.0, 170.0}) {
        const double r = qDegreesToRadians(a);
        p.drawLine(P(0.5 + 0.12 * std::cos(r), 0.6 + 0.1 * std::sin(r)),
                   P(0.5 + 0.36 * std::cos(r), 0.62 + 0.25 * std::sin(r)));
    }
}

void chicoria(QPainter& p) {
    // A rosette of long frizzy leaves with white ribs.
    const QColor c1(104, 170, 50), c2(150, 200, 80);
    const double angulos[] = {-62, 62, -36, 36, -14, 14, 0};
    int i = 0;
    for (double a : angulos) {
        p.save();
        p.translate(0.5, 0.92);
        p.rotate(a);
        const double comprimento = 0.78 - std::abs(a) * 0.002;
        const QColor cor = i % 2 ? c1 : c2;
        p.setPen(contorno(cor, T * 0.9));
        p.setBrush(cor);
        p.drawPath(bolha(QPointF(0, -comprimento * 0.55), 0.1, comprimento * 0.45, 0.12, 22, a));
        p.setPen(QPen(QColor(245, 250, 230), T * 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -0.04), QPointF(0, -comprimento * 0.85));
        p.restore();
        ++i;
    }
}

void alhoPoro(QPainter& p) {
    // Fan of flat blue-green leaves over a thick white stalk.
    const QColor folhaCor(70, 130, 90);
    const double angulos[] = {-34, -18, 18, 34, -4, 6};
    for (double a : angulos) {
        const double r = qDegreesToRadians(a);
        const QPointF base(0.5, 0.5);
        const QPointF topo = base + QPointF(std::sin(r) * 0.5, -std::cos(r) * 0.46);
        folha(p, base, topo, 0.07, a < 0 ? folhaCor : folhaCor.lighter(115), T, false);
    }
    QLinearGradient g(P(0, 0.45), P(0, 0.9));
    g.setColorAt(0, QColor(170, 205, 120));
    g.setColorAt(0.35, QColor(240, 244, 225));
    g.setColorAt(1, QColor(252, 252, 245));
    p.setPen(contorno(QColor(200, 205, 180), T));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.4, 0.44, 0.2, 0.46), 0.08, 0.08);
    p.setPen(QPen(QColor(205, 200, 170), T * 0.7));
    p.drawLine(P(0.47, 0.55), P(0.47, 0.86));
    p.drawLine(P(0.53, 0.58), P(0.53, 0.86));
    p.setPen(QPen(QColor(210, 190, 150), T * 0.9, Qt::SolidLine, Qt::RoundCap));
    for (double x : {0.42, 0.47, 0.52, 0.57})
        p.drawLine(P(0.5, 0.9), P(x + (x - 0.5) * 1.5, 0.98));
}

void agriao(QPainter& p) {
    // Water at the foot, thin stems with small round leaflets.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 190, 235));
    p.drawEllipse(P(0.5, 0.9), 0.46, 0.08);
    p.setPen(QPen(QColor(200, 235, 250), T * 0.8));
    p.drawLine(P(0.22, 0.9), P(0.36, 0.9));
    p.drawLine(P(0.62, 0.92), P(0.8, 0.92));
    const QColor verde(46, 125, 50);
    const double hastes[][2] = {{0.2, 0.36}, {0.36, 0.2}, {0.52, 0.14}, {0.68, 0.22}, {0.82, 0.38}};
    for (auto& h : hastes) {
        const QPointF base(0.5 + (h[0] - 0.5) * 0.4, 0.9);
        const QPointF topo(h[0], h[1]);
        p.setPen(QPen(QColor(120, 150, 60), T * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, topo);
        for (int k = 0; k < 4; ++k) {
            const QPointF m = base + (topo - base) * (0.35 + k * 0.22);
            const double r = 0.05 + 0.012 * k;
            p.setPen(contorno(verde, T * 0.8));
            p.setBrush(k % 2 ? verde : verde.lighter(120));
            p.drawEllipse(m + QPointF(-0.05, 0), r, r * 0.85);
            p.drawEllipse(m + QPointF(0.05, -0.01), r, r * 0.85);
        }
        p.setBrush(verde.lighter(125));
        p.drawEllipse(topo, 0.06, 0.055);
    }
}

void couve(QPainter& p) {
    // Big dark leaves with pale ribs on a thick stalk.
    const QColor c(46, 115, 60);
    p.setPen(QPen(QColor(150, 190, 120), T * 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.97), P(0.5, 0.62));
    struct F {
        double giro, comprimento, largura;
    } fs[] = {{-66, 0.46, 0.16}, {66, 0.46, 0.16}, {-32, 0.54, 0.17}, {32, 0.54, 0.17}, {0, 0.52, 0.15}};
    int i = 0;
    for (const auto& f : fs) {
        p.save();
        p.translate(0.5, 0.7);
        p.rotate(f.giro);
        const QColor cor = i % 2 ? c : c.lighter(115);
        p.setPen(QPen(QColor(150, 190, 120), T * 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, 0), QPointF(0, -f.comprimento * 0.2));
        p.setPen(contorno(cor, T));
        p.setBrush(cor);
        p.drawPath(bolha(QPointF(0, -f.comprimento * 0.58), f.largura, f.comprimento * 0.42, 0.045, 11));
        p.setPen(QPen(QColor(200, 230, 190), T * 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -f.comprimento * 0.18), QPointF(0, -f.comprimento * 0.92));
        p.setPen(QPen(QColor(200, 230, 190), T * 0.5, Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < 3; ++k) {
            const double y = -f.comprimento * (0.35 + 0.17 * k);
            p.drawLine(QPointF(0, y), QPointF(f.largura * 0.7, y - f.comprimento * 0.1));
            p.drawLine(QPointF(0, y), QPointF(-f.largura * 0.7, y - f.comprimento * 0.1));
        }
        p.restore();
        ++i;
    }
}

void espinafre(QPainter& p) {
    const QColor c(56, 142, 60);
    const double angulos[] = {-55, -28, 0, 28, 55};
    int i = 0;
    for (double a : angulos) {
        const double r = qDegreesToRadians(a);
        const QPointF base(0.5, 0.94);
        const QPointF meio = base + QPointF(std::sin(r) * 0.35, -std::cos(r) * 0.35);
        const QPointF topo = base + QPointF(std::sin(r) * 0.82, -std::cos(r) * 0.82);
        p.setPen(QPen(QColor(140, 190, 90), T * 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, meio);
        // Spade-shaped smooth leaf.
        const QColor cor = i % 2 ? c : c.lighter(115);
        QPainterPath f;
        const QPointF d = (topo - meio);
        const QPointF n(-d.y(), d.x());
        f.moveTo(meio);
        f.cubicTo(meio + n * 0.7 - d * 0.1, meio + n * 0.55 + d * 0.8, topo);
        f.cubicTo(meio - n * 0.55 + d * 0.8, meio - n * 0.7 - d * 0.1, meio);
        p.setPen(contorno(cor, T));
        p.setBrush(cor);
        p.drawPath(f);
        p.setPen(QPen(cor.lighter(150), T * 0.8));
        p.drawLine(meio, meio + d * 0.85);
        brilho(p, meio + d * 0.45 + n * 0.2, 0.04, 0.015, -std::atan2(d.x(), d.y()) * 57.3);
        ++i;
    }
}

void quiabo(QPainter& p) {
    // Three plump ridged pods lying in a pile, stalk caps up to the right.
    auto vagem = [&](QPointF tampa, double giro) {
        p.save();
        p.translate(tampa);
        p.rotate(giro);
        const QColor cor(120, 190, 60);
        QPainterPath v;
        v.moveTo(0, -0.09);
        v.cubicTo(-0.28, -0.1, -0.55, -0.04, -0.7, 0.0);
        v.cubicTo(-0.55, 0.05, -0.28, 0.1, 0, 0.09);
        v.closeSubpath();
        QLinearGradient g(QPointF(0, -0.09), QPointF(0, 0.09));
        g.setColorAt(0, cor.lighter(125));
        g.setColorAt(1, cor.darker(125));
        p.setPen(contorno(cor, T));
        p.setBrush(g);
        p.drawPath(v);
        p.setPen(QPen(cor.darker(150), T * 0.7, Qt::SolidLine, Qt::RoundCap));
        for (double y : {-0.045, 0.0, 0.045})
            p.drawLine(QPointF(-0.04, y), QPointF(-0.6, y * 0.2));
        p.setPen(contorno(QColor(90, 140, 55), T));
        p.setBrush(QColor(100, 150, 60));
        p.drawRoundedRect(QRectF(-0.02, -0.08, 0.07, 0.16), 0.02, 0.02);
        p.setPen(QPen(QColor(90, 130, 50), T * 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0.05, 0), QPointF(0.12, -0.03));
        p.restore();
    };
    vagem(P(0.82, 0.34), 30);
    vagem(P(0.86, 0.58), 18);
    vagem(P(0.8, 0.8), 4);
    p.setPen(contorno(QColor(255, 235, 100), T * 0.8));
    p.setBrush(QColor(255, 235, 100));
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5;
        p.drawEllipse(P(0.2 + 0.06 * std::cos(a), 0.2 + 0.06 * std::sin(a)), 0.055, 0.055);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 30, 60));
    p.drawEllipse(P(0.2, 0.2), 0.03, 0.03);
}

void rucula(QPainter& p) {
    // Long leaves with deep side lobes and a rounded end lobe.
    const QColor c(78, 135, 40);
    const double angulos[] = {-48, -22, 4, 28, 52};
    int i = 0;
    for (double a : angulos) {
        const double r = qDegreesToRadians(a);
        const QPointF base(0.5, 0.95);
        const QPointF topo = base + QPointF(std::sin(r) * 0.84, -std::cos(r) * 0.84);
        const QPointF d = topo - base;
        const QPointF n = QPointF(-d.y(), d.x());
        const QColor cor = i % 2 ? c : c.lighter(120);
        p.setPen(contorno(cor, T * 0.8));
        p.setBrush(cor);
        p.drawPath(caminhoFolha(base, topo, 0.05));
        for (int k = 0; k < 3; ++k) {
            const QPointF m = base + d * (0.36 + 0.16 * k);
            const double t = 0.15 - 0.015 * k;
            p.drawPath(caminhoFolha(m, m + n * t + d * 0.08, 0.065));
            p.drawPath(caminhoFolha(m, m - n * t + d * 0.08, 0.065));
        }
        p.drawPath(bolha(base + d * 0.9, 0.1, 0.1, 0.1, 5, a));
        p.setPen(QPen(cor.lighter(150), T * 0.7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, base + d * 0.9);
        ++i;
    }
}

void cenoura(QPainter& p) {
    // Feathery tops.
    p.setPen(QPen(QColor(76, 150, 50), T * 1.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF topoRaiz(0.5, 0.42);
    for (double a : {-40.0, -18.0, 0.0, 18.0, 40.0}) {
        const double r = qDegreesToRadians(a);
        const QPointF t = topoRaiz + QPointF(std::sin(r) * 0.38, -std::cos(r) * 0.38);
        p.setPen(QPen(QColor(76, 150, 50), T * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(topoRaiz, t);
        for (int k = 1; k <= 4; ++k) {
            const QPointF m = topoRaiz + (t - topoRaiz) * (0.25 * k);
            const QPointF n(-(t - topoRaiz).y() * 0.25, (t - topoRaiz).x() * 0.25);
            p.setPen(QPen(QColor(100, 175, 60), T, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(m, m + n + (t - topoRaiz) * 0.08);
            p.drawLine(m, m - n + (t - topoRaiz) * 0.08);
        }
    }
    // Orange root, tapering down.
    QPainterPath raiz;
    raiz.moveTo(0.33, 0.44);
    raiz.quadTo(0.5, 0.38, 0.67, 0.44);
    raiz.quadTo(0.62, 0.72, 0.52, 0.98);
    raiz.quadTo(0.49, 0.99, 0.47, 0.97);
    raiz.quadTo(0.38, 0.72, 0.33, 0.44);
    QLinearGradient g(P(0.33, 0), P(0.67, 0));
    g.setColorAt(0, QColor(245, 124, 0));
    g.setColorAt(0.45, QColor(255, 167, 38));
    g.setColorAt(1, QColor(230, 100, 0));
    p.setPen(contorno(QColor(245, 124, 0), T));
    p.setBrush(g);
    p.drawPath(raiz);
    p.setPen(QPen(QColor(200, 90, 0), T * 0.8, Qt::SolidLine, Qt::RoundCap));
    for (double y : {0.55, 0.66, 0.77, 0.86}) {
        const double w = (0.98 - y) * 0.3;
        p.drawLine(P(0.5 - w, y), P(0.5 - w * 0.3, y + 0.01));
        p.drawLine(P(0.5 + w * 0.2, y + 0.04), P(0.5 + w, y + 0.035));
    }
}

void beterraba(QPainter& p) {
    folhasDeRaiz(p, P(0.5, 0.5), 0.45, QColor(60, 120, 50), QColor(170, 30, 70));
    p.setPen(QPen(QColor(140, 20, 60), T * 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.9), P(0.52, 0.99));
    QRadialGradient g(P(0.43, 0.62), 0.3);
    g.setColorAt(0, QColor(190, 40, 90));
    g.setColorAt(1, QColor(110, 15, 55));
    p.setPen(contorno(QColor(130, 20, 60), T));
    p.setBrush(g);
    QPainterPath b;
    b.addEllipse(P(0.5, 0.7), 0.25, 0.22);
    p.drawPath(b);
    brilho(p, P(0.41, 0.63), 0.06, 0.03);
}

void nabo(QPainter& p) {
    folhasDeRaiz(p, P(0.5, 0.48), 0.44, QColor(90, 160, 60), QColor(120, 170, 80));
    p.setPen(QPen(QColor(200, 190, 170), T * 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.9), P(0.5, 0.99));
    QLinearGradient g(P(0, 0.48), P(0, 0.92));
    g.setColorAt(0, QColor(150, 60, 150));
    g.setColorAt(0.38, QColor(190, 120, 190));
    g.setColorAt(0.5, QColor(250, 248, 240));
    g.setColorAt(1, QColor(235, 232, 220));
    p.setPen(contorno(QColor(200, 190, 190), T));
    p.setBrush(g);
    QPainterPath b;
    b.moveTo(0.5, 0.48);
    b.cubicTo(0.86, 0.48, 0.8, 0.86, 0.5, 0.92);
    b.cubicTo(0.2, 0.86, 0.14, 0.48, 0.5, 0.48);
    p.drawPath(b);
    brilho(p, P(0.38, 0.58), 0.05, 0.025);
}

void rabanete(QPainter& p) {
    auto um = [&](QPointF c, double e) {
        p.setPen(QPen(QColor(240, 235, 230), T * 1.2 * e, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(0, 0.14 * e), c + QPointF(0.01, 0.26 * e));
        QRadialGradient g(c + QPointF(-0.05, -0.05) * e, 0.2 * e);
        g.setColorAt(0, QColor(255, 90, 110));
        g.setColorAt(1, QColor(200, 20, 50));
        p.setPen(contorno(QColor(210, 30, 60), T));
        p.setBrush(g);
        p.drawEllipse(c, 0.15 * e, 0.15 * e);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 245, 240));
        p.drawEllipse(c + QPointF(0, 0.12 * e), 0.05 * e, 0.035 * e);
        brilho(p, c + QPointF(-0.06, -0.06) * e, 0.04 * e, 0.02 * e);
    };
    folhasDeRaiz(p, P(0.42, 0.58), 0.5, QColor(80, 155, 60), QColor(190, 60, 80));
    um(P(0.38, 0.72), 1.0);
    um(P(0.66, 0.76), 0.85);
}

void cheiroVerde(QPainter& p) {
    // Chives at the right: tall thin tubes, one with a pink flower ball.
    const QColor cebolinha(46, 125, 50);
    for (double x : {0.6, 0.67, 0.74, 0.81, 0.88}) {
        p.setPen(QPen(cebolinha.darker(130), T * 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(P(0.72, 0.95), P(x, 0.08 + (x - 0.74) * (x - 0.74) * 6));
        p.setPen(QPen(cebolinha.lighter(120), T * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(P(0.72, 0.95), P(x, 0.08 + (x - 0.74) * (x - 0.74) * 6));
    }
    p.setPen(contorno(QColor(206, 120, 200), T * 0.8));
    p.setBrush(QColor(206, 130, 210));
    p.drawPath(bolha(P(0.67, 0.1), 0.07, 0.07, 0.15, 9));
    // Curly parsley at the left.
    const QColor salsa(67, 160, 71);
    p.setPen(QPen(QColor(120, 170, 70), T * 1.3, Qt::SolidLine, Qt::RoundCap));
    const QPointF b(0.32, 0.95);
    const QPointF tops[] = {P(0.12, 0.4), P(0.3, 0.25), P(0.48, 0.38), P(0.2, 0.62), P(0.44, 0.6)};
    for (auto t : tops)
        p.drawLine(b, t);
    for (auto t : tops) {
        p.setPen(contorno(salsa, T * 0.8));
        p.setBrush(salsa);
        p.drawPath(bolha(t, 0.11, 0.09, 0.18, 7));
        p.setBrush(salsa.lighter(125));
        p.drawPath(bolha(t + QPointF(-0.02, -0.02), 0.06, 0.05, 0.2, 6));
    }
}

void tomate(QPainter& p) {
    p.setPen(QPen(QColor(80, 130, 50), T * 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.55, 0.06), P(0.55, 0.25));
    p.drawLine(P(0.55, 0.2), P(0.32, 0.36));
    p.drawLine(P(0.55, 0.2), P(0.72, 0.5));
    folha(p, P(0.55, 0.12), P(0.86, 0.1), 0.07, QColor(80, 150, 60), T, true);
    folha(p, P(0.55, 0.14), P(0.2, 0.1), 0.07, QColor(90, 160, 70), T, true);
    auto fruto = [&](QPointF c, double r) {
        QRadialGradient g(c + QPointF(-r * 0.35, -r * 0.35), r * 1.2);
        g.setColorAt(0, QColor(255, 110, 90));
        g.setColorAt(1, QColor(205, 30, 25));
        p.setPen(contorno(QColor(210, 40, 30), T));
        p.setBrush(g);
        p.drawPath(bolha(c, r, r * 0.9, 0.03, 5));
        brilho(p, c + QPointF(-r * 0.4, -r * 0.35), r * 0.22, r * 0.11);
        // Green star of sepals.
        p.setPen(contorno(QColor(70, 140, 50), T * 0.7));
        p.setBrush(QColor(70, 140, 50));
        for (int k = 0; k < 5; ++k) {
            const double a = -M_PI / 2 + k * 2 * M_PI / 5;
            folha(p, c + QPointF(0, -r * 0.82), c + QPointF(std::cos(a) * r * 0.45, -r * 0.82 + std::sin(a) * r * 0.3),
                  r * 0.08, QColor(70, 140, 50), T * 0.6, false);
        }
    };
    fruto(P(0.33, 0.58), 0.25);
    fruto(P(0.7, 0.72), 0.22);
}

void pimentao(QPainter& p) {
    QPainterPath corpo;
    corpo.moveTo(0.22, 0.3);
    corpo.cubicTo(0.35, 0.18, 0.65, 0.18, 0.78, 0.3);
    corpo.cubicTo(0.9, 0.5, 0.84, 0.8, 0.76, 0.92);
    corpo.quadTo(0.68, 0.98, 0.61, 0.9);
    corpo.quadTo(0.5, 1.0, 0.39, 0.9);
    corpo.quadTo(0.32, 0.98, 0.24, 0.92);
    corpo.cubicTo(0.16, 0.8, 0.1, 0.5, 0.22, 0.3);
    QLinearGradient g(P(0.15, 0), P(0.85, 0));
    g.setColorAt(0, QColor(40, 130, 40));
    g.setColorAt(0.4, QColor(90, 185, 70));
    g.setColorAt(1, QColor(30, 110, 35));
    p.setPen(contorno(QColor(50, 140, 50), T));
    p.setBrush(g);
    p.drawPath(corpo);
    p.setPen(QPen(QColor(30, 100, 30), T * 0.8));
    p.drawLine(P(0.4, 0.32), P(0.39, 0.86));
    p.drawLine(P(0.61, 0.32), P(0.62, 0.86));
    brilho(p, P(0.3, 0.45), 0.05, 0.12, 10);
    // Stem.
    p.setPen(contorno(QColor(100, 140, 60), T));
    p.setBrush(QColor(100, 150, 60));
    p.drawEllipse(P(0.5, 0.24), 0.13, 0.05);
    p.setPen(QPen(QColor(90, 120, 50), T * 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.22), P(0.56, 0.06));
}

void berinjela(QPainter& p) {
    p.save();
    p.translate(0.5, 0.55);
    p.rotate(-25);
    QPainterPath corpo;
    corpo.moveTo(0, -0.32);
    corpo.cubicTo(0.16, -0.32, 0.3, 0.15, 0.22, 0.34);
    corpo.cubicTo(0.14, 0.48, -0.14, 0.48, -0.22, 0.34);
    corpo.cubicTo(-0.3, 0.15, -0.16, -0.32, 0, -0.32);
    QLinearGradient g(QPointF(-0.25, 0), QPointF(0.25, 0));
    g.setColorAt(0, QColor(70, 30, 100));
    g.setColorAt(0.35, QColor(120, 60, 160));
    g.setColorAt(1, QColor(50, 20, 75));
    p.setPen(contorno(QColor(90, 40, 120), T));
    p.setBrush(g);
    p.drawPath(corpo);
    brilho(p, QPointF(-0.1, 0.05), 0.035, 0.14, 8);
    // Calyx cap with pointed sepals.
    const QColor cap(80, 140, 60);
    for (double a : {-60.0, -25.0, 25.0, 60.0}) {
        const double r = qDegreesToRadians(a + 90);
        folha(p, QPointF(0, -0.3), QPointF(std::cos(r) * 0.17, -0.3 + std::sin(r) * 0.16), 0.04, cap, T * 0.8, false);
    }
    p.setPen(contorno(cap, T));
    p.setBrush(cap);
    p.drawEllipse(QPointF(0, -0.3), 0.09, 0.05);
    p.setPen(QPen(QColor(90, 120, 50), T * 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -0.32), QPointF(0.02, -0.44));
    p.restore();
}

void repolho(QPainter& p) {
    const QColor fora(86, 160, 90), dentro(180, 220, 150);
    folha(p, P(0.5, 0.72), P(0.04, 0.58), 0.16, fora, T, true, 0.1);
    folha(p, P(0.5, 0.72), P(0.96, 0.58), 0.16, fora, T, true, -0.1);
    folha(p, P(0.5, 0.8), P(0.14, 0.92), 0.11, fora.darker(110), T, true);
    folha(p, P(0.5, 0.8), P(0.86, 0.92), 0.11, fora.darker(110), T, true);
    QRadialGradient g(P(0.44, 0.48), 0.36);
    g.setColorAt(0, QColor(220, 240, 190));
    g.setColorAt(1, dentro.darker(112));
    p.setPen(contorno(dentro, T));
    p.setBrush(g);
    p.drawEllipse(P(0.5, 0.56), 0.3, 0.28);
    // Wrapping leaves as arcs.
    p.setPen(QPen(QColor(120, 170, 100), T * 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.22, 0.3, 0.42, 0.52), 60 * 16, 160 * 16);
    p.drawArc(QRectF(0.36, 0.3, 0.42, 0.52), -40 * 16, 160 * 16);
    p.drawArc(QRectF(0.3, 0.36, 0.4, 0.3), 200 * 16, 140 * 16);
    p.setPen(QPen(QColor(235, 248, 220), T * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.82), P(0.47, 0.42));
}

void brocolis(QPainter& p) {
    QLinearGradient g(P(0.38, 0), P(0.62, 0));
    g.setColorAt(0, QColor(150, 200, 110));
    g.setColorAt(1, QColor(110, 170, 80));
    p.setPen(contorno(QColor(130, 185, 95), T));
    p.setBrush(g);
    QPainterPath talo;
    talo.moveTo(0.4, 0.55);
    talo.lineTo(0.6, 0.55);
    talo.lineTo(0.57, 0.96);
    talo.lineTo(0.43, 0.96);
    talo.closeSubpath();
    p.drawPath(talo);
    p.setPen(QPen(QColor(130, 185, 95), T * 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(P(0.5, 0.6), P(0.28, 0.45));
    p.drawLine(P(0.5, 0.6), P(0.72, 0.45));
    const QColor c1(30, 100, 40), c2(50, 130, 55);
    const double bolas[][3] = {{0.25, 0.42, 0.16}, {0.75, 0.42, 0.16}, {0.5, 0.3, 0.19}, {0.36, 0.22, 0.14},
                               {0.64, 0.22, 0.14}, {0.5, 0.48, 0.15}};
    int i = 0;
    for (auto& b : bolas) {
        p.setPen(contorno(c2, T));
        p.setBrush(i % 2 ? c1 : c2);
        p.drawPath(bolha(P(b[0], b[1]), b[2], b[2] * 0.85, 0.1, 8, i));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 160, 80));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 1.3 + i;
            p.drawEllipse(P(b[0] + std::cos(a) * b[2] * 0.5, b[1] + std::sin(a) * b[2] * 0.4), 0.018, 0.018);
        }
        ++i;
    }
}

void couveFlor(QPainter& p) {
    const QColor verde(70, 140, 70);
    for (double a : {-70.0, -35.0, 35.0, 70.0, -100.0, 100.0}) {
        const double r = qDegreesToRadians(a);
        folha(p, P(0.5, 0.66), P(0.5 + std::sin(r) * 0.5, 0.66 - std::cos(r) * 0.48), 0.13,
              std::abs(a) > 90 ? verde.darker(110) : verde, T, true);
    }
    const QColor creme(250, 245, 220);
    p.setPen(contorno(QColor(225, 215, 170), T));
    p.setBrush(creme);
    p.drawPath(bolha(P(0.5, 0.55), 0.3, 0.24, 0.04, 9));
    p.setPen(QPen(QColor(215, 205, 160), T * 0.7));
    p.setBrush(QColor(255, 252, 235));
    const double floretes[][2] = {{0.36, 0.5}, {0.5, 0.44}, {0.64, 0.5}, {0.42, 0.62}, {0.58, 0.62}, {0.5, 0.55}};
    for (auto& f : floretes)
        p.drawEllipse(P(f[0], f[1]), 0.085, 0.07);
    // Inner leaves hugging the head.
    folha(p, P(0.3, 0.8), P(0.24, 0.52), 0.06, verde.lighter(120), T, false);
    folha(p, P(0.7, 0.8), P(0.76, 0.52), 0.06, verde.lighter(120), T, false);
}

void vagem(QPainter& p) {
    // Vine at the top with heart-shaped leaves, pods hanging down.
    p.setPen(QPen(QColor(100, 140, 60), T * 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath rama;
    rama.moveTo(0.02, 0.14);
    rama.cubicTo(0.3, 0.02, 0.6, 0.22, 0.98, 0.1);
    p.drawPath(rama);
    folha(p, P(0.24, 0.1), P(0.1, 0.32), 0.1, QColor(80, 150, 60), T, true);
    folha(p, P(0.7, 0.15), P(0.88, 0.34), 0.1, QColor(90, 160, 70), T, true);
    const QColor c(110, 185, 60);
    const double xs[] = {0.3, 0.44, 0.58, 0.72};
    int i = 0;
    for (double x : xs) {
        QPainterPath v;
        const double top = 0.12 + (i % 2) * 0.04;
        const double bot = 0.9 - (i % 2) * 0.08;
        const double curva = (i % 2 ? 0.06 : -0.05);
        v.moveTo(x - 0.03, top);
        v.cubicTo(x - 0.04 + curva, 0.45, x - 0.03 + curva, 0.7, x + curva * 1.4, bot);
        v.cubicTo(x + 0.03 + curva, 0.7, x + 0.04 + curva, 0.45, x + 0.03, top);
        v.closeSubpath();
        p.setPen(contorno(c, T));
        p.setBrush(i % 2 ? c : c.lighter(110));
        p.drawPath(v);
        p.setPen(Qt::NoPen);
        p.setBrush(c.lighter(130));
        for (int k = 1; k <= 4; ++k)
            p.drawEllipse(P(x + curva * (k / 5.0), top + (bot - top) * k / 5.5), 0.017, 0.025);
        ++i;
    }
}

void pepino(QPainter& p) {
    folha(p, P(0.62, 0.22), P(0.95, 0.08), 0.11, QColor(80, 150, 60), T, true);
    p.setPen(QPen(QColor(120, 170, 70), T, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath gavinha;
    gavinha.moveTo(0.7, 0.26);
    gavinha.cubicTo(0.85, 0.3, 0.86, 0.42, 0.78, 0.42);
    gavinha.cubicTo(0.72, 0.42, 0.74, 0.36, 0.78, 0.37);
    p.drawPath(gavinha);
    p.save();
    p.translate(0.46, 0.58);
    p.rotate(-38);
    const QRectF corpo(-0.43, -0.13, 0.86, 0.26);
    QLinearGradient g(QPointF(0, -0.13), QPointF(0, 0.13));
    g.setColorAt(0, QColor(60, 130, 50));
    g.setColorAt(0.4, QColor(100, 170, 70));
    g.setColorAt(1, QColor(30, 90, 35));
    p.setPen(contorno(QColor(50, 120, 45), T));
    p.setBrush(g);
    p.drawRoundedRect(corpo, 0.13, 0.13);
    p.setPen(QPen(QColor(170, 210, 130), T * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-0.3, -0.03), QPointF(0.3, -0.03));
    p.drawLine(QPointF(-0.25, 0.05), QPointF(0.25, 0.05));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 80, 30));
    for (int k = 0; k < 8; ++k)
        p.drawEllipse(QPointF(-0.32 + k * 0.09, (k % 2 ? 0.08 : -0.08)), 0.012, 0.012);
    // Stalk at one end, dried flower at the other.
    p.setPen(contorno(QColor(110, 140, 60), T));
    p.setBrush(QColor(110, 140, 60));
    p.drawRect(QRectF(0.41, -0.03, 0.07, 0.06));
    p.setPen(contorno(QColor(255, 220, 80), T * 0.7));
    p.setBrush(QColor(255, 220, 80));
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5;
        p.drawEllipse(QPointF(-0.47 + std::cos(a) * 0.04, std::sin(a) * 0.04), 0.035, 0.035);
    }
    p.restore();
}

void regador(QPainter& p) {
    const QColor lata(66, 165, 245);
    // Spout.
    QPainterPath bico;
    bico.moveTo(0.62, 0.62);
    bico.lineTo(0.92, 0.3);
    bico.lineTo(0.95, 0.34);
    bico.lineTo(0.68, 0.72);
    bico.closeSubpath();
    p.setPen(contorno(lata, T));
    p.setBrush(lata.darker(110));
    p.drawPath(bico);
    p.setBrush(lata.lighter(120));
    p.drawEllipse(P(0.93, 0.31), 0.06, 0.035);
    // Handle.
    p.setPen(QPen(lata.darker(150), T * 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.16, 0.2, 0.4, 0.45), 30 * 16, 150 * 16);
    p.setPen(QPen(lata, T * 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(0.16, 0.2, 0.4, 0.45), 30 * 16, 150 * 16);
    // Body.
    QLinearGradient g(P(0.1, 0), P(0.65, 0));
    g.setColorAt(0, lata.darker(115));
    g.setColorAt(0.4, lata.lighter(125));
    g.setColorAt(1, lata.darker(120));
    p.setPen(contorno(lata, T));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.12, 0.42, 0.52, 0.48), 0.06, 0.06);
    // Drops.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(100, 180, 255));
    for (auto d : {P(0.96, 0.44), P(0.9, 0.52), P(0.98, 0.58)})
        p.drawEllipse(d, 0.018, 0.028);
}

using Desenho = std::function<void(QPainter&)>;

const std::map<QString, Desenho>& desenhos() {
    static const std::map<QString, Desenho> m = {
        {"alf", alface},   {"chi", chicoria},    {"por", alhoPoro}, {"agr", agriao},  {"cou", couve},
        {"esp", espinafre}, {"qui", quiabo},     {"ruc", rucula},   {"cen", cenoura}, {"bet", beterraba},
        {"nab", nabo},     {"rab", rabanete},    {"che", cheiroVerde}, {"tom", tomate}, {"pim", pimentao},
        {"bgl", berinjela}, {"rep", repolho},    {"bro", brocolis}, {"flo", couveFlor}, {"vgm", vagem},
        {"pep", pepino},   {"reg", regador},
    };
    return m;
}

}  // namespace

bool desenha(QPainter& p, const QRectF& caixa, const QString& sigla) {
    const auto& m = desenhos();
    const auto it = m.find(sigla.toLower());
    if (it == m.end())
        return false;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(caixa.topLeft());
    p.scale(caixa.width(), caixa.height());
    it->second(p);
    p.restore();
    return true;
}

}  // namespace gerador::culturas
