#pragma once
// The engine players of the programs: they report through the process's line
// channel and its host, stop on its stop request and probe the process's
// opening book.

#include <memory>

#include "search/player.h"
#include "search/search_context.h"

SearchContext processSearchContext();

// The process Game's player factory.
std::unique_ptr<Player> makeProcessPlayer(bool engine);
