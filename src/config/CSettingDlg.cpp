// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/CSettingDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "config/CFormatCardDlg.h"
#include "config/CardFilePaths.h"
#include "config/LeadingInteger.h"
#include "config/OptionsFiles.h"
#include "config/ViewerOptions.h"
#include "platform/CardFormatterFactory.h"
#include "platform/DriveList.h"
#include "platform/VolumeProbe.h"

namespace {

// Command ids of the dialog's controls.
enum : int {
  kSave = 1, kCancel = 2, kDefaults = 1027, kDrives = 1028, kFormat = 1029,
  kParkingMode = 1030, kSensitivity = 1031, kQuality = 1032, kChannels = 1033,
  kLanguage = 1034, kRecordAudio = 1035, kSpeakerVolume = 1036, kCarBattery = 1037,
  kPowerOffTimer = 1038, kCutOffVoltage = 1039, kSaveFolder = 1040, kTruckBattery = 1041,
  kLcdOff = 1042, kParkingTime = 1043, kRearMirror = 1044, kYear = 1045, kApplyClock = 1046,
  kMonth = 1047, kDay = 1048, kHour = 1049, kMinute = 1050, kSecond = 1051,
  kChangeFolder = 1052, kPlayStep = 1053, kPlayStepText = 1054,
};

constexpr int kClockLists[] = {kYear, kMonth, kDay, kHour, kMinute, kSecond};

const QStringList kCarCutOff = {"사용안함", "11.5V", "11.7V", "11.9V", "12.1V"};
const QStringList kTruckCutOff = {"사용안함", "23.0V", "23.4V", "23.8V", "24.2V"};

QStringList NumberTexts(int first, int last, int width) {
  QStringList texts;
  for (int n = first; n <= last; ++n) texts << QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
  return texts;
}

QString Id(int id) { return QString::number(id); }

QLabel* Description(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setStyleSheet(QStringLiteral("color: #5a5a5a;"));
  return label;
}

// A group box whose rows are a label and a control (or a row of controls).
QGroupBox* Group(const QString& title, QWidget* parent, QGridLayout*& grid) {
  auto* box = new QGroupBox(title, parent);
  grid = new QGridLayout(box);
  grid->setColumnStretch(1, 1);
  return box;
}

void AddRow(QGridLayout* grid, const QString& label, QWidget* control) {
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0);
  grid->addWidget(control, row, 1);
}

void AddRow(QGridLayout* grid, const QString& label, QLayout* controls) {
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0);
  grid->addLayout(controls, row, 1);
}

void AddWide(QGridLayout* grid, QWidget* widget) {
  grid->addWidget(widget, grid->rowCount(), 0, 1, 2);
}

QPushButton* Button(int id, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(Id(id));
  button->setAutoDefault(false);
  return button;
}

void SelectByPrefix(QComboBox* list, const std::string& text) {
  if (text.empty()) return;
  const int index = list->findText(QString::fromStdString(text), Qt::MatchStartsWith);
  if (index >= 0) list->setCurrentIndex(index);
}

}  // namespace

CSettingDlg::CSettingDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("환경 설정"));
  BuildControls();
  // Opening: the drives first, then the lists, then the viewer's options.
  FillDriveList();
  FillLists();
  // The controls show the options in effect, also when the file cannot be
  // read (none yet, or unreadable): Save then keeps them instead of writing
  // an empty folder and a step of 0.
  const std::string optionsPath = zv::OptionsFiles::Running().ToRead();
  if (!zv::ReadViewerOptions(optionsPath, zv::ViewerOptions::Instance()) &&
      QFileInfo::exists(QString::fromStdString(optionsPath))) {
    QTimer::singleShot(0, this, [this, optionsPath] {
      ShowMessageBox(QStringLiteral("옵션 파일을 읽을 수 없습니다.\n") + QString::fromStdString(optionsPath),
                     QStringLiteral("오류"), QMessageBox::Ok, QMessageBox::Warning);
    });
  }
  ShowViewerOptions();
  for (int id : kClockLists) List(id)->setEnabled(false);

  connect(driveList_, &QComboBox::currentIndexChanged, this, &CSettingDlg::OnDriveSelected);
  connect(applyClock_, &QCheckBox::toggled, this, &CSettingDlg::OnApplyToggled);
  connect(playStep_, &QSlider::valueChanged, this, &CSettingDlg::OnSliderMoved);
  for (QPushButton* button : findChildren<QPushButton*>()) {
    const int id = button->objectName().toInt();
    connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
  }
  connect(carBattery_, &QRadioButton::clicked, this, [this] { OnCommand(kCarBattery); });
  connect(truckBattery_, &QRadioButton::clicked, this, [this] { OnCommand(kTruckBattery); });
}

