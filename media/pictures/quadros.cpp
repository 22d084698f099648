#include "quadros.h"

#include "culturas.h"
#include "desenho.h"
#include "figuras.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace gerador {
namespace {

// Button frames are drawn on a 140 x 116 canvas and scaled to the file's size.
constexpr double BW = 140, BH = 116, CHAO = 94;

double lerp(double a, double b, double t) { return a + (b - a) * t; }
QPointF lerp(QPointF a, QPointF b, double t) { return a + (b - a) * t; }

void fundoBotao(QPainter& p, double chao = CHAO, std::uint32_t semente = 3) {
    ceu(p, QRectF(0, 0, BW, chao), QColor(196, 230, 255), QColor(238, 248, 232));
    grama(p, QRectF(0, chao - 4, BW, 5), semente);
    solo(p, QRectF(0, chao, BW, BH - chao), semente, false);
}

void raizes(QPainter& p, QPointF base, double e) {
    p.setPen(QPen(QColor(230, 215, 190), 1.2 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base, base + QPointF(-4 * e, 8 * e));
    p.drawLine(base, base + QPointF(0, 10 * e));
    p.drawLine(base, base + QPointF(4 * e, 7 * e));
}

// Cleaning: the hoe rises, strikes the weeds, and the weeds fly off.
void limpeza(QPainter& p, int i) {
    fundoBotao(p);
    culturas::desenha(p, QRectF(2, 46, 48, 48), "alf");
    static const double ergue[] = {0.0, 0.3, 0.55, 0.8, 1.0, 0.5, 0.0, 0.0, 0.05, 0.1, 0.14, 0.1, 0.05};
    const double l = ergue[i % 13];
    const double xs[] = {78, 92, 106};
    for (int k = 0; k < 3; ++k) {
        if (i <= 6) {
            mato(p, QPointF(xs[k], CHAO + 1), 1.7, i == 6 ? (k - 1) * 20.0 : 0.0);
        } else {
            const double s = (i - 6) / 6.5;
            const QPointF pos(xs[k] + 26 * s + k * 5 * s, CHAO - 50 * s + 30 * s * s);
            mato(p, pos, 1.5, 80 * s * (k + 1));
        }
    }
    const QPointF chao(86, CHAO + 2);
    const QPointF lamina = chao + QPointF(-6, -54) * l;
    const QPointF punho(126 - 8 * l, 38 - 16 * l);
    enxada(p, punho + (punho - lamina) * 0.12, lamina, 1.3);
    if (i == 6 || i == 7)
        torroes(p, chao + QPointF(0, -4), i == 6 ? 12 : 20, 10, 40 + i);
    mao(p, QPointF(152, 6), punho, 1.3, true);
}

// Thinning: a hand pulls the extra seedling out of a crowded row.
void desbaste(QPainter& p, int i) {
    fundoBotao(p);
    for (double x : {16.0, 38.0, 82.0, 104.0, 126.0})
        muda(p, QPointF(x, CHAO + 1), 24, 1.4);
    QPointF base(60, CHAO + 1);
    QPointF maoPos;
    bool fechada = false;
    if (i <= 3) {
        maoPos = QPointF(64, lerp(6, 62, i / 3.0));
    } else if (i <= 8) {
        fechada = true;
        base.ry() -= (i - 3) * 9;
        maoPos = base + QPointF(4, -24);
    } else {
        fechada = i < 12;
        const double t = (i - 8) / 4.0;
        base = QPointF(60 + 52 * t, CHAO - 45 + 10 * t);
        maoPos = base + QPointF(4, -24);
    }
    if (i > 3)
        raizes(p, base, 1.4);
    muda(p, base, 20, 1.3);
    mao(p, QPointF(maoPos.x() + 40, -20), maoPos, 1.3, fechada);
}

// Earthing up: the hoe pulls soil towards the plant, whose mound grows.
void amontoa(QPainter& p, int i) {
    fundoBotao(p);
    const double monte = 3 + 14 * i / 11.0;
    muda(p, QPointF(50, CHAO - monte + 2), 44, 2.0);
    QPainterPath m;
    m.moveTo(14, CHAO + 1);
    m.quadTo(50, CHAO - 2 * monte, 86, CHAO + 1);
    m.closeSubpath();
    p.setPen(contorno(QColor(130, 88, 55), 1.0));
    p.setBrush(QColor(130, 88, 55));
    p.drawPath(m);
    const double s = (i % 6) / 5.0;
    const QPointF lamina(128 - 46 * s, CHAO - 2);
    torroes(p, lamina + QPointF(-10, -3), 7, 6, 60 + i);
    const QPointF punho = lamina + QPointF(22, -62);
    enxada(p, punho + QPointF(3, -6), lamina, 1.3);
    mao(p, QPointF(160, -10), punho, 1.3, true);
}

QPointF trajeto(QPointF a, QPointF b, double t, double altura) {
    return lerp(a, b, t) + QPointF(0, -altura * std::sin(M_PI * t));
}

// Partial harvest: the hand picks an outer leaf and lays it in the basket.
void colheitaParcial(QPainter& p, int i) {
    fundoBotao(p);
    culturas::desenha(p, QRectF(2, 30, 66, 66), "cou");
    const QRectF cestaR(92, 58, 46, 40);
    cesta(p, cestaR, 0);
    const QPointF presa(72, 50), naCesta(112, 64);
    QPointF folhaTopo;
    QPointF maoPos;
    bool fechada = false;
    if (i <= 4) {
        folhaTopo = presa;
        maoPos = lerp(QPointF(126, 2), presa + QPointF(2, -4), i / 4.0);
    } else if (i <= 9) {
        fechada = true;
        folhaTopo = trajeto(presa, naCesta, (i - 4) / 5.0, 22);
        maoPos = folhaTopo + QPointF(2, -4);
    } else {
        folhaTopo = naCesta;
        maoPos = lerp(naCesta + QPointF(2, -8), QPointF(130, 4), (i - 9) / 4.0);
    }
    const QPointF folhaBase = folhaTopo + (i <= 4 ? QPointF(-30, 30) : QPointF(-22, 18));
    folha(p, folhaBase, folhaTopo, 9, QColor(56, 130, 66), 1.0, true);
    if (i > 9) {
        // The leaf lies in the basket: redraw the front rim over it.
        p.setPen(contorno(QColor(196, 140, 70), 1.2));
        p.setBrush(QColor(196, 140, 70).lighter(115));
        p.drawRoundedRect(QRectF(cestaR.left() - 1, cestaR.top() + cestaR.height() * 0.4, cestaR.width() + 2, 4), 1.5, 1.5);
    }
    mao(p, QPointF(maoPos.x() + 36, -24), maoPos, 1.3, fechada);
}

// Final harvest: the whole head is pulled with its roots and goes to the basket.
void colheitaFinal(QPainter& p, int i) {
    fundoBotao(p);
    const QRectF cestaR(92, 58, 46, 40);
    QRectF planta(8, 44, 52, 52);
    QPointF maoPos;
    bool fechada = false;
    if (i <= 3) {
        maoPos = lerp(QPointF(120, 0), QPointF(36, 46), i / 3.0);
    } else if (i <= 7) {
        fechada = true;
        planta.translate(0, -(i - 3) * 9);
        maoPos = planta.center() + QPointF(2, -16);
    } else if (i <= 11) {
        fechada = true;
        const QPointF c = trajeto(QPointF(34, 34), QPointF(114, 50), (i - 7) / 4.0, 18);
        planta = QRectF(c - QPointF(22, 22), QSizeF(44, 44));
        maoPos = c + QPointF(2, -16);
    } else {
        planta = QRectF(94, 32, 40, 40);
        maoPos = lerp(QPointF(116, 28), QPointF(132, 0), (i - 11) / 2.0);
    }
    if (i <= 11) {
        cesta(p, cestaR, 0);
        if (i > 3)
            raizes(p, QPointF(planta.center().x(), planta.bottom() - 4), 1.5);
        if (i >= 4 && i <= 7)
            torroes(p, QPointF(planta.center().x(), planta.bottom() + 6), 10, 7, 80 + i);
        culturas::desenha(p, planta, "rep");
    } else {
        culturas::desenha(p, planta, "rep");
        cesta(p, cestaR, 0);
    }
    if (i >= 4)
        torroes(p, QPointF(34, CHAO + 2), 10, 6, 90);
    mao(p, QPointF(maoPos.x() + 36, -24), maoPos, 1.3, fechada);
}

// Transplant: a seedling leaves the tray with its root ball and goes to the bed.
void transplante(QPainter& p, int i) {
    fundoBotao(p);
    const QRectF bandejaR(2, 80, 54, 14);
    bandeja(p, bandejaR, 3);
    muda(p, QPointF(11, 82), 18, 1.2);
    muda(p, QPointF(29, 82), 18, 1.2);
    const QPointF cova(106, CHAO + 2);
    if (i <= 10) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 45, 28));
        p.drawEllipse(cova, 10, 4);
    }
    QPointF base(47, 82);
    QPointF maoPos;
    bool fechada = false;
    if (i <= 2) {
        maoPos = QPointF(50, lerp(4, 58, i / 2.0));
    } else if (i <= 8) {
        fechada = true;
        base = trajeto(QPointF(47, 78), QPointF(106, 84), (i - 3) / 5.0, 34);
        maoPos = base + QPointF(3, -22);
    } else if (i <= 10) {
        fechada = true;
        base = QPointF(106, lerp(88, CHAO + 2, (i - 8) / 2.0));
        maoPos = base + QPointF(3, -22);
    } else {
        base = cova;
        maoPos = lerp(QPointF(112, 40), QPointF(134, 4), (i - 10) / 2.0);
    }
    if (i >= 3 && i <= 10) {
        p.setPen(contorno(QColor(120, 80, 50), 1.0));
        p.setBrush(QColor(120, 80, 50));
        p.drawEllipse(base + QPointF(0, 3), 7, 5);
    }
    if (i >= 11)
        torroes(p, cova + QPointF(0, -1), 9, 8, 100 + i);
    muda(p, base, 20, 1.3);
    mao(p, QPointF(maoPos.x() + 38, -24), maoPos, 1.3, fechada);
}

