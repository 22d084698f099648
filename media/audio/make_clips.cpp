// Writes the two media clips that the help links play besides its sounds:
//   make_clips mid <file>   the garden song, a Standard MIDI File (format 0)
//   make_clips avi <file>   a seed sprouting, an uncompressed RIFF AVI
// Both are drawn or composed here, byte by byte, so the output never varies.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include <algorithm>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16le(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void put32le(Bytes& b, std::uint32_t v) {
  put16le(b, v & 0xFFFF);
  put16le(b, v >> 16);
}
void put32be(Bytes& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back((v >> s) & 0xFF);
}
void putTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }
void putVarLen(Bytes& b, std::uint32_t v) {
  std::uint8_t tmp[5];
  int n = 0;
  tmp[n++] = v & 0x7F;
  while (v >>= 7) tmp[n++] = 0x80 | (v & 0x7F);
  while (n) b.push_back(tmp[--n]);
}

bool writeFile(const std::string& path, const Bytes& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out);
}

// --- The song ---------------------------------------------------------------
// Scale degrees of C major (1 = middle C) with lengths in eighth notes, 0 a
// rest; under it one chord root a bar, played as root and fifth.

struct Note {
  int degree;
  int eighths;
};

const Note kTune[] = {
    {1, 2}, {3, 2}, {5, 2}, {3, 2}, {4, 2}, {6, 2}, {5, 4},
    {3, 2}, {5, 2}, {8, 2}, {7, 1}, {6, 1}, {5, 2}, {4, 2}, {2, 2}, {3, 2},
    {1, 2}, {2, 2}, {3, 2}, {5, 2}, {6, 2}, {5, 2}, {3, 4},
    {2, 2}, {3, 2}, {4, 2}, {6, 2}, {5, 2}, {4, 2}, {2, 2}, {7, 2},
    {8, 6}, {0, 2},
};
const int kChords[] = {1, 4, 1, 5, 1, 4, 5, 1, 1};

int midiNote(int degree, int tonic) {
  static const int major[] = {0, 2, 4, 5, 7, 9, 11};
  int d = degree - 1;
  int octave = d >= 0 ? d / 7 : -((-d + 6) / 7);
  return tonic + 12 * octave + major[d - 7 * octave];
}

struct Event {
  std::uint32_t tick;
  int order;  // note-offs before note-ons at the same tick
  Bytes data;
};

Bytes song() {
  const std::uint32_t eighth = 48;  // 96 ticks a quarter note
  std::vector<Event> events;
  auto note = [&](std::uint32_t at, std::uint32_t len, int channel, int key, int velocity) {
    events.push_back({at, 1, {std::uint8_t(0x90 | channel), std::uint8_t(key), std::uint8_t(velocity)}});
    events.push_back({at + len, 0, {std::uint8_t(0x80 | channel), std::uint8_t(key), 0}});
  };

  std::uint32_t t = 0;
  for (const Note& n : kTune) {
    std::uint32_t len = n.eighths * eighth;
    if (n.degree != 0) note(t, len - 4, 0, midiNote(n.degree, 60), 96);
    t += len;
  }
  std::uint32_t bar = 0;
  for (int root : kChords) {
    for (int beat = 0; beat < 4 && bar + beat * 2 * eighth < t; ++beat) {
      int degree = beat % 2 == 0 ? root : root + 4;
      note(bar + beat * 2 * eighth, 2 * eighth - 8, 1, midiNote(degree, 36), 80);
    }
    bar += 8 * eighth;
  }
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });

  Bytes track;
  // Tempo: 0.5 s a quarter note; nylon guitar on channel 1, bass on channel 2.
  track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  track.insert(track.end(), {0x00, 0xC0, 24, 0x00, 0xC1, 32});
  std::uint32_t last = 0;
  for (const Event& e : events) {
    putVarLen(track, e.tick - last);
    last = e.tick;
    track.insert(track.end(), e.data.begin(), e.data.end());
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

  Bytes file;
  putTag(file, "MThd");
  put32be(file, 6);
  file.insert(file.end(), {0x00, 0x00, 0x00, 0x01, 0x00, 96});
  putTag(file, "MTrk");
  put32be(file, static_cast<std::uint32_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

// --- The film ---------------------------------------------------------------

constexpr int kWidth = 80;
constexpr int kHeight = 60;
constexpr int kFrames = 8;
constexpr int kFps = 4;
constexpr int kGround = 18;  // rows of soil from the bottom

struct Rgb {
  std::uint8_t r, g, b;
};

class Picture {
 public:
  Picture() : px_(kWidth * kHeight, Rgb{150, 205, 240}) {}
  // y counts from the top.
  void set(int x, int y, Rgb c) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) px_[y * kWidth + x] = c;
  }
  void rect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) set(x, y, c);
  }
  void disc(int cx, int cy, int rx, int ry, Rgb c) {
    for (int y = cy - ry; y <= cy + ry; ++y)
      for (int x = cx - rx; x <= cx + rx; ++x) {
        int dx = x - cx, dy = y - cy;
        if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry) set(x, y, c);
      }
  }
  // Bottom-up rows of blue, green, red: a 24-bit DIB.
  Bytes dib() const {
    Bytes out;
    for (int y = kHeight - 1; y >= 0; --y)
      for (int x = 0; x < kWidth; ++x) {
        const Rgb& c = px_[y * kWidth + x];
        out.insert(out.end(), {c.b, c.g, c.r});
      }
    return out;
  }

 private:
  std::vector<Rgb> px_;
};

