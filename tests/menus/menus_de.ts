<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>TestMenus</name>
    <message>
        <source>&amp;File</source>
        <comment>Menus</comment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Übersicht</source>
        <comment>Menus</comment>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Open</source>
        <comment>Shortcuts</comment>
        <translation>Öffnen (Kürzel)</translation>
    </message>
    <message>
        <source>Open</source>
        <comment>Menus</comment>
        <translation>Ö&amp;ffnen</translation>
    </message>
</context>
<context>
    <name>OtherMenus</name>
    <message>
        <source>Save</source>
        <comment>Menus</comment>
        <translation>Speichern</translation>
    </message>
</context>
</TS>
