#pragma once

namespace lutaris {

class CCorvaneDoc;

// Copy: offers the whole document on the clipboard as an embedded object, with its picture,
// replacing whatever the clipboard held, and lets Paste duplicate the selection from then on.
class CopyCommand {
public:
    static constexpr const char* kTooLargeMessage = "The document is too large to copy.";

    explicit CopyCommand(CCorvaneDoc& document) : document_(document) {}

    void Run();

private:
    CCorvaneDoc& document_;
};

}  // namespace lutaris
