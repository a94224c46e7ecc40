// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the hand-run tools: every question answered with Yes,
// nothing shown; a warning or an error is printed, as none is expected.
#pragma once

#include <QPrinter>

#include "ui/dialogs.h"

class SilentDialogs : public zentavo::ui::DialogService {
public:
    void Warning(QWidget*, const QString& t) override { qWarning("Warning!: %s", qPrintable(t)); }
    bool Confirm(QWidget*, const QString&) override { return true; }
    zentavo::ui::SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return zentavo::ui::SaveAnswer::Discard; }
    zentavo::ui::DuplicateAnswer AskDuplicateBranch(QWidget*, const QString&) override { return zentavo::ui::DuplicateAnswer::Cancel; }
    void Information(QWidget*, const QString&) override {}
    void Message(QWidget*, const QString&, const QString&) override {}
    void Error(QWidget*, const QString& t) override { qWarning("Error: %s", qPrintable(t)); }
    QString OpenFileName(QWidget*, const zentavo::ui::FileChoice&) override { return {}; }
    QString SaveFileName(QWidget*, const zentavo::ui::FileChoice&) override { return {}; }
    bool PrintSetup(QWidget*, QPrinter&) override { return false; }
    bool StudyExportSetup(QWidget*, zentavo::ui::StudyExportChoice&) override { return false; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    void OpenDocument(const QString&) override {}
};
