// Runs a program's entry routine in a real SDL2 window.
#pragma once

namespace bgi {

// Returns the entry's exit code; closing the window ends the process with 0,
// and a failure to open the window ends it with 1 after a line on stderr.
int runWindowed(int (*entry)());

}  // namespace bgi
