// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace mkskin {

// Writes the program's icon for the desktop's hicolor icon theme:
//   <folder>/hicolor/<N>x<N>/apps/<name>.png   for every size of Sizes()
//   <folder>/hicolor/scalable/apps/<name>.svg
class ThemeIconWriter {
public:
  static const QList<int>& Sizes();
  // False, with a message on stderr, when a file cannot be written.
  static bool Write(const QString& folder, const QString& name);

private:
  static bool WriteSvg(const QString& path);
};

}  // namespace mkskin
