#include "app/help_window.h"

#include "app/toolkit/named.h"
#include "app/toolkit/tool_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QVBoxLayout>

namespace tavex {

namespace {

// frmHelp: the help file, read in a text browser; Escape closes it.
class HelpWindow final : public ToolWindow {
public:
    HelpWindow()
        : ToolWindow(nullptr, Placement::Beside)
    {
        setObjectName(QStringLiteral("frmHelp"));
        setWindowTitle(QStringLiteral("Tavex Help"));
        txtHelp = Named<QTextBrowser>("txtHelp", Body());
        txtHelp->setAccessibleName(QStringLiteral("Help text"));
        txtHelp->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(Body());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(txtHelp);
    }

    QSize sizeHint() const override { return {640, 560}; }

    void Load(const QString& path)
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            txtHelp->setHtml(QString::fromUtf8(file.readAll()));
        else
            txtHelp->setPlainText(
                QStringLiteral("The help file %1 cannot be opened: %2.").arg(path, file.errorString()));
    }

    // The anchor's line at the top, and the cursor, which a screen reader reads from, on it.
    void GoTo(const QString& anchor)
    {
        txtHelp->moveCursor(QTextCursor::Start);
        txtHelp->verticalScrollBar()->setValue(0);
        if (anchor.isEmpty())
            return;
        for (QTextBlock block = txtHelp->document()->begin(); block.isValid(); block = block.next())
            for (const QTextLayout::FormatRange& range : block.textFormats())
                if (range.format.anchorNames().contains(anchor)) {
                    QTextCursor cursor(block);
                    cursor.setPosition(block.position() + range.start);
                    txtHelp->setTextCursor(cursor);
                    txtHelp->scrollToAnchor(anchor);
                    return;
                }
    }

protected:
    QWidget* FirstField() const override { return txtHelp; }

private:
    QTextBrowser* txtHelp = nullptr;
};

} // namespace

QString HelpFilePath(const QString& startDir, const QString& programDir)
{
    const QString inStartDir = QDir(startDir).filePath(QStringLiteral("tavex.hlp"));
    const QString installed = QDir(programDir).filePath(QStringLiteral("../share/tavex/tavex.hlp"));
    if (!QFileInfo::exists(inStartDir) && QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return inStartDir;
}

void ShowHelp(const QString& path, QWidget* owner, const QString& anchor)
{
    HelpWindow* viewer = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* open = dynamic_cast<HelpWindow*>(window); open && open->isVisible())
            viewer = open;
    if (!viewer) {
        viewer = new HelpWindow;
        if (owner)
            viewer->SetOwner(owner->window());
    }
    viewer->Load(path);
    // Shown first: a browser scrolls to an anchor only once it is laid out at its size.
    viewer->show();
    viewer->GoTo(anchor);
    viewer->raise();
    viewer->activateWindow();
}

} // namespace tavex
