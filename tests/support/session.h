// Helpers for tests that drive whole program sessions headless.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace km_test {

enum class Program { Korvane, Mivlet };

struct Session {
  std::string trace;  // call trace
  std::string out;    // console output
  int exitCode = 0;
  long long clockMs = 0;  // virtual time spent in delay
};

// Runs the program in-process with its working directory set to dir.
Session RunSession(Program program, const std::string& keys, const std::filesystem::path& dir,
                   const std::string& pngPath = "");

// Runs body headless with the keys, in dir when one is given; the console
// output is left alone (out stays empty).
Session RunBody(std::function<void()> body, const std::string& keys = "", const std::filesystem::path& dir = "");

// A fresh empty directory for one test.
std::filesystem::path FreshDir(const std::string& name);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// The recorded sessions shipped with the tests.
std::filesystem::path GoldenDir();

// Key string helpers: an arrow key is the two codes 0 and 72/80/75/77.
inline std::string Up() { return std::string("\0H", 2); }
inline std::string Down() { return std::string("\0P", 2); }
inline std::string Left() { return std::string("\0K", 2); }
inline std::string Right() { return std::string("\0M", 2); }

}  // namespace km_test
