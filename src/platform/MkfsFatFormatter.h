// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

#include "platform/ICardFormatter.h"

namespace zv {

// Formats an image file with `mkfs.fat -n LABEL FILE`, run as a separate
// process. The tool's exit status and its output make the report.
class MkfsFatFormatter : public ICardFormatter {
  Q_OBJECT

 public:
  explicit MkfsFatFormatter(QString imageFile, QObject* parent = nullptr);
  ~MkfsFatFormatter() override;

  void Start(const QString& volumeLabel) override;

  // mkfs.fat from PATH, else from /usr/sbin or /sbin (not always on a user's PATH).
  static QString ToolPath();

 private:
  void OnFinished(int exitCode, QProcess::ExitStatus status);
  void OnError(QProcess::ProcessError error);

  QString imageFile_;
  QProcess process_;
  bool finished_ = false;
};

}  // namespace zv
