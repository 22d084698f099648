// The main of every test program: runs the tests, then ends every thread the
// platform started (see platform/shutdown.h) before the process exits.

#include <gtest/gtest.h>

#include "platform/shutdown.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    platform::Shutdown();
    return result;
}
