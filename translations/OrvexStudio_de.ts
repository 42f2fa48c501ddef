<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BookmarkFile</name>
    <message>
        <source>folders nested deeper than %1 levels</source>
        <translation>Ordner tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>the document is &quot;%1&quot;, not &quot;bookmarks&quot;</source>
        <translation>das Dokument ist „%1“, nicht „bookmarks“</translation>
    </message>
    <message>
        <source>no free name beside it</source>
        <translation>daneben ist kein Name frei</translation>
    </message>
</context>
<context>
    <name>CrashedPageNotice</name>
    <message>
        <source>The page stopped working.</source>
        <translation>Die Seite funktioniert nicht mehr.</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
</context>
<context>
    <name>EngineSave</name>
    <message>
        <source>The engine did not carry out %1.</source>
        <translation>Die Simulation hat %1 nicht ausgeführt.</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Orvex Studio Help</source>
        <translation>Orvex Studio Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Help page not found&lt;/h3&gt;&lt;p&gt;There is no help page &lt;tt&gt;%1&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Hilfeseite nicht gefunden&lt;/h3&gt;&lt;p&gt;Es gibt keine Hilfeseite &lt;tt&gt;%1&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ImageOutput</name>
    <message>
        <source>The name has none of the extensions %1.</source>
        <translation>Der Name hat keine der Endungen %1.</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>There is no picture to save.</source>
        <translation>Es gibt kein Bild zum Speichern.</translation>
    </message>
</context>
<context>
    <name>MediaPlayerPane</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>not a picture that can be read</source>
        <translation>kein lesbares Bild</translation>
    </message>
    <message>
        <source>Could not show %1:
%2</source>
        <translation>%1 konnte nicht angezeigt werden:
%2</translation>
    </message>
</context>
<context>
    <name>OrvexBookmarkForm</name>
    <message>
        <source>Bookmark Edit</source>
        <translation>Lesezeichen bearbeiten</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>URI : </source>
        <translation>URI : </translation>
    </message>
    <message>
        <source>Name : </source>
        <translation>Name : </translation>
    </message>
    <message>
        <source>Bookmark</source>
        <translation>Lesezeichen</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Edit Bookmarks...</source>
        <translation>Lesezeichen bearbeiten...</translation>
    </message>
    <message>
        <source>Set current page as Home</source>
        <translation>Aktuelle Seite als Startseite</translation>
    </message>
    <message>
        <source>Add Bookmark...</source>
        <translation>Lesezeichen hinzufügen...</translation>
    </message>
    <message>
        <source>Orvex</source>
        <translation>Orvex</translation>
    </message>
    <message>
        <source>Enter bookmark name : </source>
        <translation>Name des Lesezeichens : </translation>
    </message>
    <message>
        <source>new bookmark</source>
        <translation>neues Lesezeichen</translation>
    </message>
    <message>
        <source>new folder</source>
        <translation>neuer Ordner</translation>
    </message>
    <message>
        <source>Orvex Studio Web Site</source>
        <translation>Orvex Studio im Web</translation>
    </message>
    <message>
        <source>The bookmarks file %1 could not be read (%2). It is left as it is: bookmarks added or changed now will not be saved.</source>
        <translation>Die Lesezeichendatei %1 konnte nicht gelesen werden (%2). Sie bleibt unverändert: Jetzt hinzugefügte oder geänderte Lesezeichen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>The bookmarks added or changed now are not saved: the bookmarks file %1 could not be read (%2), and it is left as it is.</source>
        <translation>Die jetzt hinzugefügten oder geänderten Lesezeichen werden nicht gespeichert: Die Lesezeichendatei %1 konnte nicht gelesen werden (%2) und bleibt unverändert.</translation>
    </message>
    <message>
        <source>The bookmarks file %1 changed since the program read it, and the bookmarks of this session could not be saved beside it:
%2</source>
        <translation>Die Lesezeichendatei %1 hat sich geändert, seit das Programm sie gelesen hat, und die Lesezeichen dieser Sitzung konnten nicht daneben gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>The bookmarks file %1 changed since the program read it: another program or user saved it. It is left as it is, and the bookmarks of this session are saved in %2, so that none is lost.</source>
        <translation>Die Lesezeichendatei %1 hat sich geändert, seit das Programm sie gelesen hat: Ein anderes Programm oder ein anderer Benutzer hat sie gespeichert. Sie bleibt unverändert; die Lesezeichen dieser Sitzung sind in %2 gespeichert, damit keines verloren geht.</translation>
    </message>
    <message>
        <source>The bookmarks could not be saved to %1:
%2</source>
        <translation>Die Lesezeichen konnten nicht in %1 gespeichert werden:
%2</translation>
    </message>
