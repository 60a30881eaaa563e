// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace zttl {

/*!
    A plain, owned byte buffer for binary settings values. resize() discards the
    contents; when the memory cannot be had the buffer is left empty.
*/
template<class T> class MemoryBuffer
{
public:
    MemoryBuffer() = default;
    explicit MemoryBuffer(std::size_t size) { resize(size); }
    MemoryBuffer(const MemoryBuffer &other) { assign(other.data(), other.size()); }
    MemoryBuffer &operator=(const MemoryBuffer &other)
    {
        if (this != &other)
            assign(other.data(), other.size());
        return *this;
    }
    MemoryBuffer(MemoryBuffer &&) noexcept = default;
    MemoryBuffer &operator=(MemoryBuffer &&) noexcept = default;

    //! Returns false (and leaves the buffer empty) when the allocation fails.
    bool resize(std::size_t size)
    {
        m_data.reset();
        m_size = 0;
        if (size == 0)
            return true;
        m_data.reset(new (std::nothrow) T[size]);
        if (!m_data)
            return false;
        m_size = size;
        return true;
    }
    bool assign(const T *data, std::size_t size)
    {
        if (!resize(size))
            return false;
        for (std::size_t i = 0; i < size; ++i)
            m_data[i] = data[i];
        return true;
    }
    void clear() { resize(0); }

    T *data() { return m_data.get(); }
    const T *data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T &operator[](std::size_t index) { return m_data[index]; }
    const T &operator[](std::size_t index) const { return m_data[index]; }

private:
    std::unique_ptr<T[]> m_data;
    std::size_t m_size = 0;
};

} // namespace zttl
