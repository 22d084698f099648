// The built sound set against media/manifest_sounds.tsv and the game sources.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = BROTALIA_PROGRAM_DIR;
const fs::path kSource = BROTALIA_SOURCE_DIR;
const fs::path kDrive = kProgram / "drives" / "C";
const char* const kVoiceSets[] = {"correto", "caipira"};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A game path ("\anima\broto.avi") under a folder, each component matched
// without regard to case as the game's file layer does.
std::optional<fs::path> resolve(fs::path dir, const std::string& gamePath) {
  std::string cleaned = gamePath;
  std::replace(cleaned.begin(), cleaned.end(), '\\', '/');
  std::stringstream parts(cleaned);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty()) continue;
    std::error_code ec;
    if (fs::exists(dir / part, ec)) {
      dir /= part;
      continue;
    }
    std::optional<fs::path> found;
    for (const auto& e : fs::directory_iterator(dir, ec))
      if (lower(e.path().filename().string()) == lower(part)) found = e.path();
    if (!found) return std::nullopt;
    dir = *found;
  }
  return dir;
}

std::string baseName(const std::string& gamePath) {
  auto cut = gamePath.find_last_of("\\/");
  return lower(cut == std::string::npos ? gamePath : gamePath.substr(cut + 1));
}

struct Entry {
  std::string name, folder, kind, correto, caipira;
};

std::vector<Entry> manifest() {
  std::vector<Entry> rows;
  std::istringstream in(readAll(kSource / "media" / "manifest_sounds.tsv"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, '\t')) f.push_back(cell);
    f.resize(std::max<size_t>(f.size(), 5));
    rows.push_back({f[0], f[1], f[2], f[3], f[4]});
  }
  return rows;
}

// The places a manifest entry lives in: one, or both voice sets.
std::vector<fs::path> homes(const Entry& e) {
  if (e.folder == "program") return {kProgram};
  if (e.folder == "drive") return {kDrive};
  return {kDrive / "audio" / "correto", kDrive / "audio" / "caipira"};
}

struct Wav {
  bool pcm16 = false;
  int channels = 0;
  int rate = 0;
  std::vector<std::int16_t> samples;
  double seconds() const { return rate && channels ? double(samples.size()) / channels / rate : 0; }
  double rms() const {
    double sum = 0;
    for (auto s : samples) sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / samples.size());
  }
  int peak() const {
    int p = 0;
    for (auto s : samples) p = std::max(p, std::abs(int(s)));
    return p;
  }
};

std::uint32_t le(const std::string& b, size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
  return v;
}

Wav readWav(const fs::path& p) {
  Wav w;
  std::string b = readAll(p);
  if (b.size() < 12 || b.compare(0, 4, "RIFF") || b.compare(8, 4, "WAVE")) return w;
  bool fmt = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    std::string id = b.substr(at, 4);
    std::uint32_t size = le(b, at + 4, 4);
    if (at + 8 + size > b.size()) return Wav{};
    if (id == "fmt ") {
      fmt = le(b, at + 8, 2) == 1 && le(b, at + 22, 2) == 16;
      w.channels = le(b, at + 10, 2);
      w.rate = le(b, at + 12, 4);
    } else if (id == "data" && fmt) {
      w.samples.resize(size / 2);
      for (size_t i = 0; i < w.samples.size(); ++i)
        w.samples[i] = static_cast<std::int16_t>(le(b, at + 8 + 2 * i, 2));
      w.pcm16 = true;
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

Wav programWav(const std::string& name) {
  auto p = resolve(kProgram, name);
  return p ? readWav(*p) : Wav{};
}

// Names of ".wav" files in C++ string literals (comments left out), and
// media targets of help links ("##words|target~").
struct Named {
  std::set<std::string> wavs;         // base names, lower case
  std::set<std::string> helpTargets;  // full targets, lower case
};

void scanText(const std::string& text, bool helpSource, Named& out) {
  static const std::regex link(R"(##[^|]*\|([^~]*)~)");
  static const std::regex media(R"(\.(wav|mid|avi)$)", std::regex::icase);
  if (helpSource) {
    for (std::sregex_iterator i(text.begin(), text.end(), link), end; i != end; ++i) {
      std::string target = (*i)[1];
      if (target.size() > 1 && target[1] == ':') target = target.substr(2);
      if (std::regex_search(target, media)) out.helpTargets.insert(lower(target));
    }
    return;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "//") == 0) {
      i = text.find('\n', i);
      if (i == std::string::npos) return;
    } else if (text.compare(i, 2, "/*") == 0) {
      i = text.find("*/", i + 2);
      if (i == std::string::npos) return;
      ++i;
    } else if (text[i] == '\'') {
      i = text.find('\'', i + (text[i + 1] == '\\' ? 3 : 2));
      if (i == std::string::npos) return;
    } else if (text[i] == '"') {
      std::string lit;
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        lit += text[i];
      }
      std::string base = baseName(lit);
      if (base.size() > 4 && base.ends_with(".wav")) out.wavs.insert(base);
    }
  }
}

