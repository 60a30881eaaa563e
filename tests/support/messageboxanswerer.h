// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace MavTest {

/*!
    Answers the first message box that shows while it lives and keeps what the
    box showed. It polls from the GUI thread, so it also answers boxes that
    run their own event loop, and boxes shown without one.
*/
class MessageBoxAnswerer : public QObject
{
public:
    //! Clicks the box's first button of \a role; a box without one stays unanswered.
    explicit MessageBoxAnswerer(QMessageBox::ButtonRole role)
        : m_role(role)
    {
        start();
    }
    //! Clicks \a button, or rejects a box without it.
    explicit MessageBoxAnswerer(QMessageBox::StandardButton button)
        : m_button(button)
    {
        start();
    }

    bool answered = false;
    QString title, text, okText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;

private:
    void start()
    {
        m_timer.callOnTimeout(this, &MessageBoxAnswerer::poll);
        m_timer.start(10);
    }

    void poll()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible())
                continue;
            m_timer.stop();
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                okText = ok->text();
            QAbstractButton *chosen = nullptr;
            if (m_button != QMessageBox::NoButton)
                chosen = box->button(m_button);
            for (QAbstractButton *button : box->buttons()) {
                if (!chosen && box->buttonRole(button) == m_role)
                    chosen = button;
            }
            if (chosen) {
                answered = true;
                chosen->click();
            } else if (m_button != QMessageBox::NoButton) {
                box->reject();
            }
            return;
        }
    }

    QMessageBox::ButtonRole m_role = QMessageBox::InvalidRole;
    QMessageBox::StandardButton m_button = QMessageBox::NoButton;
    QTimer m_timer;
};

} // namespace MavTest
