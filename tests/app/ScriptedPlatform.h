// A platform whose user answers from a script, and which records what it was shown.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "Platform.h"

struct ScriptedPlatform final : Platform {
    // Answers of the input boxes, in order; nothing (std::nullopt), or none left, cancels.
    std::deque<std::optional<QString>> inputs;
    QStringList defaults;         // the text each input box was shown with
    std::deque<bool> answers;     // answers of the Yes/No questions; none left = No
    QStringList prompts;          // "caption|prompt" of each input box shown
    QStringList messages;         // texts of the message boxes and questions shown
    std::vector<QWidget*> owners;  // the window of each box shown, in order
    QString clipboard;
    QImage clipboardImage;
    std::function<void()> onQuestion;  // runs as a Yes/No question is shown
    std::function<void()> onMessage;   // runs as a message box is shown

    ScriptedPlatform() { InstallPlatform(this); }
    ~ScriptedPlatform() override { InstallPlatform(nullptr); }

    std::optional<QString> InputBox(QWidget* owner, const QString& caption, const QString& prompt,
                                    const QString& defaultText) override
    {
        owners.push_back(owner);
        prompts << caption + "|" + prompt;
        defaults << defaultText;
        const bool cancel = inputs.empty() || !inputs.front().has_value();
        const QString text = cancel ? QString() : *inputs.front();
        if (!inputs.empty())
            inputs.pop_front();
        if (cancel)
            return std::nullopt;
        return text;
    }
    void ShowMessage(QWidget* owner, const QString& text) override
    {
        owners.push_back(owner);
        messages << text;
        if (onMessage)
            onMessage();
    }
    bool AskYesNo(QWidget* owner, const QString& text) override
    {
        owners.push_back(owner);
        messages << text;
        if (onQuestion)
            onQuestion();
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    QString ClipboardText() override { return clipboard; }
    void SetClipboardText(const QString& text) override { clipboard = text; }
    void SetClipboardImage(const QImage& image) override { clipboardImage = image; }
    // The file dialogs' answers, in order; none left cancels. The close question's likewise
    // (none left: Cancel).
    std::deque<QString> files;
    std::deque<SaveAnswer> saveAnswers;
    QString OpenFileName(QWidget* owner, const QString& caption, const QString&) override
    {
        return NextFile(owner, caption);
    }
    QString SaveFileName(QWidget* owner, const QString& caption, const QString&) override
    {
        return NextFile(owner, caption);
    }
    SaveAnswer AskSave(QWidget* owner, const QString& text) override
    {
        owners.push_back(owner);
        messages << text;
        if (saveAnswers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    QString NextFile(QWidget* owner, const QString& caption)
    {
        owners.push_back(owner);
        prompts << caption;
        if (files.empty())
            return {};
        const QString path = files.front();
        files.pop_front();
        return path;
    }
};
