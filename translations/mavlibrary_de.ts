<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<!-- Written by tools/translations/update-library-ts.py; see its header. -->
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Audio Formats</name>
    <message>
        <source>PCM</source>
        <translation>PCM</translation>
    </message>
    <message>
        <source>ACPCM</source>
        <translation>ACPCM</translation>
    </message>
    <message>
        <source>IEEE Float</source>
        <translation>IEEE-Gleitkomma</translation>
    </message>
    <message>
        <source>ALAW</source>
        <translation>A-law</translation>
    </message>
    <message>
        <source>MULAW</source>
        <translation>µ-law</translation>
    </message>
    <message>
        <source>IMA4</source>
        <translation>IMA4</translation>
    </message>
    <message>
        <source>MPEG-1 Layer-2 (MP2)</source>
        <translation>MPEG-1 Layer 2 (MP2)</translation>
    </message>
    <message>
        <source>MPEG-1 Layer-3 (MP3)</source>
        <translation>MPEG-1 Layer 3 (MP3)</translation>
    </message>
    <message>
        <source>Advanced Audio Coding (AAC)</source>
        <translation>Advanced Audio Coding (AAC)</translation>
    </message>
    <message>
        <source>Windows Media Audio (WMA)</source>
        <translation>Windows Media Audio (WMA)</translation>
    </message>
    <message>
        <source>Dolby Digital (AC3/A52)</source>
        <translation>Dolby Digital (AC3/A52)</translation>
    </message>
    <message>
        <source>Digital Theater System (DTS)</source>
        <translation>Digital Theater System (DTS)</translation>
    </message>
    <message>
        <source>Ogg Vorbis</source>
        <translation>Ogg Vorbis</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>Audio Track Types</name>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
    <message>
        <source>Primary Feature</source>
        <translation>Haupttonspur</translation>
    </message>
    <message>
        <source>Director Commentary</source>
        <translation>Regiekommentar</translation>
    </message>
    <message>
        <source>Writer Commentary</source>
        <translation>Kommentar der Drehbuchautoren</translation>
    </message>
    <message>
        <source>Producer Commentary</source>
        <translation>Kommentar der Produzenten</translation>
    </message>
    <message>
        <source>Cast Commentary</source>
        <translation>Kommentar der Darsteller</translation>
    </message>
    <message>
        <source>Critic Commentary</source>
        <translation>Kritikerkommentar</translation>
    </message>
    <message>
        <source>Score Commentary</source>
        <translation>Kommentar zur Filmmusik</translation>
    </message>
    <message>
        <source>Production Designer Commentary</source>
        <translation>Kommentar zum Szenenbild</translation>
    </message>
    <message>
        <source>Special Effects Commentary</source>
        <translation>Kommentar zu den Spezialeffekten</translation>
    </message>
    <message>
        <source>Fan Commentary</source>
        <translation>Fan-Kommentar</translation>
    </message>
    <message>
        <source>Other Commentary</source>
        <translation>Sonstiger Kommentar</translation>
    </message>
    <message>
        <source>Isolated Score</source>
        <translation>Filmmusik ohne Dialog</translation>
    </message>
    <message>
        <source>Soundtrack</source>
        <translation>Soundtrack</translation>
    </message>
    <message>
        <source>Interview</source>
        <translation>Interview</translation>
    </message>
    <message>
        <source>For Visually Impaired</source>
        <translation>Für Sehbehinderte</translation>
    </message>
    <message>
        <source>Alternate Director Commentary</source>
        <translation>Alternativer Regiekommentar</translation>
    </message>
