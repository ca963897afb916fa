#pragma once

#include <QMdiSubWindow>

// The MDI window of one editor. Closing it only hides it: the editor inside, with the data it
// keeps, lives on and comes back the next time the window is shown.
class EditorWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
    // Takes the editor (made with this window as its parent, so that its widgets are never moved
    // from one window to another) and its name and title.
    void hold(QWidget* editor);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};
