// Input dispatch: hit testing, mouse capture, focus and keys, and the drag
// manager of automatic drag mode (our own, not the system's drag and drop).

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/internal.h"
#include "platform/forms/screen.h"
#include "platform/text.h"

namespace platform::forms {

using namespace detail;

void RetireControl(std::unique_ptr<Control> c) {
    if (!c) return;
    ControlDestroyed(c.get());
    if (c->parent_) {
        c->Invalidate();
        c->parent_->RemoveChild(c.get());
        c->parent_->ParentForm().ForgetControl(c.get());
        c->parent_ = nullptr;
    }
    c->alive_.reset();  // references to it see it gone from now on
    State& s = S();
    s.retired.push_back(std::move(c));
    ScheduleGraveyard();
}

// ---------------------------------------------------------------- quiet moments

namespace {

using IdleClock = std::chrono::steady_clock;

struct IdleWait {
    std::function<void()> hook;              // none: nothing waits
    std::chrono::milliseconds quiet{0};
    IdleClock::time_point since;             // when the hook was asked for
    IdleClock::time_point lastInput;
    QPointer<QTimer> timer;                  // the application's child: gone with it
};

IdleWait& Idle() {
    static IdleWait w;
    return w;
}

// A press that is still going on: a drag, a control or a form holding the
// mouse.
bool PressHeld() {
    const State& s = S();
    return s.drag.active || s.captured || s.capturedForm;
}

void CheckIdle() {
    IdleWait& w = Idle();
    if (!w.hook || !w.timer) return;
    // A press held still makes no input, yet the player is in the middle of
    // it: the wait goes on, and its release counts as input.
    if (PressHeld()) {
        w.timer->start(w.quiet);
        return;
    }
    const auto quiet = IdleClock::now() - std::max(w.since, w.lastInput);
    if (quiet < w.quiet) {
        w.timer->start(std::chrono::duration_cast<std::chrono::milliseconds>(w.quiet - quiet) +
                       std::chrono::milliseconds(1));
        return;
    }
    auto hook = std::move(w.hook);
    w.hook = nullptr;
    hook();
}

}  // namespace

void Forms::WhenIdle(int quietMs, std::function<void()> hook) {
    IdleWait& w = Idle();
    auto* app = QCoreApplication::instance();
    if (!app) return;
    if (!w.timer) {
        w.timer = new QTimer(app);
        w.timer->setSingleShot(true);
        QObject::connect(w.timer, &QTimer::timeout, w.timer, [] { CheckIdle(); });
    }
    w.hook = std::move(hook);
    w.quiet = std::chrono::milliseconds(std::max(0, quietMs));
    w.since = IdleClock::now();
    w.timer->start(w.quiet);
}

namespace detail {

void NoteInput() { Idle().lastInput = IdleClock::now(); }

void ForgetIdle() {
    IdleWait& w = Idle();
    w.hook = nullptr;
    if (w.timer) w.timer->stop();
}

namespace {

ComboBox* DroppedCombo(Form& f) {
    if (auto* cb = dynamic_cast<ComboBox*>(f.ActiveControl()); cb && cb->DroppedDown()) return cb;
    return nullptr;
}

void CollectFocusable(Container& c, std::vector<Control*>& out) {
    for (Control* ch : c.Children()) {
        if (!ch->Visible() || !ch->Enabled()) continue;
        if (ch->CanTakeFocus()) out.push_back(ch);
        if (Container* cc = ch->AsContainer()) CollectFocusable(*cc, out);
    }
}

std::vector<Control*> TabOrder(Form& f) {
    std::vector<Control*> v;
    CollectFocusable(f, v);
    std::stable_sort(v.begin(), v.end(), [](Control* a, Control* b) {
        if (a->TabIndex() != b->TabIndex()) return a->TabIndex() < b->TabIndex();
        return a->creationOrder_ < b->creationOrder_;
    });
    return v;
}

CommandButton* FindButton(Container& c, const std::function<bool(CommandButton&)>& pred) {
    for (Control* ch : c.Children()) {
        if (!ch->EffectivelyVisible() || !ch->EffectivelyEnabled()) continue;
        if (auto* b = dynamic_cast<CommandButton*>(ch); b && pred(*b)) return b;
        if (Container* cc = ch->AsContainer())
            if (CommandButton* b = FindButton(*cc, pred)) return b;
    }
    return nullptr;
}

void RaiseDragOver(Control* c, Form& f, Control& source, QPointF px, int state) {
    if (c) {
        if (!c->EffectivelyEnabled()) return;  // a disabled control swallows it
        const QPointF u = ToControlUnits(*c, px);
        Raise(*c, c->OnDragOver, source, static_cast<float>(u.x()), static_cast<float>(u.y()), state);
    } else {
        const QPointF u = ToFormUnits(f, px);
        RunHandler(f, [&] { f.Form_DragOver(source, static_cast<float>(u.x()), static_cast<float>(u.y()), state); });
    }
}

}  // namespace

QRectF DragOverlayRectPx() {
    const DragInfo& d = S().drag;
    Control* src = d.source.get();
    if (!src) return {};
    if (!src->DragIcon().IsEmpty()) {
        const double w = src->DragIcon().PixelWidth(), h = src->DragIcon().PixelHeight();
        return QRectF(d.posPx.x() - w / 2, d.posPx.y() - h / 2, w, h);
    }
    const QRectF r = src->RectPx();
    return QRectF(d.posPx - d.grabOffsetPx, r.size());
}

namespace {

void InvalidateOverlay() {
    const DragInfo& d = S().drag;
    if (d.form) Screen::InvalidateForm(*d.form, DragOverlayRectPx().adjusted(-3, -3, 3, 3));
}

}  // namespace

Control* ControlAt(Container& c, QPointF pt, bool forInput) {
    if (auto* f = dynamic_cast<Form*>(&c)) {
        if (ComboBox* cb = DroppedCombo(*f); cb && cb->HitTest(pt)) return cb;
    }
    const auto& kids = c.Children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        Control* ch = *it;
        if (!ch->Visible()) continue;  // hidden controls are transparent
        if (!ch->HitTest(pt)) continue;
        if (Container* cc = ch->AsContainer(); cc && cc->ClientRectPx().contains(pt)) {
            if (Control* inner = ControlAt(*cc, pt, forInput)) return inner;
        }
        return ch;
    }
    return nullptr;
}

QPointF ToControlUnits(const Control& c, QPointF px) {
    if (auto* cc = dynamic_cast<const Container*>(&c)) {
        const QRectF client = cc->ClientRectPx();
        return QPointF(cc->PixelsToUnits(px.x() - client.left()), cc->PixelsToUnits(px.y() - client.top()));
    }
    const QRectF r = c.RectPx();
    return QPointF(c.Parent().PixelsToUnits(px.x() - r.left()), c.Parent().PixelsToUnits(px.y() - r.top()));
}

QPointF ToFormUnits(const Form& f, QPointF px) { return QPointF(f.PixelsToUnits(px.x()), f.PixelsToUnits(px.y())); }

// ---------------------------------------------------------------- focus

void MoveFocus(Form& f, Control* to) {
    Control* old = f.ActiveControl();
    if (old == to) return;
    ControlRef oldRef(old), toRef(to);
    f.SetFocusInternal(to);
    if (old) old->Invalidate();
    if (to) to->Invalidate();
    if (Control* o = oldRef.get()) o->HandleFocusChange(false);
    if (Control* t = toRef.get(); t && f.ActiveControl() == t) t->HandleFocusChange(true);
}

void FocusFirst(Form& f) {
    auto order = TabOrder(f);
    if (!order.empty()) MoveFocus(f, order.front());
}

void FocusNext(Form& f, bool backwards) {
    auto order = TabOrder(f);
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), f.ActiveControl());
    int i = it == order.end() ? -1 : static_cast<int>(it - order.begin());
    const int n = static_cast<int>(order.size());
    i = backwards ? (i <= 0 ? n - 1 : i - 1) : (i + 1) % n;
    MoveFocus(f, order[static_cast<size_t>(i)]);
}

