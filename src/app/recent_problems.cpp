#include "app/recent_problems.h"

#include <QFileInfo>
#include <QSettings>

namespace tavex {

namespace {

const QString kKey = QStringLiteral("recentProblems");

} // namespace

QStringList RecentProblems::Paths() const
{
    return QSettings().value(kKey).toStringList().mid(0, kMost);
}

void RecentProblems::Add(const QString& path)
{
    // The same problem reached by another way of writing its path is still one entry.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList paths = Paths();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    Store(paths.mid(0, kMost));
}

void RecentProblems::Remove(const QString& path)
{
    QStringList paths = Paths();
    paths.removeAll(QFileInfo(path).absoluteFilePath());
    Store(paths);
}

void RecentProblems::Store(const QStringList& paths)
{
    QSettings().setValue(kKey, paths);
}

} // namespace tavex
