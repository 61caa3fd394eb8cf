#include <gtest/gtest.h>

#include <QtTest/QTest>


#include "platform/UDisksCardFormatter.h"

namespace {

TEST(UDisksCardFormatterTest, NamesTheUDisksObjectOfADevice) {
  using zv::UDisksCardFormatter;
  EXPECT_EQ(UDisksCardFormatter::ObjectPathOf("/dev/no-such_dev1"),
            "/org/freedesktop/UDisks2/block_devices/no_2dsuch_5fdev1");
  EXPECT_EQ(UDisksCardFormatter::ObjectPathOf("/dev/mmcblk9p1"),
            "/org/freedesktop/UDisks2/block_devices/mmcblk9p1");
}

// A device udisks does not know (or no system bus at all) ends in one failed
// Finished signal with the service's error, without touching any disk.
TEST(UDisksCardFormatterTest, ReportsAFailedCallOnce) {
  zv::UDisksCardFormatter formatter("/dev/zv-no-such-card");
  int finished = 0;
  bool succeeded = true;
  QString report;
  QObject::connect(&formatter, &zv::ICardFormatter::Finished, [&](bool ok, const QString& text) {
    ++finished;
    succeeded = ok;
    report = text;
  });
  formatter.Start("VARNI");
  ASSERT_TRUE(QTest::qWaitFor([&] { return finished > 0; }, 30000));
  QTest::qWait(50);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(succeeded);
  EXPECT_FALSE(report.isEmpty());
}

}  // namespace
