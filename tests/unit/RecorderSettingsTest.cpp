// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

#include "config/RecorderClock.h"
#include "config/RecorderSettings.h"

namespace zv {
namespace {

const std::string kLabels[14] = {
    "Product Name            : ", "H/W Version             : ", "S/W Version             : ",
    "Acc Trigger Level       : ", "REC Video Qulity        : ", "REC Audio Enable        : ",
    "SPK Vol                 : ", "Video Channles          : ", "Parking Mode Select     : ",
    "Parking Mode Time       : ", "Car Battery Volt        : ", "Battery CutOff Volt     : ",
    "Power Off Timer         : ", "LCD Off Time            : "};

// A setup.cfg whose fields (lines 4 to 14) hold `values`, lines ending in `end`.
std::string SetupText(const std::vector<std::string>& values, const std::string& end = "\r\n") {
  std::string text = kLabels[0] + "K310" + end + kLabels[1] + "V1.0.0" + end + kLabels[2] +
                     "V0.0.6" + end;
  for (size_t i = 0; i < values.size(); ++i) text += kLabels[3 + i] + values[i] + end;
  return text;
}

class CardFileTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.path().toStdString() + "/" + name; }
  std::string Write(const char* name, const std::string& text) const {
    QFile file(QString::fromStdString(Path(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return Path(name);
  }
  std::string Contents(const std::string& path) const {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
  }
  RecorderSettings Read(const std::string& text, RecorderSettings start = {}) const {
    EXPECT_TRUE(ReadSetupFile(Write("setup.cfg", text), start));
    return start;
  }

  QTemporaryDir dir_;
};

RecorderSettings Sample() {
  RecorderSettings s;
  s.sensitivity = 3; s.quality = 2; s.recordAudio = true; s.speakerVolume = 5;
  s.videoChannels = 1; s.parkingMode = 0; s.parkingTime = 3; s.truckBattery = true;
  s.cutOffVoltage = 4; s.powerOffTimer = 1; s.lcdOffTime = 4; s.cutOffListFilled = true;
  return s;
}

TEST_F(CardFileTest, SetupFileRoundTripsByteForByte) {
  const std::string expected = SetupText({"3", "3", "1", "5", "2", "1", "3", "1", "4", "2", "4"});
  ASSERT_TRUE(WriteSetupFile(Path("setup.cfg"), Sample()));
  EXPECT_EQ(Contents(Path("setup.cfg")), expected);
  RecorderSettings read;
  ASSERT_TRUE(ReadSetupFile(Path("setup.cfg"), read));
  EXPECT_EQ(read, Sample());
  // Rewriting what was read gives the same bytes again.
  ASSERT_TRUE(WriteSetupFile(Path("again.cfg"), read));
  EXPECT_EQ(Contents(Path("again.cfg")), expected);
}

TEST_F(CardFileTest, NoSelectionWritesMinusOneForIndexesAndZeroForIndexPlusOne) {
  EXPECT_EQ(SetupFileText(RecorderSettings{}),
            SetupText({"-1", "0", "0", "-1", "0", "0", "-1", "0", "-1", "0", "-1"}));
}

TEST_F(CardFileTest, FieldsAreReadByPositionNotByLabel) {
  // The speaker volume's line stands where the sensitivity belongs.
  std::string text = SetupText({});
  text += kLabels[6] + "5\r\n" + kLabels[3] + "2\r\n";
  const RecorderSettings s = Read(text);
  EXPECT_EQ(s.sensitivity, 5);
  EXPECT_EQ(s.quality, 1);
  // LF line ends, trailing tabs and a value with letters after the digits.
  const RecorderSettings t = Read(SetupText({"6\t", "2abc", "0"}, "\n"));
  EXPECT_EQ(t.sensitivity, 6);
  EXPECT_EQ(t.quality, 1);
  EXPECT_FALSE(t.recordAudio);
}

TEST_F(CardFileTest, AShortLineEndsTheReading) {
  RecorderSettings start = Sample();
  start.parkingTime = 2;
  // Line 6 is empty: sensitivity and quality are read, the rest keeps its state.
  const RecorderSettings s = Read(SetupText({"1", "1"}) + "\r\n" + kLabels[6] + "0\r\n", start);
  EXPECT_EQ(s.sensitivity, 1);
  EXPECT_EQ(s.quality, 0);
  EXPECT_EQ(s.speakerVolume, 5);
  EXPECT_EQ(s.parkingTime, 2);
  // 26 characters counting CR LF as one end the reading; the bare 26-character
  // label with CR LF is 27 and is read as the value 0.
  const RecorderSettings t =
      Read(SetupText({"4"}) + kLabels[4] + "\r\n" + kLabels[5].substr(0, 25) + "\r\n" +
           kLabels[6] + "1\r\n", start);
  EXPECT_EQ(t.sensitivity, 4);
  EXPECT_EQ(t.quality, 2);          // value 0 is out of range: unchanged
  EXPECT_TRUE(t.recordAudio);       // never reached
  EXPECT_EQ(t.speakerVolume, 5);
}

TEST_F(CardFileTest, OutOfRangeValuesLeaveTheFieldUnchanged) {
  const RecorderSettings start = Sample();
  const RecorderSettings s =
      Read(SetupText({"7", "4", "9", "-1", "3", "0", "4", "0", "5", "5", "5"}), start);
  EXPECT_EQ(s.sensitivity, 3);
  EXPECT_EQ(s.quality, 2);
  EXPECT_TRUE(s.recordAudio);  // any value but 0 checks it
  EXPECT_EQ(s.speakerVolume, 5);
  EXPECT_EQ(s.videoChannels, 1);
  EXPECT_EQ(s.parkingMode, 0);
  EXPECT_EQ(s.parkingTime, 3);
  EXPECT_FALSE(s.truckBattery);
  EXPECT_EQ(s.cutOffVoltage, -1);  // refilled for the 12 V battery, 5 is past its end
  EXPECT_EQ(s.powerOffTimer, 1);
  EXPECT_EQ(s.lcdOffTime, 4);
}

TEST_F(CardFileTest, LongLinesArriveInPartsAndExtraLinesAreIgnored) {
  // A 300-character value: its second part counts as the next field.
  std::string text = SetupText({}) + kLabels[3] + "2" + std::string(299, ' ') + "1\r\n";
  const RecorderSettings s = Read(text + "more lines of text are ignored here\r\n");
  EXPECT_EQ(s.sensitivity, 2);
  EXPECT_EQ(s.quality, 0);  // the second part reads as "   ...1": quality entry 0
  const RecorderSettings t = Read(SetupText({"1", "1", "1", "1", "1", "1", "1", "1", "1", "1",
                                             "1"}) + kLabels[3] + "6\r\n");
  EXPECT_EQ(t.sensitivity, 1);
}

TEST_F(CardFileTest, MissingFileAndFailedWrites) {
  RecorderSettings s = Sample();
  EXPECT_FALSE(ReadSetupFile(Path("none.cfg"), s));
  EXPECT_EQ(s, Sample());
  EXPECT_FALSE(WriteSetupFile(Path("missing/setup.cfg"), s));
  EXPECT_FALSE(QDir(QString::fromStdString(Path("missing"))).exists());
  RecorderClock clock;
  EXPECT_FALSE(ReadTimeFile(Path("none.cfg"), clock));
  EXPECT_FALSE(WriteTimeFile(Path("missing/time.cfg"), clock));
  // A failed write leaves the old file whole: the target is a folder here.
  QDir(dir_.path()).mkdir("busy.cfg");
  EXPECT_FALSE(WriteSetupFile(Path("busy.cfg"), s));
  EXPECT_TRUE(QDir(QString::fromStdString(Path("busy.cfg"))).exists());
}

TEST_F(CardFileTest, TimeFileRoundTripsByteForByte) {
  const RecorderClock clock{"2026", "12", "06", "20", "05", "09"};
  ASSERT_TRUE(WriteTimeFile(Path("time.cfg"), clock));
  EXPECT_EQ(Contents(Path("time.cfg")), "26/12/06\r\n20/05/09\r\n");
  RecorderClock read;
  ASSERT_TRUE(ReadTimeFile(Path("time.cfg"), read));
  EXPECT_EQ(read, clock);
}

TEST_F(CardFileTest, TimeFileColumnsAndMissingLines) {
  RecorderClock clock{"x", "x", "x", "x", "x", "x"};
  ASSERT_TRUE(ReadTimeFile(Write("time.cfg", "99-01-02\n"), clock));
  EXPECT_EQ(clock, (RecorderClock{"2099", "01", "02", "", "", ""}));
  ASSERT_TRUE(ReadTimeFile(Write("time.cfg", "13/7\r\n1\r\n"), clock));
  EXPECT_EQ(clock, (RecorderClock{"2013", "7", "", "1", "", ""}));
  ASSERT_TRUE(ReadTimeFile(Write("time.cfg", ""), clock));
  EXPECT_EQ(clock, RecorderClock{});
}

}  // namespace
}  // namespace zv
