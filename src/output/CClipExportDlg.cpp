// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CClipExportDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStandardItemModel>

#include "output/ClipOverlayText.h"
#include "reader/RecordingReader.h"

using namespace zv;

namespace {

// "01:05.2"
QString ClockText(int64_t ms) {
  return QString::asprintf("%02lld:%02lld.%lld", static_cast<long long>(ms / 60000),
                           static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms / 100 % 10));
}

constexpr ClipChannels kChannelOfItem[] = {ClipChannels::Front, ClipChannels::Rear, ClipChannels::SideBySide};

}  // namespace

CClipExportDlg::CClipExportDlg(ClipSource source, QWidget* parent)
    : CExportDialog(QStringLiteral("클립 내보내기"), QStringLiteral("내보내기..."), parent), source_(std::move(source)) {
  RecordingReader reader;
  if (reader.Open(source_.path)) recording_ = reader.recording();
  else readError_ = source_.path + ": " + reader.errorMessage();
  const bool rear = recording_.video.size() > 1, hasSound = recording_.audio.has_value();
  const int64_t length = source_.range.endMs - source_.range.startMs;
  auto* range = new QLabel(QStringLiteral("%1 – %2  (%3초)")
                               .arg(ClockText(source_.range.startMs), ClockText(source_.range.endMs))
                               .arg(length / 1000.0, 0, 'f', 1));
  channels = new QComboBox;
  channels->addItems({QStringLiteral("앞 카메라"), QStringLiteral("뒤 카메라"), QStringLiteral("앞뒤 나란히")});
  for (int item = 1; item < 3 && !rear; ++item)
    qobject_cast<QStandardItemModel*>(channels->model())->item(item)->setEnabled(false);
  sound = new QCheckBox(QStringLiteral("소리 포함"));
  sound->setChecked(hasSound);
  sound->setEnabled(hasSound);
  burnIn = new QCheckBox(QStringLiteral("시간·속도·위치를 화면에 넣기"));
  auto* note = new QLabel(QStringLiteral("한 카메라를 시간·속도·위치 없이 내보내면 다시 압축하지 않고 "
                                         "그대로 옮깁니다. 이때 시작은 바로 앞의 키 프레임으로 맞춰집니다."));
  note->setWordWrap(true);
  progress->setRange(0, 1000);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("구간"), range);
  form->addRow(QStringLiteral("화면"), channels);
  auto* formBox = new QWidget;
  formBox->setLayout(form);
  Build({formBox, sound, burnIn, note});
  connect(&exporter_, &ClipExporter::progressed, this, [this](double f) { progress->setValue(static_cast<int>(f * 1000)); });
  connect(&exporter_, &ClipExporter::finished, this, &CClipExportDlg::OnFinished);
}

QString CClipExportDlg::SuggestedPath() const {
  const QString base = QFileInfo(QString::fromStdString(source_.path)).completeBaseName();
  const QString folder = source_.saveFolder.empty() ? QDir::homePath() : QString::fromStdString(source_.saveFolder);
  const auto secs = [](int64_t ms) { return QString::asprintf("%02lld%02lld", static_cast<long long>(ms / 60000),
                                                              static_cast<long long>(ms / 1000 % 60)); };
  return QDir(folder).filePath(base + "_" + secs(source_.range.startMs) + "-" + secs(source_.range.endMs) + ".mp4");
}

void CClipExportDlg::OnActionClicked() {
  const QString path = QFileDialog::getSaveFileName(this, windowTitle(), SuggestedPath(), QStringLiteral("MP4 (*.mp4)"));
  if (!path.isEmpty()) ExportTo(path);
}

bool CClipExportDlg::ExportTo(const QString& path) {
  const ClipRequest request{source_.range.startMs, source_.range.endMs, kChannelOfItem[channels->currentIndex()],
                            sound->isChecked(), burnIn->isChecked()};
  ClipExportPlan plan;
  std::string error = readError_;
  if (error.empty()) ClipExportPlan::Make(recording_, request, plan, error);
  auto overlay = std::make_shared<ClipOverlayText>(source_.nameClockMs, source_.fixes);
  if (!error.empty() || !exporter_.Start(source_.path, plan, path, overlay)) {
    tell(QStringLiteral("클립을 만들 수 없습니다.\n") + (error.empty() ? exporter_.Error() : QString::fromStdString(error)),
         true);
    return false;
  }
  target_ = path;
  SetRunning(true);
  EnableChoices(false);
  return true;
}

void CClipExportDlg::EnableChoices(bool enabled) {
  channels->setEnabled(enabled);
  sound->setEnabled(enabled && recording_.audio.has_value());
  burnIn->setEnabled(enabled);
}

void CClipExportDlg::OnFinished(bool ok) {
  SetRunning(false);
  EnableChoices(true);
  if (ok) {
    tell(QStringLiteral("클립을 저장했습니다.\n") + target_, false);
    accept();
  } else if (!exporter_.Cancelled()) {
    tell(QStringLiteral("클립을 만들지 못했습니다.\n") + exporter_.Error(), true);
  }
}
