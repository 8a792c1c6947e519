#include "gridview.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

void setUpLikeGrid1(QTableView& view)
{
    view.resize(601, 481);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setFrameShape(QFrame::Box);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view.horizontalHeader()->setDefaultSectionSize(52);
    view.horizontalHeader()->setMinimumSectionSize(8);
    view.horizontalHeader()->setHighlightSections(false);
    view.setWordWrap(false);
}

void paintNow(QTableView& view)
{
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}
