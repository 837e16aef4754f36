<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>lumetra::BatchPrompts</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>lumetra::EngineCaptions</name>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Sketch</source>
        <translation>Croquis</translation>
    </message>
    <message>
        <source>Sketch + Dot</source>
        <translation>Croquis + points</translation>
    </message>
    <message>
        <source>Pencil Sketch</source>
        <translation>Croquis au crayon</translation>
    </message>
    <message>
        <source>Color 1</source>
        <translation>Couleur 1</translation>
    </message>
    <message>
        <source>Color 1 + Dot</source>
        <translation>Couleur 1 + points</translation>
    </message>
    <message>
        <source>Color 2</source>
        <translation>Couleur 2</translation>
    </message>
    <message>
        <source>Color 2 + Dot</source>
        <translation>Couleur 2 + points</translation>
    </message>
    <message>
        <source>Sepia</source>
        <translation>Sépia</translation>
    </message>
    <message>
        <source>Sepia + Dot</source>
        <translation>Sépia + points</translation>
    </message>
    <message>
        <source>Contrast 1</source>
        <translation>Contraste 1</translation>
    </message>
    <message>
        <source>Contrast 1 + Dot</source>
        <translation>Contraste 1 + points</translation>
    </message>
    <message>
        <source>Contrast 2</source>
        <translation>Contraste 2</translation>
    </message>
    <message>
        <source>Contrast 2 + Dot</source>
        <translation>Contraste 2 + points</translation>
    </message>
    <message>
        <source>Gray 1</source>
        <translation>Gris 1</translation>
    </message>
    <message>
        <source>Gray 1 + Dot</source>
        <translation>Gris 1 + points</translation>
    </message>
    <message>
        <source>Gray 2</source>
        <translation>Gris 2</translation>
    </message>
    <message>
        <source>Gray 2 + Dot</source>
        <translation>Gris 2 + points</translation>
    </message>
    <message>
        <source>Transition 1</source>
        <translation>Transition 1</translation>
    </message>
    <message>
        <source>Transition 2</source>
        <translation>Transition 2</translation>
    </message>
    <message>
        <source>Sketch border sensitivity:</source>
        <translation>Sensibilité des contours :</translation>
    </message>
    <message>
        <source>Sketch detail level:</source>
        <translation>Niveau de détail :</translation>
    </message>
    <message>
        <source>Darkness:</source>
        <translation>Obscurité :</translation>
    </message>
    <message>
        <source>Brush width:</source>
        <translation>Largeur du pinceau :</translation>
    </message>
    <message>
        <source>Dot sensitivity:</source>
        <translation>Sensibilité des points :</translation>
    </message>
</context>
<context>
    <name>lumetra::FormAbout</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL, version 3 or later, with no warranty.</source>
        <translation>Logiciel libre sous licence GNU GPL, version 3 ou ultérieure, sans aucune garantie.</translation>
    </message>
