#pragma once
// Answers the batch window's dialogs from a script and records what was asked. The
// record outlives the window, so tests can check that a closed window asked nothing.

#include <QStringList>
#include <memory>

#include "batch/batch_prompts.h"

struct PromptLog {
    QStringList folderAnswers;  // handed out in order; "" (cancel) when used up
    QStringList fileAnswer;     // what the open dialog returns
    QStringList folderPrompts;  // "prompt|start folder" of each folder dialog
    QStringList fileStarts;     // start folder of each open dialog
    QStringList errors;
    QStringList warnings;
    QStringList questions;
    QStringList opened;
    bool answerYes = false;
    bool folderOpens = true;
    int beeps = 0;
};

class FakePrompts : public lumetra::BatchPrompts {
public:
    explicit FakePrompts(std::shared_ptr<PromptLog> log) : log_(std::move(log)) {}

    QString ChooseFolder(QWidget*, const QString& prompt, const QString& startFolder) override
    {
        log_->folderPrompts << prompt + "|" + startFolder;
        return log_->folderAnswers.isEmpty() ? QString() : log_->folderAnswers.takeFirst();
    }
    QStringList ChooseFiles(QWidget*, const QString& startFolder, const QStringList&) override
    {
        log_->fileStarts << startFolder;
        return log_->fileAnswer;
    }
    void ShowError(QWidget*, const QString& text) override { log_->errors << text; }
    void ShowWarning(QWidget*, const QString& text) override { log_->warnings << text; }
    bool AskYesNo(QWidget*, const QString& question) override
    {
        log_->questions << question;
        return log_->answerYes;
    }
    bool OpenFolder(const QString& folder) override
    {
        log_->opened << folder;
        return log_->folderOpens;
    }
    void Beep() override { ++log_->beeps; }

private:
    std::shared_ptr<PromptLog> log_;
};