CSettingDlg::~CSettingDlg() = default;

// ---------------------------------------------------------------- building

void CSettingDlg::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildRecorderSection());
  layout->addWidget(BuildViewerSection());
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button(kDefaults, QStringLiteral("기본값"), this));
  buttons->addStretch();
  QPushButton* save = Button(kSave, QStringLiteral("저장"), this);
  save->setDefault(true);
  buttons->addWidget(save);
  buttons->addWidget(Button(kCancel, QStringLiteral("취소"), this));
  layout->addLayout(buttons);
  // Rows stay at the top of their group box when a neighbour is taller.
  for (QGroupBox* box : findChildren<QGroupBox*>()) {
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
      grid->setRowStretch(grid->rowCount(), 1);
    }
  }
}

QComboBox* CSettingDlg::AddList(int id, const QStringList& entries) {
  auto* list = new QComboBox(this);
  list->setObjectName(Id(id));
  list->setMinimumContentsLength(8);
  list->setProperty("entries", entries);
  lists_[id] = list;
  return list;
}

QGroupBox* CSettingDlg::BuildRecorderSection() {
  auto* section = new QGroupBox(QStringLiteral("Zorvane 환경 설정"), this);
  auto* columns = new QGridLayout(section);
  columns->addWidget(BuildDriveGroup(), 0, 0);
  columns->addWidget(BuildListGroup(QStringLiteral("충격 감도 설정"),
                                    QStringLiteral("G-Sensor의 충격량을 설정합니다."),
                                    {{QStringLiteral("X-axis,Y-axis,Z-axis"), kSensitivity,
                                      {"끔", "둔감", "보통 하", "보통 중", "보통 상", "민감",
                                       "아주 민감"}}}),
                     1, 0);
  columns->addWidget(BuildListGroup(QStringLiteral("언어 설정"),
                                    QStringLiteral("Zorvane의 언어를 설정합니다."),
                                    {{QStringLiteral("언어 선택"), kLanguage, {"영어", "한국어"}}}),
                     2, 0);
  columns->addWidget(
      BuildListGroup(QStringLiteral("주차 설정"), QString(),
                     {{QStringLiteral("주차모드 전환"), kParkingMode, {"주차모드 이벤트", "주차상시"}},
                      {QStringLiteral("주차모드 진입시간"), kParkingTime,
                       {"5분", "15분", "30분", "사용안함"}}}),
      0, 1);
  columns->addWidget(
      BuildListGroup(QStringLiteral("비디오 설정"), QString(),
                     {{QStringLiteral("녹화품질"), kQuality, {"저화질", "일반화질", "고화질"}},
                      {QStringLiteral("비디오 채널"), kChannels, {"전방", "전후방"}}}),
      1, 1);
  columns->addWidget(BuildAudioGroup(), 2, 1);
  columns->addWidget(BuildPowerGroup(), 0, 2, 2, 1);
  columns->addWidget(BuildTimeGroup(), 2, 2);
  for (int c = 0; c < 3; ++c) columns->setColumnStretch(c, 1);
  return section;
}

QGroupBox* CSettingDlg::BuildDriveGroup() {
  QGridLayout* g = nullptr;
  QGroupBox* drive = Group(QStringLiteral("드라이브 선택"), this, g);
  driveList_ = new QComboBox(this);
  driveList_->setObjectName(Id(kDrives));
  driveList_->setMinimumContentsLength(24);
  auto* driveRow = new QHBoxLayout;
  driveRow->addWidget(driveList_, 1);
  driveRow->addWidget(Button(kFormat, QStringLiteral("포맷"), this));
  AddRow(g, QStringLiteral("드라이브"), driveRow);
  AddWide(g, Description(QStringLiteral("설정파일을 저장할 드라이브를 설정합니다."), drive));
  return drive;
}

