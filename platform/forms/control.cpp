#include "platform/forms/control.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <algorithm>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/internal.h"
#include "platform/forms/screen.h"

namespace platform::forms {

// ---------------------------------------------------------------- Container

Container::~Container() {
    // Controls destroyed after their container (members declared before it)
    // must not reach back into it.
    for (Control* c : children_) c->parent_ = nullptr;
}

void Container::SetScaleMode(int mode) {
    scaleMode_ = (mode == vbPixels) ? vbPixels : vbTwips;
}

double Container::ScaleWidth() const { return PixelsToUnits(ClientRectPx().width()); }
double Container::ScaleHeight() const { return PixelsToUnits(ClientRectPx().height()); }

void Container::AddChild(Control* c) {
    // Windowless controls stay below windowed ones: insert a windowless
    // control after the last windowless one.
    if (c->IsWindowless()) {
        auto it = std::find_if(children_.begin(), children_.end(), [](Control* x) { return !x->IsWindowless(); });
        children_.insert(it, c);
    } else {
        children_.push_back(c);
    }
}

void Container::RemoveChild(Control* c) {
    children_.erase(std::remove(children_.begin(), children_.end(), c), children_.end());
}

void Container::BringToFront(Control* c) {
    RemoveChild(c);
    AddChild(c);
}

void Container::SendToBack(Control* c) {
    RemoveChild(c);
    if (c->IsWindowless()) {
        children_.insert(children_.begin(), c);
    } else {
        auto it = std::find_if(children_.begin(), children_.end(), [](Control* x) { return !x->IsWindowless(); });
        children_.insert(it, c);
    }
}

// ---------------------------------------------------------------- Control

Control::Control(Container* parent, std::string name, int index)
    : parent_(parent), name_(std::move(name)), index_(index) {
    detail::EnsureApp();
    Form& f = parent_->ParentForm();
    tabIndex_ = f.nextTabIndex_++;
    creationOrder_ = tabIndex_;
    font_ = f.Font();
    // AddChild is called from here, before the derived constructor has run,
    // so IsWindowless() would answer for the base; the derived classes that
    // are windowless re-seat themselves (see Image, Label, Shape).
    parent_->AddChild(this);
}

Control::~Control() {
    detail::ControlDestroyed(this);
    if (parent_) {
        Invalidate();
        parent_->RemoveChild(this);
        parent_->ParentForm().ForgetControl(this);
    }
}

QRectF Control::RectPx() const {
    if (!parent_) return {};
    QRectF client = parent_->ClientRectPx();
    return QRectF(client.left() + parent_->UnitsToPixels(left_), client.top() + parent_->UnitsToPixels(top_),
                  parent_->UnitsToPixels(width_), parent_->UnitsToPixels(height_));
}

void Control::SetLeft(int v) { Move(v, top_, width_, height_); }
void Control::SetTop(int v) { Move(left_, v, width_, height_); }
void Control::SetWidth(int v) { Move(left_, top_, v, height_); }
void Control::SetHeight(int v) { Move(left_, top_, width_, v); }
void Control::Move(int left, int top) { Move(left, top, width_, height_); }

void Control::Move(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    Invalidate();
    visible_ = v;
    Invalidate();
    if (!v && parent_) {
        Form& f = ParentForm();
        if (f.ActiveControl() && !f.ActiveControl()->EffectivelyVisible()) f.SetFocusInternal(nullptr);
    }
}

void Control::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Invalidate();
    if (!v && parent_ && ParentForm().ActiveControl() == this) ParentForm().SetFocusInternal(nullptr);
}

void Control::SetMousePointer(int v) {
    mousePointer_ = v;
    Screen::UpdateCursor();
}

void Control::SetMouseIcon(const forms::Picture& p) {
    mouseIcon_ = p;
    Screen::UpdateCursor();
}

const forms::Picture& Control::Picture() const {
    static const forms::Picture none;
    return none;
}

