#include "position/move_gen.h"

#include <gtest/gtest.h>

#include <cstring>

#include "search/evaluation.h"
#include "test_positions.h"

namespace {

int countFrom(const CChessBoard& position, int from) {
  int count = 0;
  for (int i = 0; i < position.moveCount; ++i) count += position.moves[i].from == from;
  return count;
}

bool hasMove(const CChessBoard& position, const std::string& text) {
  for (int i = 0; i < position.moveCount; ++i)
    if (moveToCoordinates(position.moves[i]) == text) return true;
  return false;
}

const Move* moveNamed(const CChessBoard& position, const std::string& text) {
  for (int i = 0; i < position.moveCount; ++i)
    if (moveToCoordinates(position.moves[i]) == text) return &position.moves[i];
  return nullptr;
}

}  // namespace

TEST(Generation, InitialPositionOrderAndCheckStates) {
  CChessBoard position = initialPosition();
  EXPECT_EQ(generateMoves(position, false), 20);
  EXPECT_EQ(moveTexts(position),
            "b1c3 b1a3 g1h3 g1f3 a2a3 a2a4 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 f2f3 f2f4 g2g3 g2g4 h2h3 h2h4");
  for (int i = 0; i < position.moveCount; ++i) EXPECT_EQ(position.moves[i].checkState, 0);

  generateMoves(position, true);
  EXPECT_EQ(position.moveCount, 20);
  for (int i = 0; i < position.moveCount; ++i) EXPECT_EQ(position.moves[i].checkState, 255);
}

TEST(Generation, OnlyQueenPromotions) {
  struct Case {
    const char* fen;
    int from;
    Piece promotion;
  };
  for (const Case& c : {Case{"8/4P3/8/8/8/8/k7/7K w - - 0 1", makeSquare(4, 6), WHITE_QUEEN},
                        Case{"8/K7/8/8/8/8/3p4/7k b - - 0 1", makeSquare(3, 1), BLACK_QUEEN},
                        Case{"3rr3/4P3/8/8/8/8/k7/7K w - - 0 1", makeSquare(4, 6), WHITE_QUEEN}}) {
    CChessBoard position = fromFen(c.fen);
    generateMoves(position, false);
    EXPECT_EQ(countFrom(position, c.from), 1) << c.fen;
    for (int i = 0; i < position.moveCount; ++i) {
      if (position.moves[i].from != c.from) continue;
      EXPECT_EQ(position.moves[i].promotion, c.promotion) << c.fen;
    }
  }
}

TEST(Generation, EnPassantSquareFollowsDoubleSteps) {
  CChessBoard position = initialPosition();
  play(position, "e2e4");
  EXPECT_EQ(position.enPassantSquare, makeSquare(4, 3));
  play(position, "g8f6");
  EXPECT_EQ(position.enPassantSquare, NO_SQUARE);
  play(position, "e4e5 d7d5");
  EXPECT_EQ(position.enPassantSquare, makeSquare(3, 4));
  generateMoves(position, false);
  const Move* capture = moveNamed(position, "e5d6");
  ASSERT_NE(capture, nullptr);
  EXPECT_EQ(capture->enPassant, 1);
  EXPECT_EQ(capture->captured, BLACK_PAWN);
  play(position, "e5d6");
  EXPECT_EQ(position.squares[makeSquare(3, 4)], EMPTY);
  EXPECT_EQ(position.squares[makeSquare(3, 5)], WHITE_PAWN);
}

TEST(Legality, EnPassantThatExposesTheKingAlongTheRank) {
  CChessBoard position = fromFen("8/8/8/K2pP2r/8/8/8/4k3 w - d6 0 1");
  generateMoves(position, true);
  EXPECT_TRUE(hasMove(position, "e5d6"));
  generateMoves(position, false);
  EXPECT_FALSE(hasMove(position, "e5d6"));
  EXPECT_TRUE(hasMove(position, "e5e6"));
}

