// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

namespace ztpm {

struct CritSectionHandle;

/*!
    A recursive lock private to the process, lighter than an anonymous Mutex.
    \threadsafe
*/
class MAVLIBRARY_EXPORT CritSection
{
public:
    CritSection();
    virtual ~CritSection();

    CritSection(const CritSection &) = delete;
    CritSection &operator=(const CritSection &) = delete;

    virtual void lock();
    //! True when the calling thread holds the lock afterwards; never waits.
    virtual bool tryLock();
    virtual void unlock();

private:
    CritSectionHandle *m_section;
};

/*!
    Holds a CritSection for its lifetime; a null section is allowed and does
    nothing. \reentrant
*/
class MAVLIBRARY_EXPORT CritLock
{
public:
    explicit CritLock(CritSection *section);
    virtual ~CritLock();

    CritLock(const CritLock &) = delete;
    CritLock &operator=(const CritLock &) = delete;

private:
    CritSection *m_section;
};

/*!
    The library's one process-wide critical section, alive from load to unload;
    the secure transport guards its shared set-up with it.
*/
MAVLIBRARY_EXPORT CritSection &getGlobalCritSection();

} // namespace ztpm