// ---------------------------------------------------------------- mouse

void MouseDownAt(Form& f, QPointF px, int button, int shift, unsigned long ms) {
    State& s = S();
    NoteInput();
    if (!AcceptsInput(f) || s.drag.active) return;
    // Children double-click everything: the second click of a double click
    // that brought up this screen (or a dialog) belongs to the first.
    const State::Press& last = s.lastPress;
    const auto interval =
        static_cast<unsigned long>(std::max(0, QGuiApplication::styleHints()->mouseDoubleClickInterval()));
    if (last.taken && last.form != f.loadSerial_ && last.changes != s.screenChanges && ms >= last.ms &&
        ms - last.ms < interval) {
        s.dropRelease = true;
        return;
    }
    s.lastPress = State::Press{true, ms, f.loadSerial_, s.screenChanges};
    s.dropRelease = false;
    if (ComboBox* cb = DroppedCombo(f); cb && !cb->HitTest(px)) cb->SetDroppedDown(false);
    Control* c = ControlAt(f, px, true);
    if (!c) {
        s.capturedForm = &f;
        const QPointF u = ToFormUnits(f, px);
        RunHandler(f, [&] { f.Form_MouseDown(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y())); });
        return;
    }
    if (!c->EffectivelyEnabled()) return;
    if (c->DragMode() == vbAutomatic && button == vbLeftButton) {
        StartDrag(*c, px);
        return;
    }
    ControlRef ref(c);
    if (c->CanTakeFocus()) MoveFocus(f, c);
    c = ref.get();
    if (!c || !f.loaded_) return;
    s.captured = ControlRef(c);
    c->pressed_ = true;
    c->releaseInside_ = true;
    c->Invalidate();
    const QPointF u = ToControlUnits(*c, px);
    c->HandleMouseDown(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
}

