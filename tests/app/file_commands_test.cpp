#include "app/coefficient_list_model.h"
#include "app/toolkit/common_dialog.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListView>
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
        ScriptFileDialog();
    }

    void ScriptFileDialog()
    {
        window->FileDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind kind, const QString& fileName) {
            shown.push_back(kind);
            openedOn = fileName;
            return answer;
        });
    }

    // A later run: a fresh main window in place of the first.
    void StartAgain()
    {
        window = std::make_unique<MainWindow>(setting, ",", NumberFormat{","});
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ScriptFileDialog();
        shown.clear();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(Focus() ? Focus() : window.get(), key, modifiers);
    }
    void Open() { Press(Qt::Key_O); }
    void Save() { Press(Qt::Key_S); }
    void SaveAs() { Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }

    // A message box has taken the activation; the window gets it back.
    void Reactivate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::vector<std::string> Listing() const
    {
        std::vector<std::string> lines;
        const CoefficientListModel& list = window->CoefficientLines();
        for (int row = 0; row < list.rowCount(); ++row)
            lines.push_back(list.index(row, 0).data().toString().toStdString());
        return lines;
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static void Write(const QString& path, const char* text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

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
    model.funTable(0, 0, 0, 0) = 1;
    model.funTable(1, 0, 0, 0) = 3;
    model.funTable(0, 1, 0, 0) = 4;
    model.funTable(1, 1, 0, 0) = 10;
    Click("cmdCompute");
    ASSERT_TRUE(model.isComputed);
    const std::vector<std::string> listed = Listing();

    answer = Path("problem");
    Save();
    ASSERT_EQ(shown, std::vector<CommonDialog::Kind>{CommonDialog::Kind::Save});
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());
    EXPECT_TRUE(QFile::exists(Path("problem")));
    EXPECT_TRUE(QFile::exists(Path("problem.dat")));

    StartAgain();
    Open();
    ASSERT_EQ(shown, std::vector<CommonDialog::Kind>{CommonDialog::Kind::Open});
    ProblemModel& reopened = window->model();
    EXPECT_EQ(window->session().problemFile, Path("problem").toStdString());
    EXPECT_FALSE(window->session().isOpening);
    EXPECT_TRUE(reopened.isComputed);
    EXPECT_EQ(reopened.funTable(1, 1, 0, 0), 10.0);
    EXPECT_EQ(reopened.funTable(0, 1, 0, 0), 4.0);
    EXPECT_EQ(Listing(), listed);
    EXPECT_TRUE(Find("cmdEvaluations")->isEnabled());

    // The window shows the problem; the count, names and first count box are closed.
    EXPECT_EQ(Box("txtOrder")->text(), "2");
    EXPECT_EQ(Box("txtVarNams")->text(), "x,y");
    for (const char* closed : {"txtOrder", "txtVarNams", "txtTerms_0", "txtTerms_1"})
        EXPECT_FALSE(Box(closed)->isEnabled()) << closed;
    EXPECT_EQ(Find<QLabel>("lblVar_0")->text(), "x");
    EXPECT_EQ(Box("txtExpansion_0")->text(), "0.5"); // the "*" was stored as the middle
    EXPECT_EQ(Box("txtExpansion_1")->text(), "0");
    EXPECT_EQ(Box("txtUL_1")->text(), "1");
    EXPECT_EQ(Box("txtTerms_1")->text(), "2");
    EXPECT_TRUE(Find<QCheckBox>("chkPower_1")->isChecked());

    // One problem per run; the rest of the File menu and About open up.
    EXPECT_FALSE(Menu("mnuOpen")->isEnabled());
    EXPECT_TRUE(Menu("mnuSave")->isEnabled());
    EXPECT_TRUE(Menu("mnuPrint")->isEnabled());
    EXPECT_TRUE(Menu("mnuAbout")->isVisible());

    // Save writes to the file opened without asking, and the computed problem computes again alike.
    Save();
    EXPECT_EQ(shown.size(), 1u);
    Click("cmdCompute");
    EXPECT_EQ(Listing(), listed);
}

TEST_F(FileCommandsTest, HandWrittenStarsShowAsStarsAndNothingIsListed)
{
    Write(Path("hand"), " 0 \r\n\"x\",0,2,*,#TRUE#,*,2\r\n#FALSE#\r\n");
    Write(Path("hand.dat"), " 0 \r\n 2 \r\n#TRUE#\r\n 0 \r\n 1 \r\n 2 \r\n 5 \r\n 7 \r\n 9 \r\n");
    answer = Path("hand");
    Open();
    EXPECT_EQ(Box("txtExpansion_0")->text(), "*");
    EXPECT_EQ(Box("txtPeriod_0")->text(), "*");
    EXPECT_EQ(Box("txtTerms_0")->text(), "3");
    EXPECT_EQ(window->model().center[0], 1.0);
    EXPECT_TRUE(Listing().empty());
    EXPECT_FALSE(Find("cmdEvaluations")->isEnabled());

    Click("cmdCompute");
    ASSERT_TRUE(window->model().isComputed);
    EXPECT_EQ(window->model().funTable(2, 0, 0, 0), 9.0);
}

TEST_F(FileCommandsTest, CancelledDialogsKeepTheRememberedName)
{
    Open(); // cancelled: nothing changes
    EXPECT_TRUE(Box("txtOrder")->isEnabled());
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled());
    EXPECT_TRUE(window->session().problemFile.empty());

    Declare("1", "x");
    Save(); // no name yet, cancelled: nothing saved
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(window->session().problemFile.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    answer = Path("first");
    SaveAs();
    EXPECT_TRUE(QFile::exists(Path("first.dat")));
    ASSERT_TRUE(QFile::remove(Path("first")));

    // A cancelled Save As opens on the name held and saves to it again.
    answer.reset();
    SaveAs();
    EXPECT_EQ(openedOn, Path("first"));
    EXPECT_TRUE(QFile::exists(Path("first")));
    EXPECT_EQ(window->session().problemFile, Path("first").toStdString());

    // Save no longer asks.
    const std::size_t asked = shown.size();
    ASSERT_TRUE(QFile::remove(Path("first")));
    Save();
    EXPECT_EQ(shown.size(), asked);
    EXPECT_TRUE(QFile::exists(Path("first")));
}

TEST_F(FileCommandsTest, FailuresAreShownAndChangeNothing)
{
    answer = Path("missing");
    {
        MessageBoxAnswer box;
        Open();
        ASSERT_TRUE(box.shown());
        EXPECT_NE(box.text().find("missing"), std::string::npos) << box.text();
    }
    EXPECT_TRUE(Box("txtOrder")->isEnabled());
    EXPECT_TRUE(Box("txtVarNams")->isEnabled());
    EXPECT_TRUE(Menu("mnuOpen")->isEnabled());
    EXPECT_TRUE(window->session().problemFile.empty());

    // The window goes on as if Open had not been chosen.
    Reactivate();
    Declare("1", "x");
    answer = Path("no/such/folder/p");
    {
        MessageBoxAnswer box;
        Save();
        ASSERT_TRUE(box.shown());
        EXPECT_NE(box.text().find("folder"), std::string::npos) << box.text();
    }
    EXPECT_TRUE(window->session().problemFile.empty());
    Reactivate();

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
    EXPECT_TRUE(window->session().problemFile.empty());
}

} // namespace
} // namespace tavex
