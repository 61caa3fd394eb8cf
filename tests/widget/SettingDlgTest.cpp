// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <functional>
#include <optional>

#include "config/CFormatCardDlg.h"
#include "config/CSettingDlg.h"
#include "config/CardFilePaths.h"
#include "config/RecorderClock.h"
#include "config/RecorderSettings.h"
#include "config/ViewerOptions.h"
#include "platform/MkfsFatFormatter.h"

namespace {

// The dialog with its message boxes, volume probe and format dialog answered
// by the test.
class TestSettingDlg : public CSettingDlg {
 public:
  QStringList messages;
  int answer = QMessageBox::No;
  std::optional<zv::VolumeDescription> volume;
  int formatDialogs = 0;
  bool runFormatDialog = false;        // the real format dialog, answered by the test
  std::vector<zv::DriveEntry> drives;  // what the drive list shows when read again
  QTemporaryDir optionsFolder;
  std::string optionsPath = optionsFolder.filePath("option.ini").toStdString();

 protected:
  int ShowMessageBox(const QString& text, const QString& title, QMessageBox::StandardButtons,
                     QMessageBox::Icon) override {
    messages << title + "|" + text;
    return answer;
  }
  zv::VolumeDescription DescribeVolume(const zv::DriveEntry& drive) const override {
    return volume ? *volume : CSettingDlg::DescribeVolume(drive);
  }
  void RunFormatDialog(const zv::DriveEntry& drive, const zv::DeviceIdentity& identity) override {
    ++formatDialogs;
    if (runFormatDialog) CSettingDlg::RunFormatDialog(drive, identity);
  }
  std::vector<zv::DriveEntry> Drives() const override { return drives; }
  zv::OptionsFiles ViewerOptionsFiles() const override { return {optionsPath, {}, false}; }
};

template <typename T = QComboBox>
T* Control(QWidget& dialog, int id) {
  T* control = dialog.findChild<T*>(QString::number(id));
  EXPECT_NE(control, nullptr) << id;
  return control;
}

QStringList Entries(QComboBox* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  return entries;
}

zv::RecorderSettings Sample() {
  zv::RecorderSettings s;
  s.sensitivity = 5; s.quality = 0; s.recordAudio = true; s.speakerVolume = 2;
  s.videoChannels = 0; s.parkingMode = 1; s.parkingTime = 2; s.truckBattery = true;
  s.cutOffVoltage = 2; s.powerOffTimer = 3; s.lcdOffTime = 4; s.cutOffListFilled = true;
  return s;
}

class SettingDlgTest : public ::testing::Test {
 protected:
  // A card folder with the sample setup.cfg and a time.cfg, listed in the
  // dialog's drive list; returns its index.
  int AddCard(CSettingDlg& dialog, const QString& name, bool withFiles = true,
              uint32_t flags = 6) {
    QDir(dir_.path()).mkdir(name);
    const std::string root = dir_.filePath(name).toStdString() + "/";
    if (withFiles) {
      EXPECT_TRUE(zv::WriteSetupFile(root + "setup.cfg", Sample()));
      EXPECT_TRUE(zv::WriteTimeFile(root + "time.cfg", {"2024", "02", "29", "23", "58", "07"}));
    }
    const zv::DriveEntry drive{root, root + "card.img", name.toStdString(), "vfat", flags};
    QComboBox* drives = Control(dialog, 1028);
    drives->addItem(QString::fromStdString(drive.Text()), QVariant::fromValue(drive));
    return drives->count() - 1;
  }
  static QByteArray Contents(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
};

TEST_F(SettingDlgTest, OpensWithTheListsFilledAndNothingChosen) {
  TestSettingDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "환경 설정");
  EXPECT_EQ(Control(dialog, 1028)->currentIndex(), -1);
  const std::pair<int, int> counts[] = {{1031, 7}, {1030, 2}, {1043, 4}, {1032, 3}, {1033, 2},
                                        {1034, 2}, {1036, 6}, {1038, 4}, {1039, 0}, {1042, 5},
                                        {1045, 20}, {1047, 12}, {1048, 31}, {1049, 24},
                                        {1050, 60}, {1051, 60}};
  for (const auto& [id, count] : counts) {
    EXPECT_EQ(Control(dialog, id)->count(), count) << id;
    EXPECT_EQ(Control(dialog, id)->currentIndex(), -1) << id;
  }
  EXPECT_EQ(Control(dialog, 1045)->itemText(19), "2030");
  for (int id : {1045, 1047, 1048, 1049, 1050, 1051}) {
    EXPECT_FALSE(Control(dialog, id)->isEnabled()) << id;
  }
}

TEST_F(SettingDlgTest, ChoosingACardShowsItsFilesAndKeepsFiveCutOffEntries) {
  TestSettingDlg dialog;
  const int first = AddCard(dialog, "first");
  const int second = AddCard(dialog, "second");
  Control(dialog, 1028)->setCurrentIndex(first);
  EXPECT_EQ(zv::CardFilePaths::Instance().setupPath,
            dir_.filePath("first").toStdString() + "/setup.cfg");
  EXPECT_EQ(Control(dialog, 1031)->currentText(), "민감");
  EXPECT_EQ(Control(dialog, 1032)->currentText(), "저화질");
  EXPECT_TRUE(Control<QCheckBox>(dialog, 1035)->isChecked());
  EXPECT_EQ(Control(dialog, 1036)->currentText(), "Level 2");
  EXPECT_EQ(Control(dialog, 1033)->currentText(), "전방");
  EXPECT_EQ(Control(dialog, 1030)->currentText(), "주차상시");
  EXPECT_EQ(Control(dialog, 1043)->currentText(), "30분");
  EXPECT_TRUE(Control<QRadioButton>(dialog, 1041)->isChecked());
  EXPECT_EQ(Control(dialog, 1039)->currentText(), "23.4V");
  EXPECT_EQ(Control(dialog, 1038)->currentText(), "48H");
  EXPECT_EQ(Control(dialog, 1042)->currentText(), "시계");
  EXPECT_EQ(Control(dialog, 1034)->currentText(), "한국어");
  QStringList clock;
  for (int id : {1045, 1047, 1048, 1049, 1050, 1051}) clock << Control(dialog, id)->currentText();
  EXPECT_EQ(clock, QStringList({"2024", "02", "29", "23", "58", "07"}));
  EXPECT_FALSE(Control<QCheckBox>(dialog, 1046)->isChecked());

  Control(dialog, 1028)->setCurrentIndex(second);
  EXPECT_EQ(Control(dialog, 1039)->count(), 5);
  EXPECT_EQ(Entries(Control(dialog, 1039)),
            QStringList({"사용안함", "23.0V", "23.4V", "23.8V", "24.2V"}));
}

TEST_F(SettingDlgTest, ACardWithoutSetupFileClearsTheRecorderControls) {
  TestSettingDlg dialog;
  const int card = AddCard(dialog, "card");
  const int empty = AddCard(dialog, "empty", false);
  Control(dialog, 1028)->setCurrentIndex(card);
  Control<QCheckBox>(dialog, 1046)->setChecked(true);
  Control(dialog, 1028)->setCurrentIndex(empty);
  for (int id : {1031, 1030, 1032, 1036, 1039, 1038, 1042, 1034, 1045, 1051}) {
    EXPECT_EQ(Control(dialog, id)->currentIndex(), -1) << id;
  }
  EXPECT_FALSE(Control<QCheckBox>(dialog, 1035)->isChecked());
  EXPECT_TRUE(Control<QRadioButton>(dialog, 1037)->isChecked());
  EXPECT_FALSE(Control<QCheckBox>(dialog, 1046)->isChecked());
  EXPECT_EQ(Control(dialog, 1033)->currentText(), "전방");   // channels keep their state
  EXPECT_EQ(Control(dialog, 1043)->currentText(), "30분");  // so does the entry time
  // Saving now writes -1 and 0 for the cleared lists.
  dialog.OnCommand(1);
  zv::RecorderSettings expected;
  expected.videoChannels = 0;
  expected.parkingTime = 2;
  EXPECT_EQ(Contents(dir_.filePath("empty").toStdString() + "/setup.cfg").toStdString(),
            zv::SetupFileText(expected));
}

TEST_F(SettingDlgTest, DefaultsFillTheControlsAndWriteNothing) {
  TestSettingDlg dialog;
  Control(dialog, 1028)->setCurrentIndex(AddCard(dialog, "card"));
  const std::string setup = dir_.filePath("card").toStdString() + "/setup.cfg";
  const QByteArray before = Contents(setup);
  Control<QCheckBox>(dialog, 1044)->setChecked(true);
  dialog.OnCommand(1027);
  EXPECT_EQ(Entries(Control(dialog, 1039)),
            QStringList({"사용안함", "11.5V", "11.7V", "11.9V", "12.1V"}));
  const std::pair<int, const char*> expected[] = {
      {1031, "보통 중"}, {1038, "12H"}, {1042, "항상 켬"}, {1030, "주차모드 이벤트"},
      {1043, "5분"}, {1032, "고화질"}, {1033, "전후방"}, {1036, "Level 3"},
      {1039, "11.9V"}, {1034, "한국어"}};
  for (const auto& [id, text] : expected) EXPECT_EQ(Control(dialog, id)->currentText(), text) << id;
  EXPECT_TRUE(Control<QCheckBox>(dialog, 1035)->isChecked());
  EXPECT_TRUE(Control<QRadioButton>(dialog, 1037)->isChecked());
  EXPECT_EQ(Control(dialog, 1045)->currentText(), QString::number(QDate::currentDate().year()));
  EXPECT_EQ(Control<QLineEdit>(dialog, 1040)->text().toStdString(), zv::DefaultCaptureFolder());
  EXPECT_EQ(Control<QLabel>(dialog, 1054)->text(), "5");
  EXPECT_EQ(Control<QSlider>(dialog, 1053)->value(), 5);
  EXPECT_TRUE(Control<QCheckBox>(dialog, 1044)->isChecked());
  EXPECT_FALSE(Control<QCheckBox>(dialog, 1046)->isChecked());
  EXPECT_EQ(Contents(setup), before);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(SettingDlgTest, BatteryTypeRefillsTheCutOffListKeepingItsIndex) {
  TestSettingDlg dialog;
  QTest::mouseClick(Control<QRadioButton>(dialog, 1041), Qt::LeftButton);
  EXPECT_EQ(Control(dialog, 1039)->currentText(), "사용안함");  // nothing selected: entry 0
  Control(dialog, 1039)->setCurrentIndex(3);
  Control<QRadioButton>(dialog, 1037)->click();
  EXPECT_EQ(Control(dialog, 1039)->count(), 5);
  EXPECT_EQ(Control(dialog, 1039)->currentText(), "11.9V");
}

TEST_F(SettingDlgTest, ApplyEnablesTheClockListsAndTheSliderShowsItsValue) {
  TestSettingDlg dialog;
  Control<QCheckBox>(dialog, 1046)->click();
  EXPECT_TRUE(Control(dialog, 1051)->isEnabled());
  EXPECT_EQ(Control(dialog, 1045)->currentText(), QString::number(QDate::currentDate().year()));
  Control<QCheckBox>(dialog, 1046)->click();
  EXPECT_FALSE(Control(dialog, 1051)->isEnabled());
  Control<QSlider>(dialog, 1053)->setValue(7);
  EXPECT_EQ(Control<QLabel>(dialog, 1054)->text(), "7");
}

TEST_F(SettingDlgTest, SaveNeedsADriveThenWritesTheCardAndTheOptions) {
  TestSettingDlg dialog;
  dialog.OnCommand(1);
  EXPECT_EQ(dialog.messages, QStringList({"오류|드라이브를 선택해 주십시오."}));
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  const int card = AddCard(dialog, "card");
  Control(dialog, 1028)->setCurrentIndex(card);
  const std::string root = dir_.filePath("card").toStdString() + "/";
  QFile::remove(QString::fromStdString(root + "setup.cfg"));
  Control(dialog, 1031)->setCurrentIndex(0);
  Control<QLineEdit>(dialog, 1040)->setText("/tmp/shots");
  Control<QSlider>(dialog, 1053)->setValue(8);
  Control<QCheckBox>(dialog, 1044)->setChecked(true);
  dialog.OnCommand(1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  zv::RecorderSettings expected = Sample();
  expected.sensitivity = 0;
  EXPECT_EQ(Contents(root + "setup.cfg").toStdString(), zv::SetupFileText(expected));
  // Apply was not checked: the card's time.cfg is left as it was.
  EXPECT_EQ(Contents(root + "time.cfg").toStdString(), "24/02/29\r\n23/58/07\r\n");
  const zv::ViewerOptions& options = zv::ViewerOptions::Instance();
  EXPECT_EQ(options.saveFolder, "/tmp/shots");
  EXPECT_EQ(options.playStep, 8);
  EXPECT_TRUE(options.rearMirror);
  EXPECT_TRUE(Contents(dialog.optionsPath).contains("PLAY_VALUE=8\r\n"));

  // With Apply checked the clock is written too.
  TestSettingDlg again;
  Control(again, 1028)->setCurrentIndex(AddCard(again, "card"));
  Control<QCheckBox>(again, 1046)->setChecked(true);
  for (int id : {1045, 1047, 1048, 1049, 1050, 1051}) Control(again, id)->setCurrentIndex(1);
  again.OnCommand(1);
  EXPECT_EQ(Contents(root + "time.cfg").toStdString(), "12/02/02\r\n01/01/01\r\n");
}

// Without a readable options file the controls show the options in effect,
// so Save keeps them rather than writing a step of 0.
TEST_F(SettingDlgTest, AnUnreadableOptionsFileKeepsTheOptionsInEffect) {
  zv::ViewerOptions::Instance() = {"/tmp/shots", 7, true};
  ASSERT_FALSE(QFileInfo::exists(QString::fromStdString(zv::OptionsFilePath())));
  TestSettingDlg dialog;
  EXPECT_EQ(Control<QLabel>(dialog, 1054)->text(), "7");
  EXPECT_EQ(Control<QLineEdit>(dialog, 1040)->text(), "/tmp/shots");
  Control(dialog, 1028)->setCurrentIndex(AddCard(dialog, "card"));
  dialog.OnCommand(1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(Contents(dialog.optionsPath).contains("PLAY_VALUE=7\r\n"));
  EXPECT_EQ(zv::ViewerOptions::Instance().playStep, 7);
}

// Nothing is reported as saved unless it was: a card that is gone, or files
// that cannot be written, keep the dialog open with a message.
TEST_F(SettingDlgTest, SaveReportsWhatItCouldNotWriteAndStaysOpen) {
  TestSettingDlg dialog;
  Control(dialog, 1028)->setCurrentIndex(AddCard(dialog, "card"));
  const QString root = dir_.filePath("card");
  ASSERT_TRUE(QDir(root).removeRecursively());  // taken out, or left unmounted
  dialog.OnCommand(1);
  EXPECT_EQ(dialog.messages, QStringList{"오류|드라이브를 찾을 수 없습니다.\n" + root + "/"});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(QFileInfo::exists(root));

  // A setup.cfg that cannot be replaced, and a missing options folder.
  ASSERT_TRUE(QDir().mkpath(root + "/setup.cfg"));
  dialog.optionsPath = dir_.filePath("missing/option.ini").toStdString();
  dialog.messages.clear();
  dialog.OnCommand(1);
  ASSERT_EQ(dialog.messages.size(), 1);
  const QStringList lines = dialog.messages[0].split('\n');
  ASSERT_EQ(lines.size(), 3) << dialog.messages[0].toStdString();
  EXPECT_EQ(lines[0], "오류|설정을 저장하지 못했습니다.");
  EXPECT_TRUE(lines[1].startsWith(root + "/setup.cfg: ")) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(dir_.filePath("missing/option.ini") + ": ")) << lines[2].toStdString();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

// The real message box: shown modally with the text and title, closed here.
TEST_F(SettingDlgTest, SaveWithoutADriveShowsTheErrorBox) {
  CSettingDlg dialog;
  QString text, title;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  });
  QTimer::singleShot(5000, [] {  // guard against a hang
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  dialog.OnCommand(1);
  EXPECT_EQ(text, "드라이브를 선택해 주십시오.");
  EXPECT_EQ(title, "오류");
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(SettingDlgTest, FormatOffersOnlyAllowedCardsAndAsksFirst) {
  TestSettingDlg dialog;
  dialog.OnCommand(1029);  // nothing selected
  const int ext4 = AddCard(dialog, "disk", false, 0xF);
  Control(dialog, 1028)->setCurrentIndex(ext4);
  dialog.OnCommand(1029);  // flags other than 2 or 6
  EXPECT_TRUE(dialog.messages.isEmpty());

  const int card = AddCard(dialog, "card", false, 6);
  Control(dialog, 1028)->setCurrentIndex(card);
  zv::VolumeDescription system;
  system.fileSystemFlags = 6;
  system.onSystemDisk = true;
  dialog.volume = system;
  dialog.OnCommand(1029);
  ASSERT_EQ(dialog.messages.size(), 1);
  EXPECT_TRUE(dialog.messages[0].endsWith(zv::kSystemVolumeRefusal));

  dialog.volume = std::nullopt;  // the real probe: card.img is no file, the folder no mount
  dialog.messages.clear();
  dialog.OnCommand(1029);
  EXPECT_EQ(dialog.messages, QStringList({QGuiApplication::applicationDisplayName() + "|" +
                                          zv::kNotRemovableRefusal}));

  zv::VolumeDescription removable;
  removable.fileSystemFlags = 6;
  removable.removable = true;
  dialog.volume = removable;
  dialog.messages.clear();
  dialog.OnCommand(1029);  // allowed, but its device is not there
  EXPECT_EQ(dialog.messages, QStringList({QGuiApplication::applicationDisplayName() + "|" +
                                          "카드가 마운트되어 있지 않습니다: " + dir_.filePath("card") + "/"}));
  EXPECT_EQ(dialog.formatDialogs, 0);

  // The question names the device, its label, its folder and its size.
  const QString image = dir_.filePath("card/card.img");
  ASSERT_EQ(QProcess::execute("truncate", {"-s", "8M", image}), 0);
  dialog.messages.clear();
  dialog.OnCommand(1029);
  EXPECT_EQ(dialog.messages, QStringList({QGuiApplication::applicationDisplayName() +
                                          "|포맷 하시겠습니까?\n\n장치: " + image + "\n레이블: card\n위치: " +
                                          dir_.filePath("card") + "/\n크기: 8.4 MB"}));
  EXPECT_EQ(dialog.formatDialogs, 0);  // answered No
  dialog.answer = QMessageBox::Yes;
  dialog.OnCommand(1029);
  EXPECT_EQ(dialog.formatDialogs, 1);
}

QString FatLabel(const QString& image) {
  QString tool = QStandardPaths::findExecutable("fatlabel");
  if (tool.isEmpty()) tool = QStandardPaths::findExecutable("fatlabel", {"/usr/sbin", "/sbin"});
  QProcess process;
  process.start(tool, {image});
  process.waitForFinished(10000);
  return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Saves a picture of `window` in screenshots/ beside the test program.
void SaveScreenshot(QWidget& window, const char* name) {
  const QPixmap picture = window.grab();
  ASSERT_FALSE(picture.isNull());
  const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
  QDir().mkpath(folder);
  EXPECT_TRUE(picture.save(folder + "/" + name));
}

TEST_F(SettingDlgTest, FormatDialogFormatsAnImageInTheBackground) {
  const QString image = dir_.filePath("card.img");
  ASSERT_EQ(QProcess::execute("truncate", {"-s", "8M", image}), 0);
  ASSERT_EQ(QProcess::execute(zv::MkfsFatFormatter::ToolPath(), {image}), 0);

  CFormatCardDlg dialog(std::make_unique<zv::MkfsFatFormatter>(image), "CARD(/media/card/)");
  dialog.show();
  QLineEdit* label = dialog.findChild<QLineEdit*>("volumeLabel");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "VARNI");
  label->setText("VARNI2");
  dialog.findChild<QPushButton*>("start")->click();
  EXPECT_TRUE(dialog.IsFormatting());
  dialog.reject();  // refused while the format runs
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsFormatting(); }, 30000));
  EXPECT_TRUE(dialog.Succeeded());
  EXPECT_TRUE(dialog.findChild<QLabel*>("result")->text().startsWith("포맷이 끝났습니다."));
  EXPECT_EQ(FatLabel(image), "VARNI2");
  SaveScreenshot(dialog, "CFormatCardDlg.png");
  dialog.findChild<QPushButton*>("cancel")->click();
  EXPECT_FALSE(dialog.isVisible());
}

// Drives the real format dialog once it is shown: `onShown` runs with it,
// and when a format it started has ended, the dialog is closed.
class FormatDialogDriver {
 public:
  explicit FormatDialogDriver(std::function<void(CFormatCardDlg&)> onShown) : onShown_(std::move(onShown)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(50);
  }
  QString status;  // the dialog's last result text

 private:
  void Poll() {
    auto* dialog = qobject_cast<CFormatCardDlg*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (!shown_) {
      shown_ = true;
      onShown_(*dialog);
      return;
    }
    if (dialog->IsFormatting()) return;
    status = dialog->findChild<QLabel*>("result")->text();
    dialog->findChild<QPushButton*>("cancel")->click();
  }
  std::function<void(CFormatCardDlg&)> onShown_;
  QTimer timer_;
  bool shown_ = false;
};

class FormatAndSaveTest : public SettingDlgTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(QProcess::execute("truncate", {"-s", "8M", image_}), 0);
    ASSERT_EQ(QProcess::execute(zv::MkfsFatFormatter::ToolPath(), {"-n", "CARD", image_}), 0);
    ASSERT_TRUE(QDir().mkpath(dir_.filePath("media/CARD")));
    dialog_.answer = QMessageBox::Yes;
    dialog_.runFormatDialog = true;
    Control(dialog_, 1028)->addItem("CARD", QVariant::fromValue(card_));
    Control(dialog_, 1028)->setCurrentIndex(Control(dialog_, 1028)->count() - 1);
  }
  static void Start(CFormatCardDlg& dialog) { dialog.findChild<QPushButton*>("start")->click(); }

