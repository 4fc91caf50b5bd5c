// Placeholder: SDL2 window backend to be written.
#include "bgi/window.h"

#include <cstdio>

namespace bgi {
int runWindowed(int (*)()) {
  std::fputs("window backend not built yet\n", stderr);
  return 1;
}
}  // namespace bgi
