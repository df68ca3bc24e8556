#include "search/level_settings.h"

#include "search/level.h"

LevelSettings settingsForLevel(int level) {
  LevelSettings s;
  switch (clampLevel(level)) {
    case 1: s.depth = 1; s.quiescence = false; s.noise = 400; s.blunderPercent = 35; break;
    case 2: s.depth = 1; s.quiescence = false; s.noise = 200; s.blunderPercent = 20; break;
    case 3: s.depth = 1; s.quiescence = false; s.noise = 100; s.blunderPercent = 10; break;
    case 4:
    case 5: s.depth = 4; break;
    case 6: s.depth = 5; break;
    case 7: s.depth = 6; break;
    case 8: s.depth = 8; break;
    // Half the time, but never shallower than level 8: on a fast clock half
    // the time reached less than level 8's depth, and level 9 played weaker.
    case 9: s.depth = 10; s.timePercent = 50; s.minDepth = 8; break;
    default: break;
  }
  s.moveTimeWithoutClock = level >= TOP_LEVEL ? 3000 : level >= 7 ? 2000 : 1000;
  return s;
}
