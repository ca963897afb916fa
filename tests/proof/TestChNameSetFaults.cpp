// The channel name editor's Save under every fault the disk can throw at it: the user is told,
// naming the file, and "ChNameSet.fix" stays byte for byte as it was.
#include "FaultInjection.h"
#include "core/ChNameSet.h"
#include "chnames/EditChName.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TestChNameSetFaults : public QObject {
    Q_OBJECT

private slots:
    void saveUnderFault_data() { proof::addFaultRows(); }
    void saveUnderFault();
};

void TestChNameSetFaults::saveUnderFault()
{
    QFETCH(proof::Fault, fault);
    // A saved set with a user name, and a tail beyond the 3542 bytes that Save keeps: 4542 bytes,
    // so the file spans two pages and a filling disk can fail in the middle of it.
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    fx::AppendChName(set, "Old user");
    const QByteArray old = proof::bytesOf(fx::chNameSetImage(set)) + QByteArray(1000, 't');
    proof::FaultySaveTarget target(fault, QStringLiteral("ChNameSet.fix"), old, old.size());
    if (!target.skipReason().isEmpty())
        QSKIP(qPrintable(target.skipReason()));

    ui::ScriptedDialogs dialogs;
    ui::Services services{dialogs, target.files(), target.path()};
    EditChName form(services);
    form.resize(420, 520);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.load();
    const qsizetype shownAtLoad = dialogs.shown().size();

    // Rename ID 60 (the user name at position 59) in the grid, then Save.
    auto* grid = form.findChild<QTableView*>(QStringLiteral("ChMSFlexGrid"));
    QVERIFY(grid);
    const QModelIndex cell = grid->model()->index(59, 1);
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QLineEdit* editor = nullptr;
    for (QLineEdit* edit : form.findChildren<QLineEdit*>())
        if (edit->isVisible() && edit->hasFocus())
            editor = edit;
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("New name"));
    auto* save = form.findChild<QPushButton*>(QStringLiteral("ChSave"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);

    QByteArray expected = old;
    expected.replace(14 * 59, 14, QByteArray("\x3b\x3eNew name    ", 14));
    const QString problem = target.checkSave(dialogs, shownAtLoad, expected);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QTEST_MAIN(TestChNameSetFaults)
#include "TestChNameSetFaults.moc"
