#pragma once

#include "app/Editors.h"

#include <QMainWindow>

#include <array>
#include <memory>

class EditorWindow;
class FixtureEdit;
class QMdiArea;

namespace fx {
struct FixtureRecord;
}
namespace ui {
class Document;
struct Services;
} // namespace ui

// The main window "ORVA Rev1.06": the MDI parent in which the four editors open, with the menu
// "&Show Forms". It owns the one fixture document that the fixture and palette editors share. Each
// editor is made the first time it is shown and kept; its window hides when closed, and every
// later opening runs the editor's load again.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    enum class Editor { Fixture, Palette, LedFixture, ChannelNames };

    explicit MainForm(ui::Services& services, QWidget* parent = nullptr);
    ~MainForm() override;

    ui::Document& document() { return *m_document; }
    const fx::FixtureRecord& record() const;
    FixtureEdit* fixtureEdit() const { return m_fixtureEdit; }
    QMdiArea* mdiArea() const { return m_area; }
    // The editor's widget, or nullptr before it was first shown.
    QWidget* editor(Editor which) const;
    // Its MDI window, or nullptr before it was first shown.
    EditorWindow* editorWindow(Editor which) const;

    // Shows an editor (making it the first time, loading it when its window was closed) and
    // brings it to the front; moveToCorner puts its window at the top-left corner.
    void showEditor(Editor which, bool moveToCorner = true);
    // Shows the palette editor for the fixture's current channel count.
    void showPaletteEditor();
    // Closes an editor's window, as its close button does.
    void closeEditor(Editor which);

    // One of the "&Exit" items or closing the main window: asks about unsaved work in every
    // editor first. Returns whether the program may end.
    bool confirmExit();
    // A file named on the command line: a fixture setup file is opened; a file that cannot be
    // opened says why and leaves the new fixture.
    void openAtStart(const QString& path);

signals:
    // The program ends (after confirmExit agreed).
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void requestExit();
    void showFilePath(const QString& path);
    void buildMenu();
    void make(Editor which);
    void editorClosed(Editor which);
    editors::Routes routesFor(Editor which);

    std::unique_ptr<ui::Document> m_document;
    ui::Services& m_services;
    QMdiArea* m_area = nullptr;
    FixtureEdit* m_fixtureEdit = nullptr;
    struct Slot {
        editors::Editor editor;
        EditorWindow* window = nullptr;
    };
    std::array<Slot, 4> m_slots{};
};
