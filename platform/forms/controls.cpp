#include "platform/forms/controls.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/forms/form.h"
#include "platform/forms/internal.h"
#include "platform/text.h"

namespace platform::forms {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A classic two-pixel bevel around r (design pixels).
void Bevel(QPainter& p, const QRectF& r, bool raised) {
    const QColor light = ToQColor(SysColor::ButtonHighlight);
    const QColor shadow = ToQColor(SysColor::ButtonShadow);
    const QColor dark(0x40, 0x40, 0x40);
    const QColor face(0xDF, 0xDF, 0xDF);
    const QColor tl1 = raised ? face : shadow, br1 = raised ? dark : light;
    const QColor tl2 = raised ? light : dark, br2 = raised ? shadow : face;
    p.save();
    p.setBrush(Qt::NoBrush);
    auto frame = [&](const QRectF& f, const QColor& tl, const QColor& br) {
        p.fillRect(QRectF(f.left(), f.top(), f.width(), 1), tl);
        p.fillRect(QRectF(f.left(), f.top(), 1, f.height()), tl);
        p.fillRect(QRectF(f.left(), f.bottom() - 1, f.width(), 1), br);
        p.fillRect(QRectF(f.right() - 1, f.top(), 1, f.height()), br);
    };
    frame(r, tl1, br1);
    frame(r.adjusted(1, 1, -1, -1), tl2, br2);
    p.restore();
}

void SunkenField(QPainter& p, const QRectF& r, Color back) {
    p.fillRect(r, ToQColor(back));
    Bevel(p, r, false);
}

int AlignFlag(int alignment) {
    switch (alignment) {
    case vbRightJustify: return Qt::AlignRight;
    case vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

void FocusRect(QPainter& p, const QRectF& r) {
    p.save();
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    pen.setWidthF(1.0);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.restore();
}

// Re-seats a windowless control below the windowed ones (the base constructor
// could not know it was windowless).
void Reseat(Control* c) {
    Container& parent = c->Parent();
    parent.RemoveChild(c);
    parent.AddChild(c);
}

double PxToParentUnits(const Control& c, double px) { return c.Parent().PixelsToUnits(px); }

}  // namespace


// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    width_ = parent->PixelsToUnits(100);
    height_ = parent->PixelsToUnits(100);
    backColor_ = SysColor::ButtonFace;
    foreColor_ = SysColor::ButtonText;
}

void PictureBox::SetPicture(const forms::Picture& p) {
    picture_ = p;
    if (autoSize_ && !p.IsEmpty()) {
        const int b = borderStyle_ ? 4 : 0;
        Move(left_, top_, static_cast<int>(std::lround(PxToParentUnits(*this, p.PixelWidth() + b))),
             static_cast<int>(std::lround(PxToParentUnits(*this, p.PixelHeight() + b))));
    }
    Invalidate();
}

void PictureBox::LoadPicture(const std::string& gamePath) { SetPicture(forms::LoadPicture(gamePath)); }

void PictureBox::SetAutoSize(bool v) {
    autoSize_ = v;
    if (v) SetPicture(picture_);
}

void PictureBox::SetBorderStyle(int v) {
    borderStyle_ = v;
    Invalidate();
}

QRectF PictureBox::ClientRectPx() const {
    const QRectF r = RectPx();
    return borderStyle_ ? r.adjusted(2, 2, -2, -2) : r;
}

void PictureBox::Cls() {
    ops_.clear();
    currentX_ = currentY_ = 0;
    Invalidate();
}

void PictureBox::Print(const std::string& text, bool lineBreak) {
    if (!text.empty()) {
        DrawOp op;
        op.text = text;
        op.font = font_;
        op.color = foreColor_;
        op.x = UnitsToPixels(currentX_);
        op.y = UnitsToPixels(currentY_);
        ops_.push_back(std::move(op));
    }
    if (lineBreak) {
        currentX_ = 0;
        currentY_ += TextHeight("Ag");
    } else {
        currentX_ += TextWidth(text);
    }
    Invalidate();
}

double PictureBox::TextWidth(const std::string& text) const {
    QFontMetricsF fm(ToQFont(font_));
    return PixelsToUnits(fm.horizontalAdvance(Q(text)));
}

double PictureBox::TextHeight(const std::string& text) const {
    QFontMetricsF fm(ToQFont(font_));
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return PixelsToUnits(fm.height() * lines);
}

void PictureBox::PaintPicture(const forms::Picture& pic, double x, double y, double width, double height) {
    if (pic.IsEmpty()) return;
    DrawOp op;
    op.isText = false;
    op.picture = pic;
    op.x = UnitsToPixels(x);
    op.y = UnitsToPixels(y);
    op.w = width < 0 ? pic.PixelWidth() : UnitsToPixels(width);
    op.h = height < 0 ? pic.PixelHeight() : UnitsToPixels(height);
    ops_.push_back(std::move(op));
    Invalidate();
}

void PictureBox::Paint(QPainter& p) const {
    const QRectF client = ClientRectPx();
    p.fillRect(client, ToQColor(backColor_));
    p.save();
    p.setClipRect(client, Qt::IntersectClip);
    if (!picture_.IsEmpty())
        detail::DrawPicture(p, picture_, QRectF(client.topLeft(), QSizeF(picture_.PixelWidth(), picture_.PixelHeight())),
                            false);
    for (const DrawOp& op : ops_) {
        if (op.isText) {
            QFont qf = ToQFont(op.font);
            p.setFont(qf);
            p.setPen(ToQColor(op.color));
            QFontMetricsF fm(qf);
            p.drawText(QPointF(client.left() + op.x, client.top() + op.y + fm.ascent()), Q(op.text));
        } else {
            detail::DrawPicture(p, op.picture, QRectF(client.left() + op.x, client.top() + op.y, op.w, op.h), true);
        }
    }
    p.restore();
    if (borderStyle_) Bevel(p, RectPx(), false);
}

void PictureBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const PictureBox*>(&other)) {
        picture_ = o->picture_;
        autoSize_ = o->autoSize_;
        borderStyle_ = o->borderStyle_;
        scaleMode_ = o->scaleMode_;
    }
}

