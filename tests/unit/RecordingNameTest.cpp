// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "library/PathNames.h"
#include "library/RecordingName.h"

namespace zv {
namespace {

// Head of 21 characters: prefix, date, one character, time, two characters.
const std::string kHead = "REC_20240131_142530_F";

TEST(RecordingNameTest, ShortNamesNeedExactly25CharactersAPrefixAndAvi) {
  EXPECT_TRUE(IsRecordingFileName(kHead + ".AVI"));
  EXPECT_TRUE(IsRecordingFileName("evt_20240131_142530_F.avi"));  // case ignored
  EXPECT_TRUE(IsRecordingFileName("MDI_xxxxxxxxxxxxxxxxx.Avi"));  // digits unchecked
  EXPECT_FALSE(IsRecordingFileName("REC_20240131_142530.AVI"));    // 23
  EXPECT_FALSE(IsRecordingFileName("REC_20240131_142530_FR.AVI"));  // 26
  EXPECT_FALSE(IsRecordingFileName(kHead + ".MP4"));
  EXPECT_FALSE(IsRecordingFileName("ABC_20240131_142530_F.AVI"));
  EXPECT_FALSE(IsRecordingFileName(""));
  // 26 to 31 characters never pass, even with a long name's ending.
  for (size_t length = 26; length <= 31; ++length) {
    const std::string name = "REC_" + std::string(length - 15, '0') + "_LPSTOP.AVI";
    ASSERT_EQ(name.size(), length);
    EXPECT_FALSE(IsRecordingFileName(name)) << name;
  }
}

TEST(RecordingNameTest, LongNamesNeedOneOfTheThreeEndings) {
  EXPECT_TRUE(IsRecordingFileName(kHead + "_LPSTOP.AVI"));   // 32
  EXPECT_TRUE(IsRecordingFileName(kHead + "_LPSTART.AVI"));  // 33
  EXPECT_TRUE(IsRecordingFileName("prk_20240131_142530_f_sdexit.avi"));
  EXPECT_TRUE(IsRecordingFileName(kHead + "_more_words_SDEXIT.AVI"));  // longer
  EXPECT_FALSE(IsRecordingFileName(kHead + "_ABCDEF.AVI"));  // 32, other ending
  EXPECT_FALSE(IsRecordingFileName("XYZ_20240131_142530_F_LPSTOP.AVI"));
}

TEST(RecordingNameTest, LengthsCountCharactersNotBytes) {
  // 25 characters; the two free ones are Korean (3 bytes each in UTF-8).
  EXPECT_TRUE(IsRecordingFileName("REC_20240131_142530가나.AVI"));
  EXPECT_FALSE(IsRecordingFileName("REC_20240131_142530_가나.AVI"));  // 26
  std::string date, time;
  ParseNameDateTime("REC_2024가131_14나530_F.AVI", date, time);
  EXPECT_EQ(date, "2024-가1-31");
  EXPECT_EQ(time, "14:나5:30");
}

TEST(RecordingNameTest, DateAndTimeAreCopiedCharacterByCharacter) {
  std::string date, time;
  ParseNameDateTime(kHead + ".AVI", date, time);
  EXPECT_EQ(date, "2024-01-31");
  EXPECT_EQ(time, "14:25:30");
  ParseNameDateTime("EVT_abcdefgh_ijklmn_F_LPSTART.AVI", date, time);
  EXPECT_EQ(date, "abcd-ef-gh");
  EXPECT_EQ(time, "ij:kl:mn");
  // A name too short for the positions gives what there is, no more.
  ParseNameDateTime("REC_2024", date, time);
  EXPECT_EQ(date, "2024--");
  EXPECT_EQ(time, "::");
}

TEST(PathNamesTest, FileNameReadsBothSeparators) {
  EXPECT_EQ(FileNameOfPath("/card/DCIM/REC_1.AVI"), "REC_1.AVI");
  EXPECT_EQ(FileNameOfPath("C:\\card\\REC_1.AVI"), "REC_1.AVI");
  EXPECT_EQ(FileNameOfPath("a\\b/c"), "c");
  EXPECT_EQ(FileNameOfPath("REC_1.AVI"), "REC_1.AVI");
  EXPECT_EQ(FileNameOfPath("/card/"), "");
}

TEST(PathNamesTest, FolderEndsInExactlyOneSlash) {
  EXPECT_EQ(AsFolder("/"), "/");
  EXPECT_EQ(AsFolder("//"), "/");
  EXPECT_EQ(AsFolder("/media/card"), "/media/card/");
  EXPECT_EQ(AsFolder("/media/card//"), "/media/card/");
  EXPECT_EQ(AsFolder(""), "");
}

}  // namespace
}  // namespace zv
