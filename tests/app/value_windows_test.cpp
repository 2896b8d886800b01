// The function window and the values grid driven by keys.
#include "commands/command_states.h"
#include "main_window_fixture.h"

namespace tavex {
namespace {

class ValueWindowsTest : public MainWindowTest {
protected:
    // Keys go where the window system sends them: the active window's focus widget.
    QWidget* KeyTarget() const
    {
        QWidget* target = QApplication::focusWidget();
        EXPECT_TRUE(target) << "no window is active";
        return target ? target : window.get();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(KeyTarget(), key, modifiers);
    }
    // Each key goes where the one before left the focus.
    void Keys(const char* text)
    {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(KeyTarget(), *c);
    }
    void TabTo(const char* name)
    {
        for (int i = 0; i < 30 && KeyTarget()->objectName() != QLatin1String(name); ++i)
            Press(Qt::Key_Tab);
        ASSERT_EQ(KeyTarget()->objectName().toStdString(), name);
    }
    std::string Cell(int row) const
    {
        auto* grid = Find<QTableView>("MSFlexGridVars");
        return grid->model()->index(row, 1).data().toString().toStdString();
    }
};

TEST_F(ValueWindowsTest, KeyboardAloneTypesTheTableAndComputes)
{
    // x in 0, 1, 2 and y in 0 .. 3; f = 1 + x + 2y + xy, typed point by point
    // in the odometer order, the last four pasted from a spreadsheet.
    Declare("2", "x,y");
    Fields({"0", "2", "0", "*", "3"});
    TabTo("cmdNextVar");
    Press(Qt::Key_Space);
    Fields({"0", "3", "0", "*", "4"});
    TabTo("cmdEditFun");
    answers = {"0,4", "0,0"}; // index 4 of y lies outside: asked again
    Press(Qt::Key_Space);
    EXPECT_EQ(asked, (Names{"Review of function", "Review of function"}));
    auto* frmFun = Find("frmFun");
    ASSERT_TRUE(frmFun && frmFun->isVisible());
    ASSERT_TRUE(Activate(frmFun));
    EXPECT_FALSE(window->isEnabled());
    EXPECT_EQ(KeyTarget()->objectName(), "txtFun");
    const auto f = [](int x, int y) { return 1 + x + 2 * y + x * y; };
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 4; ++y) {
            Keys(std::to_string(f(x, y)).c_str());
            Press(Qt::Key_Return);
        }
    EXPECT_EQ(Box("txtFunIndex_0")->text() + Box("txtFunIndex_1")->text(), "20");
    EXPECT_EQ(Box("txtFun")->selectedText(), "0"); // ready to be overtyped
    QApplication::clipboard()->setText("3\t7\n11\t15\n");
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Find<QLabel>("lblPasted")->text(), "4 values stored.");
    Press(Qt::Key_Escape);
    EXPECT_TRUE(window->isEnabled() && !frmFun->isVisible());
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(window->model().funTable(x, y, 0, 0), f(x, y)) << x << "," << y;

    ASSERT_TRUE(Activate(window.get()));
    EXPECT_EQ(KeyTarget()->objectName(), "cmdEditFun"); // where the keys left it
    TabTo("cmdCompute");
    Press(Qt::Key_Space);
    EXPECT_TRUE(window->model().IsComputed());
}

TEST_F(ValueWindowsTest, GridStoresWhatIsTypedDeletesByMovingTheLastValueAndAddValuesReLays)
{
    Declare("2", "x,y");
    Fields({"1", "4", "*", "*", "4"});
    // f(i, j) = 10 i + j
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j)
            window->model().funTable(i, j, 0, 0) = 10 * i + j;
    Click("cmdCompute");
    ASSERT_FALSE(Listing().empty());

    TabTo("cmdEditVars_0");
    Press(Qt::Key_Space);
    auto* frmVars = Find("frmVars");
    ASSERT_TRUE(frmVars && Activate(frmVars));
    EXPECT_FALSE(Find<QCheckBox>("chkSpaced_0")->isChecked() || Box("txtTerms_0")->isEnabled());
    // A number typed on the grid opens the entry box on the current cell;
    // letters and Backspace are dropped; the cell shows the text as typed.
    Press(Qt::Key_Down);
    Keys("1.5xe-3");
    Press(Qt::Key_Backspace);
    EXPECT_EQ(window->model().Var(0).Value(1), 1.5e-3);
    EXPECT_EQ(Cell(1), "1.5e-3");
    // The coefficients were those of other data: still listed, but out of date.
    EXPECT_FALSE(Listing().empty());
    EXPECT_EQ(window->FitLineText().toStdString(), command::kOutOfDateLine);
    // Enter leaves the box on its cell; the grid's arrow moves on and the box goes.
    Press(Qt::Key_Return);
    Press(Qt::Key_Down);
    EXPECT_FALSE(Box("txtDataEntry")->isVisible());
    Press(Qt::Key_Up);
    Keys("2");
    Press(Qt::Key_Up); // the box follows to row 0 and back
    EXPECT_TRUE(Box("txtDataEntry")->isVisible() && Box("txtDataEntry")->geometry().top() < 5);
    Press(Qt::Key_Down);

    // Delete row 1 of 1, 2, 3, 4: the last value and its slice of the table move in.
    Click("cmdDelete");
    EXPECT_EQ(Cell(0) + " " + Cell(1) + " " + Cell(2), "1 4 3");
    EXPECT_EQ(Box("txtTerms_0")->text(), "3");
    Click("cmdDelete");
    Click("cmdDelete"); // two values are left: refused
    EXPECT_EQ(told, (Names{"A variable needs at least two values; nothing was deleted."}));
    EXPECT_EQ(window->model().Var(0).valueUpper, 1);
    // Ctrl+V of a column fills the rows from the current one, never past the last.
    TabTo("MSFlexGridVars");
    Press(Qt::Key_Up);
    QApplication::clipboard()->setText("7\n8\n9\n");
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(0) + " " + Cell(1), "7 8");
    Press(Qt::Key_Escape);
    ASSERT_TRUE(window->isEnabled() && Activate(window.get()));

    // Add values to y: the table keeps every value at its point, the grid shows the new zeros.
    answers = {"2.5"};
    Click("cmdNextVar");
    Click("cmdAddVars_1");
    EXPECT_EQ(asked, (Names{"Add values for variable y"}));
    EXPECT_EQ(Box("txtTerms_1")->text(), "4");
    EXPECT_FALSE(Box("txtTerms_1")->isEnabled());
    auto* grid = Find("frmVars");
    ASSERT_TRUE(grid && grid->isVisible());
    EXPECT_EQ(Cell(1) + " " + Cell(3), "5 0");
    grid->close();
    answers = {"abc"};
    Click("cmdPrevVar");
    Click("cmdAddVars_0"); // adds nothing: no grid
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->model().Var(0).valueUpper, 1);
}

} // namespace
} // namespace tavex