// ---------------------------------------------------------------- Image

Image::Image(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    Reseat(this);
    width_ = parent->PixelsToUnits(32);
    height_ = parent->PixelsToUnits(32);
}

void Image::SetPicture(const forms::Picture& p) {
    picture_ = p;
    if (!stretch_ && !p.IsEmpty()) {
        const int b = borderStyle_ ? 2 : 0;
        Move(left_, top_, static_cast<int>(std::lround(PxToParentUnits(*this, p.PixelWidth() + b))),
             static_cast<int>(std::lround(PxToParentUnits(*this, p.PixelHeight() + b))));
    }
    Invalidate();
}

void Image::LoadPicture(const std::string& gamePath) { SetPicture(forms::LoadPicture(gamePath)); }

void Image::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void Image::SetBorderStyle(int v) {
    borderStyle_ = v;
    Invalidate();
}

void Image::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    const QRectF inner = borderStyle_ ? r.adjusted(1, 1, -1, -1) : r;
    if (!picture_.IsEmpty()) {
        if (stretch_) {
            detail::DrawPicture(p, picture_, inner, true);
        } else {
            p.save();
            p.setClipRect(inner, Qt::IntersectClip);
            detail::DrawPicture(p, picture_, QRectF(inner.topLeft(), QSizeF(picture_.PixelWidth(), picture_.PixelHeight())),
                                false);
            p.restore();
        }
    }
    if (borderStyle_) {
        p.save();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        p.restore();
    }
}

void Image::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const Image*>(&other)) {
        picture_ = o->picture_;
        stretch_ = o->stretch_;
        borderStyle_ = o->borderStyle_;
    }
}

// ---------------------------------------------------------------- Label

Label::Label(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    Reseat(this);
    backColor_ = SysColor::ButtonFace;
    foreColor_ = SysColor::ButtonText;
}

void Label::SetCaption(std::string v) {
    caption_ = std::move(v);
    Invalidate();
}
void Label::SetAlignment(int v) {
    alignment_ = v;
    Invalidate();
}
void Label::SetBackStyle(int v) {
    backStyle_ = v;
    Invalidate();
}
void Label::SetWordWrap(bool v) {
    wordWrap_ = v;
    Invalidate();
}
void Label::SetBorderStyle(int v) {
    borderStyle_ = v;
    Invalidate();
}

namespace {

// A caption's text as shown: access-key marks ("&") as the caption means them.
QString WrappedText(const std::string& caption) {
    QString t = QString::fromStdString(caption);
    t.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    t.remove(QLatin1Char('&'));
    t.replace(QChar(0xE000), QLatin1Char('&'));
    return t;
}

// A caption laid out in lines at a width, as the platform's own labels do it:
// a line takes words while their advances fit (spaces at its end and the
// overhang of an italic last letter do not count), breaks between words, and
// inside a word only where that word alone is wider than the line: the whole
// text stays readable. A folder path is one word (no break after its "/"
// while it fits on a line of its own); one wider than the line breaks after
// the last "/" that fits, between letters only when no "/" does.
struct CaptionLines {
    std::vector<QString> lines;
    double lineHeight = 0, ascent = 0;
    double ink = 0;           // height of the letters of one line, descenders included
    bool wordBroken = false;  // a word wider than the line was broken
    double widest = 0;        // advance of the widest line
};

double Advance(const QFontMetricsF& fm, const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return fm.horizontalAdvance(s.left(n));
}

CaptionLines LayOutCaption(const QFont& font, double width, const QString& text, bool wrap) {
    CaptionLines r;
    const QFontMetricsF fm(font);
    {
        QTextLayout one(QStringLiteral("X"), font);
        one.beginLayout();
        QTextLine line = one.createLine();
        line.setLineWidth(1e6);
        r.lineHeight = line.height();
        r.ascent = line.ascent();
        r.ink = fm.ascent() + fm.descent();
        one.endLayout();
    }
    const double fits = width + 0.01;
    QString all = text;
    all.remove(QLatin1Char('\r'));
    for (const QString& para : all.split(QLatin1Char('\n'))) {
        if (!wrap) {
            r.lines.push_back(para);
            continue;
        }
        // The pieces between break opportunities, each with its spaces.
        std::vector<QString> pieces;
        QTextBoundaryFinder lb(QTextBoundaryFinder::Line, para);
        qsizetype from = 0;
        for (qsizetype at = lb.toNextBoundary(); at != -1; at = lb.toNextBoundary()) {
            if (at > from) {
                const QString piece = para.mid(from, at - from);
                if (!pieces.empty() && pieces.back().endsWith(QLatin1Char('/')))
                    pieces.back() += piece;  // the rest of a path
                else
                    pieces.push_back(piece);
            }
            from = at;
        }
        if (from < para.size()) pieces.push_back(para.mid(from));
        QString line;
        for (const QString& piece : pieces) {
            if (Advance(fm, line + piece) <= fits) {
                line += piece;
                continue;
            }
            if (!line.isEmpty()) r.lines.push_back(line);
            line = piece;
            if (Advance(fm, line) <= fits) continue;
            // A word wider than the line: broken between its letters.
            r.wordBroken = true;
            QString rest = line;
            line.clear();
            QTextBoundaryFinder gb(QTextBoundaryFinder::Grapheme, rest);
            qsizetype begin = 0, last = 0, slash = 0;  // slash: after the last "/" that fits
            for (qsizetype at = gb.toNextBoundary(); at != -1; at = gb.toNextBoundary()) {
                while (Advance(fm, rest.mid(begin, at - begin)) > fits && last > begin) {
                    const qsizetype end = slash > begin ? slash : last;
                    r.lines.push_back(rest.mid(begin, end - begin));
                    begin = end;
                }
                if (rest.at(at - 1) == QLatin1Char('/')) slash = at;
                last = at;
            }
            line = rest.mid(begin);
        }
        r.lines.push_back(line);
    }
    for (const QString& l : r.lines) r.widest = std::max(r.widest, Advance(fm, l));
    return r;
}

// How far letters of this font may reach past their advances (an italic
// letter's slant), on the left and on the right.
QMarginsF Overhang(const QFont& font) {
    const QFontMetricsF fm(font);
    return QMarginsF(std::ceil(std::max(0.0, -fm.minLeftBearing())), 0,
                     std::ceil(std::max(0.0, -fm.minRightBearing())), 0);
}

}  // namespace

