#include "output/SnapshotCapture.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "output/ChannelImages.h"
#include "output/SnapshotNames.h"

namespace zv {

SnapshotCapture::SnapshotCapture(QWidget* owner) : owner_(owner) {
  askToOpenFolder = [this](const QString& text) {
    return QMessageBox::question(owner_, QStringLiteral("VARNI Viewer"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  openFolder = [](const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  };
}

QString SnapshotSavedMessage(const std::string& channel1Name) {
  return QString::fromStdString(channel1Name) +
         QStringLiteral(" 캡쳐 화면이 저장되었습니다.\n저장된 폴더를 여시겠습니까?");
}

bool SnapshotCapture::Capture(CVideoPlayer& player, const std::string& recordingName,
                              const std::string& saveFolder) {
  const SnapshotFileNames names =
      MakeSnapshotFileNames(saveFolder, recordingName, LocalMomentNow());
  if (!SaveChannelImages(player, names.channel1, names.channel2)) return false;
  if (askToOpenFolder(SnapshotSavedMessage(names.channel1)))
    openFolder(QString::fromStdString(CaptureFolderOf(saveFolder)));
  return true;
}

}  // namespace zv
