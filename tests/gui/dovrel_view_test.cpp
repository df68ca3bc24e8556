#include "board/dovrel_view.h"

#include <QFontDatabase>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

#include "board/board_geometry.h"
#include "common/message_sink.h"
#include "driver/game.h"
#include "game_after.h"

namespace {

// Pixels inside one 42-pixel cell of the rendered board that pass `test`.
int countPixels(const QImage& image, int column, int row, const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int y = row * 42; y < (row + 1) * 42; ++y)
    for (int x = column * 42; x < (column + 1) * 42; ++x) count += test(image.pixel(x, y));
  return count;
}
const auto isInk = [](QRgb pixel) { return qGray(pixel) < 128; };
const auto isBlue = [](QRgb pixel) { return pixel == qRgb(0, 0, 255); };

class DovrelViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* file : {"CHEQ_TT0.TTF", "merida.ttf"})
      QFontDatabase::addApplicationFont(QStringLiteral(KELVO_RUN_DIR "/") + file);
  }
  void SetUp() override {
    newGameWith({});
    setMessageSink([this](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
    view.resize(420, 420);
  }
  void TearDown() override { setMessageSink({}); }
  void click(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&view, button, {}, QPoint(column * 42 + 21, row * 42 + 21));
  }

  CDovrelView view{Game::instance()};
  QStringList boxes;
};

TEST_F(DovrelViewTest, ResizingAsksForTheClientAreaWithinBounds) {
  QSignalSpy spy(&view, &CDovrelView::clientSizeWanted);
  for (int i = 0; i < 3; ++i) view.larger();
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy.last().at(0).toSize(), QSize(550, 495));
  view.smaller();
  EXPECT_EQ(spy.last().at(0).toSize(), QSize(540, 484));
  for (int i = 0; i < 100; ++i) view.smaller();
  EXPECT_EQ(view.squareSize(), MIN_SQUARE_SIZE);
}

// A browsed position takes clicks too: a move played there starts a variation.
TEST_F(DovrelViewTest, LeftClicksReportTheSquareBrowsedOrLive) {
  newGameWith({"e2e4", "e7e5"});
  QSignalSpy clicks(&view, &CDovrelView::squareClicked);
  view.browseBack();
  click(5, 5);
  EXPECT_EQ(clicks.count(), 1);
  click(5, 5, Qt::RightButton);  // still tells the square
  EXPECT_EQ(boxes, QStringList{"52 e4"});
  view.browseLive();
  view.flip();
  click(1, 1);
  ASSERT_EQ(clicks.count(), 2);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), parseSquare("e4"));
  EXPECT_EQ(clicks.at(1).at(0).toInt(), parseSquare("h1"));
}

TEST_F(DovrelViewTest, BrowsingShowsTheHistoryEntry) {
  newGameWith({"e2e4"});
  const QImage afterE4 = view.renderBoard();
  newGameWith({"e2e4", "e7e5"});
  const QImage live = view.renderBoard();
  EXPECT_NE(live, afterE4);
  view.browseBack();
  EXPECT_EQ(view.renderBoard(), afterE4);
  view.browseForward();
  EXPECT_EQ(view.renderBoard(), live);
}

TEST_F(DovrelViewTest, FirstClickedPieceIsBlueUntilTheSecondClick) {
  view.setFromSquare(parseSquare("e2"));
  view.setAwaitingFirstClick(false);
  EXPECT_GT(countPixels(view.renderBoard(), 5, 7, isBlue), 20);
  EXPECT_EQ(countPixels(view.renderBoard(), 4, 7, isBlue), 0);
  view.setAwaitingFirstClick(true);
  EXPECT_EQ(countPixels(view.renderBoard(), 5, 7, isBlue), 0);
}

// Each face draws its own picture; empty d4 (column 4, row 5) is hatched dark, empty e4 light.
TEST_F(DovrelViewTest, BothFacesDrawTheStartPosition) {
  const QImage regular = view.renderBoard();
  view.setFontName("Merida");
  EXPECT_NE(view.renderBoard(), regular);
  for (const QImage& picture : {regular, view.renderBoard()}) {
    EXPECT_GT(countPixels(picture, 4, 5, isInk), 42 * 42 / 5);
    EXPECT_EQ(countPixels(picture, 5, 5, isInk), 0);
  }
}

// The board is drawn in the screen's own pixels and painted whole at its
// logical size; the scaled run of this test sets QT_SCALE_FACTOR=2.
TEST_F(DovrelViewTest, TheBoardIsDrawnAtTheScreensPixelRatio) {
  const qreal ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
  ASSERT_EQ(view.devicePixelRatioF(), ratio);
  const QImage board = view.renderBoard();
  EXPECT_EQ(board.devicePixelRatio(), ratio);
  EXPECT_EQ(board.size(), QSize(420, 420) * ratio);
  EXPECT_EQ(board.deviceIndependentSize(), QSizeF(420, 420));
  EXPECT_EQ(view.grab().toImage().convertToFormat(board.format()), board);
}

}  // namespace
