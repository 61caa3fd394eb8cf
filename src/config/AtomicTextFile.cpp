#include "config/AtomicTextFile.h"

#include <QSaveFile>

namespace zv {

bool WriteTextFileAtomically(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(text.data(), static_cast<qint64>(text.size())) !=
      static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace zv
