#include "platform/forms/form.h"

#include <malloc.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/forms/controls.h"
#include "platform/forms/internal.h"
#include "platform/forms/screen.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/wait.h"

namespace platform::forms {

namespace detail {

State& S() {
    static State s;
    return s;
}

void EnsureApp() {
    // A modal wait (platform/wait.h) takes the mouse away as a modal dialog
    // does: a press or drag in progress ends without its release.
    static const bool waitHooked = [] {
        SetModalWaitStartHook([] {
            CancelDrag();
            ReleaseCapture();
        });
        return true;
    }();
    (void)waitHooked;
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static std::string name = ApplicationName();
    static char* argv[] = {name.data(), nullptr};
    new QApplication(argc, argv);
}

std::string Upper(const std::string& s) {
    std::string r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::toupper(c); });
    return r;
}

HandlerScope::HandlerScope(Form& f) : f_(f) {
    ++f_.busy_;
    ++S().depth;
}

HandlerScope::~HandlerScope() {
    --f_.busy_;
    if (--S().depth == 0 && (!S().graveyard.empty() || !S().retired.empty())) ScheduleGraveyard();
}

ControlRef::ControlRef(Control* c) : c_(c) {
    if (c) token_ = c->alive_;
}

Control* ControlRef::get() const { return token_.expired() ? nullptr : c_; }

namespace {

void Post(std::function<void()> fn) {
    EnsureApp();
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(fn));
}

Form* WantedActive() {
    State& s = S();
    for (auto it = s.modals.rbegin(); it != s.modals.rend(); ++it)
        if ((*it)->form->loaded_ && (*it)->form->visible_) return (*it)->form;
    for (auto it = s.zorder.rbegin(); it != s.zorder.rend(); ++it)
        if ((*it)->loaded_ && (*it)->visible_) return *it;
    return nullptr;
}

void RunActivationCheck() {
    State& s = S();
    s.activationPending = false;
    if (s.ended) return;
    // While a modal show is unwinding, the activation belongs after the
    // return of the handler that showed it: the show reschedules it.
    for (ModalRecord* m : s.modals)
        if (m->exiting) return;
    Form* want = WantedActive();
    // Forms hidden while active are told now, even when shown again since
    // (a dialog hidden and asked again before the event loop ran).
    auto hidden = std::move(s.pendingDeactivate);
    s.pendingDeactivate.clear();
    for (Form* h : hidden) {
        bool alive = false;
        for (Form* x : s.loadOrder) alive = alive || x == h;
        if (alive && h->loaded_ && h != s.active) RunHandler(*h, [&] { h->Form_Deactivate(); });
    }
    if (want == s.active) return;
    Form* old = s.active;
    s.active = want;
    if (old && old->loaded_) RunHandler(*old, [&] { old->Form_Deactivate(); });
    if (want && want->loaded_ && s.active == want) RunHandler(*want, [&] { want->Form_Activate(); });
}

void Forget(Form* f) {
    State& s = S();
    s.loadOrder.erase(std::remove(s.loadOrder.begin(), s.loadOrder.end(), f), s.loadOrder.end());
    s.zorder.erase(std::remove(s.zorder.begin(), s.zorder.end(), f), s.zorder.end());
    if (s.active == f) s.active = nullptr;
    s.pendingDeactivate.erase(std::remove(s.pendingDeactivate.begin(), s.pendingDeactivate.end(), f),
                              s.pendingDeactivate.end());
    if (s.capturedForm == f) s.capturedForm = nullptr;
    if (s.drag.form == f) CancelDrag();
}

void Load(Form& f) {
    f.loaded_ = true;
    f.loadSerial_ = ++S().loads;
    S().loadOrder.push_back(&f);
    for (Timer* t : f.timers_) t->Resume();
    RunHandler(f, [&] { f.Form_Load(); });
}

}  // namespace

void ScheduleActivationCheck() {
    State& s = S();
    if (s.activationPending) return;
    s.activationPending = true;
    Post(RunActivationCheck);
}

void ScheduleGraveyard() {
    State& s = S();
    if (s.graveyardPending) return;
    s.graveyardPending = true;
    Post([] {
        S().graveyardPending = false;
        FlushGraveyard();
    });
}

void FlushGraveyard() {
    State& s = S();
    if (s.depth > 0) return;  // the outermost handler will schedule it again
    while (!s.retired.empty()) {
        auto dead = std::move(s.retired);
        s.retired.clear();
        dead.clear();
    }
    bool destroyed = false;
    while (!s.graveyard.empty()) {
        auto dead = std::move(s.graveyard);
        s.graveyard.clear();
        dead.clear();  // destroys the forms (and may add more)
        destroyed = true;
    }
    // A screen that goes leaves many small blocks free inside the heap (its
    // controls, its smaller pictures): they are given back to the system
    // rather than kept by the allocator for the whole run.
    if (destroyed) malloc_trim(0);
}

