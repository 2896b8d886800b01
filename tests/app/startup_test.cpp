#include "app/help_window.h"
#include "app/startup_pause.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace tavex {
namespace {

using Clock = std::chrono::system_clock;
using std::chrono::milliseconds;

TEST(StartupPause, LastsBetweenTwoAndThreeSeconds)
{
    const Clock::time_point whole{std::chrono::seconds(1000)};
    // Begun on a boundary: three seconds.
    EXPECT_FALSE(StartupPauseOver(whole, whole + milliseconds(2999)));
    EXPECT_TRUE(StartupPauseOver(whole, whole + milliseconds(3000)));
    // Begun just before a boundary: a little over two.
    const Clock::time_point late = whole + milliseconds(999);
    EXPECT_FALSE(StartupPauseOver(late, whole + milliseconds(2999)));
    EXPECT_TRUE(StartupPauseOver(late, whole + milliseconds(3000)));
}

QTextBrowser* OpenedViewer()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == "frmHelp" && window->isVisible())
            return qobject_cast<QTextBrowser*>(window);
    return nullptr;
}

TEST(Help, ShowsTheFileOrNamesTheMissingPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("tavex.hlp");

    ShowHelp(path);
    QTextBrowser* viewer = OpenedViewer();
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->toPlainText().contains(path));
    viewer->close();
    delete viewer;

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<h1>Tavex help</h1><p>Declare the variables.</p>");
    file.close();
    ShowHelp(path);
    viewer = OpenedViewer();
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->toPlainText().startsWith("Tavex help"));
    EXPECT_EQ(viewer->textCursor().position(), 0);
    delete viewer;
}

} // namespace
} // namespace tavex
