#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "base/KString.h"
#include "base/PathFunctions.h"

TEST(KString, EmptyStringsOwnAValidBuffer) {
    KString empty;
    EXPECT_EQ(0, empty.length());
    EXPECT_STREQ("", empty.chars());
    KString cleared("abc");
    cleared.clear();
    EXPECT_EQ(0, cleared.length());
    EXPECT_STREQ("", cleared.chars());
}

TEST(KString, CountedConstructionCopiesEmbeddedNul) {
    KString s("ab\0cd", 5);
    EXPECT_EQ(5, s.length());
    EXPECT_EQ(0, std::memcmp(s.chars(), "ab\0cd", 6));
    KString copy(s);
    EXPECT_EQ(5, copy.length());
    EXPECT_EQ('d', copy.at(4));
}

TEST(KString, Substrings) {
    KString s("abc");
    EXPECT_STREQ("abc", s.right(10).chars());
    EXPECT_STREQ("", s.left(0).chars());
    EXPECT_STREQ("abc", s.left(10).chars());
    EXPECT_STREQ("bc", s.mid(1).chars());
    EXPECT_STREQ("b", s.mid(1, 1).chars());
    EXPECT_STREQ("bc", s.mid(1, 50).chars());
}

TEST(KString, Erase) {
    KString a("abcdef");
    EXPECT_EQ(2, a.erase(2, 100));
    EXPECT_STREQ("ab", a.chars());
    KString b("abcdef");
    EXPECT_EQ(4, b.erase(1, 2));
    EXPECT_STREQ("adef", b.chars());
}

TEST(KString, Search) {
    KString path("C:\\a\\b");
    EXPECT_EQ(-1, path.find('x'));
    EXPECT_EQ(2, path.find('\\'));
    EXPECT_EQ(4, path.reverseFind('\\'));
    KString lower("program files\\lorimund");
    EXPECT_EQ(lower.find('l'), lower.findNoCase("L"));
    EXPECT_EQ(14, lower.findNoCase("LORIMUND"));
    EXPECT_EQ(-1, lower.findNoCase("Karaoke"));
}

TEST(KString, ComparisonAndCase) {
    KString a("Remove.EXE");
    EXPECT_EQ(0, a.compareNoCase("remove.exe"));
    EXPECT_FALSE(a == "remove.exe");
    EXPECT_TRUE(a != "remove.exe");
    EXPECT_TRUE(a == KString("Remove.EXE"));
    EXPECT_LT(KString("abc").compareNoCase("ABD"), 0);
    EXPECT_GT(KString("abcd").compareNoCase("ABC"), 0);
}

TEST(KString, Trim) {
    KString s("  x  ");
    s.trim();
    EXPECT_STREQ("x", s.chars());
    EXPECT_EQ(1, s.length());
    KString blanks(" \t\r\n\v\f ");
    blanks.trim();
    EXPECT_EQ(0, blanks.length());
    KString left("\t a b ");
    left.trimLeft();
    EXPECT_STREQ("a b ", left.chars());
}

TEST(KString, ConcatenationInEveryForm) {
    KString a("C:\\");
    KString b = a + "Music" + KString("\\");
    b += 'x';
    EXPECT_STREQ("C:\\Music\\x", b.chars());
    KString c = "pre" + a;
    EXPECT_STREQ("preC:\\", c.chars());
    EXPECT_EQ(6, c.length());
}

TEST(KString, SelfAssignmentAndAssignmentFromOwnBuffer) {
    KString s("hello world");
    KString& same = s;
    s = same;
    EXPECT_STREQ("hello world", s.chars());
    s = s.chars() + 6;  // a pointer into its own buffer
    EXPECT_STREQ("world", s.chars());
    EXPECT_EQ(5, s.length());
    s += s;
    EXPECT_STREQ("worldworld", s.chars());
}

TEST(KString, BufferLending) {
    KString s;
    char* buffer = s.getBuffer(259);
    std::strcpy(buffer, "C:\\a");
    s.releaseBuffer();
    EXPECT_EQ(4, s.length());
    EXPECT_STREQ("C:\\a", s.chars());

    KString kept("abcdef");
    EXPECT_EQ(kept.chars(), kept.getBuffer(3));  // no reallocation when it fits
    kept.releaseBuffer(2);
    EXPECT_STREQ("ab", kept.chars());
}

TEST(KString, FormatEveryConversion) {
    KString s;
    s.format("%d %u %x %s %c %%", -42, 7u, 255u, "ab", 'z');
    EXPECT_STREQ("-42 7 FF ab z %", s.chars());
    s.format("%q%d", 5);  // the unknown conversion takes no argument
    EXPECT_STREQ("5", s.chars());
    s.format("%d|%u|%x|%x", 0, 0u, 0u, 0xDEADBEEFu);
    EXPECT_STREQ("0|0|0|DEADBEEF", s.chars());
    s.format("%u", 4294967295u);
    EXPECT_STREQ("4294967295", s.chars());
    s.format("%d", INT_MAX);
    EXPECT_STREQ("2147483647", s.chars());
}

TEST(KString, FormatMostNegativeInt) {
    KString s;
    s.format("%d", INT_MIN);
    EXPECT_STREQ("-2147483648", s.chars());
    EXPECT_EQ(11, s.length());
}

TEST(KString, FormatWithItselfAsArgumentAndTrailingPercent) {
    KString s("C:\\x");
    s.format("Fatal error: could not copy %s.", s.chars());
    EXPECT_STREQ("Fatal error: could not copy C:\\x.", s.chars());
    s.format("100%");
    EXPECT_STREQ("100", s.chars());
    EXPECT_EQ(3, s.length());
}

TEST(PathFunctions, TrailingBackslash) {
    KString empty;
    ensureTrailingBackslash(empty);
    EXPECT_STREQ("", empty.chars());
    KString a("C:\\x");
    ensureTrailingBackslash(a);
    ensureTrailingBackslash(a);
    EXPECT_STREQ("C:\\x\\", a.chars());
    KString b("C:\\x\\\\");
    stripTrailingBackslash(b);
    EXPECT_STREQ("C:\\x\\", b.chars());
    KString c("  D:\\Apps\\ ");
    trimAndStrip(c);
    EXPECT_STREQ("D:\\Apps", c.chars());
    KString d(" D:\\Apps\t");
    trimAndEnsure(d);
    EXPECT_STREQ("D:\\Apps\\", d.chars());
}
