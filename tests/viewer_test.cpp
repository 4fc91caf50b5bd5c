// Whole viewer sessions on hand-written drawing files and on files the editor
// writes, checked through the call trace (the welcome: golden_viewer_test).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace {
using Lines = std::vector<std::string>;
struct P { int x, y; friend bool operator==(const P&, const P&) = default; };
using Pts = std::vector<P>;

// One edge (100,100)-(124,100), one cell up to the offset corner (124,88). The second set runs the
// other way; its polygon goes out and back (overlapping edges); its tags c, f, r lie on the contour.
const std::string kFirst =
    "\n1\n100 , 100 , 124 , 100 , \n\n1\n100 , 88 , 124 , 88 , \n\n1\n100 , 100 , 124 , 100 , \n\n1\nb , b , \n";
const std::string kSecond =
    "\n1\n124 , 112 , 100 , 112 , \n\n2\n124 , 100 , 100 , 100 , 124 , 100 , \n\n2\nc , f , r , \n";
const std::string kOneCell = kFirst + kSecond;
const std::string kDamaged = " The drawing file DataMyDrawing.txt cannot be read. \\n";

std::string Pt(P p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
template <class... L>
void Add(Lines& out, const L&... more) { (out.insert(out.end(), more.begin(), more.end()), ...); }

Lines CrossAt(P p, int arm, int colorIn, int crossColor) {  // four arms from the centre, then colorIn
  const std::string c = "moveto " + Pt(p);
  return {c, "setcolor " + std::to_string(crossColor), "lineto " + Pt({p.x - arm, p.y}), c,
          "lineto " + Pt({p.x + arm, p.y}), c, "lineto " + Pt({p.x, p.y - arm}), c, "lineto " + Pt({p.x, p.y + arm}), c,
          "setcolor " + std::to_string(colorIn)};
}

Lines Poly(const Pts& pts, bool alternating = false) {  // alternating: light blue, light red, ...
  Lines l{"moveto " + Pt(pts[0])};
  for (std::size_t i = 1; i < pts.size(); ++i) {
    if (alternating) l.push_back(i % 2 == 1 ? "setcolor 9" : "setcolor 12");
    l.push_back("lineto " + Pt(pts[i]));
  }
  return l;
}

struct Set {  // a working set as the viewer should hold it, with its one mosaic cell
  Pts contour, offset, polygon;
  std::vector<int> pins;  // 13 for a vertex tagged 'b', 11 for 'r'
  Lines overlays;         // the yellow overlap calls; then the cell's rectangle and seed:
  std::string rect, seed;
};
const Set kA{{{100, 100}, {124, 100}}, {{100, 88}, {124, 88}}, {{100, 100}, {124, 100}}, {13, 13}, {},
             "rectangle 100 100 124 88", "101 99"};
const Set kB{{{124, 100}, {100, 100}}, {{124, 112}, {100, 112}}, {{124, 100}, {100, 100}, {124, 100}}, {13, 13, 13},
             {"setcolor 14", "moveto 100 100", "lineto 124 100", "setcolor 15"}, "rectangle 124 100 100 112",
             "123 101"};

Lines Mode(char t, const Set& s) {
  const char m = static_cast<char>(std::tolower(t));
  Lines l{"setlinestyle 0 1 1", "setcolor 0"};
  Add(l, Poly(s.offset));
  for (P p : s.polygon) Add(l, CrossAt(p, 12, 0, 0));
  Add(l, Poly(s.contour), Poly(s.polygon));
  if (m == 'b') Add(l, Lines{"setcolor 11"}, Poly(s.offset), Lines{"setcolor 15"}, Poly(s.contour));
  if (m != 'm') Add(l, Poly(s.polygon, true));
  Add(l, s.overlays);
  for (std::size_t k = 0; m == 'p' && k < s.polygon.size(); ++k) Add(l, CrossAt(s.polygon[k], 6, 15, s.pins[k]));
  if (m != 'm') return l;
  Add(l, Lines{"setlinestyle 0 1 2", "setcolor 0"}, Poly(s.polygon),
      Lines{"setlinestyle 0 1 1", "setcolor 13", s.rect, "setfillstyle 1 15", "floodfill " + s.seed + " 13",
            "setcolor 7", s.rect, "setlinestyle 0 1 2"},
      Poly(s.polygon, true), s.overlays);
  return l;
}
// The mosaic erase; a rotation switch ('@': Rotate) also blackens the offset contour.
Lines Erase(const Set& s, bool withOffset = false) {
  Lines l{"setlinestyle 0 1 3", "setcolor 0"};
  Add(l, Poly(s.polygon), withOffset ? Poly(s.offset) : Lines{},
      Lines{"setlinestyle 0 1 1", "setcolor 7", s.rect, "setfillstyle 1 0", "floodfill " + s.seed + " 7", "setcolor 0",
            s.rect});
  for (int i : {0, 1, 0, 1}) Add(l, CrossAt(s.contour[i], 12, 0, 0));  // vertices 0, 1, I-1, I
  return l;
}
Lines Rotate(const Set& from, const Set& to) {
  Lines l = Erase(from, true);
  Add(l, Erase(to), Mode('b', to));
  return l;
}

std::vector<Lines> Segments(const std::string& trace) {  // the calls after each getch; [0]: start-up
  std::vector<Lines> segs(1);
  std::istringstream in(trace);
  for (std::string line; std::getline(in, line);)
    line.rfind("getch", 0) == 0 ? (void)segs.emplace_back() : segs.back().push_back(line);
  return segs;
}

Lines Flash(const std::string& quoted) {  // shown three times, dark in between
  Lines on{"setcolor 14", "settextstyle 8 0 3", "outtextxy 62 12 \"" + quoted + "\"", "delay 300"}, off = on, l = on;
  off[0] = "setcolor 0";
  Add(l, off, on, off, on);
  return l;
}

// A session in a fresh directory; "missing": without a drawing file.
km_test::Session View(const std::string& file, const std::string& keys) {
  const std::filesystem::path dir = km_test::FreshDir("viewer");
  if (file != "missing") km_test::WriteFile(dir / "DataMyDrawing.txt", file);
  return km_test::RunSession(km_test::Program::Mivlet, keys, dir);
}

std::string Replace(std::string s, const std::string& a, const std::string& b) {
  return s.replace(s.find(a), a.size(), b);
}
std::string Uniform(int n) {  // seven blocks of n + 1 equal entries
  std::string c = "\n" + std::to_string(n) + "\n", pts = c, tags = c;
  for (int i = 0; i <= n; ++i) pts += "1 , 1 , ", tags += "b , ";
  return pts + pts + pts + tags + pts + pts + tags;
}
Lines Tail(const Lines& seg, std::size_t n) {  // the last n calls
  return {seg.end() - static_cast<long>(std::min(n, seg.size())), seg.end()};
}

TEST(ViewerLoad, FlashesOrEndsBeforeTheFirstKey) {
  const std::string zero = "\n0\n0 , 0 , \n\n0\n0 , 0 , \n\n2\n1 , 2 , 3 , 4 , 5 , 6 , \n\n2\nb , r , f , \n"
                           "\n0\n7 , 7 , \n\n0\n7 , 7 , \n\n0\nc , \n";
  const struct { std::string file, message; } cases[] = {  // message "": silent end; "missing": no file
      {zero, " No cirquit to be drawn from the empty input. \\n"},
      {Replace(zero, "c , ", "c"), kDamaged},  // the whole file is judged before its first count
      {"\n-1\n\n-1\n\n-4\n\n-4\n\n-1\n\n0\n5 , 5 , \n\n0\nb , \n", ""}, {"", kDamaged}, {"\n \n\t\n", kDamaged},
      {kFirst.substr(0, 20), kDamaged}, {kFirst.substr(0, kFirst.find("\n1\n100 , 100", 10)), kDamaged},
      {kFirst.substr(0, kFirst.size() - 4) + "\n", kDamaged}, {kFirst + "end\n", kDamaged},
      {Replace(kOneCell, "\n1\n", "\none\n"), kDamaged}, {Replace(kOneCell, "\n1\n", "\n1x\n"), kDamaged},
      {Replace(kOneCell, "124 , 100", "124 , y"), kDamaged}, {Replace(kOneCell, "124 , 100", "124 , 32768"), kDamaged},
      {Replace(kOneCell, "124 , 100 , \n", "124 , 100,\n"), kDamaged}, {Replace(kOneCell, "b , b", "bb , b"), kDamaged},
      {Replace(kOneCell, "\n1\n100 , 88 , 124 , 88 , \n", "\n0\n100 , 88 , \n"), kDamaged},  // offset count
      {kFirst + "\n2\n124 , 112 , 100 , 112 , 1 , 1 , \n" + kSecond.substr(kSecond.find("\n2\n124")), kDamaged},
      {Replace(kOneCell, "\n1\nb , b , \n", "\n0\nb , \n"), kDamaged},  // tag count
      {Replace(kOneCell, "\n2\nc , f , r , \n", "\n3\nc , f , r , b , \n"), kDamaged},
      {kFirst + "\n1\n124 , 112 , \n", kDamaged}, {kOneCell.substr(0, kOneCell.size() - 5), kDamaged},
      {"\n-1\n\n-2\n\n0\n0 , 0 , \n\n0\nb , \n", kDamaged}, {Uniform(1000), kDamaged}, {"missing", kDamaged}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 60));
    const km_test::Session s = View(c.file, "b");
    const std::vector<Lines> segs = Segments(s.trace);  // no key is read
    ASSERT_EQ(segs.size(), 1u);
    const Lines expected = c.message.empty() ? Lines{} : Flash(c.message);
    EXPECT_EQ(segs[0].size(), 16 + expected.size());  // after the welcome and its erase
    EXPECT_EQ(Tail(segs[0], expected.size()), expected);
    EXPECT_EQ(s.clockMs, c.message.empty() ? 5000 : 5000 + 5 * 300);
    EXPECT_EQ(s.out, c.file == "missing" ? "" : "\n");
    EXPECT_EQ(s.exitCode, 0);
  }
}

