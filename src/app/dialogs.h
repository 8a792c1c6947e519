#pragma once

#include <QString>

class QWidget;

// Every modal box and file dialog the window opens goes through this
// interface, so tests can script the answers.
class Dialogs {
public:
    enum class Answer { Yes, No, Failed };

    virtual ~Dialogs() = default;
    // A question with Yes and No, No being the default button.
    virtual Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& caption, const QString& text) = 0;
    // An empty name means the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
};

// The real boxes and dialogs (QMessageBox, QFileDialog).
class QtDialogs : public Dialogs {
public:
    Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    void information(QWidget* parent, const QString& caption, const QString& text) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override;
    QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override;
};
