#include "app/Editors.h"

#include <QLabel>
#include <QVBoxLayout>

#ifdef FIXTURE_HAVE_PALETTEEDIT
#include "paletteedit/PaletteEdit.h"
#endif
#ifdef FIXTURE_HAVE_LEDFIXTURE
#include "ledfixture/LedFixture.h"
#endif
#ifdef FIXTURE_HAVE_CHNAMES
#include "chnames/EditChName.h"
#endif

namespace editors {

namespace {

// An editor that is not part of this build: its window with its caption and a note.
[[maybe_unused]] Editor placeholder(const char* objectName, const char* caption, QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setWindowTitle(QString::fromLatin1(caption));
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(new QLabel(QStringLiteral("This editor is not part of this build."), widget));
    return {widget, [] {}};
}

} // namespace

Editor makePaletteEditor([[maybe_unused]] fx::FixtureRecord& record,
                         [[maybe_unused]] ui::Services& services,
                         [[maybe_unused]] const Routes& routes, QWidget* parent)
{
#ifdef FIXTURE_HAVE_PALETTEEDIT
    auto* editor = new PaletteEdit(record, services, parent);
    QObject::connect(editor, &PaletteEdit::closeRequested, editor, routes.close);
    return {editor, [editor] { editor->load(); }};
#else
    return placeholder("PaletteEdit", "Palette Edit Rev1.06", parent);
#endif
}

Editor makeLedFixtureEditor([[maybe_unused]] ui::Services& services,
                            [[maybe_unused]] const Routes& routes, QWidget* parent)
{
#ifdef FIXTURE_HAVE_LEDFIXTURE
    auto* editor = new LedFixture(services, parent);
    return {editor, [editor] { editor->load(); }};
#else
    return placeholder("LedFixture", "LED Fixture Edit", parent);
#endif
}

Editor makeChannelNameEditor([[maybe_unused]] ui::Services& services,
                             [[maybe_unused]] const Routes& routes, QWidget* parent)
{
#ifdef FIXTURE_HAVE_CHNAMES
    auto* editor = new EditChName(services, parent);
    QObject::connect(editor, &EditChName::closeRequested, editor, routes.close);
    QObject::connect(editor, &EditChName::showFixtureRequested, editor, routes.showFixture);
    QObject::connect(editor, &EditChName::showPaletteRequested, editor, routes.showPalette);
    QObject::connect(editor, &EditChName::exitRequested, editor, routes.exit);
    return {editor, [editor] { editor->load(); }};
#else
    return placeholder("EditChName", "Edit Channel Name Rev1.06", parent);
#endif
}

} // namespace editors
