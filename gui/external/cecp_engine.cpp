#include "cecp_engine.h"

#include <QTimer>

#include "game/game_end.h"
#include "game/time_control.h"

namespace {

// Features this driver uses; others are refused so the engine keeps its defaults.
const QStringList KNOWN = {"myname", "done", "setboard", "usermove", "ping", "time", "sigint", "sigterm",
                           "reuse", "option", "colors", "analyze", "variants", "playother", "draw", "name",
                           "memory", "smp", "debug", "ics", "pause", "nps", "exclude", "setscore", "highlight"};

bool isOn(const QString& value) { return value == QLatin1String("1"); }

}  // namespace

CecpEngine::CecpEngine(EngineConfig config, QObject* parent)
    : ChessEngine(std::move(config), parent), silence(new QTimer(this)) {
  silence->setSingleShot(true);
  connect(silence, &QTimer::timeout, this, [this] {
    if (!waitForDone && answered) finishFeatures();
  });
}

void CecpEngine::greet() {
  send(QStringLiteral("xboard"));
  send(QStringLiteral("protover 2"));
  silence->start(FEATURE_SILENCE_MS);
}

QList<std::pair<QString, QString>> CecpEngine::parseFeatures(const QString& text) {
  QList<std::pair<QString, QString>> pairs;
  qsizetype at = 0;
  const qsizetype size = text.size();
  while (at < size) {
    while (at < size && text[at] == u' ') ++at;
    const qsizetype equals = text.indexOf(u'=', at);
    if (equals < 0) break;
    const QString key = text.mid(at, equals - at).trimmed();
    at = equals + 1;
    QString value;
    if (at < size && text[at] == u'"') {
      const qsizetype close = text.indexOf(u'"', at + 1);
      value = text.mid(at + 1, (close < 0 ? size : close) - at - 1);
      at = close < 0 ? size : close + 1;
    } else {
      qsizetype end = text.indexOf(u' ', at);
      if (end < 0) end = size;
      value = text.mid(at, end - at);
      at = end;
    }
    if (!key.isEmpty()) pairs.append({key, value});
  }
  return pairs;
}

QString CecpEngine::moveOfLine(const QString& line) {
  const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
  if (words.size() >= 2 && words[0] == QLatin1String("move")) return words[1];
  // Older engines announce their move in words.
  const qsizetype at = line.indexOf(QLatin1String("My move is"));
  if (at >= 0) return line.mid(at + 10).remove(u':').trimmed().section(u' ', 0, 0);
  return {};
}

QString CecpEngine::castlingAsCoordinates(const QString& move, bool white) {
  QString word = move;
  word.replace(u'0', u'O').remove(u'+').remove(u'#');
  if (word == QLatin1String("O-O")) return white ? QStringLiteral("e1g1") : QStringLiteral("e8g8");
  if (word == QLatin1String("O-O-O")) return white ? QStringLiteral("e1c1") : QStringLiteral("e8c8");
  return move;
}

void CecpEngine::takeFeature(const QString& key, const QString& value) {
  features.insert(key, value);
  if (key == QLatin1String("done")) {
    send(QStringLiteral("accepted done"));
    waitForDone = !isOn(value);
    if (isOn(value)) finishFeatures();
    return;
  }
  send((KNOWN.contains(key) ? QStringLiteral("accepted ") : QStringLiteral("rejected ")) + key);
  if (key == QLatin1String("myname")) setDeclaredName(value);
  if (key == QLatin1String("option"))
    if (auto option = parseCecpOption(value)) declareOption(*option);
}

void CecpEngine::finishFeatures() {
  if (featuresDone || state() != State::Starting) return;
  featuresDone = true;
  silence->stop();
  for (const EngineOption& option : options())
    if (option.isChanged()) send(cecpOptionCommand(option));
  becomeReady();
}

void CecpEngine::startPosition() {
  send(QStringLiteral("new"));
  send(QStringLiteral("force"));
  send(QStringLiteral("easy"));
  send(QStringLiteral("post"));
  if (!startFen.isEmpty()) send(QStringLiteral("setboard ") + startFen);
  sentMoves.clear();
  levelSent = false;
}

void CecpEngine::newGame(const QString& fen) {
  startFen = fen;
  if (!fen.isEmpty() && !isOn(features.value(QStringLiteral("setboard")))) {
    fail(tr("El motor %1 no admite partidas desde una posición dada.").arg(name()));
    return;
  }
  startPosition();
}

