<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Tinsori</name>
    <message>
        <source>Tinsori plays wind chimes on your MIDI synthesizer while you work. A ring of tuned chimes hangs round a swinging pendulum, and a wandering wind strikes them: a calm day brings rare, soft notes, a storm dense and loud ones.</source>
        <translation>Tinsori spielt Windspiele auf Ihrem MIDI-Synthesizer, während Sie arbeiten. Ein Ring gestimmter Röhren hängt um ein schwingendes Pendel, und ein wechselnder Wind schlägt sie an: Windstille bringt seltene, leise Töne, ein Sturm dichte und laute.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Wind</translation>
    </message>
    <message>
        <source>From Calm Day through Nice Breeze to Storm&apos;s-a-Brewin&apos;</source>
        <translation>Von Windstille über mäßige Brise bis Sturm zieht auf</translation>
    </message>
    <message>
        <source>Chime spread</source>
        <translation>Röhrenspreizung</translation>
    </message>
    <message>
        <source>From ends spread apart to circular</source>
        <translation>Von gespreizten Enden bis kreisförmig</translation>
    </message>
    <message>
        <source>Chime distance</source>
        <translation>Röhrenabstand</translation>
    </message>
    <message>
        <source>From chimes far from the pendulum to closer in</source>
        <translation>Von Röhren weit vom Pendel bis näher dran</translation>
    </message>
    <message>
        <source>Pendulum length</source>
        <translation>Pendellänge</translation>
    </message>
    <message>
        <source>Shorter at the top, longer at the bottom</source>
        <translation>Oben kürzer, unten länger</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Chimes in Use</source>
        <translation>Im Spiel</translation>
    </message>
    <message>
        <source>Chimes to strike</source>
        <translation>Röhren zum Anschlagen</translation>
    </message>
    <message>
        <source>Move the pointer over the tubes, or press 1 to 9 and 0 to strike a chime; Left and Right choose a chime, Space strikes it</source>
        <translation>Fahren Sie mit dem Mauszeiger über die Röhren oder drücken Sie 1 bis 9 und 0, um eine Röhre anzuschlagen; Links und Rechts wählen eine Röhre, die Leertaste schlägt sie an</translation>
    </message>
    <message>
        <source>Wind chimes</source>
        <translation>Windspiel</translation>
    </message>
    <message>
        <source>Chimes in a circle</source>
        <translation>Röhren im Kreis</translation>
    </message>
    <message>
        <source>Chimes with their ends spread apart</source>
        <translation>Röhren mit gespreizten Enden</translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation>Lautheit</translation>
    </message>
    <message>
        <source>Loudspeaker</source>
        <translation>Lautsprecher</translation>
    </message>
    <message>
        <source>Chimes far from the pendulum</source>
        <translation>Röhren weit vom Pendel</translation>
    </message>
    <message>
        <source>Chimes close to the pendulum</source>
        <translation>Röhren nah am Pendel</translation>
    </message>
    <message>
        <source>Tinsori Profile</source>
        <translation>Tinsori-Profil</translation>
    </message>
    <message>
        <source>Scroll %1</source>
        <translation>%1 verschieben</translation>
    </message>
    <message>
        <source>Tinsori Help</source>
        <translation>Tinsori-Hilfe</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>The help pages are not part of this build.</source>
        <translation>Die Hilfeseiten sind in dieser Ausgabe nicht enthalten.</translation>
    </message>
    <message>
        <source>Calm Day</source>
        <translation>Windstille</translation>
    </message>
    <message>
        <source>Nice Breeze</source>
        <translation>Mäßige Brise</translation>
    </message>
    <message>
        <source>Storm&apos;s-a-Brewin&apos;</source>
        <translation>Sturm zieht auf</translation>
    </message>
    <message>
        <source>All Independent</source>
        <translation>Alle unabhängig</translation>
    </message>
    <message>
        <source>Chimes Only</source>
        <translation>Nur Röhren</translation>
    </message>
    <message>
        <source>Quantized</source>
        <translation>Quantisiert</translation>
    </message>
    <message>
        <source>Center Pendulum</source>
        <translation>Pendel mittig</translation>
    </message>
    <message>
        <source>%1 · beat %2 ms</source>
        <translation>%1 · Schlag %2 ms</translation>
    </message>
    <message>
        <source>Tinsori Live View</source>
        <translation>Tinsori-Liveansicht</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Voreinstellungen</translation>
    </message>
    <message>
        <source>Fa&amp;vorite Settings</source>
        <translation>Fa&amp;voriten</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Instrument</source>
        <translation>&amp;Instrument</translation>
    </message>
    <message>
        <source>Hold Notes</source>
        <translation>Töne halten</translation>
    </message>
    <message>
        <source>Chann&amp;el</source>
        <translation>&amp;Kanal</translation>
    </message>
    <message>
        <source>Vol&amp;ume</source>
        <translation>&amp;Pegel</translation>
    </message>
    <message>
        <source>Chime Selection</source>
        <translation>Röhrenauswahl</translation>
    </message>
    <message>
        <source>&amp;Number of Chimes</source>
        <translation>&amp;Anzahl Röhren</translation>
    </message>
    <message>
        <source>&amp;Base Note</source>
        <translation>&amp;Grundton</translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation>&amp;Skala</translation>
    </message>
    <message>
        <source>&amp;Transpose</source>
        <translation>&amp;Tonhöhe</translation>
    </message>
    <message>
        <source>Chime Configuration</source>
        <translation>Anordnung der Röhren</translation>
    </message>
    <message>
        <source>Center &amp;Pendulum</source>
        <translation>Pe&amp;ndel mittig</translation>
    </message>
    <message>
        <source>All In&amp;dependent</source>
        <translation>Alle &amp;unabhängig</translation>
    </message>
    <message>
        <source>Chimes On&amp;ly</source>
        <translation>Nur &amp;Röhren</translation>
    </message>
    <message>
        <source>&amp;Quantized</source>
        <translation>&amp;Quantisiert</translation>
    </message>
    <message>
        <source>Shu&amp;ffle Order</source>
        <translation>&amp;Zufallsfolge</translation>
    </message>
    <message>
        <source>Ends Sp&amp;read Apart</source>
        <translation>&amp;Enden gespreizt</translation>
    </message>
    <message>
        <source>Chi&amp;mes Far From Pendulum</source>
        <translation>Röhren weit vom Pen&amp;del</translation>
    </message>
    <message>
        <source>C&amp;onstant Wind Speed</source>
        <translation>Gleich&amp;mäßiger Wind</translation>
    </message>
    <message>
        <source>Fr&amp;actal in Nature</source>
        <translation>&amp;Fraktale Natur</translation>
    </message>
    <message>
        <source>&amp;Calm Day</source>
        <translation>&amp;Windstille</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>About Tinsori</source>
        <translation>Über Tinsori</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Circular</source>
        <translation>Kreisförmig</translation>
    </message>
    <message>
        <source>Tinsori wind chimes</source>
        <translation>Tinsori-Windspiel</translation>
    </message>
    <message>
        <source>Closer In</source>
        <translation>Näher</translation>
    </message>
    <message>
        <source>Chord Progressions</source>
        <translation>Akkordfolgen</translation>
    </message>
    <message>
        <source>You are listening to Tinsori %1</source>
        <translation>Sie hören Tinsori %1</translation>
    </message>
    <message>
        <source>&amp;About Tinsori...</source>
        <translation>Ü&amp;ber Tinsori …</translation>
    </message>
    <message>
        <source>Tinsori cannot open the default MIDI output device.  Please close Tinsori, and any other applications that may be using MIDI and try again.</source>
        <translation>Tinsori kann das Standard-MIDI-Ausgabegerät nicht öffnen. Bitte schließen Sie Tinsori und alle anderen Programme, die MIDI verwenden könnten, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Midi Output Device In Use</source>
        <translation>MIDI-Ausgabegerät belegt</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Are you sure you wish to replace the favorite preset &quot;%s&quot;?</source>
        <translation>Möchten Sie den Favoriten „%s“ wirklich ersetzen?</translation>
    </message>
    <message>
        <source>Replace a Favorite</source>
        <translation>Favoriten ersetzen</translation>
    </message>
    <message>
        <source>All %ld favorties have been filled.  Please remove your &apos;least&apos; favorite first.</source>
        <translation>Alle %ld Favoritenplätze sind belegt. Bitte entfernen Sie zuerst Ihren „unliebsten“ Favoriten.</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Leider nicht</translation>
    </message>
    <message>
        <source>Are you sure you wish to remove the favorite preset &quot;%s&quot;?</source>
        <translation>Möchten Sie den Favoriten „%s“ wirklich entfernen?</translation>
    </message>
    <message>
        <source>Remove a Favorite</source>
        <translation>Favoriten entfernen</translation>
    </message>
    <message>
        <source>Out of space for new scales.  Using different scale than what was intended</source>
        <translation>Kein Platz mehr für neue Tonleitern. Es wird eine andere als die vorgesehene Tonleiter verwendet.</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>No sound: %1 stopped</source>
        <translation>Kein Ton: %1 ist verstummt</translation>
    </message>
    <message>
        <source>No sound device</source>
        <translation>Kein Audiogerät</translation>
    </message>
    <message>
        <source>Tinsori cannot play on %1: %2.</source>
        <translation>Tinsori kann nicht über %1 spielen: %2.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Einschlaf-Timer</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>%1 (%2 min left)</source>
        <translation>%1 (noch %2 min)</translation>
    </message>
    <message>
        <source>%1 (%2 s left)</source>
        <translation>%1 (noch %2 s)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>The settings could not be saved: the profile file cannot be written (is the disk full?).</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: Die Profildatei lässt sich nicht schreiben (ist der Datenträger voll?).</translation>
    </message>
    <message>
        <source>A change could not be stored: the profile file cannot be written (is the disk full?). Tinsori plays on; other copies may not see which channel this one uses.</source>
        <translation>Eine Änderung konnte nicht gespeichert werden: Die Profildatei lässt sich nicht schreiben (ist der Datenträger voll?). Tinsori spielt weiter; andere laufende Tinsori sehen womöglich nicht, welchen Kanal dieses verwendet.</translation>
    </message>
    <message>
        <source>The favorite could not be saved: the profile file cannot be written (is the disk full?).</source>
        <translation>Der Favorit konnte nicht gespeichert werden: Die Profildatei lässt sich nicht schreiben (ist der Datenträger voll?).</translation>
    </message>
    <message>
        <source>The favorite could not be removed: the profile file cannot be written (is the disk full?).</source>
        <translation>Der Favorit konnte nicht entfernt werden: Die Profildatei lässt sich nicht schreiben (ist der Datenträger voll?).</translation>
    </message>
    <message>
        <source>The list of recent favorites could not be updated: the profile file cannot be written (is the disk full?).</source>
        <translation>Die Liste der zuletzt gewählten Favoriten konnte nicht aktualisiert werden: Die Profildatei lässt sich nicht schreiben (ist der Datenträger voll?).</translation>
    </message>
    <message>
        <source>Tinsori Version %1 — made by Quillfen, free to share</source>
        <translation>Tinsori Version %1 — von Quillfen, frei weiterzugeben</translation>
    </message>
    <message>
        <source>Tinsori version %1</source>
        <translation>Tinsori Version %1</translation>
    </message>
    <message>
        <source>no output can be chosen here</source>
        <translation>hier lässt sich keine Ausgabe wählen</translation>
    </message>
    <message>
        <source>the player is not running</source>
        <translation>die Wiedergabe läuft nicht</translation>
    </message>
    <message>
        <source>No output</source>
        <translation>Keine Ausgabe</translation>
    </message>
    <message>
        <source>ALSA port %1</source>
        <translation>ALSA-Port %1</translation>
    </message>
    <message>
        <source>Standard MIDI File</source>
        <translation>Standard-MIDI-Datei</translation>
    </message>
    <message>
        <source>Embedded synthesizer (%1)</source>
        <translation>Eingebauter Synthesizer (%1)</translation>
    </message>
    <message>
        <source>render to %1 (%2)</source>
        <translation>Aufnahme nach %1 (%2)</translation>
    </message>
    <message>
        <source>en/</source>
        <translation>de/</translation>
    </message>
    <message>
        <source>the output did not open</source>
        <translation>die Ausgabe ließ sich nicht öffnen</translation>
    </message>
    <message>
        <source>No sound: %1.

