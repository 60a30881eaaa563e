// SPDX-License-Identifier: LGPL-2.1-or-later
#include "textlogging_p.h"
#include "ucnvlibrary_p.h"

#include <QByteArray>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>


namespace ztds {

namespace {

// Majors tried for the system library, newest first; ICU has shipped 4x to 7x so far.
constexpr int NewestIcuMajor = 99;
constexpr int OldestIcuMajor = 40;

// The major version in a file name such as libicuuc.so.72 or libicuuc.so.72.1, or 0.
int majorFromFileName(const char *path)
{
    const char *so = std::strstr(path, ".so.");
    if (!so)
        return 0;
    return std::atoi(so + 4);
}

void *resolve(void *module, const char *name, int major)
{
    if (major > 0) {
        const std::string versioned = std::string(name) + '_' + std::to_string(major);
        if (void *address = dlsym(module, versioned.c_str()))
            return address;
    }
    return dlsym(module, name);
}

bool allDigits(const char *name)
{
    if (!*name)
        return false;
    for (const char *p = name; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
    }
    return true;
}

} // namespace

UCNVLibrary::UCNVLibrary()
{
    int major = 0;
    if (const char *path = std::getenv("ZENTRIX_ICU_LIBRARY")) {
        module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        major = majorFromFileName(path);
        // A file without the version in its name: find the suffix its symbols carry.
        for (int n = NewestIcuMajor; module && major == 0 && n >= OldestIcuMajor; --n) {
            const std::string probe = "ucnv_open_" + std::to_string(n);
            if (dlsym(module, probe.c_str()))
                major = n;
        }
    } else {
        for (int n = NewestIcuMajor; !module && n >= OldestIcuMajor; --n) {
            const std::string file = "libicuuc.so." + std::to_string(n);
            module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (module)
                major = n;
        }
    }
    if (!module) {
        qCDebug(lcText) << "ICU common library not loaded:" << dlerror();
        return;
    }
    open = reinterpret_cast<OpenFunction>(resolve(module, "ucnv_open", major));
    close = reinterpret_cast<CloseFunction>(resolve(module, "ucnv_close", major));
    toUnicodeCall = reinterpret_cast<ToUnicodeFunction>(resolve(module, "ucnv_toUnicode", major));
    fromUnicodeCall =
        reinterpret_cast<FromUnicodeFunction>(resolve(module, "ucnv_fromUnicode", major));
    qCDebug(lcText) << "ICU common library loaded, major" << major << "complete" << isComplete();
}

UCNVLibrary::~UCNVLibrary()
{
    if (module)
        dlclose(module);
}

UCNVLibrary *UCNVLibrary::instance()
{
    static UCNVLibrary library;
    return &library;
}

bool UCNVLibrary::isComplete() const
{
    return module && open && close && toUnicodeCall && fromUnicodeCall;
}

UCNVLibrary::Converter *UCNVLibrary::openConverter(const char *name, ErrorCode *status) const
{
    if (!isComplete()) {
        *status = InternalProgramError;
        return nullptr;
    }
    return open(name, status);
}

void UCNVLibrary::closeConverter(Converter *converter) const
{
    if (isComplete() && converter)
        close(converter);
}

void UCNVLibrary::toUnicode(Converter *converter, char16_t **target, const char16_t *targetLimit,
                            const char **source, const char *sourceLimit, std::int32_t *offsets,
                            bool flush, ErrorCode *status) const
{
    if (!isComplete()) {
        *status = InternalProgramError;
        return;
    }
    toUnicodeCall(converter, target, targetLimit, source, sourceLimit, offsets, flush, status);
}

void UCNVLibrary::fromUnicode(Converter *converter, char **target, const char *targetLimit,
                              const char16_t **source, const char16_t *sourceLimit,
                              std::int32_t *offsets, bool flush, ErrorCode *status) const
{
    if (!isComplete()) {
        *status = InternalProgramError;
        return;
    }
    fromUnicodeCall(converter, target, targetLimit, source, sourceLimit, offsets, flush, status);
}

bool UCNVLibrary::isConverterAvailable(const char *name)
{
    const UCNVLibrary *library = instance();
    if (!name)
        return library != nullptr;
    // ICU reads an empty name as "the default converter", which is no code page.
    if (!*name)
        return false;
    const auto opens = [library](const char *candidate) {
        ErrorCode status = 0;
        Converter *converter = library->openConverter(candidate, &status);
        const bool ok = converter && status <= 0;
        library->closeConverter(converter);
        return ok;
    };
    if (opens(name))
        return true;
    // Windows names code pages by number; ICU knows most of them only as windows-<n>.
    if (library->isComplete() && allDigits(name))
        return opens(("windows-" + std::string(name)).c_str());
    return false;
}

} // namespace ztds
