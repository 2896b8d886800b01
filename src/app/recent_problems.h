#pragma once

#include <QStringList>

namespace tavex {

// File > Open recent: the last problems opened or saved, the latest first,
// each once, kept between runs in the user's settings (QSettings).
class RecentProblems final {
public:
    static constexpr int kMost = 6;

    QStringList Paths() const;
    // path becomes the latest; the oldest beyond kMost are forgotten.
    void Add(const QString& path);
    // A problem that could not be opened any more.
    void Remove(const QString& path);

private:
    void Store(const QStringList& paths);
};

} // namespace tavex