</context>
<context>
    <name>OrvexLocationForm</name>
    <message>
        <source>Location Edit</source>
        <translation>Orte bearbeiten</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Latitude : </source>
        <translation>Breite : </translation>
    </message>
    <message>
        <source>Longitude : </source>
        <translation>Länge : </translation>
    </message>
    <message>
        <source>Location name : </source>
        <translation>Ortsname : </translation>
    </message>
    <message>
        <source>Panorama file : </source>
        <translation>Panoramadatei : </translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Weather effect file : </source>
        <translation>Wettereffektdatei : </translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
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
        <source>New_place</source>
        <translation>Neuer_Ort</translation>
    </message>
    <message>
        <source>New place</source>
        <translation>Neuer Ort</translation>
    </message>
    <message>
        <source>Open a panorama file ...</source>
        <translation>Panoramadatei öffnen ...</translation>
    </message>
    <message>
        <source>Open an effect file ...</source>
        <translation>Effektdatei öffnen ...</translation>
    </message>
    <message>
        <source>Select a panorama file in &apos;textures&apos; folder.</source>
        <translation>Wählen Sie eine Panoramadatei im Ordner &apos;textures&apos;.</translation>
    </message>
    <message>
        <source>Select an effect file in &apos;effects&apos; folder.</source>
        <translation>Wählen Sie eine Effektdatei im Ordner &apos;effects&apos;.</translation>
    </message>
    <message>
        <source>FileOpen</source>
        <translation>FileOpen</translation>
    </message>
    <message>
        <source>Orvex</source>
        <translation>Orvex</translation>
    </message>
    <message>
        <source>The location name must not be empty.</source>
        <translation>Der Ortsname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>A panorama or weather effect file name must not contain blanks.</source>
        <translation>Ein Panorama- oder Wettereffekt-Dateiname darf keine Leerzeichen enthalten.</translation>
    </message>
    <message>
        <source>The location name must be unique on each celestial body.</source>
        <translation>Der Ortsname muss auf jedem Himmelskörper eindeutig sein.</translation>
    </message>
</context>
<context>
    <name>OrvexMainForm</name>
    <message>
        <source>Orvex Control Window</source>
        <translation>Orvex Steuerfenster</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
    <message>
        <source>Orvex Studio</source>
        <translation>Orvex Studio</translation>
    </message>
    <message>
        <source>Press [Esc] key to change mouse mode.</source>
        <translation>[Esc] drücken, um den Mausmodus zu wechseln.</translation>
    </message>
    <message>
        <source>Click [Show] button to hide the Media Viewer.</source>
        <translation>[Zeigen] anklicken, um den Medienbetrachter zu verbergen.</translation>
    </message>
    <message>
        <source>Drop a image or a movie on [Show] button to show it.</source>
        <translation>Ein Bild oder einen Film auf [Zeigen] ziehen, um es anzuzeigen.</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Bookmark</source>
        <translation>Lesezeichen</translation>
    </message>
    <message>
        <source>Media Viewer</source>
        <translation>Medienbetrachter</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Playback control</source>
        <translatorcomment>In two lines: in one, the media group makes the control window too wide for a 1024 x 768 screen.</translatorcomment>
        <translation>Wiedergabe-
steuerung</translation>
    </message>
    <message>
        <source>Viewpoint</source>
        <translation>Standpunkt</translation>
    </message>
    <message>
        <source>Simulation Mode : </source>
        <translation>Simulationsmodus : </translation>
    </message>
    <message>
        <source>Location Name : </source>
        <translation>Ort : </translation>
    </message>
    <message>
        <source>Celestial body Name : </source>
        <translation>Himmelskörper : </translation>
    </message>
    <message>
        <source>Longitude : </source>
        <translation>Länge : </translation>
    </message>
    <message>
        <source>Latitude : </source>
        <translation>Breite : </translation>
    </message>
    <message>
        <source>Edit locations...</source>
        <translation>Orte bearbeiten...</translation>
    </message>
    <message>
        <source>Landing /
Launching</source>
        <translation>Landen /