double Label::CaptionHeight() const {
    const QRectF r = RectPx();
    const double borda = borderStyle_ ? 4 : 0;
    const CaptionLines l = LayOutCaption(ToQFont(font_), r.width() - borda, WrappedText(caption_), wordWrap_);
    return Parent().PixelsToUnits(l.lineHeight * static_cast<double>(l.lines.size()) + borda);
}

bool Label::CaptionCut() const {
    const QRectF r = RectPx();
    const double borda = borderStyle_ ? 4 : 0;
    const CaptionLines l = LayOutCaption(ToQFont(font_), r.width() - borda, WrappedText(caption_), wordWrap_);
    // The last line's letters must fit above the bottom edge; a descender
    // that loses less than half a pixel row there still reads whole.
    const double letters = l.lineHeight * static_cast<double>(l.lines.size() - 1) + l.ink;
    return l.wordBroken || l.widest > r.width() - borda + 0.01 || letters > r.height() - borda + 0.5;
}

void Label::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    if (backStyle_ == vbOpaque) p.fillRect(r, ToQColor(backColor_));
    p.save();
    const QFont font = ToQFont(font_);
    // The slant of an italic letter at either end is drawn whole.
    p.setClipRect(r + Overhang(font), Qt::IntersectClip);
    p.setFont(font);
    p.setPen(ToQColor(enabled_ ? foreColor_ : SysColor::GrayText));
    const QRectF area = borderStyle_ ? r.adjusted(2, 2, -2, -2) : r;
    if (wordWrap_) {
        const CaptionLines l = LayOutCaption(font, area.width(), WrappedText(caption_), true);
        const QFontMetricsF fm(font);
        double y = area.top();
        for (const QString& line : l.lines) {
            if (y >= area.bottom()) break;
            double x = area.left();
            if (alignment_ == vbCenter) x += (area.width() - Advance(fm, line)) / 2.0;
            else if (alignment_ == vbRightJustify) x += area.width() - Advance(fm, line);
            p.drawText(QPointF(x, y + l.ascent), line);
            y += l.lineHeight;
        }
    } else {
        p.drawText(area, AlignFlag(alignment_) | Qt::AlignTop | Qt::TextShowMnemonic, Q(caption_));
    }
    p.restore();
    if (borderStyle_) Bevel(p, r, false);
}

void Label::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const Label*>(&other)) {
        caption_ = o->caption_;
        alignment_ = o->alignment_;
        backStyle_ = o->backStyle_;
        wordWrap_ = o->wordWrap_;
        borderStyle_ = o->borderStyle_;
    }
}

// ---------------------------------------------------------------- CommandButton

CommandButton::CommandButton(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    backColor_ = SysColor::ButtonFace;
    foreColor_ = SysColor::ButtonText;
}

void CommandButton::SetCaption(std::string v) {
    caption_ = std::move(v);
    Invalidate();
}
void CommandButton::SetStyle(int v) {
    style_ = v;
    Invalidate();
}
void CommandButton::SetPicture(const forms::Picture& p) {
    picture_ = p;
    Invalidate();
}
void CommandButton::LoadPicture(const std::string& gamePath) { SetPicture(forms::LoadPicture(gamePath)); }
void CommandButton::SetDisabledPicture(const forms::Picture& p) {
    disabledPicture_ = p;
    Invalidate();
}

void CommandButton::SetDefault(bool v) {
    if (v && parent_) {
        // Only one default button per form.
        std::vector<Container*> todo{&ParentForm()};
        while (!todo.empty()) {
            Container* c = todo.back();
            todo.pop_back();
            for (Control* ch : c->Children()) {
                if (auto* b = dynamic_cast<CommandButton*>(ch); b && b != this && b->default_) {
                    b->default_ = false;
                    b->Invalidate();
                }
                if (auto* cc = ch->AsContainer()) todo.push_back(cc);
            }
        }
    }
    default_ = v;
    Invalidate();
}

char CommandButton::AccessKey() const {
    for (size_t i = 0; i + 1 < caption_.size(); ++i) {
        if (caption_[i] == '&') {
            if (caption_[i + 1] == '&') {
                ++i;
                continue;
            }
            const unsigned char c = static_cast<unsigned char>(caption_[i + 1]);
            if (c < 0x80) return static_cast<char>(std::toupper(c));
            return 0;
        }
    }
    return 0;
}

