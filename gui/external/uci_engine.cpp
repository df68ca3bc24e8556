#include "uci_engine.h"

#include <algorithm>

#include "driver/uci_moves.h"

void UciEngine::greet() { send(QStringLiteral("uci")); }

void UciEngine::newGame(const QString& fen) {
  startFen = fen;
  send(QStringLiteral("ucinewgame"));
}

QString UciEngine::goCommand(const SearchLimits& limits, bool whiteToMove) {
  QString command = QStringLiteral("go");
  if (limits.timeLeft >= 0) {
    const auto other = limits.opponentTime >= 0 ? limits.opponentTime : limits.timeLeft;
    const auto white = whiteToMove ? limits.timeLeft : other;
    const auto black = whiteToMove ? other : limits.timeLeft;
    command += QStringLiteral(" wtime %1 btime %2").arg(white).arg(black);
    if (limits.increment) command += QStringLiteral(" winc %1 binc %1").arg(limits.increment);
    if (limits.movesToGo > 0) command += QStringLiteral(" movestogo %1").arg(limits.movesToGo);
  }
  if (limits.moveTime > 0) command += QStringLiteral(" movetime %1").arg(limits.moveTime);
  if (limits.depth > 0) command += QStringLiteral(" depth %1").arg(limits.depth);
  if (limits.nodes > 0) command += QStringLiteral(" nodes %1").arg(limits.nodes);
  if (command == QLatin1String("go")) command += QStringLiteral(" infinite");
  // Last: every word after it is taken for a move.
  if (!limits.searchMoves.empty()) {
    command += QStringLiteral(" searchmoves");
    for (const Move& move : limits.searchMoves) command += u' ' + QString::fromStdString(uciMoveText(move));
  }
  return command;
}

void UciEngine::go(const QStringList& moves, const SearchLimits& limits) {
  if (state() != State::Ready) return;
  QString position = startFen.isEmpty() ? QStringLiteral("position startpos") : QStringLiteral("position fen ") + startFen;
  if (!moves.isEmpty()) position += QStringLiteral(" moves ") + moves.join(u' ');
  send(position);
  send(goCommand(limits, whiteToMove(startFen, moves.size())));
  setState(State::Thinking);
}

void UciEngine::beginAnalysis(const AnalysisRequest& request) {
  const bool declared = std::any_of(options().cbegin(), options().cend(),
                                    [](const EngineOption& option) { return option.name == QLatin1String("MultiPV"); });
  if (declared && request.lines != multiPv) {
    multiPv = request.lines;
    send(QStringLiteral("setoption name MultiPV value %1").arg(multiPv));
  }
  QString position = request.fen.isEmpty() ? QStringLiteral("position startpos") : QStringLiteral("position fen ") + request.fen;
  if (!request.moves.isEmpty()) position += QStringLiteral(" moves ") + request.moves.join(u' ');
  send(position);
  send(QStringLiteral("go infinite"));
}

void UciEngine::endAnalysis() { send(QStringLiteral("stop")); }

void UciEngine::stop() {
  if (state() == State::Thinking) send(QStringLiteral("stop"));
}

void UciEngine::readLine(const QString& line) {
  const QString word = line.section(u' ', 0, 0, QString::SectionSkipEmpty);
  if (state() == State::Starting) {
    if (word == QLatin1String("id") && line.section(u' ', 1, 1, QString::SectionSkipEmpty) == QLatin1String("name")) {
      setDeclaredName(line.section(u' ', 2, -1, QString::SectionSkipEmpty));
    } else if (word == QLatin1String("option")) {
      if (auto option = parseUciOption(line)) declareOption(*option);
    } else if (word == QLatin1String("uciok") && !handshakeDone) {
      handshakeDone = true;
      for (const EngineOption& option : options())
        if (option.isChanged()) send(uciSetOptionCommand(option));
      send(QStringLiteral("isready"));
    } else if (word == QLatin1String("readyok") && handshakeDone) {
      becomeReady();
    }
    return;
  }
  if (state() != State::Thinking) return;
  if (isAnalysing()) {
    if (word == QLatin1String("info")) {
      if (const auto info = parseUciInfo(line)) reportAnalysis(*info);
    } else if (word == QLatin1String("bestmove")) {
      analysisEnded();
    }
    return;
  }
  if (word == QLatin1String("info")) {
    emit thinking(line);
  } else if (word == QLatin1String("bestmove")) {
    setState(State::Ready);
    const QString move = line.section(u' ', 1, 1, QString::SectionSkipEmpty);
    // A bestmove without its move is broken output, not a decision.
    if (move.isEmpty())
      fail(tr("El motor %1 envió «bestmove» sin jugada.").arg(name()));
    // The null move: the engine sees nothing to play, which the game calls a resignation.
    else if (move == QLatin1String("(none)") || move == QLatin1String("0000"))
      emit resigned();
    else
      emit moveMade(move);
  }
}
