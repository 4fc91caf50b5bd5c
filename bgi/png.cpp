// PNG output of the canvas: 8-bit RGB in the palette colours.
#include <png.h>

#include <cstdio>
#include <vector>

#include "bgi/canvas.h"

namespace bgi {

bool writePng(const Canvas& canvas, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(kWidth) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 3);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::uint8_t* pixels = canvas.pixels();
  for (int y = 0; y < kHeight; ++y) {
    const std::uint8_t* src = pixels + static_cast<std::size_t>(y) * kWidth;
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t rgb = kPalette[src[x] & 15];
      row[3 * x] = static_cast<png_byte>(rgb >> 16);
      row[3 * x + 1] = static_cast<png_byte>(rgb >> 8);
      row[3 * x + 2] = static_cast<png_byte>(rgb);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  return closed;
}

}  // namespace bgi
