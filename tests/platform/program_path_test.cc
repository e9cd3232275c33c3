#include "platform/program_path.h"

#include <gtest/gtest.h>

namespace konwerter::platform {
namespace {

// The renumbering file's path is made from this one, so it must be the program's own full
// path, with the extension the system gives programs.
TEST(ProgramPathTest, IsTheRunningProgramsFullPath) {
  const std::string path = ProgramPath();
#ifdef _WIN32
  EXPECT_TRUE(path.ends_with("\\platform_tests.exe")) << path;
  EXPECT_EQ(path[1], ':') << path;  // with its drive letter
#else
  EXPECT_TRUE(path.ends_with("/platform_tests")) << path;
  EXPECT_EQ(path.front(), '/') << path;
#endif
}

}  // namespace
}  // namespace konwerter::platform
