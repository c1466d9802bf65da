// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The tab-item records of a document: a settings record followed by tab items, as they stand
// after the magic text. Whatever the bytes, loading ends in an item or in the end-of-file error,
// an item that loaded whole stores and loads back unchanged, and what the program then does
// with a loaded item (measure it, look notes up, write it as text) neither crashes nor
// allocates without bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "model/TabSettings.h"
#include "model/TabTextGrid.h"
#include "model/Tablature.h"
#include "platform/files/Archive.h"

namespace {

// Enough items to reach the interesting cases without making one input slow.
constexpr std::size_t kMaxItems = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lutaris::Archive archive(std::span<const std::uint8_t>(data, size));
    lutaris::TabSettings settings;
    std::vector<std::unique_ptr<lutaris::Tablature>> items;
    bool whole = true;
    try {
        settings.Serialize(archive);
        while (archive.Remaining() > 0 && items.size() < kMaxItems) {
            auto item = std::make_unique<lutaris::Tablature>(&settings);
            item->Serialize(archive);
            items.push_back(std::move(item));
        }
    } catch (const lutaris::ArchiveEndOfFile&) {
        whole = false;  // a damaged file ends here; the items read before are whole
    }

    // Storing what was read gives the bytes it was read from, unless the last note was cut
    // short inside its last two words (those load as zero) or a note count was negative (an
    // item without notes stores 0).
    lutaris::Archive out;
    settings.Serialize(out);
    bool anyEmpty = false;
    for (auto& item : items) {
        item->Serialize(out);
        anyEmpty = anyEmpty || item->notes.empty();
    }
    const auto& stored = out.StoredBytes();
    if (whole && !anyEmpty && stored.size() == archive.ReadOffset() &&
        !std::equal(stored.begin(), stored.end(), data)) {
        std::abort();
    }
    // And loading what was stored gives the same items.
    lutaris::Archive reload{std::span<const std::uint8_t>(stored)};
    lutaris::TabSettings settingsAgain;
    settingsAgain.Serialize(reload);
    if (!(settingsAgain == settings)) std::abort();
    for (auto& item : items) {
        lutaris::Tablature again(&settingsAgain);
        again.Serialize(reload);
        if (again.position != item->position || again.notes != item->notes ||
            again.reservedBlock != item->reservedBlock) {
            std::abort();
        }
    }

    // What the program does with a loaded item: measure it, look notes up, write it as text.
    for (auto& item : items) {
        item->GetExtent();
        item->MaxColumn();
        item->FindNote(0, 0);
    }
    // The text of one item is enough. Grids between a few MiB and the writer's 64 MiB limit
    // are left out: filling one takes most of a second under the sanitizers (page faults, not
    // our code) and reaches nothing that a smaller grid does not; sizes past the limit are
    // still tried, as they must throw before allocating.
    constexpr std::int64_t kSlowGridBytes = 4 << 20;
    // In double: strings times columns of two full 32-bit values overflows 64 bits.
    const double gridBytes =
        static_cast<double>(std::max<std::int64_t>(settings.numberOfStrings, 0)) *
        (4.0 * (items.empty() ? 0 : items.front()->MaxColumnOrMinusOne()) + 7.0);
    if (!items.empty() &&
        (gridBytes < static_cast<double>(kSlowGridBytes) ||
         gridBytes > static_cast<double>(lutaris::TabTextGrid::kMaxTextBytes))) {
        try {
            items.front()->ToText();
        } catch (const lutaris::TextTooLargeError&) {
            // Reported to the person by the callers; never an unbounded allocation.
        }
    }
    return 0;
}
