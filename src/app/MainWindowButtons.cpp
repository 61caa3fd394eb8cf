// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindowButtons.h"

#include "app/MainWindowCommands.h"

namespace zv {

const std::vector<MainWindowButton>& MainWindowButtons() {
  using S = LayoutSlot;
  static const std::vector<MainWindowButton> buttons = {
      {kCmdOpen, S::Open, 19101, 19103, 0, 0, true, "열기"},
      {kCmdCapture, S::Capture, 19111, 19113, 19114, 0, true, "캡쳐"},
      {kCmdSave, S::Save, 19124, 0, 19124, 0, true, "저장"},
      {kCmdPrint, S::Print, 19131, 19133, 19134, 0, true, "인쇄"},
      {kCmdSetting, S::Setting, 19141, 19143, 0, 0, true, "설정"},
      {kCmdZoom, S::Zoom, 19151, 19153, 0, 0, true, "확대"},
      {kCmdAbout, S::About, 19161, 19163, 0, 0, true, "프로그램정보"},
      {kCmdMin, S::Min, 18101, 18103, 0, 0, false, "최소"},
      {kCmdMax, S::Max, 18111, 18113, 0, 0, false, "최대"},
      {kCmdClose, S::Close, 18121, 18123, 0, 0, false, "종료"},
      {kCmdViewFront, S::ViewFront, 20031, 0, 0, 20032, false, "전방"},
      {kCmdViewRear, S::ViewRear, 20041, 0, 0, 20042, false, "후방"},
      {kCmdViewAll, S::ViewAll, 20051, 0, 0, 20052, false, "모두"},
      {kCmdPrev, S::Prev, 19171, 19173, 19174, 0, false, "이전파일"},
      {kCmdRewind, S::Rewind, 19181, 19183, 19184, 0, false, "뒤로"},
      {kCmdPlay, S::Play, 19191, 19193, 19194, 0, false, "재생/일시정지"},
      {kCmdPause, S::Pause, 19195, 19197, 19198, 0, false, "정지"},
      {kCmdForward, S::Forward, 19201, 19203, 19204, 0, false, "앞으로"},
      {kCmdNext, S::Next, 19211, 19213, 19214, 0, false, "다음파일"},
      {kCmdSpeedReset, S::SpeedButton, 19221, 0, 0, 0, false, "속도초기화"},
      {kCmdBrightReset, S::BrightButton, 19231, 0, 0, 0, false, "밝기초기화"},
      {kCmdMute, S::Mute, 19243, 0, 0, 0, false, "Mute"},
      {kCmdMap, S::MapButton, 19251, 0, 19253, 0, false, nullptr},
      {kCmdFilterAll, S::FilterAll, 19261, 0, 19263, 19262, false, "모두"},
      {kCmdFilterEvent, S::FilterEvent, 19281, 0, 19283, 19282, false, "이벤트"},
      {kCmdFilterNormal, S::FilterNormal, 19271, 0, 19273, 19272, false, "상시"},
      {kCmdFilterParking, S::FilterParking, 19291, 0, 19293, 19292, false, "주차"},
  };
  return buttons;
}

}  // namespace zv
