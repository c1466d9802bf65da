// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
// Linked with one layer's whole library and the layers below it, and never run: the link
// itself is the check that the layer calls nothing above it.
int main() { return 0; }
