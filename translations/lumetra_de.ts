<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>lumetra::BatchPrompts</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
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
        <translation>Skizze</translation>
    </message>
    <message>
        <source>Sketch + Dot</source>
        <translation>Skizze + Punkte</translation>
    </message>
    <message>
        <source>Pencil Sketch</source>
        <translation>Bleistiftskizze</translation>
    </message>
    <message>
        <source>Color 1</source>
        <translation>Farbe 1</translation>
    </message>
    <message>
        <source>Color 1 + Dot</source>
        <translation>Farbe 1 + Punkte</translation>
    </message>
    <message>
        <source>Color 2</source>
        <translation>Farbe 2</translation>
    </message>
    <message>
        <source>Color 2 + Dot</source>
        <translation>Farbe 2 + Punkte</translation>
    </message>
    <message>
        <source>Sepia</source>
        <translation>Sepia</translation>
    </message>
    <message>
        <source>Sepia + Dot</source>
        <translation>Sepia + Punkte</translation>
    </message>
    <message>
        <source>Contrast 1</source>
        <translation>Kontrast 1</translation>
    </message>
    <message>
        <source>Contrast 1 + Dot</source>
        <translation>Kontrast 1 + Punkte</translation>
    </message>
    <message>
        <source>Contrast 2</source>
        <translation>Kontrast 2</translation>
    </message>
    <message>
        <source>Contrast 2 + Dot</source>
        <translation>Kontrast 2 + Punkte</translation>
    </message>
    <message>
        <source>Gray 1</source>
        <translation>Grau 1</translation>
    </message>
    <message>
        <source>Gray 1 + Dot</source>
        <translation>Grau 1 + Punkte</translation>
    </message>
    <message>
        <source>Gray 2</source>
        <translation>Grau 2</translation>
    </message>
    <message>
        <source>Gray 2 + Dot</source>
        <translation>Grau 2 + Punkte</translation>
    </message>
    <message>
        <source>Transition 1</source>
        <translation>Übergang 1</translation>
    </message>
    <message>
        <source>Transition 2</source>
        <translation>Übergang 2</translation>
    </message>
    <message>
        <source>Sketch border sensitivity:</source>
        <translation>Empfindlichkeit für Kanten:</translation>
    </message>
    <message>
        <source>Sketch detail level:</source>
        <translation>Detailstufe der Skizze:</translation>
    </message>
    <message>
        <source>Darkness:</source>
        <translation>Dunkelheit:</translation>
    </message>
    <message>
        <source>Brush width:</source>
        <translation>Pinselbreite:</translation>
    </message>
    <message>
        <source>Dot sensitivity:</source>
        <translation>Empfindlichkeit für Punkte:</translation>
    </message>
</context>
<context>
    <name>lumetra::FormAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Free software under the GNU GPL, version 3 or later, with no warranty.</source>
        <translation>Freie Software unter der GNU GPL, Version 3 oder neuer, ohne jede Gewährleistung.</translation>
    </message>
