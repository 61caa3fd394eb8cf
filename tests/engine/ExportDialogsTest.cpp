// SPDX-License-Identifier: GPL-3.0-or-later
// The two export dialogs on generated recordings: the track dialog writes
// the chosen format of the chosen recordings in the background; the clip
// dialog exports with its progress bar, and its Cancel leaves no file.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "PlaybackTestSupport.h"
#include "output/CClipExportDlg.h"
#include "output/CTrackExportDlg.h"
#include "output/TrackExport.h"

using namespace zv;

namespace {

constexpr const char* kTwoChannels = "REC_20130521_143015_F.AVI";
constexpr const char* kOneChannel = "REC_20130521_143215_F.AVI";

TEST(ExportDialogsTest, TheTrackDialogWritesTheChosenRecordingsInTheChosenFormat) {
  QTemporaryDir dir;
  TrackExportSources sources;
  sources.open = Fixture(kTwoChannels);
  sources.selected = {Fixture(kTwoChannels), Fixture(kOneChannel)};
  CTrackExportDlg dialog(sources);
  std::vector<QString> told;
  dialog.tell = [&](const QString& text, bool) { told.push_back(text); };
  EXPECT_FALSE(dialog.scopes->button(CTrackExportDlg::Trip)->isEnabled());  // no list entries given
  dialog.formats->button(static_cast<int>(TrackFormat::Kml))->setChecked(true);
  dialog.scopes->button(CTrackExportDlg::SelectedRows)->setChecked(true);
  QSignalSpy finished(&dialog, &CTrackExportDlg::finished);
  dialog.ExportTo(dir.path() + "/two.kml");
  EXPECT_TRUE(!dialog.progress->isHidden() || finished.size() == 1);
  ASSERT_TRUE(finished.wait(20000) || finished.size() == 1);
  EXPECT_TRUE(finished.first().first().toBool());
  QFile kml(dir.path() + "/two.kml");
  ASSERT_TRUE(kml.open(QIODevice::ReadOnly));
  EXPECT_EQ(kml.readAll().count("<LineString>"), 2);  // a minute apart: two trips
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(told[0].endsWith(dir.path() + "/two.kml"));
}

TEST(ExportDialogsTest, TheClipDialogExportsWithProgressAndItsCancelLeavesNoFile) {
  QTemporaryDir dir;
  ClipSource source;
  source.path = Fixture(kTwoChannels);
  source.range = {0, 4000};
  source.saveFolder = dir.path().toStdString();
  CClipExportDlg dialog(source);
  std::vector<std::pair<QString, bool>> told;
  dialog.tell = [&](const QString& text, bool failure) { told.emplace_back(text, failure); };
  EXPECT_EQ(dialog.SuggestedPath(), dir.path() + "/REC_20130521_143015_F_0000-0004.mp4");
  EXPECT_TRUE(dialog.sound->isChecked());
  dialog.channels->setCurrentIndex(2);  // side by side
  dialog.burnIn->setChecked(true);
  QSignalSpy done(&dialog.Exporter(), &ClipExporter::finished);
  const QString clip = dialog.SuggestedPath();
  ASSERT_TRUE(dialog.ExportTo(clip));
  EXPECT_EQ(dialog.closeButton->text(), QString("취소"));
  EXPECT_FALSE(dialog.actionButton->isEnabled());
  QTest::mouseClick(dialog.closeButton, Qt::LeftButton);
  ASSERT_EQ(done.size(), 1);
  EXPECT_TRUE(told.empty());  // a cancel is no failure to report
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

  ASSERT_TRUE(dialog.ExportTo(clip));
  ASSERT_TRUE(done.wait(60000));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_FALSE(told[0].second);
  EXPECT_TRUE(QFile::exists(clip));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
