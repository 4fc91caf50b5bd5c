// Whole viewer sessions on hand-written drawing files, checked through the
// call trace.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace {

using Lines = std::vector<std::string>;

// ---- Drawing files -------------------------------------------------------

// One edge (100,100)-(124,100), one cell up to the offset corner (124,88).
// The second rotation runs the other way; its polygon goes out and back, so
// its two edges overlap, and its stored tags c, f, r all lie on the contour.
const std::string kOneCellFirst =
    "\n1\n100 , 100 , 124 , 100 , \n"
    "\n1\n100 , 88 , 124 , 88 , \n"
    "\n1\n100 , 100 , 124 , 100 , \n"
    "\n1\nb , b , \n";
const std::string kOneCellSecond =
    "\n1\n124 , 112 , 100 , 112 , \n"
    "\n2\n124 , 100 , 100 , 100 , 124 , 100 , \n"
    "\n2\nc , f , r , \n";
const std::string kOneCell = kOneCellFirst + kOneCellSecond;

// A closed square; polygon vertices on and off the contour with every stored tag.
const std::string kTags =
    "\n4\n100 , 100 , 148 , 100 , 148 , 148 , 100 , 148 , 100 , 100 , \n"
    "\n4\n88 , 88 , 160 , 88 , 160 , 160 , 88 , 160 , 88 , 88 , \n"
    "\n5\n100 , 100 , 148 , 100 , 160 , 160 , 124 , 124 , 100 , 148 , \n88 , 88 , \n"
    "\n5\nr , f , f , b , c , c , \n"
    "\n4\n88 , 88 , 160 , 88 , 160 , 160 , 88 , 160 , 88 , 88 , \n"
    "\n1\n100 , 100 , 88 , 88 , \n"
    "\n1\nf , b , \n";

// ---- Expected calls ------------------------------------------------------

