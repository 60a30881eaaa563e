# SPDX-License-Identifier: LGPL-2.1-or-later
# The library's texts translated by hand, read by update-library-ts.py:
# (context, source, disambiguation, German, French). A source is a translation
# key, kept exactly (odd spellings and trailing spaces included). Rows for
# language and country names replace iso-codes' formal or list-style names
# ("Iran, Islamic Republic of") with the everyday ones a menu shows.

NBSP = "\u00a0"  # French puts one before ? and inside « »


def _rows(context, rows):
    return [(context, source, "", de, fr) for source, de, fr in rows]


def _code_pages(rows):
    """Rows of (English script or region, German, French, [code page names])."""
    out = []
    for english, de, fr, pages in rows:
        for page in pages:
            out.append(("CodePages", f"{english} ({page})", "", f"{de} ({page})", f"{fr} ({page})"))
    return out


TEXTS = []

TEXTS += _rows("Languages", [
    ("Moldavian", "Moldauisch", "Moldave"),
    ("Greek", "Griechisch", "Grec"),
    ("Gaelic Scots Gaelic", "Schottisches Gälisch", "Gaélique écossais"),
    ("Interlingua", "Interlingua", "Interlingua"),
    ("Interlingua (International Auxiliary Language Association)",
     "Interlingua", "Interlingua"),
    ("Occitan", "Okzitanisch", "Occitan"),
    ("Occitan (post 1500)", "Okzitanisch (nach 1500)", "Occitan (après 1500)"),
    ("Tonga", "Tongaisch", "Tongien"),
    ("Tonga (Tonga Islands)", "Tongaisch", "Tongien"),
    ("Bihari", "Bihari", "Bihari"),
    ("Frisian", "Friesisch", "Frison"),
    ("Cambodian", "Khmer", "Khmer"),
    ("Central Khmer", "Khmer", "Khmer"),
    ("Old Church Slavonic", "Kirchenslawisch", "Slavon d'église"),
    ("Greek, Modern (1453-)", "Neugriechisch", "Grec moderne"),
    ("Sesotho", "Sesotho", "Sesotho"),
    ("Sotho, Southern", "Sesotho", "Sesotho"),
    ("Spanish", "Spanisch", "Espagnol"),
    ("Uzbek", "Usbekisch", "Ouzbek"),
    ("Interlingue", "Interlingue", "Interlingue"),
    ("Ewe", "Ewe", "Éwé"),
    ("Norwegian Nynorsk", "Norwegisch (Nynorsk)", "Norvégien (nynorsk)"),
    ("Bokmål, Norwegian", "Norwegisch (Bokmål)", "Norvégien (bokmål)"),
    ("Kalaallisut", "Grönländisch", "Groenlandais"),
    ("Swahili", "Swahili", "Swahili"),
    ("Gujarati", "Gujarati", "Gujarati"),
    ("Kannada", "Kannada", "Kannada"),
])

TEXTS += _rows("Countries", [
    ("Former Czechoslovakia", "Ehemalige Tschechoslowakei", "Ex-Tchécoslovaquie"),
    ("France (European Territory) ", "Frankreich (europäisches Gebiet)",
     "France métropolitaine"),
    ("Former USSR", "Ehemalige Sowjetunion", "Ex-URSS"),
    ("Yugoslavia", "Jugoslawien", "Yougoslavie"),
    ("Zaire", "Zaire", "Zaïre"),
    ("Turkey", "Türkei", "Turquie"),
    ("Great Britain", "Großbritannien", "Grande-Bretagne"),
    ("Micronesia", "Mikronesien", "Micronésie"),
    ("Iran", "Iran", "Iran"),
    ("Laos", "Laos", "Laos"),
    ("Syria", "Syrien", "Syrie"),
    ("Taiwan", "Taiwan", "Taïwan"),
    ("Venezuela", "Venezuela", "Venezuela"),
    ("Saint Helena", "St. Helena", "Sainte-Hélène"),
    ("Reunion (French) ", "Réunion", "La Réunion"),
    ("Virgin Islands (USA)", "Amerikanische Jungferninseln", "Îles Vierges des États-Unis"),
    ("Ivory Coast (Cote D'Ivoire) ", "Elfenbeinküste", "Côte d'Ivoire"),
    ("USA Minor Outlying Islands", "Kleinere Amerikanische Überseeinseln",
     "Îles mineures éloignées des États-Unis"),
    ("Holy See (Vatican City State) ", "Vatikanstadt", "Vatican"),
    ("Cocos (Keeling) Islands", "Kokosinseln (Keelinginseln)", "Îles Cocos (Keeling)"),
    ("Christmas Island", "Weihnachtsinsel", "Île Christmas"),
    ("Falkland Islands (Malvinas)", "Falklandinseln (Malwinen)", "Îles Malouines (Falkland)"),
    ("Russian Federation", "Russische Föderation", "Fédération de Russie"),
    ("Greenland", "Grönland", "Groenland"),
    ("Equatorial Guinea", "Äquatorialguinea", "Guinée équatoriale"),
    ("Solomon Islands", "Salomonen", "Îles Salomon"),
    ("Saint Kitts & Nevis Anguilla", "St. Kitts und Nevis", "Saint-Christophe-et-Niévès"),
])

