// The rules spelled out, and the mended faults; the golden move generation
// data holds the lists of thousands of positions.

#include <cstring>
#include <tuple>

#include "test_positions.h"

namespace {

// The checkState of a legal move, or -1 for a pseudo-legal move the legal list drops.
TEST(Generation, LegalityAndCheckStates) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq g3 0 2", "d8h4", 2},  // fool's mate
      {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", 1},                                // the castled rook checks
      {"k7/2P5/1K6/8/8/8/8/8 w - - 0 1", "c7c8", 2},                                // promotion mate
      {"8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1", "e5d6", -1},  // en passant exposes the king along the rank
      {"4k3/8/b7/8/8/8/8/4K2R w K - 0 1", "e1g1", -1},    // f1 crossed under attack
      {"4k3/8/8/8/8/3n4/8/4K2R w K - 0 1", "e1g1", -1},   // in check now
      {"1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", 0},    // only b1 attacked
      {"3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", -1},    // d1 crossed under attack
      {"r3k2r/8/8/8/8/8/8/4KQ2 b kq - 0 1", "e8g8", -1},  // f8 attacked
  };
  for (const auto& [fen, text, expected] : cases) {
    CChessBoard position = fromFen(fen);
    generateMoves(position, true);
    EXPECT_NE(moveTexts(position).find(text), std::string::npos) << fen;
    const Move* move = legalMove(position, text);
    EXPECT_EQ(move ? move->checkState : -1, expected) << fen << ' ' << text;
  }
}

TEST(Castling, OnlyWithTheMoversOwnRookOnTheCorner) {
  for (const char* fen : {"4k3/8/8/8/8/8/8/4K2r w K - 0 1", "4k3/8/8/8/8/8/8/r3K3 w Q - 0 1",
                          "R3k3/8/8/8/8/8/8/4K3 b q - 0 1", "4k2R/8/8/8/8/8/8/4K3 b k - 0 1",
                          "4k3/8/8/8/8/8/8/4K2B w K - 0 1"}) {
    CChessBoard position = fromFen(fen);
    generateMoves(position, true);
    for (int i = 0; i < position.moveCount; ++i) EXPECT_FALSE(isCastlingMove(position.moves[i])) << fen;
  }
}

TEST(Castling, RookMovesAndCapturesOnCornersClearRights) {
  const std::pair<const char*, int> cases[] = {
      {"h1h2", 14}, {"a1a2", 13},     {"e1e2", 12},     {"b2b3 h8h7", 11},
      {"a1a8", 5},  {"h1h8", 10},     {"b2b3 a8a7", 7}, {"h1h2 a8b8 h2h1 b8a8", 6},  // coming back brings none
  };
  for (const auto& [moves, rights] : cases) {
    CChessBoard position = fromFen("r3k2r/1p4p1/8/8/8/8/1P4P1/R3K2R w KQkq - 0 1");
    play(position, moves);
    EXPECT_EQ(position.castlingRights, rights) << moves;
  }
}

TEST(Robustness, CrowdedBoardsNeverOverflowTheList) {
  // Thirty queens have more pseudo-legal moves than a position's list holds.
  for (const char* fen : {"1QQ1QQQk/1Q1Q3Q/1Q3Q1Q/Q6Q/Q6Q/Q6Q/Q2QQ2Q/KQQ2QQQ w - - 0 1",
                          "1qq1qqqK/1q1q3q/1q3q1q/q6q/q6q/q6q/q2qq2q/kqq2qqq b - - 0 1"}) {
    CChessBoard position = fromFen(fen);
    EXPECT_EQ(generateMoves(position, true), MAX_MOVES);
    EXPECT_LE(generateMoves(position, false), MAX_MOVES);
    MoveBuffer buffer;
    EXPECT_LE(generateLegalMoves(position, buffer.moves), MAX_GENERATED_MOVES);
  }
}

// A value that is no board square (a click on the board's frame) must never be
// named as a real square, or a move text built from it plays a real move.
TEST(Robustness, OffBoardSquaresAreNeverNamedAsRealOnes) {
  for (int value = 0; value < 256; ++value) {
    const std::string name = squareName(value);
    const bool namesRealSquare = name[0] >= 'a' && name[0] <= 'h' && name[1] >= '1' && name[1] <= '8';
    EXPECT_EQ(namesRealSquare, isOnBoard(value)) << value << " " << name;
    EXPECT_EQ(parseSquare(name), value) << name;  // the name reads back as the same byte
  }
  EXPECT_EQ(squareName(-17), squareName(0xEF));  // a square computed off the edge, as a byte
}

