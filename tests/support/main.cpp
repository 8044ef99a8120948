// The test runner enters the COM apartment the way the program's user-interface thread does.

#include <gtest/gtest.h>

#include "shell/com_apartment.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const corvane::com_apartment apartment;
    return RUN_ALL_TESTS();
}
