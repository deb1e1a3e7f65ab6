#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

// The passwords of the last run, one row each, read-only. Rows appended while a run is under way
// are buffered and announced to views in one insertion: the first read through the model
// interface (or flushPending()) announces them, so no reader ever sees a stale count.
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent = nullptr);

    void addColumn(const QString& header);
    void append(const QString& text);
    void flushPending();
    void clear();
    // Empties the model and hands the old rows to the caller, who decides when to free them.
    QStringList takeAll();

    int count() const { return static_cast<int>(m_rows.size()); }
    const QString& text(int row) const { return m_rows.at(row); }
    const QStringList& texts() const { return m_rows; }

    // Reorders every row by UTF-16 code units, equal texts keeping their order. Returns, for each
    // new position, the row it came from. Persistent indexes follow their rows.
    QList<int> sortByText(Qt::SortOrder order);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void announcePending() const;

    QStringList m_headers;
    QStringList m_rows;
    mutable int m_announced = 0;
    mutable bool m_announcing = false;
};
