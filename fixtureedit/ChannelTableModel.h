#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class ChannelNameList;
namespace fx {
struct RecordChange;
} // namespace fx
namespace ui {
class Document;
}

// The channel grid MSFlexGrid1 over the channel table of the fixture record: one row per channel
// in use with the columns "Channel", "Channel Name", "Type", "Ch16bit" and "Value".
//
// The name column shows the cell's own text, as a grid cell does: it follows the channel's name
// whenever the grid is filled or the name changes, but a typed name the name set lacks stands in
// the cell until the question whether to add it is answered. The other columns show the
// record. Every change goes to the fixture document as an edit; the model follows the document's
// change signal, so an undo shows itself like any other change.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChannelColumn, NameColumn, TypeColumn, PartnerColumn, ValueColumn, ColumnCount };

    ChannelTableModel(ui::Document& document, const ChannelNameList& names,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Edit role: the name cell's text, the type code, the partner channel (0 for none), the value.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role, each one step of the document's history:
    // - name: a text typed into the cell, which the cell shows; when the name list holds it (as a
    //   12-character field, in any letter case) the channel takes that entry's name and code. An
    //   int is a row of the name list, taken as picked from it. An empty text takes the channel's
    //   name and code away.
    // - type: a type code; below the 16-bit types the channel loses its partner.
    // - partner: a channel, 1-based; value: 0 to 255, beyond that clamped.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    ui::Document& document() const { return m_document; }

    // FillChannelGrid: a row per channel in use, each name cell the 12-character name as stored.
    void fillFromRecord();

private:
    bool isCell(const QModelIndex& index) const;
    bool hasPartner(int row) const;
    bool takeListEntry(int row, int entry);
    void rowChanged(int row);
    void documentChanged(const fx::RecordChange& change);
    void setRowCount(int rows);

    ui::Document& m_document;
    const ChannelNameList& m_names;
    int m_rows = 0;
    QStringList m_nameCells;
};
