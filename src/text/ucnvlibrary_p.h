// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <cstdint>

/*
    The converter library was a private ICU build shipped beside the player
    ("zentrix_icuuc40.dll", loaded with LoadLibraryW). Here it is the system's ICU
    common library, opened with dlopen and never linked, so the library still loads
    on a machine without it; a missing library only makes every converter test false.
*/

namespace ztds {

/*!
    The run-time loader of the ICU character-converter library.

    One loader exists per process (instance()), created on first use and never
    replaced. Every converter call first checks that the library and all four
    functions are there, and otherwise reports status 5 (U_INTERNAL_PROGRAM_ERROR)
    without calling anything.

    Library: the file named by ZENTRIX_ICU_LIBRARY when that variable is set (and
    nothing else), otherwise the system's libicuuc.so.<major>. The four calls are
    resolved as ucnv_open_<major> and so on, falling back to the unsuffixed names.

    \threadsafe
*/
class MAVLIBRARY_INTERNAL_EXPORT UCNVLibrary
{
public:
    // The ICU types these calls use, declared here so no ICU header is needed.
    struct Converter; // UConverter
    using ErrorCode = int; // UErrorCode; above 0 is a failure
    using OpenFunction = Converter *(*)(const char *name, ErrorCode *status);
    using CloseFunction = void (*)(Converter *converter);
    using ToUnicodeFunction = void (*)(Converter *converter, char16_t **target,
                                       const char16_t *targetLimit, const char **source,
                                       const char *sourceLimit, std::int32_t *offsets,
                                       std::int8_t flush, ErrorCode *status);
    using FromUnicodeFunction = void (*)(Converter *converter, char **target,
                                         const char *targetLimit, const char16_t **source,
                                         const char16_t *sourceLimit, std::int32_t *offsets,
                                         std::int8_t flush, ErrorCode *status);

    static constexpr ErrorCode InternalProgramError = 5;

    //! The process's one loader, created (and the library loaded) on first use.
    static UCNVLibrary *instance();

    /*!
        Whether ICU offers a converter for \a name (a code-page number such as "1252"
        or an ICU alias such as "shift_jis"): true exactly when the loader is complete
        and opening the converter succeeds; the converter is closed again at once. A
        name made only of digits that ICU refuses is tried once more as
        "windows-<number>". Given no name, whether the loader object exists.
    */
    static bool isConverterAvailable(const char *name);

    UCNVLibrary(const UCNVLibrary &) = delete;
    UCNVLibrary &operator=(const UCNVLibrary &) = delete;
    virtual ~UCNVLibrary();

    //! True when the library and all four converter calls were found.
    bool isComplete() const;

    Converter *openConverter(const char *name, ErrorCode *status) const;
    void closeConverter(Converter *converter) const;
    void toUnicode(Converter *converter, char16_t **target, const char16_t *targetLimit,
                   const char **source, const char *sourceLimit, std::int32_t *offsets, bool flush,
                   ErrorCode *status) const;
    void fromUnicode(Converter *converter, char **target, const char *targetLimit,
                     const char16_t **source, const char16_t *sourceLimit, std::int32_t *offsets,
                     bool flush, ErrorCode *status) const;

private:
    UCNVLibrary();

    void *module = nullptr; // dlopen handle, null when loading failed
    OpenFunction open = nullptr;
    CloseFunction close = nullptr;
    ToUnicodeFunction toUnicodeCall = nullptr;
    FromUnicodeFunction fromUnicodeCall = nullptr;
};

} // namespace ztds
