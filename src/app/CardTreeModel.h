#pragma once

#include <QAbstractItemModel>

#include <string>

class CardTree;

// The card's navigation tree as the tree view sees it. Nothing is made per
// item ahead of time: the view asks for the items it shows, and each label is
// made from the card when it is asked for. An index carries its item id.
class CardTreeModel : public QAbstractItemModel {
public:
    // The role under which an index gives its item id (also its internalId).
    static constexpr int kItemIdRole = Qt::UserRole;

    explicit CardTreeModel(CardTree& card, QObject* parent = nullptr);

    // Rescans the card; the view forgets every index it held.
    void ScanDataRoot(const std::string& dataRoot);

    // The index of item `id`, or an invalid index for none.
    QModelIndex IndexOfId(int id) const;
    static int IdOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString Label(int id) const;

    CardTree& m_card;
};