Starten</translation>
    </message>
    <message>
        <source>with Effect</source>
        <translation>mit Effekt</translation>
    </message>
    <message>
        <source>Free flight</source>
        <translation>Freier Flug</translation>
    </message>
    <message>
        <source>Date / Time</source>
        <translation>Datum / Zeit</translation>
    </message>
    <message>
        <source>Actual time</source>
        <translation>Aktuelle Zeit</translation>
    </message>
    <message>
        <source>  Step : </source>
        <translation>  Schritt : </translation>
    </message>
    <message>
        <source>Speed : </source>
        <translation>Tempo : </translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Planet etc. labels</source>
        <translation>Planetennamen</translation>
    </message>
    <message>
        <source>Orbits</source>
        <translation>Bahnen</translation>
    </message>
    <message>
        <source>Protractors</source>
        <translation>Winkelmesser</translation>
    </message>
    <message>
        <source>Radius scaling</source>
        <translation>Radiusskalierung</translation>
    </message>
    <message>
        <source>Spin axes</source>
        <translation>Drehachsen</translation>
    </message>
    <message>
        <source>Clouds, Atmosphere</source>
        <translation>Wolken, Atmosphäre</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>Beleuchtung</translation>
    </message>
    <message>
        <source>Landscapes</source>
        <translation>Landschaften</translation>
    </message>
    <message>
        <source>Weather effects</source>
        <translation>Wettereffekte</translation>
    </message>
    <message>
        <source>Information console</source>
        <translation>Infokonsole</translation>
    </message>
    <message>
        <source>Nebula, Star clusters</source>
        <translation>Nebel, Sternhaufen</translation>
    </message>
    <message>
        <source>Fixed star labels</source>
        <translation>Fixsternnamen</translation>
    </message>
    <message>
        <source>Constellation figures</source>
        <translation>Sternbildfiguren</translation>
    </message>
    <message>
        <source>Constellation lines</source>
        <translation>Sternbildlinien</translation>
    </message>
    <message>
        <source>Equatorial coordinate</source>
        <translation>Äquatorialkoordinaten</translation>
    </message>
    <message>
        <source>Fixed stars</source>
        <translation>Fixsterne</translation>
    </message>
    <message>
        <source>Milky Way</source>
        <translation>Milchstraße</translation>
    </message>
    <message>
        <source>Asteroid belt</source>
        <translation>Asteroidengürtel</translation>
    </message>
    <message>
        <source>Umbra</source>
        <translation>Kernschatten</translation>
    </message>
    <message>
        <source>Penumbra</source>
        <translation>Halbschatten</translation>
    </message>
    <message>
        <source>Dust, Shooting stars</source>
        <translation>Staub, Sternschnuppen</translation>
    </message>
    <message>
        <source>Fade in / out</source>
        <translation>Ein- / Ausblenden</translation>
    </message>
    <message>
        <source>Detail settings...</source>
        <translation>Detaileinstellungen...</translation>
    </message>
    <message>
        <source>Centering settings</source>
        <translation>Zentrierung</translation>
    </message>
    <message>
        <source>Fixed Star</source>
        <translation>Fixstern</translation>
    </message>
    <message>
        <source>Constellation</source>
        <translation>Sternbild</translation>
    </message>
    <message>
        <source>Nebula, Star Cluster</source>
        <translation>Nebel, Sternhaufen</translation>
    </message>
    <message>
        <source>Sun, Planet, Satellite</source>
        <translation>Sonne, Planet, Mond</translation>
    </message>
    <message>
        <source>Centering by double clicking an item in the list.</source>
        <translation>Zentrieren durch Doppelklick auf einen Eintrag der Liste.</translation>
    </message>
    <message>
        <source>Keep centering</source>
        <translation>Zentriert halten</translation>
    </message>
    <message>
        <source>Object Display Settings</source>
        <translation>Objektanzeige</translation>
    </message>
    <message>
        <source>Constellations</source>
        <translation>Sternbilder</translation>
    </message>
    <message>
        <source>Artificial satellites</source>
        <translation>Künstliche Satelliten</translation>
    </message>
    <message>
        <source>Space crafts</source>
        <translation>Raumfahrzeuge</translation>
    </message>
    <message>
        <source>Asteroids</source>
        <translation>Asteroiden</translation>
    </message>
    <message>
        <source>Comets</source>
        <translation>Kometen</translation>
    </message>
    <message>
        <source>Sun, Planets</source>
        <translation>Sonne, Planeten</translation>
    </message>
    <message>
        <source>Show Lines</source>
        <translation>Linien zeigen</translation>
    </message>
    <message>
        <source>Highlight Lines</source>
        <translation>Linien hervorheben</translation>
    </message>
    <message>
        <source>Hide Lines</source>
        <translation>Linien verbergen</translation>
    </message>
    <message>
        <source>Show Figures</source>
        <translation>Figuren zeigen</translation>
    </message>
    <message>
        <source>Highlight Figures</source>
        <translation>Figuren hervorheben</translation>
    </message>
    <message>
        <source>Hide Figures</source>
        <translation>Figuren verbergen</translation>
    </message>
    <message>
        <source>Show Labels</source>
        <translation>Namen zeigen</translation>
    </message>
    <message>
        <source>Hide Labels</source>
        <translation>Namen verbergen</translation>
    </message>
    <message>
        <source>Show Seps.</source>
        <translation>Grenzen zeigen</translation>
    </message>
    <message>
        <source>Hide Seps.</source>
        <translation>Grenzen verbergen</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Scenario edit</source>
        <translation>Szenario bearbeiten</translation>
    </message>
    <message>
        <source>New Scenario</source>
        <translation>Neues Szenario</translation>
    </message>
    <message>
        <source>Open Scenario</source>
        <translation>Szenario öffnen</translation>
    </message>
    <message>
        <source>Save Scenario as</source>
        <translation>Szenario speichern unter</translation>
    </message>
    <message>
        <source>Cut (Ctrl+X)</source>
        <translation>Ausschneiden (Strg+X)</translation>
    </message>
    <message>
        <source>Copy (Ctrl+C)</source>
        <translation>Kopieren (Strg+C)</translation>
    </message>
    <message>
        <source>Paste (Ctrl+P)</source>
        <translation>Einfügen (Strg+P)</translation>
    </message>
    <message>
        <source>Undo (Ctrl+Z)</source>
        <translation>Rückgängig (Strg+Z)</translation>
    </message>
    <message>
        <source>Redo (Ctrl+Y)</source>
        <translation>Wiederholen (Strg+Y)</translation>
    </message>
    <message>
        <source>Record Current State</source>
        <translation>Aktuellen Zustand aufnehmen</translation>
    </message>
    <message>
        <source>Record Current View</source>
        <translation>Aktuelle Ansicht aufnehmen</translation>
    </message>
    <message>
        <source>Record Operations</source>
        <translation>Bedienung aufnehmen</translation>
    </message>
    <message>
        <source>Play Scenario</source>
        <translation>Szenario abspielen</translation>
    </message>
    <message>
        <source>Property / Method settings</source>
        <translation>Eigenschaft / Methode</translation>
    </message>
    <message>
        <source>Property / Method : </source>
        <translation>Eigenschaft / Methode : </translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Value : </source>
        <translation>Wert : </translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Grundlagen</translation>
    </message>
    <message>
        <source>Centering</source>
        <translation>Zentrierung</translation>
    </message>
    <message>
        <source>Object Display</source>
        <translation>Objektanzeige</translation>
    </message>
    <message>
        <source>Scenario Edit</source>
        <translation>Szenario</translation>
    </message>
    <message>
        <source>sec/s</source>
        <translation>s/s</translation>
    </message>
    <message>
        <source>min/s</source>
        <translation>min/s</translation>
    </message>
    <message>
        <source>hour/s</source>
        <translation>h/s</translation>
    </message>
    <message>
        <source>day/s</source>
        <translation>Tag/s</translation>
    </message>
    <message>
        <source>month/s</source>
        <translation>Monat/s</translation>
    </message>
    <message>
        <source>year/s</source>
        <translation>Jahr/s</translation>
    </message>
    <message>
        <source>Init State</source>
        <translation>Anfangszustand</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Store State</source>
        <translation>Zustand merken</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>Restore State</source>
        <translation>Zustand wiederherstellen</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>&amp;Index...</source>
        <translation>In&amp;dex...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Normal window Orvex</source>
        <translation>Orvex als &amp;normales Fenster</translation>
    </message>
    <message>
        <source>Normal window Orvex</source>
        <translation>Orvex als normales Fenster</translation>
    </message>
    <message>
        <source>&amp;Full screen Orvex</source>
        <translation>Orvex im &amp;Vollbild</translation>
    </message>
    <message>
        <source>Full screen Orvex</source>
        <translation>Orvex im Vollbild</translation>
    </message>
    <message>
        <source>&amp;Embed Orvex</source>
        <translation>Orvex &amp;einbetten</translation>
    </message>
    <message>
        <source>Orvex embed in the control window</source>
        <translation>Orvex im Steuerfenster einbetten</translation>
    </message>
    <message>
        <source>Save Image...</source>
        <translation>Bild speichern...</translation>
    </message>
    <message>
        <source>Save &amp;Image...</source>
        <translation>B&amp;ild speichern...</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>WindowsXP style</source>
        <translation>WindowsXP-Stil</translation>
    </message>
    <message>
        <source>WindowsXP style GUI</source>
        <translation>Oberfläche im WindowsXP-Stil</translation>
    </message>
    <message>
        <source>Windows style</source>
        <translation>Windows-Stil</translation>
    </message>
    <message>
        <source>Windows style GUI</source>
        <translation>Oberfläche im Windows-Stil</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Dunkler Stil</translation>
    </message>
    <message>
        <source>Dark style GUI</source>
        <translation>Dunkle Oberfläche</translation>
    </message>
    <message>
        <source>Normal mouse Mode</source>
        <translation>Normaler Mausmodus</translation>
    </message>
    <message>
        <source>Trackball mouse Mode</source>
        <translation>Trackball-Mausmodus</translation>
    </message>
    <message>
        <source>Open Scenario...</source>
        <translation>Szenario öffnen...</translation>
    </message>
    <message>
        <source>Save Scenario</source>
        <translation>Szenario speichern</translation>
    </message>
    <message>
        <source>Save Scenario As</source>
        <translation>Szenario speichern unter</translation>
    </message>
    <message>
        <source>Save Scenario As...</source>
        <translation>Szenario speichern unter...</translation>
    </message>
    <message>
        <source>Browser layout</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Browser/Control layout</source>
        <translation>Browser / Steuerung</translation>
    </message>
    <message>
        <source>Simulation/Browser layout</source>
        <translation>Simulation / Browser</translation>
    </message>
    <message>
        <source>Simulation/Control layout</source>
        <translation>Simulation / Steuerung</translation>
    </message>
    <message>
        <source>Normal window Media Viewer</source>
        <translation>Medienbetrachter als normales Fenster</translation>
    </message>
    <message>
        <source>Full screen Media Viewer</source>
        <translation>Medienbetrachter im Vollbild</translation>
    </message>
    <message>
        <source>Reset windows</source>
        <translation>Fenster zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Scenario</source>
        <translation>&amp;Szenario</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>A page</source>
        <translation>Eine Seite</translation>
    </message>
    <message>
        <source>%1 (a frame of %2)</source>
        <translation>%1 (ein Rahmen in %2)</translation>
    </message>
    <message>
        <source>%1 is not a page of this program and wants to run these commands:</source>
        <translation>%1 ist keine Seite dieses Programms und möchte diese Befehle ausführen:</translation>
    </message>
    <message>
        <source>Run them?</source>
        <translation>Ausführen?</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Change &amp;Language</source>
        <translation>&amp;Sprache ändern</translation>
    </message>
    <message>
        <source>The GUI language will be changed when you run OrvexStudio next time.</source>
        <translation>Die Sprache der Oberfläche wird beim nächsten Start von OrvexStudio geändert.</translation>
    </message>
    <message>
        <source>Save as an image file ...</source>
        <translation>Als Bilddatei speichern ...</translation>
    </message>
    <message>
        <source>The image could not be saved as %1.
