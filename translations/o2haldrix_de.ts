<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="de">
<context>
    <name>Archive</name>
    <message numerus="yes">
        <source>Archiv intakt: %n Dateien</source>
        <translation>
            <numerusform>Archiv intakt: %n Datei</numerusform>
            <numerusform>Archiv intakt: %n Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n Datensätze, Prüfwert %1</source>
        <translation>
            <numerusform>, %n Datensatz, Prüfwert %1</numerusform>
            <numerusform>, %n Datensätze, Prüfwert %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Hygiene</name>
    <message numerus="yes">
        <source>%n Datensätze, %1 bis %2</source>
        <translation>
            <numerusform>%n Datensatz, %1 bis %2</numerusform>
            <numerusform>%n Datensätze, %1 bis %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n Tage gefordert)</source>
        <translation>
            <numerusform> (%n Tag gefordert)</numerusform>
            <numerusform> (%n Tage gefordert)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Umsetzungen, %1 nötig</source>
        <translation>
            <numerusform>%n Umsetzung, %1 nötig</numerusform>
            <numerusform>%n Umsetzungen, %1 nötig</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tagebuch der Miete: %n Einträge</source>
        <translation>
            <numerusform>Tagebuch der Miete: %n Eintrag</numerusform>
            <numerusform>Tagebuch der Miete: %n Einträge</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message numerus="yes">
        <source>Tagebuch: %n Einträge, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>Tagebuch: %n Eintrag, Siegel intakt, Prüfwert %1</numerusform>
            <numerusform>Tagebuch: %n Einträge, Siegel intakt, Prüfwert %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Piles</name>
    <message numerus="yes">
        <source>%n Minuten</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Stunden</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Tage</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n empfangene Messwerte warten auf Speicherplatz; sie werden bei der nächsten Sicherung zuerst geschrieben.</source>
        <translation>
            <numerusform>%n empfangener Messwert wartet auf Speicherplatz; er wird bei der nächsten Sicherung zuerst geschrieben.</numerusform>
            <numerusform>%n empfangene Messwerte warten auf Speicherplatz; sie werden bei der nächsten Sicherung zuerst geschrieben.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %1)</source>
        <translation>
            <numerusform>%n Datensatz mit unlesbarem Zeitstempel gesichert (Zeile %1)</numerusform>
            <numerusform>%n Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze älter als der letzte der Datei</source>
        <translation>
            <numerusform>%n Datensatz älter als der letzte der Datei</numerusform>
            <numerusform>%n Datensätze älter als der letzte der Datei</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Seal</name>
    <message numerus="yes">
        <source>%n Datensätze, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>%n Datensatz, Siegel intakt, Prüfwert %1</numerusform>
            <numerusform>%n Datensätze, Siegel intakt, Prüfwert %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message numerus="yes">
        <source> | %n Messwerte warten</source>
        <translation>
            <numerusform> | %n Messwert wartet</numerusform>
            <numerusform> | %n Messwerte warten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Messwerte in der Anlage</source>
        <translation>
            <numerusform>%n Messwert in der Anlage</numerusform>
            <numerusform>%n Messwerte in der Anlage</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFDatenLesen1</name>
    <message numerus="yes">
        <source>%n Messwerte warten auf Platz im Datenträger</source>
        <translation>
            <numerusform>%n Messwert wartet auf Platz im Datenträger</numerusform>
            <numerusform>%n Messwerte warten auf Platz im Datenträger</numerusform>
        </translation>
    </message>
</context>
</TS>
