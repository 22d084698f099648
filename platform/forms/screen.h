#pragma once
// The program's screen: one full-screen window. Every shown modeless form
// fills it, scaled uniformly with its aspect kept (letterboxed on black), the
// last shown on top. Modal forms are dialogs drawn in its middle, above every
// form, scaled by the same factor, with their caption in a title bar and a
// close box: no second window can fall behind the full-screen one, and the
// start-up has one window to map and paint. The game code sees only
// twips (or a picture box's pixels); the scale is applied here alone.
//
// Without Open() (tests, benchmarks) no window exists: the layer works the
// same, and the screen is a virtual surface of SetVirtualSize() pixels that
// can be rendered with Grab().

#include <functional>
#include <string>

class QImage;
class QPainter;
class QPointF;
class QRect;
class QRectF;
class QSize;
class QSizeF;
class QTransform;

namespace platform::forms {

class Form;

class Screen {
public:
    // Opens the full-screen window on the primary display (the application
    // calls it once, before showing the first form).
    static void Open();
    // Opens a normal window of w x h pixels instead (screenshots, debugging).
    static void OpenWindowed(int w, int h);
    static bool IsOpen();
    static void Close();

    // Runs work once, from the event loop, right after the window's next
    // paint, before any input that follows it: work that must be done but
    // need not hold back the picture. Without a window it runs at once, and
    // work still waiting when the window closes runs then.
    static void AfterNextPaint(std::function<void()> work);

    // The surface size in device pixels: the window's, or the virtual size.
    static QSize Size();
    // Size of the surface when no window is open (default 800 x 600).
    static void SetVirtualSize(int w, int h);

    // Design pixels of a form to device pixels of the screen (a modal form
    // is a dialog in the middle of the screen, under its title bar).
    static QTransform FormToDevice(const Form& f);
    // Design pixels to device pixels for a full-screen form of that size on a
    // surface of that size: scaled to fit, in the middle (the letterbox).
    static QTransform Letterbox(const QSizeF& form, const QSize& surface);
    // The scale factor (device pixels per design pixel) of the screen.
    static double ScaleFactor();
    // The shown form on top at a device point, and the point in that form's
    // design pixels; nullptr where no form is (the letterbox). While a
    // dialog is up only its client area has a form.
    static Form* FormAt(const QPointF& device, QPointF* formPx);
    // A press at a device point on the close box of the dialog on top
    // unloads its form (whose Form_Unload may refuse); true when it was there.
    static bool PressCloseBox(const QPointF& device);
    // The close box of a dialog (a modal form) in device pixels.
    static QRectF CloseBox(const Form& f);

    // Renders the screen surface (every shown modeless form, bottom to top,
    // then the dialogs of modal forms) into an image of Size(); the dirty
    // rectangle limits the work.
    static QImage Grab();
    static void Render(QPainter& p, const QRect& deviceDirty);
    // Renders one form alone at its design size times scale.
    static QImage GrabForm(const Form& f, double scale = 1.0);

    // Layer internals: repaint requests and window bookkeeping.
    static void InvalidateForm(const Form& f, const QRectF& designPx);
    static void InvalidateForm(const Form& f);
    static void FormShown(Form& f);
    static void FormHidden(Form& f);
    static void FormDestroyed(Form& f);
    static void UpdateCursor();
};

// Message box for the rare system messages (hypertext link errors). Goes
// through a replaceable hook so tests never block; the default shows a real
// message box when the screen is open, and only logs otherwise. Returns vbOK.
int MsgBox(const std::string& prompt, int buttons = 0, const std::string& title = {});

}  // namespace platform::forms