%2</source>
        <translation>Das Bild konnte nicht als %1 gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>Open a comet orbit file ...</source>
        <translation>Kometen-Bahndatei öffnen ...</translation>
    </message>
    <message>
        <source>This file doesn&apos;t seem a correct comet orbit file.</source>
        <translation>Diese Datei scheint keine gültige Kometen-Bahndatei zu sein.</translation>
    </message>
    <message>
        <source>Same file name is found in the comet data directory.  Do you want to overwrite it ?</source>
        <translation>Im Kometen-Datenverzeichnis gibt es bereits eine Datei dieses Namens.  Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>Open a asteroid orbit file ...</source>
        <translation>Asteroiden-Bahndatei öffnen ...</translation>
    </message>
    <message>
        <source>This file doesn&apos;t seem a correct asteroid orbit file.</source>
        <translation>Diese Datei scheint keine gültige Asteroiden-Bahndatei zu sein.</translation>
    </message>
    <message>
        <source>Same file name is found in the asteroid data directory.  Do you want to overwrite it ?</source>
        <translation>Im Asteroiden-Datenverzeichnis gibt es bereits eine Datei dieses Namens.  Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>Open a spacecraft orbit file ...</source>
        <translation>Raumsonden-Bahndatei öffnen ...</translation>
    </message>
    <message>
        <source>This file doesn&apos;t seem a correct space craft orbit file.</source>
        <translation>Diese Datei scheint keine gültige Raumsonden-Bahndatei zu sein.</translation>
    </message>
    <message>
        <source>Same file name is found in the spacecraft data directory.  Do you want to overwrite it ?</source>
        <translation>Im Raumsonden-Datenverzeichnis gibt es bereits eine Datei dieses Namens.  Möchten Sie sie überschreiben?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>The orbit file could not be copied to %1:
