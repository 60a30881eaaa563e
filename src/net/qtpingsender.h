// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/net/http/httperrorids.h>

#include <QObject>
#include <QString>

class QtPingSenderRelay;

/*!
    Sends pings through PingManager and reports each outcome as a signal on the
    thread this object lives in, so that a receiver may touch widgets directly.

    \code
    auto *pings = new QtPingSender(this);
    connect(pings, &QtPingSender::pingCompleted, this,
            [](unsigned id, const QString &url, ztsc::HttpErrorIds outcome) { ... });
    pings->send(QStringLiteral("https://example.invalid/ping?event=open"), 1);
    \endcode

    Unlike a plain PingSender it may be destroyed while its pings are queued: their
    outcomes are then dropped. PingManager::shutdown() still waits for every queued
    ping, each bounded by the ping deadline (30 s), so a host that shuts down with
    n pings pending waits at most about n times that. In reference-player mode
    nothing is sent and no signal comes.

    send() may be called from any thread; the signal always comes on this object's.
*/
class MAVLIBRARY_EXPORT QtPingSender : public QObject
{
    Q_OBJECT

public:
    explicit QtPingSender(QObject *parent = nullptr);
    ~QtPingSender() override;

    //! Queues a GET of \a url (UTF-8 on the wire); pingCompleted() tells its outcome with \a id.
    void send(const QString &url, unsigned int id);

signals:
    //! The outcome of the ping sent with \a id; queued to this object's thread.
    void pingCompleted(unsigned int id, const QString &url, ztsc::HttpErrorIds outcome);

private:
    QtPingSenderRelay *m_relay;
};
