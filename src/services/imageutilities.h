// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QRegion>

class QImage;

namespace Quorvex {

//! Image helpers for shaped windows. Reentrant.
class MAVLIBRARY_EXPORT ImageUtilities
{
public:
    ImageUtilities() = delete;

    //! The pixels of a 32-bit image whose alpha is at least \a threshold; the whole
    //! image rectangle for an image without alpha channel or of another depth.
    static QRegion maskFromAlphaChannel(const QImage &image, uchar threshold);
};

} // namespace Quorvex