// Go to the seedbed: seedlings sprouting in the tray as the sun rises.
void botaoSementeira(QPainter& p, int i) {
    fundoBotao(p, 100);
    sol(p, QPointF(116, 34 - i * 2.5), 9);
    bandeja(p, QRectF(8, 78, 124, 22), 5);
    for (int k = 0; k < 5; ++k) {
        const double h = std::max(0.0, 4 + i * 4.2 - (k % 2) * 3);
        if (h > 1)
            muda(p, QPointF(20 + k * 24.8, 82), h, 1.3);
        else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 170, 100));
            p.drawEllipse(QPointF(20 + k * 24.8, 82), 2.5, 1.8);
        }
    }
}

// The hoe working a bed of vegetables (garden buttons).
void enxadaNaHorta(QPainter& p, int i, bool cerca) {
    fundoBotao(p, 100, 5);
    if (cerca) {
        p.setPen(QPen(QColor(245, 245, 240), 2.2));
        for (double x = 4; x < BW; x += 12)
            p.drawLine(QPointF(x, 40), QPointF(x, 62));
        p.drawLine(QPointF(0, 46), QPointF(BW, 46));
        p.drawLine(QPointF(0, 56), QPointF(BW, 56));
    }
    // Raised bed with two rows of vegetables.
    p.setPen(contorno(QColor(120, 80, 50), 1.0));
    p.setBrush(QColor(125, 84, 52));
    p.drawRoundedRect(QRectF(4, 62, 132, 20), 5, 5);
    const char* fila[] = {"alf", "rep", "alf", "rep", "alf"};
    for (int k = 0; k < 5; ++k)
        culturas::desenha(p, QRectF(6 + k * 26, 44, 26, 26), fila[k]);
    static const double ergue[] = {0.0, 0.3, 0.6, 0.85, 1.0, 0.7, 0.35, 0.0, 0.0, 0.0, 0.0};
    const double l = ergue[i % 11];
    const QPointF chao(70, 104);
    const QPointF lamina = chao + QPointF(-4, -42) * l;
    const QPointF punho(112 - 6 * l, 36 - 18 * l);
    enxada(p, punho + (punho - lamina) * 0.12, lamina, 1.2);
    if (i >= 7) {
        const double s = (i - 6) / 4.0;
        torroes(p, chao + QPointF(-4, -6 - 10 * s), 6 + 12 * s, 8, 7);
    }
    mao(p, QPointF(150, 0), punho, 1.2, true);
}

