// SPDX-License-Identifier: LGPL-2.1-or-later
#include "libraryinfo.h"

#include <openssl/crypto.h>
#include <sqlite3.h>

#include <QtGlobal>

namespace Quorvex {

QString LibraryInfo::version()
{
    return QStringLiteral(MAVLIBRARY_VERSION_STRING);
}

QString LibraryInfo::qtVersion()
{
    return QString::fromLatin1(qVersion());
}

QString LibraryInfo::openSslVersion()
{
    return QString::fromLatin1(OpenSSL_version(OPENSSL_VERSION));
}

QString LibraryInfo::sqliteVersion()
{
    return QString::fromLatin1(sqlite3_libversion());
}

} // namespace Quorvex
