#pragma once
// Drawing helpers shared by every picture of the game: colours, leaves, soil,
// sky, text that fits a box, simple hands and tools.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace gerador {

// Small deterministic random source (textures must be the same on every build).
class Sorteio {
public:
    explicit Sorteio(std::uint32_t semente) : s_(semente ? semente : 1u) {}
    std::uint32_t proximo() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    double real(double a, double b) { return a + (b - a) * (proximo() % 100000) / 100000.0; }

private:
    std::uint32_t s_;
};

QColor mistura(const QColor& a, const QColor& b, double t);
QPen contorno(const QColor& preenchimento, double largura);

// A leaf from base to tip, as wide as `largura` at its middle.
QPainterPath caminhoFolha(QPointF base, QPointF ponta, double largura, double curva = 0.0);
void folha(QPainter& p, QPointF base, QPointF ponta, double largura, const QColor& cor,
           double traco, bool nervura = true, double curva = 0.0);

// A closed wavy outline around a centre (ruffled leaves, clouds, florets).
QPainterPath bolha(QPointF centro, double rx, double ry, double amplitude, int ondas,
                   double fase = 0.0);

// Ground and sky.
void solo(QPainter& p, const QRectF& r, std::uint32_t semente, bool sulcos = true);
void ceu(QPainter& p, const QRectF& r, const QColor& alto, const QColor& baixo);
void grama(QPainter& p, const QRectF& r, std::uint32_t semente);
void nuvem(QPainter& p, QPointF centro, double escala);
void sol(QPainter& p, QPointF centro, double raio);

// Text in Liberation Sans, shrunk until it fits the box.
void texto(QPainter& p, const QRectF& r, const QString& s, double tamanhoPx, const QColor& cor,
           bool negrito = true, int alinhamento = Qt::AlignCenter, bool quebra = false);

// A cartoon hand at `ponta` with its sleeve reaching in from `ombro`.
void mao(QPainter& p, QPointF ombro, QPointF ponta, double escala, bool fechada = false);
// A hoe held at `cabo` whose blade sits at `lamina`.
void enxada(QPainter& p, QPointF cabo, QPointF lamina, double escala);
// A small seedling standing on `base`.
void muda(QPainter& p, QPointF base, double altura, double escala, bool murcha = false);
// A weed tuft.
void mato(QPainter& p, QPointF base, double escala, double giro = 0.0);
// A wicker basket; `conteudo` items (0..9) peek above the rim.
void cesta(QPainter& p, const QRectF& r, int conteudo);
// A seedling tray with `celulas` cells on a row.
void bandeja(QPainter& p, const QRectF& r, int celulas);
// A sprinkle of soil clods.
void torroes(QPainter& p, QPointF centro, double raio, int quantos, std::uint32_t semente);

// Turns a picture into the grey twin of a disabled button.
QImage cinzento(const QImage& img);

}  // namespace gerador
