#include "fen.h"

#include <sstream>

std::optional<CChessBoard> positionFromFen(const std::string& fen) {
  std::istringstream in(fen);
  std::string placement, side, castling = "-", enPassant = "-";
  if (!(in >> placement >> side)) return std::nullopt;
  in >> castling >> enPassant;

  CChessBoard position;
  position.clearSquares();
  int rank = 7, file = 0;
  for (char c : placement) {
    if (c == '/') {
      if (file != 8 || rank == 0) return std::nullopt;
      --rank;
      file = 0;
    } else if (c >= '1' && c <= '8') {
      file += c - '0';
      if (file > 8) return std::nullopt;
    } else {
      const Piece piece = pieceFromLetter(c);
      if (piece == EMPTY || file >= 8) return std::nullopt;
      position.squares[makeSquare(file, rank)] = piece;
      ++file;
    }
  }
  if (rank != 0 || file != 8) return std::nullopt;

  if (side == "w")
    position.sideToMove = 1;
  else if (side == "b")
    position.sideToMove = 0;
  else
    return std::nullopt;

  position.castlingRights = 0;
  if (castling != "-") {
    for (char c : castling) {
      switch (c) {
        case 'K':
          position.castlingRights |= WHITE_KING_SIDE;
          break;
        case 'Q':
          position.castlingRights |= WHITE_QUEEN_SIDE;
          break;
        case 'k':
          position.castlingRights |= BLACK_KING_SIDE;
          break;
        case 'q':
          position.castlingRights |= BLACK_QUEEN_SIDE;
          break;
        default:
          return std::nullopt;
      }
    }
  }

  // FEN names the square passed over; the position keeps the pawn's own square.
  position.enPassantSquare = NO_SQUARE;
  if (enPassant != "-") {
    if (enPassant.size() != 2) return std::nullopt;
    const int passed = parseSquare(enPassant);
    if (!isValidSquare(passed)) return std::nullopt;
    const int pawn = passed + (position.sideToMove ? -16 : 16);
    if (!isValidSquare(pawn)) return std::nullopt;
    position.enPassantSquare = static_cast<Square>(pawn);
  }
  return position;
}

FenCounters fenCounters(const std::string& fen) {
  std::istringstream in(fen);
  std::string field;
  for (int i = 0; i < 4 && in >> field; ++i) {
  }
  FenCounters counters;
  long halfMoves = 0, moveNumber = 0;
  if (in >> halfMoves && halfMoves >= 0 && halfMoves < 10000) counters.halfMoves = static_cast<int>(halfMoves);
  if (in >> moveNumber && moveNumber >= 1 && moveNumber < 10000) counters.moveNumber = static_cast<int>(moveNumber);
  return counters;
}

std::string positionToFen(const CChessBoard& position, FenCounters counters) {
  std::string fen;
  for (int rank = 7; rank >= 0; --rank) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      const Piece piece = position.squares[makeSquare(file, rank)];
      const char letter = piece == EMPTY ? ' ' : pieceLetter(piece);
      if (letter == ' ') {
        ++empty;
        continue;
      }
      if (empty) fen += static_cast<char>('0' + empty);
      empty = 0;
      fen += letter;
    }
    if (empty) fen += static_cast<char>('0' + empty);
    if (rank) fen += '/';
  }
  fen += position.sideToMove ? " w " : " b ";

  std::string castling;
  if (position.castlingRights & WHITE_KING_SIDE) castling += 'K';
  if (position.castlingRights & WHITE_QUEEN_SIDE) castling += 'Q';
  if (position.castlingRights & BLACK_KING_SIDE) castling += 'k';
  if (position.castlingRights & BLACK_QUEEN_SIDE) castling += 'q';
  fen += castling.empty() ? "-" : castling;

  fen += ' ';
  if (isValidSquare(position.enPassantSquare)) {
    const int passed = position.enPassantSquare + (position.sideToMove ? 16 : -16);
    fen += isValidSquare(passed) ? squareName(passed) : "-";
  } else {
    fen += '-';
  }
  fen += ' ' + std::to_string(counters.halfMoves) + ' ' + std::to_string(counters.moveNumber);
  return fen;
}
