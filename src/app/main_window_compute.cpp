// The main window's compute command.
#include "app/main_window.h"

#include "app/coefficient_list_model.h"
#include "app/toolkit/busy_pointer.h"
#include "engine/compute.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

#include <new>

namespace tavex {

void MainWindow::ComputeCommand()
{
    BusyPointer busy;
    ClearResults();
    if (!ReadSpecs())
        return;
    try {
        model_.coef = model_.funTable;
    } catch (const std::bad_alloc&) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("There is not enough memory to compute the coefficients."));
        return;
    }
    model_.isComputed = false;

    PerVariable<bool> spaced{};
    for (int k = 0; k <= model_.lastVar; ++k)
        spaced[static_cast<std::size_t>(k)] = (*chkSpaced)[k]->isChecked();
    const ComputeOutcome outcome = Compute(model_, spaced);
    if (!outcome.failureLine.empty())
        coeffLines->AppendLine(outcome.failureLine);
    if (model_.isComputed) {
        Beep();
        coeffLines->AppendListing(model_);
        cmdEvaluations->setEnabled(true);
    }
}

} // namespace tavex
