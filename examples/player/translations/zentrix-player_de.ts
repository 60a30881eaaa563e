<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Demo</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
</context>
<context>
    <name>MpvPlayer</name>
    <message>
        <source>libmpv could not be started</source>
        <translation>libmpv konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>libmpv refused the option %1=%2: %3</source>
        <translation>libmpv hat die Option %1=%2 abgelehnt: %3</translation>
    </message>
    <message>
        <source>libmpv could not be initialised: %1</source>
        <translation>libmpv konnte nicht initialisiert werden: %1</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
</context>
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
    <message>
        <source>fits: %1</source>
        <translation>passt: %1</translation>
    </message>
    <message>
        <source>does not fit: %1 (%2)</source>
        <translation>passt nicht: %1 (%2)</translation>
    </message>
    <message>
        <source>the device</source>
        <translation>das Gerät</translation>
    </message>
    <message>
        <source>For %1:
%2</source>
        <translation>Für %1:
%2</translation>
    </message>
    <message numerus="yes">
        <source>Transfer %n file(s)</source>
        <translation>
            <numerusform>%n Datei übertragen</numerusform>
            <numerusform>%n Dateien übertragen</numerusform>
        </translation>
    </message>
    <message>
        <source>The transfer wizard could not be started.</source>
        <translation>Der Übertragungsassistent konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>%1x%2 is larger than %3x%4</source>
        <translation>%1x%2 ist größer als %3x%4</translation>
    </message>
    <message>
        <source>%1x%2 is smaller than %3x%4</source>
        <translation>%1x%2 ist kleiner als %3x%4</translation>
    </message>
    <message>
        <source>%1 frames a second is more than %2</source>
        <translation>%1 Bilder pro Sekunde sind mehr als %2</translation>
    </message>
    <message>
        <source>%1 frames a second is less than %2</source>
        <translation>%1 Bilder pro Sekunde sind weniger als %2</translation>
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
    <message>
        <source>Add Folder to Library</source>
        <translation>Ordner zur Bibliothek hinzufügen</translation>
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
    <message>
        <source>Play/Pause</source>
        <translation>Wiedergabe/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Nothing can be played: %1</source>
        <translation>Es kann nichts abgespielt werden: %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Audio languages</source>
        <translation>Audiosprachen</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <source>Cannot play %1: %2</source>
        <translation>%1 kann nicht abgespielt werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a movie</source>
        <translation>%1 ist kein Film</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>Wiedergabe läuft</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Speed %1x</source>
        <translation>Geschwindigkeit %1x</translation>
    </message>
    <message>
        <source>Loop on</source>
        <translation>Endlosschleife an</translation>
    </message>
    <message>
        <source>Loop off</source>
        <translation>Endlosschleife aus</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Lautstärke %1&#xa0;%</translation>
    </message>
    <message>
        <source>Back %1 s</source>
        <translation>%1 s zurück</translation>
    </message>
    <message>
        <source>Forward %1 s</source>
        <translation>%1 s vor</translation>
    </message>
    <message>
        <source>Audio: %1</source>
        <translation>Audio: %1</translation>
    </message>
    <message>
        <source>Subtitles: %1</source>
        <translation>Untertitel: %1</translation>
    </message>
    <message>
        <source>Always on top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>No longer on top</source>
        <translation>Nicht mehr im Vordergrund</translation>
    </message>
    <message numerus="yes">
        <source>%n movie(s) in the library</source>
        <translation>
            <numerusform>%n Film in der Bibliothek</numerusform>
            <numerusform>%n Filme in der Bibliothek</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding %1 to the library</source>
        <translation>%1 wird zur Bibliothek hinzugefügt</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Gerät: %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Nothing selected to transfer</source>
        <translation>Nichts zum Übertragen ausgewählt</translation>
    </message>
    <message>
        <source>The transfer wizard is not installed</source>
        <translation>Der Übertragungsassistent ist nicht installiert</translation>
    </message>
    <message>
        <source>The transfer wizard could not be started</source>
        <translation>Der Übertragungsassistent konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>The transfer wizard has started</source>
        <translation>Der Übertragungsassistent wurde gestartet</translation>
    </message>
    <message>
        <source>None of the selected files exists</source>
        <translation>Keine der ausgewählten Dateien existiert</translation>
    </message>
    <message>
        <source>Transfer cancelled</source>
        <translation>Übertragung abgebrochen</translation>
    </message>
    <message>
        <source>The file types could not be changed</source>
        <translation>Die Dateitypen konnten nicht geändert werden</translation>
    </message>
    <message numerus="yes">
        <source>%n file type(s) changed</source>
        <translation>
            <numerusform>%n Dateityp geändert</numerusform>
            <numerusform>%n Dateitypen geändert</numerusform>
        </translation>
    </message>
    <message>
        <source>Settings are in %1</source>
        <translation>Die Einstellungen liegen in %1</translation>
    </message>
    <message>
        <source>No recent file to show</source>
        <translation>Keine zuletzt geöffnete Datei zum Anzeigen</translation>
    </message>
    <message>
        <source>Showed %1</source>
        <translation>%1 angezeigt</translation>
    </message>
    <message>
        <source>Cannot play %1: %2.</source>
        <translation>%1 kann nicht abgespielt werden: %2.</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>nur Ton</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
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
<context>
    <name>main</name>
    <message>
        <source>Zentrix Player cannot use its settings: %1.

It goes on with its default settings.</source>
        <translation>Zentrix Player kann seine Einstellungen nicht verwenden: %1.

Er arbeitet mit den Standardeinstellungen weiter.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
</TS>
