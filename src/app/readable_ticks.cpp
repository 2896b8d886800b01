#include "app/readable_ticks.h"

#include <algorithm>
#include <cmath>

namespace tavex {

namespace {

// The least of 1, 2, 2.5, 5 and 10 times a power of ten that is at least x.
double ReadableStepFrom(double x)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(x)));
    for (const double mantissa : {1.0, 2.0, 2.5, 5.0})
        if (mantissa * magnitude >= x)
            return mantissa * magnitude;
    return 10.0 * magnitude;
}

int LengthOf(const QCPAxis* axis)
{
    const QRect rect = axis->axisRect()->rect();
    return axis->orientation() == Qt::Horizontal ? rect.width() : rect.height();
}

QList<QCPAxis*> AxesOf(const QCustomPlot* plot)
{
    return plot->findChildren<QCPAxis*>();
}

} // namespace

void ReadableTicker::generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision,
                              QVector<double>& ticks, QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    chosenFor_ = LengthOf(axis_);
    if (chosenFor_ <= 0 || !(range.size() > 0) || !std::isfinite(range.size())) {
        QCPAxisTicker::generate(range, locale, formatChar, precision, ticks, subTicks, tickLabels);
        return;
    }
    const QFontMetrics metrics(axis_->tickLabelFont());
    const int gap = metrics.height() / 2;
    const double perPixel = range.size() / chosenFor_;
    // Labels across the axis need their height; along it, the widest label's width.
    double step = ReadableStepFrom(perPixel * (metrics.height() + gap));
    QVector<QString> labels;
    for (;;) {
        ticks = createTickVector(step, range);
        trimTicks(range, ticks, false);
        labels = createLabelVector(ticks, locale, formatChar, precision);
        if (axis_->orientation() == Qt::Vertical || ticks.size() < 2)
            break;
        int widest = 0;
        for (const QString& label : labels)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        if (step / perPixel >= widest + gap)
            break;
        step = ReadableStepFrom(step * (1.0 + 1e-9));
    }
    if (subTicks) {
        // As QCPAxisTicker does: from the ticks and one beyond each end.
        QVector<double> around = createTickVector(step, range);
        trimTicks(range, around, true);
        *subTicks = createSubTickVector(getSubTickCount(step), around);
        trimTicks(range, *subTicks, false);
    }
    if (tickLabels)
        *tickLabels = labels;
}

void UseReadableTicks(QCustomPlot* plot)
{
    for (QCPAxis* axis : AxesOf(plot)) {
        if (dynamic_cast<ReadableTicker*>(axis->ticker().data()))
            continue;
        axis->setTicker(QSharedPointer<ReadableTicker>::create(axis));
        axis->setNumberFormat(QStringLiteral("g"));
    }
}

void KeepTicksReadable(QCustomPlot* plot)
{
    QObject::connect(plot, &QCustomPlot::afterLayout, plot, [plot] {
        const auto stale = [plot] {
            const QList<QCPAxis*> axes = AxesOf(plot);
            return std::any_of(axes.begin(), axes.end(), [](const QCPAxis* axis) {
                const auto* ticker = dynamic_cast<const ReadableTicker*>(axis->ticker().data());
                return axis->visible() && ticker && ticker->ChosenFor() != LengthOf(axis);
            });
        };
        // A second run may move the margins by a label's width; a third settles them.
        for (int run = 0; run < 2 && stale(); ++run)
            for (const auto phase : {QCPLayoutElement::upPreparation, QCPLayoutElement::upMargins,
                                     QCPLayoutElement::upLayout})
                plot->plotLayout()->update(phase);
    });
}

} // namespace tavex
