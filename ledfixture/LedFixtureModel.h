#pragma once

#include "ui/RecordDocuments.h"

#include <QAbstractTableModel>
#include <QString>

#include <algorithm>
#include <cstdint>

// The LED channel table as a grid: one row per channel in use, the columns "Channel",
// "Channel Name", "Type" and "Ch16bit". The display role gives the cell texts, the edit role the
// codes the cell editors work with (colour code, type code, partner channel). It shows the
// document's record and writes nothing into it.
class LedFixtureModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChannelColumn, NameColumn, TypeColumn, PairColumn, ColumnCount };

    explicit LedFixtureModel(ui::LedDocument& document, QObject* parent = nullptr);

    // A name as the form shows it: up to the first zero byte (a channel name holds zeros until
    // one is chosen), without the blanks that pad it.
    template <std::size_t N>
    static QString shownText(const fx::FixedText<N>& name)
    {
        const auto end = std::find(name.bytes.begin(), name.bytes.end(), std::uint8_t{0});
        QString text = QString::fromLatin1(reinterpret_cast<const char*>(name.bytes.data()),
                                           end - name.bytes.begin());
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        return text;
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A stored cell is pushed to the document as its edit.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    bool isCell(const QModelIndex& index) const;
    // The rows follow the document's channel count: inserted or removed at the end, then every
    // cell shown again.
    void follow();
    const fx::LedFixtureRecord& record() const;

    ui::LedDocument& m_document;
    int m_rows = 0;
};