// The gardener: standing at rest, then walking.
void hortelaoAndando(QPainter& p, int i) {
    const double W = 160;
    ceu(p, QRectF(0, 0, W, 124), QColor(196, 230, 255), QColor(238, 248, 232));
    grama(p, QRectF(0, 120, W, 20), 9);
    figuras::Pose pose;
    double x = 80;
    if (i == 0) {
        pose.acenando = true;
    } else {
        const double fase = 2 * M_PI * (i - 1) / 4.0;
        pose.passo = std::sin(fase);
        pose.braco = std::sin(fase);
        x = 64 + (i - 1) * 5;
    }
    figuras::hortelao(p, QPointF(x, 132), 122, pose);
}

// The agenda opening and turning its pages (the last frame closed, at rest).
void agendaVirando(QPainter& p, int i) {
    ceu(p, QRectF(0, 0, 160, 120), QColor(232, 244, 255), QColor(250, 250, 240));
    figuras::agenda(p, QRectF(4, 2, 152, 116), i >= 10 ? -1.0 : i / 10.0);
}

// Seedlings growing in the tray.
void mudasCrescendo(QPainter& p, int i) {
    const double W = 160, H = 132;
    ceu(p, QRectF(0, 0, W, H), QColor(205, 235, 255), QColor(240, 250, 236));
    grama(p, QRectF(0, 112, W, 20), 13);
    bandeja(p, QRectF(10, 96, 140, 22), 6);
    for (int k = 0; k < 6; ++k) {
        const double h = 8 + i * 5.0 + (k % 3) * 2;
        muda(p, QPointF(21.7 + k * 23.3, 100), h, 1.4 + i * 0.05);
    }
}

