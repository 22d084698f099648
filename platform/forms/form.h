#pragma once
// Forms and the forms registry.
//
// A screen or dialog is a C++ class deriving from Form. Its constructor is
// the design: it sets the form's caption and client size and every control's
// geometry and properties, and binds the controls' events to the screen's
// handlers. Its form events are the virtual Form_* functions.
//
// Forms are reached by name through Forms (the registry): the first use of a
// name constructs the form and runs its Form_Load; Unload ends that instance,
// and the next use constructs a fresh one whose fields start from their load
// values. A handler may unload its own form and go on (unload, then show the
// next screen): the object is destroyed only when no handler of it is running
// any more, and no event reaches it after the unload.
//
// Activate is raised by the layer whenever a form becomes the program's
// active form (its first show, the return from another of the program's
// forms, the close of a modal dialog over it), Deactivate when it stops being
// so; both are posted, so they run after the handler that caused them
// returns. Switching to another application raises neither.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

class Form : public Container {
public:
    explicit Form(std::string name = {});
    ~Form() override;

    // Registered name ("Form1", "frmDialog").
    const std::string& Name() const { return name_; }

    // --- design properties --------------------------------------------------
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    // Client area in twips (a screen is designed at 12000 x 9000, 800 x 600 pixels).
    void SetClientSize(int widthTwips, int heightTwips);
    int ClientWidth() const { return clientW_; }
    int ClientHeight() const { return clientH_; }
    // Background picture, drawn unscaled from the top left.
    const forms::Picture& Picture() const { return picture_; }
    void SetPicture(const forms::Picture& p);
    void LoadPicture(const std::string& gamePath);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int v);
    const forms::Picture& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const forms::Picture& p) { mouseIcon_ = p; }
    // The form's font; controls that still use the form's font (the default
    // for every control) follow a change of it.
    const forms::Font& Font() const { return font_; }
    void SetFont(const forms::Font& f);

    // --- life --------------------------------------------------------------
    // Shows the form (vbModeless or vbModal). A modal show returns when the
    // form is hidden or unloaded; meanwhile input reaches only this form and
    // the timers of every loaded form keep running.
    void Show(int modal = vbModeless);
    void Hide();
    // Unloads this form (Form_Unload may cancel). Safe from the form's own
    // handlers: the object lives on until they return, but is no longer
    // loaded, shown or reachable by name.
    void Unload();
    bool Visible() const { return visible_; }
    bool IsModal() const { return modal_; }
    bool IsLoaded() const { return loaded_; }

    // The control with the keyboard focus, or nullptr.
    Control* ActiveControl() const { return focus_; }

    // Repaints the whole form now.
    void Refresh();

    // --- form events (override the ones the screen handles) ----------------
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Unload(int& Cancel) {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) {}
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) {}
    virtual void Form_MouseUp(int Button, int Shift, float X, float Y) {}
    virtual void Form_DragOver(Control& Source, float X, float Y, int State) {}
    virtual void Form_DragDrop(Control& Source, float X, float Y) {}
    virtual void Form_Paint() {}
    virtual void Form_KeyPress(int& KeyAscii) {}

    // --- layer internals ---------------------------------------------------
    Form& ParentForm() override { return *this; }
    QRectF ClientRectPx() const override;
    void SetNameInternal(std::string n) { name_ = std::move(n); }
    void SetFocusInternal(Control* c) { focus_ = c; }
    void ForgetControl(Control* c);     // a control is being destroyed
    int busy_ = 0;                      // handlers of this form now running
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    bool unloading_ = false;
    std::uint64_t loadSerial_ = 0;      // tells this load apart from any other
    int nextTabIndex_ = 0;
    void* view_ = nullptr;              // the window showing it (screen.cpp)
    std::vector<Timer*> timers_;

private:
    std::string name_;
    std::string caption_;
    int clientW_ = 12000, clientH_ = 9000;
    forms::Picture picture_;
    Color backColor_ = SysColor::ButtonFace;
    int mousePointer_ = vbDefault;
    forms::Picture mouseIcon_;
    forms::Font font_;
    Control* focus_ = nullptr;
};

// The registry of forms by name (names are matched without regard to case).
class Forms {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    // Makes a form known by name (the application does this for every form at
    // start-up; tests register what they need). Registering a name again
    // replaces its factory (the loaded instance, if any, stays until unloaded).
    static void Register(const std::string& name, Factory factory);
    template <class T>
    static void Register(const std::string& name) {
        static_assert(std::is_base_of_v<Form, T>);
        Register(name, [] { return std::unique_ptr<Form>(new T()); });
    }
    static bool IsRegistered(const std::string& name);

    // The loaded instance, loading it (construct, then Form_Load) when it is
    // not loaded. Throws std::logic_error for a name never registered.
    static Form& Get(const std::string& name);
    template <class T>
    static T& Get(const std::string& name) {
        Form& f = Get(name);
        T* t = dynamic_cast<T*>(&f);
        if (!t) throw std::logic_error("o formulário " + name + " não é do tipo esperado");
        return *t;
    }

    static void Show(const std::string& name, int modal = vbModeless) { Get(name).Show(modal); }
    static void Hide(const std::string& name);         // nothing when not loaded
    static void Unload(const std::string& name);       // nothing when not loaded
    static bool IsLoaded(const std::string& name);
    static Form* Find(const std::string& name);         // loaded instance or nullptr

    // The program's active form (top modal dialog, else the last activated
    // shown form), or nullptr.
    static Form* ActiveForm();
    // The innermost modal form being shown, or nullptr.
    static Form* ModalForm();
    // Every loaded form, in load order.
    static std::vector<Form*> Loaded();

    // Ends the program: every form is discarded without events, modal shows
    // return, and the event loop ends. The handler that calls it should
    // return at once.
    static void End();
    static bool Ended();

    // Runs `hook` once, at the first quiet moment: the player has left the
    // screens alone for `quietMs` (no key, mouse button or movement since
    // this call or the last such input), with no drag in progress and no
    // mouse button held. Asked again before it ran, the new hook replaces
    // the old and the time counts from now. Needs the application's event
    // loop; Reset drops a hook that has not run.
    static void WhenIdle(int quietMs, std::function<void()> hook);

    // Discards and destroys every form without events, cancels any drag,
    // forgets registrations, hooks and the active form. Tests start from it;
    // the program calls it once its event loop has ended, so that no form
    // outlives the application object.
    static void Reset();
};

// Typed handle to a form by name: ok->SetCaption(...) loads "ok" on first use.
template <class T>
class FormHolder {
public:
    explicit FormHolder(std::string name) : name_(std::move(name)) {}
    T& operator*() const { return Forms::Get<T>(name_); }
    T* operator->() const { return &Forms::Get<T>(name_); }
    bool IsLoaded() const { return Forms::IsLoaded(name_); }
    void Unload() const { Forms::Unload(name_); }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

}  // namespace platform::forms