std::string Pt(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

void Add(Lines& out, const Lines& more) { out.insert(out.end(), more.begin(), more.end()); }

// The plus sign: four arms drawn from the centre, then the colour left set.
Lines CrossAt(int x, int y, int arm, int colorIn, int crossColor) {
  const std::string c = "moveto " + Pt(x, y);
  return {c, "setcolor " + std::to_string(crossColor), "lineto " + Pt(x - arm, y), c, "lineto " + Pt(x + arm, y), c,
          "lineto " + Pt(x, y - arm), c, "lineto " + Pt(x, y + arm), c, "setcolor " + std::to_string(colorIn)};
}

struct P {
  int x, y;
};

Lines Polyline(const std::vector<P>& pts) {
  Lines l{"moveto " + Pt(pts[0].x, pts[0].y)};
  for (std::size_t i = 1; i < pts.size(); ++i) l.push_back("lineto " + Pt(pts[i].x, pts[i].y));
  return l;
}

Lines Alternating(const std::vector<P>& pts) {
  Lines l{"moveto " + Pt(pts[0].x, pts[0].y)};
  for (std::size_t i = 1; i < pts.size(); ++i) {
    l.push_back(i % 2 == 1 ? "setcolor 9" : "setcolor 12");
    l.push_back("lineto " + Pt(pts[i].x, pts[i].y));
  }
  return l;
}

// A working set as the viewer should hold it.
struct Set {
  std::vector<P> contour, offset, polygon;
  std::vector<int> pinColors;  // 13 for a vertex tagged 'b', 11 for 'r'
  Lines overlays;              // the yellow overlap calls
};

const Set kOneCellA{{{100, 100}, {124, 100}}, {{100, 88}, {124, 88}}, {{100, 100}, {124, 100}}, {13, 13}, {}};
const Set kOneCellB{{{124, 100}, {100, 100}},
                    {{124, 112}, {100, 112}},
                    {{124, 100}, {100, 100}, {124, 100}},
                    {13, 13, 13},
                    {"setcolor 14", "moveto 100 100", "lineto 124 100", "setcolor 15"}};

// Black over all that any mode draws.
Lines Blackout(const Set& s) {
  Lines l{"setlinestyle 0 1 1", "setcolor 0"};
  Add(l, Polyline(s.offset));
  for (const P& p : s.polygon) Add(l, CrossAt(p.x, p.y, 12, 0, 0));
  Add(l, Polyline(s.contour));
  Add(l, Polyline(s.polygon));
  return l;
}

// The one-cell drawings: cell 1 from the contour's start to offset corner 1.
struct Cell {
  int x0, y0, x1, y1, seedX, seedY;
};
const Cell kCellA{100, 100, 124, 88, 101, 99};
const Cell kCellB{124, 100, 100, 112, 123, 101};

Lines Mode(char t, const Set& s, const Cell& cell) {
  Lines l = Blackout(s);
  const bool mosaic = t == 'M' || t == 'm';
  if (t == 'B' || t == 'b') {
    l.push_back("setcolor 11");
    Add(l, Polyline(s.offset));
    l.push_back("setcolor 15");
    Add(l, Polyline(s.contour));
  }
  if (!mosaic) Add(l, Alternating(s.polygon));
  Add(l, s.overlays);
  if (t == 'P' || t == 'p') {
    for (std::size_t k = 0; k < s.polygon.size(); ++k) Add(l, CrossAt(s.polygon[k].x, s.polygon[k].y, 6, 15, s.pinColors[k]));
  }
  if (mosaic) {
    const std::string rect = "rectangle " + Pt(cell.x0, cell.y0) + " " + Pt(cell.x1, cell.y1);
    Add(l, {"setlinestyle 0 1 2", "setcolor 0"});
    Add(l, Polyline(s.polygon));
    Add(l, {"setlinestyle 0 1 1", "setcolor 13", rect, "setfillstyle 1 15",
            "floodfill " + Pt(cell.seedX, cell.seedY) + " 13", "setcolor 7", rect, "setlinestyle 0 1 2"});
    Add(l, Alternating(s.polygon));
    Add(l, s.overlays);
  }
  return l;
}

Lines Erase(const Set& s, const Cell& cell, bool withOffset) {
  const std::string rect = "rectangle " + Pt(cell.x0, cell.y0) + " " + Pt(cell.x1, cell.y1);
  Lines l{"setlinestyle 0 1 3", "setcolor 0"};
  Add(l, Polyline(s.polygon));
  if (withOffset) Add(l, Polyline(s.offset));
  Add(l, {"setlinestyle 0 1 1", "setcolor 7", rect, "setfillstyle 1 0",
          "floodfill " + Pt(cell.seedX, cell.seedY) + " 7", "setcolor 0", rect});
  // Contour vertices 0, 1, I-1 and I: with one edge, both ends twice.
  for (int i : {0, 1, 0, 1}) Add(l, CrossAt(s.contour[i].x, s.contour[i].y, 12, 0, 0));
  return l;
}

// ---- Trace handling ------------------------------------------------------

Lines Split(const std::string& text) {
  Lines l;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) l.push_back(line);
  return l;
}

// The calls that followed each getch, keyed by order; segment 0 is start-up.
std::vector<Lines> Segments(const std::string& trace) {
  std::vector<Lines> segs(1);
  for (const std::string& line : Split(trace)) {
    if (line.rfind("getch", 0) == 0) {
      segs.emplace_back();
      continue;
    }
    segs.back().push_back(line);
  }
  return segs;
}

const Lines kWelcome = {
    "initwindow 1900 1000 \"Windows BGI\" 0 0 0 1",
    "setcolor 11",
    "settextstyle 6 0 5",
    "outtextxy 312 412 \"Display my TALPRA mapped in *DataMyDrawing* file \\n\"",
    "setcolor 15",
    "settextstyle 6 0 3",
    "outtextxy 42 712 \" You can use B/b resp. P/p resp M/m resp C/c to switch drawing into Border mode resp. Pin "
    "mode resp. Mosaic mode resp. Circuit mode \\n\"",
    "setcolor 10",
    "outtextxy 462 812 \"  To change a rotation press '@' symbol on your keyboard \\n\"",
    "delay 5000",
    "setcolor 0",
    "settextstyle 6 0 5",
    "outtextxy 312 412 \"Display my TALPRA mapped in *DataMyDrawing* file \\n\"",
    "settextstyle 6 0 3",
    "outtextxy 42 712 \" You can use B/b resp. P/p resp M/m resp C/c to switch drawing into Border mode resp. Pin "
    "mode resp. Mosaic mode resp. Circuit mode \\n\"",
    "outtextxy 462 812 \"  To change a rotation press '@' symbol on your keyboard \\n\"",
};