Named scanSources() {
  Named found;
  for (const char* dir : {"model", "shell", "garden", "seedbed", "agenda", "help", "minigame", "app"}) {
    std::error_code ec;
    if (!fs::is_directory(kSource / dir, ec)) continue;
    for (const auto& e : fs::recursive_directory_iterator(kSource / dir, ec)) {
      if (!e.is_regular_file()) continue;
      std::string ext = lower(e.path().extension().string());
      bool code = ext == ".cpp" || ext == ".h" || ext == ".hpp" || ext == ".cc";
      if (code || ext == ".txt") scanText(readAll(e.path()), ext == ".txt", found);
    }
  }
  return found;
}

TEST(SoundManifest, RowsAreCompleteAndUnique) {
  auto rows = manifest();
  ASSERT_GT(rows.size(), 90u);
  std::set<std::string> seen;
  for (const auto& e : rows) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.name.front(), '\\');
    EXPECT_TRUE(seen.insert(lower(e.folder + e.name)).second) << "listed twice";
    EXPECT_TRUE(e.folder == "program" || e.folder == "voices" || e.folder == "drive");
    EXPECT_TRUE(e.kind == "voice" || e.kind == "effect" || e.kind == "track" || e.kind == "media");
    if (e.kind == "voice") {
      EXPECT_EQ(e.folder, "voices");
      EXPECT_NE(e.correto, "-");
      EXPECT_NE(e.caipira, "-");
      EXPECT_FALSE(e.correto.empty() || e.caipira.empty());
    }
  }
}

TEST(SoundManifest, EveryFileIsBuiltAndBothVoiceSetsMatch) {
  std::set<std::string> voiceNames;
  for (const auto& e : manifest()) {
    for (const auto& home : homes(e)) {
      auto p = resolve(home, e.name);
      EXPECT_TRUE(p && fs::is_regular_file(*p) && fs::file_size(*p) > 0)
          << e.name << " missing under " << home;
    }
    if (e.folder == "voices") voiceNames.insert(baseName(e.name));
  }
  for (const char* set : kVoiceSets) {
    std::set<std::string> onDisk;
    for (const auto& f : fs::directory_iterator(kDrive / "audio" / set))
      onDisk.insert(lower(f.path().filename().string()));
    EXPECT_EQ(onDisk, voiceNames) << "voice set " << set;
  }
}

TEST(Voices, EveryVoiceIsAudibleSpeechInBothSets) {
  int checked = 0;
  for (const auto& e : manifest()) {
    if (e.kind != "voice" && !(e.kind == "media" && e.correto != "-")) continue;
    for (const auto& home : homes(e)) {
      SCOPED_TRACE((home / e.name.substr(1)).string());
      auto p = resolve(home, e.name);
      ASSERT_TRUE(p);
      Wav w = readWav(*p);
      ASSERT_TRUE(w.pcm16) << "not a 16-bit PCM WAV";
      EXPECT_EQ(w.channels, 1);
      EXPECT_EQ(w.rate, 22050);
      EXPECT_GT(w.seconds(), 0.3);
      EXPECT_GT(w.peak(), 16000) << "not normalised";
      EXPECT_GT(w.rms(), 1000) << "barely audible";
      ++checked;
    }
  }
  EXPECT_GT(checked, 160);
}

