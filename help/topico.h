#pragma once
// A help topic on the screen: its text laid out in display lines by word
// wrap, painted by hand into the help window's text box from the first line
// shown, with hot links in red underlined text and a rectangle kept for each
// link painted, and the scroll bar set for the topic.
//
// All positions are in twips of the text box. Display lines: entry 0 the
// topic name, entry 1 empty, the body from entry 2. Each body entry holds the
// words of one display line, each with its trailing blank; a link keeps its
// mark-up ("##", shown words, "|", target, "~" and the one character after
// it) so that painting finds it again. An empty entry is a thin blank line.

#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace help {

namespace pf = platform::forms;

// Display lines of the topic laid out last (grows as needed).
extern std::vector<std::string> TextLines;
// The number FormatTopic returned: the index of the last line written plus one.
extern int LineCount;
// The first line painted (0 shows the title); kept equal to the scroll bar.
extern int TopLine;

// A link painted on the current page: its rectangle (twips, whole numbers)
// and its target (at most 128 characters).
struct HotSpot {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::string Target;
};
// Slots 1 to HotSpotCount: the links of the page painted last.
extern std::vector<HotSpot> HotSpots;
extern int HotSpotCount;

// Lays out the topic, shows it from its first line and sets the scroll bar:
// minimum 0, small change 1, large change (page - 2, at most LineCount - 1,
// at least 1), maximum LineCount - page (not below 0), where a page is the
// box's height in lines of the body font.
void ShowTopic(const std::string& name, pf::PictureBox& box, pf::VScrollBar& scroll);
// ShowTopic of the first topic of the loaded help file; with no topic loaded,
// a short notice that the help text could not be read.
void ShowFirstTopic(pf::PictureBox& box, pf::VScrollBar& scroll);
// Fills TextLines with the topic's text laid out for the box's width and
// returns the line count (also stored in LineCount).
int FormatTopic(const std::string& name, pf::PictureBox& box);
// Clears the box and paints lines first to last while they fit (a line that
// starts exactly at the bottom edge is still painted); rebuilds HotSpots.
void PaintTopic(pf::PictureBox& box, int first, int last);

// Takes the next word off the front of the text: up to and including its
// first blank, or, for text beginning with "#", up to and including the
// first "~" ("" and the text unchanged when there is no "~").
std::string NextWord(std::string& text);
// Splits a link token: shown is the part before "|", target the part after
// it up to the "~"; the token keeps what follows the "|". Returns false for a
// token without "|" (shown is then its text up to the "~" and target is "":
// it is shown as plain text, not as a link).
bool ParseHotLink(std::string& token, std::string& shown, std::string& target);
// Ends the painted line and closes the rectangles of its links.
void NewTextLine(pf::PictureBox& box);
// The target of the link under the point, or "" (borders are outside).
std::string HotSpotAt(float x, float y);
bool IsOverHotSpot(float x, float y);

int MaxInt(int a, int b);
int MinInt(int a, int b);

// Look of the text.
inline constexpr pf::Color kCorTexto = pf::RGB(0, 0, 255);
inline constexpr pf::Color kCorLink = pf::RGB(255, 0, 0);

}  // namespace help