void CecpEngine::go(const QStringList& moves, const SearchLimits& limits) {
  if (state() != State::Ready) return;
  // A game that went back (or changed) is sent again from its start.
  if (moves.mid(0, sentMoves.size()) != sentMoves) startPosition();
  send(QStringLiteral("force"));
  const bool prefixed = isOn(features.value(QStringLiteral("usermove")));
  for (qsizetype i = sentMoves.size(); i < moves.size(); ++i) {
    send(prefixed ? QStringLiteral("usermove ") + moves[i] : moves[i]);
    sentMoves << moves[i];
  }
  if (limits.moveTime > 0) {
    send(QStringLiteral("st %1").arg(qMax<qint64>(1, limits.moveTime / 1000)));
  } else if (limits.depth > 0) {
    send(QStringLiteral("sd %1").arg(limits.depth));
  } else if (limits.timeLeft >= 0) {
    // The base is only a guide; "time" and "otim" say what is left before each move.
    if (!levelSent) {
      const qint64 base = limits.timeLeft / 1000;
      send(QStringLiteral("level %1 %2:%3 %4")
               .arg(limits.movesToGo)
               .arg(base / 60)
               .arg(base % 60, 2, 10, QChar(u'0'))
               .arg(limits.increment / 1000));
      levelSent = true;
    }
    const qint64 opponentTime = limits.opponentTime >= 0 ? limits.opponentTime : limits.timeLeft;
    for (const QString& clockLine : cecpClockLines(limits.timeLeft, opponentTime).split(u'\n')) send(clockLine);
  }
  send(QStringLiteral("go"));
  setState(State::Thinking);
}

void CecpEngine::beginAnalysis(const AnalysisRequest& request) {
  if (!request.fen.isEmpty() && !isOn(features.value(QStringLiteral("setboard")))) {
    fail(tr("El motor %1 no admite analizar una posición dada.").arg(name()));
    return;
  }
  if (features.value(QStringLiteral("analyze"), QStringLiteral("1")) == QLatin1String("0")) {
    fail(tr("El motor %1 no sabe analizar.").arg(name()));
    return;
  }
  startFen = request.fen;
  startPosition();
  const bool prefixed = isOn(features.value(QStringLiteral("usermove")));
  for (const QString& move : request.moves) {
    send(prefixed ? QStringLiteral("usermove ") + move : move);
    sentMoves << move;
  }
  send(QStringLiteral("analyze"));
}

void CecpEngine::endAnalysis() {
  send(QStringLiteral("exit"));
  if (isOn(features.value(QStringLiteral("ping"))))
    send(QStringLiteral("ping %1").arg(++pings));
  else
    analysisEnded();
}

void CecpEngine::stop() {
  if (state() == State::Thinking) send(QStringLiteral("?"));
}

void CecpEngine::readLine(const QString& line) {
  if (state() == State::Starting) {
    answered = true;
    silence->start(FEATURE_SILENCE_MS);
    // Some engines print a prompt before the word.
    const qsizetype at = line.indexOf(QLatin1String("feature "));
    if (at == 0 || (at > 0 && line.left(at).trimmed().endsWith(u':'))) {
      for (const auto& [key, value] : parseFeatures(line.mid(at + 8))) takeFeature(key, value);
    }
    return;
  }
  const QString word = line.section(u' ', 0, 0, QString::SectionSkipEmpty);
  if (word.startsWith(QLatin1String("Illegal")) && !sentMoves.isEmpty()) {
    fail(tr("El motor %1 rechazó una jugada: %2").arg(name(), engine_text::excerpt(line, 80)));
    return;
  }
  if (state() != State::Thinking) return;
  if (isAnalysing()) {
    if (word == QLatin1String("pong") && line.section(u' ', 1, 1, QString::SectionSkipEmpty).toInt() == pings)
      analysisEnded();
    else if (const auto info = parseCecpThinking(line))
      reportAnalysis(*info);
    return;
  }
  if (QString move = moveOfLine(line); !move.isEmpty()) {
    move = castlingAsCoordinates(move, whiteToMove(startFen, sentMoves.size()));
    setState(State::Ready);
    sentMoves << move;
    emit moveMade(move);
  } else if (const std::optional<GameEnd> end = GameEnd::ofResultLine(line, whiteToMove(startFen, sentMoves.size()));
             end && end->isResignation()) {
    setState(State::Ready);
    emit resigned();
  } else if (!word.isEmpty() && word[0].isDigit()) {
    emit thinking(line);
  }
}
