#include "core/poollock.h"

#include "core/pool.h"
#include "tests/support/testsupport.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

// Two pool objects on one home stand for two programs; copies of one pool
// are one program, whose nested operations share the lock.
TEST(PoolLock, ExcludesOtherProgramsButNotTheHolderItself) {
    test::PoolFixture first;
    Pool second(first.home.path());
    Result<PoolLock> held = lockPoolFiles(first.pool);
    ASSERT_TRUE(held) << held.error().message;

    Pool copy = first.pool;
    Result<PoolLock> nested = lockPoolFiles(copy, std::chrono::milliseconds(0));
    EXPECT_TRUE(nested) << nested.error().message;

    Result<PoolLock> other = lockPoolFiles(second, std::chrono::milliseconds(20));
    ASSERT_FALSE(other);
    EXPECT_EQ(other.error(), (Error{ErrorKind::Busy, kPoolBusyMessage}));

    // Released only when the outermost holder lets go.
    nested->release();
    EXPECT_FALSE(lockPoolFiles(second, std::chrono::milliseconds(0)));
    held->release();
    EXPECT_TRUE(lockPoolFiles(second, std::chrono::milliseconds(0)));
}

} // namespace
} // namespace gs
