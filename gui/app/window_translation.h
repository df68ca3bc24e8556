#pragma once
// The window in its language: the program's own texts and the toolkit's
// (standard buttons, file dialogs), installed for as long as this lives.
// Windows take their texts when they are built, so it is installed first.

#include <QLocale>

#include <memory>
#include <vector>

class QTranslator;

class WindowTranslation {
 public:
  // Spanish needs no translation of the program's texts, only the toolkit's;
  // any other language gets both, where they exist.
  explicit WindowTranslation(QLocale::Language language);
  ~WindowTranslation();
  WindowTranslation(const WindowTranslation&) = delete;
  WindowTranslation& operator=(const WindowTranslation&) = delete;

  // The program's own texts were found for the language (none for Spanish).
  bool programTranslated() const { return program; }

 private:
  std::vector<std::unique_ptr<QTranslator>> installed;
  bool program = false;
};
