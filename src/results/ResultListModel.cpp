#include "ResultListModel.h"

#include <algorithm>
#include <string_view>
#include <vector>

ResultListModel::ResultListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultListModel::addColumn(const QString& header) {
    announcePending();
    const int column = static_cast<int>(m_headers.size());
    beginInsertColumns({}, column, column);
    m_headers.append(header);
    endInsertColumns();
}

void ResultListModel::append(const QString& text) {
    m_rows.append(text);
}

void ResultListModel::flushPending() {
    announcePending();
}

// Views call rowCount() from const contexts, hence the const announcement over mutable state.
void ResultListModel::announcePending() const {
    if (m_announcing || m_announced == count())
        return;
    auto* self = const_cast<ResultListModel*>(this);
    m_announcing = true;
    self->beginInsertRows({}, m_announced, count() - 1);
    m_announced = count();
    self->endInsertRows();
    m_announcing = false;
}

QStringList ResultListModel::takeAll() {
    beginResetModel();
    QStringList rows;
    rows.swap(m_rows);
    m_announced = 0;
    endResetModel();
    return rows;
}

void ResultListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_announced = 0;
    endResetModel();
}

QList<int> ResultListModel::sortByText(Qt::SortOrder order) {
    announcePending();
    QList<int> from(count());
    if (from.isEmpty())
        return from;

    // Views of the texts next to their rows keep the comparisons within one array.
    struct Key {
        std::u16string_view text;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(count());
    for (int row = 0; row < count(); ++row)
        keys.push_back(
            {std::u16string_view(QStringView(m_rows[row]).utf16(), m_rows[row].size()), row});
    if (order == Qt::AscendingOrder)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const Key& a, const Key& b) { return a.text < b.text; });
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [](const Key& a, const Key& b) { return b.text < a.text; });
    for (int i = 0; i < count(); ++i)
        from[i] = keys[i].row;

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QStringList sorted;
    sorted.reserve(count());
    for (int old : std::as_const(from))
        sorted.append(std::move(m_rows[old]));
    m_rows = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    if (!before.isEmpty()) {
        QList<int> to(count());
        for (int i = 0; i < count(); ++i)
            to[from[i]] = i;
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before)
            after.append(this->index(to[index.row()], index.column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return from;
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    announcePending();
    return m_announced;
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_announced)
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.at(index.row());
    return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
