#pragma once
// Opciones: the settings as check boxes.

#include <QDialog>

class QCheckBox;

class CConfigDlg : public QDialog {
  Q_OBJECT

 public:
  struct Choices {
    bool openingBook = false;
    bool randomFactor = false;
    bool post = false;
    bool debugFiles = false;
    bool debug = false;
    bool showLegalMoves = true;
  };

  explicit CConfigDlg(const Choices& shown, QWidget* parent = nullptr);

  Choices choices() const;

  QCheckBox* openingBookBox;
  QCheckBox* randomFactorBox;
  QCheckBox* postBox;
  QCheckBox* debugFilesBox;
  QCheckBox* debugBox;
  QCheckBox* showLegalMovesBox;
};