void FormDiscarded(Form& f) {
    // The form stops being loaded, shown and reachable; its object waits in
    // the graveyard until no handler runs.
    State& s = S();
    f.loaded_ = false;
    for (Timer* t : f.timers_) t->Stop();
    if (f.visible_) {
        f.visible_ = false;
        ++s.screenChanges;
        Screen::FormHidden(f);
    }
    for (ModalRecord* m : s.modals) {
        if (m->form == &f && !m->exiting) {
            m->exiting = true;
            if (m->loop) m->loop->quit();
        }
    }
    f.modal_ = false;
    Forget(&f);
    for (auto it = s.owned.begin(); it != s.owned.end(); ++it) {
        if (it->second.get() == &f) {
            s.graveyard.push_back(std::move(it->second));
            s.owned.erase(it);
            break;
        }
    }
    ScheduleGraveyard();
    ScheduleActivationCheck();
}

void UnloadForm(Form& f, bool withEvents) {
    if (!f.loaded_ || f.unloading_) return;
    if (withEvents) {
        int cancel = 0;
        f.unloading_ = true;
        RunHandler(f, [&] { f.Form_Unload(cancel); });
        f.unloading_ = false;
        if (cancel != 0 || !f.loaded_) return;
    }
    FormDiscarded(f);
}

bool AcceptsInput(const Form& f) {
    const State& s = S();
    if (!f.loaded_ || !f.visible_ || InModalWait()) return false;
    for (auto it = s.modals.rbegin(); it != s.modals.rend(); ++it)
        if (!(*it)->exiting && (*it)->form->visible_) return (*it)->form == &f;
    return true;
}

}  // namespace detail

using namespace detail;

// ---------------------------------------------------------------- Form

Form::Form(std::string name) : name_(std::move(name)) {
    EnsureApp();
    font_ = forms::Font{};
}

Form::~Form() {
    State& s = S();
    for (Timer* t : timers_) t->Stop();
    if (visible_) Screen::FormHidden(*this);
    Screen::FormDestroyed(*this);
    s.loadOrder.erase(std::remove(s.loadOrder.begin(), s.loadOrder.end(), this), s.loadOrder.end());
    s.zorder.erase(std::remove(s.zorder.begin(), s.zorder.end(), this), s.zorder.end());
    if (s.active == this) s.active = nullptr;
    s.pendingDeactivate.erase(std::remove(s.pendingDeactivate.begin(), s.pendingDeactivate.end(), this),
                              s.pendingDeactivate.end());
    if (s.capturedForm == this) s.capturedForm = nullptr;
}

void Form::SetCaption(std::string v) {
    caption_ = std::move(v);
    Screen::FormShown(*this);  // refreshes a dialog's title bar when shown
}

void Form::SetClientSize(int w, int h) {
    clientW_ = std::max(15, w);
    clientH_ = std::max(15, h);
    Screen::InvalidateForm(*this);
}

void Form::SetPicture(const forms::Picture& p) {
    picture_ = p;
    Screen::InvalidateForm(*this);
}

void Form::LoadPicture(const std::string& gamePath) { SetPicture(forms::LoadPicture(gamePath)); }

void Form::SetFont(const forms::Font& f) {
    const forms::Font old = font_;
    font_ = f;
    std::vector<Container*> todo{this};
    while (!todo.empty()) {
        Container* c = todo.back();
        todo.pop_back();
        for (Control* ch : c->Children()) {
            if (ch->Font() == old) ch->SetFont(f);
            if (Container* cc = ch->AsContainer()) todo.push_back(cc);
        }
    }
    Screen::InvalidateForm(*this);
}

void Form::SetBackColor(Color c) {
    backColor_ = c;
    Screen::InvalidateForm(*this);
}

void Form::SetMousePointer(int v) {
    mousePointer_ = v;
    Screen::UpdateCursor();
}

QRectF Form::ClientRectPx() const { return QRectF(0, 0, clientW_ / double(kTwipsPerPixel), clientH_ / double(kTwipsPerPixel)); }

void Form::ForgetControl(Control* c) {
    if (focus_ == c) focus_ = nullptr;
}

void Form::Refresh() { Screen::InvalidateForm(*this); }

