#pragma once

#include "app/statuslog.h"
#include "app/tform1.h"
#include "scripteddialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A window whose settings file, dialogs and shell live in a temporary folder.
class FormFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    std::shared_ptr<RecordingShell> shell = std::make_shared<RecordingShell>();
    std::unique_ptr<TForm1> form;

    QString exePath(const QString& name = QStringLiteral("kestrova")) const { return dir.filePath(name); }
    QString iniPath(const QString& name = QStringLiteral("kestrova")) const { return dir.filePath(name + ".ini"); }

    TForm1& open(const QString& exeName = QStringLiteral("kestrova"))
    {
        form = std::make_unique<TForm1>(FormEnvironment{exePath(exeName), dialogs, shell});
        return *form;
    }
    // The status log's lines as the window shows them.
    QStringList log() const
    {
        QStringList lines;
        for (std::size_t i = 0; i < form->Memo1->store().size(); ++i)
            lines.append(form->Memo1->lineText(i));
        return lines;
    }

    // Destroys the window the way the program ends.
    void destroy() { form.reset(); }
};
