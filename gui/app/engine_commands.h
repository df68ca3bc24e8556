#pragma once
// Motores and Nueva partida: the configured engines (kelvo first), the dialog
// that edits them, and the dialog that seats people and engines for a game,
// which remembers its last choices for the next time it opens.

#include <QObject>

#include "external/engine_list.h"
#include "external/new_game_dlg.h"

class GameInPlay;
class QWidget;

class EngineCommands : public QObject {
  Q_OBJECT

 public:
  EngineCommands(GameInPlay* play, QWidget* window);

  // Motores: OK keeps the edited list, Cancelar forgets the changes.
  void showEnginesDialog();
  // Nueva partida: the seats, the clock and the start chosen are played.
  void showNewGameDialog();
  // The game of these choices, as if the dialog had chosen them.
  void startGame(const NewGameDlg::Choices& chosen);

  EngineList& engines() { return engineList; }

 private:
  GameInPlay* play;
  QWidget* window;
  EngineList engineList;
  NewGameDlg::Choices lastChoices;
  bool choicesMade = false;
};
