#include "app/inplace/CInPlaceToolBar.h"

#include <QImage>

#include "app/shell/AppArtwork.h"
#include "app/shell/CommandStrings.h"
#include "app/shell/MenuTables.h"
#include "model/CommandIds.h"
#include "platform/qt/PngEncoding.h"

namespace lutaris {

namespace {

AppArtwork::ToolbarImage ImageOf(int commandId) {
    switch (commandId) {
        case ID_EDIT_CUT:
            return AppArtwork::Cut;
        case ID_EDIT_COPY:
            return AppArtwork::Copy;
        case ID_EDIT_PASTE:
            return AppArtwork::Paste;
        default:
            return AppArtwork::About;
    }
}

}  // namespace

bool CInPlaceToolBar::Create() {
    buttons_.clear();
    for (const std::int32_t command : menu_tables::InPlaceToolbar()) {
        if (command == menu_tables::kSeparator) {
            buttons_.push_back({});
            continue;
        }
        const CommandPrompt prompt = PromptForCommand(command);
        Button button{command, prompt.tooltip, prompt.status,
                      EncodePng(AppArtwork::ToolbarButtonImage(ImageOf(command)))};
        if (button.png.isEmpty()) return false;
        buttons_.push_back(std::move(button));
    }
    return true;
}

}  // namespace lutaris
