#pragma once

#include "app/coefficient_list_model.h"
#include "app/decimal_point.h"
#include "app/main_window.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/input_box.h"
#include "app/toolkit/print_dialog.h"

#include <QtPrintSupport>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace tavex {

using Names = std::vector<std::string>;

// The user's decimal separator as `read`; what is written back is recorded.
struct RecordingSetting final : DecimalSeparatorSetting {
    std::string Read() override { return read; }
    void Write(const std::string& separator) override { writes.push_back(separator); }
    std::string read = ".";
    Names writes;
};

// Acts on the modal dialog once it is up (the dialogs run their own loop),
// then cancels it if it is still up, as after a failed expectation.
inline void WhenDialogShows(std::function<void(QDialog*)> act, int polls = 300)
{
    QTimer::singleShot(10, qApp, [act = std::move(act), polls]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return polls > 0 ? WhenDialogShows(std::move(act), polls - 1) : void();
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// A window of the main window's counts as active while the main window is:
// waits until the window is the active window itself.
inline bool Activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

// The top-level window called so, shown or, if not `shownOnly`, not yet deleted; or none.
inline QWidget* ShownWindow(const char* name, bool shownOnly = true)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name) && (top->isVisible() || !shownOnly))
            return top;
    return nullptr;
}

// The name a screen reader says for the control.
inline std::string Spoken(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name).toStdString() : std::string();
}

// pdftotext's output for the arguments.
inline std::string PdfToText(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    return tool.readAllStandardOutput().toStdString();
}

// The text of each page of a PDF file, its columns kept.
inline std::vector<std::string> PdfPages(const QString& pdf)
{
    std::istringstream text(PdfToText({QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    std::vector<std::string> pages;
    for (std::string page; std::getline(text, page, '\f');)
        pages.push_back(page);
    return pages;
}

// A fresh main window, shown and active, driven by real key and mouse
// events. Its message boxes are recorded in `told` instead of shown; the
// file dialog answers `fileAnswer` (nothing: Cancel) and records what it
// was asked; the input boxes answer from `answers` in turn (Cancel when
// none is left); the print dialog prints to report.pdf in `dir`. The answers
// outlive a fresh window, as a file outlives a run.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        told.clear();
        window = std::make_unique<MainWindow>(setting, ",", NumberFormat{","});
        window->Messages() = MessageBox([this](QWidget*, const QString&, const QString& text) {
            told.push_back(text.toStdString());
        });
        questions.clear();
        answer = SaveAnswer::Discard;
        window->SaveQuestions() = SaveQuestion([this](QWidget*, const QString& text) {
            questions.push_back(text.toStdString());
            return answer;
        });
        ASSERT_TRUE(dir.isValid());
        fileDialogs.clear();
        printDialogs = 0;
        window->FileDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind kind, const QString& fileName) {
            fileDialogs.push_back(kind);
            offered = fileName;
            return fileAnswer;
        });
        window->Prompts() = InputBox([this](QWidget*, const std::string&, const std::string& title) {
            asked.push_back(title);
            std::string given;
            if (!answers.empty()) {
                given = answers.front();
                answers.pop_front();
            }
            return given;
        });
        window->PrinterDialog() = PrintDialog([this](QWidget*, QPrinter& printer) {
            ++printDialogs;
            printer.setOutputFileName(Path("report.pdf"));
        });
        window->show();
        ASSERT_TRUE(Activate(window.get()));
    }

    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const char* name, const char* text) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    }

    // A control of the main window, or of a window of its own beside it.
    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        const QString wanted = QString::fromLatin1(name);
        T* found = window->findChild<T*>(wanted);
        for (QWidget* top : QApplication::topLevelWidgets())
            if (!found && top != window.get())
                found = top->objectName() == wanted ? qobject_cast<T*>(top) : top->findChild<T*>(wanted);
        EXPECT_TRUE(found) << name;
        return found;
    }
    QLineEdit* Box(const char* name) const { return Find<QLineEdit>(name); }
    QAction* Menu(const char* name) const { return Find<QAction>(name); }
    QWidget* Focus() const { return window->focusWidget(); }
    std::string FocusName() const { return Focus() ? Focus()->objectName().toStdString() : ""; }

    // Types into the box that has the focus, replacing its text.
    void Type(const char* text)
    {
        QLineEdit* box = qobject_cast<QLineEdit*>(Focus());
        ASSERT_TRUE(box);
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(text));
    }
    void Tab() { QTest::keyClick(Focus(), Qt::Key_Tab); }
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(Focus() ? Focus() : window.get(), key, modifiers);
    }
    // Types each text into the box with the focus, going on with Tab after each.
    void Fields(const std::vector<const char*>& texts)
    {
        for (const char* text : texts) {
            Type(text);
            Tab();
        }
    }
    void Declare(const char* count, const char* names)
    {
        Fields({count, names});
        ASSERT_FALSE(Box("txtVarNams")->isEnabled());
    }

    // lstCoeff's lines, without their trailing blanks.
    Names Listing() const
    {
        Names lines;
        for (int row = 0; row < window->CoefficientLines().rowCount(); ++row)
            lines.push_back(window->CoefficientLines().Line(row));
        for (std::string& line : lines)
            line.erase(line.find_last_not_of(' ') + 1);
        return lines;
    }

    RecordingSetting setting;
    std::unique_ptr<MainWindow> window;
    Names told;
    // "Save changes to ...?" as asked, and what the user answers.
    Names questions;
    SaveAnswer answer = SaveAnswer::Discard;
    QTemporaryDir dir;
    std::optional<QString> fileAnswer;
    std::vector<CommonDialog::Kind> fileDialogs;
    QString offered; // the name the file dialog last opened on
    std::deque<std::string> answers;
    Names asked; // the input boxes' titles
    int printDialogs = 0;
};

} // namespace tavex
