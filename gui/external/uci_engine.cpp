#include "uci_engine.h"

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
  if (command == QLatin1String("go")) command += QStringLiteral(" infinite");
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
  if (word == QLatin1String("info")) {
    emit thinking(line);
  } else if (word == QLatin1String("bestmove")) {
    setState(State::Ready);
    const QString move = line.section(u' ', 1, 1, QString::SectionSkipEmpty);
    // No move at all: the engine sees nothing to play, which the game calls a resignation.
    if (move.isEmpty() || move == QLatin1String("(none)") || move == QLatin1String("0000"))
      emit resigned();
    else
      emit moveMade(move);
  }
}
