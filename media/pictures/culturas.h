#pragma once
// The 21 vegetables of the garden (and the watering can of the memory game),
// each drawn to fill a square box, keyed by the three-letter stem of its
// picture file ("alf", "chi", ... "pep"; "reg" the watering can).

#include <QPainter>
#include <QRectF>
#include <QString>

namespace gerador::culturas {

// False when the stem names no drawing (nothing is drawn then).
bool desenha(QPainter& p, const QRectF& caixa, const QString& sigla);

}  // namespace gerador::culturas
