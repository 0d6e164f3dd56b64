<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Core</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>There is no file in this folder.</source>
        <translation>Dieser Ordner enthält keine Datei.</translation>
    </message>
    <message>
        <source>There is no file in this folder, do you want to edit this folder name?</source>
        <translation>Dieser Ordner enthält keine Datei. Möchten Sie den Namen dieses Ordners bearbeiten?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The new filename: &apos;%1&apos; can not be assigned, because some names(con, aux, com1, lpt1, prn, nul) are reserved by Windows, you should use another name.</source>
        <translation>Der neue Dateiname &apos;%1&apos; kann nicht vergeben werden, da einige Namen (con, aux, com1, lpt1, prn, nul) von Windows reserviert sind. Bitte verwenden Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>The new filename: &apos;%1&apos; can not be assigned, because the filename(plus path) is too long(&gt;255 characters), you should shorten it.</source>
        <translation>Der neue Dateiname &apos;%1&apos; kann nicht vergeben werden, da der Dateiname (samt Pfad) zu lang ist (mehr als 255 Zeichen). Bitte kürzen Sie ihn.</translation>
    </message>
    <message>
        <source>No filename had been changed,please check input text and 
make sure that the targeted files can be renamed.</source>
        <translation>Es wurde kein Dateiname geändert. Bitte prüfen Sie den eingegebenen Text und 
stellen Sie sicher, dass die gewählten Dateien umbenannt werden können.</translation>
    </message>
    <message>
        <source>(No filename will be renamed)</source>
        <translation>(Es wird kein Dateiname geändert)</translation>
    </message>
    <message>
        <source>(Others not shown...)</source>
        <translation>(Weitere nicht angezeigt ...)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The filenames could not be saved, neither to the chosen file nor to the home folder.</source>
        <translation>Die Dateinamen konnten weder in der gewählten Datei noch im persönlichen Ordner gespeichert werden.</translation>
    </message>
    <message>
        <source>The filenames could not be saved, neither to the chosen file nor to %1.</source>
        <translation>Die Dateinamen konnten weder in der gewählten Datei noch in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>The file is existing, replace it ?</source>
        <translation>Die Datei ist bereits vorhanden. Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>The filename had been saved to:</source>
        <translation>Die Dateinamen wurden gespeichert in:</translation>
    </message>
    <message>
        <source>Do you want to clear the new name list ?</source>
        <translation>Möchten Sie die Liste der neuen Namen leeren?</translation>
    </message>
    <message>
        <source>Clear Confirmation</source>
        <translation>Leeren bestätigen</translation>
    </message>
    <message>
        <source>You should remove one of following nine characters from input text, because they are prohibited in Windows filenames:  \ / : * ? &quot; &lt; &gt; |</source>
        <translation>Bitte entfernen Sie die folgenden neun Zeichen aus dem eingegebenen Text, da sie in Windows-Dateinamen nicht erlaubt sind:  \ / : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <source>Edit content is (%1),</source>
        <translation>Bearbeiteter Inhalt: (%1),</translation>
    </message>
    <message>
        <source>continue preview ?</source>
        <translation>Vorschau fortsetzen?</translation>
    </message>
    <message>
        <source>continue ?</source>
        <translation>fortfahren?</translation>
    </message>
    <message>
        <source>Folder or subfolder name have no extension part.</source>
        <translation>Ordner- und Unterordnernamen haben keine Dateiendung.</translation>
    </message>
    <message>
        <source>Convert Confirmation</source>
        <translation>Umwandeln bestätigen</translation>
    </message>
    <message>
        <source>It will convert all filenames extention part case to &apos;%1&apos;,
%2</source>
        <translation>Die Dateiendungen aller Dateinamen werden in &apos;%1&apos; umgewandelt,
%2</translation>
    </message>
    <message>
        <source>UPPER case</source>
        <translation>Großbuchstaben</translation>
    </message>
    <message>
        <source>Lower case</source>
        <translation>Kleinbuchstaben</translation>
    </message>
    <message>
        <source>Change Confirmation</source>
        <translation>Ändern bestätigen</translation>
    </message>
    <message>
        <source>The new extention part is empty,
it will REMOVE old extention part from original filenames,
%1</source>
        <translation>Die neue Dateiendung ist leer,
die alte Dateiendung wird aus den ursprünglichen Dateinamen ENTFERNT,
%1</translation>
    </message>
    <message>
        <source>It will change all filenames extention part to &apos;%1&apos;,
%2</source>
        <translation>Die Dateiendung aller Dateinamen wird in &apos;%1&apos; geändert,
%2</translation>
    </message>
    <message>
        <source>It will change filenames extention part, from &apos;%1&apos; to &apos;%2&apos;,
%3</source>
        <translation>Die Dateiendung der Dateinamen wird von &apos;%1&apos; in &apos;%2&apos; geändert,
%3</translation>
    </message>
    <message>
        <source>&apos; and &apos;</source>
        <translation>&apos; und &apos;</translation>
    </message>
    <message>
        <source>(case sensitive)</source>
        <translation>(Groß-/Kleinschreibung beachten)</translation>
    </message>
    <message>
        <source>(case insensitive)</source>
        <translation>(Groß-/Kleinschreibung ignorieren)</translation>
    </message>
    <message>
        <source>Please select or input string to be removed.</source>
        <translation>Bitte wählen Sie die zu entfernende Zeichenfolge aus oder geben Sie sie ein.</translation>
    </message>
    <message>
        <source>Remove Confirmation</source>
        <translation>Entfernen bestätigen</translation>
    </message>
    <message>
        <source>It will remove the strings of &apos;%1&apos;%2 from original filenames,
%3</source>
        <translation>Die Zeichenfolgen &apos;%1&apos;%2 werden aus den ursprünglichen Dateinamen entfernt,
%3</translation>
    </message>
    <message>
        <source>You have not selected part, please use mouse select the part you want to remove.</source>
        <translation>Sie haben keinen Teil ausgewählt. Bitte markieren Sie mit der Maus den Teil, den Sie entfernen möchten.</translation>
    </message>
    <message>
        <source>It will remove the part at the position(from end) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Ende) von &apos;%1&apos; wird entfernt,
%2</translation>
    </message>
    <message>
        <source>It will remove the part at the position(from head) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Anfang) von &apos;%1&apos; wird entfernt,
%2</translation>
    </message>
    <message>
        <source>Please select or input strings to define limition.</source>
        <translation>Bitte wählen Sie die begrenzenden Zeichenfolgen aus oder geben Sie sie ein.</translation>
    </message>
    <message>
        <source>It will remove the part between &apos;%1&apos; and &apos;%2&apos;,
%3</source>
        <translation>Der Teil zwischen &apos;%1&apos; und &apos;%2&apos; wird entfernt,
%3</translation>
    </message>
    <message>
        <source>Please select or input special symbols to remove</source>
        <translation>Bitte wählen Sie die zu entfernenden Sonderzeichen aus oder geben Sie sie ein</translation>
    </message>
    <message>
        <source>Please select or input special symbols of dont remove</source>
        <translation>Bitte wählen Sie die nicht zu entfernenden Sonderzeichen aus oder geben Sie sie ein</translation>
    </message>
    <message>
        <source>Clean Confirmation</source>
        <translation>Bereinigen bestätigen</translation>
    </message>
    <message>
        <source>It will clean symbols, continue ?</source>
        <translation>Die Sonderzeichen werden bereinigt. Fortfahren?</translation>
    </message>
    <message>
        <source>You have not selected part, please use mouse select the part you want to Keep.</source>
        <translation>Sie haben keinen Teil ausgewählt. Bitte markieren Sie mit der Maus den Teil, den Sie BEHALTEN möchten.</translation>
    </message>
    <message>
        <source>Keep Confirmation</source>
        <translation>Behalten bestätigen</translation>
    </message>
    <message>
        <source>It will KEEP the part at the position(from end) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Ende) von &apos;%1&apos; wird BEHALTEN,
%2</translation>
    </message>
    <message>
        <source>It will KEEP the part at the position(from head) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Anfang) von &apos;%1&apos; wird BEHALTEN,
%2</translation>
    </message>
    <message>
        <source>It will KEEP the string of &apos;%1&apos;,
%2</source>
        <translation>Die Zeichenfolge &apos;%1&apos; wird BEHALTEN,
%2</translation>
    </message>
    <message>
        <source>Please input the old part of file name</source>
        <translation>Bitte geben Sie den alten Teil des Dateinamens ein</translation>
    </message>
    <message>
        <source>The new part is empty, it will REMOVE old part &apos;%1&apos;(case sensitive) from original filenames! continue ?</source>
        <translation>Der neue Teil ist leer: Der alte Teil &apos;%1&apos; (Groß-/Kleinschreibung beachten) wird aus den ursprünglichen Dateinamen ENTFERNT! Fortfahren?</translation>
    </message>
    <message>
        <source>The new part is empty, it will REMOVE old part &apos;%1&apos;(case insensitive) from original filenames,
%2</source>
        <translation>Der neue Teil ist leer: Der alte Teil &apos;%1&apos; (Groß-/Kleinschreibung ignorieren) wird aus den ursprünglichen Dateinamen ENTFERNT,
