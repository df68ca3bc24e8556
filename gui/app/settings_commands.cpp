#include "settings_commands.h"

#include <QApplication>

#include "board/dovrel_view.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "dialogs/config_dlg.h"
#include "driver/engine_io.h"
#include "engine/engine_bridge.h"
#include "engine/player_settings.h"
#include "game/game_flow.h"
#include "game/move_notation.h"
#include "settings/settings_file.h"

SettingsCommands::SettingsCommands(EngineObjects objects, EngineBridge* engine, CDovrelView* view, GameFlow& flow,
                                   QWidget* window)
    : QObject(window), objects(objects), engine(engine), view(view), flow(flow), window(window) {}

void SettingsCommands::apply(bool forNewPlayer) {
  objects.io.writeGameLog("Configuration file read.\n");
  const ProgramSettings settings = ProgramSettings::read(SettingsFile());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (forNewPlayer)
    engine->applyPendingPlayerSettings();
  else if (applyPlayerSettings(objects.game, settings))
    engine->reloadBook(BookLoad::Replace);
  QApplication::restoreOverrideCursor();
  debug = settings.debug;
  font = settings.font;
  // A new engine player comes with every game: the game in play keeps its own clock.
  if (!forNewPlayer) flow.setTimeControl(settings.timeControl);
  view->setFontName(font);
  view->setShowLegalMoves(settings.showLegalMoves);
  setWindowNotation(notationOfKey(settings.notation.toStdString()));
}

void SettingsCommands::editOptions() {
  CConfigDlg::Choices shown;
  const std::optional<PlayerSwitches> player = playerSwitches(objects.game);
  if (player) {
    shown.openingBook = player->useBook;
    shown.randomFactor = player->randomFactor;
    shown.post = player->post;
  }
  const ProgramSettings stored = ProgramSettings::read(SettingsFile());
  shown.level = player ? player->level : stored.level;
  shown.timeControl = flow.timeControl();
  shown.debugFiles = objects.io.loggingEnabled;
  shown.debug = debug;
  shown.showLegalMoves = view->showLegalMoves();
  shown.language = stored.language;
  shown.notation = QString::fromLatin1(notationKey(windowNotation()));
  CConfigDlg dialog(shown, window);
  if (dialog.exec() != QDialog::Accepted) return;
  const CConfigDlg::Choices chosen = dialog.choices();

  debug = chosen.debug;
  emit debugChanged(debug);
  flow.setTimeControl(chosen.timeControl);  // from the next new game
  SettingsFile file;
  file.setText(ini::KELVO, ini::LEVEL, QString::number(chosen.level));
  file.setText(ini::DOVREL, ini::TIME_CONTROL, chosen.timeControl.text());
  // The player may have been replaced while the dialog was open, and a
  // searching engine reads its flags: store them when the worker waits.
  const bool hadPlayer = player.has_value();
  if (hadPlayer) {
    file.setBoolean(ini::KELVO, ini::OPENING_BOOK, chosen.openingBook);
    file.setBoolean(ini::KELVO, ini::RANDOM_FACTOR, chosen.randomFactor);
    file.setBoolean(ini::KELVO, ini::POST, chosen.post);
  }
  file.setBoolean(ini::DOVREL, ini::DEBUG, chosen.debug);
  file.setText(ini::DOVREL, ini::FONT, font);
  file.setBoolean(ini::DOVREL, ini::DEBUG_FILES, chosen.debugFiles);
  file.setBoolean(ini::DOVREL, ini::SHOW_LEGAL_MOVES, chosen.showLegalMoves);
  // Written only once chosen, so a file that never named a language keeps following the system.
  if (chosen.language != stored.language) file.setText(ini::DOVREL, ini::LANGUAGE, chosen.language);
  if (chosen.notation != stored.notation) file.setText(ini::DOVREL, ini::NOTATION, chosen.notation);
  view->setShowLegalMoves(chosen.showLegalMoves);
  const MoveNotation notation = notationOfKey(chosen.notation.toStdString());
  if (notation != windowNotation()) {
    setWindowNotation(notation);
    emit notationChanged();
  }
  if (QString reason; !file.save(&reason))
    showMessage(QMessageBox::Critical, saveFailureText(QString::fromLatin1(SettingsFile::FILE_NAME), reason), window);
  engine->whenIdle([this, chosen, hadPlayer] {
    EngineIO& io = objects.io;
    // Turning the files on during a run opens them (the first time), so the switch has an effect.
    const std::string reason = chosen.debugFiles ? io.enableLogging() : std::string();
    if (!chosen.debugFiles) io.disableLogging();
    if (!reason.empty())
      showMessage(QMessageBox::Critical,
                  tr("No se pudieron crear los archivos de depuración:\n%1.").arg(QString::fromStdString(reason)),
                  window);
    if (hadPlayer) storePlayerSwitches(objects.game, {chosen.openingBook, chosen.randomFactor, chosen.post, chosen.level});
  });
}
