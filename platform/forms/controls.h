#pragma once
// The controls a screen is built of. Each one is a Control (control.h) with
// its own properties; see control.h for geometry, events and handlers.

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace platform {
class Database;
class Recordset;
}

class QString;
class QTimer;

namespace platform::forms {

// ---------------------------------------------------------------- PictureBox
// A windowed picture that also contains controls and can be drawn on (the
// help text). Its background Picture is drawn unscaled from the top left of
// the client area. Drawing (Cls, Print, PaintPicture) is kept until the next
// Cls, and is drawn above the picture and below the child controls.
class PictureBox : public Control, public Container {
public:
    PictureBox(Container* parent, std::string name, int index = -1);

    const forms::Picture& Picture() const override { return picture_; }
    void SetPicture(const forms::Picture& p);
    void LoadPicture(const std::string& gamePath);   // SetPicture(forms::LoadPicture(path))

    // AutoSize: the box takes the size of its picture whenever one is set.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    // BorderStyle 0 none (default), 1 a sunken two-pixel border.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v);

    // --- drawing ----------------------------------------------------------
    // Clears the drawing (the background picture shows again) and puts
    // CurrentX/CurrentY back to 0.
    void Cls();
    // Writes text at CurrentX/CurrentY in the box's Font and ForeColor. With a
    // line break CurrentX returns to 0 and CurrentY moves down one line;
    // without, CurrentX moves past the text.
    void Print(const std::string& text, bool lineBreak = true);
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double v) { currentX_ = v; }
    void SetCurrentY(double v) { currentY_ = v; }
    // Size of text in the box's Font, in the box's scale.
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text = "Ag") const;
    // Draws a picture at (x, y) of the box's scale; width/height < 0 keep the
    // picture's own size.
    void PaintPicture(const forms::Picture& pic, double x, double y, double width = -1, double height = -1);

    std::function<void()> OnPaint;

    // internals
    Form& ParentForm() override { return Control::ParentForm(); }
    QRectF ClientRectPx() const override;
    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    // One drawing instruction kept until the next Cls (client pixels).
    struct DrawOp {
        bool isText = true;
        std::string text;
        forms::Font font;
        Color color = 0;
        double x = 0, y = 0;
        forms::Picture picture;
        double w = -1, h = -1;
    };
    const std::vector<DrawOp>& DrawOps() const { return ops_; }

private:
    forms::Picture picture_;
    bool autoSize_ = false;
    int borderStyle_ = 0;
    double currentX_ = 0, currentY_ = 0;
    std::vector<DrawOp> ops_;
};

// ---------------------------------------------------------------- Image
// A windowless picture: drawn below windowed controls, takes no focus.
class Image : public Control {
public:
    Image(Container* parent, std::string name, int index = -1);

    const forms::Picture& Picture() const override { return picture_; }
    void SetPicture(const forms::Picture& p);
    void LoadPicture(const std::string& gamePath);

    // Stretch: the picture fills the control; otherwise the control takes the
    // picture's size whenever one is set (its top left stays).
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    // BorderStyle 0 none (default), 1 a flat one-pixel border.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v);

    bool IsWindowless() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;

private:
    forms::Picture picture_;
    bool stretch_ = false;
    int borderStyle_ = 0;
};

// ---------------------------------------------------------------- Label
// Windowless text. Transparent labels still take clicks over their rectangle.
// Text wraps at word boundaries (when WordWrap, default on), a line holding
// the words whose advances fit, and is clipped at the bottom edge; the slant
// of an italic letter at a line's end is drawn past the right edge.
class Label : public Control {
public:
    Label(Container* parent, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    int Alignment() const { return alignment_; }
    void SetAlignment(int v);
    int BackStyle() const { return backStyle_; }   // vbTransparent / vbOpaque (default)
    void SetBackStyle(int v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v);
    // Height, in the parent's scale, that the whole caption needs at the
    // label's width, font and word wrap (a dialog grows its label by it).
    double CaptionHeight() const;
    // True when the caption does not show whole at the label's size: more
    // lines than its height holds, a line wider than the label, or a word
    // broken because it alone is wider than the label.
    bool CaptionCut() const;

    bool IsWindowless() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;

private:
    std::string caption_;
    int alignment_ = vbLeftJustify;
    int backStyle_ = vbOpaque;
    bool wordWrap_ = true;
    int borderStyle_ = 0;
};

// ---------------------------------------------------------------- CommandButton
// A push button. "&Sim" shows S as the access key (Alt+S, or S when the focus
// is not in a text box, presses it). Enter presses the focused button, or the
// Default button when the focus is elsewhere. Style 1 (graphical) shows
// Picture, or DisabledPicture while disabled, above the caption, on
// BackColor.
class CommandButton : public Control {
public:
    CommandButton(Container* parent, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    int Style() const { return style_; }             // 0 standard, 1 graphical
    void SetStyle(int v);
    const forms::Picture& Picture() const override { return picture_; }
    void SetPicture(const forms::Picture& p);
    void LoadPicture(const std::string& gamePath);
    const forms::Picture& DisabledPicture() const { return disabledPicture_; }
    void SetDisabledPicture(const forms::Picture& p);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // The access key letter (upper case), 0 when the caption has none.
    char AccessKey() const;

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleKey(int keyAscii) override;
    void Press();   // a click as by mouse or key: OnClick when enabled

private:
    std::string caption_;
    int style_ = 0;
    forms::Picture picture_, disabledPicture_;
    bool default_ = false;
};

// ---------------------------------------------------------------- TextBox
// A single-line text box. Each typed character goes through KeyPress first
// (KeyAscii may be changed; 0 refuses it); Backspace (8) likewise. Paste is
// offered only when the text box is not Locked, and each pasted character
// goes through KeyPress too. Change is raised on every change of Text, from
// the player or from code.
class TextBox : public Control {
public:
    TextBox(Container* parent, std::string name, int index = -1);