</context>
<context>
    <name>lumetra::FormBatch</name>
    <message>
        <source>Batch Converter</source>
        <translation>Conversion par lot</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Liste des fichiers</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Ajouter des fichiers</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Cartoon effect</source>
        <translation>Effet de dessin</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Format de sortie</translation>
    </message>
    <message>
        <source>Image size</source>
        <translation>Taille de l’image</translation>
    </message>
    <message>
        <source>Don&apos;t resize</source>
        <translation>Ne pas redimensionner</translation>
    </message>
    <message>
        <source>New size:</source>
        <translation>Nouvelle taille :</translation>
    </message>
    <message>
        <source>Preserve Aspect Ratio</source>
        <translation>Conserver les proportions</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>pixels</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Can not read %1</source>
        <translation>Impossible de lire %1</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Veuillez choisir un dossier.</translation>
    </message>
    <message>
        <source>Please select the output folder.</source>
        <translation>Veuillez choisir le dossier de sortie.</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Do you want to open the output folder?</source>
        <translation>Voulez-vous ouvrir le dossier de sortie ?</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... et %n autre.</numerusform>
            <numerusform>... et %n autres.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not converted:</source>
        <translation>1 fichier n’a pas été converti :</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not converted:</source>
        <translation>
            <numerusform>%n fichier n’a pas été converti :</numerusform>
            <numerusform>%n fichiers n’ont pas été convertis :</numerusform>
        </translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Add Folder with Sub-folders…</source>
        <translation>Ajouter un dossier et ses sous-dossiers…</translation>
    </message>
    <message>
        <source>Add the pictures of a folder and of every folder below it; the outputs keep the same folders</source>
        <translation>Ajoute les images d’un dossier et de tous ses sous-dossiers ; les sorties gardent les mêmes dossiers</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Ignorer les fichiers déjà convertis</translation>
    </message>
    <message>
        <source>Leave a file out when its output in the output folder is newer than it</source>
        <translation>Omet un fichier lorsque sa sortie dans le dossier de sortie est plus récente que lui</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Please wait... about %1 left</source>
        <translation>Veuillez patienter... encore environ %1</translation>
    </message>
    <message>
        <source>1 file had the same name as an earlier file of the list and was written under a new name:</source>
        <translation>1 fichier portait le même nom qu’un fichier précédent de la liste et a été écrit sous un nouveau nom :</translation>
    </message>
    <message numerus="yes">
        <source>%n files had the same name as an earlier file of the list and were written under new names:</source>
        <translation>
            <numerusform>%n fichier portait le même nom qu’un fichier précédent de la liste et a été écrit sous un nouveau nom :</numerusform>
            <numerusform>%n fichiers portaient le même nom que des fichiers précédents de la liste et ont été écrits sous de nouveaux noms :</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep location</source>
        <translation>Conserver la position</translation>
    </message>
    <message>
        <source>Keep the GPS position of each photo in the JPEG, PNG and TIFF files written</source>
        <translation>Conserve la position GPS de chaque photo dans les fichiers JPEG, PNG et TIFF écrits</translation>
    </message>
    <message>
        <source>No program could be started to show the folder. Please open &quot;%1&quot; yourself.</source>
        <translation>Aucun programme n’a pu être lancé pour afficher le dossier. Veuillez ouvrir « %1 » vous-même.</translation>
    </message>
    <message>
        <source>Cannot write into the output folder &quot;%1&quot;: %2.</source>
        <translation>Impossible d’écrire dans le dossier de sortie « %1 » : %2.</translation>
    </message>
    <message>
        <source>Stop the conversion?</source>
        <translation>Arrêter la conversion ?</translation>
    </message>
    <message>
        <source>1 file was converted from a damaged picture:</source>
        <translation>1 fichier a été converti à partir d’une image endommagée :</translation>
    </message>
    <message numerus="yes">
        <source>%n files were converted from damaged pictures:</source>
        <translation>
            <numerusform>%n fichier a été converti à partir d’une image endommagée :</numerusform>
            <numerusform>%n fichiers ont été convertis à partir d’images endommagées :</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lumetra::FormMain</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Open [Ctrl+O]</source>
        <translation>Ouvrir [Ctrl+O]</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Save [Ctrl+S]</source>
        <translation>Enregistrer [Ctrl+S]</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Copy to clipboard [Ctrl+C]</source>
        <translation>Copier dans le presse-papiers [Ctrl+C]</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Paste from clipboard [Ctrl+V]</source>
        <translation>Coller depuis le presse-papiers [Ctrl+V]</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>Lot</translation>
    </message>
    <message>
        <source>Batch converter  [Ctrl+B]</source>
        <translation>Conversion par lot  [Ctrl+B]</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Please open a image file</source>
        <translation>Veuillez ouvrir un fichier image</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Low system resources. Some images could not be generated or could not be displayed.
Please use smaller image or try to run this software on a computer with more memory.</source>
        <translation>Ressources système insuffisantes. Certaines images n’ont pas pu être générées ou affichées.
