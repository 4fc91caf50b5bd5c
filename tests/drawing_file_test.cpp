// The drawing file: its exact layout, the two passes, the atomic replace and
// the message when the drawing cannot be saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>

#include "bgi/headless.h"
#include "editor/drawing_file.h"
#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using korvane::Point;
using korvane::PointArray;
using korvane::TagArray;

std::function<void()> gBody;
int RunBody() {
  gBody();
  return 0;
}

// Runs the writer in dir headless; returns its call trace.
std::string WriteIn(const fs::path& dir, const PointArray& V, const PointArray& V0, const PointArray& U,
                    const TagArray& E, int I, int J, int K, int blick, long long* clockMs = nullptr) {
  gBody = [&] { korvane::WritePolToFile(V, V0, U, E, I, J, K, blick); };
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult result = bgi::runHeadless(&RunBody, "", options);
  fs::current_path(previous);
  if (clockMs != nullptr) *clockMs = result.clockMs;
  return trace.str();
}

PointArray Chain(std::initializer_list<Point> points) {
  PointArray a;
  int i = 0;
  for (const Point& p : points) a[i++] = p;
  return a;
}

TagArray Tags(const std::string& tags) {
  TagArray a;
  for (int i = 0; i < static_cast<int>(tags.size()); ++i) a[i] = tags[static_cast<std::size_t>(i)];
  return a;
}

// The square of the worked example.
struct Example {
  PointArray V = Chain({{136, 136}, {100, 136}, {100, 100}, {136, 100}, {136, 136}});
  PointArray V0 = Chain({{148, 148}, {88, 148}, {88, 88}, {148, 88}, {148, 148}});
  PointArray U = Chain({{136, 136}, {136, 100}, {100, 100}, {100, 136}, {124, 148}, {136, 136}});
  TagArray E = Tags("bbbcgb");
};

const std::string kExampleFile =
    "\n"
    "4\n"
    "136 , 136 , 100 , 136 , 100 , 100 , 136 , 100 , 136 , 136 , \n"
    "\n"
    "\n"
    "4\n"
    "148 , 148 , 88 , 148 , 88 , 88 , 148 , 88 , 148 , 148 , \n"
    "\n"
    "\n"
    "5\n"
    "136 , 136 , 136 , 100 , 100 , 100 , 100 , 136 , 124 , 148 , \n"
    "136 , 136 , \n"
    "\n"
    "5\n"
    "b , b , b , c , f , b , \n";

const std::string kNotSaved =
    "settextstyle 8 0 3\nsetcolor 12\n"
    "outtextxy 62 12 \" The drawing could not be saved to DataMyDrawing.txt \\n\"\n"
    "delay 2000\nsetcolor 0\n"
    "outtextxy 62 12 \" The drawing could not be saved to DataMyDrawing.txt \\n\"\n";

TEST(DrawingFile, WorkedExampleByteForByte) {
  const fs::path dir = km_test::FreshDir("writer-example");
  const Example x;
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0), "");
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile);
  // Nothing but the drawing file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(DrawingFile, TenPointsAndTenTagsFillWholeLines) {
  const fs::path dir = km_test::FreshDir("writer-ten");
  PointArray U;
  for (int i = 0; i <= 9; ++i) U[i] = Point{static_cast<std::int16_t>(i), static_cast<std::int16_t>(10 * i)};
  const PointArray V0 = Chain({{1, 2}});
  WriteIn(dir, V0, V0, U, Tags("bbrrffccgg"), 0, 0, 9, 1);
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"),
            "\n0\n1 , 2 , \n"
            "\n9\n0 , 0 , 1 , 10 , 2 , 20 , 3 , 30 , 4 , 40 , \n5 , 50 , 6 , 60 , 7 , 70 , 8 , 80 , 9 , 90 , \n\n"
            "\n9\nb , b , r , r , f , f , c , c , f , f , \n\n");
}

