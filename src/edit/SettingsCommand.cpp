#include "edit/SettingsCommand.h"

#include "model/TabDocument.h"
#include "platform/prompt/Prompter.h"

namespace lutaris {

void SettingsCommand::Run() {
    TabSettings scratch;
    scratch.LoadDefaults();
    scratch.CopyFrom(*document_.settings);
    if (document_.GetPrompter().EditSettings(scratch)) document_.settings->CopyFrom(scratch);
    document_.UpdateStep();
}

}  // namespace lutaris
