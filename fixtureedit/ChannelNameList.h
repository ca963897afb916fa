#pragma once

#include "core/ChNameSet.h"

#include <QString>

#include <memory>

class QStandardItemModel;
class QAbstractItemModel;

namespace ui {
class FileAccess;
}

// The fixture editor's own copy of the channel name set (EditorNameSet) and the name list that the
// channel name editor Combo10 offers: one entry per named entry of the set, each carrying the
// entry's function code. The copy outlives the editor's window; the list is rebuilt at each load.
class ChannelNameList {
public:
    static constexpr int CodeRole = Qt::UserRole + 1;

    ChannelNameList();
    ~ChannelNameList();
    ChannelNameList(const ChannelNameList&) = delete;
    ChannelNameList& operator=(const ChannelNameList&) = delete;

    // Reads "ChNameSet.fix": a file of 560 bytes or more replaces the copy; a shorter, missing or
    // unreadable file leaves the copy as it was.
    void loadFile(ui::FileAccess& files, const QString& path);
    // FillNameList: the list rebuilt from the copy, skipping entries never written (first byte 0)
    // and blank entries. Each name keeps its 12 characters, trailing blanks included.
    void fill();

    int count() const;
    QString text(int row) const;
    int code(int row) const;
    // The first entry whose name equals name, both taken as 12-character fields and compared
    // without regard to letter case; -1 for none.
    int find(const QString& name) const;

    struct Added {
        int position = -1; // where the name went in the set, -1 when no user position was free
        bool written = false;
        QString error; // why the file could not be written
    };
    // AppendChName: the name goes into the first free user position k of the copy (code k + 3)
    // and to the end of the list, and that one 14-byte entry is written into the file, the rest of
    // the file kept. A failed write leaves the name in the copy and the list and says why.
    Added append(const QString& name, ui::FileAccess& files, const QString& path);

    const fx::ChNameSet& set() const { return m_set; }
    QAbstractItemModel* model() const;

private:
    void appendItem(const QString& text, int code);

    fx::ChNameSet m_set{};
    std::unique_ptr<QStandardItemModel> m_model;
};

// A Latin-1 text as the files store it, and back.
std::string toLatin1(const QString& text);
QString fromLatin1(const std::string& bytes);
