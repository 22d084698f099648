#pragma once
// Shared state and helpers of the forms layer's implementation (not for the
// game code).

#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

class QEventLoop;

namespace platform::forms::detail {

// Guards one running handler of a form: the form (and its controls) stay
// alive until every guard is gone, and deferred destruction waits for the
// outermost handler of the program to return.
class HandlerScope {
public:
    explicit HandlerScope(Form& f);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    Form& f_;
};

// A reference to a control that knows when the control is gone.
class ControlRef {
public:
    ControlRef() = default;
    explicit ControlRef(Control* c);
    Control* get() const;
    explicit operator bool() const { return get() != nullptr; }
    void reset() { c_ = nullptr; token_.reset(); }
    bool is(const Control* c) const { return c && get() == c; }

private:
    Control* c_ = nullptr;
    std::weak_ptr<int> token_;
};

struct ModalRecord {
    Form* form = nullptr;
    QEventLoop* loop = nullptr;
    bool exiting = false;
};

struct DragInfo {
    bool active = false;
    ControlRef source;
    Form* form = nullptr;          // the form the drag happens on
    ControlRef target;             // control receiving DragOver now
    bool overForm = false;         // the form itself receives DragOver now
    QPointF posPx;                 // pointer, design pixels of the form
    QPointF grabOffsetPx;          // pointer minus the source's top left
};

struct State {
    std::map<std::string, Forms::Factory> factories;       // upper-case names
    std::map<std::string, std::unique_ptr<Form>> owned;      // loaded, registry-owned
    std::vector<Form*> loadOrder;                            // every loaded form
    std::vector<std::unique_ptr<Form>> graveyard;            // unloaded, awaiting destruction
    std::vector<std::unique_ptr<Control>> retired;           // unloaded array elements, likewise
    std::vector<Form*> zorder;                               // shown modeless forms, bottom to top
    std::vector<ModalRecord*> modals;                        // modal shows in progress
    Form* active = nullptr;
    std::vector<Form*> pendingDeactivate;                    // hidden while active; told at the next check
    bool activationPending = false;
    bool graveyardPending = false;
    int depth = 0;                                           // handlers running, all forms
    DragInfo drag;
    ControlRef captured;                                     // control that took the mouse press
    Form* capturedForm = nullptr;                            // form pressed where no control is
    ControlRef hover;
    std::function<void(Form&)> modalHook;
    std::function<int(const std::string&, int, const std::string&)> msgBoxHook;
    bool ended = false;
    std::uint64_t loads = 0;                                 // forms loaded so far (Form::loadSerial_)
    std::uint64_t screenChanges = 0;                         // forms shown or hidden so far
    // The last mouse press taken: when, on which load of which form, and
    // how many screen changes had happened by then.
    struct Press {
        bool taken = false;
        unsigned long ms = 0;
        std::uint64_t form = 0;
        std::uint64_t changes = 0;
    } lastPress;
    bool dropRelease = false;                                // the press was the rest of a double click
};

State& S();
void EnsureApp();
std::string Upper(const std::string& s);
// When the pictures being decoded ahead are that form's, waits until they
// are ready (without running events), so that its load takes them all.
void AwaitPrefetchOf(const std::string& formName);

// Runs fn as a handler of form f: nothing when f is no longer loaded.
template <class Fn>
void RunHandler(Form& f, Fn&& fn) {
    if (!f.loaded_) return;
    HandlerScope scope(f);
    fn();
}

// Raises a control event: copies the handler first (the control may be
// unloaded by its own handler), nothing when there is none.
template <class Fn, class... Args>
bool Raise(Control& c, const std::function<Fn>& event, Args&&... args) {
    if (!event || !c.alive_) return false;  // no handler, or an unloaded array element
    Form& f = c.ParentForm();
    if (!f.loaded_) return false;
    auto h = event;
    HandlerScope scope(f);
    h(std::forward<Args>(args)...);
    return true;
}

bool AcceptsInput(const Form& f);
void ScheduleActivationCheck();
void ScheduleGraveyard();
void FlushGraveyard();
void UnloadForm(Form& f, bool withEvents);
void CancelDrag();
// The player's input reached the forms (a key, a mouse button or movement):
// the quiet moment that Forms::WhenIdle waits for starts again.
void NoteInput();
// Drops the wait for a quiet moment (Forms::Reset).
void ForgetIdle();
// Forgets a mouse press in progress (a modal dialog takes the mouse away).
void ReleaseCapture();
void ControlDestroyed(Control* c);
void FormDiscarded(Form& f);

// Input, in design pixels of a form.
// A press carries the time it happened (ms, any origin): a press on a form
// that a change of screen brought up since the last press taken, within the
// desktop's double-click interval of it, is the second click of the double
// click that changed the screen, and it and its release are not taken.
void MouseDownAt(Form& f, QPointF px, int button, int shift, unsigned long ms);
void MouseMoveAt(Form& f, QPointF px, int button, int shift);
void MouseUpAt(Form& f, QPointF px, int button, int shift);
// Keys: qtKey, the typed text, Qt modifiers. Goes to the active form.
void KeyDown(int qtKey, const std::string& text, int modifiers);
Control* ControlAt(Container& c, QPointF formPx, bool forInput);
void FocusFirst(Form& f);
void MoveFocus(Form& f, Control* to);
void FocusNext(Form& f, bool backwards);
void StartDrag(Control& source, QPointF px);
void DragMoveTo(QPointF px);
void DragDropAt(QPointF px);
// Point of the form in the control's own coordinates and units.
QPointF ToControlUnits(const Control& c, QPointF formPx);
QPointF ToFormUnits(const Form& f, QPointF formPx);

// Drawing helpers.
void DrawPicture(QPainter& p, const Picture& pic, const QRectF& designRect, bool stretch);
void PaintForm(QPainter& p, const Form& f);   // painter set to design pixels
void PaintDragOverlay(QPainter& p, const Form& f);
QRectF DragOverlayRectPx();
void PostPaintEvents(Form& f);

}  // namespace platform::forms::detail
