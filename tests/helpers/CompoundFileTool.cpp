// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Writes and reads compound files for the interoperability scripts, so that independent readers
// and writers can be checked against ours from the shell.
//
//   compound-file-tool write OUT SIZE [SIDE]  compound file with a "Contents" stream of SIZE
//                                           pattern bytes and the document class id, and with
//                                           SIDE a "Playback" stream of SIDE side-pattern bytes
//   compound-file-tool pattern OUT SIZE     the same pattern bytes as a plain file
//   compound-file-tool side-pattern OUT SIZE  the side pattern as a plain file
//   compound-file-tool read IN OUT          the file's "Contents" stream to OUT; prints the
//                                           class id and the stream names
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileError.h"
#include "compound/CompoundFileReader.h"
#include "compound/CompoundFileWriter.h"
#include "platform/files/DocumentClassId.h"

namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    // Not periodic in any sector size, so a sector out of place changes the bytes.
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 214013 + 2531011;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

// Another pattern for the second stream: the first one backwards.
std::vector<std::uint8_t> SidePattern(std::size_t size) {
    auto bytes = Pattern(size);
    return {bytes.rbegin(), bytes.rend()};
}

bool Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Usage() {
    std::cerr << "usage: compound-file-tool write OUT SIZE [SIDE] | pattern|side-pattern OUT SIZE"
                 " | read IN OUT\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return Usage();
    const std::string command = argv[1];
    try {
        if (command == "write" && argc == 5) {
            const auto contents = Pattern(std::strtoull(argv[3], nullptr, 10));
            const auto side = SidePattern(std::strtoull(argv[4], nullptr, 10));
            const lutaris::CompoundStream streams[] = {{"Contents", contents}, {"Playback", side}};
            return Save(argv[2], lutaris::WriteCompoundFile(lutaris::kDocumentClassId, streams))
                       ? 0
                       : 1;
        }
        if (argc != 4) return Usage();
        if (command == "side-pattern") {
            return Save(argv[2], SidePattern(std::strtoull(argv[3], nullptr, 10))) ? 0 : 1;
        }
        if (command == "write" || command == "pattern") {
            const auto bytes = Pattern(std::strtoull(argv[3], nullptr, 10));
            const auto output =
                command == "write"
                    ? lutaris::WriteCompoundFile(lutaris::kDocumentClassId, "Contents", bytes)
                    : bytes;
            return Save(argv[2], output) ? 0 : 1;
        }
        if (command == "read") {
            std::ifstream in(argv[2], std::ios::binary);
            const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                                 std::istreambuf_iterator<char>()};
            const lutaris::CompoundFileReader reader(file);
            std::cout << "class";
            for (const auto byte : reader.RootClassId().bytes) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02X", byte);
                std::cout << hex;
            }
            std::cout << "\n";
            for (const auto& name : reader.StreamNames()) std::cout << "stream " << name << "\n";
            const auto contents = reader.ReadStream("Contents");
            if (!contents) {
                std::cerr << "no Contents stream\n";
                return 1;
            }
            return Save(argv[3], *contents) ? 0 : 1;
        }
    } catch (const lutaris::CompoundFileError& error) {
        std::cerr << "rejected: " << error.what() << "\n";
        return 1;
    }
    return Usage();
}
