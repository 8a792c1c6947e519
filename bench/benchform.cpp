#include "benchform.h"

#include "data/tablemodel.h"
#include "quietdialogs.h"
#include "quietshell.h"

#include <QTableView>
#include <stdexcept>

BenchForm::BenchForm()
{
    FormEnvironment environment{m_dir.filePath(QStringLiteral("kestrova")), std::make_shared<QuietDialogs>(),
                                std::make_shared<QuietShell>()};
    m_form = std::make_unique<TForm1>(std::move(environment));
}

// The window writes its settings file beside the executable path as it goes.
BenchForm::~BenchForm()
{
    m_form.reset();
}

TableModel& BenchForm::tableModel()
{
    auto* model = qobject_cast<TableModel*>(m_form->Grid1->model());
    if (!model)
        throw std::runtime_error("Grid1 has no TableModel");
    return *model;
}