</context>
<context>
    <name>CodePageRegion</name>
    <message>
        <source>West European</source>
        <translation>Westeuropäisch</translation>
    </message>
    <message>
        <source>East European</source>
        <translation>Osteuropäisch</translation>
    </message>
    <message>
        <source>East Asian</source>
        <translation>Ostasiatisch</translation>
    </message>
    <message>
        <source>SE &amp; SW Asian</source>
        <translation>Südost- und Südwestasiatisch</translation>
    </message>
    <message>
        <source>Middle Eastern</source>
        <translation>Nahöstlich</translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation>Unicode</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>CodePages</name>
    <message>
        <source>English (US-ASCII)</source>
        <translation>Englisch (US-ASCII)</translation>
    </message>
    <message>
        <source>Western (ISO-8859-1)</source>
        <translation>Westeuropäisch (ISO-8859-1)</translation>
    </message>
    <message>
        <source>Central European (ISO-8859-2)</source>
        <translation>Mitteleuropäisch (ISO-8859-2)</translation>
    </message>
    <message>
        <source>South European (ISO-8859-3)</source>
        <translation>Südeuropäisch (ISO-8859-3)</translation>
    </message>
    <message>
        <source>Baltic (ISO-8859-4)</source>
        <translation>Baltisch (ISO-8859-4)</translation>
    </message>
    <message>
        <source>Cyrillic (ISO-8859-5)</source>
        <translation>Kyrillisch (ISO-8859-5)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6)</source>
        <translation>Arabisch (ISO-8859-6)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6-I)</source>
        <translation>Arabisch (ISO-8859-6-I)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6-E)</source>
        <translation>Arabisch (ISO-8859-6-E)</translation>
    </message>
    <message>
        <source>Greek (ISO-8859-7)</source>
        <translation>Griechisch (ISO-8859-7)</translation>
    </message>
    <message>
        <source>Hebrew Visual (ISO-8859-8)</source>
        <translation>Hebräisch, visuell (ISO-8859-8)</translation>
    </message>
    <message>
        <source>Hebrew (ISO-8859-8-I)</source>
        <translation>Hebräisch (ISO-8859-8-I)</translation>
    </message>
    <message>
        <source>Hebrew (ISO-8859-8-E)</source>
        <translation>Hebräisch (ISO-8859-8-E)</translation>
    </message>
    <message>
        <source>Turkish (ISO-8859-9)</source>
        <translation>Türkisch (ISO-8859-9)</translation>
    </message>
    <message>
        <source>Nordic (ISO-8859-10)</source>
        <translation>Nordisch (ISO-8859-10)</translation>
    </message>
    <message>
        <source>Thai (ISO-8859-11)</source>
        <translation>Thailändisch (ISO-8859-11)</translation>
    </message>
    <message>
        <source>Baltic (ISO-8859-13)</source>
        <translation>Baltisch (ISO-8859-13)</translation>
    </message>
    <message>
        <source>Celtic (ISO-8859-14)</source>
        <translation>Keltisch (ISO-8859-14)</translation>
    </message>
    <message>
        <source>Western (ISO-8859-15)</source>
        <translation>Westeuropäisch (ISO-8859-15)</translation>
    </message>
    <message>
        <source>Chinese (ISO-IR-165)</source>
        <translation>Chinesisch (ISO-IR-165)</translation>
    </message>
    <message>
        <source>Japanese (ISO-2022-JP)</source>
        <translation>Japanisch (ISO-2022-JP)</translation>
    </message>
    <message>
        <source>Chinese Simplified (ISO-2022-CN)</source>
        <translation>Chinesisch, vereinfacht (ISO-2022-CN)</translation>
    </message>
    <message>
        <source>Korean (ISO-2022-KR)</source>
        <translation>Koreanisch (ISO-2022-KR)</translation>
    </message>
    <message>
        <source>Western (IBM-850)</source>
        <translation>Westeuropäisch (IBM-850)</translation>
    </message>
    <message>
        <source>Central European (IBM-852)</source>
        <translation>Mitteleuropäisch (IBM-852)</translation>
    </message>
    <message>
        <source>Cyrillic (IBM-855)</source>
        <translation>Kyrillisch (IBM-855)</translation>
    </message>
    <message>
        <source>Turkish (IBM-857)</source>
        <translation>Türkisch (IBM-857)</translation>
    </message>
    <message>
        <source>Hebrew (IBM-862)</source>
        <translation>Hebräisch (IBM-862)</translation>
    </message>
    <message>
        <source>Arabic (IBM-864)</source>
        <translation>Arabisch (IBM-864)</translation>
    </message>
    <message>
        <source>Cyrillic/Russian (CP-866)</source>
        <translation>Kyrillisch/Russisch (CP-866)</translation>
    </message>
    <message>
        <source>Thai (IBM-874)</source>
        <translation>Thailändisch (IBM-874)</translation>
    </message>
    <message>
        <source>Thai (Windows-874)</source>
        <translation>Thailändisch (Windows-874)</translation>
    </message>
    <message>
        <source>Korean (UHC)</source>
        <translation>Koreanisch (UHC)</translation>
    </message>
    <message>
        <source>Central European (Windows-1250)</source>
        <translation>Mitteleuropäisch (Windows-1250)</translation>
    </message>
    <message>
        <source>Cyrillic (Windows-1251)</source>
        <translation>Kyrillisch (Windows-1251)</translation>
    </message>
    <message>
        <source>Western (Windows-1252)</source>
        <translation>Westeuropäisch (Windows-1252)</translation>
    </message>
    <message>
        <source>Greek (Windows-1253)</source>
        <translation>Griechisch (Windows-1253)</translation>
    </message>
    <message>
        <source>Turkish (Windows-1254)</source>
        <translation>Türkisch (Windows-1254)</translation>
    </message>
    <message>
        <source>DOS Extended ASCII (437)</source>
        <translation>DOS, erweitertes ASCII (437)</translation>
    </message>
    <message>
        <source>Greek (MS-DOS 737)</source>
        <translation>Griechisch (MS-DOS 737)</translation>
    </message>
    <message>
        <source>Western European (MS-DOS 850)</source>
        <translation>Westeuropäisch (MS-DOS 850)</translation>
    </message>
    <message>
        <source>Central European (MS-DOS 852)</source>
        <translation>Mitteleuropäisch (MS-DOS 852)</translation>
    </message>
    <message>
        <source>Cyrillic (MS-DOS 855)</source>
        <translation>Kyrillisch (MS-DOS 855)</translation>
    </message>
    <message>
        <source>Turkish (MS-DOS 857)</source>
        <translation>Türkisch (MS-DOS 857)</translation>
    </message>
    <message>
        <source>Hebrew (Windows-1255)</source>
        <translation>Hebräisch (Windows-1255)</translation>
    </message>
    <message>
        <source>Arabic (Windows-1256)</source>
        <translation>Arabisch (Windows-1256)</translation>
    </message>
    <message>
        <source>Baltic (Windows-1257)</source>
        <translation>Baltisch (Windows-1257)</translation>
    </message>
    <message>
        <source>Vietnamese (Windows-1258)</source>
        <translation>Vietnamesisch (Windows-1258)</translation>
    </message>
    <message>
        <source>Western (MacRoman)</source>
        <translation>Westeuropäisch (MacRoman)</translation>
    </message>
    <message>
        <source>Central European (MacCE)</source>
        <translation>Mitteleuropäisch (MacCE)</translation>
    </message>
    <message>
        <source>Turkish (MacTurkish)</source>
        <translation>Türkisch (MacTurkish)</translation>
    </message>
    <message>
        <source>Cyrillic (MacCyrillic)</source>
        <translation>Kyrillisch (MacCyrillic)</translation>
    </message>
    <message>
        <source>Greek (MacGreek)</source>
        <translation>Griechisch (MacGreek)</translation>
    </message>
    <message>
        <source>Japanese (Shift_JIS)</source>
        <translation>Japanisch (Shift_JIS)</translation>
    </message>
    <message>
        <source>Japanese (EUC-JP)</source>
        <translation>Japanisch (EUC-JP)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big5)</source>
        <translation>Chinesisch, traditionell (Big5)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big5-HKSCS)</source>
        <translation>Chinesisch, traditionell (Big5-HKSCS)</translation>
    </message>
    <message>
        <source>Chinese Traditional (EUC-TW)</source>
        <translation>Chinesisch, traditionell (EUC-TW)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB2312)</source>
        <translation>Chinesisch, vereinfacht (GB2312)</translation>
    </message>
    <message>
        <source>Chinese Simplified (HZ)</source>
        <translation>Chinesisch, vereinfacht (HZ)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GBK)</source>
        <translation>Chinesisch, vereinfacht (GBK)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB18030)</source>
        <translation>Chinesisch, vereinfacht (GB18030)</translation>
    </message>
    <message>
        <source>Korean (EUC-KR)</source>
        <translation>Koreanisch (EUC-KR)</translation>
    </message>
    <message>
        <source>Unicode (UTF-7)</source>
        <translation>Unicode (UTF-7)</translation>
    </message>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16)</source>
        <translation>Unicode (UTF-16)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16LE)</source>
        <translation>Unicode (UTF-16LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-16BE)</source>
        <translation>Unicode (UTF-16BE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32)</source>
        <translation>Unicode (UTF-32)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32LE)</source>
        <translation>Unicode (UTF-32LE)</translation>
    </message>
    <message>
        <source>Unicode (UTF-32BE)</source>
        <translation>Unicode (UTF-32BE)</translation>
    </message>
    <message>
        <source>Standard Compression Scheme for Unicode (SCSU)</source>
        <translation>Standard-Komprimierungsschema für Unicode (SCSU)</translation>
    </message>
    <message>
        <source>Binary Ordered Compression for Unicode (BOCU-1)</source>
        <translation>Binär geordnete Komprimierung für Unicode (BOCU-1)</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 1</source>
        <translation>Lotus-Multibyte-Zeichensatz 1</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 2</source>
        <translation>Lotus-Multibyte-Zeichensatz 2</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 3</source>
        <translation>Lotus-Multibyte-Zeichensatz 3</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 4</source>
        <translation>Lotus-Multibyte-Zeichensatz 4</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 5</source>
        <translation>Lotus-Multibyte-Zeichensatz 5</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 6</source>
        <translation>Lotus-Multibyte-Zeichensatz 6</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 8</source>
        <translation>Lotus-Multibyte-Zeichensatz 8</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 11</source>
        <translation>Lotus-Multibyte-Zeichensatz 11</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 16</source>
        <translation>Lotus-Multibyte-Zeichensatz 16</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 17</source>
        <translation>Lotus-Multibyte-Zeichensatz 17</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 18</source>
        <translation>Lotus-Multibyte-Zeichensatz 18</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 19</source>
        <translation>Lotus-Multibyte-Zeichensatz 19</translation>
    </message>
    <message>
        <source>IMAP Mailbox Name</source>
        <translation>IMAP-Postfachname</translation>
    </message>
    <message>
        <source>Cyrillic (KOI8-R)</source>
        <translation>Kyrillisch (KOI8-R)</translation>
    </message>
    <message>
        <source>Cyrillic/Ukrainian (KOI8-U)</source>
        <translation>Kyrillisch/Ukrainisch (KOI8-U)</translation>
    </message>
    <message>
        <source>Thai (TIS-620)</source>
        <translation>Thailändisch (TIS-620)</translation>
    </message>
    <message>
        <source>Latin-1 (EBCDIC-37)</source>
        <translation>Latin-1 (EBCDIC-37)</translation>
    </message>
    <message>
        <source>Japanese (EBCDIC-930)</source>
        <translation>Japanisch (EBCDIC-930)</translation>
    </message>
    <message>
        <source>Latin-1 (EBCDIC-1047)</source>
        <translation>Latin-1 (EBCDIC-1047)</translation>
    </message>
    <message>
        <source>Latin-1 with Euro (EBCDIC-1140)</source>
        <translation>Latin-1 mit Euro (EBCDIC-1140)</translation>
    </message>
    <message>
        <source>Western European with Euro (MS-DOS 858)</source>
        <translation>Westeuropäisch mit Euro (MS-DOS 858)</translation>
    </message>
    <message>
        <source>Portuguese (MS-DOS 860)</source>
        <translation>Portugiesisch (MS-DOS 860)</translation>
    </message>
    <message>
        <source>Icelandic (MS-DOS 861)</source>
        <translation>Isländisch (MS-DOS 861)</translation>
    </message>
    <message>
        <source>French (MS-DOS 863)</source>
        <translation>Französisch (MS-DOS 863)</translation>
    </message>
    <message>
        <source>Nordic withough Icelandic (MS-DOS 865)</source>
        <translation>Nordisch ohne Isländisch (MS-DOS 865)</translation>
    </message>
    <message>
        <source>Cyrillic (MS-DOS 866)</source>
        <translation>Kyrillisch (MS-DOS 866)</translation>
    </message>
    <message>
        <source>Greek (MS-DOS 869)</source>
        <translation>Griechisch (MS-DOS 869)</translation>
    </message>
