#include "hint_search.h"

#include <QThread>

#include "driver/game.h"
#include "game/move_notation.h"
#include "search/engine_player.h"

HintSearch::HintSearch(const Game& game, QObject* parent) : QObject(parent), game(game) {}

HintSearch::~HintSearch() {
  if (search) search->wait();
}

void HintSearch::ask() {
  if (search) return;  // one at a time
  const auto [position, plies] = game.read([](const Game& g) { return std::pair{g.position, g.history.size()}; });
  emit searching();
  QThread* worker = search = QThread::create([this, position, plies] {
    EnginePlayer adviser;
    const Move move = adviser.runSearch(position);
    QMetaObject::invokeMethod(this, [this, move, position, plies] {
      const bool same = game.read([plies](const Game& g) { return g.history.size() == plies; });
      if (!same) return;
      if (move.isNull() || move.sameSquares(RESIGN_MOVE))
        emit nothingFound();
      else
        emit found(move.from, move.to, QString::fromStdString(notatedMove(position, move, windowNotation())));
    });
  });
  connect(worker, &QThread::finished, worker, &QObject::deleteLater);
  worker->start();
}
