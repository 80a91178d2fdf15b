#include <gtest/gtest.h>

#include "payload/OldLogFields.h"

TEST(OldLogFields, OnlyThePredefinedRootsAreRoots) {
    EXPECT_TRUE(isPredefinedRoot(0x80000000));  // HKEY_CLASSES_ROOT
    EXPECT_TRUE(isPredefinedRoot(0x80000001));
    EXPECT_TRUE(isPredefinedRoot(0x80000002));
    EXPECT_TRUE(isPredefinedRoot(0x80000006));  // HKEY_DYN_DATA
    EXPECT_FALSE(isPredefinedRoot(0x80000007));
    EXPECT_FALSE(isPredefinedRoot(0x7FFFFFFF));
    EXPECT_FALSE(isPredefinedRoot(0));
    EXPECT_FALSE(isPredefinedRoot(4));  // a plausible ordinary handle value
    EXPECT_FALSE(isPredefinedRoot(0xFFFFFFFF));
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
