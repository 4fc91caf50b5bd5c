// Every recorded session, replayed in an empty directory: the call trace,
// the console output and the drawing file must match byte for byte. A
// session with NAME.in.txt is the viewer's, reading that file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Sessions() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(km_test::GoldenDir())) {
    if (entry.path().extension() == ".keys") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Empty when equal; otherwise where the two texts first part.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  std::istringstream e(expected), a(actual);
  std::string el, al;
  for (int line = 1;; ++line) {
    const bool he = static_cast<bool>(std::getline(e, el)), ha = static_cast<bool>(std::getline(a, al));
    if (!he && !ha) return "the texts differ only in their final line end";
    if (he != ha || el != al) {
      return "line " + std::to_string(line) + "\n  expected: " + (he ? "\"" + el + "\"" : "(end)") +
             "\n  actual:   " + (ha ? "\"" + al + "\"" : "(end)");
    }
  }
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, ReproducesTheRecording) {
  const std::string name = GetParam();
  const fs::path golden = km_test::GoldenDir();
  const fs::path dir = km_test::FreshDir("golden-" + name);
  const fs::path input = golden / (name + ".in.txt");
  const bool viewer = fs::exists(input);
  if (viewer) km_test::WriteFile(dir / "DataMyDrawing.txt", km_test::ReadFile(input));

  const km_test::Session s = km_test::RunSession(viewer ? km_test::Program::Mivlet : km_test::Program::Korvane,
                                                 km_test::ReadFile(golden / (name + ".keys")), dir);
  EXPECT_EQ(s.exitCode, 0);
  const std::string trace = km_test::ReadFile(golden / (name + ".trace"));
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(FirstDifference(trace, s.trace), "") << "trace";
  EXPECT_EQ(s.out, km_test::ReadFile(golden / (name + ".out"))) << "console output";

  // The editor writes NAME.txt or nothing; the viewer leaves its file alone.
  const fs::path expected = viewer ? input : golden / (name + ".txt");
  const fs::path written = dir / "DataMyDrawing.txt";
  if (fs::exists(expected)) {
    ASSERT_TRUE(fs::exists(written)) << "no drawing file";
    EXPECT_EQ(FirstDifference(km_test::ReadFile(expected), km_test::ReadFile(written)), "") << "drawing file";
  } else {
    EXPECT_FALSE(fs::exists(written)) << "a drawing file was written";
  }
}

INSTANTIATE_TEST_SUITE_P(Sessions, Golden, testing::ValuesIn(Sessions()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

}  // namespace
