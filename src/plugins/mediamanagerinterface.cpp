// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mediamanagerinterface.h"

namespace Quorvex {

MediaManagerInterface::MediaManagerInterface() = default;
MediaManagerInterface::MediaManagerInterface(const MediaManagerInterface &) = default;
MediaManagerInterface::~MediaManagerInterface() = default;
MediaManagerInterface &MediaManagerInterface::operator=(const MediaManagerInterface &) = default;

MediaManagerInterface::RowInterface::RowInterface() = default;
MediaManagerInterface::RowInterface::RowInterface(const RowInterface &) = default;
MediaManagerInterface::RowInterface::~RowInterface() = default;
MediaManagerInterface::RowInterface &
MediaManagerInterface::RowInterface::operator=(const RowInterface &) = default;

MediaManagerInterface::NodeInterface::NodeInterface() = default;
MediaManagerInterface::NodeInterface::NodeInterface(const NodeInterface &) = default;
MediaManagerInterface::NodeInterface::~NodeInterface() = default;
MediaManagerInterface::NodeInterface &
MediaManagerInterface::NodeInterface::operator=(const NodeInterface &) = default;

MediaManagerInterface::RecentFileInterface::RecentFileInterface() = default;
MediaManagerInterface::RecentFileInterface::RecentFileInterface(const RecentFileInterface &) =
    default;
MediaManagerInterface::RecentFileInterface::~RecentFileInterface() = default;
MediaManagerInterface::RecentFileInterface &
MediaManagerInterface::RecentFileInterface::operator=(const RecentFileInterface &) = default;

MediaManagerInterface::PlaylistInterface::PlaylistInterface() = default;
MediaManagerInterface::PlaylistInterface::PlaylistInterface(const PlaylistInterface &) = default;
MediaManagerInterface::PlaylistInterface::~PlaylistInterface() = default;
MediaManagerInterface::PlaylistInterface &
MediaManagerInterface::PlaylistInterface::operator=(const PlaylistInterface &) = default;

MediaManagerInterface::MediaFileInterface::MediaFileInterface() = default;
MediaManagerInterface::MediaFileInterface::MediaFileInterface(const MediaFileInterface &) = default;
MediaManagerInterface::MediaFileInterface::~MediaFileInterface() = default;
MediaManagerInterface::MediaFileInterface &
MediaManagerInterface::MediaFileInterface::operator=(const MediaFileInterface &) = default;

MediaManagerInterface::VideoFileInterface::VideoFileInterface() = default;
MediaManagerInterface::VideoFileInterface::VideoFileInterface(const VideoFileInterface &) = default;
MediaManagerInterface::VideoFileInterface::~VideoFileInterface() = default;
MediaManagerInterface::VideoFileInterface &
MediaManagerInterface::VideoFileInterface::operator=(const VideoFileInterface &) = default;

MediaManagerInterface::AcquiredFileInterface::AcquiredFileInterface() = default;
MediaManagerInterface::AcquiredFileInterface::AcquiredFileInterface(const AcquiredFileInterface &) =
    default;
MediaManagerInterface::AcquiredFileInterface::~AcquiredFileInterface() = default;
MediaManagerInterface::AcquiredFileInterface &
MediaManagerInterface::AcquiredFileInterface::operator=(const AcquiredFileInterface &) = default;

MediaManagerInterface::QueuedFileInterface::QueuedFileInterface() = default;
MediaManagerInterface::QueuedFileInterface::QueuedFileInterface(const QueuedFileInterface &) =
    default;
MediaManagerInterface::QueuedFileInterface::~QueuedFileInterface() = default;
MediaManagerInterface::QueuedFileInterface &
MediaManagerInterface::QueuedFileInterface::operator=(const QueuedFileInterface &) = default;

} // namespace Quorvex
