// The largest block this test program has asked malloc for (operator new
// asks it too) since the last reset: a replay that believes a huge count
// shows here even where the system grants the block.
#ifndef LKP_TESTS_OLDLOG_ALLOCATIONWATCH_H
#define LKP_TESTS_OLDLOG_ALLOCATIONWATCH_H

#include <cstddef>

void resetLargestAllocation();
size_t largestAllocation();

#endif
