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

    // Sets the channel count and gives all ten channels the defaults of a fresh row: no name
    // (12 zero bytes, as a channel never named is written), "LTP", no partner.
    void resetChannels(int count);
    // Sets the channel count and keeps what every channel holds: channels past the count are
    // hidden, not cleared, and come back as they were when the count grows again. A partner
    // past the count is shown (and saved) as none while it is hidden.
    void setChannelCount(int count);
    void setColour(int channel, int colourCode);
    // A type below the 16-bit ones drops the partner.
    void setType(int channel, int typeCode);
    void setPair(int channel, int pairChannel);
    // Takes over the channels in use as a save left them (types normalised); the hidden ones
    // keep what they hold.
    void applySaved(const fx::LedFixtureRecord& saved);

    // The record as the file is to be written from it: the channels in use as shown (a partner
    // past the count as none), the hidden ones as they are (the file keeps only their colour
    // code, as for any position past the count).
    fx::LedFixtureRecord recordToSave() const;

    // The partner channel as the grid shows it: 0 when none or when it lies past the count.
    int shownPair(int channel) const;

    const fx::LedFixtureRecord& record() const { return m_record; }

private:
    bool isCell(const QModelIndex& index) const;
    bool isChannel(int channel) const;
    void channelChanged(int channel, Column first, Column last);

    fx::LedFixtureRecord& m_record;
};
