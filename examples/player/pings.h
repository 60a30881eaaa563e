// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/net/qtpingsender.h>

#include <QHash>
#include <QObject>
#include <QString>

/*!
    The player's usage pings: one at its first run and one for each movie opened,
    each a GET of the configuration value "PingURL" with the event in its query
    ("?event=firstrun", "?event=open&type=mkv"); none when "PingURL" is unset.
    The outcomes come back on the GUI thread and go to the hub as
    "player.ping.<event>" with the HTTP outcome code (0 for success).
*/
class PlayerPings : public QObject
{
    Q_OBJECT

public:
    explicit PlayerPings(QObject *parent = nullptr);
    ~PlayerPings() override;

    //! Once per installation: "FirstRunPingSent" is set when one succeeded.
    void sendFirstRunPing();
    void sendFileOpenedPing(const QString &path);
    //! Waits until every ping was sent and its outcome published. Before exit.
    void shutdown();

private:
    void send(const QString &query, const QString &event);
    void deliver(unsigned int id, ztsc::HttpErrorIds outcome);

    QtPingSender m_sender;
    QHash<unsigned int, QString> m_events;
    unsigned int m_nextId = 1;
};