TEST(ViewerLoad, AcceptsLooseLayoutsAndFullBlocks) {
  // CR LF, no leading empty line, odd separators, blank lines, words after block 7.
  const std::string loose =
      "1\r\n100 ; 100 xx 124 ,, 100 ,\r\n\r\n\r\n1 100 , 88 , 124 , 88 ,\t\n1\n100 , 100 , 124 , 100 , 1 b ; b ;"
      "\n1 124 , 112 , 100 , 112 ,   2\n124 , 100 , 100 , 100 , 124 , 100 , 2 c , f , r , \n\n  \nmore words\n";
  EXPECT_EQ(View(loose, "b@").trace, View(kOneCell, "b@").trace);
  EXPECT_EQ(Segments(View(Uniform(999), "c").trace).size(), 3u);  // 999 is the largest count
  // A negative polygon count reads no entries (block 5 follows): only the move to the unread first point.
  const std::string noPolygon = kFirst.substr(0, kFirst.find("\n1\n100 , 100", 10)) + "\n-1\n\n-1\n" + kSecond;
  EXPECT_EQ(Segments(View(noPolygon, "c@").trace).at(1),
            (Lines{"setlinestyle 0 1 1", "setcolor 0", "moveto 100 88", "lineto 124 88", "moveto 100 100",
                   "lineto 124 100", "moveto 0 0", "moveto 0 0"}));
}

