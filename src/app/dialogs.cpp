#include "app/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// The window's filters are written "label|pattern"; QFileDialog wants "label (pattern)"
// and the label already names the pattern, so only the label is kept.
QString qtFilter(const QString& filter)
{
    return filter.section(QLatin1Char('|'), 0, 0);
}

QString runFileDialog(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(mode == QFileDialog::AcceptSave ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(mode);
    // The open dialog also takes the name of a file that does not exist; reading it then fails with a message.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

Dialogs::Answer QtDialogs::askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Failed;
    }
}

void QtDialogs::information(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox::information(parent, caption, text);
}

void QtDialogs::error(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox::critical(parent, caption, text);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return runFileDialog(parent, filter, defaultSuffix, QFileDialog::AcceptSave);
}

QString QtDialogs::openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    return runFileDialog(parent, filter, defaultSuffix, QFileDialog::AcceptOpen);
}
