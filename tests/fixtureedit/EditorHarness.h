#pragma once

// A fixture editor in a window of its own, with scripted dialogs, the real disk in a temporary
// folder and a channel name set file holding the default names.

#include "chnames/ChNameSet.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/FixtureEdit.h"
#include "model/FixtureRecord.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A file access that refuses every write, as a full disk or a read-only folder does.
class RefusingFileAccess : public ui::DiskFileAccess {
public:
    bool write(const QString&, const QByteArray&, QString* error) override
    {
        if (error)
            *error = QStringLiteral("No space left on device");
        ++refused;
        return false;
    }
    int refused = 0;
};

inline QByteArray defaultNameSetFile()
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    const auto image = fx::chNameSetImage(set);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

struct EditorHarness {
    explicit EditorHarness(const QByteArray& nameSetFile = defaultNameSetFile(),
                           ui::FileAccess* fileAccess = nullptr)
        : files(fileAccess ? fileAccess : &disk), services{dialogs, *files,
                                                           dir.filePath(
                                                               QStringLiteral("ChNameSet.fix"))},
          record(std::make_unique<fx::FixtureRecord>())
    {
        if (!nameSetFile.isNull())
            writeFile(services.chNameSetPath, nameSetFile);
        editor = std::make_unique<FixtureEdit>(*record, services);
        editor->load();
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        grid = editor->channelGrid();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QModelIndex index(int row, int column) const { return grid->model()->index(row, column); }
    QString cell(int row, int column) const { return index(row, column).data().toString(); }
    fx::ChannelInfo& channel(int row) { return record->Channels[row]; }

    void clickCell(int row, int column)
    {
        const QRect rect = grid->visualRect(index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Puts the grid on a cell and releases a key there, as a technician moving with the arrows.
    void keyOpenCell(int row, int column)
    {
        grid->setFocus(Qt::OtherFocusReason);
        grid->setAdvanceOnFocus(false);
        grid->setCurrentIndex(index(row, column));
        QTest::keyRelease(grid, Qt::Key_Right);
    }
    // The cell editor of that name while it is open over a cell, else nullptr.
    template <typename T> T* openEditor(const char* name) const
    {
        for (T* candidate : grid->findChildren<T*>(QString::fromLatin1(name))) {
            if (candidate == grid->openEditor() && candidate->isVisible())
                return candidate;
        }
        return nullptr;
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    // Takes the focus away from the grid, as a click on the name box does.
    void focusElsewhere()
    {
        editor->findChild<QLineEdit*>(QStringLiteral("Text1"))->setFocus(Qt::MouseFocusReason);
    }
    void typeName(const QString& text)
    {
        auto* names = openEditor<QComboBox>("Combo10");
        QVERIFY(names);
        QTest::keyClicks(names, text);
    }

    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess disk;
    ui::FileAccess* files;
    ui::Services services;
    std::unique_ptr<fx::FixtureRecord> record;
    std::unique_ptr<FixtureEdit> editor;
    ChannelGrid* grid = nullptr;
};
