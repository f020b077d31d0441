#include "termination_signals.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtTest/QTest>
#include <csignal>

namespace {

// The signals reach the event loop, once however many come; without the
// watcher they end the program again.
TEST(TerminationSignals, ReachTheEventLoopOnce) {
  int ended = 0;
  {
    const TTerminationSignals watcher([&ended] { ++ended; });
    std::raise(SIGHUP);
    std::raise(SIGTERM);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(QTest::qWaitFor([&ended] { return ended > 0; }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(ended, 1);
  }
  struct sigaction now = {};
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

}  // namespace
