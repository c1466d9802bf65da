// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <string>

#include "sound/SoundModule.h"

namespace lutaris {

// Renders the request's events with FluidSynth into the open file `fd` (at its start, seekable)
// as the request's file type: 16-bit WAV, FLAC or Ogg Vorbis at kSampleRate in stereo, with
// two seconds after the last event for the strings and the reverb to die away. False, with a
// sentence in `error`, when the soundfont does not load, a write fails or all came out silent.
bool RenderAudioFile(int fd, const AudioRenderRequest& request, std::string* error);

}  // namespace lutaris
