#include "app/toolkit/control_array.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tavex {
namespace {

TEST(ControlArray, NewElementCopiesElementZeroAsItIsNow)
{
    QWidget panel;
    auto* grid = new QGridLayout(&panel);
    auto* box = new QLineEdit("-5", &panel);
    box->setToolTip("lower limit");
    QFont font("Verdana");
    font.setPointSize(13);
    box->setFont(font);
    grid->addWidget(box, 2, 1);
    ControlArray<QLineEdit> boxes("txtLL", box);
    EXPECT_EQ(box->objectName(), "txtLL_0");

    box->setText("7"); // typed before the copy is made
    panel.show();
    QLineEdit* copy = boxes.Load(1);
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1], copy);
    EXPECT_EQ(copy->objectName(), "txtLL_1");
    EXPECT_EQ(copy->text(), "7");
    EXPECT_EQ(copy->toolTip(), "lower limit");
    EXPECT_EQ(copy->font(), box->font());
    EXPECT_EQ(copy->parentWidget(), &panel);
    EXPECT_TRUE(copy->isHidden());
    EXPECT_TRUE(box->isVisible());

    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(copy), &row, &column, &rowSpan, &columnSpan);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 1);

    // Later changes of element 0 stay its own.
    box->setText("8");
    EXPECT_EQ(boxes.Load(2)->text(), "8");
    EXPECT_EQ(copy->text(), "7");
}

TEST(ControlArray, CopiesCaptionsAndStatesOfEveryKind)
{
    QWidget panel; // no layout: the copy takes element 0's place
    auto* label = new QLabel("Lower limit:", &panel);
    label->setGeometry(10, 20, 100, 16);
    auto* power = new QCheckBox("Power", &panel);
    power->setChecked(false);
    power->setToolTip("Uncheck for Trigonometric");
    auto* add = new QPushButton("Add values", &panel);
    add->setEnabled(false);

    ControlArray<QLabel> labels("lblLL", label);
    ControlArray<QCheckBox> powers("chkPower", power);
    ControlArray<QPushButton> adds("cmdAddVars", add);

    EXPECT_EQ(labels.Load(1)->text(), "Lower limit:");
    EXPECT_EQ(labels[1]->geometry(), QRect(10, 20, 100, 16));
    EXPECT_FALSE(powers.Load(1)->isChecked());
    EXPECT_EQ(powers[1]->text(), "Power");
    EXPECT_EQ(powers[1]->toolTip(), "Uncheck for Trigonometric");
    EXPECT_EQ(adds.Load(1)->text(), "Add values");
    EXPECT_FALSE(adds[1]->isEnabled());
    EXPECT_EQ(adds[1]->objectName(), "cmdAddVars_1");
}

} // namespace
} // namespace tavex
