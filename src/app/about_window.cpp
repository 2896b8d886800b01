#include "app/about_window.h"

#include "app/maker.h"
#include "app/toolkit/named.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavex {

AboutWindow::AboutWindow(QWidget* owner)
    : ToolWindow(nullptr)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tavex"));
    if (owner)
        SetOwner(owner->window());

    auto* text = Named<QLabel>("lblAboutLines", Lines().join(QLatin1Char('\n')), Body());
    QFont large = text->font();
    large.setPointSize(18);
    text->setFont(large);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* version = Named<QLabel>("lblVersion", QStringLiteral("Version ") + Version(), Body());
    version->setAlignment(Qt::AlignHCenter);
    // The labels must not swallow the click that closes the window.
    for (QLabel* label : {text, version})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    cmdClose = Named<QPushButton>("cmdClose", QStringLiteral("Close"), Body());
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(48, 0, 48, 16);
    layout->addWidget(text);
    layout->addSpacing(8);
    layout->addWidget(version);
    layout->addSpacing(16);
    layout->addWidget(cmdClose, 0, Qt::AlignHCenter);
}

QStringList AboutWindow::Lines()
{
    return {QString(), QString(), QString(), QString(), QStringLiteral("Tavex"), QString(),
            QStringLiteral("(Tabulated Functions)"), QString(), QString::fromUtf8(kMakerNoticeLine1), QString(),
            QString::fromUtf8(kMakerNoticeLine2), QString(), QString::fromLatin1(kMakerWebAddress)};
}

QString AboutWindow::Version()
{
    return QStringLiteral(TAVEX_VERSION);
}

QWidget* AboutWindow::FirstField() const
{
    return cmdClose;
}

void AboutWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

AboutWindow* ShowAbout(QWidget* owner)
{
    auto* about = new AboutWindow(owner);
    about->show();
    return about;
}

} // namespace tavex