TEST(ViewerModes, EveryKeyFromEveryMode) {
  // Mode letters redraw; '@' erases and shows the other set in Border mode; any other key (Enter,
  // 'q', an arrow key's first code) draws the polygon once more and ends. Leaving Mosaic erases it.
  const std::string modes = "BbPpMmCc";
  for (char from : modes + '@') {
    for (char to : modes + std::string("@q\r") + '\0') {
      SCOPED_TRACE(std::string("from ") + from + " to " + std::to_string(to));
      const auto segs = Segments(View(kOneCell, std::string{from, to} + (to == '\0' ? "H" : "")).trace);
      ASSERT_EQ(segs.size(), modes.find(to) != std::string::npos || to == '@' ? 4u : 3u);
      EXPECT_EQ(segs[1], from == '@' ? Rotate(kA, kB) : Mode(from, kA));
      const Set& set = from == '@' ? kB : kA;
      Lines expected = std::tolower(from) == 'm' && std::tolower(to) != 'm' && to != '@' ? Erase(set) : Lines{};
      Add(expected, to == '@' ? Rotate(set, from == '@' ? kA : kB) : Mode(to, set));
      EXPECT_EQ(segs[2], expected);
    }
  }
  // Four blocks only: '@' keeps the one set, erased and redrawn in Border mode.
  const auto four = Segments(View(kFirst + "\n\n", "@@").trace);
  EXPECT_EQ(std::vector<Lines>(four.begin() + 1, four.end()), (std::vector<Lines>{Rotate(kA, kA), Rotate(kA, kA), {}}));
}

Lines Cells(Lines seg) {  // the rectangle and flood-fill calls
  std::erase_if(seg, [](const std::string& c) { return c.rfind("rectangle", 0) != 0 && c.rfind("floodfill", 0) != 0; });
  return seg;
}

