// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sound/SoundModule.h"

namespace lutaris {

// Audio buffering of live play: periods × period size at kSampleRate, about 23 ms.
inline constexpr int kPeriodSize = 256;
inline constexpr int kPeriods = 4;

// A FluidSynth synthesizer on the first audio output that opens; null with one sentence in
// `error` naming every output tried when none does (or the soundfont does not load).
std::unique_ptr<LiveSynth> OpenFluidLiveSynth(const std::string& soundfont,
                                              const AudioOutputChoice& output, std::string* error);

}  // namespace lutaris
