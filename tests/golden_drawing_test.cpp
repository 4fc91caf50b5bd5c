// The recorded sessions of the drawing phase, replayed in an empty directory:
// call trace and console output byte for byte, no drawing file.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/session.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Where two traces first part, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> e = Lines(expected);
  const std::vector<std::string> a = Lines(actual);
  std::size_t i = 0;
  while (i < e.size() && i < a.size() && e[i] == a[i]) ++i;
  std::ostringstream out;
  out << "line " << i + 1 << ": expected " << (i < e.size() ? e[i] : "(end)") << ", got "
      << (i < a.size() ? a[i] : "(end)");
  return out.str();
}

class GoldenDrawing : public testing::TestWithParam<std::string> {};

TEST_P(GoldenDrawing, ReproducesTraceAndConsole) {
  const std::string name = GetParam();
  const std::filesystem::path golden = km_test::GoldenDir();
  const std::filesystem::path dir = km_test::FreshDir("golden-drawing-" + name);
  const km_test::Session s =
      km_test::RunSession(km_test::Program::Korvane, km_test::ReadFile(golden / (name + ".keys")), dir);
  const std::string expected = km_test::ReadFile(golden / (name + ".trace"));
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(s.trace == expected) << FirstDifference(expected, s.trace);
  EXPECT_EQ(s.out, km_test::ReadFile(golden / (name + ".out")));
  EXPECT_EQ(s.exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "DataMyDrawing.txt"));
}

INSTANTIATE_TEST_SUITE_P(Sessions, GoldenDrawing,
                         testing::Values("drawing-1", "drawing-2", "drawing-3", "drawing-4", "drawing-5", "drawing-6",
                                         "first-key-enter", "open-xx-before-any-move"),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

}  // namespace