%2</source>
        <translation>Die Bahndatei konnte nicht nach %1 kopiert werden:
%2</translation>
    </message>
    <message>
        <source>Removed orbit data will be lost.  Do you really want to remove it ?</source>
        <translation>Entfernte Bahndaten gehen verloren.  Möchten Sie sie wirklich entfernen?</translation>
    </message>
    <message>
        <source>These objects leave the list, but their orbit files stay, since the body data file names them:</source>
        <translation>Diese Objekte verlassen die Liste, ihre Bahndateien aber bleiben, da die Körperdatendatei sie nennt:</translation>
    </message>
    <message>
        <source>These objects stay in the simulation, as part of the solar system that the body data file describes, and so do their orbit files:</source>
        <translation>Diese Objekte bleiben in der Simulation, als Teil des Sonnensystems, das die Körperdatendatei beschreibt, und ebenso ihre Bahndateien:</translation>
    </message>
    <message>
        <source>%1 in the data directory already declares %2.  Do you want to replace it ?</source>
        <translation>%1 im Datenverzeichnis beschreibt bereits %2.  Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>%1 in the data directory belongs to %2, a body of the solar system that the body data file describes: it is not replaced.</source>
        <translation>%1 im Datenverzeichnis gehört zu %2, einem Körper des Sonnensystems, das die Körperdatendatei beschreibt: die Datei wird nicht ersetzt.</translation>
    </message>
    <message>
        <source>The orbit files could not be removed:
%1</source>
        <translation>Die Bahndateien konnten nicht entfernt werden:
%1</translation>
    </message>
    <message>
        <source>The help pages are missing from %1.</source>
        <translation>In %1 fehlen die Hilfeseiten.</translation>
    </message>
    <message>
        <source>Open a scenario file ...</source>
        <translation>Szenariodatei öffnen ...</translation>
    </message>
    <message>
        <source>Save a scenario file as ...</source>
        <translation>Szenariodatei speichern unter ...</translation>
    </message>
    <message>
        <source>The scenario could not be saved as %1:
%2</source>
        <translation>Das Szenario konnte nicht als %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>The scenario %1 could not be opened:
%2</source>
        <translation>Das Szenario %1 konnte nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>The scenario %1 was not read whole: a NUL byte ends its text early, and the editor shows only the text before it.
Save does not write over this file; Save Scenario As can keep the text under another name.</source>
        <translation>Das Szenario %1 wurde nicht ganz gelesen: Ein NUL-Byte beendet seinen Text vorzeitig, und der Editor zeigt nur den Text davor.
„Speichern“ überschreibt diese Datei nicht; mit „Szenario speichern unter“ lässt sich der Text unter einem anderen Namen sichern.</translation>
    </message>
    <message>
        <source>Saved now, %1 would not open again as the editor shows it: from line %2 on, its bytes would read back as other characters or other lines.
Save %1 all the same?</source>
        <translation>Wenn Sie %1 jetzt speichern, zeigt die Datei beim nächsten Öffnen nicht mehr, was der Editor jetzt zeigt: Ab Zeile %2 werden andere Zeichen oder andere Zeilen gelesen.
%1 trotzdem speichern?</translation>
    </message>
    <message>
        <source>The scenario was read as %1, which cannot hold all of the text now in the editor. Saved as UTF-8, the lines that were not edited change too and may read otherwise than before.
Save %2 as UTF-8 all the same?</source>
        <translation>Das Szenario wurde als %1 gelesen, das nicht den ganzen Text im Editor fassen kann. Als UTF-8 gespeichert, ändern sich auch die nicht bearbeiteten Zeilen und lesen sich womöglich anders als zuvor.
%2 trotzdem als UTF-8 speichern?</translation>
    </message>
    <message>
        <source>These lines of the scenario %1 cannot be written again as they are once edited: %2.
%3 writes their characters as other bytes than the file holds, or the editor shows them otherwise (a paragraph separator as a line break). Save writes them as they are while they are not edited.</source>
        <translation>Diese Zeilen des Szenarios %1 lassen sich nach einer Bearbeitung nicht wieder so schreiben, wie sie sind: %2.