  const QString image_ = dir_.filePath("card.img");
  const zv::DriveEntry card_{dir_.filePath("media/CARD/").toStdString(), image_.toStdString(), "CARD", "vfat", 6};
  TestSettingDlg dialog_;
};

// After a format the card is found where it is mounted now (here under its
// new label) and Save writes there; a card that did not come back leaves
// nothing chosen, and Save asks for a drive.
TEST_F(FormatAndSaveTest, AfterAFormatTheListIsReadAgainAndSaveWritesToTheCard) {
  const zv::DriveEntry remounted{dir_.filePath("media/VARNI/").toStdString(), card_.devicePath, "VARNI", "vfat", 6};
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("media/VARNI")));
  ASSERT_TRUE(QDir(dir_.filePath("media/CARD")).removeRecursively());  // the old mount point is gone
  dialog_.drives = {remounted};
  FormatDialogDriver driver(&FormatAndSaveTest::Start);
  dialog_.OnCommand(1029);
  EXPECT_TRUE(driver.status.startsWith("포맷이 끝났습니다.")) << driver.status.toStdString();
  EXPECT_EQ(FatLabel(image_), "VARNI");
  ASSERT_EQ(Control(dialog_, 1028)->count(), 1);
  EXPECT_EQ(Control(dialog_, 1028)->currentIndex(), 0);
  EXPECT_EQ(Control(dialog_, 1031)->currentIndex(), -1);  // a fresh card has no settings file
  dialog_.OnCommand(1);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("media/VARNI/setup.cfg")));

  TestSettingDlg again;
  again.answer = QMessageBox::Yes;
  again.runFormatDialog = true;
  Control(again, 1028)->addItem("VARNI", QVariant::fromValue(remounted));
  Control(again, 1028)->setCurrentIndex(Control(again, 1028)->count() - 1);
  FormatDialogDriver secondDriver(&FormatAndSaveTest::Start);
  again.OnCommand(1029);  // this time the card does not come back
  EXPECT_EQ(Control(again, 1028)->currentIndex(), -1);
  again.messages.clear();
  again.OnCommand(1);
  EXPECT_EQ(again.messages, QStringList({"오류|드라이브를 선택해 주십시오."}));
  EXPECT_NE(again.result(), QDialog::Accepted);
}