void planeta(QPainter& p, int n) {
    ceu(p, QRectF(0, 0, 140, 136), QColor(210, 225, 255), QColor(245, 245, 255));
    figuras::globo(p, QPointF(70, 58), 42, (n - 1) * 36.0, true);
}

void cestaEnchendo(QPainter& p, int i) {
    ceu(p, QRectF(0, 0, 160, 132), QColor(255, 243, 224), QColor(255, 250, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(80, 124), 62, 6);
    cesta(p, QRectF(18, 22, 124, 100), i);
}

void portaAbrindo(QPainter& p, int i) { figuras::porta(p, QRectF(0, 0, 160, 132), i / 4.0); }

void interroga(QPainter& p, int i) {
    ceu(p, QRectF(0, 0, 100, 138), QColor(225, 245, 225), QColor(250, 255, 245));
    static const double salto[] = {0, 6, 14, 20, 12, 5};
    static const double giro[] = {0, -7, 8, 0, -9, 5};
    figuras::interrogacao(p, QRectF(0, 0, 100, 138), salto[i % 6], giro[i % 6]);
}

void imprimindo(QPainter& p, int i) {
    ceu(p, QRectF(0, 0, BW, BH), QColor(236, 240, 245), QColor(250, 250, 252));
    figuras::impressora(p, QRectF(0, 0, BW, BH), i / 6.0);
}

// Direct planting: seeds drop into the furrow, get covered and sprout.
void plantio(QPainter& p, int k) {
    fundoBotao(p, 84);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 52, 32));
    p.drawRoundedRect(QRectF(10, 90, 120, 7), 3, 3);
    const int sementes = std::min(k, 4);
    for (int s = 0; s < sementes; ++s) {
        p.setBrush(QColor(230, 200, 120));
        p.drawEllipse(QPointF(26 + s * 28, 93), 3, 2);
    }
    if (k >= 5) {
        // Soil pulled over the seeds from the left.
        const double fim = k >= 7 ? 130 : 10 + (k - 4) * 40;
        p.setBrush(QColor(130, 88, 55));
        p.drawRoundedRect(QRectF(8, 87, fim - 8, 10), 4, 4);
    }
    if (k >= 8)
        for (int s = 0; s < 4; ++s)
            muda(p, QPointF(26 + s * 28, 89), (k - 7) * 6.0, 1.2);
    if (k <= 4) {
        const QPointF m(26 + (k - 1) * 28 + 4, 44);
        for (int q = 0; q < 2; ++q) {
            p.setBrush(QColor(230, 200, 120));
            p.drawEllipse(m + QPointF(-3, 14 + q * 12), 2.5, 1.8);
        }
        mao(p, QPointF(m.x() + 30, -20), m, 1.3, true);
    } else if (k <= 7) {
        const QPointF m(10 + (k - 4) * 36, 80);
        mao(p, QPointF(m.x() + 30, 20), m, 1.3, false);
    }
}

