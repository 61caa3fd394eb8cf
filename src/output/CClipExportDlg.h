// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once


#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "output/CExportDialog.h"
#include "output/ClipExporter.h"
#include "output/ClipMarks.h"
#include "reader/Recording.h"
#include "sensors/SensorRecords.h"

class QCheckBox;
class QComboBox;

// What the clip export needs of the open recording.
struct ClipSource {
  std::string path;
  zv::ClipMarks::Range range;  // the clip marks, or the whole recording
  std::optional<int64_t> nameClockMs;       // for the burned-in time
  zv::SensorRecordArray<CGPSData> fixes;    // for the burned-in speed and position
  std::string saveFolder;                   // where the file chooser starts
};

// "클립 내보내기": the range of the open recording to an MP4 file, as the
// front, the rear or both side by side, with or without sound and burned-in
// data. The recording's streams are read when the dialog opens. The export
// runs with a progress bar and can be cancelled; a cancelled or failed
// export leaves no file.
class CClipExportDlg : public CExportDialog {
  Q_OBJECT

 public:
  CClipExportDlg(ClipSource source, QWidget* parent = nullptr);

  // Exports to `path` (the file chooser's answer); false when the export
  // cannot start (a message box says why).
  bool ExportTo(const QString& path);
  // The name the file chooser offers: the recording's name and the range.
  QString SuggestedPath() const;

  QComboBox* channels = nullptr;
  QCheckBox* sound = nullptr;
  QCheckBox* burnIn = nullptr;
  zv::ClipExporter& Exporter() { return exporter_; }

 protected:
  bool ExportRunning() const override { return exporter_.Running(); }
  void CancelExport() override { exporter_.Cancel(); }
  void OnActionClicked() override;

 private:
  void OnFinished(bool ok);
  void EnableChoices(bool enabled);

  ClipSource source_;
  zv::Recording recording_;  // its streams, read when the dialog opens
  std::string readError_;
  zv::ClipExporter exporter_;
  QString target_;
};
