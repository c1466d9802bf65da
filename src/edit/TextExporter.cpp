#include "edit/TextExporter.h"

#include <cstdint>
#include <new>
#include <span>

#include "model/CCorvaneDoc.h"
#include "platform/Prompter.h"
#include "platform/SafeFileReplacer.h"
#include "text/TabTextGrid.h"

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

class TooLargeDocument : public TextTooLargeError {
public:
    const char* what() const noexcept override { return TextExporter::kTooLargeMessage; }
};

}  // namespace

void TextExporter::AppendWithCrLf(std::string& out, std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            out.append(text);
            return;
        }
        out.append(text.substr(0, end)).append("\r\n");
        text.remove_prefix(end + 1);
    }
}

void TextExporter::Run() {
    const auto path = document_.GetPrompter().ChooseSaveFile(ExportDialogOptions());
    if (!path || path->empty()) return;
    WriteTo(*path);
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
    std::string text;
    for (const auto& item : document_.tabItems) {
        AppendWithCrLf(text, item->ToText());
        AppendWithCrLf(text, kItemSeparator);
        if (text.size() > maxBytes_) throw TooLargeDocument();
    }
    return text;
}

}  // namespace lutaris
