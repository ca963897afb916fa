#include "app/Editors.h"

#include "chnames/EditChName.h"
#include "ledfixture/LedFixture.h"
#include "paletteedit/PaletteEdit.h"

namespace editors {

Editor makePaletteEditor(ui::Document& document, ui::Services& services, const Routes& routes,
                         QWidget* parent)
{
    auto* editor = new PaletteEdit(document, services, parent);
    QObject::connect(editor, &PaletteEdit::closeRequested, editor, routes.close);
    return {editor, editor, [editor] { return editor->isEditing(); }};
}

Editor makeLedFixtureEditor(ui::Services& services, [[maybe_unused]] const Routes& routes,
                            QWidget* parent)
{
    auto* editor = new LedFixture(services, parent);
    return {editor, editor, {}};
}

Editor makeChannelNameEditor(ui::Services& services, const Routes& routes, QWidget* parent)
{
    auto* editor = new EditChName(services, parent);
    QObject::connect(editor, &EditChName::closeRequested, editor, routes.close);
    QObject::connect(editor, &EditChName::showFixtureRequested, editor, routes.showFixture);
    QObject::connect(editor, &EditChName::showPaletteRequested, editor, routes.showPalette);
    QObject::connect(editor, &EditChName::exitRequested, editor, routes.exit);
    return {editor, editor, {}};
}

} // namespace editors
