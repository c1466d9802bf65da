// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/DocumentMessages.h"
#include "platform/document/DocumentBase.h"

namespace lutaris {

class CCorvaneDoc;
class ServerPrompter;
class ViewDocument;

// One document that a container embeds, as the container drives it over the bus: its storage
// in and out, its size and picture, the container's names, the verbs and the end. Every entry
// point takes hostile input (any bytes, any sizes, any order of calls) and answers with an
// error instead of a crash, a hang, a message box or unbounded memory.
class EmbeddedObject : private DocumentObserver {
public:
    // The bus errors, each with a text of the program's own for the container to show.
    struct Error {
        std::string name;
        std::string message;
    };
    // Nothing on success.
    using Reply = std::optional<Error>;
    // The bus error `Lutaris.Error.NAME` with `message`.
    static Error MakeError(const char* name, std::string message);
    // The bus error of a failed load, with the text the person would have seen.
    static Error LoadError(LoadFailure failure);
    // Draws the presentation as a PNG picture of the size given; nothing when it cannot.
    using PngRenderer = std::function<std::optional<std::vector<std::uint8_t>>(
        ViewDocument& document, std::int32_t width, std::int32_t height)>;

    static constexpr const char* kSvgType = "image/svg+xml";
    static constexpr const char* kPngType = "image/png";
    // Pictures larger than this are refused: on each side, and in pixels in all (64 MB as
    // 32-bit pixels).
    static constexpr std::int32_t kMaxPictureSide = 8192;
    static constexpr std::int64_t kMaxPicturePixels = std::int64_t{4096} * 4096;
    // What one reply may carry: the bus refuses arrays over 64 MiB (and drops the connection
    // of a process that sends one), so a larger storage or picture is an error of ours.
    static constexpr std::size_t kMaxReplyBytes = (std::size_t{64} << 20) - (std::size_t{64} << 10);
    // Longer host names are refused: a window title has no use for more.
    static constexpr std::size_t kMaxHostNameBytes = 4096;
    static constexpr std::int32_t kVerbEdit = 0;
    static constexpr std::int32_t kVerbOpen = 1;
    // The container's click outside an object edited in place: editing ends.
    static constexpr std::int32_t kVerbDeactivate = -1;

    // The document's messages go to `prompter`, which must outlive the object.
    explicit EmbeddedObject(ServerPrompter& prompter);
    // The object of `document`, a document whose prompter is `prompter` (as an EditorSession
    // on it makes them).
    EmbeddedObject(ServerPrompter& prompter, std::unique_ptr<CCorvaneDoc> document);
    ~EmbeddedObject() override;
    EmbeddedObject(const EmbeddedObject&) = delete;
    EmbeddedObject& operator=(const EmbeddedObject&) = delete;

    Reply InitNew();
    // The object's storage: a document file's bytes, or a plain "Contents" stream.
    Reply Load(std::span<const std::uint8_t> storage);
    // The storage as a save to a file writes it; the container has taken every change then.
    Reply Save(std::vector<std::uint8_t>& storage);
    // The content size in HIMETRIC, for the content aspect only.
    Reply GetExtent(std::uint32_t aspect, std::int32_t& cx, std::int32_t& cy);
    // The presentation as SVG or as PNG of width × height pixels.
    Reply Draw(const std::string& mimeType, std::int32_t width, std::int32_t height,
               std::vector<std::uint8_t>& picture);
    Reply SetHostNames(const std::string& containerApp, const std::string& containerObject);
    // Success means the caller carries the verb out: edits the object in place (0), opens it
    // in a window of its own (1) or ends editing in place (-1).
    Reply DoVerb(std::int32_t verb);
    Reply Close();

    void SetPngRenderer(PngRenderer renderer) { pngRenderer_ = std::move(renderer); }
    // Called after every update step of the document that no call of the container caused.
    void SetDataChangedHandler(std::function<void()> handler) { dataChanged_ = std::move(handler); }

    bool IsInitialized() const { return initialized_; }
    bool IsClosed() const { return closed_; }
    // True when the document changed after the container last took its storage.
    bool HasChangesNotTaken() const { return changesNotTaken_; }
    const std::string& ContainerApp() const { return containerApp_; }
    const std::string& ContainerObject() const { return containerObject_; }

    CCorvaneDoc& Document() { return *document_; }
    // The document leaves the object (whose container is gone) to live on as an ordinary one.
    std::unique_ptr<CCorvaneDoc> ReleaseDocument();

private:
    void OnDocumentUpdated() override;
    Reply Usable() const;

    ServerPrompter& prompter_;
    std::unique_ptr<CCorvaneDoc> document_;
    PngRenderer pngRenderer_;
    std::function<void()> dataChanged_;
    std::string containerApp_;
    std::string containerObject_;
    bool initialized_ = false;
    bool closed_ = false;
    bool inCall_ = false;
    bool changesNotTaken_ = false;
};

}  // namespace lutaris
