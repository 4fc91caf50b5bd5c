// Whole editor sessions through start placement, the grid question and the
// drawing loop: traces, virtual clock and the state at the end.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/startup.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

// Trace lines written compactly, '|' between lines.
std::string T(std::string s) {
  for (char& c : s) c = c == '|' ? '\n' : c;
  return s + "\n";
}
std::string Mv(int x, int y) { return "moveto " + std::to_string(x) + " " + std::to_string(y) + "\n"; }
std::string Ln(int x, int y) { return "lineto " + std::to_string(x) + " " + std::to_string(y) + "\n"; }

// The cross marker of arm 8, leaving white set.
std::string Marker(int x, int y, int colour) {
  return Mv(x, y) + "setcolor " + std::to_string(colour) + "\n" + Ln(x - 8, y) + Mv(x, y) + Ln(x + 8, y) + Mv(x, y) +
         Ln(x, y - 8) + Mv(x, y) + Ln(x, y + 8) + Mv(x, y) + "setcolor 15\n";
}

// A wipe along one axis, 2 pixels and 6 ms at a time.
std::string Wipe(int x, int y, int tx, int ty) {
  std::string s;
  while (x != tx || y != ty) s += Ln(x += 2 * ((tx > x) - (tx < x)), y += 2 * ((ty > y) - (ty < y))) + "delay 6\n";
  return s;
}

const std::string kCrossing = "outtextxy 62 12 \"The intersection of edges was detected. This is not allowed.\\n\"\n";
const std::string kNotClosed = T("setcolor 13|outtextxy 62 12 \" Your curve is not closed \\n\"|delay 2000|setcolor 0|"
                                 "outtextxy 62 12 \" Your curve is not  closed \\n\"");

std::string StepBackNotice(int key) {
  const std::string text =
      "outtextxy 62 12 \" You moved a cursor backward on the Edge. The Last Edge will be deleted.  \\n\"\n";
  return "settextstyle 8 0 1\nsetcolor 12\n" + text + "getch " + std::to_string(key) + "\nsetcolor 0\n" + text;
}

// The editor's state, kept for the test to look at after the drawing phase.
struct Drawn {
  std::int16_t x = 950, y = 500;
  int N = 1, J = 0;
  char t = '\0', cType1 = 'n', cType2 = 'n', LastEdgeRevision = 'n', CC = 'y';
  bool finished = false;
  StrokeArray POINT;
  PointArray VERTEX, XYmin, XYmax;
  SlopeArray Slope;
  std::string trace;
  long long clockMs = 0;
};

std::unique_ptr<Drawn> Draw(const std::string& keys) {
  auto d = std::make_unique<Drawn>();
  Drawn& s = *d;
  const km_test::Session session = km_test::RunBody([&s] {
    s.finished = DrawingPhase(s.x, s.y, s.t, s.POINT, s.N, s.VERTEX, s.J, s.XYmin, s.XYmax, s.Slope, s.cType1,
                              s.cType2, s.LastEdgeRevision, s.CC);
  }, keys);
  s.clockMs = session.clockMs, s.trace = session.trace;
  return d;
}

// Everything after the grid question (the second solid-style reset), or all
// of the trace when there was none.
std::string AfterGrid(const std::string& trace) {
  const std::string mark = "setlinestyle 0 1 1\nsetcolor 15\n";
  const std::size_t grid = trace.find(mark, trace.find(mark) + 1);
  return grid == std::string::npos ? trace : trace.substr(grid + mark.size());
}

// One session: state, points and clock at the end, trace parts that must and
// must not occur, and the end of the trace after the grid (or all of it).
struct Row {
  std::string keys, state;  // finished or not (+/-), cType2, LastEdgeRevision, J, cursor
  int N = -1;  // not checked when negative
  std::vector<std::pair<int, Point>> vertices{};
  long long clockMs = 6000;
  std::vector<std::string> has{};
  std::string tail{};
  bool whole = false;
  std::string absent{};
};

