// SPDX-License-Identifier: LGPL-2.1-or-later
//
// CreateFileW, ReadFile, WriteFile and SetFilePointerEx on open(2), read(2),
// write(2) and lseek(2). The Windows share modes have no mandatory counterpart
// and are not emulated. The append modes seek to the end once, after opening,
// rather than writing with O_APPEND: a caller may still seek back and overwrite.
#include "file.h"

#include <MavLibrary/text/utfconversion.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ztpm {

namespace {

constexpr int s_openFlags[] = {
    O_RDONLY, // ReadExisting
    O_WRONLY | O_CREAT | O_TRUNC, // WriteTruncate
    O_RDWR | O_CREAT | O_TRUNC, // ReadWriteTruncate
    O_WRONLY | O_CREAT, // WriteAppend
    O_RDWR | O_CREAT, // ReadWriteAppend
};

// A single read(2) or write(2) stops short at about 2 GiB or on a signal;
// ReadFile and WriteFile on a file do not.
template<typename Buffer, typename Call>
unsigned transfer(Buffer *buffer, unsigned count, Call call)
{
    unsigned done = 0;
    while (done < count) {
        const ssize_t n = call(buffer + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += unsigned(n);
    }
    return done;
}

} // namespace

File::File() = default;

File::~File()
{
    close();
}

int File::open(const std::wstring &path, int mode)
{
    if (m_handle >= 0)
        return AlreadyOpen;
    if (mode < ReadExisting || mode > ReadWriteAppend)
        return BadMode;
    bool converted = false;
    const std::string localPath = ztds::wideToUtf8(path, &converted);
    if (!converted || localPath.empty() || localPath.find('\0') != std::string::npos)
        return OpenFailed;

    int fd;
    do
        fd = ::open(localPath.c_str(), s_openFlags[mode] | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return OpenFailed;
    // CreateFileW refuses folders; open(2) lets them be opened for reading.
    struct stat status;
    if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(fd);
        return OpenFailed;
    }
    if ((mode == WriteAppend || mode == ReadWriteAppend) && lseek(fd, 0, SEEK_END) < 0) {
        ::close(fd);
        return OpenFailed;
    }
    m_handle = fd;
    return Opened;
}

int File::close()
{
    if (m_handle < 0)
        return 0;
    // A write the kernel accepted may still fail here (a full or remote file system).
    const int result = ::close(m_handle);
    m_handle = -1;
    return result == 0 ? 0 : -1;
}

unsigned File::read(void *buffer, unsigned count)
{
    if (m_handle < 0 || !buffer)
        return 0;
    return transfer(static_cast<char *>(buffer), count,
                    [this](char *at, unsigned n) { return ::read(m_handle, at, n); });
}

unsigned File::write(const void *buffer, unsigned count)
{
    if (m_handle < 0 || !buffer)
        return 0;
    return transfer(static_cast<const char *>(buffer), count,
                    [this](const char *at, unsigned n) { return ::write(m_handle, at, n); });
}

std::int64_t File::tell() const
{
    if (m_handle < 0)
        return -1;
    return lseek(m_handle, 0, SEEK_CUR);
}

std::int64_t File::seek(std::int64_t offset, int origin)
{
    static constexpr int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (m_handle < 0 || origin < FromBeginning || origin > FromEnd)
        return -1;
    return lseek(m_handle, off_t(offset), whence[origin]);
}

std::int64_t File::size()
{
    if (m_handle < 0)
        return -1;
    const off_t position = lseek(m_handle, 0, SEEK_CUR);
    if (position < 0)
        return -1;
    const off_t end = lseek(m_handle, 0, SEEK_END);
    lseek(m_handle, position, SEEK_SET);
    return end;
}

} // namespace ztpm
