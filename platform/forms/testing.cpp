#include "platform/forms/testing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRectF>
#include <QTransform>

#include <stdexcept>

#include "platform/forms/internal.h"
#include "platform/forms/screen.h"
#include "platform/log.h"
#include "platform/text.h"

namespace platform::forms::test {

using namespace detail;

namespace {

QPointF TwipsToPx(float x, float y) { return QPointF(x / kTwipsPerPixel, y / kTwipsPerPixel); }

// The time of the simulated presses: each one comes pressGap ms after the one before.
constexpr int kLongPressGap = 60000;
int pressGap = kLongPressGap;
unsigned long pressClock = 0;
unsigned long NextPressTime() { return pressClock += static_cast<unsigned long>(pressGap); }

// The form a device point of the screen goes to, as the real window routes it.
Form* RouteScreen(int x, int y, QPointF* px) {
    Form* owner = nullptr;
    if (S().drag.active)
        owner = S().drag.form;
    else if (Control* c = S().captured.get())
        owner = &c->ParentForm();
    else
        owner = S().capturedForm;
    if (owner && !owner->modal_) {
        *px = Screen::FormToDevice(*owner).inverted().map(QPointF(x, y));
        return owner;
    }
    return Screen::FormAt(QPointF(x, y), px);
}

QPointF PointIn(Control& target, float x, float y) {
    if (Container* c = target.AsContainer()) {
        const QRectF client = c->ClientRectPx();
        return client.topLeft() + QPointF(c->UnitsToPixels(x), c->UnitsToPixels(y));
    }
    const QRectF r = target.RectPx();
    return r.topLeft() + QPointF(target.Parent().UnitsToPixels(x), target.Parent().UnitsToPixels(y));
}

void DragPath(Control& source, QPointF dest, int steps) {
    Form& f = source.ParentForm();
    if (source.DragMode() != vbAutomatic) throw std::logic_error("o controle " + source.Name() + " não arrasta sozinho");
    if (!AcceptsInput(f) || !source.EffectivelyVisible() || !source.EffectivelyEnabled()) return;
    const QPointF start = source.RectPx().center();
    StartDrag(source, start);
    ProcessEvents();
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        if (!S().drag.active) return;
        const double t = static_cast<double>(i) / steps;
        DragMoveTo(start + (dest - start) * t);
        ProcessEvents();
    }
    DragDropAt(dest);
    ProcessEvents();
}

}  // namespace

void Click(Control& c) {
    Form& f = c.ParentForm();
    if (!AcceptsInput(f) || !c.EffectivelyVisible() || !c.EffectivelyEnabled()) return;
    const QPointF px = c.RectPx().center();
    if (c.DragMode() == vbAutomatic) {
        StartDrag(c, px);
        DragDropAt(px);
        ProcessEvents();
        return;
    }
    ControlRef ref(&c);
    if (c.CanTakeFocus()) MoveFocus(f, &c);
    Control* cc = ref.get();
    if (!cc || !f.loaded_) return ProcessEvents();
    cc->pressed_ = true;
    cc->releaseInside_ = true;
    S().captured = ControlRef(cc);
    QPointF u = ToControlUnits(*cc, px);
    cc->HandleMouseDown(vbLeftButton, 0, static_cast<float>(u.x()), static_cast<float>(u.y()));
    // A modal dialog opened by MouseDown takes the press away, as it would
    // for the player.
    const bool stillPressed = S().captured.is(ref.get());
    S().captured.reset();
    if ((cc = ref.get()) && f.loaded_ && stillPressed) {
        cc->pressed_ = false;
        cc->releaseInside_ = true;
        cc->HandleMouseUp(vbLeftButton, 0, static_cast<float>(u.x()), static_cast<float>(u.y()));
    }
    if ((cc = ref.get())) cc->Invalidate();
    ProcessEvents();
}

void ClickForm(Form& f) {
    if (!AcceptsInput(f)) return;
    const QPointF u = ToFormUnits(f, f.ClientRectPx().center());
    RunHandler(f, [&] { f.Form_MouseDown(vbLeftButton, 0, static_cast<float>(u.x()), static_cast<float>(u.y())); });
    RunHandler(f, [&] { f.Form_MouseUp(vbLeftButton, 0, static_cast<float>(u.x()), static_cast<float>(u.y())); });
    RunHandler(f, [&] { f.Form_Click(); });
    ProcessEvents();
}

void MouseDown(Form& f, float x, float y, int button) {
    MouseDownAt(f, TwipsToPx(x, y), button, 0, NextPressTime());
    ProcessEvents();
}
void MouseMove(Form& f, float x, float y, int button) {
    MouseMoveAt(f, TwipsToPx(x, y), button, 0);
    ProcessEvents();
}
void MouseUp(Form& f, float x, float y, int button) {
    MouseUpAt(f, TwipsToPx(x, y), button, 0);
    ProcessEvents();
}
void ClickAt(Form& f, float x, float y) {
    MouseDown(f, x, y);
    MouseUp(f, x, y);
}

