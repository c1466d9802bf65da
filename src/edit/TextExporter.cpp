// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "edit/TextExporter.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <span>

#include "model/PrefetchingWalk.h"
#include "model/ReadingOrder.h"
#include "model/TabDocument.h"
#include "model/TabTextGrid.h"
#include "platform/prompt/Prompter.h"
#include "platform/files/SafeFileReplacer.h"

namespace lutaris {
namespace {

FileDialogOptions ExportDialogOptions() {
    FileDialogOptions options;
    options.defaultExtension = "txt";
    options.filters = {{"Text Files (*.txt)", {"*.txt"}}};
    options.overwritePrompt = true;
    return options;
}

constexpr std::string_view kItemSeparator = "\n\n\n";
constexpr std::string_view kCrLfSeparator = "\r\n\r\n\r\n";

class TooLargeDocument : public TextTooLargeError {
public:
    const char* what() const noexcept override { return TextExporter::kTooLargeMessage; }
};

}  // namespace

void TextExporter::AppendWithCrLf(std::string& out, std::string_view text) {
    const char* next = text.data();
    const char* const end = next + text.size();
    while (next != end) {
        const auto* feed =
            static_cast<const char*>(std::memchr(next, '\n', static_cast<std::size_t>(end - next)));
        if (feed == nullptr) {
            out.append(next, static_cast<std::size_t>(end - next));
            return;
        }
        out.append(next, static_cast<std::size_t>(feed - next)).append("\r\n", 2);
        next = feed + 1;
    }
}

bool TextExporter::Run() {
    const auto path = document_.GetPrompter().ChooseSaveFile(ExportDialogOptions());
    if (!path || path->empty()) return false;
    return WriteTo(*path);
}

bool TextExporter::WriteTo(const std::string& path) {
    std::string failure;
    try {
        const std::string text = ExportText();
        ReplaceFileSafely(
            path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        return true;
    } catch (const TextTooLargeError& error) {
        failure = error.what();
    } catch (const FileWriteError&) {
        failure = kFailedMessage;
    } catch (const std::bad_alloc&) {
        failure = kFailedMessage;
    }
    document_.GetPrompter().ShowMessage(failure, DocumentBase::kCaption, MessageIcon::Exclamation,
                                        MessageButtons::Ok);
    return false;
}

std::string TextExporter::ExportText() {
    // Sized first, so that the file's bytes are built in one buffer: each line feed becomes two
    // bytes. The limits are tested in the same order as the texts are joined, so a document
    // fails with the same message as it would part-way through joining.
    const std::vector<Tablature*> items = ItemsInReadingOrder(document_.tabItems);
    std::size_t total = 0;
    ForEachItemPrefetched(items, [&](const Tablature& item) {
        const TabTextGrid::Extent extent = item.MeasureText();
        total += static_cast<std::size_t>(extent.bytes + extent.lines) + 2 * kItemSeparator.size();
        if (total > maxBytes_) throw TooLargeDocument();
    });
    std::string text;
    text.reserve(total);
    ForEachItemPrefetched(items, [&](Tablature& item) {
        AppendWithCrLf(text, item.ToText());
        text.append(kCrLfSeparator);
    });
    return text;
}

}  // namespace lutaris