void MouseMoveAt(Form& f, QPointF px, int button, int shift) {
    State& s = S();
    NoteInput();
    if (s.drag.active) {
        if (s.drag.form == &f) DragMoveTo(px);
        return;
    }
    if (Control* c = s.captured.get()) {
        if (&c->ParentForm() != &f) return;
        const bool inside = c->HitTest(px);
        if (inside != c->releaseInside_) {
            c->releaseInside_ = inside;
            c->Invalidate();
        }
        const QPointF u = ToControlUnits(*c, px);
        c->HandleMouseMove(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
        return;
    }
    if (!AcceptsInput(f)) return;
    Control* c = ControlAt(f, px, true);
    if (!s.hover.is(c)) {
        s.hover = ControlRef(c);
        Screen::UpdateCursor();
    }
    if (c) {
        if (!c->EffectivelyEnabled()) return;
        const QPointF u = ToControlUnits(*c, px);
        c->HandleMouseMove(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
    } else {
        const QPointF u = ToFormUnits(f, px);
        RunHandler(f, [&] { f.Form_MouseMove(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y())); });
    }
}

void MouseUpAt(Form& f, QPointF px, int button, int shift) {
    State& s = S();
    NoteInput();
    if (s.dropRelease) {
        s.dropRelease = false;
        return;
    }
    if (s.drag.active) {
        if (s.drag.form == &f) DragDropAt(px);
        return;
    }
    if (Control* c = s.captured.get()) {
        s.captured.reset();
        c->pressed_ = false;
        c->releaseInside_ = c->HitTest(px) && c->EffectivelyVisible();
        c->Invalidate();
        const QPointF u = ToControlUnits(*c, px);
        c->HandleMouseUp(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y()));
        return;
    }
    s.captured.reset();
    if (s.capturedForm == &f) {
        s.capturedForm = nullptr;
        const QPointF u = ToFormUnits(f, px);
        RunHandler(f, [&] { f.Form_MouseUp(button, shift, static_cast<float>(u.x()), static_cast<float>(u.y())); });
        if (button == vbLeftButton) RunHandler(f, [&] { f.Form_Click(); });
    }
}

// ---------------------------------------------------------------- drag manager

void StartDrag(Control& source, QPointF px) {
    State& s = S();
    CancelDrag();
    DragInfo& d = s.drag;
    d.active = true;
    d.source = ControlRef(&source);
    d.form = &source.ParentForm();
    d.target.reset();
    d.overForm = false;
    d.posPx = px;
    d.grabOffsetPx = px - source.RectPx().topLeft();
    Screen::UpdateCursor();
    InvalidateOverlay();
    DragMoveTo(px);
}

