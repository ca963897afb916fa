#pragma once

// A fixture editor in a window of its own, with scripted dialogs, the real disk in a temporary
// folder and a channel name set file holding the default names; and the file helpers the
// fixture editor and main window tests share.

#include "SampleFixtures.h"
#include "common/RecordView.h"
#include "core/ChNameSet.h"
#include "core/FixtureFile.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/FixtureEdit.h"
#include "tests/support/FailingFileAccess.h"
#include "tests/support/TestFiles.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using support::bytesOf;
using support::readFile;
inline QByteArray imageOf(const fx::FixtureRecord& record)
{
    return bytesOf(fx::WriteFixtureImage(record));
}
// The default names, with user names "User<k>" at positions from up to end.
inline QByteArray nameSetFile(int end = 59, int from = 59)
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    for (int k = from; k < end; ++k)
        fx::StoreChName(set, k, "User" + std::to_string(k));
    return bytesOf(fx::chNameSetImage(set));
}

inline void writeFile(const QString& path, const QByteArray& data)
{
    QVERIFY(support::writeFile(path, data));
}

using samples::setChannel;

// Runs fill on the next modal dialog once it is shown, then lets the caller's exec() go on.
inline void onNextDialog(const std::function<void(QDialog*)>& fill)
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fill(dialog);
    });
}

struct EditorHarness {
    explicit EditorHarness(const QByteArray& nameSet = nameSetFile(),
                           ui::FileAccess* fileAccess = nullptr)
        : files(fileAccess ? fileAccess : &disk),
          services{dialogs, *files, dir.filePath(QStringLiteral("ChNameSet.fix"))}, record{
                                                                                        &document}
    {
        writeFile(services.chNameSetPath, nameSet);
        editor = std::make_unique<FixtureEdit>(document, services);
        editor->load();
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        grid = editor->channelGrid();
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QLineEdit* line(const char* name) const { return editor->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) const { return editor->findChild<QComboBox*>(name); }

    QModelIndex index(int row, int column) const { return grid->model()->index(row, column); }
    QString cell(int row, int column) const { return index(row, column).data().toString(); }
    const fx::ChannelInfo& channel(int row) { return record->Channels[row]; }
    void setChannel(int row, const char* name, int type, int pair = 0, int value = 0, int code = 0)
    {
        record.setUp([&](fx::FixtureRecord& r) {
            ::setChannel(r.Channels[row], name, type, pair, value, code);
        });
    }

    void clickCell(int row, int column)
    {
        const QRect rect = grid->visualRect(index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
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
    void focusElsewhere() { line("Text1")->setFocus(Qt::MouseFocusReason); }
    // Types text over the name cell of row and leaves the editor as a click elsewhere does.
    void typeIntoNameCell(int row, const QString& text)
    {
        clickCell(row, 1);
        auto* names = openEditor<QComboBox>("Combo10");
        QVERIFY(names);
        names->lineEdit()->clear();
        QTest::keyClicks(names, text);
        focusElsewhere();
    }
    void trigger(const char* action, const QString& chosenFile)
    {
        dialogs.setNextFileName(chosenFile);
        editor->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    void save(const QString& chosen) { trigger("SaveFixture", chosen); }
    void open(const QString& chosen) { trigger("OpenFixture", chosen); }

    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess disk;
    ui::FileAccess* files;
    ui::Services services;
    ui::Document document;
    RecordView record;
    std::unique_ptr<FixtureEdit> editor;
    ChannelGrid* grid = nullptr;
};