void MouseDownScreen(int x, int y, int button) {
    QPointF px;
    if (button == vbLeftButton && Screen::PressCloseBox(QPointF(x, y))) {
        ProcessEvents();
        return;
    }
    if (Form* f = RouteScreen(x, y, &px)) MouseDownAt(*f, px, button, 0, NextPressTime());
    ProcessEvents();
}
void ClickCloseBox() {
    Form* m = Forms::ModalForm();
    if (!m) return;
    const QPointF c = Screen::CloseBox(*m).center();
    MouseDownScreen(static_cast<int>(c.x()), static_cast<int>(c.y()));
}
void MouseMoveScreen(int x, int y, int button) {
    QPointF px;
    if (Form* f = RouteScreen(x, y, &px)) MouseMoveAt(*f, px, button, 0);
    ProcessEvents();
}
void MouseUpScreen(int x, int y, int button) {
    QPointF px;
    if (Form* f = RouteScreen(x, y, &px)) MouseUpAt(*f, px, button, 0);
    ProcessEvents();
}
void ClickScreen(int x, int y) {
    MouseDownScreen(x, y);
    MouseUpScreen(x, y);
}

void DragTo(Control& source, Form& target, float x, float y, int steps) {
    if (&source.ParentForm() != &target) throw std::logic_error("arraste entre formulários diferentes");
    DragPath(source, TwipsToPx(x, y), steps);
}

void DragTo(Control& source, Control& target, float x, float y, int steps) {
    if (&source.ParentForm() != &target.ParentForm()) throw std::logic_error("arraste entre formulários diferentes");
    DragPath(source, PointIn(target, x, y), steps);
}

void DragToScreen(Control& source, int x, int y, int steps) {
    const QPointF dest = Screen::FormToDevice(source.ParentForm()).inverted().map(QPointF(x, y));
    DragPath(source, dest, steps);
}

void KeyPress(int keyAscii) {
    switch (keyAscii) {
    case vbKeyReturn: KeyDown(Qt::Key_Return, "\r", 0); break;
    case vbKeyBack: KeyDown(Qt::Key_Backspace, "\b", 0); break;
    case vbKeyEscape: KeyDown(Qt::Key_Escape, "\x1b", 0); break;
    case vbKeyTab: KeyDown(Qt::Key_Tab, "\t", 0); break;
    default: {
        const char32_t code = static_cast<char32_t>(keyAscii);
        const QString ch = QString::fromUcs4(&code, 1);
        const int qtKey = ch.size() == 1 ? ch.at(0).toUpper().unicode() : keyAscii;
        KeyDown(qtKey, ch.toStdString(), 0);
    }
    }
    ProcessEvents();
}

void TypeText(const std::string& utf8) {
    // One key per character as the player sees it: an emoji keyboard sends
    // "👩‍🌾" as one key.
    for (const std::string& character : platform::VisibleChars(utf8)) {
        const std::u32string codes = QString::fromStdString(character).toStdU32String();
        if (codes.size() == 1) {
            KeyPress(static_cast<int>(codes[0]));
        } else if (!codes.empty()) {
            KeyDown(static_cast<int>(codes[0]), character, 0);
            ProcessEvents();
        }
    }
}

void PressQtKey(int qtKey, int modifiers) {
    std::string text;
    if (qtKey == Qt::Key_Space)
        text = " ";
    else if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        text = std::string(1, static_cast<char>((modifiers & Qt::ShiftModifier ? 'A' : 'a') + (qtKey - Qt::Key_A)));
    else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        text = std::string(1, static_cast<char>(qtKey));
    KeyDown(qtKey, text, modifiers);
    ProcessEvents();
}

bool TickTimer(Timer& t) {
    const bool ran = t.Tick();
    ProcessEvents();
    return ran;
}

void RunFor(int ms) {
    EnsureApp();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        const int left = static_cast<int>(ms - clock.elapsed());
        QCoreApplication::processEvents(QEventLoop::AllEvents, std::max(1, left));
        QCoreApplication::sendPostedEvents();
    }
    ProcessEvents();
}

void ProcessEvents() {
    EnsureApp();
    for (int i = 0; i < 8; ++i) QCoreApplication::sendPostedEvents();
}

void SetModalHook(std::function<void(Form&)> hook) { S().modalHook = std::move(hook); }

void SetMsgBoxHook(std::function<int(const std::string&, int, const std::string&)> hook) {
    S().msgBoxHook = std::move(hook);
}

void SetPressGap(int ms) { pressGap = std::max(0, ms); }

void ResetAll() {
    EnsureApp();
    ProcessEvents();
    pressGap = kLongPressGap;
    Forms::Reset();
    Screen::Close();
    Screen::SetVirtualSize(800, 600);
    SetPictureLoadObserver({});
    platform::ResetLog();
    ProcessEvents();
}

std::vector<std::unique_ptr<Form>> Designs() {
    std::vector<std::unique_ptr<Form>> r;
    for (const auto& [name, factory] : S().factories) {
        std::unique_ptr<Form> f = factory();
        if (!f) continue;
        f->SetNameInternal(name);
        r.push_back(std::move(f));
    }
    return r;
}

namespace {

void CollectCutLabels(const Container& c, std::vector<const Label*>& out) {
    for (const Control* ch : c.Children()) {
        if (const auto* l = dynamic_cast<const Label*>(ch); l && !l->Caption().empty() && l->CaptionCut())
            out.push_back(l);
        if (const Container* cc = const_cast<Control*>(ch)->AsContainer()) CollectCutLabels(*cc, out);
    }
}

}  // namespace

std::vector<const Label*> CutLabels(const Form& f) {
    std::vector<const Label*> r;
    CollectCutLabels(f, r);
    return r;
}

}  // namespace platform::forms::test
