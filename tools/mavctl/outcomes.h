// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/net/http/httperrorids.h>

#include <QString>

#include <iterator>

namespace Mavctl {

//! "HttpSuccess (0)": the name and the number of an HTTP outcome.
inline QString outcomeText(ztsc::HttpErrorIds outcome)
{
    static const char *const names[] = {"HttpSuccess", "HttpFailure", "HttpAborted",
                                        "HttpNotModified", "HttpCertificateRejected"};
    const bool known = outcome >= 0 && outcome < int(std::size(names));
    return QStringLiteral("%1 (%2)")
        .arg(QLatin1String(known ? names[outcome] : "unknown"))
        .arg(int(outcome));
}

} // namespace Mavctl
