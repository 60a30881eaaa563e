// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <cstddef>

namespace ztsc {

//! The receive buffer of the HTTP client: bytes in use and the room behind them.
class MAVLIBRARY_INTERNAL_EXPORT DataBuffer
{
public:
    DataBuffer() = default;
    virtual ~DataBuffer();

    DataBuffer(const DataBuffer &) = delete;
    DataBuffer &operator=(const DataBuffer &) = delete;

    //! Frees the bytes; size and capacity become 0.
    void clear();
    //! Replaces the content by \a size zero bytes. -1 when memory is short, else 0.
    int allocate(std::size_t size);
    //! Replaces the content by a copy of \a data. -1 when memory is short, else 0.
    int set(const void *data, std::size_t size);
    //! Grows the capacity to exactly \a capacity (never shrinks), keeping the content.
    int reserve(std::size_t capacity);
    //! Appends a copy of \a data, growing to exactly what is needed.
    int append(const void *data, std::size_t size);
    //! Drops the first \a count bytes.
    void consume(std::size_t count);

    char *getData() { return m_data; }
    const char *getData() const { return m_data; }
    std::size_t getSize() const { return m_size; }
    std::size_t getCapacity() const { return m_capacity; }

private:
    char *m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace ztsc
