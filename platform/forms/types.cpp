#include "platform/forms/types.h"

#include <QColor>
#include <QFont>

#include <algorithm>
#include <cmath>
#include <string>

namespace platform::forms {

namespace {

// Classic system colours, so the screens look the same on every desktop theme.
QColor SystemColor(std::uint32_t index) {
    switch (index) {
    case 0x00: return QColor(0xC8, 0xC8, 0xC8);  // scroll bars
    case 0x01: return QColor(0x00, 0x80, 0x80);  // desktop
    case 0x02: return QColor(0x00, 0x00, 0x80);  // active title bar
    case 0x03: return QColor(0x80, 0x80, 0x80);  // inactive title bar
    case 0x04: return QColor(0xC0, 0xC0, 0xC0);  // menu bar
    case 0x05: return QColor(0xFF, 0xFF, 0xFF);  // window background
    case 0x06: return QColor(0x00, 0x00, 0x00);  // window frame
    case 0x07: return QColor(0x00, 0x00, 0x00);  // menu text
    case 0x08: return QColor(0x00, 0x00, 0x00);  // window text
    case 0x09: return QColor(0xFF, 0xFF, 0xFF);  // title bar text
    case 0x0A: return QColor(0xC0, 0xC0, 0xC0);  // active border
    case 0x0B: return QColor(0xC0, 0xC0, 0xC0);  // inactive border
    case 0x0C: return QColor(0x80, 0x80, 0x80);  // application workspace
    case 0x0D: return QColor(0x00, 0x00, 0x80);  // highlight
    case 0x0E: return QColor(0xFF, 0xFF, 0xFF);  // highlight text
    case 0x0F: return QColor(0xC0, 0xC0, 0xC0);  // button face
    case 0x10: return QColor(0x80, 0x80, 0x80);  // button shadow
    case 0x11: return QColor(0x80, 0x80, 0x80);  // grey text
    case 0x12: return QColor(0x00, 0x00, 0x00);  // button text
    case 0x13: return QColor(0xC0, 0xC0, 0xC0);  // inactive caption text
    case 0x14: return QColor(0xFF, 0xFF, 0xFF);  // button highlight
    case 0x15: return QColor(0x40, 0x40, 0x40);  // 3D dark shadow
    case 0x16: return QColor(0xDF, 0xDF, 0xDF);  // 3D light
    case 0x17: return QColor(0x00, 0x00, 0x00);  // tooltip text
    case 0x18: return QColor(0xFF, 0xFF, 0xE1);  // tooltip background
    default: return QColor(0xC0, 0xC0, 0xC0);
    }
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

}  // namespace

QColor ToQColor(Color c) {
    if (c & 0x80000000u) return SystemColor(c & 0xFFu);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QFont ToQFont(const Font& f) {
    const std::string n = Lower(f.Name);
    QString family = QStringLiteral("Liberation Sans");
    if (n == "ms serif" || n == "times new roman" || n == "times" || n == "serif")
        family = QStringLiteral("Liberation Serif");
    else if (n == "courier new" || n == "courier" || n == "fixedsys")
        family = QStringLiteral("Liberation Mono");
    // Letters the text font lacks (emoji in a player's name) come from the
    // colour emoji font instead of showing as empty boxes.
    QFont q;
    q.setFamilies({family, QStringLiteral("Noto Color Emoji")});
    // Points at 96 dpi, as whole design pixels so that text measures the same
    // on every display (the screen scale is applied by the painter).
    q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.Size * 96.0 / 72.0))));
    q.setBold(f.Bold);
    q.setItalic(f.Italic);
    q.setUnderline(f.Underline);
    q.setStyleStrategy(QFont::PreferAntialias);
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

}  // namespace platform::forms
