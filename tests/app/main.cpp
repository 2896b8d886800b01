#include "app/toolkit/toolkit_application.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The windows are real but drawn nowhere, also when run by hand.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    tavex::ToolkitApplication app(argc, argv);
    // Settings go to a folder of this process's own: test programs run side by side.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
