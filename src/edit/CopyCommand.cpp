#include "edit/CopyCommand.h"

#include <new>

#include "edit/EmbeddedObjectFormats.h"
#include "model/CCorvaneDoc.h"
#include "platform/Clipboard.h"
#include "platform/CompoundFileError.h"
#include "platform/Prompter.h"

namespace lutaris {

void CopyCommand::Run() {
    std::vector<ClipboardFormat> formats;
    try {
        formats = EmbeddedObjectFormats(document_).Build(std::nullopt);
    } catch (const CompoundFileError&) {
        formats.clear();
    } catch (const std::bad_alloc&) {
        formats.clear();
    }
    if (formats.empty()) {
        // The clipboard keeps what it had rather than a part of the document.
        document_.GetPrompter().ShowMessage(kTooLargeMessage, DocumentBase::kCaption,
                                            MessageIcon::Exclamation, MessageButtons::Ok);
    } else if (Clipboard* clipboard = document_.GetClipboard()) {
        clipboard->SetFormats(std::move(formats));
    }
    document_.copied = 1;
}

}  // namespace lutaris
