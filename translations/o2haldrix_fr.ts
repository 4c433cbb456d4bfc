<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="de">
<context>
    <name>Archive</name>
    <message>
        <source>%1 fehlt oder ist nicht lesbar</source>
        <translation>%1 manque ou est illisible</translation>
    </message>
    <message>
        <source>%1: Zeile ohne Prüfsumme: %2</source>
        <translation>%1 : ligne sans somme de contrôle : %2</translation>
    </message>
    <message>
        <source>%1 fehlt</source>
        <translation>%1 manque</translation>
    </message>
    <message>
        <source>%1 wurde verändert</source>
        <translation>%1 a été modifié</translation>
    </message>
    <message>
        <source>%1 steht nicht im Verzeichnis %2</source>
        <translation>%1 ne figure pas dans %2</translation>
    </message>
    <message>
        <source>%1 ist keine Datendatei dieses Programms.</source>
        <translation>%1 n’est pas un fichier de données de ce programme.</translation>
    </message>
    <message>
        <source>Der Archivordner %1 kann nicht angelegt werden.</source>
        <translation>Le dossier d’archive %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>Im Archivordner %1 kann nichts geschrieben werden: %2</source>
        <translation>Impossible d’écrire dans le dossier d’archive %1 : %2</translation>
    </message>
    <message>
        <source>%1 kann nicht ins Archiv kopiert werden.</source>
        <translation>%1 ne peut pas être copié dans l’archive.</translation>
    </message>
    <message>
        <source>Nicht im Archiv, weil die Daten es nicht erlauben:</source>
        <translation>Absent de l’archive, les données ne le permettent pas :</translation>
    </message>
    <message numerus="yes">
        <source>Archiv intakt: %n Dateien</source>
        <translation>
            <numerusform>Archive intacte : %n fichier</numerusform>
            <numerusform>Archive intacte : %n fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n Datensätze, Prüfwert %1</source>
        <translation>
            <numerusform>, %n enregistrement, valeur de contrôle %1</numerusform>
            <numerusform>, %n enregistrements, valeur de contrôle %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: das Siegel fehlt</source>
        <translation>%1 : le sceau manque</translation>
    </message>
    <message>
        <source>Die Datendatei fehlt</source>
        <translation>Le fichier de données manque</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire.</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Beim Abbruch am %1 ist 1 Messwert von Anlage %2 verloren gegangen</source>
        <translation>Lors de l&apos;interruption du %1, 1 mesure de l&apos;installation %2 a été perdue</translation>
    </message>
    <message>
        <source>Beim Abbruch am %1 sind %2 Messwerte von Anlage %3 verloren gegangen</source>
        <translation>Lors de l&apos;interruption du %1, %2 mesures de l&apos;installation %3 ont été perdues</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden. %2</source>
        <translation>Impossible d&apos;ouvrir le fichier %1. %2</translation>
    </message>
    <message>
        <source>Keine gewöhnliche Datei.</source>
        <translation>Ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>Die Datei enthält noch keine Messwerte</source>
        <translation>Le fichier ne contient encore aucune mesure</translation>
    </message>
    <message>
        <source>Datenträger voll: %1</source>
        <translation>Support plein : %1</translation>
    </message>
    <message>
        <source>%1 ist keine lesbare Datei; keine zurückgehaltenen Messwerte geladen.</source>
        <translation>%1 n&apos;est pas un fichier lisible ; aucune mesure retenue n&apos;a été chargée.</translation>
    </message>
    <message>
        <source>In %1 sind Zeilen verändert oder beschädigt (Zeilen %2); sie werden nicht in die Datendatei geschrieben.</source>
        <translation>Des lignes de %1 ont été modifiées ou endommagées (lignes %2) ; elles ne sont pas écrites dans le fichier de données.</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei; neue Datensätze bleiben ohne Siegel.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire ; les nouveaux enregistrements restent sans sceau.</translation>
    </message>
    <message>
        <source>Die Datei %1 passt nicht mehr zu ihrem Siegel; neue Datensätze bleiben ohne Siegel.</source>
        <translation>Le fichier %1 ne correspond plus à son sceau ; les nouveaux enregistrements restent sans sceau.</translation>
    </message>
    <message>
        <source>Zeile %1 der Datei %2 wurde nicht von diesem Programm geschrieben; sie bleibt ohne Siegel, die Datensätze danach werden versiegelt.</source>
        <translation>La ligne %1 du fichier %2 n&apos;a pas été écrite par ce programme ; elle reste sans sceau, les enregistrements suivants sont scellés.</translation>
    </message>
    <message>
        <source>Zeile %1 der Datei %2 wurde bei einem Abbruch nur zum Teil geschrieben; sie bleibt, wie sie ist, und ist kein Datensatz.</source>
        <translation>La ligne %1 du fichier %2 n&apos;a été écrite qu&apos;en partie lors d&apos;une interruption ; elle reste telle quelle et n&apos;est pas un enregistrement.</translation>
    </message>
    <message>
        <source>Siegel verletzt: %1, Zeile %2</source>
        <translation>Sceau rompu : %1, ligne %2</translation>
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
        <translation>Ordonnance allemande biodéchets, installation ouverte : 55 °C pendant 14 jours ou 65 °C pendant 7 jours</translation>
    </message>
    <message>
        <source>Bioabfallverordnung, geschlossene Anlage: 60 °C über 7 Tage</source>
        <translation>Ordonnance allemande biodéchets, installation fermée : 60 °C pendant 7 jours</translation>
    </message>
    <message>
        <source>PFRP, belüftete Miete / Reaktor: 55 °C über 3 Tage</source>
        <translation>PFRP, andain aéré / réacteur : 55 °C pendant 3 jours</translation>
    </message>
    <message>
        <source>PFRP, Dreiecksmiete: 55 °C über 15 Tage</source>
        <translation>PFRP, andain retourné : 55 °C pendant 15 jours</translation>
    </message>
    <message>
        <source>Hygienenachweis</source>
        <translation>Preuve d&apos;hygiénisation</translation>
    </message>
    <message>
        <source>Kriterium :</source>
        <translation>Critère :</translation>
    </message>
    <message>
        <source>Messwerte :</source>
        <translation>Mesures :</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Profondeur</translation>
    </message>
    <message>
        <source>Schwelle</source>
        <translation>Seuil</translation>
    </message>
    <message>
        <source>Längste Strecke ohne Unterbrechung</source>
        <translation>Plus longue période sans interruption</translation>
    </message>
    <message>
        <source>Dauer</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>von</source>
        <translation>du</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>au</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Enregistrements</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>erfüllt</source>
        <translation>atteint</translation>
    </message>
    <message>
        <source>nicht erfüllt</source>
        <translation>non atteint</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): Kriterium erfüllt</source>
        <translation>Résultat au cœur (100 cm) : critère atteint</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): Kriterium NICHT erfüllt</source>
        <translation>Résultat au cœur (100 cm) : critère NON atteint</translation>
    </message>
    <message>
        <source>Kein Werktag ohne Messwerte.</source>
        <translation>Aucun jour ouvré sans mesures.</translation>
    </message>
    <message>
        <source>Kein Tag ohne Messwerte.</source>
        <translation>Aucun jour sans mesures.</translation>
    </message>
    <message>
        <source>Tage ohne Messwerte, die eine Strecke unterbrechen:</source>
        <translation>Jours sans mesures qui interrompent une période :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Nom de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>Nom du fichier :</translation>
    </message>
    <message>
        <source> (nach Datensatz %1)</source>
        <translation> (après l&apos;enregistrement %1)</translation>
    </message>
    <message>
        <source>Messwerte, die beim Abbruch einer Übertragung verloren gingen:</source>
        <translation>Mesures perdues lors de l&apos;interruption d&apos;un transfert :</translation>
    </message>
    <message>
        <source>Mo</source>
        <translation>lun</translation>
    </message>
    <message>
        <source>Di</source>
        <translation>mar</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>mer</translation>
    </message>
    <message>
        <source>Do</source>
        <translation>jeu</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>ven</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>sam</translation>
    </message>
    <message>
        <source>So</source>
        <translation>dim</translation>
    </message>
    <message>
        <source>, ohne Feiertage in %1</source>
        <translation>, sans les jours fériés de %1</translation>
    </message>
    <message>
        <source>… und %1 weitere</source>
        <translation>… et %1 de plus</translation>
    </message>
    <message>
        <source>Ergebnis im Kern (100 cm): nicht prüfbar (mehr als ein Zehntel der Zeilen unplausibel, ohne Datum oder doppelt)</source>
        <translation>Résultat au cœur (100 cm) : non vérifiable (plus d&apos;un dixième des lignes non plausibles, sans date ou en double)</translation>
    </message>
    <message>
        <source>, nicht erreicht bei %1</source>
        <translation>, non atteint à %1</translation>
    </message>
    <message>
        <source> und </source>
        <translation> et </translation>
    </message>
    <message>
        <source>Arbeitstage: %1</source>
        <translation>Jours ouvrés : %1</translation>
    </message>
    <message>
        <source>Feiertage im Zeitraum: %1</source>
        <translation>Jours fériés de la période : %1</translation>
    </message>
    <message>
        <source>Jeder Tag zählt, auch Wochenenden und Feiertage.</source>
        <translation>Chaque jour compte, week-ends et jours fériés compris.</translation>
    </message>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Ligne %1 : %2</translation>
    </message>
    <message>
        <source>Uhrfehler (weit vor der ersten Sicherung oder nach der letzten Änderung der Datei), nicht gewertet: %1</source>
        <translation>Erreurs d&apos;horloge (bien avant la première sauvegarde ou après la dernière modification du fichier), non évaluées : %1</translation>
    </message>
    <message>
        <source>Zeitsprünge zurück: %1</source>
        <translation>Retours en arrière dans le temps : %1</translation>
    </message>
    <message>
        <source>Zeitsprung zurück in Zeile %1: %2 nach %3</source>
        <translation>Retour en arrière à la ligne %1 : %2 après %3</translation>
    </message>
    <message>
        <source>kein Datum, nicht gewertet: %1</source>
        <translation>sans date, non évaluées : %1</translation>
    </message>
    <message>
        <source>unplausibel (Temperatur außerhalb %1 … %2 °C oder keine Zahl), nicht gewertet: %3</source>
        <translation>non plausibles (température hors de %1 … %2 °C ou pas un nombre), non évaluées : %3</translation>
    </message>
    <message>
        <source>doppelt, einmal gewertet: %1</source>
        <translation>en double, comptées une fois : %1</translation>
    </message>
    <message>
        <source>Prüfwert :</source>
        <translation>Valeur de contrôle :</translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze, %1 bis %2</source>
        <translation>
            <numerusform>%n enregistrement, du %1 au %2</numerusform>
            <numerusform>%n enregistrements, du %1 au %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n Tage gefordert)</source>
        <translation>
            <numerusform> (%n jour exigé)</numerusform>
            <numerusform> (%n jours exigés)</numerusform>
        </translation>
    </message>
    <message>
        <source>Die geforderten fünf Umsetzungen zählen aus dem Tagebuch der Miete, nicht aus den Messwerten.</source>
        <translation>Les cinq retournements exigés sont comptés dans le journal du tas, non dans les mesures.</translation>
    </message>
    <message>
        <source>PAS 100: 65 °C über 7 Tage am Kern</source>
        <translation>PAS 100 : 65 °C pendant 7 jours au cœur</translation>
    </message>
    <message>
        <source>Die geforderten 51 % Feuchte werden nicht gemessen.</source>
        <translation>L&apos;humidité de 51 % exigée n&apos;est pas mesurée.</translation>
    </message>
    <message>
        <source>1 Umsetzung, %1 nötig</source>
        <translation>1 retournement, %1 nécessaires</translation>
    </message>
    <message>
        <source>Fühlerfehler (Anlage weicht um mehr als %1 °C vom Referenzthermometer ab):</source>
        <translation>Défauts de sonde (l&apos;installation s&apos;écarte de plus de %1 °C du thermomètre de référence) :</translation>
    </message>
    <message>
        <source>%1 cm am %2: Referenz %3, Anlage %4</source>
        <translation>%1 cm le %2 : référence %3, installation %4</translation>
    </message>
    <message>
        <source>Tagebuch der Miete: 1 Eintrag</source>
        <translation>Journal du tas : 1 entrée</translation>
    </message>
    <message numerus="yes">
        <source>%n Umsetzungen, %1 nötig</source>
        <translation>
            <numerusform>%n retournement, %1 nécessaires</numerusform>
            <numerusform>%n retournements, %1 nécessaires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tagebuch der Miete: %n Einträge</source>
        <translation>
            <numerusform>Journal du tas : %n entrée</numerusform>
            <numerusform>Journal du tas : %n entrées</numerusform>
        </translation>
    </message>
    <message>
        <source>Tagebuch, Strecke im Kern (100 cm): %1</source>
        <translation>Journal, période au cœur (100 cm) : %1</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Umsetzen</source>
        <translation>Retournement</translation>
    </message>
    <message>
        <source>Bewässern</source>
        <translation>Arrosage</translation>
    </message>
    <message>
        <source>Probenahme</source>
        <translation>Prélèvement</translation>
    </message>
    <message>
        <source>Fühlerprüfung</source>
        <translation>Contrôle de sonde</translation>
    </message>
    <message>
        <source>Bemerkung</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source> %1 cm: Referenz %2 °C, Anlage %3 °C</source>
        <translation> %1 cm : référence %2 °C, installation %3 °C</translation>
    </message>
    <message>
        <source> (berichtigt Eintrag %1)</source>
        <translation> (corrige l&apos;entrée %1)</translation>
    </message>
    <message>
        <source>Der Eintrag hat keine gültige Zeit.</source>
        <translation>L&apos;entrée n&apos;a pas d&apos;heure valide.</translation>
    </message>
    <message>
        <source>Eine Fühlerprüfung braucht die Tiefe und beide Messwerte.</source>
        <translation>Un contrôle de sonde demande la profondeur et les deux mesures.</translation>
    </message>
    <message>
        <source>Fühler gibt es in 0, 25, 50, 75 und 100 cm Tiefe.</source>
        <translation>Les sondes sont à 0, 25, 50, 75 et 100 cm de profondeur.</translation>
    </message>
    <message>
        <source>%1 ist keine Datendatei dieses Programms.</source>
        <translation>%1 n&apos;est pas un fichier de données de ce programme.</translation>
    </message>
    <message>
        <source>Die letzte Zeile von %1 ist unvollständig; es wird nichts angefügt.</source>
        <translation>La dernière ligne de %1 est incomplète ; rien n&apos;est ajouté.</translation>
    </message>
    <message>
        <source>Eintrag %1 gibt es nicht.</source>
        <translation>L&apos;entrée %1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Der Text enthält Zeichen, die das Tagebuch nicht speichern kann.</source>
        <translation>Le texte contient des caractères que le journal ne peut pas enregistrer.</translation>
    </message>
    <message>
        <source>Die Siegeldatei %1 ist beschädigt; es wird nichts angefügt.</source>
        <translation>Le fichier de scellement %1 est endommagé ; rien n&apos;est ajouté.</translation>
    </message>
    <message>
        <source>Tagebuch ohne Siegel</source>
        <translation>Journal sans scellement</translation>
    </message>
    <message>
        <source>Tagebuch: 1 Eintrag, Siegel intakt, Prüfwert %1</source>
        <translation>Journal : 1 entrée, scellement intact, valeur de contrôle %1</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: der Kopf (Zeilen 1 bis 9) wurde verändert</source>
        <translation>Scellement du journal rompu : l&apos;en-tête (lignes 1 à 9) a été modifié</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Eintrag %1 (Zeile %2) wurde verändert</source>
        <translation>Scellement du journal rompu : l&apos;entrée %1 (ligne %2) a été modifiée</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Eintrag %1 fehlt (vor Zeile %2)</source>
        <translation>Scellement du journal rompu : l&apos;entrée %1 manque (avant la ligne %2)</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Zeile %1 wurde eingefügt</source>
        <translation>Scellement du journal rompu : la ligne %1 a été insérée</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: die Einträge ab %1 fehlen</source>
        <translation>Scellement du journal rompu : les entrées à partir de %1 manquent</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: die Siegeldatei ist beschädigt</source>
        <translation>Scellement du journal rompu : le fichier de scellement est endommagé</translation>
    </message>
    <message numerus="yes">
        <source>Tagebuch: %n Einträge, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>Journal : %n entrée, scellement intact, valeur de contrôle %1</numerusform>
            <numerusform>Journal : %n entrées, scellement intact, valeur de contrôle %1</numerusform>
        </translation>
    </message>
    <message>
        <source> (der letzte Eintrag kam beim Abbruch nicht mehr ins Tagebuch)</source>
        <translation> (la dernière entrée n&apos;a pas atteint le journal avant l&apos;interruption)</translation>
    </message>
    <message>
        <source>Tagebuch-Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)</source>
        <translation>Sceau du journal rompu : la ligne %1 n&apos;a pas de sceau (non écrite par ce programme)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>TIMEOUT, bei der seriellen Kommunikation!
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>DÉLAI DÉPASSÉ dans la communication série !
Veuillez vérifier le câble et les réglages du PC !</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geöffnet werden !</source>
        <translation>Impossible d&apos;ouvrir le fichier de données !</translation>
    </message>
    <message>
        <source>Anzahl der Speicherdaten kann nicht ausgelesen werden !
