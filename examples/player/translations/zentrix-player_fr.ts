<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>PlayerDevices</name>
    <message>
        <source>&amp;Devices</source>
        <comment>Menus</comment>
        <translation>A&amp;ppareils</translation>
    </message>
    <message>
        <source>&amp;Transfer to Device...</source>
        <comment>Menus</comment>
        <translation>&amp;Transférer vers l&apos;appareil...</translation>
    </message>
    <message>
        <source>Select the videos to transfer in the media library.</source>
        <translation>Sélectionnez dans la médiathèque les vidéos à transférer.</translation>
    </message>
    <message>
        <source>The transfer wizard is not installed.</source>
        <translation>L&apos;assistant de transfert n&apos;est pas installé.</translation>
    </message>
    <message>
        <source>Transfer to Device</source>
        <translation>Transférer vers l&apos;appareil</translation>
    </message>
</context>
<context>
    <name>PlayerFile</name>
    <message>
        <source>&amp;File</source>
        <comment>Menus</comment>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <comment>Menus</comment>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <comment>Menus</comment>
        <translation>Fichiers &amp;récents</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <comment>Menus</comment>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Movies (%1)</source>
        <translation>Films (%1)</translation>
    </message>
    <message>
        <source>Not a Movie</source>
        <translation>Pas un film</translation>
    </message>
    <message>
        <source>Open Movie</source>
        <translation>Ouvrir un film</translation>
    </message>
    <message>
        <source>The player does not open &quot;%1&quot;.</source>
        <translation>Le lecteur n&apos;ouvre pas « %1 ».</translation>
    </message>
    <message>
        <source>Add &amp;Folder to Library...</source>
        <comment>Menus</comment>
        <translation>Ajouter un &amp;dossier à la médiathèque...</translation>
    </message>
</context>
<context>
    <name>PlayerHelp</name>
    <message>
        <source>&amp;Help</source>
        <comment>Menus</comment>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About Zentrix Player</source>
        <comment>Menus</comment>
        <translation>À &amp;propos de Zentrix Player</translation>
    </message>
    <message>
        <source>Country: %1 (%2)</source>
        <translation>Pays : %1 (%2)</translation>
    </message>
    <message>
        <source>Executable: %1</source>
        <translation>Exécutable : %1</translation>
    </message>
    <message>
        <source>Language: %1 (%2)</source>
        <translation>Langue : %1 (%2)</translation>
    </message>
    <message>
        <source>MavLibrary %1, Qt %2, %3, SQLite %4</source>
        <translation>MavLibrary %1, Qt %2, %3, SQLite %4</translation>
    </message>
    <message>
        <source>Platform: %1</source>
        <translation>Plateforme : %1</translation>
    </message>
    <message>
        <source>System code page: %1</source>
        <translation>Page de codes du système : %1</translation>
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
        <translation>&amp;Lecture</translation>
    </message>
    <message>
        <source>&amp;Play/Pause</source>
        <comment>Menus</comment>
        <translation>&amp;Lecture/Pause</translation>
    </message>
    <message>
        <source>&amp;Speed</source>
        <comment>Menus</comment>
        <translation>&amp;Vitesse</translation>
    </message>
    <message>
        <source>&amp;Half</source>
        <comment>Menus</comment>
        <translation>&amp;Moitié</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <comment>Menus</comment>
        <translation>&amp;Normale</translation>
    </message>
    <message>
        <source>&amp;Faster</source>
        <comment>Menus</comment>
        <translation>Plus &amp;rapide</translation>
    </message>
    <message>
        <source>&amp;Double</source>
        <comment>Menus</comment>
        <translation>&amp;Double</translation>
    </message>
    <message>
        <source>&amp;Loop</source>
        <comment>Menus</comment>
        <translation>En &amp;boucle</translation>
    </message>
    <message>
        <source>Seek Forward</source>
        <comment>Shortcuts</comment>
        <translation>Avancer</translation>
    </message>
    <message>
        <source>Seek Backward</source>
        <comment>Shortcuts</comment>
        <translation>Reculer</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <comment>Shortcuts</comment>
        <translation>Augmenter le volume</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <comment>Menus</comment>
        <translation>&amp;Arrêt</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <comment>Shortcuts</comment>
        <translation>Baisser le volume</translation>
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
        <translation>À propos de Zentrix Player</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Free for downloads: %1</source>
        <translation>Espace libre pour les téléchargements : %1</translation>
    </message>
    <message>
        <source>Media Library</source>
        <translation>Médiathèque</translation>
    </message>
    <message>
        <source>No movie</source>
        <translation>Aucun film</translation>
    </message>
    <message>
        <source>Playing %1</source>
        <translation>Lecture de %1</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Sous-titres</translation>
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
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>File &amp;Types...</source>
        <comment>Menus</comment>
        <translation>&amp;Types de fichiers...</translation>
    </message>
    <message>
        <source>Show &amp;Settings Folder</source>
        <comment>Menus</comment>
        <translation>Afficher le dossier des &amp;paramètres</translation>
    </message>
    <message>
        <source>&amp;Reveal Last File</source>
        <comment>Menus</comment>
        <translation>&amp;Montrer le dernier fichier</translation>
    </message>
    <message>
        <source>File Types</source>
        <translation>Types de fichiers</translation>
    </message>
    <message>
        <source>Open these files with Zentrix Player:</source>
        <translation>Ouvrir ces fichiers avec Zentrix Player :</translation>
    </message>
</context>
<context>
    <name>PlayerView</name>
    <message>
        <source>&amp;View</source>
        <comment>Menus</comment>
        <translation>Affic&amp;hage</translation>
    </message>
    <message>
        <source>Always on &amp;Top</source>
        <comment>Menus</comment>
        <translation>Toujours au &amp;premier plan</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <comment>Menus</comment>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>Media &amp;Library</source>
        <comment>Menus</comment>
        <translation>&amp;Médiathèque</translation>
    </message>
    <message>
        <source>Refresh Library</source>
        <comment>Shortcuts</comment>
        <translation>Actualiser la médiathèque</translation>
    </message>
    <message>
        <source>Back to the Player</source>
        <comment>Shortcuts</comment>
        <translation>Retour au lecteur</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <comment>Menus</comment>
        <translation>Plein é&amp;cran</translation>
    </message>
</context>
</TS>
