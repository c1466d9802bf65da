// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/EmbeddedObjectFormats.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "compound/ClassId.h"
#include "model/TabDocument.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/clipboard/FileUri.h"
#include "platform/clipboard/ObjectDescriptor.h"
#include "platform/files/DocumentClassId.h"
#include "platform/files/DocumentFile.h"

namespace lutaris {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The type names are ASCII: each character widens as it stands.
std::u16string Utf16(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

}  // namespace

std::optional<std::string> EmbeddedObjectFormats::LinkUri() const {
    const std::string& path = document_.GetPathName();
    if (path.empty()) return std::nullopt;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    // Without a current directory a relative path names no file another program could find.
    if (error) return std::nullopt;
    return FileUriFromPath(absolute.lexically_normal().string());
}

std::vector<ClipboardFormat> EmbeddedObjectFormats::Build(std::optional<LayoutSize> extent) {
    ObjectDescriptor descriptor;
    descriptor.classId = kDocumentClassId;
    if (extent) {
        descriptor.width = extent->width;
        descriptor.height = extent->height;
    }
    descriptor.fullUserTypeName = Utf16(kDocumentTypeName);
    descriptor.sourceOfCopy = kSourceName;
    const std::vector<std::uint8_t> descriptorBytes = descriptor.Encode();

    std::vector<ClipboardFormat> formats;
    formats.push_back({kEmbedSourceFormat, document_.StorageBytes()});
    formats.push_back({kObjectDescriptorFormat, descriptorBytes});
    if (const auto uri = LinkUri()) {
        formats.push_back({kLinkSourceFormat, Bytes(*uri)});
        formats.push_back({kLinkSourceDescriptorFormat, descriptorBytes});
        // A uri-list ends every line with CR LF.
        formats.push_back({kUriListFormat, Bytes(*uri + "\r\n")});
    }
    return formats;
}

}  // namespace lutaris
