<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Languages</name>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Bokmål, Norwegian</source>
        <translation>Norwegisch (Bokmål)</translation>
    </message>
</context>
<context>
    <name>Countries</name>
    <message>
        <source>Ivory Coast (Cote D&apos;Ivoire) </source>
        <translation>Elfenbeinküste</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Deutschland</translation>
    </message>
</context>
<context>
    <name>CodePages</name>
    <message>
        <source>Nordic withough Icelandic (MS-DOS 865)</source>
        <translation>Nordisch ohne Isländisch (MS-DOS 865)</translation>
    </message>
</context>
<context>
    <name>CodePageRegion</name>
    <message>
        <source>Unicode</source>
        <translation>Unicode-Kodierungen</translation>
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
        <translation>Land: %1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>lang</comment>
        <translation>Sprache: %1</translation>
    </message>
</context>
</TS>
