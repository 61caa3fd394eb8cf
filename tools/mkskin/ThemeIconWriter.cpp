// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThemeIconWriter.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>

#include "PictureArtist.h"

namespace mkskin {

namespace {

bool Save(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
    return true;
  std::fprintf(stderr, "zv-mkskin: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

const QList<int>& ThemeIconWriter::Sizes() {
  static const QList<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
  return sizes;
}

bool ThemeIconWriter::Write(const QString& folder, const QString& name) {
  for (int size : Sizes()) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    PictureArtist::ProgramIcon(size).save(&buffer, "PNG");
    const QString path = QString("%1/hicolor/%2x%2/apps/%3.png").arg(folder).arg(size).arg(name);
    if (!Save(path, png)) return false;
  }
  return WriteSvg(QString("%1/hicolor/scalable/apps/%2.svg").arg(folder, name));
}

// The same drawing as the pictures, recorded as SVG on a 128 x 128 canvas.
bool ThemeIconWriter::WriteSvg(const QString& path) {
  constexpr int kSize = 128;
  QByteArray svg;
  QBuffer buffer(&svg);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kSize, kSize));
  generator.setViewBox(QRect(0, 0, kSize, kSize));
  generator.setTitle("VARNI Viewer");
  generator.setDescription("The icon of VARNI Viewer");
  QPainter painter(&generator);
  PictureArtist::PaintProgramIcon(painter, kSize);
  painter.end();
  return Save(path, svg);
}

}  // namespace mkskin
