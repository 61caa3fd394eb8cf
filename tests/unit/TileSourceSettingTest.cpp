// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ScopedEnvironment.h"
#include "map/TileSourceSetting.h"
#include "platform/RegistryStore.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }
QT_END_NAMESPACE

namespace zv {
namespace {

class TileSourceSettingTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  RegistryStore store_{(dir_.path() + "/user.reg").toStdString(),
                       (dir_.path() + "/machine.reg").toStdString()};
  ScopedEnvironment noOverride_{TileSourceSetting::kUrlOverrideVariable, nullptr};
};

TEST_F(TileSourceSettingTest, NothingStoredMeansOpenStreetMapWithItsAttribution) {
  const TileSourceSetting setting = TileSourceSetting::Load(store_);
  EXPECT_EQ(setting.urlTemplate, "https://tile.openstreetmap.org/{z}/{x}/{y}.png");
  EXPECT_TRUE(setting.attribution.contains("OpenStreetMap"));
  EXPECT_EQ(setting.HostName(), "tile.openstreetmap.org");
  EXPECT_TRUE(setting.mbtilesFile.isEmpty());
}

TEST_F(TileSourceSettingTest, AStoredServerComesBackWithItsOwnAttribution) {
  TileSourceSetting setting = TileSourceSetting::Defaults();
  setting.urlTemplate = "https://{s}.tiles.example.com:8443/map/{z}/{x}/{y}.jpg?key=a%22b";
  setting.attribution = "© Example \"Maps\"";
  setting.subdomains = "1234";
  setting.maxZoom = 21;
  setting.mbtilesFile = "/home/u/지도/seoul.mbtiles";
  ASSERT_TRUE(setting.Save(store_));
  const TileSourceSetting back = TileSourceSetting::Load(store_);
  EXPECT_EQ(back.urlTemplate, setting.urlTemplate);
  EXPECT_EQ(back.attribution, setting.attribution);
  EXPECT_EQ(back.subdomains, "1234");
  EXPECT_EQ(back.maxZoom, 21);
  EXPECT_EQ(back.mbtilesFile, setting.mbtilesFile);
  EXPECT_EQ(back.HostName(), "tiles.example.com");
}

TEST_F(TileSourceSettingTest, UnusableStoredValuesFallBackToTheDefaults) {
  TileSourceSetting setting = TileSourceSetting::Defaults();
  setting.urlTemplate = "ftp://example.com/{z}/{x}/{y}.png";
  setting.attribution = "";
  setting.maxZoom = 40;
  ASSERT_TRUE(setting.Save(store_));
  const TileSourceSetting back = TileSourceSetting::Load(store_);
  EXPECT_EQ(back.urlTemplate, TileSourceSetting::Defaults().urlTemplate);
  EXPECT_EQ(back.attribution, TileSourceSetting::Defaults().attribution);
  EXPECT_EQ(back.maxZoom, 19);
  for (const char* url : {"https://example.com/{z}/{x}.png", "https://example.com/{z}/{x}/{y}/{key}.png",
                          "example.com/{z}/{x}/{y}.png", "https:///{z}/{x}/{y}.png"})
    EXPECT_FALSE(TileSourceSetting::IsUsableUrlTemplate(url)) << url;
  EXPECT_TRUE(TileSourceSetting::IsUsableUrlTemplate("http://127.0.0.1:8080/{z}/{x}/{y}{r}.png"));
}

TEST_F(TileSourceSettingTest, TheEnvironmentOverridesTheUrlForOneRunOnly) {
  const TileSourceSetting stored = TileSourceSetting::Load(store_);
  {
    ScopedEnvironment url(TileSourceSetting::kUrlOverrideVariable, "http://127.0.0.1:9000/{z}/{x}/{y}.png");
    const TileSourceSetting run = stored.WithEnvironmentOverride();
    EXPECT_EQ(run.urlTemplate, "http://127.0.0.1:9000/{z}/{x}/{y}.png");
    EXPECT_EQ(run.attribution, stored.attribution);
  }
  ScopedEnvironment bad(TileSourceSetting::kUrlOverrideVariable, "not a url");
  EXPECT_EQ(stored.WithEnvironmentOverride().urlTemplate, stored.urlTemplate);
  EXPECT_EQ(TileSourceSetting::Load(store_).urlTemplate, stored.urlTemplate);
}

}  // namespace
}  // namespace zv