%3 schreibt ihre Zeichen als andere Bytes, als die Datei enthält, oder der Editor zeigt sie anders (einen Absatztrenner als Zeilenumbruch). „Speichern“ schreibt sie unverändert, solange sie nicht bearbeitet werden.</translation>
    </message>
    <message>
        <source>These lines of %1 were edited, and written now they change beyond what was typed: %2.
%3 writes some of their characters as other bytes than the file held, or the editor shows them otherwise than the file holds them.
Save %4 all the same?</source>
        <translation>Diese Zeilen von %1 wurden bearbeitet und ändern sich, jetzt geschrieben, über das Getippte hinaus: %2.
%3 schreibt einige ihrer Zeichen als andere Bytes, als die Datei enthielt, oder der Editor zeigt sie anders, als die Datei sie enthält.
%4 trotzdem speichern?</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>The scenario in the editor has not been saved. Discard it?</source>
        <translation>Das Szenario im Editor wurde nicht gespeichert. Verwerfen?</translation>
    </message>
    <message>
        <source>The satellite update has nothing to fetch: the address list %1 is empty.</source>
        <translation>Die Satellitenaktualisierung hat nichts abzurufen: Die Adressliste %1 ist leer.</translation>
    </message>
    <message>
        <source>The satellite update has nothing to fetch: the address list %1 cannot be read: %2.</source>
        <translation>Die Satellitenaktualisierung hat nichts abzurufen: Die Adressliste %1 ist nicht lesbar: %2.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Satellite elements updated: %1.</source>
        <translation>Satellitenbahnelemente aktualisiert: %1.</translation>
    </message>
    <message>
        <source>Satellite update: %1 of %2 groups updated.</source>
        <translation>Satellitenaktualisierung: %1 von %2 Gruppen aktualisiert.</translation>
    </message>
    <message>
        <source>Not every satellite group could be updated; those not updated keep their elements.</source>
        <translation>Nicht jede Satellitengruppe konnte aktualisiert werden; die übrigen behalten ihre Bahnelemente.</translation>
    </message>
    <message>
        <source>Updated: %1</source>
        <translation>Aktualisiert: %1</translation>
    </message>
    <message>
        <source>Not updated:</source>
        <translation>Nicht aktualisiert:</translation>
    </message>
    <message>
        <source>The places are changed but could not be saved.</source>
        <translation>Die Orte sind geändert, konnten aber nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The list of objects in the simulation could not be saved.</source>
        <translation>Die Liste der Objekte in der Simulation konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The orbit files are removed, but the list of objects in the simulation could not be saved.</source>
        <translation>Die Bahndateien sind entfernt, aber die Liste der Objekte in der Simulation konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The simulation could not start: the file %1 is missing or cannot be read.
Check the data directory %2.</source>
        <translation>Die Simulation konnte nicht starten: Die Datei %1 fehlt oder ist nicht lesbar.
Prüfen Sie das Datenverzeichnis %2.</translation>
    </message>