void CommandButton::Paint(QPainter& p) const {
    QRectF r = RectPx();
    const bool focused = HasFocus();
    const bool sunken = pressed_ && releaseInside_;
    const Color face = style_ == 1 ? backColor_ : SysColor::ButtonFace;
    p.fillRect(r, ToQColor(face));
    if (default_ || focused) {
        p.save();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        p.restore();
        r.adjust(1, 1, -1, -1);
    }
    Bevel(p, r, !sunken);
    QRectF inner = r.adjusted(3, 3, -3, -3);
    if (sunken) inner.translate(1, 1);
    QFontMetricsF fm(ToQFont(font_));
    if (style_ == 1) {
        const forms::Picture& pic = (!enabled_ && !disabledPicture_.IsEmpty()) ? disabledPicture_ : picture_;
        if (!pic.IsEmpty()) {
            const double capH = caption_.empty() ? 0 : fm.height();
            const double areaH = inner.height() - capH;
            QRectF pr(inner.left() + (inner.width() - pic.PixelWidth()) / 2.0,
                      inner.top() + std::max(0.0, (areaH - pic.PixelHeight()) / 2.0), pic.PixelWidth(), pic.PixelHeight());
            p.save();
            p.setClipRect(inner, Qt::IntersectClip);
            if (!enabled_ && disabledPicture_.IsEmpty()) p.setOpacity(0.45);
            detail::DrawPicture(p, pic, pr, false);
            p.restore();
        }
    }
    if (!caption_.empty()) {
        p.save();
        p.setFont(ToQFont(font_));
        int flags = Qt::AlignHCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
        flags |= (style_ == 1 && !picture_.IsEmpty()) ? Qt::AlignBottom : Qt::AlignVCenter;
        if (!enabled_) {
            p.setPen(ToQColor(SysColor::ButtonHighlight));
            p.drawText(inner.translated(1, 1), flags, Q(caption_));
            p.setPen(ToQColor(SysColor::GrayText));
        } else {
            p.setPen(ToQColor(foreColor_));
        }
        p.drawText(inner, flags, Q(caption_));
        p.restore();
    }
    if (focused) FocusRect(p, r.adjusted(3.5, 3.5, -3.5, -3.5));
}

void CommandButton::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const CommandButton*>(&other)) {
        caption_ = o->caption_;
        style_ = o->style_;
        picture_ = o->picture_;
        disabledPicture_ = o->disabledPicture_;
    }
}

void CommandButton::HandleMouseUp(int button, int shift, float x, float y) {
    // Buttons raise MouseUp, then Click when released over themselves.
    Control::HandleMouseUp(button, shift, x, y);
}

void CommandButton::HandleKey(int keyAscii) {
    if (keyAscii == ' ' || keyAscii == vbKeyReturn) Press();
}

void CommandButton::Press() {
    if (!EffectivelyEnabled() || !EffectivelyVisible()) return;
    detail::Raise(*this, OnClick);
}

// ---------------------------------------------------------------- TextBox
// The text is UTF-8; the cursor counts UTF-16 units of it and always stands
// between two characters as the player sees them (grapheme clusters).

namespace {

int PreviousBoundary(const QString& t, int pos) {
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, t);
    f.setPosition(pos);
    return std::max(0, static_cast<int>(f.toPreviousBoundary()));
}

int NextBoundary(const QString& t, int pos) {
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, t);
    f.setPosition(pos);
    const qsizetype n = f.toNextBoundary();
    return n < 0 ? static_cast<int>(t.size()) : static_cast<int>(n);
}

bool AtBoundary(const QString& t, int pos) {
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, t);
    f.setPosition(pos);
    return f.isAtBoundary();
}

// The insertion point within the text, on a character boundary.
int Snap(const QString& t, int pos) {
    pos = std::clamp(pos, 0, static_cast<int>(t.size()));
    return AtBoundary(t, pos) ? pos : PreviousBoundary(t, pos);
}

}  // namespace

TextBox::TextBox(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    backColor_ = SysColor::WindowBackground;
    foreColor_ = SysColor::WindowText;
}

void TextBox::SetText(std::string v) {
    if (maxLength_ > 0) v = platform::LeftVisible(v, maxLength_);
    if (v == text_) return;
    text_ = std::move(v);
    cursor_ = static_cast<int>(Q(text_).size());
    Invalidate();
    detail::Raise(*this, OnChange);
}

void TextBox::SetAlignment(int v) {
    alignment_ = v;
    Invalidate();
}
void TextBox::SetBorderStyle(int v) {
    borderStyle_ = v;
    Invalidate();
}

void TextBox::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    if (borderStyle_)
        SunkenField(p, r, backColor_);
    else
        p.fillRect(r, ToQColor(backColor_));
    const QRectF inner = borderStyle_ ? r.adjusted(3, 2, -3, -2) : r.adjusted(1, 0, -1, 0);
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    QFont qf = ToQFont(font_);
    p.setFont(qf);
    p.setPen(ToQColor(enabled_ ? foreColor_ : SysColor::GrayText));
    const QString t = Q(text_);
    p.drawText(inner, AlignFlag(alignment_) | Qt::AlignVCenter, t);
    if (HasFocus() && enabled_ && !locked_) {
        QFontMetricsF fm(qf);
        const double full = fm.horizontalAdvance(t);
        double start = inner.left();
        if (alignment_ == vbRightJustify) start = inner.right() - full;
        if (alignment_ == vbCenter) start = inner.left() + (inner.width() - full) / 2;
        const double cx = start + fm.horizontalAdvance(t.left(cursor_));
        const double cy = inner.center().y() - fm.height() / 2;
        p.fillRect(QRectF(cx, cy, 1, fm.height()), ToQColor(foreColor_));
    }
    p.restore();
}

void TextBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const TextBox*>(&other)) {
        text_ = o->text_;
        locked_ = o->locked_;
        maxLength_ = o->maxLength_;
        alignment_ = o->alignment_;
        borderStyle_ = o->borderStyle_;
        cursor_ = static_cast<int>(Q(text_).size());
    }
}

