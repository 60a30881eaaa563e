// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/net/pingsender.h>

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

/*!
    The player's usage pings: one at its first run and one for each movie opened,
    each a GET of the configuration value "PingURL" with the event in its query
    ("?event=firstrun", "?event=open&type=mkv"); none when "PingURL" is unset.
    The outcomes come back on the GUI thread and go to the hub as
    "player.ping.<event>" with the HTTP outcome code (0 for success).
*/
class PlayerPings : public QObject, public PingSender
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~PlayerPings() override;

    //! Once per installation: "FirstRunPingSent" is set when one succeeded.
    void sendFirstRunPing();
    void sendFileOpenedPing(const QString &path);
    //! Waits until every ping was sent and its outcome published. Before exit.
    void shutdown();

    //! On the ping worker.
    void pingCompleted(Ping *ping) override;

private:
    struct Outcome
    {
        unsigned int id;
        int result;
    };

    void send(const QString &query, const QString &event);
    //! On the GUI thread: publishes what came back.
    static void deliver(void *self);

    QMutex m_lock; // guards m_outcomes
    QList<Outcome> m_outcomes;
    QHash<unsigned int, QString> m_events; // GUI thread only
    unsigned int m_nextId = 1;
};