%2</translation>
    </message>
    <message>
        <source>Replace Confirmation</source>
        <translation>Ersetzen bestätigen</translation>
    </message>
    <message>
        <source>It will replace the old strings &apos;%1&apos;%2 by new string &apos;%3&apos;,
%4</source>
        <translation>Die alten Zeichenfolgen &apos;%1&apos;%2 werden durch die neue Zeichenfolge &apos;%3&apos; ersetzt,
%4</translation>
    </message>
    <message>
        <source>You have not selected part, please use mouse select the part you want to replace.</source>
        <translation>Sie haben keinen Teil ausgewählt. Bitte markieren Sie mit der Maus den Teil, den Sie ersetzen möchten.</translation>
    </message>
    <message>
        <source>The new part is empty, it will REMOVE old part &apos;%1&apos; from original filenames! continue ?</source>
        <translation>Der neue Teil ist leer: Der alte Teil &apos;%1&apos; wird aus den ursprünglichen Dateinamen ENTFERNT! Fortfahren?</translation>
    </message>
    <message>
        <source>It will replace the part at the position(from end) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Ende) von &apos;%1&apos; wird ersetzt,
%2</translation>
    </message>
    <message>
        <source>It will replace the part at the position(from head) of &apos;%1&apos;,
%2</source>
        <translation>Der Teil an der Position (vom Anfang) von &apos;%1&apos; wird ersetzt,
%2</translation>
    </message>
    <message>
        <source>insert &apos;%1&apos; to the HEAD of all filenames,
</source>
        <translation>&apos;%1&apos; am ANFANG aller Dateinamen eingefügt,
</translation>
    </message>
    <message>
        <source>insert &apos;%1&apos; to the END of all filenames,
</source>
        <translation>&apos;%1&apos; am ENDE aller Dateinamen eingefügt,
</translation>
    </message>
    <message>
        <source>insert &apos;%1&apos; to the position BEHIND the part of &apos;%2&apos;
</source>
        <translation>&apos;%1&apos; an der Position HINTER dem Teil &apos;%2&apos; eingefügt
</translation>
    </message>
    <message>
        <source>insert &apos;%1&apos; to the position BEFORE the part of &apos;%2&apos;
</source>
        <translation>&apos;%1&apos; an der Position VOR dem Teil &apos;%2&apos; eingefügt
</translation>
    </message>
    <message>
        <source>Insert Confirmation</source>
        <translation>Einfügen bestätigen</translation>
    </message>
    <message>
        <source>BEHIND existing string</source>
        <translation>HINTER vorhandener Zeichenfolge</translation>
    </message>
    <message>
        <source>BETWEEN two strings</source>
        <translation>ZWISCHEN zwei Zeichenfolgen</translation>
    </message>
    <message>
        <source>BEFORE existing string</source>
        <translation>VOR vorhandener Zeichenfolge</translation>
    </message>
    <message>
        <source>Please specify the existing string</source>
        <translation>Bitte geben Sie die vorhandene Zeichenfolge an</translation>
    </message>
    <message>
        <source>Please specify the second string</source>
        <translation>Bitte geben Sie die zweite Zeichenfolge an</translation>
    </message>
    <message>
        <source>Please specify the string which you want to insert</source>
        <translation>Bitte geben Sie die Zeichenfolge an, die Sie einfügen möchten</translation>
    </message>
    <message>
        <source>It will insert &apos;%1&apos; to the positon 
%2 of &apos;%3&apos;,
%4</source>
        <translation>&apos;%1&apos; wird an der Position 
%2 &apos;%3&apos; eingefügt,
%4</translation>
    </message>
    <message>
        <source>You selected CURSOR position, so you should use mouse point the position(in old filename) you want to insert.</source>
        <translation>Sie haben die Position CURSOR gewählt. Bitte klicken Sie mit der Maus auf die Stelle (im alten Dateinamen), an der Sie einfügen möchten.</translation>
    </message>
    <message>
        <source>You have not selected insert position, please select one or more checkbox.</source>
        <translation>Sie haben keine Einfügeposition gewählt. Bitte aktivieren Sie mindestens ein Kontrollkästchen.</translation>
    </message>
    <message>
        <source>You have not inputted text of HEAD string to insert.</source>
        <translation>Sie haben keinen Text für die Zeichenfolge am ANFANG eingegeben.</translation>
    </message>
    <message>
        <source>You have not inputted text of END string to insert.</source>
        <translation>Sie haben keinen Text für die Zeichenfolge am ENDE eingegeben.</translation>
    </message>
    <message>
        <source>You have not inputted text of at CURSOR string to insert.</source>
        <translation>Sie haben keinen Text für die Zeichenfolge am CURSOR eingegeben.</translation>
    </message>
    <message>
        <source>It will %1%2</source>
        <translation>Es wird %1%2</translation>
    </message>
    <message>
        <source>Capitalize every words</source>
        <translation>Jedes Wort groß schreiben</translation>
    </message>
    <message>
        <source>Please input new name</source>
        <translation>Bitte geben Sie den neuen Namen ein</translation>
    </message>
    <message>
        <source>It will change filenames to &apos;%1&apos;,
%2</source>
        <translation>Die Dateinamen werden in &apos;%1&apos; geändert,
%2</translation>
    </message>
    <message>
        <source>It will convert full name to %1,
%2</source>
        <translation>Der ganze Name wird umgewandelt in: %1,
%2</translation>
    </message>
    <message>
        <source>You selected special types filename to save, so you should select at least one box of file types.</source>
        <translation>Sie haben gewählt, nur bestimmte Dateitypen zu speichern. Bitte aktivieren Sie mindestens ein Kästchen bei den Dateitypen.</translation>
    </message>
    <message>
        <source>You selected other types filename to save, so you should define file types in edit box.</source>
        <translation>Sie haben gewählt, andere Dateitypen zu speichern. Bitte geben Sie die Dateitypen im Eingabefeld an.</translation>
    </message>
    <message>
        <source>Another rename run is using the program folder (its journal &apos;%1&apos; is locked): nothing was renamed. Try again when it has ended.</source>
        <translation>Ein anderer Umbenennungslauf verwendet den Programmordner (sein Journal &apos;%1&apos; ist gesperrt): Es wurde nichts umbenannt. Versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>The journal &apos;%1&apos; cannot be opened for writing (read-only or full disk, or not a regular file): nothing was renamed, since no rename could be undone.</source>
        <translation>Das Journal &apos;%1&apos; kann nicht zum Schreiben geöffnet werden (schreibgeschützter oder voller Datenträger oder keine reguläre Datei): Es wurde nichts umbenannt, da keine Umbenennung rückgängig gemacht werden könnte.</translation>
    </message>
    <message>
        <source>The journal &apos;%1&apos; could not be written (is the disk full?): the run stopped before its next rename. The %2 items renamed before are recorded, and undo reverses them.</source>
        <translation>Das Journal &apos;%1&apos; konnte nicht geschrieben werden (ist der Datenträger voll?): Der Lauf wurde vor der nächsten Umbenennung angehalten. Die zuvor umbenannten Elemente (%2) sind aufgezeichnet und werden durch Rückgängig wiederhergestellt.</translation>
    </message>
    <message>
        <source>Filenames in this folder(ONE layer)</source>
        <translation>Dateinamen in diesem Ordner (EINE Ebene)</translation>
    </message>
    <message>
        <source>All filenames in subfolder(ALL layers)</source>
        <translation>Alle Dateinamen in Unterordnern (ALLE Ebenen)</translation>
    </message>
    <message>
        <source>Only subfolders name(without files)</source>
        <translation>Nur Namen der Unterordner (ohne Dateien)</translation>
    </message>
    <message>
        <source>Only this folder name</source>
        <translation>Nur der Name dieses Ordners</translation>
    </message>
    <message>
        <source>The targeted folder had been modified or deleted!</source>
        <translation>Der gewählte Ordner wurde geändert oder gelöscht!</translation>
    </message>
    <message>
        <source>There is no file(one layer) now!</source>
        <translation>Es ist jetzt keine Datei (eine Ebene) vorhanden!</translation>
    </message>
    <message>
        <source>There is no file and subfolder now!</source>
        <translation>Es sind jetzt weder Dateien noch Unterordner vorhanden!</translation>
    </message>
    <message>
        <source>There is no subfolder now!</source>
        <translation>Es ist jetzt kein Unterordner vorhanden!</translation>
    </message>
    <message>
        <source>%1 rename was not reversed; it stays in rollback.rbk, so undo can try again.</source>
        <translation>%1 Umbenennung wurde nicht rückgängig gemacht; sie bleibt in rollback.rbk, sodass Rückgängig es erneut versuchen kann.</translation>
    </message>
    <message>
        <source>%1 renames were not reversed; they stay in rollback.rbk, so undo can try again.</source>
        <translation>%1 Umbenennungen wurden nicht rückgängig gemacht; sie bleiben in rollback.rbk, sodass Rückgängig es erneut versuchen kann.</translation>
    </message>
    <message>
        <source>%1 rename could not be reversed; it stays in rollback.rbk, so undo can try again.</source>
        <translation>%1 Umbenennung konnte nicht rückgängig gemacht werden; sie bleibt in rollback.rbk, sodass Rückgängig es erneut versuchen kann.</translation>
    </message>
    <message>
        <source>%1 renames could not be reversed; they stay in rollback.rbk, so undo can try again.</source>
        <translation>%1 Umbenennungen konnten nicht rückgängig gemacht werden; sie bleiben in rollback.rbk, sodass Rückgängig es erneut versuchen kann.</translation>
    </message>
    <message>
        <source>%1 rename was not reversed, and rollback.rbk could not be rewritten to keep them.</source>
        <translation type="vanished">%1 Umbenennung wurde nicht rückgängig gemacht, und rollback.rbk konnte nicht neu geschrieben werden, um sie zu behalten.</translation>
    </message>
    <message>
        <source>%1 renames were not reversed, and rollback.rbk could not be rewritten to keep them.</source>
        <translation type="vanished">%1 Umbenennungen wurden nicht rückgängig gemacht, und rollback.rbk konnte nicht neu geschrieben werden, um sie zu behalten.</translation>
    </message>
    <message>
        <source>%1 rename could not be reversed, and rollback.rbk could not be rewritten to keep them.</source>
        <translation type="vanished">%1 Umbenennung konnte nicht rückgängig gemacht werden, und rollback.rbk konnte nicht neu geschrieben werden, um sie zu behalten.</translation>
    </message>
    <message>
        <source>%1 renames could not be reversed, and rollback.rbk could not be rewritten to keep them.</source>
        <translation type="vanished">%1 Umbenennungen konnten nicht rückgängig gemacht werden, und rollback.rbk konnte nicht neu geschrieben werden, um sie zu behalten.</translation>
    </message>
    <message>
        <source>1 entry of rollback.rbk is not a pair of absolute paths; it was left alone.</source>
        <translation>1 Eintrag in rollback.rbk ist kein Paar absoluter Pfade; er wurde nicht verändert.</translation>
    </message>
    <message>
        <source>%1 entries of rollback.rbk are not pairs of absolute paths; they were left alone.</source>
        <translation>%1 Einträge in rollback.rbk sind keine Paare absoluter Pfade; sie wurden nicht verändert.</translation>
    </message>
    <message>
        <source>The rollback log &apos;%1&apos; is not a regular file of a readable size: nothing was restored.</source>
        <translation>Das Rückgängig-Protokoll &apos;%1&apos; ist keine reguläre Datei lesbarer Größe: Es wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <source>Do you want to UNDO the last rename operation ?</source>
        <translation>Möchten Sie die letzte Umbenennung RÜCKGÄNGIG machen?</translation>
    </message>
    <message>
        <source>Undo Confirmation</source>
        <translation>Rückgängig bestätigen</translation>
    </message>
    <message>
        <source>The new name of &apos;%1&apos; is EMPTY, can not be assigned.</source>
        <translation>Der neue Name von &apos;%1&apos; ist LEER und kann nicht vergeben werden.</translation>
    </message>
    <message>
        <source>%1 is too big. The max random string digits is 100.</source>
        <translation>%1 ist zu groß. Eine Zufallszeichenfolge hat höchstens 100 Stellen.</translation>
    </message>
    <message>
        <source>The random string digits(%1) is not an integer.</source>
        <translation>Die Stellenzahl der Zufallszeichenfolge (%1) ist keine ganze Zahl.</translation>
    </message>
    <message>
        <source>You have not selected a folder or some files,
