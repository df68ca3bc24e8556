#include "engine_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "engine_discovery.h"

QString EngineList::defaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dovrel2/engines.ini");
}

EngineList::EngineList(QString path) : path(std::move(path)) { list << builtInEngine(); }

void EngineList::load() {
  list = {builtInEngine()};
  analysisChoice.clear();
  if (!QFileInfo::exists(path)) {
    addDiscovered(discoverEngines());
    return;
  }
  QSettings file(path, QSettings::IniFormat);
  const int count = file.beginReadArray(QStringLiteral("engines"));
  for (int i = 0; i < count; ++i) {
    file.setArrayIndex(i);
    EngineConfig config;
    config.name = file.value(QStringLiteral("name")).toString();
    config.program = file.value(QStringLiteral("program")).toString();
    config.arguments = file.value(QStringLiteral("arguments")).toStringList();
    config.protocol = protocolFromText(file.value(QStringLiteral("protocol")).toString());
    const QStringList names = file.value(QStringLiteral("optionNames")).toStringList();
    const QStringList values = file.value(QStringLiteral("optionValues")).toStringList();
    for (qsizetype k = 0; k < names.size() && k < values.size(); ++k) config.optionValues.insert(names[k], values[k]);
    if (!config.program.isEmpty() && !config.isBuiltIn()) list << config;
  }
  file.endArray();
  analysisChoice = file.value(QStringLiteral("analysisEngine")).toString();
}

bool EngineList::setAnalysisEngine(const QString& name) {
  analysisChoice = name;
  // A file holding only the choice would read back as an empty list.
  if (!QFileInfo::exists(path) && !save()) return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(QStringLiteral("analysisEngine"), name);
  file.sync();
  return file.status() == QSettings::NoError;
}

bool EngineList::save() const {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSettings file(path, QSettings::IniFormat);
  file.remove(QStringLiteral("engines"));
  file.beginWriteArray(QStringLiteral("engines"));
  int i = 0;
  for (const EngineConfig& config : list) {
    if (config.isBuiltIn()) continue;
    file.setArrayIndex(i++);
    file.setValue(QStringLiteral("name"), config.name);
    file.setValue(QStringLiteral("program"), config.program);
    file.setValue(QStringLiteral("arguments"), config.arguments);
    file.setValue(QStringLiteral("protocol"), protocolText(config.protocol));
    // Names may hold blanks and slashes, which keys do not take well.
    file.setValue(QStringLiteral("optionNames"), QStringList(config.optionValues.keys()));
    file.setValue(QStringLiteral("optionValues"), QStringList(config.optionValues.values()));
  }
  file.endArray();
  file.sync();
  return file.status() == QSettings::NoError;
}

void EngineList::add(const EngineConfig& config) {
  if (config.isBuiltIn()) return;
  for (int i = 1; i < list.size(); ++i)
    if (list[i].sameCommand(config)) {
      list[i] = config;
      return;
    }
  list << config;
}

void EngineList::remove(int index) {
  if (index > 0 && index < list.size()) list.removeAt(index);
}

void EngineList::replace(int index, const EngineConfig& config) {
  if (index > 0 && index < list.size() && !config.isBuiltIn()) list[index] = config;
}

int EngineList::addDiscovered(const QList<EngineConfig>& found) {
  int added = 0;
  for (const EngineConfig& config : found) {
    const bool listed = std::any_of(list.cbegin() + 1, list.cend(), [&](const EngineConfig& c) { return c.sameCommand(config); });
    if (listed) continue;
    list << config;
    ++added;
  }
  return added;
}

int EngineList::indexOf(const QString& name) const {
  for (int i = 0; i < list.size(); ++i)
    if (list[i].name == name) return i;
  return -1;
}
