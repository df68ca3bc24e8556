<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>AnalysisDocks</name>
    <message>
        <source>Análisis</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Evaluación</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <source>. Mejor: %1</source>
        <translation>. Better: %1</translation>
    </message>
</context>
<context>
    <name>AnalysisPanel</name>
    <message>
        <source>&lt;b&gt;Análisis&lt;/b&gt;</source>
        <translation>&lt;b&gt;Analysis&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Líneas</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>Mejores líneas mostradas</source>
        <translation>Number of best lines shown</translation>
    </message>
    <message>
        <source>El motor que analiza</source>
        <translation>The engine that analyses</translation>
    </message>
    <message>
        <source>Apagado</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Calculando...</source>
        <translation>Calculating...</translation>
    </message>
    <message>
        <source>Partida terminada</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>Profundidad %1 · %2 kN/s</source>
        <translation>Depth %1 · %2 kN/s</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Acerca de gui-KELVO</source>
        <translation>About gui-KELVO</translation>
    </message>
    <message>
        <source>Last: %1</source>
        <translation>Last build: %1</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Kelvo chess project</source>
        <translation>Kelvo chess project</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CCommandDlg</name>
    <message>
        <source>Command dialog</source>
        <translation>Command dialog</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Configuración</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Usar libro de aperturas</source>
        <translation>Use the opening book</translation>
    </message>
    <message>
        <source>Juego diverso</source>
        <translation>Varied play</translation>
    </message>
    <message>
        <source>Mostrar línea de pensamiento</source>
        <translation>Show the thinking line</translation>
    </message>
    <message>
        <source>Archivos de depuración</source>
        <translation>Debug files</translation>
    </message>
    <message>
        <source>Nivel</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Depuración (sí, soy experto)</source>
        <translation>Debugging (yes, I&apos;m an expert)</translation>
    </message>
    <message>
        <source>Mostrar jugadas legales</source>
        <translation>Show legal moves</translation>
    </message>
    <message>
        <source>Sin reloj</source>
        <translation>No clock</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Reloj</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Minutos por partida</source>
        <translation>Minutes per game</translation>
    </message>
    <message>
        <source>Incremento por jugada</source>
        <translation>Increment per move</translation>
    </message>
    <message>
        <source>Automático</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Idioma</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>El idioma cambia al volver a abrir dovrel2.</source>
        <translation>The language changes the next time dovrel2 starts.</translation>
    </message>
    <message>
        <source>Lista</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Española</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>Figurines</source>
        <translation>Figurines</translation>
    </message>
    <message>
        <source>Notación</source>
        <translation>Notation</translation>
    </message>
</context>
<context>
    <name>CDebugDialog</name>
    <message>
        <source>Debug window</source>
        <translation>Debug window</translation>
    </message>
    <message>
        <source>Game state</source>
        <translation>Game state</translation>
    </message>
    <message>
        <source>State:</source>
        <translation>State:</translation>
    </message>
    <message>
        <source>Computer plays:</source>
        <translation>Computer plays:</translation>
    </message>
    <message>
        <source>Board state</source>
        <translation>Board state</translation>
    </message>
    <message>
        <source>Plays:</source>
        <translation>Plays:</translation>
    </message>
    <message>
        <source>Castling:</source>
        <translation>Castling:</translation>
    </message>
    <message>
        <source>Enpassant:</source>
        <translation>En passant:</translation>
    </message>
    <message>
        <source>Engine state</source>
        <translation>Engine state</translation>
    </message>
    <message>
        <source>Evaluation</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <source>Memory size</source>
        <translation>Memory size</translation>
    </message>
    <message>
        <source>Nodos</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Mov</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Eva</source>
        <translation>Eval</translation>
    </message>
</context>
<context>
    <name>CDovrel2App</name>
    <message>
        <source>failed registering font</source>
        <translation>Failed to register the chess fonts</translation>
    </message>
    <message>
        <source>failed unregistering font</source>
        <translation>Failed to unregister the chess fonts</translation>
    </message>
</context>
<context>
    <name>CDovrel2Doc</name>
    <message>
        <source>No se puede pegar

</source>
        <translation>Cannot paste

</translation>
    </message>
    <message>
        <source>No se puede pegar: %1.</source>
        <translation>Cannot paste: %1.</translation>
    </message>
    <message>
        <source>portapapeles</source>
        <translation>clipboard</translation>
    </message>
    <message>
        <source>Error loading file

</source>
        <translation>Error loading file

</translation>
    </message>
    <message>
        <source>el archivo ha cambiado desde que se abrió</source>
        <translation>the file has changed since it was opened</translation>
    </message>
</context>
<context>
    <name>CGameListDlg</name>
    <message>
        <source>Nº</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Evento</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Blancas</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Negras</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Resultado</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Fecha</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ECO</source>
        <translation>ECO</translation>
    </message>
    <message>
        <source>Apertura</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>Jugadas</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>Partidas de %1</source>
        <translation>Games in %1</translation>
    </message>
    <message>
        <source>Filtrar: jugador, fecha, ECO, apertura...</source>
        <translation>Filter: player, date, ECO, opening...</translation>
    </message>
    <message>
        <source>&amp;Abrir</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 de %2 partidas</source>
        <translation>%1 of %2 games</translation>
    </message>
    <message>
        <source> (leyendo...)</source>
        <translation> (reading...)</translation>
    </message>
</context>
<context>
    <name>CGetTextDlg</name>
    <message>
        <source>Issue command</source>
        <translation>Issue command</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Abre un documento existente
Abrir</source>
        <translation>Opens an existing document
Open</translation>
    </message>
    <message>
        <source>Guarda el documento activo
