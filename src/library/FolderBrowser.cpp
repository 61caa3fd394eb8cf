// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/FolderBrowser.h"

#include <QFileDialog>

#include "library/PathNames.h"

bool BrowseForFolder(QWidget* owner, const QString& initialFolder, QString& folder) {
  folder.clear();
  const QString chosen =
      QFileDialog::getExistingDirectory(owner, QStringLiteral("폴더 선택"), initialFolder);
  if (chosen.isEmpty()) return false;
  folder = QString::fromStdString(zv::AsFolder(chosen.toStdString()));
  return true;
}
