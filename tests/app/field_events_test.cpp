#include "app/toolkit/field_events.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tavex {
namespace {

// A window with a checked field, a plain field, a button, a label with a
// mnemonic for the plain field, a button with a mnemonic and a menu.
class FieldEventsTest : public testing::Test {
protected:
    void SetUp() override
    {
        events.reset(); // before its window, when a test sets up afresh
        window = std::make_unique<QMainWindow>();
        auto* central = new QWidget(window.get());
        auto* grid = new QGridLayout(central);
        checked = new QLineEdit("bad", central);
        plain = new QLineEdit("plain text", central);
        button = new QPushButton("Button", central);
        exitButton = new QPushButton("E&xit", central);
        label = new QLabel("&Bee", central);
        label->setBuddy(plain);
        grid->addWidget(checked, 0, 0);
        grid->addWidget(label, 1, 0);
        grid->addWidget(plain, 1, 1);
        grid->addWidget(button, 2, 0);
        grid->addWidget(exitButton, 2, 1);
        window->setCentralWidget(central);

        QMenu* file = window->menuBar()->addMenu("&File");
        save = file->addAction("Save");
        save->setShortcut(QKeySequence::Save);
        QObject::connect(save, &QAction::triggered, [this] { ++saves; });
        QObject::connect(button, &QPushButton::clicked, [this] { ++buttonClicks; });
        QObject::connect(exitButton, &QPushButton::clicked, [this] { ++exitClicks; });

        events = std::make_unique<FieldEvents>(window.get());
        events->SetValidate(checked, [this] {
            ++checks;
            return checked->text() == "ok";
        });
        events->SetLostFocus(checked, [this] { ++lostFocus; });
        events->SetGotFocus(plain, [this] { ++plainGotFocus; });
        events->SelectAllOnFocus(plain);

        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        checked->setFocus();
        ASSERT_TRUE(checked->hasFocus());
        lostFocus = 0;
    }

    void Accept() { checked->setText("ok"); }

    std::unique_ptr<QMainWindow> window;
    QLineEdit* checked = nullptr;
    QLineEdit* plain = nullptr;
    QPushButton* button = nullptr;
    QPushButton* exitButton = nullptr;
    QLabel* label = nullptr;
    QAction* save = nullptr;
    std::unique_ptr<FieldEvents> events; // goes before the window
    int checks = 0, lostFocus = 0, buttonClicks = 0, exitClicks = 0, saves = 0, plainGotFocus = 0;
};

TEST_F(FieldEventsTest, EveryWayOfLeavingRunsTheCheckFirst)
{
    struct Way {
        const char* name;
        std::function<void()> leave;
        int clicks; // of the button reached
    };
    const Way ways[] = {
        {"Tab", [this] { QTest::keyClick(checked, Qt::Key_Tab); }, 0},
        {"Shift+Tab", [this] { QTest::keyClick(checked, Qt::Key_Backtab, Qt::ShiftModifier); }, 0},
        {"click", [this] { QTest::mouseClick(button, Qt::LeftButton); }, 1},
        {"double click", [this] { QTest::mouseDClick(button, Qt::LeftButton); }, 0},
        // The road of a real click: to the window first, which passes it on.
        {"click through the window system",
         [this] {
             const QPoint at = button->mapTo(window.get(), button->rect().center());
             QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
         },
         1},
        {"a label's mnemonic", [this] { QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier); },
         0},
    };
    for (const Way& way : ways) {
        SetUp();
        checks = buttonClicks = 0;
        way.leave();
        EXPECT_TRUE(checked->hasFocus()) << way.name;
        EXPECT_EQ(lostFocus, 0) << way.name;
        EXPECT_EQ(checks, 1) << way.name;
        EXPECT_EQ(buttonClicks, 0) << way.name << ": the refused click happened";

        Accept();
        checks = 0;
        way.leave();
        EXPECT_FALSE(checked->hasFocus()) << way.name;
        EXPECT_EQ(lostFocus, 1) << way.name;
        EXPECT_EQ(checks, 1) << way.name;
        EXPECT_EQ(buttonClicks, way.clicks) << way.name;
    }
}

