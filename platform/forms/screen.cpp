// The program's screen window, painting with the letterbox scale (modal
// forms drawn as dialogs inside it), pointers, and MsgBox.

#include "platform/forms/screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QToolTip>
#include <QTransform>
#include <QHelpEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/internal.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace platform::forms {

using namespace detail;

namespace {

constexpr double kDesignW = 800.0, kDesignH = 600.0;
// A modal form is drawn as a dialog in the middle of the screen: a title bar
// of this height (in design pixels) above its client area, with the form's
// caption and a close box, and a thin frame around both.
constexpr double kTitleBar = 18.0;
constexpr double kFrame = 1.0;
// Pictures of at least this many device pixels are drawn scaled on the fly
// while their smooth copy is not made yet (backgrounds and boards, not
// buttons nor animation frames).
constexpr int kOnTheFlyPixels = 512 * 384;

int ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

int ButtonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}

int ShiftOf(Qt::KeyboardModifiers m) {
    int r = 0;
    if (m & Qt::ShiftModifier) r |= vbShiftMask;
    if (m & Qt::ControlModifier) r |= vbCtrlMask;
    if (m & Qt::AltModifier) r |= vbAltMask;
    return r;
}

class ScreenWidget;

// The event that shows the window, posted when it is made.
QEvent::Type ShowEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

struct ScreenState {
    ScreenWidget* window = nullptr;
    QSize virtualSize{800, 600};
    // Work waiting for the next paint.
    std::vector<std::function<void()>> afterNextPaint;
    // Large pictures drawn scaled on the fly at this paint: their smooth
    // copies are made once the paint is on the screen.
    std::vector<std::pair<Picture, QSize>> toScale;
    bool scalingPosted = false;
    // The window's pointer is given to it once the window is first on the
    // screen: before that nobody sees it, and making a pointer (the hourglass
    // reads its theme, the X server its pointer font) would hold back the
    // first picture. After that it is changed only when it changes.
    bool painted = false;
    std::optional<QCursor> cursor;
};

ScreenState& SS() {
    static ScreenState s;
    return s;
}

// Runs the work that waited for a paint, in the order it was given; work a
// piece of it adds waits for the paint after.
void RunAfterNextPaint() {
    auto work = std::move(SS().afterNextPaint);
    SS().afterNextPaint.clear();
    for (auto& w : work) w();
}

// The form that receives the mouse while a press or a drag is in progress,
// whatever lies under the pointer.
Form* MouseOwner() {
    if (S().drag.active) return S().drag.form;
    if (Control* c = S().captured.get()) return &c->ParentForm();
    return S().capturedForm;
}

