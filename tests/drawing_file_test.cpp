// The drawing file: its exact layout, the two passes, the atomic replace and
// the message when the drawing cannot be saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/drawing_file.h"
#include "tests/support/polygon_text.h"
#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using korvane::PointArray;
using km_test::Points;

// The square of the worked example: contour, offset contour, polygon, tags.
struct Drawing {
  PointArray V = Points("136,136 100,136 100,100 136,100 136,136");
  PointArray V0 = Points("148,148 88,148 88,88 148,88 148,148");
  PointArray U = Points("136,136 136,100 100,100 100,136 124,148 136,136");
  std::string E = "bbbcgb";
  int I = 4, J = 4, K = 5;
};

// Runs the writer headless in dir (the working directory as it is when
// empty); returns its trace and the virtual time it took.
std::pair<std::string, long long> Write(const fs::path& dir, const Drawing& d, int blick) {
  const km_test::Session s = km_test::RunBody([&] {
    korvane::TagArray E;
    for (std::size_t i = 0; i < d.E.size(); ++i) E[static_cast<int>(i)] = d.E[i];
    korvane::WritePolToFile(d.V, d.V0, d.U, E, d.I, d.J, d.K, blick);
  }, "", dir);
  return {s.trace, s.clockMs};
}
std::string Trace(const fs::path& dir, const Drawing& d, int blick) { return Write(dir, d, blick).first; }
std::string Saved(const fs::path& dir) { return km_test::ReadFile(dir / "DataMyDrawing.txt"); }

const std::string kOffsetAndPolygon =
    "\n\n4\n148 , 148 , 88 , 148 , 88 , 88 , 148 , 88 , 148 , 148 , \n\n"
    "\n5\n136 , 136 , 136 , 100 , 100 , 100 , 100 , 136 , 124 , 148 , \n136 , 136 , \n"
    "\n5\nb , b , b , c , f , b , \n";
const std::string kExampleFile =
    "\n4\n136 , 136 , 100 , 136 , 100 , 100 , 136 , 100 , 136 , 136 , \n" + kOffsetAndPolygon;
const std::string kMessage = "outtextxy 62 12 \" The drawing could not be saved to DataMyDrawing.txt \\n\"\n";
const std::string kNotSaved = "settextstyle 8 0 3\nsetcolor 12\n" + kMessage + "delay 2000\nsetcolor 0\n" + kMessage;

TEST(DrawingFile, PassZeroReplacesTheFileAndPassOneAppends) {
  const fs::path dir = km_test::FreshDir("writer-example");
  km_test::WriteFile(dir / "DataMyDrawing.txt", std::string(5000, 'x'));
  km_test::WriteFile(dir / "DataMyDrawing.txt.tmp", "half a file");
  EXPECT_EQ(Trace(dir, Drawing{}, 0) + Trace(dir, Drawing{}, 0), "");
  EXPECT_EQ(Saved(dir), kExampleFile);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // nothing left beside it
  const PointArray two = Points("124,124 112,124");
  Trace(dir, {.V0 = two, .U = two, .E = "gc", .J = 1, .K = 1}, 1);
  EXPECT_EQ(Saved(dir), kExampleFile + "\n1\n124 , 124 , 112 , 124 , \n\n1\n124 , 124 , 112 , 124 , \n\n1\nf , c , \n");
}

TEST(DrawingFile, BlockEdgeCases) {
  // Ten points and ten tags fill whole lines; pass 1 without an earlier file creates it.
  Drawing ten{.V0 = Points("1,2"), .E = "bbrrffccgg", .I = 0, .J = 0, .K = 9};
  for (int i = 0; i <= 9; ++i) ten.U[i] = km_test::P(i, 10 * i);
  const fs::path dir = km_test::FreshDir("writer-ten");
  Trace(dir, ten, 1);
  EXPECT_EQ(Saved(dir), "\n0\n1 , 2 , \n\n9\n0 , 0 , 1 , 10 , 2 , 20 , 3 , 30 , 4 , 40 , \n"
                        "5 , 50 , 6 , 60 , 7 , 70 , 8 , 80 , 9 , 90 , \n\n"
                        "\n9\nb , b , r , r , f , f , c , c , f , f , \n\n");
  // Blocks of one edge, a polygon and tags of last index 0, negative coordinates.
  const fs::path single = km_test::FreshDir("writer-single");
  Trace(single, {.V = Points("0,5 -12,5"), .V0 = Points("-12,-7 -1000,32767"), .U = Points("-3,0"),
                 .E = "r", .I = 1, .J = 1, .K = 0}, 0);
  EXPECT_EQ(Saved(single), "\n1\n0 , 5 , -12 , 5 , \n\n1\n-12 , -7 , -1000 , 32767 , \n\n0\n-3 , 0 , \n\n0\nr , \n");
}

// A drawing file that cannot be written is reported, and what stood there stays.
TEST(DrawingFile, FailedWritesAreReportedAndKeepThePreviousFile) {
  // A directory in the drawing file's place cannot be replaced, not even by root.
  const fs::path blocked = km_test::FreshDir("writer-blocked");
  fs::create_directory(blocked / "DataMyDrawing.txt");
  EXPECT_EQ(Write(blocked, Drawing{}, 0), std::make_pair(kNotSaved, 2000LL));
  EXPECT_TRUE(fs::is_directory(blocked / "DataMyDrawing.txt"));
  EXPECT_FALSE(fs::exists(blocked / "DataMyDrawing.txt.tmp"));
  EXPECT_EQ(Trace(blocked, Drawing{}, 1), kNotSaved);  // nor can pass 1 read the old content

  // A directory in the temporary file's way: the previous file stays whole,
  // and the next write succeeds once the way is free.
  const fs::path dir = km_test::FreshDir("writer-keep");
  Trace(dir, Drawing{}, 0);
  fs::create_directories(dir / "DataMyDrawing.txt.tmp" / "inside");
  EXPECT_EQ(Trace(dir, Drawing{}, 1), kNotSaved);
  EXPECT_EQ(Saved(dir), kExampleFile);
  fs::remove_all(dir / "DataMyDrawing.txt.tmp");
  EXPECT_EQ(Trace(dir, Drawing{}, 1), "");
  EXPECT_EQ(Saved(dir), kExampleFile + kOffsetAndPolygon.substr(1));

  // The working directory is gone: nothing can be created in it.
  const fs::path sub = km_test::FreshDir("writer-gone") / "sub", previous = fs::current_path();
  fs::create_directory(sub);
  fs::current_path(sub);
  fs::remove(sub);
  EXPECT_EQ(Trace("", Drawing{}, 0), kNotSaved);
  fs::current_path(previous);
}

}  // namespace
