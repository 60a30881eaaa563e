// SPDX-License-Identifier: LGPL-2.1-or-later
#include "localecodepages_p.h"

namespace Quorvex::LocaleCodePages {

namespace {

struct Row
{
    const char *language; // ISO 639 code as QLocale::languageToCode gives it
    const char *script; // ISO 15924 code, or "" for any
    const char *territory; // ISO 3166 code, or "" for any
    Entry pages;
};

/*
    GetLocaleInfo's LOCALE_IDEFAULTCODEPAGE (OEM), LOCALE_IDEFAULTANSICODEPAGE,
    LOCALE_IDEFAULTEBCDICCODEPAGE and LOCALE_IDEFAULTMACCODEPAGE for the Windows
    locale of each language (its main country unless a row names one). Source:
    Microsoft's National Language Support locale data, as GetLocaleInfo reports it
    and as recorded per locale in the NLS tables of the Wine project
    (dlls/kernel32/nls/<locale>.nls); code page numbers as listed in Microsoft's
    "Code Page Identifiers". Languages whose locales Windows added later (Bosnian,
    Luxembourgish, Sami, the Unicode-only ones of Africa and Asia) come from the
    locale list that Wine's tools/make_unicode keeps of the Windows locales, with
    their OEM page and the ANSI, Mac and EBCDIC pages that follow from it; a
    language missing from that list (Aymara, Fijian, Samoan, ...) has no Windows
    locale and no row.

    Windows gives the placeholders 1 (OEM), 0 (ANSI) and 2 (Mac) to locales that
    exist only in Unicode; they name no code page of their own and are 0 here, so
    those locales end at EBCDIC 500, as on Windows.
*/
constexpr Row rows[] = {
    // Western Europe and the Americas
    {"af", "", "", {850, 1252, 500, 10000}},
    {"br", "", "", {850, 1252, 20297, 10000}},
    {"ca", "", "", {850, 1252, 500, 10000}},
    {"co", "", "", {850, 1252, 500, 10000}},
    {"cy", "", "", {850, 1252, 20285, 10000}},
    {"da", "", "", {850, 1252, 20277, 10000}},
    {"de", "", "", {850, 1252, 20273, 10000}},
    {"en", "", "", {437, 1252, 37, 10000}},
    {"en", "", "AU", {850, 1252, 500, 10000}},
    {"en", "", "CA", {850, 1252, 37, 10000}},
    {"en", "", "GB", {850, 1252, 20285, 10000}},
    {"en", "", "IE", {850, 1252, 500, 10000}},
    {"en", "", "NZ", {850, 1252, 500, 10000}},
    {"es", "", "", {850, 1252, 20284, 10000}},
    {"eu", "", "", {850, 1252, 500, 10000}},
    {"ff", "", "", {850, 1252, 20297, 10000}},
    {"fi", "", "", {850, 1252, 20278, 10000}},
    {"fil", "", "", {437, 1252, 500, 10000}},
    {"fo", "", "", {850, 1252, 20277, 10079}},
    {"fr", "", "", {850, 1252, 20297, 10000}},
    {"fy", "", "", {850, 1252, 500, 10000}},
    {"ga", "", "", {850, 1252, 500, 10000}},
    {"gd", "", "", {850, 1252, 20285, 10000}},
    {"gl", "", "", {850, 1252, 500, 10000}},
    {"gn", "", "", {850, 1252, 20284, 10000}},
    {"ha", "", "", {437, 1252, 500, 10000}},
    {"id", "", "", {850, 1252, 500, 10000}},
    {"ig", "", "", {437, 1252, 37, 10000}},
    {"is", "", "", {850, 1252, 20871, 10079}},
    {"it", "", "", {850, 1252, 20280, 10000}},
    {"iu", "Latn", "", {437, 1252, 37, 10000}},
    {"jv", "", "", {850, 1252, 500, 10000}},
    {"kl", "", "", {850, 1252, 20277, 10000}},
    {"kr", "", "", {850, 1252, 500, 10000}},
    {"la", "", "", {437, 1252, 37, 10000}},
    {"lb", "", "", {850, 1252, 20297, 10000}},
    {"ms", "", "", {850, 1252, 500, 10000}},
    {"nb", "", "", {850, 1252, 20277, 10000}},
    {"nl", "", "", {850, 1252, 500, 10000}},
    {"nn", "", "", {850, 1252, 20277, 10000}},
    {"oc", "", "", {850, 1252, 20297, 10000}},
    {"pt", "", "", {850, 1252, 500, 10000}},
    {"qu", "", "", {850, 1252, 500, 10000}},
    {"rm", "", "", {850, 1252, 20273, 10000}},
    {"rw", "", "", {437, 1252, 500, 10000}},
    {"se", "", "", {850, 1252, 20277, 10000}},
    {"se", "", "FI", {850, 1252, 20278, 10000}},
    {"se", "", "SE", {850, 1252, 20278, 10000}},
    {"sv", "", "", {850, 1252, 20278, 10000}},
    {"sw", "", "", {437, 1252, 500, 10000}},
    {"tl", "", "", {437, 1252, 500, 10000}},
    {"tn", "", "", {850, 1252, 500, 10000}},
    {"wa", "", "", {850, 1252, 500, 10000}},
    {"wo", "", "", {850, 1252, 20297, 10000}},
    {"xh", "", "", {850, 1252, 500, 10000}},
    {"yo", "", "", {437, 1252, 500, 10000}},
    {"zu", "", "", {850, 1252, 500, 10000}},
    // Central Europe
    {"bs", "", "", {852, 1250, 870, 10082}},
    {"cs", "", "", {852, 1250, 500, 10029}},
    {"hr", "", "", {852, 1250, 500, 10082}},
    {"hu", "", "", {852, 1250, 500, 10029}},
    {"pl", "", "", {852, 1250, 20880, 10029}},
    {"ro", "", "", {852, 1250, 500, 10029}},
    {"sk", "", "", {852, 1250, 500, 10029}},
    {"sl", "", "", {852, 1250, 500, 10029}},
    {"sq", "", "", {852, 1250, 500, 10029}},
    {"sr", "Latn", "", {852, 1250, 500, 10082}},
    {"tk", "", "", {852, 1250, 500, 10029}},
    // Cyrillic
    {"az", "Cyrl", "", {866, 1251, 20880, 10007}},
    {"ba", "", "", {866, 1251, 500, 10007}},
    {"be", "", "", {866, 1251, 500, 10007}},
    {"bg", "", "", {866, 1251, 500, 10007}},
    {"bs", "Cyrl", "", {855, 1251, 870, 10082}},
    {"kk", "", "", {866, 1251, 500, 10007}},
    {"ky", "", "", {866, 1251, 500, 10007}},
    {"mk", "", "", {866, 1251, 500, 10007}},
    {"mn", "", "", {866, 1251, 500, 10007}},
    {"ru", "", "", {866, 1251, 20880, 10007}},
    {"sr", "", "", {855, 1251, 21025, 10007}},
    {"tg", "", "", {866, 1251, 500, 10007}},
    {"tt", "", "", {866, 1251, 500, 10007}},
    {"uk", "", "", {866, 1251, 500, 10017}},
    {"uz", "Cyrl", "", {866, 1251, 20880, 10007}},
    // Greek, Turkic, Baltic
    {"el", "", "", {737, 1253, 20273, 10006}},
    {"az", "", "", {857, 1254, 20905, 10081}},
    {"tr", "", "", {857, 1254, 20905, 10081}},
    {"uz", "", "", {857, 1254, 500, 10029}},
    {"et", "", "", {775, 1257, 500, 10029}},
    {"lt", "", "", {775, 1257, 500, 10029}},
    {"lv", "", "", {775, 1257, 500, 10029}},
    // Hebrew, Arabic script, Thai, Vietnamese
    {"he", "", "", {862, 1255, 500, 10005}},
    {"ar", "", "", {720, 1256, 20420, 10004}},
    {"ckb", "", "", {720, 1256, 20420, 10004}},
    {"fa", "", "", {720, 1256, 20420, 10004}},
    {"ku", "", "", {720, 1256, 20420, 10004}},
    {"pa", "Arab", "", {720, 1256, 20420, 10004}},
    {"sd", "", "", {720, 1256, 20420, 10004}},
    {"ug", "", "", {720, 1256, 20420, 10004}},
    {"ur", "", "", {720, 1256, 20420, 10004}},
    {"th", "", "", {874, 874, 20838, 10021}},
    {"vi", "", "", {1258, 1258, 500, 10000}},
    // East Asia
    {"ja", "", "", {932, 932, 20290, 10001}},
    {"ko", "", "", {949, 949, 20833, 10003}},
    {"zh", "", "", {936, 936, 500, 10008}},
    {"zh", "Hant", "", {950, 950, 500, 10002}},
    // Unicode only
    {"aa", "", "", {0, 0, 500, 0}},
    {"ak", "", "", {0, 0, 500, 0}},
    {"am", "", "", {0, 0, 500, 0}},
    {"as", "", "", {0, 0, 500, 0}},
    {"bm", "", "", {0, 0, 500, 0}},
    {"bn", "", "", {0, 0, 500, 0}},
    {"bo", "", "", {0, 0, 500, 0}},
    {"ce", "", "", {0, 0, 500, 0}},
    {"cu", "", "", {0, 0, 500, 0}},
    {"dv", "", "", {0, 0, 500, 0}},
    {"dz", "", "", {0, 0, 500, 0}},
    {"ee", "", "", {0, 0, 500, 0}},
    {"eo", "", "", {0, 0, 500, 0}},
    {"ff", "Adlm", "", {0, 0, 500, 0}},
    {"gu", "", "", {0, 0, 500, 0}},
    {"gv", "", "", {0, 0, 500, 0}},
    {"hi", "", "", {0, 0, 500, 0}},
    {"ht", "", "", {0, 0, 500, 0}},
    {"hy", "", "", {0, 0, 500, 0}},
    {"ia", "", "", {0, 0, 500, 0}},
    {"ie", "", "", {0, 0, 500, 0}},
    {"ii", "", "", {0, 0, 500, 0}},
    {"iu", "", "", {0, 0, 500, 0}},
    {"ka", "", "", {0, 0, 500, 0}},
    {"ki", "", "", {0, 0, 500, 0}},
    {"km", "", "", {0, 0, 500, 0}},
    {"kn", "", "", {0, 0, 500, 0}},
    {"ks", "", "", {0, 0, 500, 0}},
    {"kw", "", "", {0, 0, 500, 0}},
    {"lg", "", "", {0, 0, 500, 0}},
    {"ln", "", "", {0, 0, 500, 0}},
    {"lo", "", "", {0, 0, 500, 0}},
    {"lu", "", "", {0, 0, 500, 0}},
    {"mg", "", "", {0, 0, 500, 0}},
    {"mi", "", "", {0, 0, 500, 0}},
    {"ml", "", "", {0, 0, 500, 0}},
    {"mn", "Mong", "", {0, 0, 500, 0}},
    {"mr", "", "", {0, 0, 500, 0}},
    {"mt", "", "", {0, 0, 500, 0}},
    {"my", "", "", {0, 0, 500, 0}},
    {"nd", "", "", {0, 0, 500, 0}},
    {"ne", "", "", {0, 0, 500, 0}},
    {"nr", "", "", {0, 0, 500, 0}},
    {"om", "", "", {0, 0, 500, 0}},
    {"or", "", "", {0, 0, 500, 0}},
    {"os", "", "", {0, 0, 500, 0}},
    {"pa", "", "", {0, 0, 500, 0}},
    {"ps", "", "", {0, 0, 500, 0}},
    {"rn", "", "", {0, 0, 500, 0}},
    {"sa", "", "", {0, 0, 500, 0}},
    {"sc", "", "", {0, 0, 500, 0}},
    {"sd", "Deva", "", {0, 0, 500, 0}},
    {"sg", "", "", {0, 0, 500, 0}},
    {"si", "", "", {0, 0, 500, 0}},
    {"sn", "", "", {0, 0, 500, 0}},
    {"so", "", "", {0, 0, 500, 0}},
    {"ss", "", "", {0, 0, 500, 0}},
    {"st", "", "", {0, 0, 500, 0}},
    {"su", "", "", {0, 0, 500, 0}},
    {"ta", "", "", {0, 0, 500, 0}},
    {"te", "", "", {0, 0, 500, 0}},
    {"ti", "", "", {0, 0, 500, 0}},
    {"to", "", "", {0, 0, 500, 0}},
    {"ts", "", "", {0, 0, 500, 0}},
    {"uz", "Arab", "", {0, 0, 500, 0}},
    {"ve", "", "", {0, 0, 500, 0}},
    {"vo", "", "", {0, 0, 500, 0}},
    {"yi", "", "", {0, 0, 500, 0}},
    {"za", "", "", {0, 0, 500, 0}},
};

bool matches(const char *wanted, const QString &actual)
{
    return *wanted == '\0' || actual == QLatin1String(wanted);
}

} // namespace

Entry lookup(QLocale::Language language, QLocale::Script script, QLocale::Territory territory)
{
    if (language == QLocale::C) {
        language = QLocale::English;
        script = QLocale::LatinScript;
        territory = QLocale::UnitedStates;
    }
    const QString languageCode = QLocale::languageToCode(language);
    const QString scriptCode = QLocale::scriptToCode(script);
    const QString territoryCode = QLocale::territoryToCode(territory);

    // The row that names the most of script and territory wins over the plain one.
    const Row *best = nullptr;
    int bestScore = -1;
    for (const Row &row : rows) {
        if (languageCode != QLatin1String(row.language) || !matches(row.script, scriptCode)
            || !matches(row.territory, territoryCode))
            continue;
        const int score = (*row.territory ? 2 : 0) + (*row.script ? 1 : 0);
        if (score > bestScore) {
            best = &row;
            bestScore = score;
        }
    }
    return best ? best->pages : Entry {};
}

} // namespace Quorvex::LocaleCodePages
