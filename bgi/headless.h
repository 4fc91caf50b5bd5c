// Runs a program's entry routine without a window: scripted keys, a
// virtual clock, an optional call trace and PNG frames.
#pragma once

#include <ostream>
#include <string>

namespace bgi {

struct HeadlessOptions {
  std::ostream* trace = nullptr;  // call trace, or nullptr
  std::string framesDir;          // PNG before every getch, when not empty
  std::string pngPath;            // PNG of the canvas at the end, when not empty
};

struct HeadlessResult {
  int exitCode = 0;
  long long clockMs = 0;  // virtual time spent in delay
};

// keys: the codes that getch returns, one byte each.
HeadlessResult runHeadless(int (*entry)(), const std::string& keys, const HeadlessOptions& options);

}  // namespace bgi