TEST(Voices, TheTwoSetsSpeakInDifferentVoices) {
  for (const auto& e : manifest()) {
    if (e.folder != "voices") continue;
    auto a = resolve(kDrive / "audio" / "correto", e.name);
    auto b = resolve(kDrive / "audio" / "caipira", e.name);
    ASSERT_TRUE(a && b) << e.name;
    EXPECT_NE(readAll(*a), readAll(*b)) << e.name << " is the same recording in both sets";
  }
}

TEST(Voices, MarketCriesEndBeforeTheNextCry) {
  // The market cries one of these every 2.5 s, cutting off the one before.
  const char* cries[] = {"couv-vup", "nab-zimb", "vag-qot",  "chic-qot", "chei-qz",  "pep-vup",  "broc-mib",
                         "quiab-qz", "rab-yab",  "ruc-qot",  "beri-gux", "esp-wob",  "cflor-wq", "rep-gux",
                         "alh-yab",  "agri-gux", "bet-plov", "alf-wob",  "tom-wob",  "pim-gux",  "cen-qz"};
  for (const char* set : kVoiceSets)
    for (const char* cry : cries) {
      auto p = resolve(kDrive / "audio" / set, std::string("\\") + cry + ".wav");
      ASSERT_TRUE(p) << set << " " << cry;
      double s = readWav(*p).seconds();
      EXPECT_GT(s, 0.5) << set << " " << cry;
      EXPECT_LT(s, 2.5) << set << " " << cry;
    }
}

TEST(ProgramFolder, TracksAndEffectsHaveTheirLengths) {
  // The market's track plays alone for 12 s before the first cry.
  for (const char* name : {"\\feirafim.wav", "\\fefimc.wav"})
    EXPECT_NEAR(programWav(name).seconds(), 12.0, 0.5) << name;
  for (const char* name : {"\\hortafim.wav", "\\agendfim.wav", "\\semefim.wav", "\\htfimc.wav",
                           "\\agfimc.wav", "\\sefimc.wav", "\\feirafim.wav", "\\fefimc.wav"}) {
    Wav w = programWav(name);
    EXPECT_TRUE(w.seconds() >= 3.0 && w.seconds() <= 12.5) << name << " " << w.seconds();
    EXPECT_GT(w.rms(), 1000) << name;
  }
  EXPECT_NE(readAll(kProgram / "hortafim.wav"), readAll(kProgram / "htfimc.wav")) << "each set has its tunes";

  // Played synchronously at every click: a long one would stall the screens.
  EXPECT_LT(programWav("\\blip.wav").seconds(), 0.15);
  EXPECT_LT(programWav("\\quickly.wav").seconds(), 0.3);
  EXPECT_LT(programWav("\\oia.wav").seconds(), 1.0);
  for (const char* name : {"\\blip.wav", "\\quickly.wav", "\\oia.wav"})
    EXPECT_GT(programWav(name).peak(), 8000) << name;
  Wav silence = programWav("\\silencio.wav");
  EXPECT_TRUE(silence.pcm16 && silence.seconds() > 0 && silence.seconds() <= 0.5);
  EXPECT_EQ(silence.peak(), 0);
}

