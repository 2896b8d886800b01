#pragma once

#include "setup/panel_texts.h"
#include "setup/shown_specs.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavex {

// The panel of one variable ("Specs for each variable"): its name, limits,
// center, period, number of values, kind and spacing, and its two value-list
// buttons. Every control is this panel's own and is named after its role with
// the variable's index ("txtLL_2"); every panel lays them out alike, so that
// they sit in the same places whichever panel is shown.
class SpecPanel final : public QWidget {
public:
    // The panel of variable k (0-based), showing the defaults.
    SpecPanel(int k, QWidget* parent);

    int variable() const { return k_; }

    // A new variable's panel starts as a copy of the first one as it stands:
    // its texts, check states and enabled states.
    void CopyStateOf(const SpecPanel& first);

    // The texts and check states as typed, for ReadSpecs.
    PanelTexts Texts() const;
    // Shows a problem's specs (SetDisplayedSpecs; Open adds the
    // center and period texts of its file).
    void Show(const ShownPanel& shown);
    void SetName(const QString& name);

    // The fields in their tab order: the five boxes, then Equally spaced, then Power.
    std::array<QWidget*, 7> TabFields() const;

    QLabel* lblVar() const { return lblVar_; }
    QLineEdit* txtLL() const { return txtLL_; }
    QLineEdit* txtUL() const { return txtUL_; }
    QLineEdit* txtExpansion() const { return txtExpansion_; }
    QLineEdit* txtPeriod() const { return txtPeriod_; }
    QLineEdit* txtTerms() const { return txtTerms_; }
    QCheckBox* chkPower() const { return chkPower_; }
    QCheckBox* chkSpaced() const { return chkSpaced_; }
    QPushButton* cmdAddVars() const { return cmdAddVars_; }
    QPushButton* cmdEditVars() const { return cmdEditVars_; }

    // The count box's number of values minus one when it last got the focus:
    // leaving it with another number empties the tables.
    int valueUpperBefore = 0;

private:
    int k_;
    QLabel* lblVar_;
    QLineEdit* txtLL_;
    QLineEdit* txtUL_;
    QLineEdit* txtExpansion_;
    QLineEdit* txtPeriod_;
    QLineEdit* txtTerms_;
    QGroupBox* fraType_;
    QCheckBox* chkPower_;
    QCheckBox* chkSpaced_;
    QPushButton* cmdAddVars_;
    QPushButton* cmdEditVars_;
};

} // namespace tavex