</context>
<context>
    <name>Countries</name>
    <message>
        <source>Andorra, Principality of</source>
        <translation>Andorra</translation>
    </message>
    <message>
        <source>United Arab Emirates</source>
        <translation>Vereinigte Arabische Emirate</translation>
    </message>
    <message>
        <source>Afghanistan, Islamic State of</source>
        <translation>Afghanistan</translation>
    </message>
    <message>
        <source>Antigua and Barbuda</source>
        <translation>Antigua und Barbuda</translation>
    </message>
    <message>
        <source>Anguilla</source>
        <translation>Anguilla</translation>
    </message>
    <message>
        <source>Albania</source>
        <translation>Albanien</translation>
    </message>
    <message>
        <source>Armenia</source>
        <translation>Armenien</translation>
    </message>
    <message>
        <source>Netherlands Antilles</source>
        <translation>Niederländische Antillen</translation>
    </message>
    <message>
        <source>Angola</source>
        <translation>Angola</translation>
    </message>
    <message>
        <source>Antarctica</source>
        <translation>Antarktis</translation>
    </message>
    <message>
        <source>Argentina</source>
        <translation>Argentinien</translation>
    </message>
    <message>
        <source>American Samoa</source>
        <translation>Amerikanisch-Samoa</translation>
    </message>
    <message>
        <source>Austria</source>
        <translation>Österreich</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>Australien</translation>
    </message>
    <message>
        <source>Aruba</source>
        <translation>Aruba</translation>
    </message>
    <message>
        <source>Azerbaidjan</source>
        <translation>Aserbaidschan</translation>
    </message>
    <message>
        <source>Bosnia-Herzegovina</source>
        <translation>Bosnien und Herzegowina</translation>
    </message>
    <message>
        <source>Barbados</source>
        <translation>Barbados</translation>
    </message>
    <message>
        <source>Bangladesh</source>
        <translation>Bangladesch</translation>
    </message>
    <message>
        <source>Belgium</source>
        <translation>Belgien</translation>
    </message>
    <message>
        <source>Burkina Faso</source>
        <translation>Burkina Faso</translation>
    </message>
    <message>
        <source>Bulgaria</source>
        <translation>Bulgarien</translation>
    </message>
    <message>
        <source>Bahrain</source>
        <translation>Bahrain</translation>
    </message>
    <message>
        <source>Burundi</source>
        <translation>Burundi</translation>
    </message>
    <message>
        <source>Benin</source>
        <translation>Benin</translation>
    </message>
    <message>
        <source>Bermuda</source>
        <translation>Bermuda</translation>
    </message>
    <message>
        <source>Brunei Darussalam</source>
        <translation>Brunei Darussalam</translation>
    </message>
    <message>
        <source>Bolivia</source>
        <translation>Bolivien</translation>
    </message>
    <message>
        <source>Brazil</source>
        <translation>Brasilien</translation>
    </message>
    <message>
        <source>Bahamas</source>
        <translation>Bahamas</translation>
    </message>
    <message>
        <source>Bhutan</source>
        <translation>Bhutan</translation>
    </message>
    <message>
        <source>Bouvet Island</source>
        <translation>Bouvet-Insel</translation>
    </message>
    <message>
        <source>Botswana</source>
        <translation>Botsuana</translation>
    </message>
    <message>
        <source>Belarus</source>
        <translation>Belarus</translation>
    </message>
    <message>
        <source>Belize</source>
        <translation>Belize</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Kanada</translation>
    </message>
    <message>
        <source>Cocos (Keeling) Islands</source>
        <translation>Kokosinseln (Keelinginseln)</translation>
    </message>
    <message>
        <source>Central African Republic</source>
        <translation>Zentralafrikanische Republik</translation>
    </message>
    <message>
        <source>Congo, The Democratic Republic of the</source>
        <translation>Demokratische Republik Kongo</translation>
    </message>
    <message>
        <source>Congo</source>
        <translation>Kongo</translation>
    </message>
    <message>
        <source>Switzerland</source>
        <translation>Schweiz</translation>
    </message>
    <message>
        <source>Ivory Coast (Cote D&apos;Ivoire) </source>
        <translation>Elfenbeinküste</translation>
    </message>
    <message>
        <source>Cook Islands</source>
        <translation>Cookinseln</translation>
    </message>
    <message>
        <source>Chile</source>
        <translation>Chile</translation>
    </message>
    <message>
        <source>Cameroon</source>
        <translation>Kamerun</translation>
    </message>
    <message>
        <source>China</source>
        <translation>China</translation>
    </message>
    <message>
        <source>Colombia</source>
        <translation>Kolumbien</translation>
    </message>
    <message>
        <source>Costa Rica</source>
        <translation>Costa Rica</translation>
    </message>
    <message>
        <source>Former Czechoslovakia</source>
        <translation>Ehemalige Tschechoslowakei</translation>
    </message>
    <message>
        <source>Cuba</source>
        <translation>Kuba</translation>
    </message>
    <message>
        <source>Cabo Verde</source>
        <translation>Kap Verde</translation>
    </message>
    <message>
        <source>Christmas Island</source>
        <translation>Weihnachtsinsel</translation>
    </message>
    <message>
        <source>Cyprus</source>
        <translation>Zypern</translation>
    </message>
    <message>
        <source>Czechia</source>
        <translation>Tschechien</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Deutschland</translation>
    </message>
    <message>
        <source>Djibouti</source>
        <translation>Dschibuti</translation>
    </message>
    <message>
        <source>Denmark</source>
        <translation>Dänemark</translation>
    </message>
    <message>
        <source>Dominica</source>
        <translation>Dominica</translation>
    </message>
    <message>
        <source>Dominican Republic</source>
        <translation>Dominikanische Republik</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>Algerien</translation>
    </message>
    <message>
        <source>Ecuador</source>
        <translation>Ecuador</translation>
    </message>
    <message>
        <source>Estonia</source>
        <translation>Estland</translation>
    </message>
    <message>
        <source>Egypt</source>
        <translation>Ägypten</translation>
    </message>
    <message>
        <source>Western Sahara</source>
        <translation>Westsahara</translation>
    </message>
    <message>
        <source>Eritrea</source>
        <translation>Eritrea</translation>
    </message>
    <message>
        <source>Spain</source>
        <translation>Spanien</translation>
    </message>
    <message>
        <source>Ethiopia</source>
        <translation>Äthiopien</translation>
    </message>
    <message>
        <source>Finland</source>
        <translation>Finnland</translation>
    </message>
    <message>
        <source>Fiji</source>
        <translation>Fidschi</translation>
    </message>
    <message>
        <source>Falkland Islands (Malvinas)</source>
        <translation>Falklandinseln (Malwinen)</translation>
    </message>
    <message>
        <source>Micronesia</source>
        <translation>Mikronesien</translation>
    </message>
    <message>
        <source>Faroe Islands</source>
        <translation>Färöer-Inseln</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Frankreich</translation>
    </message>
    <message>
        <source>France (European Territory) </source>
        <translation>Frankreich (europäisches Gebiet)</translation>
    </message>
    <message>
        <source>Gabon</source>
        <translation>Gabun</translation>
    </message>
    <message>
        <source>Great Britain</source>
        <translation>Großbritannien</translation>
    </message>
    <message>
        <source>Grenada</source>
        <translation>Grenada</translation>
    </message>
    <message>
        <source>Georgia</source>
        <translation>Georgien</translation>
    </message>
    <message>
        <source>French Guiana</source>
        <translation>Französisch-Guyana</translation>
    </message>
    <message>
        <source>Ghana</source>
        <translation>Ghana</translation>
    </message>
    <message>
        <source>Gibraltar</source>
        <translation>Gibraltar</translation>
    </message>
    <message>
        <source>Greenland</source>
        <translation>Grönland</translation>
    </message>
    <message>
        <source>Gambia</source>
        <translation>Gambia</translation>
    </message>
    <message>
        <source>Guinea</source>
        <translation>Guinea</translation>
    </message>
    <message>
        <source>Guadeloupe (French) </source>
        <translation>Guadeloupe</translation>
    </message>
    <message>
        <source>Equatorial Guinea</source>
        <translation>Äquatorialguinea</translation>
    </message>
    <message>
        <source>Greece</source>
        <translation>Griechenland</translation>
    </message>
    <message>
        <source>S. Georgia &amp; S. Sandwich Isls. </source>
        <translation>South Georgia und die Südlichen Sandwichinseln</translation>
    </message>
    <message>
        <source>Guatemala</source>
        <translation>Guatemala</translation>
    </message>
    <message>
        <source>Guam (USA) </source>
        <translation>Guam</translation>
    </message>
    <message>
        <source>Guinea-Bissau</source>
        <translation>Guinea-Bissau</translation>
    </message>
    <message>
        <source>Guyana</source>
        <translation>Guyana</translation>
    </message>
    <message>
        <source>Hong Kong</source>
        <translation>Hongkong</translation>
    </message>
    <message>
        <source>Heard Island and McDonald Islands</source>
        <translation>Heard und McDonaldinseln</translation>
    </message>
    <message>
        <source>Honduras</source>
        <translation>Honduras</translation>
    </message>
    <message>
        <source>Croatia</source>
        <translation>Kroatien</translation>
    </message>
    <message>
        <source>Haiti</source>
        <translation>Haiti</translation>
    </message>
    <message>
        <source>Hungary</source>
        <translation>Ungarn</translation>
    </message>
    <message>
        <source>Indonesia</source>
        <translation>Indonesien</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irland</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israel</translation>
    </message>
    <message>
        <source>India</source>
        <translation>Indien</translation>
    </message>
    <message>
        <source>British Indian Ocean Territory</source>
        <translation>Britisches Territorium im Indischen Ozean</translation>
    </message>
    <message>
        <source>Iraq</source>
        <translation>Irak</translation>
    </message>
    <message>
        <source>Iran</source>
        <translation>Iran</translation>
    </message>
    <message>
        <source>Iceland</source>
        <translation>Island</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Jamaica</source>
        <translation>Jamaika</translation>
    </message>
    <message>
        <source>Jordan</source>
        <translation>Jordanien</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japan</translation>
    </message>
    <message>
        <source>Kenya</source>
        <translation>Kenia</translation>
    </message>
    <message>
        <source>Kyrgyz Republic (Kyrgyzstan) </source>
        <translation>Kirgisistan</translation>
    </message>
    <message>
        <source>Cambodia, Kingdom of</source>
        <translation>Kambodscha</translation>
    </message>
    <message>
        <source>Kiribati</source>
        <translation>Kiribati</translation>
    </message>
    <message>
        <source>Comoros</source>
        <translation>Komoren</translation>
    </message>
    <message>
        <source>Saint Kitts &amp; Nevis Anguilla</source>
        <translation>St. Kitts und Nevis</translation>
    </message>
    <message>
        <source>North Korea</source>
        <translation>Nordkorea</translation>
    </message>
    <message>
        <source>South Korea</source>
        <translation>Südkorea</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>Kuwait</translation>
    </message>
    <message>
        <source>Cayman Islands</source>
        <translation>Cayman-Inseln</translation>
    </message>
    <message>
        <source>Kazakhstan</source>
        <translation>Kasachstan</translation>
    </message>
    <message>
        <source>Laos</source>
        <translation>Laos</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>Libanon</translation>
    </message>
    <message>
        <source>Saint Lucia</source>
        <translation>St. Lucia</translation>
    </message>
    <message>
        <source>Liechtenstein</source>
        <translation>Liechtenstein</translation>
    </message>
    <message>
        <source>Sri Lanka</source>
        <translation>Sri Lanka</translation>
    </message>
    <message>
        <source>Liberia</source>
        <translation>Liberia</translation>
    </message>
    <message>
        <source>Lesotho</source>
        <translation>Lesotho</translation>
    </message>
    <message>
        <source>Lithuania</source>
        <translation>Litauen</translation>
    </message>
    <message>
        <source>Luxembourg</source>
        <translation>Luxemburg</translation>
    </message>
    <message>
        <source>Latvia</source>
        <translation>Lettland</translation>
    </message>
    <message>
        <source>Libya</source>
        <translation>Libyen</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>Marokko</translation>
    </message>
    <message>
        <source>Monaco</source>
        <translation>Monaco</translation>
    </message>
    <message>
        <source>Moldavia</source>
        <translation>Moldau</translation>
    </message>
    <message>
        <source>Madagascar</source>
        <translation>Madagaskar</translation>
    </message>
    <message>
        <source>Marshall Islands</source>
        <translation>Marshallinseln</translation>
    </message>
    <message>
        <source>North Macedonia</source>
        <translation>Nordmazedonien</translation>
    </message>
    <message>
        <source>Mali</source>
        <translation>Mali</translation>
    </message>
    <message>
        <source>Myanmar</source>
        <translation>Myanmar</translation>
    </message>
    <message>
        <source>Mongolia</source>
        <translation>Mongolei</translation>
    </message>
    <message>
        <source>Macao</source>
        <translation>Macao</translation>
    </message>
    <message>
        <source>Northern Mariana Islands</source>
        <translation>Nördliche Marianen</translation>
    </message>
    <message>
        <source>Martinique (French) </source>
        <translation>Martinique</translation>
    </message>
    <message>
        <source>Mauritania</source>
        <translation>Mauretanien</translation>
    </message>
    <message>
        <source>Montserrat</source>
        <translation>Montserrat</translation>
    </message>
    <message>
        <source>Malta</source>
        <translation>Malta</translation>
    </message>
    <message>
        <source>Mauritius</source>
        <translation>Mauritius</translation>
    </message>
    <message>
        <source>Maldives</source>
        <translation>Malediven</translation>
    </message>
    <message>
        <source>Malawi</source>
        <translation>Malawi</translation>
    </message>
    <message>
        <source>Mexico</source>
        <translation>Mexiko</translation>
    </message>
    <message>
        <source>Malaysia</source>
        <translation>Malaysia</translation>
    </message>
    <message>
        <source>Mozambique</source>
        <translation>Mosambik</translation>
    </message>
    <message>
        <source>Namibia</source>
        <translation>Namibia</translation>
    </message>
    <message>
        <source>New Caledonia (French) </source>
        <translation>Neukaledonien</translation>
    </message>
    <message>
        <source>Niger</source>
        <translation>Niger</translation>
    </message>
    <message>
        <source>Norfolk Island</source>
        <translation>Norfolkinsel</translation>
    </message>
    <message>
        <source>Nigeria</source>
        <translation>Nigeria</translation>
    </message>
    <message>
        <source>Nicaragua</source>
        <translation>Nicaragua</translation>
    </message>
    <message>
        <source>Netherlands</source>
        <translation>Niederlande</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norwegen</translation>
    </message>
    <message>
        <source>Nepal</source>
        <translation>Nepal</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Neutral Zone</source>
        <translation>Neutrale Zone</translation>
    </message>
    <message>
        <source>Niue</source>
        <translation>Niue</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>Neuseeland</translation>
    </message>
    <message>
        <source>Oman</source>
        <translation>Oman</translation>
    </message>
    <message>
        <source>Panama</source>
        <translation>Panama</translation>
    </message>
    <message>
        <source>Peru</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>Polynesia (French) </source>
        <translation>Französisch-Polynesien</translation>
    </message>
    <message>
        <source>Papua New Guinea</source>
        <translation>Papua-Neuguinea</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>Philippinen</translation>
    </message>
    <message>
        <source>Pakistan</source>
        <translation>Pakistan</translation>
    </message>
    <message>
        <source>Poland</source>
        <translation>Polen</translation>
    </message>
    <message>
        <source>Saint Pierre and Miquelon</source>
        <translation>St. Pierre und Miquelon</translation>
    </message>
    <message>
        <source>Pitcairn</source>
        <translation>Pitcairn</translation>
    </message>
    <message>
        <source>Puerto Rico</source>
        <translation>Puerto Rico</translation>
    </message>
    <message>
        <source>Portugal</source>
        <translation>Portugal</translation>
    </message>
    <message>
        <source>Palau</source>
        <translation>Palau</translation>
    </message>
    <message>
        <source>Paraguay</source>
        <translation>Paraguay</translation>
    </message>
    <message>
        <source>Qatar</source>
        <translation>Katar</translation>
    </message>
    <message>
        <source>Reunion (French) </source>
        <translation>Réunion</translation>
    </message>
    <message>
        <source>Romania</source>
        <translation>Rumänien</translation>
    </message>
    <message>
        <source>Russian Federation</source>
        <translation>Russische Föderation</translation>
    </message>
    <message>
        <source>Rwanda</source>
        <translation>Ruanda</translation>
    </message>
    <message>
        <source>Saudi Arabia</source>
        <translation>Saudi-Arabien</translation>
    </message>
    <message>
        <source>Solomon Islands</source>
        <translation>Salomonen</translation>
    </message>
    <message>
        <source>Seychelles</source>
        <translation>Seychellen</translation>
    </message>
    <message>
        <source>Sudan</source>
        <translation>Sudan</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Schweden</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>Singapur</translation>
    </message>
    <message>
        <source>Saint Helena</source>
        <translation>St. Helena</translation>
    </message>
    <message>
        <source>Slovenia</source>
        <translation>Slowenien</translation>
    </message>
    <message>
        <source>Svalbard and Jan Mayen</source>
        <translation>Svalbard und Jan Mayen</translation>
    </message>
    <message>
        <source>Slovak Republic</source>
        <translation>Slowakische Republik</translation>
    </message>
    <message>
        <source>Sierra Leone</source>
        <translation>Sierra Leone</translation>
    </message>
    <message>
        <source>San Marino</source>
        <translation>San Marino</translation>
    </message>
    <message>
        <source>Senegal</source>
        <translation>Senegal</translation>
    </message>
    <message>
        <source>Somalia</source>
        <translation>Somalia</translation>
    </message>
    <message>
        <source>Suriname</source>
        <translation>Suriname</translation>
    </message>
    <message>
        <source>Saint Tome (Sao Tome) and Principe</source>
        <translation>São Tomé und Príncipe</translation>
    </message>
    <message>
        <source>Former USSR</source>
        <translation>Ehemalige Sowjetunion</translation>
    </message>
    <message>
        <source>El Salvador</source>
        <translation>El Salvador</translation>
    </message>
    <message>
        <source>Syria</source>
        <translation>Syrien</translation>
    </message>
    <message>
        <source>Eswatini</source>
        <translation>Eswatini</translation>
    </message>
    <message>
        <source>Turks and Caicos Islands</source>
        <translation>Turks- und Caicosinseln</translation>
    </message>
    <message>
        <source>Chad</source>
        <translation>Tschad</translation>
    </message>
    <message>
        <source>French Southern Territories</source>
        <translation>Französische Süd- und Antarktisgebiete</translation>
    </message>
    <message>
        <source>Togo</source>
        <translation>Togo</translation>
    </message>
    <message>
        <source>Thailand</source>
        <translation>Thailand</translation>
    </message>
    <message>
        <source>Tadjikistan</source>
        <translation>Tadschikistan</translation>
    </message>
    <message>
        <source>Tokelau</source>
        <translation>Tokelau</translation>
    </message>
    <message>
        <source>Turkmenistan</source>
        <translation>Turkmenistan</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>Tunesien</translation>
    </message>
    <message>
        <source>Tonga</source>
        <translation>Tonga</translation>
    </message>
    <message>
        <source>East Timor</source>
        <translation>Osttimor</translation>
    </message>
    <message>
        <source>Turkey</source>
        <translation>Türkei</translation>
    </message>
    <message>
        <source>Trinidad and Tobago</source>
        <translation>Trinidad und Tobago</translation>
    </message>
    <message>
        <source>Tuvalu</source>
        <translation>Tuvalu</translation>
    </message>
    <message>
        <source>Taiwan</source>
        <translation>Taiwan</translation>
    </message>
    <message>
        <source>Tanzania</source>
        <translation>Tansania</translation>
    </message>
    <message>
        <source>Ukraine</source>
        <translation>Ukraine</translation>
    </message>
    <message>
        <source>Uganda</source>
        <translation>Uganda</translation>
    </message>
    <message>
        <source>United Kingdom</source>
        <translation>Vereinigtes Königreich</translation>
    </message>
    <message>
        <source>USA Minor Outlying Islands</source>
        <translation>Kleinere Amerikanische Überseeinseln</translation>
    </message>
    <message>
        <source>United States</source>
        <translation>Vereinigte Staaten</translation>
    </message>
    <message>
        <source>Uruguay</source>
        <translation>Uruguay</translation>
    </message>
    <message>
        <source>Uzbekistan</source>
        <translation>Usbekistan</translation>
    </message>
    <message>
        <source>Holy See (Vatican City State) </source>
        <translation>Vatikanstadt</translation>
    </message>
    <message>
        <source>Saint Vincent and the Grenadines</source>
        <translation>St. Vincent und die Grenadinen</translation>
    </message>
    <message>
        <source>Venezuela</source>
        <translation>Venezuela</translation>
    </message>
    <message>
        <source>Virgin Islands (British)</source>
        <translation>Britische Jungferninseln</translation>
    </message>
    <message>
        <source>Virgin Islands (USA)</source>
        <translation>Amerikanische Jungferninseln</translation>
    </message>
    <message>
        <source>Vietnam</source>
        <translation>Vietnam</translation>
    </message>
    <message>
        <source>Vanuatu</source>
        <translation>Vanuatu</translation>
    </message>
    <message>
        <source>Wallis and Futuna</source>
        <translation>Wallis und Futuna</translation>
    </message>
    <message>
        <source>Samoa</source>
        <translation>Samoa</translation>
    </message>
    <message>
        <source>Yemen</source>
        <translation>Jemen</translation>
    </message>
    <message>
        <source>Mayotte</source>
        <translation>Mayotte</translation>
    </message>
    <message>
        <source>Yugoslavia</source>
        <translation>Jugoslawien</translation>
    </message>
    <message>
        <source>South Africa</source>
        <translation>Südafrika</translation>
    </message>
    <message>
        <source>Zambia</source>
        <translation>Sambia</translation>
    </message>
    <message>
        <source>Zaire</source>
        <translation>Zaire</translation>
    </message>
    <message>
        <source>Zimbabwe</source>
        <translation>Simbabwe</translation>
    </message>
