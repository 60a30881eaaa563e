<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<!-- Written by tools/translations/update-library-ts.py; see its header. -->
<TS version="2.1" language="fr_FR" sourcelanguage="en">
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
        <translation>IEEE virgule flottante</translation>
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
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>Audio Track Types</name>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>Primary Feature</source>
        <translation>Piste principale</translation>
    </message>
    <message>
        <source>Director Commentary</source>
        <translation>Commentaire du réalisateur</translation>
    </message>
    <message>
        <source>Writer Commentary</source>
        <translation>Commentaire des scénaristes</translation>
    </message>
    <message>
        <source>Producer Commentary</source>
        <translation>Commentaire des producteurs</translation>
    </message>
    <message>
        <source>Cast Commentary</source>
        <translation>Commentaire des acteurs</translation>
    </message>
    <message>
        <source>Critic Commentary</source>
        <translation>Commentaire critique</translation>
    </message>
    <message>
        <source>Score Commentary</source>
        <translation>Commentaire sur la musique</translation>
    </message>
    <message>
        <source>Production Designer Commentary</source>
        <translation>Commentaire du chef décorateur</translation>
    </message>
    <message>
        <source>Special Effects Commentary</source>
        <translation>Commentaire sur les effets spéciaux</translation>
    </message>
    <message>
        <source>Fan Commentary</source>
        <translation>Commentaire de fans</translation>
    </message>
    <message>
        <source>Other Commentary</source>
        <translation>Autre commentaire</translation>
    </message>
    <message>
        <source>Isolated Score</source>
        <translation>Musique seule</translation>
    </message>
    <message>
        <source>Soundtrack</source>
        <translation>Bande originale</translation>
    </message>
    <message>
        <source>Interview</source>
        <translation>Entretien</translation>
    </message>
    <message>
        <source>For Visually Impaired</source>
        <translation>Pour les malvoyants</translation>
    </message>
    <message>
        <source>Alternate Director Commentary</source>
        <translation>Autre commentaire du réalisateur</translation>
    </message>
</context>
<context>
    <name>CodePageRegion</name>
    <message>
        <source>West European</source>
        <translation>Europe occidentale</translation>
    </message>
    <message>
        <source>East European</source>
        <translation>Europe orientale</translation>
    </message>
    <message>
        <source>East Asian</source>
        <translation>Asie orientale</translation>
    </message>
    <message>
        <source>SE &amp; SW Asian</source>
        <translation>Asie du Sud-Est et du Sud-Ouest</translation>
    </message>
    <message>
        <source>Middle Eastern</source>
        <translation>Moyen-Orient</translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation>Unicode</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Divers</translation>
    </message>
