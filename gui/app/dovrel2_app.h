#pragma once
// The application: registers the chess fonts for this process, builds the
// document and the main window, reads the settings and starts the engine with
// a new game; removes the fonts again at exit.

#include <QStringList>

#include <memory>

class CDovrel2Doc;
class CMainFrame;
class WindowTranslation;

class CDovrel2App {
 public:
  static constexpr const char* REGULAR_FONT_FILE = "CHEQ_TT0.TTF";
  static constexpr const char* MERIDA_FONT_FILE = "merida.ttf";

  CDovrel2App();
  ~CDovrel2App();

  // The start-up sequence; false when the program must end at once.
  // `welcome`: the user's own start, which may show the first-start page.
  bool initInstance(const QStringList& arguments, bool welcome = false);

  CMainFrame* mainFrame() const { return frame.get(); }

 private:
  bool registerFonts();
  void loadTranslation();
  void unregisterFonts();

  int regularFont = -1;
  int meridaFont = -1;
  std::unique_ptr<WindowTranslation> translation;
  std::unique_ptr<CDovrel2Doc> doc;
  std::unique_ptr<CMainFrame> frame;
};