QGroupBox* CSettingDlg::BuildListGroup(const QString& title, const QString& description,
                                       const std::vector<ListRow>& rows) {
  QGridLayout* g = nullptr;
  QGroupBox* box = Group(title, this, g);
  if (!description.isEmpty()) AddWide(g, Description(description, box));
  for (const ListRow& row : rows) AddRow(g, row.label, AddList(row.id, row.entries));
  return box;
}

QGroupBox* CSettingDlg::BuildAudioGroup() {
  QGridLayout* g = nullptr;
  QGroupBox* audio = Group(QStringLiteral("오디오 설정"), this, g);
  recordAudio_ = new QCheckBox(QStringLiteral("오디오 녹음"), this);
  recordAudio_->setObjectName(Id(kRecordAudio));
  AddRow(g, QStringLiteral("오디오 상태"), recordAudio_);
  AddRow(g, QStringLiteral("스피커 볼륨"),
         AddList(kSpeakerVolume, {"뮤트", "Level 1", "Level 2", "Level 3", "Level 4", "Level 5"}));
  return audio;
}

QGroupBox* CSettingDlg::BuildPowerGroup() {
  QGridLayout* g = nullptr;
  QGroupBox* power = Group(QString(), this, g);
  AddRow(g, QStringLiteral("타이머 차단"), AddList(kPowerOffTimer, {"6H", "12H", "24H", "48H"}));
  carBattery_ = new QRadioButton(QStringLiteral("승용차(12V)"), this);
  carBattery_->setObjectName(Id(kCarBattery));
  truckBattery_ = new QRadioButton(QStringLiteral("트    럭(24V)"), this);
  truckBattery_->setObjectName(Id(kTruckBattery));
  batteryGroup_ = new QButtonGroup(this);
  batteryGroup_->addButton(carBattery_);
  batteryGroup_->addButton(truckBattery_);
  carBattery_->setChecked(true);
  auto* batteryRow = new QHBoxLayout;
  batteryRow->addWidget(carBattery_);
  batteryRow->addWidget(truckBattery_);
  batteryRow->addStretch();
  AddRow(g, QStringLiteral("차량배터리 "), batteryRow);
  AddRow(g, QStringLiteral("차단전압"), AddList(kCutOffVoltage, {}));
  AddRow(g, QStringLiteral("LCD OFF"),
         AddList(kLcdOff, {"항상 켬", "30초", "1분", "5분", "시계"}));
  return power;
}

QGroupBox* CSettingDlg::BuildTimeGroup() {
  QGridLayout* g = nullptr;
  QGroupBox* time = Group(QStringLiteral(" Zorvane 시간 설정"), this, g);
  applyClock_ = new QCheckBox(QStringLiteral("적용"), this);
  applyClock_->setObjectName(Id(kApplyClock));
  AddWide(g, applyClock_);
  const auto row = [this](int first, int second, int third, const QStringList& a,
                          const QStringList& b, const QStringList& c) {
    auto* line = new QHBoxLayout;
    for (QComboBox* list : {AddList(first, a), AddList(second, b), AddList(third, c)}) {
      list->setMinimumContentsLength(2);
      line->addWidget(list);
    }
    return line;
  };
  AddRow(g, QStringLiteral("날짜"),
         row(kYear, kMonth, kDay, NumberTexts(2011, 2030, 4), NumberTexts(1, 12, 2),
             NumberTexts(1, 31, 2)));
  AddRow(g, QStringLiteral("시간"),
         row(kHour, kMinute, kSecond, NumberTexts(0, 23, 2), NumberTexts(0, 59, 2),
             NumberTexts(0, 59, 2)));
  return time;
}

