#include "app/toolkit/toolkit_application.h"

#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The windows are real but drawn nowhere, also when run by hand.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    tavex::ToolkitApplication app(argc, argv);
    // Settings go to a folder of the tests' own, emptied for each run.
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    return RUN_ALL_TESTS();
}
