// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <string>

namespace Quorvex::SystemInfo {

// The configuration lookups keep no lock of their own (they expect one thread),
// but the caches of the locale, platform and version code are filled from
// whichever thread asks first: their lookups all go through one lock.
QVariant configValue(const QString &key, const QVariant &defaultValue);
std::string componentId();

} // namespace Quorvex::SystemInfo
