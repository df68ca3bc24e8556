#include "engine_analyser.h"

#include "driver/uci_moves.h"
#include "external/chess_engine.h"
#include "external/engine_config.h"
#include "game/engine_info.h"
#include "external/engine_text.h"
#include "position/fen.h"
#include "position/move_gen.h"
#include "position/notation.h"
#include "spanish_notation.h"

namespace {

// The engine's move text as a legal move where it stands: coordinates, or
// SAN from the engines of the older protocol.
Move moveOfText(const CChessBoard& position, const QString& text) {
  if (text.size() > engine_text::MAX_MOVE_CHARS) return Move();
  const std::string word = text.toStdString();
  Move move = readUciMove(position, word);
  if (move.isNull()) {
    CChessBoard copy = position;
    move = parseSan(copy, word);
  }
  return move;
}

QString startFen(const CChessBoard& start) {
  CChessBoard initial;
  initial.setupInitialPosition();
  const std::string fen = positionToFen(start);
  return fen == positionToFen(initial) ? QString() : QString::fromStdString(fen);
}

}  // namespace

EngineAnalyser::EngineAnalyser(const EngineConfig& config, QObject* parent)
    : QObject(parent), engine(ChessEngine::create(config)) {
  connect(engine.get(), &ChessEngine::analysisInfo, this, [this](const EngineInfo& info) {
    AnalysisLine line = lineOf(info, position, moveNumber);
    line.request = request;
    if (!line.moves.empty()) emit lineFound(line);
  });
  connect(engine.get(), &ChessEngine::failed, this, &EngineAnalyser::failed);
}

EngineAnalyser::~EngineAnalyser() = default;

QString EngineAnalyser::name() const { return engine->name(); }

quint64 EngineAnalyser::analyse(const std::vector<CChessBoard>& positions, int number, int lines) {
  ++request;
  if (positions.empty()) return request;
  position = positions.back();
  moveNumber = number;
  QStringList moves;
  for (std::size_t i = 1; i < positions.size(); ++i)
    moves << QString::fromStdString(uciMoveText(positions[i].lastMove));
  engine->analyse(startFen(positions.front()), moves, lines);
  return request;
}

void EngineAnalyser::stop() {
  ++request;
  engine->stopAnalysis();
}

AnalysisLine EngineAnalyser::lineOf(const EngineInfo& info, const CChessBoard& position, int moveNumber) {
  AnalysisLine line;
  const bool white = position.sideToMove != 0;
  line.score = info.mate != 0 ? WhiteScore::mateIn(white ? info.mate : -info.mate)
                              : WhiteScore::pawns(white ? info.centipawns : -info.centipawns);
  CChessBoard at = position;
  for (const QString& text : info.pv) {
    const Move move = moveOfText(at, text);
    if (move.isNull()) break;
    line.moves.push_back(move);
    makeMove(at, move);
    at.switchSide();
  }
  line.text = notatedLine(position, moveNumber, line.moves);
  line.rank = info.multiPv;
  line.depth = info.depth;
  line.nodes = info.nodes;
  line.milliseconds = info.milliseconds >= 0 ? info.milliseconds
                      : info.nps > 0        ? info.nodes * 1000 / info.nps
                                            : 0;
  return line;
}
