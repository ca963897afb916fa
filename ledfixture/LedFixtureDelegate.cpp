#include "ledfixture/LedFixtureDelegate.h"

#include "core/FixtureRecord.h"
#include "core/LedFixtureFile.h"
#include "ledfixture/LedFixtureModel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

void LedFixtureListOnlyKeys::install(QComboBox* combo)
{
    auto* filter = new LedFixtureListOnlyKeys(combo);
    combo->installEventFilter(filter);
    combo->view()->installEventFilter(filter);
}

bool LedFixtureListOnlyKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (!command && !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

QWidget* LedFixtureDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(false);
    switch (index.column()) {
    case LedFixtureModel::NameColumn:
        combo->setObjectName(QStringLiteral("Combo10"));
        for (int code = 1; code <= fx::LedColourCount; ++code)
            combo->addItem(QString::fromStdString(fx::ledColourName(code)), code);
        break;
    case LedFixtureModel::TypeColumn:
        combo->setObjectName(QStringLiteral("Combo13"));
        for (int code = 0; code < fx::ChannelTypeCount; ++code)
            combo->addItem(QString::fromStdString(fx::ChTypeName(code)), code);
        break;
    case LedFixtureModel::PairColumn:
        // Position p stands for channel p + 1.
        combo->setObjectName(QStringLiteral("Combo2"));
        for (int channel = 1; channel <= index.model()->rowCount(); ++channel)
            combo->addItem(QString::number(channel), channel);
        break;
    default: delete combo; return nullptr;
    }
    // Announced by the column it edits ("Channel Name", "Type", "Ch16bit").
    combo->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    // The type names are wider than the cell; let the open list show them whole.
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 8);
    LedFixtureListOnlyKeys::install(combo);
    return combo;
}

void LedFixtureDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo)
        return;
    // Nothing is picked when the stored code is not in the list (no colour, no partner).
    combo->setCurrentIndex(combo->findData(index.data(Qt::EditRole)));
}

void LedFixtureDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo || combo->currentIndex() < 0)
        return;
    model->setData(index, combo->currentData(), Qt::EditRole);
}
