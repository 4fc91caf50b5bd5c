// The editor's entry routine.
#pragma once

namespace korvane {

// The whole editor session; returns the exit code (always 0).
int main();

}  // namespace korvane
