// What a desktop program's user expects around the fields: a refusal that
// says why, a note when a text was read only in part, access keys, and every
// variable at a glance.
#include "main_window_fixture.h"

namespace tavex {
namespace {

class ConventionsTest : public MainWindowTest {
protected:
    // The text a screen reader gives as the field's description.
    static QString Described(QWidget* field) { return field->accessibleDescription(); }
    QString Line(const char* label) const { return Find<QLabel>(label)->text(); }
};

TEST_F(ConventionsTest, EveryRefusedEntrySaysWhyKeepsTheFocusAndClearsOnceAccepted)
{
    // `before` typed, field by field with Tab, to reach the field.
    struct Refusal { const char* field; std::vector<const char*> before; const char *typed, *said; };
    const Refusal refusals[] = {
        {"txtOrder", {}, "abc", "Number of variables: type a whole number from 1 to 4"},
        {"txtVarNams", {"2"}, "x", "Names: 2 variables need 2 names, separated by commas"},
        {"txtLL_0", {"2", "x,y"}, "abc", "Lower limit: 'abc' is not a number"},
        {"txtUL_0", {"2", "x,y", "-5"}, " ", "Upper limit: type a number"},
        {"txtTerms_0", {"2", "x,y", "-5", "5", "*", "*"}, "1", "# of values: a variable needs at least 2 values"},
    };
    for (const Refusal& refusal : refusals) {
        SetUp();
        Fields(refusal.before);
        ASSERT_EQ(FocusName(), refusal.field);
        Type(refusal.typed);
        Tab();
        EXPECT_EQ(FocusName(), refusal.field) << refusal.said;
        EXPECT_EQ(window->MessageLineText().toStdString(), refusal.said);
        EXPECT_EQ(Described(Focus()).toStdString(), refusal.said);
        EXPECT_TRUE(told.empty()) << refusal.said; // no box where none belongs
        // Typed right, the entry goes on and the words go with it.
        Type(std::string(refusal.field) == "txtVarNams" ? "x,y" : "3");
        Tab();
        EXPECT_NE(FocusName(), refusal.field) << refusal.said;
        EXPECT_TRUE(window->MessageLineText().isEmpty()) << refusal.said;
        EXPECT_TRUE(Described(Find(refusal.field)).isEmpty()) << refusal.said;
    }
}

TEST_F(ConventionsTest, TheDataWindowsSayWhenATextWasReadOnlyInPartOrAnIndexIsOutOfRange)
{
    Declare("2", "x,y");
    Fields({"0", "1", "*", "*", "3"});
    answers = {"0,0"};
    Click("cmdEditFun");
    auto* frmFun = Find("frmFun");
    ASSERT_TRUE(frmFun && Activate(frmFun));
    QLineEdit* value = Box("txtFun");
    QTest::keyClicks(value, "1,5");
    EXPECT_EQ(window->model().funTable(0, 0, 0, 0), 1.0); // the leading number, as the rule reads it
    EXPECT_EQ(Line("lblMessage"), "read as 1: the decimal point is '.'");
    EXPECT_EQ(Described(value), Line("lblMessage"));
    QTest::keyClick(value, Qt::Key_Backspace);
    QTest::keyClick(value, Qt::Key_Backspace); // "1": all of it a number
    EXPECT_TRUE(Line("lblMessage").isEmpty() && Described(value).isEmpty());
    QLineEdit* index = Box("txtFunIndex_1");
    index->setFocus();
    index->selectAll();
    QTest::keyClicks(index, "5");
    QTest::keyClick(index, Qt::Key_Tab);
    EXPECT_EQ(frmFun->focusWidget(), index);
    EXPECT_EQ(Line("lblMessage"), "Index of y: type a whole number from 0 to 1");
    frmFun->close();

    answers.clear();
    Click("cmdEditVars_0");
    auto* frmVars = Find("frmVars");
    ASSERT_TRUE(frmVars && Activate(frmVars));
    // Each key where the focus is: the first opens the grid's entry box, which takes the rest.
    for (const char key : {'2', 'e'})
        QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(window->model().Var(0).Value(0), 2.0);
    EXPECT_EQ(frmVars->findChild<QLabel*>("lblMessage")->text(), "read as 2: 'e' is not part of a number");
}

TEST_F(ConventionsTest, TheMainWindowsButtonsHaveAccessKeysOfTheirOwn)
{
    Declare("1", "x");
    // Every mnemonic of the window, buttons and menu titles, used once.
    QStringList keys;
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.mid(at + 1, 1).toLower() : QString();
    };
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisibleTo(window.get()))
            keys << mnemonic(button->text());
    for (QAction* title : window->menuBar()->actions())
        keys << mnemonic(title->text());
    keys.removeAll(QString());
    const QStringList distinct(QSet<QString>(keys.begin(), keys.end()).values());
    EXPECT_EQ(keys.size(), distinct.size()) << keys.join(QLatin1Char(' ')).toStdString();
    for (const char* key : {"f", "c", "e", "p", "x"})
        EXPECT_TRUE(keys.contains(QString::fromLatin1(key))) << key;

