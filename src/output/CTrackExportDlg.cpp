// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CTrackExportDlg.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

#include "library/RecordingDurations.h"
#include "library/TripBuilder.h"
#include "output/TrackExport.h"

using namespace zv;

namespace {

constexpr const char* kSuffixes[] = {"gpx", "kml", "csv"};  // by TrackFormat

QGroupBox* Choices(const QString& title, QButtonGroup* group, const std::vector<std::pair<int, QString>>& items) {
  auto* box = new QGroupBox(title);
  auto* layout = new QVBoxLayout(box);
  for (const auto& [id, text] : items) {
    auto* button = new QRadioButton(text);
    group->addButton(button, id);
    layout->addWidget(button);
  }
  return box;
}

}  // namespace

CTrackExportDlg::CTrackExportDlg(TrackExportSources sources, QWidget* parent)
    : CExportDialog(QStringLiteral("GPS·센서 기록 내보내기"), QStringLiteral("저장..."), parent),
      sources_(std::move(sources)) {
  formats = new QButtonGroup(this);
  scopes = new QButtonGroup(this);
  QGroupBox* formatBox = Choices(QStringLiteral("형식"), formats,
                                 {{static_cast<int>(TrackFormat::Gpx), QStringLiteral("GPX: GPS 경로")},
                                  {static_cast<int>(TrackFormat::Kml), QStringLiteral("KML: GPS 경로 (지도 프로그램용)")},
                                  {static_cast<int>(TrackFormat::Csv), QStringLiteral("CSV: 모든 센서 기록")}});
  QGroupBox* scopeBox = Choices(
      QStringLiteral("영상"), scopes,
      {{OpenRecording, QStringLiteral("열린 영상")},
       {SelectedRows, QStringLiteral("선택한 영상 (%1개)").arg(sources_.selected.size())},
       {Trip, QStringLiteral("열린 영상의 여행 전체")}});
  formats->button(static_cast<int>(TrackFormat::Gpx))->setChecked(true);
  const bool open = !sources_.open.empty();
  scopes->button(OpenRecording)->setEnabled(open);
  scopes->button(Trip)->setEnabled(open && sources_.openIndex < sources_.sameKind.size());
  scopes->button(SelectedRows)->setEnabled(!sources_.selected.empty());
  scopes->button(open ? OpenRecording : SelectedRows)->setChecked(true);
  actionButton->setEnabled(open || !sources_.selected.empty());
  Build({formatBox, scopeBox});
}

CTrackExportDlg::~CTrackExportDlg() {
  if (!worker_) return;
  *cancel_ = true;
  worker_->wait();
}

void CTrackExportDlg::OnActionClicked() {
  const char* suffix = kSuffixes[formats->checkedId()];
  const QString base = QFileInfo(QString::fromStdString(sources_.open.empty() ? sources_.selected.front() : sources_.open))
                           .completeBaseName();
  const QString folder = sources_.saveFolder.empty() ? QDir::homePath() : QString::fromStdString(sources_.saveFolder);
  const QString path = QFileDialog::getSaveFileName(this, windowTitle(), QDir(folder).filePath(base + "." + suffix),
                                                    QString("%1 (*.%2)").arg(QString(suffix).toUpper(), suffix));
  if (!path.isEmpty()) ExportTo(path);
}

std::vector<std::string> CTrackExportDlg::PathsOf(Scope scope) const {
  if (scope == SelectedRows) return sources_.selected;
  if (scope == OpenRecording) return {sources_.open};
  // The trip: durations not read yet are read now (this runs on the worker
  // thread).
  const auto durationOf = [&](size_t i) {
    return RecordingDurations::Instance().CachedOrRead(sources_.sameKind[i].fullPath);
  };
  std::vector<std::string> paths;
  for (size_t i : TripMembersAround(sources_.sameKind, sources_.openIndex, durationOf))
    paths.push_back(sources_.sameKind[i].fullPath);
  return paths;
}

void CTrackExportDlg::ExportTo(const QString& path) {
  if (worker_) return;
  target_ = path;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  const auto format = static_cast<TrackFormat>(formats->checkedId());
  const auto scope = static_cast<Scope>(scopes->checkedId());
  // The dialog waits for the worker before it goes, so the worker may use
  // it; what it hands back runs queued on the dialog's thread.
  worker_.reset(QThread::create([this, path, format, scope, cancel = cancel_] {
    TrackExport job(PathsOf(scope), format);
    const bool ok = job.Write(path, [this, cancel](int done, int total) {
      QMetaObject::invokeMethod(this, [this, done, total] { progress->setValue(done * 100 / std::max(total, 1)); });
      return !*cancel;
    });
    const QString error = *cancel ? QString() : QString::fromStdString(job.Error());
    QMetaObject::invokeMethod(this, [this, ok, error] { OnDone(ok, error); });
  }));
  SetRunning(true);
  worker_->start();
}

void CTrackExportDlg::OnDone(bool ok, const QString& error) {
  worker_->wait();
  worker_.reset();
  SetRunning(false);
  if (ok) tell(QStringLiteral("저장했습니다.\n") + target_, false);
  else if (!error.isEmpty()) tell(QStringLiteral("저장하지 못했습니다.\n") + error, true);
  emit finished(ok);
  if (ok) accept();
}
