// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pings.h"

#include "playercommon.h"
#include "playerlogging.h"

#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/os/osutilities.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrlQuery>

PlayerPings::PlayerPings(QObject *parent)
    : QObject(parent)
{
    connect(&m_sender, &QtPingSender::pingCompleted, this,
            [this](unsigned int id, const QString &, ztsc::HttpErrorIds outcome) {
                deliver(id, outcome);
            });
}

PlayerPings::~PlayerPings()
{
    shutdown();
}

void PlayerPings::sendFirstRunPing()
{
    if (!Quorvex::PlayerSettings::getBool(Quorvex::FirstRunPingSent, false))
        send(QStringLiteral("event=firstrun"), QStringLiteral("firstrun"));
}

void PlayerPings::sendFileOpenedPing(const QString &path)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("event"), QStringLiteral("open"));
    query.addQueryItem(QStringLiteral("type"), QFileInfo(path).suffix().toLower());
    send(query.toString(QUrl::FullyEncoded), QStringLiteral("open"));
}

void PlayerPings::send(const QString &query, const QString &event)
{
    const QString base =
        Quorvex::OSUtilities::readConfigValue(QStringLiteral("PingURL"), QString()).toString();
    if (base.isEmpty())
        return;
    const QString url = base + (base.contains(QLatin1Char('?')) ? u'&' : u'?') + query;
    const unsigned int id = m_nextId++;
    m_events.insert(id, event);
    m_sender.send(url, id);
}

void PlayerPings::deliver(unsigned int id, ztsc::HttpErrorIds outcome)
{
    const QString event = m_events.take(id);
    qCDebug(lcPlayer) << "ping" << id << event << "outcome" << int(outcome);
    if (event == QLatin1String("firstrun") && outcome == ztsc::HttpSuccess)
        Quorvex::PlayerSettings::setBool(Quorvex::FirstRunPingSent, true);
    Player::publish(QStringLiteral("ping.") + event, int(outcome));
}

void PlayerPings::shutdown()
{
    PingManager::shutdown();
    // The outcomes the worker queued are published now, while this object is there.
    QCoreApplication::sendPostedEvents();
}
