// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// The script commands of the selection and the clipboard: what the view's drag-selection and
// drop target do, and a look at the script's clipboard.

#include <fstream>
#include <limits>
#include <optional>
#include <ostream>

#include "JsonDumpWriter.h"
#include "ScriptCommandTable.h"
#include "ScriptLineReader.h"
#include "ScriptRunner.h"
#include "compound/CompoundFileName.h"
#include "edit/DragSelection.h"
#include "edit/DropHandler.h"
#include "platform/clipboard/ClipboardFormatNames.h"
#include "platform/clipboard/ObjectDescriptor.h"

namespace lutaris::cli {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMaxHoldSeconds = 24 * 60 * 60;

// The position of the item a point lies over, as the view hit-tests it: a position that no
// item holds stands for a point over empty space.
std::optional<std::int32_t> ItemUnder(ScriptRunner& runner, const std::string& word) {
    const auto position =
        static_cast<std::int32_t>(ScriptRunner::ParseInteger(word, kInt32Min, kInt32Max));
    if (runner.Document().ItemAtPosition(position) == nullptr) return std::nullopt;
    return position;
}

void Select(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 2, "select FROM TO");
    const auto from = ItemUnder(runner, args[0]);
    const auto to = ItemUnder(runner, args[1]);
    DragSelection selection(runner.Document());
    selection.Begin();
    selection.End(from, to, &runner.Clipboard().Get());
}

void Drop(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "drop POSITION");
    const auto target = ItemUnder(runner, args[0]);
    DropHandler(runner.Document(), &runner.Clipboard().Get(), runner.Prompter()).Drop(target);
}

// The names are UTF-16 as in a compound file's entries, decoded the same forgiving way.
void PrintDescriptor(std::ostream& out, const Clipboard& clipboard) {
    const auto bytes = clipboard.GetFormat(kObjectDescriptorFormat);
    const auto descriptor = bytes ? ObjectDescriptor::Decode(*bytes) : std::nullopt;
    if (!descriptor) {
        out << "null";
        return;
    }
    out << "{\"classId\":\"" << ClassIdText(descriptor->classId)
        << "\",\"aspect\":" << descriptor->drawAspect << ",\"width\":" << descriptor->width
        << ",\"height\":" << descriptor->height
        << ",\"type\":" << JsonDumpWriter::Quote(DecodeEntryName(descriptor->fullUserTypeName))
        << ",\"source\":" << JsonDumpWriter::Quote(DecodeEntryName(descriptor->sourceOfCopy))
        << '}';
}

// One line of JSON: {"formats":[{"name":N,"size":BYTES},…],"text":T|null,"descriptor":D|null}.
void PrintClipboard(ScriptRunner& runner) {
    const Clipboard& clipboard = runner.Clipboard().Get();
    std::ostream& out = runner.Out();
    out << "{\"formats\":[";
    bool first = true;
    for (const std::string& name : clipboard.ListFormats()) {
        const auto data = clipboard.GetFormat(name);
        out << (first ? "" : ",") << "{\"name\":" << JsonDumpWriter::Quote(name)
            << ",\"size\":" << (data ? std::to_string(data->size()) : "null") << '}';
        first = false;
    }
    out << "],\"text\":";
    if (const auto text = clipboard.GetFormat(kPlainTextFormat)) {
        out << JsonDumpWriter::Quote(
            std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    } else {
        out << "null";
    }
    out << ",\"descriptor\":";
    PrintDescriptor(out, clipboard);
    out << '}' << std::endl;
}

void WriteFormat(ScriptRunner& runner, const std::string& name, const std::string& path) {
    const auto data = runner.Clipboard().Get().GetFormat(name);
    if (!data) {
        return runner.Fail("clipboard: no format \"" + name + "\"");
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data->data()),
              static_cast<std::streamsize>(data->size()));
    if (!out.flush()) {
        runner.Fail("clipboard: cannot write " + path);
    }
}

void ClipboardCommand(ScriptRunner& runner, const std::vector<std::string>& args) {
    if (args.empty()) {
        PrintClipboard(runner);
    } else if (args.size() == 2) {
        WriteFormat(runner, args[0], args[1]);
    } else {
        throw ScriptError("usage: clipboard [FORMAT OUT]");
    }
}

void Hold(ScriptRunner& runner, const std::vector<std::string>& args) {
    ScriptRunner::ExpectArgumentCount(args, 1, "hold SECONDS");
    const auto seconds = ScriptRunner::ParseInteger(args[0], 0, kMaxHoldSeconds);
    runner.Clipboard().Hold(static_cast<int>(seconds));
}

const ScriptCommandRegistration kCommands[] = {
    ScriptCommandRegistration({"select", "FROM TO",
                               "A drag-selection from the item at position FROM to the item at "
                               "position TO, as the view makes it with a double click and a "
                               "release: empties the selection, clears `copied`, selects the "
                               "positions FROM ... TO (none when TO < FROM or a position names "
                               "no item) and replaces the clipboard with the \"Lutaris 0.2\" "
                               "marker.",
                               Select}),
    ScriptCommandRegistration({"drop", "POSITION",
                               "Something dropped on the item at POSITION (a position no item "
                               "holds is empty space): the clipboard decides, as in the view.",
                               Drop}),
    ScriptCommandRegistration({"clipboard", "[FORMAT OUT]",
                               "Print the clipboard as one line of JSON: "
                               "{\"formats\":[{\"name\":N,\"size\":BYTES},...],\"text\":T,"
                               "\"descriptor\":D}: T the plain text, D what the Object "
                               "Descriptor says ({\"classId\",\"aspect\",\"width\",\"height\","
                               "\"type\",\"source\"}), each null when absent or unreadable. With "
                               "FORMAT and OUT, write that format's bytes to the file OUT "
                               "instead.",
                               ClipboardCommand}),
    ScriptCommandRegistration({"hold", "SECONDS",
                               "With --system-clipboard: serve what the script put on the "
                               "clipboard to other programs until one of them replaces it or "
                               "SECONDS pass. Without it, nothing.",
                               Hold}),
};

}  // namespace
}  // namespace lutaris::cli
