#pragma once
// Text helpers with the game's classic string rules. Strings are UTF-8;
// lengths and positions count characters (code points), positions are 1-based.
// Number conversions never depend on the process locale.

#include <string>
#include <vector>

namespace platform {

// Number to text: a non-negative number gets a leading blank, a negative one
// its minus sign: Str(1) == " 1", Str(-1) == "-1", Str(2.5) == " 2.5".
std::string Str(double number);
// The same without the blank (CStr-like): "1", "-1", "2.5".
std::string NumText(double number);

// The numeric value at the start of a text: blanks are skipped, an optional
// sign, digits, a decimal point and an exponent are read; reading stops at the
// first other character. "  42abc" -> 42, "3.5" -> 3.5, "x" -> 0.
double Val(const std::string& text);

std::string Trim(const std::string& s);   // blanks at both ends removed
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);

// Upper and lower case of ASCII letters and of the accented Latin letters
// (á -> Á, ç -> Ç); other characters are left alone.
std::string UCase(const std::string& s);
std::string LCase(const std::string& s);

long Len(const std::string& s);                       // characters
std::string Left(const std::string& s, long n);
std::string Right(const std::string& s, long n);
std::string Mid(const std::string& s, long start, long n = -1);  // n < 0: to the end
// Characters as the player sees them (grapheme clusters): "é" written as "e"
// and a combining accent, "🌱" and "👩‍🌾" are one character each. A zero-width
// joiner that joins nothing after it within its cluster goes with the
// character that follows it, so that no cut ends on a dangling joiner.
std::vector<std::string> VisibleChars(const std::string& s);
long LenVisible(const std::string& s);
// The first n characters as the player sees them: never half a character.
std::string LeftVisible(const std::string& s, long n);
// 1-based position of needle in haystack at or after start, 0 when absent.
long InStr(long start, const std::string& haystack, const std::string& needle);
inline long InStr(const std::string& haystack, const std::string& needle) {
    return InStr(1, haystack, needle);
}
// The character with the given code (Chr(65) == "A"); codes above 127 are
// encoded as UTF-8.
std::string Chr(int code);
// The code of the first character (0 for an empty text).
int Asc(const std::string& s);
// The first character of ch repeated n times (String(3, "0") == "000").
std::string String(long n, const std::string& ch);

}  // namespace platform
