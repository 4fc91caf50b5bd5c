// Runs a program's entry routine in a real SDL2 window.
#pragma once

namespace bgi {

// Once the window is open, the process ends with the entry's exit code when
// the entry returns, with 0 when the window is closed, and with 1 after a
// line on stderr when the window cannot be opened. Returns the exit code only
// for an entry that never opened its window.
int runWindowed(int (*entry)());

}  // namespace bgi
