#pragma once
// One engine as the player configured it: how to start it, which protocol it
// speaks, and the option values chosen for it (by name; the engine declares
// the options themselves each time it starts).

#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>

enum class EngineProtocol { BuiltIn, Uci, Cecp, Unknown };

QString protocolText(EngineProtocol protocol);  // "uci", "xboard", "kelvo", ""
EngineProtocol protocolFromText(const QString& text);

struct EngineConfig {
  QString name;       // what the lists show: the engine's own name once asked
  QString program;    // a path, or a name looked up on the PATH
  QStringList arguments;
  EngineProtocol protocol = EngineProtocol::Unknown;
  QMap<QString, QString> optionValues;  // only those the player changed

  bool isBuiltIn() const { return protocol == EngineProtocol::BuiltIn; }
  // The same engine: the same program with the same arguments.
  bool sameCommand(const EngineConfig& other) const;
  // "stockfish", "gnuchess --uci": what the table shows as the command.
  QString commandText() const;
};

Q_DECLARE_METATYPE(EngineConfig)

// The built-in engine, listed first everywhere.
EngineConfig builtInEngine();
