// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "config/ViewerRegistrySettings.h"
#include "platform/RegistryStore.h"

namespace zv {
namespace {

TEST(ViewerRegistrySettingsTest, DefaultsThenValuesKeptInTheUsersStore) {
  QTemporaryDir dir;
  const std::string user = (dir.path() + "/user/current-user.reg").toStdString();
  RegistryStore store(user, (dir.path() + "/machine/local-machine.reg").toStdString());
  ViewerRegistrySettings settings(store);
  EXPECT_FALSE(settings.GroupByTrip());
  EXPECT_EQ(settings.EventThresholdCentiG(), 50u);
  EXPECT_TRUE(settings.SetGroupByTrip(true));
  EXPECT_TRUE(settings.SetEventThresholdCentiG(100000));  // held to ±2 g of each of three axes
  // A second store over the same files reads them back.
  RegistryStore again(user, (dir.path() + "/machine/local-machine.reg").toStdString());
  EXPECT_TRUE(ViewerRegistrySettings(again).GroupByTrip());
  EXPECT_EQ(ViewerRegistrySettings(again).EventThresholdCentiG(), ViewerRegistrySettings::kLargestEventThreshold);
  QFile file(QString::fromStdString(user));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("[Software/ZorvaneViewer/Viewer]"));
}

}  // namespace
}  // namespace zv
