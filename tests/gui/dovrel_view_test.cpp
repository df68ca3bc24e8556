#include "dovrel_view.h"

#include <QFontDatabase>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <mutex>

#include "board_geometry.h"
#include "driver/game.h"
#include "message_sink.h"

namespace {

// The Game after "new" and the given plies (from, to), played without checks.
void newGameWith(std::initializer_list<std::pair<int, int>> plies) {
  Game& game = Game::instance();
  std::lock_guard lock(game.mutex());
  game.startNewGame();
  game.restartHistory();
  for (auto [from, to] : plies) game.playMove(Move(from, to, game.position.squares[from], game.position.squares[to], EMPTY));
}

QPoint cellCentre(int column, int row, int size) { return {column * size + size / 2, row * size + size / 2}; }

// Pixels of exactly this colour inside one cell of the rendered board.
int countPixels(const QImage& image, int column, int row, int size, QRgb colour) {
  int count = 0;
  for (int y = row * size; y < (row + 1) * size; ++y)
    for (int x = column * size; x < (column + 1) * size; ++x)
      if (image.pixel(x, y) == colour) ++count;
  return count;
}

// Pixels darker than mid-grey inside one cell.
int countInk(const QImage& image, int column, int row, int size) {
  int count = 0;
  for (int y = row * size; y < (row + 1) * size; ++y)
    for (int x = column * size; x < (column + 1) * size; ++x)
      if (qGray(image.pixel(x, y)) < 128) ++count;
  return count;
}

class DovrelViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* file : {"CHEQ_TT0.TTF", "merida.ttf"})
      fontIds << QFontDatabase::addApplicationFont(QStringLiteral(KELVO_RUN_DIR "/") + file);
  }
  static void TearDownTestSuite() {
    for (int id : fontIds) QFontDatabase::removeApplicationFont(id);
    fontIds.clear();
  }
  void SetUp() override {
    newGameWith({});
    setMessageSink([this](QMessageBox::Icon, const QString&, const QString& text) { boxes << text; });
  }
  void TearDown() override { setMessageSink({}); }

  static inline QList<int> fontIds;
  CDovrelView view;
  QStringList boxes;
};

TEST_F(DovrelViewTest, FontsAreThere) { EXPECT_FALSE(fontIds.contains(-1)); }

TEST_F(DovrelViewTest, StartsAt420PixelsWithWhiteAtTheBottom) {
  EXPECT_EQ(view.sizeHint(), QSize(420, 420));
  EXPECT_EQ(view.renderBoard().size(), QSize(420, 420));
  EXPECT_TRUE(view.whiteAtBottom());
  EXPECT_EQ(view.browseIndex(), -1);
}

TEST_F(DovrelViewTest, ThreeTimesLargerAsksFor550By495) {
  QSignalSpy spy(&view, &CDovrelView::clientSizeWanted);
  view.larger();
  view.larger();
  view.larger();
  EXPECT_EQ(view.squareSize(), 45);
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy.last().at(0).toSize(), QSize(550, 495));
  EXPECT_EQ(view.desiredClientSize(), QSize(550, 495));
  EXPECT_EQ(view.sizeHint(), QSize(450, 450));
  view.smaller();
  EXPECT_EQ(spy.last().at(0).toSize(), QSize(540, 484));
}

TEST_F(DovrelViewTest, SmallerStopsAtTheLowerBound) {
  for (int i = 0; i < 100; ++i) view.smaller();
  EXPECT_EQ(view.squareSize(), MIN_SQUARE_SIZE);
  view.resize(view.sizeHint());
  QSignalSpy clicks(&view, &CDovrelView::squareClicked);
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(1, 8, MIN_SQUARE_SIZE));
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), A1);
}

TEST_F(DovrelViewTest, LeftClickReportsTheSquareInEitherOrientation) {
  view.resize(420, 420);
  QSignalSpy clicks(&view, &CDovrelView::squareClicked);
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(5, 5, 42));
  view.flip();
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(1, 1, 42));
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(0, 0, 42));
  ASSERT_EQ(clicks.count(), 3);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), parseSquare("e4"));
  EXPECT_EQ(clicks.at(1).at(0).toInt(), parseSquare("h1"));
  EXPECT_EQ(clicks.at(2).at(0).toInt(), parseSquare("i0"));  // frame: passed on unchanged
}

