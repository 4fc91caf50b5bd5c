// The viewer's entry routine.
#pragma once

namespace mivlet {

// The whole viewer session; returns the exit code (always 0).
int main();

}  // namespace mivlet
