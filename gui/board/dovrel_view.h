#pragma once
// CDovrelView: the board, drawn as text in a chess font, 10 x 10 cells of
// squareSize pixels. It draws the Game it reads (the live position or a
// history entry while browsing) and reports clicked squares; what a click
// means is the frame's business.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

#include "board_geometry.h"
#include "position/chess_board.h"

class Game;
class QPainter;

class CDovrelView : public QWidget {
  Q_OBJECT

 public:
  explicit CDovrelView(const Game& game, QWidget* parent = nullptr);

  int squareSize() const { return squareSizeValue; }
  bool whiteAtBottom() const { return whiteAtBottomValue; }
  // As stored: an index left over from a longer history still counts as -1.
  int browseIndex() const { return browseIndexValue; }
  QString fontName() const { return fontNameValue; }

  // The board alone: 10 x squareSize square.
  QSize sizeHint() const override;
  // The frame's client area that fits the board, the right-hand bar and the
  // bars above and below: (10 x squareSize + 100) x (11 x squareSize).
  QSize desiredClientSize() const;

  // The board as it would be painted now, 10 x squareSize logical pixels
  // square, in the widget's device pixels (its ratio set).
  QImage renderBoard() const;
  // The position on the board: the stand-in, the live one or the browsed history entry.
  CChessBoard shownPosition() const { return boardToShow(); }
  // A position shown and played on instead of the game's (an exercise), the
  // game itself untouched; empty: the game again.
  void setStandIn(const std::optional<CChessBoard>& position);
  bool showsStandIn() const { return standIn.has_value(); }

 public slots:
  // "Regular" or "Merida"; any other name keeps the widget's own font and draws "?".
  void setFontName(const QString& name);
  // While the frame waits for the second click, the piece on fromSquare is blue.
  void setAwaitingFirstClick(bool awaiting);
  void setFromSquare(int square);
  // Opciones "Mostrar jugadas legales": mark the picked piece's destinations.
  void setShowLegalMoves(bool show);
  bool showLegalMoves() const { return showLegalMovesValue; }
  // Pista: the suggested move's squares stay marked while the game stays at
  // the position they were given for.
  void setHint(int from, int to);
  bool hintShown() const { return isValidSquare(hintFrom) && hintPlies == historySize(); }

  void flip();           // Invertir tablero
  void setWhiteAtBottom(bool atBottom);
  void larger();         // Tablero mayor
  void smaller();        // Tablero menor
  void browseBack();     // Ver mov. previo
  void browseForward();  // Ver mov. siguiente
  void browseLive();     // Ver pos. actual
  // Shows history entry `entry`; the last entry is the live position.
  void browseTo(int entry);
  // Shows a position off the history (a variation's), browsing at `entry`,
  // the history entry it branches from; any other browsing leaves it.
  void browseVariation(int entry, const CChessBoard& position);
  bool showsVariation() const { return variationShown; }
  void refresh();
  // The largest cell size the screen has room for; a larger board shrinks to it.
  void setMaxSquareSize(int size);

 signals:
  // Left click on the board: the square under the pointer, 0x88 encoded
  // (a click on the frame gives a value that is no board square).
  void squareClicked(int square);
  // A dragged piece dropped where it cannot go: it goes back, nothing is picked.
  void pickCancelled();
  // After larger/smaller: the frame resizes its client area to this.
  void clientSizeWanted(QSize clientSize);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The cells follow the widget: the largest square board that fits, centred.
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Once there is a window: a move to a screen of another pixel ratio redraws.
  void showEvent(QShowEvent* event) override;

 private:
  const Game& game;
  void resizeBoard(int newSquareSize);
  QPoint boardOrigin() const;
  CChessBoard boardToShow() const;
  void drawMarks(QPainter& painter, const CChessBoard& board) const;
  int historySize() const;

  bool whiteAtBottomValue = true;
  int squareSizeValue;
  int maxSquareSize = MAX_SQUARE_SIZE;
  int browseIndexValue = -1;
  std::optional<CChessBoard> standIn;
  bool variationShown = false;
  CChessBoard variationPosition;
  QString fontNameValue = QStringLiteral("Regular");
  bool awaitingFirstClick = true;
  int fromSquare = -1;
  bool showLegalMovesValue = true;
  int hintFrom = NO_SQUARE, hintTo = NO_SQUARE, hintPlies = -1;
  // A press on the board that may become a drag, and where the pointer is.
  bool pressed = false, dragging = false;
  QPoint pressPoint, dragPoint;
};
