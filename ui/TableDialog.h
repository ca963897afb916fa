#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

namespace ui {

// A read-only table under a line of text, with OK and Cancel: what an action would do, shown
// before it is done (the steps a paste from a manual adds).
class TableDialog : public QDialog {
    Q_OBJECT
public:
    TableDialog(const QString& title, const QString& text, const QStringList& headers,
                const QList<QStringList>& rows, QWidget* parent = nullptr);
};

} // namespace ui