</context>
<context>
    <name>OrvexOptionForm</name>
    <message>
        <source>Detail Setting</source>
        <translation>Detaileinstellungen</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Fonts and Colors</source>
        <translation>Schriften und Farben</translation>
    </message>
    <message>
        <source>Location Cursor</source>
        <translation>Ortscursor</translation>
    </message>
    <message>
        <source>Cursor type : </source>
        <translation>Cursortyp : </translation>
    </message>
    <message>
        <source>Cursor size : </source>
        <translation>Cursorgröße : </translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Landschaft</translation>
    </message>
    <message>
        <source>Landscape type : </source>
        <translation>Landschaftstyp : </translation>
    </message>
    <message>
        <source>Direction markers</source>
        <translation>Himmelsrichtungen</translation>
    </message>
    <message>
        <source>Keep Dir. markers visible</source>
        <translation>Himmelsrichtungen immer sichtbar</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Star rendering type : </source>
        <translation>Sterndarstellung : </translation>
    </message>
    <message>
        <source>Magnitude limit : </source>
        <translation>Grenzgröße : </translation>
    </message>
    <message>
        <source>Milky Way rendering type : </source>
        <translation>Milchstraßendarstellung : </translation>
    </message>
    <message>
        <source>Milkey Way resolution : </source>
        <translation>Milchstraßenauflösung : </translation>
    </message>
    <message>
        <source>Dark side lighting : </source>
        <translation>Aufhellung der Nachtseite : </translation>
    </message>
    <message>
        <source>Shooting Star</source>
        <translation>Sternschnuppen</translation>
    </message>
    <message>
        <source>Sporadic meteors</source>
        <translation>Sporadische Meteore</translation>
    </message>
    <message>
        <source>Frequency : </source>
        <translation>Häufigkeit : </translation>
    </message>
    <message>
        <source>Radiant point Decl. : </source>
        <translation>Radiant, Deklination : </translation>
    </message>
    <message>
        <source>Radiant point RA : </source>
        <translation>Radiant, Rektaszension : </translation>
    </message>
    <message>
        <source>Information Console</source>
        <translation>Infokonsole</translation>
    </message>
    <message>
        <source>Console type : </source>
        <translation>Konsolentyp : </translation>
    </message>
    <message>
        <source>Date / Time locale : </source>
        <translation>Datum / Zeit : </translation>
    </message>
    <message>
        <source>Show FPS in console</source>
        <translation>Bildrate in der Konsole zeigen</translation>
    </message>
    <message>
        <source>Post Effect</source>
        <translation>Nachbearbeitung</translation>
    </message>
    <message>
        <source>Alpha blending</source>
        <translation>Alpha-Blending</translation>
    </message>
    <message>
        <source>Blur type : </source>
        <translation>Unschärfe : </translation>
    </message>
    <message>
        <source>Blur level : </source>
        <translation>Unschärfestufe : </translation>
    </message>
    <message>
        <source>Optimize</source>
        <translation>Optimierung</translation>
    </message>
    <message>
        <source>Draw method : </source>
        <translation>Zeichenart : </translation>
    </message>
    <message>
        <source>Mesh resolution : </source>
        <translation>Gitterauflösung : </translation>
    </message>
    <message>
        <source>Orbit resolution : </source>
        <translation>Bahnauflösung : </translation>
    </message>
    <message>
        <source>Apply textures to : </source>
        <translation>Texturen für : </translation>
    </message>
    <message>
        <source>Texture filter type : </source>
        <translation>Texturfilter : </translation>
    </message>
    <message>
        <source>Texture resolution : </source>
        <translation>Texturauflösung : </translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriften</translation>
    </message>
    <message>
        <source>Sun / Planet labels : </source>
        <translation>Sonne / Planeten : </translation>
    </message>
    <message>
        <source>Fixed star labels : </source>
        <translation>Fixsternnamen : </translation>
    </message>
    <message>
        <source>Nebula / Star cluster labels : </source>
        <translation>Nebel / Sternhaufen : </translation>
    </message>
    <message>
        <source>Constellation labels : </source>
        <translation>Sternbildnamen : </translation>
    </message>
    <message>
        <source>Direction marker labels : </source>
        <translation>Himmelsrichtungen : </translation>
    </message>
    <message>
        <source>Equatorial coordinate : </source>
        <translation>Äquatorialkoordinaten : </translation>
    </message>
    <message>
        <source>Information console : </source>
        <translation>Infokonsole : </translation>
    </message>
    <message>
        <source>Line width and Colors</source>
        <translation>Linienbreite und Farben</translation>
    </message>
    <message>
        <source>Planet orbits : </source>
        <translation>Planetenbahnen : </translation>
    </message>
    <message>
        <source>HL. Planet orbits : </source>
        <translation>Hervorgeh. Planetenbahnen : </translation>
    </message>
    <message>
        <source>Comet orbits : </source>
        <translation>Kometenbahnen : </translation>
    </message>
    <message>
        <source>Asteroid orbits : </source>
        <translation>Asteroidenbahnen : </translation>
    </message>
    <message>
        <source>Space probe orbits : </source>
        <translation>Raumsondenbahnen : </translation>
    </message>
    <message>
        <source>Spin axes : </source>
        <translation>Drehachsen : </translation>
    </message>
    <message>
        <source>Protractors : </source>
        <translation>Winkelmesser : </translation>
    </message>
    <message>
        <source>Constellation lines : </source>
        <translation>Sternbildlinien : </translation>
    </message>
    <message>
        <source>HL. Constellation lines : </source>
        <translation>Hervorgeh. Sternbildlinien : </translation>
    </message>
    <message>
        <source>Constellation picts. lines : </source>
        <translation>Sternbildfiguren : </translation>
    </message>
    <message>
        <source>HL. Constellation picts. lines : </source>
        <translation>Hervorgeh. Sternbildfiguren : </translation>
    </message>
    <message>
        <source>Constellation boundaries. : </source>
        <translation>Sternbildgrenzen : </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Arrow</source>
        <translation>Pfeil</translation>
    </message>
    <message>
        <source>Light marker</source>
        <translation>Lichtmarke</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Beschriftung</translation>
    </message>
    <message>
        <source>Horizon</source>
        <translation>Horizont</translation>
    </message>
    <message>
        <source>Mesh</source>
        <translation>Gitter</translation>
    </message>
    <message>
        <source>Panorama</source>
        <translation>Panorama</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Textured</source>
        <translation>Texturiert</translation>
    </message>
    <message>
        <source>PointSprites</source>
        <translation>Point-Sprites</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>Texture</source>
        <translation>Textur</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Names only</source>
        <translation>Nur Namen</translation>
    </message>
    <message>
        <source>Date/Time only</source>
        <translation>Nur Datum/Zeit</translation>
    </message>
    <message>
        <source>UTC</source>
        <translation>UTC</translation>
    </message>
    <message>
        <source>Local time</source>
        <translation>Ortszeit</translation>
    </message>
    <message>
        <source>w/o Milky Way</source>
        <translation>ohne Milchstraße</translation>
    </message>
    <message>
        <source>with Milky Way</source>
        <translation>mit Milchstraße</translation>
    </message>
    <message>
        <source>Wireframe</source>
        <translation>Drahtgitter</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Selected</source>
        <translation>Ausgewählte</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Nearest (Low)</source>
        <translation>Nächster (niedrig)</translation>
    </message>
    <message>
        <source>Linear (High)</source>
        <translation>Linear (hoch)</translation>
    </message>
    <message>
        <source>Orvex Studio</source>
        <translation>Orvex Studio</translation>
    </message>
    <message>
        <source>The options could not be saved.</source>
        <translation>Die Optionen konnten nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>OrvexProjForm</name>
    <message>
        <source>Orvex Studio</source>
        <translation>Orvex Studio</translation>
    </message>
