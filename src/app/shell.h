#pragma once

#include <QString>

// Hands a file to the desktop's program for its type; the result is not
// examined, so nothing is reported when no program is associated.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void openWithAssociatedProgram(const QString& path) = 0;
};

class DesktopShell : public Shell {
public:
    void openWithAssociatedProgram(const QString& path) override;
};