TEXTS += _code_pages([
    ("English", "Englisch", "Anglais", ["US-ASCII"]),
    ("Western", "Westeuropäisch", "Occidental",
     ["ISO-8859-1", "ISO-8859-15", "IBM-850", "Windows-1252", "MacRoman"]),
    ("Central European", "Mitteleuropäisch", "Europe centrale",
     ["ISO-8859-2", "IBM-852", "Windows-1250", "MacCE", "MS-DOS 852"]),
    ("South European", "Südeuropäisch", "Europe du Sud", ["ISO-8859-3"]),
    ("Baltic", "Baltisch", "Balte", ["ISO-8859-4", "ISO-8859-13", "Windows-1257"]),
    ("Cyrillic", "Kyrillisch", "Cyrillique",
     ["ISO-8859-5", "IBM-855", "Windows-1251", "MacCyrillic", "MS-DOS 855", "KOI8-R",
      "MS-DOS 866"]),
    ("Arabic", "Arabisch", "Arabe",
     ["ISO-8859-6", "ISO-8859-6-I", "ISO-8859-6-E", "IBM-864", "Windows-1256"]),
    ("Greek", "Griechisch", "Grec",
     ["ISO-8859-7", "Windows-1253", "MacGreek", "MS-DOS 737", "MS-DOS 869"]),
    ("Hebrew Visual", "Hebräisch, visuell", "Hébreu visuel", ["ISO-8859-8"]),
    ("Hebrew", "Hebräisch", "Hébreu",
     ["ISO-8859-8-I", "ISO-8859-8-E", "IBM-862", "Windows-1255"]),
    ("Turkish", "Türkisch", "Turc",
     ["ISO-8859-9", "IBM-857", "Windows-1254", "MacTurkish", "MS-DOS 857"]),
    ("Nordic", "Nordisch", "Nordique", ["ISO-8859-10"]),
    ("Thai", "Thailändisch", "Thaï", ["ISO-8859-11", "IBM-874", "Windows-874", "TIS-620"]),
    ("Celtic", "Keltisch", "Celtique", ["ISO-8859-14"]),
    ("Chinese", "Chinesisch", "Chinois", ["ISO-IR-165"]),
    ("Japanese", "Japanisch", "Japonais",
     ["ISO-2022-JP", "Shift_JIS", "EUC-JP", "EBCDIC-930"]),
    ("Chinese Simplified", "Chinesisch, vereinfacht", "Chinois simplifié",
     ["ISO-2022-CN", "GB2312", "HZ", "GBK", "GB18030"]),
    ("Chinese Traditional", "Chinesisch, traditionell", "Chinois traditionnel",
     ["Big5", "Big5-HKSCS", "EUC-TW"]),
    ("Korean", "Koreanisch", "Coréen", ["ISO-2022-KR", "UHC", "EUC-KR"]),
    ("Cyrillic/Russian", "Kyrillisch/Russisch", "Cyrillique/Russe", ["CP-866"]),
    ("Cyrillic/Ukrainian", "Kyrillisch/Ukrainisch", "Cyrillique/Ukrainien", ["KOI8-U"]),
    ("Vietnamese", "Vietnamesisch", "Vietnamien", ["Windows-1258"]),
    ("DOS Extended ASCII", "DOS, erweitertes ASCII", "DOS, ASCII étendu", ["437"]),
    ("Western European", "Westeuropäisch", "Europe occidentale", ["MS-DOS 850"]),
    ("Western European with Euro", "Westeuropäisch mit Euro",
     "Europe occidentale avec euro", ["MS-DOS 858"]),
    ("Unicode", "Unicode", "Unicode",
     ["UTF-7", "UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE", "UTF-32", "UTF-32LE", "UTF-32BE"]),
    ("Standard Compression Scheme for Unicode",
     "Standard-Komprimierungsschema für Unicode",
     "Schéma de compression standard pour Unicode", ["SCSU"]),
    ("Binary Ordered Compression for Unicode",
     "Binär geordnete Komprimierung für Unicode",
     "Compression binaire ordonnée pour Unicode", ["BOCU-1"]),
    ("Latin-1", "Latin-1", "Latin-1", ["EBCDIC-37", "EBCDIC-1047"]),
    ("Latin-1 with Euro", "Latin-1 mit Euro", "Latin-1 avec euro", ["EBCDIC-1140"]),
    ("Portuguese", "Portugiesisch", "Portugais", ["MS-DOS 860"]),
    ("Icelandic", "Isländisch", "Islandais", ["MS-DOS 861"]),
    ("French", "Französisch", "Français", ["MS-DOS 863"]),
    # "withough" is the key's own spelling.
    ("Nordic withough Icelandic", "Nordisch ohne Isländisch", "Nordique sans islandais",
     ["MS-DOS 865"]),
])
for _n in (1, 2, 3, 4, 5, 6, 8, 11, 16, 17, 18, 19):
    TEXTS.append(("CodePages", f"Lotus Multi-Byte Character Set {_n}", "",
                  f"Lotus-Multibyte-Zeichensatz {_n}", f"Jeu de caractères multioctet Lotus {_n}"))
