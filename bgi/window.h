// Runs a program's entry routine in a real SDL2 window.
#pragma once

namespace bgi {

// Ends the process when the entry returns, with its exit code; closing the
// window ends it with 0, and a failure to open the window with 1 after a line
// on stderr. Never returns.
[[noreturn]] int runWindowed(int (*entry)());

}  // namespace bgi
