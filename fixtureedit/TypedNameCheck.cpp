#include "fixtureedit/TypedNameCheck.h"

#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/Dialogs.h"
#include "ui/Services.h"

#include <QCoreApplication>

QString applicationTitle()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("ORVA") : name;
}

TypedNameCheck::TypedNameCheck(ChannelNameList& names, ChannelTableModel& model,
                               ui::Services& services)
    : m_names(names), m_model(model), m_services(services)
{
}

TypedNameCheck::Outcome TypedNameCheck::run(TypedName& typed, QWidget* parent)
{
    if (!typed.typed)
        return Outcome::Nothing;
    typed.typed = false;

    QString name = typed.text.left(12);
    while (name.endsWith(u' '))
        name.chop(1);
    const auto done = [&typed](Outcome outcome) {
        typed.text.clear();
        return outcome;
    };
    if (name.isEmpty())
        return done(Outcome::Nothing);

    // A full list refuses every typed name, known or not.
    if (m_names.count() >= fx::ChNameCount) {
        m_services.dialogs.ask(parent, applicationTitle(),
                               QStringLiteral("Over Channel Name Index!"),
                               ui::Dialogs::Buttons::YesNoCancel, ui::Dialogs::Icon::Warning);
        return done(Outcome::Nothing);
    }
    if (m_names.find(name) >= 0)
        return done(Outcome::Nothing);
    if (!fx::firstFreeUserPosition(m_names.set())) {
        // Nothing can be added: say so, and the cell goes back as after a No, so that it does not
        // show a name the channel does not hold.
        m_services.dialogs.tell(
            parent, QStringLiteral("Add Channel Name"),
            QStringLiteral("\"%1\" is not in the channel name set, and the set has no free place "
                           "for a new name (channel IDs 60 to 253 are all in use, or no name set "
                           "file was read). The channel keeps its name.")
                .arg(name));
        return done(Outcome::Refused);
    }

    const auto answer =
        m_services.dialogs.ask(parent, QStringLiteral("Add Channel Name"),
                               QStringLiteral("Channel Name does not exist,Do you wish to add it?"),
                               ui::Dialogs::Buttons::YesNo);
    if (answer != ui::Dialogs::Answer::Yes)
        return done(Outcome::Refused);

    const ChannelNameList::Added added =
        m_names.append(name, m_services.files, m_services.chNameSetPath);
    if (added.position < 0)
        return done(Outcome::Nothing);
    const QString stored = m_names.text(m_names.count() - 1);
    m_model.setChannelName(typed.row, stored, m_names.code(m_names.count() - 1));
    m_model.setNameCell(typed.row, stored);
    if (!added.written) {
        m_services.dialogs.tell(
            parent, QStringLiteral("Add Channel Name"),
            QStringLiteral("The channel name set file could not be written:\n%1\n%2\n\n"
                           "\"%3\" is in the name list and in the channel, but the file does not "
                           "hold it: the name list loses it when the file is read again.")
                .arg(m_services.chNameSetPath, added.error, name));
    }
    return done(Outcome::Added);
}
