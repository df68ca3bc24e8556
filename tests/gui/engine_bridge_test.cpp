#include "engine_bridge.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(EngineBridge, LinesFromAnotherThreadArriveOnceAndInOrder) {
  EngineBridge bridge;
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

TEST(EngineBridge, DebugTextIsHandledBeforeTheWorkerGoesOn) {
  EngineBridge bridge;
  QString received;
  QObject::connect(&bridge, &EngineBridge::debugTextArrived,
                   [&received](const QString& text, int colour) { received = text + QString::number(colour); });
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    bridge.debugText("Configuration file read.\n", 255);
    returned = true;
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return returned.load(); }, 5000));
  worker.join();
  EXPECT_EQ(received, QLatin1String("Configuration file read.\n255"));
}

TEST(EngineBridge, ActionsForAnIdleEngineWaitWhileItWorks) {
  EngineBridge bridge;
  bool ran = false;
  bridge.whenIdle([&ran] { ran = true; });
  EXPECT_TRUE(ran);  // not started: the Game is the window's
}

}  // namespace
