// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once


#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/RecordingEntry.h"
#include "output/CExportDialog.h"

class QButtonGroup;
class QThread;

// The recordings a track export can take.
struct TrackExportSources {
  std::string open;                      // the open recording, empty when none
  std::vector<std::string> selected;     // the list's selected rows
  // The open recording's kind in list order, and its place among them, to
  // find its trip.
  std::vector<zv::RecordingEntry> sameKind;
  size_t openIndex = 0;
  std::string saveFolder;
};

// "GPS·센서 기록 내보내기": the GPS track (GPX, KML) or every sensor record
// (CSV) of the open recording, the selected rows or the open recording's
// trip, to one file. The files are read on a worker thread with a progress
// bar and Cancel; a cancelled or failed export leaves no file.
class CTrackExportDlg : public CExportDialog {
  Q_OBJECT

 public:
  enum Scope { OpenRecording, SelectedRows, Trip };

  CTrackExportDlg(TrackExportSources sources, QWidget* parent = nullptr);
  ~CTrackExportDlg() override;

  // Writes the chosen format of the chosen recordings to `path` in the
  // background; finished() follows.
  void ExportTo(const QString& path);
  bool Running() const { return static_cast<bool>(worker_); }

  QButtonGroup* formats = nullptr;  // ids: TrackFormat
  QButtonGroup* scopes = nullptr;   // ids: Scope

 signals:
  void finished(bool ok);

 protected:
  bool ExportRunning() const override { return Running(); }
  void CancelExport() override { *cancel_ = true; }
  void OnActionClicked() override;

 private:
  void OnDone(bool ok, const QString& error);
  std::vector<std::string> PathsOf(Scope scope) const;

  TrackExportSources sources_;
  std::unique_ptr<QThread> worker_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  QString target_;
};
