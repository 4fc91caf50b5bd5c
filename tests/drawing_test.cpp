// Whole editor sessions through start placement, the grid question and the
// drawing loop: traces, virtual clock and the contour at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "bgi/headless.h"
#include "editor/startup.h"
#include "tests/support/session.h"

namespace korvane {
namespace {

// ---- trace text helpers ----

std::string L(std::initializer_list<std::string> lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

std::string P(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
std::string MoveTo(int x, int y) { return "moveto " + P(x, y) + "\n"; }
std::string LineTo(int x, int y) { return "lineto " + P(x, y) + "\n"; }

// The cross marker of arm 8, leaving white set.
std::string Marker(int x, int y, int colour) {
  return MoveTo(x, y) + "setcolor " + std::to_string(colour) + "\n" + LineTo(x - 8, y) + MoveTo(x, y) +
         LineTo(x + 8, y) + MoveTo(x, y) + LineTo(x, y - 8) + MoveTo(x, y) + LineTo(x, y + 8) + MoveTo(x, y) +
         "setcolor 15\n";
}

// A wipe from (x, y) along one axis to the target coordinate, 2 pixels and
// 6 ms at a time.
std::string WipeX(int x, int y, int to) {
  std::string s;
  while (x != to) {
    x += to > x ? 2 : -2;
    s += LineTo(x, y) + "delay 6\n";
  }
  return s;
}
std::string WipeY(int x, int y, int to) {
  std::string s;
  while (y != to) {
    y += to > y ? 2 : -2;
    s += LineTo(x, y) + "delay 6\n";
  }
  return s;
}

const std::string kStepBack =
    "outtextxy 62 12 \" You moved a cursor backward on the Edge. The Last Edge will be deleted.  \\n\"\n";
const std::string kCrossing =
    "outtextxy 62 12 \"The intersection of edges was detected. This is not allowed.\\n\"\n";
const std::string kWarning =
    "outtextxy 62 12 \" Not more than 5 new vertices to add is allowed. Then the curve will terminate in the open "
    "shape. \\n\"\n";
const std::string kNotClosed = L({"setcolor 13", "outtextxy 62 12 \" Your curve is not closed \\n\"", "delay 2000",
                                  "setcolor 0", "outtextxy 62 12 \" Your curve is not  closed \\n\""});

std::string StepBackNotice(int key) {
  return "settextstyle 8 0 1\nsetcolor 12\n" + kStepBack + "getch " + std::to_string(key) + "\nsetcolor 0\n" +
         kStepBack;
}

// The three blinks of a refusal: the new edge a..b and the stroke step
// tip..before in colour, with the blink message.
std::string Blinks(int colour, const std::string& text, int ax, int ay, int bx, int by, int tx, int ty, int px,
                   int py) {
  const std::string on = "setcolor " + std::to_string(colour) + "\nsettextstyle 8 0 3\n" + text + MoveTo(ax, ay) +
                         LineTo(bx, by) + MoveTo(tx, ty) + LineTo(px, py);
  const std::string off = "delay 600\nsetcolor 0\nsettextstyle 8 0 3\n" + text + LineTo(ax, ay) + MoveTo(tx, ty) +
                          LineTo(px, py) + "delay 600\n";
  return on + off + on + off + on + "delay 1800\n";
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Everything after the grid question (the second solid-style reset).
std::string AfterGrid(const std::string& trace) {
  const std::string mark = "setlinestyle 0 1 1\nsetcolor 15\n";
  const std::size_t first = trace.find(mark);
  const std::size_t second = trace.find(mark, first + 1);
  EXPECT_NE(second, std::string::npos);
  return second == std::string::npos ? "" : trace.substr(second + mark.size());
}

// ---- the drawing phase with its state observed ----

struct Observed {
  std::int16_t x = 0, y = 0;
  int N = 0, J = 0;
  PointArray VERTEX;
  char cType1 = 0, cType2 = 0, LastEdgeRevision = 0;
  bool finished = false;
  bool returned = false;
};

Observed* observed = nullptr;

int ObservedEntry() {
  std::int16_t x = 950, y = 500;
  char t = '\0';
  StrokeArray POINT;
  int N = 1, J = 0;
  auto VERTEX = std::make_unique<PointArray>();
  auto XYmin = std::make_unique<PointArray>();
  auto XYmax = std::make_unique<PointArray>();
  auto Slope = std::make_unique<SlopeArray>();
  char cType1 = 'n', cType2 = 'n', LastEdgeRevision = 'n', CC = 'y';
  observed->finished =
      DrawingPhase(x, y, t, POINT, N, *VERTEX, J, *XYmin, *XYmax, *Slope, cType1, cType2, LastEdgeRevision, CC);
  observed->returned = true;
  observed->x = x;
  observed->y = y;
  observed->N = N;
  observed->J = J;
  observed->VERTEX = *VERTEX;
  observed->cType1 = cType1;
  observed->cType2 = cType2;
  observed->LastEdgeRevision = LastEdgeRevision;
  return 0;
}

struct Drawn {
  std::unique_ptr<Observed> state = std::make_unique<Observed>();
  std::string trace;
  long long clockMs = 0;
};

// Start point fixed at (950, 500) with '*', grid removed with 'n', then keys.
Drawn Draw(const std::string& keys, const std::string& placement = "*n") {
  Drawn d;
  observed = d.state.get();
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  d.clockMs = bgi::runHeadless(&ObservedEntry, placement + keys, options).clockMs;
  observed = nullptr;
  d.trace = trace.str();
  return d;
}

Point Pt(int x, int y) { return Point{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)}; }

// ---- start placement and grid question ----

TEST(StartPlacement, MovesThenStarEraseTheTrailAndReadOneMoreKey) {
  const auto dir = km_test::FreshDir("placement-move-star");
  const km_test::Session s = km_test::RunSession(km_test::Program::Korvane, "ru*\r", dir);
  const std::string tail = L({"setcolor 15", "getch 114", "moveto 950 500", "lineto 962 500", "getch 117",
                              "lineto 962 488", "getch 42", "setcolor 0", "lineto 962 500", "lineto 950 500",
                              "moveto 962 488"}) +
                           Marker(962, 488, 14) + "getch 13\nmoveto 962 488\n";
  ASSERT_GE(s.trace.size(), tail.size());
  EXPECT_EQ(s.trace.substr(s.trace.size() - tail.size()), tail);
  EXPECT_EQ(s.clockMs, 6000);
  EXPECT_EQ(s.exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "DataMyDrawing.txt"));
}

TEST(StartPlacement, IgnoredFirstKeyThenStarFixesTheCentreAndReadsOneMoreKey) {
  const Drawn d = Draw("\r", "q*zn");
  EXPECT_NE(d.trace.find("getch 113\nmoveto 950 500\ngetch 42\nmoveto 950 500\n" + Marker(950, 500, 14) +
                         "getch 122\nmoveto 950 500\nsetlinestyle 1 1 1\n"),
            std::string::npos);
  EXPECT_TRUE(d.state->returned);
  EXPECT_FALSE(d.state->finished);
  EXPECT_EQ(d.state->VERTEX[0], Pt(950, 500));
  // Enter as the key after the fix ends the editor before the grid question.
  const Drawn e = Draw("", "q*\r");
  EXPECT_FALSE(e.state->finished);
  EXPECT_EQ(e.trace.find("setlinestyle"), std::string::npos);
}

TEST(StartPlacement, SpecialKeysActLikeTheirSecondCode) {
  // Right arrow, then two special keys with codes 82 ('R') and 76 ('L'), then up.
  const Drawn d = Draw("\r", std::string("\0M\0R\0L\0H*kn", 12));
  EXPECT_NE(d.trace.find(L({"lineto 962 500", "getch 0", "getch 82", "lineto 974 500", "getch 0", "getch 76",
                            "lineto 962 500", "getch 0", "getch 72", "lineto 962 488", "getch 42", "setcolor 0",
                            "lineto 962 500", "lineto 974 500", "lineto 962 500", "lineto 950 500"})),
            std::string::npos);
  EXPECT_EQ(d.state->VERTEX[0], Pt(962, 488));
}

TEST(StartPlacement, TrailHoldsAtMost299Moves) {
  const Drawn d = Draw("\r", std::string(305, 'r') + "*kn");
  EXPECT_EQ(d.state->VERTEX[0], Pt(950 + 299 * 12, 500));
  EXPECT_EQ(d.trace.find("lineto 4550 500"), std::string::npos);
  EXPECT_NE(d.trace.find("lineto 4538 500\ngetch 114\ngetch 114\n"), std::string::npos);
}

TEST(GridQuestion, YesKeepsTheGridAnyOtherAnswerRemovesIt) {
  for (const char* answer : {"Y", "y"}) {
    const Drawn d = Draw("\r", std::string("*") + answer);
    EXPECT_NE(d.trace.find("setlinestyle 1 1 1\nsetlinestyle 1 1 1\nsetcolor 12\nmoveto 50 20\n"), std::string::npos);
  }
  for (const char* answer : {"n", "\r"}) {
    const Drawn d = Draw("\r", std::string("*") + answer);
    EXPECT_NE(d.trace.find("setlinestyle 1 1 1\nsetlinestyle 1 1 1\nsetcolor 0\nmoveto 50 20\n"), std::string::npos);
  }
}

TEST(GridQuestion, ArrowAnswerRemovesTheGridAndItsCodeIsAnIgnoredDrawingKey) {
  const Drawn d = Draw("r\r", std::string("*\0H", 3));
  EXPECT_NE(d.trace.find("getch 0\nsetcolor 0\n"), std::string::npos);
  EXPECT_NE(d.trace.find("setlinestyle 1 1 1\nsetlinestyle 1 1 1\nsetcolor 0\nmoveto 50 20\n"), std::string::npos);
  EXPECT_EQ(AfterGrid(d.trace), L({"getch 72", "getch 114", "lineto 962 500", "getch 13"}));
}

// ---- the drawing loop ----

TEST(DrawingLoop, XPairsAndEnter) {
  // An ignored key between two X breaks the pair; Enter ends the editor.
  const Drawn a = Draw("xqx\r");
  EXPECT_EQ(AfterGrid(a.trace), L({"getch 120", "getch 113", "getch 120", "getch 13"}));
  EXPECT_FALSE(a.state->finished);
  EXPECT_EQ(a.state->cType2, 'n');
  // X, a move, X, X: the move resets the pair, the last two finish open.
  const Drawn b = Draw("rxrxx");
  EXPECT_EQ(AfterGrid(b.trace), L({"getch 114", "lineto 962 500", "getch 120", "getch 114", "setcolor 12",
                                   "lineto 974 500", "moveto 950 500", "setcolor 15", "lineto 962 500",
                                   "moveto 974 500", "getch 120", "getch 120", "moveto 974 500"}) +
                                    Marker(974, 500, 14) + kNotClosed);
  EXPECT_TRUE(b.state->finished);
  EXPECT_EQ(b.state->J, 1);
  EXPECT_EQ(b.state->VERTEX[1], Pt(974, 500));
  EXPECT_EQ(b.clockMs, 6000 + 2000);
  // X twice before any move: finished with no edge and no notice.
  const Drawn c = Draw("xx");
  EXPECT_TRUE(c.state->finished);
  EXPECT_EQ(c.state->J, 0);
  EXPECT_EQ(c.trace.find("Your curve"), std::string::npos);
}

TEST(DrawingLoop, EnterAfterEdgesEndsWithoutDrawingFile) {
  const auto dir = km_test::FreshDir("drawing-enter");
  const km_test::Session s = km_test::RunSession(km_test::Program::Korvane, "*nrrdlx\r", dir);
  EXPECT_EQ(s.exitCode, 0);
  EXPECT_EQ(s.trace.substr(s.trace.size() - 9), "getch 13\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "DataMyDrawing.txt"));
}

TEST(StepBack, OntoNewVertexKeepsEdgesIntoOnlyEdgeLeavesStartWithBlueCross) {
  // An arrow key at the second notice: its 0 is consumed there, its 72 is an
  // ignored drawing key.
  const Drawn d = Draw(std::string("rduk") + "l" + std::string("\0H", 2) + "xx");
  const std::string expected =
      L({"getch 114", "lineto 962 500", "getch 100", "setcolor 12", "lineto 962 512", "moveto 950 500",
         "setcolor 15", "lineto 962 500", "moveto 962 512", "getch 117"}) +
      StepBackNotice(107) + MoveTo(962, 512) + WipeY(962, 512, 500) + MoveTo(962, 500) + "setcolor 15\n" +
      MoveTo(950, 500) + LineTo(962, 500) + "getch 108\n" + StepBackNotice(0) + MoveTo(962, 500) +
      WipeX(962, 500, 950) + Marker(950, 500, 9) + "setcolor 15\n" + MoveTo(950, 500) +
      L({"getch 72", "getch 120", "getch 120", "moveto 950 500"}) + Marker(950, 500, 14);
  EXPECT_EQ(AfterGrid(d.trace), expected);
  EXPECT_EQ(d.state->J, 0);
  EXPECT_EQ(d.state->cType2, 'o');
  EXPECT_EQ(d.clockMs, 6000 + 36 + 36);
}

TEST(StepBack, OpenFinishNoticeAfterAStepBackIsSmall) {
  const Drawn d = Draw("rdukxx");
  const std::string t = AfterGrid(d.trace);
  const std::size_t notice = t.find(kNotClosed);
  ASSERT_NE(notice, std::string::npos);
  EXPECT_EQ(t.substr(t.rfind("settextstyle", notice), 19), "settextstyle 8 0 1\n");
  EXPECT_EQ(d.state->J, 1);
  EXPECT_EQ(d.state->VERTEX[1], Pt(962, 500));
}

TEST(Registration, LengthenedEdgeRefusedThenRunOnAndStepBackDropsTheLastEdge) {
  // Spiral: V1 (998,500), V2 (998,536), V3 (962,536), V4 (962,512); step
  // back onto V4, then run on north across the first edge and turn.
  const Drawn d = Draw("rrrrdddllluur" "lk" "uur" "l" "rk" "\r");
  EXPECT_FALSE(d.state->finished);
  EXPECT_EQ(d.state->J, 2);
  EXPECT_EQ(Pt(d.state->x, d.state->y), Pt(998, 536));
  EXPECT_EQ(d.state->VERTEX[2], Pt(998, 536));
  EXPECT_EQ(d.clockMs, 6000 + 36 + 4200 + 4 * 36 + 36 + 3 * 36);

  const std::string t = AfterGrid(d.trace);
  // The turn after running on: VERTEX[4] becomes (962,488), which crosses edge 0.
  const std::string refusal =
      L({"getch 114", "setcolor 12", "lineto 974 488", "moveto 962 500", "setcolor 15", "lineto 962 488",
         "moveto 974 488", "setcolor 10", "moveto 950 500", "lineto 998 500"}) +
      Blinks(12, kCrossing, 962, 536, 962, 488, 974, 488, 962, 488) + "setcolor 0\n" + MoveTo(974, 488) +
      LineTo(962, 488) + MoveTo(962, 488) + WipeY(962, 488, 536) + kCrossing + "setcolor 15\n" + MoveTo(950, 500) +
      LineTo(998, 500) + MoveTo(962, 536) + "setcolor 15\n" + MoveTo(950, 500) + LineTo(998, 500) +
      LineTo(998, 536) + LineTo(962, 536) + Marker(950, 500, 14) + MoveTo(962, 536) + "getch 108\n";
  EXPECT_NE(t.find(refusal), std::string::npos);
  // Running on west from V3 and stepping back wipes the stroke and edge 2.
  const std::string drop = L({"getch 108", "setcolor 12", "lineto 950 536", "getch 114"}) + StepBackNotice(107) +
                           MoveTo(950, 536) + WipeX(950, 536, 962) + MoveTo(962, 536) + WipeX(962, 536, 998) +
                           "setcolor 15\n" + MoveTo(950, 500) + LineTo(998, 500) + LineTo(998, 536) + "getch 13\n";
  ASSERT_GE(t.size(), drop.size());
  EXPECT_EQ(t.substr(t.size() - drop.size()), drop);
}

// ---- closing ----

TEST(Closing, CaseAMovesTheStartToTheLastVertex) {
  const Drawn d = Draw("rrddlllluurr");
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->LastEdgeRevision, 'y');
  EXPECT_EQ(d.state->J, 4);
  EXPECT_EQ(d.state->VERTEX[0], Pt(926, 500));
  EXPECT_EQ(d.state->VERTEX[4], Pt(926, 500));
  EXPECT_EQ(d.state->VERTEX[1], Pt(974, 500));
  const std::string tail = L({"getch 114", "setcolor 12", "lineto 950 500", "moveto 926 500", "setcolor 15",
                              "lineto 938 500", "moveto 950 500", "moveto 950 500"});
  EXPECT_EQ(d.trace.substr(d.trace.size() - tail.size()), tail);
}

TEST(Closing, CaseARefusedRestoresTheStart) {
  // The merged first edge (902,500)-(974,500) crosses edge 3 at x = 926.
  const Drawn d = Draw("rrddlllluuulldrrrr\r");
  EXPECT_FALSE(d.state->finished);
  EXPECT_EQ(d.state->J, 6);
  EXPECT_EQ(d.state->N, 0);
  EXPECT_EQ(d.state->VERTEX[0], Pt(950, 500));
  EXPECT_EQ(Pt(d.state->x, d.state->y), Pt(902, 500));
  EXPECT_EQ(d.clockMs, 6000 + 4200 + 6 * 36);
  const std::string tail =
      L({"getch 114", "setcolor 12", "lineto 950 500", "moveto 926 500", "setcolor 15", "lineto 938 500",
         "moveto 950 500", "setcolor 10", "moveto 926 524", "lineto 926 488"}) +
      Blinks(12, kCrossing, 902, 500, 974, 500, 950, 500, 938, 500) + "setcolor 0\n" + MoveTo(950, 500) +
      LineTo(938, 500) + MoveTo(974, 500) + WipeX(974, 500, 902) + kCrossing + "setcolor 15\n" + MoveTo(926, 524) +
      LineTo(926, 488) + MoveTo(902, 500) + "setcolor 0\n" + MoveTo(950, 500) + LineTo(902, 500) + "setcolor 15\n" +
      MoveTo(950, 500) + LineTo(974, 500) + LineTo(974, 524) + LineTo(926, 524) + LineTo(926, 488) +
      LineTo(902, 488) + Marker(950, 500, 9) + MoveTo(902, 500) + "getch 13\n";
  ASSERT_GE(d.trace.size(), tail.size());
  EXPECT_EQ(d.trace.substr(d.trace.size() - tail.size()), tail);
}

TEST(Closing, CaseBAddsTheStartAsLastVertex) {
  const Drawn d = Draw("rrddlluu");
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->J, 4);
  EXPECT_EQ(d.state->VERTEX[3], Pt(950, 524));
  EXPECT_EQ(d.state->VERTEX[4], Pt(950, 500));
  const std::string tail = L({"getch 117", "setcolor 12", "lineto 950 500", "moveto 950 524", "setcolor 15",
                              "lineto 950 512", "moveto 950 500", "moveto 950 500"});
  EXPECT_EQ(d.trace.substr(d.trace.size() - tail.size()), tail);
}

TEST(Closing, CaseCOverTheFirstEdgeIsRefusedThenOpenFinishAtTheLastVertex) {
  const Drawn d = Draw("rrdrruuldlllxx");
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->LastEdgeRevision, 'n');
  EXPECT_EQ(d.state->cType2, 'o');
  EXPECT_EQ(d.state->J, 6);
  EXPECT_EQ(d.state->VERTEX[6], Pt(986, 500));
  EXPECT_EQ(d.clockMs, 6000 + 4200 + 3 * 36 + 2000);
  const std::string share = "outtextxy 62 12 \" Sharing of edges detected. This is not allowed. \\n\"\n";
  const std::string tail =
      L({"getch 108", "setcolor 12", "lineto 950 500", "moveto 974 500", "setcolor 15", "lineto 962 500",
         "moveto 950 500", "setcolor 10", "moveto 950 500", "lineto 974 500", "setcolor 11", "settextstyle 8 0 3",
         "outtextxy 62 12 \" You share the edges. This is not allowed. \\n\"", "moveto 986 500",
         "lineto 950 500"}) +
      Blinks(11, share, 986, 500, 950, 500, 950, 500, 962, 500) + "setcolor 0\n" + MoveTo(950, 500) +
      LineTo(962, 500) + MoveTo(950, 500) + WipeX(950, 500, 986) + share + "setcolor 15\n" + MoveTo(950, 500) +
      LineTo(974, 500) + MoveTo(986, 500) + "setcolor 15\n" + MoveTo(950, 500) + LineTo(974, 500) +
      LineTo(974, 512) + LineTo(998, 512) + LineTo(998, 488) + LineTo(986, 488) + LineTo(986, 500) +
      Marker(950, 500, 9) + MoveTo(986, 500) + "getch 120\ngetch 120\n" + MoveTo(986, 500) + Marker(986, 500, 14) +
      kNotClosed;
  ASSERT_GE(d.trace.size(), tail.size());
  EXPECT_EQ(d.trace.substr(d.trace.size() - tail.size()), tail);
}

// ---- limits ----

TEST(Limits, WarningAt994AlsoAfterLengtheningAndForcedFinishAt999) {
  std::string keys = "r";
  for (int k = 2; k <= 995; ++k) keys += k % 2 == 0 ? 'd' : 'r';
  keys += "lk" "dr" "drdrd" "z";
  const Drawn d = Draw(keys);
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->cType2, 'o');
  EXPECT_EQ(d.state->J, 999);
  EXPECT_EQ(d.state->VERTEX[994], Pt(6914, 6476));
  EXPECT_EQ(d.state->VERTEX[999], Pt(6950, 6500));
  EXPECT_EQ(Count(d.trace, "setcolor 12\nsettextstyle 8 0 3\n" + kWarning), 6);
  EXPECT_EQ(d.trace.find("Your curve"), std::string::npos);
  EXPECT_EQ(d.clockMs, 6000 + 2 * 3 * (1500 + 600) + 36);
  const std::string warning = Marker(6914, 6464, 10) + MoveTo(6926, 6464) + "setcolor 12\nsettextstyle 8 0 3\n" +
                              kWarning + "delay 1500\nsetcolor 0\nsettextstyle 8 0 3\n" + kWarning + "delay 600\n";
  EXPECT_NE(d.trace.find("getch 114\n" + L({"setcolor 12", "lineto 6926 6464", "moveto 6914 6452", "setcolor 15",
                                           "lineto 6914 6464", "moveto 6926 6464"}) +
                         warning + warning + warning + "getch 108\n"),
            std::string::npos);
  const std::string forced = Marker(6950, 6500, 12) + "getch 122\n";
  EXPECT_EQ(d.trace.substr(d.trace.size() - forced.size()), forced);
}

