#include "reader/RecordingReader.h"

#include <cerrno>

namespace zv {

bool RecordingReader::Open(const std::string& path) {
  if (file_.IsOpen() || !file_.Open(path)) {
    openErrno_ = file_.IsOpen() ? EBUSY : errno;
    error_ = ScanError::Unreadable;
    return false;
  }
  RecordingScanner scanner(file_);
  error_ = scanner.Scan(recording_);
  if (error_ != ScanError::None) recording_ = Recording{};
  return error_ == ScanError::None;
}

bool RecordingReader::ReadChunk(const MediaChunk& chunk, uint8_t* dst) const {
  return file_.ReadAt(chunk.offset, dst, chunk.size);
}

}  // namespace zv
