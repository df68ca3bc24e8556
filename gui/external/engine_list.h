#pragma once
// The engines the player has configured, kept per user beside the
// program's other settings and read back at start. The built-in engine is
// always the first entry and is never saved or removed.

#include <QList>
#include <QString>

#include "engine_config.h"

class EngineList {
 public:
  // "<user config folder>/dovrel2/engines.ini".
  static QString defaultPath();

  explicit EngineList(QString path = defaultPath());
  // Reads the saved list; on the first start (nothing saved) the installed
  // engines found on the machine are listed instead. Something that is not
  // a regular file of a sane size is not read, and never written over.
  void load();
  bool save() const;
  bool isForeign() const { return foreign; }

  const QList<EngineConfig>& engines() const { return list; }
  // Adds an engine or, when its command is listed already, replaces that entry.
  void add(const EngineConfig& config);
  void remove(int index);
  void replace(int index, const EngineConfig& config);
  // Adds the discovered engines not listed yet; how many were added.
  int addDiscovered(const QList<EngineConfig>& found);
  int indexOf(const QString& name) const;
  // The engine the Análisis panel uses, by name (empty: the built-in one);
  // the choice is written at once and only it, so a list saved elsewhere
  // keeps it.
  QString analysisEngine() const { return analysisChoice; }
  bool setAnalysisEngine(const QString& name);

 private:
  QString path;
  QList<EngineConfig> list;
  QString analysisChoice;
  bool foreign = false;
};
