// The headless backend: call trace, key script, virtual clock, PNG output.
#include "bgi/headless.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "bgi/backend.h"
#include "bgi/bgi.h"
#include "bgi/canvas.h"
#include "tests/support/session.h"

namespace {

int SmallProgram() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  setcolor(14);
  setlinestyle(0, 1, 3);
  moveto(950, 500);
  lineto(962, 500);
  settextstyle(8, 0, 3);
  outtextxy(62, 12, " Say \"hi\"\t\\ \x01\n");
  delay(600);
  rectangle(100, 100, 112, 124);
  setfillstyle(1, 9);
  floodfill(106, 112, 14);
  while (true) {
    getch();
    delay(6);
  }
}

constexpr std::size_t kPixels = static_cast<std::size_t>(bgi::kWidth) * bgi::kHeight;

// Draws a line between two keys; 5 when the second key is 'b'.
int TwoKeys() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  getch();
  moveto(0, -2);
  lineto(0, 10);
  return getch() == 'b' ? 5 : 6;
}

// The PNG's pixels as RGB; empty when it cannot be read or is not canvas-sized.
std::vector<png_byte> ReadPng(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return {};
  return image.width == bgi::kWidth && image.height == bgi::kHeight ? rgb : std::vector<png_byte>{};
}

// The canvas in the palette colours, as RGB.
std::vector<png_byte> CanvasRgb() {
  std::vector<png_byte> rgb;
  for (std::size_t i = 0; i < kPixels; ++i) {
    const std::uint32_t c = bgi::kPalette[bgi::canvas().pixels()[i]];
    rgb.insert(rgb.end(), {png_byte(c >> 16), png_byte(c >> 8 & 255), png_byte(c & 255)});
  }
  return rgb;
}

TEST(Headless, TraceAndPngOfASmallProgramThatEndsWhenTheKeysRunOut) {
  const auto dir = km_test::FreshDir("headless");
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  options.pngPath = (dir / "end.png").string();
  const bgi::HeadlessResult result = bgi::runHeadless(&SmallProgram, std::string("a\0H\r", 4), options);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.clockMs, 600 + 4 * 6);
  EXPECT_EQ(trace.str(),
            "initwindow 1900 1000 \"Windows BGI\" 0 0 0 1\nsetcolor 14\nsetlinestyle 0 1 3\n"
            "moveto 950 500\nlineto 962 500\nsettextstyle 8 0 3\n"
            "outtextxy 62 12 \" Say \\\"hi\\\"\\t\\\\ \\x01\\n\"\n"
            "delay 600\nrectangle 100 100 112 124\nsetfillstyle 1 9\nfloodfill 106 112 14\n"
            "getch 97\ndelay 6\ngetch 0\ndelay 6\ngetch 72\ndelay 6\ngetch 13\ndelay 6\ngetch EOF\n");
  // A thick yellow stroke, a thick yellow frame filled light blue.
  for (const auto& [x, y, colour] : {std::array{956, 499, 14}, {956, 501, 14}, {106, 112, 9}, {100, 124, 14},
                                     {113, 112, 14} /* the thick frame's outer side */, {114, 112, 0}}) {
    EXPECT_EQ(bgi::canvas().get(x, y), colour) << x << ',' << y;
  }
  EXPECT_TRUE(ReadPng(dir / "end.png") == CanvasRgb());
  EXPECT_FALSE(bgi::writePng(bgi::canvas(), (dir / "missing" / "x.png").string()));
}

TEST(Headless, FramesBeforeEveryGetchAndEachRunStartsAfresh) {
  // A frame before every getch; a program that returns keeps its exit code; a
  // run after another starts blank, in white, solid and thin.
  bgi::runHeadless(&SmallProgram, "", {});
  const auto dir = km_test::FreshDir("headless-frames");
  std::ostringstream trace;
  const bgi::HeadlessOptions options{.trace = &trace, .framesDir = (dir / "frames").string(), .pngPath = ""};
  EXPECT_EQ(bgi::runHeadless(&TwoKeys, "ab", options).exitCode, 5);
  EXPECT_EQ(trace.str(),
            "initwindow 1900 1000 \"Windows BGI\" 0 0 0 1\ngetch 97\nmoveto 0 -2\nlineto 0 10\ngetch 98\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "frames"), {}), 2);
  EXPECT_TRUE(ReadPng(dir / "frames" / "0001.png") == std::vector<png_byte>(3 * kPixels, 0));
  EXPECT_TRUE(ReadPng(dir / "frames" / "0002.png") == CanvasRgb());
  bgi::Canvas want;
  want.line(0, 0, 0, 10, 15, 0, 1);
  EXPECT_EQ(std::memcmp(bgi::canvas().pixels(), want.pixels(), kPixels), 0);
}

}  // namespace
