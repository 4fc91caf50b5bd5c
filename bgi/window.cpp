// The SDL2 window backend. The main thread owns SDL: it opens the window when
// the program asks for it, shows the canvas whenever it changed and turns key
// presses into getch codes. The program's entry runs in a logic thread of its
// own and shares only the key queue and the canvas with the main thread.
#include "bgi/window.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bgi/backend.h"

namespace bgi {
namespace {

// At most one present per this many milliseconds while drawing goes on.
constexpr Uint32 kPresentInterval = 8;
// How long the main thread sleeps in the event queue between checks.
constexpr int kPollMs = 4;

[[noreturn]] void endProcess(int code) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(code);
}

class WindowBackend : public Backend {
 public:
  // Logic thread side.

  void open(int, int, const std::string& title, int left, int top) override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (openRequested_) return;  // one window per process
    openRequested_ = true;
    title_ = title;
    left_ = left;
    top_ = top;
    wake_.notify_all();
    wake_.wait(lock, [&] { return opened_; });
  }

  std::optional<int> readKey() override {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return !keys_.empty(); });
    const int key = keys_.front();
    keys_.pop_front();
    return key;
  }

  void wait(int ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }

  void changed() override { dirty_.store(true, std::memory_order_release); }

  void finish(int code) {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    exitCode_ = code;
    wake_.notify_all();
  }

  // Main thread side.

  // Waits until the program asks for its window (true) or ends without one.
  bool waitForOpen() {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return openRequested_ || finished_; });
    return openRequested_;
  }

  void confirmOpen() {
    std::lock_guard<std::mutex> lock(mutex_);
    opened_ = true;
    wake_.notify_all();
  }

  void pushKey(int code) {
    std::lock_guard<std::mutex> lock(mutex_);
    keys_.push_back(code);
    wake_.notify_all();
  }

  void pushSpecial(int code) {
    std::lock_guard<std::mutex> lock(mutex_);
    keys_.push_back(0);
    keys_.push_back(code);
    wake_.notify_all();
  }

  bool finished() {
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
  }

  int exitCode() {
    std::lock_guard<std::mutex> lock(mutex_);
    return exitCode_;
  }

  bool takeDirty() { return dirty_.exchange(false, std::memory_order_acq_rel); }

  std::string title() {
    std::lock_guard<std::mutex> lock(mutex_);
    return title_;
  }
  int left() const { return left_; }
  int top() const { return top_; }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<int> keys_;
  bool openRequested_ = false;
  bool opened_ = false;
  bool finished_ = false;
  int exitCode_ = 0;
  std::string title_;
  int left_ = 0;
  int top_ = 0;
  std::atomic<bool> dirty_{true};
};

// The window, and the conversion of canvas colour numbers into its pixels.
class Screen {
 public:
  Screen() : frame_(static_cast<std::size_t>(kWidth) * kHeight, 0) {}
  ~Screen() {
    if (staging_ != nullptr) SDL_FreeSurface(staging_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
  }

  // False, with SDL's error set, when no window can be opened.
  bool open(const std::string& title, int left, int top) {
    int width = kWidth, height = kHeight;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && (usable.w < kWidth || usable.h < kHeight) && usable.w > 0 &&
        usable.h > 0) {
      // Scaled down to fit, aspect kept.
      if (static_cast<long long>(usable.w) * kHeight < static_cast<long long>(usable.h) * kWidth) {
        width = usable.w;
        height = std::max(1, usable.w * kHeight / kWidth);
      } else {
        height = usable.h;
        width = std::max(1, usable.h * kWidth / kHeight);
      }
    }
    window_ = SDL_CreateWindow(title.c_str(), left, top, width, height, SDL_WINDOW_SHOWN);
    return window_ != nullptr;
  }

  // Copies the canvas and shows it.
  void present() {
    {
      std::lock_guard<std::mutex> lock(canvasMutex());
      std::memcpy(frame_.data(), canvas().pixels(), frame_.size());
    }
    show();
  }