</context>
<context>
    <name>Languages</name>
    <message>
        <source>Afar</source>
        <translation>Afar</translation>
    </message>
    <message>
        <source>Abkhazian</source>
        <translation>Abchasisch</translation>
    </message>
    <message>
        <source>Afrikaans</source>
        <translation>Afrikaans</translation>
    </message>
    <message>
        <source>Amharic</source>
        <translation>Amharisch</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>Arabisch</translation>
    </message>
    <message>
        <source>Assamese</source>
        <translation>Assamesisch</translation>
    </message>
    <message>
        <source>Aymara</source>
        <translation>Aymara</translation>
    </message>
    <message>
        <source>Azerbaijani</source>
        <translation>Aserbaidschanisch</translation>
    </message>
    <message>
        <source>Bashkir</source>
        <translation>Baschkirisch</translation>
    </message>
    <message>
        <source>Byelorussian</source>
        <translation>Weißrussisch</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>Bulgarisch</translation>
    </message>
    <message>
        <source>Bihari</source>
        <translation>Bihari</translation>
    </message>
    <message>
        <source>Bislama</source>
        <translation>Bislama</translation>
    </message>
    <message>
        <source>Bengali Bangla</source>
        <translation>Bengalisch</translation>
    </message>
    <message>
        <source>Tibetan</source>
        <translation>Tibetisch</translation>
    </message>
    <message>
        <source>Breton</source>
        <translation>Bretonisch</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Katalanisch</translation>
    </message>
    <message>
        <source>Corsican</source>
        <translation>Korsisch</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>Tschechisch</translation>
    </message>
    <message>
        <source>Welsh</source>
        <translation>Walisisch</translation>
    </message>
    <message>
        <source>Danish</source>
        <translation>Dänisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Bhutani</source>
        <translation>Dzongkha</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>Griechisch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Esperanto</source>
        <translation>Esperanto</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Estonian</source>
        <translation>Estnisch</translation>
    </message>
    <message>
        <source>Basque</source>
        <translation>Baskisch</translation>
    </message>
    <message>
        <source>Persian</source>
        <translation>Persisch</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>Finnisch</translation>
    </message>
    <message>
        <source>Fiji</source>
        <translation>Fidschianisch</translation>
    </message>
    <message>
        <source>Faeroese</source>
        <translation>Färöisch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>Frisian</source>
        <translation>Friesisch</translation>
    </message>
    <message>
        <source>Irish</source>
        <translation>Irisch</translation>
    </message>
    <message>
        <source>Gaelic Scots Gaelic</source>
        <translation>Schottisches Gälisch</translation>
    </message>
    <message>
        <source>Galician</source>
        <translation>Galizisch</translation>
    </message>
    <message>
        <source>Guarani</source>
        <translation>Guaraní</translation>
    </message>
    <message>
        <source>Gujarati</source>
        <translation>Gujarati</translation>
    </message>
    <message>
        <source>Hausa</source>
        <translation>Haussa</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>Hindi</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>Kroatisch</translation>
    </message>
    <message>
        <source>Hungarian</source>
        <translation>Ungarisch</translation>
    </message>
    <message>
        <source>Armenian</source>
        <translation>Armenisch</translation>
    </message>
    <message>
        <source>Interlingua</source>
        <translation>Interlingua</translation>
    </message>
    <message>
        <source>Interlingue</source>
        <translation>Interlingue</translation>
    </message>
    <message>
        <source>Inupiak</source>
        <translation>Inupiaq</translation>
    </message>
    <message>
        <source>Indonesian</source>
        <translation>Indonesisch</translation>
    </message>
    <message>
        <source>Icelandic</source>
        <translation>Isländisch</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italienisch</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>Hebräisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>Yiddish</source>
        <translation>Jiddisch</translation>
    </message>
    <message>
        <source>Javanese</source>
        <translation>Javanisch</translation>
    </message>
    <message>
        <source>Georgian</source>
        <translation>Georgisch</translation>
    </message>
    <message>
        <source>Kazakh</source>
        <translation>Kasachisch</translation>
    </message>
    <message>
        <source>Kalaallisut</source>
        <translation>Grönländisch</translation>
    </message>
    <message>
        <source>Cambodian</source>
        <translation>Khmer</translation>
    </message>
    <message>
        <source>Kannada</source>
        <translation>Kannada</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>Koreanisch</translation>
    </message>
    <message>
        <source>Kashmiri</source>
        <translation>Kaschmirisch</translation>
    </message>
    <message>
        <source>Kurdish</source>
        <translation>Kurdisch</translation>
    </message>
    <message>
        <source>Kirghiz</source>
        <translation>Kirgisisch</translation>
    </message>
    <message>
        <source>Latin</source>
        <translation>Lateinisch</translation>
    </message>
    <message>
        <source>Lingala</source>
        <translation>Lingala</translation>
    </message>
    <message>
        <source>Laothian</source>
        <translation>Laotisch</translation>
    </message>
    <message>
        <source>Lithuanian</source>
        <translation>Litauisch</translation>
    </message>
    <message>
        <source>Latvian Lettish</source>
        <translation>Lettisch</translation>
    </message>
    <message>
        <source>Malagasy</source>
        <translation>Malagasi</translation>
    </message>
    <message>
        <source>Maori</source>
        <translation>Maori</translation>
    </message>
    <message>
        <source>Macedonian</source>
        <translation>Makedonisch</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>Malayalam</translation>
    </message>
    <message>
        <source>Mongolian</source>
        <translation>Mongolisch</translation>
    </message>
    <message>
        <source>Moldavian</source>
        <translation>Moldauisch</translation>
    </message>
    <message>
        <source>Marathi</source>
        <translation>Marathi</translation>
    </message>
    <message>
        <source>Malay</source>
        <translation>Malaiisch</translation>
    </message>
    <message>
        <source>Maltese</source>
        <translation>Maltesisch</translation>
    </message>
    <message>
        <source>Burmese</source>
        <translation>Burmesisch</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Nepali</source>
        <translation>Nepali</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Niederländisch</translation>
    </message>
    <message>
        <source>Norwegian</source>
        <translation>Norwegisch</translation>
    </message>
    <message>
        <source>Occitan</source>
        <translation>Okzitanisch</translation>
    </message>
    <message>
        <source>Oromo Afan</source>
        <translation>Oromo</translation>
    </message>
    <message>
        <source>Oriya</source>
        <translation>Oriya</translation>
    </message>
    <message>
        <source>Punjabi</source>
        <translation>Panjabi</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polnisch</translation>
    </message>
    <message>
        <source>Pashto Pushto</source>
        <translation>Paschtunisch</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugiesisch</translation>
    </message>
    <message>
        <source>Quechua</source>
        <translation>Quechua</translation>
    </message>
    <message>
        <source>Rhaeto-Romance</source>
        <translation>Bündnerromanisch</translation>
    </message>
    <message>
        <source>Kirundi</source>
        <translation>Kirundi</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>Rumänisch</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russisch</translation>
    </message>
    <message>
        <source>Kinyarwanda</source>
        <translation>Kinyarwanda</translation>
    </message>
    <message>
        <source>Sanskrit</source>
        <translation>Sanskrit</translation>
    </message>
    <message>
        <source>Sindhi</source>
        <translation>Sindhi</translation>
    </message>
    <message>
        <source>Sangro</source>
        <translation>Sango</translation>
    </message>
    <message>
        <source>Serbo-Croatian</source>
        <translation>Serbokroatisch</translation>
    </message>
    <message>
        <source>Singhalese</source>
        <translation>Singhalesisch</translation>
    </message>
    <message>
        <source>Slovak</source>
        <translation>Slowakisch</translation>
    </message>
    <message>
        <source>Slovenian</source>
        <translation>Slowenisch</translation>
    </message>
    <message>
        <source>Samoan</source>
        <translation>Samoanisch</translation>
    </message>
    <message>
        <source>Shona</source>
        <translation>Schona</translation>
    </message>
    <message>
        <source>Somali</source>
        <translation>Somali</translation>
    </message>
    <message>
        <source>Albanian</source>
        <translation>Albanisch</translation>
    </message>
    <message>
        <source>Serbian</source>
        <translation>Serbisch</translation>
    </message>
    <message>
        <source>Siswati</source>
        <translation>Swazi</translation>
    </message>
    <message>
        <source>Sesotho</source>
        <translation>Sesotho</translation>
    </message>
    <message>
        <source>Sudanese</source>
        <translation>Sundanesisch</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>Schwedisch</translation>
    </message>
    <message>
        <source>Swahili</source>
        <translation>Swahili</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>Tamilisch</translation>
    </message>
    <message>
        <source>Tegulu</source>
        <translation>Telugu</translation>
    </message>
    <message>
        <source>Tajik</source>
        <translation>Tadschikisch</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>Thai</translation>
    </message>
    <message>
        <source>Tigrinya</source>
        <translation>Tigrinja</translation>
    </message>
    <message>
        <source>Turkmen</source>
        <translation>Turkmenisch</translation>
    </message>
    <message>
        <source>Tagalog</source>
        <translation>Tagalog</translation>
    </message>
    <message>
        <source>Setswana</source>
        <translation>Tswana</translation>
    </message>
    <message>
        <source>Tonga</source>
        <translation>Tongaisch</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Türkisch</translation>
    </message>
    <message>
        <source>Tsonga</source>
        <translation>Tsonga</translation>
    </message>
    <message>
        <source>Tatar</source>
        <translation>Tatarisch</translation>
    </message>
    <message>
        <source>Twi</source>
        <translation>Twi</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>Ukrainisch</translation>
    </message>
    <message>
        <source>Urdu</source>
        <translation>Urdu</translation>
    </message>
    <message>
        <source>Uzbek</source>
        <translation>Usbekisch</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>Vietnamesisch</translation>
    </message>
    <message>
        <source>Volapuk</source>
        <translation>Volapük</translation>
    </message>
    <message>
        <source>Wolof</source>
        <translation>Wolof</translation>
    </message>
    <message>
        <source>Xhosa</source>
        <translation>Xhosa</translation>
    </message>
    <message>
        <source>Yoruba</source>
        <translation>Joruba</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
    <message>
        <source>Zulu</source>
        <translation>Zulu</translation>
    </message>
    <message>
        <source>Akan</source>
        <translation>Akan</translation>
    </message>
    <message>
        <source>Aragonese</source>
        <translation>Aragonesisch</translation>
    </message>
    <message>
        <source>Avaric</source>
        <translation>Awarisch</translation>
    </message>
    <message>
        <source>Avestan</source>
        <translation>Avestisch</translation>
    </message>
    <message>
        <source>Bambara</source>
        <translation>Bambara</translation>
    </message>
    <message>
        <source>Belarusian</source>
        <translation>Weißrussisch</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>Bengalisch</translation>
    </message>
    <message>
        <source>Bosnian</source>
        <translation>Bosnisch</translation>
    </message>
    <message>
        <source>Chamorro</source>
        <translation>Chamorro</translation>
    </message>
    <message>
        <source>Chechen</source>
        <translation>Tschetschenisch</translation>
    </message>
    <message>
        <source>Old Church Slavonic</source>
        <translation>Kirchenslawisch</translation>
    </message>
    <message>
        <source>Chuvash</source>
        <translation>Tschuwaschisch</translation>
    </message>
    <message>
        <source>Cornish</source>
        <translation>Kornisch</translation>
    </message>
    <message>
        <source>Cree</source>
        <translation>Cree</translation>
    </message>
    <message>
        <source>Maldivian</source>
        <translation>Dhivehi</translation>
    </message>
    <message>
        <source>Dzongkha</source>
        <translation>Dzongkha</translation>
    </message>
    <message>
        <source>Ewe</source>
        <translation>Ewe</translation>
    </message>
    <message>
        <source>Faroese</source>
        <translation>Färöisch</translation>
    </message>
    <message>
        <source>Fijian</source>
        <translation>Fidschianisch</translation>
    </message>
    <message>
        <source>Western Frisian</source>
        <translation>Westfriesisch</translation>
    </message>
    <message>
        <source>Fulah</source>
        <translation>Ful</translation>
    </message>
    <message>
        <source>Gaelic</source>
        <translation>Gälisch</translation>
    </message>
    <message>
        <source>Manx</source>
        <translation>Manx</translation>
    </message>
    <message>
        <source>Greek, Modern (1453-)</source>
        <translation>Neugriechisch</translation>
    </message>
    <message>
        <source>Haitian</source>
        <translation>Haitianisch</translation>
    </message>
    <message>
        <source>Herero</source>
        <translation>Herero</translation>
    </message>
    <message>
        <source>Hiri Motu</source>
        <translation>Hiri-Motu</translation>
    </message>
    <message>
        <source>Igbo</source>
        <translation>Ibo</translation>
    </message>
    <message>
        <source>Ido</source>
        <translation>Ido</translation>
    </message>
    <message>
        <source>Sichuan Yi</source>
        <translation>Sichuan Yi</translation>
    </message>
    <message>
        <source>Inuktitut</source>
        <translation>Inuktitut</translation>
    </message>
    <message>
        <source>Interlingua (International Auxiliary Language Association)</source>
        <translation>Interlingua</translation>
    </message>
    <message>
        <source>Inupiaq</source>
        <translation>Inupiaq</translation>
    </message>
    <message>
        <source>Kanuri</source>
        <translation>Kanuri</translation>
    </message>
    <message>
        <source>Central Khmer</source>
        <translation>Khmer</translation>
    </message>
    <message>
        <source>Kikuyu</source>
        <translation>Kikuyu</translation>
    </message>
    <message>
        <source>Komi</source>
        <translation>Komi</translation>
    </message>
    <message>
        <source>Kongo</source>
        <translation>Kongo</translation>
    </message>
    <message>
        <source>Kuanyama</source>
        <translation>Kwanyama</translation>
    </message>
    <message>
        <source>Lao</source>
        <translation>Laotisch</translation>
    </message>
    <message>
        <source>Latvian</source>
        <translation>Lettisch</translation>
    </message>
    <message>
        <source>Limburgan</source>
        <translation>Limburgisch</translation>
    </message>
    <message>
        <source>Luxembourgish</source>
        <translation>Luxemburgisch</translation>
    </message>
    <message>
        <source>Luba-Katanga</source>
        <translation>Luba-Katanga</translation>
    </message>
    <message>
        <source>Ganda</source>
        <translation>Ganda</translation>
    </message>
    <message>
        <source>Marshallese</source>
        <translation>Marschallesisch</translation>
    </message>
    <message>
        <source>Navajo</source>
        <translation>Navajo</translation>
    </message>
    <message>
        <source>Ndebele, South</source>
        <translation>Süd-Ndebele</translation>
    </message>
    <message>
        <source>Ndebele, North</source>
        <translation>Nord-Ndebele</translation>
    </message>
    <message>
        <source>Ndonga</source>
        <translation>Ndonga</translation>
    </message>
    <message>
        <source>Norwegian Nynorsk</source>
        <translation>Norwegisch (Nynorsk)</translation>
    </message>
    <message>
        <source>Bokmål, Norwegian</source>
        <translation>Norwegisch (Bokmål)</translation>
    </message>
    <message>
        <source>Chichewa</source>
        <translation>Chichewa</translation>
    </message>
    <message>
        <source>Occitan (post 1500)</source>
        <translation>Okzitanisch (nach 1500)</translation>
    </message>
    <message>
        <source>Ojibwa</source>
        <translation>Ojibwa</translation>
    </message>
    <message>
        <source>Oromo</source>
        <translation>Oromo</translation>
    </message>
    <message>
        <source>Ossetian</source>
        <translation>Ossetisch</translation>
    </message>
    <message>
        <source>Pali</source>
        <translation>Pali</translation>
    </message>
    <message>
        <source>Pashto</source>
        <translation>Paschtunisch</translation>
    </message>
    <message>
        <source>Romansh</source>
        <translation>Bündnerromanisch</translation>
    </message>
    <message>
        <source>Rundi</source>
        <translation>Kirundi</translation>
    </message>
    <message>
        <source>Sango</source>
        <translation>Sango</translation>
    </message>
    <message>
        <source>Sinhalese</source>
        <translation>Singhalesisch</translation>
    </message>
    <message>
        <source>Northern Sami</source>
        <translation>Nord-Samisch</translation>
    </message>
    <message>
        <source>Sotho, Southern</source>
        <translation>Sesotho</translation>
    </message>
    <message>
        <source>Sardinian</source>
        <translation>Sardisch</translation>
    </message>
    <message>
        <source>Swati</source>
        <translation>Swazi</translation>
    </message>
    <message>
        <source>Sundanese</source>
        <translation>Sundanesisch</translation>
    </message>
    <message>
        <source>Tahitian</source>
        <translation>Tahitisch</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>Telugu</translation>
    </message>
    <message>
        <source>Tonga (Tonga Islands)</source>
        <translation>Tongaisch</translation>
    </message>
    <message>
        <source>Tswana</source>
        <translation>Tswana</translation>
    </message>
    <message>
        <source>Uighur</source>
        <translation>Uigurisch</translation>
    </message>
    <message>
        <source>Venda</source>
        <translation>Venda</translation>
    </message>
    <message>
        <source>Volap?k</source>
        <translation>Volapük</translation>
    </message>
    <message>
        <source>Walloon</source>
        <translation>Wallonisch</translation>
    </message>
    <message>
        <source>Zhuang</source>
        <translation>Zhuang</translation>
    </message>