Kommunikationsfehler !</source>
        <translation>Impossible de lire le nombre d&apos;enregistrements !
Erreur de communication !</translation>
    </message>
</context>
<context>
    <name>Mode</name>
    <message>
        <source>Lüfter AUS</source>
        <translation>Vent. ARRÊT</translation>
    </message>
    <message>
        <source>Lüfter EIN</source>
        <translation>Vent. MARCHE</translation>
    </message>
    <message>
        <source>Intervall</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>O2- Regelung</source>
        <translation>Régulation O2</translation>
    </message>
    <message>
        <source>Manuell- AUS</source>
        <translation>Man. ARRÊT</translation>
    </message>
    <message>
        <source>Manuell- EIN</source>
        <translation>Man. MARCHE</translation>
    </message>
    <message>
        <source>O2-Regelung</source>
        <translation>Régul. O2</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Commande</translation>
    </message>
</context>
<context>
    <name>Piles</name>
    <message>
        <source>Die Uhr der Anlage %1 geht um %2 zurück. Die Messwerte der laufenden Miete bekommen dann frühere Zeiten. Trotzdem stellen?</source>
        <translation>L&apos;horloge de l&apos;installation %1 recule de %2. Les mesures de l&apos;andain en cours auront alors des heures antérieures. Régler quand même ?</translation>
    </message>
    <message>
        <source>Daten wurden nicht korrekt gespeichert!!
