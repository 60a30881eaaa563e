// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavstringtools.h"
#include "nametables_p.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDataStream>
#include <QDebug>

#include <iterator>
#include <mutex>

namespace Quorvex {

std::atomic<bool> MavStringTools::s_initDone {false};
QMap<QString, QString> MavStringTools::s_codePages;
QMap<QString, QStringList> MavStringTools::s_codePageRegionsMap;
QMap<QString, QString> MavStringTools::s_languageCodes;
QMap<QString, QString> MavStringTools::s_countryCodes;
QMap<int, QString> MavStringTools::s_fileSizePostfixFull;
QMap<int, QString> MavStringTools::s_fileSizePostfixAbbr;

namespace {

struct Entry
{
    const char *key;
    const char *text;
};

// Filled in this order; identifiers are stored exactly as written here.
const Entry codePageTable[] = {
    {"us-ascii", QT_TRANSLATE_NOOP("CodePages", "English (US-ASCII)")},
    {"iso-8859-1", QT_TRANSLATE_NOOP("CodePages", "Western (ISO-8859-1)")},
    {"iso-8859-2", QT_TRANSLATE_NOOP("CodePages", "Central European (ISO-8859-2)")},
    {"iso-8859-3", QT_TRANSLATE_NOOP("CodePages", "South European (ISO-8859-3)")},
    {"iso-8859-4", QT_TRANSLATE_NOOP("CodePages", "Baltic (ISO-8859-4)")},
    {"iso-8859-5", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (ISO-8859-5)")},
    {"iso-8859-6", QT_TRANSLATE_NOOP("CodePages", "Arabic (ISO-8859-6)")},
    {"iso-8859-6-i", QT_TRANSLATE_NOOP("CodePages", "Arabic (ISO-8859-6-I)")},
    {"iso-8859-6-e", QT_TRANSLATE_NOOP("CodePages", "Arabic (ISO-8859-6-E)")},
    {"iso-8859-7", QT_TRANSLATE_NOOP("CodePages", "Greek (ISO-8859-7)")},
    {"iso-8859-8", QT_TRANSLATE_NOOP("CodePages", "Hebrew Visual (ISO-8859-8)")},
    {"iso-8859-8-i", QT_TRANSLATE_NOOP("CodePages", "Hebrew (ISO-8859-8-I)")},
    {"iso-8859-8-e", QT_TRANSLATE_NOOP("CodePages", "Hebrew (ISO-8859-8-E)")},
    {"iso-8859-9", QT_TRANSLATE_NOOP("CodePages", "Turkish (ISO-8859-9)")},
    {"iso-8859-10", QT_TRANSLATE_NOOP("CodePages", "Nordic (ISO-8859-10)")},
    {"iso-8859-11", QT_TRANSLATE_NOOP("CodePages", "Thai (ISO-8859-11)")},
    {"iso-8859-13", QT_TRANSLATE_NOOP("CodePages", "Baltic (ISO-8859-13)")},
    {"iso-8859-14", QT_TRANSLATE_NOOP("CodePages", "Celtic (ISO-8859-14)")},
    {"iso-8859-15", QT_TRANSLATE_NOOP("CodePages", "Western (ISO-8859-15)")},
    {"iso-ir-165", QT_TRANSLATE_NOOP("CodePages", "Chinese (ISO-IR-165)")},
    {"iso-2022-jp", QT_TRANSLATE_NOOP("CodePages", "Japanese (ISO-2022-JP)")},
    {"iso-2022-cn", QT_TRANSLATE_NOOP("CodePages", "Chinese Simplified (ISO-2022-CN)")},
    {"iso-2022-kr", QT_TRANSLATE_NOOP("CodePages", "Korean (ISO-2022-KR)")},
    {"ibm850", QT_TRANSLATE_NOOP("CodePages", "Western (IBM-850)")},
    {"ibm852", QT_TRANSLATE_NOOP("CodePages", "Central European (IBM-852)")},
    {"ibm855", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (IBM-855)")},
    {"ibm857", QT_TRANSLATE_NOOP("CodePages", "Turkish (IBM-857)")},
    {"ibm862", QT_TRANSLATE_NOOP("CodePages", "Hebrew (IBM-862)")},
    {"ibm864", QT_TRANSLATE_NOOP("CodePages", "Arabic (IBM-864)")},
    {"ibm866", QT_TRANSLATE_NOOP("CodePages", "Cyrillic/Russian (CP-866)")},
    {"ibm874", QT_TRANSLATE_NOOP("CodePages", "Thai (IBM-874)")},
    {"windows-874", QT_TRANSLATE_NOOP("CodePages", "Thai (Windows-874)")},
    {"windows-949", QT_TRANSLATE_NOOP("CodePages", "Korean (UHC)")},
    {"windows-1250", QT_TRANSLATE_NOOP("CodePages", "Central European (Windows-1250)")},
    {"windows-1251", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (Windows-1251)")},
    {"windows-1252", QT_TRANSLATE_NOOP("CodePages", "Western (Windows-1252)")},
    {"windows-1253", QT_TRANSLATE_NOOP("CodePages", "Greek (Windows-1253)")},
    {"windows-1254", QT_TRANSLATE_NOOP("CodePages", "Turkish (Windows-1254)")},
    {"CP437", QT_TRANSLATE_NOOP("CodePages", "DOS Extended ASCII (437)")},
    {"CP737", QT_TRANSLATE_NOOP("CodePages", "Greek (MS-DOS 737)")},
    {"CP850", QT_TRANSLATE_NOOP("CodePages", "Western European (MS-DOS 850)")},
    {"CP852", QT_TRANSLATE_NOOP("CodePages", "Central European (MS-DOS 852)")},
    {"CP855", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (MS-DOS 855)")},
    {"CP857", QT_TRANSLATE_NOOP("CodePages", "Turkish (MS-DOS 857)")},
    {"windows-1255", QT_TRANSLATE_NOOP("CodePages", "Hebrew (Windows-1255)")},
    {"windows-1256", QT_TRANSLATE_NOOP("CodePages", "Arabic (Windows-1256)")},
    {"windows-1257", QT_TRANSLATE_NOOP("CodePages", "Baltic (Windows-1257)")},
    {"windows-1258", QT_TRANSLATE_NOOP("CodePages", "Vietnamese (Windows-1258)")},
    {"mac-roman", QT_TRANSLATE_NOOP("CodePages", "Western (MacRoman)")},
    {"mac-ce", QT_TRANSLATE_NOOP("CodePages", "Central European (MacCE)")},
    {"x-mac-turkish", QT_TRANSLATE_NOOP("CodePages", "Turkish (MacTurkish)")},
    {"x-mac-cyrillic", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (MacCyrillic)")},
    {"x-mac-greek", QT_TRANSLATE_NOOP("CodePages", "Greek (MacGreek)")},
    {"shift_jis", QT_TRANSLATE_NOOP("CodePages", "Japanese (Shift_JIS)")},
    {"euc-jp", QT_TRANSLATE_NOOP("CodePages", "Japanese (EUC-JP)")},
    {"big5", QT_TRANSLATE_NOOP("CodePages", "Chinese Traditional (Big5)")},
    {"big5-hkscs", QT_TRANSLATE_NOOP("CodePages", "Chinese Traditional (Big5-HKSCS)")},
    {"euc-tw", QT_TRANSLATE_NOOP("CodePages", "Chinese Traditional (EUC-TW)")},
    {"gb2312", QT_TRANSLATE_NOOP("CodePages", "Chinese Simplified (GB2312)")},
    {"hz-gb-2312", QT_TRANSLATE_NOOP("CodePages", "Chinese Simplified (HZ)")},
    {"gbk", QT_TRANSLATE_NOOP("CodePages", "Chinese Simplified (GBK)")},
    {"gb18030", QT_TRANSLATE_NOOP("CodePages", "Chinese Simplified (GB18030)")},
    {"euc-kr", QT_TRANSLATE_NOOP("CodePages", "Korean (EUC-KR)")},
    {"utf-7", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-7)")},
    {"utf-8", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-8)")},
    {"utf-16", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-16)")},
    {"utf-16le", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-16LE)")},
    {"utf-16be", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-16BE)")},
    {"utf-32", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-32)")},
    {"utf-32le", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-32LE)")},
    {"utf-32be", QT_TRANSLATE_NOOP("CodePages", "Unicode (UTF-32BE)")},
    {"scsu", QT_TRANSLATE_NOOP("CodePages", "Standard Compression Scheme for Unicode (SCSU)")},
    {"bocu-1", QT_TRANSLATE_NOOP("CodePages", "Binary Ordered Compression for Unicode (BOCU-1)")},
    {"lmbcs-1", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 1")},
    {"lmbcs-2", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 2")},
    {"lmbcs-3", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 3")},
    {"lmbcs-4", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 4")},
    {"lmbcs-5", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 5")},
    {"lmbcs-6", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 6")},
    {"lmbcs-8", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 8")},
    {"lmbcs-11", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 11")},
    {"lmbcs-16", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 16")},
    {"lmbcs-17", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 17")},
    {"lmbcs-18", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 18")},
    {"lmbcs-19", QT_TRANSLATE_NOOP("CodePages", "Lotus Multi-Byte Character Set 19")},
    {"imap-mailbox-name", QT_TRANSLATE_NOOP("CodePages", "IMAP Mailbox Name")},
    {"koi8-r", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (KOI8-R)")},
    {"koi8-u", QT_TRANSLATE_NOOP("CodePages", "Cyrillic/Ukrainian (KOI8-U)")},
    {"tis-620", QT_TRANSLATE_NOOP("CodePages", "Thai (TIS-620)")},
    {"CP37", QT_TRANSLATE_NOOP("CodePages", "Latin-1 (EBCDIC-37)")},
    {"CP930", QT_TRANSLATE_NOOP("CodePages", "Japanese (EBCDIC-930)")},
    {"CP1047", QT_TRANSLATE_NOOP("CodePages", "Latin-1 (EBCDIC-1047)")},
    {"CP1140", QT_TRANSLATE_NOOP("CodePages", "Latin-1 with Euro (EBCDIC-1140)")},
    {"CP858", QT_TRANSLATE_NOOP("CodePages", "Western European with Euro (MS-DOS 858)")},
    {"CP860", QT_TRANSLATE_NOOP("CodePages", "Portuguese (MS-DOS 860)")},
    {"CP861", QT_TRANSLATE_NOOP("CodePages", "Icelandic (MS-DOS 861)")},
    {"CP863", QT_TRANSLATE_NOOP("CodePages", "French (MS-DOS 863)")},
    // The misspelling is the translation key the shipped translations use.
    {"CP865", QT_TRANSLATE_NOOP("CodePages", "Nordic withough Icelandic (MS-DOS 865)")},
    {"CP866", QT_TRANSLATE_NOOP("CodePages", "Cyrillic (MS-DOS 866)")},
    {"CP869", QT_TRANSLATE_NOOP("CodePages", "Greek (MS-DOS 869)")},
};

struct Region
{
    const char *text;
    const char *ids; // space-separated, in list order
};

// CP866 stands twice in "East European"; callers have always seen it so.
const Region regionTable[] = {
    {QT_TRANSLATE_NOOP("CodePageRegion", "West European"),
     "us-ascii iso-8859-1 iso-8859-3 iso-8859-7 iso-8859-10 iso-8859-14 iso-8859-15 ibm850 "
     "windows-1252 windows-1253 mac-roman x-mac-greek CP37 CP1047 CP1140 CP437 CP737 CP850 "
     "CP858 CP860 CP861 CP863 CP865 CP869"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "East European"),
     "iso-8859-2 iso-8859-4 iso-8859-5 iso-8859-13 windows-1250 windows-1251 windows-1257 "
     "ibm852 ibm855 ibm866 mac-ce x-mac-cyrillic CP866 koi8-r koi8-u CP852 CP855 CP866"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "East Asian"),
     "iso-ir-165 iso-2022-jp iso-2022-cn iso-2022-kr windows-949 shift_jis euc-jp big5 "
     "big5-hkscs euc-tw gb2312 hz-gb-2312 gbk gb18030 euc-kr CP930"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "SE & SW Asian"),
     "iso-8859-9 iso-8859-11 ibm857 ibm874 windows-874 windows-1254 windows-1258 "
     "x-mac-turkish tis-620 CP857"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "Middle Eastern"),
     "iso-8859-6 iso-8859-6-i iso-8859-6-e iso-8859-8 iso-8859-8-i iso-8859-8-e ibm862 "
     "ibm864 windows-1255 windows-1256"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "Unicode"),
     "utf-7 utf-8 utf-16 utf-16le utf-16be utf-32 utf-32le utf-32be scsu bocu-1"},
    {QT_TRANSLATE_NOOP("CodePageRegion", "Miscellaneous"),
     "lmbcs-1 lmbcs-2 lmbcs-3 lmbcs-4 lmbcs-5 lmbcs-6 lmbcs-8 lmbcs-11 lmbcs-16 lmbcs-17 "
     "lmbcs-18 lmbcs-19 imap-mailbox-name"},
};

// Key: power of 1024. A 64-bit size reaches 6 (1024 PB and more).
const Entry fileSizeFull[] = {
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "Bytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "KiloBytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "MegaBytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "GigaBytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "TeraBytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "PetaBytes")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "ExaBytes")},
};
const Entry fileSizeAbbr[] = {
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "B")},  {nullptr, QT_TRANSLATE_NOOP("fileSize", "KB")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "MB")}, {nullptr, QT_TRANSLATE_NOOP("fileSize", "GB")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "TB")}, {nullptr, QT_TRANSLATE_NOOP("fileSize", "PB")},
    {nullptr, QT_TRANSLATE_NOOP("fileSize", "EB")},
};

QString translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

std::once_flag s_initOnce;

} // namespace

QString MavStringTools::fromStdStringUTF8(const std::string &text)
{
    return QString::fromUtf8(text.c_str(), -1);
}

std::string MavStringTools::toStdStringUTF8(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), std::size_t(utf8.size()));
}

QString MavStringTools::fromStdStringASCII(const std::string &text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string MavStringTools::toStdStringASCII(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    return std::string(latin1.constData(), std::size_t(latin1.size()));
}

QString MavStringTools::fromUTF8String(const std::basic_string<unsigned char> &text)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(text.c_str()), -1);
}

std::basic_string<unsigned char> MavStringTools::toUTF8String(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const auto *bytes = reinterpret_cast<const unsigned char *>(utf8.constData());
    return std::basic_string<unsigned char>(bytes, std::size_t(utf8.size()));
}

void MavStringTools::ensureInit()
{
    if (s_initDone.load(std::memory_order_acquire))
        return;
    // Two threads may reach a table first together; only one fills, the other waits.
    std::call_once(s_initOnce, [] {
        init();
        s_initDone.store(true, std::memory_order_release);
    });
}

bool MavStringTools::init()
{
    for (int i = 0; i < NameTables::languageCount; ++i) {
        const NameTables::CodeName &row = NameTables::languages[i];
        s_languageCodes[QString::fromLatin1(row.code)] = translated("Languages", row.name);
    }
    for (int i = 0; i < NameTables::countryCount; ++i) {
        const NameTables::CodeName &row = NameTables::countries[i];
        s_countryCodes[QString::fromLatin1(row.code)] = translated("Countries", row.name);
    }
    for (int power = 0; power < int(std::size(fileSizeFull)); ++power) {
        s_fileSizePostfixFull[power] = translated("fileSize", fileSizeFull[power].text);
        s_fileSizePostfixAbbr[power] = translated("fileSize", fileSizeAbbr[power].text);
    }
    for (const Region &region : regionTable) {
        s_codePageRegionsMap[translated("CodePageRegion", region.text)] =
            QString::fromLatin1(region.ids).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    for (const Entry &entry : codePageTable)
        s_codePages[QString::fromLatin1(entry.key)] = translated("CodePages", entry.text);
    return true;
}

QStringList MavStringTools::codePages()
{
    ensureInit();
    return s_codePages.keys();
}

QString MavStringTools::codePageName(const QString &id)
{
    ensureInit();
    return s_codePages.value(id);
}

QStringList MavStringTools::codePageRegions()
{
    ensureInit();
    return s_codePageRegionsMap.keys();
}

QStringList MavStringTools::codePagesForRegion(const QString &region)
{
    ensureInit();
    return s_codePageRegionsMap.value(region);
}

QString MavStringTools::languageCodeToString(const QString &code)
{
    ensureInit();
    return s_languageCodes.value(code.toLower());
}

QString MavStringTools::countryCodeToString(const QString &code)
{
    ensureInit();
    return s_countryCodes.value(code.toLower());
}

namespace {

QMap<QString, QString> keysOfLength(const QMap<QString, QString> &map, qsizetype length)
{
    QMap<QString, QString> result;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().size() == length)
            result.insert(it.key(), it.value());
    }
    return result;
}

} // namespace

QMap<QString, QString> MavStringTools::twoLetterLanguageCodeMap()
{
    ensureInit();
    return keysOfLength(s_languageCodes, 2);
}

QMap<QString, QString> MavStringTools::threeLetterLanguageCodeMap()
{
    ensureInit();
    return keysOfLength(s_languageCodes, 3);
}

} // namespace Quorvex

QDataStream &operator<<(QDataStream &stream, const std::basic_string<unsigned char> &text)
{
    return stream << Quorvex::MavStringTools::fromUTF8String(text);
}

QDebug operator<<(QDebug debug, const std::basic_string<unsigned char> &text)
{
    return debug << Quorvex::MavStringTools::fromUTF8String(text);
}
