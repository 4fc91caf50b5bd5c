// Real windows under Xvfb: typed keys reach getch, the window shows exactly
// what the headless replay draws, and closing the window ends the program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

std::string FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "";
}

struct Spawn {
  std::vector<std::string> argv;
  std::string display;  // DISPLAY for the child; empty: none at all
  fs::path dir = fs::temp_directory_path();
  fs::path out = "/dev/null";
  fs::path err = "/dev/null";
};

pid_t Start(const Spawn& s) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  // Child: it must not outlive the test.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::chdir(s.dir.c_str()) != 0) ::_exit(126);
  ::unsetenv("WAYLAND_DISPLAY");
  ::unsetenv("SDL_VIDEODRIVER");
  if (s.display.empty()) {
    ::unsetenv("DISPLAY");
  } else {
    ::setenv("DISPLAY", s.display.c_str(), 1);
  }
  const int in = ::open("/dev/null", O_RDONLY);
  const int out = ::open(s.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open(s.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0) ::_exit(126);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  std::vector<char*> args;
  for (const std::string& a : s.argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  ::_exit(127);
}

// The exit code, or nullopt when the process is still running at the deadline
// (or ended by a signal: -signal).
std::optional<int> WaitExit(pid_t pid, milliseconds timeout) {
  const auto end = steady_clock::now() + timeout;
  while (true) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    if (done < 0 || steady_clock::now() >= end) return std::nullopt;
    std::this_thread::sleep_for(milliseconds(20));
  }
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  if (!WaitExit(pid, milliseconds(3000))) {
    ::kill(pid, SIGKILL);
    WaitExit(pid, milliseconds(3000));
  }
}

// Runs a helper to its end; its exit code and standard output.
struct Ran {
  int code = -1;
  std::string out;
};

Ran RunToEnd(Spawn s, milliseconds timeout = milliseconds(20000)) {
  static int counter = 0;
  s.out = km_test::FreshDir("window-run") / ("out" + std::to_string(counter++));
  const pid_t pid = Start(s);
  Ran ran;
  if (const std::optional<int> code = WaitExit(pid, timeout)) {
    ran.code = *code;
  } else {
    Stop(pid);
  }
  ran.out = km_test::ReadFile(s.out);
  return ran;
}

struct Image {
  int width = 0, height = 0;
  std::vector<png_byte> rgb;
  bool operator==(const Image&) const = default;
};

std::optional<Image> ReadPng(const fs::path& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Image result;
  result.rgb.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr) == 0) return std::nullopt;
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  return result;
}

class Window : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    xvfb_ = FindInPath("Xvfb");
    xdotool_ = FindInPath("xdotool");
    if (xvfb_.empty() || xdotool_.empty()) {
      skip_ = "Xvfb or xdotool is not installed (scripts/install-deps.sh installs them)";
      return;
    }
    // A free display number: no lock file, no socket, and Xvfb stays up.
    for (int n = 50 + ::getpid() % 200, tries = 0; tries < 40; ++n, ++tries) {
      const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
      const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
      if (fs::exists(lock) || fs::exists(socket)) continue;
      Spawn s;
      s.argv = {xvfb_, ":" + std::to_string(n), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"};
      const pid_t pid = Start(s);
      const auto end = steady_clock::now() + milliseconds(10000);
      bool up = false;
      while (steady_clock::now() < end) {
        if (WaitExit(pid, milliseconds(0))) break;  // it gave up: try another number
        if (fs::exists(socket)) {
          up = true;
          break;
        }
        std::this_thread::sleep_for(milliseconds(50));
      }
      if (up) {
        xvfbPid_ = pid;
        display_ = ":" + std::to_string(n);
        return;
      }
      Stop(pid);
    }
  }

  static void TearDownTestSuite() {
    Stop(xvfbPid_);
    xvfbPid_ = 0;
  }

  void SetUp() override {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    ASSERT_FALSE(display_.empty()) << "could not start Xvfb";
    dir_ = km_test::FreshDir(testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  void TearDown() override {
    if (program_ > 0) Stop(program_);
  }

  Ran Tool(std::vector<std::string> argv) {
    Spawn s;
    s.argv = std::move(argv);
    s.display = display_;
    s.dir = dir_;
    return RunToEnd(s);
  }

  // Starts a program in a window and returns its window id.
  std::string Launch(const std::string& program) {
    Spawn s;
    s.argv = {program};
    s.display = display_;
    s.dir = dir_;
    s.out = dir_ / "program.out";
    s.err = dir_ / "program.err";
    program_ = Start(s);
    const Ran found = Tool({KM_XWIN, "find", "Windows BGI", "15000"});
    if (found.code != 0) return "";
    const std::string id = found.out.substr(0, found.out.find('\n'));
    Tool({xdotool_, "mousemove", "200", "200"});
    Tool({xdotool_, "windowfocus", id});
    return id;
  }

  void Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), xdotool_);
    EXPECT_EQ(Tool(args).code, 0);
  }

  // Captures the window until it shows the expected picture or time runs out.
  void ExpectShows(const std::string& window, const fs::path& expectedPng, milliseconds timeout) {
    const std::optional<Image> expected = ReadPng(expectedPng);
    ASSERT_TRUE(expected.has_value());
    ASSERT_EQ(expected->width, 1900);
    ASSERT_EQ(expected->height, 1000);
    const fs::path shot = dir_ / "window.png";
    const auto end = steady_clock::now() + timeout;
    std::optional<Image> got;
    do {
      std::this_thread::sleep_for(milliseconds(200));
      if (Tool({KM_XWIN, "capture", window, shot.string()}).code == 0) got = ReadPng(shot);
      if (got && *got == *expected) return;
    } while (steady_clock::now() < end);
    ADD_FAILURE() << "the window never showed the replayed picture; last capture: " << shot
                  << (got ? " (" + std::to_string(got->width) + "x" + std::to_string(got->height) + ")" : "");
  }

  static inline std::string skip_, xvfb_, xdotool_, display_;
  static inline pid_t xvfbPid_ = 0;
  fs::path dir_;
  pid_t program_ = 0;
};

