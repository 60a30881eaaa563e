// SPDX-License-Identifier: LGPL-2.1-or-later
#include "objectwatcher_p.h"

namespace Quorvex {

ObjectWatcher::ObjectWatcher(std::function<void(QObject *)> destroyed)
    : m_destroyed(std::move(destroyed))
{ }

ObjectWatcher::~ObjectWatcher() = default;

void ObjectWatcher::watch(QObject *object)
{
    if (object)
        connect(object, &QObject::destroyed, this, &ObjectWatcher::objectDestroyed,
                Qt::UniqueConnection);
}

void ObjectWatcher::objectDestroyed(QObject *object)
{
    m_destroyed(object);
}

} // namespace Quorvex
