#pragma once

#include "ResultListModel.h"

#include <QPoint>
#include <QTreeView>

class ResultItemDelegate;

// The result list: a one-column report of the passwords, several rows selectable, not editable.
class ResultListView : public QTreeView {
    Q_OBJECT
public:
    explicit ResultListView(QWidget* parent = nullptr);

    ResultListModel* resultModel() const { return m_model; }

    // The single column shows its header and the longest password in full and reaches the
    // view's right edge.
    void autoSizeColumn();

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    ResultListModel* m_model;
    ResultItemDelegate* m_delegate;
};
