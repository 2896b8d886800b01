#include "app/toolkit/tool_window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tavex {

namespace {

// Says when its layout has been redone, by which time Qt has resized it.
class BodyWidget final : public QWidget {
public:
    std::function<void()> onLaidOut;

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::LayoutRequest && onLaidOut)
            onLaidOut();
        return handled;
    }
};

// What the window manager adds around a window.
QMargins FrameOf(const QWidget& window)
{
    const QRect inner = window.geometry(), outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool HasFixedSize(const QWidget& body)
{
    return body.layout() && body.layout()->sizeConstraint() == QLayout::SetFixedSize;
}

} // namespace

ToolWindow::ToolWindow(QWidget* parent, Placement placement)
    : QWidget(parent, Qt::Window), placement_(placement)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* body = new BodyWidget;
    body->onLaidOut = [this] { FollowFixedBody(); };
    body_ = body;
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus); // no stop of its own between the fields
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(body_);
    scroll_->horizontalScrollBar()->setAccessibleName(QStringLiteral("Horizontal"));
    scroll_->verticalScrollBar()->setAccessibleName(QStringLiteral("Vertical"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    // A field given the focus comes into sight, whoever gave it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && body_->isAncestorOf(now))
            scroll_->ensureWidgetVisible(now);
    });
}

void ToolWindow::SetOwner(QWidget* owner)
{
    owner_ = owner;
    connect(owner, &QObject::destroyed, this, [this] { delete this; });
}

QSize ToolWindow::sizeHint() const
{
    return body_->sizeHint();
}

void ToolWindow::DataChanged() const
{
    if (onDataChanged)
        onDataChanged();
}

QWidget* ToolWindow::Owner() const
{
    QWidget* owner = owner_ ? owner_.data() : parentWidget();
    return owner && owner->window()->isVisible() ? owner->window() : nullptr;
}

QMargins ToolWindow::Frame() const
{
    // Until the window manager has framed this window, it frames it as it framed the owner;
    // with neither, a title bar's height is the best guess.
    if (frameGeometry() != geometry())
        return FrameOf(*this);
    if (QWidget* owner = Owner())
        return FrameOf(*owner);
    return {0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
}

QRect ToolWindow::Available() const
{
    QWidget* owner = placed_ ? nullptr : Owner();
    return (owner ? owner->screen() : screen())->availableGeometry();
}

void ToolWindow::Place()
{
    QWidget* owner = Owner();
    const QSize wanted = testAttribute(Qt::WA_Resized) ? size() : sizeHint();
    setGeometry(PlacedGeometry(owner ? owner->frameGeometry() : QRect(), wanted, Frame(), Available(),
                               placement_, style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    placed_ = true;
}

void ToolWindow::FollowFixedBody()
{
    if (!HasFixedSize(*body_))
        return;
    const QSize whole = sizeHint();
    const QMargins frame = Frame();
    const QRect available = Available();
    const QSize room = available.size().shrunkBy(frame);
    // No room beyond the content; none is kept from a window too big for the screen.
    const bool fits = whole.width() <= room.width() && whole.height() <= room.height();
    setMaximumSize(fits ? whole : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    if (!placed_)
        return;
    // Grown or shrunk in place, its top left kept unless the screen's edge moves it.
    const QRect inPlace(geometry().topLeft() - QPoint(frame.left(), frame.top()), whole.grownBy(frame));
    setGeometry(PlacedGeometry(inPlace, whole, frame, available, Placement::Centred,
                               style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
}

void ToolWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!placed_) {
        FollowFixedBody();
        Place();
    }
    if (QWidget* first = FirstField())
        first->setFocus();
}

bool ToolWindow::event(QEvent* event)
{
    // Placed within a frame guessed at; by its first paint the window manager has framed it, and
    // its own frame decides. No window manager, no frame: nothing to do.
    const QEvent::Type type = event->type();
    if (placed_ && !framed_ && (type == QEvent::Paint || type == QEvent::WindowActivate)
        && frameGeometry() != geometry()) {
        framed_ = true;
        if (!Available().contains(frameGeometry()))
            QTimer::singleShot(0, this, [this] { Place(); });
    }
    return QWidget::event(event);
}

void ToolWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    Closing();
    event->accept();
    if (onClosed)
        onClosed();
}

QAccessibleInterface* ToolWindowAccessible(const QString&, QObject* object)
{
    // Past its own destructor a window is a plain QWidget again and left to Qt, which knows it is going.
    auto* window = dynamic_cast<ToolWindow*>(object);
    return window && window->isWindow() ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

} // namespace tavex