Bytes sproutFrame(int frame) {
  const Rgb soil{120, 78, 40}, dark{80, 50, 25}, seed{200, 160, 90};
  const Rgb stem{60, 160, 50}, leaf{90, 200, 70}, sun{255, 215, 60};
  Picture p;
  p.disc(68, 10, 6, 6, sun);
  int top = kHeight - kGround;
  p.rect(0, top, kWidth - 1, kHeight - 1, soil);
  for (int x = 3; x < kWidth; x += 9) p.set(x, top + 5 + (x % 4), dark);
  p.disc(40, top + 8, 3, 2, seed);
  // The root goes down first, then the shoot comes up and opens two leaves.
  if (frame >= 1) p.rect(40, top + 10, 40, top + 10 + std::min(frame, 5), Rgb{235, 225, 200});
  int shoot = frame < 2 ? 0 : (frame - 1) * 4;
  if (shoot > 0) p.rect(39, top + 6 - shoot, 40, top + 6, stem);
  if (frame >= 5) {
    int size = frame - 2;
    int y = top + 6 - shoot;
    p.disc(40 - size - 1, y + 1, size + 1, size / 2 + 1, leaf);
    p.disc(41 + size + 1, y + 1, size + 1, size / 2 + 1, leaf);
  }
  return p.dib();
}

Bytes film() {
  const std::uint32_t frameBytes = kWidth * kHeight * 3;  // rows are 240 bytes: no padding
  const std::uint32_t usPerFrame = 1000000 / kFps;

  Bytes strl;
  putTag(strl, "strh");
  put32le(strl, 56);
  putTag(strl, "vids");
  putTag(strl, "DIB ");
  put32le(strl, 0);           // flags
  put16le(strl, 0);           // priority
  put16le(strl, 0);           // language
  put32le(strl, 0);           // initial frames
  put32le(strl, 1);           // scale
  put32le(strl, kFps);        // rate
  put32le(strl, 0);           // start
  put32le(strl, kFrames);     // length
  put32le(strl, frameBytes);  // suggested buffer size
  put32le(strl, 0xFFFFFFFF);  // quality
  put32le(strl, 0);           // sample size
  put16le(strl, 0);
  put16le(strl, 0);
  put16le(strl, kWidth);
  put16le(strl, kHeight);
  putTag(strl, "strf");
  put32le(strl, 40);
  put32le(strl, 40);
  put32le(strl, kWidth);
  put32le(strl, kHeight);  // positive: bottom-up
  put16le(strl, 1);
  put16le(strl, 24);
  put32le(strl, 0);  // BI_RGB
  put32le(strl, frameBytes);
  for (int i = 0; i < 4; ++i) put32le(strl, 0);

  Bytes hdrl;
  putTag(hdrl, "avih");
  put32le(hdrl, 56);
  put32le(hdrl, usPerFrame);
  put32le(hdrl, frameBytes * kFps);
  put32le(hdrl, 0);
  put32le(hdrl, 0x10);  // AVIF_HASINDEX
  put32le(hdrl, kFrames);
  put32le(hdrl, 0);
  put32le(hdrl, 1);  // streams
  put32le(hdrl, frameBytes);
  put32le(hdrl, kWidth);
  put32le(hdrl, kHeight);
  for (int i = 0; i < 4; ++i) put32le(hdrl, 0);
  putTag(hdrl, "LIST");
  put32le(hdrl, static_cast<std::uint32_t>(strl.size() + 4));
  putTag(hdrl, "strl");
  hdrl.insert(hdrl.end(), strl.begin(), strl.end());

  Bytes movi, idx1;
  for (int f = 0; f < kFrames; ++f) {
    // Index offsets count from the "movi" tag.
    std::uint32_t offset = static_cast<std::uint32_t>(movi.size() + 4);
    putTag(idx1, "00db");
    put32le(idx1, 0x10);  // key frame
    put32le(idx1, offset);
    put32le(idx1, frameBytes);
    putTag(movi, "00db");
    put32le(movi, frameBytes);
    Bytes pixels = sproutFrame(f);
    movi.insert(movi.end(), pixels.begin(), pixels.end());
  }

  Bytes body;
  putTag(body, "AVI ");
  putTag(body, "LIST");
  put32le(body, static_cast<std::uint32_t>(hdrl.size() + 4));
  putTag(body, "hdrl");
  body.insert(body.end(), hdrl.begin(), hdrl.end());
  putTag(body, "LIST");
  put32le(body, static_cast<std::uint32_t>(movi.size() + 4));
  putTag(body, "movi");
  body.insert(body.end(), movi.begin(), movi.end());
  putTag(body, "idx1");
  put32le(body, static_cast<std::uint32_t>(idx1.size()));
  body.insert(body.end(), idx1.begin(), idx1.end());

  Bytes file;
  putTag(file, "RIFF");
  put32le(file, static_cast<std::uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "uso: make_clips mid|avi <arquivo>\n");
    return 2;
  }
  std::string what = argv[1];
  Bytes data;
  if (what == "mid") {
    data = song();
  } else if (what == "avi") {
    data = film();
  } else {
    std::fprintf(stderr, "make_clips: tipo desconhecido '%s'\n", argv[1]);
    return 2;
  }
  if (!writeFile(argv[2], data)) {
    std::fprintf(stderr, "make_clips: não consegui gravar %s\n", argv[2]);
    return 1;
  }
  return 0;
}
