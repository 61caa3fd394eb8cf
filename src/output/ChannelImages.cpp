#include "output/ChannelImages.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include "player/CVideoPlayer.h"

namespace zv {

bool SaveJpegReplacing(const QImage& image, const std::string& path) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!image.save(&file, "JPG")) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

namespace {

bool IsRunningOrPaused(CVideoPlayer& player) {
  const CGraphPlayer* engine = player.Engine();
  return engine && (engine->GetState() == Running || engine->GetState() == Paused);
}

}  // namespace

bool SaveChannelImages(CVideoPlayer& player, const std::string& name1, const std::string& name2) {
  if (!IsRunningOrPaused(player)) return false;
  QImage picture;
  if (player.CaptureFrame(0, &picture) != 1) return false;
  SaveJpegReplacing(picture, name1);
  if (name2.empty() || player.Engine()->GetChannelCount() <= 1) return false;
  if (player.CaptureFrame(1, &picture) != 1) return false;
  SaveJpegReplacing(picture, name2);
  return true;
}

}  // namespace zv
