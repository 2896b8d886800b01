#include "app/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

namespace tavex {

QString HelpFilePath(const QString& startDir, const QString& programDir)
{
    const QString inStartDir = QDir(startDir).filePath(QStringLiteral("tavex.hlp"));
    const QString installed = QDir(programDir).filePath(QStringLiteral("../share/tavex/tavex.hlp"));
    if (!QFileInfo::exists(inStartDir) && QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return inStartDir;
}

void ShowHelp(const QString& path, QWidget* parent)
{
    auto* viewer = new QTextBrowser(parent);
    viewer->setWindowFlag(Qt::Window);
    viewer->setObjectName(QStringLiteral("frmHelp"));
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowTitle(QStringLiteral("Tavex Help"));
    viewer->setOpenExternalLinks(true);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        viewer->setHtml(QString::fromUtf8(file.readAll()));
    } else {
        viewer->setPlainText(QStringLiteral("The help file %1 cannot be opened: %2.").arg(path, file.errorString()));
    }
    viewer->moveCursor(QTextCursor::Start);
    viewer->resize(640, 560);
    viewer->show();
}

} // namespace tavex
