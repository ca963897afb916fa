#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ui {
class Document;
class Editor;
struct Services;
} // namespace ui

// The editors the main window opens beside the fixture editor. Each is made here so that the main
// window needs to know nothing of their classes.
namespace editors {

// What the main window does for an editor when the editor asks.
struct Routes {
    std::function<void()> close;       // close the editor's own window
    std::function<void()> showFixture; // show the fixture editor
    std::function<void()> showPalette; // show the palette editor
    std::function<void()> exit;        // end the program
};

struct Editor {
    QWidget* widget = nullptr;
    // Its load each time its window opens, and the question about unsaved work at exit.
    ui::Editor* editor = nullptr;
    // Whether an edit is in progress that a new load would drop.
    std::function<bool()> isEditing;
};

Editor makePaletteEditor(ui::Document& document, ui::Services& services, const Routes& routes,
                         QWidget* parent);
Editor makeLedFixtureEditor(ui::Services& services, const Routes& routes, QWidget* parent);
Editor makeChannelNameEditor(ui::Services& services, const Routes& routes, QWidget* parent);

} // namespace editors
