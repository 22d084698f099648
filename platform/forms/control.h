#pragma once
// Controls and containers.
//
// A control lives in a container (a form or a picture box) and is placed in
// that container's scale: twips on a form, twips or pixels in a picture box
// (see ScaleMode). A screen declares its controls as members, constructed with
// the container and the name the screen design gives them:
//
//     Image Image1{this, "Image1"};            // on the form
//     PictureBox Picture1{this, "Picture1"};
//     Image Image2{&Picture1, "Image2"};        // inside the picture box
//
// Events are std::function members named On<Event>; an empty one means "no
// handler" (the event is swallowed, never passed to the container). Bind them
// to the screen's handlers in the constructor:
//
//     c_alf.OnDragDrop = [this](Control& Source, float X, float Y) { c_alf_DragDrop(Source, X, Y); };
//
// Every handler runs on the one user-interface thread, inside the form's
// handler guard (so a form unloaded from its own handler is destroyed only
// after the handler returns).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/picture.h"
#include "platform/forms/types.h"

class QPainter;
class QRectF;
class QPointF;

namespace platform::forms {

class Control;
class Form;
class Timer;
void RetireControl(std::unique_ptr<Control> c);

// A form or a picture box: holds child controls in z-order and defines the
// scale of their coordinates.
class Container {
public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container();

    // Unit of the children's coordinates and of this container's own mouse,
    // drag and drawing coordinates: vbTwips (default) or vbPixels.
    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int mode);

    // Size of the client area in this container's scale.
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Children in z-order, back to front (windowless controls always come
    // before windowed ones).
    const std::vector<Control*>& Children() const { return children_; }

    // The form this container belongs to (itself for a form).
    virtual Form& ParentForm() = 0;
    const Form& ParentForm() const { return const_cast<Container*>(this)->ParentForm(); }

    // --- layer internals ---------------------------------------------------
    // Client area in design pixels of the form (origin: form client top left).
    virtual QRectF ClientRectPx() const = 0;
    double UnitsToPixels(double v) const { return scaleMode_ == vbPixels ? v : v / kTwipsPerPixel; }
    double PixelsToUnits(double px) const { return scaleMode_ == vbPixels ? px : px * kTwipsPerPixel; }
    void AddChild(Control* c);
    void RemoveChild(Control* c);
    void BringToFront(Control* c);
    void SendToBack(Control* c);

protected:
    int scaleMode_ = vbTwips;
    std::vector<Control*> children_;
};

class Control {
public:
    // index -1: not an element of a control array.
    Control(Container* parent, std::string name, int index = -1);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Container& Parent() const { return *parent_; }
    Form& ParentForm() const { return parent_->ParentForm(); }

    // Geometry in the parent's scale.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    const std::string& Tag() const { return tag_; }
    void SetTag(std::string v) { tag_ = std::move(v); }
    const std::string& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::string v) { toolTip_ = std::move(v); }

    // Pointer shown over the control (vbDefault, vbArrow, vbCrosshair,
    // vbHourglass, vbCustom = MouseIcon).
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int v);
    const forms::Picture& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const forms::Picture& p);

    // Automatic drag mode: a press starts dragging the control at once (no
    // Click); the pointer shows DragIcon, or an outline of the control.
    int DragMode() const { return dragMode_; }
    void SetDragMode(int v) { dragMode_ = v; }
    const forms::Picture& DragIcon() const { return dragIcon_; }
    void SetDragIcon(const forms::Picture& p) { dragIcon_ = p; }

    // The picture a drag source carries (empty for controls without one).
    virtual const forms::Picture& Picture() const;

    // Font of the control's text (for controls that show text).
    const forms::Font& Font() const { return font_; }
    void SetFont(const forms::Font& f);
    void SetFontSize(double points);
    void SetFontBold(bool b);
    void SetFontUnderline(bool b);

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c);

    // Tab order (focusable controls); design-time order by default.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int v);

    // Moves the keyboard focus to this control (raising LostFocus on the
    // control that had it and GotFocus here). Ignored for controls that take
    // no focus or are hidden/disabled.
    void SetFocus();
    bool HasFocus() const;

    // 0 brings the control to the front of its layer, 1 sends it to the back.
    void ZOrder(int position = 0);

    // Repaints now (the layer repaints on change anyway).
    void Refresh();

    // --- events (empty = no handler) -------------------------------------
    std::function<void()> OnClick;
    std::function<void(int Button, int Shift, float X, float Y)> OnMouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> OnMouseMove;
    std::function<void(int Button, int Shift, float X, float Y)> OnMouseUp;
    // State: vbEnter 0, vbLeave 1, vbOver 2. X, Y in this control's own scale.
    std::function<void(Control& Source, float X, float Y, int State)> OnDragOver;
    std::function<void(Control& Source, float X, float Y)> OnDragDrop;
    std::function<void()> OnGotFocus;
    std::function<void()> OnLostFocus;
    // KeyAscii may be changed; 0 refuses the key.
    std::function<void(int& KeyAscii)> OnKeyPress;

    // --- layer internals ---------------------------------------------------
    virtual bool IsWindowless() const { return false; }  // Image, Label, Shape
    virtual bool CanTakeFocus() const { return false; }
    // Rectangle in design pixels of the form (the parent's client origin and
    // scale applied).
    QRectF RectPx() const;
    virtual void Paint(QPainter& p) const {}
    // Whether (x, y) in design pixels of the form hits this control (its
    // rectangle by default).
    virtual bool HitTest(const QPointF& formPx) const;
    // Copies the design properties of a control-array template (all but
    // Visible, Index and TabIndex; handlers are set by the array).
    virtual void CopyDesignFrom(const Control& other);
    // Mouse and keys as dispatched by the layer (coordinates in own scale).
    virtual void HandleMouseDown(int button, int shift, float x, float y);
    virtual void HandleMouseMove(int button, int shift, float x, float y);
    virtual void HandleMouseUp(int button, int shift, float x, float y);
    virtual void HandleKey(int keyAscii);
    virtual void HandleFocusChange(bool gained);
    void Invalidate() const;
    bool EffectivelyVisible() const;   // visible and every container visible
    bool EffectivelyEnabled() const;
    Container* AsContainer();           // a picture box, else nullptr
    void SetIndexInternal(int i) { index_ = i; }
    bool pressed_ = false;              // mouse pressed on this control
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // liveness token for weak references
    bool releaseInside_ = false;        // the mouse was released over the control
    int creationOrder_ = 0;

    friend class Container;
    friend void RetireControl(std::unique_ptr<Control> c);

protected:
    Container* parent_;
    std::string name_;
    int index_;
    int left_ = 0, top_ = 0, width_ = 1215, height_ = 495;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_, toolTip_;
    int mousePointer_ = vbDefault;
    forms::Picture mouseIcon_;
    int dragMode_ = vbManual;
    forms::Picture dragIcon_;
    forms::Font font_;
    Color backColor_ = SysColor::ButtonFace;
    Color foreColor_ = SysColor::ButtonText;
    int tabIndex_ = 0;
};

// Layer internal: takes an unloaded control-array element out of its
// container at once (it is no longer drawn, hit or reachable) and destroys it
// once no handler is running, so a handler that unloads the element it was
// raised for (or the Source of a drop) never touches freed memory.
void RetireControl(std::unique_ptr<Control> c);

}  // namespace platform::forms