TEXTS.append(("CodePages", "IMAP Mailbox Name", "", "IMAP-Postfachname", "Nom de boîte aux lettres IMAP"))

TEXTS += _rows("CodePageRegion", [
    ("West European", "Westeuropäisch", "Europe occidentale"),
    ("East European", "Osteuropäisch", "Europe orientale"),
    ("East Asian", "Ostasiatisch", "Asie orientale"),
    ("SE & SW Asian", "Südost- und Südwestasiatisch", "Asie du Sud-Est et du Sud-Ouest"),
    ("Middle Eastern", "Nahöstlich", "Moyen-Orient"),
    ("Unicode", "Unicode", "Unicode"),
    ("Miscellaneous", "Sonstige", "Divers"),
])

TEXTS += _rows("fileSize", [
    ("Bytes", "Byte", "octets"),
    ("KiloBytes", "Kilobyte", "kilooctets"),
    ("MegaBytes", "Megabyte", "mégaoctets"),
    ("GigaBytes", "Gigabyte", "gigaoctets"),
    ("TeraBytes", "Terabyte", "téraoctets"),
    ("PetaBytes", "Petabyte", "pétaoctets"),
    ("ExaBytes", "Exabyte", "exaoctets"),
    ("B", "B", "o"),
    ("KB", "KB", "Ko"),
    ("MB", "MB", "Mo"),
    ("GB", "GB", "Go"),
    ("TB", "TB", "To"),
    ("PB", "PB", "Po"),
    ("EB", "EB", "Eo"),
])

TEXTS += _rows("Audio Formats", [
    ("PCM", "PCM", "PCM"),
    ("ACPCM", "ACPCM", "ACPCM"),
    ("IEEE Float", "IEEE-Gleitkomma", "IEEE virgule flottante"),
    ("ALAW", "A-law", "A-law"),
    ("MULAW", "µ-law", "µ-law"),
    ("IMA4", "IMA4", "IMA4"),
    ("MPEG-1 Layer-2 (MP2)", "MPEG-1 Layer 2 (MP2)", "MPEG-1 Layer 2 (MP2)"),
    ("MPEG-1 Layer-3 (MP3)", "MPEG-1 Layer 3 (MP3)", "MPEG-1 Layer 3 (MP3)"),
    ("Advanced Audio Coding (AAC)", "Advanced Audio Coding (AAC)", "Advanced Audio Coding (AAC)"),
    ("Windows Media Audio (WMA)", "Windows Media Audio (WMA)", "Windows Media Audio (WMA)"),
    ("Dolby Digital (AC3/A52)", "Dolby Digital (AC3/A52)", "Dolby Digital (AC3/A52)"),
    ("Digital Theater System (DTS)", "Digital Theater System (DTS)",
     "Digital Theater System (DTS)"),
    ("Ogg Vorbis", "Ogg Vorbis", "Ogg Vorbis"),
    ("Unknown", "Unbekannt", "Inconnu"),
])

TEXTS += _rows("Audio Track Types", [
    ("Other", "Sonstige", "Autre"),
    ("Primary Feature", "Haupttonspur", "Piste principale"),
    ("Director Commentary", "Regiekommentar", "Commentaire du réalisateur"),
    ("Writer Commentary", "Kommentar der Drehbuchautoren", "Commentaire des scénaristes"),
    ("Producer Commentary", "Kommentar der Produzenten", "Commentaire des producteurs"),
    ("Cast Commentary", "Kommentar der Darsteller", "Commentaire des acteurs"),
    ("Critic Commentary", "Kritikerkommentar", "Commentaire critique"),
    ("Score Commentary", "Kommentar zur Filmmusik", "Commentaire sur la musique"),
    ("Production Designer Commentary", "Kommentar zum Szenenbild",
     "Commentaire du chef décorateur"),
    ("Special Effects Commentary", "Kommentar zu den Spezialeffekten",
     "Commentaire sur les effets spéciaux"),
    ("Fan Commentary", "Fan-Kommentar", "Commentaire de fans"),
    ("Other Commentary", "Sonstiger Kommentar", "Autre commentaire"),
    ("Isolated Score", "Filmmusik ohne Dialog", "Musique seule"),
    ("Soundtrack", "Soundtrack", "Bande originale"),
    ("Interview", "Interview", "Entretien"),
    ("For Visually Impaired", "Für Sehbehinderte", "Pour les malvoyants"),
    ("Alternate Director Commentary", "Alternativer Regiekommentar",
     "Autre commentaire du réalisateur"),
])

