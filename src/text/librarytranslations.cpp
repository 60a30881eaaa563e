// SPDX-License-Identifier: LGPL-2.1-or-later
#include "librarytranslations.h"

#include "textlogging_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <dlfcn.h>

namespace Quorvex {

namespace {

QString libraryFolder()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void *>(&LibraryTranslations::folder), &info) == 0
        || info.dli_fname == nullptr)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
}

QPointer<QTranslator> &installed(int which)
{
    static QPointer<QTranslator> translators[2];
    return translators[which];
}

// Replaces the translator in slot `which`; false when no file fits the locale.
bool installOne(int which, const QLocale &locale, const QString &name, const QString &folder)
{
    if (QTranslator *old = installed(which)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (folder.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed(which) = translator;
    qCDebug(lcText) << "translator" << translator->filePath();
    return true;
}

} // namespace

// Lookup order:
//   1. <folder of libMavLibrary.so>/MAVLIBRARY_TRANSLATIONS_FROM_LIBRARY
//      (share/mavlibrary/translations of the installation);
//   2. the build tree's folder, only for the build tree's own library.
QString LibraryTranslations::folder()
{
    const QString library = libraryFolder();
    const QDir installedFolder(
        QDir(library).filePath(QStringLiteral(MAVLIBRARY_TRANSLATIONS_FROM_LIBRARY)));
    if (!library.isEmpty() && installedFolder.exists())
        return installedFolder.canonicalPath();
    if (!library.isEmpty()
        && library
            == QFileInfo(QStringLiteral(MAVLIBRARY_BUILD_LIBRARY_FOLDER)).canonicalFilePath())
        return QStringLiteral(MAVLIBRARY_BUILD_TRANSLATIONS);
    return {};
}

bool LibraryTranslations::install(const QLocale &locale)
{
    installOne(1, locale, QStringLiteral("qtbase"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installOne(0, locale, QStringLiteral("mavlibrary"), folder());
}

} // namespace Quorvex