void TextBox::HandleMouseDown(int button, int shift, float x, float y) {
    // Place the insertion point at the character boundary nearest the press.
    const QString t = Q(text_);
    QFontMetricsF fm(ToQFont(font_));
    const double px = Parent().UnitsToPixels(x) - 3;
    int best = t.size();
    for (int i = 0; i <= t.size(); i = NextBoundary(t, i)) {
        if (fm.horizontalAdvance(t.left(i)) >= px) {
            best = i;
            break;
        }
        if (i == t.size()) break;
    }
    cursor_ = best;
    Invalidate();
    Control::HandleMouseDown(button, shift, x, y);
}

void TextBox::HandleMouseUp(int button, int shift, float x, float y) { Control::HandleMouseUp(button, shift, x, y); }

void TextBox::HandleKey(int keyAscii) {
    if (locked_ || keyAscii == 0) return;
    if (keyAscii == vbKeyBack) {
        // Backspace takes the whole character before the cursor.
        QString t = Q(text_);
        cursor_ = Snap(t, cursor_);
        if (cursor_ == 0) return;
        const int from = PreviousBoundary(t, cursor_);
        t.remove(from, cursor_ - from);
        ApplyEdit(t, from);
        return;
    }
    // Enter, Escape, Tab and other controls do not edit; nor does a code
    // that is not a character.
    if (keyAscii < 32 || keyAscii == 127 || keyAscii > 0x10FFFF || (keyAscii >= 0xD800 && keyAscii <= 0xDFFF)) return;
    const char32_t code = static_cast<char32_t>(keyAscii);
    Insert(QString::fromUcs4(&code, 1).toStdString());
}

void TextBox::Insert(const std::string& character) {
    if (locked_) return;
    if (maxLength_ > 0 && platform::LenVisible(text_) >= maxLength_) return;
    QString t = Q(text_);
    cursor_ = Snap(t, cursor_);
    const QString c = Q(character);
    t.insert(cursor_, c);
    ApplyEdit(t, cursor_ + static_cast<int>(c.size()));
}

void TextBox::ApplyEdit(const QString& text, int cursor) {
    cursor_ = cursor;
    text_ = text.toStdString();
    Invalidate();
    std::weak_ptr<int> alive = alive_;
    detail::Raise(*this, OnChange);
    if (!alive.expired() && cursor_ != cursor) cursor_ = Snap(Q(text_), cursor);
}

void TextBox::HandleEditKey(int qtKey) {
    QString t = Q(text_);
    cursor_ = Snap(t, cursor_);
    switch (qtKey) {
    case Qt::Key_Left: cursor_ = PreviousBoundary(t, cursor_); break;
    case Qt::Key_Right: cursor_ = NextBoundary(t, cursor_); break;
    case Qt::Key_Home: cursor_ = 0; break;
    case Qt::Key_End: cursor_ = t.size(); break;
    case Qt::Key_Delete: {
        if (locked_ || cursor_ >= t.size()) return;
        t.remove(cursor_, NextBoundary(t, cursor_) - cursor_);
        ApplyEdit(t, cursor_);
        return;
    }
    default: return;
    }
    Invalidate();
}

void TextBox::Type(const std::string& text) {
    std::weak_ptr<int> alive = alive_;
    for (const std::string& character : platform::VisibleChars(text)) {
        if (alive.expired()) return;
        const std::u32string codes = Q(character).toStdU32String();
        if (codes.empty()) continue;
        const int first = static_cast<int>(codes[0]);
        int key = first;
        detail::Raise(*this, OnKeyPress, key);
        if (alive.expired()) return;
        if (key == first && key >= 32 && key != 127)
            Insert(character);
        else if (key != 0)
            HandleKey(key);
    }
}

void TextBox::Paste(const std::string& text) {
    if (locked_) return;
    std::string lines;
    for (char ch : text)
        if (ch != '\n' && ch != '\r') lines += ch;
    Type(lines);
}

// ---------------------------------------------------------------- ComboBox

ComboBox::ComboBox(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    backColor_ = SysColor::WindowBackground;
    foreColor_ = SysColor::WindowText;
    height_ = parent->PixelsToUnits(21);
}

void ComboBox::AddItem(const std::string& item, int index) {
    if (index < 0 || index > ListCount()) {
        items_.push_back(item);
    } else {
        items_.insert(items_.begin() + index, item);
        if (listIndex_ >= index) ++listIndex_;
    }
    Invalidate();
}

void ComboBox::Clear() {
    items_.clear();
    listIndex_ = -1;
    text_.clear();
    dropped_ = false;
    Invalidate();
}

const std::string& ComboBox::List(int i) const {
    if (i < 0 || i >= ListCount()) throw std::out_of_range("índice de lista inválido em " + name_);
    return items_[static_cast<size_t>(i)];
}

void ComboBox::SetListIndex(int i) {
    if (i < -1 || i >= ListCount()) throw std::out_of_range("índice de lista inválido em " + name_);
    if (i == listIndex_) return;
    listIndex_ = i;
    text_ = i >= 0 ? items_[static_cast<size_t>(i)] : std::string();
    Invalidate();
    detail::Raise(*this, OnClick);
}

void ComboBox::SetText(std::string v) {
    if (style_ == 2) {
        // A list-only box takes only texts of its list.
        auto it = std::find(items_.begin(), items_.end(), v);
        if (it == items_.end()) return;
        SetListIndex(static_cast<int>(it - items_.begin()));
        return;
    }
    if (v == text_) return;
    text_ = std::move(v);
    auto it = std::find(items_.begin(), items_.end(), text_);
    listIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    Invalidate();
    detail::Raise(*this, OnChange);
}

