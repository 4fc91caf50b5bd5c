#include "editor/startup.h"

#include "bgi/bgi.h"
#include "editor/geometry.h"

namespace korvane {

bool IsMoveKey(char t) {
  switch (t) {
    case 'L': case 'l': case 'R': case 'r': case 'U': case 'u': case 'D': case 'd':
      return true;
    default:
      return false;
  }
}

bool MovedCursor(char t, std::int16_t x, std::int16_t y, std::int16_t& nx, std::int16_t& ny) {
  int px = x;
  int py = y;
  switch (t) {
    case 'L': case 'l': px -= Xgrid; break;
    case 'R': case 'r': px += Xgrid; break;
    case 'U': case 'u': py -= Ygrid; break;
    case 'D': case 'd': py += Ygrid; break;
    default: break;
  }
  if (px < -CursorLimit || px > CursorLimit || py < -CursorLimit || py > CursorLimit) return false;
  nx = static_cast<std::int16_t>(px);
  ny = static_cast<std::int16_t>(py);
  return true;
}

char Arrow() {
  const int k = getch();
  if (k != 0) return static_cast<char>(k);
  const int k2 = getch();
  switch (k2) {
    case 72: return 'U';
    case 80: return 'D';
    case 75: return 'L';
    case 77: return 'R';
    default: return static_cast<char>(k2);
  }
}

namespace {

void WelcomeTexts(bool erase) {
  if (!erase) setcolor(14);
  settextstyle(6, 0, 5);
  outtextxy(342, 492, "Welcome to Orbaline and Draw Your TALPRA \n");
  if (!erase) setcolor(15);
  settextstyle(6, 0, 3);
  outtextxy(112, 662,
            " Use the bottons U/u resp. D/d resp. R/r  resp. L/l or the arrows to place the cursor anywhere on "
            "the screen.\n");
  outtextxy(372, 692, " Then press asterisk * to start drawing ! \n");
  if (!erase) setcolor(11);
  outtextxy(372, 762, " If you want to leave the open polygon press twice X/x button. \n");
  if (!erase) setcolor(13);
  outtextxy(172, 892,
            " You can change the rotation of your finished drawing in Border mode by pressing the button  with "
            "'@' symbol\n");
}

}  // namespace

int InitScreen2() {
  WelcomeTexts(false);
  delay(6000);
  setcolor(0);
  WelcomeTexts(true);
  return 0;
}

int CursorPlace(std::int16_t& x, std::int16_t& y, StrokeArray& POINT, PointArray& VERTEX, int CrossArm, char& t) {
  t = Arrow();
  int install = 1;
  if (t == Enter || t == '*') {
    Cross(x, y, CrossArm, 15, 14);
    install = 0;
  }
  moveto(x, y);
  int N = 1;
  POINT[0] = Point{x, y};
  while (install == 1) {
    while (!IsMoveKey(t) && t != '*' && t != Enter) t = Arrow();
    if (t == '*' || t == Enter) {
      if (N > 1) {
        // Erase the trail backwards from the cursor.
        setcolor(0);
        for (int k = N - 2; k >= 0; --k) lineto(POINT[k].x, POINT[k].y);
      }
      VERTEX[0] = POINT[0] = Point{x, y};
      N = 1;
      moveto(x, y);
      Cross(x, y, CrossArm, 15, 14);
      install = 0;
    } else if (N < StrokeArray::kSize && MovedCursor(t, x, y, x, y)) {
      // The trail has room for 299 moves; further moves are ignored.
      POINT[N] = Point{x, y};
      ++N;
      lineto(x, y);
    }
    t = Arrow();
  }
  return 0;
}

}  // namespace korvane
