#pragma once
// Nueva partida: who plays White and who Black (a person, kelvo or any
// configured engine, each engine with its level), the time control, and
// where the game starts: the initial position, the board shown, or a FEN.

#include <QDialog>

#include "engine_list.h"
#include "game/time_control.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;

class NewGameDlg : public QDialog {
  Q_OBJECT

 public:
  // Refuses what cannot be used, with the reason; otherwise closes.
  void accept() override;
  enum class Start { Initial, Shown, Fen };
  static constexpr int PERSON = -1;

  struct Seat {
    int engine = PERSON;  // index in the engine list
    int level = -1;       // kelvo's level, or an engine's Skill Level; -1: its usual one
  };
  struct Choices {
    Seat white, black;
    TimeControl timeControl;
    Start start = Start::Initial;
    QString fen;
  };

  NewGameDlg(const EngineList& list, const Choices& shown, QWidget* parent = nullptr);
  Choices choices() const;

  // The widgets, for tests.
  QComboBox* playerBox(int side) const { return side ? whiteBox : blackBox; }
  QSpinBox* levelBox(int side) const { return side ? whiteLevel : blackLevel; }
  QLineEdit* fenEdit() const { return fen; }
  void setStart(Start start);

 private:
  void seatChanged(int side);

  const EngineList& list;
  QComboBox *whiteBox, *blackBox;
  QSpinBox *whiteLevel, *blackLevel;
  QComboBox* clock;
  QSpinBox *minutes, *increment;
  QButtonGroup* startGroup;
  QLineEdit* fen;
};
