#include "bgi/window.h"
#include "editor/korvane.h"

int main() { return bgi::runWindowed(&korvane::main); }