TEST(EditorSessions, EndInTheExpectedState) {
  std::string zigzag = "*nr", far = "*n" + std::string(200, 'r');
  for (int k = 2; k <= 995; ++k) zigzag += k % 2 == 0 ? 'd' : 'r';
  for (int block = 0; block < 5; ++block) far += "d" + std::string(200, 'r');
  // Stepping back from (962,512) onto V1 (962,500) with 'k' at the notice.
  const std::string ontoV1 = StepBackNotice(107) + Mv(962, 512) + Wipe(962, 512, 962, 500) + Mv(962, 500) +
                             "setcolor 15\n" + Mv(950, 500) + Ln(962, 500);
  const std::string share = "outtextxy 62 12 \" Sharing of edges detected. This is not allowed. \\n\"\n";
  const std::string warn = "settextstyle 8 0 3\nouttextxy 62 12 \" Not more than 5 new vertices to add is allowed. "
                           "Then the curve will terminate in the open shape. \\n\"\n";
  const std::string warning = Marker(6914, 6464, 10) + Mv(6926, 6464) + "setcolor 12\n" + warn + "delay 1500\n" +
                              "setcolor 0\n" + warn + "delay 600\n";
  const Row rows[] = {
      // An ignored first key, then '*' fixes the centre and one more key is read.
      {.keys = "q*zn\r", .state = "-nn 0 950,500", .vertices = {{0, {950, 500}}},
       .has = {T("getch 113|moveto 950 500|getch 42|moveto 950 500") + Marker(950, 500, 14) +
               T("getch 122|moveto 950 500|setlinestyle 1 1 1")}},
      // '*' after moves erases the trail from the cursor; then Enter ends it all.
      {.keys = "ru*\r", .state = "-nn 0 962,488", .vertices = {{0, {962, 488}}},
       .has = {T("getch 114|moveto 950 500|lineto 962 500|getch 117|lineto 962 488|getch 42|setcolor 0|"
                 "lineto 962 500|lineto 950 500|moveto 962 488") + Marker(962, 488, 14) + "getch 13\n"},
       .absent = "setlinestyle"},
      // The trail holds at most 299 moves.
      {.keys = std::string(305, 'r') + "*kn\r", .state = "-nn 0 4538,500", .vertices = {{0, {4538, 500}}},
       .has = {T("lineto 4538 500|getch 114|getch 114")}, .absent = "lineto 4550 500"},
      // An ignored key between two X breaks the pair; Enter ends the editor.
      {.keys = "*nxqx\r", .state = "-nn 0 950,500", .tail = T("getch 120|getch 113|getch 120|getch 13"), .whole = true},
      // A move between two X resets the pair; the last two finish open.
      {.keys = "*nrxrxx", .state = "+on 1 974,500", .vertices = {{1, {974, 500}}}, .clockMs = 8000,
       .tail = T("getch 114|lineto 962 500|getch 120|getch 114|setcolor 12|lineto 974 500|moveto 950 500|"
                 "setcolor 15|lineto 962 500|moveto 974 500|getch 120|getch 120|moveto 974 500") +
               Marker(974, 500, 14) + kNotClosed,
       .whole = true},
      // Step back onto the new vertex keeps the edge; into the only edge leaves a blue
      // cross. An arrow at the notice leaves its 72 as an ignored drawing key.
      {.keys = std::string("*nrdukl\0Hxx", 11), .state = "+on 0 950,500", .clockMs = 6000 + 36 + 36,
       .tail = T("getch 114|lineto 962 500|getch 100|setcolor 12|lineto 962 512|moveto 950 500|setcolor 15|"
                 "lineto 962 500|moveto 962 512|getch 117") + ontoV1 + "getch 108\n" + StepBackNotice(0) +
               Mv(962, 500) + Wipe(962, 500, 950, 500) + Marker(950, 500, 9) + "setcolor 15\n" + Mv(950, 500) +
               T("getch 72|getch 120|getch 120|moveto 950 500") + Marker(950, 500, 14),
       .whole = true},
      // After a step back the open-finish notice keeps text size 1.
      {.keys = "*nrdukxx", .state = "+on 1 962,500", .vertices = {{1, {962, 500}}}, .clockMs = 6000 + 36 + 2000,
       .tail = ontoV1 + T("getch 120|getch 120|moveto 962 500") + Marker(962, 500, 14) + kNotClosed},
      // Spiral (998,500), (998,536), (962,536), (962,512); the lengthened edge 3 crosses
      // edge 0 and goes whole; running on from V3 and stepping back drops edge 2.
      {.keys = "*nrrrrdddllluurlkuurlrk\r", .state = "-nn 2 998,536", .vertices = {{2, {998, 536}}},
       .clockMs = 6000 + 36 + 4200 + 4 * 36 + 36 + 3 * 36,
       .has = {Mv(962, 488) + Wipe(962, 488, 962, 536) + kCrossing + "setcolor 15\n" + Mv(950, 500) +
               Ln(998, 500) + Mv(962, 536) + "setcolor 15\n" + Mv(950, 500) + Ln(998, 500) + Ln(998, 536) +
               Ln(962, 536) + Marker(950, 500, 14) + Mv(962, 536) + "getch 108\n"},
       .tail = T("getch 108|setcolor 12|lineto 950 536|getch 114") + StepBackNotice(107) + Mv(950, 536) +
               Wipe(950, 536, 962, 536) + Mv(962, 536) + Wipe(962, 536, 998, 536) + "setcolor 15\n" +
               Mv(950, 500) + Ln(998, 500) + Ln(998, 536) + "getch 13\n"},
      // Closing A moves the start to the last vertex (B, which adds the start as one, is the recorded squares').
      {.keys = "*nrrddlllluurr", .state = "+ny 4 950,500",
       .vertices = {{0, {926, 500}}, {1, {974, 500}}, {4, {926, 500}}},
       .tail = T("getch 114|setcolor 12|lineto 950 500|moveto 926 500|setcolor 15|lineto 938 500|moveto 950 500|"
                 "moveto 950 500")},
      // Refused closing A: the merged edge (902,500)-(974,500) crosses edge 3.
      {.keys = "*nrrddlllluuulldrrrr\r", .state = "-nn 6 902,500", .N = 0,
       .vertices = {{0, {950, 500}}, {6, {902, 500}}}, .clockMs = 6000 + 4200 + 6 * 36,
       .tail = Wipe(974, 500, 902, 500) + kCrossing + "setcolor 15\n" + Mv(926, 524) + Ln(926, 488) + Mv(902, 500) +
               "setcolor 0\n" + Mv(950, 500) + Ln(902, 500) + "setcolor 15\n" + Mv(950, 500) + Ln(974, 500) +
               Ln(974, 524) + Ln(926, 524) + Ln(926, 488) + Ln(902, 488) + Marker(950, 500, 9) + Mv(902, 500) +
               "getch 13\n"},
      // Closing C over the first edge is refused; X twice finishes open there.
      {.keys = "*nrrdrruuldlllxx", .state = "+on 6 986,500", .vertices = {{6, {986, 500}}},
       .clockMs = 6000 + 4200 + 3 * 36 + 2000,
       .tail = Wipe(950, 500, 986, 500) + share + "setcolor 15\n" + Mv(950, 500) + Ln(974, 500) + Mv(986, 500) +
               "setcolor 15\n" + Mv(950, 500) + Ln(974, 500) + Ln(974, 512) + Ln(998, 512) + Ln(998, 488) +
               Ln(986, 488) + Ln(986, 500) + Marker(950, 500, 9) + Mv(986, 500) + "getch 120\ngetch 120\n" +
               Mv(986, 500) + Marker(986, 500, 14) + kNotClosed},
      // The warning at 994, also after lengthening, and the forced finish at 999.
      {.keys = zigzag + "lkdrdrdrdz", .state = "+on 999 6950,6512",
       .vertices = {{994, {6914, 6476}}, {999, {6950, 6500}}}, .clockMs = 6000 + 2 * 3 * (1500 + 600) + 36,
       .has = {T("getch 114|setcolor 12|lineto 6926 6464|moveto 6914 6452|setcolor 15|lineto 6914 6464|"
                 "moveto 6926 6464") + warning + warning + warning + "getch 108\n"},
       .tail = Marker(6950, 6500, 12) + "getch 122\n", .absent = "Your curve"},
      // A full stroke and the cursor range ignore moves but not the open finish.
      {.keys = "*n" + std::string(302, 'r') + "dxx", .state = "+on 1 4538,500", .vertices = {{1, {4538, 500}}},
       .clockMs = 8000, .has = {T("lineto 4526 500|moveto 4538 500|getch 114|getch 114|getch 114|getch 100|"
                                  "getch 120|getch 120|moveto 4538 500")}, .absent = "4550"},
      {.keys = far + "d" + std::string(57, 'r') + "xx", .state = "+on 13 15998,572",
       .vertices = {{13, {15998, 572}}}, .clockMs = 8000,
       .has = {T("lineto 15986 572|moveto 15998 572|getch 114|getch 114|getch 114|getch 120")},
       .absent = "lineto 16010"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.keys.substr(0, 24));
    const auto d = Draw(r.keys);
    const std::string t = AfterGrid(d->trace);
    EXPECT_EQ((std::string{d->finished ? '+' : '-', d->cType2, d->LastEdgeRevision} + " " + std::to_string(d->J) +
               " " + std::to_string(d->x) + "," + std::to_string(d->y)),
              r.state);
    EXPECT_TRUE(r.N < 0 || d->N == r.N) << d->N;
    for (const auto& [k, p] : r.vertices) EXPECT_EQ(d->VERTEX[k], p) << k;
    EXPECT_EQ(d->clockMs, r.clockMs);
    for (const std::string& part : r.has) EXPECT_NE(d->trace.find(part), std::string::npos) << part;
    EXPECT_TRUE(r.whole ? t == r.tail : t.ends_with(r.tail)) << t;
    EXPECT_TRUE(r.absent.empty() || d->trace.find(r.absent) == std::string::npos);
  }
}

TEST(GridQuestion, OnlyYKeepsTheGridAndAnArrowsCodeIsAnIgnoredDrawingKey) {
  const struct { std::string answer; int code, colour; std::string after; } cases[] = {
      {"Y", 89, 12, ""}, {"\r", 13, 0, ""}, {std::string("\0H", 2), 0, 0, "getch 72\n"}};  // 'y', 'n': recorded
  for (const auto& c : cases) {
    const std::string trace = Draw("*" + c.answer + "r\r")->trace;
    const std::string grid = "setlinestyle 1 1 1\nsetlinestyle 1 1 1\nsetcolor " + std::to_string(c.colour);
    EXPECT_NE(trace.find("getch " + std::to_string(c.code) + "\nsetcolor 0\n"), std::string::npos) << c.code;
    EXPECT_NE(trace.find(grid + "\nmoveto 50 20\n"), std::string::npos) << c.code;
    EXPECT_EQ(AfterGrid(trace), c.after + T("getch 114|lineto 962 500|getch 13")) << c.code;
  }
}

}  // namespace
}  // namespace korvane