please click &apos;Folder&apos; or &apos;Files&apos; button to proceed.</source>
        <translation>Sie haben weder einen Ordner noch Dateien gewählt.
Bitte klicken Sie auf „Ordner“ oder „Dateien“, um fortzufahren.</translation>
    </message>
    <message>
        <source>The sepecified folder does not exist, please select another.</source>
        <translation>Der angegebene Ordner existiert nicht. Bitte wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>You had selected some files, so can not edit a folder at the same time.
Do you want to clear the selected files in order to select A folder?</source>
        <translation>Sie haben bereits Dateien gewählt und können daher nicht gleichzeitig einen Ordner bearbeiten.
Möchten Sie die gewählten Dateien entfernen, um einen Ordner zu wählen?</translation>
    </message>
    <message>
        <source>You had selected to edit a folder, so can not add another files at the same time.
Do you want to cancel the folder in order to select another files?</source>
        <translation>Sie haben bereits einen Ordner zum Bearbeiten gewählt und können daher nicht gleichzeitig weitere Dateien hinzufügen.
Möchten Sie den Ordner abwählen, um andere Dateien zu wählen?</translation>
    </message>
    <message>
        <source>You had selected a folder, so can not add another files at the same time.
Do you want to clear the folder in order to select another files?</source>
        <translation>Sie haben bereits einen Ordner gewählt und können daher nicht gleichzeitig weitere Dateien hinzufügen.
Möchten Sie den Ordner entfernen, um andere Dateien zu wählen?</translation>
    </message>
    <message>
        <source>Select folder Confirmation</source>
        <translation>Ordnerauswahl bestätigen</translation>
    </message>
    <message>
        <source>Select files Confirmation</source>
        <translation>Dateiauswahl bestätigen</translation>
    </message>
    <message>
        <source>Do you want to clear all files in the box?</source>
        <translation>Möchten Sie alle Dateien aus der Liste entfernen?</translation>
    </message>
    <message>
        <source>Save Confirmation</source>
        <translation>Speichern bestätigen</translation>
    </message>
    <message>
        <source>The content changed, do you want to save ?</source>
        <translation>Der Inhalt wurde geändert. Möchten Sie ihn speichern?</translation>
    </message>
    <message>
        <source>Will you cancel this operation?</source>
        <translation>Möchten Sie diesen Vorgang abbrechen?</translation>
    </message>
    <message>
        <source>The new name is already exist.</source>
        <translation>Der neue Name ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>Can not rename, the file is on CD or is using.</source>
        <translation>Umbenennen nicht möglich: Die Datei liegt auf einer CD oder wird gerade verwendet.</translation>
    </message>
    <message>
        <source>Please input a number!</source>
        <translation>Bitte geben Sie eine Zahl ein!</translation>
    </message>
    <message>
        <source>Should not more than 1000.</source>
        <translation>Höchstens 1000.</translation>
    </message>
    <message>
        <source>Should not more than 100.</source>
        <translation>Höchstens 100.</translation>
    </message>
    <message>
        <source>You have to select at least one choice.</source>
        <translation>Sie müssen mindestens eine Auswahl treffen.</translation>
    </message>
    <message>
        <source>Should not more than 10000.</source>
        <translation>Höchstens 10000.</translation>
    </message>
    <message>
        <source>The rollback log could not be written; the renames are kept in %1.</source>
        <translation>Das Protokoll rollback.rbk konnte nicht geschrieben werden; die Umbenennungen bleiben in %1 erhalten.</translation>
    </message>
    <message>
        <source>%1 rename was not reversed. rollback.rbk could not be rewritten (is the disk full?), so it still holds every pair it held, and undo can try again.</source>
        <translation>%1 Umbenennung wurde nicht rückgängig gemacht. rollback.rbk konnte nicht neu geschrieben werden (ist der Datenträger voll?), daher enthält es weiterhin jedes Paar, das es enthielt, und das Rückgängigmachen kann es erneut versuchen.</translation>
    </message>
    <message>
        <source>%1 renames were not reversed. rollback.rbk could not be rewritten (is the disk full?), so it still holds every pair it held, and undo can try again.</source>
        <translation>%1 Umbenennungen wurden nicht rückgängig gemacht. rollback.rbk konnte nicht neu geschrieben werden (ist der Datenträger voll?), daher enthält es weiterhin jedes Paar, das es enthielt, und das Rückgängigmachen kann es erneut versuchen.</translation>
    </message>
    <message>
        <source>%1 rename could not be reversed. rollback.rbk could not be rewritten (is the disk full?), so it still holds every pair it held, and undo can try again.</source>
        <translation>%1 Umbenennung konnte nicht rückgängig gemacht werden. rollback.rbk konnte nicht neu geschrieben werden (ist der Datenträger voll?), daher enthält es weiterhin jedes Paar, das es enthielt, und das Rückgängigmachen kann es erneut versuchen.</translation>
    </message>
    <message>
        <source>%1 renames could not be reversed. rollback.rbk could not be rewritten (is the disk full?), so it still holds every pair it held, and undo can try again.</source>
        <translation>%1 Umbenennungen konnten nicht rückgängig gemacht werden. rollback.rbk konnte nicht neu geschrieben werden (ist der Datenträger voll?), daher enthält es weiterhin jedes Paar, das es enthielt, und das Rückgängigmachen kann es erneut versuchen.</translation>
    </message>
    <message>
        <source>Some new names were made without a tag they ask for:</source>
        <translation>Einige neue Namen entstanden ohne ein Tag, das sie verlangen:</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... und %1 weitere.</translation>
    </message>
    <message>
        <source>the name holds a line break, which the rollback log cannot record</source>
        <translation>der Name enthält einen Zeilenumbruch, den das Rückgängig-Protokoll nicht festhalten kann</translation>
    </message>
    <message>
        <source>the new name is reserved by Windows</source>
        <translation>der neue Name ist unter Windows reserviert</translation>
    </message>
    <message>
        <source>the new name is longer than 255 bytes</source>
        <translation>der neue Name ist länger als 255 Byte</translation>
    </message>
    <message>
        <source>the rules leave no name</source>
        <translation>die Regeln lassen keinen Namen übrig</translation>
    </message>
    <message>
        <source>an item of the new name exists</source>
        <translation>ein Eintrag mit dem neuen Namen ist vorhanden</translation>
    </message>
    <message>
        <source>the system refused it</source>
        <translation>das System hat es verweigert</translation>
    </message>
    <message>
        <source>unreadable folder</source>
        <translation>unlesbarer Ordner</translation>
    </message>
    <message>
        <source>Regular expressions are not available in this build.</source>
        <translation>Reguläre Ausdrücke sind in diesem Build nicht verfügbar.</translation>
    </message>
    <message>
        <source>The regular expression &apos;%1&apos; is not valid: %2 (at position %3).</source>
        <translation>Der reguläre Ausdruck &apos;%1&apos; ist ungültig: %2 (an Position %3).</translation>
    </message>
    <message>
        <source>The new string refers to group %1, but the regular expression has only %2 groups.</source>
        <translation>Der neue Text verweist auf Gruppe %1, aber der reguläre Ausdruck hat nur %2 Gruppen.</translation>
    </message>
    <message>
        <source>It will remove the matches of the regular expressions &apos;%1&apos;%2 from original filenames,
