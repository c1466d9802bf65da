// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The embedded object as a container drives it over the bus, with every argument hostile. The
// input: a 32-bit aspect, width and height (little-endian), a verb byte, a byte of flags
// (bit 0: InitNew first, bit 1: PNG rather than SVG, bit 2: Close before the storage), then
// the storage that Load gets. Checks: every error is one of the object's own with its text,
// a loaded object keeps the document's invariants, a picture comes only in the size limits,
// and what Save gives loads back to the same storage.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "document/EmbeddedObject.h"
#include "platform/prompt/ServerPrompter.h"
#include "support/DocumentChecks.h"

namespace {

using lutaris::EmbeddedObject;

std::uint32_t Word(const std::uint8_t* data) {
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

// An error must be one of the object's, with a text to show.
void CheckError(const EmbeddedObject::Reply& reply) {
    if (!reply) return;
    static const std::set<std::string> names = {
        "Lutaris.Error.Closed",        "Lutaris.Error.NotInitialized", "Lutaris.Error.NotLutarisFile",
        "Lutaris.Error.UnexpectedFormat", "Lutaris.Error.OpenFailed",  "Lutaris.Error.SaveFailed",
        "Lutaris.Error.BadAspect",     "Lutaris.Error.Empty",          "Lutaris.Error.BadFormat",
        "Lutaris.Error.BadSize",       "Lutaris.Error.NoDisplay",      "Lutaris.Error.BadName",
        "Lutaris.Error.BadVerb",       "Lutaris.Error.TooLarge"};
    Check(names.count(reply->name) == 1);
    Check(!reply->message.empty());
    if (reply->name == "Lutaris.Error.NotLutarisFile") Check(reply->message == "This is not a Lutaris file");
    if (reply->name == "Lutaris.Error.UnexpectedFormat") Check(reply->message == "Unexpected file format.");
    if (reply->name == "Lutaris.Error.OpenFailed") Check(reply->message == "Failed to open document.");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kControl = 14;
    if (size < kControl) return 0;
    const std::uint32_t aspect = Word(data);
    const auto width = static_cast<std::int32_t>(Word(data + 4));
    const auto height = static_cast<std::int32_t>(Word(data + 8));
    const auto verb = static_cast<std::int8_t>(data[12]);
    const std::uint8_t flags = data[13];
    const std::span<const std::uint8_t> storage(data + kControl, size - kControl);

    lutaris::ServerPrompter prompter;
    EmbeddedObject object(prompter);
    if (flags & 4) {
        CheckError(object.Close());
        // A closed object answers everything with an error and changes nothing.
        Check(object.Load(storage).has_value());
        std::vector<std::uint8_t> saved;
        Check(object.Save(saved).has_value() && saved.empty());
        return 0;
    }
    if (flags & 1) CheckError(object.InitNew());
    const EmbeddedObject::Reply loaded = object.Load(storage);
    CheckError(loaded);
    // Loaded or not, the object holds a document that every command can work on.
    lutaris::fuzz::CheckDocumentInvariants(object.Document());

    std::int32_t cx = 0;
    std::int32_t cy = 0;
    const EmbeddedObject::Reply extent = object.GetExtent(aspect, cx, cy);
    CheckError(extent);
    Check(extent.has_value() == (aspect != 1));

    std::vector<std::uint8_t> picture;
    const bool fits = width >= 1 && height >= 1 && width <= EmbeddedObject::kMaxPictureSide &&
                      height <= EmbeddedObject::kMaxPictureSide &&
                      std::int64_t{width} * height <= EmbeddedObject::kMaxPicturePixels;
    const EmbeddedObject::Reply drawn =
        object.Draw((flags & 2) ? EmbeddedObject::kPngType : EmbeddedObject::kSvgType, width,
                    height, picture);
    CheckError(drawn);
    if (!fits) Check(drawn && drawn->name == "Lutaris.Error.BadSize");
    // There is no display here: PNG is refused, SVG drawn whenever the size is allowed.
    if (fits && !(flags & 2))
        Check(drawn ? drawn->name == "Lutaris.Error.TooLarge" : !picture.empty());

    const std::string hostApp(reinterpret_cast<const char*>(storage.data()),
                              std::min<std::size_t>(storage.size(), 64));
    CheckError(object.SetHostNames(hostApp, hostApp));
    const EmbeddedObject::Reply verbReply = object.DoVerb(verb);
    CheckError(verbReply);
    const bool knownVerb = verb == EmbeddedObject::kVerbEdit || verb == EmbeddedObject::kVerbOpen ||
                           verb == EmbeddedObject::kVerbDeactivate;
    Check(verbReply.has_value() == !knownVerb);

    std::vector<std::uint8_t> saved;
    const EmbeddedObject::Reply save = object.Save(saved);
    CheckError(save);
    Check(!save && !saved.empty());
    Check(!object.HasChangesNotTaken());

    // What a container took loads into a new object and saves as the same storage.
    EmbeddedObject again(prompter);
    Check(!again.Load(saved));
    std::vector<std::uint8_t> resaved;
    Check(!again.Save(resaved));
    Check(resaved == saved);
    CheckError(object.Close());
    return 0;
}