void DragMoveTo(QPointF px) {
    State& s = S();
    DragInfo& d = s.drag;
    if (!d.active) return;
    Control* src = d.source.get();
    if (!src || !d.form || !d.form->loaded_) {
        CancelDrag();
        return;
    }
    Form& f = *d.form;
    InvalidateOverlay();
    d.posPx = px;
    InvalidateOverlay();

    Control* now = nullptr;
    bool nowForm = false;
    if (f.ClientRectPx().contains(px)) {
        now = ControlAt(f, px, false);
        nowForm = (now == nullptr);
    }
    Control* before = d.target.get();
    const bool same = (now && now == before) || (nowForm && d.overForm);
    if (same) {
        RaiseDragOver(now, f, *src, px, vbOver);
        return;
    }
    const bool hadForm = d.overForm;
    d.target = ControlRef(now);
    d.overForm = nowForm;
    if (before) {
        RaiseDragOver(before, f, *src, px, vbLeave);
    } else if (hadForm) {
        RaiseDragOver(nullptr, f, *src, px, vbLeave);
    }
    // The handler may have ended the drag (a modal dialog, an unload).
    if (!d.active || !(src = d.source.get())) return;
    if (Control* t = d.target.get())
        RaiseDragOver(t, f, *src, px, vbEnter);
    else if (d.overForm)
        RaiseDragOver(nullptr, f, *src, px, vbEnter);
}

void DragDropAt(QPointF px) {
    State& s = S();
    DragInfo& d = s.drag;
    if (!d.active) return;
    Control* src = d.source.get();
    Form* f = d.form;
    // The drag is over before the drop handler runs: it may ask a question in
    // a modal dialog or unload the source.
    InvalidateOverlay();
    d = DragInfo{};
    Screen::UpdateCursor();
    if (!src || !f || !f->loaded_ || !f->ClientRectPx().contains(px)) return;
    Control* c = ControlAt(*f, px, false);
    if (c) {
        if (!c->EffectivelyEnabled()) return;
        const QPointF u = ToControlUnits(*c, px);
        Raise(*c, c->OnDragDrop, *src, static_cast<float>(u.x()), static_cast<float>(u.y()));
    } else {
        const QPointF u = ToFormUnits(*f, px);
        RunHandler(*f, [&] { f->Form_DragDrop(*src, static_cast<float>(u.x()), static_cast<float>(u.y())); });
    }
}

void CancelDrag() {
    State& s = S();
    if (!s.drag.active) return;
    InvalidateOverlay();
    s.drag = DragInfo{};
    Screen::UpdateCursor();
}

void ReleaseCapture() {
    State& s = S();
    if (Control* c = s.captured.get()) {
        c->pressed_ = false;
        c->Invalidate();
    }
    s.captured.reset();
    s.capturedForm = nullptr;
}

void ControlDestroyed(Control* c) {
    State& s = S();
    if (s.drag.active && s.drag.source.is(c)) CancelDrag();
    if (s.drag.target.is(c)) s.drag.target.reset();
    if (s.captured.is(c)) s.captured.reset();
    if (s.hover.is(c)) s.hover.reset();
}

// ---------------------------------------------------------------- keys

