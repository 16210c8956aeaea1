// The localized string table, System/strings.tsv: one row per string number,
// one column per language (English, French, German, Spanish, Italian, Swedish).
#include "Bake.h"
#include "System/Strings.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
	struct StringRow
	{
		int number;
		std::array<const char*, MAX_LANGUAGES> text;	// en, fr, de, es, it, sv
	};

	// Help texts: '#' becomes the name of the key or button the player uses
	// (punch for 0 and 1; jump for 2, 12, 16 and 21).
	const StringRow kStrings[] =
	{
		{ STR_LANGUAGE_NAME, { "English", "Français", "Deutsch", "Español", "Italiano", "Svenska" } },
		{ STR_NEW_GAME, { "New Game", "Nouvelle partie", "Neues Spiel", "Nueva partida", "Nuova partita", "Nytt spel" } },
		{ STR_INFORMATION, { "Information", "Informations", "Information", "Información", "Informazioni", "Information" } },
		{ STR_HIGH_SCORES, { "High Scores", "Meilleurs scores", "Bestenliste", "Récords", "Punteggi migliori", "Topplista" } },
		{ STR_LOAD_GAME, { "Load Game", "Charger une partie", "Spiel laden", "Cargar partida", "Carica partita", "Ladda spel" } },
		{ STR_CREDITS, { "Credits", "Crédits", "Mitwirkende", "Créditos", "Crediti", "Medverkande" } },
		{ STR_SETTINGS, { "Settings", "Paramètres", "Einstellungen", "Opciones", "Impostazioni", "Inställningar" } },
		{ STR_RESUME, { "Resume", "Reprendre", "Weiterspielen", "Reanudar", "Riprendi", "Återgå till spelet" } },
		{ STR_END_GAME, { "End Game", "Abandonner la partie", "Spiel abbrechen", "Abandonar partida", "Abbandona partita", "Avbryt spelet" } },
		{ STR_QUIT, { "Quit", "Quitter", "Beenden", "Salir", "Esci", "Avsluta" } },
		{ STR_SAVE_GAME, { "Save Game", "Sauvegarder la partie", "Spiel speichern", "Guardar partida", "Salva partita", "Spara spelet" } },
		{ STR_CONTINUE, { "Continue", "Continuer", "Weiter", "Continuar", "Continua", "Fortsätt" } },
		{ STR_SLOT_LEVEL, { "Level", "Niveau", "Level", "Nivel", "Livello", "Bana" } },
		{ STR_EMPTY, { "Empty", "Vide", "Leer", "Vacío", "Vuoto", "Tom" } },

		{ STR_MONTH_FIRST + 0, { "January", "janvier", "Januar", "enero", "gennaio", "januari" } },
		{ STR_MONTH_FIRST + 1, { "February", "février", "Februar", "febrero", "febbraio", "februari" } },
		{ STR_MONTH_FIRST + 2, { "March", "mars", "März", "marzo", "marzo", "mars" } },
		{ STR_MONTH_FIRST + 3, { "April", "avril", "April", "abril", "aprile", "april" } },
		{ STR_MONTH_FIRST + 4, { "May", "mai", "Mai", "mayo", "maggio", "maj" } },
		{ STR_MONTH_FIRST + 5, { "June", "juin", "Juni", "junio", "giugno", "juni" } },
		{ STR_MONTH_FIRST + 6, { "July", "juillet", "Juli", "julio", "luglio", "juli" } },
		{ STR_MONTH_FIRST + 7, { "August", "août", "August", "agosto", "agosto", "augusti" } },
		{ STR_MONTH_FIRST + 8, { "September", "septembre", "September", "septiembre", "settembre", "september" } },
		{ STR_MONTH_FIRST + 9, { "October", "octobre", "Oktober", "octubre", "ottobre", "oktober" } },
		{ STR_MONTH_FIRST + 10, { "November", "novembre", "November", "noviembre", "novembre", "november" } },
		{ STR_MONTH_FIRST + 11, { "December", "décembre", "Dezember", "diciembre", "dicembre", "december" } },

		{ STR_LEVEL_SELECT, { "Choose a Level", "Choisissez un niveau", "Level auswählen", "Elige un nivel", "Scegli un livello", "Välj bana" } },
		{ STR_LEVEL_NAME_FIRST + 0, { "The Farm", "La ferme", "Der Bauernhof", "La granja", "La fattoria", "Bondgården" } },
		{ STR_LEVEL_NAME_FIRST + 1, { "Slime World", "Le monde gluant", "Die Schleimwelt", "El mundo viscoso", "Il mondo melmoso", "Slemvärlden" } },
		{ STR_LEVEL_NAME_FIRST + 2, { "Blob Boss", "Le boss Blob", "Der Blob-Boss", "El jefe Blob", "Il boss Blob", "Blobbossen" } },
		{ STR_LEVEL_NAME_FIRST + 3, { "Apocalypse City", "La cité de l'apocalypse", "Stadt der Apokalypse", "La ciudad del apocalipsis", "La città dell'apocalisse", "Apokalypsstaden" } },
		{ STR_LEVEL_NAME_FIRST + 4, { "Cloud City", "La cité des nuages", "Die Wolkenstadt", "La ciudad de las nubes", "La città delle nuvole", "Molnstaden" } },
		{ STR_LEVEL_NAME_FIRST + 5, { "The Jungle", "La jungle", "Der Dschungel", "La jungla", "La giungla", "Djungeln" } },
		{ STR_LEVEL_NAME_FIRST + 6, { "Jungle Boss", "Le boss de la jungle", "Der Dschungel-Boss", "El jefe de la jungla", "Il boss della giungla", "Djungelbossen" } },
		{ STR_LEVEL_NAME_FIRST + 7, { "Fire & Ice", "Feu et glace", "Feuer und Eis", "Fuego y hielo", "Fuoco e ghiaccio", "Eld och is" } },
		{ STR_LEVEL_NAME_FIRST + 8, { "Flying Saucer", "La soucoupe volante", "Die fliegende Untertasse", "El platillo volante", "Il disco volante", "Det flygande tefatet" } },
		{ STR_LEVEL_NAME_FIRST + 9, { "Brain Boss", "Le boss cerveau", "Der Gehirn-Boss", "El jefe cerebro", "Il boss cervello", "Hjärnbossen" } },

		{ STR_HELP_FIRST + 0, {		// power-up pods
			"Press # to punch open power-up pods",
			"Appuyez sur # pour ouvrir les capsules de bonus d'un coup de poing",
			"Drücke #, um Power-up-Kapseln aufzuschlagen",
			"Pulsa # para abrir las cápsulas de mejora de un puñetazo",
			"Premi # per aprire le capsule potenziamento con un pugno",
			"Tryck på # för att slå upp bonuskapslarna" } },
		{ STR_HELP_FIRST + 1, {		// pick-ups
			"Press # to pick up the item",
			"Appuyez sur # pour ramasser l'objet",
			"Drücke #, um den Gegenstand aufzuheben",
			"Pulsa # para recoger el objeto",
			"Premi # per raccogliere l'oggetto",
			"Tryck på # för att plocka upp föremålet" } },
		{ STR_HELP_FIRST + 2, {		// jump-jet door
			"Press # twice to smash through the door with your jump jet",
			"Appuyez deux fois sur # pour enfoncer la porte avec le propulseur",
			"Drücke zweimal #, um mit der Sprungdüse durch die Tür zu brechen",
			"Pulsa # dos veces para atravesar la puerta con el propulsor",
			"Premi due volte # per sfondare la porta con il propulsore",
			"Tryck två gånger på # för att spränga dig igenom dörren med jetpacken" } },
		{ STR_HELP_FIRST + 3, {		// jump-jet door
			"Only the jump jet can break through wooden doors",
			"Seul le propulseur peut enfoncer les portes en bois",
			"Nur die Sprungdüse bricht durch Holztüren",
			"Solo el propulsor puede atravesar las puertas de madera",
			"Solo il propulsore può sfondare le porte di legno",
			"Bara jetpacken kan bryta igenom trädörrar" } },
		{ STR_HELP_FIRST + 4, {		// jump-jet door without fuel
			"You need jump-jet fuel to break through this door",
			"Il vous faut du carburant pour le propulseur afin d'enfoncer cette porte",
			"Du brauchst Treibstoff für die Sprungdüse, um diese Tür zu durchbrechen",
			"Necesitas combustible en el propulsor para atravesar esta puerta",
			"Ti serve carburante nel propulsore per sfondare questa porta",
			"Du behöver bränsle till jetpacken för att bryta igenom den här dörren" } },
		{ STR_HELP_FIRST + 5, {		// health atoms
			"Collect these atoms to restore your health",
			"Ramassez ces atomes pour regagner de la santé",
			"Sammle diese Atome, um deine Gesundheit wiederherzustellen",
			"Recoge estos átomos para recuperar salud",
			"Raccogli questi atomi per recuperare salute",
			"Samla de här atomerna för att återfå hälsa" } },
		{ STR_HELP_FIRST + 6, {		// fuel atoms
			"Collect these atoms to refuel your jump jet",
			"Ramassez ces atomes pour faire le plein du propulseur",
			"Sammle diese Atome, um die Sprungdüse aufzutanken",
			"Recoge estos átomos para repostar el propulsor",
			"Raccogli questi atomi per rifornire il propulsore",
			"Samla de här atomerna för att tanka jetpacken" } },
		{ STR_HELP_FIRST + 7, {		// exit-charge atoms
			"Collect these atoms to charge the exit saucer",
			"Ramassez ces atomes pour charger la soucoupe de sortie",
			"Sammle diese Atome, um die Ausgangs-Untertasse aufzuladen",
			"Recoge estos átomos para cargar el platillo de salida",
			"Raccogli questi atomi per caricare il disco volante d'uscita",
			"Samla de här atomerna för att ladda utgångstefatet" } },
		{ STR_HELP_FIRST + 8, {		// exit saucer not charged
			"The exit saucer only leaves once it is fully charged",
			"La soucoupe de sortie ne décolle qu'une fois entièrement chargée",
			"Die Ausgangs-Untertasse startet erst, wenn sie voll aufgeladen ist",
			"El platillo de salida solo despega cuando está totalmente cargado",
			"Il disco volante d'uscita parte solo quando è completamente carico",
			"Utgångstefatet lyfter först när det är fulladdat" } },
		{ STR_HELP_FIRST + 9, {		// rescue humans
			"Touch the humans to teleport them to safety",
			"Touchez les humains pour les téléporter en lieu sûr",
			"Berühre die Menschen, um sie in Sicherheit zu teleportieren",
			"Toca a los humanos para teletransportarlos a un lugar seguro",
			"Tocca gli umani per teletrasportarli al sicuro",
			"Rör vid människorna för att teleportera dem i säkerhet" } },
		{ STR_HELP_FIRST + 10, {	// checkpoints
			"Touch checkpoints: you come back at the last one after losing a life",
			"Touchez les points de contrôle : vous repartirez du dernier après avoir perdu une vie",
			"Berühre Kontrollpunkte: Nach einem verlorenen Leben geht es beim letzten weiter",
			"Toca los puntos de control: si pierdes una vida, volverás al último",
			"Tocca i checkpoint: se perdi una vita, ripartirai dall'ultimo",
			"Rör vid kontrollpunkterna: förlorar du ett liv börjar du om vid den senaste" } },
		{ STR_HELP_FIRST + 11, {	// saucer drop zone, nobody aboard
			"Beam humans aboard, then bring them here to drop them off",
			"Embarquez des humains avec le rayon, puis déposez-les ici",
			"Beame Menschen an Bord und bring sie dann hierher",
			"Sube humanos a bordo con el rayo y luego déjalos aquí",
			"Porta a bordo gli umani con il raggio, poi lasciali qui",
			"Stråla upp människor ombord och lämna sedan av dem här" } },
		{ STR_HELP_FIRST + 12, {	// tow handle
			"Press # to let go of the tow handle",
			"Appuyez sur # pour lâcher la poignée",
			"Drücke #, um den Haltegriff loszulassen",
			"Pulsa # para soltar el asa",
			"Premi # per lasciare la maniglia",
			"Tryck på # för att släppa handtaget" } },
		{ STR_HELP_FIRST + 13, {	// saucer: humans and huts
			"Fly over the humans with the tractor beam to take them aboard",
			"Survolez les humains avec le rayon tracteur pour les faire monter à bord",
			"Flieg mit dem Traktorstrahl über die Menschen, um sie an Bord zu holen",
			"Vuela sobre los humanos con el rayo tractor para subirlos a bordo",
			"Sorvola gli umani con il raggio traente per portarli a bordo",
			"Flyg över människorna med dragstrålen för att ta dem ombord" } },
		{ STR_HELP_FIRST + 14, {	// first delivery
			"Well done! Deliver 20 humans to charge the exit",
			"Bravo ! Déposez 20 humains pour charger la sortie",
			"Gut gemacht! Bring 20 Menschen hierher, um den Ausgang aufzuladen",
			"¡Bien hecho! Entrega 20 humanos para cargar la salida",
			"Ben fatto! Porta qui 20 umani per caricare l'uscita",
			"Bra jobbat! Lämna av 20 människor för att ladda utgången" } },
		{ STR_HELP_FIRST + 15, {	// saucer full
			"The saucer is full: take the humans to the drop zone",
			"La soucoupe est pleine : emmenez les humains à la zone de dépôt",
			"Die Untertasse ist voll: Bring die Menschen zur Absetzzone",
			"El platillo está lleno: lleva a los humanos a la zona de entrega",
			"Il disco volante è pieno: porta gli umani alla zona di sbarco",
			"Tefatet är fullt: flyg människorna till avlämningsplatsen" } },
		{ STR_HELP_FIRST + 16, {	// saucer landing
			"Press # to beam the robot down",
			"Appuyez sur # pour téléporter le robot au sol",
			"Drücke #, um den Roboter hinunterzubeamen",
			"Pulsa # para bajar al robot con el rayo",
			"Premi # per far scendere il robot con il raggio",
			"Tryck på # för att stråla ner roboten" } },
		{ STR_HELP_FIRST + 17, {	// exit not charged
			"The exit is not charged yet: collect more exit atoms",
			"La sortie n'est pas encore chargée : ramassez d'autres atomes de sortie",
			"Der Ausgang ist noch nicht aufgeladen: Sammle mehr Ausgangsatome",
			"La salida aún no está cargada: recoge más átomos de salida",
			"L'uscita non è ancora carica: raccogli altri atomi d'uscita",
			"Utgången är inte laddad än: samla fler utgångsatomer" } },
		{ STR_HELP_FIRST + 18, {	// goo
			"Grab the goo before it turns back into a blob",
			"Attrapez la gelée avant qu'elle ne redevienne un blob",
			"Schnapp dir den Schleim, bevor er wieder zum Blob wird",
			"Recoge el limo antes de que vuelva a ser un blob",
			"Afferra la melma prima che torni a essere un blob",
			"Ta slemmet innan det blir en blob igen" } },
		{ STR_HELP_FIRST + 19, {	// crusher
			"Only a nova blast can set this crusher in motion",
			"Seule une décharge nova peut mettre ce broyeur en marche",
			"Nur eine Nova-Entladung setzt diese Presse in Gang",
			"Solo una descarga nova puede poner en marcha esta trituradora",
			"Solo una scarica nova può azionare questo frantumatore",
			"Bara en novaurladdning kan sätta igång den här krossen" } },
		{ STR_HELP_FIRST + 20, {	// one-sided crusher, from behind
			"This crusher can only be started from the other side",
			"Ce broyeur ne peut être mis en marche que de l'autre côté",
			"Diese Presse lässt sich nur von der anderen Seite starten",
			"Esta trituradora solo se puede poner en marcha desde el otro lado",
			"Questo frantumatore si aziona solo dall'altro lato",
			"Den här krossen kan bara startas från andra sidan" } },
		{ STR_HELP_FIRST + 21, {	// cannon
			"Press # to climb into the cannon",
			"Appuyez sur # pour entrer dans le canon",
			"Drücke #, um in die Kanone zu steigen",
			"Pulsa # para meterte en el cañón",
			"Premi # per entrare nel cannone",
			"Tryck på # för att klättra in i kanonen" } },

		{ STR_LANGUAGE, { "Language", "Langue", "Sprache", "Idioma", "Lingua", "Språk" } },
		{ STR_FULLSCREEN, { "Fullscreen", "Plein écran", "Vollbild", "Pantalla completa", "Schermo intero", "Helskärm" } },
		{ STR_VSYNC, { "V-Sync", "Synchro verticale", "V-Sync", "Sinc. vertical", "Sincronia verticale", "V-synk" } },
		{ STR_HUD_WITHIN_4X3, { "Keep HUD Within 4:3", "HUD limité au 4:3", "HUD im 4:3-Bereich", "HUD dentro de 4:3", "HUD entro il 4:3", "HUD inom 4:3" } },
		{ STR_HUD_SIZE, { "HUD Size", "Taille du HUD", "HUD-Größe", "Tamaño del HUD", "Dimensione HUD", "HUD-storlek" } },
		{ STR_CAMERA_AUTO_FOLLOW, { "Auto-Follow Camera", "Caméra auto", "Auto-Kamera", "Cámara automática", "Visuale automatica", "Autokamera" } },
		{ STR_ANTIALIASING, { "Antialiasing", "Anticrénelage", "Kantenglättung", "Suavizado de bordes", "Antialiasing", "Kantutjämning" } },
		{ STR_ANTIALIASING_2X, { "2x MSAA", "2x MSAA", "2x MSAA", "2x MSAA", "2x MSAA", "2x MSAA" } },
		{ STR_ANTIALIASING_4X, { "4x MSAA", "4x MSAA", "4x MSAA", "4x MSAA", "4x MSAA", "4x MSAA" } },
		{ STR_ANTIALIASING_8X, { "8x MSAA", "8x MSAA", "8x MSAA", "8x MSAA", "8x MSAA", "8x MSAA" } },
		{ STR_DISPLAY, { "Display", "Écran", "Bildschirm", "Pantalla", "Schermo", "Skärm" } },
		{ STR_DISPLAY_NUMBER, { "Display", "Écran", "Bildschirm", "Pantalla", "Schermo", "Skärm" } },
		{ STR_ANTIALIASING_NOTICE_1, {
			"The new antialiasing setting will",
			"Le nouveau réglage d'anticrénelage",
			"Die neue Kantenglättung wird erst",
			"El nuevo ajuste de suavizado",
			"La nuova impostazione di antialiasing",
			"Den nya kantutjämningen börjar gälla" } },
		{ STR_ANTIALIASING_NOTICE_2, {
			"take effect when you restart the game.",
			"prendra effet au prochain lancement du jeu.",
			"nach einem Neustart des Spiels wirksam.",
			"se aplicará al reiniciar el juego.",
			"avrà effetto al riavvio del gioco.",
			"när du startar om spelet." } },
		{ STR_STEREO_GLASSES, { "Stereo 3D Glasses", "Lunettes 3D", "3D-Brille", "Gafas 3D", "Occhiali 3D", "3D-glasögon" } },
		{ STR_MUSIC, { "Music", "Musique", "Musik", "Música", "Musica", "Musik" } },
		{ STR_KEYBOARD, { "Keyboard", "Clavier", "Tastatur", "Teclado", "Tastiera", "Tangentbord" } },
		{ STR_GAMEPAD, { "Gamepad", "Manette", "Gamepad", "Mando", "Controller", "Handkontroll" } },
		{ STR_MOUSE, { "Mouse", "Souris", "Maus", "Ratón", "Mouse", "Mus" } },
		{ STR_KEYBOARD_INSTRUCTIONS, {
			"Return or click to change a key, Delete to clear it",
			"Entrée ou clic pour changer une touche, Suppr pour l'effacer",
			"Eingabe oder Klick zum Ändern, Entf zum Löschen",
			"Intro o clic para cambiar una tecla, Supr para borrarla",
			"Invio o clic per cambiare un tasto, Canc per cancellarlo",
			"Retur eller klick för att byta tangent, Delete för att rensa" } },
		{ STR_GAMEPAD_INSTRUCTIONS, {
			"A to change a button, X to clear it",
			"A pour changer un bouton, X pour l'effacer",
			"A zum Ändern einer Taste, X zum Löschen",
			"A para cambiar un botón, X para borrarlo",
			"A per cambiare un pulsante, X per cancellarlo",
			"A för att byta knapp, X för att rensa" } },
		{ STR_PRESS_NEW_KEY, {
			"Press the new key (Esc to cancel)",
			"Appuyez sur la nouvelle touche (Échap pour annuler)",
			"Drücke die neue Taste (Esc zum Abbrechen)",
			"Pulsa la nueva tecla (Esc para cancelar)",
			"Premi il nuovo tasto (Esc per annullare)",
			"Tryck på den nya tangenten (Esc för att avbryta)" } },
		{ STR_PRESS_NEW_BUTTON, {
			"Press the new button (Start to cancel)",
			"Appuyez sur le nouveau bouton (Start pour annuler)",
			"Drücke die neue Taste (Start zum Abbrechen)",
			"Pulsa el nuevo botón (Start para cancelar)",
			"Premi il nuovo pulsante (Start per annullare)",
			"Tryck på den nya knappen (Start för att avbryta)" } },
		{ STR_NO_GAMEPAD, { "No gamepad connected", "Aucune manette connectée", "Kein Gamepad angeschlossen", "No hay ningún mando conectado", "Nessun controller collegato", "Ingen handkontroll ansluten" } },
		{ STR_RUMBLE, { "Rumble", "Vibrations", "Vibration", "Vibración", "Vibrazione", "Vibration" } },
		{ STR_MOUSE_SENSITIVITY, { "Mouse Sensitivity", "Sensibilité souris", "Mausempfindlichkeit", "Sensib. del ratón", "Sensibilità del mouse", "Muskänslighet" } },
		{ STR_SCALE_FIRST + 0, { "1", "1", "1", "1", "1", "1" } },
		{ STR_SCALE_FIRST + 1, { "2", "2", "2", "2", "2", "2" } },
		{ STR_SCALE_FIRST + 2, { "3", "3", "3", "3", "3", "3" } },
		{ STR_SCALE_FIRST + 3, { "4", "4", "4", "4", "4", "4" } },
		{ STR_SCALE_FIRST + 4, { "5", "5", "5", "5", "5", "5" } },
		{ STR_SCALE_FIRST + 5, { "6", "6", "6", "6", "6", "6" } },
		{ STR_SCALE_FIRST + 6, { "7", "7", "7", "7", "7", "7" } },
		{ STR_SCALE_FIRST + 7, { "8", "8", "8", "8", "8", "8" } },
		{ STR_MOUSE_CONTROLS, { "Mouse Controls", "Contrôle à la souris", "Maus steuert", "Control del ratón", "Controllo del mouse", "Musen styr" } },
		{ STR_MOUSE_CONTROLS_CAMERA, { "Camera", "Caméra", "Kamera", "Cámara", "Visuale", "Kameran" } },
		{ STR_MOUSE_CONTROLS_ROBOT, { "Robot", "Robot", "Roboter", "Robot", "Robot", "Roboten" } },
		{ STR_OK, { "OK", "OK", "OK", "Aceptar", "OK", "OK" } },
		{ STR_BACK, { "Back", "Retour", "Zurück", "Volver", "Indietro", "Tillbaka" } },
		{ STR_ON, { "On", "Oui", "An", "Sí", "Sì", "På" } },
		{ STR_OFF, { "Off", "Non", "Aus", "No", "No", "Av" } },
		{ STR_STEREO_MONOCHROME, { "Monochrome", "Monochrome", "Monochrom", "Monocromo", "Monocromatico", "Monokrom" } },
		{ STR_STEREO_COLOR, { "Color", "Couleur", "Farbe", "Color", "Colori", "Färg" } },
		{ STR_STEREO_NOTICE_1, { "Stereo 3D is on", "La 3D stéréo est activée", "Stereo-3D ist eingeschaltet", "El 3D estereoscópico está activado", "Il 3D stereoscopico è attivo", "Stereo-3D är på" } },
		{ STR_STEREO_NOTICE_2, { "Put on red and cyan 3D glasses", "Mettez des lunettes 3D rouge et cyan", "Setze eine Rot-Cyan-3D-Brille auf,", "Ponte unas gafas 3D rojo y cian", "Indossa occhiali 3D rosso e ciano", "Ta på dig röd-cyan 3D-glasögon" } },
		{ STR_STEREO_NOTICE_3, { "to see the game in depth.", "pour voir le jeu en relief.", "um das Spiel räumlich zu sehen.", "para ver el juego en relieve.", "per vedere il gioco in rilievo.", "för att se spelet med djupverkan." } },
		{ STR_CAPTURE_WAITING, { "Waiting...", "En attente...", "Warte...", "Esperando...", "In attesa...", "Väntar..." } },
		{ STR_CAPTURE_MOUSE_WAITING, { "Click a mouse button", "Appuyez sur un bouton de la souris", "Drücke eine Maustaste", "Pulsa un botón del ratón", "Premi un tasto del mouse", "Tryck på en musknapp" } },
		{ STR_RESET_BINDINGS, { "Reset to Defaults", "Rétablir les valeurs par défaut", "Standard wiederherstellen", "Restablecer valores predeterminados", "Ripristina predefiniti", "Återställ standard" } },
		{ STR_MOUSE_LEFT_BUTTON, { "Left Button", "Bouton gauche", "Linke Taste", "Botón izquierdo", "Tasto sinistro", "Vänster knapp" } },
		{ STR_MOUSE_MIDDLE_BUTTON, { "Middle Button", "Bouton central", "Mittlere Taste", "Botón central", "Tasto centrale", "Mittenknapp" } },
		{ STR_MOUSE_RIGHT_BUTTON, { "Right Button", "Bouton droit", "Rechte Taste", "Botón derecho", "Tasto destro", "Höger knapp" } },
		{ STR_MOUSE_BUTTON_N, { "Button", "Bouton", "Taste", "Botón", "Tasto", "Knapp" } },
		{ STR_MOUSE_WHEEL_UP, { "Wheel Up", "Molette vers le haut", "Mausrad hoch", "Rueda arriba", "Rotella su", "Hjul upp" } },
		{ STR_MOUSE_WHEEL_DOWN, { "Wheel Down", "Molette vers le bas", "Mausrad runter", "Rueda abajo", "Rotella giù", "Hjul ner" } },
		{ STR_UNBOUND, { "Unbound", "Libre", "Nicht belegt", "Sin asignar", "Libero", "Ej tilldelad" } },

		{ STR_NEED_NAME_FIRST + 0, { "Forward", "Avancer", "Vorwärts", "Avanzar", "Avanti", "Framåt" } },
		{ STR_NEED_NAME_FIRST + 1, { "Backward", "Reculer", "Rückwärts", "Retroceder", "Indietro", "Bakåt" } },
		{ STR_NEED_NAME_FIRST + 2, { "Left", "Gauche", "Links", "Izquierda", "Sinistra", "Vänster" } },
		{ STR_NEED_NAME_FIRST + 3, { "Right", "Droite", "Rechts", "Derecha", "Destra", "Höger" } },
		{ STR_NEED_NAME_FIRST + 4, { "Previous Weapon", "Arme précédente", "Vorherige Waffe", "Arma anterior", "Arma precedente", "Föregående vapen" } },
		{ STR_NEED_NAME_FIRST + 5, { "Next Weapon", "Arme suivante", "Nächste Waffe", "Arma siguiente", "Arma successiva", "Nästa vapen" } },
		{ STR_NEED_NAME_FIRST + 6, { "Shoot", "Tirer", "Schießen", "Disparar", "Spara", "Skjut" } },
		{ STR_NEED_NAME_FIRST + 7, { "Punch / Pick Up", "Frapper / Ramasser", "Schlagen / Aufheben", "Golpear / Recoger", "Pugno / Raccogli", "Slå / Plocka upp" } },
		{ STR_NEED_NAME_FIRST + 8, { "Jump / Jump Jet", "Sauter / Propulseur", "Sprung / Düse", "Saltar / Propulsor", "Salta / Propulsore", "Hoppa / Jetpack" } },
		{ STR_NEED_NAME_FIRST + 9, { "Center Camera", "Centrer la caméra", "Kamera zentrieren", "Centrar cámara", "Centra visuale", "Centrera kameran" } },
		{ STR_NEED_NAME_FIRST + 10, { "Camera Left", "Caméra à gauche", "Kamera links", "Cámara izq.", "Visuale a sinistra", "Kamera vänster" } },
		{ STR_NEED_NAME_FIRST + 11, { "Camera Right", "Caméra à droite", "Kamera rechts", "Cámara a la derecha", "Visuale a destra", "Kamera höger" } },

		{ STR_CREDITS_ROLE_FIRST + 0, { "Programming", "Programmation", "Programmierung", "Programación", "Programmazione", "Programmering" } },
		{ STR_CREDITS_ROLE_FIRST + 1, { "Graphics", "Graphismes", "Grafik", "Gráficos", "Grafica", "Grafik" } },
		{ STR_CREDITS_ROLE_FIRST + 2, { "Music", "Musique", "Musik", "Música", "Musica", "Musik" } },
		{ STR_CREDITS_ROLE_FIRST + 3, { "Sound Effects", "Effets sonores", "Soundeffekte", "Efectos de sonido", "Effetti sonori", "Ljudeffekter" } },
		{ STR_CREDITS_ROLE_FIRST + 4, { "Special Thanks", "Remerciements", "Besonderer Dank", "Agradecimientos", "Ringraziamenti", "Tack till" } },
		// Under each heading, who did the work: the game's contributors, or the
		// baker that generates the game's content from code. No person is named.
		{ STR_CREDITS_LINE_FIRST + 0, { "The Zappatron contributors", "Les contributeurs de Zappatron",
			"Die Mitwirkenden von Zappatron", "Los colaboradores de Zappatron", "I collaboratori di Zappatron",
			"Zappatrons bidragsgivare" } },
		{ STR_CREDITS_LINE_FIRST + 1, { "Generated in code by the Zappatron baker", "Générés en code par le générateur de Zappatron",
			"Im Code erzeugt von Zappatrons Generator", "Generados en código por el generador de Zappatron",
			"Generata in codice dal generatore di Zappatron", "Skapad i kod av Zappatrons generator" } },
		{ STR_CREDITS_LINE_FIRST + 2, { "Composed in code by the Zappatron synthesizer", "Composée en code par le synthé de Zappatron",
			"Im Code komponiert von Zappatrons Synthesizer", "Compuesta en código por el sintetizador de Zappatron",
			"Composta in codice dal sintetizzatore di Zappatron", "Komponerad i kod av Zappatrons synt" } },
		{ STR_CREDITS_LINE_FIRST + 3, { "Synthesized by the Zappatron baker", "Synthétisés par le générateur de Zappatron",
			"Synthetisiert von Zappatrons Generator", "Sintetizados por el generador de Zappatron",
			"Sintetizzati dal generatore di Zappatron", "Syntetiserade av Zappatrons generator" } },
		{ STR_CREDITS_LINE_FIRST + 4, { "Everyone who plays Zappatron", "Tous ceux qui jouent à Zappatron",
			"Allen, die Zappatron spielen", "Todos los que juegan a Zappatron", "Tutti quelli che giocano a Zappatron",
			"Alla som spelar Zappatron" } },

		// The bonus tally's count of lives: none, many (a format with the number), one.
		{ STR_BONUS_COUNT_NONE, { "No lives left", "Plus aucune vie", "Keine Leben mehr", "No quedan vidas", "Nessuna vita rimasta", "Inga liv kvar" } },
		{ STR_BONUS_COUNT_MANY, { "%d lives left", "%d vies restantes", "%d Leben übrig", "Quedan %d vidas", "%d vite rimaste", "%d liv kvar" } },
		// High scores and the bonus tally.
		{ STR_YOUR_SCORE, { "Your Score", "Votre score", "Deine Punkte", "Tu puntuación", "Il tuo punteggio", "Dina poäng" } },
		{ STR_ENTER_NAME, { "Enter your name", "Entrez votre nom", "Gib deinen Namen ein", "Escribe tu nombre", "Inserisci il tuo nome", "Skriv ditt namn" } },
		{ STR_LEVEL_COMPLETE, { "Level Complete", "Niveau terminé", "Level geschafft", "Nivel superado", "Livello completato", "Banan klar" } },
		{ STR_BONUS, { "Bonus", "Bonus", "Bonus", "Bonificación", "Bonus", "Bonus" } },
		{ STR_SCORE, { "Score", "Score", "Punkte", "Puntos", "Punteggio", "Poäng" } },
		{ STR_HUMANS_RESCUED, { "Humans rescued", "Humains sauvés", "Gerettete Menschen", "Humanos rescatados", "Umani salvati", "Räddade människor" } },
		{ STR_WEAPONS_LEFT, { "Weapons left", "Armes restantes", "Übrige Waffen", "Armas restantes", "Armi rimaste", "Vapen kvar" } },
		{ STR_HUMANS_DELIVERED, { "Humans delivered: %d of %d", "Humains déposés : %d sur %d", "Abgesetzte Menschen: %d von %d",
			"Humanos entregados: %d de %d", "Umani consegnati: %d su %d", "Avlämnade människor: %d av %d" } },
		{ STR_SCREENSHOT_SAVED, { "Screenshot saved", "Capture d'écran enregistrée", "Bildschirmfoto gespeichert", "Captura de pantalla guardada", "Screenshot salvato", "Skärmbild sparad" } },
		{ STR_SCREENSHOT_FAILED, { "Could not save the screenshot", "Impossible d'enregistrer la capture d'écran", "Bildschirmfoto konnte nicht gespeichert werden", "No se pudo guardar la captura de pantalla", "Impossibile salvare lo screenshot", "Skärmbilden kunde inte sparas" } },
		// The attract mode and the replays.
		{ STR_DEMO, { "Demo", "Démo", "Demo", "Demostración", "Demo", "Demo" } },
		{ STR_REPLAY, { "Replay", "Rediffusion", "Wiederholung", "Repetición", "Replay", "Repris" } },
		{ STR_REPLAYS, { "Replays", "Rediffusions", "Wiederholungen", "Repeticiones", "Replay", "Repriser" } },
		{ STR_NO_REPLAYS, { "No replays yet: finish a level", "Aucune rediffusion : terminez un niveau",
			"Noch keine Wiederholungen: schaff ein Level", "Aún no hay repeticiones: supera un nivel",
			"Ancora nessun replay: completa un livello", "Inga repriser än: klara en bana" } },
		{ STR_REPLAY_DAMAGED, { "This replay is damaged and can't be played", "Cette rediffusion est abîmée et ne peut être lue",
			"Diese Wiederholung ist beschädigt und nicht abspielbar", "Esta repetición está dañada y no se puede ver",
			"Questo replay è danneggiato e non può essere riprodotto", "Den här reprisen är skadad och kan inte spelas" } },
		{ STR_REPLAY_BEST, { "best", "record", "Bestzeit", "récord", "record", "bäst" } },
		{ STR_LEGAL_NOTICE, {
			"Zappatron is an original game by its own small team.",
			"Zappatron est un jeu original créé par sa petite équipe.",
			"Zappatron ist ein eigenständiges Spiel eines kleinen Teams.",
			"Zappatron es un juego original de su pequeño equipo.",
			"Zappatron è un gioco originale del suo piccolo team.",
			"Zappatron är ett eget spel av ett litet team." } },
		{ STR_LEGAL_NOTICE_2, {
			"All rights reserved.", "Tous droits réservés.", "Alle Rechte vorbehalten.",
			"Todos los derechos reservados.", "Tutti i diritti riservati.", "Alla rättigheter förbehållna." } },
		{ STR_GAME_OVER, { "Game Over", "Partie terminée", "Spiel vorbei", "Fin del juego", "Partita finita", "Spelet är slut" } },
		{ STR_WIN_TITLE, { "The Earth is saved!", "La Terre est sauvée !", "Die Erde ist gerettet!", "¡La Tierra está a salvo!",
			"La Terra è salva!", "Jorden är räddad!" } },
		{ STR_WIN_PANEL_FIRST + 0, {
			"The aliens flee back into the dark.", "Les extraterrestres s'enfuient dans le noir.",
			"Die Außerirdischen fliehen zurück ins Dunkel.", "Los alienígenas huyen a la oscuridad.",
			"Gli alieni fuggono nel buio.", "Utomjordingarna flyr tillbaka ut i mörkret." } },
		{ STR_WIN_PANEL_FIRST + 1, {
			"Every human you rescued is home again.", "Chaque humain sauvé est rentré chez lui.",
			"Alle geretteten Menschen sind wieder zu Hause.", "Cada humano rescatado ha vuelto a casa.",
			"Ogni umano salvato è tornato a casa.", "Alla människor du räddade är hemma igen." } },
		{ STR_WIN_PANEL_FIRST + 2, {
			"Thank you for playing!", "Merci d'avoir joué !", "Danke fürs Spielen!", "¡Gracias por jugar!",
			"Grazie per aver giocato!", "Tack för att du spelade!" } },
		{ STR_JUNGLE_WAKES, { "Deep in the jungle, something hungry wakes...",
			"Au fond de la jungle, quelque chose d'affamé s'éveille...", "Tief im Dschungel erwacht etwas Hungriges...",
			"En la jungla, algo hambriento despierta...", "Nel cuore della giungla, qualcosa di affamato si sveglia...",
			"Djupt inne i djungeln vaknar något hungrigt..." } },
		{ STR_BONUS_COUNT_ONE, { "1 life left", "1 vie restante", "1 Leben übrig", "Queda 1 vida", "1 vita rimasta", "1 liv kvar" } },
	};

	std::string BuildStringsFile()
	{
		std::vector<const StringRow*> rows(NUM_NAMED_STRING_ROWS, nullptr);
		for (const StringRow& row : kStrings)
		{
			if (row.number < 0 || row.number >= NUM_NAMED_STRING_ROWS)
				throw std::logic_error("string number out of range: " + std::to_string(row.number));
			if (rows[row.number])
				throw std::logic_error("string number given twice: " + std::to_string(row.number));
			rows[row.number] = &row;
		}

		// Unused numbers stay as empty rows so every row keeps its number;
		// every line, the last one too, ends with a line feed.
		std::string file;
		for (const StringRow* row : rows)
		{
			if (row)
			{
				for (int language = 0; language < MAX_LANGUAGES; language++)
				{
					std::string cell = row->text[language];
					if (cell.find_first_of("\t\r\n") != std::string::npos)
						throw std::logic_error("string " + std::to_string(row->number) + " holds a tab or line break");
					if (language > 0)
						file += '\t';
					file += cell;
				}
			}
			file += '\n';
		}
		return file;
	}

	void BakeStrings(const Bake::Context& context)
	{
		Bake::WriteDataFile(context, Bake::DataFolderPath(STRINGS_FILE_PATH), BuildStringsFile());
	}
}

BAKE_STEP("system/strings", BakeStrings);