QGroupBox* CSettingDlg::BuildViewerSection() {
  auto* section = new QGroupBox(QStringLiteral(" Zorvane 뷰어 환경 설정"), this);
  auto* columns = new QHBoxLayout(section);
  QGridLayout* g = nullptr;

  QGroupBox* folder = Group(QStringLiteral("저장 폴더 위치 설정"), section, g);
  AddWide(g, Description(QStringLiteral("캡처 이미지 저장 폴더를 설치합니다."), folder));
  saveFolder_ = new QLineEdit(this);
  saveFolder_->setObjectName(Id(kSaveFolder));
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(saveFolder_, 1);
  folderRow->addWidget(Button(kChangeFolder, QStringLiteral("변경"), this));
  AddRow(g, QStringLiteral("폴더"), folderRow);

  QGroupBox* step = Group(QStringLiteral("영상 간격 설정"), section, g);
  AddWide(g, Description(
      QStringLiteral("영상을 재생중 앞으로, 뒤로 감기 버튼 선택시 이동 간격을 선택합니다."), step));
  playStep_ = new QSlider(Qt::Horizontal, this);
  playStep_->setObjectName(Id(kPlayStep));
  playStep_->setRange(1, 10);
  playStep_->setTickPosition(QSlider::TicksBelow);
  playStep_->setPageStep(1);
  playStepText_ = new QLabel(this);
  playStepText_->setObjectName(Id(kPlayStepText));
  playStepText_->setMinimumWidth(24);
  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(playStep_, 1);
  stepRow->addWidget(playStepText_);
  g->addLayout(stepRow, g->rowCount(), 0, 1, 2);

  QGridLayout* mirrorGrid = nullptr;
  QGroupBox* mirror = Group(QStringLiteral("후방영상"), section, mirrorGrid);
  rearMirror_ = new QCheckBox(QStringLiteral("후방영상 반전"), this);
  rearMirror_->setObjectName(Id(kRearMirror));
  AddWide(mirrorGrid, rearMirror_);
  mirrorGrid->setRowStretch(mirrorGrid->rowCount(), 1);

  columns->addWidget(folder, 3);
  columns->addWidget(step, 3);
  columns->addWidget(mirror, 1);
  return section;
}

// ----------------------------------------------------------------- opening

void CSettingDlg::FillDriveList() {
  driveList_->clear();
  for (const zv::DriveEntry& drive : Drives()) {
    driveList_->addItem(QString::fromStdString(drive.Text()), QVariant::fromValue(drive));
  }
  driveList_->setCurrentIndex(-1);
}

void CSettingDlg::FillLists() {
  for (auto& [id, list] : lists_) {
    list->addItems(list->property("entries").toStringList());
    list->setCurrentIndex(-1);
    // The layout may squeeze a list to its minimum; that minimum holds its
    // longest entry ("주차모드 이벤트"), so no chosen entry is cut off.
    list->setMinimumWidth(list->sizeHint().width());
  }
}

void CSettingDlg::ShowViewerOptions() {
  const zv::ViewerOptions& options = zv::ViewerOptions::Instance();
  saveFolder_->setText(QString::fromStdString(options.saveFolder));
  playStep_->blockSignals(true);  // the text shows the step itself, even out of range
  playStep_->setValue(options.playStep);
  playStep_->blockSignals(false);
  playStepText_->setText(QString::number(options.playStep));
  rearMirror_->setChecked(options.rearMirror);
}

// --------------------------------------------------------- controls, files

QComboBox* CSettingDlg::List(int id) const { return lists_.at(id); }

void CSettingDlg::FillCutOffList(bool truckBattery) {
  QComboBox* list = List(kCutOffVoltage);
  list->clear();
  list->addItems(truckBattery ? kTruckCutOff : kCarCutOff);
  list->setCurrentIndex(-1);
  cutOffListTruck_ = truckBattery;
}

zv::RecorderSettings CSettingDlg::SettingsFromControls() const {
  zv::RecorderSettings s;
  s.sensitivity = List(kSensitivity)->currentIndex();
  s.quality = List(kQuality)->currentIndex();
  s.recordAudio = recordAudio_->isChecked();
  s.speakerVolume = List(kSpeakerVolume)->currentIndex();
  s.videoChannels = List(kChannels)->currentIndex();
  s.parkingMode = List(kParkingMode)->currentIndex();
  s.parkingTime = List(kParkingTime)->currentIndex();
  s.truckBattery = !carBattery_->isChecked();
  s.cutOffVoltage = List(kCutOffVoltage)->currentIndex();
  s.powerOffTimer = List(kPowerOffTimer)->currentIndex();
  s.lcdOffTime = List(kLcdOff)->currentIndex();
  s.cutOffListFilled = List(kCutOffVoltage)->count() > 0;
  return s;
}