class ScreenWidget : public QWidget {
public:
    ScreenWidget() {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setWindowTitle(QString::fromStdString(ApplicationDisplayName()));
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        {
            QPainter p(this);
            Screen::Render(p, e->rect());
        }
        if (!SS().painted) {
            SS().painted = true;
            QTimer::singleShot(0, this, [] { Screen::UpdateCursor(); });
        }
        if (!SS().afterNextPaint.empty()) QTimer::singleShot(0, this, RunAfterNextPaint);
    }
    // The forms draw their own focus: the window gaining or losing the
    // keyboard changes nothing on it, and is no reason to paint it all again
    // (which, right after the first picture, would wait for the X server to
    // finish taking that one).
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    bool route(QMouseEvent* e, Form** f, QPointF* px) {
        Form* owner = MouseOwner();
        if (owner) {
            *f = owner;
            *px = Screen::FormToDevice(*owner).inverted().map(e->position());
            return true;
        }
        *f = Screen::FormAt(e->position(), px);
        return *f != nullptr;
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && Screen::PressCloseBox(e->position())) return;
        Form* f;
        QPointF px;
        if (route(e, &f, &px)) MouseDownAt(*f, px, ButtonOf(e->button()), ShiftOf(e->modifiers()), e->timestamp());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        Form* f;
        QPointF px;
        if (route(e, &f, &px)) MouseMoveAt(*f, px, ButtonsOf(e->buttons()), ShiftOf(e->modifiers()));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Form* f;
        QPointF px;
        if (route(e, &f, &px)) MouseUpAt(*f, px, ButtonOf(e->button()), ShiftOf(e->modifiers()));
    }
    void keyPressEvent(QKeyEvent* e) override { KeyDown(e->key(), e->text().toStdString(), e->modifiers()); }
    bool focusNextPrevChild(bool) override { return false; }  // Tab belongs to the forms
    void closeEvent(QCloseEvent* e) override {
        // The game leaves through its own exit path (which asks to save);
        // a close request from the desktop must not drop the player's work.
        if (!Forms::Ended()) e->ignore();
    }
    bool event(QEvent* e) override {
        if (e->type() == ShowEventType()) {
            showFullScreen();
            // The window asks for the keyboard as it is mapped, before its
            // first picture: the X server answers at once then, where later
            // it answers only once it has taken that picture (tens of ms on a
            // slow server), and the program would wait for it.
            activateWindow();
            setFocus();
            return true;
        }
        if (e->type() == QEvent::ToolTip) {
            auto* he = static_cast<QHelpEvent*>(e);
            QPointF px;
            Form* f = Screen::FormAt(he->pos(), &px);
            Control* c = f && AcceptsInput(*f) ? ControlAt(*f, px, true) : nullptr;
            if (c && !c->ToolTipText().empty())
                QToolTip::showText(he->globalPos(), QString::fromStdString(c->ToolTipText()), this);
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(e);
    }
};

void PaintChildren(QPainter& p, const Container& c, const QRectF& dirty) {
    for (Control* ch : c.Children()) {
        if (!ch->Visible()) continue;
        const QRectF r = ch->RectPx();
        if (!r.intersects(dirty) && !dynamic_cast<ComboBox*>(ch)) continue;
        ch->Paint(p);
        if (Container* cc = ch->AsContainer(); cc && !cc->Children().empty()) {
            p.save();
            p.setClipRect(cc->ClientRectPx(), Qt::IntersectClip);
            PaintChildren(p, *cc, dirty);
            p.restore();
        }
    }
}

QRectF DeviceRectOf(const Form& f) { return Screen::FormToDevice(f).mapRect(f.ClientRectPx()); }

// The device rectangle of a dialog: its client area with the title bar and
// the frame.
QRectF DialogRectOf(const Form& f) {
    const double s = Screen::ScaleFactor();
    return DeviceRectOf(f).adjusted(-kFrame * s, -(kTitleBar + kFrame) * s, kFrame * s, kFrame * s);
}

// The device pixels a form covers on the screen, a dialog's title bar and
// frame included, with a pixel to spare around them.
QRect WholeRectOf(const Form& f) {
    return (f.modal_ ? DialogRectOf(f) : DeviceRectOf(f)).toAlignedRect().adjusted(-1, -1, 1, 1);
}

QRectF CloseBoxOf(const Form& f) {
    const double s = Screen::ScaleFactor();
    const QRectF client = DeviceRectOf(f);
    const double side = (kTitleBar - 4) * s;
    return QRectF(client.right() - side - 2 * s, client.top() - kTitleBar * s + 2 * s, side, side);
}

// The frame, title bar and close box of a modal form, in device pixels.
void PaintDialogFrame(QPainter& p, const Form& f) {
    const double s = Screen::ScaleFactor();
    const QRectF outer = DialogRectOf(f);
    const QRectF client = DeviceRectOf(f);
    p.save();
    p.setPen(Qt::NoPen);
    p.fillRect(outer, QColor(64, 64, 64));
    const QRectF bar(client.left(), client.top() - kTitleBar * s, client.width(), kTitleBar * s);
    p.fillRect(bar, QColor(0, 0, 128));
    // The caption in the dialogs' own bold face, drawn at the screen's scale
    // like the text inside them, so that both share one font.
    p.setFont(ToQFont(Font{"MS Sans Serif", 9.75, true}));
    p.setPen(Qt::white);
    const QRectF box = CloseBoxOf(f);
    const QRectF caption = bar.adjusted(4 * s, 0, -(box.width() + 6 * s), 0);
    p.setTransform(QTransform::fromScale(s, s));
    p.drawText(QRectF(caption.topLeft() / s, caption.size() / s), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               QString::fromStdString(f.Caption()));
    p.setTransform(QTransform());
    p.fillRect(box, QColor(192, 192, 192));
    p.setPen(QPen(Qt::black, std::max(1.0, 1.5 * s)));
    const QRectF x = box.adjusted(box.width() * 0.28, box.height() * 0.28, -box.width() * 0.28, -box.height() * 0.28);
    p.drawLine(x.topLeft(), x.bottomRight());
    p.drawLine(x.topRight(), x.bottomLeft());
    p.restore();
}

