#pragma once

#include <QComboBox>

namespace tavex {

// A drop-down list whose accessible name is its own (its accessibleName, else
// its label's), whatever item is chosen. On Linux Qt names a combo box after
// its current text, so that "Along" would be announced as "x" and change
// with the choice; here the choice is the accessible value.
class ChoiceBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceBox(QWidget* parent);
};

} // namespace tavex
