#include "app/version.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace konwerter::testing {
namespace {

TEST(VersionTest, TheTextIsTheProjectVersionAndTheCommit) {
  const std::string version(app::ProgramVersion());
  const std::string commit(app::ProgramCommit());
  EXPECT_TRUE(std::regex_match(version, std::regex("[0-9]+\\.[0-9]+(\\.[0-9]+)?"))) << version;
  // A short hash of the commit, marked when built from changed sources; "unknown" without git.
  EXPECT_TRUE(std::regex_match(commit, std::regex("[0-9a-f]{7,}(-dirty)?|unknown"))) << commit;
  EXPECT_EQ(app::VersionText(), version + " (" + commit + ")");
}

}  // namespace
}  // namespace konwerter::testing
