// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MkfsFatFormatter.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace zv {

MkfsFatFormatter::MkfsFatFormatter(QString imageFile, QObject* parent)
    : ICardFormatter(parent), imageFile_(std::move(imageFile)) {
  process_.setProcessChannelMode(QProcess::MergedChannels);
  connect(&process_, &QProcess::finished, this, &MkfsFatFormatter::OnFinished);
  connect(&process_, &QProcess::errorOccurred, this, &MkfsFatFormatter::OnError);
}

MkfsFatFormatter::~MkfsFatFormatter() {
  // The tool is never killed half way through a format: wait for it instead.
  if (process_.state() != QProcess::NotRunning) process_.waitForFinished(-1);
}

QString MkfsFatFormatter::ToolPath() {
  QString tool = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"));
  if (tool.isEmpty()) {
    tool = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
  }
  return tool;
}

void MkfsFatFormatter::Start(const QString& volumeLabel) {
  const QString tool = ToolPath();
  if (tool.isEmpty()) {
    finished_ = true;
    emit Finished(false, QStringLiteral("mkfs.fat을 찾을 수 없습니다."));
    return;
  }
  emit Progress(QStringLiteral("포맷 중: %1").arg(QFileInfo(imageFile_).fileName()));
  process_.start(tool, {QStringLiteral("-n"), volumeLabel, imageFile_});
}

void MkfsFatFormatter::OnFinished(int exitCode, QProcess::ExitStatus status) {
  if (finished_) return;
  finished_ = true;
  const QString output = QString::fromLocal8Bit(process_.readAll()).trimmed();
  const bool succeeded = status == QProcess::NormalExit && exitCode == 0;
  QString report = succeeded ? QStringLiteral("mkfs.fat: 완료")
                             : QStringLiteral("mkfs.fat: 실패 (종료 코드 %1)").arg(exitCode);
  if (!output.isEmpty()) report += QLatin1Char('\n') + output;
  emit Finished(succeeded, report);
}

void MkfsFatFormatter::OnError(QProcess::ProcessError error) {
  if (error != QProcess::FailedToStart || finished_) return;  // the rest end in finished()
  finished_ = true;
  emit Finished(false, QStringLiteral("mkfs.fat을 실행할 수 없습니다: %1")
                           .arg(process_.errorString()));
}

}  // namespace zv