void KeyDown(int qtKey, const std::string& text, int modifiers) {
    State& s = S();
    NoteInput();
    Form* f = Forms::ModalForm();
    if (!f) f = s.active;
    if (!f || !AcceptsInput(*f)) return;
    if (qtKey == Qt::Key_Escape && s.drag.active) {
        CancelDrag();
        return;
    }
    Control* c = f->ActiveControl();
    const bool alt = modifiers & Qt::AltModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;

    if (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) {
        FocusNext(*f, qtKey == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier));
        return;
    }
    auto* tb = dynamic_cast<TextBox*>(c);
    auto* cb = dynamic_cast<ComboBox*>(c);
    auto* sb = dynamic_cast<VScrollBar*>(c);
    const bool textFocus = tb || (cb && cb->Style() == 0);

    // Access keys: Alt+letter anywhere, the letter alone outside text input.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z && !ctrl && (alt || !textFocus)) {
        const char letter = static_cast<char>('A' + (qtKey - Qt::Key_A));
        if (CommandButton* b = FindButton(*f, [&](CommandButton& x) { return x.AccessKey() == letter; })) {
            ControlRef ref(b);
            b->SetFocus();
            if (auto* bb = static_cast<CommandButton*>(ref.get())) bb->Press();
            return;
        }
        if (alt) return;
    }
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        if (auto* b = dynamic_cast<CommandButton*>(c)) {
            b->Press();
            return;
        }
        if (cb && cb->DroppedDown()) {
            cb->SetDroppedDown(false);
            return;
        }
        if (CommandButton* b = FindButton(*f, [](CommandButton& x) { return x.Default(); })) {
            b->Press();
            return;
        }
    }
    if (ctrl && qtKey == Qt::Key_V && tb) {
        if (auto* cl = QGuiApplication::clipboard()) tb->Paste(cl->text().toStdString());
        return;
    }
    if (tb && (qtKey == Qt::Key_Left || qtKey == Qt::Key_Right || qtKey == Qt::Key_Home || qtKey == Qt::Key_End ||
               qtKey == Qt::Key_Delete)) {
        tb->HandleEditKey(qtKey);
        return;
    }
    if (cb && (qtKey == Qt::Key_Up || qtKey == Qt::Key_Down)) {
        const int n = cb->ListCount();
        if (n > 0) {
            int i = cb->ListIndex() + (qtKey == Qt::Key_Down ? 1 : -1);
            cb->SetListIndex(std::clamp(i, 0, n - 1));
        }
        return;
    }
    if (sb) {
        const int dir = sb->Max() >= sb->Min() ? 1 : -1;
        switch (qtKey) {
        case Qt::Key_Up: sb->SetValue(sb->Value() - dir * sb->SmallChange()); return;
        case Qt::Key_Down: sb->SetValue(sb->Value() + dir * sb->SmallChange()); return;
        case Qt::Key_PageUp: sb->SetValue(sb->Value() - dir * sb->LargeChange()); return;
        case Qt::Key_PageDown: sb->SetValue(sb->Value() + dir * sb->LargeChange()); return;
        default: break;
        }
    }
    auto press = [&](int key) {
        if (key == 0) return;
        if (c) {
            ControlRef ref(c);
            Raise(*c, c->OnKeyPress, key);
            if (Control* cc = ref.get(); cc && key != 0) cc->HandleKey(key);
        } else {
            RunHandler(*f, [&] { f->Form_KeyPress(key); });
        }
    };
    if (qtKey == Qt::Key_Backspace)
        press(vbKeyBack);
    else if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        press(vbKeyReturn);
    else if (qtKey == Qt::Key_Escape)
        press(vbKeyEscape);
    else if (!text.empty() && !ctrl) {
        // A key's text can be longer than one UTF-16 unit (an emoji) or hold
        // several characters (an input method's word): each character as the
        // player sees it is one KeyPress, keyed by its first code point, and
        // a text box takes the whole character.
        if (tb) {
            tb->Type(text);
            return;
        }
        ControlRef ref(c);
        for (const std::string& character : platform::VisibleChars(text)) {
            if (c && !ref.get()) return;  // unloaded by the handler
            const std::u32string codes = QString::fromStdString(character).toStdU32String();
            if (!codes.empty()) press(static_cast<int>(codes[0]));
        }
    }
}

void PostPaintEvents(Form& f) {
    std::vector<ControlRef> boxes;
    std::vector<Container*> todo{&f};
    while (!todo.empty()) {
        Container* c = todo.back();
        todo.pop_back();
        for (Control* ch : c->Children()) {
            if (auto* pb = dynamic_cast<PictureBox*>(ch)) {
                if (pb->OnPaint) boxes.emplace_back(pb);
                todo.push_back(pb);
            }
        }
    }
    Form* fp = &f;
    QTimer::singleShot(0, QCoreApplication::instance(), [fp, boxes] {
        // The form may have gone meanwhile: only touch it when still loaded.
        bool alive = false;
        for (Form* x : S().loadOrder) alive = alive || x == fp;
        if (!alive || !fp->visible_) return;
        RunHandler(*fp, [&] { fp->Form_Paint(); });
        for (const ControlRef& r : boxes)
            if (auto* pb = static_cast<PictureBox*>(r.get())) Raise(*pb, pb->OnPaint);
    });
}

}  // namespace detail
}  // namespace platform::forms
