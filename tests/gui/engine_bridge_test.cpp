#include "engine_bridge.h"

#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(EngineBridge, LinesFromTheWorkerArriveOnceAndInOrderUnderABurst) {
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

}  // namespace
