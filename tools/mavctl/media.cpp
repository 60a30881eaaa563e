// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl media: file sizes, track labels and the extensions the player opens.
#include "command.h"

#include <MavLibrary/text/mavstringtools.h>

#include <QCommandLineParser>

using Quorvex::MavStringTools;

namespace {

// A decimal number, or hexadecimal after "0x".
bool toNumber(const QString &text, quint64 &value)
{
    bool ok = false;
    value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
        ? text.mid(2).toULongLong(&ok, 16)
        : text.toULongLong(&ok, 10);
    return ok;
}

int runFileSize(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints each size with its unit, one a line (\"1.50 GB\")."));
    parser.addPositionalArgument(QStringLiteral("BYTES"), QStringLiteral("Sizes in bytes."),
                                 QStringLiteral("BYTES..."));
    const QCommandLineOption full(QStringLiteral("full"),
                                  QStringLiteral("Full unit names (\"GigaBytes\")."));
    parser.addOption(full);
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList sizes = parser.positionalArguments();
    if (sizes.isEmpty())
        return Mavctl::usageError(arguments.value(0), QStringLiteral("give at least one size"));
    QList<quint64> values;
    for (const QString &size : sizes) {
        quint64 value = 0;
        if (!toNumber(size, value))
            return Mavctl::usageError(arguments.value(0),
                                      QStringLiteral("not a number of bytes: %1").arg(size));
        values.append(value);
    }
    for (quint64 value : std::as_const(values))
        Mavctl::printLine(MavStringTools::fileSizeToQString(value, !parser.isSet(full)));
    return Mavctl::Success;
}

int runTrack(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the label of an audio or subtitle track. A number for --type or --format "
        "is looked up in the track type or WAVE format tables; text is used as it stands."));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Language <code> (\"fr\", \"ger\")."),
                                      QStringLiteral("code"));
    const QCommandLineOption country(QStringLiteral("country"),
                                     QStringLiteral("Country <code> (\"us\")."),
                                     QStringLiteral("code"));
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("Track <type>: a number (1-17) or text."),
                                  QStringLiteral("type"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Audio <format>: a WAVE tag or text."),
                                    QStringLiteral("format"));
    const QCommandLineOption counter(QStringLiteral("counter"),
                                     QStringLiteral("The track's <number> (default 1)."),
                                     QStringLiteral("number"), QStringLiteral("1"));
    const QCommandLineOption subtitle(QStringLiteral("subtitle"),
                                      QStringLiteral("A subtitle track: --type numbers name "
                                                     "subtitle track types."));
    parser.addOptions({language, country, type, format, counter, subtitle});
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0), QStringLiteral("track takes no arguments"));

    quint64 number = 0;
    if (!toNumber(parser.value(counter), number) || number > 0xFFFFFFFFu)
        return Mavctl::usageError(
            arguments.value(0),
            QStringLiteral("not a track number: %1").arg(parser.value(counter)));
    const uint trackNumber = uint(number);

    QString typeText = parser.value(type);
    if (toNumber(typeText, number)) {
        typeText = number > 0xFFFFFFFFu ? QString()
            : parser.isSet(subtitle)    ? MavStringTools::subtitleTypeToString(uint(number))
                                        : MavStringTools::audioTypeToString(uint(number));
        if (typeText.isNull())
            return Mavctl::fail(QStringLiteral("no track type %1").arg(parser.value(type)));
    }
    QString formatText = parser.value(format);
    if (toNumber(formatText, number))
        formatText =
            MavStringTools::audioFormatToString(number > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint(number));
    Mavctl::printLine(MavStringTools::trackToString(parser.value(country), parser.value(language),
                                                    typeText, formatText, trackNumber));
    return Mavctl::Success;
}

int runExtensions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the extensions the player opens as movies (or subtitles)."));
    const QCommandLineOption subtitles(QStringLiteral("subtitles"),
                                       QStringLiteral("The subtitle extensions."));
    const QCommandLineOption wildcards(QStringLiteral("wildcards"),
                                       QStringLiteral("As patterns (\"*.avi\")."));
    parser.addOptions({subtitles, wildcards});
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0),
                                  QStringLiteral("extensions takes no arguments"));
    const bool patterns = parser.isSet(wildcards);
    Mavctl::printLine(parser.isSet(subtitles)
                          ? MavStringTools::getSupportedSubtitleExtensionsString(patterns)
                          : MavStringTools::getSupportedMovieExtensionsString(patterns));
    return Mavctl::Success;
}

int runMedia(const QStringList &arguments)
{
    return Mavctl::dispatch(
        arguments, {{"filesize", runFileSize}, {"track", runTrack}, {"extensions", runExtensions}},
        QStringLiteral("filesize|track|extensions ..."),
        QStringLiteral(
            "File sizes with units, track labels, and the extensions the player opens."));
}

} // namespace

MAVCTL_COMMAND("media", "file sizes, track labels and the extensions the player opens", runMedia);
