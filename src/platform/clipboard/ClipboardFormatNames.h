// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

// The two private formats, by the names every process registers them under. The names double
// as the MIME format names of the Qt clipboard, unchanged, so that they reach other processes
// (and the sibling program's data reaches us) under the same name.
inline constexpr const char* kSelectionFormat = "Lutaris 0.2";
inline constexpr const char* kGlissomarkersFormat = "Glissomarkers 3.0";

// Standard formats.
inline constexpr const char* kPlainTextFormat = "text/plain";
inline constexpr const char* kUriListFormat = "text/uri-list";
inline constexpr const char* kSvgFormat = "image/svg+xml";
inline constexpr const char* kPngFormat = "image/png";

// The embedded-object formats a container reads, by their registered names.
inline constexpr const char* kEmbedSourceFormat = "Embed Source";
inline constexpr const char* kObjectDescriptorFormat = "Object Descriptor";
inline constexpr const char* kLinkSourceFormat = "Link Source";
inline constexpr const char* kLinkSourceDescriptorFormat = "Link Source Descriptor";

}  // namespace lutaris
