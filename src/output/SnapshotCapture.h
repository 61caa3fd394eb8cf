#pragma once

#include <QString>

#include <functional>
#include <string>

class CVideoPlayer;
class QWidget;

namespace zv {

// The Capture command after the main window has checked the engine state,
// paused it and swapped the Play and Pause buttons: saves both channel
// pictures as JPEG files in the capture folder and offers to open it.
class SnapshotCapture {
 public:
  explicit SnapshotCapture(QWidget* owner);

  // True when both pictures were taken (and the question was asked).
  bool Capture(CVideoPlayer& player, const std::string& recordingName,
               const std::string& saveFolder);

  // The question "open the folder?" with `text`; true for Yes. By default a
  // Yes/No message box over the owner.
  std::function<bool(const QString& text)> askToOpenFolder;
  // Opens `folder` in the desktop's file manager.
  std::function<void(const QString& folder)> openFolder;

 private:
  QWidget* owner_;
};

// The text of the question after a capture saved under `channel1Name`.
QString SnapshotSavedMessage(const std::string& channel1Name);

}  // namespace zv
