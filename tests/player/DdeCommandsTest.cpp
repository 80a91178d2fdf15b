#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Probes.h"
#include "ddecommands.h"

namespace {

// The text copied so that its last byte is the last readable one: a parser
// that reads past the length it was given faults instead of passing.
class GuardedText {
public:
    explicit GuardedText(const std::string& text) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        size_t pages = (text.size() + page_ - 1) / page_ + 1;
        base_ = static_cast<char*>(
            VirtualAlloc(nullptr, pages * page_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + (pages - 1) * page_, page_, PAGE_NOACCESS, &old);
        at_ = base_ + (pages - 1) * page_ - text.size();
        std::memcpy(at_, text.data(), text.size());
    }
    ~GuardedText() { VirtualFree(base_, 0, MEM_RELEASE); }
    const char* data() const { return at_; }

private:
    size_t page_ = 0;
    char* base_ = nullptr;
    char* at_ = nullptr;
};

// "load:path" or "play" per command; empty when refused.
std::vector<std::string> parse(const std::string& text) {
    GuardedText guarded(text);
    PlayerCommand commands[PlayerMaxCommands];
    int count = parsePlayerCommands(guarded.data(), text.size(), commands, PlayerMaxCommands);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(commands[i].verb == PlayerLoad ? "load:" + std::string(commands[i].path)
                                                        : std::string("play"));
    return result;
}

std::string loads(const std::string& path, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += "[load(\"" + path + "\")]";
    return text;
}

using Commands = std::vector<std::string>;

}  // namespace

TEST(DdeCommands, AcceptsTheRegisteredFormsAndTheirVariants) {
    const std::string path259 = "C:\\" + std::string(256, 'x');
    const struct {
        std::string text;
        Commands expected;
    } cases[] = {
        // The two strings the file types register, as the shell fills them in.
        {"[load(\"C:\\Songs\\sample1.kar\")]", {"load:C:\\Songs\\sample1.kar"}},
        {"[load(\"C:\\Songs\\sample3.mid\")][play]", {"load:C:\\Songs\\sample3.mid", "play"}},
        // The NUL that ends the string, and whatever follows it, is not read.
        {std::string("[play]\0[bogus", 12), {"play"}},
        {"[load(\"C:\\My Songs [live] (2)\\a, b; c.kar\")]",
         {"load:C:\\My Songs [live] (2)\\a, b; c.kar"}},
        {" [ LOAD ( \"C:\\a.mid\" ) ]\r\n [Play()] \t", {"load:C:\\a.mid", "play"}},
        {"[load(C:\\My Songs\\a.mid )]", {"load:C:\\My Songs\\a.mid"}},
        {"[load(\"a\")][load(\"b\")][play][play]", {"load:a", "load:b", "play", "play"}},
        {"[load(\"" + path259 + "\")]", {"load:" + path259}},
        {loads("a", PlayerMaxCommands), Commands(PlayerMaxCommands, "load:a")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, parse(c.text)) << c.text;
}

TEST(DdeCommands, RefusesMalformedInputWhole) {
    const std::string path260 = "C:\\" + std::string(257, 'x');
    const std::string refused[] = {
        "", " \r\n", std::string("\0[play]", 7),
        "[", "]", "[]", "[play", "play", "[play]]", "[[play]]", "[play]x", "[play][",
        "[load(\"C:\\a.kar)]",       // unbalanced quote
        "[load(\"C:\\a.kar\"]",      // unbalanced parenthesis
        "[load(C:\\a.kar]", "[load C:\\a.kar]", "[load]", "[load()]", "[load(\"\")]",
        "[load(\"a\",\"b\")]", "[load(a,b)]", "[load(\"a\"b)]", "[load(a\"b)]",
        "[load(\"a\tb\")]",          // control characters are no part of a path
        "[play(\"a\")]", "[play(]",
        "[stop]", "[open(\"C:\\a.kar\")]", "[loadx(\"a\")]", "[load2(\"a\")]",
        "[load(\"a\")][stop]",       // one unknown command refuses all of them
        std::string("[\0l\0o\0a\0d\0(\0\"\0a\0\"\0)\0]\0\0", 24),  // UTF-16 that was not converted
        "[load(\"" + path260 + "\")]",
        loads("a", PlayerMaxCommands + 1),
    };
    for (const auto& text : refused)
        EXPECT_EQ(Commands(), parse(text)) << text;

    // The length given ends the text even without a NUL.
    PlayerCommand commands[PlayerMaxCommands];
    EXPECT_EQ(0, parsePlayerCommands("[play]", 5, commands, PlayerMaxCommands));
    EXPECT_EQ(0, parsePlayerCommands(nullptr, 6, commands, PlayerMaxCommands));
    EXPECT_EQ(0, parsePlayerCommands("[play]", 6, commands, 0));
}

// Truncations and byte changes of valid strings: never a crash, never a read
// past the text, and whatever is accepted is well formed.
TEST(DdeCommands, DamagedStringsAreRefusedOrWellFormed) {
    const std::string seeds[] = {"[load(\"C:\\Songs [1]\\a (b).kar\")][play]",
                                 "[load(C:\\x.mid)][play()]"};
    const char replacements[] = {'\0', '"', '[', ']', '(', ')', ',', ' ', 'x', '\t'};
    for (const std::string& seed : seeds) {
        for (size_t at = 0; at <= seed.size(); ++at) {
            std::vector<std::string> texts = {seed.substr(0, at)};
            if (at < seed.size())
                for (char c : replacements)
                    texts.push_back(seed.substr(0, at) + c + seed.substr(at + 1));
            for (const std::string& text : texts) {
                GuardedText guarded(text);
                PlayerCommand commands[PlayerMaxCommands];
                int count = parsePlayerCommands(guarded.data(), text.size(), commands,
                                                PlayerMaxCommands);
                ASSERT_GE(count, 0);
                ASSERT_LE(count, int(PlayerMaxCommands));
                for (int i = 0; i < count; ++i) {
                    const char* path = commands[i].path;
                    size_t length = strnlen(path, PlayerMaxPath);
                    ASSERT_LT(length, size_t(PlayerMaxPath));
                    EXPECT_EQ(commands[i].verb == PlayerLoad, length > 0) << text;
                    for (size_t k = 0; k < length; ++k)
                        EXPECT_GE(static_cast<unsigned char>(path[k]), 0x20) << text;
                }
            }
        }
    }
}

TEST(DdeCommands, TitleNamesTheFileAndStaysAPlayerTitle) {
    const std::string suffix = " - Lorimund's Karaoke Player";
    const std::string name231(231, 'n'), name255(255, 'n');
    const struct {
        std::string path;
        std::string title;
    } cases[] = {
        {"C:\\Program Files\\Lorimund's Karaoke Player\\sample1.kar", "sample1.kar" + suffix},
        {"sample3.mid", "sample3.mid" + suffix},
        {"C:/Songs/a [b].midi", "a [b].midi" + suffix},
        {"C:\\Songs\\", "Lorimund's Karaoke Player"},
        {"C:\\" + name231, name231 + suffix},  // the longest name kept whole
        {"C:\\" + name255, std::string(228, 'n') + "..." + suffix},
    };
    for (const auto& c : cases) {
        char title[PlayerMaxTitle + 16];
        std::memset(title, '#', sizeof(title));
        makePlayerTitle(c.path.c_str(), title);
        EXPECT_EQ(c.title, title) << c.path;
        EXPECT_LT(std::strlen(title), size_t(PlayerMaxTitle));
        EXPECT_TRUE(isPlayerWindowTitle(title)) << title;
    }
}
