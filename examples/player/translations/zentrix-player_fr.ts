<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>Demo</name>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
</context>
<context>
    <name>MpvPlayer</name>
    <message>
        <source>libmpv could not be started</source>
        <translation>libmpv n&apos;a pas pu être démarré</translation>
    </message>
    <message>
        <source>libmpv refused the option %1=%2: %3</source>
        <translation>libmpv a refusé l&apos;option %1=%2&#xa0;: %3</translation>
    </message>
    <message>
        <source>libmpv could not be initialised: %1</source>
        <translation>libmpv n&apos;a pas pu être initialisé&#xa0;: %1</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n&apos;existe pas</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>le fichier ne peut pas être lu</translation>
    </message>
</context>
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
    <message>
        <source>fits: %1</source>
        <translation>compatible&#xa0;: %1</translation>
    </message>
    <message>
        <source>does not fit: %1 (%2)</source>
        <translation>incompatible&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>the device</source>
        <translation>l&apos;appareil</translation>
    </message>
    <message>
        <source>For %1:
%2</source>
        <translation>Pour %1&#xa0;:
%2</translation>
    </message>
    <message numerus="yes">
        <source>Transfer %n file(s)</source>
        <translation>
            <numerusform>Transférer %n fichier</numerusform>
            <numerusform>Transférer %n fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>The transfer wizard could not be started.</source>
        <translation>L&apos;assistant de transfert n&apos;a pas pu être démarré.</translation>
    </message>
    <message>
        <source>%1x%2 is larger than %3x%4</source>
        <translation>%1x%2 dépasse %3x%4</translation>
    </message>
    <message>
        <source>%1x%2 is smaller than %3x%4</source>
        <translation>%1x%2 est inférieur à %3x%4</translation>
    </message>
    <message>
        <source>%1 frames a second is more than %2</source>
        <translation>%1 images par seconde dépassent %2</translation>
    </message>
    <message>
        <source>%1 frames a second is less than %2</source>
        <translation>%1 images par seconde sont en dessous de %2</translation>
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
        <translation>Le lecteur n&apos;ouvre pas «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Add &amp;Folder to Library...</source>
        <comment>Menus</comment>
        <translation>Ajouter un &amp;dossier à la médiathèque...</translation>
    </message>
    <message>
        <source>Add Folder to Library</source>
        <translation>Ajouter un dossier à la médiathèque</translation>
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
        <translation>Pays&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>Executable: %1</source>
        <translation>Exécutable&#xa0;: %1</translation>
    </message>
    <message>
        <source>Language: %1 (%2)</source>
        <translation>Langue&#xa0;: %1 (%2)</translation>
    </message>
    <message>
        <source>MavLibrary %1, Qt %2, %3, SQLite %4</source>
        <translation>MavLibrary %1, Qt %2, %3, SQLite %4</translation>
    </message>
    <message>
        <source>Platform: %1</source>
        <translation>Plateforme&#xa0;: %1</translation>
    </message>
    <message>
        <source>System code page: %1</source>
        <translation>Page de codes du système&#xa0;: %1</translation>
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
        <translation>Espace libre pour les téléchargements&#xa0;: %1</translation>
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
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Nothing can be played: %1</source>
        <translation>Aucune lecture possible&#xa0;: %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Audio languages</source>
        <translation>Langues audio</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 ouvert</translation>
    </message>
    <message>
        <source>Cannot play %1: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is not a movie</source>
        <translation>%1 n&apos;est pas un film</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>Lecture en cours</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Speed %1x</source>
        <translation>Vitesse %1x</translation>
    </message>
    <message>
        <source>Loop on</source>
        <translation>Lecture en boucle activée</translation>
    </message>
    <message>
        <source>Loop off</source>
        <translation>Lecture en boucle désactivée</translation>
    </message>
    <message>
        <source>Volume %1%</source>
        <translation>Volume %1&#xa0;%</translation>
    </message>
    <message>
        <source>Back %1 s</source>
        <translation>Retour de %1 s</translation>
    </message>
    <message>
        <source>Forward %1 s</source>
        <translation>Avance de %1 s</translation>
    </message>
    <message>
        <source>Audio: %1</source>
        <translation>Audio&#xa0;: %1</translation>
    </message>
    <message>
        <source>Subtitles: %1</source>
        <translation>Sous-titres&#xa0;: %1</translation>
    </message>
    <message>
        <source>Always on top</source>
        <translation>Toujours au premier plan</translation>
    </message>
    <message>
        <source>No longer on top</source>
        <translation>Plus au premier plan</translation>
    </message>
    <message numerus="yes">
        <source>%n movie(s) in the library</source>
        <translation>
            <numerusform>%n film dans la médiathèque</numerusform>
            <numerusform>%n films dans la médiathèque</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding %1 to the library</source>
        <translation>Ajout de %1 à la médiathèque</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Appareil&#xa0;: %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>Nothing selected to transfer</source>
        <translation>Rien n&apos;est sélectionné pour le transfert</translation>
    </message>
    <message>
        <source>The transfer wizard is not installed</source>
        <translation>L&apos;assistant de transfert n&apos;est pas installé</translation>
    </message>
    <message>
        <source>The transfer wizard could not be started</source>
        <translation>L&apos;assistant de transfert n&apos;a pas pu être démarré</translation>
    </message>
    <message>
        <source>The transfer wizard has started</source>
        <translation>L&apos;assistant de transfert a démarré</translation>
    </message>
    <message>
        <source>None of the selected files exists</source>
        <translation>Aucun des fichiers sélectionnés n&apos;existe</translation>
    </message>
    <message>
        <source>Transfer cancelled</source>
        <translation>Transfert annulé</translation>
    </message>
    <message>
        <source>The file types could not be changed</source>
        <translation>Les types de fichiers n&apos;ont pas pu être modifiés</translation>
    </message>
    <message numerus="yes">
        <source>%n file type(s) changed</source>
        <translation>
            <numerusform>%n type de fichier modifié</numerusform>
            <numerusform>%n types de fichiers modifiés</numerusform>
        </translation>
    </message>
    <message>
        <source>Settings are in %1</source>
        <translation>Les paramètres se trouvent dans %1</translation>
    </message>
    <message>
        <source>No recent file to show</source>
        <translation>Aucun fichier récent à montrer</translation>
    </message>
    <message>
        <source>Showed %1</source>
        <translation>%1 montré</translation>
    </message>
    <message>
        <source>Cannot play %1: %2.</source>
        <translation>Impossible de lire %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>sound only</source>
        <translation>son uniquement</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
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
        <translation>Ouvrir ces fichiers avec Zentrix Player&#xa0;:</translation>
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
<context>
    <name>main</name>
    <message>
        <source>Zentrix Player cannot use its settings: %1.

It goes on with its default settings.</source>
        <translation>Zentrix Player ne peut pas utiliser ses paramètres&#xa0;: %1.

Il continue avec ses paramètres par défaut.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
</TS>
