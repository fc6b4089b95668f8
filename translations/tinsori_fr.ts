<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Tinsori</name>
    <message>
        <source>Tinsori plays wind chimes on your MIDI synthesizer while you work. A ring of tuned chimes hangs round a swinging pendulum, and a wandering wind strikes them: a calm day brings rare, soft notes, a storm dense and loud ones.</source>
        <translation>Tinsori joue des carillons éoliens sur votre synthétiseur MIDI pendant que vous travaillez. Un cercle de tubes accordés entoure un pendule oscillant, et un vent capricieux les fait sonner : un temps calme donne des notes rares et douces, une tempête des notes serrées et fortes.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Vent</translation>
    </message>
    <message>
        <source>From Calm Day through Nice Breeze to Storm&apos;s-a-Brewin&apos;</source>
        <translation>Du calme plat à la tempête en vue, en passant par la jolie brise</translation>
    </message>
    <message>
        <source>Chime spread</source>
        <translation>Écartement des tubes</translation>
    </message>
    <message>
        <source>From ends spread apart to circular</source>
        <translation>Des bouts écartés au cercle</translation>
    </message>
    <message>
        <source>Chime distance</source>
        <translation>Distance des tubes</translation>
    </message>
    <message>
        <source>From chimes far from the pendulum to closer in</source>
        <translation>Des tubes loin du pendule aux tubes plus proches</translation>
    </message>
    <message>
        <source>Pendulum length</source>
        <translation>Longueur du pendule</translation>
    </message>
    <message>
        <source>Shorter at the top, longer at the bottom</source>
        <translation>Plus court en haut, plus long en bas</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Chimes in Use</source>
        <translation>Tubes utilisés</translation>
    </message>
    <message>
        <source>Chimes to strike</source>
        <translation>Tubes à frapper</translation>
    </message>
    <message>
        <source>Move the pointer over the tubes, or press 1 to 9 and 0 to strike a chime; Left and Right choose a chime, Space strikes it</source>
        <translation>Passez le pointeur sur les tubes, ou appuyez sur 1 à 9 et 0 pour frapper un tube ; Gauche et Droite choisissent un tube, Espace le frappe</translation>
    </message>
    <message>
        <source>Wind chimes</source>
        <translation>Carillon éolien</translation>
    </message>
    <message>
        <source>Chimes in a circle</source>
        <translation>Tubes en cercle</translation>
    </message>
    <message>
        <source>Chimes with their ends spread apart</source>
        <translation>Tubes aux bouts écartés</translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation>Intensité</translation>
    </message>
    <message>
        <source>Loudspeaker</source>
        <translation>Haut-parleur</translation>
    </message>
    <message>
        <source>Chimes far from the pendulum</source>
        <translation>Tubes loin du pendule</translation>
    </message>
    <message>
        <source>Chimes close to the pendulum</source>
        <translation>Tubes près du pendule</translation>
    </message>
    <message>
        <source>Tinsori Profile</source>
        <translation>Profil de Tinsori</translation>
    </message>
    <message>
        <source>Scroll %1</source>
        <translation>Faire défiler %1</translation>
    </message>
    <message>
        <source>Tinsori Help</source>
        <translation>Aide de Tinsori</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Suivant</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>The help pages are not part of this build.</source>
        <translation>Les pages d&apos;aide ne font pas partie de cette version.</translation>
    </message>
    <message>
        <source>Calm Day</source>
        <translation>Calme plat</translation>
    </message>
    <message>
        <source>Nice Breeze</source>
        <translation>Jolie brise</translation>
    </message>
    <message>
        <source>Storm&apos;s-a-Brewin&apos;</source>
        <translation>Tempête en vue</translation>
    </message>
    <message>
        <source>All Independent</source>
        <translation>Tous indépendants</translation>
    </message>
    <message>
        <source>Chimes Only</source>
        <translation>Tubes seuls</translation>
    </message>
    <message>
        <source>Quantized</source>
        <translation>Quantifié</translation>
    </message>
    <message>
        <source>Center Pendulum</source>
        <translation>Pendule central</translation>
    </message>
    <message>
        <source>%1 · beat %2 ms</source>
        <translation>%1 · temps %2 ms</translation>
    </message>
    <message>
        <source>Tinsori Live View</source>
        <translation>Tinsori en direct</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Fa&amp;vorite Settings</source>
        <translation>&amp;Favoris</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Voir</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>&amp;Instrument</source>
        <translation>&amp;Instrument</translation>
    </message>
    <message>
        <source>Hold Notes</source>
        <translation>Sons tenus</translation>
    </message>
    <message>
        <source>Chann&amp;el</source>
        <translation>&amp;Canal</translation>
    </message>
    <message>
        <source>Vol&amp;ume</source>
        <translation>&amp;Volume</translation>
    </message>
    <message>
        <source>Chime Selection</source>
        <translation>Choix des tubes</translation>
    </message>
    <message>
        <source>&amp;Number of Chimes</source>
        <translation>&amp;Nombre de tubes</translation>
    </message>
    <message>
        <source>&amp;Base Note</source>
        <translation>&amp;Tonique</translation>
    </message>
    <message>
        <source>&amp;Scale</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>&amp;Transpose</source>
        <translation>Trans&amp;poser</translation>
    </message>
    <message>
        <source>Chime Configuration</source>
        <translation>Disposition des tubes</translation>
    </message>
    <message>
        <source>Center &amp;Pendulum</source>
        <translation>Pendule c&amp;entral</translation>
    </message>
    <message>
        <source>All In&amp;dependent</source>
        <translation>Indépendant&amp;s</translation>
    </message>
    <message>
        <source>Chimes On&amp;ly</source>
        <translation>T&amp;ubes seuls</translation>
    </message>
    <message>
        <source>&amp;Quantized</source>
        <translation>&amp;Quantifié</translation>
    </message>
    <message>
        <source>Shu&amp;ffle Order</source>
        <translation>Au &amp;hasard</translation>
    </message>
    <message>
        <source>Ends Sp&amp;read Apart</source>
        <translation>&amp;Bouts écartés</translation>
    </message>
    <message>
        <source>Chi&amp;mes Far From Pendulum</source>
        <translation>Tubes &amp;loin du pendule</translation>
    </message>
    <message>
        <source>C&amp;onstant Wind Speed</source>
        <translation>Vent c&amp;onstant</translation>
    </message>
    <message>
        <source>Fr&amp;actal in Nature</source>
        <translation>F&amp;ractal naturel</translation>
    </message>
    <message>
        <source>&amp;Calm Day</source>
        <translation>C&amp;alme plat</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>About Tinsori</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Circular</source>
        <translation>Circulaire</translation>
    </message>
    <message>
        <source>Tinsori wind chimes</source>
        <translation>Carillon éolien Tinsori</translation>
    </message>
    <message>
        <source>Closer In</source>
        <translation>Plus près</translation>
    </message>
    <message>
        <source>Chord Progressions</source>
        <translation>Enchaînements d&apos;accords</translation>
    </message>
    <message>
        <source>You are listening to Tinsori %1</source>
        <translation>Vous écoutez Tinsori %1</translation>
    </message>
    <message>
        <source>&amp;About Tinsori...</source>
        <translation>À &amp;propos de Tinsori…</translation>
    </message>
    <message>
        <source>Tinsori cannot open the default MIDI output device.  Please close Tinsori, and any other applications that may be using MIDI and try again.</source>
        <translation>Tinsori ne peut pas ouvrir le périphérique de sortie MIDI par défaut. Veuillez fermer Tinsori et toute autre application susceptible d&apos;utiliser le MIDI, puis réessayer.</translation>
    </message>
    <message>
        <source>Midi Output Device In Use</source>
        <translation>Périphérique de sortie MIDI occupé</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Are you sure you wish to replace the favorite preset &quot;%s&quot;?</source>
        <translation>Voulez-vous vraiment remplacer le favori « %s » ?</translation>
    </message>
    <message>
        <source>Replace a Favorite</source>
        <translation>Remplacer un favori</translation>
    </message>
    <message>
        <source>All %ld favorties have been filled.  Please remove your &apos;least&apos; favorite first.</source>
        <translation>Les %ld favoris sont tous occupés. Supprimez d&apos;abord votre « moins » favori.</translation>
    </message>
    <message>
        <source>Sorry</source>
        <translation>Désolé</translation>
    </message>
    <message>
        <source>Are you sure you wish to remove the favorite preset &quot;%s&quot;?</source>
        <translation>Voulez-vous vraiment supprimer le favori « %s » ?</translation>
    </message>
    <message>
        <source>Remove a Favorite</source>
        <translation>Supprimer un favori</translation>
    </message>
    <message>
        <source>Out of space for new scales.  Using different scale than what was intended</source>
        <translation>Plus de place pour de nouvelles gammes. Une autre gamme que celle prévue est utilisée.</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>No sound: %1 stopped</source>
        <translation>Pas de son : %1 s&apos;est arrêté</translation>
    </message>
    <message>
        <source>No sound device</source>
        <translation>Aucun périphérique audio</translation>
    </message>
    <message>
        <source>Tinsori cannot play on %1: %2.</source>
        <translation>Tinsori ne peut pas jouer sur %1 : %2.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Mise en veille</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivée</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 secondes</translation>
    </message>
    <message>
        <source>%1 (%2 min left)</source>
        <translation>%1 (reste %2 min)</translation>
    </message>
    <message>
        <source>%1 (%2 s left)</source>
        <translation>%1 (reste %2 s)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>&amp;Réglages…</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>Re&amp;prendre</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>The settings could not be saved: the profile file cannot be written (is the disk full?).</source>
        <translation>Les réglages n&apos;ont pas pu être enregistrés : impossible d&apos;écrire le fichier de profil (le disque est-il plein ?).</translation>
    </message>
    <message>
        <source>A change could not be stored: the profile file cannot be written (is the disk full?). Tinsori plays on; other copies may not see which channel this one uses.</source>
        <translation>Une modification n&apos;a pas pu être enregistrée : impossible d&apos;écrire le fichier de profil (le disque est-il plein ?). Tinsori continue de jouer ; d&apos;autres exemplaires ouverts risquent d&apos;ignorer le canal qu&apos;il utilise.</translation>
    </message>
    <message>
        <source>The favorite could not be saved: the profile file cannot be written (is the disk full?).</source>
        <translation>Le favori n&apos;a pas pu être enregistré : impossible d&apos;écrire le fichier de profil (le disque est-il plein ?).</translation>
    </message>
    <message>
        <source>The favorite could not be removed: the profile file cannot be written (is the disk full?).</source>
        <translation>Le favori n&apos;a pas pu être supprimé : impossible d&apos;écrire le fichier de profil (le disque est-il plein ?).</translation>
    </message>
    <message>
        <source>The list of recent favorites could not be updated: the profile file cannot be written (is the disk full?).</source>
        <translation>La liste des favoris récents n&apos;a pas pu être mise à jour : impossible d&apos;écrire le fichier de profil (le disque est-il plein ?).</translation>
    </message>
    <message>
        <source>Tinsori Version %1 — made by Quillfen, free to share</source>
        <translation>Tinsori version %1 — par Quillfen, libre de partage</translation>
    </message>
    <message>
        <source>Tinsori version %1</source>
        <translation>Tinsori version %1</translation>
    </message>
    <message>
        <source>no output can be chosen here</source>
        <translation>aucune sortie ne peut être choisie ici</translation>
    </message>
    <message>
        <source>the player is not running</source>
        <translation>la lecture n&apos;est pas en cours</translation>
    </message>
    <message>
        <source>No output</source>
        <translation>Aucune sortie</translation>
    </message>
    <message>
        <source>ALSA port %1</source>
        <translation>Port ALSA %1</translation>
    </message>
    <message>
        <source>Standard MIDI File</source>
        <translation>Fichier MIDI standard</translation>
    </message>
    <message>
        <source>Embedded synthesizer (%1)</source>
        <translation>Synthétiseur intégré (%1)</translation>
    </message>
    <message>
        <source>render to %1 (%2)</source>
        <translation>rendu vers %1 (%2)</translation>
    </message>
    <message>
        <source>en/</source>
        <translation>fr/</translation>
    </message>
    <message>
        <source>the output did not open</source>
        <translation>la sortie ne s&apos;est pas ouverte</translation>
    </message>
    <message>
        <source>No sound: %1.

