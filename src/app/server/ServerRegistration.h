// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <optional>
#include <string>

namespace lutaris {

// How containers find the program as an embedding server: a D-Bus service file that lets the
// session bus start it for the well-known name, and a class record in the folder of
// insertable objects from which containers build their Insert Object lists. Both live below
// the user's data folder; `cmake --install` puts the same files into the system's.
namespace server_registration {

inline constexpr const char* kBusName = "Lutaris.Document";
inline constexpr const char* kProgId = "Lutaris.Document";
inline constexpr const char* kVerbs = "0=&Edit;1=&Open";
inline constexpr const char* kEmbeddingFlag = "-Embedding";

// Where the two files go below a data folder ($XDG_DATA_HOME or one of $XDG_DATA_DIRS).
std::string ServiceFilePath(const std::string& dataFolder);
std::string ObjectFilePath(const std::string& dataFolder);

// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else ~/.local/share;
// nothing when neither can be found.
std::optional<std::string> UserDataFolder();

// The command line that starts `program` as a server, quoted for the service file and the
// key file alike (both split it as a shell would); nothing for a path no such line can carry
// (a relative path, or one with a line break or another control character).
std::optional<std::string> ServerCommandLine(const std::string& program);

// The files' texts for a server command line made by ServerCommandLine.
std::string ServiceFileText(const std::string& commandLine);
std::string ObjectFileText(const std::string& commandLine);

// Writes both files below `dataFolder`, making the folders as needed; each file is replaced
// whole or not at all (a reader never sees half of one). False when either could not be
// written (or `program` cannot be named in them).
bool WriteRegistration(const std::string& dataFolder, const std::string& program);

// Removes both files; true when neither is there afterwards.
bool RemoveRegistration(const std::string& dataFolder);

}  // namespace server_registration
}  // namespace lutaris
