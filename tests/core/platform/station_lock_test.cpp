#include "platform/station_lock.h"

#include <gtest/gtest.h>

#include "platform/data_lock.h"
#include "support/test_station.h"

namespace rk {
namespace {

TEST(DataLock, BoundedWaitAndRelease) {
    test::TempFolder dir;
    auto first = DataLock::acquire(dir.path());
    ASSERT_TRUE(first);
    // Another open description is refused after the wait, not blocked forever.
    EXPECT_FALSE(DataLock::acquire(dir.path(), std::chrono::milliseconds(30)));
    DataLock moved = std::move(*first);
    first.reset();  // a moved-from lock releases nothing
    EXPECT_FALSE(DataLock::acquire(dir.path(), std::chrono::milliseconds(10)));
    { DataLock gone = std::move(moved); }
    EXPECT_TRUE(DataLock::acquire(dir.path(), std::chrono::milliseconds(10)));
}

TEST(StationLock, HeldUntilReleasedAndIndependentOfTheDataLock) {
    test::TempFolder dir;
    auto life = StationLock::acquire(dir.path(), 2000);
    ASSERT_TRUE(life);
    EXPECT_FALSE(StationLock::acquire(dir.path(), 2000));
    auto lock = DataLock::acquire(dir.path(), std::chrono::milliseconds(10));
    ASSERT_TRUE(lock);  // byte 0 is not a station's
    EXPECT_TRUE(StationLock::held(lock->fd(), 2000));
    EXPECT_FALSE(StationLock::held(lock->fd(), 2001));
    life.reset();
    EXPECT_FALSE(StationLock::held(lock->fd(), 2000));
    EXPECT_TRUE(StationLock::acquire(dir.path(), 2000));
}

}  // namespace
}  // namespace rk
