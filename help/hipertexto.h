#pragma once
// The help's topic files. A help subject is written as a marked-up text file
// (Windows-1252, lines ending CR LF):
//
//   ###Nome do tópico          a heading: the rest of the line is the topic name
//   texto do tópico ...        the topic's text; lines are joined as they are,
//                              so a line that ends a word ends with a blank
//   (empty line)               a paragraph break, kept as blank CR LF blank
//   ##palavras|alvo~           a hot link to a topic or a media file
//
// CompileHypertextSource turns the source into two files of fixed 132-byte
// records beside it: base name + ".HTF" (the topic texts, cut in chunks of
// 128 characters chained backwards) and base name + ".IDX" (one record per
// topic, in source order: its name and the number of its last chunk).
// LoadHypertextFile opens that pair and reads the index into memory;
// GetTopicText reads one topic's text back from the ".HTF" file.
//
// Record layout (both files): bytes 0-127 the text, Windows-1252, padded with
// blanks; bytes 128-131 a signed 32-bit little-endian number. Records are
// counted from 1. A chunk cut from a longer text whose 128th character is a
// blank keeps it as Chr(1), so that it survives the trailing-blank trim.

#include <cstdint>
#include <string>
#include <vector>

namespace help {

inline constexpr int kTamanhoRegistro = 132;
inline constexpr int kTamanhoTexto = 128;

// One ".IDX" record as loaded: the topic name (UTF-8, the 128 characters of
// the record with their padding) and the number of its last ".HTF" chunk (0:
// the topic has no text).
struct TopicIndexRec {
    std::string Topic;
    std::int32_t LastChunk = 0;
};

// One ".HTF" record: a chunk of topic text (Windows-1252, as stored) and the
// number of the topic's previous chunk (0 for its first).
struct TopicTextRec {
    std::string Text;
    std::int32_t PrevChunk = 0;
};

// The loaded index: slots 1 to TopicCount hold the records in file order;
// slot 0 holds nothing.
extern std::vector<TopicIndexRec> TopicIndex;
extern int TopicCount;
// The loaded pair is open for reading.
extern bool FilesOpen;

// The base name of a help file: the name up to, not including, the first "."
// of its last component (the whole name when that holds no ".").
std::string BaseName(const std::string& name);

// Compiles the source text file (a game path) into its ".HTF" and ".IDX"
// pair, replacing any earlier pair. Closes the loaded pair first. Returns
// false, leaving an earlier pair alone, when the source cannot be read, and
// false when a record file cannot be written.
bool CompileHypertextSource(const std::string& source);

// Opens the ".HTF" and ".IDX" pair of the name's base and loads the index.
// Returns false (TopicCount 0) when the pair cannot be opened.
bool LoadHypertextFile(const std::string& name);

// The whole text of the named topic (UTF-8; the name compared exactly, the
// stored name without its trailing blanks), or "" when no loaded topic has
// that name or the topic has no text.
std::string GetTopicText(const std::string& topic);

// Closes the loaded pair (the help window does this on its way out).
// FilesOpen keeps its value, as the next load clears it.
void CloseHypertextFiles();

// --- record files, for the checks of stored files --------------------------
// One 132-byte record: the Windows-1252 text cut or padded to 128 bytes, then
// the number.
std::string EncodeRecord(const std::string& ansiText, std::int32_t number);
// Every record of a record file, text with its padding; empty when missing.
std::vector<TopicTextRec> ReadRecords(const std::string& realPath);

}  // namespace help