TEST(Limits, FullStrokeIgnoresMovesButNotTheOpenFinish) {
  const Drawn d = Draw(std::string(299, 'r') + "rrrd" + "xx");
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->J, 1);
  EXPECT_EQ(d.state->VERTEX[1], Pt(950 + 299 * 12, 500));
  EXPECT_NE(d.trace.find("lineto 4526 500\nmoveto 4538 500\ngetch 114\ngetch 114\ngetch 114\ngetch 100\n"
                         "getch 120\ngetch 120\nmoveto 4538 500\n"),
            std::string::npos);
  EXPECT_EQ(d.trace.find("4550"), std::string::npos);
  EXPECT_EQ(d.trace.find("lineto 4538 512"), std::string::npos);
}

TEST(Limits, CursorStaysWithin16000) {
  std::string keys(200, 'r');
  for (int block = 0; block < 5; ++block) keys += "d" + std::string(200, 'r');
  keys += "d" + std::string(54, 'r') + "rrr" + "xx";
  const Drawn d = Draw(keys);
  EXPECT_TRUE(d.state->finished);
  EXPECT_EQ(d.state->J, 13);
  EXPECT_EQ(d.state->VERTEX[13], Pt(15998, 572));
  EXPECT_EQ(d.trace.find("lineto 16010"), std::string::npos);
  EXPECT_NE(d.trace.find("lineto 15986 572\nmoveto 15998 572\ngetch 114\ngetch 114\ngetch 114\ngetch 120\n"),
            std::string::npos);
}

}  // namespace
}  // namespace korvane
