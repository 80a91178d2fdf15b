// The end-to-end driver: GoogleTest scenarios, or with "--screenshots DIR"
// a walk through the pages that waits at each for a screenshot.
#include <gtest/gtest.h>

#include <cstring>

#include "Screenshots.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--screenshots") == 0)
        return walkForScreenshots(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
