#include "search/strong_evaluation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "position/attack.h"

namespace {

enum Kind { PAWN, KNIGHT, BISHOP, ROOK, QUEEN, KING, NONE };

constexpr Kind kindOf(int code) {
  if (isPawn(code)) return PAWN;
  if (isKnight(code)) return KNIGHT;
  if (isBishop(code)) return BISHOP;
  if (isRook(code)) return ROOK;
  if (isQueen(code)) return QUEEN;
  if (isKing(code)) return KING;
  return NONE;
}

// Kind of every byte a square may hold (NONE for empty squares and stray codes).
constexpr auto KIND_OF_CODE = [] {
  std::array<Kind, 256> kinds{};
  for (int code = 0; code < 256; ++code)
    kinds[code] = isWhitePiece(code) || isBlackPiece(code) ? kindOf(code) : NONE;
  return kinds;
}();

// A piece found by the one scan of the board.
struct Placed {
  Square square;
  Kind kind;
  int side;
};

constexpr int PHASE[6] = {0, 1, 1, 2, 4, 0};
constexpr int FULL_PHASE = 24;
// Middlegame piece values for the phase-independent material tests.
constexpr int PIECE_VALUE[6] = {82, 337, 365, 477, 1025, 0};

}  // namespace

EvaluationTables::EvaluationTables(const EvaluationWeights& weights) : w(weights) {
  for (int kind = PAWN; kind <= KING; ++kind)
    for (int i = 0; i < 64; ++i) {
      mg[kind][i] = (kind == KING ? 0 : w.materialMg[kind]) + w.squareMg[kind][i];
      eg[kind][i] = (kind == KING ? 0 : w.materialEg[kind]) + w.squareEg[kind][i];
    }
}

const EvaluationTables& tunedTables() {
  static const EvaluationTables tables(TUNED_WEIGHTS);
  return tables;
}

