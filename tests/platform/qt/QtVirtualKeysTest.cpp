// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "platform/qt/QtVirtualKeys.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace lutaris {
namespace {

std::int32_t Translate(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                       std::uint32_t keycode = 0) {
    return VirtualKeyFromQt(QtKeyInput{key, modifiers, keycode});
}

TEST(QtVirtualKeys, LettersGoByTheLetterWhateverModifiersAreHeld) {
    EXPECT_EQ(Translate(Qt::Key_A), 65);
    EXPECT_EQ(Translate(Qt::Key_Z), 90);
    EXPECT_EQ(Translate(Qt::Key_B, Qt::ControlModifier), 66);
    EXPECT_EQ(Translate(Qt::Key_B, Qt::ShiftModifier | Qt::AltModifier), 66);
    // On a layout that puts A where a US keyboard has Q, the key still gives A.
    EXPECT_EQ(Translate(Qt::Key_A, Qt::NoModifier, 24), 65);
}

TEST(QtVirtualKeys, KeysWithoutALatinLetterGoByTheirPlace) {
    EXPECT_EQ(Translate(0x0418 /* И */, Qt::NoModifier, 56), 66);  // the B key
    EXPECT_EQ(Translate(0x0416 /* Ж */, Qt::NoModifier, 47), 0);  // not a letter place
}

TEST(QtVirtualKeys, TopRowDigitsGoByTheKeyPosition) {
    // Shift+1 on a US keyboard reports "!"; a French layout needs no Shift for "&".
    EXPECT_EQ(Translate(Qt::Key_Exclam, Qt::ShiftModifier, 10), 49);
    EXPECT_EQ(Translate(Qt::Key_Ampersand, Qt::NoModifier, 10), 49);
    EXPECT_EQ(Translate(Qt::Key_Agrave, Qt::NoModifier, 19), 48);
    EXPECT_EQ(Translate(Qt::Key_5, Qt::NoModifier, 14), 53);
    EXPECT_EQ(Translate(Qt::Key_ParenLeft, Qt::ShiftModifier, 18), 57);
}

TEST(QtVirtualKeys, WithoutKeycodesDigitsAndTheirUsTwinsStillTypeFrets) {
    EXPECT_EQ(Translate(Qt::Key_0), 48);
    EXPECT_EQ(Translate(Qt::Key_7), 55);
    EXPECT_EQ(Translate(Qt::Key_At, Qt::ShiftModifier), 50);
    EXPECT_EQ(Translate(Qt::Key_ParenRight, Qt::ShiftModifier), 48);
}

TEST(QtVirtualKeys, KeypadKeysHaveTheirOwnCodes) {
    EXPECT_EQ(Translate(Qt::Key_0, Qt::KeypadModifier, 90), 96);
    EXPECT_EQ(Translate(Qt::Key_9, Qt::KeypadModifier, 81), 105);
    EXPECT_EQ(Translate(Qt::Key_Slash, Qt::KeypadModifier, 106), 111);
    // Without Num Lock the keypad moves like the arrow block.
    EXPECT_EQ(Translate(Qt::Key_Home, Qt::KeypadModifier, 79), 36);
    EXPECT_EQ(Translate(Qt::Key_Left, Qt::KeypadModifier, 83), 37);
}

TEST(QtVirtualKeys, TechniquePunctuationGoesByCharacterOrItsUsShiftedTwin) {
    EXPECT_EQ(Translate(Qt::Key_Slash), 191);
    EXPECT_EQ(Translate(Qt::Key_Question, Qt::ShiftModifier), 191);
    EXPECT_EQ(Translate(Qt::Key_QuoteLeft), 192);
    EXPECT_EQ(Translate(Qt::Key_AsciiTilde, Qt::ShiftModifier), 192);
    EXPECT_EQ(Translate(Qt::Key_Dead_Tilde), 192);
    EXPECT_EQ(Translate(Qt::Key_Backslash), 220);
    EXPECT_EQ(Translate(Qt::Key_Bar, Qt::ShiftModifier), 220);
}

TEST(QtVirtualKeys, EditingAndMovementKeys) {
    EXPECT_EQ(Translate(Qt::Key_Left), 37);
    EXPECT_EQ(Translate(Qt::Key_Up), 38);
    EXPECT_EQ(Translate(Qt::Key_Right, Qt::ControlModifier), 39);
    EXPECT_EQ(Translate(Qt::Key_Down), 40);
    EXPECT_EQ(Translate(Qt::Key_Delete), 46);
    EXPECT_EQ(Translate(Qt::Key_Backspace), 8);
    EXPECT_EQ(Translate(Qt::Key_PageUp), 33);
    EXPECT_EQ(Translate(Qt::Key_PageDown), 34);
    EXPECT_EQ(Translate(Qt::Key_End), 35);
    EXPECT_EQ(Translate(Qt::Key_Home), 36);
}

TEST(QtVirtualKeys, KeysTheOriginalHadNoCodeForGiveZero) {
    EXPECT_EQ(Translate(Qt::Key_Eacute), 0);
    EXPECT_EQ(Translate(Qt::Key_VolumeUp), 0);
}

TEST(QtVirtualKeys, TranslatesARealKeyEvent) {
    const QKeyEvent ctrlB(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, QStringLiteral("\x02"));
    EXPECT_EQ(VirtualKeyFromEvent(ctrlB), 66);
    const QKeyEvent keypadThree(QEvent::KeyPress, Qt::Key_3, Qt::KeypadModifier, QStringLiteral("3"));
    EXPECT_EQ(VirtualKeyFromEvent(keypadThree), 99);
}

}  // namespace
}  // namespace lutaris
