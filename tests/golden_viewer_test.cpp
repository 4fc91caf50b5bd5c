// The recorded viewer sessions, reproduced byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/session.h"

namespace {

class GoldenViewer : public testing::TestWithParam<std::string> {};

TEST_P(GoldenViewer, ReproducesRecording) {
  const std::string name = GetParam();
  const std::filesystem::path golden = km_test::GoldenDir();
  const std::filesystem::path dir = km_test::FreshDir("golden-" + name);
  km_test::WriteFile(dir / "DataMyDrawing.txt", km_test::ReadFile(golden / (name + ".in.txt")));
  const km_test::Session s =
      km_test::RunSession(km_test::Program::Mivlet, km_test::ReadFile(golden / (name + ".keys")), dir);
  EXPECT_EQ(s.trace, km_test::ReadFile(golden / (name + ".trace")));
  EXPECT_EQ(s.out, km_test::ReadFile(golden / (name + ".out")));
  EXPECT_EQ(s.exitCode, 0);
  // The viewer only reads its file.
  EXPECT_EQ(km_test::ReadFile(dir / "DataMyDrawing.txt"), km_test::ReadFile(golden / (name + ".in.txt")));
}

INSTANTIATE_TEST_SUITE_P(Sessions, GoldenViewer,
                         testing::Values("viewer-1", "viewer-2", "viewer-3", "viewer-4", "viewer-empty-input"),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param;
                           for (char& c : n) {
                             if (c == '-') c = '_';
                           }
                           return n;
                         });

}  // namespace
