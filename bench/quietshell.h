#pragma once

#include "app/shell.h"

// A shell that opens nothing.
class QuietShell : public Shell
{
  public:
    void openWithAssociatedProgram(const QString&) override {}
};
