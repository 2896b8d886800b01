#include "app/toolkit/common_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace tavex {

namespace {

const QString kAllFiles = QStringLiteral("All files (*)");

// Qt's own dialog opens too narrow for the names of a folder: it opens at a
// size that shows them, and its columns fit what they show as a folder is
// read. A native dialog has no such view and sizes itself.
void FitToNames(QFileDialog& dialog)
{
    constexpr QSize kComfortable(820, 500);
    QSize size = dialog.sizeHint().expandedTo(kComfortable);
    if (const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    dialog.resize(size);

    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details || !details->model())
        return;
    const auto fit = [details] {
        for (int column = 0; column < details->model()->columnCount(details->rootIndex()); ++column)
            details->resizeColumnToContents(column);
    };
    // Queued: the rows are laid out by the time it runs.
    QObject::connect(details->model(), &QAbstractItemModel::rowsInserted, details, fit, Qt::QueuedConnection);
    QObject::connect(details->model(), &QAbstractItemModel::layoutChanged, details, fit, Qt::QueuedConnection);
}

// The filter that shows the file the dialog opens on, else the first.
QString FilterFor(const QString& fileName, const QStringList& nameFilters)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const QString& filter : nameFilters) {
        const QString filterSuffix = DefaultSuffixOf(filter);
        if (!filterSuffix.isEmpty() && filterSuffix.compare(suffix, Qt::CaseInsensitive) == 0)
            return filter;
    }
    return nameFilters.front();
}

std::optional<QString> ChooseWithFileDialog(QWidget* parent, CommonDialog::Kind kind, const QString& fileName,
                                            const QString& title, const QStringList& nameFilters)
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("cdbFile"));
    dialog.setAcceptMode(kind == CommonDialog::Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name that does not exist may be typed in either dialog: Open reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        const QString selected = FilterFor(fileName, nameFilters);
        dialog.selectNameFilter(selected);
        // In Open a name typed as it is must open that file, extension or none.
        if (kind == CommonDialog::Kind::Save) {
            dialog.setDefaultSuffix(DefaultSuffixOf(selected));
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog](const QString& filter) { dialog.setDefaultSuffix(DefaultSuffixOf(filter)); });
        }
    }
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    FitToNames(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

QStringList WithAllFiles(QStringList nameFilters)
{
    const bool hasAll = std::any_of(nameFilters.begin(), nameFilters.end(),
                                    [](const QString& filter) { return filter.endsWith(QLatin1String("(*)")); });
    if (!hasAll)
        nameFilters.append(kAllFiles);
    return nameFilters;
}

} // namespace

QString DefaultSuffixOf(const QString& nameFilter)
{
    const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = nameFilter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    const QStringList patterns = nameFilter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (patterns.isEmpty() || !patterns.front().startsWith(QLatin1String("*.")))
        return {};
    const QString suffix = patterns.front().mid(2);
    const bool plain = !suffix.isEmpty() && !suffix.contains(QLatin1Char('*')) && !suffix.contains(QLatin1Char('?'))
                    && !suffix.contains(QLatin1Char('['));
    return plain ? suffix : QString();
}

CommonDialog::CommonDialog()
    : openTitle_(QStringLiteral("Open problem")), saveTitle_(QStringLiteral("Save problem as"))
{
}

CommonDialog::CommonDialog(const QString& title, const QStringList& nameFilters)
    : openTitle_(title), saveTitle_(title), nameFilters_(WithAllFiles(nameFilters))
{
}

CommonDialog::CommonDialog(Chooser chooser)
    : chooser_(std::move(chooser))
{
}

bool CommonDialog::ShowOpen(QWidget* parent)
{
    return Show(parent, Kind::Open, openTitle_, nameFilters_);
}

bool CommonDialog::ShowSave(QWidget* parent)
{
    return Show(parent, Kind::Save, saveTitle_, nameFilters_);
}

bool CommonDialog::ShowSave(QWidget* parent, const QString& title, const QStringList& nameFilters)
{
    return Show(parent, Kind::Save, title, WithAllFiles(nameFilters));
}

bool CommonDialog::Show(QWidget* parent, Kind kind, const QString& title, const QStringList& nameFilters)
{
    const std::optional<QString> chosen = chooser_ ? chooser_(parent, kind, fileName_)
                                                   : ChooseWithFileDialog(parent, kind, fileName_, title, nameFilters);
    if (chosen)
        fileName_ = *chosen;
    return chosen.has_value();
}

} // namespace tavex
