#include "driver/process_players.h"

#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/game.h"
#include "driver/protocol_text.h"
#include "driver/session_settings.h"
#include "search/engine_player.h"

namespace {

// The host is looked up at each report: it may be attached after a player exists.
class ChannelListener : public SearchListener {
 public:
  void playerCreated() override {
    if (EngineHost* host = EngineIO::instance().host()) host->notifyHost(EngineHost::ENGINE_PLAYER_CREATED, 0);
  }
  void searchStarted() override {
    if (EngineHost* host = EngineIO::instance().host()) host->notifyHost(EngineHost::SEARCH_STARTED, 0);
  }
  void sendLine(const std::string& text) override { EngineIO::instance().sendLine(text); }
  void searchStats(int nodes, int centiseconds) override {
    if (EngineHost* host = EngineIO::instance().host()) host->searchStats(nodes, centiseconds);
  }
  bool wantsSpeedLine() const override { return EngineIO::instance().isWindowedProgram(); }
  // Only the game's engine player searches with this listener; its flag says
  // whether the interface wants the lines.
  void iterationDone(const SearchReport& report) override {
    SessionSettings::instance().lastScore = report.score;
    const auto* player =
        Game::instance().read([](const Game& g) { return dynamic_cast<const EnginePlayer*>(g.enginePlayer); });
    if (player && player->post) EngineIO::instance().sendLine(thinkingLine(report));
  }
};

class ProcessBook : public BookProbe {
 public:
  std::vector<Move> probeBook(const CChessBoard& position) const override {
    const OpeningBook& book = OpeningBook::instance();
    return book.inPlay() ? book.probeBook(position) : std::vector<Move>();
  }
  void leaveBook() override { OpeningBook::instance().leaveForThisGame(); }
};

}  // namespace

SearchContext processSearchContext() {
  static ChannelListener listener;
  static ProcessBook book;
  SearchContext context;
  context.listener = &listener;
  context.stopRequest = &EngineIO::instance().stopRequested;
  context.book = &book;
  return context;
}

std::unique_ptr<Player> makeProcessPlayer(bool engine) {
  if (!engine) return std::make_unique<HumanPlayer>();
  auto player = std::make_unique<EnginePlayer>(processSearchContext());
  SessionSettings::instance().applyTo(*player);
  return player;
}