Guardar</source>
        <translation>Saves the active document
Save</translation>
    </message>
    <message>
        <source>Guarda el documento activo con un nombre nuevo
Guardar como</source>
        <translation>Saves the active document with a new name
Save As</translation>
    </message>
    <message>
        <source>Sale de la aplicación; pide confirmación para guardar los documentos
Salir</source>
        <translation>Quits the application; prompts to save documents
Exit</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de herramientas
Alternar barra de herramientas</source>
        <translation>Shows or hides the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de estado
Alternar barra de estado</source>
        <translation>Shows or hides the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>Muestra información del programa, número de versión y copyright
Acerca de</source>
        <translation>Displays program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>Preparado</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>Buscando una pista...</source>
        <translation>Looking for a hint...</translation>
    </message>
    <message>
        <source>No hay jugada que sugerir.</source>
        <translation>No move to suggest.</translation>
    </message>
    <message>
        <source>Pista: %1</source>
        <translation>Hint: %1</translation>
    </message>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Guardar c&amp;omo...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Archivo reciente</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edición</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Copiar &amp;PGN</source>
        <translation>Copy &amp;PGN</translation>
    </message>
    <message>
        <source>Copia la partida en formato PGN
Copiar PGN</source>
        <translation>Copies the game as PGN
Copy PGN</translation>
    </message>
    <message>
        <source>Copiar &amp;FEN</source>
        <translation>Copy &amp;FEN</translation>
    </message>
    <message>
        <source>Copia la posición en formato FEN
Copiar FEN</source>
        <translation>Copies the position as FEN
Copy FEN</translation>
    </message>
    <message>
        <source>Pe&amp;gar FEN/PGN</source>
        <translation>Pa&amp;ste FEN/PGN</translation>
    </message>
    <message>
        <source>Toma una partida o una posición del portapapeles
Pegar FEN/PGN</source>
        <translation>Takes a game or a position from the clipboard
Paste FEN/PGN</translation>
    </message>
    <message>
        <source>Editar posición...</source>
        <translation>Edit Position...</translation>
    </message>
    <message>
        <source>Coloca las piezas para analizar o jugar desde esa posición
Editar posición</source>
        <translation>Sets up the pieces to analyse or play from that position
Edit Position</translation>
    </message>
    <message>
        <source>&amp;Ver</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Barra de &amp;herramientas</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Barra de &amp;estado</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>Tablero mayor</source>
        <translation>Larger Board</translation>
    </message>
    <message>
        <source>Tablero más grande
Tablero mayor</source>
        <translation>Makes the board larger
Larger Board</translation>
    </message>
    <message>
        <source>Tablero menor</source>
        <translation>Smaller Board</translation>
    </message>
    <message>
        <source>Tablero más pequeño
Tablero menor</source>
        <translation>Makes the board smaller
Smaller Board</translation>
    </message>
    <message>
        <source>Invertir tablero</source>
        <translation>Flip Board</translation>
    </message>
    <message>
        <source>Ver mov. previo</source>
        <translation>Previous Move</translation>
    </message>
    <message>
        <source>Ver movimiento previo
Ver movimiento previo</source>
        <translation>Shows the previous move
Previous Move</translation>
    </message>
    <message>
        <source>Ver mov. siguiente</source>
        <translation>Next Move</translation>
    </message>
    <message>
        <source>Ver movimiento siguiente
Ver movimiento siguiente</source>
        <translation>Shows the next move
Next Move</translation>
    </message>
    <message>
        <source>Ver pos. actual</source>
        <translation>Current Position</translation>
    </message>
    <message>
        <source>Show the current position
Show current</source>
        <translation>Shows the current position
Current Position</translation>
    </message>
    <message>
        <source>Análisis</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Muestra las mejores líneas del motor para la posición
Análisis</source>
        <translation>Shows the engine&apos;s best lines for the position
Analysis</translation>
    </message>
    <message>
        <source>Opciones</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Muestra un diálogo con opciones
Opciones</source>
        <translation>Shows a dialog with the options
Options</translation>
    </message>
    <message>
        <source>Motores...</source>
        <translation>Engines...</translation>
    </message>
    <message>
        <source>Los motores instalados y sus opciones
Motores</source>
        <translation>The installed engines and their options
Engines</translation>
    </message>
    <message>
        <source>Partida</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Nueva partida
Nueva partida</source>
        <translation>Starts a new game
New Game</translation>
    </message>
    <message>
        <source>Elige los jugadores, el reloj y la posición
Nueva partida</source>
        <translation>Chooses the players, the clock and the position
New Game</translation>
    </message>
    <message>
        <source>Detener motores</source>
        <translation>Stop Engines</translation>
    </message>
    <message>
        <source>Detiene la partida de los motores
Detener</source>
        <translation>Stops the engines&apos; game
Stop</translation>
    </message>
    <message>
        <source>Atras</source>
        <translation>Take Back</translation>
    </message>
    <message>
        <source>Echar para atras
Moviola</source>
        <translation>Takes back a move
Take Back</translation>
    </message>
    <message>
        <source>Juega el motor con el bando que mueve
Mueve!</source>
        <translation>The engine plays the side to move
Move!</translation>
    </message>
    <message>
        <source>Move now!</source>
        <translation>Move now!</translation>
    </message>
    <message>
        <source>Move now
Mover YA</source>
        <translation>Makes the engine move at once
Move Now</translation>
    </message>
    <message>
        <source>Delante</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Pista</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Marca en el tablero la jugada que sugiere el motor
Pista</source>
        <translation>Marks the move the engine suggests on the board
