// The problem as a document: what it takes to lose typed work, the title,
// New and Open recent, and coefficients that go out of date as the user edits.
#include "commands/command_states.h"
#include "commands/file_commands.h"
#include "main_window_fixture.h"

#include <functional>

namespace tavex {
namespace {

// The import dialog always answers the same table.
class DocumentTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->ImportDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind kind, const QString&) {
            fileDialogs.push_back(kind);
            return std::optional(Path("table.csv"));
        });
        Write("table.csv", "a,b,f\n0,0,1\n0,1,2\n1,0,3\n1,1,4\n");
    }

    // f = 1 + u + 2v on u, v in {-5, 5}, centers 0, computed.
    void DeclareAndCompute()
    {
        Declare("2", "u,v");
        Fields({"-5", "5", "0"});
        Box("txtExpansion_1")->setText("0");
        const double f[] = {-14, -4, 6, 16}; // at (-5, -5), (5, -5), (-5, 5), (5, 5)
        for (int i = 0; i < 4; ++i)
            window->model().funTable(i % 2, i / 2, 0, 0) = f[i];
        Click("cmdCompute");
        ASSERT_TRUE(window->model().IsComputed());
    }
};

TEST_F(DocumentTest, EveryCommandThatWouldLoseTypedWorkAsksAndCancelChangesNothing)
{
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [this] { Key(Qt::Key_N); }},
        {"Open", [this] { Key(Qt::Key_O); }},
        {"Import table", [this] { Menu("mnuImport")->trigger(); }},
        {"Exit", [this] { Click("cmdExit"); }},
        {"the close box", [this] { window->close(); }},
    };
    for (const auto& [name, run] : commands) {
        SetUp();
        DeclareAndCompute();
        window->model().funTable(0, 0, 0, 0) = 7; // as the function window stores a value
        window->model().MarkEdited();
        Click("cmdNextVar");
        const Names listed = Listing();
        answer = SaveAnswer::Cancel;
        fileAnswer = Path("other");
        run();
        EXPECT_EQ(questions, (Names{"Save changes to Untitled?"})) << name;
        EXPECT_TRUE(window->isVisible() && window->PanelCount() == 2 && fileDialogs.empty()) << name;
        EXPECT_EQ(Listing(), listed) << name;
        EXPECT_EQ(window->model().funTable(0, 0, 0, 0), 7.0) << name;
        EXPECT_TRUE(window->isWindowModified()) << name;

        // Save, then the command goes on: the work is in the file first.
        answer = SaveAnswer::Save;
        fileAnswer = Path("saved");
        run();
        EXPECT_TRUE(QFile::exists(Path("saved"))) << name;
        EXPECT_EQ(questions.size(), 2u) << name;
    }
}

TEST_F(DocumentTest, TheTitleNamesTheFileAndMarksItModified)
{
    EXPECT_EQ(window->windowTitle(), "Untitled[*] - Tavex (Tabulated)  www.tavex.example");
    DeclareAndCompute();
    EXPECT_TRUE(window->isWindowModified());
    fileAnswer = Path("well.prb");
    Key(Qt::Key_S);
    EXPECT_EQ(window->windowTitle().left(17), "well.prb[*] - Tav");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->MessageLineText(), "Saved well.prb.");
    Click("cmdCompute"); // the same coefficients again: nothing new to save
    EXPECT_FALSE(window->isWindowModified());
    Click("txtLL_0");
    Type("-4");
    Tab();
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(DocumentTest, NewReturnsToTheStartState)
{
    DeclareAndCompute();
    Click("cmdEvaluations");
    QPointer<QWidget> evaluations = Find("frmEvaluations");
    answer = SaveAnswer::Discard;
    Key(Qt::Key_N);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_FALSE(evaluations && evaluations->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(evaluations.isNull());
    EXPECT_EQ(window->PanelCount(), 1);
    EXPECT_EQ(Box("txtOrder")->text() + "|" + Box("txtVarNams")->text() + "|" + Box("txtLL_0")->text(), "2|x,y|-5");
    EXPECT_TRUE(Box("txtOrder")->isEnabled() && Box("txtVarNams")->isEnabled() && Box("txtTerms_0")->isEnabled());
    EXPECT_TRUE(Listing().empty() && window->FitLineText().isEmpty());
    EXPECT_FALSE(Menu("mnuSave")->isEnabled() || Menu("mnuAbout")->isVisible() || Find("cmdEvaluations")->isEnabled());
    EXPECT_EQ(FocusName(), "txtOrder");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->model().funTable.size(), 1u);
    // And a problem is declared anew as after start-up.
    Declare("1", "t");
    EXPECT_EQ(window->model().Names(), (Names{"t"}));
}

TEST_F(DocumentTest, OpenRecentListsTheLastSixProblemsTheLatestFirst)
{
    DeclareAndCompute();
    for (const char* name : {"p1", "p2", "p3", "p4", "p5", "p6", "p7", "p2"}) {
        fileAnswer = Path(name);
        Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    }
    auto* recent = Find<QMenu>("mnuRecent");
    emit recent->aboutToShow();
    QStringList shown;
    for (QAction* entry : recent->actions())
        shown << entry->text();
    EXPECT_EQ(shown, (QStringList{"&1 p2", "&2 p7", "&3 p6", "&4 p5", "&5 p4", "&6 p3"}));
    // A problem that is gone is said so and leaves the list.
    ASSERT_TRUE(QFile::remove(Path("p7")));
    recent->actions()[1]->trigger();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("p7"), std::string::npos);
    recent->actions()[0]->trigger();
    EXPECT_EQ(window->session().problemFile, Path("p2").toStdString());
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().size(), 5);
}

TEST_F(DocumentTest, AnEditAfterComputeGreysTheListingAndSaveLeavesTheCoefficientsOut)
{
    DeclareAndCompute();
    ASSERT_TRUE(window->WaitForFitFigures());
    EXPECT_TRUE(window->FitLineText().startsWith("Fit reproduces the table"));
    const Names listed = Listing();
    const QColor ink = Find<QListView>("lstCoeff")->palette().color(QPalette::Text);
    // A box left with the text it had is no edit, whatever was typed on the way.
    Click("txtExpansion_0");
    Type("01");
    QTest::keyClick(Focus(), Qt::Key_Backspace);
    Tab();
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());

    Click("txtExpansion_0");
    Type("1");
    Tab();
    EXPECT_EQ(Listing(), listed); // still readable...
    EXPECT_NE(Find<QListView>("lstCoeff")->palette().color(QPalette::Text), ink); // ...but greyed
    EXPECT_EQ(window->FitLineText().toStdString(), command::kOutOfDateLine);
    for (const char* unavailable : {"cmdEvaluations", "cmdPlot"})
        EXPECT_FALSE(Find(unavailable)->isEnabled()) << unavailable;
    EXPECT_FALSE(Menu("mnuExport")->isEnabled());

    // What Save then writes, the commands' tests show for every way of editing.
    fileAnswer = Path("p");
    Key(Qt::Key_S);
    EXPECT_EQ(window->MessageLineText().toStdString(), command::kSavedWithoutCoefficients);

    Click("cmdCompute");
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());
    EXPECT_EQ(Find<QListView>("lstCoeff")->palette().color(QPalette::Text), ink);
    EXPECT_TRUE(window->WaitForFitFigures());
}

} // namespace
} // namespace tavex
