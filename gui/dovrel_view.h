#pragma once
// CDovrelView: the board, drawn as text in a chess font, 10 x 10 cells of
// squareSize pixels. It draws the Game it reads (the live position or a
// history entry while browsing) and reports clicked squares; what a click
// means is the frame's business.

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include "board_geometry.h"
#include "position/chess_board.h"

class Game;

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

  // The board as it would be painted now, 10 x squareSize pixels square.
  QImage renderBoard() const;

 public slots:
  // "Regular" or "Merida"; any other name keeps the widget's own font and draws "?".
  void setFontName(const QString& name);
  // While the frame waits for the second click, the piece on fromSquare is blue.
  void setAwaitingFirstClick(bool awaiting);
  void setFromSquare(int square);

  void flip();           // Invertir tablero
  void larger();         // Tablero mayor
  void smaller();        // Tablero menor
  void browseBack();     // Ver mov. previo
  void browseForward();  // Ver mov. siguiente
  void browseLive();     // Ver pos. actual
  // Shows history entry `entry`; the last entry is the live position.
  void browseTo(int entry);
  void refresh();
  // The largest cell size the screen has room for; a larger board shrinks to it.
  void setMaxSquareSize(int size);

 signals:
  // Left click on the live board: the square under the pointer, 0x88 encoded
  // (a click on the frame gives a value that is no board square).
  void squareClicked(int square);
  // After larger/smaller: the frame resizes its client area to this.
  void clientSizeWanted(QSize clientSize);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // The cells follow the widget: the largest square board that fits, centred.
  void resizeEvent(QResizeEvent* event) override;

 private:
  const Game& game;
  void resizeBoard(int newSquareSize);
  QPoint boardOrigin() const;
  CBoard boardToShow() const;
  int historySize() const;

  bool whiteAtBottomValue = true;
  int squareSizeValue;
  int maxSquareSize = MAX_SQUARE_SIZE;
  int browseIndexValue = -1;
  QString fontNameValue = QStringLiteral("Regular");
  bool awaitingFirstClick = true;
  int fromSquare = -1;
};
