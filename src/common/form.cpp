#include "form.h"

#include "common/platform.h"
#include "common/textfit.h"

#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace tb {

namespace {

const char *const areaName = "formArea";

QScrollArea *areaOf(const QWidget *window)
{
    return window->findChild<QScrollArea *>(QLatin1String(areaName), Qt::FindDirectChildrenOnly);
}

// Sizes the window to its screen: now, when it is shown, and when it is first placed or changes
// screens (the frame a window manager adds is known only then). A window that would be shown
// partly off its screen is moved onto it; one the user moves is left where it is.
class ScreenFit final : public QObject
{
public:
    explicit ScreenFit(QWidget *window) : QObject(window), m_window(window) { window->installEventFilter(this); }

    void fit(bool place)
    {
        QScrollArea *area = areaOf(m_window);
        const QScreen *screen = m_window->screen();
        if (!area || !screen)
            return;
        QSize room = screen->availableGeometry().size();
        if (const QWindow *handle = m_window->windowHandle()) {
            const QMargins frame = handle->frameMargins();
            room -= QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
        }
        const int extent = m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
        m_window->setFixedSize(windowSizeFor(area->widget()->size(), room, extent));

        const QRect free = screen->availableGeometry();
        QRect frame = m_window->frameGeometry();
        if (place && !free.contains(frame)) {
            frame.moveRight(std::min(frame.right(), free.right()));
            frame.moveBottom(std::min(frame.bottom(), free.bottom()));
            frame.moveLeft(std::max(frame.left(), free.left()));
            frame.moveTop(std::max(frame.top(), free.top()));
            m_window->move(frame.topLeft());
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Show:
            fit(true);
            break;
        case QEvent::Move:
        case QEvent::ScreenChangeInternal:
            fit(false);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

} // namespace

QFont formFont()
{
    // The forms were drawn for an 8 point sans serif; the system's own keeps them readable.
    QFont font = systemSansSerif();
    font.setPointSize(8);
    return font;
}

QWidget *makeForm(QWidget *window, QSize size)
{
    auto *area = new QScrollArea(window);
    area->setObjectName(QLatin1String(areaName));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    auto *form = new QWidget;
    form->setObjectName(QStringLiteral("form"));
    form->setFont(formFont());
    form->setFixedSize(size);
    area->setWidget(form);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    window->setFixedSize(size);
    return form;
}

void finishForm(QWidget *window)
{
    QScrollArea *area = areaOf(window);
    Q_ASSERT(area);
    for (QPushButton *button : area->widget()->findChildren<QPushButton *>())
        button->setAutoDefault(true);
    for (QWidget *control : area->widget()->findChildren<QWidget *>())
        growToText(control);
    auto *fit = new ScreenFit(window);
    fit->fit(true);
}

QSize windowSizeFor(QSize form, QSize room, int scrollBarExtent)
{
    bool wide = form.width() > room.width();
    bool high = form.height() > room.height();
    // A scroll bar in one direction takes room from the other.
    if (high && !wide)
        wide = form.width() + scrollBarExtent > room.width();
    if (wide && !high)
        high = form.height() + scrollBarExtent > room.height();
    return {wide ? room.width() : form.width() + (high ? scrollBarExtent : 0),
            high ? room.height() : form.height() + (wide ? scrollBarExtent : 0)};
}

} // namespace tb
