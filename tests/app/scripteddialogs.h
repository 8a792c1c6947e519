#pragma once

#include "app/dialogs.h"
#include "app/shell.h"

#include <QStringList>
#include <deque>

// Dialogs that answer from a script and remember what they were asked.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "question", "information" or "error"
        QString caption;
        QString text;
    };

    std::deque<Answer> answers;   // for askYesNo; Failed once empty
    std::deque<QString> fileNames; // for both file dialogs; cancelled once empty
    QList<Shown> shown;
    QStringList fileFilters;

    Answer askYesNo(QWidget*, const QString& caption, const QString& text) override
    {
        shown.append({QStringLiteral("question"), caption, text});
        if (answers.empty())
            return Answer::Failed;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void information(QWidget*, const QString& caption, const QString& text) override
    {
        shown.append({QStringLiteral("information"), caption, text});
    }
    void error(QWidget*, const QString& caption, const QString& text) override
    {
        shown.append({QStringLiteral("error"), caption, text});
    }
    QString saveFileName(QWidget*, const QString& filter, const QString&) override { return nextFile(filter); }
    QString openFileName(QWidget*, const QString& filter, const QString&) override { return nextFile(filter); }

    int count(const QString& kind) const
    {
        return int(std::count_if(shown.begin(), shown.end(), [&](const Shown& s) { return s.kind == kind; }));
    }

private:
    QString nextFile(const QString& filter)
    {
        fileFilters.append(filter);
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

class RecordingShell : public Shell {
public:
    QStringList opened;
    void openWithAssociatedProgram(const QString& path) override { opened.append(path); }
};
