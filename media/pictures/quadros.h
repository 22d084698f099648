#pragma once
// Animation frames of the picture buttons and the small pictures of the
// screens: weekday leaves, growth stages, the earthworm, the gardener's
// figures, button pictures, pointers and drag icons.

#include <QPainter>
#include <QString>
#include <QStringList>

namespace gerador {

// Frame `i` of animation `anim` ("li", "des", "amo", "cop", "cof", "tra",
// "ssem", "enx", "enxc", "hort", "age", "mudas", "planet", "cesta", "port",
// "int", "imp", "pla", "sem", "rep", "hortel") on a w x h picture.
bool pintaQuadro(QPainter& p, double w, double h, const QString& anim, int i);

// Other small pictures, by kind and arguments of the manifest ("weekday" 3,
// "cresce" 5, "worm" left 2, "figure" exclaim, "pointer" hand, ...).
bool pintaObjeto(QPainter& p, double w, double h, const QString& tipo, const QStringList& args);

}  // namespace gerador
