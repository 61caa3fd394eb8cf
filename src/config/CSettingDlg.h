// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QMetaType>
#include <QStringList>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/OptionsFiles.h"
#include "config/RecorderClock.h"
#include "config/RecorderSettings.h"
#include "platform/DeviceIdentity.h"
#include "platform/DriveEntry.h"
#include "platform/FormatPolicy.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

Q_DECLARE_METATYPE(zv::DriveEntry)

// The settings dialog "환경 설정": the recorder's settings on the chosen card
// (setup.cfg and time.cfg), the card's drive and its formatting, and the
// viewer's own options. Every control carries its command id as its object
// name ("1031"). Opened modally by the main window; a new dialog per opening.
class CSettingDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CSettingDlg(QWidget* parent = nullptr);
  ~CSettingDlg() override;

  // Fills the recorder controls from the card's files. False, with the
  // controls cleared, when setup.cfg cannot be opened.
  bool ReadRecorderSettings(const std::string& setupPath, const std::string& timePath);
  // Writes setup.cfg, and time.cfg when Apply is checked. False when a file
  // cannot be written.
  bool WriteRecorderSettings(const std::string& setupPath, const std::string& timePath);
  void ClearRecorderControls();
  void SetTimeListsToNow();

  // Lists the machine's volumes in the drive list, none selected.
  void FillDriveList();
  // The Format button: offers to format the selected card, naming its
  // device, label and size, and checks right before formatting that it is
  // still the same device. Afterwards the drive list is read again and the
  // card chosen where it is mounted now (none when it is not mounted).
  void FormatCard();

  // Runs the command of a button.
  void OnCommand(int id);

 protected:
  // Message boxes go through here, so that a test can answer them.
  virtual int ShowMessageBox(const QString& text, const QString& title,
                             QMessageBox::StandardButtons buttons, QMessageBox::Icon icon);
  // What the format policy knows about a listed volume.
  virtual zv::VolumeDescription DescribeVolume(const zv::DriveEntry& drive) const;
  // The device behind a listed volume now; none, with the reason, when it
  // is gone or replaced.
  virtual std::optional<zv::DeviceIdentity> IdentifyDevice(const zv::DriveEntry& drive,
                                                           std::string& reason) const;
  // The volumes the drive list shows.
  virtual std::vector<zv::DriveEntry> Drives() const;
  // Opens the format dialog for the drive, which must still be the device
  // `identity` describes when formatting starts, and returns when it is closed.
  virtual void RunFormatDialog(const zv::DriveEntry& drive, const zv::DeviceIdentity& identity);
  // Where Save writes the viewer options: the program's options file.
  virtual zv::OptionsFiles ViewerOptionsFiles() const;

 private:
  void BuildControls();
  // One row of a group box: a label and a drop-down list with its entries.
  struct ListRow {
    QString label;
    int id;
    QStringList entries;
  };
  QGroupBox* BuildRecorderSection();
  QGroupBox* BuildDriveGroup();
  QGroupBox* BuildListGroup(const QString& title, const QString& description,
                            const std::vector<ListRow>& rows);
  QGroupBox* BuildAudioGroup();
  QGroupBox* BuildPowerGroup();
  QGroupBox* BuildTimeGroup();
  QGroupBox* BuildViewerSection();
  QComboBox* AddList(int id, const QStringList& entries);
  void FillLists();
  void ShowViewerOptions();

  QComboBox* List(int id) const;
  void FillCutOffList(bool truckBattery);
  zv::RecorderSettings SettingsFromControls() const;
  void ShowSettings(const zv::RecorderSettings& settings);
  zv::RecorderClock ClockFromLists() const;
  void SelectClock(const zv::RecorderClock& clock);

  // The drive entry of the drive list's selection; none without one.
  std::optional<zv::DriveEntry> SelectedDrive() const;
  void OnDriveSelected(int index);
  // After a format: the list read again, the card chosen by its device.
  void RefreshDrives(const std::string& devicePath);
  // Why the drive must not be formatted now; empty when it is `identity` still.
  QString DeviceChange(const zv::DriveEntry& drive, const zv::DeviceIdentity& identity) const;
  void OnDefaults();
  void OnBatteryType(bool truckBattery);
  void OnApplyToggled(bool checked);
  void OnSliderMoved(int position);
  void OnChangeFolder();
  void OnSave();

  std::map<int, QComboBox*> lists_;
  QComboBox* driveList_ = nullptr;
  QCheckBox* recordAudio_ = nullptr;    // 1035
  QRadioButton* carBattery_ = nullptr;  // 1037
  QRadioButton* truckBattery_ = nullptr;  // 1041
  QButtonGroup* batteryGroup_ = nullptr;
  QCheckBox* applyClock_ = nullptr;     // 1046
  QLineEdit* saveFolder_ = nullptr;     // 1040
  QSlider* playStep_ = nullptr;         // 1053
  QLabel* playStepText_ = nullptr;      // 1054
  QCheckBox* rearMirror_ = nullptr;     // 1044
  bool cutOffListTruck_ = false;        // battery type of the cut-off list's entries
  std::vector<std::string> writeFailures_;  // "path: reason" of each file Save could not write
};
