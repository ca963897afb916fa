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
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < headers.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    caption->setBuddy(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(460, 400);
}

} // namespace ui