TEXTS += _rows("Subtitle Track Types", [
    ("Other", "Sonstige", "Autre"),
    ("Normal", "Normal", "Normal"),
    ("Letterbox", "Letterbox", "Letterbox"),
    ("Wide screen", "Breitbild", "Écran large"),
    ("Full screen", "Vollbild", "Plein écran"),
    ("Closed Captioned", "Für Hörgeschädigte", "Pour sourds et malentendants"),
    ("Forced", "Erzwungen", "Forcés"),
    ("Karaoke", "Karaoke", "Karaoké"),
    ("Not Specified", "Nicht angegeben", "Non précisé"),
    ("Large", "Groß", "Grands caractères"),
    ("Children", "Für Kinder", "Pour enfants"),
    ("Director Commentary", "Regiekommentar", "Commentaire du réalisateur"),
    ("Large Director Commentary", "Regiekommentar, groß",
     "Commentaire du réalisateur, grands caractères"),
    ("Director Commentary For Children", "Regiekommentar für Kinder",
     "Commentaire du réalisateur pour enfants"),
    ("Normal Captions", "Untertitel für Hörgeschädigte",
     "Sous-titres pour sourds et malentendants"),
    ("Large Captions", "Untertitel für Hörgeschädigte, groß",
     "Sous-titres pour sourds et malentendants, grands caractères"),
    ("Children's Captions", "Untertitel für Hörgeschädigte, für Kinder",
     "Sous-titres pour sourds et malentendants, pour enfants"),
])

# The formats keep their placeholders; "Track" is the only word.
for _source, _comment in [
        ("Track %1", "Track <counter>"), ("%1", "country"), ("%1", "lang"),
        ("%1 (%2)", "lang (country)"), ("Track %1 - %2", "Track <counter> - type"),
        ("%1 - %2", "country - type"), ("%1 - %2", "lang - type"),
        ("%1 (%2) - %3", "lang (country) - type"),
        ("Track %1 - %2", "Track <counter> - format"), ("%1 - %2", "country - format"),
        ("%1 - %2", "lang - format"), ("%1 (%2) - %3", "lang (country) - format"),
        ("Track %1 - %2 (%3)", "Track <counter> - type (format)"),
        ("%1 - %2 (%3)", "country - type (format)"), ("%1 - %2 (%3)", "lang - type (format)"),
        ("%1 (%2) - %3 (%4)", "lang (country) - type (format)")]:
    TEXTS.append(("Track Name Format", _source, _comment,
                  _source.replace("Track", "Spur"), _source.replace("Track", "Piste")))

_Q = ("\u201e", "\u201c")  # German „ “
_G = ("\u00ab" + NBSP, NBSP + "\u00bb")  # French « »
TEXTS += _rows("Quorvex::TransferWizard", [
    ("Video File Missing", "Videodatei fehlt", "Fichier vidéo manquant"),
    ("The video file \"%1\" appears to be missing.",
     f"Die Videodatei {_Q[0]}%1{_Q[1]} scheint zu fehlen.",
     f"Le fichier vidéo {_G[0]}%1{_G[1]} semble manquer."),
    ("Video Files Missing", "Videodateien fehlen", "Fichiers vidéo manquants"),
    ("None of the selected video files could be found.",
     "Keine der ausgewählten Videodateien wurde gefunden.",
     "Aucun des fichiers vidéo sélectionnés n'a été trouvé."),
    ("The video file \"%1\" appears to be missing.\n"
     "Would you like to transfer the remaining files?",
     f"Die Videodatei {_Q[0]}%1{_Q[1]} scheint zu fehlen.\n"
     "Möchten Sie die übrigen Dateien übertragen?",
     f"Le fichier vidéo {_G[0]}%1{_G[1]} semble manquer.\n"
     f"Voulez-vous transférer les autres fichiers{NBSP}?"),
    ("Some of the selected video files appear to be missing.\n"
     "Would you like to transfer the remaining files?",
     "Einige der ausgewählten Videodateien scheinen zu fehlen.\n"
     "Möchten Sie die übrigen Dateien übertragen?",
     "Certains des fichiers vidéo sélectionnés semblent manquer.\n"
     f"Voulez-vous transférer les autres fichiers{NBSP}?"),
])