    const std::string& Text() const { return text_; }
    void SetText(std::string v);
    bool Locked() const { return locked_; }          // read-only for the player
    void SetLocked(bool v) { locked_ = v; }
    int MaxLength() const { return maxLength_; }     // 0: no limit (characters)
    void SetMaxLength(int v) { maxLength_ = v; }
    int Alignment() const { return alignment_; }
    void SetAlignment(int v);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 sunken (default)
    void SetBorderStyle(int v);
    int SelStart() const { return cursor_; }         // insertion point (characters)

    std::function<void()> OnChange;

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleKey(int keyAscii) override;
    // Cursor movement and deletion keys that are not characters.
    void HandleEditKey(int qtKey);
    // Text typed into the box: each character as the player sees it ("é",
    // "🌱", "👩‍🌾") raises KeyPress once, with its first code point as the key.
    // Left as it is, the whole character goes in; changed, the new key does;
    // set to 0, nothing. Editing and MaxLength count such characters, so no
    // key, Backspace or cut ever splits one.
    void Type(const std::string& text);
    // Pasted text: typed as above, line breaks left out.
    void Paste(const std::string& text);

private:
    void Insert(const std::string& character);
    // Takes the edited text with the cursor after the edit and raises
    // Change; a handler that changed the text leaves the cursor on a whole
    // character.
    void ApplyEdit(const QString& text, int cursor);
    std::string text_;
    bool locked_ = false;
    int maxLength_ = 0;
    int alignment_ = vbLeftJustify;
    int borderStyle_ = 1;
    int cursor_ = 0;
};

// ---------------------------------------------------------------- ComboBox
// Style 0: editable text with a drop-down list; style 2: a drop-down list
// only. Setting ListIndex (from code or by a choice in the list) updates Text
// and raises Click. LostFocus is raised only when the focus moves to another
// control of the program.
class ComboBox : public Control {
public:
    ComboBox(Container* parent, std::string name, int index = -1);

    int Style() const { return style_; }
    void SetStyle(int v) { style_ = v; }
    void AddItem(const std::string& item, int index = -1);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for a bad index.
    const std::string& List(int i) const;
    int ListIndex() const { return listIndex_; }     // -1: none chosen
    void SetListIndex(int i);                         // -1 clears the choice
    const std::string& Text() const { return text_; }
    void SetText(std::string v);
    bool DroppedDown() const { return dropped_; }

    std::function<void()> OnChange;

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleKey(int keyAscii) override;
    void HandleFocusChange(bool gained) override;
    bool HitTest(const QPointF& formPx) const override;
    void SetDroppedDown(bool v);

private:
    int style_ = 0;
    std::vector<std::string> items_;
    int listIndex_ = -1;
    std::string text_;
    bool dropped_ = false;
};

// ---------------------------------------------------------------- CheckBox
// Value set by code raises no handler; a click by the player toggles Value
// first, so Click and MouseUp see the new value.
class CheckBox : public Control {
public:
    CheckBox(Container* parent, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    int Value() const { return value_; }             // vbUnchecked, vbChecked, vbGrayed
    void SetValue(int v);

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleKey(int keyAscii) override;

private:
    std::string caption_;
    int value_ = vbUnchecked;
};

// ---------------------------------------------------------------- OptionButton
// Exclusive within its container: setting Value true (by code or click)
// clears the others of the same container. Click is raised when the player
// chooses it, and when code sets it from false to true.
class OptionButton : public Control {
public:
    OptionButton(Container* parent, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string v);
    bool Value() const { return value_; }
    void SetValue(bool v);

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;

private:
    std::string caption_;
    bool value_ = false;
};

// ---------------------------------------------------------------- Shape
// A windowless rectangle, square, oval or circle; takes no input.
class Shape : public Control {
public:
    Shape(Container* parent, std::string name, int index = -1);