TEST(ViewerModes, TagsAndDegenerateCells) {
  // A closed square; polygon vertices on and off the contour with every tag: r on a vertex, f on a
  // vertex, f off, b off (stays b), c on, c off. The second set, on the reversed contour: f on it, b off it.
  const Pts square{{100, 100}, {148, 100}, {148, 148}, {100, 148}, {100, 100}};
  const Pts offset{{88, 88}, {160, 100}, {160, 160}, {148, 160}, {88, 148}};
  const std::string contour = "\n4\n100 , 100 , 148 , 100 , 148 , 148 , 100 , 148 , 100 , 100 , \n",
                    corridor = "\n4\n88 , 88 , 160 , 100 , 160 , 160 , 148 , 160 , 88 , 148 , \n";
  const std::string file =
      contour + corridor + "\n5\n100 , 100 , 148 , 100 , 160 , 160 , 124 , 124 , 100 , 148 , \n88 , 88 , \n" +
      "\n5\nr , f , f , b , c , c , \n" + corridor + "\n1\n100 , 100 , 88 , 88 , \n\n1\nf , b , \n";
  const Set first{square, offset, {{100, 100}, {148, 100}, {160, 160}, {124, 124}, {100, 148}, {88, 88}},
                  {13, 13, 11, 13, 13, 11}, {}, "", ""};
  const Set second{Pts(square.rbegin(), square.rend()), offset, {{100, 100}, {88, 88}}, {13, 13}, {}, "", ""};
  const auto segs = Segments(View(file, "P@p@PMc").trace);
  ASSERT_EQ(segs.size(), 9u);
  EXPECT_EQ(segs[1], Mode('P', first));
  EXPECT_EQ(segs[3], Mode('p', second));
  EXPECT_EQ(segs[5], Mode('P', first));  // tagged afresh
  // Cells 1 (to (160,100)) and 3 (to (148,160)) are degenerate: never filled; the erase takes
  // contour vertices 2 and 4 instead. The last, to (88,148), has no substitute: skipped.
  EXPECT_EQ(Cells(segs[6]), (Lines{"rectangle 148 100 160 160", "floodfill 149 101 13", "rectangle 148 100 160 160"}));
  EXPECT_EQ(Cells(segs[7]), (Lines{"rectangle 100 100 148 148", "floodfill 101 101 7", "rectangle 100 100 148 148",
                                   "rectangle 148 100 160 160", "floodfill 149 101 7", "rectangle 148 100 160 160",
                                   "rectangle 148 148 100 100", "floodfill 147 147 7", "rectangle 148 148 100 100"}));
  // A substitute corner in line with the cell's contour corner: skipped.
  const std::string skew = "\n2\n100 , 100 , 148 , 100 , 100 , 148 , \n\n2\n88 , 88 , 160 , 100 , 88 , 160 , \n"
                           "\n0\n100 , 100 , \n\n0\nb , \n";
  EXPECT_EQ(Cells(Segments(View(skew, "mb").trace).at(2)),
            (Lines{"rectangle 148 100 88 160", "floodfill 147 101 7", "rectangle 148 100 88 160"}));
}

std::vector<std::pair<Pts, std::string>> ReadBlocks(const std::string& text) {  // points, or tags
  std::vector<std::pair<Pts, std::string>> blocks;
  std::istringstream in(text);
  std::string sep, word;
  for (int n = 0; blocks.size() < 7 && in >> n;) {
    auto& [pts, tags] = blocks.emplace_back();
    for (int y = 0; n-- >= 0 && in >> word >> sep;) {  // word: a tag, or a point's x
      if (blocks.size() == 4 || blocks.size() == 7) tags += word;
      else if (in >> y >> sep) pts.push_back({std::stoi(word), y});
    }
  }
  return blocks;
}

TEST(ViewerOnEditorFiles, ShowsBothPassesOrKeepsTheOnlyOne) {
  for (const std::string ending : {"@q", "q"}) {  // both passes written, or the first only
    SCOPED_TRACE(ending);
    const std::filesystem::path dir = km_test::FreshDir("viewer-editor");
    km_test::RunSession(km_test::Program::Korvane, "*yrrrrrruuuullddlluulldddd" + ending, dir);  // a notched box
    const auto f = ReadBlocks(km_test::ReadFile(dir / "DataMyDrawing.txt"));
    ASSERT_EQ(f.size(), ending == "q" ? 4u : 7u);
    const auto segs = Segments(km_test::RunSession(km_test::Program::Mivlet, "bp@p", dir).trace);
    ASSERT_EQ(segs.size(), 6u);
    for (std::size_t k = 0, b = 1; k < 2; ++k, b = f.size() == 7 ? 4 : 1) {  // set 2: blocks 5 to 7
      Set set{f[0].first, f[b].first, f[b + 1].first, {}, {}, "", ""};
      if (b == 4) std::reverse(set.contour.begin(), set.contour.end());
      for (std::size_t v = 0; v < set.polygon.size(); ++v)  // 'b' when stored so or on the contour
        set.pins.push_back(f[b + 2].second.at(v) == 'b' || std::ranges::count(set.contour, set.polygon[v]) ? 13 : 11);
      // Exactly the file's polylines and tags (this drawing has no overlaps).
      EXPECT_EQ(Tail(segs[1 + 2 * k], Mode('b', set).size()), Mode('b', set));
      EXPECT_EQ(segs[2 + 2 * k], Mode('p', set));
    }
  }
}

}  // namespace
