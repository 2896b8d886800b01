#include "app/toolkit/tab_order.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tavex {
namespace {

class TabOrderTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (const char* name : {"a", "b", "c", "d", "x"}) {
            auto* box = new QLineEdit(&window);
            box->setObjectName(name);
            layout->addWidget(box);
            boxes.push_back(box);
        }
    }

    // The order in which Tab visits the boxes, starting at the first.
    std::string Visited(std::size_t count)
    {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        order.Controls().front()->setFocus();
        std::string visited;
        for (std::size_t i = 0; i < count; ++i) {
            visited += QApplication::focusWidget()->objectName().toStdString();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return visited;
    }

    std::string Names() const
    {
        std::string names;
        for (QWidget* control : order.Controls())
            names += control->objectName().toStdString();
        return names;
    }

    QWidget window;
    std::vector<QWidget*> boxes;
    TabOrder order{{}};
};

TEST_F(TabOrderTest, PositionPushesTheRestBack)
{
    order = TabOrder({boxes[3], boxes[2], boxes[1], boxes[0]});
    EXPECT_EQ(Visited(4), "dcba");
    EXPECT_EQ(order.PositionOf(boxes[4]), -1);

    order.SetPosition(boxes[4], 1);
    EXPECT_EQ(Names(), "dxcba");
    EXPECT_EQ(order.PositionOf(boxes[4]), 1);
    EXPECT_EQ(order.PositionOf(boxes[2]), 2);

    // A control that has a position leaves its old place.
    order.SetPosition(boxes[0], 0);
    EXPECT_EQ(Names(), "adxcb");
    order.SetPosition(boxes[3], 99);
    EXPECT_EQ(Names(), "axcbd");
    EXPECT_EQ(Visited(6), "axcbda");
}

TEST_F(TabOrderTest, InsertingBackwardsAtOnePlaceGivesTheForwardOrder)
{
    // The way further variables' fields are placed: from the last variable
    // down, each field given the same position.
    order = TabOrder({boxes[0], boxes[1]});
    order.SetPosition(boxes[4], 1);
    order.SetPosition(boxes[3], 1);
    order.SetPosition(boxes[2], 1);
    EXPECT_EQ(Names(), "acdxb");
    EXPECT_EQ(Visited(5), "acdxb");
}

TEST_F(TabOrderTest, HiddenControlsAreSkippedButKeepTheirPlace)
{
    order = TabOrder(boxes);
    boxes[1]->hide();
    EXPECT_EQ(Visited(5), "acdxa");
    boxes[1]->show();
    EXPECT_EQ(Visited(6), "abcdxa");
}

} // namespace
} // namespace tavex
