#pragma once
// Opciones: the settings as check boxes.

#include <QDialog>

#include "game/time_control.h"
#include "search/level.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

class CConfigDlg : public QDialog {
  Q_OBJECT

 public:
  struct Choices {
    bool openingBook = false;
    bool randomFactor = false;
    bool post = false;
    bool debugFiles = false;
    bool debug = false;
    int level = SPECIFIED_LEVEL;
    TimeControl timeControl;
    bool showLegalMoves = true;
    QString language = QStringLiteral("auto");  // kelvo.ini's Language, from the next start
    QString notation = QStringLiteral("List");  // kelvo.ini's Notation, at once
  };

  explicit CConfigDlg(const Choices& shown, QWidget* parent = nullptr);

  Choices choices() const;

  QCheckBox* openingBookBox;
  QCheckBox* randomFactorBox;
  QCheckBox* postBox;
  QCheckBox* debugFilesBox;
  QCheckBox* debugBox;
  QComboBox* levelBox;
  QCheckBox* untimedBox;
  QSpinBox* minutesBox;
  QSpinBox* incrementBox;
  QCheckBox* showLegalMovesBox;
  QComboBox* languageBox;
  QComboBox* notationBox;
};