namespace {

constexpr int KING_ATTACK_WEIGHT[6] = {0, 2, 2, 3, 5, 0};

struct Side {
  int mg = 0, eg = 0;
  int phase = 0;
  int pieceMaterial = 0;  // middlegame values, no pawns
  int pawnCount = 0;
  int minors = 0, bishops = 0, majors = 0;
  int king = NO_SQUARE;   // first in board order
  int attackUnits = 0;    // on the other king's surroundings
  int attackers = 0;
  std::array<int, 8> pawnsOnFile{};
  std::array<int, 8> mostAdvanced{};   // relative rank of the most advanced pawn per file, -1 none
  std::array<int, 8> leastAdvanced{};  // relative rank of the least advanced pawn per file, 8 none
};

int relativeRank(int square, int side) { return side ? rankOf(square) : 7 - rankOf(square); }
int relativeIndex(int square, int side) { return relativeRank(square, side) * 8 + fileOf(square); }

// Square differences of a king's square and its neighbours, by difference + 119:
// 0x88 numbering gives each file and rank step a difference of its own.
constexpr auto KING_NEIGHBOURHOOD = [] {
  std::array<bool, 239> near{};
  for (int rank = -1; rank <= 1; ++rank)
    for (int file = -1; file <= 1; ++file) near[rank * 16 + file + 119] = true;
  return near;
}();

// The other king's square and its neighbours.
bool nearKing(int square, int king) { return king != NO_SQUARE && KING_NEIGHBOURHOOD[square - king + 119]; }

// Per square, a bit for each kind of piece of one side that attacks it.
using AttackMap = std::array<std::uint8_t, 128>;
constexpr std::uint8_t bit(Kind kind) { return static_cast<std::uint8_t>(1u << kind); }

void addMobility(const CBoard& b, const EvaluationWeights& w, int square, Kind kind, int side, Side& own,
                 int otherKing, AttackMap& attacked) {
  const Piece* s = b.squares;
  int count = 0, attacks = 0;
  auto visit = [&](int to) {
    attacked[to] |= bit(kind);
    if (s[to] == EMPTY || !belongsTo(s[to], side)) ++count;
    if (nearKing(to, otherKing)) ++attacks;
  };
  if (kind == KNIGHT) {
    for (int offset : attack::KNIGHT_OFFSETS)
      if (isOnBoard(square + offset)) visit(square + offset);
  } else {
    auto slide = [&](const int(&offsets)[4]) {
      for (int offset : offsets)
        for (int to = square + offset; isOnBoard(to); to += offset) {
          visit(to);
          if (s[to] != EMPTY) break;
        }
    };
    if (kind == ROOK || kind == QUEEN) slide(attack::ROOK_OFFSETS);
    if (kind == BISHOP || kind == QUEEN) slide(attack::BISHOP_OFFSETS);
  }
  own.mg += w.mobilityMg[kind - KNIGHT][count];
  own.eg += w.mobilityEg[kind - KNIGHT][count];
  if (attacks) {
    own.attackUnits += KING_ATTACK_WEIGHT[kind] * attacks;
    ++own.attackers;
  }
}

// Has `other` a pawn on `file` beyond the owner's rank `rank`, counted from the owner's side?
bool pawnBeyond(const Side& other, int file, int rank) {
  return file >= 0 && file <= 7 && other.pawnsOnFile[file] && 7 - other.leastAdvanced[file] > rank;
}

bool isPassed(const Side& other, int square, int side) {
  const int file = fileOf(square), rank = relativeRank(square, side);
  return !pawnBeyond(other, file - 1, rank) && !pawnBeyond(other, file, rank) && !pawnBeyond(other, file + 1, rank);
}

void pawnStructure(const CBoard& b, const EvaluationWeights& w, int side, Side& own, const Side& other,
                   const Placed* pieces, int count, const AttackMap* attacked) {
  for (int file = 0; file < 8; ++file) {
    const int count = own.pawnsOnFile[file];
    if (count == 0) continue;
    if (count > 1) {
      own.mg += w.doubledMg * (count - 1);
      own.eg += w.doubledEg * (count - 1);
    }
    const bool isolated = (file == 0 || !own.pawnsOnFile[file - 1]) && (file == 7 || !own.pawnsOnFile[file + 1]);
    if (isolated) {
      own.mg += w.isolatedMg * count;
      own.eg += w.isolatedEg * count;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (pieces[i].kind != PAWN || pieces[i].side != side) continue;
    const int s = pieces[i].square;
    const int file = fileOf(s);
    const int rank = relativeRank(s, side);
    auto ownPawn = [&](int square) {
      return isOnBoard(square) && KIND_OF_CODE[b.squares[square]] == PAWN && belongsTo(b.squares[square], side);
    };
    if ((attacked[side][s] & bit(PAWN)) || ownPawn(s - 1) || ownPawn(s + 1)) {
      own.mg += w.connectedMg[rank];
      own.eg += w.connectedEg[rank];
    } else {
      // No pawn beside or behind on a neighbouring file can come to defend it.
      const bool left = file > 0 && own.pawnsOnFile[file - 1], right = file < 7 && own.pawnsOnFile[file + 1];
      const bool behindAll = (!left || own.leastAdvanced[file - 1] > rank) && (!right || own.leastAdvanced[file + 1] > rank);
      const int front = side ? s + 16 : s - 16;
      if ((left || right) && behindAll && isOnBoard(front) && (attacked[!side][front] & bit(PAWN))) {
        own.mg += w.backwardMg;
        own.eg += w.backwardEg;
      }
    }
    if (own.mostAdvanced[file] != rank || !isPassed(other, s, side)) continue;
    own.mg += w.passedMg[rank];
    own.eg += w.passedEg[rank];
    // In the ending the kings decide a passed pawn's race.
    const int front = side ? s + 16 : s - 16;
    if (isOnBoard(front)) {
      auto distance = [&](int king) {
        return king == NO_SQUARE ? 7 : std::max(std::abs(fileOf(king) - fileOf(front)), std::abs(rankOf(king) - rankOf(front)));
      };
      own.eg += (distance(other.king) * w.passerOtherKingEg - distance(own.king) * w.passerOwnKingEg) * rank / 2;
      if (b.squares[front] != EMPTY) own.eg -= w.passedEg[rank] / 3;
    }
  }
}

void outposts(const EvaluationWeights& w, int side, Side& own, const Side& other, const Placed* pieces, int count,
              const AttackMap* attacked) {
  for (int i = 0; i < count; ++i) {
    const Placed& piece = pieces[i];
    if ((piece.kind != KNIGHT && piece.kind != BISHOP) || piece.side != side) continue;
    const int rank = relativeRank(piece.square, side);
    if (rank < 3 || rank > 5 || !(attacked[side][piece.square] & bit(PAWN))) continue;
    // No enemy pawn can ever drive it away.
    const int file = fileOf(piece.square);
    if (pawnBeyond(other, file - 1, rank) || pawnBeyond(other, file + 1, rank)) continue;
    own.mg += w.outpostMg[piece.kind - KNIGHT];
    own.eg += w.outpostEg[piece.kind - KNIGHT];
  }
}

void kingSafety(const EvaluationWeights& w, int side, Side& own, const Side& other) {
  if (own.king != NO_SQUARE && relativeRank(own.king, side) <= 1) {
    const int kingFile = fileOf(own.king);
    for (int f = kingFile - 1; f <= kingFile + 1; ++f) {
      if (f < 0 || f > 7) continue;
      if (!own.pawnsOnFile[f]) {
        own.mg += other.pawnsOnFile[f] ? w.shieldMissingMg : w.shieldOpenMg;
        continue;
      }
      const int rank = own.leastAdvanced[f];
      own.mg += rank == 1 ? w.shieldNearMg : rank == 2 ? w.shieldMiddleMg : w.shieldFarMg;
    }
  }
  // Attacks next to our king, counted on the other side's pieces; a lone attacker does little.
  if (other.attackers >= 2 && other.pieceMaterial >= 1025) {
    const int units = other.attackUnits;
    own.mg -= std::min(units * units * w.kingAttack, 400);
  }
}

void rookFiles(const EvaluationWeights& w, int side, Side& own, const Side& other, const Placed* pieces, int count) {
  for (int i = 0; i < count; ++i) {
    if (pieces[i].kind != ROOK || pieces[i].side != side) continue;
    const int file = fileOf(pieces[i].square);
    if (own.pawnsOnFile[file]) continue;
    own.mg += other.pawnsOnFile[file] ? w.rookHalfOpenMg : w.rookOpenMg;
    own.eg += other.pawnsOnFile[file] ? w.rookHalfOpenEg : w.rookOpenEg;
  }
}

// Threats are counted for the attacker, whoever is to move: the search sees
// the captures of the side to move, but not what the other side threatens.
void threats(const EvaluationWeights& w, Side* sides, const AttackMap* attacked, const Placed* pieces, int count) {
  constexpr std::uint8_t MINORS = bit(KNIGHT) | bit(BISHOP);
  for (int i = 0; i < count; ++i) {
    const Placed& victim = pieces[i];
    if (victim.kind == KING) continue;
    const std::uint8_t by = attacked[!victim.side][victim.square];
    if (!by) continue;
    Side& attacker = sides[!victim.side];
    if (victim.kind != PAWN && (by & bit(PAWN))) {
      attacker.mg += w.threatByPawnMg;
      attacker.eg += w.threatByPawnEg;
    } else if ((victim.kind == ROOK || victim.kind == QUEEN) && (by & MINORS)) {
      attacker.mg += w.threatByMinorMg;
      attacker.eg += w.threatByMinorEg;
    } else if (victim.kind == QUEEN && (by & bit(ROOK))) {
      attacker.mg += w.threatByRookMg;
      attacker.eg += w.threatByRookEg;
    }
    if (attacked[victim.side][victim.square]) continue;
    attacker.mg += victim.kind == PAWN ? w.hangingPawnMg : w.hangingMg;
    attacker.eg += victim.kind == PAWN ? w.hangingPawnEg : w.hangingEg;
  }
}

int distance(int a, int b) { return std::max(std::abs(fileOf(a) - fileOf(b)), std::abs(rankOf(a) - rankOf(b))); }

// Drive a bare king to the edge and bring the own king closer, so that the
// search finds the mate in endings it cannot see to the end.
int mopUp(const Side& strong, const Side& bare) {
  if (strong.king == NO_SQUARE || bare.king == NO_SQUARE) return 0;
  const int edge = std::abs(2 * fileOf(bare.king) - 7) + std::abs(2 * rankOf(bare.king) - 7);
  return 10 * edge + 6 * (7 - distance(strong.king, bare.king)) + 200;
}

// A lone bishop with pawns on one rook file only cannot drive a king out of
// the corner the bishop does not reach: the pawn never promotes, whatever the
// material says.
bool wrongRookPawn(const Side& own, const Side& other, int side, const Placed* pieces, int count) {
  if (own.majors || own.minors != 1 || own.bishops != 1 || own.pawnCount == 0 || other.pieceMaterial) return false;
  const int file = own.pawnsOnFile[0] ? 0 : 7;
  if (own.pawnsOnFile[file] != own.pawnCount || other.king == NO_SQUARE) return false;
  const int corner = side ? A8 + file : A1 + file;
  for (int i = 0; i < count; ++i)
    if (pieces[i].kind == BISHOP && pieces[i].side == side)
      return (fileOf(pieces[i].square) + rankOf(pieces[i].square)) % 2 != (fileOf(corner) + rankOf(corner)) % 2 &&
             distance(other.king, corner) <= 1;
  return false;
}

}  // namespace

int pieceMaterial(const CBoard& board, int side) {
  int total = 0;
  for (Square s : ALL_SQUARES) {
    const int code = board.squares[s];
    if (code == EMPTY || !belongsTo(code, side)) continue;
    const Kind kind = kindOf(code);
    if (kind != PAWN && kind != NONE) total += PIECE_VALUE[kind];
  }
  return total;
}

int strongEvaluate(const CBoard& b) { return strongEvaluate(b, tunedTables()); }

int strongEvaluate(const CBoard& b, const EvaluationTables& table) {
  const EvaluationWeights& w = table.w;
  Side sides[2];  // index: 1 White, 0 Black
  for (Side& side : sides) {
    side.mostAdvanced.fill(-1);
    side.leastAdvanced.fill(8);
  }
  Placed pieces[64];
  int count = 0;
  AttackMap attacked[2]{};  // index: 1 White, 0 Black
  for (Square s : ALL_SQUARES) {
    const int code = b.squares[s];
    const Kind kind = KIND_OF_CODE[code];
    if (kind == NONE) continue;
    const int side = isWhitePiece(code) ? 1 : 0;
    pieces[count++] = {s, kind, side};
    Side& own = sides[side];
    const int index = relativeIndex(s, side);
    own.mg += table.mg[kind][index];
    own.eg += table.eg[kind][index];
    own.phase += PHASE[kind];
    if (kind == PAWN) {
      for (int capture : {side ? s + 15 : s - 15, side ? s + 17 : s - 17})
        if (isOnBoard(capture)) attacked[side][capture] |= bit(PAWN);
      const int file = fileOf(s), rank = relativeRank(s, side);
      ++own.pawnsOnFile[file];
      ++own.pawnCount;
      own.mostAdvanced[file] = std::max(own.mostAdvanced[file], rank);
      own.leastAdvanced[file] = std::min(own.leastAdvanced[file], rank);
    } else if (kind == KING) {
      if (own.king == NO_SQUARE) own.king = s;
      for (int offset : attack::KING_OFFSETS)
        if (isOnBoard(s + offset)) attacked[side][s + offset] |= bit(KING);
    } else {
      own.pieceMaterial += PIECE_VALUE[kind];
      if (kind == BISHOP) ++own.bishops;
      if (kind == KNIGHT || kind == BISHOP) ++own.minors;
      else ++own.majors;
    }
  }
  for (int i = 0; i < count; ++i) {
    const Placed& piece = pieces[i];
    if (piece.kind == PAWN || piece.kind == KING) continue;
    addMobility(b, w, piece.square, piece.kind, piece.side, sides[piece.side], sides[!piece.side].king,
                attacked[piece.side]);
  }
  threats(w, sides, attacked, pieces, count);
  for (int side = 0; side < 2; ++side) {
    Side& own = sides[side];
    const Side& other = sides[!side];
    pawnStructure(b, w, side, own, other, pieces, count, attacked);
    outposts(w, side, own, other, pieces, count, attacked);
    kingSafety(w, side, own, other);
    rookFiles(w, side, own, other, pieces, count);
    if (own.bishops >= 2) {
      own.mg += w.bishopPairMg;
      own.eg += w.bishopPairEg;
    }
  }

  Side& white = sides[1];
  Side& black = sides[0];
  const int phase = std::min(white.phase + black.phase, FULL_PHASE);
  int score = ((white.mg - black.mg) * phase + (white.eg - black.eg) * (FULL_PHASE - phase)) / FULL_PHASE;

  // Without pawns, a minor piece more (or nothing more) cannot win.
  for (int side = 0; side < 2; ++side) {
    const Side& own = sides[side];
    const Side& other = sides[!side];
    const bool ahead = side ? score > 0 : score < 0;
    if (!ahead) continue;
    if (wrongRookPawn(own, other, side, pieces, count)) score /= 16;
    else if (own.pawnCount == 0 && own.pieceMaterial - other.pieceMaterial < 400 && own.majors == 0) score /= 8;
    else if (other.pieceMaterial == 0 && other.pawnCount == 0 && own.pieceMaterial >= 477)
      score += (side ? 1 : -1) * mopUp(own, other);
  }

  score += b.sideToMove ? w.tempo : -w.tempo;  // the move is worth a little
  return b.sideToMove ? score : -score;
}
