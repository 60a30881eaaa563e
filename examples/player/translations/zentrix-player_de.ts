<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>PlayerDevices</name>
    <message>
        <source>&amp;Devices</source>
        <comment>Menus</comment>
        <translation>&amp;Geräte</translation>
    </message>
    <message>
        <source>&amp;Transfer to Device...</source>
        <comment>Menus</comment>
        <translation>Auf Gerät &amp;übertragen...</translation>
    </message>
    <message>
        <source>Select the videos to transfer in the media library.</source>
        <translation>Wählen Sie in der Medienbibliothek die Videos aus, die übertragen werden sollen.</translation>
    </message>
    <message>
        <source>The transfer wizard is not installed.</source>
        <translation>Der Übertragungsassistent ist nicht installiert.</translation>
    </message>
    <message>
        <source>Transfer to Device</source>
        <translation>Auf Gerät übertragen</translation>
    </message>
</context>
<context>
    <name>PlayerFile</name>
    <message>
        <source>&amp;File</source>
        <comment>Menus</comment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <comment>Menus</comment>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <comment>Menus</comment>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <comment>Menus</comment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Movies (%1)</source>
        <translation>Filme (%1)</translation>
    </message>
    <message>
        <source>Not a Movie</source>
        <translation>Kein Film</translation>
    </message>
    <message>
        <source>Open Movie</source>
        <translation>Film öffnen</translation>
    </message>
    <message>
        <source>The player does not open &quot;%1&quot;.</source>
        <translation>Der Player kann „%1“ nicht öffnen.</translation>
    </message>
    <message>
        <source>Add &amp;Folder to Library...</source>
        <comment>Menus</comment>
        <translation>&amp;Ordner zur Bibliothek hinzufügen...</translation>
    </message>
</context>
<context>
    <name>PlayerHelp</name>
    <message>
        <source>&amp;Help</source>
        <comment>Menus</comment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Zentrix Player</source>
        <comment>Menus</comment>
        <translation>&amp;Über Zentrix Player</translation>
    </message>
    <message>
        <source>Country: %1 (%2)</source>
        <translation>Land: %1 (%2)</translation>
    </message>
    <message>
        <source>Executable: %1</source>
        <translation>Programmdatei: %1</translation>
    </message>
    <message>
        <source>Language: %1 (%2)</source>
        <translation>Sprache: %1 (%2)</translation>
    </message>
    <message>
        <source>MavLibrary %1, Qt %2, %3, SQLite %4</source>
        <translation>MavLibrary %1, Qt %2, %3, SQLite %4</translation>
    </message>
    <message>
        <source>Platform: %1</source>
        <translation>Plattform: %1</translation>
    </message>
    <message>
        <source>System code page: %1</source>
        <translation>System-Codepage: %1</translation>
    </message>
    <message>
        <source>Zentrix Player %1</source>
        <translation>Zentrix Player %1</translation>
    </message>
</context>
<context>
    <name>PlayerPlayback</name>
    <message>
        <source>&amp;Playback</source>
        <comment>Menus</comment>
        <translation>&amp;Wiedergabe</translation>
    </message>
    <message>
        <source>&amp;Play/Pause</source>
        <comment>Menus</comment>
        <translation>&amp;Abspielen/Pause</translation>
    </message>
    <message>
        <source>&amp;Speed</source>
        <comment>Menus</comment>
        <translation>&amp;Geschwindigkeit</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <comment>Menus</comment>
        <translation>&amp;Halb</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <comment>Menus</comment>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Faster</source>
        <comment>Menus</comment>
        <translation>&amp;Schneller</translation>
    </message>
    <message>
        <source>&amp;Double</source>
        <comment>Menus</comment>
        <translation>&amp;Doppelt</translation>
    </message>
    <message>
        <source>&amp;Loop</source>
        <comment>Menus</comment>
        <translation>&amp;Endlosschleife</translation>
    </message>
    <message>
        <source>Seek Forward</source>
        <comment>Shortcuts</comment>
        <translation>Vorwärts springen</translation>
    </message>
    <message>
        <source>Seek Backward</source>
        <comment>Shortcuts</comment>
        <translation>Rückwärts springen</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <comment>Shortcuts</comment>
        <translation>Lauter</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <comment>Menus</comment>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <comment>Shortcuts</comment>
        <translation>Leiser</translation>
    </message>
</context>
<context>
    <name>PlayerShell</name>
    <message>
        <source>%1 - Zentrix Player</source>
        <translation>%1 - Zentrix Player</translation>
    </message>
    <message>
        <source>About Zentrix Player</source>
        <translation>Über Zentrix Player</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Free for downloads: %1</source>
        <translation>Frei für Downloads: %1</translation>
    </message>
    <message>
        <source>Media Library</source>
        <translation>Medienbibliothek</translation>
    </message>
    <message>
        <source>No movie</source>
        <translation>Kein Film</translation>
    </message>
    <message>
        <source>Playing %1</source>
        <translation>Wiedergabe: %1</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Zentrix Player</source>
        <translation>Zentrix Player</translation>
    </message>
</context>
<context>
    <name>PlayerTools</name>
    <message>
        <source>&amp;Tools</source>
        <comment>Menus</comment>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <comment>Menus</comment>
        <translation>&amp;Dateitypen...</translation>
    </message>
    <message>
        <source>Show &amp;Settings Folder</source>
        <comment>Menus</comment>
        <translation>&amp;Einstellungsordner anzeigen</translation>
    </message>
    <message>
        <source>&amp;Reveal Last File</source>
        <comment>Menus</comment>
        <translation>Letzte Datei im &amp;Ordner zeigen</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>Open these files with Zentrix Player:</source>
        <translation>Diese Dateien mit Zentrix Player öffnen:</translation>
    </message>
</context>
<context>
    <name>PlayerView</name>
    <message>
        <source>&amp;View</source>
        <comment>Menus</comment>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Always on &amp;Top</source>
        <comment>Menus</comment>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <comment>Menus</comment>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Media &amp;Library</source>
        <comment>Menus</comment>
        <translation>&amp;Medienbibliothek</translation>
    </message>
    <message>
        <source>Refresh Library</source>
        <comment>Shortcuts</comment>
        <translation>Bibliothek aktualisieren</translation>
    </message>
    <message>
        <source>Back to the Player</source>
        <comment>Shortcuts</comment>
        <translation>Zurück zum Player</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <comment>Menus</comment>
        <translation>Voll&amp;bild</translation>
    </message>
</context>
</TS>
