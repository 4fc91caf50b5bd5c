// The two stroke fonts, built from the Hershey roman faces: font 8 (complex)
// is the duplex face, every other font number the simplex face.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bgi/canvas.h"

extern "C" {  // the library's header has no C++ linkage block
#include <hersheyfont.h>
}

namespace bgi {
namespace {

// Font units: glyphs stand on the baseline with y upwards; no glyph of the
// roman faces reaches above 25 or below -7.
constexpr int kAscent = 25;
constexpr int kLineUnits = 32;

hershey_font* load(const char* name) {
  hershey_font* font = hershey_font_load(name);
  if (font == nullptr) {
    std::fprintf(stderr, "bgi: cannot load the stroke font \"%s\" (is the hershey-fonts-data package installed?)\n",
                 name);
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(1);
  }
  return font;
}

// Loaded on first use, once; the initialisation of a local static is thread-safe.
hershey_font* face(int font) {
  if (font == 8) {
    static hershey_font* const complex = load("rowmand");
    return complex;
  }
  static hershey_font* const simplex = load("rowmans");
  return simplex;
}

// Pixels per font unit: (size + 3) / 8, so sizes 1, 3 and 5 give 1/2, 3/4 and 1.
struct Scale {
  int num;
  static constexpr int den = 8;
  explicit Scale(int size) : num(std::clamp(size, 1, 10) + 3) {}
  // Rounded half up.
  int operator()(long long units) const {
    const long long twice = 2 * units * num + den;
    const long long q = twice / (2 * den);
    return static_cast<int>(twice % (2 * den) != 0 && twice < 0 ? q - 1 : q);
  }
};

// The glyph of a character, or nullptr for control characters and bytes
// that have none.
const hershey_glyph* glyphOf(hershey_font* font, unsigned char c) {
  if (c < 32 || c == 127) return nullptr;
  const hershey_glyph* g = hershey_font_glyph(font, c);
  if (g == nullptr || (g->width == 0 && g->npaths == 0)) return nullptr;
  return g;
}

long long advanceUnits(hershey_font* font, const std::string& text) {
  long long units = 0;
  for (unsigned char c : text) {
    if (const hershey_glyph* g = glyphOf(font, c)) units += g->width;
  }
  return units;
}

}  // namespace

TextBox textBox(const std::string& text, int font, int size) {
  const long long units = advanceUnits(face(font), text);
  if (units == 0) return {};
  const Scale scale(size);
  return {scale(units) + 1, scale(kLineUnits) + 1};
}

void textStrokes(const std::string& text, int font, int size,
                 const std::function<void(int x1, int y1, int x2, int y2)>& segment) {
  hershey_font* f = face(font);
  const Scale scale(size);
  long long pen = 0;
  for (unsigned char c : text) {
    const hershey_glyph* g = glyphOf(f, c);
    if (g == nullptr) continue;
    for (const hershey_path* path = g->paths; path != nullptr; path = path->next) {
      if (path->nverts == 0) continue;
      auto px = [&](int i) { return scale(pen + std::clamp<int>(path->verts[i].x, 0, g->width)); };
      auto py = [&](int i) { return scale(kAscent - std::clamp<int>(path->verts[i].y, kAscent - kLineUnits, kAscent)); };
      if (path->nverts == 1) segment(px(0), py(0), px(0), py(0));
      for (int i = 1; i < path->nverts; ++i) segment(px(i - 1), py(i - 1), px(i), py(i));
    }
    pen += g->width;
  }
}

}  // namespace bgi
