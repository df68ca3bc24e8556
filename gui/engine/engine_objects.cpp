#include "engine_objects.h"

#include "book/opening_book.h"
#include "driver/engine_io.h"
#include "driver/engine_session.h"
#include "driver/game.h"

EngineObjects EngineObjects::ofProcess() {
  return {Game::instance(), EngineIO::instance(), OpeningBook::instance(), processSession()};
}
