// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// What the companion program launchers share. Internal, never installed.

#include <QString>
#include <QStringList>

#include <string>

namespace Quorvex::Companion {

//! The "InstallPath" of \a component in the installation settings when a file
//! is there, else empty.
QString installedProgram(const std::wstring &component);

//! Writes the trace line "<trace> "<program>" with arguments: (...)" and starts
//! the program detached: 2 when it started, 1 when not.
int start(const char *trace, const QString &program, const QStringList &arguments);

} // namespace Quorvex::Companion