Lines Flash(const std::string& quoted) {
  Lines l;
  for (int i = 0; i < 3; ++i) {
    Add(l, {"setcolor 14", "settextstyle 8 0 3", "outtextxy 62 12 \"" + quoted + "\"", "delay 300"});
    if (i < 2) Add(l, {"setcolor 0", "settextstyle 8 0 3", "outtextxy 62 12 \"" + quoted + "\"", "delay 300"});
  }
  return l;
}

km_test::Session View(const std::string& name, const std::string& file, const std::string& keys) {
  const std::filesystem::path dir = km_test::FreshDir("viewer-" + name);
  km_test::WriteFile(dir / "DataMyDrawing.txt", file);
  return km_test::RunSession(km_test::Program::Mivlet, keys, dir);
}

std::string ModeName(char c) { return std::string(1, c == '@' ? 'a' : c) + (std::isupper(c) ? "U" : ""); }

// ---- Start-up and loading ------------------------------------------------

TEST(ViewerStart, WelcomeThenBlackUntilTheFirstKey) {
  const km_test::Session s = View("welcome", kOneCell, "");
  Lines expected = kWelcome;
  expected.push_back("getch EOF");
  EXPECT_EQ(Split(s.trace), expected);
  EXPECT_EQ(s.out, "\n");
  EXPECT_EQ(s.clockMs, 5000);
  EXPECT_EQ(s.exitCode, 0);
}

TEST(ViewerStart, FirstCountZeroFlashesAfterReadingTheWholeFile) {
  const std::string empty =
      "\n0\n0 , 0 , \n\n0\n0 , 0 , \n\n2\n1 , 2 , 3 , 4 , 5 , 6 , \n\n2\nb , r , f , \n"
      "\n0\n7 , 7 , \n\n0\n7 , 7 , \n\n0\nc , \n";
  const km_test::Session s = View("empty", empty, "b");
  Lines expected = kWelcome;
  Add(expected, Flash(" No cirquit to be drawn from the empty input. \\n"));
  EXPECT_EQ(Split(s.trace), expected);  // ends without reading a key
  EXPECT_EQ(s.clockMs, 5000 + 5 * 300);
  EXPECT_EQ(s.out, "\n");
  EXPECT_EQ(s.exitCode, 0);

  // Damage further on takes precedence over the empty input.
  std::string damaged = empty;
  damaged.replace(damaged.rfind("c ,"), 3, "c");  // last tag without separator
  const km_test::Session d = View("empty-damaged", damaged, "b");
  Lines flash = kWelcome;
  Add(flash, Flash(" The drawing file DataMyDrawing.txt cannot be read. \\n"));
  EXPECT_EQ(Split(d.trace), flash);
}

TEST(ViewerStart, NegativeFirstCountEndsSilently) {
  const std::string negative =
      "\n-1\n\n-1\n\n-4\n\n-4\n\n-1\n\n0\n5 , 5 , \n\n0\nb , \n";
  const km_test::Session s = View("negative", negative, "b");
  EXPECT_EQ(Split(s.trace), kWelcome);
  EXPECT_EQ(s.clockMs, 5000);
  EXPECT_EQ(s.out, "\n");
  EXPECT_EQ(s.exitCode, 0);
}

TEST(ViewerStart, AcceptsAnyWhitespaceAndAnySeparatorWord) {
  // CR LF line ends, no leading empty line, odd separators, extra blank
  // lines and trailing whitespace: the same drawing as kOneCell.
  const std::string loose =
      "1\r\n100 ; 100 xx 124 ,, 100 ,\r\n\r\n\r\n\r\n1 100 , 88 , 124 , 88 ,\t\n1\n100 , 100 , 124 , 100 , 1 b ; b ;"
      "\n1 124 , 112 , 100 , 112 ,   2\n124 , 100 , 100 , 100 , 124 , 100 , 2 c , f , r , \n\n  \n";
  const km_test::Session a = View("loose", loose, "b@");
  const km_test::Session b = View("strict", kOneCell, "b@");
  EXPECT_EQ(a.trace, b.trace);
  EXPECT_NE(a.trace.find("getch 64"), std::string::npos);
}