void ComboBox::SetDroppedDown(bool v) {
    if (v == dropped_) return;
    Invalidate();
    dropped_ = v;
    Invalidate();
    // The list is drawn over other controls: repaint the whole form.
    if (parent_ && ParentForm().visible_) ParentForm().Refresh();
}

namespace {
double ItemHeightPx(const Font& f) { return QFontMetricsF(ToQFont(f)).height() + 2; }
}  // namespace

void ComboBox::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    SunkenField(p, r, backColor_);
    const double bw = std::min(17.0, r.height() - 4);
    const QRectF btn(r.right() - 2 - bw, r.top() + 2, bw, r.height() - 4);
    p.fillRect(btn, ToQColor(SysColor::ButtonFace));
    Bevel(p, btn, !dropped_);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(enabled_ ? SysColor::ButtonText : SysColor::GrayText));
    const QPointF c = btn.center();
    QPolygonF tri;
    tri << QPointF(c.x() - 4, c.y() - 2) << QPointF(c.x() + 4, c.y() - 2) << QPointF(c.x(), c.y() + 2.5);
    p.drawPolygon(tri);
    p.restore();
    const QRectF textRect(r.left() + 3, r.top() + 2, btn.left() - r.left() - 4, r.height() - 4);
    p.save();
    p.setClipRect(textRect, Qt::IntersectClip);
    p.setFont(ToQFont(font_));
    if (HasFocus() && style_ == 2) {
        p.fillRect(textRect, ToQColor(SysColor::Highlight));
        p.setPen(ToQColor(SysColor::HighlightText));
    } else {
        p.setPen(ToQColor(enabled_ ? foreColor_ : SysColor::GrayText));
    }
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, Q(text_));
    p.restore();
    if (dropped_) {
        const double ih = ItemHeightPx(font_);
        QRectF list(r.left(), r.bottom(), r.width(), ih * std::max(1, ListCount()) + 2);
        p.fillRect(list, ToQColor(SysColor::WindowBackground));
        p.save();
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(list.adjusted(0.5, 0.5, -0.5, -0.5));
        p.setFont(ToQFont(font_));
        for (int i = 0; i < ListCount(); ++i) {
            QRectF ir(list.left() + 1, list.top() + 1 + i * ih, list.width() - 2, ih);
            if (i == listIndex_) {
                p.fillRect(ir, ToQColor(SysColor::Highlight));
                p.setPen(ToQColor(SysColor::HighlightText));
            } else {
                p.setPen(ToQColor(SysColor::WindowText));
            }
            p.drawText(ir.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, Q(items_[static_cast<size_t>(i)]));
        }
        p.restore();
    }
}

bool ComboBox::HitTest(const QPointF& pt) const {
    const QRectF r = RectPx();
    if (r.contains(pt)) return true;
    if (!dropped_) return false;
    const double ih = ItemHeightPx(font_);
    return QRectF(r.left(), r.bottom(), r.width(), ih * std::max(1, ListCount()) + 2).contains(pt);
}

void ComboBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const ComboBox*>(&other)) {
        style_ = o->style_;
        items_ = o->items_;
    }
}

void ComboBox::HandleMouseDown(int button, int shift, float x, float y) {
    const double ypx = Parent().UnitsToPixels(y);
    const QRectF r = RectPx();
    if (dropped_ && ypx >= r.height()) {
        const int i = static_cast<int>((ypx - r.height() - 1) / ItemHeightPx(font_));
        SetDroppedDown(false);
        if (i >= 0 && i < ListCount()) SetListIndex(i);
        return;
    }
    SetDroppedDown(!dropped_);
    Control::HandleMouseDown(button, shift, x, y);
}

void ComboBox::HandleMouseUp(int button, int shift, float x, float y) {
    // Click belongs to a choice in the list, not to opening it.
    detail::Raise(*this, OnMouseUp, button, shift, x, y);
}

void ComboBox::HandleKey(int keyAscii) {
    if (keyAscii == vbKeyReturn || keyAscii == vbKeyEscape) {
        SetDroppedDown(false);
        return;
    }
    if (style_ == 2) {
        // Typing a letter chooses the next item that starts with it.
        if (keyAscii < 32 || keyAscii > 0x10FFFF) return;
        const char32_t code = static_cast<char32_t>(keyAscii);
        const QString k = QString::fromUcs4(&code, 1).toUpper();
        for (int n = 1; n <= ListCount(); ++n) {
            int i = (listIndex_ + n) % ListCount();
            if (Q(items_[static_cast<size_t>(i)]).toUpper().startsWith(k)) {
                SetListIndex(i);
                return;
            }
        }
        return;
    }
    QString t = Q(text_);
    if (keyAscii == vbKeyBack) {
        if (!t.isEmpty()) t.truncate(PreviousBoundary(t, static_cast<int>(t.size())));
    } else if (keyAscii >= 32 && keyAscii <= 0x10FFFF && !(keyAscii >= 0xD800 && keyAscii <= 0xDFFF)) {
        const char32_t code = static_cast<char32_t>(keyAscii);
        t.append(QString::fromUcs4(&code, 1));
    } else {
        return;
    }
    SetText(t.toStdString());
}

