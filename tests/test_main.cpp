// The test program: one application object for every test, on the offscreen
// platform unless another one is asked for.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/application.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    VorpantaApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
