<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de">
<context>
    <name>Mode</name>
    <message>
        <source>Lüfter AUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manuell- AUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFAktiv</name>
    <message>
        <source>Daten werden aus Steuerung geladen. Bitte etwas Geduld, Programm kann nicht unterbrochen werden !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message>
        <source>Kompost- Messwerterfassung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speicherstatus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schaltzyklen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aktueller Anlagenzustand:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mieten- Verwaltung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miete &amp;neu starten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miete &amp;fortführen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miete &amp;beenden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC-Speicherstatus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Einstell&amp;werte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Zeit/Datum setzen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anl </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lüfter AUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%/O2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manuell- AUS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!
Bitte Kabel und PC- Einstellung überprüfen!
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFMain</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Assynchrone Messwertspeicherung und
Visualisierung in Zusammenarbeit mit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Einlesen der Systemumgebung!!!
 Anlernen der angeschlossenen Steuerungen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ende</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;PC-Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Messung</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Daten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programm &amp;Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speicher&amp;zeit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Firmendaten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC &amp;Anzeige</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anlagen einlernen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mess&amp;werte drucken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Protokoll Gütegemeinschaft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Grafik erstellen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFZeitSelect</name>
    <message>
        <source>Speicherzeit auswählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1h</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TLink</name>
    <message>
        <source>Keine Verbindung
Bitte Kabel und PC- Einstellung ﲾrprﳾn!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serielle Verbindung auf :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler beim 훿nen der seriellen Schnittstelle !
Bitte ﲾrprﳾn!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keine Verbindung
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der seriellen Schnittstelle !
Bitte überprüfen!!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
