// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "MbTilesTestFiles.h"
#include "map/MapTileSources.h"

namespace zv {
namespace {

using test::kPngBytes;
using test::WriteMbTiles;

TEST(MapTileSourcesTest, TheChosenFileComesFirstThenTheDataFolderByName) {
  QTemporaryDir dir;
  const QString data = dir.filePath("data");
  QDir().mkpath(data);
  WriteMbTiles(data + "/b.mbtiles", {{"name", "B"}}, {{1, 0, 0, kPngBytes}});
  WriteMbTiles(data + "/a.mbtiles", {{"name", "A"}}, {{1, 1, 0, kPngBytes}});
  WriteMbTiles(dir.filePath("chosen.mbtiles"), {{"name", "Chosen"}}, {{1, 0, 1, kPngBytes}});
  QFile broken(data + "/c.mbtiles");
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a database, not even close to one");
  broken.close();

  TileSourceSetting setting = TileSourceSetting::Defaults();
  setting.mbtilesFile = dir.filePath("chosen.mbtiles");
  MapTileSources sources;
  sources.Load(setting, data);
  QStringList names;
  for (const MbTilesFile* file : sources.OfflineFiles()) names << file->Name();
  EXPECT_EQ(names, (QStringList{"Chosen", "A", "B"}));
  ASSERT_EQ(sources.Problems().size(), 1);
  EXPECT_TRUE(sources.Problems()[0].startsWith(data + "/c.mbtiles: "));

  const QJsonObject config = QJsonDocument::fromJson(sources.PageConfigJson("zvmap://map")).object();
  EXPECT_EQ(config["online"]["url"].toString(), setting.urlTemplate);
  const QJsonArray offline = config["offline"].toArray();
  ASSERT_EQ(offline.size(), 3);
  EXPECT_EQ(offline[1]["url"].toString(), "zvmap://map/tiles/1/{z}/{x}/{y}");
  // The chosen file's tile (column 0, stored row 1 = web-map row 0).
  EXPECT_EQ(sources.TileForPath("/tiles/0/1/0/0"), kPngBytes);
  EXPECT_EQ(sources.TileForPath("/tiles/1/1/1/1"), kPngBytes);
  for (const char* path : {"/tiles/7/1/0/0", "/tiles/0/1/0", "/tiles/x/1/0/0", "/Map.htm", "/tiles/0/1/0/0/1"})
    EXPECT_TRUE(sources.TileForPath(path).isEmpty()) << path;

  // Loading again gives new ids: tiles of the old load are not served.
  sources.Load(setting, data);
  EXPECT_TRUE(sources.TileForPath("/tiles/0/1/0/0").isEmpty());
  EXPECT_EQ(sources.TileForPath("/tiles/3/1/0/0"), kPngBytes);
}

}  // namespace
}  // namespace zv
