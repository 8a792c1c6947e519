#pragma once

class QTableView;

// Sets a view up the way the main window sets up Grid1: fixed row height of
// 18, columns of 52, no sizing to contents, rows selected whole, 601 x 481.
void setUpLikeGrid1(QTableView& view);

// Lets the view lay itself out, then paints its viewport at once.
void paintNow(QTableView& view);
