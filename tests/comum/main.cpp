// The main of every test program (also of the film process the tests start):
// runs the tests, then ends every thread the platform started (see
// platform/shutdown.h) before the process exits.

#include <gtest/gtest.h>

#include "platform/shutdown.h"
#include "platform/video.h"

int main(int argc, char** argv) {
    platform::RunChildRoleIfAsked();  // films play in a process of their own
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    platform::Shutdown();
    return result;
}