TEST(Robustness, UnparsableSquaresTouchNothing) {
  for (const char* text : {"i1", "a9", "a0", "z9", "A1", "", "a", "11"})
    EXPECT_FALSE(isValidSquare(parseSquare(text))) << text;
  CChessBoard position = fromFen(INITIAL_FEN);
  for (const char* text : {"e2e9", "i2e4", "e0e4", "e2", "", "zzzz", "a1a1"}) {
    const Move move = parseCoordinateMove(position, text);
    EXPECT_TRUE(move.isNull() || move.from == move.to) << text;
  }
  EXPECT_TRUE(moveFromSquares(position, 4, 200).isNull());
  EXPECT_TRUE(moveFromSquares(position, -20, 4).isNull());
  EXPECT_EQ(findMove(position, 200, 20), nullptr);
  EXPECT_EQ(findMove(position, -3, 20), nullptr);
  removeMove(position, 12, 300);
  removeMove(position, -1, 28);
  EXPECT_EQ(position.moveCount, 20);
  EXPECT_FALSE(targetsSquare(position, 300));

  const CChessBoard before = position;
  EXPECT_FALSE(makeMove(position, Move(200, 20, WHITE_PAWN, EMPTY, EMPTY)));
  EXPECT_FALSE(makeMove(position, Move()));
  EXPECT_EQ(std::memcmp(before.squares, position.squares, sizeof position.squares), 0);
  // A pawn "capture" onto the first rank would clear the square behind it.
  EXPECT_TRUE(makeMove(position, Move(makeSquare(4, 1), makeSquare(3, 0), WHITE_PAWN, EMPTY, EMPTY)));
}

// The consistency check catches each field that moves keep up to date.
TEST(Robustness, BoardIsOkRejectsEachBrokenField) {
  const CChessBoard good = fromFen(KIWIPETE_FEN);
  EXPECT_TRUE(boardIsOk(good));
  for (int field = 0; field < 3; ++field) {
    CBoard board = good;
    if (field == 0) board.sideToMove = 2;
    if (field == 1) board.castlingRights = ALL_CASTLING + 1;
    if (field == 2) board.enPassantSquare = 0x48;  // off the board
    EXPECT_FALSE(boardIsOk(board)) << field;
  }
}

}  // namespace

namespace {

bool sameContext(const LegalityContext& a, const LegalityContext& b) {
  return a.side == b.side && a.king == b.king && a.kingSquare == b.kingSquare && a.kingCount == b.kingCount &&
         a.otherKingSquare == b.otherKingSquare && a.otherKingCount == b.otherKingCount && a.inCheck == b.inCheck;
}

// The captures alone are the full list's captures and promotions, in its order.
void compareCaptures(const CBoard& board, const Move* all, int count) {
  MoveBuffer captures;
  const int captureCount = generatePseudoCaptures(board, captures.moves);
  int matched = 0;
  for (int i = 0; i < count; ++i) {
    if (all[i].captured == EMPTY && all[i].promotion == EMPTY) continue;
    ASSERT_LT(matched, captureCount) << moveToCoordinates(all[i]);
    EXPECT_TRUE(std::memcmp(&all[i], &captures.moves[matched++], sizeof(Move)) == 0) << moveToCoordinates(all[i]);
  }
  EXPECT_EQ(matched, captureCount);
}

// `plies` plies of every legal move and a pass from each position; returns the positions compared.
int compareFollowedContexts(const CBoard& board, const LegalityContext& context, int plies) {
  if (plies == 0) return 0;
  MoveBuffer buffer;
  const int count = generatePseudoMoves(board, buffer.moves);
  compareCaptures(board, buffer.moves, count);
  int compared = 0;
  for (int i = 0; i <= count; ++i) {
    const Move move = i < count ? buffer.moves[i] : Move();
    if (i < count && !isLegal(board, context, move)) continue;
    CBoard after = board;
    if (i < count) applyMove(after, move);
    after.sideToMove = board.sideToMove ? 0 : 1;
    const LegalityContext followed = legalityContextAfter(after, context, move);
    EXPECT_TRUE(sameContext(followed, legalityContext(after))) << moveToCoordinates(move);
    compared += 1 + compareFollowedContexts(after, followed, plies - 1);
  }
  return compared;
}

}  // namespace

// The search follows the kings from move to move and generates captures apart;
// it must see what a full look sees: king moves, castling, checks given and
// discovered, promotions, en passant, two kings or none.
TEST(Generation, SearchShortcutsMatchAFullLook) {
  const char* fens[] = {
      "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
      "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
      "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
      "k7/2P5/1K6/8/8/8/8/8 w - - 0 1",
      "4k3/8/8/8/8/8/8/4K1K1 w - - 0 1",
      "8/8/8/8/8/8/8/R3K3 w Q - 0 1",
  };
  int compared = 0;
  for (const char* fen : fens) {
    const CChessBoard position = fromFen(fen);
    // Once without knowing the other king safe (a full look first), once knowing it.
    compared += compareFollowedContexts(position, legalityContext(position), 2);
    compared += compareFollowedContexts(position, legalityContext(position, true), 3);
  }
  EXPECT_GT(compared, 2000);
}