Veuillez utiliser une image plus petite ou lancer ce logiciel sur un ordinateur disposant de plus de mémoire.</translation>
    </message>
    <message>
        <source>Not enough memory to resize the picture to %1 x %2.</source>
        <translation>Mémoire insuffisante pour redimensionner l’image en %1 x %2.</translation>
    </message>
    <message>
        <source>Unknown image format</source>
        <translation>Format d’image inconnu</translation>
    </message>
    <message>
        <source>Cannot save %1: no picture is selected.</source>
        <translation>Impossible d’enregistrer %1 : aucune image n’est sélectionnée.</translation>
    </message>
    <message>
        <source>Cannot save %1: it is the picture being worked on. Choose another file name.</source>
        <translation>Impossible d’enregistrer %1 : c’est l’image en cours de traitement. Choisissez un autre nom de fichier.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Il n’y a aucune image à copier.</translation>
    </message>
    <message>
        <source>The clipboard is empty</source>
        <translation>Le presse-papiers est vide</translation>
    </message>
    <message>
        <source>Cannot paste the picture on the clipboard: at %1 x %2 pixels it is larger than %3 million pixels.</source>
        <translation>Impossible de coller l’image du presse-papiers : avec %1 x %2 pixels, elle dépasse %3 millions de pixels.</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
    <message>
        <source>Generate [F5]</source>
        <translation>Générer [F5]</translation>
    </message>
    <message>
        <source>Generate [F5, Ctrl+Return]</source>
        <translation>Générer [F5, Ctrl+Entrée]</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom In [Ctrl++]</source>
        <translation>Zoom avant [Ctrl++]</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Zoom Out [Ctrl+-]</source>
        <translation>Zoom arrière [Ctrl+-]</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Taille réelle</translation>
    </message>
    <message>
        <source>Actual Size [Ctrl+1]</source>
        <translation>Taille réelle [Ctrl+1]</translation>
    </message>
    <message>
        <source>Fit to Window</source>
        <translation>Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Fit to Window [Ctrl+0]</source>
        <translation>Ajuster à la fenêtre [Ctrl+0]</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <source>Show the original while held [\]</source>
        <translation>Affiche l’original tant que la touche est enfoncée [\]</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop [Esc]</source>
        <translation>Arrêter [Échap]</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>En direct</translation>
    </message>
    <message>
        <source>Live: the picture follows the settings</source>
        <translation>En direct : l’image suit les réglages</translation>
    </message>
    <message>
        <source>More commands</source>
        <translation>Autres commandes</translation>
    </message>
</context>
<context>
    <name>lumetra::FormResize</name>
    <message>
        <source>Resize</source>
        <translation>Redimensionner</translation>
    </message>
    <message>
        <source>New image size</source>
        <translation>Nouvelle taille de l’image</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Custom:</source>
        <translation>Personnalisée :</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Smaller image size may get better cartoon effect.</source>
        <translation>Une image plus petite donne souvent un meilleur effet de dessin.</translation>
    </message>
    <message>
        <source>Do you want to resize the image now?</source>
        <translation>Voulez-vous redimensionner l’image maintenant ?</translation>
    </message>
</context>
<context>
    <name>lumetra::HelpPage</name>
    <message>
        <source>Cannot open the help page %1: the file is missing.</source>
        <translation>Impossible d’ouvrir la page d’aide %1 : le fichier est introuvable.</translation>
    </message>
</context>
<context>
    <name>lumetra::HelpWindow</name>
    <message>
        <source>Lumetra Help</source>
        <translation>Aide de Lumetra</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Page d’aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Cannot open the help page %1: the file cannot be read.</source>
        <translation>Impossible d’ouvrir la page d’aide %1 : le fichier est illisible.</translation>
    </message>
</context>
<context>
    <name>lumetra::ParameterPanel</name>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Blur</source>
        <translation>Flou</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>Adjust sketch depth</source>
        <translation>Ajuster la profondeur</translation>
    </message>
    <message>
        <source>Color Sketch</source>
        <translation>Croquis en couleur</translation>
    </message>
    <message>
        <source>Mix similar color</source>
        <translation>Unifier les teintes</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Générer</translation>
    </message>
</context>
<context>
    <name>lumetra::PictureFormats</name>
    <message>
        <source>%1 files (%2)</source>
        <translation>Fichiers %1 (%2)</translation>
    </message>
    <message>
        <source>Images files (%1)</source>
        <translation>Fichiers image (%1)</translation>
    </message>
    <message>
        <source>Phone and web pictures (%1)</source>
        <translation>Images de smartphone et du web (%1)</translation>
    </message>
