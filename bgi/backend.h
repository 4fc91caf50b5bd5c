// The part of the graphics layer that differs between the window and the
// headless run: where keys come from, how time passes, where pixels go.
#pragma once

#include <mutex>
#include <optional>
#include <ostream>
#include <string>

#include "bgi/canvas.h"

namespace bgi {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void open(int width, int height, const std::string& title, int left, int top) = 0;
  // Blocks for the next key code; nullopt when the keys are used up.
  virtual std::optional<int> readKey() = 0;
  virtual void wait(int ms) = 0;
  // Called after every drawing operation.
  virtual void changed() {}
};

// Thrown out of getch when the keys are used up: the program ends there.
struct SessionEnd {};

void setBackend(Backend* backend);
// Resets the drawing state and clears the canvas for a new run.
void resetState();
// Call trace destination; nullptr switches tracing off.
void setTrace(std::ostream* trace);

// The shared canvas and the lock that guards it against the window thread.
Canvas& canvas();
std::mutex& canvasMutex();

}  // namespace bgi
