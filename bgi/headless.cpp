#include "bgi/headless.h"

#include <cstdio>
#include <filesystem>

#include "bgi/backend.h"

namespace bgi {
namespace {

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend(const std::string& keys, const std::string& framesDir) : keys_(keys), framesDir_(framesDir) {}

  void open(int, int, const std::string&, int, int) override {}

  std::optional<int> readKey() override {
    if (!framesDir_.empty()) saveFrame();
    if (next_ >= keys_.size()) return std::nullopt;
    return static_cast<unsigned char>(keys_[next_++]);
  }

  void wait(int ms) override {
    if (ms > 0) clock_ += ms;
  }

  long long clock() const { return clock_; }

 private:
  void saveFrame() {
    char name[32];
    std::snprintf(name, sizeof name, "%04d.png", ++frame_);
    writePng(canvas(), (std::filesystem::path(framesDir_) / name).string());
  }

  std::string keys_;
  std::string framesDir_;
  std::size_t next_ = 0;
  long long clock_ = 0;
  int frame_ = 0;
};

}  // namespace

HeadlessResult runHeadless(int (*entry)(), const std::string& keys, const HeadlessOptions& options) {
  if (!options.framesDir.empty()) std::filesystem::create_directories(options.framesDir);
  HeadlessBackend backend(keys, options.framesDir);
  resetState();
  setBackend(&backend);
  setTrace(options.trace);
  HeadlessResult result;
  try {
    result.exitCode = entry();
  } catch (const SessionEnd&) {
    result.exitCode = 0;  // keys used up: the program ends as when its window closes
  }
  std::fflush(stdout);
  if (options.trace != nullptr) options.trace->flush();
  setTrace(nullptr);
  setBackend(nullptr);
  if (!options.pngPath.empty()) writePng(canvas(), options.pngPath);
  result.clockMs = backend.clock();
  return result;
}

}  // namespace bgi