// Makes the smooth copies of the pictures a paint drew on the fly, then
// repaints the screen with them.
void MakeScaledCopies() {
    ScreenState& ss = SS();
    ss.scalingPosted = false;
    const auto pictures = std::move(ss.toScale);
    ss.toScale.clear();
    for (const auto& [pic, size] : pictures) pic.Scaled(size.width(), size.height());
    if (ss.window && !pictures.empty()) ss.window->update();
}

QCursor CursorFor(int pointer, const Picture& icon, const QCursor& fallback) {
    switch (pointer) {
    case vbArrow: return QCursor(Qt::ArrowCursor);
    case vbCrosshair: return QCursor(Qt::CrossCursor);
    case vbIbeam: return QCursor(Qt::IBeamCursor);
    case vbHourglass: return QCursor(Qt::WaitCursor);
    case vbCustom:
        if (!icon.IsEmpty()) {
            // A pointer picture may name its hot spot in its text fields; without
            // them the hot spot is the picture's centre.
            const QImage& img = icon.Image();
            bool okX = false, okY = false;
            const int hx = img.text("HotSpotX").toInt(&okX);
            const int hy = img.text("HotSpotY").toInt(&okY);
            return QCursor(QPixmap::fromImage(img), okX ? hx : -1, okY ? hy : -1);
        }
        return fallback;
    default: return fallback;
    }
}

}  // namespace

namespace detail {

void DrawPicture(QPainter& p, const Picture& pic, const QRectF& designRect, bool stretch) {
    if (pic.IsEmpty()) return;
    const QTransform t = p.worldTransform();
    if (t.type() > QTransform::TxScale) {
        p.drawImage(designRect, pic.Image());
        return;
    }
    // Scale the picture once to its device size (cached), then blit it. An
    // unstretched picture has one size wherever it stands: its own size
    // times the scale, the size its copy is made at ahead of the screen.
    const QRectF d = t.mapRect(stretch ? designRect : QRectF(designRect.topLeft(), QSizeF(pic.PixelWidth(), pic.PixelHeight())));
    const int x0 = static_cast<int>(std::lround(d.left())), y0 = static_cast<int>(std::lround(d.top()));
    const int x1 = stretch ? static_cast<int>(std::lround(d.right())) : x0 + static_cast<int>(std::lround(d.width()));
    const int y1 = stretch ? static_cast<int>(std::lround(d.bottom())) : y0 + static_cast<int>(std::lround(d.height()));
    if (x1 <= x0 || y1 <= y0) return;
    const int w = x1 - x0, h = y1 - y0;
    QImage img = pic.CachedScaled(w, h);
    p.setWorldTransform(QTransform());
    if (img.isNull() && p.device() == SS().window && w * h >= kOnTheFlyPixels) {
        // A large picture not yet scaled to this size (a screen's background
        // on its first showing): smooth scaling would hold back the paint, so
        // it is drawn scaled on the fly now and its smooth copy is made right
        // after this paint, which then repaints with it.
        p.drawImage(QRect(x0, y0, w, h), pic.Image());
        ScreenState& ss = SS();
        ss.toScale.emplace_back(pic, QSize(w, h));
        if (!ss.scalingPosted) {
            ss.scalingPosted = true;
            QTimer::singleShot(0, ss.window, MakeScaledCopies);
        }
    } else {
        if (img.isNull()) img = pic.Scaled(w, h);
        p.drawImage(QPoint(x0, y0), img);
    }
    p.setWorldTransform(t);
}

void PaintForm(QPainter& p, const Form& f) {
    const QRectF client = f.ClientRectPx();
    QRectF dirty = client;
    if (p.hasClipping()) dirty = dirty.intersected(p.clipBoundingRect());
    p.save();
    p.setClipRect(client, Qt::IntersectClip);
    // The back colour shows only where an opaque picture from the corner
    // does not cover the form (most screens are one background picture).
    const forms::Picture& fundo = f.Picture();
    if (fundo.IsEmpty() || !fundo.IsOpaque() || fundo.PixelWidth() < client.right() || fundo.PixelHeight() < client.bottom() ||
        client.left() < 0 || client.top() < 0)
        p.fillRect(client, ToQColor(f.BackColor()));
    if (!f.Picture().IsEmpty())
        DrawPicture(p, f.Picture(), QRectF(0, 0, f.Picture().PixelWidth(), f.Picture().PixelHeight()), false);
    PaintChildren(p, f, dirty);
    // An open drop-down list lies above everything else.
    if (auto* cb = dynamic_cast<ComboBox*>(f.ActiveControl()); cb && cb->DroppedDown() && cb->EffectivelyVisible())
        cb->Paint(p);
    p.restore();
}

void PaintDragOverlay(QPainter& p, const Form& f) {
    const DragInfo& d = S().drag;
    if (!d.active || d.form != &f) return;
    Control* src = d.source.get();
    if (!src) return;
    const QRectF r = DragOverlayRectPx();
    if (!src->DragIcon().IsEmpty()) {
        DrawPicture(p, src->DragIcon(), r, true);
        return;
    }
    p.save();
    QPen pen(Qt::black, 2);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.restore();
}

}  // namespace detail

