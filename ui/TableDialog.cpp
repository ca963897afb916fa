#include "ui/TableDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

TableDialog::TableDialog(const QString& title, const QString& text, const QStringList& headers,
                         const QList<QStringList>& rows, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TableDialog"));
    setWindowTitle(title);
    auto* caption = new QLabel(text, this);
    caption->setWordWrap(true);
    auto* table = new QTableWidget(int(rows.size()), int(headers.size()), this);
    table->setObjectName(QStringLiteral("TableDialogRows"));
    table->setAccessibleName(title);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size() && c < headers.size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            bool number = false;
            rows[r][c].toInt(&number);
            if (number) // numbers to the right, as the editor's grids show them
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    // The first column (a name) takes the room the others leave.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (!headers.isEmpty())
        table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    caption->setBuddy(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(460, 400);
}

} // namespace ui