void CSettingDlg::ShowSettings(const zv::RecorderSettings& s) {
  List(kSensitivity)->setCurrentIndex(s.sensitivity);
  List(kQuality)->setCurrentIndex(s.quality);
  recordAudio_->setChecked(s.recordAudio);
  List(kSpeakerVolume)->setCurrentIndex(s.speakerVolume);
  List(kChannels)->setCurrentIndex(s.videoChannels);
  List(kParkingMode)->setCurrentIndex(s.parkingMode);
  List(kParkingTime)->setCurrentIndex(s.parkingTime);
  (s.truckBattery ? truckBattery_ : carBattery_)->setChecked(true);
  QComboBox* cutOff = List(kCutOffVoltage);
  if (s.cutOffListFilled && (cutOff->count() == 0 || cutOffListTruck_ != s.truckBattery)) {
    FillCutOffList(s.truckBattery);
  }
  cutOff->setCurrentIndex(s.cutOffVoltage);
  List(kPowerOffTimer)->setCurrentIndex(s.powerOffTimer);
  List(kLcdOff)->setCurrentIndex(s.lcdOffTime);
}

zv::RecorderClock CSettingDlg::ClockFromLists() const {
  const auto text = [this](int id) { return List(id)->currentText().toStdString(); };
  return {text(kYear), text(kMonth), text(kDay), text(kHour), text(kMinute), text(kSecond)};
}

void CSettingDlg::SelectClock(const zv::RecorderClock& clock) {
  SelectByPrefix(List(kYear), clock.year);
  SelectByPrefix(List(kMonth), clock.month);
  SelectByPrefix(List(kDay), clock.day);
  SelectByPrefix(List(kHour), clock.hour);
  SelectByPrefix(List(kMinute), clock.minute);
  SelectByPrefix(List(kSecond), clock.second);
}

bool CSettingDlg::ReadRecorderSettings(const std::string& setupPath, const std::string& timePath) {
  zv::RecorderSettings settings = SettingsFromControls();
  if (!zv::ReadSetupFile(setupPath, settings)) {
    ClearRecorderControls();
    return false;
  }
  ShowSettings(settings);
  List(kLanguage)->setCurrentIndex(1);  // the file has no language: always 한국어
  zv::RecorderClock clock;
  if (zv::ReadTimeFile(timePath, clock)) SelectClock(clock);
  return true;
}

bool CSettingDlg::WriteRecorderSettings(const std::string& setupPath,
                                        const std::string& timePath) {
  std::string error;
  if (!zv::WriteSetupFile(setupPath, SettingsFromControls(), &error)) {
    writeFailures_.push_back(setupPath + ": " + error);
    return false;
  }
  if (applyClock_->isChecked() && !zv::WriteTimeFile(timePath, ClockFromLists(), &error)) {
    writeFailures_.push_back(timePath + ": " + error);
    return false;
  }
  return true;
}

void CSettingDlg::ClearRecorderControls() {
  for (int id : {kSensitivity, kParkingMode, kQuality, kSpeakerVolume, kCutOffVoltage,
                 kPowerOffTimer, kLcdOff, kLanguage}) {
    List(id)->setCurrentIndex(-1);
  }
  recordAudio_->setChecked(false);
  carBattery_->setChecked(true);
  applyClock_->setChecked(false);
  for (int id : kClockLists) List(id)->setCurrentIndex(-1);
}

void CSettingDlg::SetTimeListsToNow() {
  const QDateTime now = QDateTime::currentDateTime();
  const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')).toStdString(); };
  SelectClock({QStringLiteral("%1").arg(now.date().year(), 4, 10, QLatin1Char('0')).toStdString(),
               two(now.date().month()), two(now.date().day()), two(now.time().hour()),
               two(now.time().minute()), two(now.time().second())});
}

// ---------------------------------------------------------------- commands

