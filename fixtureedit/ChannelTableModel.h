#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace fx {
struct ChannelInfo;
struct FixtureRecord;
} // namespace fx

// The channel grid MSFlexGrid1 over the channel table of the fixture record: one row per channel
// in use with the columns "Channel", "Channel Name", "Type", "Ch16bit" and "Value".
//
// The name column shows the cell's own text, as a grid cell does: it follows the channel's name
// whenever the grid is filled or a name is stored, but a typed name that was not taken (a one
// character name, a name the user refused to add to the name set) stands in the cell, or leaves it
// empty, while the channel keeps its name. The other columns show the record.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChannelColumn, NameColumn, TypeColumn, PartnerColumn, ValueColumn, ColumnCount };

    explicit ChannelTableModel(fx::FixtureRecord& record, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edit role: the name cell's text, a type code, a partner channel (1-based, 0 for none) or a
    // value; each goes through the mutator below.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The grid shows rows channels (the channel count being built); new rows have empty name cells.
    void setRowCount(int rows);
    // FillChannelGrid: a row per channel in use, each name cell the 12-character name as stored.
    void fillFromRecord();
    // The record changed behind the model (types put in pairs by a save): shows it again.
    void refresh();

    QString nameCell(int row) const;
    void setNameCell(int row, const QString& text);

    // The mutators of the channel table: the only places the grid changes the record.
    // Name (cut or padded to 12) and the function code that comes with it.
    void setChannelName(int row, const QString& name, int funcCode);
    // The type; below the 16-bit types the channel loses its partner.
    void setChannelType(int row, int typeCode);
    void setPartner(int row, int partner);
    void setValue(int row, int value);
    // What a channel added or removed by a count change loses: function, type, value and name.
    void clearChannel(int row);

    const fx::ChannelInfo& channel(int row) const;
    // Whether the row's channel is of a 16-bit type, the only kind with a partner.
    bool hasPartner(int row) const;

private:
    bool isCell(const QModelIndex& index) const;
    void rowChanged(int row);

    fx::FixtureRecord& m_record;
    int m_rows = 0;
    QStringList m_nameCells;
};