// ---------------------------------------------------------------- Screen

void Screen::Open() {
    EnsureApp();
    if (SS().window) return;
    SS().window = new ScreenWidget();
    // Without a window manager (a bare X server) full screen alone does not
    // resize the window, so give it the display's geometry first.
    if (QScreen* scr = QGuiApplication::primaryScreen()) SS().window->setGeometry(scr->geometry());
    // The window is shown once the work already asked for has run (the first
    // forms' loading, up to the start-up dialog waiting for the player): the
    // X server's answers to the showing (exposure, focus, pointer entry) then
    // reach an idle program, which paints at once, instead of piling up
    // behind that work and holding back the first picture.
    QCoreApplication::postEvent(SS().window, new QEvent(ShowEventType()), Qt::LowEventPriority);
    for (Form* f : S().zorder) FormShown(*f);
}

void Screen::AfterNextPaint(std::function<void()> work) {
    if (!SS().window) {
        work();
        return;
    }
    SS().afterNextPaint.push_back(std::move(work));
}

void Screen::OpenWindowed(int w, int h) {
    EnsureApp();
    if (!SS().window) SS().window = new ScreenWidget();
    SS().window->resize(w, h);
    SS().window->show();
}

bool Screen::IsOpen() { return SS().window != nullptr; }

void Screen::Close() {
    // Closing may be asked from a handler running inside the window's own
    // events: let Qt delete it once that event is over.
    if (SS().window) {
        SS().window->hide();
        SS().window->deleteLater();
    }
    SS().window = nullptr;
    // Work that was waiting for a paint is not dropped with the window.
    RunAfterNextPaint();
    SS().toScale.clear();
    SS().scalingPosted = false;
    SS().painted = false;
    SS().cursor.reset();
}

QSize Screen::Size() { return SS().window ? SS().window->size() : SS().virtualSize; }

void Screen::SetVirtualSize(int w, int h) { SS().virtualSize = QSize(std::max(1, w), std::max(1, h)); }

double Screen::ScaleFactor() {
    const QSize s = Size();
    return std::min(s.width() / kDesignW, s.height() / kDesignH);
}