// Sowing in the seedbed: a packet pours seeds into the cells, then they sprout.
void semeadura(QPainter& p, int i) {
    fundoBotao(p, 104);
    bandeja(p, QRectF(6, 78, 128, 22), 6);
    const double passo = 128 / 6.0;
    for (int c = 0; c < 6; ++c) {
        const QPointF b(6 + passo * (c + 0.5), 82);
        if (i >= 6) {
            muda(p, b, 3 + (i - 5) * 4.0, 1.2);
        } else if (c <= i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(230, 200, 120));
            p.drawEllipse(b, 2.5, 1.8);
        }
    }
    if (i <= 5) {
        const QPointF boca(6 + passo * (i + 0.5), 56);
        p.save();
        p.translate(boca);
        p.rotate(-130);
        p.setPen(contorno(QColor(255, 183, 77), 1.0));
        p.setBrush(QColor(255, 183, 77));
        p.drawRoundedRect(QRectF(-8, -2, 16, 26), 2, 2);
        culturas::desenha(p, QRectF(-6, 8, 12, 12), "tom");
        p.restore();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 200, 120));
        p.drawEllipse(boca + QPointF(0, 8), 2, 1.5);
        p.drawEllipse(boca + QPointF(1, 16), 2, 1.5);
    }
}

// Replacement: the dead seedling goes, a new one takes its place.
void reposicao(QPainter& p, int i) {
    fundoBotao(p);
    muda(p, QPointF(24, CHAO + 1), 28, 1.5);
    muda(p, QPointF(116, CHAO + 1), 28, 1.5);
    const QPointF lugar(70, CHAO + 1);
    QPointF maoPos;
    bool fechada = false;
    if (i <= 3) {
        muda(p, lugar, 34, 1.8, true);
        maoPos = QPointF(76, lerp(4, 56, i / 3.0));
    } else if (i <= 6) {
        fechada = true;
        const QPointF b = lugar + QPointF(-(i - 3) * 14, -(i - 3) * 16);
        raizes(p, b, 1.3);
        muda(p, b, 34, 1.8, true);
        maoPos = b + QPointF(12, -18);
    } else if (i <= 9) {
        fechada = true;
        const QPointF b = lerp(QPointF(126, 30), lugar, (i - 6) / 3.0);
        p.setPen(contorno(QColor(120, 80, 50), 1.0));
        p.setBrush(QColor(120, 80, 50));
        p.drawEllipse(b + QPointF(0, 3), 7, 5);
        muda(p, b, 24, 1.5);
        maoPos = b + QPointF(3, -26);
    } else {
        muda(p, lugar, 24, 1.5);
        torroes(p, lugar, 9, 7, 120 + i);
        maoPos = lerp(QPointF(80, 40), QPointF(128, 2), (i - 9) / 3.0);
    }
    if (i >= 4 && i <= 6)
        torroes(p, lugar, 8, 6, 130);
    mao(p, QPointF(maoPos.x() + 36, -24), maoPos, 1.3, fechada);
}

// Building the garden: three raised beds rise one after another.
void construindoHorta(QPainter& p, int k) {
    fundoBotao(p, 90, 17);
    double atual = 20;
    for (int j = 0; j < 3; ++j) {
        const double t = std::clamp((k - 1 - j * 3) / 3.0, 0.0, 1.0);
        const double x = 6 + j * 44;
        if (t > 0) {
            const double h = 16 * t;
            p.setPen(contorno(QColor(125, 84, 52), 1.0));
            p.setBrush(QColor(125, 84, 52));
            p.drawRoundedRect(QRectF(x, 90 - h, 40, h + 4), 5, 5);
            p.setPen(QPen(QColor(95, 62, 38), 1.0));
            p.drawLine(QPointF(x + 4, 94 - h * 0.5), QPointF(x + 36, 94 - h * 0.5));
        }
        if (t > 0 && t < 1)
            atual = x + 20;
    }
    if (k >= 10) {
        for (int j = 0; j < 3; ++j)
            for (int s = 0; s < 3; ++s)
                muda(p, QPointF(14 + j * 44 + s * 12, 74), 10, 1.0);
        atual = 120;
    }
    const double l = (k % 2) ? 0.9 : 0.15;
    const QPointF lamina = QPointF(atual, 84) + QPointF(0, -34) * l;
    const QPointF punho(atual + 36, 36 - 10 * l);
    enxada(p, punho + QPointF(4, -5), lamina, 1.2);
    mao(p, QPointF(punho.x() + 30, -20), punho, 1.2, true);
}

using Quadro = std::function<void(QPainter&, int)>;
struct Animacao {
    double lw, lh;
    Quadro desenha;
};

