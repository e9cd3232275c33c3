#include "platform/source_lock.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/dos_path.h"
#include "tests/support/temp_dir.h"

namespace konwerter::platform {
namespace {

TEST(SourceLockTest, HeldAgainstEverySecondTakerUntilReleased) {
  testing::TempDir dir;
  std::ofstream(dir.path() / "USERS.DBF") << "x";
  const std::string users = dir.Join("users.dbf");

  std::optional<SourceLock> first;
  ASSERT_EQ(SourceLock::Take(users, first), SourceLock::Outcome::kTaken);
  ASSERT_TRUE(first.has_value());
  std::optional<SourceLock> second;
  EXPECT_EQ(SourceLock::Take(users, second), SourceLock::Outcome::kInUse);
  EXPECT_FALSE(second.has_value());
#ifdef _WIN32
  // No sharing at all: not even a reader gets in while the lock is held.
  EXPECT_FALSE(File::OpenExisting(HostPath(users), File::Access::kRead).has_value());
  EXPECT_TRUE(SourceLock::CanOpenShared(users));  // yet the file is known to be there
#endif
  first.reset();
  EXPECT_EQ(SourceLock::Take(users, second), SourceLock::Outcome::kTaken);
}

TEST(SourceLockTest, AMissingFileIsNoLockAndNotInUse) {
  testing::TempDir dir;
  std::optional<SourceLock> lock;
  EXPECT_EQ(SourceLock::Take(dir.Join("users.dbf"), lock), SourceLock::Outcome::kMissing);
  EXPECT_FALSE(lock.has_value());
}

}  // namespace
}  // namespace konwerter::platform
