#pragma once
// kelvo.ini carried into the window and the engine: read at start-up and for
// every new engine player, and edited in Opciones, which writes it back and
// applies what it changed.

#include <QObject>
#include <QString>

#include "engine/engine_objects.h"

class CDovrelView;
class EngineBridge;
class GameFlow;
class QWidget;

class SettingsCommands : public QObject {
  Q_OBJECT

 public:
  SettingsCommands(EngineObjects objects, EngineBridge* engine, CDovrelView* view, GameFlow& flow, QWidget* window);

  // Reads the file into the window and, when there is one, the engine player;
  // for a new player only what it still lacks. The worker must be idle.
  void apply(bool forNewPlayer);
  // Opciones: shows the dialog; OK writes the file and applies the choices.
  void editOptions();

  bool debugEnabled() const { return debug; }
  const QString& fontName() const { return font; }

 signals:
  // Depuración was changed in Opciones; it takes effect at once.
  void debugChanged(bool enabled);
  // The moves are to be written again in the notation now chosen.
  void notationChanged();

 private:
  EngineObjects objects;
  EngineBridge* engine;
  CDovrelView* view;
  GameFlow& flow;
  QWidget* window;
  bool debug = false;
  QString font = QStringLiteral("Regular");
};
