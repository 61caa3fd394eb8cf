// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinImages.h"

#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmapCache>

// Pulls the compiled-in pictures into the program (they live in a static
// library that nothing else references) and makes :/skin the last place the
// "skin" search path looks.
static void InitSkinResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(skin);
    QStringList paths = QDir::searchPaths("skin");
    if (!paths.contains(":/skin")) {
      paths.append(":/skin");
      QDir::setSearchPaths("skin", paths);
    }
    return true;
  }();
  (void)done;
}

namespace {

QString PicturePath(const char* kind, SkinImageId id) {
  InitSkinResources();
  return QString("skin:%1/%2.png").arg(kind).arg(id);
}

QPixmap LoadCached(const char* kind, SkinImageId id) {
  const QString key = QString("zvskin/%1/%2").arg(kind).arg(id);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  const QString path = PicturePath(kind, id);
  if (!QFile::exists(path) || !pixmap.load(path, "PNG")) return {};
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

// The bitmap with every pixel of the key colour made transparent.
QPixmap KeyedBitmap(SkinImageId id, QColor key) {
  const QString cacheKey = QString("zvskin/bmp/%1/key/%2").arg(id).arg(key.rgb(), 8, 16);
  QPixmap keyed;
  if (QPixmapCache::find(cacheKey, &keyed)) return keyed;
  keyed = BitmapResource(id);
  if (keyed.isNull()) return {};
  keyed.setMask(keyed.createMaskFromColor(key, Qt::MaskInColor));
  QPixmapCache::insert(cacheKey, keyed);
  return keyed;
}

void CopyArea(QPainter& painter, const QPixmap& pixmap, int x, int y, QRect source) {
  source = source.intersected(pixmap.rect());
  if (pixmap.isNull() || source.isEmpty()) return;
  painter.drawPixmap(QPoint(x, y), pixmap, source);
}

}  // namespace

bool HasBitmapResource(SkinImageId id) { return QFile::exists(PicturePath("bmp", id)); }

bool HasPngResource(SkinImageId id) { return QFile::exists(PicturePath("png", id)); }

QPixmap BitmapResource(SkinImageId id) { return LoadCached("bmp", id); }

QPixmap PngResource(SkinImageId id) { return LoadCached("png", id); }

void DrawPngResource(QPainter& painter, SkinImageId id) {
  const QPixmap png = PngResource(id);
  if (!png.isNull()) painter.drawPixmap(0, 0, png);
}

void DrawBitmapResource(QPainter& painter, SkinImageId id, int x, int y, int width, int height,
                        bool transparent, QColor key) {
  const QPixmap bitmap = transparent ? KeyedBitmap(id, key) : BitmapResource(id);
  CopyArea(painter, bitmap, x, y, QRect(0, 0, width, height));
}

void DrawBitmapPart(QPainter& painter, SkinImageId id, int x, int y, int width, int height,
                    int sourceX, int sourceY) {
  CopyArea(painter, BitmapResource(id), x, y, QRect(sourceX, sourceY, width, height));
}

void DrawBitmapStretched(QPainter& painter, SkinImageId id, const QRect& target) {
  const QPixmap bitmap = BitmapResource(id);
  if (!bitmap.isNull()) painter.drawPixmap(target, bitmap);
}