void ComboBox::HandleFocusChange(bool gained) {
    if (!gained) SetDroppedDown(false);
    Control::HandleFocusChange(gained);
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void CheckBox::SetCaption(std::string v) {
    caption_ = std::move(v);
    Invalidate();
}

void CheckBox::SetValue(int v) {
    value_ = std::clamp(v, 0, 2);
    Invalidate();
}

void CheckBox::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    p.fillRect(r, ToQColor(backColor_));
    const QRectF box(r.left() + 1, r.center().y() - 6.5, 13, 13);
    SunkenField(p, box, value_ == vbGrayed ? SysColor::ButtonFace : SysColor::WindowBackground);
    if (value_ != vbUnchecked) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(ToQColor(value_ == vbGrayed || !enabled_ ? SysColor::GrayText : SysColor::WindowText), 2));
        QPolygonF mark;
        mark << QPointF(box.left() + 3, box.top() + 6.5) << QPointF(box.left() + 5.5, box.top() + 9.5)
             << QPointF(box.left() + 10, box.top() + 3.5);
        p.drawPolyline(mark);
        p.restore();
    }
    p.save();
    p.setFont(ToQFont(font_));
    p.setPen(ToQColor(enabled_ ? foreColor_ : SysColor::GrayText));
    QRectF tr = r.adjusted(18, 0, 0, 0);
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, Q(caption_));
    p.restore();
    if (HasFocus()) FocusRect(p, tr.adjusted(-1, 1, 0, -1));
}

void CheckBox::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const CheckBox*>(&other)) {
        caption_ = o->caption_;
        value_ = o->value_;
    }
}

void CheckBox::HandleMouseUp(int button, int shift, float x, float y) {
    // The new value is in place before MouseUp and Click are raised.
    if (releaseInside_ && button == vbLeftButton) SetValue(value_ == vbUnchecked ? vbChecked : vbUnchecked);
    Control::HandleMouseUp(button, shift, x, y);
}

void CheckBox::HandleKey(int keyAscii) {
    if (keyAscii != ' ') return;
    SetValue(value_ == vbUnchecked ? vbChecked : vbUnchecked);
    detail::Raise(*this, OnClick);
}

// ---------------------------------------------------------------- OptionButton

OptionButton::OptionButton(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {}

void OptionButton::SetCaption(std::string v) {
    caption_ = std::move(v);
    Invalidate();
}

void OptionButton::SetValue(bool v) {
    if (v == value_) return;
    value_ = v;
    Invalidate();
    if (!v) return;
    for (Control* c : Parent().Children()) {
        if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) {
            o->value_ = false;
            o->Invalidate();
        }
    }
    detail::Raise(*this, OnClick);
}

void OptionButton::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    p.fillRect(r, ToQColor(backColor_));
    const QRectF circ(r.left() + 1, r.center().y() - 6, 12, 12);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ToQColor(SysColor::ButtonShadow), 1));
    p.setBrush(ToQColor(SysColor::WindowBackground));
    p.drawEllipse(circ);
    if (value_) {
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(enabled_ ? SysColor::WindowText : SysColor::GrayText));
        p.drawEllipse(circ.center(), 2.5, 2.5);
    }
    p.restore();
    p.save();
    p.setFont(ToQFont(font_));
    p.setPen(ToQColor(enabled_ ? foreColor_ : SysColor::GrayText));
    QRectF tr = r.adjusted(18, 0, 0, 0);
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, Q(caption_));
    p.restore();
    if (HasFocus()) FocusRect(p, tr.adjusted(-1, 1, 0, -1));
}

void OptionButton::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const OptionButton*>(&other)) caption_ = o->caption_;
}

void OptionButton::HandleMouseUp(int button, int shift, float x, float y) {
    std::weak_ptr<int> alive = alive_;
    const bool inside = releaseInside_ && button == vbLeftButton;
    if (inside && !value_) {
        value_ = true;
        Invalidate();
        for (Control* c : Parent().Children()) {
            if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) {
                o->value_ = false;
                o->Invalidate();
            }
        }
    }
    detail::Raise(*this, OnMouseUp, button, shift, x, y);
    if (alive.expired()) return;
    if (inside) detail::Raise(*this, OnClick);
}

// ---------------------------------------------------------------- Shape

Shape::Shape(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    Reseat(this);
    backColor_ = SysColor::WindowBackground;
}

void Shape::SetShape(int v) {
    shape_ = v;
    Invalidate();
}
void Shape::SetFillColor(Color c) {
    fillColor_ = c;
    Invalidate();
}
void Shape::SetFillStyle(int v) {
    fillStyle_ = v;
    Invalidate();
}
void Shape::SetBorderColor(Color c) {
    borderColor_ = c;
    Invalidate();
}
void Shape::SetBorderWidth(int v) {
    borderWidth_ = std::max(0, v);
    Invalidate();
}
void Shape::SetBackStyle(int v) {
    backStyle_ = v;
    Invalidate();
}

void Shape::Paint(QPainter& p) const {
    QRectF r = RectPx();
    if (shape_ == vbShapeSquare || shape_ == vbShapeCircle || shape_ == vbShapeRoundedSquare) {
        const double s = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - s / 2, r.center().y() - s / 2, s, s);
    }
    const double bw = borderWidth_;
    const QRectF d = r.adjusted(bw / 2, bw / 2, -bw / 2, -bw / 2);
    QPainterPath path;
    if (shape_ == vbShapeOval || shape_ == vbShapeCircle)
        path.addEllipse(d);
    else if (shape_ == vbShapeRoundedRectangle || shape_ == vbShapeRoundedSquare)
        path.addRoundedRect(d, std::min(d.width(), d.height()) / 6, std::min(d.width(), d.height()) / 6);
    else
        path.addRect(d);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, shape_ != vbShapeRectangle && shape_ != vbShapeSquare);
    if (backStyle_ == vbOpaque) p.fillPath(path, ToQColor(backColor_));
    if (fillStyle_ == 0) p.fillPath(path, ToQColor(fillColor_));
    if (bw > 0) {
        p.setPen(QPen(ToQColor(borderColor_), bw));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    p.restore();
}