void Control::SetFont(const forms::Font& f) {
    font_ = f;
    Invalidate();
}
void Control::SetFontSize(double points) {
    font_.Size = points;
    Invalidate();
}
void Control::SetFontBold(bool b) {
    font_.Bold = b;
    Invalidate();
}
void Control::SetFontUnderline(bool b) {
    font_.Underline = b;
    Invalidate();
}

void Control::SetBackColor(Color c) {
    backColor_ = c;
    Invalidate();
}
void Control::SetForeColor(Color c) {
    foreColor_ = c;
    Invalidate();
}

void Control::SetTabIndex(int v) { tabIndex_ = v; }

void Control::SetFocus() {
    if (!parent_ || !CanTakeFocus() || !EffectivelyVisible() || !EffectivelyEnabled()) return;
    detail::MoveFocus(ParentForm(), this);
}

bool Control::HasFocus() const { return parent_ && ParentForm().ActiveControl() == this; }

void Control::ZOrder(int position) {
    if (!parent_) return;
    if (position == 0)
        parent_->BringToFront(this);
    else
        parent_->SendToBack(this);
    Invalidate();
}

void Control::Refresh() {
    if (auto* pb = dynamic_cast<PictureBox*>(this)) {
        static int depth = 0;  // a Paint handler that refreshes its own box must not recurse
        if (pb->OnPaint && depth == 0) {
            ++depth;
            detail::Raise(*this, pb->OnPaint);
            --depth;
        }
    }
    Invalidate();
}

bool Control::HitTest(const QPointF& formPx) const { return RectPx().contains(formPx); }

void Control::CopyDesignFrom(const Control& o) {
    left_ = o.left_;
    top_ = o.top_;
    width_ = o.width_;
    height_ = o.height_;
    enabled_ = o.enabled_;
    tag_ = o.tag_;
    toolTip_ = o.toolTip_;
    mousePointer_ = o.mousePointer_;
    mouseIcon_ = o.mouseIcon_;
    dragMode_ = o.dragMode_;
    dragIcon_ = o.dragIcon_;
    font_ = o.font_;
    backColor_ = o.backColor_;
    foreColor_ = o.foreColor_;
    Invalidate();
}

void Control::HandleMouseDown(int button, int shift, float x, float y) {
    detail::Raise(*this, OnMouseDown, button, shift, x, y);
}

void Control::HandleMouseMove(int button, int shift, float x, float y) {
    detail::Raise(*this, OnMouseMove, button, shift, x, y);
}

void Control::HandleMouseUp(int button, int shift, float x, float y) {
    std::weak_ptr<int> alive = alive_;
    const bool inside = releaseInside_;
    detail::Raise(*this, OnMouseUp, button, shift, x, y);
    if (alive.expired()) return;
    if (inside && button == vbLeftButton) detail::Raise(*this, OnClick);
}

void Control::HandleKey(int) {}

void Control::HandleFocusChange(bool gained) {
    if (gained)
        detail::Raise(*this, OnGotFocus);
    else
        detail::Raise(*this, OnLostFocus);
}

void Control::Invalidate() const {
    if (!parent_) return;
    const Form& f = parent_->ParentForm();
    if (!f.visible_) return;
    QRectF r = RectPx();
    Screen::InvalidateForm(f, r.adjusted(-2, -2, 2, 2));
}

bool Control::EffectivelyVisible() const {
    if (!visible_ || !parent_) return false;
    if (auto* c = dynamic_cast<const Control*>(parent_)) return c->EffectivelyVisible();
    return true;
}

bool Control::EffectivelyEnabled() const {
    if (!enabled_ || !parent_) return false;
    if (auto* c = dynamic_cast<const Control*>(parent_)) return c->EffectivelyEnabled();
    return true;
}

Container* Control::AsContainer() { return dynamic_cast<Container*>(this); }

}  // namespace platform::forms
