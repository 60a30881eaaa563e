// SPDX-License-Identifier: LGPL-2.1-or-later
// zentrix-player: the example host of MavLibrary. libmpv plays; everything
// around the video is the library at work.
#include "demo.h"
#include "pings.h"
#include "playerlogging.h"
#include "playershell.h"
#include "sandbox.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/services/startuptimer.h>
#include <MavLibrary/settings/settingsfunctions.h>
#include <MavLibrary/text/librarytranslations.h>
#include <settings/registry_p.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <cstring>
#include <memory>

Q_LOGGING_CATEGORY(lcPlayer, "zentrix.player", QtWarningMsg)

namespace {

bool wantsDemo(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--demo") == 0 || std::strncmp(argv[i], "--demo=", 7) == 0)
            return true;
    return false;
}

// Qt aborts without a display; one line says what to do instead.
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The installer's step, done at start-up for an installation that missed it:
// the library finds the transfer wizard through the installation settings.
void registerTransferWizard(const QDir &binaryFolder)
{
    const QString wizard = QDir::cleanPath(binaryFolder.filePath(
        QStringLiteral(PLAYER_LIBEXEC_FROM_BINARY "/zentrix-transfer-wizard")));
    std::wstring registered;
    if (ztds::installSettings::getString(std::wstring(L"TransferWizard"),
                                         std::wstring(L"InstallPath"), registered)
        && QFileInfo(QString::fromStdWString(registered)).isExecutable())
        return;
    if (!QFileInfo(wizard).isExecutable()
        || !ztds::installSettings::setString(std::wstring(L"TransferWizard"),
                                             std::wstring(L"InstallPath"), wizard.toStdWString()))
        qCWarning(lcPlayer) << "cannot register the transfer wizard" << wizard;
}

// A user hive the store cannot read is said once, with the store's reason; the
// player goes on with its defaults.
void reportUnreadableUserHive()
{
    using namespace ztds::registry;
    const QString file = QString::fromStdString(hiveFile(Hive::CurrentUser));
    std::string error;
    if (!QFileInfo::exists(file) || openKey(Hive::CurrentUser, L"Software", Access::Read, &error)
        || error.empty())
        return;
    QString reason = QString::fromStdString(error);
    if (!reason.contains(file))
        reason = file + QStringLiteral(": ") + reason;
    const QString text =
        QCoreApplication::translate("main",
                                    "Zentrix Player cannot use its settings: %1.\n\n"
                                    "It goes on with its default settings.")
            .arg(reason);
    qCWarning(lcPlayer).noquote() << text;
    QMessageBox::warning(nullptr, QCoreApplication::translate("main", "Settings"), text);
}

} // namespace