Hint</translation>
    </message>
    <message>
        <source>Ofrecer tablas</source>
        <translation>Offer Draw</translation>
    </message>
    <message>
        <source>Ofrece tablas al motor
Ofrecer tablas</source>
        <translation>Offers the engine a draw
Offer Draw</translation>
    </message>
    <message>
        <source>Abandonar</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>Abandona la partida
Abandonar</source>
        <translation>Resigns the game
Resign</translation>
    </message>
    <message>
        <source>Analizar partida...</source>
        <translation>Analyse Game...</translation>
    </message>
    <message>
        <source>Busca las imprecisiones, errores y errores graves de la partida
Analizar partida</source>
        <translation>Finds the game&apos;s inaccuracies, mistakes and blunders
Analyse Game</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>View log</source>
        <translation>View log</translation>
    </message>
    <message>
        <source>Shows a log window
Shows a log window</source>
        <translation>Shows a log window
Shows a log window</translation>
    </message>
    <message>
        <source>View XBoard commands</source>
        <translation>View XBoard commands</translation>
    </message>
    <message>
        <source>Show legal</source>
        <translation>Show legal</translation>
    </message>
    <message>
        <source>Issue command</source>
        <translation>Issue command</translation>
    </message>
    <message>
        <source>Issues a general command
Issue command</source>
        <translation>Issues a general command
Issue command</translation>
    </message>
    <message>
        <source>Assert!!!!</source>
        <translation>Assert!!!!</translation>
    </message>
    <message>
        <source>Joker</source>
        <translation>Joker</translation>
    </message>
    <message>
        <source>Del memory</source>
        <translation>Del memory</translation>
    </message>
    <message>
        <source>Read openings</source>
        <translation>Read openings</translation>
    </message>
    <message>
        <source>Reads the opening book
Read openings</source>
        <translation>Reads the opening book
Read openings</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Acerca de dovrel2...</source>
        <translation>&amp;About dovrel2...</translation>
    </message>
    <message>
        <source>thinking</source>
        <translation>thinking</translation>
    </message>
    <message>
        <source>&amp;Abrir...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Nueva</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Nueva partida...</source>
        <translation>New Game...</translation>
    </message>
    <message>
        <source>Mueve!</source>
        <translation>Move!</translation>
    </message>
</context>
<context>
    <name>CPromotingSelDlg</name>
    <message>
        <source>QUEEN</source>
        <translation>Queen</translation>
    </message>
    <message>
        <source>ROOK</source>
        <translation>Rook</translation>
    </message>
    <message>
        <source>KNIGHT</source>
        <translation>Knight</translation>
    </message>
    <message>
        <source>BISHOP</source>
        <translation>Bishop</translation>
    </message>
    <message>
        <source>Promoting</source>
        <translation>Promotion</translation>
    </message>
</context>
<context>
    <name>CecpEngine</name>
    <message>
        <source>El motor %1 no admite partidas desde una posición dada.</source>
        <translation>The engine %1 cannot play games from a set-up position.</translation>
    </message>
    <message>
        <source>El motor %1 no admite analizar una posición dada.</source>
        <translation>The engine %1 cannot analyse a set-up position.</translation>
    </message>
    <message>
        <source>El motor %1 no sabe analizar.</source>
        <translation>The engine %1 cannot analyse.</translation>
    </message>
    <message>
        <source>El motor %1 rechazó una jugada: %2</source>
        <translation>The engine %1 rejected a move: %2</translation>
    </message>
</context>
<context>
    <name>ChessEngine</name>
    <message>
        <source>El motor %1 no dejó de analizar en %2 s.</source>
        <translation>The engine %1 did not stop analysing within %2 s.</translation>
    </message>
    <message>
        <source>El motor %1 no contestó en %2 s al iniciarse.</source>
        <translation>The engine %1 did not answer within %2 s of starting.</translation>
    </message>
    <message>
        <source>El motor %1 no se puede usar: su protocolo no es UCI ni xboard.</source>
        <translation>The engine %1 cannot be used: its protocol is neither UCI nor xboard.</translation>
    </message>
    <message>
        <source>El motor %1 no se pudo iniciar: %2 no se puede ejecutar.</source>
        <translation>The engine %1 could not be started: %2 cannot be run.</translation>
    </message>
    <message>
        <source>El motor %1 no se pudo iniciar: no existe %2.</source>
        <translation>The engine %1 could not be started: %2 does not exist.</translation>
    </message>
    <message>
        <source>El motor %1 terminó al iniciarse (código %2).</source>
        <translation>The engine %1 quit while starting (code %2).</translation>
    </message>
    <message>
        <source>El motor %1 se cerró durante el análisis (código %2).</source>
        <translation>The engine %1 quit during the analysis (code %2).</translation>
    </message>
    <message>
        <source>El motor %1 se cerró de forma anormal durante la partida.</source>
        <translation>The engine %1 crashed during the game.</translation>
    </message>
    <message>
        <source>El motor %1 se cerró durante la partida (código %2).</source>
        <translation>The engine %1 quit during the game (code %2).</translation>
    </message>