</context>
<context>
    <name>CodePages</name>
    <message>
        <source>English (US-ASCII)</source>
        <translation>Anglais (US-ASCII)</translation>
    </message>
    <message>
        <source>Western (ISO-8859-1)</source>
        <translation>Occidental (ISO-8859-1)</translation>
    </message>
    <message>
        <source>Central European (ISO-8859-2)</source>
        <translation>Europe centrale (ISO-8859-2)</translation>
    </message>
    <message>
        <source>South European (ISO-8859-3)</source>
        <translation>Europe du Sud (ISO-8859-3)</translation>
    </message>
    <message>
        <source>Baltic (ISO-8859-4)</source>
        <translation>Balte (ISO-8859-4)</translation>
    </message>
    <message>
        <source>Cyrillic (ISO-8859-5)</source>
        <translation>Cyrillique (ISO-8859-5)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6)</source>
        <translation>Arabe (ISO-8859-6)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6-I)</source>
        <translation>Arabe (ISO-8859-6-I)</translation>
    </message>
    <message>
        <source>Arabic (ISO-8859-6-E)</source>
        <translation>Arabe (ISO-8859-6-E)</translation>
    </message>
    <message>
        <source>Greek (ISO-8859-7)</source>
        <translation>Grec (ISO-8859-7)</translation>
    </message>
    <message>
        <source>Hebrew Visual (ISO-8859-8)</source>
        <translation>Hébreu visuel (ISO-8859-8)</translation>
    </message>
    <message>
        <source>Hebrew (ISO-8859-8-I)</source>
        <translation>Hébreu (ISO-8859-8-I)</translation>
    </message>
    <message>
        <source>Hebrew (ISO-8859-8-E)</source>
        <translation>Hébreu (ISO-8859-8-E)</translation>
    </message>
    <message>
        <source>Turkish (ISO-8859-9)</source>
        <translation>Turc (ISO-8859-9)</translation>
    </message>
    <message>
        <source>Nordic (ISO-8859-10)</source>
        <translation>Nordique (ISO-8859-10)</translation>
    </message>
    <message>
        <source>Thai (ISO-8859-11)</source>
        <translation>Thaï (ISO-8859-11)</translation>
    </message>
    <message>
        <source>Baltic (ISO-8859-13)</source>
        <translation>Balte (ISO-8859-13)</translation>
    </message>
    <message>
        <source>Celtic (ISO-8859-14)</source>
        <translation>Celtique (ISO-8859-14)</translation>
    </message>
    <message>
        <source>Western (ISO-8859-15)</source>
        <translation>Occidental (ISO-8859-15)</translation>
    </message>
    <message>
        <source>Chinese (ISO-IR-165)</source>
        <translation>Chinois (ISO-IR-165)</translation>
    </message>
    <message>
        <source>Japanese (ISO-2022-JP)</source>
        <translation>Japonais (ISO-2022-JP)</translation>
    </message>
    <message>
        <source>Chinese Simplified (ISO-2022-CN)</source>
        <translation>Chinois simplifié (ISO-2022-CN)</translation>
    </message>
    <message>
        <source>Korean (ISO-2022-KR)</source>
        <translation>Coréen (ISO-2022-KR)</translation>
    </message>
    <message>
        <source>Western (IBM-850)</source>
        <translation>Occidental (IBM-850)</translation>
    </message>
    <message>
        <source>Central European (IBM-852)</source>
        <translation>Europe centrale (IBM-852)</translation>
    </message>
    <message>
        <source>Cyrillic (IBM-855)</source>
        <translation>Cyrillique (IBM-855)</translation>
    </message>
    <message>
        <source>Turkish (IBM-857)</source>
        <translation>Turc (IBM-857)</translation>
    </message>
    <message>
        <source>Hebrew (IBM-862)</source>
        <translation>Hébreu (IBM-862)</translation>
    </message>
    <message>
        <source>Arabic (IBM-864)</source>
        <translation>Arabe (IBM-864)</translation>
    </message>
    <message>
        <source>Cyrillic/Russian (CP-866)</source>
        <translation>Cyrillique/Russe (CP-866)</translation>
    </message>
    <message>
        <source>Thai (IBM-874)</source>
        <translation>Thaï (IBM-874)</translation>
    </message>
    <message>
        <source>Thai (Windows-874)</source>
        <translation>Thaï (Windows-874)</translation>
    </message>
    <message>
        <source>Korean (UHC)</source>
        <translation>Coréen (UHC)</translation>
    </message>
    <message>
        <source>Central European (Windows-1250)</source>
        <translation>Europe centrale (Windows-1250)</translation>
    </message>
    <message>
        <source>Cyrillic (Windows-1251)</source>
        <translation>Cyrillique (Windows-1251)</translation>
    </message>
    <message>
        <source>Western (Windows-1252)</source>
        <translation>Occidental (Windows-1252)</translation>
    </message>
    <message>
        <source>Greek (Windows-1253)</source>
        <translation>Grec (Windows-1253)</translation>
    </message>
    <message>
        <source>Turkish (Windows-1254)</source>
        <translation>Turc (Windows-1254)</translation>
    </message>
    <message>
        <source>DOS Extended ASCII (437)</source>
        <translation>DOS, ASCII étendu (437)</translation>
    </message>
    <message>
        <source>Greek (MS-DOS 737)</source>
        <translation>Grec (MS-DOS 737)</translation>
    </message>
    <message>
        <source>Western European (MS-DOS 850)</source>
        <translation>Europe occidentale (MS-DOS 850)</translation>
    </message>
    <message>
        <source>Central European (MS-DOS 852)</source>
        <translation>Europe centrale (MS-DOS 852)</translation>
    </message>
    <message>
        <source>Cyrillic (MS-DOS 855)</source>
        <translation>Cyrillique (MS-DOS 855)</translation>
    </message>
    <message>
        <source>Turkish (MS-DOS 857)</source>
        <translation>Turc (MS-DOS 857)</translation>
    </message>
    <message>
        <source>Hebrew (Windows-1255)</source>
        <translation>Hébreu (Windows-1255)</translation>
    </message>
    <message>
        <source>Arabic (Windows-1256)</source>
        <translation>Arabe (Windows-1256)</translation>
    </message>
    <message>
        <source>Baltic (Windows-1257)</source>
        <translation>Balte (Windows-1257)</translation>
    </message>
    <message>
        <source>Vietnamese (Windows-1258)</source>
        <translation>Vietnamien (Windows-1258)</translation>
    </message>
    <message>
        <source>Western (MacRoman)</source>
        <translation>Occidental (MacRoman)</translation>
    </message>
    <message>
        <source>Central European (MacCE)</source>
        <translation>Europe centrale (MacCE)</translation>
    </message>
    <message>
        <source>Turkish (MacTurkish)</source>
        <translation>Turc (MacTurkish)</translation>
    </message>
    <message>
        <source>Cyrillic (MacCyrillic)</source>
        <translation>Cyrillique (MacCyrillic)</translation>
    </message>
    <message>
        <source>Greek (MacGreek)</source>
        <translation>Grec (MacGreek)</translation>
    </message>
    <message>
        <source>Japanese (Shift_JIS)</source>
        <translation>Japonais (Shift_JIS)</translation>
    </message>
    <message>
        <source>Japanese (EUC-JP)</source>
        <translation>Japonais (EUC-JP)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big5)</source>
        <translation>Chinois traditionnel (Big5)</translation>
    </message>
    <message>
        <source>Chinese Traditional (Big5-HKSCS)</source>
        <translation>Chinois traditionnel (Big5-HKSCS)</translation>
    </message>
    <message>
        <source>Chinese Traditional (EUC-TW)</source>
        <translation>Chinois traditionnel (EUC-TW)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB2312)</source>
        <translation>Chinois simplifié (GB2312)</translation>
    </message>
    <message>
        <source>Chinese Simplified (HZ)</source>
        <translation>Chinois simplifié (HZ)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GBK)</source>
        <translation>Chinois simplifié (GBK)</translation>
    </message>
    <message>
        <source>Chinese Simplified (GB18030)</source>
        <translation>Chinois simplifié (GB18030)</translation>
    </message>
    <message>
        <source>Korean (EUC-KR)</source>
        <translation>Coréen (EUC-KR)</translation>
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
        <translation>Schéma de compression standard pour Unicode (SCSU)</translation>
    </message>
    <message>
        <source>Binary Ordered Compression for Unicode (BOCU-1)</source>
        <translation>Compression binaire ordonnée pour Unicode (BOCU-1)</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 1</source>
        <translation>Jeu de caractères multioctet Lotus 1</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 2</source>
        <translation>Jeu de caractères multioctet Lotus 2</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 3</source>
        <translation>Jeu de caractères multioctet Lotus 3</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 4</source>
        <translation>Jeu de caractères multioctet Lotus 4</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 5</source>
        <translation>Jeu de caractères multioctet Lotus 5</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 6</source>
        <translation>Jeu de caractères multioctet Lotus 6</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 8</source>
        <translation>Jeu de caractères multioctet Lotus 8</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 11</source>
        <translation>Jeu de caractères multioctet Lotus 11</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 16</source>
        <translation>Jeu de caractères multioctet Lotus 16</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 17</source>
        <translation>Jeu de caractères multioctet Lotus 17</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 18</source>
        <translation>Jeu de caractères multioctet Lotus 18</translation>
    </message>
    <message>
        <source>Lotus Multi-Byte Character Set 19</source>
        <translation>Jeu de caractères multioctet Lotus 19</translation>
    </message>
    <message>
        <source>IMAP Mailbox Name</source>
        <translation>Nom de boîte aux lettres IMAP</translation>
    </message>
    <message>
        <source>Cyrillic (KOI8-R)</source>
        <translation>Cyrillique (KOI8-R)</translation>
    </message>
    <message>
        <source>Cyrillic/Ukrainian (KOI8-U)</source>
        <translation>Cyrillique/Ukrainien (KOI8-U)</translation>
    </message>
    <message>
        <source>Thai (TIS-620)</source>
        <translation>Thaï (TIS-620)</translation>
    </message>
    <message>
        <source>Latin-1 (EBCDIC-37)</source>
        <translation>Latin-1 (EBCDIC-37)</translation>
    </message>
    <message>
        <source>Japanese (EBCDIC-930)</source>
        <translation>Japonais (EBCDIC-930)</translation>
    </message>
    <message>
        <source>Latin-1 (EBCDIC-1047)</source>
        <translation>Latin-1 (EBCDIC-1047)</translation>
    </message>
    <message>
        <source>Latin-1 with Euro (EBCDIC-1140)</source>
        <translation>Latin-1 avec euro (EBCDIC-1140)</translation>
    </message>
    <message>
        <source>Western European with Euro (MS-DOS 858)</source>
        <translation>Europe occidentale avec euro (MS-DOS 858)</translation>
    </message>
    <message>
        <source>Portuguese (MS-DOS 860)</source>
        <translation>Portugais (MS-DOS 860)</translation>
    </message>
    <message>
        <source>Icelandic (MS-DOS 861)</source>
        <translation>Islandais (MS-DOS 861)</translation>
    </message>
    <message>
        <source>French (MS-DOS 863)</source>
        <translation>Français (MS-DOS 863)</translation>
    </message>
    <message>
        <source>Nordic withough Icelandic (MS-DOS 865)</source>
        <translation>Nordique sans islandais (MS-DOS 865)</translation>
    </message>
    <message>
        <source>Cyrillic (MS-DOS 866)</source>
        <translation>Cyrillique (MS-DOS 866)</translation>
    </message>
    <message>
        <source>Greek (MS-DOS 869)</source>
        <translation>Grec (MS-DOS 869)</translation>
    </message>
