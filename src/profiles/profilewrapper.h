// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Quorvex {

//! One end of the video range a device accepts.
struct VideoLimits
{
    unsigned width;
    unsigned height;
    double scaling;
    double frameRate;
};

/*!
    One device profile, as read from its XML file: what a playback or transfer
    target accepts and the display resolutions it offers. Owned by the
    ProfileManager; the maps are keyed by language code ("en", "fr_CA").
*/
struct ProfileWrapper
{
    struct DisplayData
    {
        unsigned width = 0;
        unsigned height = 0;
        std::map<std::string, std::wstring> names;
    };

    //! The version bits: bit n is set when the device plays version "n" (0 to 3).
    enum VersionBit : unsigned { Version0 = 1, Version1 = 2, Version2 = 4, Version3 = 8 };

    std::string guid;
    std::map<std::string, std::wstring> displayNames;
    VideoLimits videoMin {0, 0, 0.0, 0.0};
    VideoLimits videoMax {4294967295u, 4294967295u, 4294967295.0, 4294967295.0};
    unsigned versions = 0;
    std::wstring directory; //!< without the final "/"
    std::wstring fileName;
    std::vector<DisplayData> displays; //!< in file order
    int defaultDisplay = -1; //!< index into displays, or -1
    bool customResolutionAllowed = false;
};

} // namespace Quorvex
