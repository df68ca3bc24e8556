#include "engine_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

#include "engine_discovery.h"
#include "engine_text.h"

namespace {

// The list comes from outside (hand edits, other programs, a planted file):
// a pipe would block the open, a device or a huge file fill the memory, and
// an entry count of two thousand million would loop at start.
constexpr qint64 MAX_BYTES = 1 << 20;
constexpr int MAX_ENGINES = 256;
constexpr qsizetype MAX_OPTIONS = 1000;

// A name as the lists show it, and as the analysis choice is matched by.
QString shownName(const QString& name) { return engine_text::excerpt(name, engine_text::MAX_NAME_CHARS); }

bool isListFile(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.size() <= MAX_BYTES;
}

}  // namespace

QString EngineList::defaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dovrel2/engines.ini");
}

EngineList::EngineList(QString path) : path(std::move(path)) { list << builtInEngine(); }

void EngineList::load() {
  list = {builtInEngine()};
  analysisChoice.clear();
  foreign = false;
  if (!QFileInfo::exists(path)) {
    addDiscovered(discoverEngines());
    return;
  }
  foreign = !isListFile(path);
  if (foreign) return;
  QSettings file(path, QSettings::IniFormat);
  const int count = std::min(file.beginReadArray(QStringLiteral("engines")), MAX_ENGINES);
  for (int i = 0; i < count; ++i) {
    file.setArrayIndex(i);
    EngineConfig config;
    config.name = shownName(file.value(QStringLiteral("name")).toString());
    config.program = file.value(QStringLiteral("program")).toString();
    config.arguments = file.value(QStringLiteral("arguments")).toStringList();
    config.protocol = protocolFromText(file.value(QStringLiteral("protocol")).toString());
    const QStringList names = file.value(QStringLiteral("optionNames")).toStringList();
    const QStringList values = file.value(QStringLiteral("optionValues")).toStringList();
    for (qsizetype k = 0; k < names.size() && k < values.size() && k < MAX_OPTIONS; ++k)
      if (!engine_text::hasControl(values[k])) config.optionValues.insert(names[k], values[k]);
    if (!config.program.isEmpty() && !config.isBuiltIn()) list << config;
  }
  file.endArray();
  analysisChoice = shownName(file.value(QStringLiteral("analysisEngine")).toString());
}

bool EngineList::setAnalysisEngine(const QString& name) {
  analysisChoice = name;
  if (foreign) return false;
  // A file holding only the choice would read back as an empty list.
  if (!QFileInfo::exists(path) && !save()) return false;
  QSettings file(path, QSettings::IniFormat);
  file.setValue(QStringLiteral("analysisEngine"), name);
  file.sync();
  return file.status() == QSettings::NoError;
}

bool EngineList::save() const {
  // What is there is no list of ours: it stays as it is.
  if (foreign) return false;
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