%3</source>
        <translation>Die Treffer der regulären Ausdrücke &apos;%1&apos;%2 werden aus den ursprünglichen Dateinamen entfernt,
%3</translation>
    </message>
    <message>
        <source>It will replace the matches of the regular expression &apos;%1&apos;%2 by new string &apos;%3&apos;,
%4</source>
        <translation>Die Treffer des regulären Ausdrucks &apos;%1&apos;%2 werden durch den neuen Text &apos;%3&apos; ersetzt,
%4</translation>
    </message>
    <message>
        <source>letters without accents</source>
        <translation>Buchstaben ohne Akzente</translation>
    </message>
    <message>
        <source>names safe for Windows</source>
        <translation>Namen, die Windows annimmt</translation>
    </message>
    <message>
        <source>Remove accents is not available on this system: its table of Latin letters is missing. Nothing was renamed.</source>
        <translation>„Akzente entfernen“ ist auf diesem System nicht verfügbar: Seine Tabelle der lateinischen Buchstaben fehlt. Es wurde nichts umbenannt.</translation>
    </message>
    <message>
        <source>%1 items were left alone:</source>
        <translation>%1 Elemente wurden nicht umbenannt:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>Do you want to UNDO the last %1 rename operations ?</source>
        <translation>Möchten Sie die letzten %1 Umbenennungen RÜCKGÄNGIG machen?</translation>
    </message>
    <message>
        <source>%1 of the %2 runs asked for were undone; the undo stopped at the run that could not be undone completely, and the runs before it are kept.</source>
        <translation>%1 der %2 gewünschten Läufe wurden rückgängig gemacht; das Rückgängigmachen hielt bei dem Lauf an, der sich nicht vollständig rückgängig machen ließ, und die Läufe davor bleiben erhalten.</translation>
    </message>
    <message>
        <source>the pattern cannot be read in the code page</source>
        <translation>das Muster kann in der Codepage nicht gelesen werden</translation>
    </message>
    <message>
        <source>regular expressions are not available in this build</source>
        <translation>reguläre Ausdrücke sind in diesem Build nicht verfügbar</translation>
    </message>
    <message>
        <source>This version of Velmora cannot read photo and music tags: remove the tag placeholders such as {taken} or {artist} from the input text.</source>
        <translation>Diese Version von Velmora kann keine Foto- und Musik-Tags lesen: Entfernen Sie Tag-Platzhalter wie {taken} oder {artist} aus dem Eingabetext.</translation>
    </message>
    <message>
        <source>no date taken: used the file&apos;s date</source>
        <translation>kein Aufnahmedatum: das Datum der Datei verwendet</translation>
    </message>
    <message>
        <source>no %1 tag: left empty</source>
        <translation>kein Tag %1: leer gelassen</translation>
    </message>
    <message>
        <source>the file&apos;s tags could not be read (%1)</source>
        <translation>die Tags der Datei konnten nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>The journal &apos;%1&apos; of an earlier run could not be made its rollback log (is the disk full?). It is kept as it is, and nothing was done: free some room and try again, and undo can then reverse that run.</source>
        <translation>Das Journal &apos;%1&apos; eines früheren Laufs konnte nicht zu dessen Rückgängig-Protokoll werden (ist der Datenträger voll?). Es bleibt, wie es ist, und nichts wurde getan: Schaffen Sie etwas Platz und versuchen Sie es erneut; dann kann Rückgängig diesen Lauf umkehren.</translation>
    </message>
    <message>
        <source>its folder was renamed before it in this run (pick the items inside a folder first)</source>
        <translation>sein Ordner wurde in diesem Lauf vor ihm umbenannt (wählen Sie die Elemente in einem Ordner zuerst)</translation>
    </message>
    <message>
        <source>The journal &apos;%1&apos; could not be written (is the disk full?): the run stopped before its first rename, and nothing was renamed.</source>
        <translation>Das Journal &apos;%1&apos; konnte nicht geschrieben werden (ist der Datenträger voll?): Der Lauf wurde vor der ersten Umbenennung angehalten, und nichts wurde umbenannt.</translation>
    </message>
    <message>
        <source>The journal &apos;%1&apos; could not be written (is the disk full?): the run stopped before its next rename. The item renamed before is recorded, and undo reverses it.</source>
        <translation>Das Journal &apos;%1&apos; konnte nicht geschrieben werden (ist der Datenträger voll?): Der Lauf wurde vor der nächsten Umbenennung angehalten. Das zuvor umbenannte Element ist aufgezeichnet und wird durch Rückgängig wiederhergestellt.</translation>
    </message>
    <message>
        <source>1 item was left alone:</source>
        <translation>1 Element wurde nicht umbenannt:</translation>
    </message>
    <message>
        <source>Another rename run is using the program folder (its journal &apos;%1&apos; is locked): nothing was restored. Try again when it has ended.</source>
        <translation>Ein anderer Umbenennungslauf verwendet den Programmordner (sein Journal &apos;%1&apos; ist gesperrt): Es wurde nichts wiederhergestellt. Versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Select file to save filenames</source>
        <translation>Datei zum Speichern der Dateinamen wählen</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>text file(*.txt)</source>
        <translation>Textdatei (*.txt)</translation>
    </message>
</context>
<context>
    <name>FileManagerIntegration</name>
    <message>
        <source>cannot create the folder of %1</source>
        <translation>der Ordner von %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 is not Velmora&apos;s; left as it is</source>
        <translation>%1 gehört nicht zu Velmora und bleibt unverändert</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>the launcher %1 is missing</source>
        <translation>das Startprogramm %1 fehlt</translation>
    </message>
    <message>
        <source>the launcher&apos;s path holds a line break</source>
        <translation>der Pfad des Startprogramms enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>%1 is not a readable actions file; left as it is</source>
        <translation>%1 ist keine lesbare Aktionsdatei und bleibt unverändert</translation>
    </message>
</context>
<context>
    <name>RunSummary</name>
    <message>
        <source>Renamed: %1 (numbered: %2), unchanged: %3, left alone: %4</source>
        <translation>Umbenannt: %1 (nummeriert: %2), unverändert: %3, ausgelassen: %4</translation>
    </message>
    <message>
        <source>Undo restored: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>Undo restored: %1, could not restore: %2</source>
        <translation>Rückgängig gemacht: %1, nicht wiederhergestellt: %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weiterer</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The system refused to rename %n item(s):</source>
        <translation>
            <numerusform>Das System hat das Umbenennen von %n Eintrag verweigert:</numerusform>
            <numerusform>Das System hat das Umbenennen von %n Einträgen verweigert:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velmora::ui::AboutPanel</name>
    <message>
        <source> Contact info </source>
        <translation> Kontakt </translation>
    </message>
    <message>
        <source>Visit homepage now</source>
        <translation>Homepage jetzt besuchen</translation>
    </message>
    <message>
        <source> Version info </source>
        <translation> Version </translation>
    </message>
    <message>
        <source>download the latest version now</source>
        <translation>Neueste Version jetzt herunterladen</translation>
    </message>
    <message>
        <source>Back to last window</source>
        <translation>Zurück zum vorigen Fenster</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Close the window</source>
        <translation>Das Fenster schließen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Home page: %1</source>
        <translation>Homepage: %1</translation>
    </message>
    <message>
        <source>E-mail: %1</source>
        <translation>E-Mail: %1</translation>
    </message>
    <message>
        <source>Released %1</source>
        <translation>Veröffentlicht %1</translation>
    </message>
    <message>
        <source>License: %1</source>
        <translation>Lizenz: %1</translation>
    </message>
