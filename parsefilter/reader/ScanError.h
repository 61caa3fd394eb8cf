// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

namespace zv {

// Why a file is not a recording that can be played.
enum class ScanError {
  None,
  Unreadable,         // the bytes could not be read
  NotAvi,             // no RIFF 'AVI ' at the start
  IncompleteHeaders,  // the header list is missing, cut short or unusable
  NoVideoStream,      // no video stream that can be played in the headers
  NoFrontVideoChunk,  // the front channel has no whole chunk
};

const char* ScanErrorMessage(ScanError error);

}  // namespace zv
