// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecordingName.h"

#include <QDateTime>
#include <QTimeZone>

#include <array>

namespace zv {
namespace {

// Character access to a UTF-8 name. A character starts at every byte that is
// not a continuation byte, so invalid sequences still count one character
// per leading byte and never cause an out-of-range access.
class CharIndex {
 public:
  explicit CharIndex(std::string_view text) : text_(text) {
    for (unsigned char c : text) {
      if ((c & 0xC0) != 0x80) ++count_;
    }
  }

  size_t Count() const { return count_; }

  // Byte offset of character `index`; the text's size past the last one.
  size_t Offset(size_t index) const {
    if (count_ == text_.size()) return index < count_ ? index : text_.size();
    size_t seen = 0;
    for (size_t i = 0; i < text_.size(); ++i) {
      if ((static_cast<unsigned char>(text_[i]) & 0xC0) == 0x80) continue;
      if (seen++ == index) return i;
    }
    return text_.size();
  }

  // Characters [from, from + count), cut at the end of the text.
  std::string_view Slice(size_t from, size_t count) const {
    const size_t begin = Offset(from);
    const size_t end = Offset(from + count);
    return text_.substr(begin, end - begin);
  }

  std::string_view Last(size_t count) const {
    return count >= count_ ? text_ : Slice(count_ - count, count);
  }

 private:
  std::string_view text_;
  size_t count_ = 0;
};

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (AsciiUpper(text[i]) != upper[i]) return false;
  }
  return true;
}

constexpr size_t kShortNameLength = 25;
constexpr size_t kLongNameMinimum = 32;
constexpr std::array<std::string_view, 4> kPrefixes{"REC_", "EVT_", "PRK_", "MDI_"};
constexpr std::array<std::string_view, 3> kLongEndings{"_LPSTOP.AVI", "_LPSTART.AVI",
                                                       "_SDEXIT.AVI"};

}  // namespace

bool IsRecordingFileName(std::string_view name) {
  const CharIndex chars(name);
  const size_t length = chars.Count();
  if (length != kShortNameLength) {
    if (length < kLongNameMinimum) return false;
    bool endingFound = false;
    for (std::string_view ending : kLongEndings) {
      if (EqualsIgnoringCase(chars.Last(ending.size()), ending)) {
        endingFound = true;
        break;
      }
    }
    if (!endingFound) return false;
  }
  bool prefixFound = false;
  for (std::string_view prefix : kPrefixes) {
    if (EqualsIgnoringCase(chars.Slice(0, prefix.size()), prefix)) prefixFound = true;
  }
  return prefixFound && EqualsIgnoringCase(chars.Last(4), ".AVI");
}

void ParseNameDateTime(std::string_view name, std::string& date, std::string& time) {
  const CharIndex chars(name);
  date.clear();
  date.append(chars.Slice(4, 4)).append("-").append(chars.Slice(8, 2)).append("-")
      .append(chars.Slice(10, 2));
  time.clear();
  time.append(chars.Slice(13, 2)).append(":").append(chars.Slice(15, 2)).append(":")
      .append(chars.Slice(17, 2));
}

std::optional<int64_t> ClockMsOfNameTime(std::string_view date, std::string_view time) {
  const QDate day = QDate::fromString(QString::fromUtf8(date.data(), static_cast<qsizetype>(date.size())),
                                      QStringLiteral("yyyy-MM-dd"));
  const QTime clock = QTime::fromString(QString::fromUtf8(time.data(), static_cast<qsizetype>(time.size())),
                                        QStringLiteral("hh:mm:ss"));
  if (!day.isValid() || !clock.isValid()) return std::nullopt;
  return QDateTime(day, clock, QTimeZone::utc()).toMSecsSinceEpoch();
}

}  // namespace zv
