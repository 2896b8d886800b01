#include "app/toolkit/toolkit_application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The windows are real but drawn nowhere, also when run by hand.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    tavex::ToolkitApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
