#include "tests/support/session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "bgi/headless.h"
#include "editor/korvane.h"
#include "viewer/mivlet.h"

namespace km_test {

Session RunSession(Program program, const std::string& keys, const std::filesystem::path& dir,
                   const std::string& pngPath) {
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  options.pngPath = pngPath;
  testing::internal::CaptureStdout();
  const bgi::HeadlessResult result =
      bgi::runHeadless(program == Program::Korvane ? &korvane::main : &mivlet::main, keys, options);
  Session session;
  session.out = testing::internal::GetCapturedStdout();
  std::filesystem::current_path(previous);
  session.trace = trace.str();
  session.exitCode = result.exitCode;
  session.clockMs = result.clockMs;
  return session;
}

Session RunBody(std::function<void()> body, const std::string& keys, const std::filesystem::path& dir) {
  static std::function<void()> current;
  current = std::move(body);
  // The working directory is left alone without dir: it may even be gone.
  const std::filesystem::path previous = dir.empty() ? dir : std::filesystem::current_path();
  if (!dir.empty()) std::filesystem::current_path(dir);
  std::ostringstream trace;
  bgi::HeadlessOptions options;
  options.trace = &trace;
  const bgi::HeadlessResult result = bgi::runHeadless(+[] { return current(), 0; }, keys, options);
  if (!dir.empty()) std::filesystem::current_path(previous);
  return Session{trace.str(), "", result.exitCode, result.clockMs};
}

std::filesystem::path FreshDir(const std::string& name) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("km-test-" + std::to_string(::getpid())) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::filesystem::path GoldenDir() { return std::filesystem::path(KM_TEST_DATA) / "golden"; }

}  // namespace km_test
