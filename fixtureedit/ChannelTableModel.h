#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

namespace fx {
struct ChannelInfo;
struct RecordChange;
} // namespace fx
namespace ui {
class Document;
}

// The channel grid MSFlexGrid1 over the channel table of the fixture record: one row per channel
// in use with the columns "Channel", "Channel Name", "Type", "Ch16bit" and "Value".
//
// The name column shows the cell's own text, as a grid cell does: it follows the channel's name
// whenever the grid is filled or a name is stored, but a typed name that was not taken (a one
// character name, a name the user refused to add to the name set) stands in the cell, or leaves it
// empty, while the channel keeps its name. The other columns show the record. Every change goes
// to the fixture document as an edit; the model follows the document's change signal, so an undo
// shows itself like any other change.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChannelColumn, NameColumn, TypeColumn, PartnerColumn, ValueColumn, ColumnCount };

    explicit ChannelTableModel(ui::Document& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role: the name cell's text, a type code, a partner channel (1-based, 0 for none) or a
    // value; each goes through the mutator below.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // FillChannelGrid: a row per channel in use, each name cell the 12-character name as stored.
    void fillFromRecord();

    QString nameCell(int row) const;
    void setNameCell(int row, const QString& text);

    // The edits of the channel table, each one step of the document's history.
    // Name (cut or padded to 12) and the function code that comes with it.
    void setChannelName(int row, const QString& name, int funcCode);
    // The type; below the 16-bit types the channel loses its partner.
    void setChannelType(int row, int typeCode);
    void setPartner(int row, int partner);
    void setValue(int row, int value);

    const fx::ChannelInfo& channel(int row) const;
    // Whether the row's channel is of a 16-bit type, the only kind with a partner.
    bool hasPartner(int row) const;

private:
    bool isCell(const QModelIndex& index) const;
    void rowChanged(int row);
    void documentChanged(const fx::RecordChange& change);
    void setRowCount(int rows);

    ui::Document& m_document;
    int m_rows = 0;
    QStringList m_nameCells;
    // The name each cell last took from the record: a cell follows the record only when the
    // channel's name itself changed.
    std::array<QByteArray, 40> m_shownNames;
};
