#pragma once
// The help texts and their record files are single-byte Windows-1252 text
// (Portuguese letters with accents, one byte each); the rest of the program
// works in UTF-8. These helpers convert between the two.

#include <string>

namespace help {

// Windows-1252 bytes to UTF-8. Bytes with no character (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) and control bytes pass through as the same code point.
std::string ansi_para_utf8(const std::string& ansi);

// UTF-8 to Windows-1252; a character that has no byte there becomes "?".
// Bytes that are not valid UTF-8 are taken as Windows-1252 bytes already.
std::string utf8_para_ansi(const std::string& utf8);

// Whether the text is valid UTF-8 holding at least one character beyond ASCII
// (a help source saved by an editor that writes UTF-8).
bool parece_utf8(const std::string& bytes);

// The first n characters of a UTF-8 text (all of it when shorter).
std::string primeiros_caracteres(const std::string& utf8, std::size_t n);

// Byte length of the UTF-8 character that starts the text (0 for empty text).
std::size_t tamanho_primeiro_caractere(const std::string& utf8);

}  // namespace help