</context>
<context>
    <name>Quorvex::TransferWizard</name>
    <message>
        <source>Video File Missing</source>
        <translation>Videodatei fehlt</translation>
    </message>
    <message>
        <source>The video file &quot;%1&quot; appears to be missing.</source>
        <translation>Die Videodatei „%1“ scheint zu fehlen.</translation>
    </message>
    <message>
        <source>Video Files Missing</source>
        <translation>Videodateien fehlen</translation>
    </message>
    <message>
        <source>None of the selected video files could be found.</source>
        <translation>Keine der ausgewählten Videodateien wurde gefunden.</translation>
    </message>
    <message>
        <source>The video file &quot;%1&quot; appears to be missing.
Would you like to transfer the remaining files?</source>
        <translation>Die Videodatei „%1“ scheint zu fehlen.
Möchten Sie die übrigen Dateien übertragen?</translation>
    </message>
    <message>
        <source>Some of the selected video files appear to be missing.
Would you like to transfer the remaining files?</source>
        <translation>Einige der ausgewählten Videodateien scheinen zu fehlen.
Möchten Sie die übrigen Dateien übertragen?</translation>
    </message>
</context>
<context>
    <name>Subtitle Track Types</name>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Letterbox</source>
        <translation>Letterbox</translation>
    </message>
    <message>
        <source>Wide screen</source>
        <translation>Breitbild</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Closed Captioned</source>
        <translation>Für Hörgeschädigte</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Erzwungen</translation>
    </message>
    <message>
        <source>Karaoke</source>
        <translation>Karaoke</translation>
    </message>
    <message>
        <source>Not Specified</source>
        <translation>Nicht angegeben</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Children</source>
        <translation>Für Kinder</translation>
    </message>
    <message>
        <source>Director Commentary</source>
        <translation>Regiekommentar</translation>
    </message>
    <message>
        <source>Large Director Commentary</source>
        <translation>Regiekommentar, groß</translation>
    </message>
    <message>
        <source>Director Commentary For Children</source>
        <translation>Regiekommentar für Kinder</translation>
    </message>
    <message>
        <source>Normal Captions</source>
        <translation>Untertitel für Hörgeschädigte</translation>
    </message>
    <message>
        <source>Large Captions</source>
        <translation>Untertitel für Hörgeschädigte, groß</translation>
    </message>
    <message>
        <source>Children&apos;s Captions</source>
        <translation>Untertitel für Hörgeschädigte, für Kinder</translation>
    </message>
