// Software canvas of 1900 x 1000 pixels holding BGI colour numbers 0..15.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bgi {

constexpr int kWidth = 1900;
constexpr int kHeight = 1000;

// The 16 BGI colours as 0xRRGGBB (levels 0, 84, 168, 252).
extern const std::uint32_t kPalette[16];

struct TextBox {
  int width = 0;
  int height = 0;
};

class Canvas {
 public:
  Canvas();

  void clear();
  std::uint8_t get(int x, int y) const;  // 0 outside the canvas
  void set(int x, int y, int color);     // ignored outside the canvas
  const std::uint8_t* pixels() const { return pixels_.data(); }

  // Line including both end points; style 0 solid, 1 dotted; thickness 1..3.
  // The pixels do not depend on the direction in which the line is drawn.
  void line(int x1, int y1, int x2, int y2, int color, int style, int thickness);
  // Text with its top-left corner at (x, y) on an opaque box of colour 0.
  void text(int x, int y, const std::string& text, int font, int size, int color);
  // Fills the 4-connected region around the seed bounded by the border colour.
  void floodFill(int x, int y, int fillColor, int border);

 private:
  struct Clip {
    int left, top, right, bottom;  // inclusive, inside the canvas
  };
  void stroke(int x1, int y1, int x2, int y2, int color, int style, int thickness, const Clip& clip);

  std::vector<std::uint8_t> pixels_;
  // Flood fill work space, kept between calls: a visit mark per pixel
  // (the pixel's stamp equals the current fill's number) and the seed stack.
  std::vector<std::uint32_t> stamps_;
  std::uint32_t stamp_ = 0;
  std::vector<std::uint32_t> seeds_;
};

// Size of the opaque box of a text in the given font and size.
TextBox textBox(const std::string& text, int font, int size);

// The stroke segments of a text, in pixels relative to the top-left corner
// of its box; every segment lies inside the box.
void textStrokes(const std::string& text, int font, int size,
                 const std::function<void(int x1, int y1, int x2, int y2)>& segment);

// Writes the canvas as an RGB PNG; false when the file cannot be written.
bool writePng(const Canvas& canvas, const std::string& path);

}  // namespace bgi
