// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/frame/FrameStatusBar.h"

#include <QKeyEvent>
#include <QLabel>

#include "app/shell/CommandStrings.h"
#include "platform/qt/KeyLockState.h"

namespace lutaris {

namespace {

constexpr const char* kIndicatorTexts[] = {"CAP", "NUM", "SCRL"};

}  // namespace

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("messagePane"));
    // A long message is cut at the pane's edge; it never widens the window.
    message_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(message_, 1);
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QString::fromLatin1(kIndicatorTexts[i]));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        // Wide enough for the text, whether it shows or not.
        pane->setMinimumWidth(
            fontMetrics().horizontalAdvance(QString::fromLatin1(kIndicatorTexts[i])) + 12);
        addPermanentWidget(pane);
        indicators_[i] = pane;
    }
    ShowIdle();
    RefreshKeyLocks();
}

void FrameStatusBar::ShowPrompt(const QString& prompt) { message_->setText(prompt); }

void FrameStatusBar::ShowIdle() { message_->setText(QString::fromLatin1(kIdleStatusText)); }

QString FrameStatusBar::MessageText() const { return message_->text(); }

void FrameStatusBar::ShowKeyLocks(const KeyLocks& locks) {
    const bool on[] = {locks.capsLock, locks.numLock, locks.scrollLock};
    for (int i = 0; i < 3; ++i)
        indicators_[i]->setText(on[i] ? QString::fromLatin1(kIndicatorTexts[i]) : QString());
}

void FrameStatusBar::RefreshKeyLocks(const QKeyEvent* key) {
    if (const std::optional<KeyLocks> locks = QueryKeyLocks())
        ShowKeyLocks(*locks);
    else if (key != nullptr && KeyEventsCarryLocks())
        ShowKeyLocks(
            KeyLocksFromNativeModifiers(key->nativeModifiers(), !IndicatorText(2).isEmpty()));
}

QString FrameStatusBar::IndicatorText(int index) const { return indicators_[index]->text(); }

}  // namespace lutaris
