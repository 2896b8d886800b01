#include "random_events.h"

#include "app/plot_window.h"
#include "app/toolkit/common_dialog.h"
#include "app/toolkit/input_box.h"
#include "app/toolkit/message_box.h"
#include "app/toolkit/print_dialog.h"
#include "app/toolkit/size_box.h"
#include "app/toolkit/tool_window.h"
#include "engine/compute.h"
#include "support/problem_builder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStyleHints>
#include <QTest>

#include <algorithm>
#include <array>
#include <optional>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace tavex::testing {

namespace {

// Coefficients shown, evaluated or saved as current are exactly those a
// computation of the problem as it now stands gives: no edit went unnoticed.
// Held as current in a modified problem, they were computed in this run:
// the problem's revision or its coefficients moved since the files, which
// keep 15 digits and so give another table's coefficients back.
std::string StaleCoefficients(const ProblemModel& model)
{
    if (!model.IsComputed() || !model.IsModified())
        return {};
    ProblemModel again = model;
    again.coef = again.funTable;
    if (!Compute(again, PerVariable<bool>{}, ComputeOptions{1, false}).succeeded)
        return "coefficients held as current, but the problem as it stands cannot be computed";
    bool same = true;
    ForEachIndex(model.UpperIndices(), [&](const PerVariable<int>& i) {
        const double held = model.coef(i[0], i[1], i[2], i[3]), fresh = again.coef(i[0], i[1], i[2], i[3]);
        same = same && std::memcmp(&held, &fresh, sizeof held) == 0;
    });
    return same ? "" : "coefficients held as current belong to another problem";
}

// Counts, limits, names, and what nobody should type but somebody will.
// No count between 13 and the memory guard: a soak is about orders of use,
// not about waiting for big grids.
constexpr std::array kTexts = {
    "0", "1", "2", "3", "4", "5", "2.5", "3.5", "0.5", "0.4", "-1", "12", "7",
    "-5", "0.1", "-0.25", "3.14159", "1e-300", "1e300", "1e11", "99999999999", "1,000", " 7 ", "4e0",
    "nan", "inf", "abc", "*", " *", "", "x",
    "x,y", "x,y,z", "a,b,c,d", "x, y", "p,,q", "u,", "say \"y\"", "t",
    "Sin(x)*Exp(-y)", "x^2+y", "2x", "Asin(2)", "sh.pi", "(((", "1/0", "10^400",
};

struct KeyPress {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

// Tab and Shift+Tab the most, as users press them.
constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier, kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier;
constexpr std::array kKeys = {
    KeyPress{Qt::Key_Tab, kNone, "Tab"}, KeyPress{Qt::Key_Tab, kNone, "Tab"}, KeyPress{Qt::Key_Tab, kNone, "Tab"},
    KeyPress{Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"}, KeyPress{Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    KeyPress{Qt::Key_Return, kNone, "Enter"}, KeyPress{Qt::Key_Escape, kNone, "Escape"},
    KeyPress{Qt::Key_Space, kNone, "Space"}, KeyPress{Qt::Key_Backspace, kNone, "Backspace"},
    KeyPress{Qt::Key_Delete, kNone, "Delete"}, KeyPress{Qt::Key_Home, kNone, "Home"},
    KeyPress{Qt::Key_End, kNone, "End"}, KeyPress{Qt::Key_Up, kNone, "Up"}, KeyPress{Qt::Key_Down, kNone, "Down"},
    KeyPress{Qt::Key_A, kCtrl, "Ctrl+A"}, KeyPress{Qt::Key_X, kAlt, "Alt+X"}, KeyPress{Qt::Key_F, kAlt, "Alt+F"},
    KeyPress{Qt::Key_O, kCtrl, "Ctrl+O"}, KeyPress{Qt::Key_S, kCtrl, "Ctrl+S"},
    KeyPress{Qt::Key_S, kCtrl | Qt::ShiftModifier, "Ctrl+Shift+S"}, KeyPress{Qt::Key_P, kCtrl, "Ctrl+P"},
    KeyPress{Qt::Key_V, kCtrl, "Ctrl+V"}, KeyPress{Qt::Key_Left, kNone, "Left"}, KeyPress{Qt::Key_Right, kNone, "Right"},
    KeyPress{Qt::Key_N, kCtrl, "Ctrl+N"}, KeyPress{Qt::Key_F1, kNone, "F1"}, KeyPress{Qt::Key_Enter, kNone, "Keypad Enter"},
    // The main window's access keys.
    KeyPress{Qt::Key_C, kAlt, "Alt+C"}, KeyPress{Qt::Key_E, kAlt, "Alt+E"}, KeyPress{Qt::Key_P, kAlt, "Alt+P"},
    KeyPress{Qt::Key_N, kAlt, "Alt+N"}, KeyPress{Qt::Key_R, kAlt, "Alt+R"}, KeyPress{Qt::Key_D, kAlt, "Alt+D"},
    KeyPress{Qt::Key_V, kAlt, "Alt+V"}, KeyPress{Qt::Key_L, kAlt, "Alt+L"},
};

// What Ctrl+V finds on the clipboard: a spreadsheet's column and block, one number, words.
constexpr std::array kClipboards = {"1\n2\n3\n", "1.5\t2.5\n3.5\t4.5", "7", "1,2;3 4", "a b", "1e300 -1e300 0"};

// Answers to the input boxes: counts to add, starting sets in and out of range, nothing.
constexpr std::array kPromptAnswers = {"", "0,0", "1,1", "0, 1, 0, 0", "9", "abc", "2", "-1", "1", "0"};

// What the user picks to import: a table, a faulty one, a problem file, nothing.
constexpr std::array<const char*, 5> kImportAnswers = {nullptr, "table.csv", "gappy.csv", "a", "no/such/table.csv"};

// What the user names a plot's or the coefficients' file: each format, one that is none, nothing.
constexpr std::array<const char*, 8> kExportAnswers = {nullptr, "plot.png", "plot.pdf", "plot.svg", "plot.txt",
                                                       "coefficients.csv", "coefficients.json", "a"};

// The sizes the user gives an exported plot: none (Cancel), the smallest, a usual one.
constexpr std::array<std::optional<QSize>, 3> kSizeAnswers = {std::nullopt, QSize(16, 16), QSize(800, 500)};

// What the user picks in the file dialog: nothing, two names, a folder that
// does not exist, a folder itself.
constexpr std::array<const char*, 5> kFileAnswers = {nullptr, "a", "b", "no/such/folder/c", ""};

std::string NameOf(const QWidget* widget)
{
    std::string name = widget->objectName().toStdString();
    if (name.empty())
        name = widget->metaObject()->className();
    if (const QWidget* parent = widget->parentWidget(); parent && widget->objectName().isEmpty())
        name += " in " + NameOf(parent);
    return name;
}

// Clicks on labels and on controls that take no click make Qt's test
// library and the offscreen platform talk; only what is worse is shown.
void QuietUnlessSerious(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

// The program's decimal separator is "." already; the window writes it back at exit.
class RandomEvents::Setting final : public DecimalSeparatorSetting {
public:
    std::string Read() override { return "."; }
    void Write(const std::string&) override {}
};

RandomEvents::RandomEvents(const Options& options)
    : options_(options)
    , random_(options.seed)
    , setting_(std::make_unique<Setting>())
    , previousHandler_(qInstallMessageHandler(QuietUnlessSerious))
    , previousDoubleClickInterval_(QGuiApplication::styleHints()->mouseDoubleClickInterval())
{
    // A box takes a click soon after a double click as a triple click; with
    // no interval that depends on no clock, and a seed replays exactly.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    // Tables to import: a small grid, and one with a point missing.
    for (const auto& [name, text] : {std::pair("table.csv", "x,y,f\n0,0,1\n0,1,2\n1,0,3\n1,1,4\n"),
                                     std::pair("gappy.csv", "0,0,1\n0,1,2\n1,0,3\n")}) {
        QFile file(files_.filePath(QString::fromLatin1(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    if (options_.neverActivated) {
        decoy_ = std::make_unique<QWidget>();
    }
    OpenWindow();
}

RandomEvents::~RandomEvents()
{
    window_.reset();
    QCoreApplication::processEvents();
    qInstallMessageHandler(previousHandler_);
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(previousDoubleClickInterval_);
}

void RandomEvents::OpenWindow()
{
    window_ = std::make_unique<MainWindow>(*setting_, ".", NumberFormat{","});
    // A file dialog that answers one of `answers` (nothing: Cancel) in the temporary folder.
    const auto answering = [this](const auto& answers, const char* dialog) {
        return CommonDialog([this, &answers, dialog](QWidget*, CommonDialog::Kind,
                                                     const QString&) -> std::optional<QString> {
            const char* answer = OneOf(answers);
            Note(std::string("  ") + dialog + " dialog: " + (answer ? answer : "cancelled"));
            if (!answer)
                return std::nullopt;
            return files_.filePath(QString::fromLatin1(answer));
        });
    };
    window_->FileDialog() = answering(kFileAnswers, "file");
    window_->ImportDialog() = answering(kImportAnswers, "import");
    window_->ExportDialog() = answering(kExportAnswers, "export");
    window_->PrinterDialog() = PrintDialog([this](QWidget*, QPrinter& printer) {
        const bool toFile = Chance(0.5);
        Note(toFile ? "  print dialog: report.pdf" : "  print dialog: cancelled");
        if (toFile)
            printer.setOutputFileName(files_.filePath("report.pdf"));
    });
    window_->Messages() = MessageBox([this](QWidget*, const QString&, const QString& text) {
        Note("  message: " + text.toStdString());
    });
    window_->ExportSize() = SizeBox([this](QWidget*, const QString&, QSize) {
        const std::optional<QSize> answer = OneOf(kSizeAnswers);
        Note(answer ? "  size: " + std::to_string(answer->width()) + " x " + std::to_string(answer->height())
                    : std::string("  size: cancelled"));
        return answer;
    });
    window_->SaveQuestions() = SaveQuestion([this](QWidget*, const QString& text) {
        const SaveAnswer answer = Chance(0.3) ? SaveAnswer::Save : Chance(0.5) ? SaveAnswer::Discard : SaveAnswer::Cancel;
        Note("  " + text.toStdString() + " " + (answer == SaveAnswer::Save ? "Save" : answer == SaveAnswer::Discard ? "Discard" : "Cancel"));
        return answer;
    });
    window_->Prompts() = InputBox([this](QWidget*, const std::string&, const std::string& title) -> std::string {
        const char* answer = OneOf(kPromptAnswers);
        Note("  " + title + ": \"" + answer + "\"");
        return answer;
    });
    window_->show();
    // Half the windows start on a computed table with the windows beside
    // open, whose controls few random orders of use would ever reach.
    if (Chance(0.5))
        StartComputed();
    if (decoy_) {
        decoy_->show();
        decoy_->activateWindow();
        (void)QTest::qWaitForWindowActive(decoy_.get());
    } else {
        window_->activateWindow();
        (void)QTest::qWaitForWindowActive(window_.get());
    }
}

void RandomEvents::StartComputed()
{
    Note("  starts on table.csv, computed, with Evaluations and Plot open");
    CommonDialog random = window_->ImportDialog();
    window_->ImportDialog() = CommonDialog([this](QWidget*, CommonDialog::Kind, const QString&) {
        return std::optional<QString>(files_.filePath(QStringLiteral("table.csv")));
    });
    window_->findChild<QAction*>(QStringLiteral("mnuImport"))->trigger();
    window_->ImportDialog() = random;
    for (const char* button : {"cmdCompute", "cmdEvaluations", "cmdPlot"})
        QTest::mouseClick(window_->findChild<QWidget*>(QString::fromLatin1(button)), Qt::LeftButton);
}

QWidget* RandomEvents::FrontWindow() const
{
    // While the values grid or the function window is open, the main window takes no input.
    if (!window_->isEnabled())
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->parentWidget() == window_.get())
                return top;
    return window_.get();
}

void RandomEvents::KeepActivation()
{
    // Windows shown by the program (About, Help) take the activation; the
    // evaluation window, beside the main window, may keep it, and so may a
    // dialog over it alone (Integrate's bounds).
    QWidget* activeWindow = QApplication::activeWindow();
    const auto beside = [](QWidget* w) { return dynamic_cast<ToolWindow*>(w) != nullptr; };
    const bool besideMain = activeWindow && window_->isEnabled()
                         && (beside(activeWindow)
                             || (activeWindow->parentWidget() && beside(activeWindow->parentWidget()->window())));
    QWidget* active = decoy_ ? decoy_.get() : FrontWindow();
    if (!active->isActiveWindow() && !(besideMain && !decoy_)) {
        active->activateWindow();
        QCoreApplication::processEvents();
    }
}

std::string RandomEvents::Play(int count)
{
    for (int i = 0; i < count; ++i) {
        PlayOne();
        ++played_;
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::processEvents();
        if (!window_->isVisible()) {
            Note("  the main window closed: a fresh one opens");
            window_.reset();
            QCoreApplication::processEvents();
            OpenWindow();
        }
        KeepActivation();
        std::string broken = window_->BrokenInvariant();
        if (broken.empty())
            broken = StaleCoefficients(window_->model());
        if (!broken.empty()) {
            std::ostringstream report;
            report << "broken invariant after event " << played_ << " of seed " << options_.seed
                   << (options_.neverActivated ? " (never activated)" : "") << ": " << broken
                   << "\nthe last events:\n";
            for (const std::string& event : recent_)
                report << "  " << event << '\n';
            return report.str();
        }
    }
    return {};
}

void RandomEvents::Note(std::string event)
{
    if (options_.trace)
        *options_.trace << played_ + 1 << ' ' << event << std::endl;
    recent_.push_back(std::move(event));
    if (recent_.size() > 40)
        recent_.pop_front();
}

void RandomEvents::PlayOne()
{
    const int kind = Pick(1000);
    if (kind < 420)
        ClickSomewhere();
    else if (kind < 680)
        TypeSomething();
    else if (kind < 920)
        PressAKey();
    else if (kind < 997)
        UseTheMenu();
    else
        CloseTheWindow();
}

void RandomEvents::ClickSomewhere()
{
    std::vector<QWidget*> windows{window_.get()};
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top != window_.get() && top != decoy_.get() && top->windowType() != Qt::Popup)
            windows.push_back(top);
    // Qt lists them in no fixed order; a seed must pick the same one every time.
    std::sort(windows.begin() + 1, windows.end(), [](const QWidget* a, const QWidget* b) {
        return NameOf(a) < NameOf(b);
    });
    QWidget* window = windows.size() > 1 && Chance(0.3) ? OneOf(std::vector(windows.begin() + 1, windows.end()))
                                                        : window_.get();
    std::vector<QWidget*> targets{window};
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->isVisible() && child->width() > 0 && child->height() > 0 && !qobject_cast<QMenuBar*>(child))
            targets.push_back(child);
    QWidget* target = OneOf(targets);
    const QPoint at(Pick(target->width()), Pick(target->height()));
    const bool twice = Chance(0.05);
    Note(std::string(twice ? "double-click " : "click ") + NameOf(target) + " at " + std::to_string(at.x()) + ","
         + std::to_string(at.y()));
    if (twice)
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
}

QWidget* RandomEvents::KeyTarget() const
{
    // Where the window system sends keys: the window's focus widget.
    QWidget* window = QApplication::activeWindow() && QApplication::activeWindow() != decoy_.get()
                        ? QApplication::activeWindow()
                        : FrontWindow();
    return window->focusWidget() ? window->focusWidget() : window;
}

void RandomEvents::TypeSomething()
{
    const char* text = OneOf(kTexts);
    QWidget* target = KeyTarget();
    const bool replace = Chance(0.5);
    Note(std::string(replace ? "replace with \"" : "type \"") + text + "\" in " + NameOf(target));
    if (replace)
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    // A key may move the focus or close a window: each goes where keys go then.
    for (const QChar c : QString::fromUtf8(text))
        QTest::keyClick(KeyTarget(), c.toLatin1());
}

void RandomEvents::PressAKey()
{
    const KeyPress& press = OneOf(kKeys);
    if (press.key == Qt::Key_V) {
        const char* clip = OneOf(kClipboards);
        QApplication::clipboard()->setText(QString::fromLatin1(clip));
        Note(std::string("  clipboard: ") + clip);
    }
    QWidget* target = KeyTarget();
    Note(std::string(press.name) + " in " + NameOf(target));
    QTest::keyClick(target, press.key, press.modifiers);
    // A mnemonic clicks its button after a short animation: let it end now,
    // not at whatever later event the clock allows.
    if (press.modifiers & Qt::AltModifier) {
        const auto animating = [this] {
            const auto buttons = window_->findChildren<QAbstractButton*>();
            return std::any_of(buttons.begin(), buttons.end(), [](const QAbstractButton* b) { return b->isDown(); });
        };
        (void)QTest::qWaitFor([&] { return !window_->isVisible() || !animating(); }, 1000);
    }
}

void RandomEvents::UseTheMenu()
{
    QMenuBar* bar = window_->menuBar();
    std::vector<QAction*> titles;
    for (QAction* title : bar->actions())
        if (title->isVisible())
            titles.push_back(title);
    QAction* title = OneOf(titles);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    QMenu* menu = title->menu();
    if (!menu) {
        Note("menu " + title->text().toStdString());
        return;
    }
    std::vector<QAction*> entries;
    for (QAction* entry : menu->actions())
        if (entry->isVisible() && !entry->isSeparator())
            entries.push_back(entry);
    QAction* entry = OneOf(entries);
    Note("menu " + title->text().toStdString() + " > " + entry->text().toStdString()
         + (entry->isEnabled() ? "" : " (disabled)"));
    if (menu->isVisible())
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}

void RandomEvents::CloseTheWindow()
{
    Note("close box of the main window");
    window_->close();
}

int RandomEvents::Pick(int count)
{
    if (count <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, count - 1)(random_);
}

bool RandomEvents::Chance(double p)
{
    return Pick(1 << 20) < static_cast<int>(p * (1 << 20));
}

} // namespace tavex::testing