void Form::Show(int modal) {
    State& s = S();
    if (s.ended) return;
    if (!loaded_) {
        // A form reached directly (not through the registry) is loaded here;
        // a registry form that was unloaded is dead and stays so.
        bool owned = false;
        for (auto& [n, p] : s.owned) owned = owned || p.get() == this;
        for (auto& p : s.graveyard) {
            if (p.get() == this) {
                LogOnce("form-dead-show:" + name_, "Formulário já descarregado não pode ser mostrado: " + name_);
                return;
            }
        }
        (void)owned;
        Load(*this);
        if (!loaded_) return;  // unloaded by its own Form_Load
    }
    if (modal == vbModal) {
        if (visible_ && modal_) return;  // already shown modal
        CancelDrag();
        ReleaseCapture();
        if (!Screen::IsOpen() && !s.modalHook)
            throw std::logic_error("janela modal '" + name_ + "' mostrada sem resposta prevista (SetModalHook)");
        s.zorder.erase(std::remove(s.zorder.begin(), s.zorder.end(), this), s.zorder.end());
        visible_ = true;
        modal_ = true;
        ++s.screenChanges;
        ModalRecord rec;
        rec.form = this;
        QEventLoop loop;
        rec.loop = &loop;
        s.modals.push_back(&rec);
        Screen::FormShown(*this);
        if (!focus_) FocusFirst(*this);
        PostPaintEvents(*this);
        ScheduleActivationCheck();
        if (s.modalHook) {
            auto hook = s.modalHook;
            Post([hook, r = &rec, this] {
                State& st = S();
                if (std::find(st.modals.begin(), st.modals.end(), r) == st.modals.end() || r->exiting) return;
                hook(*this);
            });
        }
        {
            HandlerScope keepAlive(*this);
            if (!rec.exiting) loop.exec();
        }
        s.modals.erase(std::remove(s.modals.begin(), s.modals.end(), &rec), s.modals.end());
        modal_ = false;
        ScheduleActivationCheck();
        return;
    }
    if (visible_ && modal_) return;  // a modal form stays modal until hidden
    const bool wasVisible = visible_;
    visible_ = true;
    ++s.screenChanges;
    s.zorder.erase(std::remove(s.zorder.begin(), s.zorder.end(), this), s.zorder.end());
    s.zorder.push_back(this);
    Screen::FormShown(*this);
    if (!focus_) FocusFirst(*this);
    if (!wasVisible) PostPaintEvents(*this);
    ScheduleActivationCheck();
}

void Form::Hide() {
    State& s = S();
    if (!visible_) return;
    visible_ = false;
    ++s.screenChanges;
    for (ModalRecord* m : s.modals) {
        if (m->form == this && !m->exiting) {
            m->exiting = true;
            m->loop->quit();
        }
    }
    s.zorder.erase(std::remove(s.zorder.begin(), s.zorder.end(), this), s.zorder.end());
    if (s.drag.form == this) CancelDrag();
    if (s.active == this) {
        s.active = nullptr;
        s.pendingDeactivate.push_back(this);
    }
    Screen::FormHidden(*this);
    ScheduleActivationCheck();
}

void Form::Unload() { UnloadForm(*this, true); }

// ---------------------------------------------------------------- Forms

void Forms::Register(const std::string& name, Factory factory) {
    EnsureApp();
    S().factories[Upper(name)] = std::move(factory);
}

bool Forms::IsRegistered(const std::string& name) { return S().factories.count(Upper(name)) != 0; }

Form& Forms::Get(const std::string& name) {
    State& s = S();
    const std::string key = Upper(name);
    if (auto it = s.owned.find(key); it != s.owned.end()) return *it->second;
    AwaitPrefetchOf(name);
    if (auto it = s.owned.find(key); it != s.owned.end()) return *it->second;
    auto f = s.factories.find(key);
    if (f == s.factories.end()) throw std::logic_error("formulário não registrado: " + name);
    std::unique_ptr<Form> form = f->second();
    if (!form) throw std::logic_error("a fábrica do formulário " + name + " não criou nada");
    form->SetNameInternal(name);
    Form& ref = *form;
    s.owned[key] = std::move(form);
    Load(ref);
    return ref;
}

void Forms::Hide(const std::string& name) {
    if (Form* f = Find(name)) f->Hide();
}

void Forms::Unload(const std::string& name) {
    if (Form* f = Find(name)) f->Unload();
}

bool Forms::IsLoaded(const std::string& name) { return Find(name) != nullptr; }

Form* Forms::Find(const std::string& name) {
    auto it = S().owned.find(Upper(name));
    return it == S().owned.end() ? nullptr : it->second.get();
}

Form* Forms::ActiveForm() { return S().active; }

Form* Forms::ModalForm() {
    for (auto it = S().modals.rbegin(); it != S().modals.rend(); ++it)
        if (!(*it)->exiting) return (*it)->form;
    return nullptr;
}

std::vector<Form*> Forms::Loaded() { return S().loadOrder; }

void Forms::End() {
    State& s = S();
    if (s.ended) return;
    s.ended = true;
    CancelDrag();
    auto all = s.loadOrder;
    for (Form* f : all) FormDiscarded(*f);
    for (ModalRecord* m : s.modals) {
        m->exiting = true;
        if (m->loop) m->loop->quit();
    }
    Screen::Close();
    if (QCoreApplication::instance()) QCoreApplication::exit(0);
}

bool Forms::Ended() { return S().ended; }

void Forms::Reset() {
    State& s = S();
    CancelDrag();
    for (ModalRecord* m : s.modals) {
        m->exiting = true;
        if (m->loop) m->loop->quit();
    }
    auto all = s.loadOrder;
    for (Form* f : all) FormDiscarded(*f);
    const int depth = s.depth;
    s.depth = 0;
    FlushGraveyard();
    s.depth = depth;
    s.factories.clear();
    s.zorder.clear();
    s.active = nullptr;
    s.pendingDeactivate.clear();
    s.captured.reset();
    s.capturedForm = nullptr;
    s.hover.reset();
    s.modalHook = nullptr;
    s.msgBoxHook = nullptr;
    s.ended = false;
    s.lastPress = {};
    s.dropRelease = false;
    ForgetIdle();
    // Posted activation checks of the discarded forms find nothing to do.
}

}  // namespace platform::forms
