#include <gtest/gtest.h>

#include "app/Probes.h"

namespace {

ULARGE_INTEGER freeBytes(DWORD high, DWORD low) {
    ULARGE_INTEGER value;
    value.HighPart = high;
    value.LowPart = low;
    return value;
}

}  // namespace

TEST(DiskSpace, FreeBytesBoundaryAndLargeDrives) {
    EXPECT_TRUE(enoughFreeBytes(freeBytes(0, 2621440), 2621440));
    EXPECT_FALSE(enoughFreeBytes(freeBytes(0, 2621439), 2621440));
    EXPECT_TRUE(enoughFreeBytes(freeBytes(1, 0), 2621440));
    EXPECT_TRUE(enoughFreeBytes(freeBytes(0, 0), 0));

    // 8 sectors of 512 bytes: 640 clusters make exactly 2,621,440 bytes.
    EXPECT_TRUE(enoughClusterBytes(8, 512, 640, 2621440));
    EXPECT_FALSE(enoughClusterBytes(8, 512, 639, 2621440));
    // 4 GB + 4 KB free: a 32-bit product would wrap to 4 KB.
    EXPECT_TRUE(enoughClusterBytes(8, 512, 1048577, 2621440));
    EXPECT_TRUE(enoughClusterBytes(64, 512, 0xFFFFFFFF, 0xFFFFFFFF));
}

TEST(DiskSpace, RealDrives) {
    EXPECT_TRUE(hasFreeDiskSpace('C', 1));
    EXPECT_TRUE(hasFreeDiskSpace('c', 2621440));
    EXPECT_FALSE(hasFreeDiskSpace('Q', 1));  // no such drive in the prefix
}
