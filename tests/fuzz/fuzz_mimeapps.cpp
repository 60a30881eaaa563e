// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the mimeapps.list reader: any input is understood or
// refused, never crashes; what is understood writes back byte for byte, and
// after changing one entry it still reads, with that entry as set.
#include "os/mimeapps_p.h"

#include <cstdint>
#include <cstdlib>

using Quorvex::MimeApps::KeyFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    KeyFile file;
    if (!file.parse(bytes))
        return 0;
    if (file.toByteArray() != bytes)
        std::abort();
    const QString group = QLatin1String(Quorvex::MimeApps::DefaultGroup);
    const QString type = QStringLiteral("video/x-msvideo");
    QStringList ids = file.list(group, type);
    ids.prepend(QStringLiteral("zentrix-player.desktop"));
    file.setList(group, type, ids);
    KeyFile again;
    if (!again.parse(file.toByteArray()) || again.list(group, type) != ids)
        std::abort();
    again.setList(group, type, {});
    if (!again.list(group, type).isEmpty())
        std::abort();
    return 0;
}