</context>
<context>
    <name>lumetra::FormBatch</name>
    <message>
        <source>Batch Converter</source>
        <translation>Stapelumwandlung</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Cartoon effect</source>
        <translation>Cartoon-Effekt</translation>
    </message>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Image size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>Don&apos;t resize</source>
        <translation>Größe nicht ändern</translation>
    </message>
    <message>
        <source>New size:</source>
        <translation>Neue Größe:</translation>
    </message>
    <message>
        <source>Preserve Aspect Ratio</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message numerus="yes">
        <source>%n file</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Can not read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Bitte wählen Sie einen Ordner.</translation>
    </message>
    <message>
        <source>Please select the output folder.</source>
        <translation>Bitte wählen Sie den Ausgabeordner.</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Do you want to open the output folder?</source>
        <translation>Möchten Sie den Ausgabeordner öffnen?</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... und %n weitere.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 file was not converted:</source>
        <translation>1 Datei wurde nicht umgewandelt:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not converted:</source>
        <translation>
            <numerusform>%n Datei wurde nicht umgewandelt:</numerusform>
            <numerusform>%n Dateien wurden nicht umgewandelt:</numerusform>
        </translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Add Folder with Sub-folders…</source>
        <translation>Ordner mit Unterordnern hinzufügen…</translation>
    </message>
    <message>
        <source>Add the pictures of a folder and of every folder below it; the outputs keep the same folders</source>
        <translation>Fügt die Bilder eines Ordners und aller Ordner darunter hinzu; die Ausgaben behalten dieselben Ordner</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Bereits umgewandelte Dateien überspringen</translation>
    </message>
    <message>
        <source>Leave a file out when its output in the output folder is newer than it</source>
        <translation>Lässt eine Datei aus, wenn ihre Ausgabe im Ausgabeordner neuer ist als sie</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Please wait... about %1 left</source>
        <translation>Bitte warten... noch etwa %1</translation>
    </message>
    <message>
        <source>1 file had the same name as an earlier file of the list and was written under a new name:</source>
        <translation>1 Datei hatte denselben Namen wie eine frühere Datei der Liste und wurde unter einem neuen Namen geschrieben:</translation>
    </message>
    <message numerus="yes">
        <source>%n files had the same name as an earlier file of the list and were written under new names:</source>
        <translation>
            <numerusform>%n Datei hatte denselben Namen wie eine frühere Datei der Liste und wurde unter einem neuen Namen geschrieben:</numerusform>
            <numerusform>%n Dateien hatten denselben Namen wie frühere Dateien der Liste und wurden unter neuen Namen geschrieben:</numerusform>
        </translation>
    </message>
    <message>
        <source>Keep location</source>
        <translation>Standort behalten</translation>
    </message>
    <message>
        <source>Keep the GPS position of each photo in the JPEG, PNG and TIFF files written</source>
        <translation>Behält die GPS-Position jedes Fotos in den geschriebenen JPEG-, PNG- und TIFF-Dateien</translation>
    </message>
    <message>
        <source>No program could be started to show the folder. Please open &quot;%1&quot; yourself.</source>
        <translation>Es konnte kein Programm gestartet werden, das den Ordner anzeigt. Bitte öffnen Sie „%1“ selbst.</translation>
    </message>
    <message>
        <source>Cannot write into the output folder &quot;%1&quot;: %2.</source>
        <translation>In den Ausgabeordner „%1“ kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Stop the conversion?</source>
        <translation>Umwandlung anhalten?</translation>
    </message>
    <message>
        <source>1 file was converted from a damaged picture:</source>
        <translation>1 Datei wurde aus einem beschädigten Bild umgewandelt:</translation>
    </message>
    <message numerus="yes">
        <source>%n files were converted from damaged pictures:</source>
        <translation>
            <numerusform>%n Datei wurde aus einem beschädigten Bild umgewandelt:</numerusform>
            <numerusform>%n Dateien wurden aus beschädigten Bildern umgewandelt:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lumetra::FormMain</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open [Ctrl+O]</source>
        <translation>Öffnen [Strg+O]</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save [Ctrl+S]</source>
        <translation>Speichern [Strg+S]</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy to clipboard [Ctrl+C]</source>
        <translation>In die Zwischenablage kopieren [Strg+C]</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Paste from clipboard [Ctrl+V]</source>
        <translation>Aus der Zwischenablage einfügen [Strg+V]</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>Stapel</translation>
    </message>
    <message>
        <source>Batch converter  [Ctrl+B]</source>
        <translation>Stapelumwandlung  [Strg+B]</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please open a image file</source>
        <translation>Bitte öffnen Sie eine Bilddatei</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Low system resources. Some images could not be generated or could not be displayed.
Please use smaller image or try to run this software on a computer with more memory.</source>
        <translation>Die Systemressourcen reichen nicht aus. Einige Bilder konnten nicht erzeugt oder nicht angezeigt werden.