void Shape::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const Shape*>(&other)) {
        shape_ = o->shape_;
        fillColor_ = o->fillColor_;
        fillStyle_ = o->fillStyle_;
        borderColor_ = o->borderColor_;
        borderWidth_ = o->borderWidth_;
        backStyle_ = o->backStyle_;
    }
}

// ---------------------------------------------------------------- VScrollBar

VScrollBar::VScrollBar(Container* parent, std::string name, int index) : Control(parent, std::move(name), index) {
    width_ = parent->PixelsToUnits(17);
    height_ = parent->PixelsToUnits(100);
}

int VScrollBar::clampValue(int v) const { return std::clamp(v, std::min(min_, max_), std::max(min_, max_)); }

void VScrollBar::SetMin(int v) {
    min_ = v;
    Invalidate();
    SetValue(clampValue(value_));
}

void VScrollBar::SetMax(int v) {
    max_ = v;
    Invalidate();
    SetValue(clampValue(value_));
}

void VScrollBar::SetValue(int v) {
    v = clampValue(v);
    if (v == value_) return;
    value_ = v;
    Invalidate();
    detail::Raise(*this, OnChange);
}

namespace {
struct BarGeometry {
    double arrow, trackTop, trackLen, thumb;
};
BarGeometry Geometry(const QRectF& r) {
    BarGeometry g;
    g.arrow = std::min(r.width(), r.height() / 3);
    g.trackTop = g.arrow;
    g.trackLen = std::max(0.0, r.height() - 2 * g.arrow);
    g.thumb = std::min(g.trackLen, std::max(8.0, g.arrow));
    return g;
}
}  // namespace

void VScrollBar::Paint(QPainter& p) const {
    const QRectF r = RectPx();
    const BarGeometry g = Geometry(r);
    p.fillRect(r, ToQColor(SysColor::ScrollBars));
    const QRectF up(r.left(), r.top(), r.width(), g.arrow);
    const QRectF down(r.left(), r.bottom() - g.arrow, r.width(), g.arrow);
    for (const QRectF& b : {up, down}) {
        p.fillRect(b, ToQColor(SysColor::ButtonFace));
        Bevel(p, b, true);
    }
    const int range = max_ - min_;
    const double frac = range == 0 ? 0.0 : static_cast<double>(value_ - min_) / range;
    const QRectF thumb(r.left(), r.top() + g.trackTop + frac * (g.trackLen - g.thumb), r.width(), g.thumb);
    p.fillRect(thumb, ToQColor(SysColor::ButtonFace));
    Bevel(p, thumb, true);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(enabled_ ? SysColor::ButtonText : SysColor::GrayText));
    const QPointF cu = up.center(), cd = down.center();
    p.drawPolygon(QPolygonF{QPointF(cu.x() - 4, cu.y() + 2), QPointF(cu.x() + 4, cu.y() + 2), QPointF(cu.x(), cu.y() - 2)});
    p.drawPolygon(QPolygonF{QPointF(cd.x() - 4, cd.y() - 2), QPointF(cd.x() + 4, cd.y() - 2), QPointF(cd.x(), cd.y() + 2)});
    p.restore();
}

void VScrollBar::CopyDesignFrom(const Control& other) {
    Control::CopyDesignFrom(other);
    if (auto* o = dynamic_cast<const VScrollBar*>(&other)) {
        min_ = o->min_;
        max_ = o->max_;
        value_ = o->value_;
        small_ = o->small_;
        large_ = o->large_;
    }
}

int VScrollBar::valueAtPixel(double yPx) const {
    const BarGeometry g = Geometry(RectPx());
    const double span = g.trackLen - g.thumb;
    if (span <= 0) return value_;
    const double frac = std::clamp((yPx - g.trackTop) / span, 0.0, 1.0);
    return clampValue(static_cast<int>(std::lround(min_ + frac * (max_ - min_))));
}

void VScrollBar::HandleMouseDown(int button, int shift, float x, float y) {
    std::weak_ptr<int> alive = alive_;
    Control::HandleMouseDown(button, shift, x, y);
    if (alive.expired() || button != vbLeftButton) return;
    const QRectF r = RectPx();
    const BarGeometry g = Geometry(r);
    const double ypx = Parent().UnitsToPixels(y);
    const int dir = max_ >= min_ ? 1 : -1;
    const int range = max_ - min_;
    const double frac = range == 0 ? 0.0 : static_cast<double>(value_ - min_) / range;
    const double thumbTop = g.trackTop + frac * (g.trackLen - g.thumb);
    if (ypx < g.arrow) {
        SetValue(value_ - dir * small_);
    } else if (ypx >= r.height() - g.arrow) {
        SetValue(value_ + dir * small_);
    } else if (ypx < thumbTop) {
        SetValue(value_ - dir * large_);
    } else if (ypx >= thumbTop + g.thumb) {
        SetValue(value_ + dir * large_);
    } else {
        thumbDrag_ = true;
        grabOffset_ = ypx - thumbTop;
        dragStart_ = value_;
    }
}

void VScrollBar::HandleMouseMove(int button, int shift, float x, float y) {
    std::weak_ptr<int> alive = alive_;
    Control::HandleMouseMove(button, shift, x, y);
    if (alive.expired() || !thumbDrag_) return;
    const int v = valueAtPixel(Parent().UnitsToPixels(y) - grabOffset_);
    if (v == value_) return;
    value_ = v;
    Invalidate();
    detail::Raise(*this, OnScroll);
}

void VScrollBar::HandleMouseUp(int button, int shift, float x, float y) {
    std::weak_ptr<int> alive = alive_;
    if (thumbDrag_) {
        thumbDrag_ = false;
        if (value_ != dragStart_) detail::Raise(*this, OnChange);
        if (alive.expired()) return;
    }
    Control::HandleMouseUp(button, shift, x, y);
}

}  // namespace platform::forms
