// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Writes the seed inputs that the program itself can make: settings files, tab-item records,
// and (as those readers exist) documents. Usage: lutaris_fuzz_seeds OUTPUT_DIR
// Each target's seeds go to OUTPUT_DIR/<target name>/.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "compound/ClassId.h"
#include "compound/CompoundFileWriter.h"
#include "document/CCorvaneDoc.h"
#include "model/PlaybackSettings.h"
#include "model/TabSettings.h"
#include "model/Tablature.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/clipboard/MemoryClipboard.h"
#include "platform/files/Archive.h"
#include "platform/files/DocumentClassId.h"
#include "support/FuzzPrompter.h"

namespace fs = std::filesystem;
using lutaris::Archive;
using lutaris::Tablature;
using lutaris::TabNote;
using lutaris::TabSettings;

namespace {

void Write(const fs::path& dir, const std::string& name, const void* data, std::size_t size) {
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
}

void Write(const fs::path& dir, const std::string& name, std::string_view text) {
    Write(dir, name, text.data(), text.size());
}

void Write(const fs::path& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    Write(dir, name, bytes.data(), bytes.size());
}

// One tab item with a note of every technique, two of them in one cell.
void FillItem(Tablature& item) {
    const std::int32_t actions[] = {lutaris::Normal,      lutaris::Mute,      lutaris::Vibrato,
                                    lutaris::SlideUp,     lutaris::SlideDown, lutaris::BendUp,
                                    lutaris::BendRelease, lutaris::HammerOn,  lutaris::PullOff,
                                    lutaris::Tap,         lutaris::Harmonic,  lutaris::Optional};
    std::int32_t column = 0;
    for (auto action : actions) {
        item.AppendNote(TabNote{column % 13, column % 6, column, 0, action});
        ++column;
    }
    item.AppendNote(TabNote{lutaris::BlankFret, 2, 3, 0, lutaris::SlideUp});
    item.reservedBlock[0] = 0x5a;
    item.reservedBlock[79] = 0xa5;
}

void WriteSettingsSeeds(const fs::path& dir) {
    Write(dir, "defaults.ini",
          "[TAB]\r\nleftMargin=1\r\ntopMargin=1\r\nhorizontalSpacing=24\r\nverticalSpacing=12\r\n"
          "textFloat=8\r\nnumberOfStrings=6\r\nnextLineSpacing=30\r\ntextOpaque=1\r\n");
    Write(dir, "mixed.ini",
          "; comment\n[other]\nleftMargin=9\n[ tab ]\n  NumberOfStrings = -4 \nTEXTFLOAT=+12x\n"
          "leftmargin=\nverticalSpacing=4294967297\n[TAB\ntopMargin=3");
}

void WriteTabItemSeeds(const fs::path& dir) {
    TabSettings settings;
    Archive empty;
    settings.Serialize(empty);
    Tablature blank(&settings);
    blank.Serialize(empty);
    Write(dir, "one-empty-item", empty.StoredBytes());

    Archive full;
    settings.Serialize(full);
    Tablature first(&settings);
    FillItem(first);
    first.position = 1;
    first.Serialize(full);
    Tablature second(&settings);
    second.AppendNote(TabNote{12, 5, 0, 7, lutaris::Harmonic});
    second.Serialize(full);
    Write(dir, "two-items", full.StoredBytes());
}

// Our own files at the sizes where the layout changes: no stream, the mini stream, its cutoff.
void WriteCompoundFileSeeds(const fs::path& dir) {
    for (const std::size_t size : {0, 135, 283, 4095, 4096, 4097}) {
        std::vector<std::uint8_t> stream(size);
        for (std::size_t i = 0; i < size; ++i) stream[i] = static_cast<std::uint8_t>(i * 7);
        Write(dir, "contents-" + std::to_string(size) + ".cfb",
              lutaris::WriteCompoundFile(lutaris::kDocumentClassId, "Contents", stream));
    }
}

// Documents as the program saves them: a new one, and one with several items, notes of every
// technique and positions out of list order. Each as its "Contents" stream alone and as a
// compound file; the larger one also with a stream big enough to leave the mini stream.
void WriteDocumentSeeds(const fs::path& root) {
    lutaris::fuzz::FuzzPrompter prompter;
    lutaris::CCorvaneDoc fresh(prompter);
    fresh.OnNewDocument();

    lutaris::CCorvaneDoc full(prompter);
    full.OnNewDocument();
    FillItem(*full.tabItems.front());
    full.tabItems.front()->position = 2;
    full.AppendTabItem(0)->AppendNote(TabNote{7, 1, 0, 0, lutaris::HammerOn});
    full.AppendTabItem(1);
    full.InvalidatePositionIndex();

    lutaris::CCorvaneDoc large(prompter);
    large.OnNewDocument();
    for (std::int32_t i = 0; i < 300; ++i) {
        large.tabItems.front()->AppendNote(TabNote{i % 24, i % 6, i, 0, lutaris::Normal});
    }

    struct Named {
        const char* name;
        lutaris::CCorvaneDoc* document;
    };
    for (const auto& [name, document] :
         {Named{"new", &fresh}, Named{"three-items", &full}, Named{"large", &large}}) {
        const auto contents = document->ContentsBytes();
        const auto compound =
            lutaris::WriteCompoundFile(lutaris::kDocumentClassId, "Contents", contents);
        Write(root / "fuzz_document_contents", name, contents);
        Write(root / "fuzz_document_file", std::string(name) + ".ltf", compound);
        Write(root / "fuzz_document_file", std::string(name) + ".contents", contents);
        Write(root / "fuzz_compound_file", std::string(name) + ".ltf", compound);
        // fuzz_embedded_object: its 14 control bytes (content aspect, 200 × 100 pixels, verb 1,
        // SVG after InitNew), then the storage as a container holds it, or the bare stream.
        std::vector<std::uint8_t> call = {1, 0, 0, 0, 200, 0, 0, 0, 100, 0, 0, 0, 1, 0x01};
        std::vector<std::uint8_t> bare = call;
        call.insert(call.end(), compound.begin(), compound.end());
        bare.insert(bare.end(), contents.begin(), contents.end());
        Write(root / "fuzz_embedded_object", std::string(name) + ".storage", call);
        Write(root / "fuzz_embedded_object", std::string(name) + ".contents", bare);
    }

    // The text that Export File writes, for the importer: every item followed by a blank line.
    std::string exported;
    for (auto& item : full.tabItems) exported += std::string(item->ToText()) + "\n";
    Write(root / "fuzz_text_import", "exported.txt", exported);
    Write(root / "fuzz_text_import", "conventional.txt",
          "Intro\ne|--0--3--|--5h7--|\nB|--1-----|--(5)--|\nG|--0--<12>|--7/9--|\n"
          "D|--2--x--|--5b---|\nA|--3-----|--/5---|\nE|---------|--\\3~-|\n\n");
}

// Step scripts for fuzz_clipboard_exchange (its layout is described there): the exchanges the
// editor meets, and the formats Copy offers handed back as another program's content.
void WriteClipboardSeeds(const fs::path& dir) {
    using Bytes = std::vector<std::uint8_t>;
    const auto foreign = [](Bytes& script, std::uint8_t name, const Bytes& data) {
        script.insert(script.end(), {0, 1, name, static_cast<std::uint8_t>(data.size() & 0xff),
                                     static_cast<std::uint8_t>(data.size() >> 8)});
        script.insert(script.end(), data.begin(), data.end());
    };
    // Six items; select 1 … 2; drop on 4, on 0, on a selected item, on empty space.
    Write(dir, "drops", Bytes{5, 1, 1, 2, 2, 4, 2, 0, 2, 1, 2, 100});
    // Copy, Paste twice, a drag-selection, Paste; Cut of 2 … 3 of five; Cut of everything.
    Write(dir, "copy-paste", Bytes{5, 1, 1, 2, 3, 5, 5, 1, 1, 2, 5, 7});
    Write(dir, "cut", Bytes{4, 1, 2, 3, 4, 1, 0, 2, 4, 6});
    // Copy as Text of one item, of two, of nothing.
    Write(dir, "text", Bytes{3, 1, 1, 1, 6, 1, 1, 2, 6, 1, 3, 1, 6});

    // The sibling program's items, a marker of the wrong size, text alone, then drops.
    Bytes sibling{5, 1, 1, 2};
    foreign(sibling, 1, {'x'});
    sibling.insert(sibling.end(), {2, 4});
    foreign(sibling, 0, {1, 2, 3, 4, 5, 6, 7});
    sibling.insert(sibling.end(), {2, 4});
    foreign(sibling, 2, {'h', 'i'});
    sibling.insert(sibling.end(), {2, 4});
    Write(dir, "foreign-drops", sibling);

    // What Copy offers for a document with notes, put back as another program's content.
    lutaris::fuzz::FuzzPrompter prompter;
    lutaris::MemoryClipboard clipboard;
    lutaris::CCorvaneDoc document(prompter);
    document.SetClipboard(&clipboard);
    document.OnNewDocument();
    FillItem(*document.tabItems.front());
    document.OnEditCopy();
    for (const auto& [name, pick] : {std::pair{lutaris::kEmbedSourceFormat, 3},
                                     std::pair{lutaris::kObjectDescriptorFormat, 4}}) {
        Bytes script{0};
        foreign(script, static_cast<std::uint8_t>(pick), *clipboard.GetFormat(name));
        script.push_back(7);
        Write(dir, std::string("copied-") + (pick == 3 ? "embed-source" : "descriptor"), script);
    }
}

// Playback streams as a save writes them: a tempo alone, a program, a tuning; and item notes
// for the event list, as fuzz_item_sound reads them (a string count, a first column, notes).
void WriteSoundSeeds(const fs::path& root) {
    lutaris::PlaybackSettings tempo;
    tempo.tempo = 90;
    lutaris::PlaybackSettings all;
    all.tempo = 300;
    all.program = 24;
    all.tuning = {62, 57, 55, 50, 45, 38};
    Write(root / "fuzz_playback_stream", "tempo", tempo.Encode(6));
    Write(root / "fuzz_playback_stream", "all", all.Encode(6));
    std::vector<std::uint8_t> notes = {6, 0};
    const TabNote techniques[] = {
        {5, 0, 0, 0, lutaris::HammerOn}, {7, 0, 1, 0, lutaris::SlideUp},
        {9, 0, 3, 0, lutaris::BendUp},   {lutaris::BlankFret, 1, 0, 0, lutaris::SlideDown},
        {3, 1, 1, 0, lutaris::Vibrato},  {12, 2, 2, 0, lutaris::Harmonic},
        {0, 5, 0, 0, lutaris::Mute},     {2, 4, 4, 0, lutaris::BendRelease}};
    for (const TabNote& note : techniques) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&note);
        notes.insert(notes.end(), bytes, bytes + sizeof note);
    }
    Write(root / "fuzz_item_sound", "techniques", notes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: lutaris_fuzz_seeds OUTPUT_DIR\n";
        return 2;
    }
    const fs::path out = argv[1];
    try {
        WriteSettingsSeeds(out / "fuzz_private_profile");
        WriteTabItemSeeds(out / "fuzz_tab_item");
        WriteCompoundFileSeeds(out / "fuzz_compound_file");
        WriteDocumentSeeds(out);
        WriteClipboardSeeds(out / "fuzz_clipboard_exchange");
        WriteSoundSeeds(out);
    } catch (const std::exception& error) {
        std::cerr << "lutaris_fuzz_seeds: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