QTransform Screen::FormToDevice(const Form& f) {
    if (f.modal_) {
        // A dialog, title bar and frame included, in the middle of the screen.
        const double s = ScaleFactor();
        const QSize sz = Size();
        const QRectF r = f.ClientRectPx();
        const double w = (r.width() + 2 * kFrame) * s, h = (r.height() + kTitleBar + 2 * kFrame) * s;
        const double ox = std::round((sz.width() - w) / 2.0 + kFrame * s);
        const double oy = std::round((sz.height() - h) / 2.0 + (kTitleBar + kFrame) * s);
        return QTransform(s, 0, 0, s, ox - r.left() * s, oy - r.top() * s);
    }
    return Letterbox(f.ClientRectPx().size(), Size());
}

QTransform Screen::Letterbox(const QSizeF& form, const QSize& surface) {
    const double s = std::min(surface.width() / form.width(), surface.height() / form.height());
    const double ox = (surface.width() - form.width() * s) / 2.0, oy = (surface.height() - form.height() * s) / 2.0;
    return QTransform(s, 0, 0, s, ox, oy);
}

Form* Screen::FormAt(const QPointF& device, QPointF* formPx) {
    // While a dialog is up, only it takes the pointer.
    if (Form* m = Forms::ModalForm(); m && m->visible_ && m->loaded_) {
        const QPointF px = FormToDevice(*m).inverted().map(device);
        if (!m->ClientRectPx().contains(px)) return nullptr;
        if (formPx) *formPx = px;
        return m;
    }
    const auto& z = S().zorder;
    for (auto it = z.rbegin(); it != z.rend(); ++it) {
        Form* f = *it;
        if (!f->visible_ || !f->loaded_ || f->modal_) continue;
        const QPointF px = FormToDevice(*f).inverted().map(device);
        if (f->ClientRectPx().contains(px)) {
            if (formPx) *formPx = px;
            return f;
        }
    }
    return nullptr;
}

bool Screen::PressCloseBox(const QPointF& device) {
    Form* m = Forms::ModalForm();
    if (!m || !AcceptsInput(*m) || !CloseBoxOf(*m).contains(device)) return false;
    UnloadForm(*m, true);
    return true;
}

QRectF Screen::CloseBox(const Form& f) { return CloseBoxOf(f); }

void Screen::Render(QPainter& p, const QRect& dirty) {
    const auto& z = S().zorder;
    // Black where no form lies (the letterbox): each form paints its whole
    // rectangle itself.
    QRegion black(dirty);
    for (const Form* f : z) {
        if (!f->visible_ || f->modal_) continue;
        const QRectF r = DeviceRectOf(*f);
        const QPoint tl(static_cast<int>(std::ceil(r.left())), static_cast<int>(std::ceil(r.top())));
        const QPoint br(static_cast<int>(std::floor(r.right())) - 1, static_cast<int>(std::floor(r.bottom())) - 1);
        if (br.x() >= tl.x() && br.y() >= tl.y()) black -= QRect(tl, br);
    }
    for (const QRect& r : black) p.fillRect(r, Qt::black);
    // Forms entirely covered by a later one are not painted.
    size_t first = 0;
    for (size_t i = 0; i < z.size(); ++i) {
        if (!z[i]->visible_ || z[i]->modal_) continue;
        for (size_t j = i + 1; j < z.size(); ++j) {
            if (z[j]->visible_ && !z[j]->modal_ && DeviceRectOf(*z[j]).contains(DeviceRectOf(*z[i]))) first = std::max(first, i + 1);
        }
    }
    for (size_t i = first; i < z.size(); ++i) {
        const Form& f = *z[i];
        if (!f.visible_ || f.modal_) continue;
        p.save();
        p.setClipRect(dirty);
        p.setTransform(FormToDevice(f));
        PaintForm(p, f);
        PaintDragOverlay(p, f);
        p.restore();
    }
    // Modal forms, as dialogs above the screen, the latest on top.
    for (const ModalRecord* m : S().modals) {
        const Form& f = *m->form;
        if (!f.visible_ || !f.loaded_ || m->exiting || !DialogRectOf(f).intersects(dirty)) continue;
        p.save();
        p.setClipRect(dirty);
        PaintDialogFrame(p, f);
        p.setTransform(FormToDevice(f));
        PaintForm(p, f);
        PaintDragOverlay(p, f);
        p.restore();
    }
}