const std::map<QString, Animacao>& animacoes() {
    static const std::map<QString, Animacao> m = {
        {"li", {BW, BH, limpeza}},
        {"des", {BW, BH, desbaste}},
        {"amo", {BW, BH, amontoa}},
        {"cop", {BW, BH, colheitaParcial}},
        {"cof", {BW, BH, colheitaFinal}},
        {"tra", {BW, BH, transplante}},
        {"ssem", {BW, BH, botaoSementeira}},
        {"enx", {BW, BH, [](QPainter& p, int i) { enxadaNaHorta(p, i, false); }}},
        {"enxc", {BW, BH, [](QPainter& p, int i) { enxadaNaHorta(p, i, true); }}},
        {"hort", {160, 140, hortelaoAndando}},
        {"age", {160, 120, agendaVirando}},
        {"mudas", {160, 132, mudasCrescendo}},
        {"planet", {140, 136, planeta}},
        {"cesta", {160, 132, cestaEnchendo}},
        {"port", {160, 132, portaAbrindo}},
        {"int", {100, 138, interroga}},
        {"imp", {BW, BH, imprimindo}},
        {"pla", {BW, BH, plantio}},
        {"sem", {BW, BH, semeadura}},
        {"rep", {BW, BH, reposicao}},
        {"hortel", {BW, BH, construindoHorta}},
    };
    return m;
}

