// Plays the engine against itself at a fixed node count from the book's
// positions, with two random plies after each to vary the games, and writes
// the quiet positions of every game labelled with its result:
//   selfplay OPENINGS.fen OUT.txt GAMES NODES SEED
// One line per position: FEN;result (1 White won, 0.5 drawn, 0 Black won).
// A position is kept when the side to move is not in check and the engine's
// move there is quiet, from the sixth ply on, while neither side is a rook up.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "position/fen.h"
#include "position/move_gen.h"
#include "position/zobrist.h"
#include "search/engine_player.h"
#include "search/move_picker.h"
#include "search/strong_evaluation.h"

namespace {

constexpr int ADJUDICATE_SCORE = 1000;  // centipawns both engines agree on ...
constexpr int ADJUDICATE_PLIES = 6;     // ... for this many plies in a row
constexpr int MAX_PLIES = 400;
constexpr int RANDOM_PLIES = 2;
constexpr int FIRST_KEPT_PLY = 6;

CChessBoard after(const CChessBoard& position, const Move& move) {
  CChessBoard next = position;
  applyMove(next, move);
  next.switchSide();
  return next;
}

bool hasPawns(const CBoard& board) {
  for (Square s : ALL_SQUARES)
    if (isPawn(board.squares[s])) return true;
  return false;
}

// 1, 0.5 or 0 for White.
double playGame(const CChessBoard& start, int nodes, std::mt19937& random, std::vector<std::string>& kept) {
  EnginePlayer players[2];  // [0] Black, [1] White
  for (EnginePlayer& player : players) {
    player.level = 10;
    player.limits.nodes = nodes;
  }
  CChessBoard position = start;
  std::map<std::uint64_t, int> seen;
  int halfmoves = 0, decisive = 0;
  std::vector<std::string> fens;
  for (int ply = 0; ply < MAX_PLIES; ++ply) {
    Move legal[MAX_GENERATED_MOVES];
    const int count = generateLegalMoves(position, legal);
    const bool inCheck = legalityContext(position).inCheck;
    if (count == 0) {
      const double result = inCheck ? (position.sideToMove ? 0.0 : 1.0) : 0.5;
      for (auto& fen : fens) kept.push_back(fen + ";" + std::to_string(result).substr(0, 3));
      return result;
    }
    if (halfmoves >= 100 || ++seen[positionKey(position)] >= 3) break;
    if (!hasPawns(position) && pieceMaterial(position, 0) <= 365 && pieceMaterial(position, 1) <= 365) break;
    Move move;
    if (ply < RANDOM_PLIES) {
      move = legal[random() % count];
    } else {
      move = players[position.sideToMove].chooseMove(position);
      const int score = players[position.sideToMove].lastScore;
      // Plies in a row with the same side far ahead, signed by that side.
      const int sign = score >= ADJUDICATE_SCORE ? 1 : score <= -ADJUDICATE_SCORE ? -1 : 0;
      decisive = sign == 0 ? 0 : decisive * sign > 0 ? decisive + sign : sign;
      if (std::abs(decisive) >= ADJUDICATE_PLIES) {
        const double result = decisive > 0 ? 1.0 : 0.0;
        for (auto& fen : fens) kept.push_back(fen + ";" + std::to_string(result).substr(0, 3));
        return result;
      }
      const int balance = std::abs(strongEvaluate(position));
      if (ply >= FIRST_KEPT_PLY && !inCheck && !isCaptureOrPromotion(move) && balance < 500)
        fens.push_back(positionToFen(position));
    }
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
      if (legal[i].sameSquares(move) && legal[i].promotion == move.promotion) found = true;
    if (!found) break;  // a resignation or a broken move: no result to learn from
    halfmoves = isCaptureOrPromotion(move) || isPawn(move.piece) ? 0 : halfmoves + 1;
    position = after(position, move);
  }
  for (auto& fen : fens) kept.push_back(fen + ";0.5");
  return 0.5;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: selfplay OPENINGS.fen OUT.txt GAMES NODES SEED\n";
    return 2;
  }
  std::vector<CChessBoard> openings;
  std::ifstream in(argv[1]);
  for (std::string line; std::getline(in, line);)
    if (auto position = positionFromFen(line)) openings.push_back(*position);
  if (openings.empty()) {
    std::cerr << "selfplay: no positions in " << argv[1] << "\n";
    return 2;
  }
  const int games = std::atoi(argv[3]);
  const int nodes = std::atoi(argv[4]);
  std::mt19937 random(static_cast<unsigned>(std::atoi(argv[5])));
  std::ofstream out(argv[2]);
  double white = 0;
  std::size_t positions = 0;
  for (int game = 0; game < games; ++game) {
    std::vector<std::string> kept;
    white += playGame(openings[random() % openings.size()], nodes, random, kept);
    for (const auto& line : kept) out << line << '\n';
    positions += kept.size();
    if ((game + 1) % 50 == 0) std::cerr << "selfplay: " << game + 1 << " games, " << positions << " positions\n";
  }
  std::cerr << "selfplay: " << games << " games, White scored " << white << ", " << positions << " positions\n";
  return 0;
}
