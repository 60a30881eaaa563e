// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "childprocess.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace MavTest {

struct MavctlResult
{
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

/*!
    Runs the built mavctl with \a arguments in the current environment. \a inChild
    runs in the child between fork and exec (async-signal-safe calls only).
*/
inline MavctlResult runMavctl(const QStringList &arguments, const QByteArray &input = {},
                              const std::function<void()> &inChild = {})
{
    ChildOptions options;
    options.input = input;
    options.inChild = inChild;
    const ChildResult child = runChild(QStringLiteral(MAVCTL_PATH), arguments, options);
    return {child.exitCode, QString::fromUtf8(child.out), QString::fromUtf8(child.err), child.out};
}

} // namespace MavTest
