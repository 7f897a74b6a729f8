<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Backgrounds</name>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>Marble</source>
        <translation>Marmor</translation>
    </message>
    <message>
        <source>Grey Texture 1</source>
        <translation>Graue Struktur 1</translation>
    </message>
    <message>
        <source>Grey Texture 2</source>
        <translation>Graue Struktur 2</translation>
    </message>
    <message>
        <source>Yellow Texture</source>
        <translation>Gelbe Struktur</translation>
    </message>
    <message>
        <source>Steel Texture</source>
        <translation>Stahlstruktur</translation>
    </message>
    <message>
        <source>Sky 1</source>
        <translation>Himmel 1</translation>
    </message>
    <message>
        <source>Sky 2</source>
        <translation>Himmel 2</translation>
    </message>
    <message>
        <source>Gold Pattern</source>
        <translation>Goldmuster</translation>
    </message>
    <message>
        <source>Mellow Yellow</source>
        <translation>Sanftes Gelb</translation>
    </message>
    <message>
        <source>Brown Paper</source>
        <translation>Packpapier</translation>
    </message>
</context>
<context>
    <name>ElementNames</name>
    <message>
        <source>Header</source>
        <translation>Kopf</translation>
    </message>
    <message>
        <source>Plain Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Textbereich</translation>
    </message>
    <message>
        <source>Check Box</source>
        <translation>Kontrollkästchen</translation>
    </message>
    <message>
        <source>Radio Buttons</source>
        <translation>Optionsfelder</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>Submit Button</source>
        <translation>Senden-Schaltfläche</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skala</translation>
    </message>
    <message>
        <source>HTML Header (Can&apos;t Remove/Move)</source>
        <translation>HTML-Kopf (nicht entfern- oder verschiebbar)</translation>
    </message>
    <message>
        <source>%1 (Header)</source>
        <translation>%1 (Kopf)</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Seitenumbruch</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Rangfolge</translation>
    </message>
</context>
<context>
    <name>FormNameDialog</name>
    <message>
        <source>%1 (%2). Nothing has been changed.</source>
        <translation>%1 (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Rename Form</source>
        <translation>Formular umbenennen</translation>
    </message>
    <message>
        <source>New name for the form &apos;%1&apos;:</source>
        <translation>Neuer Name für das Formular „%1“:</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be renamed</source>
        <translation>Das Formular „%1“ konnte nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Copy Form</source>
        <translation>Formular kopieren</translation>
    </message>
    <message>
        <source>Name of the copy of the form &apos;%1&apos;:</source>
        <translation>Name der Kopie des Formulars „%1“:</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has 1 answer. Copy the answers too?</source>
        <translation>Das Formular „%1“ hat 1 Antwort. Die Antworten mitkopieren?</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has %2 answers. Copy the answers too?</source>
        <translation>Das Formular „%1“ hat %2 Antworten. Die Antworten mitkopieren?</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be copied</source>
        <translation>Das Formular „%1“ konnte nicht kopiert werden</translation>
    </message>
    <message>
        <source>Delete the form &apos;%1&apos;? Its page and collection file will be deleted.</source>
        <translation>Das Formular „%1“ löschen? Seine Seite und seine Sammeldatei werden gelöscht.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has 1 answer. Delete the answers too? If not, they are kept in the table &apos;%2&apos;.</source>
        <translation>Das Formular „%1“ hat 1 Antwort. Die Antworten ebenfalls löschen? Andernfalls bleiben sie in der Tabelle „%2“ erhalten.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has %2 answers. Delete the answers too? If not, they are kept in the table &apos;%3&apos;.</source>
        <translation>Das Formular „%1“ hat %2 Antworten. Die Antworten ebenfalls löschen? Andernfalls bleiben sie in der Tabelle „%3“ erhalten.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be deleted</source>
        <translation>Das Formular „%1“ konnte nicht gelöscht werden</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; was not moved: there is a file &apos;%2&apos; already.</source>
        <translation>Die Berichtsdatei „%1“ wurde nicht verschoben: Es gibt bereits eine Datei „%2“.</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be moved (%2).</source>
        <translation>Die Berichtsdatei „%1“ konnte nicht verschoben werden (%2).</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be copied (%2).</source>
        <translation>Die Berichtsdatei „%1“ konnte nicht kopiert werden (%2).</translation>
    </message>
    <message>
        <source>The report file &apos;%1&apos; could not be deleted (%2).</source>
        <translation>Die Berichtsdatei „%1“ konnte nicht gelöscht werden (%2).</translation>
    </message>
    <message>
        <source>The file is still in the Reports folder.</source>
        <translation>Die Datei ist noch im Ordner „Reports“.</translation>
    </message>
    <message>
        <source>The files are still in the Reports folder.</source>
        <translation>Die Dateien sind noch im Ordner „Reports“.</translation>
    </message>
    <message>
        <source>Delete the form &apos;%1&apos;? Its page, collection file and report files will be deleted.</source>
        <translation>Das Formular „%1“ löschen? Seine Seite, seine Sammeldatei und seine Berichtsdateien werden gelöscht.</translation>
    </message>
</context>
<context>
    <name>FormStates</name>
    <message>
        <source>Closed</source>
        <translation>Geschlossen</translation>
    </message>
    <message>
        <source>Closed since %1</source>
        <translation>Geschlossen seit %1</translation>
    </message>
    <message>
        <source>Full (%1 answers)</source>
        <translation>Voll (%1 Antworten)</translation>
    </message>
    <message>
        <source>Open until %1</source>
        <translation>Offen bis %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Offen</translation>
    </message>
    <message>
        <source>Open Form for Answers</source>
        <translation>Formular für Antworten öffnen</translation>
    </message>
    <message>
        <source>Close Form for Answers</source>
        <translation>Formular für Antworten schließen</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 von %3</translation>
    </message>
</context>
<context>
    <name>GraphsPage</name>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
</context>
<context>
    <name>ImportXlsForm</name>
    <message>
        <source>row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>row %1: %2 &apos;%3&apos;</source>
        <translation>Zeile %1: %2 &apos;%3&apos;</translation>
    </message>
    <message>
        <source>No form has been created.</source>
        <translation>Es wurde kein Formular erstellt.</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; cannot be read (%2).</source>
        <translation>Die Datei &apos;%1&apos; kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; is not an XLSForm: it is not an Excel workbook (.xlsx).</source>
        <translation>Die Datei &apos;%1&apos; ist keine XLSForm: Sie ist keine Excel-Arbeitsmappe (.xlsx).</translation>
    </message>
    <message>
        <source>The workbook &apos;%1&apos; is damaged and cannot be read (%2).</source>
        <translation>Die Arbeitsmappe &apos;%1&apos; ist beschädigt und kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The workbook &apos;%1&apos; has no &apos;survey&apos; sheet, so it holds no XLSForm.</source>
        <translation>Die Arbeitsmappe &apos;%1&apos; hat kein Blatt &apos;survey&apos; und enthält daher keine XLSForm.</translation>
    </message>
    <message>
        <source>The choice list &apos;%1&apos; (%2) is not in the &apos;choices&apos; sheet of &apos;%3&apos;.</source>
        <translation>Die Auswahlliste &apos;%1&apos; (%2) fehlt im Blatt &apos;choices&apos; von &apos;%3&apos;.</translation>
    </message>
    <message>
        <source>Two questions of &apos;%1&apos; have the name &apos;%2&apos; (rows %3); each question needs a name of its own.</source>
        <translation>Zwei Fragen in &apos;%1&apos; haben den Namen &apos;%2&apos; (Zeilen %3); jede Frage braucht einen eigenen Namen.</translation>
    </message>
    <message>
        <source>These rows of &apos;%1&apos; cannot become part of a Quenlow form (repeats, calculations, conditions and limits other than a simple comparison, and unknown types):</source>
        <translation>Diese Zeilen von &apos;%1&apos; können nicht Teil eines Quenlow-Formulars werden (Wiederholungen, Berechnungen, Bedingungen und Grenzen außer einem einfachen Vergleich sowie unbekannte Typen):</translation>
    </message>
    <message>
        <source>The &apos;survey&apos; sheet of &apos;%1&apos; holds nothing to show or ask.</source>
        <translation>Das Blatt &apos;survey&apos; von &apos;%1&apos; enthält nichts, was gezeigt oder gefragt werden könnte.</translation>
    </message>
    <message>
        <source>The XLSForm has more elements than a form can hold (%1). No form has been created.</source>
        <translation>Die XLSForm hat mehr Elemente, als ein Formular fassen kann (%1). Es wurde kein Formular erstellt.</translation>
    </message>
    <message>
        <source>The question &apos;%1&apos; cannot be asked under that name: the page posts a field &apos;%2&apos; of its own. No form has been created.</source>
        <translation>Die Frage &apos;%1&apos; kann unter diesem Namen nicht gestellt werden: Die Seite sendet selbst ein Feld &apos;%2&apos;. Es wurde kein Formular erstellt.</translation>
    </message>
</context>
<context>
    <name>LineRule</name>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Line to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie eine Linie hinzufügen könnten.</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>You don&apos;t currently have a Form Open to add a %1 to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie „%1“ hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Help Pages</source>
        <translation>Hilfeseiten</translation>
    </message>
    <message>
        <source>Current Form</source>
        <translation>Aktuelles Formular</translation>
    </message>
    <message>
        <source>Current Database Table</source>
        <translation>Aktuelle Datenbanktabelle</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Linie</translation>
    </message>
    <message>
        <source>Radio Button Menu</source>
        <translation>Optionsfelder</translation>
    </message>
    <message>
        <source>Check Box</source>
        <translation>Kontrollkästchen</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Textbereich</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skala</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Seitenumbruch</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Rangfolge</translation>
    </message>
</context>
<context>
    <name>NewFormOperations</name>
    <message>
        <source>it begins or ends with a blank.</source>
        <translation>er beginnt oder endet mit einem Leerzeichen.</translation>
    </message>
    <message>
        <source>it contains a control character or a line break.</source>
        <translation>er enthält ein Steuerzeichen oder einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>it contains a character that cannot be part of a file name.</source>
        <translation>er enthält ein Zeichen, das nicht Teil eines Dateinamens sein kann.</translation>
    </message>
    <message>
        <source>it contains &apos;/&apos; or &apos;\&apos;, which would place the form&apos;s files outside the program&apos;s folders.</source>
        <translation>er enthält „/“ oder „\“, wodurch die Dateien des Formulars außerhalb der Programmordner lägen.</translation>
    </message>
    <message>
        <source>it contains a &apos;.&apos;, and a form is found again by the part of its page name before the first &apos;.&apos;.</source>
        <translation>er enthält einen „.“, und ein Formular wird am Teil seines Seitennamens vor dem ersten „.“ wiedererkannt.</translation>
    </message>
    <message>
        <source>a page of that name comes with Quenlow and is not a form.</source>
        <translation>eine Seite dieses Namens gehört zu Quenlow und ist kein Formular.</translation>
    </message>
    <message>
        <source>it is too long for a file name.</source>
        <translation>er ist zu lang für einen Dateinamen.</translation>
    </message>
    <message>
        <source>Sorry but there is already a Form and DB Table with the name &apos;%1&apos;.Please enter another name for the HTML form file.</source>
        <translation>Es gibt bereits ein Formular und eine Datenbanktabelle mit dem Namen „%1“. Bitte geben Sie einen anderen Namen für die HTML-Formulardatei ein.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2). No form has been created.</source>
        <translation>Die Antwortdatenbank „%1“ kann nicht geöffnet werden (%2). Es wurde kein Formular erstellt.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; could not be created in the answers database (%2). No form has been created.</source>
        <translation>Die Tabelle „%1“ konnte in der Antwortdatenbank nicht angelegt werden (%2). Es wurde kein Formular erstellt.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2).</source>
        <translation>Die Antwortdatenbank „%1“ kann nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>HTML File name Text Box is empty. Please enter a name for the new HTML Form.</source>
        <translation>Das Feld für den HTML-Dateinamen ist leer. Bitte geben Sie einen Namen für das neue HTML-Formular ein.</translation>
    </message>
    <message>
        <source>The name &apos;%1&apos; cannot be used for a form: %2 Please enter another name for the HTML form file.</source>
        <translation>Der Name „%1“ kann nicht für ein Formular verwendet werden: %2 Bitte geben Sie einen anderen Namen für die HTML-Formulardatei ein.</translation>
    </message>
</context>
<context>
    <name>OpenForm</name>
    <message>
        <source>1 answer</source>
        <translation>1 Antwort</translation>
    </message>
    <message>
        <source>%1 answers</source>
        <translation>%1 Antworten</translation>
    </message>
