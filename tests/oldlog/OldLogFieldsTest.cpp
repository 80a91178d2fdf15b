#include <gtest/gtest.h>

#include "payload/OldLogFields.h"

TEST(OldLogFields, OnlyThePredefinedRootsAreRoots) {
    EXPECT_EQ(HKEY_CLASSES_ROOT, predefinedRoot(0x80000000));
    EXPECT_EQ(HKEY_CURRENT_USER, predefinedRoot(0x80000001));
    EXPECT_EQ(HKEY_LOCAL_MACHINE, predefinedRoot(0x80000002));
    EXPECT_EQ(HKEY_USERS, predefinedRoot(0x80000003));
    EXPECT_EQ(HKEY_DYN_DATA, predefinedRoot(0x80000006));
    for (DWORD other : {0x80000007u, 0x7FFFFFFFu, 0u, 4u, 0xFFFFFFFFu})
        EXPECT_EQ(nullptr, predefinedRoot(other)) << other;
}

TEST(OldLogFields, EmbeddedNulsAreNoticedAndCompared) {
    EXPECT_TRUE(isWholeText(KString("Software\\Old")));
    EXPECT_TRUE(isWholeText(KString()));
    EXPECT_FALSE(isWholeText(KString("Software\0Old", 12)));

    EXPECT_TRUE(sameText(KString("abc"), KString("abc")));
    EXPECT_FALSE(sameText(KString("abc"), KString("ABC")));
    EXPECT_FALSE(sameText(KString("ab"), KString("ab\0c", 4)));
    EXPECT_TRUE(sameText(KString(), KString("")));
}
