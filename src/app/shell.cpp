#include "app/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void DesktopShell::openWithAssociatedProgram(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
