#include "player/PlanarScaler.h"

#include <algorithm>
#include <vector>

namespace zv {
namespace {

// Limited-range YUV to RGB factors, scaled by 1024.
struct Matrix {
  int rv, gu, gv, bu;
};
constexpr Matrix kBt709{1836, 218, 546, 2163};
constexpr Matrix kBt601{1634, 401, 833, 2066};

inline uint8_t Clamp(int v) { return static_cast<uint8_t>(std::clamp(v >> 10, 0, 255)); }

}  // namespace

bool ScalePlanarNearest(const GstVideoFrame& frame, QImage& target) {
  const GstVideoFormat format = GST_VIDEO_FRAME_FORMAT(&frame);
  if (format != GST_VIDEO_FORMAT_I420 && format != GST_VIDEO_FORMAT_YV12) return false;
  const int sw = GST_VIDEO_FRAME_WIDTH(&frame), sh = GST_VIDEO_FRAME_HEIGHT(&frame);
  const int dw = target.width(), dh = target.height();
  if (dw > sw || dh > sh || dw <= 0 || dh <= 0) return false;
  const Matrix m = GST_VIDEO_INFO_COLORIMETRY(&frame.info).matrix == GST_VIDEO_COLOR_MATRIX_BT709 ? kBt709 : kBt601;
  const int uPlane = format == GST_VIDEO_FORMAT_I420 ? 1 : 2, vPlane = 3 - uPlane;
  std::vector<int> columns(static_cast<size_t>(dw));
  for (int x = 0; x < dw; ++x) columns[static_cast<size_t>(x)] = (x * sw + sw / 2) / dw;
  for (int y = 0; y < dh; ++y) {
    const int sy = (y * sh + sh / 2) / dh;
    const auto* yRow = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)) +
                       sy * GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
    const auto* uRow = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, uPlane)) +
                       (sy / 2) * GST_VIDEO_FRAME_PLANE_STRIDE(&frame, uPlane);
    const auto* vRow = static_cast<const uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, vPlane)) +
                       (sy / 2) * GST_VIDEO_FRAME_PLANE_STRIDE(&frame, vPlane);
    auto* out = reinterpret_cast<uint32_t*>(target.scanLine(y));
    for (int x = 0; x < dw; ++x) {
      const int sx = columns[static_cast<size_t>(x)];
      const int c = 1192 * (yRow[sx] - 16);
      const int u = uRow[sx / 2] - 128, v = vRow[sx / 2] - 128;
      out[x] = 0xFF000000u | (Clamp(c + m.rv * v) << 16) | (Clamp(c - m.gu * u - m.gv * v) << 8) |
               Clamp(c + m.bu * u);
    }
  }
  return true;
}

}  // namespace zv
