#include "dovrel_view.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QtMath>

#include <algorithm>

#include "board_geometry.h"
#include "board_marks.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "font_glyphs.h"

namespace {

const QColor TEXT_COLOUR(0, 0, 0);
const QColor SELECTED_COLOUR(0, 0, 255);
// Marks are see-through, so the square's own glyph (and its hatching) shows.
const QColor LAST_MOVE_COLOUR(255, 200, 0, 110);
const QColor CHECK_COLOUR(230, 0, 0, 130);
const QColor DESTINATION_COLOUR(0, 150, 0, 170);
const QColor HINT_COLOUR(200, 0, 200, 200);
const QColor LABEL_COLOUR(90, 90, 90);

QString glyphText(unsigned char glyph) { return QString(QChar(glyph)); }

}  // namespace

CDovrelView::CDovrelView(const Game& game, QWidget* parent)
    : QWidget(parent), game(game), squareSizeValue(DEFAULT_SQUARE_SIZE) {
  // The board image covers everything painted, so there is nothing to erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
}

QSize CDovrelView::sizeHint() const {
  PixelSize size = boardPixelSize(squareSizeValue);
  return {size.width, size.height};
}

QSize CDovrelView::desiredClientSize() const {
  PixelSize size = frameClientSize(squareSizeValue);
  return {size.width, size.height};
}

void CDovrelView::setFontName(const QString& name) {
  fontNameValue = name;
  update();
}

void CDovrelView::setAwaitingFirstClick(bool awaiting) {
  awaitingFirstClick = awaiting;
  update();
}

void CDovrelView::setFromSquare(int square) {
  fromSquare = square;
  update();
}

void CDovrelView::setShowLegalMoves(bool show) {
  showLegalMovesValue = show;
  update();
}

void CDovrelView::setHint(int from, int to) {
  hintFrom = from;
  hintTo = to;
  hintPlies = historySize();
  update();
}

void CDovrelView::flip() {
  whiteAtBottomValue = !whiteAtBottomValue;
  update();
}

void CDovrelView::setWhiteAtBottom(bool atBottom) {
  whiteAtBottomValue = atBottom;
  update();
}

void CDovrelView::larger() { resizeBoard(squareSizeValue + 1); }

void CDovrelView::smaller() { resizeBoard(squareSizeValue - 1); }

void CDovrelView::setMaxSquareSize(int size) {
  maxSquareSize = clampSquareSize(size);
  if (squareSizeValue <= maxSquareSize) return;
  squareSizeValue = maxSquareSize;
  updateGeometry();
  update();
}