    int ShapeKind() const { return shape_; }         // ShapeConst
    void SetShape(int v);
    Color FillColor() const { return fillColor_; }
    void SetFillColor(Color c);
    int FillStyle() const { return fillStyle_; }     // 0 solid, 1 transparent (default)
    void SetFillStyle(int v);
    Color BorderColor() const { return borderColor_; }
    void SetBorderColor(Color c);
    int BorderWidth() const { return borderWidth_; } // pixels; 0 no border
    void SetBorderWidth(int v);
    int BackStyle() const { return backStyle_; }     // transparent by default
    void SetBackStyle(int v);

    bool IsWindowless() const override { return true; }
    bool HitTest(const QPointF&) const override { return false; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;

private:
    int shape_ = vbShapeRectangle;
    Color fillColor_ = vbBlack;
    int fillStyle_ = 1;
    Color borderColor_ = SysColor::WindowText;
    int borderWidth_ = 1;
    int backStyle_ = vbTransparent;
};

// ---------------------------------------------------------------- VScrollBar
// Value always lies between Min and Max (either may be the larger). Change is
// raised on every change of Value, from code or from the player; Scroll while
// the thumb is being dragged (and Change once when it is released).
class VScrollBar : public Control {
public:
    VScrollBar(Container* parent, std::string name, int index = -1);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    int SmallChange() const { return small_; }
    int LargeChange() const { return large_; }
    void SetMin(int v);
    void SetMax(int v);
    void SetValue(int v);
    void SetSmallChange(int v) { small_ = v; }
    void SetLargeChange(int v) { large_ = v; }

    std::function<void()> OnChange;
    std::function<void()> OnScroll;

    bool CanTakeFocus() const override { return true; }
    void Paint(QPainter& p) const override;
    void CopyDesignFrom(const Control& other) override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseMove(int button, int shift, float x, float y) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;

private:
    int clampValue(int v) const;
    int valueAtPixel(double yPx) const;
    int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
    bool thumbDrag_ = false;
    double grabOffset_ = 0;
    int dragStart_ = 0;
};

// ---------------------------------------------------------------- Timer
// Fires OnTimer every Interval ms while Enabled and Interval > 0. Setting
// Interval (or Enabled) restarts the count. A tick that arrives after the
// timer was stopped is dropped, and a tick that arrives while its own handler
// runs (for instance inside a modal dialog the handler opened) is skipped.
// Timers of forms beneath a modal dialog keep firing.
class Timer {
public:
    Timer(Form* form, std::string name);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();

    const std::string& Name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Running() const { return enabled_ && interval_ > 0; }
    bool InHandler() const { return inHandler_; }

    std::function<void()> OnTimer;

    // Runs one tick now, with the same rules (dropped when stopped, skipped
    // when re-entered). Returns whether the handler ran. Used by the layer's
    // timer and by tests.
    bool Tick();
    void Stop();   // internal: stops for good (form unload)
    void Resume() { restart(); }   // internal: the form has just been loaded

private:
    void restart();
    Form* form_;
    std::string name_;
    int interval_ = 0;
    bool enabled_ = true;
    bool inHandler_ = false;
    bool dead_ = false;
    std::unique_ptr<QTimer> qtimer_;
};

// ---------------------------------------------------------------- Data control
// Gives a form a table of a database: DatabaseName (a game path, resolved like
// any other), RecordSource (the table), Refresh (re-opens and re-reads it) and
// the Recordset. Database errors arrive as platform::DbError.
class DataControl {
public:
    DataControl(Form* form, std::string name);
    ~DataControl();

    const std::string& Name() const { return name_; }
    const std::string& DatabaseName() const { return databaseName_; }
    void SetDatabaseName(std::string v) { databaseName_ = std::move(v); }
    const std::string& RecordSource() const { return recordSource_; }
    void SetRecordSource(std::string v) { recordSource_ = std::move(v); }
    void Refresh();
    // The open recordset; Refresh opens it when it is not open yet.
    platform::Recordset& Recordset();
    bool IsOpen() const { return recordset_ != nullptr; }
    void Close();

private:
    std::string name_, databaseName_, recordSource_;
    std::unique_ptr<platform::Database> db_;
    std::unique_ptr<platform::Recordset> recordset_;
};

}  // namespace platform::forms
