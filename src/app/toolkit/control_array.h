#pragma once

#include <QString>
#include <QWidget>

#include <cassert>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavex {

// What a new element of a control array takes over from element 0.
void CopyControlProperties(const QLineEdit& from, QLineEdit& to);
void CopyControlProperties(const QLabel& from, QLabel& to);
void CopyControlProperties(const QCheckBox& from, QCheckBox& to);
void CopyControlProperties(const QPushButton& from, QPushButton& to);

// Puts the copy where element 0 is: the same layout cell, or the same place.
void PlaceLikeOriginal(const QWidget& original, QWidget& copy);

// Object name of element k of the array `name`: "txtLL_2".
QString ElementName(const QString& name, int k);

// A control array: element 0 exists from the start; element k is created at
// run time as a copy of element 0 as it is at that moment (text and caption
// included), in element 0's place, and starts hidden. Elements belong to
// their parent widget.
template <typename Control>
class ControlArray final {
public:
    ControlArray(QString name, Control* element0)
        : name_(std::move(name))
        , elements_{element0}
    {
        assert(element0 && element0->parentWidget());
        element0->setObjectName(ElementName(name_, 0));
    }

    Control* operator[](int k) const
    {
        assert(k >= 0 && k < size());
        return elements_[static_cast<std::size_t>(k)];
    }
    int size() const { return static_cast<int>(elements_.size()); }
    const QString& name() const { return name_; }

    // Creates element k, which must be the next one.
    Control* Load(int k)
    {
        assert(k == size());
        const Control& original = *elements_.front();
        auto* copy = new Control(original.parentWidget());
        copy->setObjectName(ElementName(name_, k));
        copy->hide();
        CopyControlProperties(original, *copy);
        CopyCommonProperties(original, *copy);
        PlaceLikeOriginal(original, *copy);
        elements_.push_back(copy);
        return copy;
    }

private:
    static void CopyCommonProperties(const QWidget& from, QWidget& to)
    {
        to.setFont(from.font());
        to.setToolTip(from.toolTip());
        to.setEnabled(from.isEnabled());
        to.setFocusPolicy(from.focusPolicy());
        to.setSizePolicy(from.sizePolicy());
        to.setMinimumSize(from.minimumSize());
        to.setMaximumSize(from.maximumSize());
    }

    QString name_;
    std::vector<Control*> elements_;
};

} // namespace tavex
