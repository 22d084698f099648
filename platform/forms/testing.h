#pragma once
// Drivers for tests: simulated player input and control over time and modal
// dialogs. They go through the same dispatch as real input (hit testing,
// modal blocking, automatic drag, focus), without a window.
//
//     test::Click(form.Command1);                       // the player clicks a control
//     test::DragTo(form.Image1, form.Picture1, 50, 90); // drag, then drop at (50, 90) px of Picture1
//     test::KeyPress('a');                              // a key to the focused control
//     test::TickTimer(form.Timer1);                     // one tick, synchronously
//     test::RunFor(300);                                // let real timers run 300 ms
//     test::SetModalHook([](Form& f) { if (f.Name() == "frmDialog") test::Click(...); });
//
// After every simulated action the posted events (Activate, Deactivate,
// deferred destruction) are processed, as they would be once a real handler
// returns to the event loop.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace platform::forms::test {

// A complete click on a control (MouseDown, MouseUp, Click, as the control
// raises them), as if the player clicked at its centre. Ignored like a real
// click when the control is hidden, disabled, or on a form beneath a modal
// dialog. A control in automatic drag mode starts a drag instead and drops it
// where it was pressed.
void Click(Control& c);
// A click on the form itself (no control there): Form_Click.
void ClickForm(Form& f);

// Mouse at a point of a form in its twips (hit-tested: the topmost visible
// control there gets it).
void MouseDown(Form& f, float xTwips, float yTwips, int button = vbLeftButton);
void MouseMove(Form& f, float xTwips, float yTwips, int button = 0);
void MouseUp(Form& f, float xTwips, float yTwips, int button = vbLeftButton);
void ClickAt(Form& f, float xTwips, float yTwips);

// Mouse at a device pixel of the screen surface (Screen::Size, letterbox and
// scale applied as for the real window).
void MouseDownScreen(int x, int y, int button = vbLeftButton);
void MouseMoveScreen(int x, int y, int button = 0);
void MouseUpScreen(int x, int y, int button = vbLeftButton);
void ClickScreen(int x, int y);
// A press on the close box of the dialog on top, where the screen shows it
// (the box acts on the press); nothing when no dialog is up.
void ClickCloseBox();

// A complete drag of a control in automatic drag mode: press at its centre,
// `steps` moves towards the point, release there. The point is in the
// target's own scale (twips of a form; twips or pixels of a picture box).
void DragTo(Control& source, Form& target, float x, float y, int steps = 4);
void DragTo(Control& source, Control& target, float x, float y, int steps = 4);
void DragToScreen(Control& source, int x, int y, int steps = 4);

// The time between one simulated press (MouseDown, MouseDownScreen and the
// clicks made of them) and the next: by default a minute, never a double
// click; a test of double clicks makes it shorter.
void SetPressGap(int ms);

// Keys to the active form's focused control (or the form itself).
void KeyPress(int keyAscii);                 // a character, Enter (13), Backspace (8), Escape (27)
void TypeText(const std::string& utf8);      // one KeyPress per character as the player sees it
void PressQtKey(int qtKey, int modifiers = 0);  // any key by Qt::Key, with Qt modifiers

// Runs one tick of a timer now; returns whether its handler ran.
bool TickTimer(Timer& t);
// Processes events (real timers included) for ms milliseconds.
void RunFor(int ms);
// Processes the posted events only (Activate, Deactivate, deferred unloads).
void ProcessEvents();
// Waits until the picture prefetch has read every file it was given.
void WaitForPrefetch();

// Called inside every modal show, once the modal form is loaded, shown and
// activated; the hook answers it (clicks a button, hides it...). When the
// hook returns and the form is still shown modal, the modal loop goes on
// running events until something closes it. Without a hook and without a
// screen window a modal show would wait for ever: it throws
// std::logic_error instead.
void SetModalHook(std::function<void(Form&)> hook);

// Replaces MsgBox for the test; the default records nothing and returns vbOK.
void SetMsgBoxHook(std::function<int(const std::string& prompt, int buttons, const std::string& title)> hook);

// Forms::Reset plus the test hooks, the virtual screen size and the log.
void ResetAll();

// Every registered form as its design makes it: constructed under its
// registered name, never loaded nor shown (its Form_Load has not run).
std::vector<std::unique_ptr<Form>> Designs();

// The labels of a form (inside its picture boxes too) whose caption does not
// show whole at their size (Label::CaptionCut).
std::vector<const Label*> CutLabels(const Form& f);

}  // namespace platform::forms::test
