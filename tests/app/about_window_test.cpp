#include "app/about_window.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace tavex {
namespace {

TEST(AboutWindow, ShowsItsLinesInOrderAndClosesOnAClick)
{
    QPointer<AboutWindow> about = ShowAbout();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_TRUE(about->windowTitle().isEmpty());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->font().pointSize(), 18);

    const QStringList lines = AboutWindow::Lines();
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines.mid(0, 4), QStringList(4, QString()));
    EXPECT_EQ(lines[4], "Tavex");
    EXPECT_EQ(lines[6], "(Tabulated Functions)");
    EXPECT_EQ(lines[12], "www.tavex.example");
    for (int i : {5, 7, 9, 11})
        EXPECT_TRUE(lines[i].isEmpty()) << i;
    EXPECT_EQ(about->findChild<QLabel*>()->text(), lines.join('\n'));

    // Anywhere: on the text too.
    QTest::mouseClick(about->findChild<QLabel*>(), Qt::LeftButton);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

} // namespace
} // namespace tavex
