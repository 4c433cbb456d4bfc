<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de">
<context>
    <name>Archive</name>
    <message>
        <source>%1 fehlt oder ist nicht lesbar</source>
        <translation>%1 is missing or cannot be read</translation>
    </message>
    <message>
        <source>%1: Zeile ohne Prüfsumme: %2</source>
        <translation>%1: line without a checksum: %2</translation>
    </message>
    <message>
        <source>%1 fehlt</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>%1 wurde verändert</source>
        <translation>%1 was changed</translation>
    </message>
    <message>
        <source>%1 steht nicht im Verzeichnis %2</source>
        <translation>%1 is not listed in %2</translation>
    </message>
    <message>
        <source>%1 ist keine Datendatei dieses Programms.</source>
        <translation>%1 is not a data file of this program.</translation>
    </message>
    <message>
        <source>Der Archivordner %1 kann nicht angelegt werden.</source>
        <translation>The archive folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>Im Archivordner %1 kann nichts geschrieben werden: %2</source>
        <translation>Nothing can be written in the archive folder %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht ins Archiv kopiert werden.</source>
        <translation>%1 cannot be copied into the archive.</translation>
    </message>
    <message>
        <source>Nicht im Archiv, weil die Daten es nicht erlauben:</source>
        <translation>Not in the archive because the data do not allow it:</translation>
    </message>
    <message numerus="yes">
        <source>Archiv intakt: %n Dateien</source>
        <translation>
            <numerusform>Archive intact: %n file</numerusform>
            <numerusform>Archive intact: %n files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n Datensätze, Prüfwert %1</source>
        <translation>
            <numerusform>, %n record, check value %1</numerusform>
            <numerusform>, %n records, check value %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: das Siegel fehlt</source>
        <translation>%1: the seal is missing</translation>
    </message>
    <message>
        <source>Die Datendatei fehlt</source>
        <translation>The data file is missing</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei.</source>
        <translation>%1 is not a regular file.</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Beim Abbruch am %1 ist 1 Messwert von Anlage %2 verloren gegangen</source>
        <translation>When the transfer was cut on %1, 1 record of plant %2 was lost</translation>
    </message>
    <message>
        <source>Beim Abbruch am %1 sind %2 Messwerte von Anlage %3 verloren gegangen</source>
        <translation>When the transfer was cut on %1, %2 records of plant %3 were lost</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden. %2</source>
        <translation>File %1 cannot be opened. %2</translation>
    </message>
    <message>
        <source>Keine gewöhnliche Datei.</source>
        <translation>Not a regular file.</translation>
    </message>
    <message>
        <source>Die Datei enthält noch keine Messwerte</source>
        <translation>The file holds no measurements yet</translation>
    </message>
    <message>
        <source>Datenträger voll: %1</source>
        <translation>Disk full: %1</translation>
    </message>
    <message>
        <source>%1 ist keine lesbare Datei; keine zurückgehaltenen Messwerte geladen.</source>
        <translation>%1 is not a readable file; no held-back readings were loaded.</translation>
    </message>
    <message>
        <source>In %1 sind Zeilen verändert oder beschädigt (Zeilen %2); sie werden nicht in die Datendatei geschrieben.</source>
        <translation>Lines in %1 were changed or damaged (lines %2); they are not written to the data file.</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei; neue Datensätze bleiben ohne Siegel.</source>
        <translation>%1 is not a regular file; new records stay unsealed.</translation>
    </message>
    <message>
        <source>Die Datei %1 passt nicht mehr zu ihrem Siegel; neue Datensätze bleiben ohne Siegel.</source>
        <translation>The file %1 no longer matches its seal; new records stay unsealed.</translation>
    </message>
    <message>
        <source>Zeile %1 der Datei %2 wurde nicht von diesem Programm geschrieben; sie bleibt ohne Siegel, die Datensätze danach werden versiegelt.</source>
        <translation>Line %1 of the file %2 was not written by this program; it stays unsealed, the records after it are sealed.</translation>
    </message>
    <message>
        <source>Zeile %1 der Datei %2 wurde bei einem Abbruch nur zum Teil geschrieben; sie bleibt, wie sie ist, und ist kein Datensatz.</source>
        <translation>Line %1 of the file %2 was only partly written when the program was cut off; it stays as it is and is no record.</translation>
    </message>
    <message>
        <source>Siegel verletzt: %1, Zeile %2</source>
        <translation>Seal broken: %1, line %2</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <source>EXCEL ( *.csv)</source>
        <translation>EXCEL ( *.csv)</translation>
    </message>