Bitte verwenden Sie ein kleineres Bild oder starten Sie das Programm auf einem Computer mit mehr Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>Not enough memory to resize the picture to %1 x %2.</source>
        <translation>Nicht genug Arbeitsspeicher, um die Bildgröße auf %1 x %2 zu ändern.</translation>
    </message>
    <message>
        <source>Unknown image format</source>
        <translation>Unbekanntes Bildformat</translation>
    </message>
    <message>
        <source>Cannot save %1: no picture is selected.</source>
        <translation>%1 kann nicht gespeichert werden: Es ist kein Bild ausgewählt.</translation>
    </message>
    <message>
        <source>Cannot save %1: it is the picture being worked on. Choose another file name.</source>
        <translation>%1 kann nicht gespeichert werden: Es ist das Bild, das gerade bearbeitet wird. Wählen Sie einen anderen Dateinamen.</translation>
    </message>
    <message>
        <source>There is no picture to copy.</source>
        <translation>Es gibt kein Bild zum Kopieren.</translation>
    </message>
    <message>
        <source>The clipboard is empty</source>
        <translation>Die Zwischenablage ist leer</translation>
    </message>
    <message>
        <source>Cannot paste the picture on the clipboard: at %1 x %2 pixels it is larger than %3 million pixels.</source>
        <translation>Das Bild in der Zwischenablage kann nicht eingefügt werden: Mit %1 x %2 Pixeln ist es größer als %3 Millionen Pixel.</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
    <message>
        <source>Generate [F5]</source>
        <translation>Erzeugen [F5]</translation>
    </message>
    <message>
        <source>Generate [F5, Ctrl+Return]</source>
        <translation>Erzeugen [F5, Strg+Eingabe]</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom In [Ctrl++]</source>
        <translation>Vergrößern [Strg++]</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom Out [Ctrl+-]</source>
        <translation>Verkleinern [Strg+-]</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Actual Size [Ctrl+1]</source>
        <translation>Originalgröße [Strg+1]</translation>
    </message>
    <message>
        <source>Fit to Window</source>
        <translation>An Fenster anpassen</translation>
    </message>
    <message>
        <source>Fit to Window [Ctrl+0]</source>
        <translation>An Fenster anpassen [Strg+0]</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>Show the original while held [\]</source>
        <translation>Zeigt das Original, solange gedrückt [\]</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop [Esc]</source>
        <translation>Anhalten [Esc]</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Live: the picture follows the settings</source>
        <translation>Live: Das Bild folgt den Einstellungen</translation>
    </message>
    <message>
        <source>More commands</source>
        <translation>Weitere Befehle</translation>
    </message>
</context>
<context>
    <name>lumetra::FormResize</name>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>New image size</source>
        <translation>Neue Bildgröße</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Custom:</source>
        <translation>Eigene:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Smaller image size may get better cartoon effect.</source>
        <translation>Mit einem kleineren Bild gelingt der Cartoon-Effekt oft besser.</translation>
    </message>
    <message>
        <source>Do you want to resize the image now?</source>
        <translation>Möchten Sie die Bildgröße jetzt ändern?</translation>
    </message>
</context>
<context>
    <name>lumetra::HelpPage</name>
    <message>
        <source>Cannot open the help page %1: the file is missing.</source>
        <translation>Die Hilfeseite %1 kann nicht geöffnet werden: Die Datei fehlt.</translation>
    </message>
</context>
<context>
    <name>lumetra::HelpWindow</name>
    <message>
        <source>Lumetra Help</source>
        <translation>Lumetra-Hilfe</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Cannot open the help page %1: the file cannot be read.</source>
        <translation>Die Hilfeseite %1 kann nicht geöffnet werden: Die Datei ist nicht lesbar.</translation>
    </message>
</context>
<context>
    <name>lumetra::ParameterPanel</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Blur</source>
        <translation>Weichzeichnen</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Schärfen</translation>
    </message>
    <message>
        <source>Adjust sketch depth</source>
        <translation>Skizzentiefe anpassen</translation>
    </message>
    <message>
        <source>Color Sketch</source>
        <translation>Farbskizze</translation>
    </message>
    <message>
        <source>Mix similar color</source>
        <translation>Ähnliche Farben mischen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
</context>
<context>
    <name>lumetra::PictureFormats</name>
    <message>
        <source>%1 files (%2)</source>
        <translation>%1-Dateien (%2)</translation>
    </message>
    <message>
        <source>Images files (%1)</source>
        <translation>Bilddateien (%1)</translation>
    </message>
    <message>
        <source>Phone and web pictures (%1)</source>
        <translation>Smartphone- und Webbilder (%1)</translation>
    </message>
</context>
<context>
    <name>lumetra::PreviewArea</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>lumetra::SettingsStore</name>
    <message>
        <source>The settings file &quot;%1&quot; cannot be used (%2); the defaults apply.</source>
        <translation>Die Einstellungsdatei „%1“ kann nicht verwendet werden (%2); es gelten die Vorgaben.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; is %2, not a regular file; the defaults apply.</source>
        <translation>Die Einstellungsdatei „%1“ ist keine gewöhnliche Datei (%2); es gelten die Vorgaben.</translation>
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
        <translation>Angepasst %1</translation>
    </message>