TEST(Legality, CastlingIsFilteredWhenAttacked) {
  struct Case {
    const char* fen;
    const char* move;
    bool legal;
  };
  const Case cases[] = {
      {"4k3/8/b7/8/8/8/8/4K2R w K - 0 1", "e1g1", false},   // f1 crossed under attack
      {"4k3/8/8/8/8/3n4/8/4K2R w K - 0 1", "e1g1", false},  // in check now
      {"4k1r1/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", false},  // lands in check
      {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", true},
      {"1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", true},    // only b1 attacked
      {"3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", false},    // d1 crossed under attack
      {"r3k3/8/8/8/8/8/8/4K2B b q - 0 1", "e8c8", true},     // the bishop only reaches the rook
      {"r3k3/8/8/8/8/8/8/3RK3 b q - 0 1", "e8c8", false},    // d8 attacked
      {"r3k2r/8/8/8/8/8/8/4KQ2 b kq - 0 1", "e8g8", false},  // f8 attacked
      {"r3k2r/8/8/8/8/8/8/4KQ2 b kq - 0 1", "e8c8", true},
  };
  for (const Case& c : cases) {
    CChessBoard position = fromFen(c.fen);
    generateMoves(position, true);
    EXPECT_TRUE(hasMove(position, c.move)) << c.fen;
    generateMoves(position, false);
    EXPECT_EQ(hasMove(position, c.move), c.legal) << c.fen;
  }
}

TEST(Legality, PinnedPieceCannotMove) {
  CChessBoard position = fromFen("4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1");
  generateMoves(position, false);
  EXPECT_EQ(countFrom(position, makeSquare(4, 1)), 0);
  EXPECT_EQ(position.moveCount, 4);  // d1 d2 f1 f2
}

TEST(Checks, FoolsMateAndPlainChecks) {
  CChessBoard position = initialPosition();
  play(position, "f2f3 e7e5 g2g4");
  generateMoves(position, false);
  const Move* mate = moveNamed(position, "d8h4");
  ASSERT_NE(mate, nullptr);
  EXPECT_EQ(mate->checkState, 2);
  EXPECT_EQ(moveNamed(position, "f8b4")->checkState, 0);

  CChessBoard check = fromFen("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
  generateMoves(check, false);
  EXPECT_EQ(moveNamed(check, "a1a8")->checkState, 1);
  EXPECT_EQ(moveNamed(check, "e1c1")->checkState, 0);

  CChessBoard castleCheck = fromFen("3k4/8/8/8/8/8/8/R3K3 w Q - 0 1");
  generateMoves(castleCheck, false);
  EXPECT_EQ(moveNamed(castleCheck, "e1c1")->checkState, 1);

  CChessBoard promotionMate = fromFen("k7/2P5/1K6/8/8/8/8/8 w - - 0 1");
  generateMoves(promotionMate, false);
  EXPECT_EQ(moveNamed(promotionMate, "c7c8")->checkState, 2);
}

TEST(Castling, OnlyTheMoversOwnRookOnTheCorner) {
  for (const char* fen :
       {"4k3/8/8/8/8/8/8/4K2r w K - 0 1", "4k3/8/8/8/8/8/8/r3K3 w Q - 0 1", "R3k3/8/8/8/8/8/8/4K3 b q - 0 1",
        "4k2R/8/8/8/8/8/8/4K3 b k - 0 1", "4k3/8/8/8/8/8/8/4K2B w K - 0 1"}) {
    CChessBoard position = fromFen(fen);
    generateMoves(position, true);
    for (int i = 0; i < position.moveCount; ++i) EXPECT_FALSE(isCastlingMove(position.moves[i])) << fen;
  }
}

TEST(Castling, RightsFollowRooksAndKings) {
  struct Case {
    const char* moves;
    int rights;
  };
  const Case cases[] = {
      {"h1h2", 14},     {"a1a2", 13}, {"e1e2", 12}, {"b2b3 h8h7", 11},     {"b2b3 a8a7", 7},
      {"b2b3 e8d8", 3}, {"a1a8", 5},  {"h1h8", 10}, {"h1h2 a8a7 h2h1", 6},
  };
  for (const Case& c : cases) {
    CChessBoard position = fromFen("r3k2r/1p4p1/8/8/8/8/1P4P1/R3K2R w KQkq - 0 1");
    play(position, c.moves);
    EXPECT_EQ(position.castlingRights, c.rights) << c.moves;
  }

  // A rook that came back to its corner does not bring the right back.
  CChessBoard position = fromFen("r3k2r/1p4p1/8/8/8/8/1P4P1/R3K2R w KQkq - 0 1");
  play(position, "h1h2 a8b8 h2h1 b8a8");
  generateMoves(position, true);
  EXPECT_FALSE(hasMove(position, "e1g1"));
  EXPECT_TRUE(hasMove(position, "e1c1"));
}

TEST(Castling, MakingItMovesTheRook) {
  CChessBoard position = fromFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  play(position, "e1g1 e8c8");
  EXPECT_EQ(positionToFen(position), "2kr3r/8/8/8/8/8/8/R4RK1 w - - 0 1");
}

TEST(Robustness, CrowdedBoardsNeverOverflowTheList) {
  // Thirty queens have more pseudo-legal moves than the list holds.
  for (const char* fen : {"1QQ1QQQk/1Q1Q3Q/1Q3Q1Q/Q6Q/Q6Q/Q6Q/Q2QQ2Q/KQQ2QQQ w - - 0 1",
                          "1qq1qqqK/1q1q3q/1q3q1q/q6q/q6q/q6q/q2qq2q/kqq2qqq b - - 0 1"}) {
    CChessBoard position = fromFen(fen);
    EXPECT_EQ(generateMoves(position, true), MAX_MOVES);
    generateMoves(position, false);
    EXPECT_LE(position.moveCount, MAX_MOVES);
    Move list[MAX_MOVES];
    EXPECT_LE(generateLegalMoves(position, list), MAX_MOVES);
  }
}

TEST(Robustness, UnparsableSquaresTouchNothing) {
  CChessBoard position = initialPosition();
  EXPECT_EQ(findMove(position, 200, 20), nullptr);
  EXPECT_EQ(findMove(position, -3, 20), nullptr);
  EXPECT_EQ(position.moveCount, 20);
  removeMove(position, 12, 300);
  removeMove(position, -1, 28);
  EXPECT_EQ(position.moveCount, 20);
  EXPECT_FALSE(targetsSquare(position, 300));

  const CChessBoard before = position;
  EXPECT_FALSE(makeMove(position, Move(200, 20, WHITE_PAWN, EMPTY, EMPTY)));
  EXPECT_EQ(std::memcmp(before.squares, position.squares, sizeof position.squares), 0);
  // A pawn "capture" onto the first rank would clear the square behind it.
  EXPECT_TRUE(makeMove(position, Move(makeSquare(4, 1), makeSquare(3, 0), WHITE_PAWN, EMPTY, EMPTY)));
}

TEST(MakeMove, NullMoveChangesNothingButIsRecorded) {
  CChessBoard position = initialPosition();
  const Move null;
  position.lastMove = Move(1, 2, 3, 4, 5);
  EXPECT_FALSE(makeMove(position, null));
  EXPECT_TRUE(position.lastMove.isNull());
  EXPECT_EQ(positionToFen(position), INITIAL_FEN);
}

TEST(Attacks, CanCaptureKingNeedsTheKing) {
  CChessBoard noKing = fromFen("8/8/8/8/8/8/8/R3K3 w - - 0 1");
  EXPECT_FALSE(canCaptureKing(noKing));
  CChessBoard attacked = fromFen("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1");
  EXPECT_TRUE(canCaptureKing(attacked));
  // Only the first black king in board order counts.
  CChessBoard twoKings = fromFen("k6R/8/8/8/8/8/8/k5K1 w - - 0 1");
  EXPECT_FALSE(canCaptureKing(twoKings));
}

TEST(Bounds, ProbeStopsWithThePartialPseudoList) {
  CChessBoard position = initialPosition();
  // The first probe follows the b1 knight's last move, b1a3: +4.
  EXPECT_EQ(generateMoves(position, false, -100000, NO_BOUND), 4);
  EXPECT_EQ(moveTexts(position), "b1c3 b1a3");
  EXPECT_EQ(position.moves[0].checkState, 255);
  EXPECT_EQ(generateMoves(position, false, NO_BOUND, 100000), 4);
  EXPECT_EQ(position.moveCount, 2);
  // Wide bounds never stop.
  EXPECT_EQ(generateMoves(position, false, 100000, -100000), 20);
}

TEST(HasLegalMove, DropsFailuresFromTheFront) {
  // The knight on b1, pinned by the rook on a1, is generated before the king.
  CChessBoard position = fromFen("4k3/8/8/8/8/8/8/rN5K w - - 0 1");
  generateMoves(position, true);
  EXPECT_EQ(moveTexts(position), "b1c3 b1d2 b1a3 h1g1 h1h2 h1g2");
  EXPECT_TRUE(hasLegalMove(position));
  EXPECT_EQ(moveTexts(position), "h1g1 h1h2 h1g2");
}