// Growth of a seedbed lot, week by week (0 = the seed in the soil).
void crescimento(QPainter& p, int idade, bool vazio) {
    const double W = 78, H = 170, terra = 132;
    ceu(p, QRectF(0, 0, W, terra), vazio ? QColor(225, 225, 225) : QColor(214, 238, 255),
        vazio ? QColor(240, 240, 240) : QColor(245, 252, 238));
    solo(p, QRectF(0, terra, W, H - terra), 21, false);
    if (vazio) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 0));
        return;
    }
    const QPointF base(W / 2, terra + 2);
    if (idade == 0) {
        p.setPen(contorno(QColor(200, 160, 90), 1.0));
        p.setBrush(QColor(215, 175, 100));
        p.drawEllipse(base + QPointF(0, 6), 6, 4);
    } else if (idade == 1) {
        p.setPen(QPen(QColor(120, 180, 80), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath gancho;
        gancho.moveTo(base + QPointF(0, 2));
        gancho.cubicTo(base + QPointF(0, -10), base + QPointF(8, -14), base + QPointF(8, -6));
        p.drawPath(gancho);
    } else {
        const double altura = 14 + (idade - 2) * 16;
        const QPointF topo = base + QPointF(0, -altura);
        p.setPen(QPen(QColor(70, 150, 60), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, topo);
        // True leaves in pairs up the stem, the seed leaves at the top.
        const int pares = idade - 2;
        for (int k = 0; k < pares; ++k) {
            const QPointF n = base + (topo - base) * ((k + 0.7) / (pares + 1.0));
            const double t = 10 + k * 1.2;
            const bool esquerda = k % 2;
            folha(p, n, n + QPointF(esquerda ? -t * 1.5 : t * 1.5, -t * 0.7), t * 0.45, QColor(67, 160, 71), 1.0, true);
        }
        folha(p, topo, topo + QPointF(-11, -6), 4, QColor(124, 179, 66), 1.0, false);
        folha(p, topo, topo + QPointF(11, -6), 4, QColor(139, 195, 74), 1.0, false);
    }
    texto(p, QRectF(2, 2, W - 4, 18), QString("%1 sem.").arg(idade), 15, QColor(46, 90, 46), true);
}

void minhoca(QPainter& p, bool paraEsquerda, int d) {
    const double W = 60, H = 34;
    solo(p, QRectF(0, 0, W, H), 31, false);
    p.save();
    if (!paraEsquerda) {
        p.translate(W, 0);
        p.scale(-1, 1);
    }
    static const double corcova[] = {0, 5, 10, 14};
    static const double comprimento[] = {50, 45, 40, 35};
    const double L = comprimento[d % 4], h = corcova[d % 4];
    const double x0 = 6 + (50 - L) * 0.2;
    const int n = 12;
    for (int k = n; k >= 0; --k) {
        const double s = k / double(n);
        const QPointF c(x0 + s * L, 25 - h * std::sin(M_PI * std::clamp((s - 0.15) / 0.7, 0.0, 1.0)));
        const double r = k == 0 ? 5.2 : 4.4 - s * 1.4;
        p.setPen(contorno(QColor(236, 128, 138), 0.9));
        p.setBrush(k == 3 ? QColor(214, 92, 110) : QColor(240, 140, 150));
        p.drawEllipse(c, r, r);
    }
    const QPointF cabeca(x0, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(cabeca + QPointF(-1, -2), 2, 2);
    p.setBrush(Qt::black);
    p.drawEllipse(cabeca + QPointF(-1.5, -2), 1, 1);
    p.restore();
}

void maoPonteiro(QPainter& p, bool ajuda) {
    const QColor luva(102, 187, 106), linha(27, 94, 32);
    QPainterPath mao;
    mao.addRoundedRect(QRectF(9.5, 0.5, 5, 15), 2.5, 2.5);
    mao.addRoundedRect(QRectF(8, 11, 15, 14), 4, 4);
    mao.addRoundedRect(QRectF(14.5, 9, 4.5, 6), 2, 2);
    mao.addRoundedRect(QRectF(18.5, 10, 4.5, 6), 2, 2);
    mao.addRoundedRect(QRectF(3, 15, 8, 5), 2.5, 2.5);
    mao = mao.simplified();
    p.setPen(QPen(linha, 1.2));
    p.setBrush(luva);
    p.drawPath(mao);
    p.setPen(QPen(luva.lighter(140), 1.0));
    p.drawLine(QPointF(11.5, 3), QPointF(11.5, 10));
    p.setPen(QPen(linha, 1.2));
    p.setBrush(QColor(141, 110, 99));
    p.drawRoundedRect(QRectF(8.5, 24.5, 14, 6), 1.5, 1.5);
    if (ajuda) {
        p.setPen(QPen(QColor(21, 101, 192), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath q;
        q.moveTo(23, 4);
        q.cubicTo(23, -0.5, 30.5, -0.5, 30.5, 3.5);
        q.cubicTo(30.5, 6.5, 26.5, 6.5, 26.5, 9.5);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(21, 101, 192));
        p.drawEllipse(QPointF(26.5, 13), 1.4, 1.4);
    }
}

void iconeArraste(QPainter& p) {
    p.setPen(contorno(QColor(121, 85, 72), 1.0));
    p.setBrush(QColor(121, 85, 72));
    p.drawEllipse(QPointF(16, 25), 9, 6);
    torroes(p, QPointF(16, 25), 6, 5, 3);
    muda(p, QPointF(16, 22), 14, 1.3);
}

void trofeu(QPainter& p, double w, double h) {
    p.scale(w / 80.0, h / 80.0);
    ceu(p, QRectF(0, 0, 80, 80), QColor(255, 248, 225), QColor(255, 236, 179));
    const QColor ouro(255, 193, 7);
    p.setPen(QPen(ouro.darker(140), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 16, 18, 20), 90 * 16, 180 * 16);
    p.drawArc(QRectF(50, 16, 18, 20), -90 * 16, 180 * 16);
    QPainterPath taca;
    taca.moveTo(20, 12);
    taca.lineTo(60, 12);
    taca.cubicTo(60, 40, 48, 48, 40, 48);
    taca.cubicTo(32, 48, 20, 40, 20, 12);
    p.setPen(contorno(ouro, 1.5));
    p.setBrush(ouro);
    p.drawPath(taca);
    p.drawRect(QRectF(36, 48, 8, 12));
    p.setBrush(QColor(121, 85, 72));
    p.drawRoundedRect(QRectF(24, 60, 32, 10), 2, 2);
    QPolygonF estrela;
    for (int k = 0; k < 10; ++k) {
        const double a = -M_PI / 2 + k * M_PI / 5;
        const double r = k % 2 ? 4.5 : 10;
        estrela << QPointF(40 + std::cos(a) * r, 28 + std::sin(a) * r);
    }
    p.setPen(contorno(QColor(255, 255, 255), 1.0));
    p.setBrush(QColor(255, 253, 231));
    p.drawPolygon(estrela);
}

void hortelaoExclamacao(QPainter& p, double w, double h) {
    p.scale(w / 200.0, h / 262.0);
    ceu(p, QRectF(0, 0, 200, 262), QColor(232, 245, 233), QColor(255, 255, 255));
    p.setPen(contorno(QColor(229, 57, 53), 3));
    p.setBrush(QColor(229, 57, 53));
    QPainterPath barra;
    barra.moveTo(136, 20);
    barra.lineTo(184, 20);
    barra.lineTo(172, 186);
    barra.lineTo(148, 186);
    barra.closeSubpath();
    p.drawPath(barra);
    p.drawEllipse(QPointF(160, 224), 18, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRoundedRect(QRectF(144, 30, 8, 120), 4, 4);
    figuras::Pose pose;
    pose.braco = 0.3;
    p.save();
    p.translate(70, 255);
    p.rotate(6);
    figuras::hortelao(p, QPointF(0, 0), 226, pose);
    p.restore();
    // His hand resting on the bar.
    p.setPen(contorno(QColor(241, 194, 150), 2));
    p.setBrush(QColor(241, 194, 150));
    p.drawEllipse(QPointF(140, 112), 8, 8);
    p.setPen(QPen(QColor(211, 47, 47), 13, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(106, 120), QPointF(133, 113));
}

void hortelaoInterrogacao(QPainter& p, double w, double h) {
    p.scale(w / 160.0, h / 220.0);
    ceu(p, QRectF(0, 0, 160, 220), QColor(227, 242, 253), QColor(255, 255, 255));
    QPainterPath gancho;
    gancho.moveTo(24, 70);
    gancho.cubicTo(24, 10, 136, 4, 136, 64);
    gancho.cubicTo(136, 104, 84, 104, 84, 150);
    p.setPen(QPen(QColor(13, 71, 161), 22, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gancho);
    p.setPen(QPen(QColor(66, 165, 245), 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(gancho);
    p.setPen(contorno(QColor(66, 165, 245), 3));
    p.setBrush(QColor(66, 165, 245));
    p.drawEllipse(QPointF(84, 196), 14, 14);
    // The gardener inside the curl, scratching his head.
    figuras::Pose pose;
    pose.acenando = true;
    pose.aceno = 1.0;
    pose.sorriso = false;
    figuras::hortelao(p, QPointF(72, 128), 84, pose);
}

}  // namespace

bool pintaQuadro(QPainter& p, double w, double h, const QString& anim, int i) {
    const auto& m = animacoes();
    const auto it = m.find(anim);
    if (it == m.end())
        return false;
    p.save();
    p.scale(w / it->second.lw, h / it->second.lh);
    it->second.desenha(p, i);
    p.restore();
    return true;
}

bool pintaObjeto(QPainter& p, double w, double h, const QString& tipo, const QStringList& a) {
    const int n = a.isEmpty() ? 0 : a[0].toInt();
    p.save();
    bool feito = true;
    if (tipo == "weekday") {
        p.scale(w / 150.0, h / 122.0);
        ceu(p, QRectF(0, 0, 150, 122), QColor(230, 242, 255), QColor(250, 252, 245));
        figuras::folhinha(p, QRectF(0, 0, 150, 122), n);
    } else if (tipo == "cresce" || tipo == "crescepb") {
        p.scale(w / 78.0, h / 170.0);
        crescimento(p, n, tipo == "crescepb");
    } else if (tipo == "worm" && a.size() >= 2) {
        p.scale(w / 60.0, h / 34.0);
        minhoca(p, a[0] == "left", a[1].toInt());
    } else if (tipo == "hortelin") {
        p.scale(w / 160.0, h / 140.0);
        ceu(p, QRectF(0, 0, 160, 140), QColor(196, 230, 255), QColor(238, 248, 232));
        grama(p, QRectF(0, 120, 160, 20), 9);
        figuras::Pose pose;
        pose.acenando = true;
        pose.aceno = -0.5;
        figuras::hortelao(p, QPointF(80, 132), 122, pose);
    } else if (tipo == "sa00") {
        figuras::porteira(p, QRectF(0, 0, w, h));
    } else if (tipo == "carrin3") {
        p.scale(w / 80.0, h / 66.0);
        ceu(p, QRectF(0, 0, 80, 66), QColor(255, 243, 224), QColor(255, 250, 240));
        figuras::carrinho(p, QRectF(0, 0, 80, 66));
    } else if (tipo == "semenc" || tipo == "semencpb") {
        pintaQuadro(p, w, h, "ssem", 7);
    } else if (tipo == "trab3" || tipo == "trab3pb") {
        pintaQuadro(p, w, h, "enx", 4);
    } else if (tipo == "agendabtn") {
        pintaQuadro(p, w, h, "age", 10);
    } else if (tipo == "figure" && !a.isEmpty()) {
        if (a[0] == "exclaim")
            hortelaoExclamacao(p, w, h);
        else if (a[0] == "question")
            hortelaoInterrogacao(p, w, h);
        else if (a[0] == "trophy")
            trofeu(p, w, h);
        else
            feito = false;
    } else if (tipo == "pointer") {
        p.scale(w / 32.0, h / 32.0);
        maoPonteiro(p, !a.isEmpty() && a[0] == "help");
    } else if (tipo == "dragicon") {
        p.scale(w / 32.0, h / 32.0);
        iconeArraste(p);
    } else {
        feito = false;
    }
    p.restore();
    return feito;
}

}  // namespace gerador