void CDovrelView::resizeBoard(int newSquareSize) {
  squareSizeValue = std::min(clampSquareSize(newSquareSize), maxSquareSize);
  // A maximised or full-screen window keeps its size: the board grows only
  // as far as the room it has there.
  if (window()->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
    squareSizeValue = std::min(squareSizeValue, clampSquareSize(std::min(width(), height()) / BOARD_CELLS));
  updateGeometry();
  repaint();
  emit clientSizeWanted(desiredClientSize());
}

void CDovrelView::browseBack() {
  variationShown = false;
  browseIndexValue = ::browseBack(browseIndexValue, historySize());
  update();
}

void CDovrelView::browseForward() {
  variationShown = false;
  browseIndexValue = ::browseForward(browseIndexValue, historySize());
  update();
}

void CDovrelView::browseLive() {
  variationShown = false;
  browseIndexValue = -1;
  update();
}

void CDovrelView::browseTo(int entry) {
  variationShown = false;
  browseIndexValue = entry >= historySize() - 1 ? -1 : entry;
  update();
}

void CDovrelView::browseVariation(int entry, const CChessBoard& position) {
  browseTo(entry);
  variationShown = true;
  variationPosition = position;
}

void CDovrelView::refresh() { update(); }

void CDovrelView::resizeEvent(QResizeEvent*) {
  const int fitting = std::min(clampSquareSize(std::min(width(), height()) / BOARD_CELLS), maxSquareSize);
  if (fitting == squareSizeValue) return;
  squareSizeValue = fitting;
  update();
}

QPoint CDovrelView::boardOrigin() const {
  const int board = BOARD_CELLS * squareSizeValue;
  return {std::max(0, (width() - board) / 2), std::max(0, (height() - board) / 2)};
}

int CDovrelView::historySize() const {
  return game.read([](const Game& shown) { return static_cast<int>(shown.history.size()); });
}

// A copy taken under the lock, so the engine may go on while the board is drawn.
CChessBoard CDovrelView::boardToShow() const {
  if (standIn) return *standIn;
  if (variationShown) return variationPosition;
  return game.read([this](const Game& shown) -> CChessBoard {
    int index = effectiveBrowseIndex(browseIndexValue, static_cast<int>(shown.history.size()));
    if (index == -1) return shown.position;
    return shown.history[static_cast<std::size_t>(index)];
  });
}

void CDovrelView::setStandIn(const std::optional<CChessBoard>& position) {
  standIn = position;
  pressed = dragging = false;
  update();
}

QImage CDovrelView::renderBoard() const {
  const int size = squareSizeValue;
  // Drawn in the screen's own pixels, so a scaled screen gets a sharp board
  // and not an enlarged one; the painter still works in logical pixels.
  const qreal ratio = devicePixelRatioF();
  const int pixels = qCeil(BOARD_CELLS * size * ratio);
  QImage image(pixels, pixels, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(palette().color(QPalette::Base));

  QPainter painter(&image);
  const std::string name = fontNameValue.toStdString();
  const std::string_view family = fontFamily(name);
  QFont font = this->font();
  if (!family.empty()) {
    font = QFont(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
    font.setPixelSize(size);
    font.setKerning(false);
    // A missing glyph should show as missing, not as a letter of some other font.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
  }
  painter.setFont(font);
  // The image is already the background colour, and transparent text lets the
  // single-line frame reach into the blank corner cells.
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(TEXT_COLOUR);
  const int ascent = QFontMetrics(font).ascent();
  auto drawGlyph = [&](int column, int row, unsigned char glyph) {
    painter.drawText(column * size, row * size + ascent, glyphText(glyph));
  };

  const CChessBoard board = boardToShow();
  drawGlyph(0, 0, fontGlyph(FramePart::TopLeft, name));
  for (int c = 1; c <= 8; ++c) drawGlyph(c, 0, fontGlyph(FramePart::Top, name));
  drawGlyph(9, 0, fontGlyph(FramePart::TopRight, name));
  for (int i = 0; i < 8; ++i) {
    const int row = 8 - i;
    drawGlyph(0, row, fontGlyph(FramePart::Left, name));
    for (int c = 0; c < 8; ++c) {
      const int square = squareAtCell(c, i, whiteAtBottomValue);
      const bool selected = !awaitingFirstClick && square == fromSquare;
      painter.setPen(selected ? SELECTED_COLOUR : TEXT_COLOUR);
      const Piece shown = dragging && square == fromSquare ? EMPTY : board.squares[square];
      drawGlyph(c + 1, row, fontGlyph(shown, square, name));
      painter.setPen(TEXT_COLOUR);
    }
    drawGlyph(9, row, fontGlyph(FramePart::Right, name));
  }
  drawGlyph(0, 9, fontGlyph(FramePart::BottomLeft, name));
  for (int c = 1; c <= 8; ++c) drawGlyph(c, 9, fontGlyph(FramePart::Bottom, name));
  drawGlyph(9, 9, fontGlyph(FramePart::BottomRight, name));
  drawMarks(painter, board);
  if (dragging && isValidSquare(fromSquare)) {
    // The light square's glyph is the piece alone, without hatching.
    const Square light = H1;
    painter.setPen(TEXT_COLOUR);
    painter.drawText(dragPoint.x() - size / 2, dragPoint.y() - size / 2 + ascent,
                     glyphText(fontGlyph(board.squares[fromSquare], light, name)));
  }
  return image;
}

void CDovrelView::drawMarks(QPainter& painter, const CChessBoard& board) const {
  const int size = squareSizeValue;
  const bool picked = !awaitingFirstClick && isValidSquare(fromSquare);
  const bool live = standIn || (!variationShown && effectiveBrowseIndex(browseIndexValue, historySize()) == -1);
  // A move picked while browsing starts a variation there: marked the same.
  const BoardMarks marks = boardMarks(board, picked ? fromSquare : NO_SQUARE, showLegalMovesValue);
  auto cell = [&](int square) {
    const int column = whiteAtBottomValue ? fileOf(square) : 7 - fileOf(square);
    const int row = whiteAtBottomValue ? rankOf(square) : 7 - rankOf(square);
    return QRect((column + 1) * size, (8 - row) * size, size, size);
  };
  const int line = std::max(2, size / 14);
  auto ring = [&](int square, const QColor& colour) {
    if (!isValidSquare(square)) return;
    painter.setPen(QPen(colour, line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell(square).adjusted(line / 2, line / 2, -(line + 1) / 2, -(line + 1) / 2));
  };
  painter.save();  // the chess font and pen stay the caller's
  painter.setRenderHint(QPainter::Antialiasing);
  for (int square : {int(marks.lastFrom), int(marks.lastTo)})
    if (isValidSquare(square)) painter.fillRect(cell(square), LAST_MOVE_COLOUR);
  if (isValidSquare(marks.checkedKing)) {
    painter.fillRect(cell(marks.checkedKing), CHECK_COLOUR);
    ring(marks.checkedKing, CHECK_COLOUR);
  }
  if (picked) ring(fromSquare, SELECTED_COLOUR);
  for (Square square : marks.destinations) {
    if (board.squares[square] != EMPTY) {
      ring(square, DESTINATION_COLOUR);
      continue;
    }
    const int dot = std::max(4, size / 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DESTINATION_COLOUR);
    painter.drawEllipse(cell(square).center() + QPoint(1, 1), dot / 2, dot / 2);
  }
  if (live && !standIn && hintPlies == historySize()) {
    ring(hintFrom, HINT_COLOUR);
    ring(hintTo, HINT_COLOUR);
  }

  // Coordinates in the frame: files below the board, ranks on its left.
  QFont labels = QApplication::font();
  labels.setPixelSize(std::max(7, size * 3 / 10));
  painter.setFont(labels);
  painter.setPen(LABEL_COLOUR);
  for (int i = 0; i < 8; ++i) {
    painter.drawText(QRect((i + 1) * size, 9 * size, size, size / 2), Qt::AlignCenter,
                     QString(QChar(fileLabel(i, whiteAtBottomValue))));
    painter.drawText(QRect(size / 2, (8 - i) * size, size / 2, size), Qt::AlignCenter,
                     QString(QChar(rankLabel(i, whiteAtBottomValue))));
  }
  painter.restore();
}

void CDovrelView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Base));
  // The painter is clipped to the area to repaint; the image carries its ratio.
  painter.drawImage(boardOrigin(), renderBoard());
}

void CDovrelView::showEvent(QShowEvent*) {
  if (const QWindow* handle = window()->windowHandle())
    connect(handle, &QWindow::screenChanged, this, qOverload<>(&QWidget::update), Qt::UniqueConnection);
}

void CDovrelView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint() - boardOrigin();
  if (event->button() == Qt::LeftButton) {
    // Only a first click may become a drag of the piece it picks.
    pressed = awaitingFirstClick;
    dragging = false;
    pressPoint = at;
    emit squareClicked(clickedSquare(at.x(), at.y(), squareSizeValue, whiteAtBottomValue));
  } else if (event->button() == Qt::RightButton) {
    const std::string text = squareInfoText(at.x(), at.y(), squareSizeValue, whiteAtBottomValue);
    showMessage(QMessageBox::Information, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), this);
  }
}

void CDovrelView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed || awaitingFirstClick || !isValidSquare(fromSquare)) return;
  const QPoint at = event->position().toPoint() - boardOrigin();
  if (!dragging && (at - pressPoint).manhattanLength() < QApplication::startDragDistance()) return;
  const bool hasPiece = boardToShow().squares[fromSquare] != EMPTY;
  if (!hasPiece) return;
  dragging = true;
  dragPoint = at;
  update();
}

// A drop is the second click on a square the piece may go to; anywhere else
// the piece goes back and is no longer picked. Dropped on its own square it
// stays picked, as after a click.
void CDovrelView::mouseReleaseEvent(QMouseEvent* event) {
  const bool dropped = dragging;
  pressed = dragging = false;
  if (!dropped || event->button() != Qt::LeftButton) return;
  update();
  const QPoint at = event->position().toPoint() - boardOrigin();
  const Square target = clickedSquare(at.x(), at.y(), squareSizeValue, whiteAtBottomValue);
  if (target == fromSquare) return;
  const std::vector<Square> legal = legalDestinations(boardToShow(), fromSquare);
  if (std::find(legal.begin(), legal.end(), target) != legal.end())
    emit squareClicked(target);
  else
    emit pickCancelled();
}