TEST_F(FieldEventsTest, MnemonicOfAButtonMovesTheFocusBeforeItClicks)
{
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(exitClicks, 0);
    Accept();
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QTest::qWait(300); // the button's click is animated
    EXPECT_EQ(lostFocus, 1);
    EXPECT_TRUE(exitButton->hasFocus());
    EXPECT_EQ(exitClicks, 1);
}

TEST_F(FieldEventsTest, RefusedClickOnAnotherFieldKeepsItsCursor)
{
    plain->setCursorPosition(0);
    QTest::mouseClick(plain, Qt::LeftButton);
    EXPECT_TRUE(checked->hasFocus());
    EXPECT_FALSE(plain->hasSelectedText());
    EXPECT_EQ(plainGotFocus, 0);
}

TEST_F(FieldEventsTest, ClickOnTheFieldItselfOrOnALabelRunsNoCheck)
{
    QTest::mouseClick(checked, Qt::LeftButton);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(checked->hasFocus());
}

TEST_F(FieldEventsTest, MenuEntriesRunNoCheck)
{
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);

    QMenuBar* bar = window->menuBar();
    QAction* fileEntry = bar->actions().front();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(fileEntry).center());
    QMenu* menu = fileEntry->menu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(save).center());
    EXPECT_EQ(saves, 2);

    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(saves, 3);

    EXPECT_EQ(checks, 0);
    EXPECT_EQ(lostFocus, 0);
    EXPECT_EQ(QApplication::focusWidget(), checked);
}

TEST_F(FieldEventsTest, ProgramMovesTheFocusWithoutACheck)
{
    plain->setFocus();
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(lostFocus, 1);
    EXPECT_EQ(plainGotFocus, 1);
}

TEST_F(FieldEventsTest, SelectsTheWholeTextWhetherTabbedOrClicked)
{
    Accept();
    QTest::mouseClick(plain, Qt::LeftButton);
    EXPECT_TRUE(plain->hasFocus());
    EXPECT_EQ(plain->selectedText(), "plain text");
    EXPECT_EQ(plainGotFocus, 1);

    // A second click in the field that has the focus places the cursor.
    QTest::mouseClick(plain, Qt::LeftButton, {}, QPoint(3, plain->height() / 2));
    EXPECT_FALSE(plain->hasSelectedText());

    checked->setFocus();
    QTest::keyClick(checked, Qt::Key_Tab);
    ASSERT_TRUE(plain->hasFocus());
    EXPECT_EQ(plain->selectedText(), "plain text");
    EXPECT_EQ(plainGotFocus, 2);
}

TEST_F(FieldEventsTest, OtherWindowsAreNotTheFieldsBusiness)
{
    QWidget other;
    auto* otherBox = new QLineEdit(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::mouseClick(otherBox, Qt::LeftButton);
    EXPECT_TRUE(otherBox->hasFocus());

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(checked->hasFocus());
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(lostFocus, 0);
}

TEST_F(FieldEventsTest, StepsRunInAWindowThatIsNotActive)
{
    // Qt sends the controls of an inactive window no focus events; the steps follow its focus widget all the same.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    Accept();
    QTest::keyClick(checked, Qt::Key_Tab);
    EXPECT_EQ(window->focusWidget(), plain);
    EXPECT_EQ(lostFocus, 1);
    EXPECT_EQ(plainGotFocus, 1);
    EXPECT_EQ(plain->selectedText(), "plain text");

    // A focus left on a control that was hidden moves on, as Qt moves it in an active window.
    plain->hide();
    QCoreApplication::processEvents();
    EXPECT_NE(window->focusWidget(), plain);
    EXPECT_EQ(events->FieldWithFocus(), window->focusWidget());
}

TEST_F(FieldEventsTest, SettleRunsTheCheckAndTheLostFocusStepInPlace)
{
    EXPECT_FALSE(events->Settle());
    EXPECT_TRUE(checked->hasFocus());
    EXPECT_EQ(lostFocus, 0);

    Accept();
    checks = 0;
    EXPECT_TRUE(events->Settle());
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(lostFocus, 1);
    EXPECT_TRUE(checked->hasFocus()); // a command moves no focus
    EXPECT_EQ(events->FieldWithFocus(), checked);

    QTest::keyClick(checked, Qt::Key_Tab); // leaving it later is a step of its own
    EXPECT_EQ(lostFocus, 2);
}

} // namespace
} // namespace tavex
