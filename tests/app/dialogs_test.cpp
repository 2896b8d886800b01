#include "app/toolkit/common_dialog.h"
#include "app/toolkit/input_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tavex {
namespace {

// Acts on the modal dialog once it is up: the dialogs run their own loop.
void WhenDialogShows(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, qApp, [act = std::move(act)]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return WhenDialogShows(std::move(act));
        act(dialog);
        // A failed expectation must not leave the dialog waiting forever.
        if (dialog->isVisible())
            static_cast<QDialog*>(dialog)->reject();
    });
}

TEST(CommonDialog, PlatformDialogOpensOnTheRememberedName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CommonDialog dialog;
    dialog.setFileName(dir.filePath("first.tvx"));

    WhenDialogShows([&](QWidget* shown) {
        auto* files = qobject_cast<QFileDialog*>(shown);
        ASSERT_TRUE(files);
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(files->nameFilters().isEmpty() || files->nameFilters() == QStringList{"All Files (*)"});
        EXPECT_EQ(files->selectedFiles().value(0), dir.filePath("first.tvx"));
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(name);
        name->setText(dir.filePath("second.tvx"));
        auto* buttons = files->findChild<QDialogButtonBox*>();
        ASSERT_TRUE(buttons);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
    });
    dialog.ShowSave(nullptr);
    EXPECT_EQ(dialog.fileName(), dir.filePath("second.tvx"));

    WhenDialogShows([](QWidget* shown) { static_cast<QDialog*>(shown)->reject(); });
    dialog.ShowOpen(nullptr);
    EXPECT_EQ(dialog.fileName(), dir.filePath("second.tvx"));
}

TEST(InputBox, ReturnsTheTypedTextOrNothingOnCancel)
{
    WhenDialogShows([](QWidget* shown) {
        auto* input = qobject_cast<QInputDialog*>(shown);
        ASSERT_TRUE(input);
        EXPECT_EQ(input->labelText(), "How many values?");
        EXPECT_EQ(input->windowTitle(), "Add values");
        QLineEdit* box = input->findChild<QLineEdit*>();
        ASSERT_TRUE(box);
        EXPECT_TRUE(box->text().isEmpty());
        QTest::keyClicks(box, "3");
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(InputBox(nullptr, "How many values?", "Add values"), "3");

    WhenDialogShows([](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QLineEdit*>(), "ignored");
        static_cast<QDialog*>(shown)->reject();
    });
    EXPECT_EQ(InputBox(nullptr, "How many values?", "Add values"), "");
}

} // namespace
} // namespace tavex