</context>
<context>
    <name>Hygiene</name>
    <message>
        <source>Bioabfallverordnung, offene Anlage: 55 °C über 14 Tage oder 65 °C über 7 Tage</source>
        <translation>German biowaste ordinance, open plant: 55 °C over 14 days or 65 °C over 7 days</translation>
    </message>
    <message>
        <source>Bioabfallverordnung, geschlossene Anlage: 60 °C über 7 Tage</source>
        <translation>German biowaste ordinance, closed plant: 60 °C over 7 days</translation>
    </message>
    <message>
        <source>PFRP, belüftete Miete / Reaktor: 55 °C über 3 Tage</source>
        <translation>PFRP, aerated static pile / in-vessel: 55 °C over 3 days</translation>
    </message>
    <message>
        <source>PFRP, Dreiecksmiete: 55 °C über 15 Tage</source>
        <translation>PFRP, windrow: 55 °C over 15 days</translation>
    </message>
    <message>
        <source>Hygienenachweis</source>
        <translation>Hygienisation evidence</translation>
    </message>
    <message>
        <source>Kriterium :</source>
        <translation>Criterion :</translation>
    </message>
    <message>
        <source>Messwerte :</source>
        <translation>Measurements :</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Schwelle</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Längste Strecke ohne Unterbrechung</source>
        <translation>Longest stretch without a break</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>von</source>
        <translation>from</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>erfüllt</source>
        <translation>met</translation>
    </message>
    <message>
        <source>nicht erfüllt</source>
        <translation>not met</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): Kriterium erfüllt</source>
        <translation>Result at the core (100 cm): criterion met</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): Kriterium NICHT erfüllt</source>
        <translation>Result at the core (100 cm): criterion NOT met</translation>
    </message>
    <message>
        <source>Kein Werktag ohne Messwerte.</source>
        <translation>No working day without measurements.</translation>
    </message>
    <message>
        <source>Kein Tag ohne Messwerte.</source>
        <translation>No day without measurements.</translation>
    </message>
    <message>
        <source>Tage ohne Messwerte, die eine Strecke unterbrechen:</source>
        <translation>Days without measurements that break a stretch:</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page nr. :</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Plant name :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>File name :</translation>
    </message>
    <message>
        <source> (nach Datensatz %1)</source>
        <translation> (after record %1)</translation>
    </message>
    <message>
        <source>Messwerte, die beim Abbruch einer Übertragung verloren gingen:</source>
        <translation>Records lost when a transfer was cut:</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Di</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Do</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>So</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>, ohne Feiertage in %1</source>
        <translation>, without public holidays in %1</translation>
    </message>
    <message>
        <source>… und %1 weitere</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): nicht prüfbar (mehr als ein Zehntel der Zeilen unplausibel, ohne Datum oder doppelt)</source>
        <translation>Result at the core (100 cm): cannot be checked (more than a tenth of the lines implausible, undated or duplicates)</translation>
    </message>
    <message>
        <source>, nicht erreicht bei %1</source>
        <translation>, not reached at %1</translation>
    </message>
    <message>
        <source> und </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Arbeitstage: %1</source>
        <translation>Working days: %1</translation>
    </message>
    <message>
        <source>Feiertage im Zeitraum: %1</source>
        <translation>Public holidays in the period: %1</translation>
    </message>
    <message>
        <source>Jeder Tag zählt, auch Wochenenden und Feiertage.</source>
        <translation>Every day counts, weekends and holidays included.</translation>
    </message>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Uhrfehler (weit vor der ersten Sicherung oder nach der letzten Änderung der Datei), nicht gewertet: %1</source>
        <translation>Clock faults (long before the first save or after the file&apos;s last change), not evaluated: %1</translation>
    </message>
    <message>
        <source>Zeitsprünge zurück: %1</source>
        <translation>Steps back in time: %1</translation>
    </message>
    <message>
        <source>Zeitsprung zurück in Zeile %1: %2 nach %3</source>
        <translation>Step back in line %1: %2 after %3</translation>
    </message>
    <message>
        <source>kein Datum, nicht gewertet: %1</source>
        <translation>no date, not evaluated: %1</translation>
    </message>
    <message>
        <source>unplausibel (Temperatur außerhalb %1 … %2 °C oder keine Zahl), nicht gewertet: %3</source>
        <translation>implausible (temperature outside %1 … %2 °C or not a number), not evaluated: %3</translation>
    </message>
    <message>
        <source>doppelt, einmal gewertet: %1</source>
        <translation>duplicates, counted once: %1</translation>
    </message>
    <message>
        <source>Prüfwert :</source>
        <translation>Check value :</translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze, %1 bis %2</source>
        <translation>
            <numerusform>%n record, %1 to %2</numerusform>
            <numerusform>%n records, %1 to %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n Tage gefordert)</source>
        <translation>
            <numerusform> (%n day required)</numerusform>
            <numerusform> (%n days required)</numerusform>
        </translation>
    </message>
    <message>
        <source>Die geforderten fünf Umsetzungen zählen aus dem Tagebuch der Miete, nicht aus den Messwerten.</source>
        <translation>The five turnings required are counted from the pile&apos;s journal, not from the readings.</translation>
    </message>
    <message>
        <source>PAS 100: 65 °C über 7 Tage am Kern</source>
        <translation>PAS 100: 65 °C for 7 days at the core</translation>
    </message>
    <message>
        <source>Die geforderten 51 % Feuchte werden nicht gemessen.</source>
        <translation>The 51 % moisture required is not measured.</translation>
    </message>
    <message>
        <source>1 Umsetzung, %1 nötig</source>
        <translation>1 turning, %1 needed</translation>
    </message>
    <message>
        <source>Fühlerfehler (Anlage weicht um mehr als %1 °C vom Referenzthermometer ab):</source>
        <translation>Probe faults (plant differs from the reference thermometer by more than %1 °C):</translation>
    </message>
    <message>
        <source>%1 cm am %2: Referenz %3, Anlage %4</source>
        <translation>%1 cm on %2: reference %3, plant %4</translation>
    </message>
    <message>
        <source>Tagebuch der Miete: 1 Eintrag</source>
        <translation>Pile journal: 1 entry</translation>
    </message>
    <message numerus="yes">
        <source>%n Umsetzungen, %1 nötig</source>
        <translation>
            <numerusform>%n turning, %1 needed</numerusform>
            <numerusform>%n turnings, %1 needed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tagebuch der Miete: %n Einträge</source>
        <translation>
            <numerusform>Pile journal: %n entry</numerusform>
            <numerusform>Pile journal: %n entries</numerusform>
        </translation>
    </message>
    <message>
        <source>Tagebuch, Strecke im Kern (100 cm): %1</source>
        <translation>Journal, stretch at the core (100 cm): %1</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Umsetzen</source>
        <translation>Turned</translation>
    </message>
    <message>
        <source>Bewässern</source>
        <translation>Watered</translation>
    </message>
    <message>
        <source>Probenahme</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Fühlerprüfung</source>
        <translation>Probe check</translation>
    </message>
    <message>
        <source>Bemerkung</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source> %1 cm: Referenz %2 °C, Anlage %3 °C</source>
        <translation> %1 cm: reference %2 °C, plant %3 °C</translation>
    </message>
    <message>
        <source> (berichtigt Eintrag %1)</source>
        <translation> (corrects entry %1)</translation>
    </message>
    <message>
        <source>Der Eintrag hat keine gültige Zeit.</source>
        <translation>The entry has no valid time.</translation>
    </message>
    <message>
        <source>Eine Fühlerprüfung braucht die Tiefe und beide Messwerte.</source>
        <translation>A probe check needs the depth and both readings.</translation>
    </message>
    <message>
        <source>Fühler gibt es in 0, 25, 50, 75 und 100 cm Tiefe.</source>
        <translation>Probes are at 0, 25, 50, 75 and 100 cm depth.</translation>
    </message>
    <message>
        <source>%1 ist keine Datendatei dieses Programms.</source>
        <translation>%1 is not a data file of this program.</translation>
    </message>
    <message>
        <source>Die letzte Zeile von %1 ist unvollständig; es wird nichts angefügt.</source>
        <translation>The last line of %1 is incomplete; nothing is added.</translation>
    </message>
    <message>
        <source>Eintrag %1 gibt es nicht.</source>
        <translation>There is no entry %1.</translation>
    </message>
    <message>
        <source>Der Text enthält Zeichen, die das Tagebuch nicht speichern kann.</source>
        <translation>The text holds characters the journal cannot store.</translation>
    </message>
    <message>
        <source>Die Siegeldatei %1 ist beschädigt; es wird nichts angefügt.</source>
        <translation>The seal file %1 is damaged; nothing is added.</translation>
    </message>
    <message>
        <source>Tagebuch ohne Siegel</source>
        <translation>Journal without seal</translation>
    </message>
    <message>
        <source>Tagebuch: 1 Eintrag, Siegel intakt, Prüfwert %1</source>
        <translation>Journal: 1 entry, seal intact, check value %1</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: der Kopf (Zeilen 1 bis 9) wurde verändert</source>
        <translation>Journal seal broken: the header (lines 1 to 9) was changed</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Eintrag %1 (Zeile %2) wurde verändert</source>
        <translation>Journal seal broken: entry %1 (line %2) was changed</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Eintrag %1 fehlt (vor Zeile %2)</source>
        <translation>Journal seal broken: entry %1 is missing (before line %2)</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Zeile %1 wurde eingefügt</source>
        <translation>Journal seal broken: line %1 was inserted</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: die Einträge ab %1 fehlen</source>
        <translation>Journal seal broken: the entries from %1 on are missing</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: die Siegeldatei ist beschädigt</source>
        <translation>Journal seal broken: the seal file is damaged</translation>
    </message>
    <message numerus="yes">
        <source>Tagebuch: %n Einträge, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>Journal: %n entry, seal intact, check value %1</numerusform>
            <numerusform>Journal: %n entries, seal intact, check value %1</numerusform>
        </translation>
    </message>
    <message>
        <source> (der letzte Eintrag kam beim Abbruch nicht mehr ins Tagebuch)</source>
        <translation> (the last entry did not reach the journal before the interruption)</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)</source>
        <translation>Journal seal broken: line %1 has no seal (not written by this program)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>TIMEOUT in the serial communication!
Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>The data file cannot be opened!</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !
Kommunikationsfehler !</source>
        <translation>The number of stored records cannot be read!
Communication error!</translation>
    </message>
