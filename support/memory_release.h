#pragma once
// Hands the memory the C library keeps after frees back to the system. A long
// game's positions and the engine's tables are freed when the game ends, but
// the allocator would keep them, so the program's size would follow its
// longest game for good. A no-op where the C library offers no such call.
void releaseFreeMemory();
