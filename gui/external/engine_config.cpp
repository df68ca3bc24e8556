#include "engine_config.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Debian puts chess engines in /usr/games, which a desktop PATH may lack.
QString resolved(const QString& program) {
  if (program.contains(u'/')) return QFileInfo(program).canonicalFilePath();
  QString found = QStandardPaths::findExecutable(program);
  if (found.isEmpty()) found = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/games")});
  return found.isEmpty() ? program : QFileInfo(found).canonicalFilePath();
}

}  // namespace

QString protocolText(EngineProtocol protocol) {
  switch (protocol) {
    case EngineProtocol::BuiltIn: return QStringLiteral("kelvo");
    case EngineProtocol::Uci: return QStringLiteral("uci");
    case EngineProtocol::Cecp: return QStringLiteral("xboard");
    default: return {};
  }
}

EngineProtocol protocolFromText(const QString& text) {
  // Written by hand, or by other programs, in any case.
  const QString word = text.trimmed().toLower();
  if (word == QLatin1String("kelvo")) return EngineProtocol::BuiltIn;
  if (word == QLatin1String("uci")) return EngineProtocol::Uci;
  if (word == QLatin1String("xboard") || word == QLatin1String("cecp")) return EngineProtocol::Cecp;
  return EngineProtocol::Unknown;
}

bool EngineConfig::sameCommand(const EngineConfig& other) const {
  return arguments == other.arguments && resolved(program) == resolved(other.program);
}

QString EngineConfig::commandText() const {
  return arguments.isEmpty() ? program : program + u' ' + arguments.join(u' ');
}

EngineConfig builtInEngine() {
  EngineConfig config;
  config.name = QStringLiteral("kelvo");
  config.protocol = EngineProtocol::BuiltIn;
  return config;
}
