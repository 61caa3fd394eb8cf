// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string>

class CVideoPlayer;
class QWidget;

namespace zv {

// The Capture command after the main window has checked the engine state,
// paused it and swapped the Play and Pause buttons: saves both channel
// pictures as JPEG files in the capture folder and offers to open it. A
// picture that could not be written is reported, never announced as saved.
class SnapshotCapture {
 public:
  explicit SnapshotCapture(QWidget* owner);

  // True when both pictures were taken and written (and the question was
  // asked). An empty save folder means the default snapshot folder.
  bool Capture(CVideoPlayer& player, const std::string& recordingName,
               const std::string& saveFolder);

  // The question "open the folder?" with `text`; true for Yes. By default a
  // Yes/No message box over the owner.
  std::function<bool(const QString& text)> askToOpenFolder;
  // Opens `folder` in the desktop's file manager.
  std::function<void(const QString& folder)> openFolder;
  // Tells the user why the pictures were not saved. By default a warning
  // box over the owner.
  std::function<void(const QString& text)> reportFailure;

 private:
  QWidget* owner_;
};

// The text of the question after a capture saved under `channel1Name`.
QString SnapshotSavedMessage(const std::string& channel1Name);

// The text of the warning when `path` could not be written for `reason`.
QString SnapshotFailedMessage(const std::string& path, const std::string& reason);

}  // namespace zv
