#include "welcome_commands.h"

#include <QWidget>

#include "analysis_commands.h"
#include "common/file_saver.h"
#include "common/message_sink.h"
#include "dialogs/welcome_dlg.h"
#include "driver/game.h"
#include "engine_commands.h"
#include "file_commands.h"
#include "settings/settings_file.h"

WelcomeCommands::WelcomeCommands(Parts parts, QWidget* window) : QObject(window), parts(parts), window(window) {}

bool WelcomeCommands::wanted(bool fileNamed) {
  if (!ProgramSettings::read(SettingsFile()).welcomePage) return false;
  if (!fileNamed) return true;
  remember(true);  // the window's place, stored at exit, would count as a start
  return false;
}

void WelcomeCommands::remember(bool showAgain) {
  SettingsFile file;
  file.setBoolean(ini::DOVREL, ini::WELCOME_PAGE, showAgain);
  QString reason;
  if (!file.save(&reason))
    showMessage(QMessageBox::Warning, saveFailureText(QString::fromLatin1(SettingsFile::FILE_NAME), reason), window);
}

void WelcomeCommands::show() {
  const ProgramSettings usual = ProgramSettings::read(SettingsFile());
  auto* page = new WelcomeDlg(usual.level, usual.timeControl, window);
  page->setAttribute(Qt::WA_DeleteOnClose);
  connect(page, &QDialog::finished, this, [this, page] {
    remember(page->showAgain());
    switch (page->choice()) {
      case WelcomeDlg::Choice::Play: {
        NewGameDlg::Choices chosen;
        const NewGameDlg::Seat kelvo{0, page->level()};  // the engine list's first entry
        (page->playsWhite() ? chosen.black : chosen.white) = kelvo;
        chosen.timeControl = page->timeControl();
        parts.engines->startGame(chosen);
        break;
      }
      case WelcomeDlg::Choice::Open: parts.files->open(); break;
      case WelcomeDlg::Choice::Review:
        // Once the opening has ended, out of the open's own steps.
        if (parts.files->open())
          connect(parts.files, &FileCommands::openFinished, this, &WelcomeCommands::reviewOpenedGame,
                  Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        break;
      case WelcomeDlg::Choice::Close: break;
    }
  });
  page->open();
}

// A refused file leaves the game of the start, which has no move to review.
void WelcomeCommands::reviewOpenedGame() {
  if (parts.game.read([](const Game& game) { return game.history.size() > 1; })) parts.analysis->reviewGame();
}
