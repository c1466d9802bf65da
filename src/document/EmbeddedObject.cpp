// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "document/EmbeddedObject.h"

#include <algorithm>
#include <new>

#include "compound/CompoundFileError.h"
#include "document/CCorvaneDoc.h"
#include "platform/files/DocumentFile.h"
#include "platform/prompt/ServerPrompter.h"
#include "render/CCorvaneSrvrItem.h"
#include "render/PresentationPicture.h"

namespace lutaris {
namespace {

// Marks a container's call for the document's messages and for the update steps it causes,
// which the container knows of without a signal.
class CallScope {
public:
    CallScope(ServerPrompter& prompter, bool& inCall) : call_(prompter), inCall_(inCall) {
        inCall_ = true;
    }
    ~CallScope() { inCall_ = false; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    ServerPrompter::Call call_;
    bool& inCall_;
};

EmbeddedObject::Error TooLarge(const char* what) {
    return EmbeddedObject::MakeError(
        "TooLarge", std::string("The ") + what + " is too large to pass to the container.");
}

EmbeddedObject::Error SaveFailed() {
    return EmbeddedObject::MakeError("SaveFailed", document_messages::kFailedToSave);
}

}  // namespace

EmbeddedObject::Error EmbeddedObject::MakeError(const char* name, std::string message) {
    return {std::string("Lutaris.Error.") + name, std::move(message)};
}

EmbeddedObject::Error EmbeddedObject::LoadError(LoadFailure failure) {
    switch (failure) {
        case LoadFailure::NotLutarisFile:
            return MakeError("NotLutarisFile", LoadFailureText(failure));
        case LoadFailure::UnexpectedFormat:
            return MakeError("UnexpectedFormat", LoadFailureText(failure));
        case LoadFailure::OpenFailed:
            break;
    }
    return MakeError("OpenFailed", LoadFailureText(LoadFailure::OpenFailed));
}

EmbeddedObject::EmbeddedObject(ServerPrompter& prompter)
    : EmbeddedObject(prompter, std::make_unique<CCorvaneDoc>(prompter)) {}

EmbeddedObject::EmbeddedObject(ServerPrompter& prompter, std::unique_ptr<CCorvaneDoc> document)
    : prompter_(prompter), document_(std::move(document)) {
    document_->AddItem(this);
}

EmbeddedObject::~EmbeddedObject() {
    if (document_) document_->RemoveItem(this);
}

std::unique_ptr<CCorvaneDoc> EmbeddedObject::ReleaseDocument() {
    document_->RemoveItem(this);
    closed_ = true;
    return std::move(document_);
}

void EmbeddedObject::OnDocumentUpdated() {
    if (inCall_) return;
    changesNotTaken_ = true;
    if (dataChanged_) dataChanged_();
}

EmbeddedObject::Reply EmbeddedObject::Usable() const {
    if (closed_) return MakeError("Closed", "The object has been closed.");
    if (!initialized_)
        return MakeError("NotInitialized",
                         "The object holds no document yet: call InitNew or Load.");
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::InitNew() {
    if (closed_) return Usable();
    CallScope call(prompter_, inCall_);
    if (!document_->OnNewDocument()) return LoadError(LoadFailure::OpenFailed);
    initialized_ = true;
    changesNotTaken_ = false;
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::Load(std::span<const std::uint8_t> storage) {
    if (closed_) return Usable();
    CallScope call(prompter_, inCall_);
    // A failed load leaves a new document, as a failed open does: the object stays usable.
    initialized_ = true;
    changesNotTaken_ = false;
    std::vector<std::uint8_t> scratch;
    std::span<const std::uint8_t> contents;
    SideStream playback;
    try {
        contents = StorageContents(storage, scratch, playback);
    } catch (const DocumentReadError&) {
        document_->OnNewDocument();
        return LoadError(LoadFailure::OpenFailed);
    } catch (const std::bad_alloc&) {
        document_->OnNewDocument();
        return LoadError(LoadFailure::OpenFailed);
    }
    if (!document_->OpenContents(contents, playback))
        return LoadError(document_->LastLoadFailure().value_or(LoadFailure::OpenFailed));
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::Save(std::vector<std::uint8_t>& storage) {
    if (Reply error = Usable()) return error;
    CallScope call(prompter_, inCall_);
    try {
        storage = document_->StorageBytes();
    } catch (const CompoundFileError&) {
        return SaveFailed();
    } catch (const std::bad_alloc&) {
        return SaveFailed();
    }
    if (storage.size() > kMaxReplyBytes) {
        storage.clear();
        return TooLarge("document");
    }
    document_->SetModifiedFlag(false);
    changesNotTaken_ = false;
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::GetExtent(std::uint32_t aspect, std::int32_t& cx,
                                                std::int32_t& cy) {
    if (Reply error = Usable()) return error;
    if (aspect != static_cast<std::uint32_t>(DrawAspect::Content))
        return MakeError("BadAspect", "The object has a size for the content aspect (1) only.");
    LayoutSize size;
    if (!CCorvaneSrvrItem(*document_).OnGetExtent(DrawAspect::Content, size))
        return MakeError("Empty", "The document has no tab items to show.");
    cx = size.width;
    cy = size.height;
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::Draw(const std::string& mimeType, std::int32_t width,
                                           std::int32_t height,
                                           std::vector<std::uint8_t>& picture) {
    if (Reply error = Usable()) return error;
    if (mimeType != kSvgType && mimeType != kPngType)
        return MakeError("BadFormat", "The object draws \"image/svg+xml\" and \"image/png\" only.");
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        std::int64_t{width} * height > kMaxPicturePixels) {
        return MakeError("BadSize",
                         "A picture must be 1 to 8192 pixels on each side and at "
                         "most 4096 × 4096 pixels in all.");
    }
    if (PresentationPicture::HasTooManyElements(*document_)) return TooLarge("picture");
    try {
        if (mimeType == kSvgType) {
            const std::optional<std::string> svg = PresentationPicture::Svg(*document_);
            if (!svg) return MakeError("Empty", "The document has no tab items to show.");
            if (svg->size() > kMaxReplyBytes) return TooLarge("picture");
            picture.assign(svg->begin(), svg->end());
            return std::nullopt;
        }
        if (!pngRenderer_) return MakeError("NoDisplay", "This server cannot draw PNG pictures.");
        std::optional<std::vector<std::uint8_t>> png = pngRenderer_(*document_, width, height);
        if (!png) return MakeError("Empty", "The picture could not be drawn.");
        picture = std::move(*png);
    } catch (const std::bad_alloc&) {
        return TooLarge("picture");
    }
    if (picture.size() > kMaxReplyBytes) {
        picture.clear();
        return TooLarge("picture");
    }
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::SetHostNames(const std::string& containerApp,
                                                   const std::string& containerObject) {
    if (closed_) return Usable();
    if (containerApp.size() > kMaxHostNameBytes || containerObject.size() > kMaxHostNameBytes)
        return MakeError("BadName", "A host name may be at most 4096 bytes long.");
    containerApp_ = containerApp;
    containerObject_ = containerObject;
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::DoVerb(std::int32_t verb) {
    if (Reply error = Usable()) return error;
    if (verb != kVerbEdit && verb != kVerbOpen && verb != kVerbDeactivate)
        return MakeError("BadVerb",
                         "The object knows the verbs 0 (\"&Edit\"), 1 (\"&Open\") and "
                         "-1 (deactivate) only.");
    return std::nullopt;
}

EmbeddedObject::Reply EmbeddedObject::Close() {
    closed_ = true;
    return std::nullopt;
}

}  // namespace lutaris