QImage Screen::Grab() {
    QImage img(Size(), QImage::Format_RGB32);
    QPainter p(&img);
    Render(p, img.rect());
    return img;
}

QImage Screen::GrabForm(const Form& f, double scale) {
    const QRectF r = f.ClientRectPx();
    QImage img(static_cast<int>(std::lround(r.width() * scale)), static_cast<int>(std::lround(r.height() * scale)),
               QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setTransform(QTransform::fromScale(scale, scale));
    PaintForm(p, f);
    PaintDragOverlay(p, f);
    return img;
}

void Screen::InvalidateForm(const Form& f, const QRectF& designPx) {
    ScreenState& ss = SS();
    if (!ss.window || !f.visible_) return;
    ss.window->update(FormToDevice(f).mapRect(designPx).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void Screen::InvalidateForm(const Form& f) {
    ScreenState& ss = SS();
    if (!ss.window || !f.visible_) return;
    ss.window->update(WholeRectOf(f));
}

void Screen::FormShown(Form& f) {
    ScreenState& ss = SS();
    if (!ss.window) return;
    if (f.visible_) {
        InvalidateForm(f);
        // The keyboard back from another window (a film's) when a form
        // shows; asking when the window has it already would only wait for
        // the X server's answer.
        if (ss.painted) {
            if (!ss.window->isActiveWindow()) ss.window->activateWindow();
            ss.window->setFocus();
        }
    }
    UpdateCursor();
}

void Screen::FormHidden(Form& f) {
    ScreenState& ss = SS();
    if (!ss.window) return;
    // A form hidden leaves what lies beneath it to be painted again.
    ss.window->update(WholeRectOf(f));
}

void Screen::FormDestroyed(Form& f) { FormHidden(f); }

void Screen::UpdateCursor() {
    ScreenState& ss = SS();
    if (!ss.window) return;
    const DragInfo& d = S().drag;
    QCursor cur(Qt::ArrowCursor);
    Form* f = nullptr;
    if (d.active) {
        f = d.form;
        if (Control* src = d.source.get(); src && !src->DragIcon().IsEmpty())
            cur = QCursor(Qt::BlankCursor);  // the icon itself follows the pointer
    } else if (Control* c = S().hover.get()) {
        f = &c->ParentForm();
        const QCursor dflt = dynamic_cast<TextBox*>(c) ? QCursor(Qt::IBeamCursor) : QCursor(Qt::ArrowCursor);
        cur = CursorFor(c->MousePointer(), c->MouseIcon(), dflt);
    } else {
        f = Forms::ActiveForm();
        if (f) cur = CursorFor(f->MousePointer(), f->MouseIcon(), cur);
    }
    if (f && f->MousePointer() == vbHourglass && (!S().hover.get() || S().hover.get()->MousePointer() == vbDefault))
        cur = QCursor(Qt::WaitCursor);
    if (!ss.painted || (ss.cursor && *ss.cursor == cur)) return;
    ss.cursor = cur;
    ss.window->setCursor(cur);
}

// ---------------------------------------------------------------- MsgBox

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    if (auto hook = S().msgBoxHook) return hook(prompt, buttons, title);
    if (!SS().window) {
        LogOnce("msgbox:" + title + ":" + prompt, "Mensagem: " + title + " - " + prompt);
        return vbOK;
    }
    CancelDrag();
    QMessageBox box(SS().window);
    box.setWindowTitle(QString::fromStdString(title.empty() ? ApplicationDisplayName() : title));
    box.setText(QString::fromStdString(prompt));
    const int icon = buttons & 0x70;
    box.setIcon(icon == vbCritical      ? QMessageBox::Critical
                : icon == vbQuestion    ? QMessageBox::Question
                : icon == vbExclamation ? QMessageBox::Warning
                : icon == vbInformation ? QMessageBox::Information
                                        : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return vbOK;
}

}  // namespace platform::forms