</context>
<context>
    <name>velmora::ui::ChangePage</name>
    <message>
        <source>Change name</source>
        <translation>Namen ändern</translation>
    </message>
    <message>
        <source>Change full name to new:</source>
        <translation>Ganzen Namen ändern in:</translation>
    </message>
    <message>
        <source>Convert full name case to:</source>
        <translation>Schreibung des ganzen Namens umwandeln in:</translation>
    </message>
    <message>
        <source>Numbers, date and disordered string</source>
        <translation>Nummern, Datum und Zufallszeichenfolge</translation>
    </message>
    <message>
        <source>Special string</source>
        <translation>Sonderzeichenfolge</translation>
    </message>
    <message>
        <source>New name:</source>
        <translation>Neuer Name:</translation>
    </message>
    <message>
        <source>UPPER case</source>
        <translation>Großbuchstaben</translation>
    </message>
    <message>
        <source>Capitalize every words</source>
        <translation>Jedes Wort groß schreiben</translation>
    </message>
    <message>
        <source>Lower case</source>
        <translation>Kleinbuchstaben</translation>
    </message>
    <message>
        <source>Capitalize first letter</source>
        <translation>Ersten Buchstaben groß schreiben</translation>
    </message>
    <message>
        <source>Include extension part</source>
        <translation>Dateiendung einbeziehen</translation>
    </message>
    <message>
        <source>Latin letters without their accents: Café becomes Cafe, Straße becomes Strasse</source>
        <translation>Lateinische Buchstaben ohne ihre Akzente: Aus Café wird Cafe, aus Straße wird Strasse</translation>
    </message>
    <message>
        <source>Remove accents</source>
        <translation>Akzente entfernen</translation>
    </message>
    <message>
        <source>For copies to exFAT cards and Windows shares: \ / : * ? &quot; &lt; &gt; | and control characters become _, trailing dots and spaces go</source>
        <translation>Für Kopien auf exFAT-Karten und Windows-Freigaben: \ / : * ? &quot; &lt; &gt; | und Steuerzeichen werden zu _, Punkte und Leerzeichen am Ende entfallen</translation>
    </message>
    <message>
        <source>Safe for Windows</source>
        <translation>Sicher für Windows</translation>
    </message>
</context>
<context>
    <name>velmora::ui::ExtensionPage</name>
    <message>
        <source>Change extention part</source>
        <translation>Dateiendung ändern</translation>
    </message>
    <message>
        <source>Convert extention case</source>
        <translation>Schreibung der Dateiendung umwandeln</translation>
    </message>
    <message>
        <source>replace ALL types of old extention part</source>
        <translation>ALLE Arten alter Dateiendungen ersetzen</translation>
    </message>
    <message>
        <source>New extention part : </source>
        <translation>Neue Dateiendung: </translation>
    </message>
    <message>
        <source>Old extention part :   </source>
        <translation>Alte Dateiendung:   </translation>
    </message>
    <message>
        <source>Convert extention case to</source>
        <translation>Schreibung der Dateiendung umwandeln in</translation>
    </message>
    <message>
        <source>Lower case</source>
        <translation>Kleinbuchstaben</translation>
    </message>
    <message>
        <source>UPPER case</source>
        <translation>Großbuchstaben</translation>
    </message>
</context>
<context>
    <name>velmora::ui::FolderAddDialog</name>
    <message>
        <source>Choose A folder to edit all its included files together</source>
        <translation>Einen Ordner wählen, um alle darin enthaltenen Dateien gemeinsam zu bearbeiten</translation>
    </message>
    <message>
        <source>Add all files of a folder(one layer) to the list</source>
        <translation>Alle Dateien eines Ordners (eine Ebene) zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Folder Add option</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>(Can add other files or deselect individual file later)</source>
        <translation>(Weitere Dateien können später hinzugefügt oder einzelne abgewählt werden)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>velmora::ui::HelpWindow</name>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>Velmora Help</source>
        <translation>Velmora-Hilfe</translation>
    </message>
    <message>
        <source>How to use</source>
        <translation>Bedienung</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Dateiendung</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Special strings</source>
        <translation>Sonderzeichenfolgen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help topic not found&lt;/h2&gt;&lt;p&gt;The help topic &lt;b&gt;%1&lt;/b&gt; is not installed. It is looked for in the folder &lt;i&gt;help&lt;/i&gt; of Velmora&apos;s own folder and in &lt;i&gt;share/velmora/help&lt;/i&gt; beside the program.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfethema nicht gefunden&lt;/h2&gt;&lt;p&gt;Das Hilfethema &lt;b&gt;%1&lt;/b&gt; ist nicht installiert. Es wird im Ordner &lt;i&gt;help&lt;/i&gt; des Velmora-Programmordners und in &lt;i&gt;share/velmora/help&lt;/i&gt; neben dem Programm gesucht.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Velmora Help - %1</source>
        <translation>Velmora-Hilfe - %1</translation>
    </message>
</context>
<context>
    <name>velmora::ui::HistoryEditor</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>New name list</source>
        <translation>Liste der neuen Namen</translation>
    </message>
</context>
<context>
    <name>velmora::ui::InsertPage</name>
    <message>
        <source>Insert to position      </source>
        <translation>An Position einfügen      </translation>
    </message>
    <message>
        <source>Insert to string</source>
        <translation>An Zeichenfolge einfügen</translation>
    </message>
    <message>
        <source>Position  ---------------  Specify the string </source>
        <translation>Position  ---------------  Zeichenfolge angeben </translation>
    </message>
    <message>
        <source>HEAD</source>
        <translation>ANFANG</translation>
    </message>
    <message>
        <source>Insert string to the HEAD of filenames.</source>
        <translation>Zeichenfolge am ANFANG der Dateinamen einfügen.</translation>
    </message>
    <message>
        <source>END</source>
        <translation>ENDE</translation>
    </message>
    <message>
        <source>Insert string to the END of filenames.</source>
        <translation>Zeichenfolge am ENDE der Dateinamen einfügen.</translation>
    </message>
    <message>
        <source>CURSOR</source>
        <translation>CURSOR</translation>
    </message>
    <message>
        <source>Use mouse point the position in the old filename at top.</source>
        <translation>Klicken Sie mit der Maus auf die Stelle im alten Dateinamen oben.</translation>
    </message>
    <message>
        <source>Numbers, date and disordered string</source>
        <translation>Nummern, Datum und Zufallszeichenfolge</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Sonderzeichenfolge</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Richtung:</translation>
    </message>
    <message>
        <source>From Head</source>
        <translation>Vom Anfang</translation>
    </message>
    <message>
        <source>From End</source>
        <translation>Vom Ende</translation>
    </message>
    <message>
        <source> Insert to string </source>
        <translation> An Zeichenfolge einfügen </translation>
    </message>
    <message>
        <source>BEFORE existing string</source>
        <translation>VOR vorhandener Zeichenfolge</translation>
    </message>
    <message>
        <source>BEHIND existing string</source>
        <translation>HINTER vorhandener Zeichenfolge</translation>
    </message>
    <message>
        <source>BETWEEN two strings</source>
        <translation>ZWISCHEN zwei Zeichenfolgen</translation>
    </message>
    <message>
        <source>Position to string:</source>
        <translation>Position zur Zeichenfolge:</translation>
    </message>
    <message>
        <source>There should be nothing between two strings before rename</source>
        <translation>Vor dem Umbenennen darf zwischen den beiden Zeichenfolgen nichts stehen</translation>
    </message>
    <message>
        <source>The existing string:</source>
        <translation>Die vorhandene Zeichenfolge:</translation>
    </message>
    <message>
        <source>The second string:</source>
        <translation>Die zweite Zeichenfolge:</translation>
    </message>
    <message>
        <source>String to insert: </source>
        <translation>Einzufügende Zeichenfolge: </translation>
    </message>
</context>
<context>
    <name>velmora::ui::ListingPage</name>
    <message>
        <source>Save content</source>
        <translation>Zu speichernder Inhalt</translation>
    </message>
    <message>
        <source> Subfolders and filenames </source>
        <translation> Unterordner und Dateinamen </translation>
    </message>
    <message>
        <source> Only subfolders name</source>
        <translation> Nur Namen der Unterordner</translation>
    </message>
    <message>
        <source> All filenames in subfolders </source>
        <translation> Alle Dateinamen in Unterordnern </translation>
    </message>
    <message>
        <source>Include webpage folder</source>
        <translation>Webseitenordner einbeziehen</translation>
    </message>
    <message>
        <source>The folder used by IE to store images of a webpage</source>
        <translation>Der Ordner, in dem IE die Bilder einer Webseite ablegt</translation>
    </message>
    <message>
        <source>(ONE layer)</source>
        <translation>(EINE Ebene)</translation>
    </message>
    <message>
        <source>(without files)</source>
        <translation>(ohne Dateien)</translation>
    </message>
    <message>
        <source>(ALL layers) </source>
        <translation>(ALLE Ebenen) </translation>
    </message>
    <message>
        <source>File types</source>
        <translation>Dateitypen</translation>
    </message>
    <message>
        <source>All  types</source>
        <translation>Alle  Typen</translation>
    </message>
    <message>
        <source>Save all types of files name</source>
        <translation>Namen aller Dateitypen speichern</translation>
    </message>
    <message>
        <source>Special types</source>
        <translation>Bestimmte Typen</translation>
    </message>
    <message>
        <source>Save special types of files name</source>
        <translation>Nur Namen bestimmter Dateitypen speichern</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>Film</source>
        <translation>Film</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Andere</translation>
    </message>
    <message>
        <source>Specify your wanted type</source>
        <translation>Gewünschte Typen angeben</translation>
    </message>
    <message>
        <source>Use comma(,) to seperate types, no space included.</source>
        <translation>Typen durch Komma (,) trennen, ohne Leerzeichen.</translation>
    </message>
    <message>
        <source>File date time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Add file&apos;s modified date and time</source>
        <translation>Änderungsdatum und -uhrzeit der Datei hinzufügen</translation>
    </message>
    <message>
        <source>File size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Add file size</source>
        <translation>Dateigröße hinzufügen</translation>
    </message>