TEST(ViewerStart, NegativePolygonCountReadsNoEntries) {
  // The first polygon and its tags are empty; block 5 follows directly.
  const std::string file =
      "\n1\n100 , 100 , 124 , 100 , \n\n1\n100 , 88 , 124 , 88 , \n\n-1\n\n-1\n" + kOneCellSecond;
  const km_test::Session s = View("negative-polygon", file, "c@");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 4u);
  // A polygon without points: only the move to its (unread, zero) first point.
  const Lines circuit{"setlinestyle 0 1 1", "setcolor 0",     "moveto 100 88", "lineto 124 88", "moveto 100 100",
                      "lineto 124 100",     "moveto 0 0",     "moveto 0 0"};
  EXPECT_EQ(segs[1], circuit);
  const Lines border = Mode('b', kOneCellB, kCellB);
  ASSERT_GE(segs[2].size(), border.size());
  EXPECT_EQ(Lines(segs[2].end() - static_cast<long>(border.size()), segs[2].end()), border);
}

// ---- Damaged files ------------------------------------------------------

struct Damage {
  const char* name;
  std::string file;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class DamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, FlashesTheReadMessageAndEnds) {
  const km_test::Session s = View(std::string("damaged-") + GetParam().name, GetParam().file, "b");
  Lines expected = kWelcome;
  Add(expected, Flash(" The drawing file DataMyDrawing.txt cannot be read. \\n"));
  EXPECT_EQ(Split(s.trace), expected);
  EXPECT_EQ(s.out, "\n");
  EXPECT_EQ(s.clockMs, 5000 + 5 * 300);
  EXPECT_EQ(s.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DamagedFile,
    testing::Values(
        Damage{"empty", ""}, Damage{"blank", "\n \n\t\n"},
        Damage{"contour-cut", kOneCellFirst.substr(0, 20)},
        Damage{"after-offset", kOneCellFirst.substr(0, kOneCellFirst.find("\n1\n100 , 100", 10))},
        Damage{"tags-cut", kOneCellFirst.substr(0, kOneCellFirst.size() - 4) + "\n"},
        Damage{"count-word", Replace(kOneCell, "\n1\n", "\none\n")},
        Damage{"count-trailing", Replace(kOneCell, "\n1\n", "\n1x\n")},
        Damage{"coordinate-word", Replace(kOneCell, "124 , 100", "124 , y")},
        Damage{"coordinate-16-bit", Replace(kOneCell, "124 , 100", "124 , 32768")},
        Damage{"coordinate-glued", Replace(kOneCell, "124 , 100 , \n", "124 , 100,\n")},
        Damage{"tag-long", Replace(kOneCell, "b , b", "bb , b")},
        Damage{"offset-count", Replace(kOneCell, "\n1\n100 , 88 , 124 , 88 , \n", "\n0\n100 , 88 , \n")},
        Damage{"second-offset-count", kOneCellFirst + "\n2\n124 , 112 , 100 , 112 , 1 , 1 , \n" +
                                          kOneCellSecond.substr(kOneCellSecond.find("\n2\n124"))},
        Damage{"tag-count", Replace(kOneCell, "\n1\nb , b , \n", "\n0\nb , \n")},
        Damage{"second-tag-count", Replace(kOneCell, "\n2\nc , f , r , \n", "\n3\nc , f , r , b , \n")},
        Damage{"fifth-block-partial", kOneCellFirst + "\n1\n124 , 112 , \n"},
        Damage{"seventh-block-cut", kOneCell.substr(0, kOneCell.size() - 5)},
        Damage{"junk-after-four", kOneCellFirst + "end\n"},
        Damage{"negative-offset-differs", "\n-1\n\n-2\n\n0\n0 , 0 , \n\n0\nb , \n"}),
    [](const testing::TestParamInfo<Damage>& info) {
      std::string n = info.param.name;
      for (char& c : n) {
        if (c == '-') c = '_';
      }
      return n;
    });

TEST(DamagedFile, MissingFileFlashesWithoutConsoleLine) {
  const std::filesystem::path dir = km_test::FreshDir("viewer-missing");
  const km_test::Session s = km_test::RunSession(km_test::Program::Mivlet, "b", dir);
  Lines expected = kWelcome;
  Add(expected, Flash(" The drawing file DataMyDrawing.txt cannot be read. \\n"));
  EXPECT_EQ(Split(s.trace), expected);
  EXPECT_EQ(s.out, "");
  EXPECT_EQ(s.exitCode, 0);
}

// A block of n + 1 equal entries.
std::string Block(int n, const std::string& entry) {
  std::string b = "\n" + std::to_string(n) + "\n";
  for (int i = 0; i <= n; ++i) b += entry;
  return b + "\n";
}

std::string Uniform(int n) {
  const std::string rotation = Block(n, "1 , 1 , ") + Block(n, "1 , 1 , ") + Block(n, "b , ");
  return Block(n, "1 , 1 , ") + rotation + rotation;
}

TEST(DamagedFile, CountsUpTo999Only) {
  const km_test::Session full = View("count-999", Uniform(999), "c");
  EXPECT_NE(full.trace.find("getch 99"), std::string::npos);
  const km_test::Session over = View("count-1000", Uniform(1000), "c");
  Lines expected = kWelcome;
  Add(expected, Flash(" The drawing file DataMyDrawing.txt cannot be read. \\n"));
  EXPECT_EQ(Split(over.trace), expected);
}

TEST(DamagedFile, AnythingAfterTheSeventhBlockIsNotRead) {
  const km_test::Session a = View("after-seven", kOneCell + "more words\n", "b");
  const km_test::Session b = View("seven", kOneCell, "b");
  EXPECT_EQ(a.trace, b.trace);
  EXPECT_NE(a.trace.find("getch 98"), std::string::npos);
}

// ---- Display modes -------------------------------------------------------

const std::string kModes = "BbPpMmCc";

TEST(ViewerModes, EveryModeKeyFromEveryMode) {
  for (char from : kModes) {
    for (char to : kModes) {
      SCOPED_TRACE(std::string("from ") + from + " to " + to);
      const km_test::Session s =
          View("modes-" + ModeName(from) + ModeName(to), kOneCell, std::string{from, to});
      const std::vector<Lines> segs = Segments(s.trace);
      ASSERT_EQ(segs.size(), 4u);
      EXPECT_EQ(segs[1], Mode(from, kOneCellA, kCellA));
      Lines expected;
      const bool leavesMosaic = (from == 'M' || from == 'm') && to != 'M' && to != 'm';
      if (leavesMosaic) expected = Erase(kOneCellA, kCellA, false);
      Add(expected, Mode(to, kOneCellA, kCellA));
      EXPECT_EQ(segs[2], expected);
    }
  }
}

TEST(ViewerModes, RotationFromEveryModeShowsTheSecondSetInBorderMode) {
  Lines expected = Erase(kOneCellA, kCellA, true);
  Add(expected, Erase(kOneCellB, kCellB, false));
  Add(expected, Mode('b', kOneCellB, kCellB));
  for (char from : kModes) {
    SCOPED_TRACE(std::string("from ") + from);
    const km_test::Session s = View("rotate-" + ModeName(from), kOneCell, std::string{from, '@'});
    const std::vector<Lines> segs = Segments(s.trace);
    ASSERT_EQ(segs.size(), 4u);
    EXPECT_EQ(segs[2], expected);
  }
}

TEST(ViewerModes, RotationFirstAndTwice) {
  const km_test::Session s = View("rotate-twice", kOneCell, "@@p");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 5u);
  Lines first = Erase(kOneCellA, kCellA, true);
  Add(first, Erase(kOneCellB, kCellB, false));
  Add(first, Mode('b', kOneCellB, kCellB));
  EXPECT_EQ(segs[1], first);
  Lines back = Erase(kOneCellB, kCellB, true);
  Add(back, Erase(kOneCellA, kCellA, false));
  Add(back, Mode('b', kOneCellA, kCellA));
  EXPECT_EQ(segs[2], back);
  EXPECT_EQ(segs[3], Mode('p', kOneCellA, kCellA));
}