</context>
<context>
    <name>Mode</name>
    <message>
        <source>Lüfter AUS</source>
        <translation>Fan OFF</translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation>Fan ON</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation>O2 control</translation>
    </message>
    <message>
        <source>Manuell- AUS</source>
        <translation>Manual OFF</translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation>Manual ON</translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation>O2 control</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Control mode</translation>
    </message>
</context>
<context>
    <name>Piles</name>
    <message>
        <source>Die Uhr der Anlage %1 geht um %2 zurück. Die Messwerte der laufenden Miete bekommen dann frühere Zeiten. Trotzdem stellen?</source>
        <translation>The clock of plant %1 goes back by %2. The running pile&apos;s records will then get earlier times. Set it anyway?</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!
Bitte Speichermedium überprüfen !!</source>
        <translation>Data were not stored correctly!!
Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht angelegt werden:
%1
Bitte Speichermedium überprüfen !!</source>
        <translation>The data file cannot be created:
%1
Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Die Datei für diesen Tag gibt es schon; die neue Miete schreibt in
%1</source>
        <translation>The file for this day exists already; the new pile writes into
%1</translation>
    </message>
    <message>
        <source>Diese Datei gehört zur laufenden Miete von Anlage %1 (%2).</source>
        <translation>This file belongs to the running pile of plant %1 (%2).</translation>
    </message>
    <message>
        <source>Datendatei existiert nicht oder
Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>The data file does not exist or
its layout is not valid
The file was not made by this software!</translation>
    </message>
    <message>
        <source>Anlage i  st NICHT eingeschaltet!!
Fehler beim Starten!</source>
        <translation>Plant is NOT switched on!!
Error while starting!</translation>
    </message>
    <message>
        <source>Soll die aktuell aktive Anlage ausgeschaltet werden ?
Es werden keine weiteren Messwerte gespeichert.
Einschalten durch Start einer neuen Miete!!</source>
        <translation>Switch off the active plant?
No further measured values will be stored.
Switch on by starting a new pile!!</translation>
    </message>
    <message>
        <source>Nicht alle Daten wurden korrekt gespeichert!!
Trotzdem Anlage ausschalten???</source>
        <translation>Not all data were stored correctly!!
Switch the plant off anyway???</translation>
    </message>
    <message>
        <source>Anlage ist ausgeschaltet!!
Einschalten durch Start einer neuen Miete!</source>
        <translation>Plant is switched off!!
Switch on by starting a new pile!</translation>
    </message>
    <message>
        <source>Anlage ist NICHT ausgeschaltet!!
Fehler bei der Übertragung!</source>
        <translation>Plant is NOT switched off!!
Transmission error!</translation>
    </message>
    <message>
        <source>Die Anlagen %1 und %2 sind derselben Datei zugeordnet:
%3
</source>
        <translation>Plants %1 and %2 are assigned the same file:
%3
</translation>
    </message>
    <message>
        <source>Beide Mieten laufen: Anlage %1 schreibt weiter in diese Datei, Anlage %2 in eine neue.</source>
        <translation>Both piles run: plant %1 goes on writing into this file, plant %2 into a new one.</translation>
    </message>
    <message>
        <source>Anlage %1 schreibt weiter in diese Datei; Anlage %2 antwortet nicht und bekommt eine neue, wenn ihre Miete läuft.</source>
        <translation>Plant %1 goes on writing into this file; plant %2 does not answer and gets a new one if its pile runs.</translation>
    </message>
    <message>
        <source>Die Miete wurde beendet und archiviert: %1</source>
        <translation>The pile was ended and archived: %1</translation>
    </message>
    <message>
        <source>Anlage %1 hat danach eine neue Miete %2 begonnen: %3</source>
        <translation>Plant %1 has since begun a new pile %2: %3</translation>
    </message>
    <message>
        <source>Der letzte Messwert der Datei (%1) ist später als die Uhr der Anlage %2 (%3).</source>
        <translation>The file&apos;s last measurement (%1) is later than the clock of plant %2 (%3).</translation>
    </message>
    <message>
        <source>Der letzte Messwert der Datei (%1) ist später als die Uhr des PCs (%2).</source>
        <translation>The file&apos;s last measurement (%1) is later than the PC&apos;s clock (%2).</translation>
    </message>
    <message>
        <source>Die Datei stammt von Anlage %1 (%2).</source>
        <translation>The file comes from plant %1 (%2).</translation>
    </message>
    <message>
        <source>Die Miete läuft noch; der Stand von jetzt wird archiviert.</source>
        <translation>The pile is still running; its present state is archived.</translation>
    </message>
    <message>
        <source>Die Miete ist schon archiviert in
%1
Ein zweiter Archivordner wird angelegt.</source>
        <translation>The pile is already archived in
