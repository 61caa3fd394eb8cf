// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QStandardPaths>
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

struct FormatResult {
  int finished = 0;
  bool succeeded = false;
  QString report;
};

// Starts a format and waits for its end.
FormatResult RunFormat(zv::UDisksCardFormatter& formatter) {
  FormatResult result;
  QObject::connect(&formatter, &zv::ICardFormatter::Finished, [&](bool ok, const QString& text) {
    ++result.finished;
    result.succeeded = ok;
    result.report = text;
  });
  formatter.Start("VARNI");
  EXPECT_TRUE(QTest::qWaitFor([&] { return result.finished > 0; }, 30000));
  QTest::qWait(50);
  return result;
}

// A device udisks does not know (or no system bus at all) ends in one failed
// Finished signal with the service's error, without touching any disk.
TEST(UDisksCardFormatterTest, ReportsAFailedCallOnce) {
  zv::UDisksCardFormatter formatter("/dev/zv-no-such-card");
  const FormatResult result = RunFormat(formatter);
  EXPECT_EQ(result.finished, 1);
  EXPECT_FALSE(result.succeeded);
  EXPECT_FALSE(result.report.isEmpty());
}

// The udisks2 service's block device object as a test stands in for it on
// a bus of its own: it keeps the calls and answers them.
class UDisksBlockStandIn : public QDBusVirtualObject {
 public:
  QStringList calls;
  QString mountError;  // the error Mount answers with; none when empty

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    // The member, its D-Bus signature, and the label among the options.
    QString call = message.interface() + "." + message.member() + " (" + message.signature() + ")";
    for (const QVariant& argument : message.arguments()) {
      if (argument.canConvert<QDBusArgument>())
        call += " label=" + qdbus_cast<QVariantMap>(argument).value("label").toString();
      else
        call += " " + argument.toString();
    }
    calls << call;
    if (message.member() == "Mount" && !mountError.isEmpty())
      return connection.send(message.createErrorReply("org.freedesktop.UDisks2.Error.Failed", mountError));
    const QVariantList reply = message.member() == "Mount" ? QVariantList{"/media/user/VARNI"} : QVariantList{};
    return connection.send(message.createReply(reply));
  }
};

// A private message bus with the stand-in registered as udisks2.
class UDisksStandInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
    bus_.start(daemon, {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(bus_.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(bus_.readLine()).trimmed();
    service_ = QDBusConnection::connectToBus(address, "udisks-stand-in");
    client_ = QDBusConnection::connectToBus(address, "viewer");
    ASSERT_TRUE(service_.isConnected() && client_.isConnected());
    ASSERT_TRUE(service_.registerService("org.freedesktop.UDisks2"));
    ASSERT_TRUE(service_.registerVirtualObject("/org/freedesktop/UDisks2/block_devices/zvcard", &block_));
  }
  void TearDown() override {
    QDBusConnection::disconnectFromBus("udisks-stand-in");
    QDBusConnection::disconnectFromBus("viewer");
    bus_.kill();
    bus_.waitForFinished();
  }

  QProcess bus_;
  QDBusConnection service_{QString()}, client_{QString()};
  UDisksBlockStandIn block_;
};

// Unmount, format with the label, and mount again: the card is usable at
// once, and the report says where it is.
TEST_F(UDisksStandInTest, FormatsAndMountsTheCardAgain) {
  zv::UDisksCardFormatter formatter("/dev/zvcard", nullptr, client_);
  const FormatResult result = RunFormat(formatter);
  EXPECT_EQ(block_.calls.join('\n').toStdString(),
            "org.freedesktop.UDisks2.Filesystem.Unmount (a{sv}) label=\n"
            "org.freedesktop.UDisks2.Block.Format (sa{sv}) vfat label=VARNI\n"
            "org.freedesktop.UDisks2.Filesystem.Mount (a{sv}) label=");
  EXPECT_EQ(result.finished, 1);
  EXPECT_TRUE(result.succeeded);
  EXPECT_TRUE(result.report.endsWith("마운트: /media/user/VARNI")) << result.report.toStdString();
}

// The format itself succeeded; the report says that the card is not mounted.
TEST_F(UDisksStandInTest, AFailedMountIsReported) {
  block_.mountError = "no mount for you";
  zv::UDisksCardFormatter formatter("/dev/zvcard", nullptr, client_);
  const FormatResult result = RunFormat(formatter);
  EXPECT_TRUE(result.succeeded);
  EXPECT_TRUE(result.report.contains("카드를 다시 마운트하지 못했습니다."));
  EXPECT_TRUE(result.report.contains("no mount for you"));
}

}  // namespace
