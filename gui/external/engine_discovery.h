#pragma once
// Finding the engines installed on the machine the way the desktop does:
// Debian's xboard plugin files, the engine list of the desktop's chess game,
// and well-known engine programs on the PATH (or in /usr/games).

#include <QList>
#include <QString>

#include "engine_config.h"

// The "plugin" format line, the command, the variants: one engine per *.eng file
// that plays normal chess.
QList<EngineConfig> readXboardPlugins(const QString& folder);
// [Name] sections with protocol=uci|cecp, binary= and args=.
QList<EngineConfig> readEnginesConf(const QString& path);
// Engine programs known by name that are installed.
QList<EngineConfig> knownEnginesOnPath();
// All of the above that are installed, each command once; the first source wins.
QList<EngineConfig> discoverEngines(const QString& pluginFolder = QStringLiteral("/usr/share/games/plugins/xboard"),
                                    const QString& enginesConf = QStringLiteral("/etc/gnome-chess/engines.conf"));
// Whether the program can be run: a path to an executable, or a name found.
bool isInstalled(const QString& program);
// Splits "gnuchess --uci" into a configuration with program and arguments.
EngineConfig configFromCommand(const QString& command);