Is a sound server (PipeWire or PulseAudio) running? Tinsori plays on silently; Pause and Continue try again. The Output menu (Shift+F10) chooses another output; tinsori --list-audio-drivers lists the audio drivers and --audio-driver NAME picks one.</source>
        <translation>Pas de son : %1.

Un serveur de son (PipeWire ou PulseAudio) est-il lancé ? Tinsori continue en silence ; Pause puis Reprendre réessaient. Le menu Sortie (Maj+F10) choisit une autre sortie ; tinsori --list-audio-drivers liste les pilotes audio et --audio-driver NOM en choisit un.</translation>
    </message>
    <message>
        <source>Tinsori: No Sound</source>
        <translation>Tinsori : pas de son</translation>
    </message>
    <message>
        <source>The chimes in a ring as the chime choice places them, the pendulum among them, the strikes and the wind, as the music plays.</source>
        <translation>Les tubes en cercle tels que le choix des tubes les place, le pendule parmi eux, les coups et le vent, pendant que la musique joue.</translation>
    </message>
    <message>
        <source>Favorite: %1.</source>
        <translation>Favori : %1.</translation>
    </message>
    <message>
        <source>Wind: %1.</source>
        <translation>Vent : %1.</translation>
    </message>
    <message>
        <source>Sleep in %1</source>
        <translation>Veille dans %1</translation>
    </message>
    <message>
        <source>No sound: the output is none</source>
        <translation>Pas de son : la sortie est « none »</translation>
    </message>
    <message>
        <source>Shift+F10 chooses another</source>
        <translation>Maj+F10 en choisit une autre</translation>
    </message>
    <message>
        <source>No sound: %1; trying again</source>
        <translation>Pas de son : %1 ; nouvel essai en cours</translation>
    </message>
    <message>
        <source>no MIDI output could be opened</source>
        <translation>aucune sortie MIDI n&apos;a pu être ouverte</translation>
    </message>
    <message>
        <source>Opening the output</source>
        <translation>Ouverture de la sortie</translation>
    </message>
    <message>
        <source>Modelled chimes</source>
        <translation>Tubes modélisés</translation>
    </message>
</context>
</TS>
