// Every recorded editor session, replayed in an empty directory: the call
// trace, the console output and the drawing file must match byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> EditorSessions() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(km_test::GoldenDir())) {
    const fs::path path = entry.path();
    if (path.extension() != ".keys") continue;
    const std::string name = path.stem().string();
    for (const char* prefix : {"square-", "closed-", "open-", "messy-"}) {
      if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// Empty when equal; otherwise where the two texts first part.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  const std::vector<std::string> e = Lines(expected);
  const std::vector<std::string> a = Lines(actual);
  const std::size_t n = std::min(e.size(), a.size());
  std::size_t i = 0;
  while (i < n && e[i] == a[i]) ++i;
  std::ostringstream out;
  out << "first difference at line " << i + 1 << "\n  expected: "
      << (i < e.size() ? "\"" + e[i] + "\"" : std::string("(end)")) << "\n  actual:   "
      << (i < a.size() ? "\"" + a[i] + "\"" : std::string("(end)"));
  if (i == n && e.size() == a.size()) out << "\n  (the texts differ only in their final line end)";
  return out.str();
}

class GoldenEditor : public testing::TestWithParam<std::string> {};

TEST_P(GoldenEditor, ReproducesTheRecording) {
  const std::string name = GetParam();
  const fs::path golden = km_test::GoldenDir();
  const fs::path dir = km_test::FreshDir("golden-" + name);
  const km_test::Session s =
      km_test::RunSession(km_test::Program::Korvane, km_test::ReadFile(golden / (name + ".keys")), dir);

  EXPECT_EQ(s.exitCode, 0);
  const std::string traceDiff = FirstDifference(km_test::ReadFile(golden / (name + ".trace")), s.trace);
  EXPECT_TRUE(traceDiff.empty()) << "trace: " << traceDiff;
  EXPECT_EQ(s.out, km_test::ReadFile(golden / (name + ".out"))) << "console output";

  const fs::path expectedFile = golden / (name + ".txt");
  const fs::path writtenFile = dir / "DataMyDrawing.txt";
  if (fs::exists(expectedFile)) {
    ASSERT_TRUE(fs::exists(writtenFile)) << "no drawing file written";
    const std::string fileDiff = FirstDifference(km_test::ReadFile(expectedFile), km_test::ReadFile(writtenFile));
    EXPECT_TRUE(fileDiff.empty()) << "drawing file: " << fileDiff;
  } else {
    EXPECT_FALSE(fs::exists(writtenFile)) << "a drawing file was written";
  }
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Sessions, GoldenEditor, testing::ValuesIn(EditorSessions()), TestName);

}  // namespace
