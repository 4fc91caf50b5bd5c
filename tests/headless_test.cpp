// The headless backend: call trace, key script, virtual clock, PNG output.
#include "bgi/headless.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include "bgi/backend.h"
#include "bgi/bgi.h"
#include "bgi/canvas.h"
#include "tests/support/session.h"

namespace {

std::vector<int> keysSeen;

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
    const int key = getch();
    keysSeen.push_back(key);
    delay(6);
  }
}

int ReturnsFive() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  setcolor(-3);
  return getch() == 'a' ? 5 : 6;
}

struct Image {
  int width = 0, height = 0;
  std::vector<png_byte> rgb;
};

Image ReadPng(const std::filesystem::path& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  Image result;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return result;
  image.format = PNG_FORMAT_RGB;
  result.rgb.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr) == 0) return result;
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  return result;
}

// True when the image shows the canvas in the palette colours.
bool ShowsCanvas(const Image& image) {
  if (image.width != bgi::kWidth || image.height != bgi::kHeight) return false;
  const std::uint8_t* pixels = bgi::canvas().pixels();
  for (std::size_t i = 0; i < static_cast<std::size_t>(bgi::kWidth) * bgi::kHeight; ++i) {
    const std::uint32_t rgb = bgi::kPalette[pixels[i]];
    if (image.rgb[3 * i] != (rgb >> 16) || image.rgb[3 * i + 1] != ((rgb >> 8) & 255) ||
        image.rgb[3 * i + 2] != (rgb & 255)) {
      return false;
    }
  }
  return true;
}

TEST(Headless, TraceOfASmallProgramEndsWhenTheKeysRunOut) {
  keysSeen.clear();
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult result = bgi::runHeadless(&SmallProgram, std::string("a\0H\r", 4), options);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.clockMs, 600 + 4 * 6);
  EXPECT_EQ(keysSeen, (std::vector<int>{97, 0, 72, 13}));
  EXPECT_EQ(trace.str(),
            "initwindow 1900 1000 \"Windows BGI\" 0 0 0 1\n"
            "setcolor 14\n"
            "setlinestyle 0 1 3\n"
            "moveto 950 500\n"
            "lineto 962 500\n"
            "settextstyle 8 0 3\n"
            "outtextxy 62 12 \" Say \\\"hi\\\"\\t\\\\ \\x01\\n\"\n"
            "delay 600\n"
            "rectangle 100 100 112 124\n"
            "setfillstyle 1 9\n"
            "floodfill 106 112 14\n"
            "getch 97\n"
            "delay 6\n"
            "getch 0\n"
            "delay 6\n"
            "getch 72\n"
            "delay 6\n"
            "getch 13\n"
            "delay 6\n"
            "getch EOF\n");
  // The drawing itself: a thick yellow stroke, a yellow frame filled light blue.
  const bgi::Canvas& c = bgi::canvas();
  EXPECT_EQ(c.get(956, 499), 14);
  EXPECT_EQ(c.get(956, 501), 14);
  EXPECT_EQ(c.get(106, 112), 9);
  EXPECT_EQ(c.get(100, 124), 14);
  EXPECT_EQ(c.get(113, 112), 14);  // the thick frame's outer side
  EXPECT_EQ(c.get(114, 112), 0);
}

TEST(Headless, ProgramThatReturnsKeepsItsExitCode) {
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  EXPECT_EQ(bgi::runHeadless(&ReturnsFive, "a", options).exitCode, 5);
  EXPECT_EQ(trace.str(), "initwindow 1900 1000 \"Windows BGI\" 0 0 0 1\nsetcolor -3\ngetch 97\n");
  EXPECT_EQ(bgi::runHeadless(&ReturnsFive, "", options).exitCode, 0);  // no key: ended at getch
}

TEST(Headless, EachRunStartsFromABlankCanvasAndDefaultState) {
  bgi::HeadlessOptions options;
  bgi::runHeadless(&SmallProgram, "", options);
  bgi::runHeadless(
      [] {
        initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
        moveto(0, 0);
        lineto(10, 0);  // white, solid, thin by default
        return 0;
      },
      "", options);
  const bgi::Canvas& c = bgi::canvas();
  EXPECT_EQ(c.get(5, 0), 15);
  EXPECT_EQ(c.get(5, 1), 0);
  EXPECT_EQ(c.get(956, 500), 0);
}

TEST(Headless, PngShowsTheFinalCanvas) {
  const auto dir = km_test::FreshDir("headless-png");
  bgi::HeadlessOptions options;
  options.pngPath = (dir / "end.png").string();
  bgi::runHeadless(&SmallProgram, "xy", options);
  const Image image = ReadPng(dir / "end.png");
  ASSERT_EQ(image.width, bgi::kWidth);
  EXPECT_TRUE(ShowsCanvas(image));
  // Light blue inside the frame, in the palette's RGB.
  const std::size_t i = (static_cast<std::size_t>(112) * bgi::kWidth + 106) * 3;
  EXPECT_EQ(image.rgb[i], 0x54);
  EXPECT_EQ(image.rgb[i + 1], 0x54);
  EXPECT_EQ(image.rgb[i + 2], 0xfc);
  EXPECT_FALSE(bgi::writePng(bgi::canvas(), (dir / "missing" / "x.png").string()));
}

TEST(Headless, FramesBeforeEveryGetch) {
  const auto dir = km_test::FreshDir("headless-frames");
  bgi::HeadlessOptions options;
  options.framesDir = (dir / "frames").string();
  bgi::runHeadless(
      [] {
        initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
        getch();
        moveto(0, 0);
        lineto(0, 10);
        getch();
        return 0;
      },
      "ab", options);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "frames")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"0001.png", "0002.png"}));
  const Image first = ReadPng(dir / "frames" / "0001.png");
  const Image second = ReadPng(dir / "frames" / "0002.png");
  ASSERT_EQ(first.width, bgi::kWidth);
  ASSERT_EQ(second.width, bgi::kWidth);
  const std::size_t at = (static_cast<std::size_t>(5) * bgi::kWidth) * 3;
  EXPECT_EQ(first.rgb[at], 0);
  EXPECT_EQ(second.rgb[at], 0xfc);
  EXPECT_TRUE(ShowsCanvas(second));
}

}  // namespace
