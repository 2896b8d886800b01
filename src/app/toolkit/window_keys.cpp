#include "app/toolkit/window_keys.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QVariant>

namespace tavex {

namespace {

const char kHelpSection[] = "helpSection";

bool IsEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Qt clicks a default or auto-default button itself, and a dialog decides what Enter does.
bool ClicksOnEnter(const QPushButton& button)
{
    return button.isEnabled() && !button.autoDefault() && !button.isDefault()
        && !qobject_cast<const QDialog*>(button.window());
}

} // namespace

void SetHelpSection(QWidget* window, const QString& anchor)
{
    window->setProperty(kHelpSection, anchor);
}

QString HelpSectionOf(const QWidget* widget)
{
    for (const QWidget* window = widget ? widget->window() : nullptr; window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        const QVariant section = window->property(kHelpSection);
        if (section.isValid())
            return section.toString();
    }
    return {};
}

void WindowKeys::SetHelpOpener(QObject* owner, std::function<void(const QString& anchor)> open)
{
    helpOwner_ = owner;
    openHelp_ = std::move(open);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    auto* widget = static_cast<QWidget*>(watched);
    if (IsEnter(key)) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button && ClicksOnEnter(*button)) {
            button->click();
            return true;
        }
    }
    if (key.key() == Qt::Key_F1 && key.modifiers() == Qt::NoModifier && helpOwner_ && openHelp_
        && !QApplication::activeModalWidget()) {
        openHelp_(HelpSectionOf(widget));
        return true;
    }
    return false;
}

} // namespace tavex
