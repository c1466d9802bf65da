// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QClipboard>

#include "platform/clipboard/Clipboard.h"

namespace lutaris {

// The system clipboard through Qt. Every format is a MIME format whose name is ours unchanged
// ("Lutaris 0.2" included, blank and all): on X11 Qt interns the name as the selection target
// atom and lists foreign targets by their atom names, so a format reaches every process under
// the name it was set with, as registered clipboard formats do.
class QtClipboard : public Clipboard {
public:
    // `clipboard` is the application's unless given; `mode` picks the clipboard proper or the
    // X11 primary selection.
    explicit QtClipboard(QClipboard* clipboard = nullptr,
                         QClipboard::Mode mode = QClipboard::Clipboard);

    void Clear() override;
    void SetFormats(std::vector<ClipboardFormat> formats) override;
    bool HasFormat(const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> GetFormat(const std::string& name) const override;
    std::vector<std::string> ListFormats() const override;

private:
    QClipboard* clipboard_;
    QClipboard::Mode mode_;
};

}  // namespace lutaris
