// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest/QTest>

#include "library/CZvListCtrl.h"
#include "library/RecordingLibrary.h"

namespace {

void Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  file.open(QIODevice::WriteOnly);
}

class RecordingListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zv::RecordingLibrary::Instance().Clear();
    list_.resize(280, 300);
    list_.Initialize();
  }
  void TearDown() override { zv::RecordingLibrary::Instance().Clear(); }

  void Add(const char* name) { zv::RecordingLibrary::Instance().Add("/card/", name); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int r = 0; r < list_.RowCount(); ++r) names.push_back(list_.RowFileName(r));
    return names;
  }
  QColor PixelOfRow(int row) {
    const QImage shot = list_.viewport()->grab().toImage();
    return shot.pixelColor(20 + 40, list_.visualRect(list_.model()->index(row, 0)).center().y());
  }

  CZvListCtrl list_;
};

TEST_F(RecordingListTest, FillSortsByDateThenTimeAndFiltersByKind) {
  Add("REC_20130522_090000_F.AVI");
  Add("EVT_20130521_143000_F.AVI");
  Add("PRK_20130521_090000_F.AVI");
  Add("REC_20130521_143000_F.AVI");  // same moment as the event: keeps catalogue order
  Add("MDI_20130520_235959_F_LPSTOP.AVI");
  list_.Fill(1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"MDI_20130520_235959_F_LPSTOP.AVI", "PRK_20130521_090000_F.AVI",
                                               "EVT_20130521_143000_F.AVI", "REC_20130521_143000_F.AVI",
                                               "REC_20130522_090000_F.AVI"}));
  EXPECT_EQ(list_.model()->index(0, 0).data().toString(), "1");
  EXPECT_EQ(list_.model()->index(4, 0).data().toString(), "5");
  EXPECT_EQ(list_.currentRow, 0);

  list_.Fill(4);  // both parking kinds
  EXPECT_EQ(Names(), (std::vector<std::string>{"MDI_20130520_235959_F_LPSTOP.AVI", "PRK_20130521_090000_F.AVI"}));
  EXPECT_EQ(list_.model()->index(0, 3).data().toString(), QString("주차모션"));
  EXPECT_EQ(list_.model()->index(1, 3).data().toString(), QString("주차상시"));
  EXPECT_EQ(list_.model()->index(1, 0).data().toString(), "2");
  EXPECT_EQ(list_.RowFullPath(1), "/card/PRK_20130521_090000_F.AVI");

  list_.Fill(3);
  EXPECT_EQ(Names(), std::vector<std::string>{"EVT_20130521_143000_F.AVI"});
  list_.Fill(2);
  EXPECT_EQ(list_.RowCount(), 2);
}

TEST_F(RecordingListTest, RowLookupsAndCurrentRow) {
  Add("REC_20130521_143000_F.AVI");
  Add("REC_20130521_143100_F.AVI");
  list_.Fill(1);
  EXPECT_EQ(list_.FindRowByFileName("rec_20130521_143100_f.avi"), 1);
  EXPECT_EQ(list_.FindRowByFileName("REC_20990101_000000_F.AVI"), -1);
  EXPECT_EQ(list_.CurrentFileName(), "REC_20130521_143000_F.AVI");
  list_.SetCurrentRow(5);  // outside: the old current row is cleared
  EXPECT_EQ(list_.currentRow, -1);
  list_.SetCurrentRow(7);  // outside again: stays -1
  EXPECT_EQ(list_.currentRow, -1);
  EXPECT_EQ(list_.CurrentFileName(), "");
  list_.SelectRow(1);
  EXPECT_EQ(list_.currentRow, 1);
  EXPECT_EQ(list_.RowFullPath(9), "");
}

TEST_F(RecordingListTest, CurrentSelectedAndStripedRowsHaveTheirColours) {
  for (const char* name : {"REC_20130521_143000_F.AVI", "REC_20130521_143100_F.AVI",
                           "REC_20130521_143200_F.AVI", "REC_20130521_143300_F.AVI"})
    Add(name);
  list_.Fill(1);
  list_.show();
  list_.SelectRow(2);
  list_.SetCurrentRow(1);  // the user selected row 2, row 1 is open
  EXPECT_EQ(PixelOfRow(0), QColor(70, 70, 70));
  EXPECT_EQ(PixelOfRow(1), QColor(0, 128, 128));
  EXPECT_EQ(PixelOfRow(2), QColor(128, 128, 0));
  EXPECT_EQ(PixelOfRow(3), QColor(50, 50, 50));
}

TEST_F(RecordingListTest, DropScansFoldersAndAddsFilesThenRefills) {
  QTemporaryDir dir;
  Touch(dir.path() + "/card/VN_ZORVANE/MP4_EVENT/EVT_20130521_143000_F.AVI");
  Touch(dir.path() + "/card/VN_ZORVANE/MP4_INFINITE/REC_20130521_143100_F.AVI");
  Touch(dir.path() + "/card/notes.txt");
  Touch(dir.path() + "/loose/REC_20130520_100000_F.AVI");
  Touch(dir.path() + "/loose/readme.AVI");
  list_.filterKind = 2;
  QSignalSpy changed(&list_, &CZvListCtrl::recordingsChanged);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.path() + "/card/"), QUrl::fromLocalFile(dir.path() + "/loose/REC_20130520_100000_F.AVI"),
                QUrl::fromLocalFile(dir.path() + "/loose/readme.AVI")});
  // A drag enters the list, then drops there.
  auto dropOnList = [&] {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_.viewport(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_.viewport(), &drop);
    return enter.isAccepted() && drop.isAccepted();
  };
  list_.show();
  EXPECT_TRUE(dropOnList());

  EXPECT_EQ(zv::RecordingLibrary::Instance().Count(), 3);
  EXPECT_EQ(Names(), (std::vector<std::string>{"REC_20130520_100000_F.AVI", "REC_20130521_143100_F.AVI"}));
  EXPECT_EQ(list_.currentRow, 0);
  EXPECT_EQ(changed.count(), 0);  // posted, not sent
  EXPECT_TRUE(changed.wait(1000));

  dropOnList();  // the same drop again adds nothing
  EXPECT_EQ(zv::RecordingLibrary::Instance().Count(), 3);
}

// A drop during playback adds an earlier recording in front: the mark stays
// on the open recording, now one row further down.
TEST_F(RecordingListTest, DropKeepsTheMarkOnItsRecording) {
  QTemporaryDir dir;
  const QString open = dir.path() + "/REC_20130521_143100_F.AVI";
  Touch(open);
  Touch(dir.path() + "/REC_20130521_143200_F.AVI");
  Touch(dir.path() + "/earlier/REC_20130521_120000_F.AVI");
  zv::RecordingLibrary::Instance().AddPath(open.toStdString());
  zv::RecordingLibrary::Instance().AddPath((dir.path() + "/REC_20130521_143200_F.AVI").toStdString());
  list_.Fill(1);
  ASSERT_EQ(list_.currentRow, 0);

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dir.path() + "/earlier/")});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list_.viewport(), &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list_.viewport(), &drop);
  ASSERT_EQ(list_.RowCount(), 3);
  EXPECT_EQ(list_.currentRow, 1);
  EXPECT_EQ(list_.RowFullPath(1), open.toStdString());
}

}  // namespace
