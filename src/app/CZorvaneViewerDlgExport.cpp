// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's export commands: the GPS track or sensor records of the
// open recording, the selected rows or a trip, and a clip of the open
// recording.
#include "app/CZorvaneViewerDlg.h"
#include "config/ViewerOptions.h"
#include "library/CZvListCtrl.h"
#include "library/RecordingLibrary.h"
#include "library/RecordingListRows.h"
#include "library/RecordingName.h"
#include "output/CClipExportDlg.h"
#include "output/CTrackExportDlg.h"
#include "sensors/RecordingSensorFile.h"

using namespace zv;

std::string CZorvaneViewerDlg::OpenRecordingPath() const {
  return EngineIs({Running, Paused}) ? list_->RowFullPath(list_->currentRow) : std::string();
}

bool CZorvaneViewerDlg::OpenRecordingAmongItsKind(std::vector<RecordingEntry>& sameKind, size_t& index) const {
  const std::string path = OpenRecordingPath();
  if (path.empty()) return false;
  sameKind = SortedRowsForKind(RecordingLibrary::Instance(), EntryOfPath(path).kind);
  const auto open = std::find_if(sameKind.begin(), sameKind.end(), [&](const RecordingEntry& e) { return e.fullPath == path; });
  index = static_cast<size_t>(open - sameKind.begin());
  return open != sameKind.end();
}

void CZorvaneViewerDlg::ExportTrack() {
  TrackExportSources sources;
  sources.open = OpenRecordingPath();
  sources.selected = list_->SelectedPaths();
  sources.saveFolder = ViewerOptions::Instance().saveFolder;
  OpenRecordingAmongItsKind(sources.sameKind, sources.openIndex);
  CTrackExportDlg dialog(std::move(sources), this);
  dialog.exec();
}

// The picture stays still while the clip is chosen and made.
void CZorvaneViewerDlg::ExportClip() {
  const std::string path = OpenRecordingPath();
  if (path.empty()) return;
  PausePlayback();
  ClipSource source;
  source.path = path;
  source.range = clipMarks_.RangeIn(static_cast<int64_t>(player_.GetDurationMs()));
  const RecordingEntry entry = EntryOfPath(path);
  source.nameClockMs = ClockMsOfNameTime(entry.date, entry.time);
  source.fixes = GpsRecords();
  source.saveFolder = ViewerOptions::Instance().saveFolder;
  CClipExportDlg dialog(std::move(source), this);
  dialog.exec();
}