Is a sound server (PipeWire or PulseAudio) running? Tinsori plays on silently; Pause and Continue try again. The Output menu (Shift+F10) chooses another output; tinsori --list-audio-drivers lists the audio drivers and --audio-driver NAME picks one.</source>
        <translation>Kein Ton: %1.

Läuft ein Soundserver (PipeWire oder PulseAudio)? Tinsori spielt stumm weiter; Pause und Weiter versuchen es erneut. Das Menü „Ausgabe“ (Umschalt+F10) wählt eine andere Ausgabe; tinsori --list-audio-drivers listet die Audiotreiber auf, und --audio-driver NAME wählt einen davon.</translation>
    </message>
    <message>
        <source>Tinsori: No Sound</source>
        <translation>Tinsori: Kein Ton</translation>
    </message>
    <message>
        <source>The chimes in a ring as the chime choice places them, the pendulum among them, the strikes and the wind, as the music plays.</source>
        <translation>Die Röhren im Ring, wie die Röhrenauswahl sie anordnet, das Pendel in ihrer Mitte, die Anschläge und der Wind, während die Musik spielt.</translation>
    </message>
    <message>
        <source>Favorite: %1.</source>
        <translation>Favorit: %1.</translation>
    </message>
    <message>
        <source>Wind: %1.</source>
        <translation>Wind: %1.</translation>
    </message>
    <message>
        <source>Sleep in %1</source>
        <translation>Stille in %1</translation>
    </message>
    <message>
        <source>No sound: the output is none</source>
        <translation>Kein Ton: Als Ausgabe ist „none“ gewählt</translation>
    </message>
    <message>
        <source>Shift+F10 chooses another</source>
        <translation>Umschalt+F10 wählt eine andere</translation>
    </message>
    <message>
        <source>No sound: %1; trying again</source>
        <translation>Kein Ton: %1; neuer Versuch läuft</translation>
    </message>
    <message>
        <source>no MIDI output could be opened</source>
        <translation>kein MIDI-Ausgang ließ sich öffnen</translation>
    </message>
    <message>
        <source>Opening the output</source>
        <translation>Ausgabe wird geöffnet</translation>
    </message>
    <message>
        <source>Modelled chimes</source>
        <translation>Modellierte Röhren</translation>
    </message>
</context>
</TS>