TEST(ViewerModes, MosaicTwiceThenBorder) {
  const km_test::Session s = View("mosaic-twice", kOneCell, "MmB");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 5u);
  EXPECT_EQ(segs[1], Mode('M', kOneCellA, kCellA));
  EXPECT_EQ(segs[2], Mode('m', kOneCellA, kCellA));  // no erase between
  Lines border = Erase(kOneCellA, kCellA, false);
  Add(border, Mode('B', kOneCellA, kCellA));
  EXPECT_EQ(segs[3], border);
}

TEST(ViewerModes, OverlaysKeepTheLineStyleInForce) {
  // Second set: the out-and-back polygon is overlaid once with thickness 1,
  // and in Mosaic mode once more after the thickness-2 style.
  const km_test::Session s = View("overlays", kOneCell, "@m");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 4u);
  Lines mosaic = Blackout(kOneCellB);
  Add(mosaic, kOneCellB.overlays);
  Add(mosaic, {"setlinestyle 0 1 2", "setcolor 0"});
  Add(mosaic, Polyline(kOneCellB.polygon));
  Add(mosaic, {"setlinestyle 0 1 1", "setcolor 13", "rectangle 124 100 100 112", "setfillstyle 1 15",
               "floodfill 123 101 13", "setcolor 7", "rectangle 124 100 100 112", "setlinestyle 0 1 2",
               "moveto 124 100", "setcolor 9", "lineto 100 100", "setcolor 12", "lineto 124 100", "setcolor 14",
               "moveto 100 100", "lineto 124 100", "setcolor 15"});
  EXPECT_EQ(segs[2], mosaic);
}

