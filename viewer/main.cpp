#include "bgi/window.h"
#include "viewer/mivlet.h"

int main() { return bgi::runWindowed(&mivlet::main); }