    window->model().funTable(1, 0, 0, 0) = 3.0;
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->model().IsComputed(); }, 2000));
    QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return ShownWindow("frmEvaluations"); }, 2000));
}

TEST_F(ConventionsTest, TheFileShortcutsWorkFromEveryWindow)
{
    fileAnswer = Path("p");
    Declare("1", "x");
    answers = {"0"};
    Click("cmdEditFun");
    QWidget* frmFun = Find("frmFun");
    ASSERT_TRUE(frmFun && Activate(frmFun) && !window->isEnabled());
    QTest::keyClicks(Box("txtFun"), "7");
    QTest::keyClick(Box("txtFun"), Qt::Key_S, Qt::ControlModifier); // saved from the function window
    EXPECT_TRUE(QFile::exists(Path("p")) && !window->isWindowModified());
    // New from there: the window goes with the problem, and the main window takes input again.
    QTest::keyClick(Box("txtFun"), Qt::Key_N, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isEnabled() && window->PanelCount() == 1);
    EXPECT_TRUE(QTest::qWaitFor([] { return !ShownWindow("frmFun", false); }, 2000));
}

TEST_F(ConventionsTest, TheOverviewShowsEveryVariableAndAChosenRowItsPanel)
{
    const auto rows = [this] {
        auto* table = Find<QTableWidget>("tblOverview");
        std::vector<std::string> shown;
        for (int r = 0; r < table->rowCount(); ++r) {
            std::string row;
            for (int c = 0; c < table->columnCount(); ++c)
                row += (c ? "|" : "") + table->item(r, c)->text().toStdString();
            shown.push_back(row);
        }
        return shown;
    };
    Declare("2", "t,p");
    Fields({"0", "100", "*", "*", "6"});
    Tab(); // from Equally spaced to Power
    ASSERT_EQ(FocusName(), "chkPower_0");
    QTest::keyClick(Focus(), Qt::Key_Space);
    EXPECT_EQ(rows(), (std::vector<std::string>{"t|Trigonometric|0|100|* = 50|* = 6.28318530717959|6",
                                                "p|Power|-5|5|* = 0||2"}));
    // A row chosen shows its variable's panel, as Next does.
    auto* table = Find<QTableWidget>("tblOverview");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(1, 0)).center());
    EXPECT_EQ(window->session().curVarNo, 2);
    EXPECT_TRUE(Find("txtLL_1")->isVisible() && !Find("txtLL_0")->isVisible());
    // Edit values closes the count box and unticks the spacing; the overview follows.
    Click("cmdEditVars_1");
    Find("frmVars")->close();
    EXPECT_EQ(rows().back(), "p|Power|-5|5|* = 0||2");
    EXPECT_FALSE(Find<QCheckBox>("chkSpaced_1")->isChecked());

    // Saved and opened again: the overview shows the problem read, its "*" as the numbers they stood for.
    fileAnswer = Path("tp");
    Key(Qt::Key_S);
    answer = SaveAnswer::Discard;
    Key(Qt::Key_N);
    EXPECT_EQ(rows().size(), 1u);
    Key(Qt::Key_O);
    EXPECT_EQ(rows(), (std::vector<std::string>{"t|Trigonometric|0|100|50|6.28318530717959|6", "p|Power|-5|5|0||2"}));
}

} // namespace
} // namespace tavex
