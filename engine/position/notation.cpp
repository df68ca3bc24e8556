#include "notation.h"

#include "move_gen.h"

namespace {

char sanLetter(int piece) {
  if (isKnight(piece)) return 'N';
  if (isKing(piece)) return 'K';
  if (isRook(piece)) return 'R';
  if (isBishop(piece)) return 'B';
  if (isQueen(piece)) return 'Q';
  return 0;
}

// The parsers ask `isLegal(from, to)` whether a legal move joins the squares.
template <class LegalTest>
Move parsePawnSan(const CChessBoard& p, std::string text, bool white, LegalTest&& isLegal) {
  Piece promotion = EMPTY;
  if (text.back() > 'A') {
    promotion = pieceForSide(promotionFromLetter(text.back()), white);
    text.resize(text.size() >= 2 ? text.size() - 2 : 0);
  }
  if (text.size() < 2) return Move();
  const int to = parseSquare(text.c_str() + text.size() - 2);
  if (!isValidSquare(to)) return Move();
  const int back = white ? -16 : 16;
  int from;
  if (text.size() == 2) {
    from = to + back;
    if (!isValidSquare(from)) return Move();
    if (p.squares[from] == EMPTY) from += back;
  } else {
    if (text[1] != 'x' && text[2] != 'x') return Move();
    from = to + back + (text[0] - 'a') - fileOf(to);
  }
  if (!isValidSquare(from)) return Move();
  const Move move(from, to, white ? WHITE_PAWN : BLACK_PAWN, p.squares[to], promotion);
  return isLegal(from, to) ? move : Move();
}

template <class LegalTest>
Move parsePieceSan(const CChessBoard& p, const std::string& text, bool white, LegalTest&& isLegal) {
  const std::size_t n = text.size();
  if (n < 3 || text[n - 1] < '1' || text[n - 1] > '8' || text[n - 2] < 'a' || text[n - 2] > 'h') return Move();
  // A piece letter: upper case, neither pawn nor empty.
  Piece piece = pieceFromLetter(text[0]);
  if (!isWhitePiece(piece) || isPawn(piece)) return Move();
  piece = pieceForSide(piece, white);
  const int to = parseSquare(text.c_str() + n - 2);

  int before = static_cast<int>(n) - 2;
  for (std::size_t i = 1; i <= 3 && i < n; ++i)
    if (text[i] == 'x') --before;
  int fileHint = -1;
  int rankHint = -1;
  auto takeHint = [&](char c) {
    if (c >= 'a')
      fileHint = c - 'a';
    else if (c <= '8')
      rankHint = c - '1';
  };
  if (before >= 2) takeHint(text[1]);
  if (before >= 3) takeHint(text[2]);

  for (Square from : p.findPieces(piece)) {
    if (fileHint >= 0 && fileOf(from) != fileHint) continue;
    if (rankHint >= 0 && rankOf(from) != rankHint) continue;
    const Move move = moveFromSquares(p, from, to);
    if (isLegal(from, to)) return move;
  }
  return Move();
}

template <class LegalTest>
Move parseSanWith(const CChessBoard& p, const std::string& input, LegalTest&& isLegal) {
  if (input.size() < 2 || input.size() > 7) return Move();
  std::string text = input;
  if (text.back() == '+') text.pop_back();
  if (!text.empty() && text.back() == '#') text.pop_back();
  if (text.empty()) return Move();
  const bool white = p.sideToMove != 0;

  if (text[0] == 'O' || text[0] == '0') {
    if (text.size() < 3) return Move();
    const bool queenSide = text.size() >= 4 && text[3] == '-';
    const int from = white ? E1 : E8;
    const int to = white ? (queenSide ? C1 : G1) : (queenSide ? C8 : G8);
    return Move(from, to, white ? WHITE_KING : BLACK_KING, EMPTY, EMPTY);
  }
  if (text[0] >= 'Z') return parsePawnSan(p, text, white, isLegal);
  return parsePieceSan(p, text, white, isLegal);
}

}  // namespace

std::string moveToCoordinates(const Move& move) { return squareName(move.from) + squareName(move.to); }

Move parseCoordinateMove(const CChessBoard& p, const std::string& text) {
  if (text.size() < 4) return Move();
  const int from = parseSquare(text.c_str());
  const int to = parseSquare(text.c_str() + 2);
  if (!isValidSquare(from) || !isValidSquare(to)) return Move();
  Piece promotion = EMPTY;
  if (text.size() == 6) promotion = pieceForSide(promotionFromLetter(text[5]), rankOf(to) == 7);
  return Move(from, to, p.squares[from], p.squares[to], promotion);
}

Move moveFromSquares(const CChessBoard& p, int from, int to) {
  if (!isValidSquare(from) || !isValidSquare(to)) return Move();
  return Move(from, to, p.squares[from], p.squares[to], EMPTY);
}

std::string moveToSan(const CChessBoard& p, const Move& move) {
  std::string text;
  const bool pawn = isPawn(move.piece);
  if (const char letter = sanLetter(move.piece); letter && !pawn) text += letter;

  if (!pawn) {
    int count = 0, sameFile = 0, sameRank = 0;
    for (int i = 0; i < p.moveCount; ++i) {
      const Move& other = p.moves[i];
      if (other.to != move.to || other.piece != move.piece) continue;
      ++count;
      if (fileOf(other.from) == fileOf(move.from)) ++sameFile;
      if (rankOf(other.from) == rankOf(move.from)) ++sameRank;
    }
    if (count >= 2) {
      if (sameFile == 1)
        text += static_cast<char>('a' + fileOf(move.from));
      else if (sameRank == 1)
        text += static_cast<char>('1' + rankOf(move.from));
      else
        text += squareName(move.from);
    }
  }

  if (move.captured == EMPTY) {
    text += squareName(move.to);
  } else {
    if (pawn) text += static_cast<char>('a' + fileOf(move.from));
    text += 'x';
    text += squareName(move.to);
  }
  if (isQueen(move.promotion)) text += "=Q";

  if (isCastlingMove(move)) {
    if (text == "Kg1" || text == "Kg8")
      text = "0-0";
    else if (text == "Kc1" || text == "Kc8")
      text = "0-0-0";
  }
  const int check = classifyMove(p, move);
  if (check == 1 || check == 2) text += '+';
  return text;
}

Move parseSan(CChessBoard& p, const std::string& input) {
  return parseSanWith(p, input, [&p](int from, int to) { return findMove(p, from, to) != nullptr; });
}

// One pseudo-legal list per word, and the legality test only for moves that
// join the squares asked for: the parse reads nothing else.
Move parseSanQuietly(const CChessBoard& p, const std::string& input) {
  MoveBuffer pseudo;
  int count = -1;
  LegalityContext context;
  return parseSanWith(p, input, [&](int from, int to) {
    if (count < 0) {
      count = generatePseudoMoves(p, pseudo.moves);
      context = legalityContext(p);
    }
    for (int i = 0; i < count; ++i)
      if (pseudo.moves[i].from == from && pseudo.moves[i].to == to && isLegal(p, context, pseudo.moves[i])) return true;
    return false;
  });
}
