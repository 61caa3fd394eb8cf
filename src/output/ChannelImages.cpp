// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ChannelImages.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include "player/CVideoPlayer.h"

namespace zv {

bool SaveJpegReplacing(const QImage& image, const std::string& path, std::string* error) {
  QSaveFile file(QString::fromStdString(path));
  const auto fail = [&](const QString& reason) {
    if (error) *error = reason.toStdString();
    return false;
  };
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (!image.save(&file, "JPG")) {
    file.cancelWriting();
    return fail(file.error() != QFileDevice::NoError ? file.errorString()
                                                     : QStringLiteral("JPEG encoding failed"));
  }
  return file.commit() || fail(file.errorString());
}

namespace {

bool IsRunningOrPaused(CVideoPlayer& player) {
  const CGraphPlayer* engine = player.Engine();
  return engine && (engine->GetState() == Running || engine->GetState() == Paused);
}

// Takes the picture of one channel and writes it; false when it could not
// be taken. A failed write is kept in `saved`.
bool SaveChannel(CVideoPlayer& player, int channel, const std::string& name, SavedChannelImages& saved) {
  QImage picture;
  if (player.CaptureFrame(channel, &picture) != 1) return false;
  if (!SaveJpegReplacing(picture, name, &saved.error)) saved.failedPath = name;
  return true;
}

}  // namespace

SavedChannelImages SaveChannelImages(CVideoPlayer& player, const std::string& name1,
                                     const std::string& name2) {
  SavedChannelImages saved;
  if (!IsRunningOrPaused(player) || !SaveChannel(player, 0, name1, saved)) return saved;
  if (!saved.failedPath.empty() || name2.empty() || player.Engine()->GetChannelCount() <= 1) return saved;
  saved.bothTaken = SaveChannel(player, 1, name2, saved);
  return saved;
}

}  // namespace zv