</context>
<context>
    <name>EngineMatch</name>
    <message>
        <source>ganan las blancas</source>
        <translation>White wins</translation>
    </message>
    <message>
        <source>ganan las negras</source>
        <translation>Black wins</translation>
    </message>
    <message>
        <source>Jaque mate: %1.</source>
        <translation>Checkmate: %1.</translation>
    </message>
    <message>
        <source>Tablas por ahogado.</source>
        <translation>Draw by stalemate.</translation>
    </message>
    <message>
        <source>Tablas por repetición.</source>
        <translation>Draw by repetition.</translation>
    </message>
    <message>
        <source>Tablas por la regla de los cincuenta movimientos.</source>
        <translation>Draw by the fifty-move rule.</translation>
    </message>
    <message>
        <source>Tablas por material insuficiente.</source>
        <translation>Draw by insufficient material.</translation>
    </message>
    <message>
        <source>El motor %1 perdió por tiempo.</source>
        <translation>The engine %1 lost on time.</translation>
    </message>
    <message>
        <source>El motor %1 abandona.</source>
        <translation>The engine %1 resigns.</translation>
    </message>
    <message>
        <source>Partida detenida tras %1 jugadas.</source>
        <translation>Game stopped after %1 moves.</translation>
    </message>
    <message>
        <source>El motor %1 envió una jugada ilegal: %2.</source>
        <translation>The engine %1 sent an illegal move: %2.</translation>
    </message>
    <message>
        <source>Partida detenida.</source>
        <translation>Game stopped.</translation>
    </message>
</context>
<context>
    <name>EngineTurns</name>
    <message>
        <source>El motor %1 abandona.</source>
        <translation>The engine %1 resigns.</translation>
    </message>
    <message>
        <source>El motor %1 envió una jugada ilegal: %2.</source>
        <translation>The engine %1 sent an illegal move: %2.</translation>
    </message>
</context>
<context>
    <name>EnginesDlg</name>
    <message>
        <source>integrado</source>
        <translation>built-in</translation>
    </message>
    <message>
        <source>no utilizable</source>
        <translation>unusable</translation>
    </message>
    <message>
        <source>&amp;Quitar</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Motores</source>
        <translation>Engines</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Engine</translation>
    </message>
    <message>
        <source>Protocolo</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>Orden</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Opción</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Valor</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Añadir por &amp;nombre...</source>
        <translation>Add by &amp;Name...</translation>
    </message>
    <message>
        <source>Añadir &amp;archivo...</source>
        <translation>Add &amp;File...</translation>
    </message>
    <message>
        <source>&amp;Buscar instalados</source>
        <translation>&amp;Find Installed</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Opciones del motor:</source>
        <translation>Engine options:</translation>
    </message>
    <message>
        <source>(integrado)</source>
        <translation>(built-in)</translation>
    </message>
    <message>
        <source>kelvo se ajusta en Opciones.</source>
        <translation>kelvo is set up in Options.</translation>
    </message>
    <message>
        <source>Leyendo opciones de %1...</source>
        <translation>Reading the options of %1...</translation>
    </message>
    <message>
        <source>%1 a %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>%1: %2 opciones.</source>
        <translation>Options of %1: %2.</translation>
    </message>
    <message>
        <source>Valor no válido para %1.</source>
        <translation>Invalid value for %1.</translation>
    </message>
    <message>
        <source>No se encuentra el programa %1.</source>
        <translation>The program %1 cannot be found.</translation>
    </message>
    <message>
        <source>Preguntando a %1 su protocolo...</source>
        <translation>Asking %1 for its protocol...</translation>
    </message>
    <message>
        <source>Añadido %1 (%2).</source>
        <translation>Added %1 (%2).</translation>
    </message>
    <message>
        <source>Añadir motor</source>
        <translation>Add Engine</translation>
    </message>
    <message>
        <source>Orden del motor (por ejemplo: stockfish):</source>
        <translation>Engine command (for example: stockfish):</translation>
    </message>
    <message>
        <source>Encontrados %1 motores nuevos.</source>
        <translation>New engines found: %1.</translation>
    </message>
    <message>
        <source>No hay motores nuevos instalados.</source>
        <translation>No new engines are installed.</translation>
    </message>
    <message>
        <source>No se pudo guardar la lista de motores.</source>
        <translation>Could not save the list of engines.</translation>
    </message>
</context>
<context>
    <name>ExerciseMaker</name>
    <message>
        <source>No se puede leer el archivo «%1»: %2.</source>
        <translation>Cannot read the file “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>ExerciseStore</name>
    <message>
        <source>no es JSON válido (%1, en el byte %2)</source>
        <translation>it is not valid JSON (%1, at byte %2)</translation>
    </message>
    <message>
        <source>no es un archivo de ejercicios</source>
        <translation>it is not an exercises file</translation>
    </message>
    <message>
        <source>es de la versión %1, que este programa no conoce</source>
        <translation>it is of version %1, which this program does not know</translation>
    </message>
    <message>
        <source>el ejercicio %1 está dañado</source>
        <translation>exercise %1 is damaged</translation>
    </message>
    <message>
        <source>No se pueden leer los ejercicios de «%1»: %2. El archivo se ha guardado aparte como «%3» y se empieza sin ejercicios.</source>
        <translation>Cannot read the exercises in “%1”: %2. The file has been kept aside as “%3” and training starts without exercises.</translation>
    </message>
    <message>
        <source>No se pueden leer los ejercicios de «%1»: %2. No se ha podido apartar, así que no se escribirá encima: los ejercicios de esta sesión no se guardarán.</source>
        <translation>Cannot read the exercises in “%1”: %2. It could not be moved aside, so it will not be written over: this session&apos;s exercises will not be saved.</translation>
    </message>
    <message>
        <source>Los ejercicios no se guardan: «%1» no se pudo leer ni apartar.</source>
        <translation>The exercises are not saved: “%1” could be neither read nor moved aside.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Partidas PGN (*.pgn);;Todos los archivos (*.*)</source>
        <translation>PGN games (*.pgn);;All files (*.*)</translation>
    </message>
    <message>
        <source>Abre este documento</source>
        <translation>Opens this document</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save As</translation>
    </message>
</context>
<context>
    <name>FileSaver</name>
    <message>
        <source>Permiso denegado</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>No se pudo guardar el archivo «%1»:
