// Real windows under Xvfb: typed keys reach getch, the window shows what the headless replay
// draws, closing it ends the program, and an editor session writes the replay's drawing file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

struct Spawn {
  std::vector<std::string> argv;  // the program is looked up in PATH
  std::string display = "";       // DISPLAY for the child; empty: none at all
  fs::path dir = "", out = "", err = "/dev/null";  // out: dir / "tool.out" when empty
};

pid_t Start(const Spawn& s) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // the child must not outlive the test
  if (::chdir(s.dir.c_str()) != 0) ::_exit(126);
  ::unsetenv("WAYLAND_DISPLAY");
  ::unsetenv("SDL_VIDEODRIVER");
  s.display.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", s.display.c_str(), 1);
  const int in = ::open("/dev/null", O_RDONLY);
  const int out = ::open((s.out.empty() ? s.dir / "tool.out" : s.out).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open(s.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
  std::vector<char*> args;
  for (const std::string& a : s.argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  ::_exit(127);
}

// The exit code (-signal when killed), or nullopt while still running at the deadline.
std::optional<int> WaitExit(pid_t pid, milliseconds timeout) {
  for (const auto end = steady_clock::now() + timeout;; std::this_thread::sleep_for(milliseconds(20))) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    if (done < 0 || steady_clock::now() >= end) return std::nullopt;
  }
}

void Stop(pid_t pid) {
  if (pid > 0 && (::kill(pid, SIGTERM), !WaitExit(pid, milliseconds(3000)))) {
    ::kill(pid, SIGKILL);
    WaitExit(pid, milliseconds(3000));
  }
}

// Runs a helper to its end in s.dir: its exit code (-1: stopped after a minute) and standard output.
std::pair<int, std::string> RunToEnd(const Spawn& s) {
  const pid_t pid = Start(s);
  const std::optional<int> code = WaitExit(pid, milliseconds(60000));
  if (!code) Stop(pid);
  return {code.value_or(-1), km_test::ReadFile(s.out.empty() ? s.dir / "tool.out" : s.out)};
}

class Window : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const fs::path dir = km_test::FreshDir("window-xvfb");
    // Xvfb picks a free display number and writes it once it accepts connections.
    xvfbPid_ = Start({{"Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"}, "", dir});
    for (const auto end = steady_clock::now() + milliseconds(10000); steady_clock::now() < end;) {
      if (const std::optional<int> code = WaitExit(xvfbPid_, milliseconds(50))) {
        xvfbPid_ = 0;
        if (code == 127) skip_ = "Xvfb is not installed (scripts/install-deps.sh installs it)";
        return;
      }
      const std::string number = km_test::ReadFile(dir / "tool.out");
      if (number.ends_with('\n')) {
        display_ = ":" + number.substr(0, number.size() - 1);
        break;
      }
    }
    if (RunToEnd({{"xdotool", "version"}, "", dir}).first == 127) skip_ = "xdotool is not installed";
  }

  static void TearDownTestSuite() { Stop(std::exchange(xvfbPid_, 0)); }

  void SetUp() override {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    ASSERT_FALSE(display_.empty()) << "could not start Xvfb";
    dir_ = km_test::FreshDir(testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  void TearDown() override { Stop(program_); }

  // Runs a tool on the display, in dir_: its exit code.
  int Tool(std::vector<std::string> argv) { return RunToEnd({std::move(argv), display_, dir_}).first; }

  // Starts a program in a window (working directory dir_ unless given) and returns its window id.
  std::string Launch(const std::string& program) { return Launch(std::vector<std::string>{program}, dir_); }
  std::string Launch(std::vector<std::string> argv, const fs::path& dir) {
    program_ = Start({std::move(argv), display_, dir, dir_ / "program.out", dir_ / "program.err"});
    const auto [code, found] = RunToEnd({{KM_XWIN, "find", "Windows BGI", "15000"}, display_, dir_});
    if (code != 0) return "";
    const std::string id = found.substr(0, found.find('\n'));
    Tool({"xdotool", "mousemove", "200", "200"});
    Tool({"xdotool", "windowfocus", id});
    return id;
  }

  // The program's exit code; a program still running after the timeout is stopped.
  std::optional<int> Ended(milliseconds timeout) {
    const std::optional<int> code = WaitExit(program_, timeout);
    if (!code) Stop(program_);
    program_ = 0;
    return code;
  }

  // A headless run, without display, in a fresh folder of its own that holds the key file "keys".
  fs::path Headless(const std::string& name, const std::string& keys, std::vector<std::string> argv) {
    const fs::path dir = km_test::FreshDir("window-" + name);
    km_test::WriteFile(dir / "keys", keys);
    EXPECT_EQ(RunToEnd({std::move(argv), "", dir}).first, 0) << name;
    return dir;
  }

  static inline std::string skip_, display_;
  static inline pid_t xvfbPid_ = 0;
  fs::path dir_;
  pid_t program_ = 0;
};

TEST_F(Window, ProbeReadsEveryKeyInOrderAndShowsTheReplayedPicture) {
  // The codes getch must give, in order, for the xdotool keys below.
  const std::string codes("a\r\r\x1b\b\t\0;\0D\0G\0I\0O\0Q\0R\0S\0H\0P\0K\0M\0M\0HABc*@", 39);
  std::string printed;
  for (const char c : codes + "q") printed += std::to_string(static_cast<unsigned char>(c)) + "\n";
  const fs::path replay = Headless("replay", codes, {KM_PROBE, "--replay", "keys", "expected.png"});

  const std::string window = Launch(KM_PROBE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  EXPECT_EQ(Tool({"xdotool", "key", "a", "Return", "KP_Enter", "Escape", "BackSpace", "Tab", "F1", "F10", "Home",
                  "Prior", "End", "Next", "Insert", "Delete", "Up", "Down", "Left", "Right", "Right", "KP_Up",
                  "shift+a", "Caps_Lock", "b", "Caps_Lock", "c", "shift+8", "shift+2"}),
            0);
  // xwin waits for the replayed picture; on failure the last capture lies beside it.
  EXPECT_EQ(Tool({KM_XWIN, "shows", window, (replay / "expected.png").string(), "10000"}), 0);
  EXPECT_EQ(Tool({"xdotool", "key", "q"}), 0);
  EXPECT_EQ(Ended(milliseconds(10000)), 3);  // the probe's own exit code
  EXPECT_EQ(km_test::ReadFile(dir_ / "program.out"), printed);
}

TEST_F(Window, ClosingTheWindowEndsWithZeroInGetchAndInDelay) {
  // The probe waits in getch; korvane is inside its 6-second welcome delay.
  for (const std::string program : {KM_PROBE, KM_KORVANE}) {
    const std::string window = Launch(program);
    ASSERT_FALSE(window.empty()) << program;
    std::this_thread::sleep_for(milliseconds(500));
    ASSERT_EQ(Tool({KM_XWIN, "close", window}), 0);
    EXPECT_EQ(Ended(milliseconds(3000)), 0) << program;  // at once, not after the delay
  }
}

TEST_F(Window, KorvaneSessionShowsTheReplayedPicturesAndWritesTheSameFile) {
  // '*' fixes the start, 'y' keeps the grid; the square is still open after the
  // first keys, closed by the last 'u'. '@' at pass 0's display turns to pass 1,
  // whose display then waits for 'q', the last key.
  const std::string open = "*y" + km_test::Right() + km_test::Right() + "rdddlllu" + km_test::Up();
  const std::vector<std::string> replay = {KM_REPLAY, "korvane", "keys", "--png", "expected.png"};
  const fs::path shortRun = Headless("short", open, replay), passRun = Headless("pass1", open + "u@", replay);
  const std::string expectedFile = km_test::ReadFile(Headless("full", open + "u@q", replay) / "DataMyDrawing.txt");
  ASSERT_NE(expectedFile, "");

  const std::string window = Launch(KM_KORVANE);
  ASSERT_FALSE(window.empty()) << "no window appeared";
  // Typed during the welcome screen: the keys wait in the queue.
  EXPECT_EQ(Tool({"xdotool", "type", "*y"}), 0);
  EXPECT_EQ(Tool({"xdotool", "key", "Right", "Right", "r", "d", "d", "d", "l", "l", "l", "u", "Up"}), 0);
  EXPECT_EQ(Tool({KM_XWIN, "shows", window, (shortRun / "expected.png").string(), "40000"}), 0);
  EXPECT_EQ(Tool({"xdotool", "type", "u@"}), 0);
  EXPECT_EQ(Tool({KM_XWIN, "shows", window, (passRun / "expected.png").string(), "40000"}), 0);  // after the blinking
  EXPECT_EQ(Tool({"xdotool", "type", "q"}), 0);
  EXPECT_EQ(Ended(milliseconds(15000)), 0);
  EXPECT_EQ(km_test::ReadFile(dir_ / "DataMyDrawing.txt"), expectedFile);
}

TEST_F(Window, MakeRunOpensTheEditorAndEndsWithZero) {
  // The very command `make run` ends with, for this build folder, run where make runs it.
  const fs::path source = KM_SOURCE_DIR;
  const std::string build = "BUILD=" + fs::relative(KM_BINARY_DIR, source).string();
  const auto [code, printed] = RunToEnd({{"env", "-u", "MAKEFLAGS", "-u", "MFLAGS", "-u", "MAKELEVEL", "make", "-s",
                                          "-n", "-C", source.string(), "run", build},
                                         "",
                                         dir_,
                                         dir_ / "make.out"});
  ASSERT_EQ(code, 0) << printed;
  std::string command = printed.substr(0, printed.find_last_not_of('\n') + 1);
  command = command.substr(command.find_last_of('\n') + 1);
  ASSERT_FALSE(command.empty()) << printed;

  const std::string window = Launch({"sh", "-c", command}, source);
  ASSERT_FALSE(window.empty()) << "no window appeared for: " << command;
  EXPECT_EQ(Tool({"xdotool", "key", "Return"}), 0);  // Enter as the first key ends the editor
  EXPECT_EQ(Ended(milliseconds(15000)), 0) << command << "\n" << km_test::ReadFile(dir_ / "program.err");
}

TEST(Readme, EveryProgramPathItNamesIsBuilt) {
  // build/... in the README stands for this build folder.
  const std::string readme = km_test::ReadFile(fs::path(KM_SOURCE_DIR) / "README.md");
  const std::regex path(R"((^|[^\w./-])build/([\w./-]*\w))");
  int named = 0;
  for (std::sregex_iterator it(readme.begin(), readme.end(), path), end; it != end; ++it, ++named) {
    const fs::path built = fs::path(KM_BINARY_DIR) / (*it)[2].str();
    EXPECT_TRUE(fs::is_regular_file(built) && ::access(built.c_str(), X_OK) == 0)
        << "the README names build/" << (*it)[2] << ", which the build does not make";
  }
  EXPECT_GE(named, 4);  // korvane, mivlet, replay, the benchmark
}

TEST(WindowWithoutDisplay, FailsWithOneLineAndExitCodeOne) {
  const fs::path dir = km_test::FreshDir("window-no-display");
  EXPECT_EQ(WaitExit(Start({{KM_KORVANE}, "", dir, dir / "out", dir / "err"}), milliseconds(20000)), 1);
  const std::string err = km_test::ReadFile(dir / "err");
  EXPECT_NE(err.find("cannot open the graphics window"), std::string::npos) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;  // one line
  EXPECT_EQ(km_test::ReadFile(dir / "out"), "");
  EXPECT_FALSE(fs::exists(dir / "DataMyDrawing.txt"));
}

}  // namespace