Bitte Speichermedium überprüfen !!</source>
        <translation>Les données n&apos;ont pas été enregistrées correctement !!
Veuillez vérifier le support !!</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht angelegt werden:
%1
Bitte Speichermedium überprüfen !!</source>
        <translation>Le fichier de données ne peut pas être créé :
%1
Veuillez vérifier le support de stockage !!</translation>
    </message>
    <message>
        <source>Die Datei für diesen Tag gibt es schon; die neue Miete schreibt in
%1</source>
        <translation>Le fichier de ce jour existe déjà ; le nouvel andain écrit dans
%1</translation>
    </message>
    <message>
        <source>Diese Datei gehört zur laufenden Miete von Anlage %1 (%2).</source>
        <translation>Ce fichier appartient à l&apos;andain en cours de l&apos;installation %1 (%2).</translation>
    </message>
    <message>
        <source>Datendatei existiert nicht oder
Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>Le fichier de données n&apos;existe pas ou
sa structure n&apos;est pas valide
Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>Anlage i  st NICHT eingeschaltet!!
Fehler beim Starten!</source>
        <translation>L&apos;installation n&apos;est PAS en marche !!
Erreur au démarrage !</translation>
    </message>
    <message>
        <source>Soll die aktuell aktive Anlage ausgeschaltet werden ?
Es werden keine weiteren Messwerte gespeichert.
Einschalten durch Start einer neuen Miete!!</source>
        <translation>Arrêter l&apos;installation active ?
Aucune autre valeur ne sera enregistrée.
Remise en marche par le démarrage d&apos;un nouvel andain !!</translation>
    </message>
    <message>
        <source>Nicht alle Daten wurden korrekt gespeichert!!
Trotzdem Anlage ausschalten???</source>
        <translation>Toutes les données n&apos;ont pas été enregistrées !!
Arrêter quand même l&apos;installation ???</translation>
    </message>
    <message>
        <source>Anlage ist ausgeschaltet!!
Einschalten durch Start einer neuen Miete!</source>
        <translation>L&apos;installation est arrêtée !!
Remise en marche par le démarrage d&apos;un nouvel andain !</translation>
    </message>
    <message>
        <source>Anlage ist NICHT ausgeschaltet!!
Fehler bei der Übertragung!</source>
        <translation>L&apos;installation n&apos;est PAS arrêtée !!
Erreur de transmission !</translation>
    </message>
    <message>
        <source>Die Anlagen %1 und %2 sind derselben Datei zugeordnet:
%3
</source>
        <translation>Les installations %1 et %2 sont affectées au même fichier :
%3
</translation>
    </message>
    <message>
        <source>Beide Mieten laufen: Anlage %1 schreibt weiter in diese Datei, Anlage %2 in eine neue.</source>
        <translation>Les deux andains sont en cours : l&apos;installation %1 continue dans ce fichier, l&apos;installation %2 dans un nouveau.</translation>
    </message>
    <message>
        <source>Anlage %1 schreibt weiter in diese Datei; Anlage %2 antwortet nicht und bekommt eine neue, wenn ihre Miete läuft.</source>
        <translation>L&apos;installation %1 continue dans ce fichier ; l&apos;installation %2 ne répond pas et en recevra un nouveau si son andain est en cours.</translation>
    </message>
    <message>
        <source>Die Miete wurde beendet und archiviert: %1</source>
        <translation>L&apos;andain a été terminé et archivé : %1</translation>
    </message>
    <message>
        <source>Anlage %1 hat danach eine neue Miete %2 begonnen: %3</source>
        <translation>L&apos;installation %1 a commencé depuis un nouvel andain %2 : %3</translation>
    </message>
    <message>
        <source>Der letzte Messwert der Datei (%1) ist später als die Uhr der Anlage %2 (%3).</source>
        <translation>La dernière mesure du fichier (%1) est postérieure à l&apos;horloge de l&apos;installation %2 (%3).</translation>
    </message>
    <message>
        <source>Der letzte Messwert der Datei (%1) ist später als die Uhr des PCs (%2).</source>
        <translation>La dernière mesure du fichier (%1) est postérieure à l&apos;horloge du PC (%2).</translation>
    </message>
    <message>
        <source>Die Datei stammt von Anlage %1 (%2).</source>
        <translation>Le fichier provient de l&apos;installation %1 (%2).</translation>
    </message>
    <message>
        <source>Die Miete läuft noch; der Stand von jetzt wird archiviert.</source>
        <translation>L&apos;andain est encore en cours ; l&apos;état actuel est archivé.</translation>
    </message>
    <message>
        <source>Die Miete ist schon archiviert in
%1
Ein zweiter Archivordner wird angelegt.</source>
        <translation>L&apos;andain est déjà archivé dans
