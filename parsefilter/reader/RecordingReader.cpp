// SPDX-License-Identifier: LGPL-2.1-or-later
#include "reader/RecordingReader.h"

#include <cerrno>

#include "reader/CountingByteSource.h"
#include "reader/RecordingLoader.h"

namespace zv {

bool RecordingReader::Open(const std::string& path) {
  if (file_.IsOpen() || !file_.Open(path)) {
    openErrno_ = file_.IsOpen() ? EBUSY : errno;
    error_ = ScanError::Unreadable;
    return false;
  }
  CountingByteSource counted(file_);
  RecordingLoader loader(counted);
  error_ = loader.Load(recording_);
  usedIndex_ = loader.usedIndex();
  indexRejection_ = loader.indexRejection();
  loadBytesRead_ = counted.bytesRead();
  loadReads_ = counted.reads();
  if (error_ != ScanError::None) recording_ = Recording{};
  file_.AdviseSequential();  // playback reads the chunks in file order
  return error_ == ScanError::None;
}

bool RecordingReader::ReadChunk(const MediaChunk& chunk, uint8_t* dst) const {
  return file_.ReadAt(chunk.offset, dst, chunk.size);
}

}  // namespace zv
