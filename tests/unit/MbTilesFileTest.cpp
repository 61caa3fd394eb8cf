// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include "MbTilesTestFiles.h"
#include "map/MbTilesFile.h"

namespace zv {
namespace {

using test::kPngBytes;
using test::WriteMbTiles;

QByteArray Digest(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class MbTilesFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString Path(const char* name) { return dir_.filePath(name); }
};

TEST_F(MbTilesFileTest, TilesAreFoundByWebMapRowsAndTheFileIsOnlyRead) {
  const QString path = Path("seoul.mbtiles");
  // Zoom 2 has rows 0..3: web-map row 1 is stored as row 2.
  WriteMbTiles(path,
               {{"name", "Seoul"}, {"format", "png"}, {"bounds", "126.9,37.5,127.1,37.6"},
                {"minzoom", "2"}, {"maxzoom", "14"}, {"attribution", "© somebody"}},
               {{2, 3, 2, kPngBytes}, {2, 3, 1, "\xff\xd8\xff-jpeg"}});
  const QByteArray before = Digest(path);
  QString error;
  auto file = MbTilesFile::Open(path, &error);
  ASSERT_TRUE(file) << error.toStdString();
  EXPECT_EQ(file->Name(), "Seoul");
  EXPECT_EQ(file->Attribution(), "© somebody");
  EXPECT_EQ(file->MinZoom(), 2);
  EXPECT_EQ(file->MaxZoom(), 14);
  EXPECT_DOUBLE_EQ(file->Bounds().west, 126.9);
  EXPECT_DOUBLE_EQ(file->Bounds().north, 37.6);
  EXPECT_EQ(file->Tile(2, 3, 1), kPngBytes);
  EXPECT_EQ(MbTilesFile::PictureType(file->Tile(2, 3, 2)), "image/jpeg");
  EXPECT_TRUE(file->Tile(2, 0, 0).isEmpty());
  EXPECT_TRUE(file->Tile(2, 4, 1).isEmpty());  // outside the zoom's grid
  EXPECT_TRUE(file->Tile(-1, 0, 0).isEmpty());
  EXPECT_TRUE(file->Tile(40, 0, 0).isEmpty());
  file.reset();
  EXPECT_EQ(Digest(path), before);
}

TEST_F(MbTilesFileTest, MissingMetadataIsTakenFromTheTilesAndTheFileName) {
  const QString path = Path("my-area.mbtiles");
  WriteMbTiles(path, {}, {{5, 1, 1, kPngBytes}, {9, 1, 1, kPngBytes}}, false);
  auto file = MbTilesFile::Open(path, nullptr);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Name(), "my-area");
  EXPECT_EQ(file->MinZoom(), 5);
  EXPECT_EQ(file->MaxZoom(), 9);
  EXPECT_DOUBLE_EQ(file->Bounds().west, -180);
  // Bounds that are no box fall back to the whole world too.
  WriteMbTiles(Path("odd.mbtiles"), {{"bounds", "10,20,5,30"}, {"minzoom", "x"}}, {{3, 0, 0, kPngBytes}});
  file = MbTilesFile::Open(Path("odd.mbtiles"), nullptr);
  ASSERT_TRUE(file);
  EXPECT_DOUBLE_EQ(file->Bounds().east, 180);
  EXPECT_EQ(file->MinZoom(), 3);
}

TEST_F(MbTilesFileTest, UnusableFilesAreRefusedWithAReason) {
  QString error;
  EXPECT_FALSE(MbTilesFile::Open(Path("missing.mbtiles"), &error));
  EXPECT_FALSE(error.isEmpty());

  QFile text(Path("text.mbtiles"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write(QByteArray(4096, 'x'));
  text.close();
  error.clear();
  EXPECT_FALSE(MbTilesFile::Open(text.fileName(), &error));
  EXPECT_FALSE(error.isEmpty());

  // A database cut short, as by a copy that failed half-way.
  WriteMbTiles(Path("whole.mbtiles"), {{"name", "x"}}, {{1, 0, 0, QByteArray(20000, 'p')}});
  QFile whole(Path("whole.mbtiles"));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  QFile cut(Path("cut.mbtiles"));
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  cut.write(whole.read(whole.size() / 3));
  cut.close();
  if (auto file = MbTilesFile::Open(cut.fileName(), &error)) {
    EXPECT_TRUE(file->Tile(1, 0, 0).isEmpty());
  }

  const QString noTiles = Path("no-tiles.mbtiles");
  WriteMbTiles(noTiles, {{"name", "x"}}, {});
  error.clear();
  EXPECT_FALSE(MbTilesFile::Open(noTiles, &error));
  EXPECT_EQ(error, "it holds no tiles");

  const QString vector = Path("vector.mbtiles");
  WriteMbTiles(vector, {{"format", "pbf"}}, {{0, 0, 0, "\x1f\x8b"}});
  EXPECT_FALSE(MbTilesFile::Open(vector, &error));
  EXPECT_TRUE(error.contains("vector"));
}

}  // namespace
}  // namespace zv
