#include <gtest/gtest.h>

#include <climits>
#include <new>

#include "MessageBoxCatcher.h"
#include "app/OutOfMemory.h"
#include "base/KString.h"

// An allocation no process can have: a 32-bit one fails at 2 GB, a 64-bit
// one only far beyond.
const size_t Impossible = sizeof(void*) == 4 ? size_t(INT_MAX) : size_t(1) << 62;

TEST(OutOfMemory, OneMessageThenBadAllocation) {
    MessageBoxCatcher catcher;
    std::new_handler previous = std::set_new_handler(outOfMemoryHandler);
    KString text("x");
    bool thrown = false;
    try {
        ::operator delete(::operator new(Impossible));
    } catch (const std::bad_alloc& e) {
        thrown = true;
        EXPECT_STREQ("bad allocation", e.what());
    }
    std::set_new_handler(previous);
    EXPECT_TRUE(thrown);
    auto boxes = catcher.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Out of memory.", boxes[0].text);
    EXPECT_EQ("Irrecoverable error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR | MB_OK), boxes[0].style);
    EXPECT_EQ(nullptr, boxes[0].owner);
    EXPECT_STREQ("x", text.chars());  // the string is untouched
}