</context>
<context>
    <name>Countries</name>
    <message>
        <source>Andorra, Principality of</source>
        <translation>Andorre</translation>
    </message>
    <message>
        <source>United Arab Emirates</source>
        <translation>Émirats arabes unis</translation>
    </message>
    <message>
        <source>Afghanistan, Islamic State of</source>
        <translation>Afghanistan</translation>
    </message>
    <message>
        <source>Antigua and Barbuda</source>
        <translation>Antigua-et-Barbuda</translation>
    </message>
    <message>
        <source>Anguilla</source>
        <translation>Anguilla</translation>
    </message>
    <message>
        <source>Albania</source>
        <translation>Albanie</translation>
    </message>
    <message>
        <source>Armenia</source>
        <translation>Arménie</translation>
    </message>
    <message>
        <source>Netherlands Antilles</source>
        <translation>Antilles néerlandaises</translation>
    </message>
    <message>
        <source>Angola</source>
        <translation>Angola</translation>
    </message>
    <message>
        <source>Antarctica</source>
        <translation>Antarctique</translation>
    </message>
    <message>
        <source>Argentina</source>
        <translation>Argentine</translation>
    </message>
    <message>
        <source>American Samoa</source>
        <translation>Samoa américaines</translation>
    </message>
    <message>
        <source>Austria</source>
        <translation>Autriche</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>Australie</translation>
    </message>
    <message>
        <source>Aruba</source>
        <translation>Aruba</translation>
    </message>
    <message>
        <source>Azerbaidjan</source>
        <translation>Azerbaïdjan</translation>
    </message>
    <message>
        <source>Bosnia-Herzegovina</source>
        <translation>Bosnie-Herzégovine</translation>
    </message>
    <message>
        <source>Barbados</source>
        <translation>Barbade</translation>
    </message>
    <message>
        <source>Bangladesh</source>
        <translation>Bangladesh</translation>
    </message>
    <message>
        <source>Belgium</source>
        <translation>Belgique</translation>
    </message>
    <message>
        <source>Burkina Faso</source>
        <translation>Burkina Faso</translation>
    </message>
    <message>
        <source>Bulgaria</source>
        <translation>Bulgarie</translation>
    </message>
    <message>
        <source>Bahrain</source>
        <translation>Bahreïn</translation>
    </message>
    <message>
        <source>Burundi</source>
        <translation>Burundi</translation>
    </message>
    <message>
        <source>Benin</source>
        <translation>Bénin</translation>
    </message>
    <message>
        <source>Bermuda</source>
        <translation>Bermudes</translation>
    </message>
    <message>
        <source>Brunei Darussalam</source>
        <translation>Brunéi Darussalam</translation>
    </message>
    <message>
        <source>Bolivia</source>
        <translation>Bolivie</translation>
    </message>
    <message>
        <source>Brazil</source>
        <translation>Brésil</translation>
    </message>
    <message>
        <source>Bahamas</source>
        <translation>Bahamas</translation>
    </message>
    <message>
        <source>Bhutan</source>
        <translation>Bhoutan</translation>
    </message>
    <message>
        <source>Bouvet Island</source>
        <translation>Île Bouvet</translation>
    </message>
    <message>
        <source>Botswana</source>
        <translation>Botswana</translation>
    </message>
    <message>
        <source>Belarus</source>
        <translation>Bélarus</translation>
    </message>
    <message>
        <source>Belize</source>
        <translation>Belize</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Canada</translation>
    </message>
    <message>
        <source>Cocos (Keeling) Islands</source>
        <translation>Îles Cocos (Keeling)</translation>
    </message>
    <message>
        <source>Central African Republic</source>
        <translation>République centrafricaine</translation>
    </message>
    <message>
        <source>Congo, The Democratic Republic of the</source>
        <translation>République démocratique du Congo</translation>
    </message>
    <message>
        <source>Congo</source>
        <translation>République du Congo</translation>
    </message>
    <message>
        <source>Switzerland</source>
        <translation>Suisse</translation>
    </message>
    <message>
        <source>Ivory Coast (Cote D&apos;Ivoire) </source>
        <translation>Côte d&apos;Ivoire</translation>
    </message>
    <message>
        <source>Cook Islands</source>
        <translation>Îles Cook</translation>
    </message>
    <message>
        <source>Chile</source>
        <translation>Chili</translation>
    </message>
    <message>
        <source>Cameroon</source>
        <translation>Cameroun</translation>
    </message>
    <message>
        <source>China</source>
        <translation>Chine</translation>
    </message>
    <message>
        <source>Colombia</source>
        <translation>Colombie</translation>
    </message>
    <message>
        <source>Costa Rica</source>
        <translation>Costa Rica</translation>
    </message>
    <message>
        <source>Former Czechoslovakia</source>
        <translation>Ex-Tchécoslovaquie</translation>
    </message>
    <message>
        <source>Cuba</source>
        <translation>Cuba</translation>
    </message>
    <message>
        <source>Cabo Verde</source>
        <translation>Cap-Vert</translation>
    </message>
    <message>
        <source>Christmas Island</source>
        <translation>Île Christmas</translation>
    </message>
    <message>
        <source>Cyprus</source>
        <translation>Chypre</translation>
    </message>
    <message>
        <source>Czechia</source>
        <translation>Tchéquie</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Allemagne</translation>
    </message>
    <message>
        <source>Djibouti</source>
        <translation>Djibouti</translation>
    </message>
    <message>
        <source>Denmark</source>
        <translation>Danemark</translation>
    </message>
    <message>
        <source>Dominica</source>
        <translation>Dominique</translation>
    </message>
    <message>
        <source>Dominican Republic</source>
        <translation>République dominicaine</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>Algérie</translation>
    </message>
    <message>
        <source>Ecuador</source>
        <translation>Équateur</translation>
    </message>
    <message>
        <source>Estonia</source>
        <translation>Estonie</translation>
    </message>
    <message>
        <source>Egypt</source>
        <translation>Égypte</translation>
    </message>
    <message>
        <source>Western Sahara</source>
        <translation>Sahara occidental</translation>
    </message>
    <message>
        <source>Eritrea</source>
        <translation>Érythrée</translation>
    </message>
    <message>
        <source>Spain</source>
        <translation>Espagne</translation>
    </message>
    <message>
        <source>Ethiopia</source>
        <translation>Éthiopie</translation>
    </message>
    <message>
        <source>Finland</source>
        <translation>Finlande</translation>
    </message>
    <message>
        <source>Fiji</source>
        <translation>Fidji</translation>
    </message>
    <message>
        <source>Falkland Islands (Malvinas)</source>
        <translation>Îles Malouines (Falkland)</translation>
    </message>
    <message>
        <source>Micronesia</source>
        <translation>Micronésie</translation>
    </message>
    <message>
        <source>Faroe Islands</source>
        <translation>Îles Féroé</translation>
    </message>
    <message>
        <source>France</source>
        <translation>France</translation>
    </message>
    <message>
        <source>France (European Territory) </source>
        <translation>France métropolitaine</translation>
    </message>
    <message>
        <source>Gabon</source>
        <translation>Gabon</translation>
    </message>
    <message>
        <source>Great Britain</source>
        <translation>Grande-Bretagne</translation>
    </message>
    <message>
        <source>Grenada</source>
        <translation>Grenade</translation>
    </message>
    <message>
        <source>Georgia</source>
        <translation>Géorgie</translation>
    </message>
    <message>
        <source>French Guiana</source>
        <translation>Guyane française</translation>
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
        <translation>Groenland</translation>
    </message>
    <message>
        <source>Gambia</source>
        <translation>Gambie</translation>
    </message>
    <message>
        <source>Guinea</source>
        <translation>Guinée</translation>
    </message>
    <message>
        <source>Guadeloupe (French) </source>
        <translation>Guadeloupe</translation>
    </message>
    <message>
        <source>Equatorial Guinea</source>
        <translation>Guinée équatoriale</translation>
    </message>
    <message>
        <source>Greece</source>
        <translation>Grèce</translation>
    </message>
    <message>
        <source>S. Georgia &amp; S. Sandwich Isls. </source>
        <translation>Géorgie du Sud et les îles Sandwich du Sud</translation>
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
        <translation>Guinée-Bissau</translation>
    </message>
    <message>
        <source>Guyana</source>
        <translation>Guyana</translation>
    </message>
    <message>
        <source>Hong Kong</source>
        <translation>Hong Kong</translation>
    </message>
    <message>
        <source>Heard Island and McDonald Islands</source>
        <translation>Îles Heard-et-MacDonald</translation>
    </message>
    <message>
        <source>Honduras</source>
        <translation>Honduras</translation>
    </message>
    <message>
        <source>Croatia</source>
        <translation>Croatie</translation>
    </message>
    <message>
        <source>Haiti</source>
        <translation>Haïti</translation>
    </message>
    <message>
        <source>Hungary</source>
        <translation>Hongrie</translation>
    </message>
    <message>
        <source>Indonesia</source>
        <translation>Indonésie</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irlande</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israël</translation>
    </message>
    <message>
        <source>India</source>
        <translation>Inde</translation>
    </message>
    <message>
        <source>British Indian Ocean Territory</source>
        <translation>Territoire britannique de l&apos;océan Indien</translation>
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
        <translation>Islande</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italie</translation>
    </message>
    <message>
        <source>Jamaica</source>
        <translation>Jamaïque</translation>
    </message>
    <message>
        <source>Jordan</source>
        <translation>Jordanie</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japon</translation>
    </message>
    <message>
        <source>Kenya</source>
        <translation>Kenya</translation>
    </message>
    <message>
        <source>Kyrgyz Republic (Kyrgyzstan) </source>
        <translation>Kirghizistan</translation>
    </message>
    <message>
        <source>Cambodia, Kingdom of</source>
        <translation>Cambodge</translation>
    </message>
    <message>
        <source>Kiribati</source>
        <translation>Kiribati</translation>
    </message>
    <message>
        <source>Comoros</source>
        <translation>Comores</translation>
    </message>
    <message>
        <source>Saint Kitts &amp; Nevis Anguilla</source>
        <translation>Saint-Christophe-et-Niévès</translation>
    </message>
    <message>
        <source>North Korea</source>
        <translation>Corée du Nord</translation>
    </message>
    <message>
        <source>South Korea</source>
        <translation>Corée du Sud</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>Koweït</translation>
    </message>
    <message>
        <source>Cayman Islands</source>
        <translation>Îles Caïmans</translation>
    </message>
    <message>
        <source>Kazakhstan</source>
        <translation>Kazakhstan</translation>
    </message>
    <message>
        <source>Laos</source>
        <translation>Laos</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>Liban</translation>
    </message>
    <message>
        <source>Saint Lucia</source>
        <translation>Sainte-Lucie</translation>
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
        <translation>Libéria</translation>
    </message>
    <message>
        <source>Lesotho</source>
        <translation>Lesotho</translation>
    </message>
    <message>
        <source>Lithuania</source>
        <translation>Lituanie</translation>
    </message>
    <message>
        <source>Luxembourg</source>
        <translation>Luxembourg</translation>
    </message>
    <message>
        <source>Latvia</source>
        <translation>Lettonie</translation>
    </message>
    <message>
        <source>Libya</source>
        <translation>Libye</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>Maroc</translation>
    </message>
    <message>
        <source>Monaco</source>
        <translation>Monaco</translation>
    </message>
    <message>
        <source>Moldavia</source>
        <translation>Moldavie</translation>
    </message>
    <message>
        <source>Madagascar</source>
        <translation>Madagascar</translation>
    </message>
    <message>
        <source>Marshall Islands</source>
        <translation>Îles Marshall</translation>
    </message>
    <message>
        <source>North Macedonia</source>
        <translation>Macédoine du Nord</translation>
    </message>
    <message>
        <source>Mali</source>
        <translation>Mali</translation>
    </message>
    <message>
        <source>Myanmar</source>
        <translation>Birmanie</translation>
    </message>
    <message>
        <source>Mongolia</source>
        <translation>Mongolie</translation>
    </message>
    <message>
        <source>Macao</source>
        <translation>Macau</translation>
    </message>
    <message>
        <source>Northern Mariana Islands</source>
        <translation>Îles Mariannes du Nord</translation>
    </message>
    <message>
        <source>Martinique (French) </source>
        <translation>Martinique</translation>
    </message>
    <message>
        <source>Mauritania</source>
        <translation>Mauritanie</translation>
    </message>
    <message>
        <source>Montserrat</source>
        <translation>Montserrat</translation>
    </message>
    <message>
        <source>Malta</source>
        <translation>Malte</translation>
    </message>
    <message>
        <source>Mauritius</source>
        <translation>Maurice</translation>
    </message>
    <message>
        <source>Maldives</source>
        <translation>Maldives</translation>
    </message>
    <message>
        <source>Malawi</source>
        <translation>Malawi</translation>
    </message>
    <message>
        <source>Mexico</source>
        <translation>Mexique</translation>
    </message>
    <message>
        <source>Malaysia</source>
        <translation>Malaisie</translation>
    </message>
    <message>
        <source>Mozambique</source>
        <translation>Mozambique</translation>
    </message>
    <message>
        <source>Namibia</source>
        <translation>Namibie</translation>
    </message>
    <message>
        <source>New Caledonia (French) </source>
        <translation>Nouvelle-Calédonie</translation>
    </message>
    <message>
        <source>Niger</source>
        <translation>Niger</translation>
    </message>
    <message>
        <source>Norfolk Island</source>
        <translation>Île Norfolk</translation>
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
        <translation>Pays-Bas</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norvège</translation>
    </message>
    <message>
        <source>Nepal</source>
        <translation>Népal</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Neutral Zone</source>
        <translation>Zone neutre</translation>
    </message>
    <message>
        <source>Niue</source>
        <translation>Nioue</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>Nouvelle-Zélande</translation>
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
        <translation>Pérou</translation>
    </message>
    <message>
        <source>Polynesia (French) </source>
        <translation>Polynésie française</translation>
    </message>
    <message>
        <source>Papua New Guinea</source>
        <translation>Papouasie-Nouvelle-Guinée</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>Philippines</translation>
    </message>
    <message>
        <source>Pakistan</source>
        <translation>Pakistan</translation>
    </message>
    <message>
        <source>Poland</source>
        <translation>Pologne</translation>
    </message>
    <message>
        <source>Saint Pierre and Miquelon</source>
        <translation>Saint-Pierre-et-Miquelon</translation>
    </message>
    <message>
        <source>Pitcairn</source>
        <translation>Îles Pitcairn</translation>
    </message>
    <message>
        <source>Puerto Rico</source>
        <translation>Porto Rico</translation>
    </message>
    <message>
        <source>Portugal</source>
        <translation>Portugal</translation>
    </message>
    <message>
        <source>Palau</source>
        <translation>Palaos</translation>
    </message>
    <message>
        <source>Paraguay</source>
        <translation>Paraguay</translation>
    </message>
    <message>
        <source>Qatar</source>
        <translation>Qatar</translation>
    </message>
    <message>
        <source>Reunion (French) </source>
        <translation>La Réunion</translation>
    </message>
    <message>
        <source>Romania</source>
        <translation>Roumanie</translation>
    </message>
    <message>
        <source>Russian Federation</source>
        <translation>Fédération de Russie</translation>
    </message>
    <message>
        <source>Rwanda</source>
        <translation>Rwanda</translation>
    </message>
    <message>
        <source>Saudi Arabia</source>
        <translation>Arabie saoudite</translation>
    </message>
    <message>
        <source>Solomon Islands</source>
        <translation>Îles Salomon</translation>
    </message>
    <message>
        <source>Seychelles</source>
        <translation>Seychelles</translation>
    </message>
    <message>
        <source>Sudan</source>
        <translation>Soudan</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Suède</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>Singapour</translation>
    </message>
    <message>
        <source>Saint Helena</source>
        <translation>Sainte-Hélène</translation>
    </message>
    <message>
        <source>Slovenia</source>
        <translation>Slovénie</translation>
    </message>
    <message>
        <source>Svalbard and Jan Mayen</source>
        <translation>Svalbard et île Jan Mayen</translation>
    </message>
    <message>
        <source>Slovak Republic</source>
        <translation>République slovaque</translation>
    </message>
    <message>
        <source>Sierra Leone</source>
        <translation>Sierra Leone</translation>
    </message>
    <message>
        <source>San Marino</source>
        <translation>Saint-Marin</translation>
    </message>
    <message>
        <source>Senegal</source>
        <translation>Sénégal</translation>
    </message>
    <message>
        <source>Somalia</source>
        <translation>Somalie</translation>
    </message>
    <message>
        <source>Suriname</source>
        <translation>Surinam</translation>
    </message>
    <message>
        <source>Saint Tome (Sao Tome) and Principe</source>
        <translation>Sao Tomé-et-Principe</translation>
    </message>
    <message>
        <source>Former USSR</source>
        <translation>Ex-URSS</translation>
    </message>
    <message>
        <source>El Salvador</source>
        <translation>Salvador</translation>
    </message>
    <message>
        <source>Syria</source>
        <translation>Syrie</translation>
    </message>
    <message>
        <source>Eswatini</source>
        <translation>Eswatini</translation>
    </message>
    <message>
        <source>Turks and Caicos Islands</source>
        <translation>Îles Turques-et-Caïques</translation>
    </message>
    <message>
        <source>Chad</source>
        <translation>Tchad</translation>
    </message>
    <message>
        <source>French Southern Territories</source>
        <translation>Terres australes françaises</translation>
    </message>
    <message>
        <source>Togo</source>
        <translation>Togo</translation>
    </message>
    <message>
        <source>Thailand</source>
        <translation>Thaïlande</translation>
    </message>
    <message>
        <source>Tadjikistan</source>
        <translation>Tadjikistan</translation>
    </message>
    <message>
        <source>Tokelau</source>
        <translation>Tokelau</translation>
    </message>
    <message>
        <source>Turkmenistan</source>
        <translation>Turkménistan</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>Tunisie</translation>
    </message>
    <message>
        <source>Tonga</source>
        <translation>Tonga</translation>
    </message>
    <message>
        <source>East Timor</source>
        <translation>Timor oriental</translation>
    </message>
    <message>
        <source>Turkey</source>
        <translation>Turquie</translation>
    </message>
    <message>
        <source>Trinidad and Tobago</source>
        <translation>Trinité-et-Tobago</translation>
    </message>
    <message>
        <source>Tuvalu</source>
        <translation>Tuvalu</translation>
    </message>
    <message>
        <source>Taiwan</source>
        <translation>Taïwan</translation>
    </message>
    <message>
        <source>Tanzania</source>
        <translation>Tanzanie</translation>
    </message>
    <message>
        <source>Ukraine</source>
        <translation>Ukraine</translation>
    </message>
    <message>
        <source>Uganda</source>
        <translation>Ouganda</translation>
    </message>
    <message>
        <source>United Kingdom</source>
        <translation>Royaume-Uni</translation>
    </message>
    <message>
        <source>USA Minor Outlying Islands</source>
        <translation>Îles mineures éloignées des États-Unis</translation>
    </message>
    <message>
        <source>United States</source>
        <translation>États-Unis</translation>
    </message>
    <message>
        <source>Uruguay</source>
        <translation>Uruguay</translation>
    </message>
    <message>
        <source>Uzbekistan</source>
        <translation>Ouzbékistan</translation>
    </message>
    <message>
        <source>Holy See (Vatican City State) </source>
        <translation>Vatican</translation>
    </message>
    <message>
        <source>Saint Vincent and the Grenadines</source>
        <translation>Saint-Vincent-et-les-Grenadines</translation>
    </message>
    <message>
        <source>Venezuela</source>
        <translation>Venezuela</translation>
    </message>
    <message>
        <source>Virgin Islands (British)</source>
        <translation>Îles Vierges britanniques</translation>
    </message>
    <message>
        <source>Virgin Islands (USA)</source>
        <translation>Îles Vierges des États-Unis</translation>
    </message>
    <message>
        <source>Vietnam</source>
        <translation>Viêt Nam</translation>
    </message>
    <message>
        <source>Vanuatu</source>
        <translation>Vanuatu</translation>
    </message>
    <message>
        <source>Wallis and Futuna</source>
        <translation>Wallis et Futuna</translation>
    </message>
    <message>
        <source>Samoa</source>
        <translation>Samoa</translation>
    </message>
    <message>
        <source>Yemen</source>
        <translation>Yémen</translation>
    </message>
    <message>
        <source>Mayotte</source>
        <translation>Mayotte</translation>
    </message>
    <message>
        <source>Yugoslavia</source>
        <translation>Yougoslavie</translation>
    </message>
    <message>
        <source>South Africa</source>
        <translation>Afrique du Sud</translation>
    </message>
    <message>
        <source>Zambia</source>
        <translation>Zambie</translation>
    </message>
    <message>
        <source>Zaire</source>
        <translation>Zaïre</translation>
    </message>
    <message>
        <source>Zimbabwe</source>
        <translation>Zimbabwe</translation>
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
        <translation>Abkhaze</translation>
    </message>
    <message>
        <source>Afrikaans</source>
        <translation>Afrikaans</translation>
    </message>
    <message>
        <source>Amharic</source>
        <translation>Amharique</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>Arabe</translation>
    </message>
    <message>
        <source>Assamese</source>
        <translation>Assamais</translation>
    </message>
    <message>
        <source>Aymara</source>
        <translation>Aymara</translation>
    </message>
    <message>
        <source>Azerbaijani</source>
        <translation>Azéri</translation>
    </message>
    <message>
        <source>Bashkir</source>
        <translation>Bachkir</translation>
    </message>
    <message>
        <source>Byelorussian</source>
        <translation>Biélorusse</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>Bulgare</translation>
    </message>
    <message>
        <source>Bihari</source>
        <translation>Bihari</translation>
    </message>
    <message>
        <source>Bislama</source>
        <translation>Bichelamar</translation>
    </message>
    <message>
        <source>Bengali Bangla</source>
        <translation>Bengali</translation>
    </message>
    <message>
        <source>Tibetan</source>
        <translation>Tibétain</translation>
    </message>
    <message>
        <source>Breton</source>
        <translation>Breton</translation>
    </message>
    <message>
        <source>Catalan</source>
        <translation>Catalan</translation>
    </message>
    <message>
        <source>Corsican</source>
        <translation>Corse</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>Tchèque</translation>
    </message>
    <message>
        <source>Welsh</source>
        <translation>Gallois</translation>
    </message>
    <message>
        <source>Danish</source>
        <translation>Danois</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>Bhutani</source>
        <translation>Dzongkha</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>Grec</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Esperanto</source>
        <translation>Espéranto</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Espagnol</translation>
    </message>
    <message>
        <source>Estonian</source>
        <translation>Estonien</translation>
    </message>
    <message>
        <source>Basque</source>
        <translation>Basque</translation>
    </message>
    <message>
        <source>Persian</source>
        <translation>Persan</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>Finnois</translation>
    </message>
    <message>
        <source>Fiji</source>
        <translation>Fidjien</translation>
    </message>
    <message>
        <source>Faeroese</source>
        <translation>Féroïen</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Frisian</source>
        <translation>Frison</translation>
    </message>
    <message>
        <source>Irish</source>
        <translation>Irlandais</translation>
    </message>
    <message>
        <source>Gaelic Scots Gaelic</source>
        <translation>Gaélique écossais</translation>
    </message>
    <message>
        <source>Galician</source>
        <translation>Galicien</translation>
    </message>
    <message>
        <source>Guarani</source>
        <translation>Guarani</translation>
    </message>
    <message>
        <source>Gujarati</source>
        <translation>Gujarati</translation>
    </message>
    <message>
        <source>Hausa</source>
        <translation>Haoussa</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>Hindi</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>Croate</translation>
    </message>
    <message>
        <source>Hungarian</source>
        <translation>Hongrois</translation>
    </message>
    <message>
        <source>Armenian</source>
        <translation>Arménien</translation>
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
        <translation>Indonésien</translation>
    </message>
    <message>
        <source>Icelandic</source>
        <translation>Islandais</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>Hébreu</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japonais</translation>
    </message>
    <message>
        <source>Yiddish</source>
        <translation>Yiddish</translation>
    </message>
    <message>
        <source>Javanese</source>
        <translation>Javanais</translation>
    </message>
    <message>
        <source>Georgian</source>
        <translation>Géorgien</translation>
    </message>
    <message>
        <source>Kazakh</source>
        <translation>Kazakh</translation>
    </message>
    <message>
        <source>Kalaallisut</source>
        <translation>Groenlandais</translation>
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
        <translation>Coréen</translation>
    </message>
    <message>
        <source>Kashmiri</source>
        <translation>Kashmiri</translation>
    </message>
    <message>
        <source>Kurdish</source>
        <translation>Kurde</translation>
    </message>
    <message>
        <source>Kirghiz</source>
        <translation>Kirghiz</translation>
    </message>
    <message>
        <source>Latin</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>Lingala</source>
        <translation>Lingala</translation>
    </message>
    <message>
        <source>Laothian</source>
        <translation>Laotien</translation>
    </message>
    <message>
        <source>Lithuanian</source>
        <translation>Lituanien</translation>
    </message>
    <message>
        <source>Latvian Lettish</source>
        <translation>Letton</translation>
    </message>
    <message>
        <source>Malagasy</source>
        <translation>Malgache</translation>
    </message>
    <message>
        <source>Maori</source>
        <translation>Maori</translation>
    </message>
    <message>
        <source>Macedonian</source>
        <translation>Macédonien</translation>
    </message>
    <message>
        <source>Malayalam</source>
        <translation>Malayalam</translation>
    </message>
    <message>
        <source>Mongolian</source>
        <translation>Mongol</translation>
    </message>
    <message>
        <source>Moldavian</source>
        <translation>Moldave</translation>
    </message>
    <message>
        <source>Marathi</source>
        <translation>Marathe</translation>
    </message>
    <message>
        <source>Malay</source>
        <translation>Malais</translation>
    </message>
    <message>
        <source>Maltese</source>
        <translation>Maltais</translation>
    </message>
    <message>
        <source>Burmese</source>
        <translation>Birman</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Nepali</source>
        <translation>Népalais</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>Néerlandais</translation>
    </message>
    <message>
        <source>Norwegian</source>
        <translation>Norvégien</translation>
    </message>
    <message>
        <source>Occitan</source>
        <translation>Occitan</translation>
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
        <translation>Pendjabi</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polonais</translation>
    </message>
    <message>
        <source>Pashto Pushto</source>
        <translation>Pachto</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugais</translation>
    </message>
    <message>
        <source>Quechua</source>
        <translation>Quechua</translation>
    </message>
    <message>
        <source>Rhaeto-Romance</source>
        <translation>Romanche</translation>
    </message>
    <message>
        <source>Kirundi</source>
        <translation>Rundi</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>Roumain</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russe</translation>
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
        <translation>Serbo-croate</translation>
    </message>
    <message>
        <source>Singhalese</source>
        <translation>Singhalais</translation>
    </message>
    <message>
        <source>Slovak</source>
        <translation>Slovaque</translation>
    </message>
    <message>
        <source>Slovenian</source>
        <translation>Slovène</translation>
    </message>
    <message>
        <source>Samoan</source>
        <translation>Samoan</translation>
    </message>
    <message>
        <source>Shona</source>
        <translation>Shona</translation>
    </message>
    <message>
        <source>Somali</source>
        <translation>Somali</translation>
    </message>
    <message>
        <source>Albanian</source>
        <translation>Albanais</translation>
    </message>
    <message>
        <source>Serbian</source>
        <translation>Serbe</translation>
    </message>
    <message>
        <source>Siswati</source>
        <translation>Swati</translation>
    </message>
    <message>
        <source>Sesotho</source>
        <translation>Sesotho</translation>
    </message>
    <message>
        <source>Sudanese</source>
        <translation>Sundanais</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>Suédois</translation>
    </message>
    <message>
        <source>Swahili</source>
        <translation>Swahili</translation>
    </message>
    <message>
        <source>Tamil</source>
        <translation>Tamoul</translation>
    </message>
    <message>
        <source>Tegulu</source>
        <translation>Télougou</translation>
    </message>
    <message>
        <source>Tajik</source>
        <translation>Tadjik</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>Thaï</translation>
    </message>
    <message>
        <source>Tigrinya</source>
        <translation>Tigrigna</translation>
    </message>
    <message>
        <source>Turkmen</source>
        <translation>Turkmène</translation>
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
        <translation>Tongien</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Turc</translation>
    </message>
    <message>
        <source>Tsonga</source>
        <translation>Tsonga</translation>
    </message>
    <message>
        <source>Tatar</source>
        <translation>Tatar</translation>
    </message>
    <message>
        <source>Twi</source>
        <translation>Twi</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>Ukrainien</translation>
    </message>
    <message>
        <source>Urdu</source>
        <translation>Ourdou</translation>
    </message>
    <message>
        <source>Uzbek</source>
        <translation>Ouzbek</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>Vietnamien</translation>
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
        <translation>Yoruba</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinois</translation>
    </message>
    <message>
        <source>Zulu</source>
        <translation>Zoulou</translation>
    </message>
    <message>
        <source>Akan</source>
        <translation>Akan</translation>
    </message>
    <message>
        <source>Aragonese</source>
        <translation>Aragonais</translation>
    </message>
    <message>
        <source>Avaric</source>
        <translation>Avar</translation>
    </message>
    <message>
        <source>Avestan</source>
        <translation>Avestique</translation>
    </message>
    <message>
        <source>Bambara</source>
        <translation>Bambara</translation>
    </message>
    <message>
        <source>Belarusian</source>
        <translation>Biélorusse</translation>
    </message>
    <message>
        <source>Bengali</source>
        <translation>Bengali</translation>
    </message>
    <message>
        <source>Bosnian</source>
        <translation>Bosniaque</translation>
    </message>
    <message>
        <source>Chamorro</source>
        <translation>Chamorro</translation>
    </message>
    <message>
        <source>Chechen</source>
        <translation>Tchétchène</translation>
    </message>
    <message>
        <source>Old Church Slavonic</source>
        <translation>Slavon d&apos;église</translation>
    </message>
    <message>
        <source>Chuvash</source>
        <translation>Tchouvache</translation>
    </message>
    <message>
        <source>Cornish</source>
        <translation>Cornique</translation>
    </message>
    <message>
        <source>Cree</source>
        <translation>Cri</translation>
    </message>
    <message>
        <source>Maldivian</source>
        <translation>Maldivien</translation>
    </message>
    <message>
        <source>Dzongkha</source>
        <translation>Dzongkha</translation>
    </message>
    <message>
        <source>Ewe</source>
        <translation>Éwé</translation>
    </message>
    <message>
        <source>Faroese</source>
        <translation>Féroïen</translation>
    </message>
    <message>
        <source>Fijian</source>
        <translation>Fidjien</translation>
    </message>
    <message>
        <source>Western Frisian</source>
        <translation>Frison occidental</translation>
    </message>
    <message>
        <source>Fulah</source>
        <translation>Peul</translation>
    </message>
    <message>
        <source>Gaelic</source>
        <translation>Gaélique</translation>
    </message>
    <message>
        <source>Manx</source>
        <translation>Mannois</translation>
    </message>
    <message>
        <source>Greek, Modern (1453-)</source>
        <translation>Grec moderne</translation>
    </message>
    <message>
        <source>Haitian</source>
        <translation>Haïtien</translation>
    </message>
    <message>
        <source>Herero</source>
        <translation>Herero</translation>
    </message>
    <message>
        <source>Hiri Motu</source>
        <translation>Hiri motu</translation>
    </message>
    <message>
        <source>Igbo</source>
        <translation>Igbo</translation>
    </message>
    <message>
        <source>Ido</source>
        <translation>Ido</translation>
    </message>
    <message>
        <source>Sichuan Yi</source>
        <translation>Yi de Sichuan</translation>
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
        <translation>Kanouri</translation>
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
        <translation>Kuanyama</translation>
    </message>
    <message>
        <source>Lao</source>
        <translation>Laotien</translation>
    </message>
    <message>
        <source>Latvian</source>
        <translation>Letton</translation>
    </message>
    <message>
        <source>Limburgan</source>
        <translation>Limbourgeois</translation>
    </message>
    <message>
        <source>Luxembourgish</source>
        <translation>Luxembourgeois</translation>
    </message>
    <message>
        <source>Luba-Katanga</source>
        <translation>Luba-katanga</translation>
    </message>
    <message>
        <source>Ganda</source>
        <translation>Ganda</translation>
    </message>
    <message>
        <source>Marshallese</source>
        <translation>Marshallais</translation>
    </message>
    <message>
        <source>Navajo</source>
        <translation>Navaho</translation>
    </message>
    <message>
        <source>Ndebele, South</source>
        <translation>Ndébélé du Sud</translation>
    </message>
    <message>
        <source>Ndebele, North</source>
        <translation>Ndébélé du Nord</translation>
    </message>
    <message>
        <source>Ndonga</source>
        <translation>Ndonga</translation>
    </message>
    <message>
        <source>Norwegian Nynorsk</source>
        <translation>Norvégien (nynorsk)</translation>
    </message>
    <message>
        <source>Bokmål, Norwegian</source>
        <translation>Norvégien (bokmål)</translation>
    </message>
    <message>
        <source>Chichewa</source>
        <translation>Nyanja</translation>
    </message>
    <message>
        <source>Occitan (post 1500)</source>
        <translation>Occitan (après 1500)</translation>
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
        <translation>Ossète</translation>
    </message>
    <message>
        <source>Pali</source>
        <translation>Pali</translation>
    </message>
    <message>
        <source>Pashto</source>
        <translation>Pachto</translation>
    </message>
    <message>
        <source>Romansh</source>
        <translation>Romanche</translation>
    </message>
    <message>
        <source>Rundi</source>
        <translation>Rundi</translation>
    </message>
    <message>
        <source>Sango</source>
        <translation>Sango</translation>
    </message>
    <message>
        <source>Sinhalese</source>
        <translation>Singhalais</translation>
    </message>
    <message>
        <source>Northern Sami</source>
        <translation>Same du Nord</translation>
    </message>
    <message>
        <source>Sotho, Southern</source>
        <translation>Sesotho</translation>
    </message>
    <message>
        <source>Sardinian</source>
        <translation>Sarde</translation>
    </message>
    <message>
        <source>Swati</source>
        <translation>Swati</translation>
    </message>
    <message>
        <source>Sundanese</source>
        <translation>Sundanais</translation>
    </message>
    <message>
        <source>Tahitian</source>
        <translation>Tahitien</translation>
    </message>
    <message>
        <source>Telugu</source>
        <translation>Télougou</translation>
    </message>
    <message>
        <source>Tonga (Tonga Islands)</source>
        <translation>Tongien</translation>
    </message>
    <message>
        <source>Tswana</source>
        <translation>Tswana</translation>
    </message>
    <message>
        <source>Uighur</source>
        <translation>Ouïgour</translation>
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
        <translation>Wallon</translation>
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
        <translation>Fichier vidéo manquant</translation>
    </message>
    <message>
        <source>The video file &quot;%1&quot; appears to be missing.</source>
        <translation>Le fichier vidéo « %1 » semble manquer.</translation>
    </message>
    <message>
        <source>Video Files Missing</source>
        <translation>Fichiers vidéo manquants</translation>
    </message>
    <message>
        <source>None of the selected video files could be found.</source>
        <translation>Aucun des fichiers vidéo sélectionnés n&apos;a été trouvé.</translation>
    </message>
    <message>
        <source>The video file &quot;%1&quot; appears to be missing.
