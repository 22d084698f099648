#pragma once
// The game's recurring figures and objects: the gardener, the globe, the
// agenda book, the door, the printer, the calendar leaf and the question mark.

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace gerador::figuras {

struct Pose {
    double passo = 0.0;     // leg swing, -1..1
    double braco = 0.0;     // arm swing, -1..1
    bool acenando = false;  // right arm raised, waving
    double aceno = 0.0;     // wave angle, -1..1
    bool sorriso = true;
};

// The gardener standing on `pes`, `altura` tall (hat included).
void hortelao(QPainter& p, QPointF pes, double altura, const Pose& pose = {});
// Head and shoulders only (for small pictures), centred in the box.
void rostoHortelao(QPainter& p, const QRectF& r, double aceno);

// A school globe turned by `giro` degrees.
void globo(QPainter& p, QPointF centro, double raio, double giro, bool suporte = true);
// The agenda: `fase` < 0 closed; 0..1 a page turning from right to left.
void agenda(QPainter& p, const QRectF& r, double fase);
// A door in its frame, `abertura` 0 closed to 1 wide open.
void porta(QPainter& p, const QRectF& r, double abertura);
// A printer with its sheet `papel` 0..1 out.
void impressora(QPainter& p, const QRectF& r, double papel);
// A calendar leaf with the weekday's name (1 Sunday .. 7 Saturday).
void folhinha(QPainter& p, const QRectF& r, int dia);
QString nomeDoDia(int dia);
// A green question mark with a leaf, lifted by `salto` (pixels) and tilted.
void interrogacao(QPainter& p, const QRectF& r, double salto, double giro);
// A farm gate.
void porteira(QPainter& p, const QRectF& r);
// A market cart loaded with vegetables.
void carrinho(QPainter& p, const QRectF& r);

}  // namespace gerador::figuras
