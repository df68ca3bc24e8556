#include "engine_discovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

struct KnownEngine {
  const char* program;
  const char* arguments;
  EngineProtocol protocol;
};

// Debian's engines; GNU Chess speaks UCI on a flag, its xboard mode buffers
// its output when it runs on a pipe.
constexpr KnownEngine KNOWN[] = {
    {"stockfish", "", EngineProtocol::Uci},     {"gnuchess", "--uci", EngineProtocol::Uci},
    {"fairymax", "", EngineProtocol::Cecp},     {"phalanx", "", EngineProtocol::Cecp},
    {"toga2", "", EngineProtocol::Uci},         {"fruit", "", EngineProtocol::Uci},
    {"glaurung", "", EngineProtocol::Uci},      {"hoichess", "", EngineProtocol::Cecp},
    {"sjeng", "", EngineProtocol::Cecp},        {"crafty", "", EngineProtocol::Cecp},
};

QString niceName(const QString& program) {
  QString name = QFileInfo(program).fileName();
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

}  // namespace

EngineConfig configFromCommand(const QString& command) {
  EngineConfig config;
  const QStringList words = QProcess::splitCommand(command.trimmed());
  config.program = words.value(0);
  config.arguments = words.mid(1);
  config.name = niceName(config.program);
  return config;
}

bool isInstalled(const QString& program) {
  if (program.contains(u'/')) return QFileInfo(program).isExecutable();
  return !QStandardPaths::findExecutable(program).isEmpty() ||
         !QStandardPaths::findExecutable(program, {QStringLiteral("/usr/games")}).isEmpty();
}

QList<EngineConfig> readXboardPlugins(const QString& folder) {
  QList<EngineConfig> found;
  const QDir dir(folder);
  for (const QString& file : dir.entryList({QStringLiteral("*.eng")}, QDir::Files, QDir::Name)) {
    QFile text(dir.filePath(file));
    if (!text.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    QTextStream in(&text);
    const QString header = in.readLine();
    const QString command = in.readLine().trimmed();
    const QStringList variants = in.readLine().split(u',', Qt::SkipEmptyParts);
    if (!header.startsWith(QLatin1String("plugin ")) || command.isEmpty()) continue;
    if (!variants.contains(QStringLiteral("chess")) && !variants.contains(QStringLiteral("normal"))) continue;
    found << configFromCommand(command);
  }
  return found;
}

QList<EngineConfig> readEnginesConf(const QString& path) {
  QList<EngineConfig> found;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return found;
  QTextStream in(&file);
  EngineConfig* current = nullptr;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';')) continue;
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      found << EngineConfig{};
      current = &found.last();
      current->name = line.mid(1, line.size() - 2).trimmed();
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (!current || equals < 0) continue;
    const QString key = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    if (key == QLatin1String("binary")) current->program = value;
    if (key == QLatin1String("args")) current->arguments = QProcess::splitCommand(value);
    if (key == QLatin1String("protocol")) current->protocol = protocolFromText(value);
  }
  found.removeIf([](const EngineConfig& config) { return config.program.isEmpty(); });
  return found;
}

QList<EngineConfig> knownEnginesOnPath() {
  QList<EngineConfig> found;
  for (const KnownEngine& known : KNOWN) {
    if (!isInstalled(QLatin1String(known.program))) continue;
    EngineConfig config;
    config.program = QLatin1String(known.program);
    config.arguments = QString::fromLatin1(known.arguments).split(u' ', Qt::SkipEmptyParts);
    config.protocol = known.protocol;
    config.name = niceName(config.program);
    found << config;
  }
  return found;
}

QList<EngineConfig> discoverEngines(const QString& pluginFolder, const QString& enginesConf) {
  QList<EngineConfig> all;
  // A program known by name comes first: its protocol is known without asking.
  const QList<EngineConfig> known = knownEnginesOnPath();
  for (const QList<EngineConfig>& source : {known, readEnginesConf(enginesConf), readXboardPlugins(pluginFolder)}) {
    for (const EngineConfig& config : source) {
      if (!isInstalled(config.program)) continue;
      // The same program under another command (gnuchess -x beside gnuchess --uci) is listed once.
      const auto same = [&](const EngineConfig& other) {
        return other.sameCommand(config) || QFileInfo(other.program).fileName() == QFileInfo(config.program).fileName();
      };
      if (std::none_of(all.cbegin(), all.cend(), same)) all << config;
    }
  }
  return all;
}
