// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "sound/SoundModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace lutaris {
namespace {

namespace fs = std::filesystem;

constexpr char kModuleFile[] = "lutaris-sound-fluid.so";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> ModuleCandidates() {
    if (std::string chosen = Environment("LUTARIS_SOUND_MODULE"); !chosen.empty()) return {chosen};
    std::vector<std::string> candidates;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back((program.parent_path() / "../lib/lutaris/modules" / kModuleFile).string());
    }
    return candidates;
}

struct Loaded {
    SoundModule* module = nullptr;
    std::string error;
};

Loaded Load() {
    Loaded loaded;
    std::string reasons;
    for (const std::string& path : ModuleCandidates()) {
        if (::access(path.c_str(), F_OK) != 0) continue;
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            reasons += std::string(" ") + ::dlerror();
            continue;
        }
        auto entry = reinterpret_cast<SoundModuleEntry>(::dlsym(handle, kSoundModuleEntry));
        if (!entry) {
            reasons += " " + path + " has no entry point";
            continue;
        }
        loaded.module = entry();
        return loaded;
    }
    loaded.error = "The sound library " + std::string(kModuleFile) + " could not be loaded." +
                   (reasons.empty() ? std::string(" It was not found.") : reasons);
    return loaded;
}

}  // namespace

AudioOutputChoice AudioOutputChoice::FromEnvironment() {
    AudioOutputChoice choice;
    choice.driver = Environment("LUTARIS_AUDIO_DRIVER");
    choice.fileName = Environment("LUTARIS_AUDIO_FILE");
    return choice;
}

SoundModule* LoadSoundModule(std::string* error) {
    // Once per process: a module stays loaded until the end (its threads may run until then).
    static const Loaded loaded = Load();
    if (!loaded.module && error) *error = loaded.error;
    return loaded.module;
}

}  // namespace lutaris
