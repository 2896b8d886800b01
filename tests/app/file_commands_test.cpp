#include "app/coefficient_list_model.h"
#include "app/toolkit/common_dialog.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <optional>

namespace tavex {
namespace {

// Open, Save and Save As through the File menu's shortcuts, with the file
// dialog scripted: `answer` is what the user picks, nothing for Cancel.
class FileCommandsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window->FileDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind kind, const QString& fileName) {
            shown.push_back(kind);
            openedOn = fileName;
            return answer;
        });
    }

    void Open() { Key(Qt::Key_O); }
    void Save() { Key(Qt::Key_S); }
    void SaveAs() { Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }

    std::vector<std::string> Listing() const
    {
        std::vector<std::string> lines;
        const CoefficientListModel& list = window->CoefficientLines();
        for (int row = 0; row < list.rowCount(); ++row)
            lines.push_back(list.Line(row));
        return lines;
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::optional<QString> answer;
    std::vector<CommonDialog::Kind> shown;
    QString openedOn;
};

TEST_F(FileCommandsTest, SavedProblemReopensInAFreshRun)
{
    // f = 1 + 2x + 3y + 4xy on x, y in {0, 1}; x expanded about the middle ("*").
    Declare("2", "x,y");
    for (const char* box : {"txtLL_0", "txtLL_1", "txtExpansion_1"})
        Box(box)->setText("0");
    for (const char* box : {"txtUL_0", "txtUL_1"})
        Box(box)->setText("1");
    ProblemModel& model = window->model();
    for (const auto& [i0, i1, f] : std::initializer_list<std::tuple<int, int, double>>{
             {0, 0, 1}, {1, 0, 3}, {0, 1, 4}, {1, 1, 10}})
        model.funTable(i0, i1, 0, 0) = f;
    Click("cmdCompute");
    ASSERT_TRUE(model.isComputed);
    const std::vector<std::string> listed = Listing();
    answer = Path("problem");
    Save();
    EXPECT_EQ(shown, std::vector<CommonDialog::Kind>{CommonDialog::Kind::Save});
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());

    FileCommandsTest::SetUp(); // a later run
    shown.clear();
    Open();
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());
    EXPECT_TRUE(window->model().isComputed);
    EXPECT_EQ(window->model().funTable(1, 1, 0, 0), 10.0);
    EXPECT_EQ(Listing(), listed);
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());
    // The window shows the problem; the count, names and count boxes are closed.
    EXPECT_EQ(Box("txtVarNams")->text(), "x,y");
    for (const char* closed : {"txtOrder", "txtVarNams", "txtTerms_0", "txtTerms_1"})
        EXPECT_FALSE(Box(closed)->isEnabled()) << closed;
    EXPECT_EQ(Find<QLabel>("lblVar_1")->text(), "y");
    EXPECT_EQ(Box("txtExpansion_0")->text(), "0.5"); // the "*" was stored as the middle
    EXPECT_EQ(Box("txtUL_1")->text(), "1");
    EXPECT_FALSE(Menu("mnuOpen")->isEnabled()); // one problem per run
    EXPECT_TRUE(Menu("mnuPrint")->isEnabled());
    EXPECT_TRUE(Menu("mnuAbout")->isVisible());
    EXPECT_EQ(window->BrokenInvariant(), "");

    // Save writes to the file opened without asking; computing again lists the same.
    Save();
    EXPECT_EQ(shown.size(), 1u);
    Click("cmdCompute");
    EXPECT_EQ(Listing(), listed);
}

TEST_F(FileCommandsTest, HandWrittenStarsShowAsStarsAndNothingIsListed)
{
    QFile problem(Path("hand"));
    ASSERT_TRUE(problem.open(QIODevice::WriteOnly));
    problem.write(" 0 \r\n\"x\",0,2,*,#TRUE#,*,2\r\n#FALSE#\r\n");
    problem.close();
    QFile data(Path("hand.dat"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(" 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n");
    data.close();
    answer = Path("hand");
    Open();
    EXPECT_EQ(Box("txtExpansion_0")->text(), "*");
    EXPECT_EQ(Box("txtPeriod_0")->text(), "*");
    EXPECT_TRUE(Listing().empty());
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());
    Click("cmdCompute");
    EXPECT_TRUE(window->model().isComputed);
}

TEST_F(FileCommandsTest, CancelledDialogsKeepTheRememberedName)
{
    Open(); // cancelled: nothing changes
    EXPECT_TRUE(Box("txtOrder")->isEnabled());
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled());

    Declare("1", "x");
    Save(); // no name yet, cancelled: nothing saved
    EXPECT_TRUE(window->session().problemFile.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    answer = Path("first");
    SaveAs();
    ASSERT_TRUE(QFile::remove(Path("first")));
    // A cancelled Save As opens on the name held and saves to it again.
    answer.reset();
    SaveAs();
    EXPECT_EQ(openedOn, Path("first"));
    EXPECT_TRUE(QFile::exists(Path("first")));
    // Save no longer asks.
    const std::size_t asked = shown.size();
    Save();
    EXPECT_EQ(shown.size(), asked);
}

TEST_F(FileCommandsTest, FailuresAreToldAndChangeNothing)
{
    answer = Path("missing");
    Open();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("missing"), std::string::npos) << told[0];
    EXPECT_TRUE(Box("txtOrder")->isEnabled());
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled());

    // The window goes on as if Open had not been chosen.
    Declare("1", "x");
    answer = Path("no/such/folder/p");
    Save();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find("folder"), std::string::npos) << told[1];
    EXPECT_TRUE(window->session().problemFile.empty());

    // A count box holding one value, not left: Save settles it first, its
    // check refuses, and nothing is saved; the box keeps the focus.
    answer = Path("p");
    Click("txtTerms_0");
    Type("1");
    shown.clear();
    Save();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(FocusName(), "txtTerms_0");
    EXPECT_FALSE(QFile::exists(Path("p")));
}

} // namespace
} // namespace tavex
