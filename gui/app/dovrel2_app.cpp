#include "dovrel2_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QIcon>

#include "common/message_sink.h"
#include "engine/engine_bridge.h"
#include "engine/engine_objects.h"
#include "files/dovrel2_doc.h"
#include "main_frame.h"
#include "settings/settings_file.h"
#include "settings/window_language.h"
#include "window_translation.h"

namespace {

// The icons the package installs in the desktop's icon theme, else the same
// pictures built into the program (a build tree, a system without the theme).
QIcon programIcon() {
  QIcon builtIn;
  for (int size : {48, 128, 256})
    builtIn.addFile(QStringLiteral(":/icons/%1x%1/dovrel2.png").arg(size), QSize(size, size));
  return QIcon::fromTheme(QStringLiteral("dovrel2"), builtIn);
}

}  // namespace

CDovrel2App::CDovrel2App() = default;

CDovrel2App::~CDovrel2App() {
  frame.reset();
  doc.reset();
  unregisterFonts();
}

bool CDovrel2App::registerFonts() {
  regularFont = QFontDatabase::addApplicationFont(QString::fromLatin1(REGULAR_FONT_FILE));
  meridaFont = QFontDatabase::addApplicationFont(QString::fromLatin1(MERIDA_FONT_FILE));
  if (regularFont >= 0 && meridaFont >= 0) return true;
  showMessage(QMessageBox::Warning, QCoreApplication::translate("CDovrel2App", "failed registering font"));
  return false;
}

void CDovrel2App::unregisterFonts() {
  for (int* id : {&regularFont, &meridaFont}) {
    if (*id < 0) continue;
    if (!QFontDatabase::removeApplicationFont(*id))
      showMessage(QMessageBox::Warning, QCoreApplication::translate("CDovrel2App", "failed unregistering font"));
    *id = -1;
  }
}

// The language kelvo.ini names, or the system's; a change in Opciones counts
// from the next start, since every window takes its texts as it is built.
void CDovrel2App::loadTranslation() {
  const QString setting = ProgramSettings::read(SettingsFile()).language;
  translation = std::make_unique<WindowTranslation>(window_language::chosen(setting));
}

bool CDovrel2App::initInstance(const QStringList& arguments, bool welcome) {
  loadTranslation();
  if (!registerFonts()) return false;
  QApplication::setWindowIcon(programIcon());

  // The one place the desktop app takes the engine's process-wide objects.
  const EngineObjects objects = EngineObjects::ofProcess();
  doc = std::make_unique<CDovrel2Doc>(objects.game);
  frame = std::make_unique<CMainFrame>(doc.get(), objects);
  QObject::connect(frame->bridge(), &EngineBridge::engineFinished, qApp, [] { QCoreApplication::exit(0); });
  // A file named on the command line (a file manager's "open with") is the game shown.
  QString file;
  for (const QString& argument : arguments.mid(1)) {
    if (!argument.startsWith(u'-')) {
      file = argument;
      break;
    }
  }
  frame->startUp(file, welcome);
  return true;
}
