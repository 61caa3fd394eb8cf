// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicTextFile.h"

#include <QSaveFile>

namespace zv {

bool WriteTextFileAtomically(const std::string& path, const std::string& text,
                             std::string* error) {
  QSaveFile file(QString::fromStdString(path));
  const auto fail = [&](const QString& reason) {
    if (error) *error = reason.toStdString();
    return false;
  };
  if (path.empty()) return fail(QStringLiteral("no file name"));
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return fail(reason);
  }
  return file.commit() || fail(file.errorString());
}

}  // namespace zv
