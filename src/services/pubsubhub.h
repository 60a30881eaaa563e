// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QObject>
#include <QString>
#include <QVariant>

#include <atomic>

namespace Quorvex {

class PubSubHubPrivate;

/*!
    Carries named messages between the host and its plug-ins. A listener registers a
    message name with a member of one of its objects (a slot, signal or invokable
    method taking (QString, QVariant), only the QString, or nothing); every
    publication whose name starts with the registered name (case-sensitive) calls
    that member with the published name and value.

    A registration lasts until its object is destroyed. Each registration's
    connection type decides where its deliveries run, as for a signal connection.

    \threadsafe Deliveries run with the hub's lock released, so a listener may
    register, publish or be destroyed from inside a delivery.
*/
class MAVLIBRARY_EXPORT PubSubHub : public QObject
{
    Q_OBJECT

public:
    //! Registers \a member ("1" or "2" followed by a signature, as SLOT() and
    //! SIGNAL() give) of \a receiver for every message name that starts with
    //! \a message. False when an argument is empty or the member is unknown.
    static bool listenForMessage(const QString &message, QObject *receiver, const char *member,
                                 Qt::ConnectionType connectionType = Qt::AutoConnection);
    //! Delivers \a value to every registration that \a message starts with. False
    //! only for an empty name.
    static bool sendMessage(const QString &message, const QVariant &value);

private Q_SLOTS:
    void listenerDeleted(QObject *object);

private:
    PubSubHub();
    ~PubSubHub() override;
    Q_DISABLE_COPY_MOVE(PubSubHub)

    static bool ensureInstance();

    PubSubHubPrivate *d;
    static std::atomic<PubSubHub *> s_instance;
};

} // namespace Quorvex
