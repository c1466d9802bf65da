// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Text tablature files, as Import File reads them. Whatever the bytes, the import ends with a
// result or a named failure, within its limits, and what it built is well formed: positions
// 0 … n − 1 in list order, the caret's item among the items, notes on strings 0 to 6 with
// columns that never go down within an item (columns count the order in which notes start),
// and, when every block had the same number of lines, a string count of 4 to 7 that holds
// every note.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "text/TextLineReader.h"
#include "text/TextTabImporter.h"

namespace {

// Small enough that no input reaches the fuzzer's memory limit, large enough to be reached.
constexpr lutaris::TextImportLimits kLimits{.maxTabItems = 4096, .maxNotes = 1u << 18};
constexpr std::size_t kMaxLineLength = 1u << 16;

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using lutaris::Tablature;
    lutaris::TabSettings settings;
    std::vector<std::unique_ptr<Tablature>> items;
    items.push_back(std::make_unique<Tablature>(&settings));
    Tablature* current = items.front().get();

    lutaris::TextTabImporter importer(&settings, items, current, kLimits);
    lutaris::TextLineReader reader(kMaxLineLength);
    reader.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto status = importer.AddLines(reader);
    Check(status == lutaris::TextTabImporter::Status::Ok ||
          status == lutaris::TextTabImporter::Status::LineTooLong ||
          status == lutaris::TextTabImporter::Status::TooManyTabItems ||
          status == lutaris::TextTabImporter::Status::TooManyNotes);

    Check(items.size() <= kLimits.maxTabItems);
    Check(current == items.back().get());
    std::size_t notes = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Tablature& item = *items[i];
        Check(item.position == static_cast<std::int32_t>(i));
        Check(item.settings == &settings);
        std::int32_t column = 0;
        for (const auto& note : item.notes) {
            Check(note.string >= 0 && note.string < lutaris::TextTabImporter::kBlockSlots);
            Check(note.column >= column);
            Check(note.reserved == 0);
            column = note.column;
        }
        notes += item.notes.size();
    }
    Check(notes == importer.NotesCreated() && notes <= kLimits.maxNotes);

    if (const auto strings = importer.CommonStringCount()) {
        Check(*strings >= lutaris::TextTabImporter::kMinBlockLines &&
              *strings <= lutaris::TextTabImporter::kBlockSlots);
        for (const auto& item : items) {
            for (const auto& note : item->notes) Check(note.string < *strings);
        }
    }
    return 0;
}
