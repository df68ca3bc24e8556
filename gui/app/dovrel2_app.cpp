#include "dovrel2_app.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "common/message_sink.h"
#include "engine/engine_bridge.h"
#include "engine/engine_objects.h"
#include "files/dovrel2_doc.h"
#include "main_frame.h"

namespace {

// The icons the package installs in the desktop's icon theme, else the same
// pictures built into the program (a build tree, a system without the theme).
QIcon programIcon() {
  QIcon builtIn;
  for (int size : {48, 128, 256})
    builtIn.addFile(QStringLiteral(":/icons/%1x%1/dovrel2.png").arg(size), QSize(size, size));
  return QIcon::fromTheme(QStringLiteral("dovrel2"), builtIn);
}

// The toolkit's Spanish writes the modifier keys out in full
// ("Control+Mayúsculas+C"); Spanish desktops name them short, "Ctrl+Mayús+C".
// Asked first, it answers for those two names only.
class ShortcutKeyNames : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (qstrcmp(context, "QShortcut") != 0) return {};
    if (qstrcmp(source, "Ctrl") == 0) return QStringLiteral("Ctrl");
    if (qstrcmp(source, "Shift") == 0) return QStringLiteral("Mayús");
    return {};
  }
};

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
  showMessage(QMessageBox::Warning, QStringLiteral("failed registering font"));
  return false;
}

void CDovrel2App::unregisterFonts() {
  for (int* id : {&regularFont, &meridaFont}) {
    if (*id < 0) continue;
    if (!QFontDatabase::removeApplicationFont(*id))
      showMessage(QMessageBox::Warning, QStringLiteral("failed unregistering font"));
    *id = -1;
  }
}

// The toolkit's own texts (standard buttons, file dialogs) in Spanish, like
// the rest of the program; without the translation they stay in English.
void CDovrel2App::loadToolkitTranslation() {
  auto translation = std::make_unique<QTranslator>();
  if (!translation->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return;
  QCoreApplication::installTranslator(translation.get());
  toolkitTranslation = std::move(translation);
  shortcutKeyNames = std::make_unique<ShortcutKeyNames>();
  QCoreApplication::installTranslator(shortcutKeyNames.get());
}

bool CDovrel2App::initInstance(const QStringList& arguments, bool welcome) {
  loadToolkitTranslation();
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