int main(int argc, char *argv[])
{
    // The demo runs in a home of its own, set before Qt or the library read a path.
    const bool demo = wantsDemo(argc, argv);
    if (!demo && !hasDisplay()) {
        std::fprintf(stderr,
                     "zentrix-player: needs a display (DISPLAY or WAYLAND_DISPLAY); "
                     "--demo DIR runs without one\n");
        return 1;
    }
    if (demo && !Sandbox::folder())
        return Sandbox::runInNewSandbox(argv);
    if (demo)
        Demo::recordMessages();

    QApplication app(argc, argv);
    // Counts from here to the first painted window.
    Quorvex::StartupTimer startupTimer;
    QApplication::setApplicationName(QStringLiteral("zentrix-player"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zentrix Player"));
    QApplication::setApplicationVersion(QStringLiteral(PLAYER_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The example player of MavLibrary."));
    options.addHelpOption();
    options.addVersionOption();
    options.addOption({QStringLiteral("plugins"),
                       QStringLiteral("Also load the plug-ins in <dir> (may be repeated)."),
                       QStringLiteral("dir")});
    options.addOption({QStringLiteral("locale"),
                       QStringLiteral("The locale, such as fr_CA, instead of the system's."),
                       QStringLiteral("name")});
    options.addOption({QStringLiteral("demo"),
                       QStringLiteral("Walk every menu without a person, in a temporary home; "
                                      "write report.txt and screenshots to <dir>."),
                       QStringLiteral("dir")});
    options.addPositionalArgument(
        QStringLiteral("files"),
        QStringLiteral("Movies to play: the first now, the others after it."),
        QStringLiteral("[file...]"));
    options.process(app);
    const QDir binaryFolder(QCoreApplication::applicationDirPath());

    // Translations before any text is made: the menus are translated as they are
    // read and the library's name tables keep the language of their first use.
    const QString localeName = options.isSet(QStringLiteral("locale"))
        ? options.value(QStringLiteral("locale"))
        : QLocale::system().name();
    const QLocale uiLocale(localeName);
    Quorvex::LibraryTranslations::install(uiLocale);
    QTranslator playerTranslator;
    if (playerTranslator.load(
            uiLocale, QStringLiteral("zentrix-player"), QStringLiteral("_"),
            binaryFolder.filePath(QStringLiteral(PLAYER_TRANSLATIONS_FROM_BINARY))))
        QCoreApplication::installTranslator(&playerTranslator);
    if (!demo)
        reportUnreadableUserHive();
    if (demo && !QDir().mkpath(options.value(QStringLiteral("demo")))) {
        std::fprintf(stderr, "zentrix-player: cannot make %s\n",
                     qPrintable(options.value(QStringLiteral("demo"))));
        return 1;
    }

    // The plug-in manager reads the property documents of the installed
    // plug-ins; a module is loaded only when one of its entries is used.
    const QStringList pluginFolders = Kapio::PluginManager::playerFolders(
        binaryFolder.filePath(QStringLiteral(PLAYER_PLUGINS_FROM_BINARY)),
        options.values(QStringLiteral("plugins")));
    Kapio::PluginManager plugins(pluginFolders);
    registerTransferWizard(binaryFolder);

    // 1. The menu model, from the menu plug-ins' descriptions.
    Quorvex::CommonMenuBar::init(&plugins);
    // 2. Both windows with their menu bars, and the plug-ins' shortcut sets.
    // The demo and the tests have no sound device: ZENTRIX_PLAYER_AUDIO=null.
    PlayerShell shell(&plugins,
                      demo ? QStringLiteral("null") : qEnvironmentVariable("ZENTRIX_PLAYER_AUDIO"));
    shell.createWindows();
    // 3. Device profiles, locale, working folders.
    const QString profileFolder =
        binaryFolder.filePath(QStringLiteral(PLAYER_PROFILES_FROM_BINARY));
    if (!Quorvex::ProfileManager::instance(&plugins)->loadProfiles(profileFolder.toStdWString()))
        qCWarning(lcPlayer) << "no device profiles in" << profileFolder;
    Quorvex::OSUtilities::setLocale(localeName);
    Quorvex::OSUtilities::setTempPath(QDir::tempPath());
    Quorvex::OSUtilities::setTempDownloadDirectoryParent(
        Quorvex::OSUtilities::getApplicationDataPath(false));
    shell.fillMenus();

    QObject::connect(&shell, &PlayerShell::firstPaint, &startupTimer, &Quorvex::StartupTimer::done);
    shell.show();
    shell.openFiles(options.positionalArguments());

    std::unique_ptr<Demo> tour;
    if (demo) {
        // Configures its own ping receiver before the first ping goes.
        tour =
            std::make_unique<Demo>(&shell, &plugins, options.value(QStringLiteral("demo")),
                                   binaryFolder.filePath(QStringLiteral(PLAYER_CLIPS_FROM_BINARY)),
                                   options.positionalArguments());
        QTimer::singleShot(0, tour.get(), &Demo::run);
    }
    PlayerPings pings;
    QObject::connect(&shell, &PlayerShell::fileOpened, &pings, &PlayerPings::sendFileOpenedPing);
    pings.sendFirstRunPing();
    const int exitCode = QApplication::exec();

    // Stopping: the pings still queued go first; the plug-ins go back before
    // their manager, the menu bars with their windows.
    pings.shutdown();
    shell.shutdown();
    return tour ? tour->exitCode() : exitCode;
}
