// SPDX-License-Identifier: LGPL-2.1-or-later
#include "windowordermanager.h"

#include <QApplication>
#include <QEvent>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QSet>
#include <QWidget>

namespace Quorvex {

namespace {

// Windows of every kind (dialogs, tools, tool tips, splash screens...) but pop-ups,
// which close when they lose focus and must keep their own stacking.
bool isAffected(const QWidget *widget)
{
    const Qt::WindowType type = widget->windowType();
    return (type & Qt::Window) && type != Qt::Popup;
}

Qt::WindowFlags wantedFlags(const QWidget *widget, bool alwaysOnTop)
{
    return widget->windowFlags().setFlag(Qt::WindowStaysOnTopHint, alwaysOnTop);
}

} // namespace

void WindowOrderManager::setAlwaysOnTop(bool alwaysOnTop)
{
    if (alwaysOnTop == m_alwaysOnTop)
        return;
    m_alwaysOnTop = alwaysOnTop;

    // Raised at the end, unless changing the others made it go away.
    const QPointer<QWidget> active = QApplication::activeWindow();

    // Showing a window again may create or destroy others, so the walk starts over
    // after every change. A window is changed at most once, even if its flags
    // should read differently afterwards: the walk must end.
    QSet<const QWidget *> changed;
    QWidgetList widgets = QApplication::topLevelWidgets();
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        QWidget *widget = widgets.at(i);
        if (!isAffected(widget) || changed.contains(widget))
            continue;
        const Qt::WindowFlags flags = wantedFlags(widget, alwaysOnTop);
        if (flags == widget->windowFlags())
            continue;
        const bool visible = widget->testAttribute(Qt::WA_WState_Visible);
        widget->setWindowFlags(flags); // hides the window
        if (visible)
            widget->show();
        changed.insert(widget);
        widgets = QApplication::topLevelWidgets();
        i = -1;
    }

    if (active)
        active->raise();
}

// Qt 4 sent QEvent::Create when a widget's native window had been made; Qt 6
// announces it with a platform-surface event instead. Both are taken. The filter
// may sit on the application, where windows and other objects see these events too.
bool WindowOrderManager::eventFilter(QObject *watched, QEvent *event)
{
    const bool created = event->type() == QEvent::Create
        || (event->type() == QEvent::PlatformSurface
            && static_cast<QPlatformSurfaceEvent *>(event)->surfaceEventType()
                == QPlatformSurfaceEvent::SurfaceCreated);
    if (created && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (isAffected(widget)) {
            const Qt::WindowFlags flags = wantedFlags(widget, m_alwaysOnTop);
            if (flags != widget->windowFlags())
                widget->setWindowFlags(flags);
        }
    }
    return false;
}

} // namespace Quorvex
