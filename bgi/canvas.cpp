// Placeholder: rasteriser to be written.
#include "bgi/canvas.h"

namespace bgi {

const std::uint32_t kPalette[16] = {0x000000, 0x0000a8, 0x00a800, 0x00a8a8, 0xa80000, 0xa800a8, 0xa85400, 0xa8a8a8,
                                    0x545454, 0x5454fc, 0x54fc54, 0x54fcfc, 0xfc5454, 0xfc54fc, 0xfcfc54, 0xfcfcfc};

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
void Canvas::line(int, int, int, int, int, int, int) {}
void Canvas::text(int, int, const std::string&, int, int, int) {}
void Canvas::floodFill(int, int, int, int) {}

}  // namespace bgi
