// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/settings/refcounted.h>

#include <QString>

#include <cstdint>

namespace Quorvex {

/*!
    The media library that the media-manager plug-in offers (interface
    MediaManagerInterfaceId). The library only declares these interfaces; the
    plug-in implements every operation.

    Rows are reference counted: an operation that returns a row pointer hands the
    caller one reference, to be given back with release(); a null pointer means
    there is no such row.

    | Interface             | Base                  | Operations                            |
    |-----------------------|-----------------------|---------------------------------------|
    | MediaManagerInterface | none                  | root node, lookup by path, recent     |
    |                       |                       | files, playlists, adding a file       |
    | RowInterface          | zttl::IRefCounted     | id, title                             |
    | NodeInterface         | RowInterface          | parent, children                      |
    | RecentFileInterface   | RowInterface          | path, last played, resume position    |
    | PlaylistInterface     | RowInterface          | entries                               |
    | MediaFileInterface    | NodeInterface         | path, size, duration                  |
    | VideoFileInterface    | MediaFileInterface    | frame size                            |
    | AcquiredFileInterface | MediaFileInterface    | source address, bytes received        |
    | QueuedFileInterface   | AcquiredFileInterface | queue position, cancel                |

    Sizes are in bytes, durations and positions in milliseconds, times in seconds
    since the epoch. Used from the GUI thread unless the plug-in says otherwise.
*/
class MAVLIBRARY_EXPORT MediaManagerInterface
{
public:
    class MAVLIBRARY_EXPORT RowInterface : public zttl::IRefCounted
    {
    public:
        RowInterface();
        RowInterface(const RowInterface &other);
        RowInterface &operator=(const RowInterface &other);
        ~RowInterface() override;

        virtual std::uint64_t getId() const = 0;
        virtual QString getTitle() const = 0;
    };

    class MAVLIBRARY_EXPORT NodeInterface : public RowInterface
    {
    public:
        NodeInterface();
        NodeInterface(const NodeInterface &other);
        NodeInterface &operator=(const NodeInterface &other);
        ~NodeInterface() override;

        //! Null for the root node.
        virtual NodeInterface *getParent() const = 0;
        virtual int getChildCount() const = 0;
        virtual RowInterface *getChild(int index) const = 0;
    };

    class MAVLIBRARY_EXPORT RecentFileInterface : public RowInterface
    {
    public:
        RecentFileInterface();
        RecentFileInterface(const RecentFileInterface &other);
        RecentFileInterface &operator=(const RecentFileInterface &other);
        ~RecentFileInterface() override;

        virtual QString getPath() const = 0;
        virtual std::int64_t getLastPlayed() const = 0;
        virtual std::int64_t getResumePosition() const = 0;
    };

    class MediaFileInterface;

    class MAVLIBRARY_EXPORT PlaylistInterface : public RowInterface
    {
    public:
        PlaylistInterface();
        PlaylistInterface(const PlaylistInterface &other);
        PlaylistInterface &operator=(const PlaylistInterface &other);
        ~PlaylistInterface() override;

        virtual int getEntryCount() const = 0;
        virtual MediaFileInterface *getEntry(int index) const = 0;
    };

    class MAVLIBRARY_EXPORT MediaFileInterface : public NodeInterface
    {
    public:
        MediaFileInterface();
        MediaFileInterface(const MediaFileInterface &other);
        MediaFileInterface &operator=(const MediaFileInterface &other);
        ~MediaFileInterface() override;

        virtual QString getPath() const = 0;
        virtual std::uint64_t getSize() const = 0;
        virtual std::int64_t getDuration() const = 0;
    };

    class MAVLIBRARY_EXPORT VideoFileInterface : public MediaFileInterface
    {
    public:
        VideoFileInterface();
        VideoFileInterface(const VideoFileInterface &other);
        VideoFileInterface &operator=(const VideoFileInterface &other);
        ~VideoFileInterface() override;

        virtual int getWidth() const = 0;
        virtual int getHeight() const = 0;
    };

    class MAVLIBRARY_EXPORT AcquiredFileInterface : public MediaFileInterface
    {
    public:
        AcquiredFileInterface();
        AcquiredFileInterface(const AcquiredFileInterface &other);
        AcquiredFileInterface &operator=(const AcquiredFileInterface &other);
        ~AcquiredFileInterface() override;

        virtual QString getSourceUrl() const = 0;
        virtual std::uint64_t getBytesReceived() const = 0;
    };

    class MAVLIBRARY_EXPORT QueuedFileInterface : public AcquiredFileInterface
    {
    public:
        QueuedFileInterface();
        QueuedFileInterface(const QueuedFileInterface &other);
        QueuedFileInterface &operator=(const QueuedFileInterface &other);
        ~QueuedFileInterface() override;

        //! 0 for the file acquired next.
        virtual int getQueuePosition() const = 0;
        //! Takes the file out of the queue; false when it is no longer queued.
        virtual bool cancel() = 0;
    };

    MediaManagerInterface();
    MediaManagerInterface(const MediaManagerInterface &other);
    MediaManagerInterface &operator=(const MediaManagerInterface &other);
    virtual ~MediaManagerInterface();

    virtual NodeInterface *getRootNode() = 0;
    //! The file stored under \a path, or null.
    virtual MediaFileInterface *findMediaFile(const QString &path) = 0;
    //! The most recently played file first; \a index counts from 0.
    virtual int getRecentFileCount() = 0;
    virtual RecentFileInterface *getRecentFile(int index) = 0;
    virtual int getPlaylistCount() = 0;
    virtual PlaylistInterface *getPlaylist(int index) = 0;
    //! Adds the file at \a path to the library (or finds it there).
    virtual MediaFileInterface *addMediaFile(const QString &path) = 0;
};

} // namespace Quorvex
