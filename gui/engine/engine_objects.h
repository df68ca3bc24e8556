#pragma once
// The engine's process-wide objects as the desktop app's windows use them: the
// program's start gathers them once and hands them down, so no window reaches
// for them itself and a test can hand in its own.

class EngineIO;
class EngineSession;
class Game;
class OpeningBook;

struct EngineObjects {
  Game& game;
  EngineIO& io;
  OpeningBook& book;
  EngineSession& session;  // its searches' stop

  // The ones the engine's command loop works on.
  static EngineObjects ofProcess();
};