  // Shows the last copied frame again (after an expose).
  void show() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    SDL_Surface* target = surface;
    if (surface->format->BytesPerPixel != 4) {
      if (staging_ == nullptr || staging_->w != surface->w || staging_->h != surface->h) {
        if (staging_ != nullptr) SDL_FreeSurface(staging_);
        staging_ = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_ARGB8888);
        if (staging_ == nullptr) return;
      }
      target = staging_;
    }
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    render(target);
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (target != surface) SDL_BlitSurface(target, nullptr, surface, nullptr);
    SDL_UpdateWindowSurface(window_);
  }

 private:
  // Writes the frame into a 32-bit surface: one to one when it has the
  // canvas size, else scaled to fit (area average, aspect kept, black bars).
  void render(SDL_Surface* target) {
    Uint32 colours[16];
    for (int i = 0; i < 16; ++i) {
      colours[i] = SDL_MapRGB(target->format, static_cast<Uint8>(kPalette[i] >> 16),
                              static_cast<Uint8>(kPalette[i] >> 8), static_cast<Uint8>(kPalette[i]));
    }
    auto* base = static_cast<Uint8*>(target->pixels);
    if (target->w == kWidth && target->h == kHeight) {
      for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<Uint32*>(base + static_cast<std::size_t>(y) * target->pitch);
        const std::uint8_t* src = &frame_[static_cast<std::size_t>(y) * kWidth];
        for (int x = 0; x < kWidth; ++x) row[x] = colours[src[x] & 15];
      }
      return;
    }
    int w = target->w, h = target->h;
    if (static_cast<long long>(w) * kHeight < static_cast<long long>(h) * kWidth) {
      h = std::max(1, w * kHeight / kWidth);
    } else {
      w = std::max(1, h * kWidth / kHeight);
    }
    w = std::min(w, kWidth);
    h = std::min(h, kHeight);
    SDL_FillRect(target, nullptr, colours[0]);
    std::vector<int> xs(static_cast<std::size_t>(w) + 1);
    for (int i = 0; i <= w; ++i) xs[i] = static_cast<int>(static_cast<long long>(i) * kWidth / w);
    for (int dy = 0; dy < h; ++dy) {
      const int y0 = static_cast<int>(static_cast<long long>(dy) * kHeight / h);
      const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(dy + 1) * kHeight / h));
      auto* row = reinterpret_cast<Uint32*>(base + static_cast<std::size_t>(dy) * target->pitch);
      for (int dx = 0; dx < w; ++dx) {
        const int x0 = xs[dx], x1 = std::max(x0 + 1, xs[dx + 1]);
        unsigned r = 0, g = 0, b = 0, n = 0;
        for (int y = y0; y < y1; ++y) {
          const std::uint8_t* src = &frame_[static_cast<std::size_t>(y) * kWidth];
          for (int x = x0; x < x1; ++x) {
            const std::uint32_t rgb = kPalette[src[x] & 15];
            r += rgb >> 16;
            g += (rgb >> 8) & 255;
            b += rgb & 255;
            ++n;
          }
        }
        row[dx] = SDL_MapRGB(target->format, static_cast<Uint8>(r / n), static_cast<Uint8>(g / n),
                             static_cast<Uint8>(b / n));
      }
    }
  }

  SDL_Window* window_ = nullptr;
  SDL_Surface* staging_ = nullptr;
  std::vector<std::uint8_t> frame_;
};

// Code points of typed text: printable ASCII and Latin-1 become key codes.
void pushText(WindowBackend& backend, const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p != 0) {
    unsigned cp = *p;
    int extra = cp < 0x80 ? 0 : cp >= 0xf0 ? 3 : cp >= 0xe0 ? 2 : cp >= 0xc0 ? 1 : -1;
    ++p;
    if (extra < 0) continue;  // stray continuation byte
    cp &= extra == 0 ? 0x7f : (0x3f >> extra);
    for (int i = 0; i < extra && (*p & 0xc0) == 0x80; ++i, ++p) cp = (cp << 6) | (*p & 0x3f);
    if ((cp >= 32 && cp < 127) || (cp >= 160 && cp < 256)) backend.pushKey(static_cast<int>(cp));
  }
}

