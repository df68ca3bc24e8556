#pragma once
// Editar posición: a board on which pieces are placed and removed with the
// mouse, the side to move, the castling rights and the en-passant file; the
// position is checked at every change and the reason it cannot be played is
// shown in Spanish. Aceptar is only possible for a playable position.

#include <QDialog>
#include <QString>

#include "position/chess_board.h"
#include "position/setup_check.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The Spanish reason for a set-up problem ("" for none).
QString setupProblemText(SetupProblem problem);

class PositionEditorDlg : public QDialog {
  Q_OBJECT

 public:
  explicit PositionEditorDlg(const CChessBoard& start, QWidget* parent = nullptr);

  // The piece code a left click places (EMPTY clears the square).
  void choosePiece(Piece piece);
  // A click on a square: places the chosen piece, or clears the square when
  // it holds that piece already; `clear` (the right button) always clears.
  void clickSquare(Square square, bool clear = false);
  void setSideToMove(bool white);
  void setCastling(std::uint8_t rights);
  // The file (0..7) of the pawn that just advanced two squares; -1 none.
  void setEnPassantFile(int file);
  void setInitialPosition();
  void clearBoard();

  const CChessBoard& position() const { return edited; }
  QString fen() const;
  QString problemText() const;
  bool canAccept() const;

 private:
  class BoardWidget;
  void check();
  void showControls();

  CChessBoard edited;
  Piece chosen = WHITE_PAWN;
  BoardWidget* board;
  QButtonGroup* palette;
  QComboBox* side;
  QCheckBox* castling[4];
  QComboBox* enPassant;
  QLabel* problem;
  QPushButton* acceptButton;
};