</context>
<context>
    <name>Track Name Format</name>
    <message>
        <source>Track %1</source>
        <comment>Track &lt;counter&gt;</comment>
        <translation>Spur %1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>country</comment>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>lang</comment>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>lang (country)</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Track %1 - %2</source>
        <comment>Track &lt;counter&gt; - type</comment>
        <translation>Spur %1 - %2</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>country - type</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>lang - type</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 (%2) - %3</source>
        <comment>lang (country) - type</comment>
        <translation>%1 (%2) - %3</translation>
    </message>
    <message>
        <source>Track %1 - %2</source>
        <comment>Track &lt;counter&gt; - format</comment>
        <translation>Spur %1 - %2</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>country - format</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <comment>lang - format</comment>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>%1 (%2) - %3</source>
        <comment>lang (country) - format</comment>
        <translation>%1 (%2) - %3</translation>
    </message>
    <message>
        <source>Track %1 - %2 (%3)</source>
        <comment>Track &lt;counter&gt; - type (format)</comment>
        <translation>Spur %1 - %2 (%3)</translation>
    </message>
    <message>
        <source>%1 - %2 (%3)</source>
        <comment>country - type (format)</comment>
        <translation>%1 - %2 (%3)</translation>
    </message>
    <message>
        <source>%1 - %2 (%3)</source>
        <comment>lang - type (format)</comment>
        <translation>%1 - %2 (%3)</translation>
    </message>
    <message>
        <source>%1 (%2) - %3 (%4)</source>
        <comment>lang (country) - type (format)</comment>
        <translation>%1 (%2) - %3 (%4)</translation>
    </message>
</context>
<context>
    <name>fileSize</name>
    <message>
        <source>Bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>KiloBytes</source>
        <translation>Kilobyte</translation>
    </message>
    <message>
        <source>MegaBytes</source>
        <translation>Megabyte</translation>
    </message>
    <message>
        <source>GigaBytes</source>
        <translation>Gigabyte</translation>
    </message>
    <message>
        <source>TeraBytes</source>
        <translation>Terabyte</translation>
    </message>
    <message>
        <source>PetaBytes</source>
        <translation>Petabyte</translation>
    </message>
    <message>
        <source>ExaBytes</source>
        <translation>Exabyte</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
</context>
</TS>
