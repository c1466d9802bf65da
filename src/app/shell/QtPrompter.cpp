// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "app/shell/QtPrompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/shell/CTabSettingsDlg.h"

namespace lutaris {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQtAnswer(int answer, MessageButtons buttons) {
    switch (answer) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default:
        // The close box: what Esc would answer.
        return buttons == MessageButtons::Ok     ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
}

std::optional<std::string> RunFileDialog(const FileDialogOptions& options,
                                         QFileDialog::AcceptMode mode) {
    QFileDialog dialog(nullptr, QString::fromStdString(options.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QString filters = QtPrompter::FilterString(options.filters);
    if (!filters.isEmpty()) dialog.setNameFilter(filters);
    if (!options.defaultExtension.empty()) {
        QString suffix = QString::fromStdString(options.defaultExtension);
        if (suffix.startsWith(u'.')) suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (!options.initialName.empty()) dialog.selectFile(QString::fromStdString(options.initialName));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

MessageAnswer QtPrompter::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    ToQtButtons(buttons));
    return FromQtAnswer(box.exec(), buttons);
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const FileDialogOptions& options) {
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

bool QtPrompter::EditSettings(TabSettings& scratch) {
    CTabSettingsDlg dialog;
    dialog.SetSettings(&scratch);
    return dialog.DoModal() == CTabSettingsDlg::IDOK;
}

QString QtPrompter::FilterString(const std::vector<FileFilter>& filters) {
    QStringList entries;
    for (const FileFilter& filter : filters) {
        QString entry = QString::fromStdString(filter.text);
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(pattern);
        const QString named = QStringLiteral("(") + patterns.join(u' ') + QStringLiteral(")");
        if (!patterns.isEmpty() && !entry.contains(named)) entry += u' ' + named;
        entries << entry;
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace lutaris