// Right before formatting the device is checked again: another file in the
// image's place (a card swapped meanwhile) is not formatted.
TEST_F(FormatAndSaveTest, ACardThatChangedBeforeStartIsNotFormatted) {
  FormatDialogDriver driver([this](CFormatCardDlg& dialog) {
    ASSERT_TRUE(QFile::rename(image_, image_ + ".old"));
    ASSERT_EQ(QProcess::execute("truncate", {"-s", "8M", image_}), 0);
    Start(dialog);
  });
  dialog_.OnCommand(1029);
  EXPECT_TRUE(driver.status.startsWith("포맷하지 않았습니다.\n카드가 바뀌었습니다")) << driver.status.toStdString();
  EXPECT_EQ(FatLabel(image_ + ".old"), "CARD");
  QFile swapped(image_);
  ASSERT_TRUE(swapped.open(QIODevice::ReadOnly));
  EXPECT_EQ(swapped.readAll(), QByteArray(8 * 1024 * 1024, '\0'));  // untouched
}

// Renders the dialog with a generated card chosen, for a look at its layout.
TEST_F(SettingDlgTest, GrabsTheDialogWithACardChosen) {
  TestSettingDlg dialog;
  Control(dialog, 1028)->setCurrentIndex(AddCard(dialog, "CARD"));
  Control<QLineEdit>(dialog, 1040)->setText(QDir::homePath() + "/Documents/CAM_CAPTURE");
  Control<QSlider>(dialog, 1053)->setValue(5);
  dialog.adjustSize();
  SaveScreenshot(dialog, "CSettingDlg.png");
}

}  // namespace
