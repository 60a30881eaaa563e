// SPDX-License-Identifier: LGPL-2.1-or-later
#include "qtpingsender.h"

#include "ping.h"
#include "pingmanager.h"
#include "pingsender.h"

#include "os/osutilities.h"

#include <mutex>

/*
    What PingManager holds instead of the QtPingSender: it outlives its owner until
    the last of its pings has been reported, so that a QtPingSender may go away with
    pings still queued.
*/
class QtPingSenderRelay final : public PingSender
{
public:
    explicit QtPingSenderRelay(QtPingSender *owner)
        : m_owner(owner)
    { }

    void pingCompleted(Ping *ping) override
    {
        const unsigned int id = ping->getID();
        const QString url = QString::fromStdString(ping->getURL());
        const ztsc::HttpErrorIds outcome = ping->getResult();
        std::unique_lock locker(m_mutex);
        // Posted while the owner is alive under the lock its destructor takes; Qt
        // drops the event should the owner go before it is delivered.
        if (QtPingSender *owner = m_owner) {
            QMetaObject::invokeMethod(
                owner, [owner, id, url, outcome] { emit owner->pingCompleted(id, url, outcome); },
                Qt::QueuedConnection);
        }
        if (--m_pending == 0 && !m_owner) {
            locker.unlock();
            delete this;
        }
    }

    void sent()
    {
        std::lock_guard locker(m_mutex);
        ++m_pending;
    }

    // The owner is gone: the relay ends with its last pending ping, or now.
    void release()
    {
        std::unique_lock locker(m_mutex);
        m_owner = nullptr;
        if (m_pending == 0) {
            locker.unlock();
            delete this;
        }
    }

private:
    std::mutex m_mutex;
    QtPingSender *m_owner;
    long m_pending = 0;
};

QtPingSender::QtPingSender(QObject *parent)
    : QObject(parent)
    , m_relay(new QtPingSenderRelay(this))
{ }

QtPingSender::~QtPingSender()
{
    m_relay->release();
}

void QtPingSender::send(const QString &url, unsigned int id)
{
    // Such pings are dropped unreported: counted, they would keep the relay forever.
    if (Quorvex::OSUtilities::getPlatform() == Quorvex::OSUtilities::PRef)
        return;
    m_relay->sent();
    PingManager::sendPing(url.toStdString(), m_relay, id);
}
