// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/shell/CTabSettingsDlg.h"
#include "model/TabSettings.h"

namespace lutaris {
namespace {

TabSettings Sample() {
    TabSettings settings;
    settings.leftMargin = 3;
    settings.topMargin = 4;
    settings.horizontalSpacing = 25;
    settings.verticalSpacing = 13;
    settings.textFloat = 7;
    settings.numberOfStrings = 6;
    settings.nextLineSpacing = 31;
    settings.textOpaque = 0;
    return settings;
}

// Runs the dialog modally; `typing` acts on it once it is up.
int RunModal(CTabSettingsDlg& dialog, std::function<void()> typing) {
    QTimer::singleShot(0, &dialog, std::move(typing));
    return dialog.DoModal();
}

TEST(CTabSettingsDlg, OpensWithTheValuesTheCheckAndTheFocusOnOk) {
    TabSettings settings = Sample();
    CTabSettingsDlg dialog;
    dialog.SetSettings(&settings);
    QStringList texts;
    bool checked = true;
    QWidget* focus = nullptr;
    RunModal(dialog, [&] {
        for (int i = 0; i < 5; ++i) texts << dialog.EditBox(i)->text();
        checked = dialog.TextOpaqueBox()->isChecked();
        focus = dialog.focusWidget();
        dialog.CancelButton()->click();
    });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tablature Settings"));
    EXPECT_EQ(texts, (QStringList{"25", "13", "7", "6", "31"}));
    EXPECT_FALSE(checked);
    EXPECT_EQ(focus, dialog.OkButton());
}

// Keeps the messages instead of showing a message box.
class CheckedDialog : public CTabSettingsDlg {
public:
    QStringList problems;

protected:
    void ShowProblem(const QString& message) override { problems << message; }
};

TEST(CTabSettingsDlg, OkStoresWholeNumbersAndReadsBlanksAroundThem) {
    TabSettings settings = Sample();
    CTabSettingsDlg dialog;
    dialog.SetSettings(&settings);
    const int result = RunModal(dialog, [&] {
        dialog.EditBox(0)->setText(QStringLiteral("+3"));
        dialog.EditBox(1)->setText(QStringLiteral("7 "));
        dialog.EditBox(2)->setText(QStringLiteral("-60"));
        dialog.EditBox(3)->setText(QStringLiteral("12"));
        dialog.EditBox(4)->setText(QStringLiteral("   200"));  // more than four characters
        dialog.TextOpaqueBox()->setChecked(true);
        dialog.OkButton()->click();
    });
    EXPECT_EQ(result, CTabSettingsDlg::IDOK);
    EXPECT_EQ(settings.horizontalSpacing, 3);
    EXPECT_EQ(settings.verticalSpacing, 7);
    EXPECT_EQ(settings.textFloat, -60);
    EXPECT_EQ(settings.numberOfStrings, 12);
    EXPECT_EQ(settings.nextLineSpacing, 200);
    EXPECT_EQ(settings.textOpaque, 1);
    // The margins have no box.
    EXPECT_EQ(settings.leftMargin, 3);
    EXPECT_EQ(settings.topMargin, 4);
}

TEST(CTabSettingsDlg, OkRefusesAStringCountThatCannotDrawAndFocusesItsBox) {
    const TabSettings before = Sample();
    TabSettings settings = before;
    CheckedDialog dialog;
    dialog.SetSettings(&settings);
    struct Try {
        QString text;
        bool stillOpen;
        QWidget* focus;
        TabSettings stored;
    };
    std::vector<Try> tries;
    const int result = RunModal(dialog, [&] {
        for (const char* text : {"abc", "0", "40", "-1", "", "3x", "1.5"}) {
            dialog.EditBox(3)->setText(QString::fromLatin1(text));
            dialog.OkButton()->setFocus();
            dialog.OkButton()->click();
            tries.push_back(
                {QString::fromLatin1(text), dialog.isVisible(), dialog.focusWidget(), settings});
        }
        dialog.EditBox(3)->setText(QStringLiteral("7"));
        dialog.OkButton()->click();
    });
    ASSERT_EQ(tries.size(), 7u);
    for (const Try& attempt : tries) {
        SCOPED_TRACE(attempt.text.toStdString());
        EXPECT_TRUE(attempt.stillOpen);
        EXPECT_EQ(attempt.focus, dialog.EditBox(3));
        EXPECT_EQ(attempt.stored, before);
    }
    ASSERT_EQ(dialog.problems.size(), 7);
    EXPECT_EQ(dialog.problems[0],
              QStringLiteral("String Count must be a whole number from 1 to 12."));
    EXPECT_EQ(dialog.problems.count(dialog.problems[0]), 7);
    EXPECT_EQ(result, CTabSettingsDlg::IDOK);
    EXPECT_EQ(settings.numberOfStrings, 7);
}

TEST(CTabSettingsDlg, TheFirstBoxInDialogOrderIsNamedWithItsRange) {
    TabSettings settings = Sample();
    CheckedDialog dialog;
    dialog.SetSettings(&settings);
    QWidget* focus = nullptr;
    RunModal(dialog, [&] {
        dialog.EditBox(4)->setText(QStringLiteral("-5"));
        dialog.EditBox(1)->setText(QStringLiteral("61"));
        dialog.EditBox(4)->setFocus();
        QTest::keyClick(dialog.EditBox(4), Qt::Key_Return);  // Enter is OK as well
        focus = dialog.focusWidget();
        dialog.EditBox(1)->setText(QStringLiteral("60"));
        dialog.OkButton()->click();
        dialog.EditBox(4)->setText(QStringLiteral("0"));
        dialog.OkButton()->click();
    });
    EXPECT_EQ(focus, dialog.EditBox(1));
    EXPECT_EQ(dialog.problems,
              (QStringList{"Vertical Space must be a whole number from 1 to 60.",
                           "Next Line Space must be a whole number from 0 to 200."}));
    EXPECT_EQ(settings.verticalSpacing, 60);
    EXPECT_EQ(settings.nextLineSpacing, 0);
}

TEST(CTabSettingsDlg, CancelAndEscapeLeaveTheRecord) {
    const TabSettings before = Sample();
    TabSettings settings = before;
    CTabSettingsDlg dialog;
    dialog.SetSettings(&settings);
    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           dialog.EditBox(0)->setText(QStringLiteral("99"));
                           dialog.TextOpaqueBox()->setChecked(true);
                           dialog.CancelButton()->click();
                       }),
              CTabSettingsDlg::IDCANCEL);
    EXPECT_EQ(settings, before);
    CTabSettingsDlg again;
    again.SetSettings(&settings);
    EXPECT_EQ(RunModal(again,
                       [&] {
                           again.EditBox(1)->setText(QStringLiteral("50"));
                           QTest::keyClick(again.EditBox(1), Qt::Key_Escape);
                       }),
              CTabSettingsDlg::IDCANCEL);
    EXPECT_EQ(settings, before);
}

TEST(CTabSettingsDlg, TabOrderFollowsTheTemplateAndTheNotesBoxStaysEmpty) {
    TabSettings settings = Sample();
    CTabSettingsDlg dialog;
    dialog.SetSettings(&settings);
    QStringList order;
    RunModal(dialog, [&] {
        QWidget* widget = dialog.focusWidget();
        for (int i = 0; i < 9 && widget != nullptr; ++i) {
            order << widget->objectName();
            QTest::keyClick(widget, Qt::Key_Tab);
            widget = dialog.focusWidget();
        }
        order << (widget != nullptr ? widget->objectName() : QString());
        dialog.CancelButton()->click();
    });
    EXPECT_EQ(order,
              (QStringList{"1", "2", "1001", "1002", "1003", "1004", "1005", "1006", "1007", "1"}));
    auto* notes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("1001"));
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->isReadOnly());
    EXPECT_TRUE(notes->toPlainText().isEmpty());
}

}  // namespace
}  // namespace lutaris
