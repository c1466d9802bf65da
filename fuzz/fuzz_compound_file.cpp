// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The compound file reader. Whatever the bytes, it either refuses them with CompoundFileError or
// reads every stream it lists; a stream it reads is written back by our writer and read again
// unchanged, and the class id survives the same trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    try {
        const lutaris::CompoundFileReader reader(file);
        for (const auto& name : reader.StreamNames()) {
            const auto stream = reader.ReadStream(name);
            if (!stream) std::abort();  // listed, so it must be found
            const auto rewritten = lutaris::WriteCompoundFile(reader.RootClassId(), name, *stream);
            const lutaris::CompoundFileReader again(rewritten);
            if (again.ReadStream(name) != stream) std::abort();
            if (!(again.RootClassId() == reader.RootClassId())) std::abort();
        }
    } catch (const lutaris::CompoundFileError&) {
        // Refused, with a reason: the outcome for damaged input.
    }
    return 0;
}
