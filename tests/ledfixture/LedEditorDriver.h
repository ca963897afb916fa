#pragma once

// Drives a real LED fixture editor window the way a user does: clicks on cells, keys in the
// list editors, focus moving away to commit.

#include "ledfixture/LedFixture.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

struct LedEditorDriver {
    LedEditorDriver() : services{dialogs, disk, QString()}
    {
        form = std::make_unique<LedFixture>(services);
        active = showActive();
        grid = form->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
        nameBox = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        countList = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
        saveButton = form->findChild<QPushButton*>(QStringLiteral("Command1"));
    }

    bool showActive()
    {
        form->show();
        QApplication::setActiveWindow(form.get());
        return QTest::qWaitForWindowActive(form.get());
    }

    bool ready() const { return active && grid && nameBox && countList && saveButton; }

    // Rows and columns as the grid counts them below its header: row 0 is "Chan 1".
    QModelIndex cell(int row, int column) const { return grid->model()->index(row, column); }
    QString text(int row, int column) const { return cell(row, column).data().toString(); }

    void click(int row, int column)
    {
        grid->scrollTo(cell(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(cell(row, column)).center());
    }

    // The list editor open over a cell, if any.
    QComboBox* openEditor() const
    {
        // Closed editors are hidden and deleted later; the open one is the visible one.
        for (QComboBox* combo : grid->findChildren<QComboBox*>()) {
            if (combo->isVisible())
                return combo;
        }
        return nullptr;
    }

    // Opens the list (F4) and walks it with the arrow keys to text; false when it lacks it.
    static bool chooseByKeys(QComboBox* combo, const QString& text)
    {
        const int target = combo->findText(text);
        if (target < 0)
            return false;
        QTest::keyClick(combo, Qt::Key_F4);
        walkOpenList(combo->view(), target);
        return combo->currentText() == text;
    }

    // Walks an open list with the arrow keys to row and takes it with Return.
    static void walkOpenList(QAbstractItemView* list, int row)
    {
        for (int i = 0; i < 20 && list->currentIndex().row() < row; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        for (int i = 0; i < 20 && list->currentIndex().row() > row; ++i)
            QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
    }

    // Click the cell, pick text in its editor and commit by clicking the name box.
    bool pick(int row, int column, const QString& text)
    {
        click(row, column);
        QComboBox* combo = openEditor();
        if (!combo || !chooseByKeys(combo, text))
            return false;
        QTest::mouseClick(nameBox, Qt::LeftButton);
        return openEditor() == nullptr && this->text(row, column) == text;
    }

    // Picks the count in the open list (arrow keys on the closed list would pass through the
    // counts between, each one rebuilding the grid).
    bool setChannelCount(int count)
    {
        countList->showPopup();
        walkOpenList(countList->view(), count - 1);
        return countList->currentText() == QString::number(count) &&
               grid->model()->rowCount() == count;
    }

    bool active = false;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess disk;
    ui::Services services;
    std::unique_ptr<LedFixture> form;
    QTableView* grid = nullptr;
    QLineEdit* nameBox = nullptr;
    QComboBox* countList = nullptr;
    QPushButton* saveButton = nullptr;
};