Would you like to transfer the remaining files?</source>
        <translation>Le fichier vidéo « %1 » semble manquer.
Voulez-vous transférer les autres fichiers ?</translation>
    </message>
    <message>
        <source>Some of the selected video files appear to be missing.
Would you like to transfer the remaining files?</source>
        <translation>Certains des fichiers vidéo sélectionnés semblent manquer.
Voulez-vous transférer les autres fichiers ?</translation>
    </message>
</context>
<context>
    <name>Subtitle Track Types</name>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
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
        <translation>Écran large</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Closed Captioned</source>
        <translation>Pour sourds et malentendants</translation>
    </message>
    <message>
        <source>Forced</source>
        <translation>Forcés</translation>
    </message>
    <message>
        <source>Karaoke</source>
        <translation>Karaoké</translation>
    </message>
    <message>
        <source>Not Specified</source>
        <translation>Non précisé</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grands caractères</translation>
    </message>
    <message>
        <source>Children</source>
        <translation>Pour enfants</translation>
    </message>
    <message>
        <source>Director Commentary</source>
        <translation>Commentaire du réalisateur</translation>
    </message>
    <message>
        <source>Large Director Commentary</source>
        <translation>Commentaire du réalisateur, grands caractères</translation>
    </message>
    <message>
        <source>Director Commentary For Children</source>
        <translation>Commentaire du réalisateur pour enfants</translation>
    </message>
    <message>
        <source>Normal Captions</source>
        <translation>Sous-titres pour sourds et malentendants</translation>
    </message>
    <message>
        <source>Large Captions</source>
        <translation>Sous-titres pour sourds et malentendants, grands caractères</translation>
    </message>
    <message>
        <source>Children&apos;s Captions</source>
        <translation>Sous-titres pour sourds et malentendants, pour enfants</translation>
    </message>
</context>
<context>
    <name>Track Name Format</name>
    <message>
        <source>Track %1</source>
        <comment>Track &lt;counter&gt;</comment>
        <translation>Piste %1</translation>
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
        <translation>Piste %1 - %2</translation>
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
        <translation>Piste %1 - %2</translation>
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
        <translation>Piste %1 - %2 (%3)</translation>
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
        <translation>octets</translation>
    </message>
    <message>
        <source>KiloBytes</source>
        <translation>kilooctets</translation>
    </message>
    <message>
        <source>MegaBytes</source>
        <translation>mégaoctets</translation>
    </message>
    <message>
        <source>GigaBytes</source>
        <translation>gigaoctets</translation>
    </message>
    <message>
        <source>TeraBytes</source>
        <translation>téraoctets</translation>
    </message>
    <message>
        <source>PetaBytes</source>
        <translation>pétaoctets</translation>
    </message>
    <message>
        <source>ExaBytes</source>
        <translation>exaoctets</translation>
    </message>
    <message>
        <source>B</source>
        <translation>o</translation>
    </message>
    <message>
        <source>KB</source>
        <translation>Ko</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>To</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>Po</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>Eo</translation>
    </message>
</context>
</TS>
