#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "base/KString.h"
#include "base/PathFunctions.h"

TEST(KString, ConstructionKeepsEveryByteAndAValidBuffer) {
    KString empty;
    EXPECT_EQ(0, empty.length());
    EXPECT_STREQ("", empty.chars());
    KString counted("ab\0cd", 5);
    KString copy(counted);
    EXPECT_EQ(5, copy.length());
    EXPECT_EQ(0, std::memcmp(copy.chars(), "ab\0cd", 6));
    copy.clear();
    EXPECT_STREQ("", copy.chars());
}

TEST(KString, SubstringsEditingAndSearch) {
    KString s("abc");
    EXPECT_STREQ("abc", s.right(10).chars());
    EXPECT_STREQ("", s.left(0).chars());
    EXPECT_STREQ("bc", s.mid(1).chars());
    EXPECT_STREQ("bc", s.mid(1, 50).chars());
    KString a("abcdef"), b("abcdef");
    EXPECT_EQ(2, a.erase(2, 100));
    EXPECT_STREQ("ab", a.chars());
    EXPECT_EQ(4, b.erase(1, 2));
    EXPECT_STREQ("adef", b.chars());

    KString path("C:\\a\\b");
    EXPECT_EQ(-1, path.find('x'));
    EXPECT_EQ(4, path.reverseFind('\\'));
    KString lower("program files\\lorimund");
    EXPECT_EQ(14, lower.findNoCase("LORIMUND"));
    EXPECT_EQ(-1, lower.findNoCase("Karaoke"));
}

TEST(KString, ComparisonTrimAndConcatenation) {
    KString a("Remove.EXE");
    EXPECT_EQ(0, a.compareNoCase("remove.exe"));
    EXPECT_FALSE(a == "remove.exe");
    EXPECT_LT(KString("abc").compareNoCase("ABD"), 0);
    EXPECT_GT(KString("abcd").compareNoCase("ABC"), 0);

    KString x("  x  "), blanks(" \t\r\n\v\f ");
    x.trim();
    blanks.trim();
    EXPECT_STREQ("x", x.chars());
    EXPECT_EQ(0, blanks.length());

    KString joined = "pre" + KString("C:\\") + "Music";
    joined += '\\';
    EXPECT_STREQ("preC:\\Music\\", joined.chars());
    EXPECT_EQ(12, joined.length());
}

// The new value is read before the old buffer goes.
TEST(KString, SourcesInsideItsOwnBuffer) {
    KString s("hello world");
    KString& same = s;
    s = same;
    EXPECT_STREQ("hello world", s.chars());
    s = s.chars() + 6;
    EXPECT_STREQ("world", s.chars());
    s += s;
    EXPECT_STREQ("worldworld", s.chars());
    s.format("copy %s.", s.chars());
    EXPECT_STREQ("copy worldworld.", s.chars());
}

TEST(KString, BufferLending) {
    KString s;
    std::strcpy(s.getBuffer(259), "C:\\a");
    s.releaseBuffer();
    EXPECT_EQ(4, s.length());
    KString kept("abcdef");
    EXPECT_EQ(kept.chars(), kept.getBuffer(3));  // no reallocation when it fits
    kept.releaseBuffer(2);
    EXPECT_STREQ("ab", kept.chars());
}

TEST(KString, Format) {
    KString s;
    s.format("%d %u %x %s %c %%", -42, 7u, 255u, "ab", 'z');
    EXPECT_STREQ("-42 7 FF ab z %", s.chars());
    s.format("%q%d", 5);  // an unknown conversion takes no argument
    EXPECT_STREQ("5", s.chars());
    s.format("%d|%x|%x|%u|%d", 0, 0u, 0xDEADBEEFu, 4294967295u, INT_MAX);
    EXPECT_STREQ("0|0|DEADBEEF|4294967295|2147483647", s.chars());
    s.format("%d", INT_MIN);
    EXPECT_STREQ("-2147483648", s.chars());
    s.format("100%");  // a lone trailing percent sign is dropped
    EXPECT_STREQ("100", s.chars());
    EXPECT_EQ(3, s.length());
}

TEST(PathFunctions, TrailingBackslash) {
    KString empty, a("C:\\x"), b("C:\\x\\\\"), c("  D:\\Apps\\ "), d(" D:\\Apps\t");
    ensureTrailingBackslash(empty);
    ensureTrailingBackslash(a);
    ensureTrailingBackslash(a);
    stripTrailingBackslash(b);
    trimAndStrip(c);
    trimAndEnsure(d);
    EXPECT_STREQ("", empty.chars());
    EXPECT_STREQ("C:\\x\\", a.chars());
    EXPECT_STREQ("C:\\x\\", b.chars());
    EXPECT_STREQ("D:\\Apps", c.chars());
    EXPECT_STREQ("D:\\Apps\\", d.chars());
}
