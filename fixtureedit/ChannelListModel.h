#pragma once

#include <QAbstractListModel>

namespace fx {
struct RecordChange;
} // namespace fx
namespace ui {
class Document;
}

// The fixture's channels as the traits frame's three choosers list them: one row per channel in
// use, "Chan 3 - Pan" for a named channel, "Chan 3" for one without a name. It follows the
// document: a count change inserts or removes rows, a name change changes its row.
class ChannelListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ChannelListModel(ui::Document& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void documentChanged(const fx::RecordChange& change);
    int channelCount() const;

    ui::Document& m_document;
    int m_rows = 0;
};
