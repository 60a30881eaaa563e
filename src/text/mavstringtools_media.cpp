// SPDX-License-Identifier: LGPL-2.1-or-later
// Track labels, media type names, file sizes and the extension lists.
#include "mavstringtools.h"
#include "movieextensions_p.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <iterator>
#include <optional>

namespace Quorvex {

namespace {

struct Message
{
    const char *source;
    const char *comment;
};

/*
    Track labels by which parts are known; index: format 8, type 4, language 2,
    country 1. The arguments follow in the order language, country (or the
    counter when neither is known), type, format.
*/
const Message trackFormats[16] = {
    QT_TRANSLATE_NOOP3("Track Name Format", "Track %1", "Track <counter>"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1", "country"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1", "lang"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 (%2)", "lang (country)"),
    QT_TRANSLATE_NOOP3("Track Name Format", "Track %1 - %2", "Track <counter> - type"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2", "country - type"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2", "lang - type"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 (%2) - %3", "lang (country) - type"),
    QT_TRANSLATE_NOOP3("Track Name Format", "Track %1 - %2", "Track <counter> - format"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2", "country - format"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2", "lang - format"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 (%2) - %3", "lang (country) - format"),
    QT_TRANSLATE_NOOP3("Track Name Format", "Track %1 - %2 (%3)",
                       "Track <counter> - type (format)"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2 (%3)", "country - type (format)"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 - %2 (%3)", "lang - type (format)"),
    QT_TRANSLATE_NOOP3("Track Name Format", "%1 (%2) - %3 (%4)", "lang (country) - type (format)"),
};

struct FormatName
{
    uint tag;
    const char *name;
};

// WAVE format tags.
const FormatName audioFormats[] = {
    {0x0000, QT_TRANSLATE_NOOP("Audio Formats", "PCM")},
    {0x0001, QT_TRANSLATE_NOOP("Audio Formats", "PCM")},
    {0x0002, QT_TRANSLATE_NOOP("Audio Formats", "ACPCM")},
    {0x0003, QT_TRANSLATE_NOOP("Audio Formats", "IEEE Float")},
    {0x0006, QT_TRANSLATE_NOOP("Audio Formats", "ALAW")},
    {0x0007, QT_TRANSLATE_NOOP("Audio Formats", "MULAW")},
    {0x0011, QT_TRANSLATE_NOOP("Audio Formats", "IMA4")},
    {0x0050, QT_TRANSLATE_NOOP("Audio Formats", "MPEG-1 Layer-2 (MP2)")},
    {0x0055, QT_TRANSLATE_NOOP("Audio Formats", "MPEG-1 Layer-3 (MP3)")},
    {0x00FF, QT_TRANSLATE_NOOP("Audio Formats", "Advanced Audio Coding (AAC)")},
    {0x0161, QT_TRANSLATE_NOOP("Audio Formats", "Windows Media Audio (WMA)")},
    {0x2000, QT_TRANSLATE_NOOP("Audio Formats", "Dolby Digital (AC3/A52)")},
    {0x2001, QT_TRANSLATE_NOOP("Audio Formats", "Digital Theater System (DTS)")},
    {0x6771, QT_TRANSLATE_NOOP("Audio Formats", "Ogg Vorbis")},
};

// Index: track type - 1.
const char *const audioTypes[] = {
    QT_TRANSLATE_NOOP("Audio Track Types", "Other"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Primary Feature"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Director Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Writer Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Producer Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Cast Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Critic Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Score Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Production Designer Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Special Effects Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Fan Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Other Commentary"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Isolated Score"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Soundtrack"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Interview"),
    QT_TRANSLATE_NOOP("Audio Track Types", "For Visually Impaired"),
    QT_TRANSLATE_NOOP("Audio Track Types", "Alternate Director Commentary"),
};

const char *const subtitleTypes[] = {
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Other"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Normal"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Letterbox"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Wide screen"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Full screen"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Closed Captioned"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Forced"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Karaoke"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Not Specified"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Large"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Children"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Director Commentary"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Large Director Commentary"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Director Commentary For Children"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Normal Captions"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Large Captions"),
    QT_TRANSLATE_NOOP("Subtitle Track Types", "Children's Captions"),
};

template<std::size_t N>
QString trackType(const char *context, const char *const (&names)[N], uint type)
{
    return type >= 1 && type <= N ? QCoreApplication::translate(context, names[type - 1])
                                  : QString();
}

const char movieExtensions[] = "zentrix ztx xvid avi mkv mkx mka mov qt mp4 m4v m1v m2v m4a m2ts "
                               "mts ts tix mpeg mpg mpe vob dat dv asf wmv rm rmvb";
const char referenceGroupA[] = "zentrix ztx xvid avi"; // versions 0 and 2
const char referenceGroupB[] = "mkv mkx"; // version 3
const char subtitleExtensions[] = "ass ssa srt sub smi sami txt xml";

// Constant-initialised, so a registration while the library loads is never lost.
std::atomic<MovieExtensionSource> s_movieSource {nullptr};

// The four forms of one extension list.
struct ExtensionLists
{
    explicit ExtensionLists(const QString &text)
        : plain(text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    {
        for (const QString &extension : std::as_const(plain))
            wildcards.append(QStringLiteral("*.") + extension);
        plainText = plain.join(QLatin1Char(' '));
        wildcardText = wildcards.join(QLatin1Char(' '));
    }

    QStringList plain;
    QStringList wildcards;
    QString plainText;
    QString wildcardText;
};

/*
    The movie lists, rebuilt when what they are made from changes: in reference-
    player mode the groups the active profile's versions allow, otherwise every
    extension. Keyed by the groups rather than by the profile's address: a profile
    replaced by a later load may come back at the address of the one it replaced,
    with other versions.
*/
class MovieLists
{
public:
    template<typename Use> auto use(Use use)
    {
        const MovieExtensionSource source = s_movieSource.load(std::memory_order_acquire);
        const int key = source ? source() : MovieExtensionGroups::All;
        QMutexLocker locker(&m_mutex);
        if (!m_lists || key != m_key) {
            m_lists.emplace(key == MovieExtensionGroups::All ? QString::fromLatin1(movieExtensions)
                                                             : referenceText(key));
            m_key = key;
        }
        return use(*m_lists);
    }

private:
    static QString referenceText(int groups)
    {
        QStringList texts;
        if (groups & MovieExtensionGroups::ReferenceA)
            texts.append(QString::fromLatin1(referenceGroupA));
        if (groups & MovieExtensionGroups::ReferenceB)
            texts.append(QString::fromLatin1(referenceGroupB));
        return texts.join(QLatin1Char(' '));
    }

    QMutex m_mutex;
    std::optional<ExtensionLists> m_lists;
    int m_key = MovieExtensionGroups::All;
};

MovieLists &movieLists()
{
    static MovieLists lists;
    return lists;
}

const ExtensionLists &subtitleLists()
{
    static const ExtensionLists lists(QString::fromLatin1(subtitleExtensions));
    return lists;
}

// QFileInfo(path).suffix() without building a QFileInfo: the text after the last
// '.' of the file name (the part after the last '/'), empty when there is none.
QStringView suffixOf(QStringView path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (path[i] == u'/')
            break;
        if (path[i] == u'.')
            return path.sliced(i + 1);
    }
    return {};
}

bool containsSuffix(const QStringList &extensions, const QString &path)
{
    const QStringView suffix = suffixOf(path);
    if (suffix.isEmpty())
        return false;
    bool ascii = true;
    for (const QChar c : suffix)
        ascii = ascii && c.unicode() < 0x80;
    if (!ascii) // toLower may map a non-ASCII letter onto an ASCII one
        return extensions.contains(suffix.toString().toLower());
    for (const QString &extension : extensions) {
        if (extension.size() == suffix.size()
            && suffix.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

void setMovieExtensionSource(MovieExtensionSource source)
{
    s_movieSource.store(source, std::memory_order_release);
}

QString MavStringTools::trackToString(const QString &countryCode, const QString &languageCode,
                                      const QString &type, const QString &format, uint counter)
{
    const QString country = countryCodeToString(countryCode);
    const QString language = languageCodeToString(languageCode);
    const int index = (format.isEmpty() ? 0 : 8) | (type.isEmpty() ? 0 : 4)
        | (language.isEmpty() ? 0 : 2) | (country.isEmpty() ? 0 : 1);
    QStringList arguments;
    if (!language.isEmpty())
        arguments.append(language);
    if (!country.isEmpty())
        arguments.append(country);
    if (language.isEmpty() && country.isEmpty())
        arguments.append(QString::number(counter));
    if (!type.isEmpty())
        arguments.append(type);
    if (!format.isEmpty())
        arguments.append(format);

    const QString text = QCoreApplication::translate(
        "Track Name Format", trackFormats[index].source, trackFormats[index].comment);
    // All at once: a type or format text of the media file holding "%1" must not
    // be filled in again by the next argument.
    switch (arguments.size()) {
    case 1:
        return text.arg(arguments[0]);
    case 2:
        return text.arg(arguments[0], arguments[1]);
    case 3:
        return text.arg(arguments[0], arguments[1], arguments[2]);
    default:
        return text.arg(arguments[0], arguments[1], arguments[2], arguments[3]);
    }
}

QString MavStringTools::audioFormatToString(uint format)
{
    for (const FormatName &entry : audioFormats) {
        if (entry.tag == format)
            return QCoreApplication::translate("Audio Formats", entry.name);
    }
    return QCoreApplication::translate("Audio Formats", "Unknown");
}

QString MavStringTools::audioTypeToString(uint type)
{
    return trackType("Audio Track Types", audioTypes, type);
}

QString MavStringTools::subtitleTypeToString(uint type)
{
    return trackType("Subtitle Track Types", subtitleTypes, type);
}

QString MavStringTools::fileSizeToQString(quint64 bytes, bool abbreviated)
{
    ensureInit();
    int unit = 0;
    quint64 value = bytes;
    quint64 previous = 0;
    while (value >= 1024) {
        previous = value;
        value >>= 10;
        ++unit;
    }
    const QString number = unit <= 2
        ? QString::number(value)
        : QString::number(double((previous * 100) >> 10) / 100.0, 'f', 2);
    const QMap<int, QString> &units = abbreviated ? s_fileSizePostfixAbbr : s_fileSizePostfixFull;
    return number + QLatin1Char(' ') + units.value(unit);
}

QStringList MavStringTools::getSupportedMovieExtensions(bool wildcards)
{
    return movieLists().use([wildcards](const ExtensionLists &lists) {
        return wildcards ? lists.wildcards : lists.plain;
    });
}

QString MavStringTools::getSupportedMovieExtensionsString(bool wildcards)
{
    return movieLists().use([wildcards](const ExtensionLists &lists) {
        return wildcards ? lists.wildcardText : lists.plainText;
    });
}

bool MavStringTools::checkMovieExtension(const QString &path)
{
    return movieLists().use(
        [&path](const ExtensionLists &lists) { return containsSuffix(lists.plain, path); });
}

QStringList MavStringTools::getSupportedSubtitleExtensions(bool wildcards)
{
    return wildcards ? subtitleLists().wildcards : subtitleLists().plain;
}

QString MavStringTools::getSupportedSubtitleExtensionsString(bool wildcards)
{
    return wildcards ? subtitleLists().wildcardText : subtitleLists().plainText;
}

bool MavStringTools::checkSubtitleExtension(const QString &path)
{
    return containsSuffix(subtitleLists().plain, path);
}

} // namespace Quorvex
