#pragma once
// One line of an engine's analysis as the engine sent it: UCI's
// "info depth 20 seldepth 28 multipv 1 score cp 31 nodes ... nps ... time ... pv e2e4 e7e5"
// or CECP's thinking "ply score time nodes pv". The score is from the side to
// move's view, the moves are the engine's own texts.

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

struct EngineInfo {
  int depth = 0;
  int selDepth = 0;
  int multiPv = 1;
  int centipawns = 0;
  int mate = 0;  // moves to mate, < 0 when the side to move is mated
  qint64 nodes = 0;
  qint64 nps = 0;
  qint64 milliseconds = -1;  // -1: not said
  QStringList pv;
};
Q_DECLARE_METATYPE(EngineInfo)

// A UCI "info" line with a score and a line; nothing for the others
// ("info string ...", "info currmove ...", "info nodes ... hashfull ...").
std::optional<EngineInfo> parseUciInfo(const QString& line);
// A CECP thinking line ("12 +31 105 482311 e2e4 e7e5"; centiseconds; a mate
// as 100000 + moves); nothing for any other line.
std::optional<EngineInfo> parseCecpThinking(const QString& line);

// The same line split as sent: its four numbers (ply, score, time, nodes) and
// the words of its variation, without move numbers ("3...") and marks
// ("+", "!?"), up to a comment. The one reading of the form, for the
// built-in engine's lines as for any other engine's.
struct CecpThinking {
  QString numbers;  // "12 +31 105 482311"
  QStringList moves;
  QString rest;  // from the comment that ended the variation on, as sent
};
std::optional<CecpThinking> splitCecpThinking(const QString& line);