</context>
<context>
    <name>QWidget</name>
    <message>
        <source>Media Viewer</source>
        <translation>Medienbetrachter</translation>
    </message>
</context>
<context>
    <name>ReadableFile</name>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>longer than %1 bytes</source>
        <translation>länger als %1 Bytes</translation>
    </message>
</context>
<context>
    <name>SatelliteDownload</name>
    <message>
        <source>not a web address</source>
        <translation>keine Webadresse</translation>
    </message>
    <message>
        <source>the address names no file to store</source>
        <translation>die Adresse nennt keine Datei zum Speichern</translation>
    </message>
    <message>
        <source>an earlier address of the list is stored under the same name</source>
        <translation>eine frühere Adresse der Liste wird unter demselben Namen gespeichert</translation>
    </message>
    <message>
        <source>the answer is larger than %1 bytes</source>
        <translation>die Antwort ist größer als %1 Bytes</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>der Server antwortete %1</translation>
    </message>
    <message>
        <source>the transfer failed: %1</source>
        <translation>die Übertragung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>timed out after %1 s</source>
        <translation>nach %1 s ohne Antwort abgebrochen</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>the answer is not a text file</source>
        <translation>die Antwort ist keine Textdatei</translation>
    </message>
    <message>
        <source>the answer is empty</source>
        <translation>die Antwort ist leer</translation>
    </message>
    <message>
        <source>the answer holds no element sets</source>
        <translation>die Antwort enthält keine Bahnelementsätze</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>not fetched: the update stopped at the failed transfer</source>
        <translation>nicht abgerufen: Die Aktualisierung endete bei der fehlgeschlagenen Übertragung</translation>
    </message>
    <message>
        <source>the element set %1 is not whole: line %2 is missing</source>
        <translation>der Bahnelementsatz %1 ist unvollständig: Zeile %2 fehlt</translation>
    </message>
    <message>
        <source>line %1 of the element set %2 has %3 characters instead of %4</source>
        <translation>Zeile %1 des Bahnelementsatzes %2 hat %3 statt %4 Zeichen</translation>
    </message>
    <message>
        <source>line %1 of the element set %2 is not in the columns of an element line</source>
        <translation>Zeile %1 des Bahnelementsatzes %2 steht nicht in den Spalten einer Elementzeile</translation>
    </message>
    <message>
        <source>line %1 of the element set %2 fails its checksum</source>
        <translation>Zeile %1 des Bahnelementsatzes %2 hat eine falsche Prüfsumme</translation>
    </message>
    <message>
        <source>the answer holds a line outside any element set: %1</source>
        <translation>die Antwort enthält eine Zeile außerhalb jedes Bahnelementsatzes: %1</translation>
    </message>
    <message>
        <source>the two lines of the element set %1 name different catalogue numbers</source>
        <translation>die beiden Zeilen des Bahnelementsatzes %1 nennen verschiedene Katalognummern</translation>
    </message>
    <message>
        <source>epoch year</source>
        <translation>das Epochenjahr</translation>
    </message>
    <message>
        <source>epoch day</source>
        <translation>der Epochentag</translation>
    </message>
    <message>
        <source>rate of the mean motion</source>
        <translation>die Änderung der mittleren Bewegung</translation>
    </message>
    <message>
        <source>inclination</source>
        <translation>die Inklination</translation>
    </message>
    <message>
        <source>ascending node</source>
        <translation>der aufsteigende Knoten</translation>
    </message>
    <message>
        <source>eccentricity</source>
        <translation>die Exzentrizität</translation>
    </message>
    <message>
        <source>argument of perigee</source>
        <translation>das Argument des Perigäums</translation>
    </message>
    <message>
        <source>mean anomaly</source>
        <translation>die mittlere Anomalie</translation>
    </message>
    <message>
        <source>mean motion</source>
        <translation>die mittlere Bewegung</translation>
    </message>
    <message>
        <source>the title of the element set %1 has %2 characters, more than %3</source>
        <translation>der Titel des Bahnelementsatzes %1 hat %2 Zeichen, mehr als %3</translation>
    </message>
    <message>
        <source>the %1 in line %2 of the element set %3 is no number</source>
        <translation>%1 in Zeile %2 des Bahnelementsatzes %3 ist keine Zahl</translation>
    </message>
    <message>
        <source>the %1 in line %2 of the element set %3 is %4, not above %5</source>
        <translation>%1 in Zeile %2 des Bahnelementsatzes %3 ist %4, nicht über %5</translation>
    </message>
    <message>
        <source>the %1 in line %2 of the element set %3 is %4, outside %5 to %6</source>
        <translation>%1 in Zeile %2 des Bahnelementsatzes %3 ist %4, außerhalb von %5 bis %6</translation>
    </message>
    <message>
        <source>the perigee of the element set %1 lies inside the Earth</source>
        <translation>das Perigäum des Bahnelementsatzes %1 liegt innerhalb der Erde</translation>
    </message>
</context>
<context>
    <name>ScenarioFile</name>
    <message>
        <source>only the text before its first NUL byte was read; the rest would be lost</source>
        <translation>nur der Text vor seinem ersten NUL-Byte wurde gelesen; der Rest ginge verloren</translation>
    </message>
</context>
</TS>
