// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinCatalogue.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "ButtonArtist.h"
#include "PictureArtist.h"
#include "SkinPalette.h"

namespace mkskin {

namespace {

using S = ButtonState;
using StateIds = std::vector<std::pair<int, ButtonState>>;
using FacePainter = std::function<QImage(ButtonState)>;

// The state of each id of a family, as an offset from the family's base id.
const StateIds kFourStates = {{1, S::Normal}, {2, S::Selected}, {3, S::Hover}, {4, S::Disabled}};
const StateIds kWindowStates = {{1, S::Normal}, {2, S::Selected}, {3, S::Hover}};
const StateIds kMapStates = {{1, S::Normal}, {2, S::Hover}, {3, S::Disabled}};
const StateIds kFilterStates = {{1, S::Normal}, {2, S::Selected}, {3, S::Disabled}};
const StateIds kViewStates = {{1, S::Normal}, {2, S::Selected}};

void AddFamily(std::vector<SkinPicture>& out, int base, PictureKind kind, const StateIds& states,
               const FacePainter& paint) {
  for (const auto& [offset, state] : states) out.push_back({base + offset, kind, paint(state)});
}

}  // namespace

void SkinCatalogue::AddButtonFamilies(std::vector<SkinPicture>& out) {
  const std::pair<int, Glyph> topBar[] = {
      {19100, Glyph::OpenFolder}, {19110, Glyph::Camera}, {19120, Glyph::Disk},
      {19130, Glyph::Printer},    {19140, Glyph::Gear},   {19150, Glyph::Magnifier},
      {19160, Glyph::Info}};
  for (const auto& [base, glyph] : topBar) {
    AddFamily(out, base, PictureKind::Png, kFourStates,
              [g = glyph](S s) { return ButtonArtist::TopBarButton(g, s); });
  }
  const std::pair<int, Glyph> window[] = {
      {18100, Glyph::Minimise}, {18110, Glyph::Maximise}, {18120, Glyph::Close}};
  for (const auto& [base, glyph] : window) {
    AddFamily(out, base, PictureKind::Bitmap, kWindowStates,
              [g = glyph](S s) { return ButtonArtist::WindowButton(g, s); });
  }
  const std::pair<int, Glyph> transport[] = {
      {19170, Glyph::Previous}, {19180, Glyph::Rewind},  {19190, Glyph::Play},
      {19194, Glyph::Pause},    {19200, Glyph::Forward}, {19210, Glyph::Next}};
  for (const auto& [base, glyph] : transport) {
    AddFamily(out, base, PictureKind::Bitmap, kFourStates,
              [g = glyph](S s) { return ButtonArtist::RoundButton(g, s); });
  }
  AddFamily(out, 19250, PictureKind::Bitmap, kMapStates,
            [](S s) { return ButtonArtist::RoundButton(Glyph::Map, s); });
  for (const auto& [base, glyph] : {std::pair{19220, Glyph::Speed}, {19230, Glyph::Brightness}}) {
    AddFamily(out, base, PictureKind::Bitmap, kFourStates,
              [g = glyph](S s) { return ButtonArtist::SmallButton(g, s); });
  }
  // Sound: 19241/19242 muted, 19243/19244 sound on (normal, hover).
  AddFamily(out, 19240, PictureKind::Bitmap, {{1, S::Normal}, {2, S::Hover}},
            [](S s) { return ButtonArtist::SmallButton(Glyph::SpeakerOff, s); });
  AddFamily(out, 19242, PictureKind::Bitmap, {{1, S::Normal}, {2, S::Hover}},
            [](S s) { return ButtonArtist::SmallButton(Glyph::SpeakerOn, s); });
  const std::pair<int, const char*> filters[] = {
      {19260, "모두"}, {19270, "상시"}, {19280, "이벤트"}, {19290, "주차"}};
  for (const auto& [base, caption] : filters) {
    AddFamily(out, base, PictureKind::Bitmap, kFilterStates, [c = caption](S s) {
      return ButtonArtist::CaptionButton(QString::fromUtf8(c), QSize(43, 23), kPanelBack, s);
    });
  }
  const std::pair<int, const char*> views[] = {{20030, "전방"}, {20040, "후방"}, {20050, "모두"}};
  for (const auto& [base, caption] : views) {
    AddFamily(out, base, PictureKind::Bitmap, kViewStates, [c = caption](S s) {
      return ButtonArtist::CaptionButton(QString::fromUtf8(c), QSize(43, 19), kWindowBack, s);
    });
  }
}

void SkinCatalogue::AddPictures(std::vector<SkinPicture>& out) {
  const auto bitmap = [&out](int id, QImage image) {
    out.push_back({id, PictureKind::Bitmap, std::move(image)});
  };
  bitmap(148, PictureArtist::NoGpsData());
  bitmap(1034, PictureArtist::SeekChannel());
  bitmap(1036, PictureArtist::SeekThumb());
  bitmap(1040, PictureArtist::SmallChannel());
  bitmap(1042, PictureArtist::SmallThumb());
  bitmap(1044, PictureArtist::IdlePicture());
  bitmap(1055, PictureArtist::ProgressFill());
  bitmap(1056, PictureArtist::Logo());
  bitmap(1057, PictureArtist::TitleStrip());
  bitmap(20001, PictureArtist::VolumeBar(false));
  bitmap(20002, PictureArtist::VolumeBar(true));
  bitmap(20011, PictureArtist::GaugeBackground());
  bitmap(20012, PictureArtist::DecimalPoint());
  for (int d = 0; d <= 9; ++d) bitmap(20014 + d, PictureArtist::Digit(d));
  out.push_back({128, PictureKind::Icon, PictureArtist::ProgramIcon()});
}

std::vector<SkinPicture> SkinCatalogue::PaintAll() {
  std::vector<SkinPicture> out;
  AddPictures(out);
  AddButtonFamilies(out);
  std::stable_sort(out.begin(), out.end(), [](const SkinPicture& a, const SkinPicture& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.id < b.id;
  });
  for (SkinPicture& picture : out) {
    // The bitmap kind carries no alpha channel; the others keep theirs.
    const auto format = picture.kind == PictureKind::Bitmap ? QImage::Format_RGB32
                                                            : QImage::Format_ARGB32;
    picture.image = picture.image.convertToFormat(format);
  }
  return out;
}

}  // namespace mkskin
