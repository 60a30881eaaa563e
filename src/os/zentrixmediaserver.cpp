// SPDX-License-Identifier: LGPL-2.1-or-later
#include "zentrixmediaserver.h"
#include "companionprogram_p.h"

namespace Quorvex {

int ZentrixMediaServer::launchZMS()
{
    const QString program = Companion::installedProgram(L"ZentrixMediaServer");
    if (program.isEmpty())
        return 0;
    return Companion::start("Lauching Zentrix Media Server", program, {QStringLiteral("-config")});
}

} // namespace Quorvex