TEST(HelpClips, TheSongIsAStandardMidiFile) {
  auto p = resolve(kDrive, "\\anima\\cantiga.mid");
  ASSERT_TRUE(p);
  std::string b = readAll(*p);
  auto be = [&](size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<unsigned char>(b.at(at + i));
    return v;
  };
  ASSERT_EQ(b.substr(0, 4), "MThd");
  ASSERT_EQ(be(4, 4), 6u);
  EXPECT_EQ(be(10, 2), 1u) << "one track";
  ASSERT_EQ(b.substr(14, 4), "MTrk");
  size_t end = 22 + be(18, 4);
  ASSERT_EQ(end, b.size());

  // Walk every event: the track must parse exactly up to its end-of-track.
  size_t at = 22;
  int noteOns = 0, status = 0;
  bool ended = false;
  while (at < end && !ended) {
    while (b.at(at++) & 0x80) {}  // delta time
    int c = static_cast<unsigned char>(b.at(at));
    if (c & 0x80) status = c, ++at;
    if (status == 0xFF) {
      int type = static_cast<unsigned char>(b.at(at++));
      std::uint32_t len = 0;
      do len = (len << 7) | (b.at(at) & 0x7F); while (b.at(at++) & 0x80);
      at += len;
      ended = type == 0x2F;
    } else {
      int kind = status & 0xF0;
      if (kind == 0x90 && b.at(at + 1) != 0) ++noteOns;
      at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    }
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, end);
  EXPECT_GT(noteOns, 20);
}

TEST(HelpClips, TheFilmsFramesAndIndexAgree) {
  auto p = resolve(kDrive, "\\anima\\broto.avi");
  ASSERT_TRUE(p);
  std::string b = readAll(*p);
  ASSERT_EQ(b.substr(0, 4), "RIFF");
  ASSERT_EQ(b.substr(8, 4), "AVI ");
  ASSERT_EQ(le(b, 4, 4) + 8, b.size());

  size_t avih = b.find("avih");
  ASSERT_NE(avih, std::string::npos);
  std::uint32_t frames = le(b, avih + 8 + 16, 4);
  std::uint32_t width = le(b, avih + 8 + 32, 4), height = le(b, avih + 8 + 36, 4);
  size_t strf = b.find("strf");
  ASSERT_NE(strf, std::string::npos);
  EXPECT_EQ(le(b, strf + 8 + 14, 2), 24u) << "24-bit frames";
  EXPECT_EQ(le(b, strf + 8 + 16, 4), 0u) << "uncompressed";

  size_t movi = b.find("movi");
  ASSERT_NE(movi, std::string::npos);
  size_t at = movi + 4;
  std::uint32_t chunks = 0;
  while (b.compare(at, 4, "00db") == 0) {
    EXPECT_EQ(le(b, at + 4, 4), width * height * 3);
    at += 8 + le(b, at + 4, 4);
    ++chunks;
  }
  EXPECT_GE(frames, 4u);
  EXPECT_EQ(chunks, frames);
  ASSERT_EQ(b.substr(at, 4), "idx1");
  EXPECT_EQ(le(b, at + 4, 4), 16 * frames);
  EXPECT_EQ(at + 8 + 16 * frames, b.size());
}

TEST(SourceScan, FindsLiteralsAndLinksButNotComments) {
  Named n;
  scanText("play(dirSom + \"\\\\Vamsem.WAV\"); // \"\\\\nada.wav\"\n/* \"x.wav\" */ s = \".wav\";", false, n);
  scanText("Veja ##a minhoca|\\anima\\minhoca.wav~ e ##a cenoura|Cenoura~.", true, n);
  EXPECT_EQ(n.wavs, std::set<std::string>{"vamsem.wav"});
  EXPECT_EQ(n.helpTargets, std::set<std::string>{"\\anima\\minhoca.wav"});
}

TEST(SourceScan, EverySoundTheGameNamesIsInTheManifest) {
  std::set<std::string> names, driveMedia;
  for (const auto& e : manifest()) {
    names.insert(baseName(e.name));
    if (e.folder == "drive") driveMedia.insert(lower(e.name));
  }
  Named used = scanSources();
  for (const auto& wav : used.wavs) EXPECT_TRUE(names.count(wav)) << wav << " is named in the sources";
  for (const auto& target : used.helpTargets)
    EXPECT_TRUE(driveMedia.count(target)) << target << " is linked from a help text";
}

}  // namespace
