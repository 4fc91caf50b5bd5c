// The software canvas: lines, text boxes and flood fill over colour numbers.
#include "bgi/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace bgi {

const std::uint32_t kPalette[16] = {0x000000, 0x0000a8, 0x00a800, 0x00a8a8, 0xa80000, 0xa800a8, 0xa85400, 0xa8a8a8,
                                    0x545454, 0x5454fc, 0x54fc54, 0x54fcfc, 0xfc5454, 0xfc54fc, 0xfcfc54, 0xfcfcfc};

namespace {

// floor(num / den) for den > 0.
long long floorDiv(__int128 num, long long den) {
  __int128 q = num / den;
  if (num % den != 0 && num < 0) --q;
  return static_cast<long long>(q);
}

}  // namespace

Canvas::Canvas() : pixels_(static_cast<std::size_t>(kWidth) * kHeight, 0) {}

void Canvas::clear() { pixels_.assign(pixels_.size(), 0); }

std::uint8_t Canvas::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
  return pixels_[static_cast<std::size_t>(y) * kWidth + x];
}

void Canvas::set(int x, int y, int color) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
  pixels_[static_cast<std::size_t>(y) * kWidth + x] = static_cast<std::uint8_t>(color & 15);
}

void Canvas::line(int x1, int y1, int x2, int y2, int color, int style, int thickness) {
  stroke(x1, y1, x2, y2, color, style, thickness, Clip{0, 0, kWidth - 1, kHeight - 1});
}

// The line is walked along its major axis (x when |dx| >= |dy|) from the end
// with the smaller major coordinate. The minor coordinate of each step is
// the exact position on the line rounded half up, which depends only on the
// line itself: the reversed line, and any piece of the line between two of
// its lattice points, give the same pixels. Only the major range inside the
// clip rectangle is walked.
void Canvas::stroke(int x1, int y1, int x2, int y2, int color, int style, int thickness, const Clip& clip) {
  const bool xMajor = std::llabs(static_cast<long long>(x2) - x1) >= std::llabs(static_cast<long long>(y2) - y1);
  long long a1 = xMajor ? x1 : y1, b1 = xMajor ? y1 : x1;  // major, minor of the first end
  long long a2 = xMajor ? x2 : y2, b2 = xMajor ? y2 : x2;
  if (a1 > a2) {
    std::swap(a1, a2);
    std::swap(b1, b2);
  }
  const long long da = a2 - a1, db = b2 - b1;
  const long long aMin = xMajor ? clip.left : clip.top, aMax = xMajor ? clip.right : clip.bottom;
  const long long bMin = xMajor ? clip.top : clip.left, bMax = xMajor ? clip.bottom : clip.right;
  const int from = thickness >= 3 ? -1 : 0;
  const int to = thickness >= 2 ? 1 : 0;
  const long long first = std::max(a1, aMin), last = std::min(a2, aMax);
  const std::uint8_t value = static_cast<std::uint8_t>(color & 15);
  for (long long a = first; a <= last; ++a) {
    if (style == 1 && ((a - a1) & 3) >= 2) continue;  // dotted: two on, two off
    const long long b = da == 0 ? b1 : b1 + floorDiv(static_cast<__int128>(a - a1) * db * 2 + da, 2 * da);
    for (int k = from; k <= to; ++k) {
      const long long m = b + k;
      if (m < bMin || m > bMax) continue;
      const long long x = xMajor ? a : m, y = xMajor ? m : a;
      pixels_[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)] = value;
    }
  }
}

void Canvas::text(int x, int y, const std::string& text, int font, int size, int color) {
  const TextBox box = textBox(text, font, size);
  if (box.width <= 0 || box.height <= 0) return;
  const long long left = std::max<long long>(x, 0), right = std::min<long long>(static_cast<long long>(x) + box.width - 1, kWidth - 1);
  const long long top = std::max<long long>(y, 0), bottom = std::min<long long>(static_cast<long long>(y) + box.height - 1, kHeight - 1);
  if (left > right || top > bottom) return;
  for (long long row = top; row <= bottom; ++row) {
    std::uint8_t* p = &pixels_[static_cast<std::size_t>(row) * kWidth];
    std::fill(p + left, p + right + 1, std::uint8_t{0});
  }
  const Clip clip{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
  textStrokes(text, font, size, [&](int sx1, int sy1, int sx2, int sy2) {
    stroke(x + sx1, y + sy1, x + sx2, y + sy2, color, 0, 1, clip);
  });
}

// Scanline fill. Every pixel is visited at most once (marked with this fill's
// stamp), so a fill colour that already occurs in the region does no harm.
void Canvas::floodFill(int x, int y, int fillColor, int border) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
  const std::uint8_t wall = static_cast<std::uint8_t>(border & 15);
  const std::uint8_t value = static_cast<std::uint8_t>(fillColor & 15);
  if (get(x, y) == wall) return;
  if (stamps_.empty()) stamps_.assign(pixels_.size(), 0);
  if (++stamp_ == 0) {  // wrapped: forget all old marks
    std::fill(stamps_.begin(), stamps_.end(), 0);
    stamp_ = 1;
  }
  auto open = [&](std::size_t i) { return pixels_[i] != wall && stamps_[i] != stamp_; };
  seeds_.clear();
  seeds_.push_back(static_cast<std::uint32_t>(y * kWidth + x));
  while (!seeds_.empty()) {
    const std::size_t seed = seeds_.back();
    seeds_.pop_back();
    if (!open(seed)) continue;
    const std::size_t rowStart = seed - seed % kWidth;
    std::size_t l = seed, r = seed;
    while (l > rowStart && open(l - 1)) --l;
    while (r + 1 < rowStart + kWidth && open(r + 1)) ++r;
    for (std::size_t i = l; i <= r; ++i) {
      pixels_[i] = value;
      stamps_[i] = stamp_;
    }
    // One seed for every open run in the rows above and below the span.
    for (int dir : {-1, 1}) {
      if ((dir < 0 && rowStart == 0) || (dir > 0 && rowStart + kWidth >= pixels_.size())) continue;
      const std::size_t shift = kWidth;
      bool inRun = false;
      for (std::size_t i = l; i <= r; ++i) {
        const std::size_t j = dir < 0 ? i - shift : i + shift;
        if (open(j)) {
          if (!inRun) seeds_.push_back(static_cast<std::uint32_t>(j));
          inRun = true;
        } else {
          inRun = false;
        }
      }
    }
  }
}

}  // namespace bgi
