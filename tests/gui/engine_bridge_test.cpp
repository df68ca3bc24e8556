#include "engine/engine_bridge.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "book/opening_book.h"
#include "book/opening_names.h"
#include "engine/command_channel.h"
#include "engine/player_settings.h"

namespace {

TEST(EngineBridge, LinesFromTheWorkerArriveOnceAndInOrderUnderABurst) {
  EngineBridge bridge(EngineObjects::ofProcess());
  QStringList lines;
  QObject::connect(&bridge, &EngineBridge::lineArrived, [&lines](const QString& line) { lines << line; });
  constexpr int COUNT = 2000;
  std::thread writer([&bridge] {
    for (int i = 0; i < COUNT; ++i) bridge.lineWritten("line " + std::to_string(i));
  });
  writer.join();
  ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() >= COUNT; }, 10000));
  QCoreApplication::processEvents();
  ASSERT_EQ(lines.size(), COUNT);
  for (int i = 0; i < COUNT; ++i) ASSERT_EQ(lines[i], QStringLiteral("line %1").arg(i));
}

}  // namespace

namespace {

// A book read for the window runs on the worker while it waits; a command the
// window releases meanwhile is neither lost nor taken before the job ends.
TEST(EngineBridge, AJobRunsOnTheWorkerAndACommandReleasedMeanwhileWaitsForIt) {
  EngineBridge bridge(EngineObjects::ofProcess());
  QByteArray next = "new\n";
  QStringList taken;
  QObject::connect(&bridge, &EngineBridge::commandWanted, [&](QByteArray* buffer) {
    *buffer = next;
    taken << QString::fromLatin1(next.trimmed());
  });
  bridge.start();
  bridge.release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return taken.contains("new") && bridge.isIdle(); }, 60000));

  std::atomic<bool> started{false}, letGo{false}, onWindowThread{true};
  const std::thread::id window = std::this_thread::get_id();
  bridge.runWhileWaiting([&] {
    onWindowThread = std::this_thread::get_id() == window;
    started = true;
    while (!letGo) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 10000));
  EXPECT_FALSE(onWindowThread);
  EXPECT_FALSE(bridge.isIdle());
  next = "force\n";
  bridge.release();
  QTest::qWait(50);
  EXPECT_FALSE(taken.contains("force"));
  letGo = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return taken.contains("force") && bridge.isIdle(); }, 10000));
}

// Commands given while the worker is busy are all taken, in order, once it waits.
TEST(EngineBridge, CommandsGivenWhileTheWorkerIsBusyAreQueuedNotLost) {
  EngineBridge bridge(EngineObjects::ofProcess());
  CommandChannel channel(&bridge);
  QStringList taken;
  QObject::connect(&channel, &CommandChannel::taken, [&](const QStringList& lines) { taken << lines; });
  channel.send(QStringLiteral("new"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return taken.contains("new") && bridge.isIdle(); }, 60000));
  std::atomic<bool> started{false}, letGo{false};
  bridge.runWhileWaiting([&] {
    started = true;
    while (!letGo) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, 10000));
  for (const char* command : {"force", "e2e4\ne7e5", "ping 3"}) channel.send(QString::fromLatin1(command));
  EXPECT_EQ(channel.waiting(), 3);
  letGo = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return taken.contains("ping 3") && bridge.isIdle(); }, 10000));
  EXPECT_EQ(taken, (QStringList{"new", "force", "e2e4", "e7e5", "ping 3"}));
}

}  // namespace

namespace {

// Each new engine player asks for the book again: an unchanged file only puts
// it back in play, while a changed file, a cleared book or one appended to is
// read again.
TEST(BookReload, TheFileIsReadAgainOnlyWhenItOrTheBookChanged) {
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  auto write = [](const char* text) {
    QFile file(QString::fromLatin1(BOOK_FILE_NAME));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  };
  write("1. e4 e5 *\n");
  OpeningBook book;
  OpeningNames names;
  EXPECT_TRUE(reloadOpeningBook(BookLoad::Replace, book, names));
  const std::size_t entries = book.entryCount();
  EXPECT_GT(entries, 0u);
  book.leaveForThisGame();
  EXPECT_FALSE(reloadOpeningBook(BookLoad::Replace, book, names));
  EXPECT_TRUE(book.inPlay());
  EXPECT_EQ(book.entryCount(), entries);

  write("1. d4 d5 2. c4 *\n");
  std::filesystem::last_write_time(BOOK_FILE_NAME, std::filesystem::last_write_time(BOOK_FILE_NAME) +
                                                       std::chrono::seconds(5));
  EXPECT_TRUE(reloadOpeningBook(BookLoad::Replace, book, names));
  EXPECT_NE(book.entryCount(), entries);
  book.clearBook();
  EXPECT_TRUE(reloadOpeningBook(BookLoad::Replace, book, names));
  EXPECT_TRUE(reloadOpeningBook(BookLoad::Append, book, names));
  EXPECT_TRUE(reloadOpeningBook(BookLoad::Replace, book, names));
  QDir::setCurrent(previous);
}

}  // namespace
