#pragma once

namespace ui {

// What the main window asks of every editor it shows.
class Editor {
public:
    virtual ~Editor() = default;

    // The form's load, run each time its window opens.
    virtual void load() = 0;
    // Whether the editor holds work not yet saved.
    virtual bool isModified() const = 0;
    // Before the program ends: with unsaved work, asks Save, Discard or Cancel. True when the work
    // may be dropped (none, saved, or discarded); false on Cancel and on a save that was
    // cancelled or failed.
    virtual bool maybeDiscard() = 0;

protected:
    Editor() = default;
    Editor(const Editor&) = default;
    Editor& operator=(const Editor&) = default;
};

} // namespace ui