</context>
<context>
    <name>velmora::ui::LiveNames</name>
    <message>
        <source>-&gt; (not renamed)</source>
        <translation>-&gt; (nicht umbenannt)</translation>
    </message>
    <message>
        <source>-&gt; ...</source>
        <translation>-&gt; ...</translation>
    </message>
    <message>
        <source>-&gt; (unchanged)</source>
        <translation>-&gt; (unverändert)</translation>
    </message>
    <message>
        <source>-&gt; (left alone: %1)</source>
        <translation>-&gt; (ausgelassen: %1)</translation>
    </message>
    <message>
        <source>-&gt; %1</source>
        <translation>-&gt; %1</translation>
    </message>
    <message>
        <source>(left alone)</source>
        <translation>(ausgelassen)</translation>
    </message>
    <message>
        <source>Not renamed by this operation</source>
        <translation>Von diesem Vorgang nicht umbenannt</translation>
    </message>
    <message>
        <source>New name: %1</source>
        <translation>Neuer Name: %1</translation>
    </message>
    <message>
        <source>New name: %1
Numbered: the name the rules give is taken</source>
        <translation>Neuer Name: %1
Nummeriert: der Name nach den Regeln ist schon vergeben</translation>
    </message>
    <message>
        <source>The rules leave this name as it is</source>
        <translation>Die Regeln lassen diesen Namen, wie er ist</translation>
    </message>
    <message>
        <source>Left alone: %1</source>
        <translation>Ausgelassen: %1</translation>
    </message>
</context>
<context>
    <name>velmora::ui::MainWindow</name>
    <message>
        <source>&amp;Folder</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>Fi&amp;les</source>
        <translation>&amp;Dateien</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <source> &amp;Help</source>
        <translation> &amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>Erset&amp;zen</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>E&amp;ntfernen</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>E&amp;xtension</source>
        <translation>End&amp;ung</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Upper directory</source>
        <translation>Übergeordneter Ordner</translation>
    </message>
    <message>
        <source>Velmora </source>
        <translation>Velmora </translation>
    </message>
    <message>
        <source>Select a folder to edit included filenames </source>
        <translation>Einen Ordner wählen, um die enthaltenen Dateinamen zu bearbeiten </translation>
    </message>
    <message>
        <source>Select files to edit their filenames </source>
        <translation>Dateien wählen, um ihre Dateinamen zu bearbeiten </translation>
    </message>
    <message>
        <source>Remove the selected files</source>
        <translation>Die ausgewählten Dateien aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Change options</source>
        <translation>Optionen ändern</translation>
    </message>
    <message>
        <source>Read help </source>
        <translation>Hilfe lesen </translation>
    </message>
    <message>
        <source>About the program</source>
        <translation>Über das Programm</translation>
    </message>
    <message>
        <source>Insert strings or numbers to filenames</source>
        <translation>Zeichenfolgen oder Nummern in Dateinamen einfügen</translation>
    </message>
    <message>
        <source>Replace old part of filenames with a new part</source>
        <translation>Einen alten Teil der Dateinamen durch einen neuen ersetzen</translation>
    </message>
    <message>
        <source>Remove strings from filenames</source>
        <translation>Zeichenfolgen aus Dateinamen entfernen</translation>
    </message>
    <message>
        <source>Change filename to new or convert case</source>
        <translation>Dateinamen neu vergeben oder Groß-/Kleinschreibung umwandeln</translation>
    </message>
    <message>
        <source>Change file extension part</source>
        <translation>Dateiendung ändern</translation>
    </message>
    <message>
        <source>Save filenames to a file</source>
        <translation>Dateinamen in einer Datei speichern</translation>
    </message>
    <message>
        <source>Undo the last operation</source>
        <translation>Den letzten Vorgang rückgängig machen</translation>
    </message>
    <message>
        <source>Exit the program</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <source>Select a folder to edit all its included file names together</source>
        <translation>Einen Ordner wählen, um alle enthaltenen Dateinamen gemeinsam zu bearbeiten</translation>
    </message>
    <message>
        <source>OR</source>
        <translation>ODER</translation>
    </message>
    <message>
        <source>Rename                    F2</source>
        <translation>Umbenennen              F2</translation>
    </message>
    <message>
        <source>Delete                       Del</source>
        <translation>Löschen                     Entf</translation>
    </message>
    <message>
        <source>Refresh                     F5</source>
        <translation>Aktualisieren           F5</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Copy filename         Ctrl+C</source>
        <translation>Dateinamen kopieren  Strg+C</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Select All                   Ctrl+A</source>
        <translation>Alle auswählen          Strg+A</translation>
    </message>
    <message>
        <source>Inverse select</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Add More</source>
        <translation>Weitere hinzufügen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Dateiendung</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Rename in another session</source>
        <translation>In einer weiteren Sitzung umbenennen</translation>
    </message>
    <message>
        <source>Click Folder button to select a folder OR click Files button to select many files</source>
        <translation>Klicken Sie auf „Ordner“, um einen Ordner zu wählen, ODER auf „Dateien“, um mehrere Dateien zu wählen</translation>
    </message>
    <message numerus="yes">
        <source>%n Files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>OR add some files to below to edit their names together</source>
        <translation>ODER fügen Sie unten Dateien hinzu, um ihre Namen gemeinsam zu bearbeiten</translation>
    </message>
    <message>
        <source>The filenames(one layer) in above folder:</source>
        <translation>Die Dateinamen (eine Ebene) im obigen Ordner:</translation>
    </message>
    <message>
        <source>%1 Folders %2 Files</source>
        <translation>Ordner: %1  Dateien: %2</translation>
    </message>
    <message>
        <source>Select a folder to 
  edit its included files together:</source>
        <translation>Einen Ordner wählen, um 
  die enthaltenen Dateien gemeinsam zu bearbeiten:</translation>
    </message>
    <message>
        <source>Add all files of a folder to the list:</source>
        <translation>Alle Dateien eines Ordners zur Liste hinzufügen:</translation>
    </message>
    <message>
        <source>Select files </source>
        <translation>Dateien wählen </translation>
    </message>
    <message>
        <source>Rename a file</source>
        <translation>Eine Datei umbenennen</translation>
    </message>
    <message>
        <source>Rename a folder</source>
        <translation>Einen Ordner umbenennen</translation>
    </message>
    <message>
        <source>single rename</source>
        <translation>einzelne Umbenennung</translation>
    </message>
    <message>
        <source>%1  %2 items in %3 (%4)</source>
        <translation>%1  %2 Einträge in %3 (%4)</translation>
    </message>
    <message>
        <source>There is no rename operation to undo.</source>
        <translation>Es gibt keine Umbenennung, die rückgängig gemacht werden kann.</translation>
    </message>
