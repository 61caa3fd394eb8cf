// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <string>

#include "output/ClipExportPlan.h"
#include "player/GstHandles.h"

namespace zv {

class ClipOverlayText;

// Makes an MP4 clip of a recording with a GStreamer pipeline: the parse
// filter reads the recording (its range set before it starts), the video is
// copied (h264parse ! mp4mux) or decoded, placed side by side, given its
// burned-in data and encoded again (x264enc), the sound is copied or encoded
// (avenc_aac), and mp4mux writes a temporary file beside the target that is
// renamed to it once the clip is complete. A cancelled or failed export
// removes the temporary file, so it leaves no file behind.
//
// The pipeline runs on GStreamer's threads as fast as it can; this object
// watches its bus from its own thread and reports progress and the end
// there. Burned-in texts are drawn with the application's fonts, so they
// need a QGuiApplication.
class ClipExporter : public QObject {
  Q_OBJECT

 public:
  explicit ClipExporter(QObject* parent = nullptr);
  ~ClipExporter() override;  // cancels an export that still runs

  // Starts the export of `plan` from `sourcePath` to `outPath`; `overlay`
  // gives the burned-in texts (used when the plan asks for them). False with
  // Error() when the pipeline cannot be made or started.
  bool Start(const std::string& sourcePath, const ClipExportPlan& plan, const QString& outPath,
             std::shared_ptr<const ClipOverlayText> overlay);
  // Stops the export and removes what it wrote; finished(false) follows.
  void Cancel();

  bool Running() const { return static_cast<bool>(pipeline_); }
  // How much of the range has been read, 0 to 1.
  double Progress() const;
  const QString& Error() const { return error_; }
  // The last export ended because Cancel was called.
  bool Cancelled() const { return cancelled_; }

  // The temporary file an export to `outPath` writes.
  static QString PartialPathOf(const QString& outPath);

 signals:
  void progressed(double fraction);
  // The export ended: the clip is at its place (true), or nothing is left.
  void finished(bool ok);

 private:
  bool Build(const std::string& sourcePath, const QString& partialPath);
  bool BuildVideo(GstElement* source, GstElement* mux);
  bool BuildAudio(GstElement* source, GstElement* mux);
  bool SinkUnusedPads(GstElement* source);
  GstElement* AddBranch(const std::string& description);
  bool LinkPad(GstElement* source, const char* padName, GstElement* branch);
  bool LinkToMux(GstElement* branch, GstElement* mux, const char* padTemplate);
  void WatchSourcePad(GstElement* source, const char* padName);
  void AttachBurnIn(GstElement* branch);
  bool Fail(const QString& error);
  void PollBus();
  void End(bool ok);

  static GstPadProbeReturn OnBurnIn(GstPad* pad, GstPadProbeInfo* info, gpointer self);
  static GstPadProbeReturn OnSourceBuffer(GstPad* pad, GstPadProbeInfo* info, gpointer self);
  static GstPadProbeReturn OnCopiedPicture(GstPad* pad, GstPadProbeInfo* info, gpointer self);
  static GstPadProbeReturn OnAudioBeforeRange(GstPad* pad, GstPadProbeInfo* info, gpointer self);
  static GstPadProbeReturn OnAudioPastRange(GstPad* pad, GstPadProbeInfo* info, gpointer self);

  ClipExportPlan plan_;
  std::shared_ptr<const ClipOverlayText> overlay_;
  GstElementPtr pipeline_;
  QString outPath_;
  QString partialPath_;
  QString error_;
  QTimer poll_;
  std::atomic<uint64_t> readNs_{0};
  bool cancelled_ = false;
};

}  // namespace zv