%1
Un second dossier d&apos;archive est créé.</translation>
    </message>
    <message>
        <source>Trotzdem archivieren?</source>
        <translation>Archiver quand même ?</translation>
    </message>
    <message>
        <source>Anlage %1 antwortet nicht. Die Miete dort als beendet betrachten und hier fortführen?</source>
        <translation>L&apos;installation %1 ne répond pas. Considérer l&apos;andain comme terminé là-bas et le poursuivre ici ?</translation>
    </message>
    <message>
        <source>Vor dem Fortführen auf Anlage %1 gefunden:</source>
        <translation>Constaté avant la poursuite sur l&apos;installation %1 :</translation>
    </message>
    <message>
        <source>Trotzdem mit dieser Datei fortführen?</source>
        <translation>Poursuivre quand même avec ce fichier ?</translation>
    </message>
    <message>
        <source>Die Datei stammt von Anlage %1.</source>
        <translation>Le fichier provient de l&apos;installation %1.</translation>
    </message>
    <message>
        <source>Speicher von Anlage %1 zu %2 % voll – bitte auslesen</source>
        <translation>Mémoire de l&apos;installation %1 pleine à %2 % – à lire</translation>
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
            <numerusform>%n heure</numerusform>
            <numerusform>%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Tage</source>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Der letzte Messwert der laufenden Miete von Anlage %1 ist %2 jünger als die Uhr dieses PCs. Die nächsten Messwerte bekommen dann frühere Zeiten. Trotzdem stellen?</source>
        <translation>La dernière mesure de l&apos;andain en cours de l&apos;installation %1 a %2 d&apos;avance sur l&apos;horloge de ce PC. Les mesures suivantes auront alors des heures antérieures. Régler quand même ?</translation>
    </message>
    <message numerus="yes">
        <source>%n empfangene Messwerte warten auf Speicherplatz; sie werden bei der nächsten Sicherung zuerst geschrieben.</source>
        <translation>
            <numerusform>%n mesure reçue attend de l&apos;espace disque ; elle sera écrite en premier lors de la prochaine sauvegarde.</numerusform>
            <numerusform>%n mesures reçues attendent de l&apos;espace disque ; elles seront écrites en premier lors de la prochaine sauvegarde.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze mit unlesbarem Zeitstempel gesichert (Zeilen %1)</source>
        <translation>
            <numerusform>%n enregistrement à horodatage illisible sauvegardé (ligne %1)</numerusform>
            <numerusform>%n enregistrements à horodatage illisible sauvegardés (lignes %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze älter als der letzte der Datei</source>
        <translation>
            <numerusform>%n enregistrement plus ancien que le dernier du fichier</numerusform>
            <numerusform>%n enregistrements plus anciens que le dernier du fichier</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei; ob eine abgebrochene Übertragung Messwerte verloren hat, kann nicht geprüft werden.</source>
        <translation>%1 n&apos;est pas un fichier ordinaire ; impossible de vérifier si un transfert interrompu a perdu des mesures.</translation>
    </message>
</context>
<context>
    <name>PlantCaption</name>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
</context>
<context>
    <name>Print</name>
    <message>
        <source>Die PDF-Datei %1 konnte nicht geschrieben werden.</source>
        <translation>Le fichier PDF %1 n’a pas pu être écrit.</translation>
    </message>
</context>
<context>
    <name>Register</name>
    <message>
        <source>nicht prüfbar</source>
        <translation>non vérifiable</translation>
    </message>
    <message>
        <source>erfüllt</source>
        <translation>respecté</translation>
    </message>
    <message>
        <source>nicht erfüllt</source>
        <translation>non respecté</translation>
    </message>
    <message>
        <source>Anlage</source>
        <translation>Installation</translation>
    </message>
    <message>
        <source>Miete</source>
        <translation>Tas</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>Premier relevé</translation>
    </message>
    <message>
        <source>Letzter Datensatz</source>
        <translation>Dernier relevé</translation>
    </message>
    <message>
        <source>Datensätze</source>
        <translation>Relevés</translation>
    </message>
    <message>
        <source>Ergebnis</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Verloren</source>
        <translation>Perdus</translation>
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
        <translation>Registre des tas</translation>
    </message>
    <message>
        <source>Umfang:</source>
        <translation>Périmètre :</translation>
    </message>
    <message>
        <source>Kriterium:</source>
        <translation>Critère :</translation>
    </message>
    <message>
        <source>Mieten:</source>
        <translation>Tas :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
    </message>
    <message>
        <source>Siegel (Prüfwert)</source>
        <translation>Scellement (valeur de contrôle)</translation>
    </message>
</context>
<context>
    <name>Seal</name>
    <message>
        <source>ohne Siegel</source>
        <translation>sans sceau</translation>
    </message>
    <message>
        <source>Siegel verletzt: der Dateikopf (Zeilen 1 bis 9) wurde verändert</source>
        <translation>Sceau rompu : l’en-tête (lignes 1 à 9) a été modifié</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 (Datensatz %2) wurde verändert</source>
        <translation>Sceau rompu : la ligne %1 (enregistrement %2) a été modifiée</translation>
    </message>
    <message>
        <source>Siegel verletzt: Datensatz %1 fehlt (vor Zeile %2)</source>
        <translation>Sceau rompu : l’enregistrement %1 manque (avant la ligne %2)</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 wurde eingefügt</source>
        <translation>Sceau rompu : la ligne %1 a été insérée</translation>
    </message>
    <message>
        <source>Siegel verletzt: die Datensätze ab %1 fehlen</source>
        <translation>Sceau rompu : les enregistrements à partir de %1 manquent</translation>
    </message>
    <message>
        <source>Siegel verletzt: die Siegeldatei ist beschädigt</source>
        <translation>Sceau rompu : le fichier du sceau est endommagé</translation>
    </message>
    <message>
        <source>Siegel intakt</source>
        <translation>sceau intact</translation>
    </message>
    <message>
        <source>Siegel verletzt</source>
        <translation>sceau rompu</translation>
    </message>
    <message>
        <source>Siegel nicht lesbar</source>
        <translation>sceau illisible</translation>
    </message>
    <message>
        <source>Siegel verletzt (Zeile %1)</source>
        <translation>sceau rompu (ligne %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n Datensätze, Siegel intakt, Prüfwert %1</source>
        <translation>
            <numerusform>%n enregistrement, sceau intact, valeur de contrôle %1</numerusform>
            <numerusform>%n enregistrements, sceau intact, valeur de contrôle %1</numerusform>
        </translation>
    </message>
    <message>
        <source>keine gewöhnliche Datei</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source> (Zeile %1 wurde beim Abbruch nur zum Teil geschrieben; sie ist kein Datensatz)</source>
        <translation> (la ligne %1 n&apos;a été écrite qu&apos;en partie lors de l&apos;interruption ; ce n&apos;est pas un enregistrement)</translation>
    </message>
    <message>
        <source> (der letzte Datensatz kam beim Abbruch nicht mehr in die Datei)</source>
        <translation> (le dernier enregistrement n&apos;a pas atteint le fichier avant l&apos;interruption)</translation>
    </message>
    <message>
        <source>Siegel verletzt: Zeile %1 ist ohne Siegel (nicht von diesem Programm geschrieben)</source>
        <translation>Sceau violé : la ligne %1 n&apos;a pas de sceau (non écrite par ce programme)</translation>
    </message>
</context>
<context>
    <name>SeriesData</name>
    <message>
        <source>&apos;%1&apos; ist keine gültige Datums- und Uhrzeitangabe</source>
        <translation>&apos;%1&apos; n&apos;est pas une date et une heure valides</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum</source>
        <translation>&apos;%1&apos; n&apos;est pas une date valide</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Die Einstellungsdatei %1 ist keine lesbare Textdatei. Es gelten die Standardwerte; die Datei bleibt unverändert.</source>
        <translation>Le fichier de paramètres %1 n&apos;est pas un fichier texte lisible. Les valeurs par défaut s&apos;appliquent ; le fichier reste inchangé.</translation>
    </message>
    <message>
        <source>Einstellung [COM] %1=%2 liegt nicht im Bereich %3 bis %4; es gilt %5.</source>
        <translation>Le paramètre [COM] %1=%2 est hors de la plage %3 à %4 ; %5 s&apos;applique.</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 enthält in Zeile %2 ein Steuerzeichen; es wird übergangen, der Rest der Datei gilt.</source>
        <translation>Le fichier de réglages %1 contient un caractère de contrôle à la ligne %2 ; il est ignoré, le reste du fichier s&apos;applique.</translation>
    </message>
</context>
<context>
    <name>Site</name>
    <message>
        <source>Anlage %1 antwortet wieder.</source>
        <translation>L&apos;installation %1 répond de nouveau.</translation>
    </message>
    <message>
        <source>Anlage %1 antwortet nicht.</source>
        <translation>L&apos;installation %1 ne répond pas.</translation>
    </message>
    <message>
        <source>Miete %1 (Anlage %2): Kerntemperatur %3 liegt unter %4; die Hygienisierungsstrecke ist unterbrochen.</source>
        <translation>Andain %1 (installation %2) : température à cœur %3 inférieure à %4 ; la phase d&apos;hygiénisation est interrompue.</translation>
    </message>
    <message>
        <source>Anlage %1: Lüfter EIN, aber der Lüfter läuft nicht.</source>
        <translation>Installation %1 : ventilateur MARCHE, mais le ventilateur ne tourne pas.</translation>
    </message>
    <message>
        <source>Speicherdatei kann nicht geschrieben werden: %1</source>
        <translation>Le fichier de données ne peut pas être écrit : %1</translation>
    </message>
    <message>
        <source>Die Speicherdatei wird wieder geschrieben.</source>
        <translation>Le fichier de données est de nouveau écrit.</translation>
    </message>
    <message>
        <source>Die Verbindung zu den Anlagen ist wieder da.</source>
        <translation>La liaison avec les installations est rétablie.</translation>
    </message>
    <message>
        <source>Die Verbindung zu den Anlagen ist unterbrochen.</source>
        <translation>La liaison avec les installations est interrompue.</translation>
    </message>
    <message>
        <source>Die Übertragung von Anlage %1 ist fehlgeschlagen.</source>
        <translation>Le transfert de l&apos;installation %1 a échoué.</translation>
    </message>
    <message>
        <source>Anlage %1: Lüfter EIN konnte nicht eingeschaltet werden.</source>
        <translation>Installation %1 : le ventilateur n&apos;a pas pu être mis en MARCHE.</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1 kann nicht benutzt werden: %2</source>
        <translation>La file MQTT %1 ne peut pas être utilisée : %2</translation>
    </message>
    <message>
        <source>Die MQTT-Verbindung kann nicht angelegt werden.</source>
        <translation>La connexion MQTT ne peut pas être créée.</translation>
    </message>
    <message>
        <source>Keine Verbindung zu %1:%2: %3</source>
        <translation>Pas de connexion à %1:%2 : %3</translation>
    </message>
    <message>
        <source>Der Broker %1:%2 lehnt ab: %3</source>
        <translation>Le broker %1:%2 refuse : %3</translation>
    </message>
    <message>
        <source>Die Verbindung zum Broker %1:%2 ist unterbrochen.</source>
        <translation>La connexion au broker %1:%2 est interrompue.</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1 kann nicht geschrieben werden: %2</source>
        <translation>La file MQTT %1 ne peut pas être écrite : %2</translation>
    </message>
    <message>
        <source>Keine Passwortdatei angegeben.</source>
        <translation>Aucun fichier de mot de passe indiqué.</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 fehlt.</source>
        <translation>Le fichier de mot de passe %1 est absent.</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 ist auch für andere lesbar und wird nicht benutzt.
Nur ihr Besitzer darf sie lesen (chmod 600).</source>
        <translation>Le fichier de mot de passe %1 est lisible par d&apos;autres et n&apos;est pas utilisé.
Seul son propriétaire doit pouvoir le lire (chmod 600).</translation>
    </message>
    <message>
        <source>Die Passwortdatei %1 kann nicht gelesen werden: %2</source>
        <translation>Le fichier de mot de passe %1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>Kein Broker angegeben.</source>
        <translation>Aucun broker indiqué.</translation>
    </message>
    <message>
        <source>Die TLS-Einstellungen sind ungültig (CAFile %1).</source>
        <translation>Les paramètres TLS ne sont pas valides (CAFile %1).</translation>
    </message>
    <message>
        <source>Der Broker %1:%2 antwortet nicht.</source>
        <translation>Le broker %1:%2 ne répond pas.</translation>
    </message>
    <message>
        <source>MQTT: verbunden</source>
        <translation>MQTT : connecté</translation>
    </message>
    <message>
        <source>MQTT: getrennt</source>
        <translation>MQTT : déconnecté</translation>
    </message>
    <message>
        <source> (%1 wartend)</source>
        <translation> (%1 en attente)</translation>
    </message>
    <message>
        <source>MQTT-Ausgang %1: Nachrichten mit fremdem Thema nicht gesendet: %2</source>
        <translation>Sortie MQTT %1 : messages avec un sujet étranger non envoyés : %2</translation>
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
        <translation>Chargement des données du contrôleur. Veuillez patienter, le programme ne peut pas être interrompu !</translation>
    </message>
</context>
<context>
    <name>TFAnlDatumSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Configuration de la commande</translation>
    </message>
    <message>
        <source>Aktuelle Anlagen-Datum/Zeit Einstellung:</source>
        <translation>Date/heure actuelle de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datum/ Zeit neu Setzen</source>
        <translation>Régler date/heure</translation>
    </message>
    <message>
        <source>Fertig</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date :</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Heure :</translation>
    </message>
    <message>
        <source>Text der Anlage:</source>
        <translation>Texte de l&apos;install. :</translation>
    </message>
</context>
<context>
    <name>TFAnlageDaten</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Centre de contrôle du compostage</translation>
    </message>
    <message>
        <source>Anlage benennen</source>
        <translation>Nommer l&apos;installation</translation>
    </message>
    <message>
        <source>Anlagen- Nr.:</source>
        <translation>N° d&apos;installation :</translation>
    </message>
    <message>
        <source>Anlagen Text :</source>
        <translation>Texte de l&apos;installation :</translation>
    </message>
    <message>
        <source>Kommentar:</source>
        <translation>Commentaire :</translation>
    </message>
    <message>
        <source>Daten Speicherpfad:</source>
        <translation>Dossier des données :</translation>
    </message>
    <message>
        <source>Ordner wählen</source>
        <translation>Choisir le dossier</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Vorgabepfad für Speicherdatei existiert nicht, setze neuen Pfad..</source>
        <translation>Le dossier du fichier de données n&apos;existe pas, nouveau dossier défini..</translation>
    </message>
    <message>
        <source>Leerzeichen</source>
        <translation>espace</translation>
    </message>
    <message>
        <source>Nicht im Namen möglich (er wird Teil des Dateinamens), weggelassen: %1. Erlaubt sind A–Z, a–z, 0–9, _ und -.</source>
        <translation>Impossible dans le nom (il fait partie du nom de fichier), omis : %1. Autorisés : A–Z, a–z, 0–9, _ et -.</translation>
    </message>
</context>
<context>
    <name>TFAnzeige</name>
    <message>
        <source>Kompost- Messwerterfassung</source>
        <translation>Acquisition des mesures du compost</translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation>Actif :</translation>
    </message>
    <message>
        <source>Steuerbetrieb</source>
        <translation>Mode commande</translation>
    </message>
    <message>
        <source>Speicherstatus</source>
        <translation>État mémoire</translation>
    </message>
    <message>
        <source>Laufzeit</source>
        <translation>Marche</translation>
    </message>
    <message>
        <source>Schaltzyklen</source>
        <translation>Cycles de commutation</translation>
    </message>
    <message>
        <source>Aktueller Anlagenzustand:</source>
        <translation>État actuel des installations :</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Mieten- Verwaltung</source>
        <translation>&amp;Gestion des andains</translation>
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
        <translation>Lire les données &amp;hors ligne</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Miete &amp;neu starten</source>
        <translation>Démarrer un &amp;nouvel andain</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Miete &amp;fortführen</source>
        <translation>&amp;Poursuivre un andain</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Miete &amp;beenden</source>
        <translation>&amp;Terminer l&apos;andain</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>PC-Speicherstatus</source>
        <translation>État mémoire PC</translation>
    </message>
    <message>
        <source>Einstell&amp;werte</source>
        <translation>&amp;Valeurs de réglage</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>&amp;Zeit/Datum setzen</source>
        <translation>Régler l&apos;&amp;heure/la date</translation>
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
        <translation>Inst </translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Ventil.</translation>
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
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Valeurs enregistrées :</translation>
    </message>
    <message>
        <source>Angeschlossene ANLAGE ist abgeschaltet!!</source>
        <translation>L&apos;INSTALLATION connectée est arrêtée !!</translation>
    </message>
    <message>
        <source>KEINE ANLAGE ANGESCHLOSSEN!!</source>
        <translation>AUCUNE INSTALLATION CONNECTÉE !!</translation>
    </message>
    <message>
        <source>EIN</source>
        <translation>MARCHE</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>ARRÊT</translation>
    </message>
    <message>
        <source>Keine Anlage</source>
        <translation>Pas d&apos;installation</translation>
    </message>
    <message>
        <source>Anlage ohne Miete</source>
        <translation>Installation sans andain</translation>
    </message>
    <message>
        <source>Miete läuft: %1</source>
        <translation>Andain en cours : %1</translation>
    </message>
    <message>
        <source>Keine Verbindung</source>
        <translation>Pas de connexion</translation>
    </message>
    <message>
        <source> | Messwert vor %1 s</source>
        <translation> | valeur d&apos;il y a %1 s</translation>
    </message>
    <message>
        <source>Sicherung am </source>
        <translation>Sauvegarde du </translation>
    </message>
    <message>
        <source>Ergebnis OK !</source>
        <translation>Résultat OK !</translation>
    </message>
    <message>
        <source>Fehler beim sichern!</source>
        <translation>Erreur de sauvegarde !</translation>
    </message>
    <message>
        <source>Anlage %1:</source>
        <translation>Installation %1 :</translation>
    </message>
    <message>
        <source>Anlage nicht erreicht, Miete: %1</source>
        <translation>Installation non joignable, andain : %1</translation>
    </message>
    <message>
        <source>Nicht gesichert: %1</source>
        <translation>Non sauvegardé : %1</translation>
    </message>
    <message>
        <source>Anlage nicht erreicht: %1</source>
        <translation>Installation non joignable : %1</translation>
    </message>
    <message>
        <source>nicht erreicht</source>
        <translation>non joignable</translation>
    </message>
    <message>
        <source>Verbindung zu COM%1 verloren seit %2 – neuer Versuch alle %3 s</source>
        <translation>Liaison avec COM%1 perdue depuis %2 – nouvel essai toutes les %3 s</translation>
    </message>
    <message>
        <source>%1 + %2 in der Anlage</source>
        <translation>%1 + %2 dans l&apos;installation</translation>
    </message>
    <message>
        <source>Die Miete ist archiviert in %1</source>
        <translation>L’andain est archivé dans %1</translation>
    </message>
    <message>
        <source>Die Miete konnte nicht archiviert werden.
%1</source>
        <translation>L’andain n’a pas pu être archivé.
%1</translation>
    </message>
    <message>
        <source>Miete: %1</source>
        <translation>Andain : %1</translation>
    </message>
    <message>
        <source>antwortet nicht seit %1</source>
        <translation>ne répond plus depuis %1</translation>
    </message>
    <message>
        <source>antwortet nicht</source>
        <translation>ne répond plus</translation>
    </message>
    <message>
        <source>seit %1</source>
        <translation>depuis %1</translation>
    </message>
    <message numerus="yes">
        <source> | %n Messwerte warten</source>
        <translation>
            <numerusform> | %n mesure en attente</numerusform>
            <numerusform> | %n mesures en attente</numerusform>
        </translation>
    </message>
    <message>
        <source>Tägliches Auslesen: AUS</source>
        <translation>Lecture quotidienne : ARRÊT</translation>
    </message>
    <message>
        <source>Tagebuch …</source>
        <translation>Journal …</translation>
    </message>
    <message>
        <source>Anlage %1 hat noch keine Datendatei; das Tagebuch gehört zu ihr.</source>
        <translation>L&apos;installation %1 n&apos;a pas encore de fichier de données ; le journal lui appartient.</translation>
    </message>
    <message numerus="yes">
        <source>%n Messwerte in der Anlage</source>
        <translation>
            <numerusform>%n mesure dans l&apos;installation</numerusform>
            <numerusform>%n mesures dans l&apos;installation</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFCSV_Lesen</name>
    <message>
        <source>Haldrix Protokolle</source>
        <translation>Protocoles Haldrix</translation>
    </message>
    <message>
        <source>Grafik drucken</source>
        <translation>Imprimer le graphique</translation>
    </message>
    <message>
        <source>1 Wert/ Tag</source>
        <translation>1 valeur/ jour</translation>
    </message>
    <message>
        <source>Öffnen</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>D&amp;rucken</source>
        <translation>&amp;Impression</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>A&amp;perçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Valeurs enregistrées :</translation>
    </message>
    <message>
        <source>Haldrix Protokoll Gütegemeinschaft</source>
        <translation>Protocole Haldrix de l&apos;association de qualité</translation>
    </message>
    <message>
        <source>Haldrix Protokoll</source>
        <translation>Protocole Haldrix</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>Structure de fichier non valide
Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>Hygienenachweis</source>
        <translation>Preuve d&apos;hygiénisation</translation>
    </message>
    <message>
        <source>Miete &amp;archivieren</source>
        <translation>&amp;Archiver l’andain</translation>
    </message>
    <message>
        <source>Die Miete ist archiviert in
%1</source>
        <translation>L’andain est archivé dans
%1</translation>
    </message>
    <message>
        <source>Die Miete konnte nicht archiviert werden.
%1</source>
        <translation>L’andain n’a pas pu être archivé.
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
        <translation>Lire les données hors ligne</translation>
    </message>
    <message>
        <source>Daten auslesen</source>
        <translation>Lire les données</translation>
    </message>
    <message>
        <source>Gespeicherte Datensätze aus der Steuerung lesen</source>
        <translation>Lire les enregistrements stockés dans le contrôleur</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Druckvorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Anzahl Datensätze:</source>
        <translation>Nombre d&apos;enregistrements :</translation>
    </message>
    <message>
        <source>Lese Datensatz:</source>
        <translation>Lecture de l&apos;enregistrement :</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>A&amp;perçu avant impression</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État :</translation>
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
        <translation>Durée de marche</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>INFO Daten auslesen abgeschlossen.</source>
        <translation>INFO Lecture des données terminée.</translation>
    </message>
    <message>
        <source>Werte in Datei gespeichert !</source>
        <translation>Valeurs enregistrées dans le fichier !</translation>
    </message>
    <message>
        <source>Werte ausgedruckt !</source>
        <translation>Valeurs imprimées !</translation>
    </message>
    <message numerus="yes">
        <source>%n Messwerte warten auf Platz im Datenträger</source>
        <translation>
            <numerusform>%n mesure attend de la place sur le support</numerusform>
            <numerusform>%n mesures attendent de la place sur le support</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFGraphForm</name>
    <message>
        <source>Haldrix Graphik</source>
        <translation>Haldrix graphique</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Datendatei öffnen</source>
        <translation>Ouvrir un fichier de données</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Zoom zurück</source>
        <translation>Annuler le zoom</translation>
    </message>
    <message>
        <source>Ganze Datei zeigen (auch Doppelklick in die Grafik)</source>
        <translation>Afficher tout le fichier (ou double-clic dans le graphique)</translation>
    </message>
    <message>
        <source>Umweltdaten</source>
        <translation>Environnement</translation>
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
        <translation>Repère de profondeur de référence</translation>
    </message>
    <message>
        <source>O2 Konzentration</source>
        <translation>Concentration O2</translation>
    </message>
    <message>
        <source>Lüfterdaten</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Lüfterlaufzeit</source>
        <translation>Durée de marche du ventilateur</translation>
    </message>
    <message>
        <source>Lüfterschaltzyklen</source>
        <translation>Cycles du ventilateur</translation>
    </message>
    <message>
        <source>1Wert/Tag</source>
        <translation>1 valeur/jour</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Schliessen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Druck&amp;vorschau</source>
        <translation>A&amp;perçu avant impression</translation>
    </message>
    <message>
        <source>Pfad:</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Anzahl Speicherwerte:</source>
        <translation>Valeurs enregistrées :</translation>
    </message>
    <message>
        <source>Kein gültiger Dateiaufbau
Datei war nicht von dieser Software erzeugt!</source>
        <translation>Structure de fichier non valide
Le fichier n&apos;a pas été créé par ce logiciel !</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Zeitachse</source>
        <translation>Axe du temps</translation>
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
        <translation>Enregistrement asynchrone des mesures et
visualisation en coopération avec</translation>
    </message>
    <message>
        <source>Einlesen der Systemumgebung!!!
 Anlernen der angeschlossenen Steuerungen.</source>
        <translation>Lecture de l&apos;environnement système !!!
 Apprentissage des contrôleurs connectés.</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;PC-Setup</source>
        <translation>Configuration &amp;PC</translation>
    </message>
    <message>
        <source>&amp;Messung</source>
        <translation>&amp;Mesure</translation>
    </message>
    <message>
        <source>&amp;Daten</source>
        <translation>&amp;Données</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Programm &amp;Setup</source>
        <translation>Configuration du &amp;programme</translation>
    </message>
    <message>
        <source>Speicher&amp;zeit</source>
        <translation>&amp;Heure de lecture</translation>
    </message>
    <message>
        <source>&amp;Firmendaten</source>
        <translation>&amp;Données de l&apos;entreprise</translation>
    </message>
    <message>
        <source>PC &amp;Anzeige</source>
        <translation>&amp;Affichage PC</translation>
    </message>
    <message>
        <source>Anlagen einlernen</source>
        <translation>Détecter les installations</translation>
    </message>
    <message>
        <source>&amp;Offline Daten auslesen</source>
        <translation>Lire les données &amp;hors ligne</translation>
    </message>
    <message>
        <source>Mess&amp;werte drucken</source>
        <translation>Imprimer les &amp;mesures</translation>
    </message>
    <message>
        <source>&amp;Protokoll Gütegemeinschaft</source>
        <translation>&amp;Protocole association qualité</translation>
    </message>
    <message>
        <source>&amp;Grafik erstellen</source>
        <translation>Créer un &amp;graphique</translation>
    </message>
    <message>
        <source>Keine Anlage gefunden!
Bitte Kabel und Anlagen überprüfen!</source>
        <translation>Aucune installation trouvée !
Veuillez vérifier le câble et les installations !</translation>
    </message>
    <message>
        <source>Einstellungen konnten nicht gespeichert werden:
%1
%2
Bitte Speichermedium überprüfen !!</source>
        <translation>Les réglages n&apos;ont pas pu être enregistrés :
%1
%2
Veuillez vérifier le support de stockage !!</translation>
    </message>
    <message>
        <source>Mietenregister …</source>
        <translation>Registre des tas …</translation>
    </message>
</context>
<context>
    <name>TFMietenregister</name>
    <message>
        <source>Mietenregister</source>
        <translation>Registre des tas</translation>
    </message>
    <message>
        <source>Ordner (mit Unterordnern):</source>
        <translation>Dossiers (avec sous-dossiers) :</translation>
    </message>
    <message>
        <source>Ordner hinzufügen …</source>
        <translation>Ajouter un dossier …</translation>
    </message>
    <message>
        <source>Ordner entfernen</source>
        <translation>Retirer le dossier</translation>
    </message>
    <message>
        <source>Jahr:</source>
        <translation>Année :</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>toutes</translation>
    </message>
    <message>
        <source>Aktualisieren</source>
        <translation>Actualiser</translation>
    </message>
    <message>
        <source>Als PDF speichern …</source>
        <translation>Enregistrer en PDF …</translation>
    </message>
    <message>
        <source>Als CSV speichern …</source>
        <translation>Enregistrer en CSV …</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Ordner hinzufügen</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>%1 Mieten, Kriterium: %2</source>
        <translation>%1 tas, critère : %2</translation>
    </message>
    <message>
        <source>Mietenregister als PDF speichern</source>
        <translation>Enregistrer le registre des tas en PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Das Mietenregister konnte nicht gespeichert werden.
%1</source>
        <translation>Le registre des tas n&apos;a pas pu être enregistré.
%1</translation>
    </message>
    <message>
        <source>Mietenregister als CSV speichern</source>
        <translation>Enregistrer le registre des tas en CSV</translation>
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
        <translation>Vue du site (MQTT)</translation>
    </message>
    <message>
        <source>Das Programm sendet Messwerte, Datensätze und Alarme an einen MQTT-Broker.
Es nimmt vom Broker keine Befehle an. Ohne Broker-Adresse ist die Standortansicht aus.</source>
        <translation>Le programme envoie mesures, enregistrements et alarmes à un broker MQTT.
Il n&apos;accepte aucune commande du broker. Sans adresse de broker, la vue du site est désactivée.</translation>
    </message>
    <message>
        <source>Broker</source>
        <translation>Broker</translation>
    </message>
    <message>
        <source>Adresse:</source>
        <translation>Adresse :</translation>
    </message>
    <message>
        <source>leer = aus</source>
        <translation>vide = désactivé</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Verschlüsselt (TLS)</source>
        <translation>Chiffré (TLS)</translation>
    </message>
    <message>
        <source>CA-Datei:</source>
        <translation>Fichier CA :</translation>
    </message>
    <message>
        <source>leer = Zertifikate des Systems</source>
        <translation>vide = certificats du système</translation>
    </message>
    <message>
        <source>Benutzer:</source>
        <translation>Utilisateur :</translation>
    </message>
    <message>
        <source>Passwortdatei:</source>
        <translation>Fichier de mot de passe :</translation>
    </message>
    <message>
        <source>Eine Datei, die nur ihr Besitzer lesen darf; ihre erste Zeile ist das Passwort.</source>
        <translation>Un fichier que seul son propriétaire peut lire ; sa première ligne est le mot de passe.</translation>
    </message>
    <message>
        <source>Namen</source>
        <translation>Noms</translation>
    </message>
    <message>
        <source>Standort:</source>
        <translation>Site :</translation>
    </message>
    <message>
        <source>Themen-Präfix:</source>
        <translation>Préfixe des sujets :</translation>
    </message>
    <message>
        <source>Anlagen in Home Assistant selbst anmelden</source>
        <translation>Annoncer les installations à Home Assistant</translation>
    </message>
    <message>
        <source>Verbindung testen</source>
        <translation>Tester la connexion</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>CA-Datei</source>
        <translation>Fichier CA</translation>
    </message>
    <message>
        <source>Passwortdatei</source>
        <translation>Fichier de mot de passe</translation>
    </message>
    <message>
        <source>Themen: %1/…</source>
        <translation>Sujets : %1/…</translation>
    </message>
    <message>
        <source>Verbindung wird geprüft …</source>
        <translation>Vérification de la connexion …</translation>
    </message>
    <message>
        <source>Verbindung hergestellt.</source>
        <translation>Connexion établie.</translation>
    </message>
</context>
<context>
    <name>TFO2MessSetup</name>
    <message>
        <source>Mess- Steuerung Setup</source>
        <translation>Configuration de la commande</translation>
    </message>
    <message>
        <source>Speicherintervall</source>
        <translation>Intervalle d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Alle N- Minuten werden die aktuellen Mess-
werte in der Protokolldatei abgespeichert.</source>
        <translation>Toutes les N minutes, les mesures actuelles
sont enregistrées dans le fichier.</translation>
    </message>
    <message>
        <source>Lüfter- EIN- Intervall</source>
        <translation>Intervalle ventilateur MARCHE</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb
eingeschaltet ist.</source>
        <translation>Durée de marche du ventilateur
en mode intervalle.</translation>
    </message>
    <message>
        <source>Lüfter- AUS- Intervall</source>
        <translation>Intervalle ventilateur ARRÊT</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Intervallbetrieb
ausgeschaltet ist.</source>
        <translation>Durée d&apos;arrêt du ventilateur
en mode intervalle.</translation>
    </message>
    <message>
        <source>O2-Einschaltwert:</source>
        <translation>Seuil O2 de marche :</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der 
Luefter eingeschaltet wird.</source>
        <translation>Teneur en oxygène à laquelle le
ventilateur est mis en marche.</translation>
    </message>
    <message>
        <source>O2-Ausschaltwert:</source>
        <translation>Seuil O2 d&apos;arrêt :</translation>
    </message>
    <message>
        <source>Sauerstoffkonzentration, bei welcher der 
Luefter ausgeschaltet wird.</source>
        <translation>Teneur en oxygène à laquelle le
ventilateur est arrêté.</translation>
    </message>
    <message>
        <source>Bereich 1-300min</source>
        <translation>Plage 1-300min</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb
eingeschaltet ist.</source>
        <translation>Durée de marche du ventilateur
en mode commande.</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im Steuerbetrieb
ausgeschaltet ist.</source>
        <translation>Durée d&apos;arrêt du ventilateur
en mode commande.</translation>
    </message>
    <message>
        <source>Max Lüfter- EIN-Zeit</source>
        <translation>Marche max. du ventilateur</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter im maximal laufen
darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Durée de marche maximale avant
le passage en mode commande.</translation>
    </message>
    <message>
        <source>Max. Lüfter- AUS- Zeit</source>
        <translation>Arrêt max. du ventilateur</translation>
    </message>
    <message>
        <source>Zeit wie lange der Lüfter maximal abgeschaltet
sein darf, bevor der Steuerbetrieb gestartet wird.</source>
        <translation>Durée d&apos;arrêt maximale avant
le passage en mode commande.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Setup gändert, in Steuerung laden?</source>
        <translation>Configuration modifiée, la charger dans la commande ?</translation>
    </message>
    <message>
        <source>Bereich 1-1440min</source>
        <translation>Plage 1-1440min</translation>
    </message>
    <message>
        <source>Steuerbetrieb EIN- Zeit</source>
        <translation>Mode commande : marche</translation>
    </message>
    <message>
        <source>Steuerbetrieb AUS- Zeit</source>
        <translation>Mode commande : arrêt</translation>
    </message>
    <message>
        <source>%1 war leer und bleibt %2.</source>
        <translation>%1 était vide et reste %2.</translation>
    </message>
    <message>
        <source>%1 auf %2 angehoben</source>
        <translation>%1 relevé à %2</translation>
    </message>
    <message>
        <source>%1 auf %2 gesenkt</source>
        <translation>%1 abaissé à %2</translation>
    </message>
    <message>
        <source>An Anlage %1 senden:
%2</source>
        <translation>Envoyer à l&apos;installation %1 :
%2</translation>
    </message>
    <message>
        <source>%1: nur ganze Minuten</source>
        <translation>%1 : minutes entières seulement</translation>
    </message>
    <message>
        <source>%1: nur ganze Minuten, &quot;%2&quot; nicht übernommen, bleibt %3</source>
        <translation>%1 : minutes entières seulement, « %2 » refusé, reste %3</translation>
    </message>
    <message>
        <source>%1 auf den Höchstwert %2 begrenzt</source>
        <translation>%1 limité à son maximum %2</translation>
    </message>
    <message>
        <source>%1 auf den Mindestwert %2 angehoben</source>
        <translation>%1 relevé à son minimum %2</translation>
    </message>
</context>
<context>
    <name>TFPC_Setup</name>
    <message>
        <source>PC- Setup</source>
        <translation>Configuration du PC</translation>
    </message>
    <message>
        <source>Schnittstelle</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Auswahl COM- Port:
 Kommunikation läuft mit 
8 Datenbits, 1Stopbit, Keine Parität</source>
        <translation>Choix du port COM :
 la communication utilise
8 bits de données, 1 bit d&apos;arrêt, sans parité</translation>
    </message>
    <message>
        <source>Anzeige: °F/in nicht aktiviert [°C/ cm]</source>
        <translation>Affichage : °F/in désactivé [°C/ cm]</translation>
    </message>
    <message>
        <source>Anzeige Tiefe Referenztemp. in Protokoll</source>
        <translation>Profondeur de la temp. de référence dans le protocole</translation>
    </message>
    <message>
        <source>Auswahl derTemperatur
bei welcher die Referenztiefe
berechnet wird.</source>
        <translation>Température à laquelle
la profondeur de référence
est calculée.</translation>
    </message>
    <message>
        <source>Offset für Mietenanzeige</source>
        <translation>Décalage des numéros</translation>
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
        <translation>Choix du décalage d&apos;affichage.
Le décalage est ajouté à l&apos;adresse
physique dans les numéros.
Ex. : décalage = 10
Inst.    Affiché
    1    Inst 10
    2    Inst 11
    3    Inst 12</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Hygienenachweis nach:</source>
        <translation>Preuve d&apos;hygiénisation selon :</translation>
    </message>
    <message>
        <source>Arbeitstage (1 = Mo):</source>
        <translation>Jours ouvrés (1 = lun) :</translation>
    </message>
    <message>
        <source>ISO-Wochentage, z. B. 1-5 oder 1-6</source>
        <translation>Jours ISO, p. ex. 1-5 ou 1-6</translation>
    </message>
    <message>
        <source>Feiertage von:</source>
        <translation>Jours fériés de :</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>Arbeitstage: ISO-Wochentage angeben, z. B. 1-5 (Mo–Fr) oder 1-6 (Mo–Sa).</source>
        <translation>Jours ouvrés : indiquer les jours ISO, p. ex. 1-5 (lun–ven) ou 1-6 (lun–sam).</translation>
    </message>
    <message>
        <source>Archivordner:</source>
        <translation>Dossier d’archive :</translation>
    </message>
    <message>
        <source>Hier legt &quot;Miete beenden&quot; das Archiv jeder Miete an (Datei, Siegel, Protokolle als PDF/A).</source>
        <translation>« Terminer l’andain » crée ici l’archive de chaque andain (fichier, sceau, protocoles en PDF/A).</translation>
    </message>
    <message>
        <source>Archivordner</source>
        <translation>Dossier d’archive</translation>
    </message>
    <message>
        <source>Standortansicht (MQTT) …</source>
        <translation>Vue du site (MQTT) …</translation>
    </message>
    <message>
        <source>Papier der Protokolle:</source>
        <translation>Papier des protocoles :</translation>
    </message>
    <message>
        <source>Messprotokoll, Temperatur-Protokoll und Hygienenachweis, auch im Archiv; der Graph bleibt A4 quer.</source>
        <translation>Protocole de mesure, protocole de température et preuve d&apos;hygiénisation, aussi dans l&apos;archive ; le graphique reste en A4 paysage.</translation>
    </message>
</context>
<context>
    <name>TFPfadsetzen</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Centre de contrôle du compostage</translation>
    </message>
    <message>
        <source>In diesem Ordner werden die Messdaten der Anlage
in Dateien mit der Endung .CSV gespeichert.
Diese Dateien können später mit Standard-
programmen, z.B. einer Tabellenkalkulation,
ausgewertet werden.</source>
        <translation>Les données mesurées de l&apos;installation sont enregistrées
dans ce dossier, dans des fichiers .CSV.
Ces fichiers peuvent être exploités plus tard avec
des programmes courants, p. ex. un tableur.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Ordner auswählen oder seinen Pfad eingeben</source>
        <translation>Choisir un dossier ou saisir son chemin</translation>
    </message>
    <message>
        <source>Den Ordner %1 gibt es nicht.</source>
        <translation>Le dossier %1 n&apos;existe pas.</translation>
    </message>
</context>
<context>
    <name>TFProtokKopf</name>
    <message>
        <source>Kompost Steuerung Kontroll- Center</source>
        <translation>Centre de contrôle du compostage</translation>
    </message>
    <message>
        <source>Protokollkopf</source>
        <translation>En-tête de protocole</translation>
    </message>
    <message>
        <source>Titeltext :</source>
        <translation>Titre :</translation>
    </message>
    <message>
        <source>2. Zeile :</source>
        <translation>2e ligne :</translation>
    </message>
    <message>
        <source>3. Zeile :</source>
        <translation>3e ligne :</translation>
    </message>
    <message>
        <source>Die hier eingegebenen Daten werden in dem Ausdruck der Protokollwerte 
im Seitenkopf dargestellt. Sie dienen der Archivierung und Zuordnung der 
Messprotokolle.</source>
        <translation>Les données saisies ici apparaissent dans l&apos;en-tête des protocoles 
imprimés. Elles servent à l&apos;archivage et à l&apos;attribution des 
protocoles de mesure.</translation>
    </message>
    <message>
        <source>Druck-Vorschau</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ignorieren</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Gilt für neue Dateien; vorhandene behalten ihren Kopf.</source>
        <translation>S&apos;applique aux nouveaux fichiers ; les fichiers existants gardent leur en-tête.</translation>
    </message>
    <message>
        <source>Vor der ersten Miete bitte die Firmendaten eingeben:
sie stehen im Kopf jeder neuen Datei und jedes Protokolls.</source>
        <translation>Veuillez saisir les données de l&apos;entreprise avant le premier andain :
elles figurent en tête de chaque nouveau fichier et protocole.</translation>
    </message>
</context>
<context>
    <name>TFQRKompForm</name>
    <message>
        <source>Haldrix Messprotokoll</source>
        <translation>Haldrix protocole de mesure</translation>
    </message>
    <message>
        <source>Nr.:</source>
        <translation>N° :</translation>
    </message>
    <message>
        <source>Datum/Zeit</source>
        <translation>Date/heure</translation>
    </message>
    <message>
        <source>Temperatur an Messtelle</source>
        <translation>Température au point de mesure</translation>
    </message>
    <message>
        <source>O2[vol%]</source>
        <translation>O2[vol%]</translation>
    </message>
    <message>
        <source>Lüfter</source>
        <translation>Ventilateur</translation>
    </message>
    <message>
        <source>Laufzeit[min]</source>
        <translation>Marche[min]</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Tiefe</source>
        <translation>Profondeur</translation>
    </message>
    <message>
        <source>S 55°C[cm]</source>
        <translation>S 55°C[cm]</translation>
    </message>
    <message>
        <source>Anlagen- Name :</source>
        <translation>Nom de l&apos;installation :</translation>
    </message>
    <message>
        <source>Datei- Name :</source>
        <translation>Nom du fichier :</translation>
    </message>
    <message>
        <source>Druckdatum/-zeit :</source>
        <translation>Date/heure d&apos;impression :</translation>
    </message>
    <message>
        <source>Seitennr. :</source>
        <translation>Page n° :</translation>
    </message>
    <message>
        <source>Prüfwert :</source>
        <translation>Valeur de contrôle :</translation>
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
        <translation>N°</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Von</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>berichtigt</source>
        <translation>corrige</translation>
    </message>
    <message>
        <source>Neuer Eintrag</source>
        <translation>Nouvelle entrée</translation>
    </message>
    <message>
        <source>Art:</source>
        <translation>Type :</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Heure :</translation>
    </message>
    <message>
        <source>Von:</source>
        <translation>Par :</translation>
    </message>
    <message>
        <source>Wetter, Außentemperatur, Labornummer der Probe …</source>
        <translation>Météo, température extérieure, numéro de laboratoire de l&apos;échantillon …</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Texte :</translation>
    </message>
    <message>
        <source>Fühler:</source>
        <translation>Sonde :</translation>
    </message>
    <message>
        <source>Referenzthermometer:</source>
        <translation>Thermomètre de référence :</translation>
    </message>
    <message>
        <source>Anzeige der Anlage:</source>
        <translation>Valeur de l&apos;installation :</translation>
    </message>
    <message>
        <source>keinen</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>Berichtigt Eintrag:</source>
        <translation>Corrige l&apos;entrée :</translation>
    </message>
    <message>
        <source>Eintragen</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Noch keine Einträge.</source>
        <translation>Pas encore d&apos;entrée.</translation>
    </message>
    <message>
        <source>Der Eintrag wurde nicht gespeichert.
%1</source>
        <translation>L&apos;entrée n&apos;a pas été enregistrée.
%1</translation>
    </message>
</context>
<context>
    <name>TFZeitSelect</name>
    <message>
        <source>Speicherzeit auswählen</source>
        <translation>Choisir l&apos;heure de lecture</translation>
    </message>
    <message>
        <source>Zeitvorgabe, wann 1mal täglich die Daten automatisch aus der Steuerung ausgelesen werden !</source>
        <translation>Heure à laquelle les données sont lues automatiquement dans le contrôleur une fois par jour !</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1h</source>
        <translation>%1h</translation>
    </message>
    <message>
        <source>AUS</source>
        <translation>ARRÊT</translation>
    </message>
</context>
<context>
    <name>TLink</name>
    <message>
        <source>Serielle Verbindung auf :</source>
        <translation>Connexion série sur :</translation>
    </message>
    <message>
        <source>Keine Verbindung
Bitte Kabel und PC- Einstellung überprüfen!</source>
        <translation>Pas de connexion
Veuillez vérifier le câble et les réglages du PC !</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der seriellen Schnittstelle !
Bitte überprüfen!!</source>
        <translation>Erreur à l&apos;ouverture du port série !
Veuillez vérifier !!</translation>
    </message>
    <message>
        <source>Keine Zugriffsrechte auf %1.</source>
        <translation>Pas de droits d&apos;accès à %1.</translation>
    </message>
    <message>
        <source>Keine Zugriffsrechte auf %1: der Benutzer braucht Zugriff auf das Gerät (Gruppe &quot;dialout&quot;).</source>
        <translation>Pas de droits d&apos;accès à %1 : l&apos;utilisateur doit avoir accès au périphérique (groupe &quot;dialout&quot;).</translation>
    </message>
</context>
<context>
    <name>TMessDaten</name>
    <message>
        <source>Laufzeit</source>
        <translation>Durée de marche</translation>
    </message>
    <message>
        <source>Zyklen</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Messwert- Nr</source>
        <translation>N° de mesure</translation>
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
        <translation>Date/heure</translation>
    </message>
</context>
</TS>