</context>
<context>
    <name>lumetra::PreviewArea</name>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
</context>
<context>
    <name>lumetra::SettingsStore</name>
    <message>
        <source>The settings file &quot;%1&quot; cannot be used (%2); the defaults apply.</source>
        <translation>Le fichier de réglages « %1 » ne peut pas être utilisé (%2) ; les réglages par défaut s’appliquent.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is %2, not a regular file; the defaults apply.</source>
        <translation>Le fichier de réglages « %1 » n’est pas un fichier ordinaire (%2) ; les réglages par défaut s’appliquent.</translation>
    </message>
</context>
<context>
    <name>lumetra::SnapshotGallery</name>
    <message>
        <source>Gallery</source>
        <translation>Galerie</translation>
    </message>
</context>
<context>
    <name>lumetra::ZoomMode</name>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Fit %1</source>
        <translation>Ajusté %1</translation>
    </message>
</context>
<context>
    <name>lumetra::cli::Help</name>
    <message>
        <source>  %1%2 %3..%4, default %5
</source>
        <translation>  %1%2 %3..%4, par défaut %5
</translation>
    </message>
    <message>
        <source>Usage:
  lumetra-cli render  INPUT OUTPUT [--effect E] [--size WxH [--stretch]] [PARAMS]
  lumetra-cli gallery INPUT OUTDIR [--format FMT] [--size WxH [--stretch]] [PARAMS]
  lumetra-cli batch   INPUT... --out DIR [--effect E] [--format FMT] [--size WxH [--stretch]]
                      [--jobs N] [--recursive] [--files-from FILE|- [--null]] [--shard K/N]
                      [--skip-existing] [--report FILE.jsonl] [PARAMS]
  lumetra-cli effects
  lumetra-cli --help | --version

render  writes one effect of INPUT to OUTPUT, in the format of OUTPUT&apos;s extension
        (.jpg .jpeg .png .gif .tif .tiff .bmp). E: 0..19 or a name (default 1, &quot;Sketch&quot;).
gallery writes all twenty pictures to OUTDIR/NN-name.FMT (FMT default png).
batch   writes one effect of every INPUT to DIR/&lt;base name&gt;.FMT (E: 1..17, default 1;
        FMT default jpg), N files at a time on one core each (default: one per
        processor core). Inputs are taken in sorted order, each once; when two would
        write the same file, the later is written as &quot;&lt;base name&gt; (2).FMT&quot;.
        --recursive       folders among the inputs are converted with their sub-folders;
                          the outputs keep the same folders below DIR
        --files-from FILE more inputs, one per line (- reads standard input;
                          --null: separated by NUL, as find -print0 writes them)
        --shard K/N       convert only the inputs at positions K, K+N, K+2N, ... of
                          the sorted list (N processes with K = 0..N-1 cover it once)
        --skip-existing   leave out inputs whose output is newer than they are
        --report FILE     append one JSON line per input: input, output, status
                          (ok, failed, skipped), reason, milliseconds, width, height
effects lists the effects with their numbers.

FMT is jpg, png, gif, tif or bmp. --size WxH (each 10..10000) fits the picture inside
W x H keeping its shape, or makes it exactly W x H with --stretch.
--max-megapixels N refuses larger pictures before reading them (default 100).

PARAMS:
</source>
        <translation>Utilisation :
  lumetra-cli render  ENTRÉE SORTIE [--effect E] [--size LxH [--stretch]] [PARAMÈTRES]
  lumetra-cli gallery ENTRÉE DOSSIER [--format FMT] [--size LxH [--stretch]] [PARAMÈTRES]
  lumetra-cli batch   ENTRÉE... --out DOSSIER [--effect E] [--format FMT] [--size LxH [--stretch]]
                      [--jobs N] [--recursive] [--files-from FICHIER|- [--null]] [--shard K/N]
                      [--skip-existing] [--report FICHIER.jsonl] [PARAMÈTRES]
  lumetra-cli effects
  lumetra-cli --help | --version