%2.</source>
        <translation>Could not save the file “%1”:
%2.</translation>
    </message>
    <message>
        <source>

El archivo anterior no se ha modificado.</source>
        <translation>

The previous file has not been changed.</translation>
    </message>
</context>
<context>
    <name>GameEnd</name>
    <message>
        <source>Ganan las blancas</source>
        <translation>White wins</translation>
    </message>
    <message>
        <source>Ganan las negras</source>
        <translation>Black wins</translation>
    </message>
    <message>
        <source>Sin resultado</source>
        <translation>No result</translation>
    </message>
    <message>
        <source>Tablas</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>jaque mate</source>
        <translation>checkmate</translation>
    </message>
    <message>
        <source>rey ahogado</source>
        <translation>stalemate</translation>
    </message>
    <message>
        <source>triple repetición</source>
        <translation>threefold repetition</translation>
    </message>
    <message>
        <source>material insuficiente</source>
        <translation>insufficient material</translation>
    </message>
    <message>
        <source>regla de los cincuenta movimientos</source>
        <translation>fifty-move rule</translation>
    </message>
    <message>
        <source>abandono</source>
        <translation>resignation</translation>
    </message>
    <message>
        <source>tablas acordadas</source>
        <translation>draw agreed</translation>
    </message>
    <message>
        <source>tiempo agotado</source>
        <translation>time ran out</translation>
    </message>
    <message>
        <source>White wins</source>
        <translation>White wins</translation>
    </message>
    <message>
        <source>Black wins</source>
        <translation>Black wins</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Tiempo agotado</source>
        <translation>Time is up</translation>
    </message>
    <message>
        <source>Partida detenida</source>
        <translation>Game stopped</translation>
    </message>
