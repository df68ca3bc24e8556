// What the strong levels must solve at a modest depth: tactics (mates,
// winning captures, the quiet move that wins) and endings (the Lucena
// position, a king-and-pawn ending won by the opposition, a rook's pawn drawn
// in the corner, the queen against a bare king).

#include <cstdint>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "position/fen.h"
#include "position/notation.h"
#include "position/zobrist.h"
#include "search/engine_player.h"

namespace {

TEST(StrongPositions, TacticsAndEndings) {
  // FEN, the moves that solve it (any of them, "" any move), the range the
  // score must fall in, from the side to move's point of view (centipawns).
  constexpr int MATE = 20000, ANY = 40000;
  const std::tuple<const char*, const char*, int, int> cases[] = {
      {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", "h5f7", MATE, ANY},
      {"2rr3k/pp3pp1/1nnqbN1p/3pN3/2pP4/2P3Q1/PPB4P/R4RK1 w - - 0 1", "g3g6", MATE, ANY},
      {"5rk1/1ppb3p/p1pb4/6q1/3P1p1r/2P1R2P/PP1BQ1P1/5RKN w - - 0 1", "e3g3", 150, ANY},
      {"r1bq2rk/pp3pbp/2p1p1pQ/7P/3P4/2PB1N2/PP3PPR/2KR4 w - - 0 1", "h6h7", MATE, ANY},
      {"5k2/6pp/p1qN4/1p1p4/3P4/2PKP2Q/PP3r2/3R4 b - - 0 1", "c6c4", MATE, ANY},
      {"7k/p7/1R5K/6r1/6p1/6P1/8/8 w - - 0 1", "b6b7", 500, ANY},
      {"rnbqkb1r/pppp1ppp/8/4P3/6n1/7P/PPPNPPP1/R1BQKBNR b KQkq - 0 1", "g4e3", 300, ANY},
      {"r4q1k/p2bR1rp/2p2Q1N/5p2/5p2/2P5/PP3PPP/R5K1 w - - 0 1", "e7f7", 500, ANY},
      {"3q1rk1/p4pp1/2pb3p/3p4/6Pr/1PNQ4/P1PB1PP1/4RRK1 b - - 0 1", "d6h2", MATE, ANY},
      {"2br2k1/2q3rn/p2NppQ1/2p1P3/Pp5R/4P3/1P3PPP/3R2K1 w - - 0 1", "h4h7", 200, ANY},
      {"1K6/1P1k4/8/8/8/8/r7/2R5 w - - 0 1", "c1d1 c1b1 c1c4", 150, ANY},  // Lucena
      {"8/8/4k3/8/4K3/4P3/8/8 b - - 0 1", "", -ANY, -150},                // in opposition, Black must give way
      {"8/8/8/8/8/k7/p7/1K6 w - - 0 1", "b1a1", -50, 50},                 // the corner holds
      {"8/8/1k6/8/8/8/6K1/7Q w - - 0 1", "", 900, ANY},
  };
  for (const auto& [fen, moves, low, high] : cases) {
    EnginePlayer player;
    player.level = 10;
    player.limits.depth = 11;
    const Move move = player.runLevelSearch(*positionFromFen(fen));
    const std::string played = moveToCoordinates(move);
    if (*moves) {
      EXPECT_NE(std::string(moves).find(played), std::string::npos) << fen << " played " << played;
    }
    const int score = fen[std::string(fen).find(' ') + 1] == 'w' ? player.lastScore : -player.lastScore;
    EXPECT_GE(score, low) << fen;
    EXPECT_LE(score, high) << fen;
  }
}

// Draws the search must see however far ahead it looks, and a zugzwang a pass
// would hide. Each position but the last two is lost on material for the side
// to move, which can only save itself by the draw.
TEST(StrongPositions, DrawsAndZugzwang) {
  struct Row {
    const char* fen;
    std::vector<const char*> history;  // the game's earlier positions, oldest first
    int filler;                        // reversible plies before those, as unrelated keys
    int depth;
    const char* moves;
    int low, high;                     // side to move's point of view
  };
  const Row rows[] = {
      // Checks on h5 and e8 for ever: the search's own line repeats.
      {"8/6pk/8/8/8/8/qr3PPP/3Q2K1 w - - 0 1", {}, 0, 10, "d1h5", -30, 30},
      // Nf3 goes back to a position of the game: one repetition is enough.
      {"r6k/8/8/8/8/8/8/6NK w - - 0 1",
       {"r6k/8/8/8/8/5N2/8/7K b - - 1 1", "7k/r7/8/8/8/5N2/8/7K w - - 2 2", "7k/r7/8/8/8/8/8/6NK b - - 3 2"},
       0, 8, "g1f3", 0, 0},
      // 99 reversible plies played: any move but a capture or a pawn's ends the game.
      {"r6k/8/8/8/8/8/8/6NK w - - 0 1", {}, 99, 8, "", 0, 0},
      // The same without the history: the rook is worth something.
      {"r6k/8/8/8/8/8/8/6NK w - - 0 1", {}, 0, 8, "", -1000, -100},
      // Only pawns: a pass would leave the other side in the zugzwang after Kf4
      // (Kf5 for Black), and the outflanking win would look like a blocked draw.
      {"8/8/3k4/3p4/3P4/4K3/8/8 w - - 0 1", {}, 0, 14, "e3f4", 100, 1000},
      {"8/8/4k3/3p4/3P4/3K4/8/8 b - - 0 1", {}, 0, 14, "e6f5", 100, 1000},
  };
  for (const Row& row : rows) {
    EnginePlayer player;
    player.level = 10;
    player.limits.depth = row.depth;
    for (int i = 0; i < row.filler; ++i) player.gameKeys.push_back(0x5bd1e995u * (i + 1));
    for (const char* fen : row.history) player.gameKeys.push_back(positionKey(*positionFromFen(fen)));
    const Move move = player.runLevelSearch(*positionFromFen(row.fen));
    const std::string played = moveToCoordinates(move);
    if (*row.moves) {
      EXPECT_EQ(played, row.moves) << row.fen;
    }
    const int score = std::string(row.fen).find(" w ") != std::string::npos ? player.lastScore : -player.lastScore;
    EXPECT_GE(score, row.low) << row.fen << " played " << played;
    EXPECT_LE(score, row.high) << row.fen << " played " << played;
  }
}

}  // namespace
