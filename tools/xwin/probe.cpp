// A small BGI program for the window tests: draws a fixed picture, then
// prints every key code it reads and moves a marker with the arrow keys.
// 'q' ends it with exit code 3.
//   bgi_probe                        in a window
//   bgi_probe --replay KEYFILE PNG   headless, with the key codes of KEYFILE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "bgi/bgi.h"
#include "bgi/headless.h"
#include "bgi/window.h"

namespace {

int probe() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  setcolor(14);
  setlinestyle(0, 1, 3);
  rectangle(100, 100, 400, 300);
  setfillstyle(1, 9);
  floodfill(200, 200, 14);
  setlinestyle(1, 1, 1);
  setcolor(12);
  moveto(50, 20);
  lineto(1850, 980);
  settextstyle(8, 0, 3);
  setcolor(11);
  outtextxy(62, 12, " Press keys; q ends. \n");
  settextstyle(6, 0, 1);
  outtextxy(62, 400, " Small text \n");
  setlinestyle(0, 1, 1);
  int x = 950, y = 500;
  int column = 0;
  while (true) {
    const int key = getch();
    std::printf("%d\n", key);
    std::fflush(stdout);
    if (key == 'q') return 3;
    if (key == 0) {
      const int code = getch();
      std::printf("%d\n", code);
      std::fflush(stdout);
      const int nx = x + (code == 77 ? 12 : code == 75 ? -12 : 0);
      const int ny = y + (code == 80 ? 12 : code == 72 ? -12 : 0);
      setcolor(15);
      moveto(x, y);
      lineto(nx, ny);
      x = nx;
      y = ny;
    } else {
      char text[2] = {static_cast<char>(key >= 32 && key < 127 ? key : '?'), 0};
      setcolor(10);
      settextstyle(6, 0, 5);
      outtextxy(100 + 40 * (column++ % 40), 800, text);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--replay") {
    std::ifstream in(argv[2], std::ios::binary);
    const std::string keys((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bgi::HeadlessOptions options;
    options.pngPath = argv[3];
    return bgi::runHeadless(&probe, keys, options).exitCode;
  }
  return bgi::runWindowed(&probe);
}
