// SPDX-License-Identifier: GPL-3.0-or-later
// zv-mkskin: paints the viewer's skin pictures.
//
//   zv-mkskin <folder>             writes bmp/<id>.png, png/<id>.png,
//                                  icon/128.png and skin.qrc into <folder>
//   zv-mkskin --sheet <file.png>   writes one review sheet of every picture
//   zv-mkskin --icons <folder> <name>
//                                  writes the program's icon for the hicolor
//                                  icon theme as <name>.png and <name>.svg
//
// The pictures are painted with QPainter on QImage, headless and
// deterministically, so every build produces the same files.
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

#include "ContactSheet.h"
#include "SkinCatalogue.h"
#include "ThemeIconWriter.h"

namespace {

QString RelativePath(const mkskin::SkinPicture& picture) {
  switch (picture.kind) {
    case mkskin::PictureKind::Png: return QString("png/%1.png").arg(picture.id);
    case mkskin::PictureKind::Icon: return QString("icon/%1.png").arg(picture.id);
    case mkskin::PictureKind::Bitmap: break;
  }
  return QString("bmp/%1.png").arg(picture.id);
}

bool SaveImage(const QImage& image, const QString& path) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool SaveText(const QString& text, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  return file.commit();
}

int WritePictures(const QString& folder) {
  const QDir dir(folder);
  for (const char* sub : {"bmp", "png", "icon"}) dir.mkpath(sub);
  QString qrc;
  QTextStream out(&qrc);
  out << "<RCC>\n  <qresource prefix=\"/skin\">\n";
  for (const mkskin::SkinPicture& picture : mkskin::SkinCatalogue::PaintAll()) {
    const QString relative = RelativePath(picture);
    if (!SaveImage(picture.image, dir.filePath(relative))) {
      std::fprintf(stderr, "zv-mkskin: cannot write %s\n", qPrintable(dir.filePath(relative)));
      return 1;
    }
    out << "    <file>" << relative << "</file>\n";
  }
  out << "  </qresource>\n</RCC>\n";
  out.flush();
  if (!SaveText(qrc, dir.filePath("skin.qrc"))) {
    std::fprintf(stderr, "zv-mkskin: cannot write %s\n", qPrintable(dir.filePath("skin.qrc")));
    return 1;
  }
  return 0;
}

int WriteSheet(const QString& path) {
  const QImage sheet = mkskin::ContactSheet::Compose(mkskin::SkinCatalogue::PaintAll());
  if (!SaveImage(sheet, path)) {
    std::fprintf(stderr, "zv-mkskin: cannot write %s\n", qPrintable(path));
    return 1;
  }
  std::printf("%s (%dx%d)\n", qPrintable(path), sheet.width(), sheet.height());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 1 && !args[0].startsWith("--")) return WritePictures(args[0]);
  if (args.size() == 2 && args[0] == "--sheet") return WriteSheet(args[1]);
  if (args.size() == 3 && args[0] == "--icons")
    return mkskin::ThemeIconWriter::Write(args[1], args[2]) ? 0 : 1;
  std::fprintf(stderr,
               "usage: zv-mkskin <folder> | zv-mkskin --sheet <file.png> |"
               " zv-mkskin --icons <folder> <name>\n");
  return 2;
}
