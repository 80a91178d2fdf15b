#include <gtest/gtest.h>

#include "payload/OldLogFields.h"

TEST(OldLogFields, PredefinedRootsAndEmbeddedNuls) {
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
    for (DWORD i = 0; i < 4; ++i)
        EXPECT_EQ(roots[i], predefinedRoot(0x80000000 + i));
    EXPECT_EQ(HKEY_DYN_DATA, predefinedRoot(0x80000006));
    for (DWORD other : {0x80000007u, 0x7FFFFFFFu, 0u, 4u, 0xFFFFFFFFu})
        EXPECT_EQ(nullptr, predefinedRoot(other)) << other;

    EXPECT_TRUE(isWholeText(KString()));
    EXPECT_FALSE(isWholeText(KString("Software\0Old", 12)));
    EXPECT_FALSE(sameText(KString("abc"), KString("ABC")));
    EXPECT_FALSE(sameText(KString("ab"), KString("ab\0c", 4)));
    EXPECT_TRUE(sameText(KString(), KString("")));
}
