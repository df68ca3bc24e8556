// dovrel2: play chess against the Kelvo engine in a window.
//
// For the screenshot test, "--play MOVE --grab-start FILE --grab FILE" grabs
// the window once the start-up game stands (a named file's, or a new one),
// plays MOVE by two board clicks, grabs it again after the engine's answer
// and ends.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

#include "data_location.h"
#include "dovrel2_app.h"
#include "main_frame.h"
#include "position/square.h"

namespace {

struct Script {
  QString move;
  QString startImage;
  QString endImage;
};

void grabTo(CMainFrame* frame, const QString& path) {
  QApplication::processEvents();
  if (!path.isEmpty()) frame->grab().save(path);
}

void runScript(CMainFrame* frame, const Script& script) {
  auto started = std::make_shared<bool>(false);
  QObject::connect(frame, &CMainFrame::startedUp, frame, [frame, script, started] {
    *started = true;
    grabTo(frame, script.startImage);
    const std::string move = script.move.toStdString();
    frame->squareClicked(parseSquare(move.substr(0, 2)));
    frame->squareClicked(parseSquare(move.substr(2, 2)));
  });
  QObject::connect(frame, &CMainFrame::lineHandled, frame, [frame, script, started](const QString& line) {
    if (*started && line.startsWith(QLatin1String("move "))) {
      grabTo(frame, script.endImage);
      QCoreApplication::exit(0);
    }
  });
  // A script that never sees the engine's answer fails rather than hangs.
  QTimer::singleShot(120000, frame, [] { QCoreApplication::exit(2); });
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("dovrel2"));
  // Where windows carry no icon of their own (Wayland), the desktop entry's is shown.
  QGuiApplication::setDesktopFileName(QStringLiteral("dovrel2"));

  QCommandLineParser parser;
  const QCommandLineOption play(QStringLiteral("play"), QStringLiteral("Move to play after start."), QStringLiteral("move"));
  const QCommandLineOption grabStart(QStringLiteral("grab-start"), QStringLiteral("Image of the start."), QStringLiteral("file"));
  const QCommandLineOption grab(QStringLiteral("grab"), QStringLiteral("Image after the answer."), QStringLiteral("file"));
  parser.addOptions({play, grabStart, grab});
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A PGN game to open."));
  parser.process(application);

  // Names given relative to where the program was started must survive the
  // move into the data folder below.
  const auto absolute = [](const QString& path) { return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath(); };
  QStringList arguments{application.arguments().value(0)};
  for (const QString& file : parser.positionalArguments()) arguments += absolute(file);
  const Script script{parser.value(play), absolute(parser.value(grabStart)), absolute(parser.value(grab))};
  dataLocation::enterDataFolder({CDovrel2App::REGULAR_FONT_FILE, CDovrel2App::MERIDA_FONT_FILE});

  CDovrel2App app;
  // A scripted run (the screenshot test) never stops at the first-start page.
  if (!app.initInstance(arguments, !parser.isSet(play))) return 1;
  if (parser.isSet(play) && script.move.size() >= 4) runScript(app.mainFrame(), script);
  return application.exec();
}
