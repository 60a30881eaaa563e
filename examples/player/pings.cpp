// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pings.h"

#include "playercommon.h"
#include "playerlogging.h"

#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/services/uithread.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrlQuery>

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
    PingManager::sendPing(url.toStdString(), this, id);
}

void PlayerPings::pingCompleted(Ping *ping)
{
    {
        QMutexLocker lock(&m_lock);
        m_outcomes.append({ping->getID(), int(ping->getResult())});
    }
    Quorvex::UIThread::executeFunction(&PlayerPings::deliver, false, this);
}

void PlayerPings::deliver(void *self)
{
    auto *pings = static_cast<PlayerPings *>(self);
    QList<Outcome> outcomes;
    {
        QMutexLocker lock(&pings->m_lock);
        outcomes.swap(pings->m_outcomes);
    }
    for (const Outcome &outcome : std::as_const(outcomes)) {
        const QString event = pings->m_events.take(outcome.id);
        qCDebug(lcPlayer) << "ping" << outcome.id << event << "outcome" << outcome.result;
        if (event == QLatin1String("firstrun") && outcome.result == ztsc::HttpSuccess)
            Quorvex::PlayerSettings::setBool(Quorvex::FirstRunPingSent, true);
        Player::publish(QStringLiteral("ping.") + event, outcome.result);
    }
}

void PlayerPings::shutdown()
{
    PingManager::shutdown();
    // The deliveries the worker queued run now, while this object is there.
    QCoreApplication::sendPostedEvents();
    deliver(this);
}
