// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <vector>

#include "platform/clipboard/Clipboard.h"

namespace lutaris {

// A clipboard that lives in the process: for tests and the command-line tool, where no
// display is at hand.
class MemoryClipboard : public Clipboard {
public:
    void Clear() override;
    void SetFormats(std::vector<ClipboardFormat> formats) override;
    bool HasFormat(const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> GetFormat(const std::string& name) const override;
    std::vector<std::string> ListFormats() const override;

    // How often the content was replaced or cleared; lets tests see that an operation touched
    // the clipboard even when it left the same content.
    int ChangeCount() const { return changeCount_; }

private:
    const ClipboardFormat* Find(const std::string& name) const;

    std::vector<ClipboardFormat> formats_;
    int changeCount_ = 0;
};

}  // namespace lutaris
