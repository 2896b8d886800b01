#include "app/toolkit/field_events.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

// A window with a checked field, a plain field that selects all on focus, a
// label with a mnemonic for it, two buttons (one with a mnemonic) and a menu.
class FieldEventsTest : public testing::Test {
protected:
    void SetUp() override
    {
        events.reset(); // before its window, when a test sets up afresh
        window = std::make_unique<QMainWindow>();
        auto* grid = new QGridLayout(new QWidget(window.get()));
        grid->addWidget(checked = new QLineEdit("bad"), 0, 0);
        grid->addWidget(label = new QLabel("&Bee"), 1, 0);
        grid->addWidget(plain = new QLineEdit("plain text"), 1, 1);
        grid->addWidget(button = new QPushButton("Button"), 2, 0);
        grid->addWidget(exitButton = new QPushButton("E&xit"), 2, 1);
        label->setBuddy(plain);
        window->setCentralWidget(grid->parentWidget());
        save = window->menuBar()->addMenu("&File")->addAction("Save", QKeySequence::Save, [this] { ++saves; });
        for (QPushButton* each : {button, exitButton})
            QObject::connect(each, &QPushButton::clicked, [this] { ++clicks; });
        events = std::make_unique<FieldEvents>(window.get());
        events->SetValidate(checked, [this] { return ++checks, checked->text() == "ok"; });
        events->SetLostFocus(checked, [this] { ++lostFocus; });
        events->SetGotFocus(plain, [this] { ++plainGotFocus; });
        events->SelectAllOnFocus(plain);
        window->show();
        ASSERT_TRUE(Activate(window.get()));
        checked->setFocus();
        ASSERT_TRUE(checked->hasFocus());
        checks = lostFocus = clicks = saves = plainGotFocus = 0;
    }

    void Accept() { checked->setText("ok"); }
    // The checks run, the lost-focus steps of the checked field, the got-focus steps of the plain one.
    std::tuple<int, int, int> Steps() const { return {checks, lostFocus, plainGotFocus}; }

    std::unique_ptr<QMainWindow> window;
    QLineEdit *checked = nullptr, *plain = nullptr;
    QPushButton *button = nullptr, *exitButton = nullptr;
    QLabel* label = nullptr;
    QAction* save = nullptr;
    std::unique_ptr<FieldEvents> events; // goes before the window
    int checks = 0, lostFocus = 0, clicks = 0, saves = 0, plainGotFocus = 0;
};

TEST_F(FieldEventsTest, EveryWayOfLeavingRunsTheCheckFirstAndARefusalSwallowsIt)
{
    struct Way { const char* name; std::function<void()> leave; QWidget* reached; int clicks; };
    // Built afresh for each way: every way starts in a window of its own.
    const auto ways = [this] { return std::vector<Way>{
        {"Tab", [this] { QTest::keyClick(checked, Qt::Key_Tab); }, plain, 0},
        {"Shift+Tab", [this] { QTest::keyClick(checked, Qt::Key_Backtab, Qt::ShiftModifier); }, exitButton, 0},
        {"click", [this] { QTest::mouseClick(button, Qt::LeftButton); }, button, 1},
        {"double click", [this] { QTest::mouseDClick(button, Qt::LeftButton); }, button, 0},
        {"click through the window system, which passes it on", [this] {
             QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window.get(), QPoint(5, 5)));
         }, button, 1},
        {"click on another field", [this] { QTest::mouseClick(plain, Qt::LeftButton); }, plain, 0},
        {"a label's mnemonic", [this] { QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier); }, plain, 0},
        {"a button's mnemonic, its click animated", [this] {
             QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
             QTest::qWait(300);
         }, exitButton, 1},
    }; };
    for (std::size_t i = 0; i < ways().size(); ++i) {
        SetUp();
        const Way way = ways()[i];
        for (const bool accepted : {false, true}) {
            checks = 0;
            if (accepted)
                Accept();
            way.leave();
            // Reached by Tab, click or mnemonic, the plain field's whole text is selected.
            const bool inPlain = accepted && way.reached == plain;
            EXPECT_EQ(std::tuple(window->focusWidget(), checks, lostFocus, clicks, plainGotFocus, plain->selectedText()),
                      std::tuple(accepted ? way.reached : checked, 1, accepted ? 1 : 0, accepted ? way.clicks : 0,
                                 inPlain ? 1 : 0, QString(inPlain ? "plain text" : "")))
                << way.name << (accepted ? ", accepted" : ", refused");
        }
    }
}

TEST_F(FieldEventsTest, ClicksOnTheFieldOrALabelMenusAndProgramMovesRunNoCheck)
{
    QTest::mouseClick(checked, Qt::LeftButton);
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QMenuBar* bar = window->menuBar();
    QMenu* file = bar->actions().front()->menu();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(save).center());
    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_Return);
    EXPECT_EQ(saves, 3);
    EXPECT_EQ(window->focusWidget(), checked);
    EXPECT_EQ(Steps(), std::tuple(0, 0, 0));

    plain->setFocus();
    EXPECT_EQ(Steps(), std::tuple(0, 1, 1));
    // A click in the field that has the focus places the cursor.
    QTest::mouseClick(plain, Qt::LeftButton, {}, QPoint(3, plain->height() / 2));
    EXPECT_FALSE(plain->hasSelectedText());
}

TEST_F(FieldEventsTest, OtherWindowsAreNotItsBusinessButItsStepsRunWhenInactive)
{
    QWidget other;
    auto* otherBox = new QLineEdit(&other);
    other.show();
    ASSERT_TRUE(Activate(&other));
    QTest::mouseClick(otherBox, Qt::LeftButton);
    EXPECT_TRUE(otherBox->hasFocus());
    ASSERT_TRUE(Activate(window.get()));
    EXPECT_TRUE(checked->hasFocus());
    EXPECT_EQ(Steps(), std::tuple(0, 0, 0));

    // Qt sends the controls of an inactive window no focus events; the steps follow its focus widget all the same.
    ASSERT_TRUE(Activate(&other));
    Accept();
    QTest::keyClick(checked, Qt::Key_Tab);
    EXPECT_EQ(window->focusWidget(), plain);
    EXPECT_EQ(Steps(), std::tuple(1, 1, 1));
    EXPECT_EQ(plain->selectedText(), "plain text");
    // A focus left on a control that was hidden moves on, as Qt moves it in an active window.
    plain->hide();
    QCoreApplication::processEvents();
    EXPECT_NE(window->focusWidget(), plain);
    EXPECT_EQ(events->FieldWithFocus(), window->focusWidget());
}

} // namespace
} // namespace tavex