TEST_F(Window, ProbeShowsTheReplayedPictureAndReadsKeysInOrder) {
  km_test::WriteFile(dir_ / "keys", std::string("ab\0M\0M\0P*@", 11));
  Spawn replay;
  replay.argv = {KM_PROBE, "--replay", (dir_ / "keys").string(), (dir_ / "expected.png").string()};
  ASSERT_EQ(RunToEnd(replay).code, 0);

  const std::string window = Launch(KM_PROBE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  Xdotool({"type", "ab"});
  Xdotool({"key", "Right", "Right", "Down"});
  Xdotool({"type", "*@"});
  ExpectShows(window, dir_ / "expected.png", milliseconds(10000));
  Xdotool({"type", "q"});
  EXPECT_EQ(WaitExit(program_, milliseconds(10000)), 3);  // the entry's own exit code
  program_ = 0;
  EXPECT_EQ(km_test::ReadFile(dir_ / "program.out"), "97\n98\n0\n77\n0\n77\n0\n80\n42\n64\n113\n");
}

TEST_F(Window, SpecialKeysGiveZeroAndTheirScanCode) {
  const std::string window = Launch(KM_PROBE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  Xdotool({"key", "Return", "KP_Enter", "Escape", "BackSpace", "Tab", "F1", "F10", "Home", "Prior", "End", "Next",
           "Insert", "Delete", "Up", "Down", "Left", "Right", "KP_Up", "shift+a", "Caps_Lock", "b", "Caps_Lock", "c",
           "shift+8", "shift+2", "q"});
  EXPECT_EQ(WaitExit(program_, milliseconds(10000)), 3);
  program_ = 0;
  EXPECT_EQ(km_test::ReadFile(dir_ / "program.out"),
            "13\n13\n27\n8\n9\n0\n59\n0\n68\n0\n71\n0\n73\n0\n79\n0\n81\n0\n82\n0\n83\n"
            "0\n72\n0\n80\n0\n75\n0\n77\n0\n72\n65\n66\n99\n42\n64\n113\n");
}

TEST_F(Window, ClosingTheWindowWhileInGetchEndsWithZero) {
  const std::string window = Launch(KM_PROBE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  std::this_thread::sleep_for(milliseconds(300));
  ASSERT_EQ(Tool({KM_XWIN, "close", window}).code, 0);
  EXPECT_EQ(WaitExit(program_, milliseconds(5000)), 0);
  program_ = 0;
}

TEST_F(Window, KorvaneShowsTheReplayedPicture) {
  // '*' fixes the start at once, 'y' keeps the grid, then a few moves.
  km_test::WriteFile(dir_ / "keys", std::string("*y\0M\0Muul", 9));
  Spawn replay;
  replay.argv = {KM_REPLAY, "korvane", (dir_ / "keys").string(), "--png", (dir_ / "expected.png").string()};
  replay.dir = dir_ / "replay";
  fs::create_directories(replay.dir);
  ASSERT_EQ(RunToEnd(replay).code, 0);

  const std::string window = Launch(KM_KORVANE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  // Typed during the welcome screen: the keys wait in the queue.
  Xdotool({"type", "*y"});
  Xdotool({"key", "Right", "Right"});
  Xdotool({"type", "uul"});
  ExpectShows(window, dir_ / "expected.png", milliseconds(40000));
}

TEST_F(Window, ClosingKorvaneDuringItsWelcomeEndsWithZero) {
  const std::string window = Launch(KM_KORVANE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  std::this_thread::sleep_for(milliseconds(500));  // inside its 6-second delay
  const auto closed = steady_clock::now();
  ASSERT_EQ(Tool({KM_XWIN, "close", window}).code, 0);
  EXPECT_EQ(WaitExit(program_, milliseconds(5000)), 0);
  EXPECT_LT(steady_clock::now() - closed, milliseconds(3000));
  program_ = 0;
}

TEST(WindowWithoutDisplay, FailsWithOneLineAndExitCodeOne) {
  const fs::path dir = km_test::FreshDir("window-no-display");
  Spawn s;
  s.argv = {KM_KORVANE};
  s.dir = dir;
  s.out = dir / "out";
  s.err = dir / "err";
  const pid_t pid = Start(s);
  EXPECT_EQ(WaitExit(pid, milliseconds(20000)), 1);
  const std::string err = km_test::ReadFile(dir / "err");
  EXPECT_NE(err.find("cannot open the graphics window"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_EQ(km_test::ReadFile(dir / "out"), "");
  EXPECT_FALSE(fs::exists(dir / "DataMyDrawing.txt"));
}

}  // namespace