// Keys that type no text: Enter, Escape, Backspace and Tab give their control
// code; arrows and the other special keys give 0 and their PC scan code.
void pushKeyDown(WindowBackend& backend, const SDL_Keysym& key) {
  const bool numLock = (key.mod & KMOD_NUM) != 0;
  switch (key.sym) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: backend.pushKey(13); return;
    case SDLK_ESCAPE: backend.pushKey(27); return;
    case SDLK_BACKSPACE: backend.pushKey(8); return;
    case SDLK_TAB: backend.pushKey(9); return;
    case SDLK_UP: backend.pushSpecial(72); return;
    case SDLK_DOWN: backend.pushSpecial(80); return;
    case SDLK_LEFT: backend.pushSpecial(75); return;
    case SDLK_RIGHT: backend.pushSpecial(77); return;
    case SDLK_HOME: backend.pushSpecial(71); return;
    case SDLK_PAGEUP: backend.pushSpecial(73); return;
    case SDLK_END: backend.pushSpecial(79); return;
    case SDLK_PAGEDOWN: backend.pushSpecial(81); return;
    case SDLK_INSERT: backend.pushSpecial(82); return;
    case SDLK_DELETE: backend.pushSpecial(83); return;
    default: break;
  }
  if (key.sym >= SDLK_F1 && key.sym <= SDLK_F10) {
    backend.pushSpecial(59 + (key.sym - SDLK_F1));
    return;
  }
  if (numLock) return;  // the keypad types digits then
  switch (key.sym) {
    case SDLK_KP_8: backend.pushSpecial(72); return;
    case SDLK_KP_2: backend.pushSpecial(80); return;
    case SDLK_KP_4: backend.pushSpecial(75); return;
    case SDLK_KP_6: backend.pushSpecial(77); return;
    case SDLK_KP_7: backend.pushSpecial(71); return;
    case SDLK_KP_9: backend.pushSpecial(73); return;
    case SDLK_KP_1: backend.pushSpecial(79); return;
    case SDLK_KP_3: backend.pushSpecial(81); return;
    case SDLK_KP_0: backend.pushSpecial(82); return;
    case SDLK_KP_PERIOD: backend.pushSpecial(83); return;
    default: return;
  }
}

const char* programName() {
  const char* name = program_invocation_short_name;
  return name != nullptr && *name != '\0' ? name : "bgi";
}

// Starts SDL's video on a real display. SDL would otherwise fall back to an
// invisible off-screen driver when there is none; a driver named in
// SDL_VIDEODRIVER is taken as the user's choice.
bool initVideo(std::string& problem) {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (chosen != nullptr && *chosen != '\0') return SDL_Init(SDL_INIT_VIDEO) == 0;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const bool hasX11 = x11 != nullptr && *x11 != '\0';
  const bool hasWayland = wayland != nullptr && *wayland != '\0';
  if (!hasX11 && !hasWayland) {
    problem = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return false;
  }
  for (const char* driver : {"x11", "wayland"}) {
    if ((driver[0] == 'x' && !hasX11) || (driver[0] == 'w' && !hasWayland)) continue;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
  }
  problem = std::string("the display ") + (hasX11 ? x11 : wayland) + " cannot be reached (" + SDL_GetError() + ")";
  return false;
}

}  // namespace

int runWindowed(int (*entry)()) {
  static WindowBackend backend;  // outlives the logic thread, which _exit may cut short
  resetState();
  setBackend(&backend);

  std::thread logic([entry] {
    int code = 1;
    try {
      code = entry();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", programName(), e.what());
    } catch (...) {
      std::fprintf(stderr, "%s: unexpected error\n", programName());
    }
    backend.finish(code);
  });

  if (!backend.waitForOpen()) {  // the program ended without a window
    logic.join();
    setBackend(nullptr);
    std::fflush(stdout);
    return backend.exitCode();
  }

  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  Screen screen;
  std::string problem;
  if (!initVideo(problem) || !screen.open(backend.title(), backend.left(), backend.top())) {
    if (problem.empty()) problem = SDL_GetError();
    std::fprintf(stderr, "%s: cannot open the graphics window: %s\n", programName(), problem.c_str());
    endProcess(1);
  }
  SDL_StartTextInput();
  backend.confirmOpen();

  Uint32 lastPresent = 0;
  bool exposed = false;
  while (!backend.finished()) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kPollMs) != 0) {
      do {
        switch (event.type) {
          case SDL_QUIT: endProcess(0);
          case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) endProcess(0);
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                event.window.event == SDL_WINDOWEVENT_RESTORED) {
              exposed = true;
            }
            break;
          case SDL_TEXTINPUT: pushText(backend, event.text.text); break;
          case SDL_KEYDOWN: pushKeyDown(backend, event.key.keysym); break;
          default: break;
        }
      } while (SDL_PollEvent(&event) != 0);
    }
    const Uint32 now = SDL_GetTicks();
    if (now - lastPresent >= kPresentInterval && backend.takeDirty()) {
      screen.present();
      lastPresent = now;
      exposed = false;
    } else if (exposed) {
      screen.show();
      exposed = false;
    }
  }

  // The program is over: end the process with its exit code, leaving the
  // window and SDL to the system as when the window is closed.
  logic.join();
  endProcess(backend.exitCode());
}

}  // namespace bgi
