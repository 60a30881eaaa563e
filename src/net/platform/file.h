// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <cstdint>
#include <string>

namespace ztpm {

/*!
    A binary file with synchronous reads and writes and 64-bit positions.
    Failures show only in the results: 0 bytes transferred, -1 positions.
    \reentrant
*/
class MAVLIBRARY_EXPORT File
{
public:
    enum OpenMode {
        ReadExisting = 0, //!< read; the file must exist
        WriteTruncate = 1, //!< write; created or emptied
        ReadWriteTruncate = 2, //!< read and write; created or emptied
        WriteAppend = 3, //!< write; created if missing, positioned at its end
        ReadWriteAppend = 4 //!< read and write; created if missing, positioned at its end
    };

    enum OpenResult {
        Opened = 0,
        AlreadyOpen = 1, //!< this object holds a file; it stays open
        OpenFailed = 2,
        BadMode = 3
    };

    enum SeekOrigin { FromBeginning = 0, FromCurrent = 1, FromEnd = 2 };

    File();
    virtual ~File();

    File(const File &) = delete;
    File &operator=(const File &) = delete;

    //! Returns an OpenResult.
    int open(const std::wstring &path, int mode);
    //! 0, or -1 when the system reported a failure of earlier writes on closing.
    int close();
    bool isOpen() const { return m_handle >= 0; }

    unsigned read(void *buffer, unsigned count);
    unsigned write(const void *buffer, unsigned count);
    std::int64_t tell() const;
    //! Returns the new position, or -1 (closed, a bad origin, a position before the start).
    std::int64_t seek(std::int64_t offset, int origin);
    //! -1 when closed.
    std::int64_t size();

private:
    int m_handle = -1;
};

} // namespace ztpm
