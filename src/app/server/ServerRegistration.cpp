// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/server/ServerRegistration.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>

#include "platform/files/DocumentClassId.h"
#include "platform/files/SafeFileReplacer.h"

namespace lutaris::server_registration {
namespace {

constexpr const char* kServiceFolder = "/dbus-1/services/";
constexpr const char* kObjectFolder = "/insertable-objects/";

// Characters a shell-like split treats as its own, so the word is quoted when it holds any.
bool NeedsQuotes(const std::string& word) {
    if (word.empty()) return true;
    for (const char c : word) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '.' || c == '-' || c == '_' ||
                           c == '+' || c == ',' || c == ':' || c == '@';
        if (!plain) return true;
    }
    return false;
}

// Inside double quotes the two splitters agree on these escapes; "%" means something to the
// key file's Exec alone, so it is doubled there and the service file gets a path without it
// left out (see ServerCommandLine).
std::string Quoted(const std::string& word) {
    if (!NeedsQuotes(word)) return word;
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"' || c == '\\' || c == '$' || c == '`') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) return false;
    try {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        ReplaceFileSafely(path, std::span(bytes, text.size()));
    } catch (const FileWriteError&) {
        return false;
    }
    // The bus and every container read it; nothing in it is private.
    std::filesystem::permissions(
        path,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
            std::filesystem::perms::group_read | std::filesystem::perms::others_read,
        error);
    return !error;
}

bool RemoveFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error) return false;
    // Gone, or never there: either way no container finds it.
    const auto status = std::filesystem::symlink_status(path, error);
    return status.type() == std::filesystem::file_type::not_found;
}

}  // namespace

std::string ServiceFilePath(const std::string& dataFolder) {
    return dataFolder + kServiceFolder + kBusName + ".service";
}

std::string ObjectFilePath(const std::string& dataFolder) {
    return dataFolder + kObjectFolder + kProgId + ".object";
}

std::optional<std::string> UserDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return std::string(dataHome);
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/share";
    return std::nullopt;
}

std::optional<std::string> ServerCommandLine(const std::string& program) {
    if (program.empty() || program[0] != '/') return std::nullopt;
    for (const char c : program) {
        // A "%" would be a field code in the key file; no program of ours is installed so.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '%') return std::nullopt;
    }
    return Quoted(program) + " " + kEmbeddingFlag;
}

std::string ServiceFileText(const std::string& commandLine) {
    return std::string("[D-BUS Service]\nName=") + kBusName + "\nExec=" + commandLine + "\n";
}

std::string ObjectFileText(const std::string& commandLine) {
    std::string text = "[Insertable Object]\n";
    text += "ClassId={" + ClassIdText(kDocumentClassId) + "}\n";
    text += std::string("ProgId=") + kProgId + "\n";
    text += std::string("Name=") + kDocumentTypeName + "\n";
    text += std::string("ShortName=") + kDocumentShortTypeName + "\n";
    text += std::string("BusName=") + kBusName + "\n";
    text += "Exec=" + commandLine + "\n";
    text += std::string("Verbs=") + kVerbs + "\n";
    text += "Insertable=true\n";
    return text;
}

bool WriteRegistration(const std::string& dataFolder, const std::string& program) {
    const std::optional<std::string> commandLine = ServerCommandLine(program);
    if (!commandLine) return false;
    // The service file first: a class record that containers list must be startable.
    const bool service = WriteWhole(ServiceFilePath(dataFolder), ServiceFileText(*commandLine));
    const bool object =
        service && WriteWhole(ObjectFilePath(dataFolder), ObjectFileText(*commandLine));
    return service && object;
}

bool RemoveRegistration(const std::string& dataFolder) {
    // The class record first, so that no container lists a class it could not start.
    const bool object = RemoveFile(ObjectFilePath(dataFolder));
    const bool service = RemoveFile(ServiceFilePath(dataFolder));
    return object && service;
}

}  // namespace lutaris::server_registration
