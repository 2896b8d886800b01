#pragma once

#include "app/decimal_point.h"
#include "app/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tavex {

// Records what the window writes back as the decimal separator.
class RecordingSetting final : public DecimalSeparatorSetting {
public:
    std::string Read() override { return "."; }
    void Write(const std::string& separator) override { writes.push_back(separator); }
    std::vector<std::string> writes;
};

// A fresh main window, shown and active, driven by real key and mouse
// events; its message boxes are recorded in `told` instead of shown.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        told.clear();
        window = std::make_unique<MainWindow>(setting, ",", NumberFormat{","});
        window->Messages() = MessageBox([this](QWidget*, const QString&, const QString& text) {
            told.push_back(text.toStdString());
        });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override
    {
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other != window.get())
                other->close();
    }

    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
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

    void Declare(const char* count, const char* names)
    {
        Type(count);
        Tab();
        ASSERT_EQ(FocusName(), "txtVarNams");
        Type(names);
        Tab();
        ASSERT_FALSE(Box("txtVarNams")->isEnabled());
    }

    RecordingSetting setting;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> told;
};

} // namespace tavex
