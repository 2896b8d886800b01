#include "app/toolkit/choice_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

#include <mutex>

namespace tavex {

namespace {

class ChoiceBoxAccessible final : public QAccessibleWidget {
public:
    explicit ChoiceBoxAccessible(ChoiceBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? Box()->currentText() : QAccessibleWidget::text(t);
    }

    // The pop-up list, as Qt's own combo box gives it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == Box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            Box()->view()->isVisible() ? Box()->hidePopup() : Box()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ChoiceBox* Box() const { return static_cast<ChoiceBox*>(widget()); }
};

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(ChoiceBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<ChoiceBox*>(object))
            return new ChoiceBoxAccessible(box);
    return nullptr;
}

} // namespace

ChoiceBox::ChoiceBox(QWidget* parent)
    : QComboBox(parent)
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(MakeAccessible); });
}

} // namespace tavex