render  écrit un effet d’ENTRÉE dans SORTIE, au format de l’extension de SORTIE
        (.jpg .jpeg .png .gif .tif .tiff .bmp). E : 0..19 ou un nom (par défaut 1, &quot;Sketch&quot;).
gallery écrit les vingt images dans DOSSIER/NN-nom.FMT (FMT par défaut png).
batch   écrit un effet de chaque ENTRÉE dans DOSSIER/&lt;nom de base&gt;.FMT (E : 1..17, par
        défaut 1 ; FMT par défaut jpg), N fichiers à la fois, un cœur chacun (par défaut :
        un par cœur du processeur). Les entrées sont prises triées, chacune une fois ; si
        deux écriraient le même fichier, la seconde est écrite sous &quot;&lt;nom de base&gt; (2).FMT&quot;.
        --recursive       convertit les dossiers parmi les entrées avec leurs sous-dossiers ;
                          les sorties gardent les mêmes dossiers sous DOSSIER
        --files-from FICHIER autres entrées, une par ligne (- lit l&apos;entrée standard ;
                          --null : séparées par NUL, comme les écrit find -print0)
        --shard K/N       ne convertit que les entrées aux positions K, K+N, K+2N, ... de
                          la liste triée (N processus avec K = 0..N-1 la couvrent une fois)
        --skip-existing   omet les entrées dont la sortie est plus récente qu&apos;elles
        --report FICHIER  ajoute une ligne JSON par entrée : input, output, status
                          (ok, failed, skipped), reason, milliseconds, width, height
effects affiche la liste des effets avec leurs numéros.

FMT vaut jpg, png, gif, tif ou bmp. --size LxH (chacun de 10 à 10000) fait tenir l’image
dans L x H en gardant ses proportions, ou lui donne exactement L x H avec --stretch.
--max-megapixels N refuse les images plus grandes avant de les lire (par défaut 100).

PARAMÈTRES :
</translation>
    </message>
    <message>
        <source>  --blur, --sharpen       post-filters (both: blur first)
  --adjust, --no-adjust   adjust sketch depth (default on)
  --color-sketch, --no-color-sketch
                          colour sketch (default off; only while adjust is on)
  --mix, --no-mix         mix similar colours (default on)

Exit status: 0 all done; 1 some input could not be read or some output not written;
2 usage error.

Example:
  lumetra-cli render Samples/chelsea.png chelsea-pencil.png --effect &quot;pencil sketch&quot;
</source>
        <translation>  --blur, --sharpen       filtres finaux (les deux : le flou d’abord)
  --adjust, --no-adjust   ajuster la profondeur du croquis (activé par défaut)
  --color-sketch, --no-color-sketch
                          croquis en couleur (désactivé par défaut ; seulement avec --adjust)
  --mix, --no-mix         unifier les teintes proches (activé par défaut)

Code de sortie : 0 tout est fait ; 1 une entrée n’a pas pu être lue ou une sortie pas
écrite ; 2 erreur d’utilisation.

Exemple :
  lumetra-cli render Samples/chelsea.png chelsea-crayon.png --effect &quot;pencil sketch&quot;
</translation>
    </message>
    <message>
        <source>
Pictures read: BMP, GIF, JPEG, PNG, TIFF, HEIC/HEIF, AVIF, WebP, JPEG XL (any INPUT);
written: JPEG, PNG, GIF, TIFF, BMP.
Photo details: JPEG, PNG and TIFF outputs of render, gallery and batch keep the input&apos;s
date and time, camera, artist and copyright (EXIF); its GPS position only with
--keep-location; --strip-metadata writes none of them.
</source>
        <translation>
Images lues : BMP, GIF, JPEG, PNG, TIFF, HEIC/HEIF, AVIF, WebP, JPEG XL (toute ENTRÉE) ;
écrites : JPEG, PNG, GIF, TIFF, BMP.
Détails de la photo : les sorties JPEG, PNG et TIFF de render, gallery et batch gardent la
date et l’heure, l’appareil, l’auteur et le copyright de l’entrée (EXIF) ; sa position GPS
seulement avec --keep-location ; --strip-metadata n’en écrit aucun.
</translation>
    </message>
</context>
</TS>
