#pragma once
// The large pictures: screen backgrounds, the garden grid, the picture
// notices, the memory cards and the market's name plates.

#include <QPainter>
#include <QString>
#include <QStringList>

namespace gerador {

// By kind and arguments of the manifest: "bg" menu|intro|garden|seedbed|
// agenda|market|paper, "grid", "notice" <name>, "card" <n>, "plate" <text>.
bool pintaCena(QPainter& p, double w, double h, const QString& tipo, const QStringList& args);

}  // namespace gerador
