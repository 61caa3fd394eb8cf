// SPDX-License-Identifier: GPL-3.0-or-later
#include "FrameCode.h"

#include <array>
#include <cmath>

namespace zv {

namespace {

constexpr int kColumns = 48;      // cell width = picture width / kColumns
constexpr int kRows = 27;         // cell height = picture height / kRows
constexpr int kCells = 32;
constexpr int kFirstColumn = (kColumns - kCells) / 2;
constexpr int kRow = 1;
constexpr int kFrameBits = 20;
constexpr int kChecksumBits = 5;
constexpr int kMinContrast = 60;

// Cell layout: start marker, frame number (most significant bit first),
// channel, checksum, end marker. A mirrored row begins "1 0", which no
// unmirrored row does.
constexpr std::array<int, 4> kStartMarker{1, 1, 1, 0};
constexpr std::array<int, 2> kEndMarker{0, 1};
constexpr int kFrameStart = 4;
constexpr int kChannelCell = kFrameStart + kFrameBits;
constexpr int kChecksumStart = kChannelCell + 1;
constexpr int kEndStart = kChecksumStart + kChecksumBits;
static_assert(kEndStart + int(kEndMarker.size()) == kCells);

using Cells = std::array<int, kCells>;

int Checksum(int frame, int channel)
{
    const unsigned value = unsigned(frame) << 1 | unsigned(channel);
    unsigned sum = 0;
    for (int shift = 0; shift < kFrameBits + 1; shift += kChecksumBits)
        sum ^= value >> shift;
    return int((sum ^ 0x15u) & ((1u << kChecksumBits) - 1));
}

void PutBits(Cells& cells, int start, int count, int value)
{
    for (int i = 0; i < count; ++i)
        cells[start + i] = (value >> (count - 1 - i)) & 1;
}

int GetBits(const Cells& cells, int start, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 1 | cells[start + i];
    return value;
}

Cells Encode(int frame, int channel)
{
    Cells cells{};
    for (std::size_t i = 0; i < kStartMarker.size(); ++i)
        cells[i] = kStartMarker[i];
    PutBits(cells, kFrameStart, kFrameBits, frame);
    cells[kChannelCell] = channel;
    PutBits(cells, kChecksumStart, kChecksumBits, Checksum(frame, channel));
    for (std::size_t i = 0; i < kEndMarker.size(); ++i)
        cells[kEndStart + i] = kEndMarker[i];
    return cells;
}

QRectF CellRect(QSizeF picture, int cell)
{
    const double w = picture.width() / kColumns;
    const double h = picture.height() / kRows;
    return {(kFirstColumn + cell) * w, kRow * h, w, h};
}

// Mean luminance of the middle half of a cell.
double CellLuminance(const QImage& image, const QRectF& cell)
{
    const QRectF inner = cell.adjusted(cell.width() / 4, cell.height() / 4, -cell.width() / 4,
                                       -cell.height() / 4);
    const int x0 = int(std::floor(inner.left())), x1 = std::max(x0 + 1, int(std::ceil(inner.right())));
    const int y0 = int(std::floor(inner.top())), y1 = std::max(y0 + 1, int(std::ceil(inner.bottom())));
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y1 && y < image.height(); ++y) {
        for (int x = x0; x < x1 && x < image.width(); ++x) {
            sum += qGray(image.pixel(x, y));
            ++count;
        }
    }
    return count > 0 ? sum / count : 0;
}

bool Decode(const Cells& cells, FrameCodeReading& reading)
{
    for (std::size_t i = 0; i < kStartMarker.size(); ++i)
        if (cells[i] != kStartMarker[i])
            return false;
    for (std::size_t i = 0; i < kEndMarker.size(); ++i)
        if (cells[kEndStart + i] != kEndMarker[i])
            return false;
    const int frame = GetBits(cells, kFrameStart, kFrameBits);
    const int channel = cells[kChannelCell];
    if (GetBits(cells, kChecksumStart, kChecksumBits) != Checksum(frame, channel))
        return false;
    reading.found = true;
    reading.frame = frame;
    reading.channel = FrameCodeChannel(channel);
    return true;
}

} // namespace

void DrawFrameCode(QPainter& painter, QSize pictureSize, int frame, FrameCodeChannel channel)
{
    const Cells cells = Encode(frame & kMaxFrameCodeFrame, int(channel));
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < kCells; ++i) {
        // Whole-pixel cell edges keep neighbouring cells from blending.
        painter.fillRect(CellRect(QSizeF(pictureSize), i).toAlignedRect(),
                         cells[i] ? Qt::white : Qt::black);
    }
    painter.restore();
}

void DrawFrameCode(QImage& picture, int frame, FrameCodeChannel channel)
{
    QPainter painter(&picture);
    DrawFrameCode(painter, picture.size(), frame, channel);
}

FrameCodeReading ReadFrameCode(const QImage& picture)
{
    FrameCodeReading reading;
    if (picture.width() < kColumns || picture.height() < kRows)
        return reading;
    std::array<double, kCells> luminance{};
    for (int i = 0; i < kCells; ++i)
        luminance[i] = CellLuminance(picture, CellRect(QSizeF(picture.size()), i));

    // Every code holds both colours (the markers), so the threshold lies
    // halfway between the darkest and the brightest cell.
    double lo = luminance[0], hi = luminance[0];
    for (double l : luminance) {
        lo = std::min(lo, l);
        hi = std::max(hi, l);
    }
    if (hi - lo < kMinContrast)
        return reading;
    const double threshold = (lo + hi) / 2;
    Cells forward{}, backward{};
    for (int i = 0; i < kCells; ++i) {
        forward[i] = luminance[i] > threshold ? 1 : 0;
        backward[kCells - 1 - i] = forward[i];
    }
    if (Decode(forward, reading))
        return reading;
    if (Decode(backward, reading))
        reading.mirrored = true;
    return reading;
}

} // namespace zv