%1
A second archive folder is made.</translation>
    </message>
    <message>
        <source>Trotzdem archivieren?</source>
        <translation>Archive anyway?</translation>
    </message>
    <message>
        <source>Anlage %1 antwortet nicht. Die Miete dort als beendet betrachten und hier fortführen?</source>
        <translation>Plant %1 does not answer. Consider the pile there ended and continue it here?</translation>
    </message>
    <message>
        <source>Vor dem Fortführen auf Anlage %1 gefunden:</source>
        <translation>Found before continuing on plant %1:</translation>
    </message>
    <message>
        <source>Trotzdem mit dieser Datei fortführen?</source>
        <translation>Continue with this file anyway?</translation>
    </message>
    <message>
        <source>Die Datei stammt von Anlage %1.</source>
        <translation>The file comes from plant %1.</translation>
    </message>
    <message>
        <source>Speicher von Anlage %1 zu %2 % voll – bitte auslesen</source>
        <translation>Memory of plant %1 is %2 % full – please read it out</translation>
    </message>
    <message numerus="yes">
        <source>%n Minuten</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Stunden</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Tage</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message>
        <source>Der letzte Messwert der laufenden Miete von Anlage %1 ist %2 jünger als die Uhr dieses PCs. Die nächsten Messwerte bekommen dann frühere Zeiten. Trotzdem stellen?</source>
        <translation>The last record of plant %1&apos;s running pile is %2 later than this PC&apos;s clock. The next records will then get earlier times. Set the clock anyway?</translation>
    </message>
    <message numerus="yes">
        <source>%n empfangene Messwerte warten auf Speicherplatz; sie werden bei der nächsten Sicherung zuerst geschrieben.</source>
        <translation>
            <numerusform>%n received value is waiting for storage space; it is written first at the next save.</numerusform>
            <numerusform>%n received values are waiting for storage space; they are written first at the next save.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %1)</source>
        <translation>
            <numerusform>%n record with an unreadable time stamp saved (line %1)</numerusform>
            <numerusform>%n records with unreadable time stamps saved (lines %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze älter als der letzte der Datei</source>
        <translation>
            <numerusform>%n record older than the last one in the file</numerusform>
            <numerusform>%n records older than the last one in the file</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei; ob eine abgebrochene Übertragung Messwerte verloren hat, kann nicht geprüft werden.</source>
        <translation>%1 is not a regular file; whether a cut transfer lost readings cannot be checked.</translation>
    </message>
</context>
<context>
    <name>PlantCaption</name>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
</context>
<context>
    <name>Print</name>
    <message>
        <source>Die PDF-Datei %1 konnte nicht geschrieben werden.</source>
        <translation>The PDF file %1 could not be written.</translation>
    </message>
</context>
<context>
    <name>Register</name>
    <message>
        <source>nicht prüfbar</source>
        <translation>not checkable</translation>
    </message>
    <message>
        <source>erfüllt</source>
        <translation>met</translation>
    </message>
    <message>
        <source>nicht erfüllt</source>
        <translation>not met</translation>
    </message>
    <message>
        <source>Anlage</source>
        <translation>Plant</translation>
    </message>
    <message>
        <source>Miete</source>
        <translation>Pile</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Letzter Datensatz</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Verloren</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>Tagebuch</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>Archiv</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Mietenregister</source>
        <translation>Pile register</translation>
    </message>
    <message>
        <source>Umfang:</source>
        <translation>Scope:</translation>
    </message>
    <message>
        <source>Kriterium:</source>
        <translation>Criterion:</translation>
    </message>
    <message>
        <source>Mieten:</source>
        <translation>Piles:</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time:</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page no.:</translation>
    </message>
    <message>
        <source>Siegel (Prüfwert)</source>
        <translation>Seal (check value)</translation>
    </message>
</context>
<context>
    <name>Seal</name>
    <message>
        <source>ohne Siegel</source>
        <translation>no seal</translation>
    </message>
    <message>
        <source>Siegel verletzt: der Dateikopf (Zeilen 1 bis 9) wurde verändert</source>
        <translation>Seal broken: the file header (lines 1 to 9) was changed</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 (Datensatz %2) wurde verändert</source>
        <translation>Seal broken: line %1 (record %2) was changed</translation>
    </message>
    <message>
        <source>Siegel verletzt: Datensatz %1 fehlt (vor Zeile %2)</source>
        <translation>Seal broken: record %1 is missing (before line %2)</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 wurde eingefügt</source>
        <translation>Seal broken: line %1 was inserted</translation>
    </message>
    <message>
        <source>Siegel verletzt: die Datensätze ab %1 fehlen</source>
        <translation>Seal broken: the records from %1 on are missing</translation>
    </message>
    <message>
        <source>Siegel verletzt: die Siegeldatei ist beschädigt</source>
        <translation>Seal broken: the seal file is damaged</translation>
    </message>
    <message>
        <source>Siegel intakt</source>
        <translation>seal intact</translation>
    </message>
    <message>
        <source>Siegel verletzt</source>
        <translation>seal broken</translation>
    </message>
    <message>
        <source>Siegel nicht lesbar</source>
        <translation>seal unreadable</translation>
    </message>
    <message>
        <source>Siegel verletzt (Zeile %1)</source>
        <translation>seal broken (line %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>%n record, seal intact, check value %1</numerusform>
            <numerusform>%n records, seal intact, check value %1</numerusform>
        </translation>
    </message>
    <message>
        <source>keine gewöhnliche Datei</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source> (Zeile %1 wurde beim Abbruch nur zum Teil geschrieben; sie ist kein Datensatz)</source>
        <translation> (line %1 was only partly written when the program was cut off; it is no record)</translation>
    </message>
    <message>
        <source> (der letzte Datensatz kam beim Abbruch nicht mehr in die Datei)</source>
        <translation> (the last record did not reach the file before the program was cut off)</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)</source>
        <translation>Seal broken: line %1 has no seal (not written by this program)</translation>
    </message>
</context>
<context>
    <name>SeriesData</name>
    <message>
        <source>&apos;%1&apos; ist keine gültige Datums- und Uhrzeitangabe</source>
        <translation>&apos;%1&apos; is not a valid date and time</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum</source>
        <translation>&apos;%1&apos; is not a valid date</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Die Einstellungsdatei %1 ist keine lesbare Textdatei. Es gelten die Standardwerte; die Datei bleibt unverändert.</source>
        <translation>The settings file %1 is not a readable text file. The default values apply; the file is left unchanged.</translation>
    </message>
    <message>
        <source>Einstellung [COM] %1=%2 liegt nicht im Bereich %3 bis %4; es gilt %5.</source>
        <translation>Setting [COM] %1=%2 is outside the range %3 to %4; %5 applies.</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 enthält in Zeile %2 ein Steuerzeichen; es wird übergangen, der Rest der Datei gilt.</source>
        <translation>The settings file %1 holds a control character in line %2; it is skipped, the rest of the file applies.</translation>
    </message>
</context>
<context>
    <name>Site</name>
    <message>
        <source>Anlage %1 antwortet wieder.</source>
        <translation>Plant %1 is answering again.</translation>
    </message>
    <message>
        <source>Anlage %1 antwortet nicht.</source>
        <translation>Plant %1 is not answering.</translation>
    </message>
    <message>
        <source>Miete %1 (Anlage %2): Kerntemperatur %3 liegt unter %4; die Hygienisierungsstrecke ist unterbrochen.</source>
        <translation>Pile %1 (plant %2): core temperature %3 is below %4; the hygienisation stretch is broken.</translation>
    </message>
    <message>
        <source>Anlage %1: Lüfter EIN, aber der Lüfter läuft nicht.</source>
        <translation>Plant %1: fan ON, but the fan is not running.</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geschrieben werden: %1</source>
        <translation>Data file cannot be written: %1</translation>
    </message>
    <message>
        <source>Die Speicherdatei wird wieder geschrieben.</source>
        <translation>The data file is being written again.</translation>
    </message>
    <message>
        <source>Die Verbindung zu den Anlagen ist wieder da.</source>
        <translation>The connection to the plants is back.</translation>
    </message>
    <message>
        <source>Die Verbindung zu den Anlagen ist unterbrochen.</source>
        <translation>The connection to the plants is lost.</translation>
    </message>
    <message>
        <source>Die Übertragung von Anlage %1 ist fehlgeschlagen.</source>
        <translation>The transfer from plant %1 failed.</translation>
    </message>
    <message>
        <source>Anlage %1: Lüfter EIN konnte nicht eingeschaltet werden.</source>
        <translation>Plant %1: fan ON could not be switched on.</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1 kann nicht benutzt werden: %2</source>
        <translation>MQTT outbox %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>Die MQTT-Verbindung kann nicht angelegt werden.</source>
        <translation>The MQTT connection cannot be created.</translation>
    </message>
    <message>
        <source>Keine Verbindung zu %1:%2: %3</source>
        <translation>No connection to %1:%2: %3</translation>
    </message>
    <message>
        <source>Der Broker %1:%2 lehnt ab: %3</source>
        <translation>The broker %1:%2 refuses: %3</translation>
    </message>
    <message>
        <source>Die Verbindung zum Broker %1:%2 ist unterbrochen.</source>
        <translation>The connection to the broker %1:%2 is lost.</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1 kann nicht geschrieben werden: %2</source>
        <translation>MQTT outbox %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Keine Passwortdatei angegeben.</source>
        <translation>No password file given.</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 fehlt.</source>
        <translation>The password file %1 is missing.</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 ist auch für andere lesbar und wird nicht benutzt.
Nur ihr Besitzer darf sie lesen (chmod 600).</source>
        <translation>The password file %1 can be read by others and is not used.
Only its owner may read it (chmod 600).</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 kann nicht gelesen werden: %2</source>
        <translation>The password file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Kein Broker angegeben.</source>
        <translation>No broker given.</translation>
    </message>
    <message>
        <source>Die TLS-Einstellungen sind ungültig (CAFile %1).</source>
        <translation>The TLS settings are invalid (CAFile %1).</translation>
    </message>
    <message>
        <source>Der Broker %1:%2 antwortet nicht.</source>
        <translation>The broker %1:%2 does not answer.</translation>
    </message>
    <message>
        <source>MQTT: verbunden</source>
        <translation>MQTT: connected</translation>
    </message>
    <message>
        <source>MQTT: getrennt</source>
        <translation>MQTT: disconnected</translation>
    </message>
    <message>
        <source> (%1 wartend)</source>
        <translation> (%1 waiting)</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1: Nachrichten mit fremdem Thema nicht gesendet: %2</source>
        <translation>MQTT outbox %1: messages with a foreign topic not sent: %2</translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TFAktiv</name>
    <message>
        <source>Daten werden aus Steuerung geladen. Bitte etwas Geduld, Programm kann nicht unterbrochen werden !</source>
        <translation>Loading data from the controller. Please be patient, the program cannot be interrupted!</translation>
    </message>
</context>
<context>
    <name>TFAnlDatumSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Controller set-up</translation>
    </message>
    <message>
        <source>Aktuelle Anlagen-Datum/Zeit Einstellung:</source>
        <translation>Current plant date/time:</translation>
    </message>
    <message>
        <source>Datum/ Zeit neu Setzen</source>
        <translation>Set date/time again</translation>
    </message>
    <message>
        <source>Fertig</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Text der Anlage:</source>
        <translation>Plant&apos;s text:</translation>
    </message>
</context>
<context>
    <name>TFAnlageDaten</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost control centre</translation>
    </message>
    <message>
        <source>Anlage benennen</source>
        <translation>Name the plant</translation>
    </message>
    <message>
        <source>Anlagen- Nr.:</source>
        <translation>Plant no.:</translation>
    </message>
    <message>
        <source>Anlagen Text :</source>
        <translation>Plant text:</translation>
    </message>
    <message>
        <source>Kommentar:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>Daten Speicherpfad:</source>
        <translation>Data folder:</translation>
    </message>
    <message>
        <source>Ordner wählen</source>
        <translation>Choose folder</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad..</source>
        <translation>The folder for the data file does not exist; setting a new folder..</translation>
    </message>
    <message>
        <source>Leerzeichen</source>
        <translation>space</translation>
    </message>
    <message>
        <source>Nicht im Namen möglich (er wird Teil des Dateinamens), weggelassen: %1. Erlaubt sind A–Z, a–z, 0–9, _ und -.</source>
        <translation>Not possible in the name (it becomes part of the file name), left out: %1. Allowed are A–Z, a–z, 0–9, _ and -.</translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message>
        <source>Kompost- Messwerterfassung</source>
        <translation>Compost data acquisition</translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation>Active:</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Control mode</translation>
    </message>
    <message>
        <source>Speicherstatus</source>
        <translation>Memory status</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>Schaltzyklen</source>
        <translation>Switching cycles</translation>
    </message>
    <message>
        <source>Aktueller Anlagenzustand:</source>
        <translation>Current plant status:</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Mieten- Verwaltung</source>
        <translation>&amp;Pile management</translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Read &amp;offline data</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Miete &amp;neu starten</source>
        <translation>Start &amp;new pile</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Miete &amp;fortführen</source>
        <translation>&amp;Continue pile</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Miete &amp;beenden</source>
        <translation>&amp;End pile</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>PC-Speicherstatus</source>
        <translation>PC memory status</translation>
    </message>
    <message>
        <source>Einstell&amp;werte</source>
        <translation>Set-up &amp;values</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>&amp;Zeit/Datum setzen</source>
        <translation>Set &amp;time/date</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Anl </source>
        <translation>Plant </translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>%/O2</source>
        <translation>%/O2</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Stored values:</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>Connected PLANT is switched off!!</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>NO PLANT CONNECTED!!</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Keine Anlage</source>
        <translation>No plant</translation>
    </message>
    <message>
        <source>Anlage ohne Miete</source>
        <translation>Plant without pile</translation>
    </message>
    <message>
        <source>Miete läuft: %1</source>
        <translation>Pile running: %1</translation>
    </message>
    <message>
        <source>Keine Verbindung</source>
        <translation>No connection</translation>
    </message>
    <message>
        <source> | Messwert vor %1 s</source>
        <translation> | value %1 s old</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Saved on </translation>
    </message>
    <message>
        <source>Ergebnis OK !</source>
        <translation>Result OK!</translation>
    </message>
    <message>
        <source>Fehler beim sichern!</source>
        <translation>Error while saving!</translation>
    </message>
    <message>
        <source>Anlage %1:</source>
        <translation>Plant %1:</translation>
    </message>
    <message>
        <source>Anlage nicht erreicht, Miete: %1</source>
        <translation>Plant not reached, pile: %1</translation>
    </message>
    <message>
        <source>Nicht gesichert: %1</source>
        <translation>Not saved: %1</translation>
    </message>
    <message>
        <source>Anlage nicht erreicht: %1</source>
        <translation>Plant not reached: %1</translation>
    </message>
    <message>
        <source>nicht erreicht</source>
        <translation>not reached</translation>
    </message>
    <message>
        <source>Verbindung zu COM%1 verloren seit %2 – neuer Versuch alle %3 s</source>
        <translation>Connection to COM%1 lost since %2 – trying again every %3 s</translation>
    </message>
    <message>
        <source>%1 + %2 in der Anlage</source>
        <translation>%1 + %2 in the plant</translation>
    </message>
    <message>
        <source>Die Miete ist archiviert in %1</source>
        <translation>The pile is archived in %1</translation>
    </message>
    <message>
        <source>Die Miete konnte nicht archiviert werden.
%1</source>
        <translation>The pile could not be archived.
%1</translation>
    </message>
    <message>
        <source>Miete: %1</source>
        <translation>Pile: %1</translation>
    </message>
    <message>
        <source>antwortet nicht seit %1</source>
        <translation>not answering since %1</translation>
    </message>
    <message>
        <source>antwortet nicht</source>
        <translation>not answering</translation>
    </message>
    <message>
        <source>seit %1</source>
        <translation>since %1</translation>
    </message>
    <message numerus="yes">
        <source> | %n Messwerte warten</source>
        <translation>
            <numerusform> | %n value waiting</numerusform>
            <numerusform> | %n values waiting</numerusform>
        </translation>
    </message>
    <message>
        <source>Tägliches Auslesen: AUS</source>
        <translation>Daily readout: OFF</translation>
    </message>
    <message>
        <source>Tagebuch …</source>
        <translation>Journal …</translation>
    </message>
    <message>
        <source>Anlage %1 hat noch keine Datendatei; das Tagebuch gehört zu ihr.</source>
        <translation>Plant %1 has no data file yet; the journal belongs to it.</translation>
    </message>
    <message numerus="yes">
        <source>%n Messwerte in der Anlage</source>
        <translation>
            <numerusform>%n record in the plant</numerusform>
            <numerusform>%n records in the plant</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFCSV_Lesen</name>
    <message>
        <source>Haldrix Protokolle</source>
        <translation>Haldrix Protocols</translation>
    </message>
    <message>
        <source>Grafik drucken</source>
        <translation>Print graph</translation>
    </message>
    <message>
        <source>1 Wert/ Tag</source>
        <translation>1 value/ day</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>D&amp;rucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Stored values:</translation>
    </message>
    <message>
        <source>Haldrix Protokoll Gütegemeinschaft</source>
        <translation>Haldrix Quality Association Protocol</translation>
    </message>
    <message>
        <source>Haldrix Protokoll</source>
        <translation>Haldrix Protocol</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>Not a valid file layout
The file was not made by this software!</translation>
    </message>
    <message>
        <source>Hygienenachweis</source>
        <translation>Hygienisation evidence</translation>
    </message>
    <message>
        <source>Miete &amp;archivieren</source>
        <translation>&amp;Archive pile</translation>
    </message>
    <message>
        <source>Die Miete ist archiviert in
%1</source>
        <translation>The pile is archived in
%1</translation>
    </message>
    <message>
        <source>Die Miete konnte nicht archiviert werden.
%1</source>
        <translation>The pile could not be archived.
%1</translation>
    </message>
    <message>
        <source>&amp;Tagebuch …</source>
        <translation>&amp;Journal …</translation>
    </message>
</context>
<context>
    <name>TFDatenLesen1</name>
    <message>
        <source>Daten Offline lesen</source>
        <translation>Read data offline</translation>
    </message>
    <message>
        <source>Daten auslesen</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>Gespeicherte Datensätze aus der Steuerung lesen</source>
        <translation>Read the stored records from the controller</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Anzahl Datensätze:</source>
        <translation>Number of records:</translation>
    </message>
    <message>
        <source>Lese Datensatz:</source>
        <translation>Reading record:</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>INFO Daten auslesen abgeschlossen.</source>
        <translation>INFO Data readout finished.</translation>
    </message>
    <message>
        <source>Werte in Datei gespeichert !</source>
        <translation>Values saved to file!</translation>
    </message>
    <message>
        <source>Werte ausgedruckt !</source>
        <translation>Values printed!</translation>
    </message>
    <message numerus="yes">
        <source>%n Messwerte warten auf Platz im Datenträger</source>
        <translation>
            <numerusform>%n value waiting for room on the disk</numerusform>
            <numerusform>%n values waiting for room on the disk</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFGraphForm</name>
    <message>
        <source>Haldrix Graphik</source>
        <translation>Haldrix graph</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Datendatei öffnen</source>
        <translation>Open a data file</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Zoom zurück</source>
        <translation>Undo zoom</translation>
    </message>
    <message>
        <source>Ganze Datei zeigen (auch Doppelklick in die Grafik)</source>
        <translation>Show the whole file (or double-click the graph)</translation>
    </message>
    <message>
        <source>Umweltdaten</source>
        <translation>Environment</translation>
    </message>
    <message>
        <source>T 100cm [°C]</source>
        <translation>T 100cm [°C]</translation>
    </message>
    <message>
        <source>T  75cm [°C]</source>
        <translation>T  75cm [°C]</translation>
    </message>
    <message>
        <source>T  50cm [°C]</source>
        <translation>T  50cm [°C]</translation>
    </message>
    <message>
        <source>T  25cm [°C]</source>
        <translation>T  25cm [°C]</translation>
    </message>
    <message>
        <source>T  0cm [°C]</source>
        <translation>T  0cm [°C]</translation>
    </message>
    <message>
        <source>Tiefe Referenz Marke</source>
        <translation>Reference depth mark</translation>
    </message>
    <message>
        <source>O2 Konzentration</source>
        <translation>O2 concentration</translation>
    </message>
    <message>
        <source>Lüfterdaten</source>
        <translation>Fan data</translation>
    </message>
    <message>
        <source>Lüfterlaufzeit</source>
        <translation>Fan run time</translation>
    </message>
    <message>
        <source>Lüfterschaltzyklen</source>
        <translation>Fan switching cycles</translation>
    </message>
    <message>
        <source>1Wert/Tag</source>
        <translation>1 value/day</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Stored values:</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>Not a valid file layout
The file was not made by this software!</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Zeitachse</source>
        <translation>Time axis</translation>
    </message>
</context>
<context>
    <name>TFMain</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Assynchrone Messwertspeicherung und
Visualisierung in Zusammenarbeit mit</source>
        <translation>Asynchronous storage of measured values and
visualisation in cooperation with</translation>
    </message>
    <message>
        <source>Einlesen der Systemumgebung!!!
 Anlernen der angeschlossenen Steuerungen.</source>
        <translation>Reading the system environment!!!
 Learning the connected controllers.</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;PC-Setup</source>
        <translation>&amp;PC setup</translation>
    </message>
    <message>
        <source>&amp;Messung</source>
        <translation>&amp;Measurement</translation>
    </message>
    <message>
        <source>&amp;Daten</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Programm &amp;Setup</source>
        <translation>Program &amp;setup</translation>
    </message>
    <message>
        <source>Speicher&amp;zeit</source>
        <translation>Readout &amp;time</translation>
    </message>
    <message>
        <source>&amp;Firmendaten</source>
        <translation>&amp;Company data</translation>
    </message>
    <message>
        <source>PC &amp;Anzeige</source>
        <translation>PC &amp;display</translation>
    </message>
    <message>
        <source>Anlagen einlernen</source>
        <translation>Learn plants</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Read &amp;offline data</translation>
    </message>
    <message>
        <source>Mess&amp;werte drucken</source>
        <translation>Print measured &amp;values</translation>
    </message>
    <message>
        <source>&amp;Protokoll Gütegemeinschaft</source>
        <translation>&amp;Quality association protocol</translation>
    </message>
    <message>
        <source>&amp;Grafik erstellen</source>
        <translation>Create &amp;graph</translation>
    </message>
    <message>
        <source>Keine Anlage gefunden!
Bitte Kabel und Anlagen überprüfen!</source>
        <translation>No plant found!
Please check the cable and the plants!</translation>
    </message>
    <message>
        <source>Einstellungen konnten nicht gespeichert werden:
%1
%2
Bitte Speichermedium überprüfen !!</source>
        <translation>The settings could not be saved:
%1
%2
Please check the storage medium!!</translation>
    </message>
    <message>
        <source>Mietenregister …</source>
        <translation>Pile register …</translation>
    </message>
</context>
<context>
    <name>TFMietenregister</name>
    <message>
        <source>Mietenregister</source>
        <translation>Pile register</translation>
    </message>
    <message>
        <source>Ordner (mit Unterordnern):</source>
        <translation>Folders (with subfolders):</translation>
    </message>
    <message>
        <source>Ordner hinzufügen …</source>
        <translation>Add folder …</translation>
    </message>
    <message>
        <source>Ordner entfernen</source>
        <translation>Remove folder</translation>
    </message>
    <message>
        <source>Jahr:</source>
        <translation>Year:</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>all</translation>
    </message>
    <message>
        <source>Aktualisieren</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Als PDF speichern …</source>
        <translation>Save as PDF …</translation>
    </message>
    <message>
        <source>Als CSV speichern …</source>
        <translation>Save as CSV …</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ordner hinzufügen</source>
        <translation>Add folder</translation>
    </message>
    <message>
        <source>%1 Mieten, Kriterium: %2</source>
        <translation>%1 piles, criterion: %2</translation>
    </message>
    <message>
        <source>Mietenregister als PDF speichern</source>
        <translation>Save pile register as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Das Mietenregister konnte nicht gespeichert werden.
%1</source>
        <translation>The pile register could not be saved.
%1</translation>
    </message>
    <message>
        <source>Mietenregister als CSV speichern</source>
        <translation>Save pile register as CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>TFMqttSetup</name>
    <message>
        <source>Standortansicht (MQTT)</source>
        <translation>Site view (MQTT)</translation>
    </message>
    <message>
        <source>Das Programm sendet Messwerte, Datensätze und Alarme an einen MQTT-Broker.
Es nimmt vom Broker keine Befehle an. Ohne Broker-Adresse ist die Standortansicht aus.</source>
        <translation>The program sends measurements, records and alarms to an MQTT broker.
It takes no commands from the broker. Without a broker address the site view is off.</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>Broker</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>leer = aus</source>
        <translation>empty = off</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Verschlüsselt (TLS)</source>
        <translation>Encrypted (TLS)</translation>
    </message>
    <message>
        <source>CA-Datei:</source>
        <translation>CA file:</translation>
    </message>
    <message>
        <source>leer = Zertifikate des Systems</source>
        <translation>empty = the system&apos;s certificates</translation>
    </message>
    <message>
        <source>Benutzer:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Passwortdatei:</source>
        <translation>Password file:</translation>
    </message>
    <message>
        <source>Eine Datei, die nur ihr Besitzer lesen darf; ihre erste Zeile ist das Passwort.</source>
        <translation>A file only its owner may read; its first line is the password.</translation>
    </message>
    <message>
        <source>Namen</source>
        <translation>Names</translation>
    </message>
    <message>
        <source>Standort:</source>
        <translation>Site:</translation>
    </message>
    <message>
        <source>Themen-Präfix:</source>
        <translation>Topic prefix:</translation>
    </message>
    <message>
        <source>Anlagen in Home Assistant selbst anmelden</source>
        <translation>Announce the plants to Home Assistant</translation>
    </message>
    <message>
        <source>Verbindung testen</source>
        <translation>Test connection</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>CA-Datei</source>
        <translation>CA file</translation>
    </message>
    <message>
        <source>Passwortdatei</source>
        <translation>Password file</translation>
    </message>
    <message>
        <source>Themen: %1/…</source>
        <translation>Topics: %1/…</translation>
    </message>
    <message>
        <source>Verbindung wird geprüft …</source>
        <translation>Checking the connection …</translation>
    </message>
    <message>
        <source>Verbindung hergestellt.</source>
        <translation>Connection established.</translation>
    </message>
</context>
<context>
    <name>TFO2MessSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Controller set-up</translation>
    </message>
    <message>
        <source>Speicherintervall</source>
        <translation>Storage interval</translation>
    </message>
    <message>
        <source>Alle N- Minuten werden die aktuellen Mess-
werte in der Protokolldatei abgespeichert.</source>
        <translation>Every N minutes the current measured
values are stored in the log file.</translation>
    </message>
    <message>
        <source>Lüfter- EIN- Intervall</source>
        <translation>Fan ON interval</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb
eingeschaltet ist.</source>
        <translation>How long the fan is switched on
in interval mode.</translation>
    </message>
    <message>
        <source>Lüfter- AUS- Intervall</source>
        <translation>Fan OFF interval</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb
ausgeschaltet ist.</source>
        <translation>How long the fan is switched off
in interval mode.</translation>
    </message>
    <message>
        <source>O2-Einschaltwert:</source>
        <translation>O2 switch-on value:</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der 
Luefter eingeschaltet wird.</source>
        <translation>Oxygen concentration at which the
fan is switched on.</translation>
    </message>
    <message>
        <source>O2-Ausschaltwert:</source>
        <translation>O2 switch-off value:</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der 
Luefter ausgeschaltet wird.</source>
        <translation>Oxygen concentration at which the
fan is switched off.</translation>
    </message>
    <message>
        <source>Bereich 1-300min</source>
        <translation>Range 1-300min</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb
eingeschaltet ist.</source>
        <translation>How long the fan is switched on
in control mode.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb
ausgeschaltet ist.</source>
        <translation>How long the fan is switched off
in control mode.</translation>
    </message>
    <message>
        <source>Max Lüfter- EIN-Zeit</source>
        <translation>Max fan ON time</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im maximal laufen
darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>How long the fan may run at most
before control mode starts.</translation>
    </message>
    <message>
        <source>Max. Lüfter- AUS- Zeit</source>
        <translation>Max fan OFF time</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter maximal abgeschaltet
sein darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>How long the fan may be off at most
before control mode starts.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Setup gändert, in Steuerung laden?</source>
        <translation>Set-up changed, load it into the controller?</translation>
    </message>
    <message>
        <source>Bereich 1-1440min</source>
        <translation>Range 1-1440min</translation>
    </message>
    <message>
        <source>Steuerbetrieb EIN- Zeit</source>
        <translation>Control mode ON time</translation>
    </message>
    <message>
        <source>Steuerbetrieb AUS- Zeit</source>
        <translation>Control mode OFF time</translation>
    </message>
    <message>
        <source>%1 war leer und bleibt %2.</source>
        <translation>%1 was empty and stays %2.</translation>
    </message>
    <message>
        <source>%1 auf %2 angehoben</source>
        <translation>%1 raised to %2</translation>
    </message>
    <message>
        <source>%1 auf %2 gesenkt</source>
        <translation>%1 lowered to %2</translation>
    </message>
    <message>
        <source>An Anlage %1 senden:
%2</source>
        <translation>Send to plant %1:
%2</translation>
    </message>
    <message>
        <source>%1: nur ganze Minuten</source>
        <translation>%1: whole minutes only</translation>
    </message>
    <message>
        <source>%1: nur ganze Minuten, &quot;%2&quot; nicht übernommen, bleibt %3</source>
        <translation>%1: whole minutes only, &quot;%2&quot; not taken, stays %3</translation>
    </message>
    <message>
        <source>%1 auf den Höchstwert %2 begrenzt</source>
        <translation>%1 limited to its maximum %2</translation>
    </message>
    <message>
        <source>%1 auf den Mindestwert %2 angehoben</source>
        <translation>%1 raised to its minimum %2</translation>
    </message>
</context>
<context>
    <name>TFPC_Setup</name>
    <message>
        <source>PC- Setup</source>
        <translation>PC setup</translation>
    </message>
    <message>
        <source>Schnittstelle</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Auswahl COM- Port:
 Kommunikation läuft mit 
8 Datenbits, 1Stopbit, Keine Parität</source>
        <translation>Choose the COM port:
 communication runs with
8 data bits, 1 stop bit, no parity</translation>
    </message>
    <message>
        <source>Anzeige: °F/in nicht aktiviert [°C/ cm]</source>
        <translation>Display: °F/in not activated [°C/ cm]</translation>
    </message>
    <message>
        <source>Anzeige Tiefe Referenztemp. in Protokoll</source>
        <translation>Show reference temperature depth in protocol</translation>
    </message>
    <message>
        <source>Auswahl derTemperatur
bei welcher die Referenztiefe
berechnet wird.</source>
        <translation>Temperature at which
the reference depth
is computed.</translation>
    </message>
    <message>
        <source>Offset für Mietenanzeige</source>
        <translation>Offset for pile display</translation>
    </message>
    <message>
        <source>Auswahl des Anzeige- Offsets.
In den Mietennummern wird der Offset zu der
physikalischen Adresse hinzugerechnet.
Bsp.: Offset = 10
Anl.Nr    Anzeige
    1    Anl 10
    2    Anl 11
    3    Anl 12</source>
        <translation>Choose the display offset.
The offset is added to the physical
address in the pile numbers.
E.g.: offset = 10
Plant    Shown
    1    Plant 10
    2    Plant 11
    3    Plant 12</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Hygienenachweis nach:</source>
        <translation>Hygienisation evidence by:</translation>
    </message>
    <message>
        <source>Arbeitstage (1 = Mo):</source>
        <translation>Working days (1 = Mon):</translation>
    </message>
    <message>
        <source>ISO-Wochentage, z. B. 1-5 oder 1-6</source>
        <translation>ISO weekdays, e.g. 1-5 or 1-6</translation>
    </message>
    <message>
        <source>Feiertage von:</source>
        <translation>Public holidays of:</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Arbeitstage: ISO-Wochentage angeben, z. B. 1-5 (Mo–Fr) oder 1-6 (Mo–Sa).</source>
        <translation>Working days: give ISO weekdays, e.g. 1-5 (Mon–Fri) or 1-6 (Mon–Sat).</translation>
    </message>
    <message>
        <source>Archivordner:</source>
        <translation>Archive folder:</translation>
    </message>
    <message>
        <source>Hier legt &quot;Miete beenden&quot; das Archiv jeder Miete an (Datei, Siegel, Protokolle als PDF/A).</source>
        <translation>&quot;End pile&quot; puts each pile&apos;s archive here (file, seal, protocols as PDF/A).</translation>
    </message>
    <message>
        <source>Archivordner</source>
        <translation>Archive folder</translation>
    </message>
    <message>
        <source>Standortansicht (MQTT) …</source>
        <translation>Site view (MQTT) …</translation>
    </message>
    <message>
        <source>Papier der Protokolle:</source>
        <translation>Paper for protocols:</translation>
    </message>
    <message>
        <source>Messprotokoll, Temperatur-Protokoll und Hygienenachweis, auch im Archiv; der Graph bleibt A4 quer.</source>
        <translation>Measurement protocol, temperature protocol and hygiene evidence, also in the archive; the graph stays A4 landscape.</translation>
    </message>
</context>
<context>
    <name>TFPfadsetzen</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost control centre</translation>
    </message>
    <message>
        <source>In diesem Ordner werden die Messdaten der Anlage
in Dateien mit der Endung .CSV gespeichert.
Diese Dateien können später mit Standard-
programmen, z.B. einer Tabellenkalkulation,
ausgewertet werden.</source>
        <translation>The plant&apos;s measured data are stored in this folder
in files ending in .CSV.
These files can later be evaluated with standard
programs, e.g. a spreadsheet.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ordner auswählen oder seinen Pfad eingeben</source>
        <translation>Choose a folder or type its path</translation>
    </message>
    <message>
        <source>Den Ordner %1 gibt es nicht.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
</context>
<context>
    <name>TFProtokKopf</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Compost Control Centre</translation>
    </message>
    <message>
        <source>Protokollkopf</source>
        <translation>Protocol header</translation>
    </message>
    <message>
        <source>Titeltext :</source>
        <translation>Title text :</translation>
    </message>
    <message>
        <source>2. Zeile :</source>
        <translation>2nd line :</translation>
    </message>
    <message>
        <source>3. Zeile :</source>
        <translation>3rd line :</translation>
    </message>
    <message>
        <source>Die hier eingegebenen Daten werden in dem Ausdruck der Protokollwerte 
im Seitenkopf dargestellt. Sie dienen der Archivierung und Zuordnung der 
Messprotokolle.</source>
        <translation>The data entered here appear in the page header of the printed 
protocols. They serve to archive and assign the 
measurement protocols.</translation>
    </message>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ignorieren</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Gilt für neue Dateien; vorhandene behalten ihren Kopf.</source>
        <translation>Applies to new files; existing ones keep their header.</translation>
    </message>
    <message>
        <source>Vor der ersten Miete bitte die Firmendaten eingeben:
sie stehen im Kopf jeder neuen Datei und jedes Protokolls.</source>
        <translation>Please enter the company data before the first pile:
they head every new file and every protocol.</translation>
    </message>
</context>
<context>
    <name>TFQRKompForm</name>
    <message>
        <source>Haldrix Messprotokoll</source>
        <translation>Haldrix measurement protocol</translation>
    </message>
    <message>
        <source>Nr.:</source>
        <translation>No.:</translation>
    </message>
    <message>
        <source>Datum/Zeit</source>
        <translation>Date/time</translation>
    </message>
    <message>
        <source>Temperatur an Messtelle</source>
        <translation>Temperature at measuring point</translation>
    </message>
    <message>
        <source>O2[vol%]</source>
        <translation>O2[vol%]</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>Laufzeit[min]</source>
        <translation>Run time[min]</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>S 55°C[cm]</source>
        <translation>S 55°C[cm]</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Plant name :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>File name :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Print date/time :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page nr. :</translation>
    </message>
    <message>
        <source>Prüfwert :</source>
        <translation>Check value :</translation>
    </message>
</context>
<context>
    <name>TFTagebuch</name>
    <message>
        <source>Tagebuch – %1</source>
        <translation>Journal – %1</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Von</source>
        <translation>By</translation>
    </message>
    <message>
        <source>berichtigt</source>
        <translation>corrects</translation>
    </message>
    <message>
        <source>Neuer Eintrag</source>
        <translation>New entry</translation>
    </message>
    <message>
        <source>Art:</source>
        <translation>Kind:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Von:</source>
        <translation>By:</translation>
    </message>
    <message>
        <source>Wetter, Außentemperatur, Labornummer der Probe …</source>
        <translation>Weather, outside temperature, laboratory number of the sample …</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Fühler:</source>
        <translation>Probe:</translation>
    </message>
    <message>
        <source>Referenzthermometer:</source>
        <translation>Reference thermometer:</translation>
    </message>
    <message>
        <source>Anzeige der Anlage:</source>
        <translation>Plant reading:</translation>
    </message>
    <message>
        <source>keinen</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Berichtigt Eintrag:</source>
        <translation>Corrects entry:</translation>
    </message>
    <message>
        <source>Eintragen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Noch keine Einträge.</source>
        <translation>No entries yet.</translation>
    </message>
    <message>
        <source>Der Eintrag wurde nicht gespeichert.
%1</source>
        <translation>The entry was not saved.
%1</translation>
    </message>
</context>
<context>
    <name>TFZeitSelect</name>
    <message>
        <source>Speicherzeit auswählen</source>
        <translation>Select readout time</translation>
    </message>
    <message>
        <source>Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !</source>
        <translation>Time at which the data are read automatically from the controller once a day!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1h</source>
        <translation>%1h</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>TLink</name>
    <message>
        <source>Serielle Verbindung auf :</source>
        <translation>Serial connection on :</translation>
    </message>
    <message>
        <source>Keine Verbindung
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>No connection
Please check the cable and the PC settings!</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der seriellen Schnittstelle !
Bitte überprüfen!!</source>
        <translation>Error opening the serial port!
Please check!!</translation>
    </message>
    <message>
        <source>Keine Zugriffsrechte auf %1.</source>
        <translation>No access rights to %1.</translation>
    </message>
    <message>
        <source>Keine Zugriffsrechte auf %1: der Benutzer braucht Zugriff auf das Gerät (Gruppe &quot;dialout&quot;).</source>
        <translation>No access rights to %1: the user needs access to the device (group &quot;dialout&quot;).</translation>
    </message>
</context>
<context>
    <name>TMessDaten</name>
    <message>
        <source>Laufzeit</source>
        <translation>Run time</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Messwert- Nr</source>
        <translation>Reading no.</translation>
    </message>
    <message>
        <source>T[°F]</source>
        <translation>T[°F]</translation>
    </message>
    <message>
        <source>T[°C]</source>
        <translation>T[°C]</translation>
    </message>
    <message>
        <source>O2/vol%</source>
        <translation>O2/vol%</translation>
    </message>
    <message>
        <source>t/min</source>
        <translation>t/min</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>Datum/Zeit</source>
        <translation>Date/time</translation>
    </message>
</context>
</TS>
