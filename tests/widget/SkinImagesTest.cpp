// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <vector>

#include "skin/CMemoryDC.h"
#include "skin/SkinImages.h"

namespace {

struct PictureSize {
  SkinImageId first;
  SkinImageId last;
  QSize size;
};

// Every bitmap picture the windows draw, grouped by size.
const std::vector<PictureSize> kBitmaps = {
    {148, 148, {128, 158}},     {1034, 1034, {547, 9}},     {1036, 1036, {11, 22}},
    {1040, 1040, {66, 9}},      {1042, 1042, {13, 13}},     {1044, 1044, {720, 421}},
    {1055, 1055, {3, 7}},       {1056, 1056, {163, 33}},    {1057, 1057, {100, 33}},
    {18101, 18103, {30, 24}},   {18111, 18113, {30, 24}},   {18121, 18123, {30, 24}},
    {19171, 19174, {32, 32}},   {19181, 19184, {32, 32}},   {19191, 19198, {32, 32}},
    {19201, 19204, {32, 32}},   {19211, 19214, {32, 32}},   {19251, 19253, {32, 32}},
    {19221, 19224, {24, 24}},   {19231, 19234, {24, 24}},   {19241, 19244, {24, 24}},
    {19261, 19263, {43, 23}},   {19271, 19273, {43, 23}},   {19281, 19283, {43, 23}},
    {19291, 19293, {43, 23}},   {20031, 20032, {43, 19}},   {20041, 20042, {43, 19}},
    {20051, 20052, {43, 19}},   {20001, 20002, {70, 21}},   {20011, 20011, {124, 38}},
    {20012, 20012, {6, 18}},    {20014, 20023, {10, 18}},
};

TEST(SkinImagesTest, EveryBitmapIsThereAtItsSizeWithoutAlpha) {
  for (const PictureSize& group : kBitmaps) {
    for (SkinImageId id = group.first; id <= group.last; ++id) {
      SCOPED_TRACE(id);
      ASSERT_TRUE(HasBitmapResource(id));
      const QPixmap picture = BitmapResource(id);
      EXPECT_EQ(picture.size(), group.size);
      EXPECT_FALSE(picture.hasAlphaChannel());
    }
  }
}

TEST(SkinImagesTest, TopBarPicturesArePngsWithAlphaAndTheIconIsThere) {
  for (SkinImageId id : {19101, 19103, 19111, 19113, 19114, 19124, 19131, 19133, 19134, 19141,
                         19143, 19151, 19153, 19161, 19163}) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(HasPngResource(id));
    EXPECT_FALSE(HasBitmapResource(id));
    const QPixmap picture = PngResource(id);
    EXPECT_EQ(picture.size(), QSize(32, 31));
    EXPECT_TRUE(picture.hasAlphaChannel());
  }
  const QImage icon(":/skin/icon/128.png");
  EXPECT_EQ(icon.size(), QSize(128, 128));
  EXPECT_FALSE(HasBitmapResource(99999));
  EXPECT_TRUE(BitmapResource(99999).isNull());
}

TEST(SkinImagesTest, DigitsAreDrawnInColourOnWhite) {
  for (SkinImageId id = 20012; id <= 20023; ++id) {
    if (id == 20013) continue;
    SCOPED_TRACE(id);
    const QImage digit = BitmapResource(id).toImage();
    int white = 0, ink = 0;
    QSet<QRgb> inks;  // one ink colour: no blended pixels at the edges of the key
    for (int y = 0; y < digit.height(); ++y) {
      for (int x = 0; x < digit.width(); ++x) {
        const QRgb pixel = digit.pixel(x, y) & 0xFFFFFF;
        (pixel == 0xFFFFFF ? white : ink)++;
        if (pixel != 0xFFFFFF) inks.insert(pixel);
      }
    }
    EXPECT_EQ(inks.size(), 1);
    EXPECT_EQ(digit.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GT(white, ink);
    EXPECT_GT(ink, 3);
  }
}

TEST(SkinImagesTest, ColourKeyLeavesWhitePixelsOutAndPartsCopyWithoutStretching) {
  const QImage digit = BitmapResource(20015).toImage();
  QImage canvas(10, 18, QImage::Format_RGB32);
  canvas.fill(QColor(1, 2, 3));
  {
    QPainter painter(&canvas);
    DrawBitmapResource(painter, 20015, 0, 0, 10, 18, true, Qt::white);
  }
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 10; ++x) {
      const QRgb source = digit.pixel(x, y) & 0xFFFFFF;
      const QRgb expected = source == 0xFFFFFF ? qRgb(1, 2, 3) & 0xFFFFFF : source;
      EXPECT_EQ(canvas.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
    }
  }
  // The 32 x 8 area at (0, 9) of the title strip, copied to (0, 0).
  const QImage strip = BitmapResource(1057).toImage();
  QImage part(40, 10, QImage::Format_RGB32);
  part.fill(Qt::red);
  {
    QPainter painter(&part);
    DrawBitmapPart(painter, 1057, 0, 0, 32, 8, 0, 9);
  }
  EXPECT_EQ(part.pixel(5, 0), strip.pixel(5, 9));
  EXPECT_EQ(part.pixel(31, 7), strip.pixel(31, 16));
  EXPECT_EQ(part.pixel(32, 0), QColor(Qt::red).rgb());
  EXPECT_EQ(part.pixel(5, 8), QColor(Qt::red).rgb());
}

TEST(SkinImagesTest, MemorySurfaceIsCreatedOnceAndCopiedWhole) {
  CMemoryDC memory;
  ASSERT_TRUE(memory.Create(QSize(20, 10)));
  EXPECT_FALSE(memory.Create(QSize(20, 10)));
  memory.Painter().fillRect(0, 0, 20, 10, Qt::green);
  QImage target(30, 30, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QPainter painter(&target);
    memory.CopyTo(painter, 5, 5);
  }
  EXPECT_EQ(target.pixel(5, 5), QColor(Qt::green).rgb());
  EXPECT_EQ(target.pixel(24, 14), QColor(Qt::green).rgb());
  EXPECT_EQ(target.pixel(25, 14), QColor(Qt::black).rgb());
  CMemoryDC empty;
  EXPECT_FALSE(empty.Create(QSize(0, 10)));
}

}  // namespace