TEST(ViewerEnd, OtherKeyRedrawsThePolygonAndEnds) {
  Lines polygonOnly = Blackout(kOneCellA);
  Add(polygonOnly, Alternating(kOneCellA.polygon));
  for (const std::string& keys : {std::string("q"), std::string("\r"), km_test::Up(), std::string("Cq")}) {
    SCOPED_TRACE(keys);
    const km_test::Session s = View("end", kOneCell, keys);
    const std::vector<Lines> segs = Segments(s.trace);
    // The last key read is the last call of all: no further getch, not even
    // for the second code of the arrow key.
    ASSERT_EQ(segs.size(), 1 + (keys == "Cq" ? 2u : 1u));
    EXPECT_EQ(segs.back(), polygonOnly);
    EXPECT_EQ(s.exitCode, 0);
  }
  const km_test::Session m = View("end-mosaic", kOneCell, "m\r");
  const std::vector<Lines> segs = Segments(m.trace);
  ASSERT_EQ(segs.size(), 3u);
  Lines afterMosaic = Erase(kOneCellA, kCellA, false);
  Add(afterMosaic, polygonOnly);
  EXPECT_EQ(segs[2], afterMosaic);
}

TEST(ViewerEnd, FourBlockFileKeepsItsOnlyRotation) {
  const km_test::Session s = View("four-blocks", kOneCellFirst + "\n\n", "@p@");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 5u);
  Lines same = Erase(kOneCellA, kCellA, true);
  Add(same, Erase(kOneCellA, kCellA, false));
  Add(same, Mode('b', kOneCellA, kCellA));
  EXPECT_EQ(segs[1], same);
  EXPECT_EQ(segs[2], Mode('p', kOneCellA, kCellA));
  EXPECT_EQ(segs[3], same);
}

// ---- Tagging ---------------------------------------------------------------

struct Pin {
  int x, y, color;
  friend bool operator==(const Pin&, const Pin&) = default;
};