</context>
<context>
    <name>velmora::ui::OperationEditor</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Auswählen</translation>
    </message>
    <message>
        <source>Op&amp;tions</source>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <source> &amp;Help</source>
        <translation> &amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Target folder, </source>
        <translation>Zielordner, </translation>
    </message>
    <message>
        <source>Folder content to edit:</source>
        <translation>Zu bearbeitender Ordnerinhalt:</translation>
    </message>
    <message>
        <source>You can select a kind of contents to edit.</source>
        <translation>Sie können wählen, welcher Inhalt bearbeitet wird.</translation>
    </message>
    <message>
        <source>One old filename:</source>
        <translation>Ein alter Dateiname:</translation>
    </message>
    <message>
        <source>This is convenient for your editing, select or copy part.  </source>
        <translation>Hier können Sie bequem einen Teil markieren oder kopieren.  </translation>
    </message>
    <message>
        <source>Finish edit and execute operations.</source>
        <translation>Bearbeitung abschließen und Vorgang ausführen.</translation>
    </message>
    <message>
        <source>Preview the result</source>
        <translation>Vorschau des Ergebnisses</translation>
    </message>
    <message>
        <source>Select files or folder to batch edit filenames.</source>
        <translation>Dateien oder Ordner wählen, um Dateinamen gemeinsam zu bearbeiten.</translation>
    </message>
    <message>
        <source>Set options</source>
        <translation>Optionen festlegen</translation>
    </message>
    <message>
        <source>Read help </source>
        <translation>Hilfe lesen </translation>
    </message>
    <message>
        <source>About the program</source>
        <translation>Über das Programm</translation>
    </message>
    <message>
        <source>Close the program</source>
        <translation>Das Programm schließen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Target folder,</source>
        <translation>Zielordner,</translation>
    </message>
    <message>
        <source>Velmora - About</source>
        <translation>Velmora - Info</translation>
    </message>
    <message>
        <source>Velmora - Remove string</source>
        <translation>Velmora - Zeichenfolge entfernen</translation>
    </message>
    <message>
        <source>Velmora - Replace string</source>
        <translation>Velmora - Zeichenfolge ersetzen</translation>
    </message>
    <message>
        <source>Velmora - Insert string</source>
        <translation>Velmora - Zeichenfolge einfügen</translation>
    </message>
    <message>
        <source>Velmora - Change to new name</source>
        <translation>Velmora - In neuen Namen ändern</translation>
    </message>
    <message>
        <source>Velmora - Edit Extention part</source>
        <translation>Velmora - Dateiendung bearbeiten</translation>
    </message>
    <message>
        <source>Velmora - Save filenames</source>
        <translation>Velmora - Dateinamen speichern</translation>
    </message>
    <message>
        <source>Target file(s),</source>
        <translation>Zieldatei(en),</translation>
    </message>
    <message numerus="yes">
        <source>total %n file(s)</source>
        <translation>
            <numerusform>insgesamt %n Datei</numerusform>
            <numerusform>insgesamt %n Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Can not rename root directory !</source>
        <translation>Das Wurzelverzeichnis kann nicht umbenannt werden!</translation>
    </message>
    <message>
        <source>Only:</source>
        <translation>Nur:</translation>
    </message>
    <message>
        <source>Only the names that match, such as *.jpg;*.jpeg (any case); a regular expression when that box is checked. Empty: every name.</source>
        <translation>Nur die passenden Namen, etwa *.jpg;*.jpeg (Groß-/Kleinschreibung egal); ein regulärer Ausdruck, wenn das Kästchen dafür angekreuzt ist. Leer: alle Namen.</translation>
    </message>
    <message>
        <source>Not:</source>
        <translation>Nicht:</translation>
    </message>
    <message>
        <source>None of the names that match, such as *.tmp (any case); a regular expression when that box is checked.</source>
        <translation>Keiner der passenden Namen, etwa *.tmp (Groß-/Kleinschreibung egal); ein regulärer Ausdruck, wenn das Kästchen dafür angekreuzt ist.</translation>
    </message>
    <message>
        <source>Sidecars follow their photo (.xmp, .aae, .thm, RAW+JPEG)</source>
        <translation>Begleitdateien folgen ihrem Foto (.xmp, .aae, .thm, RAW+JPEG)</translation>
    </message>
    <message>
        <source>A photo&apos;s .xmp, .aae and .thm files, and the JPEG of a raw photo, get the photo&apos;s new name in the same run.</source>
        <translation>Die .xmp-, .aae- und .thm-Dateien eines Fotos und das JPEG eines RAW-Fotos erhalten im selben Lauf den neuen Namen des Fotos.</translation>
    </message>
</context>
<context>
    <name>velmora::ui::OptionsWindow</name>
    <message>
        <source> Integrate with the file manager&apos;s context menu</source>
        <translation> In das Kontextmenü des Dateimanagers einbinden</translation>
    </message>
    <message>
        <source>Include hidden files and folders</source>
        <translation>Versteckte Dateien und Ordner einbeziehen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Natural (IMG_9 before IMG_10)</source>
        <translation>Natürlich (IMG_9 vor IMG_10)</translation>
    </message>
    <message>
        <source>Date modified</source>
        <translation>Änderungsdatum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Numbering order:</source>
        <translation>Nummerierung:</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
    <message>
        <source>The file manager entries are installed now.</source>
        <translation>Die Dateimanager-Einträge sind jetzt installiert.</translation>
    </message>
    <message>
        <source>The file manager entries are not installed now.</source>
        <translation>Die Dateimanager-Einträge sind jetzt nicht installiert.</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Exit automatically after one operation</source>
        <translation>Nach einem Vorgang automatisch beenden</translation>
    </message>
    <message>
        <source>Display result after rename files</source>
        <translation>Ergebnis nach dem Umbenennen anzeigen</translation>
    </message>
    <message>
        <source> Display OK confirmation box when begin rename</source>
        <translation> Vor dem Umbenennen eine Bestätigung anzeigen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>when select part of one old filename</source>
        <translation>beim Markieren eines Teils eines alten Dateinamens</translation>
    </message>
    <message>
        <source>Automatically copy to input box when use mouse select</source>
        <translation>Markiertes automatisch ins Eingabefeld kopieren</translation>
    </message>
    <message>
        <source>Exclude &apos;a,and,of&apos; etc. when Capitalize every words</source>
        <translation>&apos;a, and, of&apos; usw. beim Großschreiben auslassen</translation>
    </message>
    <message>
        <source>Don&apos;t open file after save filenames </source>
        <translation>Datei nach dem Speichern der Dateinamen nicht öffnen </translation>
    </message>
    <message>
        <source>Preview files number: </source>
        <translation>Anzahl Dateien in der Vorschau: </translation>
    </message>
    <message>
        <source>New name list</source>
        <translation>Liste der neuen Namen</translation>
    </message>
    <message>
        <source>Max Number:</source>
        <translation>Höchstanzahl:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source> Intergrate with Windows Explorer context menu</source>
        <translation> In das Kontextmenü des Windows-Explorers einbinden</translation>
    </message>
    <message>
        <source>The file manager entries could not be changed:
%1</source>
        <translation>Die Dateimanager-Einträge konnten nicht geändert werden:
%1</translation>
    </message>
    <message>
        <source>The main list shows every new name beside the old one while you type</source>
        <translation>Die Liste im Hauptfenster zeigt während der Eingabe jeden neuen Namen neben dem alten</translation>
    </message>
    <message>
        <source>Show new names while editing</source>
        <translation>Neue Namen beim Bearbeiten zeigen</translation>
    </message>
    <message>
        <source>Earlier runs kept for undo:</source>
        <translation>Frühere Läufe zum Rückgängigmachen:</translation>
    </message>
    <message>
        <source>Undo reverses the last run, then the runs before it, up to this many (0: the last run only)</source>
        <translation>„Rückgängig“ macht den letzten Lauf rückgängig, dann die Läufe davor, bis zu so vielen (0: nur den letzten Lauf)</translation>
    </message>
</context>
<context>
    <name>velmora::ui::PresetRow</name>
    <message>
        <source>Preset:</source>
        <translation>Vorlage:</translation>
    </message>
    <message>
        <source>Choose a saved operation, or type a name and press Save</source>
        <translation>Einen gespeicherten Vorgang wählen oder einen Namen eingeben und auf „Speichern“ klicken</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Put the velmora-cli command line of this operation on the clipboard</source>
        <translation>Die velmora-cli-Befehlszeile dieses Vorgangs in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copy as command</source>
        <translation>Als Befehl kopieren</translation>
    </message>
    <message>
        <source>The preset could not be saved in %1.</source>
        <translation>Die Vorlage konnte nicht in %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Delete the preset &apos;%1&apos; ?</source>
        <translation>Die Vorlage &apos;%1&apos; löschen?</translation>
    </message>
    <message>
        <source>Delete Confirmation</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <source>The preset &apos;%1&apos; cannot be read.</source>
        <translation>Die Vorlage &apos;%1&apos; kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>velmora::ui::PreviewWindow</name>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>O&amp;ptionen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Old filenames</source>
        <translation>Alte Dateinamen</translation>
    </message>
    <message>
        <source>New filenames preview</source>
        <translation>Vorschau der neuen Dateinamen</translation>
    </message>
    <message>
        <source>Finish edit and execute operations</source>
        <translation>Bearbeitung abschließen und Vorgang ausführen</translation>
    </message>
    <message>
        <source>Set options</source>
        <translation>Optionen festlegen</translation>
    </message>
    <message>
        <source>Close preview</source>
        <translation>Vorschau schließen</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>velmora::ui::Program</name>
    <message>
        <source>These paths were not found:
%1</source>
        <translation>Diese Pfade wurden nicht gefunden:
%1</translation>
    </message>
</context>
<context>
    <name>velmora::ui::ProgressWindow</name>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Old  filename:</source>
        <translation>Alter  Dateiname:</translation>
    </message>
    <message>
        <source>Old filename:</source>
        <translation>Alter Dateiname:</translation>
    </message>
    <message>
        <source>New filename:</source>
        <translation>Neuer Dateiname:</translation>
    </message>
    <message>
        <source>Searching, please wait...</source>
        <translation>Suche läuft, bitte warten ...</translation>
    </message>
