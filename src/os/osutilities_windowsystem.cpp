// SPDX-License-Identifier: LGPL-2.1-or-later
// Desktop composition and blur behind a window, on X11.
#include "osutilities.h"

#include "xcblibrary_p.h"

#include <QGuiApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QRect>

#include <memory>

namespace Quorvex {

namespace {

constexpr long CompositionEnabled = 1;
constexpr long BlurBehindAvailable = 2;
constexpr char blurProperty[] = "_KDE_NET_WM_BLUR_BEHIND_REGION";

// The request count, the capability bits and the loaded library, under one lock:
// requests may come from any thread.
struct WindowSystemState
{
    QMutex mutex;
    int requests = 0;
    long capabilities = 0;
    std::unique_ptr<XcbLibrary> library;
};

WindowSystemState &state()
{
    static WindowSystemState instance;
    return instance;
}

} // namespace

/*
    What stands for dwmapi.dll's calls here:

    | Windows                           | X11                                            |
    |-----------------------------------|------------------------------------------------|
    | LoadLibrary("dwmapi.dll")         | dlopen("libxcb.so.1") and a connection, only   |
    |                                   | when Qt runs on xcb                            |
    | DwmIsCompositionEnabled           | the selection _NET_WM_CM_S<screen> has an owner |
    | DwmEnableBlurBehindWindow present | the root's _NET_SUPPORTED lists                |
    |                                   | _KDE_NET_WM_BLUR_BEHIND_REGION                 |
    | DwmEnableBlurBehindWindow call    | set or delete that property on the window      |
*/
bool OSUtilities::requestWindowSystemCapabilities(long *capabilities)
{
    WindowSystemState &s = state();
    QMutexLocker locker(&s.mutex);
    if (++s.requests == 1) {
        s.capabilities = 0;
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            auto library = std::make_unique<XcbLibrary>();
            if (library->load())
                s.library = std::move(library);
        }
        if (s.library && s.library->compositionEnabled()) {
            s.capabilities |= CompositionEnabled;
            if (s.library->rootSupports(blurProperty))
                s.capabilities |= BlurBehindAvailable;
        }
    }
    if (capabilities)
        *capabilities = s.capabilities;
    // Later requests share the first one's outcome: a failed load stays a failure.
    return s.library != nullptr;
}

void OSUtilities::cancelWindowSystemCapabilitiesRequest()
{
    WindowSystemState &s = state();
    QMutexLocker locker(&s.mutex);
    if (s.requests == 0)
        return;
    if (--s.requests == 0) {
        s.library.reset();
        s.capabilities = 0;
    }
}

bool OSUtilities::setWindowBlurEnabled(void *windowHandle, const QRect &area, bool enable)
{
    WindowSystemState &s = state();
    QMutexLocker locker(&s.mutex);
    if (s.requests <= 0 || !(s.capabilities & BlurBehindAvailable) || !s.library)
        return false;
    const auto window = std::uint32_t(reinterpret_cast<quintptr>(windowHandle));
    if (!enable)
        return s.library->deleteProperty(window, blurProperty);
    // QRect's right and bottom are inclusive; the region ends one past them.
    const int left = area.left();
    const int top = area.top();
    const int right = area.right() + 1;
    const int bottom = area.bottom() + 1;
    return s.library->setCardinalProperty(window, blurProperty,
                                          {std::uint32_t(left), std::uint32_t(top),
                                           std::uint32_t(right - left),
                                           std::uint32_t(bottom - top)});
}

} // namespace Quorvex
