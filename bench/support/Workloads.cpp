// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/Workloads.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "document/CCorvaneDoc.h"
#include "model/TabCursor.h"

namespace lutaris::bench {
namespace {

// Every code a note can carry, so that each item exercises every drawing and text path.
constexpr std::int32_t kActions[] = {Normal,    Mute,     Unmarked,    Vibrato,  SlideUp,
                                     SlideDown, BendUp,   BendRelease, HammerOn, PullOff,
                                     Tap,       Harmonic, Optional};
constexpr std::int32_t kStrings = 6;

// std::mt19937 yields the same numbers everywhere; the library's distributions do not, so
// numbers are taken by plain remainders.
std::uint32_t Below(std::mt19937& random, std::uint32_t bound) { return random() % bound; }

void FillItem(Tablature& item, std::mt19937& random, std::size_t serial) {
    item.notes.reserve(kNotesPerItem);
    std::int32_t column = 0;
    std::uint32_t usedStrings = 0;  // strings already taken in `column`
    for (std::size_t i = 0; i < kNotesPerItem; ++i) {
        // One note in four joins the column before it as a chord, while a string is free.
        const bool chord = i > 0 && Below(random, 4) == 0 && usedStrings != (1u << kStrings) - 1;
        if (i > 0 && !chord) {
            ++column;
            usedStrings = 0;
        }
        std::int32_t string = static_cast<std::int32_t>(Below(random, kStrings));
        while (usedStrings & (1u << string)) string = (string + 1) % kStrings;
        usedStrings |= 1u << string;
        TabNote note;
        note.string = string;
        note.column = column;
        note.action = kActions[(serial * kNotesPerItem + i) % std::size(kActions)];
        note.fret = static_cast<std::int32_t>(Below(random, 25));
        if ((note.action == SlideUp || note.action == SlideDown) && Below(random, 3) == 0) {
            note.fret = BlankFret;
        }
        item.AppendNote(note);
    }
}

std::filesystem::path SharedDir() {
    if (const char* dir = std::getenv("LUTARIS_SHARED_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    return LUTARIS_SHARED_DIR;
}

}  // namespace

std::string TextTablatureWorkload(std::size_t bytes, unsigned seed) {
    static constexpr char kNames[] = {'e', 'B', 'G', 'D', 'A', 'E'};
    static constexpr char kMarks[] = {'-', '-', '-', 'h', 'p', '/', '~', 'b'};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(bytes + 1024);
    while (text.size() < bytes) {
        for (const char name : kNames) {
            text += name;
            text += '|';
            for (int measure = 0; measure < 4; ++measure) {
                for (int cell = 0; cell < 8; ++cell) {
                    if (random() % 4 == 0) {
                        text += std::to_string(random() % 24);
                        text += kMarks[random() % sizeof kMarks];
                    } else {
                        text += "--";
                    }
                }
                text += "-|";
            }
            text += "\r\n";
        }
        text += "\r\nand the words that go with it\r\n";
    }
    return text;
}

void FillSongbook(CCorvaneDoc& document, std::size_t items, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::unique_ptr<Tablature>> made;
    made.reserve(items);
    for (std::size_t i = 0; i < items; ++i) {
        auto item = std::make_unique<Tablature>(document.settings.get());
        item->position = static_cast<std::int32_t>(i);
        FillItem(*item, random, i);
        made.push_back(std::move(item));
    }
    // Inserted and moved items leave list order and reading order apart; keep a few runs in
    // order, as real editing does, and shuffle the rest.
    for (std::size_t i = 0; i + 1 < items; i += 1 + Below(random, 8)) {
        const std::size_t other = Below(random, static_cast<std::uint32_t>(items));
        std::swap(made[i], made[other]);
    }
    // The songbook is where the benchmark starts: no step to undo.
    document.ReplaceContent(*document.settings, std::move(made));
    document.ClearHistory();
    PutCaretOn(document, 0);
}

void PutCaretOn(CCorvaneDoc& document, std::int32_t position) {
    TabCursor& cursor = *document.cursor;
    cursor.tabItem = document.ItemAtPosition(position);
    cursor.current = TabNote{};
    cursor.current.action = NoNote;
    cursor.previous = cursor.current;
    if (const TabNote* note = cursor.FindNote(0, 0)) {
        cursor.LoadNote(note->fret, note->action);
    }
}

std::string CorpusTextWorkload(std::size_t bytes) {
    const std::filesystem::path folder = SharedDir() / "corpus" / "tabs";
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::string corpus;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        corpus += content.str();
        // A file that does not end its last line would glue it to the next file's first.
        if (!corpus.empty() && corpus.back() != '\n') corpus += "\r\n";
    }
    if (corpus.empty()) return corpus;
    std::string text;
    text.reserve(bytes + corpus.size());
    while (text.size() < bytes) text += corpus;
    return text;
}

}  // namespace lutaris::bench
