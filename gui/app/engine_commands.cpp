#include "engine_commands.h"

#include "external/engines_dlg.h"
#include "play/game_in_play.h"

EngineCommands::EngineCommands(GameInPlay* play, QWidget* window) : QObject(window), play(play), window(window) {
  engineList.load();
  lastChoices.black.engine = 0;  // the quick game's seats: a person against kelvo
}

void EngineCommands::showEnginesDialog() {
  EnginesDlg dialog(engineList, window);
  if (dialog.exec() != QDialog::Accepted) engineList.load();  // Cancelar forgets the changes
}

void EngineCommands::showNewGameDialog() {
  NewGameDlg::Choices shown = lastChoices;
  // The dialog's own last clock, else the one of Opciones.
  if (!choicesMade) shown.timeControl = play->gameFlow().timeControl();
  NewGameDlg dialog(engineList, shown, window);
  if (dialog.exec() == QDialog::Accepted) startGame(dialog.choices());
}

void EngineCommands::startGame(const NewGameDlg::Choices& chosen) {
  lastChoices = chosen;
  choicesMade = true;
  play->startGame(chosen, engineList);
}