</context>
<context>
    <name>GameFileRead</name>
    <message>
        <source>las blancas no tienen exactamente un rey</source>
        <translation>White does not have exactly one king</translation>
    </message>
    <message>
        <source>las negras no tienen exactamente un rey</source>
        <translation>Black does not have exactly one king</translation>
    </message>
    <message>
        <source>hay un peón en la primera o la última fila</source>
        <translation>there is a pawn on the first or the last rank</translation>
    </message>
    <message>
        <source>el bando que mueve puede capturar el rey</source>
        <translation>the side to move can capture the king</translation>
    </message>
    <message>
        <source>«%1», línea %2: </source>
        <translation>“%1”, line %2: </translation>
    </message>
    <message>
        <source>«%1» no es un archivo normal (es una carpeta, una tubería o un dispositivo).</source>
        <translation>“%1” is not a regular file (it is a folder, a pipe or a device).</translation>
    </message>
    <message>
        <source>«%1» está escrito en UTF-16: guárdelo como UTF-8 para abrirlo.</source>
        <translation>“%1” is written in UTF-16: save it as UTF-8 to open it.</translation>
    </message>
    <message>
        <source>«%1» no es una jugada legal en esa posición.</source>
        <translation>“%1” is not a legal move in that position.</translation>
    </message>
    <message>
        <source>la partida pasa de %1 medias jugadas, el máximo que se lee.</source>
        <translation>the game is longer than %1 plies, the most that is read.</translation>
    </message>
    <message>
        <source>un comentario «{» que no se cierra.</source>
        <translation>a comment “{” that is never closed.</translation>
    </message>
    <message>
        <source>una variante «(» que no se cierra.</source>
        <translation>a variation “(” that is never closed.</translation>
    </message>
    <message>
        <source>la etiqueta FEN «%1» no es una posición FEN.</source>
        <translation>the FEN tag “%1” is not a FEN position.</translation>
    </message>
    <message>
        <source>la etiqueta FEN «%1» no es una posición legal: %2.</source>
        <translation>the FEN tag “%1” is not a legal position: %2.</translation>
    </message>
    <message>
        <source>No se puede leer el archivo «%1».</source>
        <translation>Cannot read the file “%1”.</translation>
    </message>
    <message>
        <source>«%1» no contiene ninguna partida.</source>
        <translation>“%1” contains no game.</translation>
    </message>
    <message>
        <source>No se puede leer el archivo «%1»: %2.</source>
        <translation>Cannot read the file “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>GameFlow</name>
    <message>
        <source>sin reloj</source>
        <translation>no clock</translation>
    </message>
    <message>
        <source>Blancas %1 - Negras %2</source>
        <translation>White %1 - Black %2</translation>
    </message>
</context>
<context>
    <name>GameInPlay</name>
    <message>
        <source>El motor %1 agotó su tiempo.
</source>
        <translation>The engine %1 ran out of time.
</translation>
    </message>
    <message>
        <source>La partida ya ha terminado.</source>
        <translation>The game is already over.</translation>
    </message>
    <message>
        <source>No hay motor al que ofrecer tablas.</source>
        <translation>There is no engine to offer a draw to.</translation>
    </message>
    <message>
        <source>El motor rechaza las tablas y sigue jugando.</source>
        <translation>The engine declines the draw and plays on.</translation>
    </message>
    <message>
        <source>El motor acepta las tablas.</source>
        <translation>The engine accepts the draw.</translation>
    </message>
    <message>
        <source>Partida detenida.</source>
        <translation>Game stopped.</translation>
    </message>
    <message>
        <source>
Su lado queda para una persona.</source>
        <translation>
A person plays its side from now on.</translation>
    </message>
    <message>
        <source>Ganan las negras</source>
        <translation>Black wins</translation>
    </message>
    <message>
        <source>Ganan las blancas</source>
        <translation>White wins</translation>
    </message>
    <message>
        <source>Esa jugada no es la que sigue en la partida.
¿Empieza una variante o reemplaza el resto de la partida?
La elección se recuerda para las próximas veces.</source>
        <translation>That move is not the one that follows in the game.
Start a variation, or replace the rest of the game?
The choice is remembered for the next times.</translation>
    </message>
    <message>
        <source>Nueva variante</source>
        <translation>New variation</translation>
    </message>
    <message>
        <source>Reemplazar el resto</source>
        <translation>Replace the rest</translation>
    </message>
</context>
<context>
    <name>GameReview</name>
    <message>
        <source>Imprecisión</source>
        <translation>Inaccuracy</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Mistake</translation>
    </message>
    <message>
        <source>Error grave</source>
        <translation>Blunder</translation>
    </message>
    <message>
        <source>Precisión %1 %</source>
        <translation>Accuracy %1 %</translation>
    </message>
    <message>
        <source>Precisión -</source>
        <translation>Accuracy -</translation>
    </message>
    <message>
        <source>imprecisión</source>
        <translation>inaccuracy</translation>
    </message>
    <message>
        <source>imprecisiones</source>
        <translation>inaccuracies</translation>
    </message>
    <message>
        <source>error</source>
        <translation>mistake</translation>
    </message>
    <message>
        <source>errores</source>
        <translation>mistakes</translation>
    </message>
    <message>
        <source>error grave</source>
        <translation>blunder</translation>
    </message>
    <message>
        <source>errores graves</source>
        <translation>blunders</translation>
    </message>
</context>
<context>
    <name>GameReviewDialog</name>
    <message>
        <source>Tiempo por jugada (s)</source>
        <translation>Time per move (s)</translation>
    </message>
    <message>
        <source>Profundidad por jugada</source>
        <translation>Depth per move</translation>
    </message>
    <message>
        <source>Analizar</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Analizar partida</source>
        <translation>Analyse Game</translation>
    </message>
    <message>
        <source>Analizando...</source>
        <translation>Analysing...</translation>
    </message>
    <message>
        <source>&lt;b&gt;Blancas&lt;/b&gt;: %1&lt;br&gt;&lt;b&gt;Negras&lt;/b&gt;: %2</source>
        <translation>&lt;b&gt;White&lt;/b&gt;: %1&lt;br&gt;&lt;b&gt;Black&lt;/b&gt;: %2</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Engine</translation>
    </message>
    <message>
        <source>%1&lt;br&gt;Pulse Analizar para analizar con kelvo.</source>
        <translation>%1&lt;br&gt;Press Analyse to review the game with kelvo.</translation>
    </message>
</context>
<context>
    <name>LevelNames</name>
    <message>
        <source>Principiante</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>Novato</source>
        <translation>Novice</translation>
    </message>
    <message>
        <source>Aficionado</source>
        <translation>Amateur</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Club</source>
        <translation>Club</translation>
    </message>
    <message>
        <source>Fuerte</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Experto</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Maestro</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Gran maestro</source>
        <translation>Grandmaster</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>%1 - %2 (unos %3)</source>
        <translation>%1 - %2 (about %3)</translation>
    </message>
</context>
<context>
    <name>NewGameDlg</name>
    <message>
        <source>Nueva partida</source>
        <translation>New Game</translation>
    </message>
    <message>
        <source>Jugadores</source>
        <translation>Players</translation>
    </message>
    <message>
        <source>Persona</source>
        <translation>Human</translation>
    </message>
    <message>
        <source>nivel </source>
        <translation>level </translation>
    </message>
    <message>
        <source>Blancas:</source>
        <translation>White:</translation>
    </message>
    <message>
        <source>Negras:</source>
        <translation>Black:</translation>
    </message>
    <message>
        <source>Reloj</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Sin reloj</source>
        <translation>No clock</translation>
    </message>
    <message>
        <source>Minutos + incremento</source>
        <translation>Minutes + increment</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Control:</source>
        <translation>Time control:</translation>
    </message>
    <message>
        <source>Tiempo:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Incremento:</source>
        <translation>Increment:</translation>
    </message>
    <message>
        <source>Posición inicial</source>
        <translation>Starting position</translation>
    </message>
    <message>
        <source>La posición inicial</source>
        <translation>The initial position</translation>
    </message>
    <message>
        <source>La posición del tablero</source>
        <translation>The position on the board</translation>
    </message>
    <message>
        <source>Una posición FEN:</source>
        <translation>A FEN position:</translation>
    </message>
    <message>
        <source>Empezar</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>La posición FEN no es válida.</source>
        <translation>The FEN position is not valid.</translation>
    </message>
    <message>
        <source>kelvo no puede jugar con los dos bandos a la vez.</source>
        <translation>kelvo cannot play both sides at once.</translation>
    </message>
</context>
<context>
    <name>PositionClipboard</name>
    <message>
        <source>«%1» no es una posición FEN válida.</source>
        <translation>“%1” is not a valid FEN position.</translation>
    </message>
</context>
<context>
    <name>PositionEditorDlg</name>
    <message>
        <source>Las blancas deben tener un rey, y solo uno.</source>
        <translation>White must have one king, and only one.</translation>
    </message>
    <message>
        <source>Las negras deben tener un rey, y solo uno.</source>
        <translation>Black must have one king, and only one.</translation>
    </message>
    <message>
        <source>Un peón no puede estar en la primera ni en la octava fila.</source>
        <translation>A pawn cannot stand on the first or the eighth rank.</translation>
    </message>
    <message>
        <source>Las blancas tienen más de 16 piezas o más de 8 peones.</source>
        <translation>White has more than 16 pieces or more than 8 pawns.</translation>
    </message>
    <message>
        <source>Las negras tienen más de 16 piezas o más de 8 peones.</source>
        <translation>Black has more than 16 pieces or more than 8 pawns.</translation>
    </message>
    <message>
        <source>Para enrocar, el rey y la torre deben estar en sus casillas iniciales.</source>
        <translation>To castle, the king and the rook must stand on their starting squares.</translation>
    </message>
    <message>
        <source>No hay captura al paso posible en esa columna: falta el peón que acaba de avanzar dos casillas.</source>
        <translation>No en passant capture is possible on that file: the pawn that has just advanced two squares is missing.</translation>
    </message>
    <message>
        <source>El bando que no mueve está en jaque.</source>
        <translation>The side not to move is in check.</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Editar posición</source>
        <translation>Edit Position</translation>
    </message>
    <message>
        <source>Borrar</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Juegan blancas</source>
        <translation>White to move</translation>
    </message>
    <message>
        <source>Juegan negras</source>
        <translation>Black to move</translation>
    </message>
    <message>
        <source>O-O blancas</source>
        <translation>White O-O</translation>
    </message>
    <message>
        <source>O-O-O blancas</source>
        <translation>White O-O-O</translation>
    </message>
    <message>
        <source>O-O negras</source>
        <translation>Black O-O</translation>
    </message>
    <message>
        <source>O-O-O negras</source>
        <translation>Black O-O-O</translation>
    </message>
    <message>
        <source>Sin captura al paso</source>
        <translation>No en passant</translation>
    </message>
    <message>
        <source>Al paso: columna %1</source>
        <translation>En passant: file %1</translation>
    </message>
    <message>
        <source>Posición inicial</source>
        <translation>Initial position</translation>
    </message>
    <message>
        <source>Vaciar</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReviewPanel</name>
    <message>
        <source>Blancas</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Negras</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Mejor: %1</source>
        <translation>Better: %1</translation>
    </message>
    <message>
        <source>Línea: %1</source>
        <translation>Line: %1</translation>
    </message>
</context>
<context>
    <name>SaveQuestions</name>
    <message>
        <source>La partida ha cambiado. ¿Desea guardarla antes de continuar?</source>
        <translation>The game has changed. Do you want to save it before going on?</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Descartar</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>El archivo «%1» contiene otras partidas además de esta.

¿Desea reemplazar esta partida dentro del archivo (las demás se conservan tal cual) o guardarla con otro nombre?</source>
        <translation>The file “%1” holds other games besides this one.

Do you want to replace this game within the file (the others are kept as they are) or save it under another name?</translation>
    </message>
    <message>
        <source>&amp;Reemplazar la partida</source>
        <translation>&amp;Replace the Game</translation>
    </message>
    <message>
        <source>Guardar c&amp;omo...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>¿Abandonar la partida?</source>
        <translation>Resign the game?</translation>
    </message>
    <message>
        <source>&amp;Abandonar</source>
        <translation>&amp;Resign</translation>
    </message>
</context>
<context>
    <name>SettingsCommands</name>
    <message>
        <source>No se pudieron crear los archivos de depuración:
%1.</source>
        <translation>Could not create the debug files:
%1.</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>no es un archivo de opciones (o pasa de %1 bytes)</source>
        <translation>it is not a settings file (or it is larger than %1 bytes)</translation>
    </message>
</context>
<context>
    <name>Trainer</name>
    <message>
        <source>Entrenamiento</source>
        <translation>Training</translation>
    </message>
    <message>
        <source>No hay ejercicios pendientes: vuelva otro día.</source>
        <translation>No exercises are due: come back another day.</translation>
    </message>
    <message>
        <source>Aún no hay ejercicios. Analice una partida y use «Crear ejercicios de esta partida», o cree ejercicios de una colección con evaluaciones.</source>
        <translation>No exercises yet. Analyse a game and use “Make Exercises from This Game”, or make exercises from a collection with evaluations.</translation>
    </message>
    <message>
        <source>Partida actual</source>
        <translation>Current game</translation>
    </message>
    <message>
        <source>jugada %1</source>
        <translation>move %1</translation>
    </message>
    <message>
        <source>Juegan las blancas.</source>
        <translation>White to move.</translation>
    </message>
    <message>
        <source>Juegan las negras.</source>
        <translation>Black to move.</translation>
    </message>
    <message>
        <source>Busca una jugada mejor que %1.</source>
        <translation>Find a better move than %1.</translation>
    </message>
    <message>
        <source>Haga su jugada en el tablero.</source>
        <translation>Make your move on the board.</translation>
    </message>
    <message>
        <source>Comprobando %1...</source>
        <translation>Checking %1...</translation>
    </message>
    <message>
        <source>Línea del motor: %1 (%2)</source>
        <translation>Engine line: %1 (%2)</translation>
    </message>
    <message>
        <source>¡Resuelto! %1 es tan buena como la mejor.</source>
        <translation>Solved! %1 is as good as the best move.</translation>
    </message>
    <message>
        <source>%1 es la jugada de la partida: busque otra.</source>
        <translation>%1 is the move of the game: look for another.</translation>
    </message>
    <message>
        <source>No: %1 pierde demasiado frente a la mejor.</source>
        <translation>No: %1 loses too much against the best move.</translation>
    </message>
    <message>
        <source>Solución: %1 (%2)</source>
        <translation>Solution: %1 (%2)</translation>
    </message>
    <message>
        <source>Solución: %1</source>
        <translation>Solution: %1</translation>
    </message>
    <message>
        <source>La partida no dice qué era mejor: haga una jugada y el motor le dará su línea.</source>
        <translation>The game does not say what was better: make a move and the engine will give its line.</translation>
    </message>
</context>
<context>
    <name>TrainingCommands</name>
    <message>
        <source>Crear ejercicios de una colección</source>
        <translation>Make Exercises from a Collection</translation>
    </message>
    <message>
        <source>Partidas PGN (*.pgn);;Todos los archivos (*)</source>
        <translation>PGN games (*.pgn);;All files (*)</translation>
    </message>
    <message>
        <source>Entrenamiento</source>
        <translation>Training</translation>
    </message>
    <message>
        <source>Ejercicios...</source>
        <translation>Exercises...</translation>
    </message>
    <message>
        <source>Repasa los errores de sus partidas como ejercicios</source>
        <translation>Goes over the mistakes of your games as exercises</translation>
    </message>
    <message>
        <source>Crear ejercicios de esta partida</source>
        <translation>Make Exercises from This Game</translation>
    </message>
    <message>
        <source>Los errores y errores graves de la partida analizada se vuelven ejercicios</source>
        <translation>The mistakes and blunders of the analysed game become exercises</translation>
    </message>
    <message>
        <source>Crear ejercicios de una colección...</source>
        <translation>Make Exercises from a Collection...</translation>
    </message>
    <message>
        <source>Los errores marcados en un archivo PGN con evaluaciones se vuelven ejercicios</source>
        <translation>The mistakes marked in a PGN file with evaluations become exercises</translation>
    </message>
    <message>
        <source>Un motor está pensando para la partida: espere su jugada o detenga los motores antes de entrenar.</source>
        <translation>An engine is thinking for the game: wait for its move or stop the engines before training.</translation>
    </message>
    <message>
        <source>El reloj de la partida está en marcha: termine o detenga la partida antes de entrenar.</source>
        <translation>The game&apos;s clock is running: finish or stop the game before training.</translation>
    </message>
    <message>
        <source>La partida no está analizada: use primero «Partida &gt; Analizar partida...».</source>
        <translation>The game has not been analysed: use “Game &gt; Analyse Game...” first.</translation>
    </message>
    <message>
        <source>Ejercicios nuevos de esta partida: %1.</source>
        <translation>New exercises from this game: %1.</translation>
    </message>
    <message>
        <source>Ya estaban: %1.</source>
        <translation>Already there: %1.</translation>
    </message>
    <message>
        <source>Ejercicios nuevos: %1, de %2 partidas leídas.</source>
        <translation>New exercises: %1, from %2 games read.</translation>
    </message>
    <message>
        <source>Partidas que no se pudieron leer enteras: %1.</source>
        <translation>Games that could not be read whole: %1.</translation>
    </message>
    <message>
        <source>El archivo no tiene errores marcados (NAG o [%eval]).</source>
        <translation>The file has no marked mistakes (NAGs or [%eval]).</translation>
    </message>
    <message>
        <source>Leyendo «%1»...</source>
        <translation>Reading “%1”...</translation>
    </message>
</context>
<context>
    <name>TrainingPanel</name>
    <message>
        <source>Reintentar</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Ver solución</source>
        <translation>Show Solution</translation>
    </message>
    <message>
        <source>Siguiente</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Volver a la partida</source>
        <translation>Back to the Game</translation>
    </message>
    <message>
        <source>Resueltos: %1 · Pendientes: %2 · Total: %3</source>
        <translation>Solved: %1 · Due: %2 · Total: %3</translation>
    </message>
</context>
<context>
    <name>UciEngine</name>
    <message>
        <source>El motor %1 envió «bestmove» sin jugada.</source>
        <translation>The engine %1 sent “bestmove” without a move.</translation>
    </message>
</context>
<context>
    <name>WelcomeDlg</name>
    <message>
        <source>Blancas</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Negras</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>No volver a mostrar</source>
        <translation>Don&apos;t show again</translation>
    </message>
    <message>
        <source>Bienvenida</source>
        <translation>Welcome</translation>
    </message>
    <message>
        <source>&lt;b&gt;Te damos la bienvenida a dovrel2.&lt;/b&gt;&lt;br&gt;¿Qué quieres hacer?</source>
        <translation>&lt;b&gt;Welcome to dovrel2.&lt;/b&gt;&lt;br&gt;What would you like to do?</translation>
    </message>
    <message>
        <source>Jugar contra kelvo</source>
        <translation>Play against kelvo</translation>
    </message>
    <message>
        <source>Sin reloj</source>
        <translation>No clock</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min + %2 s</source>
        <translation>%1 min + %2 s</translation>
    </message>
    <message>
        <source>Nivel:</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>Juegas con:</source>
        <translation>You play:</translation>
    </message>
    <message>
        <source>Reloj:</source>
        <translation>Clock:</translation>
    </message>
    <message>
        <source>Jugar</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Empieza una partida contra kelvo</source>
        <translation>Starts a game against kelvo</translation>
    </message>
    <message>
        <source>Abrir una partida...</source>
        <translation>Open a game...</translation>
    </message>
    <message>
        <source>Muestra una partida de un archivo PGN</source>
        <translation>Shows a game from a PGN file</translation>
    </message>
    <message>
        <source>Revisar una partida...</source>
        <translation>Review a game...</translation>
    </message>
    <message>
        <source>Abre una partida y busca sus imprecisiones, errores y errores graves</source>
        <translation>Opens a game and finds its inaccuracies, mistakes and blunders</translation>
    </message>
    <message>
        <source>O cierra esta página y juega libremente: mueve una pieza y kelvo contesta.</source>
        <translation>Or close this page and play freely: move a piece and kelvo answers.</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Cierra esta página</source>
        <translation>Closes this page</translation>
    </message>
</context>
</TS>
