// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <QByteArray>

class QImage;

namespace lutaris {

// The image as the bytes of a PNG file; empty for a null image or one that cannot be encoded.
QByteArray EncodePng(const QImage& image);

}  // namespace lutaris