void CSettingDlg::OnCommand(int id) {
  switch (id) {
    case kSave: OnSave(); break;
    case kCancel: reject(); break;
    case kDefaults: OnDefaults(); break;
    case kFormat: FormatCard(); break;
    case kCarBattery: OnBatteryType(false); break;
    case kTruckBattery: OnBatteryType(true); break;
    case kChangeFolder: OnChangeFolder(); break;
    default: break;
  }
}

void CSettingDlg::OnDriveSelected(int index) {
  if (index < 0) return;
  const QVariant data = driveList_->itemData(index);
  if (!data.canConvert<zv::DriveEntry>()) return;
  zv::CardFilePaths& paths = zv::CardFilePaths::Instance();
  paths.SetCardRoot(data.value<zv::DriveEntry>().rootPath);
  ReadRecorderSettings(paths.setupPath, paths.timePath);
}

void CSettingDlg::OnDefaults() {
  FillCutOffList(false);
  List(kSensitivity)->setCurrentIndex(3);
  List(kPowerOffTimer)->setCurrentIndex(1);
  List(kLcdOff)->setCurrentIndex(0);
  List(kParkingMode)->setCurrentIndex(0);
  List(kParkingTime)->setCurrentIndex(0);
  List(kQuality)->setCurrentIndex(2);
  List(kChannels)->setCurrentIndex(1);
  List(kSpeakerVolume)->setCurrentIndex(3);
  List(kCutOffVoltage)->setCurrentIndex(3);
  List(kLanguage)->setCurrentIndex(1);
  recordAudio_->setChecked(true);
  carBattery_->setChecked(true);
  SetTimeListsToNow();
  saveFolder_->setText(QString::fromStdString(zv::DefaultCaptureFolder()));
  playStepText_->setText(QStringLiteral("5"));
  playStep_->setValue(5);
}

void CSettingDlg::OnBatteryType(bool truckBattery) {
  const int selected = List(kCutOffVoltage)->currentIndex();
  FillCutOffList(truckBattery);
  List(kCutOffVoltage)->setCurrentIndex(selected >= 0 ? selected : 0);
}

void CSettingDlg::OnApplyToggled(bool checked) {
  if (checked) SetTimeListsToNow();
  for (int id : kClockLists) List(id)->setEnabled(checked);
}

void CSettingDlg::OnSliderMoved(int position) {
  playStepText_->setText(QString::number(position));
}

void CSettingDlg::OnChangeFolder() {
  const QString folder = QFileDialog::getExistingDirectory(nullptr, QStringLiteral("selec Folder"));
  if (!folder.isEmpty()) saveFolder_->setText(folder);
}

void CSettingDlg::OnSave() {
  if (driveList_->currentIndex() < 0) {
    ShowMessageBox(QStringLiteral("드라이브를 선택해 주십시오."), QStringLiteral("오류"),
                   QMessageBox::Ok, QMessageBox::Warning);
    return;
  }
  // A card that is gone (taken out, or left unmounted by a format) is not
  // written to: its folder would be a plain folder of this machine, or none.
  const std::optional<zv::DriveEntry> drive = SelectedDrive();
  const QString root = drive ? QString::fromStdString(drive->rootPath) : QString();
  if (!QFileInfo(root).isDir()) {
    ShowMessageBox(QStringLiteral("드라이브를 찾을 수 없습니다.\n") + root, QStringLiteral("오류"),
                   QMessageBox::Ok, QMessageBox::Warning);
    return;
  }
  writeFailures_.clear();
  const zv::CardFilePaths& paths = zv::CardFilePaths::Instance();
  WriteRecorderSettings(paths.setupPath, paths.timePath);
  // The options take effect in the running program whether or not their
  // file can be written.
  zv::ViewerOptions& options = zv::ViewerOptions::Instance();
  options.saveFolder = saveFolder_->text().toStdString();
  options.playStep = zv::LeadingDecimalInteger(playStepText_->text().toStdString());
  options.rearMirror = rearMirror_->isChecked();
  const zv::OptionsFiles files = ViewerOptionsFiles();
  std::string error;
  if (!files.Write(options, &error)) writeFailures_.push_back(files.path + ": " + error);
  if (!writeFailures_.empty()) {
    // Nothing is reported as saved unless it was: the dialog stays open.
    QString text = QStringLiteral("설정을 저장하지 못했습니다.");
    for (const std::string& failure : writeFailures_) text += QLatin1Char('\n') + QString::fromStdString(failure);
    ShowMessageBox(text, QStringLiteral("오류"), QMessageBox::Ok, QMessageBox::Warning);
    return;
  }
  accept();
}

