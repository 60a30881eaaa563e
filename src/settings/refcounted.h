// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <utility>

namespace zttl {

/*!
    Intrusive reference counting. The count is a plain int, not atomic: an object
    must not be shared between threads without outside locking. release() deletes
    the object when the count falls to 0 or below.
*/
class MAVLIBRARY_EXPORT IRefCounted
{
public:
    virtual ~IRefCounted() = default;
    //! Returns the new count.
    virtual int addRef() = 0;
    //! Returns the new count; 0 when the object deleted itself.
    virtual int release() = 0;
    virtual int refCount() const = 0;
};

/*!
    Holds one reference to a T: addRef when it takes a pointer, release when it
    drops it. Copyable, so it can be the value type of standard containers.
*/
template<class T> class RefCountedPtr_STLSafe
{
public:
    RefCountedPtr_STLSafe() = default;
    RefCountedPtr_STLSafe(T *pointer)
        : m_pointer(pointer)
    {
        if (m_pointer)
            m_pointer->addRef();
    }
    RefCountedPtr_STLSafe(const RefCountedPtr_STLSafe &other)
        : RefCountedPtr_STLSafe(other.m_pointer)
    { }
    RefCountedPtr_STLSafe(RefCountedPtr_STLSafe &&other) noexcept
        : m_pointer(std::exchange(other.m_pointer, nullptr))
    { }
    virtual ~RefCountedPtr_STLSafe() { reset(); }

    RefCountedPtr_STLSafe &operator=(const RefCountedPtr_STLSafe &other)
    {
        reset(other.m_pointer);
        return *this;
    }
    RefCountedPtr_STLSafe &operator=(RefCountedPtr_STLSafe &&other) noexcept
    {
        if (this != &other) {
            reset();
            m_pointer = std::exchange(other.m_pointer, nullptr);
        }
        return *this;
    }
    RefCountedPtr_STLSafe &operator=(T *pointer)
    {
        reset(pointer);
        return *this;
    }

    //! Takes a reference to \a pointer (which may be null) and drops the old one.
    void reset(T *pointer = nullptr)
    {
        if (pointer)
            pointer->addRef();
        T *old = std::exchange(m_pointer, pointer);
        if (old)
            old->release();
    }
    //! Takes over a reference the caller already holds (as openSettings hands out).
    void attach(T *pointer)
    {
        T *old = std::exchange(m_pointer, pointer);
        if (old)
            old->release();
    }

    T *get() const { return m_pointer; }
    T *operator->() const { return m_pointer; }
    T &operator*() const { return *m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

protected:
    T *m_pointer = nullptr;
};

template<class T> class RefCountedPtr : public RefCountedPtr_STLSafe<T>
{
public:
    using RefCountedPtr_STLSafe<T>::RefCountedPtr_STLSafe;
    using RefCountedPtr_STLSafe<T>::operator=;
    RefCountedPtr() = default;
    RefCountedPtr(const RefCountedPtr &) = default;
    RefCountedPtr(RefCountedPtr &&) noexcept = default;
    RefCountedPtr &operator=(const RefCountedPtr &) = default;
    RefCountedPtr &operator=(RefCountedPtr &&) noexcept = default;
    ~RefCountedPtr() override = default;
};

} // namespace zttl
