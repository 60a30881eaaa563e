// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QObject>

#include <functional>

namespace Quorvex {

/*!
    Tells its owner when an object it watches is destroyed, so that lists of
    objects owned elsewhere (menus in other windows' menu bars, actions that a
    widget took over) never keep a pointer to one that is gone. The callback
    gets the object while it is being destroyed: use it only as a key. The owner
    stops hearing when the watcher goes. GUI thread only.
*/
class ObjectWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ObjectWatcher(std::function<void(QObject *)> destroyed);
    ~ObjectWatcher() override;

    //! Watching an object twice tells once.
    void watch(QObject *object);

private Q_SLOTS:
    void objectDestroyed(QObject *object);

private:
    std::function<void(QObject *)> m_destroyed;
};

} // namespace Quorvex
