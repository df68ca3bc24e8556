#pragma once
// The page of the first start: what the new player wants to do. Play kelvo
// (its level, the player's colour, a clock), open a game from a file, review
// one, or close the page and play as usual. Its tick puts it away for good.

#include <QDialog>

#include <array>

#include "game/time_control.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

class WelcomeDlg : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { Close, Play, Open, Review };

  // Offered first: the usual level and clock of Opciones.
  WelcomeDlg(int level, const TimeControl& usualClock, QWidget* parent = nullptr);

  // Close also when the page was closed by its box or Escape.
  Choice choice() const { return chosen; }
  int level() const;
  bool playsWhite() const;  // the player's colour; kelvo takes the other
  TimeControl timeControl() const;
  bool showAgain() const;

  // The widgets, for tests.
  QComboBox* levelBox() const { return levels; }
  QRadioButton* blackButton() const { return black; }
  QComboBox* clockBox() const { return clocks; }
  QCheckBox* dismissBox() const { return dismiss; }
  QPushButton* button(Choice choice) const;

 private:
  QPushButton* addChoice(Choice choice, const QString& caption, const QString& tip);

  Choice chosen = Choice::Close;
  QComboBox* levels;
  QRadioButton *white, *black;
  QComboBox* clocks;
  QCheckBox* dismiss;
  std::array<QPushButton*, 4> buttons{};  // by Choice
};
