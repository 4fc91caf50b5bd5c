// Drawing state, call trace and the BGI operations over the shared canvas.
#include <cstdio>
#include <string>

#include "bgi/backend.h"
#include "bgi/bgi.h"

namespace bgi {
namespace {

struct State {
  int color = 15;
  int lineStyle = 0;
  unsigned pattern = 1;
  int thickness = 1;
  int font = 0;
  int direction = 0;
  int textSize = 1;
  int fillPattern = 1;
  int fillColor = 15;
  int x = 0;
  int y = 0;
};

State state;
Backend* currentBackend = nullptr;
std::ostream* traceOut = nullptr;

Canvas& sharedCanvas() {
  static Canvas c;
  return c;
}

Backend& backend() {
  if (currentBackend == nullptr) {
    std::fputs("bgi: no backend installed\n", stderr);
    std::abort();
  }
  return *currentBackend;
}

std::string quote(const char* text) {
  static const char* hex = "0123456789abcdef";
  std::string out = "\"";
  for (const char* p = text; *p != '\0'; ++p) {
    auto c = static_cast<unsigned char>(*p);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 32 || c >= 127) {
          out += "\\x";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

template <typename... Ints>
void trace(const char* name, Ints... values) {
  if (traceOut == nullptr) return;
  *traceOut << name;
  ((*traceOut << ' ' << values), ...);
  *traceOut << '\n';
}

void drawLine(int x1, int y1, int x2, int y2) {
  {
    std::lock_guard<std::mutex> lock(canvasMutex());
    sharedCanvas().line(x1, y1, x2, y2, state.color, state.lineStyle, state.thickness);
  }
  backend().changed();
}

}  // namespace

void setBackend(Backend* b) { currentBackend = b; }

void resetState() {
  state = State{};
  std::lock_guard<std::mutex> lock(canvasMutex());
  sharedCanvas().clear();
}

void setTrace(std::ostream* t) { traceOut = t; }

Canvas& canvas() { return sharedCanvas(); }

std::mutex& canvasMutex() {
  static std::mutex m;
  return m;
}

}  // namespace bgi

using bgi::state;

void initwindow(int width, int height, const char* title, int left, int top, bool dbflag, bool closeflag) {
  if (bgi::traceOut != nullptr) {
    *bgi::traceOut << "initwindow " << width << ' ' << height << ' ' << bgi::quote(title) << ' ' << left << ' '
                   << top << ' ' << (dbflag ? 1 : 0) << ' ' << (closeflag ? 1 : 0) << '\n';
  }
  bgi::backend().open(width, height, title, left, top);
}

int getch() {
  std::optional<int> key = bgi::backend().readKey();
  if (!key) {
    if (bgi::traceOut != nullptr) *bgi::traceOut << "getch EOF\n";
    throw bgi::SessionEnd{};
  }
  bgi::trace("getch", *key);
  return *key;
}

void delay(int ms) {
  bgi::trace("delay", ms);
  bgi::backend().wait(ms);
}

void setcolor(int color) {
  bgi::trace("setcolor", color);
  state.color = color & 15;
}

void setlinestyle(int style, unsigned pattern, int thickness) {
  bgi::trace("setlinestyle", style, pattern, thickness);
  state.lineStyle = style;
  state.pattern = pattern;
  state.thickness = thickness;
}

void settextstyle(int font, int direction, int size) {
  bgi::trace("settextstyle", font, direction, size);
  state.font = font;
  state.direction = direction;
  state.textSize = size;
}

void outtextxy(int x, int y, const char* text) {
  if (bgi::traceOut != nullptr) *bgi::traceOut << "outtextxy " << x << ' ' << y << ' ' << bgi::quote(text) << '\n';
  {
    std::lock_guard<std::mutex> lock(bgi::canvasMutex());
    bgi::sharedCanvas().text(x, y, text, state.font, state.textSize, state.color);
  }
  bgi::backend().changed();
}

void moveto(int x, int y) {
  bgi::trace("moveto", x, y);
  state.x = x;
  state.y = y;
}

void lineto(int x, int y) {
  bgi::trace("lineto", x, y);
  bgi::drawLine(state.x, state.y, x, y);
  state.x = x;
  state.y = y;
}

void rectangle(int left, int top, int right, int bottom) {
  bgi::trace("rectangle", left, top, right, bottom);
  {
    std::lock_guard<std::mutex> lock(bgi::canvasMutex());
    bgi::Canvas& c = bgi::sharedCanvas();
    c.line(left, top, right, top, state.color, state.lineStyle, state.thickness);
    c.line(right, top, right, bottom, state.color, state.lineStyle, state.thickness);
    c.line(right, bottom, left, bottom, state.color, state.lineStyle, state.thickness);
    c.line(left, bottom, left, top, state.color, state.lineStyle, state.thickness);
  }
  bgi::backend().changed();
}

void setfillstyle(int pattern, int color) {
  bgi::trace("setfillstyle", pattern, color);
  state.fillPattern = pattern;
  state.fillColor = color & 15;
}

void floodfill(int x, int y, int border) {
  bgi::trace("floodfill", x, y, border);
  {
    std::lock_guard<std::mutex> lock(bgi::canvasMutex());
    bgi::sharedCanvas().floodFill(x, y, state.fillColor, border & 15);
  }
  bgi::backend().changed();
}
