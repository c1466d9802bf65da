// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "model/TabSettings.h"

#include "platform/files/Archive.h"
#include "platform/files/PrivateProfile.h"

namespace lutaris {
namespace {

constexpr const char* kSection = "TAB";

}  // namespace

TabSettings& TabSettings::LoadDefaults() {
    const TabSettings builtIn;
    leftMargin = GetPrivateProfileInt(kSection, "leftMargin", builtIn.leftMargin, kSettingsFileName);
    topMargin = GetPrivateProfileInt(kSection, "topMargin", builtIn.topMargin, kSettingsFileName);
    horizontalSpacing = GetPrivateProfileInt(kSection, "horizontalSpacing",
                                             builtIn.horizontalSpacing, kSettingsFileName);
    verticalSpacing = GetPrivateProfileInt(kSection, "verticalSpacing", builtIn.verticalSpacing,
                                           kSettingsFileName);
    textFloat = GetPrivateProfileInt(kSection, "textFloat", builtIn.textFloat, kSettingsFileName);
    numberOfStrings = GetPrivateProfileInt(kSection, "numberOfStrings", builtIn.numberOfStrings,
                                           kSettingsFileName);
    nextLineSpacing = GetPrivateProfileInt(kSection, "nextLineSpacing", builtIn.nextLineSpacing,
                                           kSettingsFileName);
    textOpaque = GetPrivateProfileInt(kSection, "textOpaque", builtIn.textOpaque, kSettingsFileName);
    return *this;
}

void TabSettings::CopyFrom(const TabSettings& other) { *this = other; }

void TabSettings::Serialize(Archive& archive) {
    archive.Int32(leftMargin);
    archive.Int32(topMargin);
    archive.Int32(horizontalSpacing);
    archive.Int32(verticalSpacing);
    archive.Int32(textFloat);
    archive.Int32(numberOfStrings);
    archive.Int32(nextLineSpacing);
    archive.Int32(textOpaque);
}

}  // namespace lutaris