// ------------------------------------------------------------- formatting

std::optional<zv::DriveEntry> CSettingDlg::SelectedDrive() const {
  const int index = driveList_->currentIndex();
  if (index < 0) return std::nullopt;
  const QVariant data = driveList_->itemData(index);
  if (!data.canConvert<zv::DriveEntry>()) return std::nullopt;
  return data.value<zv::DriveEntry>();
}

void CSettingDlg::FormatCard() {
  const std::optional<zv::DriveEntry> selected = SelectedDrive();
  if (!selected) return;
  const zv::DriveEntry drive = *selected;
  const QString title = QGuiApplication::applicationDisplayName();
  const zv::FormatDecision decision = zv::DecideCardFormat(DescribeVolume(drive));
  if (decision.verdict == zv::FormatVerdict::Ignored) return;
  if (decision.verdict != zv::FormatVerdict::Allowed) {
    ShowMessageBox(QString::fromStdString(decision.message), title, QMessageBox::Ok, QMessageBox::Warning);
    return;
  }
  // The device the list was made with must be the one there now.
  std::string reason;
  const std::optional<zv::DeviceIdentity> identity = IdentifyDevice(drive, reason);
  if (!identity) {
    ShowMessageBox(QString::fromStdString(reason), title, QMessageBox::Ok, QMessageBox::Warning);
    return;
  }
  const QString question = QStringLiteral("포맷 하시겠습니까?\n\n장치: %1\n레이블: %2\n위치: %3\n크기: %4")
                               .arg(QString::fromStdString(drive.devicePath),
                                    drive.label.empty() ? QStringLiteral("(없음)") : QString::fromStdString(drive.label),
                                    QString::fromStdString(drive.rootPath),
                                    QString::fromStdString(zv::CardSizeText(identity->sizeBytes)));
  if (ShowMessageBox(question, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) !=
      QMessageBox::Yes) {
    return;
  }
  RunFormatDialog(drive, *identity);
  RefreshDrives(drive.devicePath);
}

QString CSettingDlg::DeviceChange(const zv::DriveEntry& drive, const zv::DeviceIdentity& identity) const {
  std::string reason;
  const std::optional<zv::DeviceIdentity> now = IdentifyDevice(drive, reason);
  return QString::fromStdString(now ? zv::DeviceIdentityChange(identity, *now) : reason);
}

void CSettingDlg::RefreshDrives(const std::string& devicePath) {
  FillDriveList();
  for (int i = 0; i < driveList_->count(); ++i) {
    if (driveList_->itemData(i).value<zv::DriveEntry>().devicePath == devicePath) {
      driveList_->setCurrentIndex(i);  // reads the card's files again
      return;
    }
  }
  ClearRecorderControls();
}

int CSettingDlg::ShowMessageBox(const QString& text, const QString& title,
                                QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, buttons, this);
  return box.exec();
}

zv::OptionsFiles CSettingDlg::ViewerOptionsFiles() const { return zv::OptionsFiles::Running(); }

zv::VolumeDescription CSettingDlg::DescribeVolume(const zv::DriveEntry& drive) const {
  return zv::VolumeProbe::System().Describe(drive);
}

std::optional<zv::DeviceIdentity> CSettingDlg::IdentifyDevice(const zv::DriveEntry& drive,
                                                              std::string& reason) const {
  return zv::VolumeProbe::System().Identify(drive, reason);
}

std::vector<zv::DriveEntry> CSettingDlg::Drives() const { return zv::ListDrives(); }

void CSettingDlg::RunFormatDialog(const zv::DriveEntry& drive, const zv::DeviceIdentity& identity) {
  const QString device = QString::fromStdString(drive.devicePath + ", " + zv::CardSizeText(identity.sizeBytes));
  CFormatCardDlg dialog(zv::CreateCardFormatter(drive), QString::fromStdString(drive.Text()), this, device);
  dialog.checkDevice = [this, drive, identity] { return DeviceChange(drive, identity); };
  dialog.exec();
}
