#include "app/about_window.h"

#include "app/maker.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tavex {

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString());
    QFont large = font();
    large.setPointSize(18);
    setFont(large);

    auto* text = new QLabel(Lines().join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("lblAboutLines"));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The label must not swallow the click that closes the window.
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 0, 48, 32);
    layout->addWidget(text);
}

QStringList AboutWindow::Lines()
{
    return {QString(), QString(), QString(), QString(), QStringLiteral("Tavex"), QString(),
            QStringLiteral("(Tabulated Functions)"), QString(), QString::fromUtf8(kMakerNoticeLine1), QString(),
            QString::fromUtf8(kMakerNoticeLine2), QString(), QString::fromLatin1(kMakerWebAddress)};
}

void AboutWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

AboutWindow* ShowAbout(QWidget* parent)
{
    auto* about = new AboutWindow(parent);
    about->show();
    return about;
}

} // namespace tavex
