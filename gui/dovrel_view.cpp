#include "dovrel_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "board_geometry.h"
#include "driver/game.h"
#include "font_glyphs.h"
#include "message_sink.h"

namespace {

const QColor TEXT_COLOUR(0, 0, 0);
const QColor SELECTED_COLOUR(0, 0, 255);

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

void CDovrelView::flip() {
  whiteAtBottomValue = !whiteAtBottomValue;
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
  updateGeometry();
  repaint();
  emit clientSizeWanted(desiredClientSize());
}

void CDovrelView::browseBack() {
  browseIndexValue = ::browseBack(browseIndexValue, historySize());
  update();
}

void CDovrelView::browseForward() {
  browseIndexValue = ::browseForward(browseIndexValue, historySize());
  update();
}

void CDovrelView::browseLive() {
  browseIndexValue = -1;
  update();
}

void CDovrelView::browseTo(int entry) {
  browseIndexValue = entry >= historySize() - 1 ? -1 : entry;
  update();
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
CBoard CDovrelView::boardToShow() const {
  return game.read([this](const Game& shown) -> CBoard {
    int index = effectiveBrowseIndex(browseIndexValue, static_cast<int>(shown.history.size()));
    if (index == -1) return shown.position;
    return shown.history[static_cast<std::size_t>(index)];
  });
}

QImage CDovrelView::renderBoard() const {
  const int size = squareSizeValue;
  QImage image(BOARD_CELLS * size, BOARD_CELLS * size, QImage::Format_RGB32);
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

  const CBoard board = boardToShow();
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
      drawGlyph(c + 1, row, fontGlyph(board.squares[square], square, name));
      painter.setPen(TEXT_COLOUR);
    }
    drawGlyph(9, row, fontGlyph(FramePart::Right, name));
  }
  drawGlyph(0, 9, fontGlyph(FramePart::BottomLeft, name));
  for (int c = 1; c <= 8; ++c) drawGlyph(c, 9, fontGlyph(FramePart::Bottom, name));
  drawGlyph(9, 9, fontGlyph(FramePart::BottomRight, name));
  return image;
}

void CDovrelView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().color(QPalette::Base));
  const QImage board = renderBoard();
  const QRect placed = board.rect().translated(boardOrigin());
  const QRect area = event->rect().intersected(placed);
  if (!area.isEmpty()) painter.drawImage(area.topLeft(), board, area.translated(-boardOrigin()));
}

void CDovrelView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint() - boardOrigin();
  if (event->button() == Qt::LeftButton) {
    if (effectiveBrowseIndex(browseIndexValue, historySize()) != -1) return;
    emit squareClicked(clickedSquare(at.x(), at.y(), squareSizeValue, whiteAtBottomValue));
  } else if (event->button() == Qt::RightButton) {
    const std::string text = squareInfoText(at.x(), at.y(), squareSizeValue, whiteAtBottomValue);
    showMessage(QMessageBox::Information, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), this);
  }
}
