#pragma once

// Result codes of the sound layer: zero is success, anything else names the failure. The demo
// clock only ever tests for zero, the way it did with the sound library this layer replaces.
enum AudioResult : int {
  AUDIO_OK = 0,
  AUDIO_ERR_INVALID_PARAM = 1,
  AUDIO_ERR_FILE_NOT_FOUND = 2,
  AUDIO_ERR_FORMAT = 3,
  AUDIO_ERR_DECODER = 4,
  AUDIO_ERR_NOT_INITIALIZED = 5,
  AUDIO_ERR_ALREADY_INITIALIZED = 6,
  AUDIO_ERR_NO_FREE_CHANNEL = 7,
  AUDIO_ERR_INVALID_HANDLE = 8,
};
