#pragma once

namespace lutaris {

class TabDocument;

// The "Import File" command of the document: replaces the document's content with the tab
// items read from a text tablature file.
class ImportFileCommand {
public:
    explicit ImportFileCommand(TabDocument& document) : document_(document) {}

    void Run();

private:
    TabDocument& document_;
};

}  // namespace lutaris
