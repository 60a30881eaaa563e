// SPDX-License-Identifier: LGPL-2.1-or-later
#include "databuffer_p.h"

#include <cstdlib>
#include <cstring>

namespace ztsc {

DataBuffer::~DataBuffer()
{
    clear();
}

void DataBuffer::clear()
{
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}

int DataBuffer::allocate(std::size_t size)
{
    char *data = static_cast<char *>(std::calloc(size ? size : 1, 1));
    if (!data)
        return -1;
    std::free(m_data);
    m_data = data;
    m_size = size;
    m_capacity = size;
    return 0;
}

int DataBuffer::set(const void *data, std::size_t size)
{
    if (m_capacity < size && reserve(size) != 0)
        return -1;
    if (size)
        std::memmove(m_data, data, size);
    m_size = size;
    return 0;
}

int DataBuffer::reserve(std::size_t capacity)
{
    if (capacity <= m_capacity)
        return 0;
    char *data = static_cast<char *>(std::realloc(m_data, capacity));
    if (!data)
        return -1;
    m_data = data;
    m_capacity = capacity;
    return 0;
}

int DataBuffer::append(const void *data, std::size_t size)
{
    if (size > m_capacity - m_size && reserve(m_size + size) != 0)
        return -1;
    if (size)
        std::memcpy(m_data + m_size, data, size);
    m_size += size;
    return 0;
}

void DataBuffer::consume(std::size_t count)
{
    if (count >= m_size) {
        m_size = 0;
        return;
    }
    std::memmove(m_data, m_data + count, m_size - count);
    m_size -= count;
}

} // namespace ztsc
