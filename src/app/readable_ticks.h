#pragma once

#include <qcustomplot.h>

namespace tavex {

// Ticks no closer than their labels need: the step is the smallest of 1, 2,
// 2.5 and 5 times a power of ten at which neighbouring labels, at the axis's
// length in pixels, keep a gap of half a line. QCustomPlot's own ticker aims
// at a count of ticks whatever the length, and on a short axis, such as the
// difference panel of a small window, its labels overlap.
class ReadableTicker final : public QCPAxisTicker {
public:
    explicit ReadableTicker(const QCPAxis* axis) : axis_(axis) {}

    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                  QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels) override;

    // The length in pixels the ticks were last chosen for.
    int ChosenFor() const { return chosenFor_; }

private:
    const QCPAxis* axis_;
    int chosenFor_ = -1;
};

// Gives each axis of the plot a ReadableTicker, labels written plainly
// ("1e-16", whose size is that of its text).
void UseReadableTicks(QCustomPlot* plot);

// Once for each plot: QCustomPlot chooses the ticks before its layout sets
// the axes' lengths, so after a resize or an export at another size they
// would be chosen for the old length; the layout is then run once more.
void KeepTicksReadable(QCustomPlot* plot);

} // namespace tavex