// Crosses of arm 6: a move to the centre, the cross colour, the left arm.
std::vector<Pin> Pins(const Lines& seg) {
  std::vector<Pin> pins;
  for (std::size_t i = 0; i + 2 < seg.size(); ++i) {
    int x = 0, y = 0, c = 0, lx = 0, ly = 0;
    if (std::sscanf(seg[i].c_str(), "moveto %d %d", &x, &y) == 2 &&
        std::sscanf(seg[i + 1].c_str(), "setcolor %d", &c) == 1 &&
        std::sscanf(seg[i + 2].c_str(), "lineto %d %d", &lx, &ly) == 2 && lx == x - 6 && ly == y) {
      pins.push_back({x, y, c});
    }
  }
  return pins;
}

TEST(ViewerTags, OnTheContourOrStoredAsBorderVertex) {
  const km_test::Session s = View("tags", kTags, "P@p@P");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 7u);
  // r on a vertex, f on a vertex, f off, b off (stays), c on, c off.
  const std::vector<Pin> first{{100, 100, 13}, {148, 100, 13}, {160, 160, 11},
                               {124, 124, 13}, {100, 148, 13}, {88, 88, 11}};
  EXPECT_EQ(Pins(segs[1]), first);
  // Second set, contour reversed: f on the contour, b off it.
  const std::vector<Pin> second{{100, 100, 13}, {88, 88, 13}};
  EXPECT_EQ(Pins(segs[3]), second);
  // Back on the first set, tagged afresh.
  EXPECT_EQ(Pins(segs[5]), first);
}

// ---- Mosaic cells --------------------------------------------------------

// Rectangle and flood-fill calls of a segment, in order.
Lines Cells(const Lines& seg) {
  Lines l;
  for (const std::string& line : seg) {
    if (line.rfind("rectangle", 0) == 0 || line.rfind("floodfill", 0) == 0) l.push_back(line);
  }
  return l;
}

TEST(ViewerMosaic, DegenerateCells) {
  // Closed square. Cell 1 ends at offset corner (160,100), in line with the
  // contour's start: degenerate; the erase takes contour vertex 2 instead.
  // Cell 3 ends at (148,160), in x with its contour corner: the erase takes
  // contour vertex 4. The last cell, to (88,148), is degenerate and has no
  // substitute. Cell 2 is regular and seeded one pixel inside.
  const std::string square =
      "\n4\n100 , 100 , 148 , 100 , 148 , 148 , 100 , 148 , 100 , 100 , \n"
      "\n4\n88 , 88 , 160 , 100 , 160 , 160 , 148 , 160 , 88 , 148 , \n"
      "\n1\n100 , 100 , 148 , 148 , \n\n1\nb , b , \n";
  const km_test::Session s = View("degenerate", square, "Mc");
  const std::vector<Lines> segs = Segments(s.trace);
  ASSERT_EQ(segs.size(), 4u);
  EXPECT_EQ(Cells(segs[1]), (Lines{"rectangle 148 100 160 160", "floodfill 149 101 13", "rectangle 148 100 160 160"}));
  EXPECT_EQ(Cells(segs[2]),
            (Lines{"rectangle 100 100 148 148", "floodfill 101 101 7", "rectangle 100 100 148 148",
                   "rectangle 148 100 160 160", "floodfill 149 101 7", "rectangle 148 100 160 160",
                   "rectangle 148 148 100 100", "floodfill 147 147 7", "rectangle 148 148 100 100"}));

  // A substitute corner in line with the cell's contour corner: skipped.
  const std::string skew =
      "\n2\n100 , 100 , 148 , 100 , 100 , 148 , \n"
      "\n2\n88 , 88 , 160 , 100 , 88 , 160 , \n"
      "\n0\n100 , 100 , \n\n0\nb , \n";
  const km_test::Session k = View("degenerate-skew", skew, "mb");
  const std::vector<Lines> ks = Segments(k.trace);
  ASSERT_EQ(ks.size(), 4u);
  EXPECT_EQ(Cells(ks[1]), (Lines{"rectangle 148 100 88 160", "floodfill 147 101 13", "rectangle 148 100 88 160"}));
  EXPECT_EQ(Cells(ks[2]), (Lines{"rectangle 148 100 88 160", "floodfill 147 101 7", "rectangle 148 100 88 160"}));
}

}  // namespace
