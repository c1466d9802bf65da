// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

namespace lutaris {

// Why a document could not be read. The person is shown the reason's text; a container that
// loads an object is answered by the reason itself, so that rewording a text never changes
// what the container is told.
enum class LoadFailure {
    NotLutarisFile,    // the stream does not start with the magic text
    UnexpectedFormat,  // the stream ends inside a record
    OpenFailed,        // the file or storage cannot be read, or there is no memory for it
};

// The texts of the document's own message boxes, each said here only.
namespace document_messages {

inline constexpr const char* kNotLutarisFile = "This is not a Lutaris file";
// The one message with a caption of its own (the others use the framework's).
inline constexpr const char* kNotLutarisFileCaption = "Error";
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kFailedToOpen = "Failed to open document.";
inline constexpr const char* kFailedToSave = "Failed to save document.";

}  // namespace document_messages

// The text the person sees for `failure`.
constexpr const char* LoadFailureText(LoadFailure failure) {
    switch (failure) {
        case LoadFailure::NotLutarisFile:
            return document_messages::kNotLutarisFile;
        case LoadFailure::UnexpectedFormat:
            return document_messages::kUnexpectedFormat;
        case LoadFailure::OpenFailed:
            return document_messages::kFailedToOpen;
    }
    return document_messages::kFailedToOpen;
}

}  // namespace lutaris
