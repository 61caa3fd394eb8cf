// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SnapshotCapture.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "config/ViewerOptions.h"
#include "output/ChannelImages.h"
#include "output/SnapshotNames.h"

namespace zv {

namespace {
constexpr char kTitle[] = "VARNI Viewer";
}  // namespace

SnapshotCapture::SnapshotCapture(QWidget* owner) : owner_(owner) {
  askToOpenFolder = [this](const QString& text) {
    return QMessageBox::question(owner_, QString::fromUtf8(kTitle), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  openFolder = [](const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  };
  reportFailure = [this](const QString& text) {
    QMessageBox::warning(owner_, QString::fromUtf8(kTitle), text, QMessageBox::Ok);
  };
}

QString SnapshotSavedMessage(const std::string& channel1Name) {
  return QString::fromStdString(channel1Name) +
         QStringLiteral(" 캡쳐 화면이 저장되었습니다.\n저장된 폴더를 여시겠습니까?");
}

QString SnapshotFailedMessage(const std::string& path, const std::string& reason) {
  QString text = QStringLiteral("캡쳐 화면을 저장하지 못했습니다.");
  for (const std::string& line : {path, reason})
    if (!line.empty()) text += QLatin1Char('\n') + QString::fromStdString(line);
  return text;
}

bool SnapshotCapture::Capture(CVideoPlayer& player, const std::string& recordingName,
                              const std::string& saveFolder) {
  // An empty folder would put the files in the root folder.
  const std::string folder = saveFolder.empty() ? DefaultCaptureFolder() : saveFolder;
  if (folder.empty()) {
    reportFailure(SnapshotFailedMessage({}, "저장 폴더가 없습니다."));
    return false;
  }
  const SnapshotFileNames names = MakeSnapshotFileNames(folder, recordingName, LocalMomentNow());
  const SavedChannelImages saved = SaveChannelImages(player, names.channel1, names.channel2);
  if (!saved.failedPath.empty()) {
    reportFailure(SnapshotFailedMessage(saved.failedPath, saved.error));
    return false;
  }
  if (!saved.bothTaken) return false;
  if (askToOpenFolder(SnapshotSavedMessage(names.channel1)))
    openFolder(QString::fromStdString(CaptureFolderOf(folder)));
  return true;
}

}  // namespace zv
