#pragma once
// A message service for tests: records every message and question and answers the
// questions from a script (Yes when the script runs dry).
#include "common/Program.h"

#include <QStringList>

#include <deque>

namespace velmora::test {

class ScriptedUi final : public TUiService
{
public:
    QStringList messages;   // texts of ShowInformation
    QStringList questions;  // texts of AskYesNo
    std::deque<bool> answers;
    int beeps = 0;

    void information(const QString &text) override { messages << text; }
    bool askYesNo(const QString &text, const QString &) override
    {
        questions << text;
        if (answers.empty())
            return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    // Three-way questions take their answers from here first, then from answers (Yes/No).
    std::deque<TAnswer> threeWay;
    TAnswer askYesNoCancel(const QString &text, const QString &caption) override
    {
        if (threeWay.empty())
            return askYesNo(text, caption) ? TAnswer::Yes : TAnswer::No;
        questions << text;
        const TAnswer a = threeWay.front();
        threeWay.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
    // File dialog answers in order; an empty string (or none left) cancels.
    std::deque<QString> fileAnswers;
    QStringList fileDialogs; // titles, with the proposed name for saves ("title|name")
    QStringList fileFolders; // the folder each file dialog started in
    QString openFileName(const QString &title, const QString &folder, const QString &) override
    {
        fileDialogs << title;
        fileFolders << folder;
        return nextFile();
    }
    QString saveFileName(const QString &title, const QString &folder, const QString &proposed,
                         const QString &, const QString &) override
    {
        fileDialogs << title + QLatin1Char('|') + proposed;
        fileFolders << folder;
        return nextFile();
    }

private:
    QString nextFile()
    {
        if (fileAnswers.empty())
            return {};
        QString f = fileAnswers.front();
        fileAnswers.pop_front();
        return f;
    }

public:
};

// Installs a ScriptedUi for the lifetime of the guard.
class ScopedScriptedUi
{
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScopedScriptedUi(const ScopedScriptedUi &) = delete;
    ScopedScriptedUi &operator=(const ScopedScriptedUi &) = delete;
    ScriptedUi &ui() { return *ui_; }

private:
    ScriptedUi *ui_;
    std::unique_ptr<TUiService> previous_;
};

} // namespace velmora::test
