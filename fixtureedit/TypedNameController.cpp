#include "fixtureedit/TypedNameController.h"

#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/Dialogs.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QModelIndex>
#include <QWidget>

#include <utility>

namespace {

// The title of messages that speak for the whole program.
QString applicationTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("ORVA") : name;
}

const QString AddTitle = QStringLiteral("Add Channel Name");

} // namespace

TypedNameController::TypedNameController(ChannelTableModel& model, ChannelNameList& names,
                                         ui::Services& services, QWidget* dialogParent)
    : QObject(dialogParent), m_model(model), m_names(names), m_services(services),
      m_dialogParent(dialogParent)
{
    connect(&model, &QAbstractItemModel::modelReset, this, &TypedNameController::forget);
}

void TypedNameController::typed(int row, const QString& text)
{
    m_typed = TypedName{text, true, row, ChannelTableModel::NameColumn};
}

TypedNameController::Outcome TypedNameController::check()
{
    const TypedName typed = std::exchange(m_typed, TypedName());
    if (!typed.typed)
        return Outcome::Nothing;
    QWidget* parent = m_dialogParent->window();
    const QModelIndex cell = m_model.index(typed.row, ChannelTableModel::NameColumn);
    QString name = typed.text.left(12);
    while (name.endsWith(u' '))
        name.chop(1);

    switch (fx::judgeTypedName(m_names.set(), toLatin1(typed.text))) {
    case fx::TypedNameVerdict::Nothing:
    case fx::TypedNameVerdict::Known: return Outcome::Nothing;
    case fx::TypedNameVerdict::ListFull:
        m_services.dialogs.ask(parent, applicationTitle(),
                               QStringLiteral("Over Channel Name Index!"),
                               ui::Dialogs::Buttons::YesNoCancel, ui::Dialogs::Icon::Warning);
        return Outcome::Nothing;
    case fx::TypedNameVerdict::NoFreePlace:
        // Nothing can be added: say so, and the cell is emptied as after a No.
        m_services.dialogs.tell(
            parent, AddTitle,
            QStringLiteral("\"%1\" is not in the channel name set, and the set has no free place "
                           "for a new name (channel IDs 60 to 253 are all in use, or no name set "
                           "file was read). The channel is left without a name.")
                .arg(name));
        m_model.setData(cell, QString());
        return Outcome::Refused;
    case fx::TypedNameVerdict::OfferToAdd: break;
    }

    const auto answer = m_services.dialogs.ask(
        parent, AddTitle, QStringLiteral("Channel Name does not exist,Do you wish to add it?"),
        ui::Dialogs::Buttons::YesNo);
    if (answer != ui::Dialogs::Answer::Yes) {
        m_model.setData(cell, QString());
        return Outcome::Refused;
    }
    const ChannelNameList::Added added =
        m_names.append(name, m_services.files, m_services.chNameSetPath);
    if (added.position < 0)
        return Outcome::Nothing;
    // The new entry is the list's last; the channel takes it as if picked from the list.
    m_model.setData(cell, m_names.count() - 1);
    if (!added.written) {
        m_services.dialogs.tell(
            parent, AddTitle,
            QStringLiteral("The channel name set file could not be written:\n%1\n%2\n\n"
                           "\"%3\" is in the name list and in the channel, but the file does not "
                           "hold it: the name list loses it when the file is read again.")
                .arg(m_services.chNameSetPath, added.error, name));
    }
    return Outcome::Added;
}
