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
    // Measures the rows added since the last call, so that a long run can spread the work of
    // sizing the column over its pauses instead of doing it all at the end.
    void measureNewRows();

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    // The copy and select-all keys (Ctrl+C, Ctrl+A): the window runs its own commands for them,
    // so the keys and the Edit menu give the same result.
    void copyKeyPressed();
    void selectAllKeyPressed();
    // The pop-up menu key or Shift+F10: the menu belongs at pos (viewport coordinates), under
    // the current row, as a right click there would put it.
    void popupMenuKeyPressed(QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    void forgetMeasuredRows();
    void followRowCount();
    QPoint popupPosition() const;

    ResultListModel* m_model;
    ResultItemDelegate* m_delegate;
    int m_measuredRows = 0;
    qint64 m_widestSum = -1;
    QString m_widestText; // shared with the model's row, so keeping it costs nothing
};
