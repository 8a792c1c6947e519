#pragma once

#include "app/dialogs.h"

#include <iostream>

// Dialogs for a window under measurement: every question is answered No,
// every file dialog cancelled, and an error box goes to standard error so a
// broken run does not pass unseen.
class QuietDialogs : public Dialogs
{
  public:
    Answer askYesNo(QWidget*, const QString&, const QString&) override { return Answer::No; }
    void information(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString& caption, const QString& text) override
    {
        std::cerr << "error box: " << caption.toStdString() << ": " << text.toStdString() << std::endl;
    }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
};