TEST(DrawingFile, SinglePointBlocksAndNegativeCoordinates) {
  const fs::path dir = km_test::FreshDir("writer-single");
  const PointArray V = Chain({{0, 5}, {-12, 5}});
  const PointArray V0 = Chain({{-12, -7}, {-1000, 32767}});
  const PointArray U = Chain({{-3, 0}});
  WriteIn(dir, V, V0, U, Tags("r"), 1, 1, 0, 0);
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"),
            "\n1\n0 , 5 , -12 , 5 , \n"
            "\n1\n-12 , -7 , -1000 , 32767 , \n"
            "\n0\n-3 , 0 , \n"
            "\n0\nr , \n");
}

TEST(DrawingFile, PassOneAppendsThreeBlocks) {
  const fs::path dir = km_test::FreshDir("writer-append");
  const Example x;
  WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0);
  const PointArray V0 = Chain({{124, 124}, {112, 124}});
  const PointArray U = Chain({{124, 124}, {112, 124}});
  WriteIn(dir, x.V, V0, U, Tags("gc"), 4, 1, 1, 1);
  const std::string second = "\n1\n124 , 124 , 112 , 124 , \n\n1\n124 , 124 , 112 , 124 , \n\n1\nf , c , \n";
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile + second);

  // Without an earlier file, pass 1 creates one with its three blocks.
  const fs::path alone = km_test::FreshDir("writer-append-alone");
  WriteIn(alone, x.V, V0, U, Tags("gc"), 4, 1, 1, 1);
  EXPECT_EQ(km_test::ReadFile(alone / "DataMyDrawing.txt"), second);
}

TEST(DrawingFile, PassZeroReplacesTheFile) {
  const fs::path dir = km_test::FreshDir("writer-twice");
  km_test::WriteFile(dir / "DataMyDrawing.txt", std::string(5000, 'x'));
  const Example x;
  WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0);
  WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0);
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile);
}

TEST(DrawingFile, StaleTemporaryFileIsReplaced) {
  const fs::path dir = km_test::FreshDir("writer-stale");
  km_test::WriteFile(dir / "DataMyDrawing.txt.tmp", "half a file");
  const Example x;
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0), "");
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile);
  EXPECT_FALSE(fs::exists(dir / "DataMyDrawing.txt.tmp"));
}

TEST(DrawingFile, UnwritableDrawingFileIsReported) {
  // A directory in the drawing file's place cannot be replaced, not even by root.
  const fs::path dir = km_test::FreshDir("writer-blocked");
  fs::create_directory(dir / "DataMyDrawing.txt");
  const Example x;
  long long clockMs = 0;
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0, &clockMs), kNotSaved);
  EXPECT_EQ(clockMs, 2000);
  EXPECT_TRUE(fs::is_directory(dir / "DataMyDrawing.txt"));
  EXPECT_FALSE(fs::exists(dir / "DataMyDrawing.txt.tmp"));
  // Pass 1 cannot read the old content either.
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 1), kNotSaved);
}

TEST(DrawingFile, FailedWriteKeepsThePreviousFile) {
  const fs::path dir = km_test::FreshDir("writer-keep");
  const Example x;
  WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 0);
  // The temporary file cannot be made where a directory stands in its way.
  fs::create_directory(dir / "DataMyDrawing.txt.tmp");
  fs::create_directory(dir / "DataMyDrawing.txt.tmp" / "inside");
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 1), kNotSaved);
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile);
  // Each call stands alone: the next one succeeds once the way is free.
  fs::remove_all(dir / "DataMyDrawing.txt.tmp");
  EXPECT_EQ(WriteIn(dir, x.V, x.V0, x.U, x.E, 4, 4, 5, 1), "");
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), kExampleFile + kExampleFile.substr(kExampleFile.find("\n4\n148")));
}

TEST(DrawingFile, MissingDirectoryIsReported) {
  const fs::path dir = km_test::FreshDir("writer-gone");
  const fs::path sub = dir / "sub";
  fs::create_directory(sub);
  const Example x;
  gBody = [&] { korvane::WritePolToFile(x.V, x.V0, x.U, x.E, 4, 4, 5, 0); };
  const fs::path previous = fs::current_path();
  fs::current_path(sub);
  fs::remove(sub);  // the working directory is gone: nothing can be created in it
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  bgi::runHeadless(&RunBody, "", options);
  fs::current_path(previous);
  EXPECT_EQ(trace.str(), kNotSaved);
}

}  // namespace