</context>
<context>
    <name>OutcomeMessages</name>
    <message>
        <source>Sorry, but you don&apos;t have a method selected.</source>
        <translation>Es ist kein Element ausgewählt.</translation>
    </message>
    <message>
        <source>This form already holds %1 elements, the most a form can hold. Please remove an element before adding another.</source>
        <translation>Dieses Formular enthält bereits %1 Elemente, so viele, wie ein Formular enthalten kann. Bitte entfernen Sie ein Element, bevor Sie ein weiteres hinzufügen.</translation>
    </message>
    <message>
        <source>The element counter of this form has reached its limit of %1.</source>
        <translation>Der Elementzähler dieses Formulars hat seine Grenze von %1 erreicht.</translation>
    </message>
    <message>
        <source>Sorry but you cannot move the Form Header - it must remain at the top of the form</source>
        <translation>Der Formularkopf kann nicht verschoben werden – er muss oben im Formular bleiben</translation>
    </message>
    <message>
        <source>You cannot move the Header.</source>
        <translation>Der Kopf kann nicht verschoben werden.</translation>
    </message>
    <message>
        <source>Can&apos;t move method above the HTML Header !</source>
        <translation>Elemente können nicht über den HTML-Kopf verschoben werden!</translation>
    </message>
    <message>
        <source>You cannot move the Submit Button above this Form Element.</source>
        <translation>Die Senden-Schaltfläche kann nicht über dieses Formularelement verschoben werden.</translation>
    </message>
    <message>
        <source>Can&apos;t move method there - You&apos;ve reached the end of the collection !</source>
        <translation>Das Element kann nicht dorthin verschoben werden – das Ende der Liste ist erreicht!</translation>
    </message>
    <message>
        <source>You cannot move this Form Element below the Submit Button</source>
        <translation>Dieses Formularelement kann nicht unter die Senden-Schaltfläche verschoben werden</translation>
    </message>
    <message>
        <source>You cannot remove &apos;%1&apos; Methods since they are essential. You can however edit and move them as you wish.</source>
        <translation>Elemente vom Typ „%1“ können nicht entfernt werden, da sie unverzichtbar sind. Sie können sie aber beliebig bearbeiten und verschieben.</translation>
    </message>
    <message>
        <source>The table containing the data for the form %1 is missing.</source>
        <translation>Die Tabelle mit den Daten des Formulars %1 fehlt.</translation>
    </message>
    <message>
        <source>You already have a User Instruction called %1. Please call it something else.</source>
        <translation>Es gibt bereits eine Frage namens %1. Bitte wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2). Nothing has been changed.</source>
        <translation>Die Antwortdatenbank „%1“ kann nicht geöffnet werden (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be added (%2). Nothing has been changed.</source>
        <translation>Die Antwortspalte für „%1“ konnte nicht hinzugefügt werden (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be renamed (%2). Nothing has been changed.</source>
        <translation>Die Antwortspalte für „%1“ konnte nicht umbenannt werden (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The answers column for &apos;%1&apos; could not be removed (%2). Nothing has been changed.</source>
        <translation>Die Antwortspalte für „%1“ konnte nicht entfernt werden (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>An error occurred removing column &apos;%1&apos; from the table %2.</source>
        <translation>Beim Entfernen der Spalte „%1“ aus der Tabelle %2 ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The change cannot be made: it could not be recorded in &apos;%1&apos; (%2). Nothing has been changed.</source>
        <translation>Die Änderung ist nicht möglich: Sie konnte nicht in „%1“ vermerkt werden (%2). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The collection file &apos;%1&apos; could not be saved (%2). The previous file has been kept.</source>
        <translation>Die Sammeldatei „%1“ konnte nicht gespeichert werden (%2). Die bisherige Datei bleibt erhalten.</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; could not be written (%2). The previous page has been kept.</source>
        <translation>Die Seite „%1“ konnte nicht geschrieben werden (%2). Die bisherige Seite bleibt erhalten.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be published to the answers database (%2). The page file has been written; collection servers still show the form as it was published before.</source>
        <translation>Das Formular „%1“ konnte nicht in der Antwortdatenbank veröffentlicht werden (%2). Die Seitendatei wurde geschrieben; Sammelserver zeigen das Formular weiterhin so, wie es zuvor veröffentlicht wurde.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not the name of a form page. Please choose a page whose name ends in &quot;.html&quot;.</source>
        <translation>„%1“ ist kein Name einer Formularseite. Bitte wählen Sie eine Seite, deren Name auf „.html“ endet.</translation>
    </message>
    <message>
        <source>The field &apos;%1&apos; contains data - Are you sure you wish to remove it ?</source>
        <translation>Das Feld „%1“ enthält Daten – möchten Sie es wirklich entfernen?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; could not be found. Do you wish just to open the HTML Form file ?</source>
        <translation>Die Sammeldatei des Formulars „%1“ wurde nicht gefunden. Möchten Sie nur die HTML-Formulardatei öffnen?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; could not be read (%2). Do you wish just to open the HTML Form file ?</source>
        <translation>Die Sammeldatei des Formulars „%1“ konnte nicht gelesen werden (%2). Möchten Sie nur die HTML-Formulardatei öffnen?</translation>
    </message>
    <message>
        <source>Sorry, but Collection text file for the Form &apos;%1&apos; is damaged (%2). Do you wish just to open the HTML Form file ?</source>
        <translation>Die Sammeldatei des Formulars „%1“ ist beschädigt (%2). Möchten Sie nur die HTML-Formulardatei öffnen?</translation>
    </message>
    <message>
        <source>&apos;%1&apos; no longer offers the answer these questions were asked for, so they are now always asked: &apos;%2&apos;</source>
        <translation>&apos;%1&apos; bietet die Antwort, von der diese Fragen abhingen, nicht mehr an; sie werden daher jetzt immer gestellt: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was removed, so the questions asked only when it had a given answer are now always asked: &apos;%2&apos;</source>
        <translation>„%1“ wurde entfernt; die Fragen, die nur bei einer bestimmten Antwort darauf gestellt wurden, werden jetzt immer gestellt: &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The form itself sends a field called &apos;%1&apos;, so a question of that name would store the wrong answer. Please call it something else.</source>
        <translation>Das Formular sendet selbst ein Feld namens „%1“; eine Frage dieses Namens würde die falsche Antwort speichern. Bitte nennen Sie sie anders.</translation>
    </message>
    <message>
        <source>The form already has a question called &apos;%1&apos;; together with &apos;%2&apos; the answers could be stored under the wrong question, since the form sends the kind of each question as &apos;&lt;question&gt; Type&apos;. Please call it something else.</source>
        <translation>Das Formular hat schon eine Frage namens „%1“; zusammen mit „%2“ könnten die Antworten unter der falschen Frage gespeichert werden, da das Formular die Art jeder Frage als „&lt;Frage&gt; Type“ sendet. Bitte nennen Sie sie anders.</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be opened: %2</source>
        <translation>Das Dokument „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; holds %2, which no word-processing document has. The file is damaged or crafted to exhaust the computer&apos;s memory; it has not been changed.</source>
        <translation>sein Teil „%1“ enthält %2, was kein Textverarbeitungsdokument hat. Die Datei ist beschädigt oder darauf angelegt, den Speicher des Rechners zu erschöpfen; sie wurde nicht verändert.</translation>
    </message>
    <message>
        <source>it is not an Office Open XML (.docx) word-processing document (%1). A document saved in the old binary Word format must be saved in the .docx format first.</source>
        <translation>es ist kein Office-Open-XML-Textverarbeitungsdokument (.docx) (%1). Ein im alten binären Word-Format gespeichertes Dokument muss zuerst im .docx-Format gespeichert werden.</translation>
    </message>
    <message>
        <source>The document cannot be saved as &apos;%1&apos;: %2.</source>
        <translation>Das Dokument kann nicht als „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be found.</source>
        <translation>Das Dokument „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a folder, not a document.</source>
        <translation>„%1“ ist ein Ordner, kein Dokument.</translation>
    </message>
    <message>
        <source>at %1 MB it is larger than a report document can be (%2 MB).</source>
        <translation>mit %1 MB ist es größer, als ein Berichtsdokument sein kann (%2 MB).</translation>
    </message>
    <message>
        <source>The document &apos;%1&apos; cannot be read: %2.</source>
        <translation>Das Dokument „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>the package has no word-processing part &apos;%1&apos;.</source>
        <translation>das Paket hat keinen Textverarbeitungsteil „%1“.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; unpacks to more than a report document can hold (%2 MB). The file is damaged or was not made as a report; it has not been changed.</source>
        <translation>sein Teil „%1“ entpackt sich zu mehr, als ein Berichtsdokument fassen kann (%2 MB). Die Datei ist beschädigt oder wurde nicht als Bericht erstellt; sie wurde nicht verändert.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is packed far more tightly than a document&apos;s text can be (more than %2 to 1). The file is damaged or crafted to exhaust the computer&apos;s memory; it has not been changed.</source>
        <translation>sein Teil „%1“ ist weit dichter gepackt, als der Text eines Dokuments sein kann (mehr als %2 zu 1). Die Datei ist beschädigt oder darauf angelegt, den Speicher des Rechners zu erschöpfen; sie wurde nicht verändert.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is damaged (it cannot be unpacked to the size the package gives for it).</source>
        <translation>sein Teil „%1“ ist beschädigt (er lässt sich nicht auf die Größe entpacken, die das Paket für ihn angibt).</translation>
    </message>
    <message>
        <source>elements nested more than %1 deep</source>
        <translation>Elemente, die mehr als %1 Ebenen tief verschachtelt sind</translation>
    </message>
    <message>
        <source>an element with more than %1 attributes</source>
        <translation>ein Element mit mehr als %1 Attributen</translation>
    </message>
    <message>
        <source>more than %1 namespace declarations in force at once</source>
        <translation>mehr als %1 gleichzeitig gültige Namensraum-Deklarationen</translation>
    </message>
    <message>
        <source>a document type declaration</source>
        <translation>eine Dokumenttyp-Deklaration</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos; is not UTF-8 or UTF-16 text.</source>
        <translation>sein Teil „%1“ ist kein UTF-8- oder UTF-16-Text.</translation>
    </message>
    <message>
        <source>its part &apos;%1&apos;: %2.</source>
        <translation>sein Teil „%1“: %2.</translation>
    </message>
    <message>
        <source>There is no document to save.</source>
        <translation>Es gibt kein Dokument zum Speichern.</translation>
    </message>
    <message>
        <source>The document has never been saved, so it has no file name yet.</source>
        <translation>Das Dokument wurde noch nie gespeichert und hat daher noch keinen Dateinamen.</translation>
    </message>
    <message>
        <source>No file name was given for the document.</source>
        <translation>Für das Dokument wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>the folder &apos;%1&apos; does not exist</source>
        <translation>der Ordner „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>&apos;{%1}&apos; shows the answer to &apos;%1&apos;, which is not asked before this point of the form. Only an earlier question&apos;s answer can be shown.</source>
        <translation>„{%1}“ zeigt die Antwort auf „%1“, das vor dieser Stelle des Formulars nicht gefragt wird. Nur die Antwort einer früheren Frage kann gezeigt werden.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; was removed; these texts still show its answer as &apos;{%1}&apos; and are left as written: &apos;%2&apos;</source>
        <translation>„%1“ wurde entfernt; diese Texte zeigen seine Antwort noch als „{%1}“ und bleiben, wie sie sind: „%2“</translation>
    </message>
    <message>
        <source>The quotas that counted these answers to &apos;%1&apos; were removed, since the form no longer asks for them: &apos;%2&apos;</source>
        <translation>Die Quoten, die diese Antworten auf &apos;%1&apos; zählten, wurden entfernt, da das Formular nicht mehr danach fragt: &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>Quenlow cannot start: %1.</source>
        <translation>Quenlow kann nicht starten: %1.</translation>
    </message>
    <message>
        <source>The answers are still stored in &apos;%1&apos;.</source>
        <translation>Die Antworten werden weiterhin in „%1“ gespeichert.</translation>
    </message>
    <message>
        <source>The answers are now stored in &apos;%1&apos;.</source>
        <translation>Die Antworten werden jetzt in „%1“ gespeichert.</translation>
    </message>
    <message>
        <source> The forms could not be published to it (%1).</source>
        <translation> Die Formulare konnten dort nicht veröffentlicht werden (%1).</translation>
    </message>
    <message>
        <source> These forms could not be published to it: %1.</source>
        <translation> Diese Formulare konnten dort nicht veröffentlicht werden: %1.</translation>
    </message>
    <message>
        <source> The answers being collected go to the previous database until Collect Answers is stopped and started again.</source>
        <translation> Die gerade gesammelten Antworten gehen weiter in die bisherige Datenbank, bis das Sammeln beendet und neu gestartet wird.</translation>
    </message>
    <message>
        <source>Quenlow has stopped collecting answers.</source>
        <translation>Quenlow sammelt keine Antworten mehr.</translation>
    </message>
    <message>
        <source>The forms cannot be published to the answers database (%1). No answers are being collected.</source>
        <translation>Die Formulare können nicht in der Antwortdatenbank veröffentlicht werden (%1). Es werden keine Antworten gesammelt.</translation>
    </message>
    <message>
        <source>These forms could not be published to the answers database and cannot be answered: %1.</source>
        <translation>Diese Formulare konnten nicht in der Antwortdatenbank veröffentlicht werden und können nicht beantwortet werden: %1.</translation>
    </message>
    <message>
        <source>The answers cannot be collected: %1</source>
        <translation>Die Antworten können nicht gesammelt werden: %1</translation>
    </message>
    <message>
        <source>Collecting answers again, as when Quenlow was last closed, from people on my network: %1 (the forms of %2, answers in %3)</source>
        <translation>Antworten werden wieder gesammelt, wie beim letzten Beenden von Quenlow, von Personen in meinem Netzwerk: %1 (die Formulare aus %2, Antworten in %3)</translation>
    </message>
    <message>
        <source>Collecting answers again, as when Quenlow was last closed, from this computer only: %1 (the forms of %2, answers in %3)</source>
        <translation>Antworten werden wieder gesammelt, wie beim letzten Beenden von Quenlow, nur von diesem Computer: %1 (die Formulare aus %2, Antworten in %3)</translation>
    </message>
    <message>
        <source>Quenlow was collecting answers when it was last closed, but cannot start again: %1</source>
        <translation>Quenlow hat beim letzten Beenden Antworten gesammelt, kann aber nicht erneut starten: %1</translation>
    </message>
    <message>
        <source>An answer arrived in the last ten minutes: people may still be filling the forms in. Do you want to stop collecting answers?</source>
        <translation>In den letzten zehn Minuten ist eine Antwort eingegangen: Möglicherweise füllen noch Personen die Formulare aus. Möchten Sie das Sammeln von Antworten beenden?</translation>
    </message>
    <message>
        <source>%1 answers arrived in the last ten minutes: people may still be filling the forms in. Do you want to stop collecting answers?</source>
        <translation>In den letzten zehn Minuten sind %1 Antworten eingegangen: Möglicherweise füllen noch Personen die Formulare aus. Möchten Sie das Sammeln von Antworten beenden?</translation>
    </message>
</context>
<context>
    <name>ReportDocuments</name>
    <message>
        <source>Do you want to save the changes to &apos;%1&apos;?</source>
        <translation>Möchten Sie die Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>The new word document &apos;%1&apos; has been created in %2</source>
        <translation>Das neue Word-Dokument „%1“ wurde in %2 erstellt</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; already exists and is currently open. Enter another filename for the word document.</source>
        <translation>Das Word-Dokument „%1“ existiert bereits und ist zurzeit geöffnet. Geben Sie einen anderen Dateinamen für das Word-Dokument ein.</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; already exists in %2. Do you want to replace it with a new report?</source>
        <translation>Das Word-Dokument „%1“ existiert bereits in %2. Möchten Sie es durch einen neuen Bericht ersetzen?</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; that you wish to export the %2 to cannot be found.The document must first be created by defining its name and pressing the &apos;Create New Report&apos; button.</source>
        <translation>Das Word-Dokument „%1“, in das %2 exportiert werden soll, wurde nicht gefunden. Das Dokument muss zuerst erstellt werden: Geben Sie seinen Namen ein und klicken Sie auf „Neuen Bericht erstellen“.</translation>
    </message>
    <message>
        <source>Adding the table of answers to the word document…</source>
        <translation>Die Antworttabelle wird in das Word-Dokument eingefügt …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 Report</source>
        <translation>Bericht: %1</translation>
    </message>
    <message>
        <source>You must first add the desired fields you wish to have in the report table to the list box &apos;Fields in Table to be added to report&apos;.</source>
        <translation>Sie müssen die gewünschten Felder für die Berichtstabelle zuerst zur Liste „Felder für die Berichtstabelle“ hinzufügen.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; that you wish to export to word document &apos;%2&apos; has no data in it.</source>
        <translation>Die Tabelle „%1“, die Sie in das Word-Dokument „%2“ exportieren möchten, enthält keine Daten.</translation>
    </message>
    <message>
        <source>table</source>
        <translation>die Tabelle</translation>
    </message>
    <message>
        <source>Database table &apos;%1&apos;.</source>
        <translation>Datenbanktabelle „%1“.</translation>
    </message>
    <message>
        <source>Excerpt from database table &apos;%1&apos;.</source>
        <translation>Auszug aus der Datenbanktabelle „%1“.</translation>
    </message>
    <message>
        <source>The table has not been added to the word document &apos;%1&apos;.</source>
        <translation>Die Tabelle wurde nicht in das Word-Dokument „%1“ eingefügt.</translation>
    </message>
    <message>
        <source>If the added table is as desired Save and Close the document before adding another item.</source>
        <translation>Wenn die eingefügte Tabelle Ihren Wünschen entspricht, speichern und schließen Sie das Dokument, bevor Sie etwas Weiteres hinzufügen.</translation>
    </message>
    <message>
        <source>text</source>
        <translation>der Text</translation>
    </message>
    <message>
        <source>If the added text is as desired Save and Close the document before adding another item.</source>
        <translation>Wenn der eingefügte Text Ihren Wünschen entspricht, speichern und schließen Sie das Dokument, bevor Sie etwas Weiteres hinzufügen.</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>das Diagramm</translation>
    </message>
    <message>
        <source>If the added chart is as desired Save and Close the document before adding another item.</source>
        <translation>Wenn das eingefügte Diagramm Ihren Wünschen entspricht, speichern und schließen Sie das Dokument, bevor Sie etwas Weiteres hinzufügen.</translation>
    </message>
    <message>
        <source>The form has no check boxes, radio buttons or menus to summarise.</source>
        <translation>Das Formular enthält keine Kontrollkästchen, Optionsfelder oder Auswahllisten, die sich zusammenfassen ließen.</translation>
    </message>
    <message>
        <source>summary</source>
        <translation>die Zusammenfassung</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Percentage</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>(no answer or another value)</source>
        <translation>(keine Antwort oder anderer Wert)</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>If the added summary is as desired Save and Close the document before adding another item.</source>
        <translation>Wenn die eingefügte Zusammenfassung Ihren Wünschen entspricht, speichern und schließen Sie das Dokument, bevor Sie etwas Weiteres hinzufügen.</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>Aussage</translation>
    </message>
    <message>
        <source>Mean place</source>
        <translation>Mittlerer Platz</translation>
    </message>
    <message>
        <source>Placed first</source>
        <translation>Auf Platz 1</translation>
    </message>
</context>
<context>
    <name>ReporterTexts</name>
    <message>
        <source>The answers database &apos;%1&apos; cannot be opened (%2).</source>
        <translation>Die Antwortdatenbank „%1“ kann nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>The table containing the data for the form %1 is missing.</source>
        <translation>Die Tabelle mit den Daten des Formulars %1 fehlt.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; of the answers database cannot be read (%2).</source>
        <translation>Die Tabelle „%1“ der Antwortdatenbank kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have a field selected</source>
        <translation>Es ist kein Feld ausgewählt</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; cannot be written (%2).</source>
        <translation>Die Seite „%1“ kann nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>CSV, for any spreadsheet or statistics program (*.csv)</source>
        <translation>CSV, für jede Tabellenkalkulation und jedes Statistikprogramm (*.csv)</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx)</source>
        <translation>Excel-Arbeitsmappe (*.xlsx)</translation>
    </message>
    <message>
        <source>Export Answers</source>
        <translation>Antworten exportieren</translation>
    </message>
    <message>
        <source>Exporting the answers to %1…</source>
        <translation>Die Antworten werden nach %1 exportiert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The export was cancelled; no file was written.</source>
        <translation>Der Export wurde abgebrochen; es wurde keine Datei geschrieben.</translation>
    </message>
    <message>
        <source>%1 answers have been exported to %2</source>
        <translation>%1 Antworten wurden nach %2 exportiert</translation>
    </message>
    <message>
        <source>SPSS data file, with labels (*.sav)</source>
        <translation>SPSS-Datendatei, mit Beschriftungen (*.sav)</translation>
    </message>
    <message>
        <source>Stata data file, with labels (*.dta)</source>
        <translation>Stata-Datendatei, mit Beschriftungen (*.dta)</translation>
    </message>
    <message>
        <source>Codebook, a printable page (*.html)</source>
        <translation>Codebuch, eine druckbare Seite (*.html)</translation>
    </message>
</context>
<context>
    <name>XlsFormExport</name>
    <message>
        <source>Export as XLSForm</source>
        <translation>Als XLSForm exportieren</translation>
    </message>
    <message>
        <source>XLSForm workbooks (*.xlsx)</source>
        <translation>XLSForm-Arbeitsmappen (*.xlsx)</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; has been written as an XLSForm to %2.</source>
        <translation>Das Formular &apos;%1&apos; wurde als XLSForm nach %2 geschrieben.</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; cannot be written as an XLSForm, which has no way to say these elements:
%2
Nothing has been written.</source>
        <translation>Das Formular &apos;%1&apos; kann nicht als XLSForm geschrieben werden, da XLSForm diese Elemente nicht ausdrücken kann:
%2
Es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>quenlow::AddTextForm</name>
    <message>
        <source>This Text/Instructioins form element simply adds the text you type below to the form. Such text can be used simply to describe to the form user the purpose of the form or possibly to add further form element user instructions and information.</source>
        <translation>Dieses Formularelement „Text/Hinweise“ fügt den Text, den Sie unten eingeben, einfach in das Formular ein. Mit solchem Text können Sie den Antwortenden zum Beispiel den Zweck des Formulars erklären oder weitere Hinweise und Informationen zu den Formularelementen geben.</translation>
    </message>
    <message>
        <source>Please enter the text or added user instructions you wish to add to the form in the box below :</source>
        <translation>Bitte geben Sie im Feld unten den Text oder die Hinweise ein, die Sie dem Formular hinzufügen möchten:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Text to be added to form.</source>
        <translation>Text, der dem Formular hinzugefügt werden soll.</translation>
    </message>
    <message>
        <source>Edit Text/Instructions</source>
        <translation>Text/Hinweise bearbeiten</translation>
    </message>
    <message>
        <source>Update Text</source>
        <translation>Text aktualisieren</translation>
    </message>
    <message>
        <source>The box for the text to add to the form is empty. You must first type the text you wish to add to the form.</source>
        <translation>Das Feld für den Text ist leer. Sie müssen zuerst den Text eingeben, den Sie dem Formular hinzufügen möchten.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie einen Text hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Text/Instructions to HTML Form</source>
        <translation>Text/Hinweise zum HTML-Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswerView</name>
    <message>
        <source>Answer %1</source>
        <translation>Antwort %1</translation>
    </message>
    <message>
        <source>(no answer)</source>
        <translation>(keine Antwort)</translation>
    </message>
    <message>
        <source>Submitted</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>(not recorded)</source>
        <translation>(nicht erfasst)</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>(never)</source>
        <translation>(nie)</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Quittung</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersPage</name>
    <message>
        <source>Answers</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Show answers containing:</source>
        <translation>Antworten anzeigen, die Folgendes enthalten:</translation>
    </message>
    <message>
        <source>Delete Answer…</source>
        <translation>Antwort löschen …</translation>
    </message>
    <message>
        <source>Select the answers to delete in the table first.</source>
        <translation>Wählen Sie zuerst in der Tabelle die Antworten aus, die gelöscht werden sollen.</translation>
    </message>
    <message>
        <source>Do you want to delete the selected answer? It cannot be brought back.</source>
        <translation>Möchten Sie die ausgewählte Antwort löschen? Sie lässt sich nicht wiederherstellen.</translation>
    </message>
    <message>
        <source>Do you want to delete the %1 selected answers? They cannot be brought back.</source>
        <translation>Möchten Sie die %1 ausgewählten Antworten löschen? Sie lassen sich nicht wiederherstellen.</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersStoreForm</name>
    <message>
        <source>Answers Database</source>
        <translation>Antwortdatenbank</translation>
    </message>
    <message>
        <source>The database in the program folder (formAnswers.mdb)</source>
        <translation>Die Datenbank im Programmordner (formAnswers.mdb)</translation>
    </message>
    <message>
        <source>A PostgreSQL database, shared with collection servers elsewhere:</source>
        <translation>Eine PostgreSQL-Datenbank, gemeinsam mit Sammelservern an anderen Orten:</translation>
    </message>
    <message>
        <source>The password comes from PGPASSWORD or the file ~/.pgpass; it is never kept by Quenlow. The choice is remembered.</source>
        <translation>Das Passwort kommt aus PGPASSWORD oder der Datei ~/.pgpass; Quenlow speichert es nie. Die Auswahl wird gespeichert.</translation>
    </message>
    <message>
        <source>The address of a PostgreSQL database begins with postgresql://, for example postgresql://quenlow@db.example.org:5432/answers.</source>
        <translation>Die Adresse einer PostgreSQL-Datenbank beginnt mit postgresql://, zum Beispiel postgresql://quenlow@db.example.org:5432/answers.</translation>
    </message>
    <message>
        <source>Please leave the password out of the address: give it through PGPASSWORD or the file ~/.pgpass instead.</source>
        <translation>Bitte lassen Sie das Passwort aus der Adresse weg und geben Sie es stattdessen über PGPASSWORD oder die Datei ~/.pgpass an.</translation>
    </message>
    <message>
        <source>postgresql://USER@HOST:5432/DBNAME</source>
        <translation>postgresql://BENUTZER@RECHNER:5432/DATENBANK</translation>
    </message>
</context>
<context>
    <name>quenlow::AnswersTableModel</name>
    <message>
        <source>Submitted</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Receipt</source>
        <translation>Quittung</translation>
    </message>
    <message>
        <source>Participant</source>
        <translation>Teilnehmende Person</translation>
    </message>
</context>
<context>
    <name>quenlow::ChartControl</name>
    <message>
        <source>No answers yet</source>
        <translation>Noch keine Antworten</translation>
    </message>
    <message>
        <source>The chart cannot be saved to &apos;%1&apos;: %2.</source>
        <translation>Das Diagramm kann nicht unter „%1“ gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>No file name was given for the chart picture.</source>
        <translation>Für das Diagrammbild wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>the file name has no extension to tell the picture format (.bmp, .png or .jpg)</source>
        <translation>der Dateiname hat keine Endung, die das Bildformat angibt (.bmp, .png oder .jpg)</translation>
    </message>
    <message>
        <source>&apos;.%1&apos; is not a picture format the program can write (use .bmp, .png or .jpg)</source>
        <translation>„.%1“ ist kein Bildformat, das das Programm schreiben kann (verwenden Sie .bmp, .png oder .jpg)</translation>
    </message>
    <message>
        <source>the folder &apos;%1&apos; does not exist</source>
        <translation>der Ordner „%1“ existiert nicht</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
</context>
<context>
    <name>quenlow::CheckBoxesForm</name>
    <message>
        <source>The Checkbox element gives users a way to quickly and easily select or deselect an item in your HTML form. Checkboxes may also be grouped to create a set of choices, any of which may be selected or deselected by the user.</source>
        <translation>Mit einem Kontrollkästchen können die Antwortenden einen Eintrag in Ihrem HTML-Formular schnell und einfach auswählen oder abwählen. Kontrollkästchen lassen sich auch zu einer Gruppe von Auswahlmöglichkeiten zusammenfassen, von denen jede einzeln an- oder abgewählt werden kann.</translation>
    </message>
    <message>
        <source>If you require several check boxes and require a user instruction before proceeding to define the check boxes click the &apos;Add Text&apos; button :</source>
        <translation>Wenn Sie mehrere Kontrollkästchen benötigen und ihnen einen Hinweis für die Antwortenden voranstellen möchten, klicken Sie vor dem Festlegen der Kontrollkästchen auf „Text hinzufügen“:</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Text hinzufügen</translation>
    </message>
    <message>
        <source>To ask the check boxes as one question, enter the question here (e.g. &quot;Which topics did you enjoy?&quot;); the boxes you add until you finish form its answers :</source>
        <translation>Um die Kontrollkästchen als eine einzige Frage zu stellen, geben Sie hier die Frage ein (z. B. „Welche Themen haben Ihnen gefallen?“); die Kästchen, die Sie bis zum Beenden hinzufügen, bilden ihre Antworten:</translation>
    </message>
    <message>
        <source>Define Checkboxes</source>
        <translation>Kontrollkästchen festlegen</translation>
    </message>
    <message>
        <source>Please enter name/title of each Check Box in the box below :</source>
        <translation>Bitte geben Sie im Feld unten den Namen bzw. die Beschriftung jedes Kontrollkästchens ein:</translation>
    </message>
    <message>
        <source>to be selected by default</source>
        <translation>standardmäßig ausgewählt</translation>
    </message>
    <message>
        <source>On a new line</source>
        <translation>In einer neuen Zeile</translation>
    </message>
    <message>
        <source>On the same line</source>
        <translation>In derselben Zeile</translation>
    </message>
    <message>
        <source>Add Check Box to HTML Form</source>
        <translation>Kontrollkästchen zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Finish Adding Check Box Form Methods</source>
        <translation>Hinzufügen von Kontrollkästchen beenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please tick the approprtiate check boxes :</source>
        <translation>Bitte kreuzen Sie die zutreffenden Kästchen an:</translation>
    </message>
    <message>
        <source>Edit Check Box</source>
        <translation>Kontrollkästchen bearbeiten</translation>
    </message>
    <message>
        <source>Update Check Box</source>
        <translation>Kontrollkästchen aktualisieren</translation>
    </message>
    <message>
        <source>Finish Editing Check Box</source>
        <translation>Bearbeiten des Kontrollkästchens beenden</translation>
    </message>
    <message>
        <source>The check box name text field is empty. You must first enter a title for the check box.</source>
        <translation>Das Feld für den Namen des Kontrollkästchens ist leer. Sie müssen zuerst eine Beschriftung für das Kontrollkästchen eingeben.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Check Box to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie ein Kontrollkästchen hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Check Boxes To Form</source>
        <translation>Kontrollkästchen zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectAnswersForm</name>
    <message>
        <source>Collect Answers</source>
        <translation>Antworten sammeln</translation>
    </message>
    <message>
        <source>Only this computer</source>
        <translation>Nur dieser Computer</translation>
    </message>
    <message>
        <source>People on my network</source>
        <translation>Personen in meinem Netzwerk</translation>
    </message>
    <message>
        <source>any free port</source>
        <translation>beliebiger freier Port</translation>
    </message>
    <message>
        <source>none: plain HTTP</source>
        <translation>keines: einfaches HTTP</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>HTTPS Certificate</source>
        <translation>HTTPS-Zertifikat</translation>
    </message>
    <message>
        <source>HTTPS Private Key</source>
        <translation>Privater HTTPS-Schlüssel</translation>
    </message>
    <message>
        <source>Start Collecting</source>
        <translation>Sammeln starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Who may fill your forms in?</source>
        <translation>Wer darf Ihre Formulare ausfüllen?</translation>
    </message>
    <message>
        <source>Port :</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>HTTPS certificate :</source>
        <translation>HTTPS-Zertifikat:</translation>
    </message>
    <message>
        <source>HTTPS key :</source>
        <translation>HTTPS-Schlüssel:</translation>
    </message>
    <message>
        <source>Phones and computers on the same network as this one (the same Wi-Fi or office network) can open your forms. People elsewhere on the internet cannot.</source>
        <translation>Telefone und Computer im selben Netzwerk wie dieser (demselben WLAN oder Büronetz) können Ihre Formulare öffnen. Personen anderswo im Internet nicht.</translation>
    </message>
    <message>
        <source>Only a web browser on this computer can open your forms: useful to try a form out. Nobody else can reach it.</source>
        <translation>Nur ein Webbrowser auf diesem Computer kann Ihre Formulare öffnen: nützlich, um ein Formular auszuprobieren. Niemand sonst kann es erreichen.</translation>
    </message>
    <message>
        <source>PEM files (*.pem *.crt *.key);;All files (*)</source>
        <translation>PEM-Dateien (*.pem *.crt *.key);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>HTTPS needs both the certificate and its private key; leave both empty for plain HTTP.</source>
        <translation>HTTPS braucht sowohl das Zertifikat als auch seinen privaten Schlüssel; lassen Sie beide leer für einfaches HTTP.</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectedFormsPanel</name>
    <message>
        <source>Forms:</source>
        <translation>Formulare:</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Close Form</source>
        <translation>Formular schließen</translation>
    </message>
    <message>
        <source>Open Form</source>
        <translation>Formular öffnen</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be closed (%2).</source>
        <translation>Das Formular „%1“ konnte nicht geschlossen werden (%2).</translation>
    </message>
    <message>
        <source>The form &apos;%1&apos; could not be opened (%2).</source>
        <translation>Das Formular „%1“ konnte nicht geöffnet werden (%2).</translation>
    </message>
    <message>
        <source>Participants</source>
        <translation>Teilnehmende</translation>
    </message>
    <message>
        <source>Quotas</source>
        <translation>Quoten</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>%1 von %2 haben geantwortet</translation>
    </message>
</context>
<context>
    <name>quenlow::CollectionAddresses</name>
    <message>
        <source>Collecting Answers</source>
        <translation>Antworten werden gesammelt</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers, but this computer has no network address that other devices could reach. Connect it to a network and start again.</source>
        <translation>Quenlow sammelt Antworten, aber dieser Computer hat keine Netzwerkadresse, die andere Geräte erreichen könnten. Verbinden Sie ihn mit einem Netzwerk und starten Sie erneut.</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers. People on the same network as this computer open one of these addresses (a phone can scan the code); this computer&apos;s own browser can use them too. They do not work from the internet.</source>
        <translation>Quenlow sammelt Antworten. Personen im selben Netzwerk wie dieser Computer öffnen eine dieser Adressen (ein Telefon kann den Code scannen); auch der Browser dieses Computers kann sie verwenden. Aus dem Internet funktionieren sie nicht.</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers. This address works in a web browser on this computer only.</source>
        <translation>Quenlow sammelt Antworten. Diese Adresse funktioniert nur in einem Webbrowser auf diesem Computer.</translation>
    </message>
    <message>
        <source>Anyone with the form&apos;s address can see every answer to it: the form lets the people who answer it view its answers table.</source>
        <translation>Wer die Adresse des Formulars kennt, kann alle Antworten darauf sehen: Das Formular lässt die Antwortenden seine Antworttabelle ansehen.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Results: %1</source>
        <translation>Ergebnisse: %1</translation>
    </message>
    <message>
        <source>Present</source>
        <translation>Präsentieren</translation>
    </message>
    <message>
        <source>Shows the results in your web browser, large enough for a projector.</source>
        <translation>Zeigt die Ergebnisse in Ihrem Webbrowser, groß genug für einen Projektor.</translation>
    </message>
    <message>
        <source>No web browser could be opened for %1.</source>
        <translation>Für %1 konnte kein Webbrowser geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>quenlow::CreateNewDatabase</name>
    <message>
        <source>Create/Open Database</source>
        <translation>Datenbank anlegen/öffnen</translation>
    </message>
    <message>
        <source>Sorry, but the answers database &apos;%1&apos; does not hold the tables of answers for the forms yet.</source>
        <translation>Die Antwortdatenbank „%1“ enthält noch keine Antworttabellen für die Formulare.</translation>
    </message>
    <message>
        <source>Sorry, but the Database &apos;formAnswers.mdb&apos; required to hold the tables of answers for each form cannot be found.</source>
        <translation>Die Datenbank „formAnswers.mdb“, die die Antworttabellen der Formulare enthält, wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>To create the database, click the &apos;Create Database&apos; button.</source>
        <translation>Klicken Sie auf „Datenbank anlegen“, um die Datenbank anzulegen.</translation>
    </message>
    <message>
        <source>Create Database</source>
        <translation>Datenbank anlegen</translation>
    </message>
    <message>
        <source>The database &apos;%1&apos; could not be created (%2).</source>
        <translation>Die Datenbank „%1“ konnte nicht angelegt werden (%2).</translation>
    </message>
</context>
<context>
    <name>quenlow::CreateNewForm</name>
    <message>
        <source>Create New Form</source>
        <translation>Neues Formular erstellen</translation>
    </message>
    <message>
        <source>Please enter desired name for HTML file and corresponding database table :</source>
        <translation>Bitte geben Sie den gewünschten Namen für die HTML-Datei und die zugehörige Datenbanktabelle ein:</translation>
    </message>
    <message>
        <source>Generate HTML Form &amp;&amp; Corresponding Database Table for form answers</source>
        <translation>HTML-Formular &amp;&amp; zugehörige Datenbanktabelle für die Antworten erzeugen</translation>
    </message>
    <message>
        <source>Form Attributes</source>
        <translation>Formulareigenschaften</translation>
    </message>
    <message>
        <source>Form Title :</source>
        <translation>Formulartitel:</translation>
    </message>
    <message>
        <source>Title Font Size :</source>
        <translation>Schriftgröße des Titels:</translation>
    </message>
    <message>
        <source>Title Justification :</source>
        <translation>Ausrichtung des Titels:</translation>
    </message>
    <message>
        <source>Form Background :</source>
        <translation>Formularhintergrund:</translation>
    </message>
    <message>
        <source>Tick box if you wish the HTML Form user to view the Database Table after their input</source>
        <translation>Ankreuzen, wenn die Antwortenden nach ihrer Eingabe die Datenbanktabelle ansehen dürfen</translation>
    </message>
    <message>
        <source>Anyone with the form&apos;s address can see every answer to it.</source>
        <translation>Wer die Adresse des Formulars kennt, kann alle Antworten darauf sehen.</translation>
    </message>
    <message>
        <source>Collecting Answers</source>
        <translation>Sammeln der Antworten</translation>
    </message>
    <message>
        <source>Show results to respondents</source>
        <translation>Ergebnisse den Antwortenden zeigen</translation>
    </message>
    <message>
        <source>Accepting answers</source>
        <translation>Nimmt Antworten an</translation>
    </message>
    <message>
        <source>Closing time :</source>
        <translation>Schlusszeit:</translation>
    </message>
    <message>
        <source>Local date and time after which no answers are taken; empty for none.</source>
        <translation>Ortszeit (Datum und Uhrzeit), nach der keine Antworten mehr angenommen werden; leer für keine.</translation>
    </message>
    <message>
        <source>Answer limit :</source>
        <translation>Höchstzahl Antworten:</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>keine Grenze</translation>
    </message>
    <message>
        <source>How many answers are taken; empty for no limit.</source>
        <translation>Wie viele Antworten angenommen werden; leer für keine Grenze.</translation>
    </message>
    <message>
        <source>Thank-you message :</source>
        <translation>Dankesnachricht:</translation>
    </message>
    <message>
        <source>the usual thanks</source>
        <translation>der übliche Dank</translation>
    </message>
    <message>
        <source>Offer &quot;Send another answer&quot;</source>
        <translation>„Weitere Antwort senden“ anbieten</translation>
    </message>
    <message>
        <source>Form language :</source>
        <translation>Sprache des Formulars:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Update Form Title</source>
        <translation>Formulartitel aktualisieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Edit Form Attributes</source>
        <translation>Formulareigenschaften bearbeiten</translation>
    </message>
    <message>
        <source>The closing time &apos;%1&apos; is not a date and time. Please enter it as YYYY-MM-DD HH:MM (for example 2026-06-30 17:00), or leave it empty for no closing time.</source>
        <translation>Die Schlusszeit „%1“ ist kein Datum mit Uhrzeit. Bitte geben Sie sie als JJJJ-MM-TT HH:MM ein (zum Beispiel 2026-06-30 17:00) oder lassen Sie das Feld leer für keine Schlusszeit.</translation>
    </message>
    <message>
        <source>The answer limit &apos;%1&apos; is not a whole number of answers. Please enter a number of 1 or more, or leave it empty for no limit.</source>
        <translation>Die Höchstzahl „%1“ ist keine ganze Zahl von Antworten. Bitte geben Sie eine Zahl ab 1 ein oder lassen Sie das Feld leer für keine Grenze.</translation>
    </message>
    <message>
        <source>Edit Header</source>
        <translation>Kopf bearbeiten</translation>
    </message>
    <message>
        <source>New Form Title</source>
        <translation>Neuer Formulartitel</translation>
    </message>
    <message>
        <source>YYYY-MM-DD HH:MM</source>
        <translation>JJJJ-MM-TT HH:MM</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>If the location of the database has altered you may alter the database location text within the form by modifying the full path location below :</source>
        <translation>Falls sich der Speicherort der Datenbank geändert hat, können Sie ihn im Formular anpassen, indem Sie den vollständigen Pfad unten ändern:</translation>
    </message>
    <message>
        <source>Quota :</source>
        <translation>Quote :</translation>
    </message>
    <message>
        <source>The question whose answers are counted</source>
        <translation>Die Frage, deren Antworten gezählt werden</translation>
    </message>
    <message>
        <source>The answer counted</source>
        <translation>Die gezählte Antwort</translation>
    </message>
    <message>
        <source>at most</source>
        <translation>höchstens</translation>
    </message>
    <message>
        <source>How many answers with that answer are taken</source>
        <translation>Wie viele Antworten mit dieser Antwort angenommen werden</translation>
    </message>
    <message>
        <source>Add Quota</source>
        <translation>Quote hinzufügen</translation>
    </message>
    <message>
        <source>Remove Quota</source>
        <translation>Quote entfernen</translation>
    </message>
    <message>
        <source>Only invited people may answer</source>
        <translation>Nur eingeladene Personen dürfen antworten</translation>
    </message>
    <message>
        <source>Anonymous answers</source>
        <translation>Anonyme Antworten</translation>
    </message>
    <message>
        <source>Only that a code has answered is kept, never which answers are whose; each code answers once.</source>
        <translation>Gespeichert wird nur, dass ein Code geantwortet hat, nie welche Antworten zu wem gehören; jeder Code antwortet einmal.</translation>
    </message>
    <message>
        <source>%1 = %2: at most %3</source>
        <translation>%1 = %2: höchstens %3</translation>
    </message>
</context>
<context>
    <name>quenlow::DocumentPreview</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Gespeichert unter %1</translation>
    </message>
    <message>
        <source>(%1 more rows of this table are not shown here.)</source>
        <translation>(%1 weitere Zeilen dieser Tabelle werden hier nicht gezeigt.)</translation>
    </message>
</context>
<context>
    <name>quenlow::EditorWindow</name>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>Es ist kein Formularelement ausgewählt.</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 hinzufügen</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>User Instruction %1</source>
        <translation>Frage %1</translation>
    </message>
</context>
<context>
    <name>quenlow::Editors</name>
    <message>
        <source>The window &quot;%1&quot; is already open. Please finish with it or cancel it first.</source>
        <translation>Das Fenster „%1“ ist bereits geöffnet. Bitte schließen Sie es zuerst ab oder brechen Sie es ab.</translation>
    </message>
    <message>
        <source>Text to be added to form.</source>
        <translation>Text, der dem Formular hinzugefügt werden soll.</translation>
    </message>
    <message>
        <source>Add Line</source>
        <translation>Linie hinzufügen</translation>
    </message>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>Es ist kein Formularelement ausgewählt.</translation>
    </message>
    <message>
        <source>Horizontal Line Rules cannot be edited.</source>
        <translation>Horizontale Linien können nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>Field Type Not Recognised</source>
        <translation>Unbekannter Feldtyp</translation>
    </message>
</context>
<context>
    <name>quenlow::FormHistory</name>
    <message>
        <source>The answers to &apos;%1&apos; cannot be brought back, so the earlier changes to this form can no longer be undone.</source>
        <translation>Die Antworten auf „%1“ lassen sich nicht wiederherstellen, daher können die früheren Änderungen an diesem Formular nicht mehr rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>The change cannot be undone: the answers database cannot be opened (%1).</source>
        <translation>Die Änderung kann nicht rückgängig gemacht werden: Die Antwortdatenbank kann nicht geöffnet werden (%1).</translation>
    </message>
    <message>
        <source>The change cannot be undone: the answers table could not be changed (%1). Nothing has been changed.</source>
        <translation>Die Änderung kann nicht rückgängig gemacht werden: Die Antworttabelle konnte nicht geändert werden (%1). Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The change cannot be undone: &apos;%1&apos; could not be written (%2).</source>
        <translation>Die Änderung kann nicht rückgängig gemacht werden: „%1“ konnte nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>The answers to &apos;%1&apos; are kept in the answers table.</source>
        <translation>Die Antworten auf „%1“ bleiben in der Antworttabelle erhalten.</translation>
    </message>
</context>
<context>
    <name>quenlow::FormNameDialog</name>
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
    <name>quenlow::GraphsPage</name>
    <message>
        <source>Graphs</source>
        <translation>Diagramme</translation>
    </message>
    <message>
        <source>Graph Name</source>
        <translation>Diagrammname</translation>
    </message>
    <message>
        <source>Graphable Table Fields - Check Boxes, Select Menus, Radio Buttons</source>
        <translation>Darstellbare Tabellenfelder – Kontrollkästchen, Auswahllisten, Optionsfelder</translation>
    </message>
    <message>
        <source>View Pie Chart</source>
        <translation>Kreisdiagramm anzeigen</translation>
    </message>
    <message>
        <source>View Bar Graph</source>
        <translation>Balkendiagramm anzeigen</translation>
    </message>
    <message>
        <source>Graph File Name :</source>
        <translation>Dateiname des Diagramms:</translation>
    </message>
    <message>
        <source>Save Graph To File</source>
        <translation>Diagramm in Datei speichern</translation>
    </message>
    <message>
        <source>Add Chart to Report</source>
        <translation>Diagramm zum Bericht hinzufügen</translation>
    </message>
    <message>
        <source>Pie Chart of form %1 &apos;%2&apos; :</source>
        <translation>Kreisdiagramm des Formularelements %1 „%2“:</translation>
    </message>
    <message>
        <source>Bar Chart of form %1 &apos;%2&apos; :</source>
        <translation>Balkendiagramm des Formularelements %1 „%2“:</translation>
    </message>
    <message>
        <source>Check Boxes</source>
        <translation>Kontrollkästchen</translation>
    </message>
    <message>
        <source>There is no chart to save: no question of this form has been charted.</source>
        <translation>Es gibt kein Diagramm zum Speichern: Zu diesem Formular wurde noch keine Frage als Diagramm dargestellt.</translation>
    </message>
    <message>
        <source>The Chart has been saved to %1</source>
        <translation>Das Diagramm wurde unter %1 gespeichert</translation>
    </message>
    <message>
        <source>There is no chart to add: no question of this form has been charted.</source>
        <translation>Es gibt kein Diagramm zum Hinzufügen: Zu diesem Formular wurde noch keine Frage als Diagramm dargestellt.</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>das Diagramm</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Mean place of each option of form %1 &apos;%2&apos; :</source>
        <translation>Mittlerer Platz jeder Option von Formular %1 „%2“ :</translation>
    </message>
</context>
<context>
    <name>quenlow::GridForm</name>
    <message>
        <source>A grid asks several statements at once, each answered with one of the same answers (e.g. how much the form filler agrees with each). Each statement is a question of its own in the answers table.</source>
        <translation>Ein Raster fragt mehrere Aussagen auf einmal ab, jede mit einer der gleichen Antworten (z. B. wie sehr der Ausfüllende jeder zustimmt). Jede Aussage ist eine eigene Frage in der Antworttabelle.</translation>
    </message>
    <message>
        <source>Please enter the question for the grid  :</source>
        <translation>Bitte geben Sie die Frage für das Raster ein  :</translation>
    </message>
    <message>
        <source>Add Statement</source>
        <translation>Aussage hinzufügen</translation>
    </message>
    <message>
        <source>Remove Statement</source>
        <translation>Aussage entfernen</translation>
    </message>
    <message>
        <source>Fill the answers with :</source>
        <translation>Antworten füllen mit :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Agree (five points)</source>
        <translation>Zustimmung (fünf Stufen)</translation>
    </message>
    <message>
        <source>Satisfied (five points)</source>
        <translation>Zufriedenheit (fünf Stufen)</translation>
    </message>
    <message>
        <source>How often (five points)</source>
        <translation>Häufigkeit (fünf Stufen)</translation>
    </message>
    <message>
        <source>Add Answer</source>
        <translation>Antwort hinzufügen</translation>
    </message>
    <message>
        <source>Remove Answer</source>
        <translation>Antwort entfernen</translation>
    </message>
    <message>
        <source>Statements (rows) :</source>
        <translation>Aussagen (Zeilen) :</translation>
    </message>
    <message>
        <source>Answers (columns) :</source>
        <translation>Antworten (Spalten) :</translation>
    </message>
    <message>
        <source>Add Grid to HTML Form</source>
        <translation>Raster zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The statement text box is empty. You must first enter a statement.</source>
        <translation>Das Textfeld für die Aussage ist leer. Sie müssen zuerst eine Aussage eingeben.</translation>
    </message>
    <message>
        <source>The answer text box is empty. You must first enter an answer.</source>
        <translation>Das Textfeld für die Antwort ist leer. Sie müssen zuerst eine Antwort eingeben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is already in the list.</source>
        <translation>„%1“ steht bereits in der Liste.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an entry of the list selected.</source>
        <translation>Leider ist kein Eintrag der Liste ausgewählt.</translation>
    </message>
    <message>
        <source>Edit Grid</source>
        <translation>Raster bearbeiten</translation>
    </message>
    <message>
        <source>Update Grid</source>
        <translation>Raster aktualisieren</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the grid asks.</source>
        <translation>Das Textfeld für die Frage ist leer. Sie müssen zuerst die Frage des Rasters eingeben.</translation>
    </message>
    <message>
        <source>You must first enter some statements.</source>
        <translation>Sie müssen zuerst einige Aussagen eingeben.</translation>
    </message>
    <message>
        <source>You must first enter at least two answers.</source>
        <translation>Sie müssen zuerst mindestens zwei Antworten eingeben.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Grid to.</source>
        <translation>Sie haben derzeit kein Formular geöffnet, dem ein Raster hinzugefügt werden kann.</translation>
    </message>
    <message>
        <source>Add Grid To Form</source>
        <translation>Raster zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::ImportXlsForm</name>
    <message>
        <source>Import XLSForm</source>
        <translation>XLSForm importieren</translation>
    </message>
    <message>
        <source>Make a new form from an XLSForm workbook, as field-collection tools write and share them: its questions, choices and settings.</source>
        <translation>Ein neues Formular aus einer XLSForm-Arbeitsmappe erstellen, wie Werkzeuge für die Datenerhebung im Feld sie schreiben und teilen: ihre Fragen, Auswahllisten und Einstellungen.</translation>
    </message>
    <message>
        <source>XLSForm file (.xlsx):</source>
        <translation>XLSForm-Datei (.xlsx):</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Name of the new form:</source>
        <translation>Name des neuen Formulars:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>XLSForm workbooks (*.xlsx)</source>
        <translation>XLSForm-Arbeitsmappen (*.xlsx)</translation>
    </message>
    <message>
        <source>Please choose the XLSForm file (.xlsx) to import.</source>
        <translation>Bitte wählen Sie die XLSForm-Datei (.xlsx), die importiert werden soll.</translation>
    </message>
</context>
<context>
    <name>quenlow::MainForm</name>
    <message>
        <source>View Current Form Database Table in HTML</source>
        <translation>Datenbanktabelle des Formulars als HTML ansehen</translation>
    </message>
    <message>
        <source>Report Table Data and Graphs to Word Document</source>
        <translation>Tabellendaten und Diagramme in ein Word-Dokument übernehmen</translation>
    </message>
    <message>
        <source>View Help Pages</source>
        <translation>Hilfeseiten ansehen</translation>
    </message>
    <message>
        <source>View Current Form</source>
        <translation>Aktuelles Formular ansehen</translation>
    </message>
    <message>
        <source>Add To HTML Form</source>
        <translation>Zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Horizontal Line Rule</source>
        <translation>Horizontale Linie</translation>
    </message>
    <message>
        <source>Submit Button</source>
        <translation>Senden-Schaltfläche</translation>
    </message>
    <message>
        <source>Radio Buttons</source>
        <translation>Optionsfelder</translation>
    </message>
    <message>
        <source>Check Boxes</source>
        <translation>Kontrollkästchen</translation>
    </message>
    <message>
        <source>Text Area</source>
        <translation>Textbereich</translation>
    </message>
    <message>
        <source>Pull Down Menu</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>Text Field</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>Text/Added instructions</source>
        <translation>Text/zusätzliche Hinweise</translation>
    </message>
    <message>
        <source>Alter Form Layout</source>
        <translation>Formularaufbau ändern</translation>
    </message>
    <message>
        <source>Remove Form Method</source>
        <translation>Element entfernen</translation>
    </message>
    <message>
        <source>Edit Form Method</source>
        <translation>Element bearbeiten</translation>
    </message>
    <message>
        <source>Move Method Up Form</source>
        <translation>Element nach oben</translation>
    </message>
    <message>
        <source>Move Method Down Form</source>
        <translation>Element nach unten</translation>
    </message>
    <message>
        <source>Current Form</source>
        <translation>Aktuelles Formular</translation>
    </message>
    <message>
        <source>Current HTML Form Name :</source>
        <translation>Aktuelles HTML-Formular:</translation>
    </message>
    <message>
        <source>Collect Answers</source>
        <translation>Antworten sammeln</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>&amp;Form</source>
        <translation>&amp;Formular</translation>
    </message>
    <message>
        <source>Create New Form</source>
        <translation>Neues Formular erstellen</translation>
    </message>
    <message>
        <source>Open Form</source>
        <translation>Formular öffnen</translation>
    </message>
    <message>
        <source>Collected Forms…</source>
        <translation>Gesammelte Formulare …</translation>
    </message>
    <message>
        <source>Collect Again When Quenlow Starts</source>
        <translation>Beim Start von Quenlow wieder sammeln</translation>
    </message>
    <message>
        <source>Answers Database...</source>
        <translation>Antwortdatenbank …</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Add To Form</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Text/Added Instructions</source>
        <translation>Text/zusätzliche Hinweise</translation>
    </message>
    <message>
        <source>Select Pull Down Menu</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Current HTML Form</source>
        <translation>Aktuelles HTML-Formular</translation>
    </message>
    <message>
        <source>Current Database Table in HTML</source>
        <translation>Aktuelle Datenbanktabelle als HTML</translation>
    </message>
    <message>
        <source>Help Pages</source>
        <translation>Hilfeseiten</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open.</source>
        <translation>Es ist derzeit kein Formular geöffnet.</translation>
    </message>
    <message>
        <source>Rename Form…</source>
        <translation>Formular umbenennen …</translation>
    </message>
    <message>
        <source>Copy Form…</source>
        <translation>Formular kopieren …</translation>
    </message>
    <message>
        <source>Delete Form…</source>
        <translation>Formular löschen …</translation>
    </message>
    <message>
        <source>Quenlow is collecting answers: people may be filling a form in right now, and their answers would be lost. Close Quenlow and stop collecting answers?</source>
        <translation>Quenlow sammelt Antworten: Möglicherweise füllt gerade jemand ein Formular aus, und diese Antworten gingen verloren. Quenlow schließen und das Sammeln beenden?</translation>
    </message>
    <message>
        <source>The page &apos;%1&apos; was opened without its collection file and cannot be edited.</source>
        <translation>Die Seite „%1“ wurde ohne ihre Sammeldatei geöffnet und kann nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>You already have a submit button in the Form. You may however edit it</source>
        <translation>Das Formular hat bereits eine Senden-Schaltfläche. Sie können sie aber bearbeiten</translation>
    </message>
    <message>
        <source>You do not have a Form Method Selected.</source>
        <translation>Es ist kein Formularelement ausgewählt.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to view.</source>
        <translation>Es ist derzeit kein Formular zum Ansehen geöffnet.</translation>
    </message>
    <message>
        <source>Stop Collecting Answers</source>
        <translation>Sammeln beenden</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skala</translation>
    </message>
    <message>
        <source>Scale…</source>
        <translation>Skala…</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is asked only when &apos;%2&apos; has a given answer, so it must stay below it.</source>
        <translation>„%1“ wird nur gefragt, wenn „%2“ eine bestimmte Antwort hat, und muss daher darunter bleiben.</translation>
    </message>
    <message>
        <source>Page Break</source>
        <translation>Seitenumbruch</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>Import XLSForm…</source>
        <translation>XLSForm importieren …</translation>
    </message>
    <message>
        <source>Export as XLSForm…</source>
        <translation>Als XLSForm exportieren …</translation>
    </message>
    <message>
        <source>Participants…</source>
        <translation>Teilnehmende …</translation>
    </message>
    <message>
        <source>Page Break…</source>
        <translation>Seitenumbruch …</translation>
    </message>
    <message>
        <source>Grid…</source>
        <translation>Raster …</translation>
    </message>
    <message>
        <source>&apos;%1&apos; shows the answer to &apos;%2&apos;, so it must stay below it.</source>
        <translation>„%1“ zeigt die Antwort auf „%2“ und muss daher darunter bleiben.</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Rangfolge</translation>
    </message>
    <message>
        <source>Ranking…</source>
        <translation>Rangfolge …</translation>
    </message>
</context>
<context>
    <name>quenlow::OpenForm</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>, the last on %1</source>
        <translation>, die letzte am %1</translation>
    </message>
</context>
<context>
    <name>quenlow::OptionListWindow</name>
    <message>
        <source>Option to be selected by default</source>
        <translation>Standardmäßig ausgewählte Option</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>quenlow::PageBreakForm</name>
    <message>
        <source>A page break starts a new page of the form. People who answer it see one page at a time, with &quot;Next&quot; and &quot;Back&quot; buttons, and the submit button on the last page only. The title, when you give one, is shown at the top of the new page.</source>
        <translation>Ein Seitenumbruch beginnt eine neue Seite des Formulars. Wer es beantwortet, sieht jeweils eine Seite mit den Schaltflächen „Weiter“ und „Zurück“ und die Schaltfläche zum Absenden nur auf der letzten Seite. Der Titel, falls Sie einen angeben, erscheint oben auf der neuen Seite.</translation>
    </message>
    <message>
        <source>Title of the new page (optional) :</source>
        <translation>Titel der neuen Seite (optional) :</translation>
    </message>
    <message>
        <source>Add Page Break to HTML Form</source>
        <translation>Seitenumbruch zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Edit Page Break</source>
        <translation>Seitenumbruch bearbeiten</translation>
    </message>
    <message>
        <source>Update Page Break</source>
        <translation>Seitenumbruch aktualisieren</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Page Break to.</source>
        <translation>Sie haben derzeit kein Formular geöffnet, dem ein Seitenumbruch hinzugefügt werden kann.</translation>
    </message>
    <message>
        <source>Add Page Break To Form</source>
        <translation>Seitenumbruch zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::ParticipantsForm</name>
    <message>
        <source>Participants of %1</source>
        <translation>Teilnehmende von %1</translation>
    </message>
    <message>
        <source>Each person invited gets a personal code to answer this form with.</source>
        <translation>Jede eingeladene Person erhält einen persönlichen Code, mit dem sie dieses Formular beantwortet.</translation>
    </message>
    <message>
        <source>Import from CSV…</source>
        <translation>Aus CSV importieren …</translation>
    </message>
    <message>
        <source>Number of codes</source>
        <translation>Anzahl der Codes</translation>
    </message>
    <message>
        <source>Make Codes Without Names</source>
        <translation>Codes ohne Namen erzeugen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Export Not Answered…</source>
        <translation>Noch nicht Antwortende exportieren …</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Codes:</source>
        <translation>Codes:</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>Die Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Line %1 of the file is not UTF-8 text. Save the list as &quot;CSV UTF-8&quot; and import it again. Nobody was added.</source>
        <translation>Zeile %1 der Datei ist kein UTF-8-Text. Speichern Sie die Liste als „CSV UTF-8“ und importieren Sie sie erneut. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>The file lists nobody: its first row names the columns, and each row below it is one person. Nobody was added.</source>
        <translation>Die Datei enthält niemanden: Ihre erste Zeile benennt die Spalten, jede Zeile darunter ist eine Person. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>Line %1 of the file is empty. Remove it and import the file again. Nobody was added.</source>
        <translation>Zeile %1 der Datei ist leer. Entfernen Sie sie und importieren Sie die Datei erneut. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the list twice (again on line %2). Nobody was added.</source>
        <translation>„%1“ steht zweimal in der Liste (erneut in Zeile %2). Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a participant of this form already. Nobody was added.</source>
        <translation>„%1“ nimmt an diesem Formular bereits teil. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>The column &quot;%1&quot; is named twice in the first row. Nobody was added.</source>
        <translation>Die Spalte „%1“ wird in der ersten Zeile zweimal genannt. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>Line %1 of the file has more fields than the first row names columns. Nobody was added.</source>
        <translation>Zeile %1 der Datei hat mehr Felder, als die erste Zeile Spalten nennt. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>The quotation mark opened on line %1 of the file is never closed. Nobody was added.</source>
        <translation>Das in Zeile %1 der Datei geöffnete Anführungszeichen wird nie geschlossen. Niemand wurde hinzugefügt.</translation>
    </message>
    <message>
        <source>This form has no table in the answers database yet.</source>
        <translation>Dieses Formular hat noch keine Tabelle in der Antwortdatenbank.</translation>
    </message>
    <message>
        <source>The participants could not be kept in the answers database: %1</source>
        <translation>Die Teilnehmenden konnten nicht in der Antwortdatenbank gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The participants could not be read: %1</source>
        <translation>Die Teilnehmenden konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Geantwortet</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>%1 von %2 haben geantwortet</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export Not Answered</source>
        <translation>Noch nicht Antwortende exportieren</translation>
    </message>
    <message>
        <source>Import Participants</source>
        <translation>Teilnehmende importieren</translation>
    </message>
    <message numerus="yes">
        <source>%n participant(s) added, each with a personal code.</source>
        <translation>
            <numerusform>%n Teilnehmende hinzugefügt, jede Person mit einem persönlichen Code.</numerusform>
            <numerusform>%n Teilnehmende hinzugefügt, jede Person mit einem persönlichen Code.</numerusform>
        </translation>
    </message>
    <message>
        <source>Select the participants to remove first.</source>
        <translation>Wählen Sie zuerst die Teilnehmenden aus, die entfernt werden sollen.</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n participant(s)? Their codes will no longer be accepted.</source>
        <translation>
            <numerusform>%n Teilnehmende entfernen? Ihre Codes werden dann nicht mehr angenommen.</numerusform>
            <numerusform>%n Teilnehmende entfernen? Ihre Codes werden dann nicht mehr angenommen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The participants could not be removed: %1</source>
        <translation>Die Teilnehmenden konnten nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>http://192.168.1.20:8080/%1</source>
        <translation>http://192.168.1.20:8080/%1</translation>
    </message>
    <message>
        <source>%1 invitations.pdf</source>
        <translation>%1 Einladungen.pdf</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Print Invitations</source>
        <translation>Einladungen drucken</translation>
    </message>
    <message>
        <source>Writes a PDF with a card for each participant: their code, the form&apos;s address with it and its QR code, eight cards to a page.</source>
        <translation>Schreibt ein PDF mit einer Karte für jede teilnehmende Person: ihr Code, die Adresse des Formulars damit und deren QR-Code, acht Karten pro Seite.</translation>
    </message>
    <message>
        <source>Form&apos;s address:</source>
        <translation>Adresse des Formulars:</translation>
    </message>
    <message>
        <source>Invitations:</source>
        <translation>Einladungen:</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>PDF-Dateien (*.pdf);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>This form has no participants to invite yet. Import them from a CSV file or make codes first.</source>
        <translation>Dieses Formular hat noch keine Teilnehmenden zum Einladen. Importieren Sie sie zuerst aus einer CSV-Datei oder erstellen Sie Codes.</translation>
    </message>
    <message>
        <source>Give the address the form is answered at (for example http://192.168.1.20:8080/%1): each card leads there with its code.</source>
        <translation>Geben Sie die Adresse an, unter der das Formular beantwortet wird (zum Beispiel http://192.168.1.20:8080/%1): Jede Karte führt mit ihrem Code dorthin.</translation>
    </message>
    <message>
        <source>Name the PDF file to write the invitations to.</source>
        <translation>Nennen Sie die PDF-Datei, in die die Einladungen geschrieben werden sollen.</translation>
    </message>
    <message>
        <source>The address %1 works on this computer only: the people invited cannot open it. Print the invitations anyway?</source>
        <translation>Die Adresse %1 funktioniert nur auf diesem Computer: Die Eingeladenen können sie nicht öffnen. Die Einladungen trotzdem drucken?</translation>
    </message>
    <message>
        <source>The invitations could not be written. %1</source>
        <translation>Die Einladungen konnten nicht geschrieben werden. %1</translation>
    </message>
    <message numerus="yes">
        <source>%n invitation(s) written to %1.</source>
        <translation><numerusform>%n Einladung(en) in %1 geschrieben.</numerusform><numerusform>%n Einladung(en) in %1 geschrieben.</numerusform></translation>
    </message>
</context>
<context>
    <name>quenlow::ParticipationPage</name>
    <message>
        <source>Who Has Answered</source>
        <translation>Wer geantwortet hat</translation>
    </message>
    <message>
        <source>Not answered yet:</source>
        <translation>Noch nicht geantwortet:</translation>
    </message>
    <message>
        <source>The participants could not be read: %1</source>
        <translation>Die Teilnehmenden konnten nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>This form invites nobody: Form &gt; Participants… gives people personal codes.</source>
        <translation>Dieses Formular lädt niemanden ein: Formular &gt; Teilnehmende … gibt Personen persönliche Codes.</translation>
    </message>
    <message>
        <source>answered %1 of %2</source>
        <translation>%1 von %2 haben geantwortet</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
</context>
<context>
    <name>quenlow::PullDownMenuInstructionForm</name>
    <message>
        <source>The Pull-Down Menu/Select Element is used for menus. Each item in a Pull-Down Menu is called an Option.</source>
        <translation>Die Auswahlliste (Select-Element) dient zur Darstellung von Menüs. Jeder Eintrag einer Auswahlliste heißt Option.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the Pull Down menu in the text field below :</source>
        <translation>Bitte geben Sie im Textfeld unten die Frage für die Auswahlliste ein:</translation>
    </message>
    <message>
        <source>Menu Options</source>
        <translation>Menüoptionen</translation>
    </message>
    <message>
        <source>Please enter each Pull Down Menu option in the box below and hit the &apos;Add Choice to Pull Down Menu&apos; button after each added box option :</source>
        <translation>Bitte geben Sie jede Option der Auswahlliste im Feld unten ein und klicken Sie nach jeder Option auf „Option zur Auswahlliste hinzufügen“:</translation>
    </message>
    <message>
        <source>Add Option to Pull Down Menu</source>
        <translation>Option zur Auswahlliste hinzufügen</translation>
    </message>
    <message>
        <source>Remove Option From Pull Down Menu</source>
        <translation>Option aus der Auswahlliste entfernen</translation>
    </message>
    <message>
        <source>Add Pull Down Menu to HTML Form</source>
        <translation>Auswahlliste zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Update Pull Down Menu</source>
        <translation>Auswahlliste aktualisieren</translation>
    </message>
    <message>
        <source>The menu option text field is empty. You must first define an option to add to the pull down menu.</source>
        <translation>Das Textfeld für die Menüoption ist leer. Sie müssen zuerst eine Option festlegen, die der Auswahlliste hinzugefügt werden soll.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an option selected.</source>
        <translation>Es ist keine Option ausgewählt.</translation>
    </message>
    <message>
        <source>You must first enter some options into the Menu.</source>
        <translation>Sie müssen zuerst Optionen in die Auswahlliste eingeben.</translation>
    </message>
    <message>
        <source>The user instruction text field is empty. You must define a user instruction for the pull down menu.</source>
        <translation>Das Textfeld für die Frage ist leer. Sie müssen eine Frage für die Auswahlliste festlegen.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Pull Down Menu to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie eine Auswahlliste hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Number of Menu Items to display (height of menu) :</source>
        <translation>Anzahl sichtbarer Einträge (Höhe der Liste):</translation>
    </message>
    <message>
        <source>The number of menu items to display must be a whole number, such as 1. Please correct it.</source>
        <translation>Die Anzahl sichtbarer Einträge muss eine ganze Zahl sein, etwa 1. Bitte korrigieren Sie sie.</translation>
    </message>
    <message>
        <source>Add Pull-Down Menu To Form</source>
        <translation>Auswahlliste zum Formular hinzufügen</translation>
    </message>
    <message>
        <source>Edit Pull-Down Menu</source>
        <translation>Auswahlliste bearbeiten</translation>
    </message>
</context>
<context>
    <name>quenlow::QuestionSettingsBox</name>
    <message>
        <source>An answer is required</source>
        <translation>Eine Antwort ist erforderlich</translation>
    </message>
    <message>
        <source>Ask this question :</source>
        <translation>Diese Frage stellen:</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>only when its answer is :</source>
        <translation>nur wenn deren Antwort lautet:</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Angekreuzt</translation>
    </message>
    <message>
        <source>Not Checked</source>
        <translation>Nicht angekreuzt</translation>
    </message>
    <message>
        <source>Show the options in a new order to each person</source>
        <translation>Die Optionen jeder Person in neuer Reihenfolge zeigen</translation>
    </message>
    <message>
        <source>Offer &quot;Other:&quot; with a box to type an answer</source>
        <translation>„Sonstiges:“ mit einem Feld für eine eigene Antwort anbieten</translation>
    </message>
</context>
<context>
    <name>quenlow::RadioButtonsForm</name>
    <message>
        <source>Radio-button form elements are similar in behaviour to checkboxes, except that only one in the group may be selected by the form user. </source>
        <translation>Optionsfelder verhalten sich ähnlich wie Kontrollkästchen, nur dass die Antwortenden in einer Gruppe nur eines auswählen können. </translation>
    </message>
    <message>
        <source>Please enter the user instruction for the Radio Buttons  in the text field below :</source>
        <translation>Bitte geben Sie im Textfeld unten die Frage für die Optionsfelder ein:</translation>
    </message>
    <message>
        <source>Radio Button Options</source>
        <translation>Auswahlmöglichkeiten</translation>
    </message>
    <message>
        <source>Please enter each Radio Button option in the box below and hit the &apos;Add Radio Button Option to Form Question&apos; button after each added option :</source>
        <translation>Bitte geben Sie jede Auswahlmöglichkeit im Feld unten ein und klicken Sie nach jeder auf „Optionsfeld hinzufügen“:</translation>
    </message>
    <message>
        <source>Add Radio Button option</source>
        <translation>Optionsfeld hinzufügen</translation>
    </message>
    <message>
        <source>Remove Button from Form Question</source>
        <translation>Optionsfeld aus der Frage entfernen</translation>
    </message>
    <message>
        <source>Finish Adding Radio Buttons</source>
        <translation>Hinzufügen der Optionsfelder abschließen</translation>
    </message>
    <message>
        <source>Update Radio Buttons Menu</source>
        <translation>Optionsfelder aktualisieren</translation>
    </message>
    <message>
        <source>The radio button name text field is empty. You must first define the name of the button to add to the radio buton method.</source>
        <translation>Das Textfeld für den Namen des Optionsfelds ist leer. Sie müssen zuerst den Namen des Optionsfelds festlegen, das hinzugefügt werden soll.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an Radio Button name selected.</source>
        <translation>Es ist kein Optionsfeld ausgewählt.</translation>
    </message>
    <message>
        <source>You must first enter some Radio Buttons.</source>
        <translation>Sie müssen zuerst Optionsfelder eingeben.</translation>
    </message>
    <message>
        <source>The user instruction text field for the radio button form element is empty. You must first define a user instruction for the element.</source>
        <translation>Das Textfeld für die Frage der Optionsfelder ist leer. Sie müssen zuerst eine Frage für das Element festlegen.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Radio Button Menu to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie Optionsfelder hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Radio Buttons To Form</source>
        <translation>Optionsfelder zum Formular hinzufügen</translation>
    </message>
    <message>
        <source>Edit Radio Buttons</source>
        <translation>Optionsfelder bearbeiten</translation>
    </message>
</context>
<context>
    <name>quenlow::RankingForm</name>
    <message>
        <source>A ranking asks the form filler to put its options in order, the first being the one preferred. Each option is a column of its own in the answers table, holding its place (1 = first).</source>
        <translation>Eine Rangfolge lässt die ausfüllende Person ihre Optionen ordnen, die bevorzugte zuerst. Jede Option ist eine eigene Spalte der Antworttabelle und enthält ihren Platz (1 = erster).</translation>
    </message>
    <message>
        <source>Please enter the question for the ranking  :</source>
        <translation>Bitte geben Sie die Frage der Rangfolge ein  :</translation>
    </message>
    <message>
        <source>Add Option</source>
        <translation>Option hinzufügen</translation>
    </message>
    <message>
        <source>Remove Option</source>
        <translation>Option entfernen</translation>
    </message>
    <message>
        <source>Options to put in order :</source>
        <translation>Zu ordnende Optionen :</translation>
    </message>
    <message>
        <source>Add Ranking to HTML Form</source>
        <translation>Rangfolge zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The option text box is empty. You must first enter an option.</source>
        <translation>Das Textfeld für die Option ist leer. Sie müssen zuerst eine Option eingeben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is already in the list.</source>
        <translation>„%1“ steht bereits in der Liste.</translation>
    </message>
    <message>
        <source>Sorry, but you don&apos;t have an entry of the list selected.</source>
        <translation>Sie haben leider keinen Eintrag der Liste ausgewählt.</translation>
    </message>
    <message>
        <source>Edit Ranking</source>
        <translation>Rangfolge bearbeiten</translation>
    </message>
    <message>
        <source>Update Ranking</source>
        <translation>Rangfolge aktualisieren</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the ranking asks.</source>
        <translation>Das Textfeld für die Frage ist leer. Sie müssen zuerst die Frage der Rangfolge eingeben.</translation>
    </message>
    <message>
        <source>You must first enter at least two options.</source>
        <translation>Sie müssen zuerst mindestens zwei Optionen eingeben.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Ranking to.</source>
        <translation>Sie haben derzeit kein Formular geöffnet, dem eine Rangfolge hinzugefügt werden kann.</translation>
    </message>
    <message>
        <source>Add Ranking To Form</source>
        <translation>Rangfolge zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::ReportPage</name>
    <message>
        <source>Reporter</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <source>Current Word Report Name :</source>
        <translation>Name des aktuellen Word-Berichts:</translation>
    </message>
    <message>
        <source>Create New Report</source>
        <translation>Neuen Bericht erstellen</translation>
    </message>
    <message>
        <source>Table Fields</source>
        <translation>Tabellenfelder</translation>
    </message>
    <message>
        <source>Add All</source>
        <translation>Alle hinzufügen</translation>
    </message>
    <message>
        <source>Add Field To Report Table</source>
        <translation>Feld zur Berichtstabelle hinzufügen</translation>
    </message>
    <message>
        <source>View Answer Number 1 of current field below</source>
        <translation>Antwort Nr. 1 des aktuellen Felds unten anzeigen</translation>
    </message>
    <message>
        <source>Fields in Table to be added to report</source>
        <translation>Felder für die Berichtstabelle</translation>
    </message>
    <message>
        <source>Remove Field From Report Table</source>
        <translation>Feld aus der Berichtstabelle entfernen</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Add above Table To Word Report</source>
        <translation>Obige Tabelle zum Word-Bericht hinzufügen</translation>
    </message>
    <message>
        <source>View Field Answers</source>
        <translation>Antworten des Felds ansehen</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Antwort</translation>
    </message>
    <message>
        <source>View Previous Answer</source>
        <translation>Vorherige Antwort anzeigen</translation>
    </message>
    <message>
        <source>View Next Answer</source>
        <translation>Nächste Antwort anzeigen</translation>
    </message>
    <message>
        <source>Add above text to Word Report</source>
        <translation>Obigen Text zum Word-Bericht hinzufügen</translation>
    </message>
    <message>
        <source>Go to answer</source>
        <translation>Gehe zu Antwort</translation>
    </message>
    <message>
        <source>number or receipt code</source>
        <translation>Nummer oder Bestätigungscode</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Los</translation>
    </message>
    <message>
        <source>Export Answers…</source>
        <translation>Antworten exportieren …</translation>
    </message>
    <message>
        <source>Add Summary to Report</source>
        <translation>Zusammenfassung zum Bericht hinzufügen</translation>
    </message>
    <message>
        <source>The field &apos;%1&apos; has already been added.</source>
        <translation>Das Feld „%1“ wurde bereits hinzugefügt.</translation>
    </message>
    <message>
        <source>There are no fields listed to remove.</source>
        <translation>Es sind keine Felder zum Entfernen aufgeführt.</translation>
    </message>
    <message>
        <source>You have reached the end of the answers.</source>
        <translation>Sie haben das Ende der Antworten erreicht.</translation>
    </message>
    <message>
        <source>The  field &apos;%1&apos; from database table &apos;%2 &apos; contains no data.</source>
        <translation>Das Feld „%1“ der Datenbanktabelle „%2“ enthält keine Daten.</translation>
    </message>
    <message>
        <source>arrived %1 UTC</source>
        <translation>eingegangen am %1 UTC</translation>
    </message>
    <message>
        <source>, changed %1 UTC</source>
        <translation>, geändert am %1 UTC</translation>
    </message>
    <message>
        <source>You are currently at Answer 1.</source>
        <translation>Sie sind bereits bei Antwort 1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither an answer number nor a receipt code. Please enter the number of an answer, or the 8-character receipt code shown after sending it.</source>
        <translation>„%1“ ist weder eine Antwortnummer noch ein Bestätigungscode. Bitte geben Sie die Nummer einer Antwort ein oder den 8-stelligen Bestätigungscode, der nach dem Absenden angezeigt wird.</translation>
    </message>
    <message>
        <source>The receipt code &apos;%1&apos; could not be looked up in database table &apos;%2&apos; (%3).</source>
        <translation>Der Bestätigungscode „%1“ konnte in der Datenbanktabelle „%2“ nicht nachgeschlagen werden (%3).</translation>
    </message>
    <message>
        <source>No answer has the receipt code &apos;%1&apos;.</source>
        <translation>Keine Antwort hat den Bestätigungscode „%1“.</translation>
    </message>
    <message>
        <source>The word document &apos;%1&apos; does not exist yet in %2. Do you want to create it now and add the %3 to it?</source>
        <translation>Das Word-Dokument „%1“ existiert in %2 noch nicht. Möchten Sie es jetzt erstellen und %3 darin einfügen?</translation>
    </message>
    <message>
        <source>summary</source>
        <translation>die Zusammenfassung</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>Form state: %1</source>
        <translation>Formularstatus: %1</translation>
    </message>
</context>
<context>
    <name>quenlow::ReporterForm</name>
    <message>
        <source>Reporter</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <source>View and export data to Word Document</source>
        <translation>Daten ansehen und in ein Word-Dokument übernehmen</translation>
    </message>
    <message>
        <source>View and save Graphs of data for inclusion in Report</source>
        <translation>Diagramme der Daten ansehen und für den Bericht speichern</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Exit Reporter</source>
        <translation>Berichte schließen</translation>
    </message>
    <message>
        <source>&amp;Answers</source>
        <translation>&amp;Antworten</translation>
    </message>
    <message>
        <source>Export Answers…</source>
        <translation>Antworten exportieren …</translation>
    </message>
    <message>
        <source>Add Chart to Report</source>
        <translation>Diagramm zum Bericht hinzufügen</translation>
    </message>
    <message>
        <source>Add Summary to Report</source>
        <translation>Zusammenfassung zum Bericht hinzufügen</translation>
    </message>
    <message>
        <source>Who Has Answered</source>
        <translation>Wer geantwortet hat</translation>
    </message>
</context>
<context>
    <name>quenlow::ScaleForm</name>
    <message>
        <source>A scale lets the form filler rate something by choosing one number, from the low end of the scale to its high end (e.g. from 1, &quot;Not at all&quot;, to 5, &quot;Very much&quot;).</source>
        <translation>Mit einer Skala bewerten die Antwortenden etwas, indem sie eine Zahl zwischen dem unteren und dem oberen Ende der Skala wählen (z. B. von 1, „Überhaupt nicht“, bis 5, „Sehr“).</translation>
    </message>
    <message>
        <source>Please enter the question for the scale  :</source>
        <translation>Bitte geben Sie die Frage für die Skala ein:</translation>
    </message>
    <message>
        <source>The scale starts at :</source>
        <translation>Die Skala beginnt bei:</translation>
    </message>
    <message>
        <source>The scale ends at :</source>
        <translation>Die Skala endet bei:</translation>
    </message>
    <message>
        <source>Label at the low end (e.g. &quot;Not at all&quot;) :</source>
        <translation>Beschriftung am unteren Ende (z. B. „Überhaupt nicht“):</translation>
    </message>
    <message>
        <source>Label at the high end (e.g. &quot;Very much&quot;) :</source>
        <translation>Beschriftung am oberen Ende (z. B. „Sehr“):</translation>
    </message>
    <message>
        <source>Add Scale to HTML Form</source>
        <translation>Skala zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Edit Scale</source>
        <translation>Skala bearbeiten</translation>
    </message>
    <message>
        <source>Update Scale</source>
        <translation>Skala aktualisieren</translation>
    </message>
    <message>
        <source>The question text box is empty. You must first enter the question the scale answers.</source>
        <translation>Das Feld für die Frage ist leer. Sie müssen zuerst die Frage eingeben, die mit der Skala beantwortet wird.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Scale to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie eine Skala hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Scale To Form</source>
        <translation>Skala zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::SubmitButtonForm</name>
    <message>
        <source>Submit Button</source>
        <translation>Senden-Schaltfläche</translation>
    </message>
    <message>
        <source>Please enter the title of the Submit Button in the box below (e.g. Submit) :</source>
        <translation>Bitte geben Sie im Feld unten die Beschriftung der Senden-Schaltfläche ein (z. B. Absenden):</translation>
    </message>
    <message>
        <source>Reset Button</source>
        <translation>Zurücksetzen-Schaltfläche</translation>
    </message>
    <message>
        <source>If you also wish to have a reset button on the Form enter the desired title of the Reset Button in the box below (e.g. Reset Form) and Check the Reset Button Check Box:</source>
        <translation>Wenn das Formular auch eine Zurücksetzen-Schaltfläche haben soll, geben Sie im Feld unten ihre Beschriftung ein (z. B. Formular zurücksetzen) und kreuzen Sie „Zurücksetzen-Schaltfläche anzeigen“ an:</translation>
    </message>
    <message>
        <source>Reset Form</source>
        <translation>Formular zurücksetzen</translation>
    </message>
    <message>
        <source>Have Reset Button</source>
        <translation>Zurücksetzen-Schaltfläche anzeigen</translation>
    </message>
    <message>
        <source>Add button(s) to HTML Form</source>
        <translation>Schaltfläche(n) zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Submit Form</source>
        <translation>Formular absenden</translation>
    </message>
    <message>
        <source>Edit Submit Button</source>
        <translation>Senden-Schaltfläche bearbeiten</translation>
    </message>
    <message>
        <source>Update Submit Button</source>
        <translation>Senden-Schaltfläche aktualisieren</translation>
    </message>
    <message>
        <source>The Submit button Title Text Box Is Empty. Please enter a name for the button.</source>
        <translation>Das Feld für die Beschriftung der Senden-Schaltfläche ist leer. Bitte geben Sie einen Namen für die Schaltfläche ein.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Submit Button to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie eine Senden-Schaltfläche hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Submit Button To Form</source>
        <translation>Senden-Schaltfläche zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::TextAreaForm</name>
    <message>
        <source>Text Areas are used when you want extended feedback from the filler of the form. Ohterwise they are just like text boxes.</source>
        <translation>Textbereiche verwenden Sie, wenn Sie von den Antwortenden ausführlichere Rückmeldungen wünschen. Ansonsten entsprechen sie Textfeldern.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the text area  :</source>
        <translation>Bitte geben Sie die Frage für den Textbereich ein:</translation>
    </message>
    <message>
        <source>Please enter the the number of rows you wish  :</source>
        <translation>Bitte geben Sie die gewünschte Anzahl Zeilen ein:</translation>
    </message>
    <message>
        <source>Please enter the desired width (no. of characters) :</source>
        <translation>Bitte geben Sie die gewünschte Breite ein (Anzahl Zeichen):</translation>
    </message>
    <message>
        <source>Please enter the default text to appear in the box  :</source>
        <translation>Bitte geben Sie den vorgegebenen Text ein, der im Feld erscheinen soll:</translation>
    </message>
    <message>
        <source>Add Text Area to HTML Form</source>
        <translation>Textbereich zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Enter any comments here.</source>
        <translation>Geben Sie hier Ihre Anmerkungen ein.</translation>
    </message>
    <message>
        <source>Edit Text Area Form Element</source>
        <translation>Textbereich bearbeiten</translation>
    </message>
    <message>
        <source>Update Text Area</source>
        <translation>Textbereich aktualisieren</translation>
    </message>
    <message>
        <source>Text Field Box Is Empty !</source>
        <translation>Das Feld für die Frage ist leer!</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text Area to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie einen Textbereich hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Text Area To Form</source>
        <translation>Textbereich zum Formular hinzufügen</translation>
    </message>
</context>
<context>
    <name>quenlow::TextFieldForm</name>
    <message>
        <source>A text box allows the form filler to enter a single line of text into a form.</source>
        <translation>In ein Textfeld können die Antwortenden eine einzelne Textzeile eingeben.</translation>
    </message>
    <message>
        <source>Please enter the user instruction for the text field  :</source>
        <translation>Bitte geben Sie die Frage für das Textfeld ein:</translation>
    </message>
    <message>
        <source>Please enter box size (no. of characters long) :</source>
        <translation>Bitte geben Sie die Feldlänge ein (Anzahl Zeichen):</translation>
    </message>
    <message>
        <source>Please enter the maximum number of characters :</source>
        <translation>Bitte geben Sie die maximale Anzahl Zeichen ein:</translation>
    </message>
    <message>
        <source>Please enter the default text to appear in the box  :</source>
        <translation>Bitte geben Sie den vorgegebenen Text ein, der im Feld erscheinen soll:</translation>
    </message>
    <message>
        <source>The answer to be given :</source>
        <translation>Art der Antwort:</translation>
    </message>
    <message>
        <source>Any text</source>
        <translation>Beliebiger Text</translation>
    </message>
    <message>
        <source>Whole number</source>
        <translation>Ganze Zahl</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Zahl</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>E-mail address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Phone number</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <source>Smallest answer allowed :</source>
        <translation>Kleinste zulässige Antwort:</translation>
    </message>
    <message>
        <source>Largest answer allowed :</source>
        <translation>Größte zulässige Antwort:</translation>
    </message>
    <message>
        <source>Add Text Field to HTML Form</source>
        <translation>Textfeld zum HTML-Formular hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>YYYY-MM-DD</source>
        <translation>JJJJ-MM-TT</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>keine Grenze</translation>
    </message>
    <message>
        <source>The smallest answer allowed, &quot;%1&quot;, is not a %2. Please correct it or leave the box empty for no limit.</source>
        <translation>Die kleinste zulässige Antwort „%1“ ist keine gültige Angabe vom Typ „%2“. Bitte korrigieren Sie sie oder lassen Sie das Feld leer für keine Grenze.</translation>
    </message>
    <message>
        <source>The largest answer allowed, &quot;%1&quot;, is not a %2. Please correct it or leave the box empty for no limit.</source>
        <translation>Die größte zulässige Antwort „%1“ ist keine gültige Angabe vom Typ „%2“. Bitte korrigieren Sie sie oder lassen Sie das Feld leer für keine Grenze.</translation>
    </message>
    <message>
        <source>The smallest answer allowed (%1) is above the largest (%2). Please correct them.</source>
        <translation>Die kleinste zulässige Antwort (%1) liegt über der größten (%2). Bitte korrigieren Sie die Werte.</translation>
    </message>
    <message>
        <source>Edit Text Field Form Element</source>
        <translation>Textfeld bearbeiten</translation>
    </message>
    <message>
        <source>Update Text Field</source>
        <translation>Textfeld aktualisieren</translation>
    </message>
    <message>
        <source>The user instruction text box is empty. You must first define a user instruction for the text field.</source>
        <translation>Das Feld für die Frage ist leer. Sie müssen zuerst eine Frage für das Textfeld festlegen.</translation>
    </message>
    <message>
        <source>You don&apos;t currently have a Form Open to add a Text Field to.</source>
        <translation>Es ist derzeit kein Formular geöffnet, dem Sie ein Textfeld hinzufügen könnten.</translation>
    </message>
    <message>
        <source>Add Text Field To Form</source>
        <translation>Textfeld zum Formular hinzufügen</translation>
    </message>
</context>
</TS>
