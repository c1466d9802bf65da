// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lutaris {

// Whether a text line is the line of one string in a system of tablature.
//
// A string line holds a dash, and after its leading blanks, an optional string name and the
// name's separator, its tablature starts with a dash, a bar, a digit or a mark that opens a
// note: 'x' or 'X', '/' or '\', or a fret in brackets ("(5)", "<12>", "[7]", "{10}"). A string name
// is a note name (a letter A to G, either case, with an optional '#' or 'b') or a number, with
// optional blanks and an optional '{' before its separator, ':' or '|'; one repeat dot ('o' or
// '*') may follow the separator. Headings, chord names, lyrics and comments fail this even
// when they hold a dash ("Intro - play twice", "C  B  Em  Am - Em7").
//
// A string line may also carry a label before its name ("[ST] B|--1--", "Bb    E|--6--"): a
// name after a blank, with a bar for its separator, followed by tablature as above.
//
// Returns nullopt for a line that is no string line; otherwise the length of the part before
// the separator (blanks, label and name; 0 for a line without a name), which is no tablature.
std::optional<std::size_t> StringLineNameLength(std::string_view line);

}  // namespace lutaris
