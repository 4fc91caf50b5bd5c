// The editor's entry routine: start-up, start placement, grid question and
// the drawing loop, then the construction passes.
#include "bgi/bgi.h"
#include "editor/korvane.h"
#include "editor/pass_driver.h"
#include "editor/registration.h"
#include "editor/startup.h"

namespace korvane {

namespace {

constexpr const char* kGridQuestion[3] = {
    " Would you like to use on background this sketch grid ? \n",
    " Sometimes it can be helpful. \n",
    " If yes, put 'Y' or  'y' otherwise black screen remains. \n",
};

void GridTexts() {
  for (int k = 0; k < 3; ++k) outtextxy(xtext + 50, ytext + 25 * k, kGridQuestion[k]);
}

// Draws the dotted grid, asks whether it stays and draws it again in red or
// black according to the answer.
void GridQuestion(std::int16_t x, std::int16_t y, char& CC) {
  for (int sweep = 0; sweep < 2; ++sweep) {
    setlinestyle(1, 1, 1);
    setcolor(CC == 'Y' || CC == 'y' ? 12 : 0);
    for (int r = 20; r <= 980; r += 24) {
      moveto(50, r);
      lineto(1850, r);
    }
    for (int c = 50; c <= 1850; c += 24) {
      moveto(c, 20);
      lineto(c, 980);
    }
    moveto(x, y);
    setlinestyle(0, 1, 1);
    setcolor(15);
    if (sweep == 0) {
      settextstyle(8, 0, 3);
      setcolor(11);
      GridTexts();
      CC = static_cast<char>(getch());
      setcolor(0);
      GridTexts();
      setlinestyle(1, 1, 1);
    }
  }
}

}  // namespace

bool DrawingPhase(std::int16_t& x, std::int16_t& y, char& t, StrokeArray& POINT, int& N, PointArray& VERTEX, int& J,
                  PointArray& XYmin, PointArray& XYmax, SlopeArray& Slope, char& cType1, char& cType2,
                  char& LastEdgeRevision, char& CC) {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  InitScreen2();
  setcolor(15);
  CursorPlace(x, y, POINT, VERTEX, CrossArm, t);
  moveto(x, y);
  VERTEX[0] = POINT[0] = POINT[1] = Point{x, y};
  if (t == Enter) return false;

  GridQuestion(x, y, CC);

  // The first drawing key: a move only starts the stroke.
  t = Arrow();
  for (;;) {
    if (IsMoveKey(t) && MovedCursor(t, x, y, x, y)) {
      POINT[N] = Point{x, y};
      lineto(x, y);
      break;
    }
    if (t == 'X' || t == 'x') {
      cType1 = 'x';
      break;
    }
    if (t == Enter) break;
    t = Arrow();
  }

  for (;;) {
    if (LastEdgeRevision == 'y' || cType2 == 'o' || t == Enter) break;
    if (cType2 != 'y') t = Arrow();
    bool edgeStep = false;
    bool move = false;
    for (;;) {
      if (t != 'X' && t != 'x') cType1 = 'n';
      if (IsMoveKey(t)) {
        edgeStep = move = true;
      } else if (t == 'X' || t == 'x') {
        if (cType2 == 'y') {
          edgeStep = true;
        } else if (cType1 == 'x') {
          cType2 = 'y';
        } else {
          cType1 = 'x';
        }
      } else if (t != Enter) {
        t = Arrow();
        cType1 = 'n';
        continue;
      }
      break;
    }
    if (!edgeStep) continue;

    const std::int16_t oldX = x;
    const std::int16_t oldY = y;
    // A move beyond the cursor range is ignored.
    if (move && !MovedCursor(t, x, y, x, y)) continue;
    cType1 = 'n';
    const bool backOnStroke = N > 0 && cType2 != 'y' && x == POINT[N - 1].x && y == POINT[N - 1].y;
    bool intoLastEdge = false;
    bool ontoEdgeStart = false;
    if (J > 0) {
      const Point a = VERTEX[J - 1];
      const Point b = VERTEX[J];
      intoLastEdge = (x == b.x && x == a.x && (y - b.y) * (y - a.y) < 0) ||
                     (y == b.y && y == a.y && (x - b.x) * (x - a.x) < 0);
      ontoEdgeStart = x == a.x && y == a.y;
    }
    if (backOnStroke || intoLastEdge || ontoEdgeStart) {
      EdgeClearing(x, y, N, J, POINT, VERTEX, CrossArm, Wiper, WiperDelay);
    } else if (move && N >= StrokeArray::kSize - 1) {
      // The stroke is full: the move is ignored.
      x = oldX;
      y = oldY;
      continue;
    } else {
      NewEdgeSetting(cType2, x, y, N, J, POINT, VERTEX, CrossArm, Wiper, WiperDelay, XYmin, XYmax, Slope, Xconst);
    }
    LastEdgeSetting(LastEdgeRevision, cType1, cType2, x, y, N, J, POINT, VERTEX, CrossArm, Wiper, WiperDelay, XYmin,
                    XYmax, Slope, Xconst);
  }
  return t != Enter;
}

int main() {
  std::int16_t x = 950;
  std::int16_t y = 500;
  char t = '\0';
  StrokeArray POINT;
  int N = 1;
  PointArray VERTEX;
  int J = 0;
  PointArray XYmin;
  PointArray XYmax;
  SlopeArray Slope;
  char cType1 = 'n';
  char cType2 = 'n';
  char LastEdgeRevision = 'n';
  char CC = 'y';
  PassArrays arrays;
  if (DrawingPhase(x, y, t, POINT, N, VERTEX, J, XYmin, XYmax, Slope, cType1, cType2, LastEdgeRevision, CC)) {
    PassDriver(J, VERTEX, arrays);
  }
  return 0;
}

}  // namespace korvane