TEST_F(DovrelViewTest, ClicksWhileBrowsingSendNothing) {
  newGameWith({{parseSquare("e2"), parseSquare("e4")}, {parseSquare("e7"), parseSquare("e5")}});
  view.resize(420, 420);
  QSignalSpy clicks(&view, &CDovrelView::squareClicked);
  view.browseBack();
  EXPECT_EQ(view.browseIndex(), 1);
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(5, 5, 42));
  EXPECT_EQ(clicks.count(), 0);
  // The right button still tells the square.
  QTest::mouseClick(&view, Qt::RightButton, {}, cellCentre(5, 5, 42));
  EXPECT_EQ(boxes, QStringList{"52 e4"});
  view.browseLive();
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(5, 5, 42));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(DovrelViewTest, IndexFromAnEarlierGameCountsAsLive) {
  newGameWith({{parseSquare("e2"), parseSquare("e4")}, {parseSquare("e7"), parseSquare("e5")},
               {parseSquare("g1"), parseSquare("f3")}});
  view.browseBack();
  EXPECT_EQ(view.browseIndex(), 2);
  newGameWith({});
  view.resize(420, 420);
  QSignalSpy clicks(&view, &CDovrelView::squareClicked);
  QTest::mouseClick(&view, Qt::LeftButton, {}, cellCentre(5, 5, 42));
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(DovrelViewTest, BrowsingShowsTheHistoryEntry) {
  newGameWith({{parseSquare("e2"), parseSquare("e4")}, {parseSquare("e7"), parseSquare("e5")}});
  view.setFontName("Regular");
  const QImage live = view.renderBoard();
  view.browseBack();  // after 1.e4
  const QImage afterE4 = view.renderBoard();
  view.browseForward();
  EXPECT_EQ(view.browseIndex(), -1);
  EXPECT_EQ(view.renderBoard(), live);
  EXPECT_NE(afterE4, live);
  // e5 (column 5, row 4) differs, e4 (column 5, row 5) does not
  const QRgb black = qRgb(0, 0, 0);
  EXPECT_NE(countPixels(afterE4, 5, 4, 42, black), countPixels(live, 5, 4, 42, black));
  EXPECT_EQ(countPixels(afterE4, 5, 5, 42, black), countPixels(live, 5, 5, 42, black));
}

TEST_F(DovrelViewTest, FirstClickedPieceIsBlueUntilTheSecondClick) {
  const QRgb blue = qRgb(0, 0, 255);
  const int e2 = parseSquare("e2");
  view.setFromSquare(e2);
  view.setAwaitingFirstClick(false);
  QImage image = view.renderBoard();
  EXPECT_GT(countPixels(image, 5, 7, 42, blue), 20);
  EXPECT_EQ(countPixels(image, 4, 7, 42, blue), 0);
  view.flip();  // e2 is now column 4 (h..a), row 2
  image = view.renderBoard();
  EXPECT_GT(countPixels(image, 4, 2, 42, blue), 20);
  view.setAwaitingFirstClick(true);
  image = view.renderBoard();
  EXPECT_EQ(countPixels(image, 4, 2, 42, blue), 0);
}

// Both faces draw a different picture of the start position; the pictures are
// kept beside the test as board_Regular.png and board_Merida.png.
TEST_F(DovrelViewTest, BothFacesDrawTheStartPosition) {
  QImage pictures[2];
  const char* names[2] = {"Regular", "Merida"};
  for (int i = 0; i < 2; ++i) {
    view.setFontName(names[i]);
    pictures[i] = view.renderBoard();
    pictures[i].save(QStringLiteral("board_%1.png").arg(names[i]));
    // empty d4 (column 4, row 5) is dark, empty e4 light; the white king
    // on dark e1 keeps some hatching around it
    const int darkEmpty = countInk(pictures[i], 4, 5, 42);
    EXPECT_GT(darkEmpty, 42 * 42 / 5) << names[i];
    EXPECT_EQ(countInk(pictures[i], 5, 5, 42), 0) << names[i];
    EXPECT_GT(countInk(pictures[i], 5, 8, 42), darkEmpty / 4) << names[i];
    EXPECT_EQ(countInk(pictures[i], 4, 5, 42), countInk(pictures[i], 1, 4, 42)) << names[i];  // d4, a5 alike
  }
  EXPECT_NE(pictures[0], pictures[1]);
  view.setFontName("Other");
  EXPECT_NE(view.renderBoard(), pictures[0]);
}

}  // namespace
