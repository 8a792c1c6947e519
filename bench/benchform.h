#pragma once

#include "app/tform1.h"

#include <QTemporaryDir>
#include <memory>

class TableModel;

// The main window with its settings file in a temporary folder, quiet
// dialogs and a shell that opens nothing.
class BenchForm
{
  public:
    BenchForm();
    ~BenchForm();

    TForm1& form() { return *m_form; }
    // The model behind Grid1, to announce a table filled behind its back.
    TableModel& tableModel();

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form;
};
