#include "main_window_fixture.h"

#include <cmath>

namespace tavex {
namespace {

// The evaluation window on f = 1 + x + 2y + xy, tabulated on x in {0, 1, 2}
// and y in {0, 1} and computed; message boxes recorded in `told`.
class EvaluationWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Declare("2", NamesText());
        for (const char* text : {"0", "2", "0", "*", "3"})
            Field(text);
        Box("txtLL_1")->setText("0");
        Box("txtUL_1")->setText("1");
        Box("txtExpansion_1")->setText("0");
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j)
                window->model().funTable(i, j, 0, 0) = 1 + i + 2 * j + i * j;
        Click("cmdCompute");
        ASSERT_TRUE(window->model().isComputed);
        Click("cmdEvaluations");
    }
    virtual const char* NamesText() const { return "x,y"; }

    void Field(const char* text)
    {
        Type(text);
        Tab();
    }
    // Types into an entry of the evaluation window, replacing its text.
    void Enter(const char* entry, const char* text)
    {
        QLineEdit* box = Box(entry);
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(text));
    }
    void Compute() { QTest::keyClick(Box("txtVarx_0"), Qt::Key_Return); }
    std::string Shown(const char* label) const { return Find<QLabel>(label)->text().toStdString(); }
};

TEST_F(EvaluationWindowTest, ShowsTheApproximationTheFunctionAndTheirDifference)
{
    // The script host was started with its constants.
    EXPECT_EQ(window->ScriptMath().pi, 4 * std::atan(1.0));
    EXPECT_EQ(window->ScriptMath().halfpi, 2 * std::atan(1.0));
    EXPECT_EQ(window->ScriptMath().e, std::exp(1.0));

    auto* frmEvaluations = Find("frmEvaluations");
    ASSERT_TRUE(frmEvaluations && frmEvaluations->isVisible());
    EXPECT_TRUE(window->isEnabled()); // beside the main window, not over it
    EXPECT_EQ(Box("txtVarx_0")->text() + Box("txtVarx_1")->text(), "00");
    EXPECT_EQ(Find<QLabel>("lblVarx_1")->text(), "y=");
    EXPECT_FALSE(window->findChild<QWidget*>("txtVarx_2"));

    // A number followed by letters evaluates at the number; no formula: no comparison.
    Enter("txtVarx_0", "1.5");
    Enter("txtVarx_1", "0.5abc");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "4.25");
    EXPECT_FALSE(Find("lblFuncValue")->isVisible());
    EXPECT_EQ(window->ScriptHost().Value("x"), 1.5); // the object's field takes it
    EXPECT_EQ(window->ScriptMath().x, 1.5);

    Enter("txtFunction", "1 + x + 2*y + x*y");
    Compute();
    EXPECT_EQ(Shown("lblFuncValue"), "4.25");
    EXPECT_EQ(Shown("lblError"), "0");
    EXPECT_TRUE(told.empty());

    // A formula the host refuses is reported, and the approximation still shown.
    Enter("txtVarx_0", "2");
    Enter("txtFunction", "1 + q");
    Compute();
    EXPECT_EQ(told, (Names{"Variable is undefined"}));
    EXPECT_EQ(Shown("lblApprox"), "5");
    EXPECT_EQ(Shown("lblFuncValue") + Shown("lblError"), "");

    // Reopened, the window shows the last point and formula.
    QTest::keyClick(Box("txtVarx_0"), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window->findChild<QWidget*>("frmEvaluations"));
    Click("cmdEvaluations");
    EXPECT_EQ(Box("txtVarx_0")->text() + "|" + Box("txtVarx_1")->text() + "|" + Box("txtFunction")->text(),
              "2|0.5|1 + q");
}

TEST_F(EvaluationWindowTest, AnOverflowIsSaidInWordsAndStaysShownOnceTheResultsAreCleared)
{
    Enter("txtVarx_0", "2");
    Enter("txtVarx_1", "1");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "7");
    Enter("txtVarx_0", "1e308"); // beyond the doubles: a word, not digits
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "overflow");
    window->ClearResults();
    Enter("txtVarx_0", "0");
    Compute();
    EXPECT_EQ(Shown("lblApprox"), "overflow");
}

class BadNameTest : public EvaluationWindowTest {
protected:
    const char* NamesText() const override { return "2x,y"; }
};

TEST_F(BadNameTest, AStatementTheHostRefusesIsReportedAndTheEvaluationGoesOn)
{
    Enter("txtVarx_0", "2");
    Enter("txtVarx_1", "1");
    Compute();
    EXPECT_EQ(told, (Names{"Expected statement"})); // "2x= 2" is no statement
    EXPECT_EQ(Shown("lblApprox"), "7");
}

} // namespace
} // namespace tavex