</context>
<context>
    <name>velmora::ui::RemovePage</name>
    <message>
        <source>Remove strings</source>
        <translation>Text entfernen</translation>
    </message>
    <message>
        <source>Remove anything</source>
        <translation>Beliebiges entfernen</translation>
    </message>
    <message>
        <source>Clean symbols</source>
        <translation>Zeichen bereinigen</translation>
    </message>
    <message>
        <source>Keep something</source>
        <translation>Etwas behalten</translation>
    </message>
    <message>
        <source>Remove string</source>
        <translation>Zeichenfolge entfernen</translation>
    </message>
    <message>
        <source>Remove String 1: </source>
        <translation>Zeichenfolge 1 entfernen: </translation>
    </message>
    <message>
        <source>Remove String 2: </source>
        <translation>Zeichenfolge 2 entfernen: </translation>
    </message>
    <message>
        <source>Remove String 3: </source>
        <translation>Zeichenfolge 3 entfernen: </translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>If string is case sensitive , check it.</source>
        <translation>Aktivieren, wenn die Groß-/Kleinschreibung beachtet werden soll.</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alle leeren</translation>
    </message>
    <message>
        <source>Remove the part selected by mouse</source>
        <translation>Den mit der Maus markierten Teil entfernen</translation>
    </message>
    <message>
        <source>Remove the part between two strings</source>
        <translation>Den Teil zwischen zwei Zeichenfolgen entfernen</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Richtung:</translation>
    </message>
    <message>
        <source>From Head</source>
        <translation>Vom Anfang</translation>
    </message>
    <message>
        <source>From End</source>
        <translation>Vom Ende</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Links:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Rechts:</translation>
    </message>
    <message>
        <source>Also remove the two strings</source>
        <translation>Auch die beiden Zeichenfolgen entfernen</translation>
    </message>
    <message>
        <source>If also remove the two strings, select it</source>
        <translation>Aktivieren, um auch die beiden Zeichenfolgen zu entfernen</translation>
    </message>
    <message>
        <source>Clean any nonsense symbols</source>
        <translation>Überflüssige Sonderzeichen bereinigen</translation>
    </message>
    <message>
        <source>Erase option</source>
        <translation>Löschoptionen</translation>
    </message>
    <message>
        <source>Replace the erased symbols with space</source>
        <translation>Gelöschte Zeichen durch Leerzeichen ersetzen</translation>
    </message>
    <message>
        <source>Also erase other symbols:</source>
        <translation>Auch andere Zeichen löschen:</translation>
    </message>
    <message>
        <source>Don&apos;t erase</source>
        <translation>Nicht löschen</translation>
    </message>
    <message>
        <source>Don&apos;t erase other symbols:</source>
        <translation>Andere Zeichen nicht löschen:</translation>
    </message>
    <message>
        <source>KEEP something(remove others)</source>
        <translation>Etwas BEHALTEN (Rest entfernen)</translation>
    </message>
    <message>
        <source>KEEP the part selected by mouse</source>
        <translation>Den mit der Maus markierten Teil BEHALTEN</translation>
    </message>
    <message>
        <source>KEEP strings(remove others)</source>
        <translation>Zeichenfolgen BEHALTEN (Rest entfernen)</translation>
    </message>
    <message>
        <source>Keep string 1:</source>
        <translation>Zeichenfolge 1 behalten:</translation>
    </message>
    <message>
        <source>Keep string 2:</source>
        <translation>Zeichenfolge 2 behalten:</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>The strings to remove are regular expressions.</source>
        <translation>Die zu entfernenden Texte sind reguläre Ausdrücke.</translation>
    </message>
</context>
<context>
    <name>velmora::ui::ReplacePage</name>
    <message>
        <source>Replace string</source>
        <translation>Zeichenfolge ersetzen</translation>
    </message>
    <message>
        <source>Numbers, date and disordered string</source>
        <translation>Nummern, Datum und Zufallszeichenfolge</translation>
    </message>
    <message>
        <source>Special</source>
        <translation>Sonderzeichenfolge</translation>
    </message>
    <message>
        <source>Replace string:</source>
        <translation>Zeichenfolge ersetzen:</translation>
    </message>
    <message>
        <source> Replace length selected by mouse</source>
        <translation> Mit der Maus markierten Bereich ersetzen</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Richtung:</translation>
    </message>
    <message>
        <source>From Head</source>
        <translation>Vom Anfang</translation>
    </message>
    <message>
        <source>From End</source>
        <translation>Vom Ende</translation>
    </message>
    <message>
        <source>New String:</source>
        <translation>Neue Zeichenfolge:</translation>
    </message>
    <message>
        <source>Old string:   </source>
        <translation>Alte Zeichenfolge:   </translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>The old string is a regular expression; \1 to \9 in the new string take its groups, \0 the whole match.</source>
        <translation>Der alte Text ist ein regulärer Ausdruck; \1 bis \9 im neuen Text stehen für seine Gruppen, \0 für den ganzen Treffer.</translation>
    </message>
</context>
<context>
    <name>velmora::ui::SampleBox</name>
    <message>
        <source>Copy(&amp;C)</source>
        <translation>Kopieren(&amp;K)</translation>
    </message>
    <message>
        <source>Select All(&amp;A)</source>
        <translation>Alles auswählen(&amp;A)</translation>
    </message>
    <message>
        <source>Disable auto copy</source>
        <translation>Auto-Kopieren aus</translation>
    </message>
    <message>
        <source>Enable auto copy</source>
        <translation>Auto-Kopieren ein</translation>
    </message>
</context>
<context>
    <name>velmora::ui::SingleRenameDialog</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Rename a file</source>
        <translation>Eine Datei umbenennen</translation>
    </message>
    <message>
        <source>Extension part:</source>
        <translation>Dateiendung:</translation>
    </message>
</context>
<context>
    <name>velmora::ui::SpecialStringDialog</name>
    <message>
        <source>&amp;Upper case</source>
        <translation>&amp;Großbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Lower case</source>
        <translation>&amp;Kleinbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Numbers</source>
        <translation>&amp;Ziffern</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Velmora - Special string</source>
        <translation>Velmora - Sonderzeichenfolge</translation>
    </message>
    <message>
        <source>Use Special string symbols </source>
        <translation>Sonderzeichenfolgen verwenden </translation>
    </message>
    <message>
        <source> (If dont use, not select and click OK button) </source>
        <translation> (Zum Verzichten nichts wählen und auf OK klicken) </translation>
    </message>
    <message>
        <source>Choose one of special strings below: </source>
        <translation>Wählen Sie eine der folgenden Sonderzeichenfolgen: </translation>
    </message>
    <message>
        <source>1, Ordered  numbers: </source>
        <translation>1, Fortlaufende  Nummern: </translation>
    </message>
    <message>
        <source>Begin with : </source>
        <translation>Beginnen mit: </translation>
    </message>
    <message>
        <source>Example: a$$$c  means a001c, a002c, a003c ...</source>
        <translation>Beispiel: a$$$c  ergibt a001c, a002c, a003c ...</translation>
    </message>
    <message>
        <source>2, Today: </source>
        <translation>2, Heute: </translation>
    </message>
    <message>
        <source>3, File date </source>
        <translation>3, Dateidatum </translation>
    </message>
    <message>
        <source>[each file&apos;s modified date, by            ]</source>
        <translation>[Änderungsdatum jeder Datei, im Format            ]</translation>
    </message>
    <message>
        <source>4, File size</source>
        <translation>4, Dateigröße</translation>
    </message>
    <message>
        <source>[each file&apos;s size, by          ]</source>
        <translation>[Größe jeder Datei, in          ]</translation>
    </message>
    <message>
        <source>5, Folder name</source>
        <translation>5, Ordnername</translation>
    </message>
    <message>
        <source> [each file&apos;s folder name, by            ]</source>
        <translation> [Ordnername jeder Datei, als            ]</translation>
    </message>
    <message>
        <source>6, Disordered names: </source>
        <translation>6, Zufallsnamen: </translation>
    </message>
    <message>
        <source>Example: %6%  means a random 6 digits string.</source>
        <translation>Beispiel: %6%  ergibt eine zufällige 6-stellige Zeichenfolge.</translation>
    </message>
    <message>
        <source>From the file</source>
        <translation>Aus der Datei</translation>
    </message>
    <message>
        <source>&amp;Tag:</source>
        <translation>&amp;Merkmal:</translation>
    </message>
    <message>
        <source>Date taken</source>
        <translation>Aufnahmedatum</translation>
    </message>
    <message>
        <source>Camera make</source>
        <translation>Kamerahersteller</translation>
    </message>
    <message>
        <source>Camera model</source>
        <translation>Kameramodell</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>Objektiv</translation>
    </message>
    <message>
        <source>Picture width</source>
        <translation>Bildbreite</translation>
    </message>
    <message>
        <source>Picture height</source>
        <translation>Bildhöhe</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album artist</source>
        <translation>Albuminterpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Track number</source>
        <translation>Titelnummer</translation>
    </message>
    <message>
        <source>Disc number</source>
        <translation>CD-Nummer</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>&amp;Date format:</source>
        <translation>&amp;Datumsformat:</translation>
    </message>
    <message>
        <source>Your own pattern: YYYY or YY the year, MM the month, DD the day, hh the hour, mm the minute, ss the second; one letter writes the number without a leading zero; every other character stays as it is.</source>
        <translation>Eigenes Muster: YYYY oder YY das Jahr, MM der Monat, DD der Tag, hh die Stunde, mm die Minute, ss die Sekunde; ein einzelner Buchstabe schreibt die Zahl ohne führende Null; jedes andere Zeichen bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Beispiel:</translation>
    </message>
    <message>
        <source>This version of Velmora cannot read photo and music tags: these placeholders are unavailable.</source>
        <translation>Diese Version von Velmora kann keine Foto- und Musik-Tags lesen: diese Platzhalter sind nicht verfügbar.</translation>
    </message>
    <message>
        <source>No sample file to show an example of.</source>
        <translation>Keine Beispieldatei für ein Beispiel.</translation>
    </message>
    <message>
        <source>From %1</source>
        <translation>Aus %1</translation>
    </message>
    <message>
        <source>From %1: %2</source>
        <translation>Aus %1: %2</translation>
    </message>
</context>
</TS>