</context>
<context>
    <name>lumetra::cli::Help</name>
    <message>
        <source>  %1%2 %3..%4, default %5
</source>
        <translation>  %1%2 %3..%4, Vorgabe %5
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
        <translation>Aufruf:
  lumetra-cli render  EINGABE AUSGABE [--effect E] [--size BxH [--stretch]] [PARAMETER]
  lumetra-cli gallery EINGABE ZIELORDNER [--format FMT] [--size BxH [--stretch]] [PARAMETER]
  lumetra-cli batch   EINGABE... --out ORDNER [--effect E] [--format FMT] [--size BxH [--stretch]]
                      [--jobs N] [--recursive] [--files-from DATEI|- [--null]] [--shard K/N]
                      [--skip-existing] [--report DATEI.jsonl] [PARAMETER]
  lumetra-cli effects
  lumetra-cli --help | --version

render  schreibt einen Effekt von EINGABE nach AUSGABE, im Format der Endung von AUSGABE
        (.jpg .jpeg .png .gif .tif .tiff .bmp). E: 0..19 oder ein Name (Vorgabe 1, &quot;Sketch&quot;).
gallery schreibt alle zwanzig Bilder nach ZIELORDNER/NN-name.FMT (FMT Vorgabe png).
batch   schreibt einen Effekt jeder EINGABE nach ORDNER/&lt;Basisname&gt;.FMT (E: 1..17, Vorgabe 1;
        FMT Vorgabe jpg), N Dateien gleichzeitig mit je einem Kern (Vorgabe: eine je
        Prozessorkern). Eingaben werden sortiert und je einmal genommen; schrieben zwei
        dieselbe Datei, wird die spätere als &quot;&lt;Basisname&gt; (2).FMT&quot; geschrieben.
        --recursive       Ordner unter den Eingaben samt Unterordnern umwandeln; die
                          Ausgaben behalten dieselben Ordner unter ORDNER
        --files-from DATEI weitere Eingaben, eine je Zeile (- liest die Standardeingabe;
                          --null: durch NUL getrennt, wie find -print0 sie schreibt)
        --shard K/N       nur die Eingaben an den Stellen K, K+N, K+2N, ... der sortierten
                          Liste umwandeln (N Prozesse mit K = 0..N-1 decken sie einmal ab)
        --skip-existing   Eingaben auslassen, deren Ausgabe neuer ist als sie
        --report DATEI    je Eingabe eine JSON-Zeile anhängen: input, output, status
                          (ok, failed, skipped), reason, milliseconds, width, height
effects listet die Effekte mit ihren Nummern auf.

FMT ist jpg, png, gif, tif oder bmp. --size BxH (je 10..10000) passt das Bild unter
Wahrung seiner Form in B x H ein oder macht es mit --stretch genau B x H groß.
--max-megapixels N weist größere Bilder schon vor dem Lesen ab (Vorgabe 100).

PARAMETER:
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
        <translation>  --blur, --sharpen       Nachfilter (beide: erst weichzeichnen)
  --adjust, --no-adjust   Skizzentiefe anpassen (Vorgabe an)
  --color-sketch, --no-color-sketch
                          Farbskizze (Vorgabe aus; nur bei angepasster Skizzentiefe)
  --mix, --no-mix         ähnliche Farben mischen (Vorgabe an)

Rückgabewert: 0 alles erledigt; 1 eine Eingabe war nicht lesbar oder eine Ausgabe nicht
schreibbar; 2 Aufruffehler.

Beispiel:
  lumetra-cli render Samples/chelsea.png chelsea-bleistift.png --effect &quot;pencil sketch&quot;
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
Gelesene Bilder: BMP, GIF, JPEG, PNG, TIFF, HEIC/HEIF, AVIF, WebP, JPEG XL (jede EINGABE);
geschrieben: JPEG, PNG, GIF, TIFF, BMP.
Fotodetails: JPEG-, PNG- und TIFF-Ausgaben von render, gallery und batch behalten Datum und
Uhrzeit, Kamera, Urheber und Copyright der Eingabe (EXIF); ihre GPS-Position nur mit
--keep-location; --strip-metadata schreibt nichts davon.
</translation>
    </message>
</context>
</TS>
