// Runs korvane or mivlet headless with scripted keys.
//   replay korvane|mivlet KEYFILE [--trace FILE] [--png FILE] [--frames DIR]
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "bgi/headless.h"
#include "editor/korvane.h"
#include "viewer/mivlet.h"

namespace {

int usage() {
  std::fputs("usage: replay korvane|mivlet KEYFILE [--trace FILE] [--png FILE] [--frames DIR]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string program = argv[1];
  int (*entry)() = nullptr;
  if (program == "korvane") entry = &korvane::main;
  if (program == "mivlet") entry = &mivlet::main;
  if (entry == nullptr) return usage();

  std::string keys;
  const std::string keyPath = argv[2];
  if (keyPath == "-") {
    keys.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(keyPath, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "replay: cannot read %s\n", keyPath.c_str());
      return 2;
    }
    keys.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bgi::HeadlessOptions options;
  std::string tracePath;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    if (arg == "--trace") {
      tracePath = argv[++i];
    } else if (arg == "--png") {
      options.pngPath = argv[++i];
    } else if (arg == "--frames") {
      options.framesDir = argv[++i];
    } else {
      return usage();
    }
  }

  std::ofstream traceFile;
  if (!tracePath.empty()) {
    traceFile.open(tracePath, std::ios::binary | std::ios::trunc);
    if (!traceFile) {
      std::fprintf(stderr, "replay: cannot write %s\n", tracePath.c_str());
      return 2;
    }
    options.trace = &traceFile;
  }
  return bgi::runHeadless(entry, keys, options).exitCode;
}
