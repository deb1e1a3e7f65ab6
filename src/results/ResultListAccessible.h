#pragma once

class ResultListView;

// Screen readers meet the result list as a list (Qt's own interface calls it a tree), its
// heading as the first child, then one item per password, named by the password and described
// by its place in the list ("3 / 20"). The children keep the numbering that the view's focus
// and selection events use: the heading first, then the rows in order.
void ExposeAsList(ResultListView* view);
