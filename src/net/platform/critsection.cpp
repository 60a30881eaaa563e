// SPDX-License-Identifier: LGPL-2.1-or-later
//
// A Windows critical section is a recursive, process-local lock; here it is a
// recursive pthread mutex.
#include "critsection.h"

#include "recursivemutex_p.h"

namespace ztpm {

struct CritSectionHandle
{
    pthread_mutex_t mutex;
};

CritSection::CritSection()
    : m_section(new CritSectionHandle)
{
    initRecursiveMutex(&m_section->mutex);
}

CritSection::~CritSection()
{
    pthread_mutex_destroy(&m_section->mutex);
    delete m_section;
}

void CritSection::lock()
{
    pthread_mutex_lock(&m_section->mutex);
}

bool CritSection::tryLock()
{
    return pthread_mutex_trylock(&m_section->mutex) == 0;
}

void CritSection::unlock()
{
    pthread_mutex_unlock(&m_section->mutex);
}

CritLock::CritLock(CritSection *section)
    : m_section(section)
{
    if (m_section)
        m_section->lock();
}

CritLock::~CritLock()
{
    if (m_section)
        m_section->unlock();
}

CritSection &getGlobalCritSection()
{
    // Built on first use, so that other load-time objects may already use it.
    static CritSection section;
    return section;
}

namespace {
// Built at load even when nothing asks for it then.
[[maybe_unused]] CritSection &s_globalCritSection = getGlobalCritSection();
} // namespace

} // namespace ztpm
