#pragma once
// Basic values of the forms layer: colours, fonts, units, pointer numbers,
// event constants. Everything the screens pass to the layer is expressed in
// these terms; conversion to Qt happens in one place (types.cpp).

#include <cstdint>
#include <string>
#include <vector>

class QColor;
class QFont;

namespace platform::forms {

// ---------------------------------------------------------------- units
// Positions and sizes of forms and controls are in twips; 15 twips make one
// pixel of the 800 x 600 design screen (96 dpi).
inline constexpr int kTwipsPerPixel = 15;
inline constexpr double TwipsToPixels(double twips) { return twips / kTwipsPerPixel; }
inline constexpr double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

// ScaleMode of a container (form or picture box): the unit of its children's
// Left/Top/Width/Height, of its mouse and drag coordinates and of its drawing.
enum ScaleMode : int { vbTwips = 1, vbPixels = 3 };

// ---------------------------------------------------------------- colours
// A colour is the platform's 32-bit value &H00BBGGRR (0x0000FF is red), or a
// system colour &H800000nn (see SysColor). Compare colours by value.
using Color = std::uint32_t;

inline constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

namespace SysColor {
inline constexpr Color ScrollBars = 0x80000000;
inline constexpr Color Desktop = 0x80000001;
inline constexpr Color ActiveTitleBar = 0x80000002;
inline constexpr Color InactiveTitleBar = 0x80000003;
inline constexpr Color MenuBar = 0x80000004;
inline constexpr Color WindowBackground = 0x80000005;
inline constexpr Color WindowFrame = 0x80000006;
inline constexpr Color MenuText = 0x80000007;
inline constexpr Color WindowText = 0x80000008;
inline constexpr Color TitleBarText = 0x80000009;
inline constexpr Color ActiveBorder = 0x8000000A;
inline constexpr Color InactiveBorder = 0x8000000B;
inline constexpr Color ApplicationWorkspace = 0x8000000C;
inline constexpr Color Highlight = 0x8000000D;
inline constexpr Color HighlightText = 0x8000000E;
inline constexpr Color ButtonFace = 0x8000000F;
inline constexpr Color ButtonShadow = 0x80000010;
inline constexpr Color GrayText = 0x80000011;
inline constexpr Color ButtonText = 0x80000012;
inline constexpr Color InactiveCaptionText = 0x80000013;
inline constexpr Color ButtonHighlight = 0x80000014;
inline constexpr Color InfoText = 0x80000017;
inline constexpr Color InfoBackground = 0x80000018;
}  // namespace SysColor

inline constexpr Color vbBlack = 0x000000;
inline constexpr Color vbRed = 0x0000FF;
inline constexpr Color vbGreen = 0x00FF00;
inline constexpr Color vbYellow = 0x00FFFF;
inline constexpr Color vbBlue = 0xFF0000;
inline constexpr Color vbMagenta = 0xFF00FF;
inline constexpr Color vbCyan = 0xFFFF00;
inline constexpr Color vbWhite = 0xFFFFFF;

// The one conversion from platform colour values to Qt (system colours map to
// fixed classic values, so screens look the same on every desktop theme).
QColor ToQColor(Color c);

// ---------------------------------------------------------------- fonts
// A font as the screens describe it. "MS Sans Serif" and "Arial" are drawn
// with Liberation Sans, "MS Serif" and "Times New Roman" with Liberation
// Serif, "Courier New" with Liberation Mono; Size is in points at 96 dpi.
struct Font {
    std::string Name = "MS Sans Serif";
    double Size = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const Font&) const = default;
};

QFont ToQFont(const Font& f);

// ---------------------------------------------------------------- constants
// MousePointer values.
enum MousePointerConst : int {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbHourglass = 11,
    vbCustom = 99,   // the control's (or form's) MouseIcon picture
};

// DragOver State, in the classic numbering.
enum DragState : int { vbEnter = 0, vbLeave = 1, vbOver = 2 };

// DragMode of a control.
enum DragModeConst : int { vbManual = 0, vbAutomatic = 1 };

// Show modes.
enum ShowMode : int { vbModeless = 0, vbModal = 1 };

// Alignment of labels and text boxes.
enum AlignmentConst : int { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

// BackStyle of labels and shapes.
enum BackStyleConst : int { vbTransparent = 0, vbOpaque = 1 };

// Mouse buttons (Button argument) and shift state (Shift argument).
enum MouseButtonConst : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftConst : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// CheckBox values.
enum CheckValue : int { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

// Key codes seen by KeyPress (KeyAscii) for the keys that are not characters.
enum KeyAsciiConst : int { vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyEscape = 27 };

// Shape kinds.
enum ShapeConst : int {
    vbShapeRectangle = 0,
    vbShapeSquare = 1,
    vbShapeOval = 2,
    vbShapeCircle = 3,
    vbShapeRoundedRectangle = 4,
    vbShapeRoundedSquare = 5,
};

// MsgBox flags and answers (only what the game uses).
enum MsgBoxConst : int {
    vbOKOnly = 0,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbOK = 1,
};

}  // namespace platform::forms
