#pragma once

#include "core/LedFixtureFile.h"

#include <QAbstractTableModel>

// The LED channel table as a grid: one row per channel in use, the columns "Channel",
// "Channel Name", "Type" and "Ch16bit". The display role gives the cell texts, the edit role the
// codes the cell editors work with (colour code, type code, partner channel).
class LedFixtureModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChannelColumn, NameColumn, TypeColumn, PairColumn, ColumnCount };

    explicit LedFixtureModel(fx::LedFixtureRecord& record, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The mutators of the record; each is the one place its change happens and is signalled.
    // Channels are 0-based positions.

    // Sets the channel count and gives every channel in use the defaults of a fresh row: no
    // name (12 zero bytes, as a channel never named is written), "LTP", no partner.
    void resetChannels(int count);
    void setColour(int channel, int colourCode);
    // A type below the 16-bit ones drops the partner.
    void setType(int channel, int typeCode);
    void setPair(int channel, int pairChannel);
    // Takes over the record as a save left it (types normalised, unused records cleared).
    void applySaved(const fx::LedFixtureRecord& saved);

    const fx::LedFixtureRecord& record() const { return m_record; }

private:
    bool isCell(const QModelIndex& index) const;
    bool isChannel(int channel) const;
    void channelChanged(int channel, Column first, Column last);

    fx::LedFixtureRecord& m_record;
};
