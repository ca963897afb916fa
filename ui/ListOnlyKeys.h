#pragma once

#include <QObject>

// Discards every character typed into a drop-down list whose value must come from the list, so
// that typing never picks an entry by its first letter. Keys that move through the list or open
// it (arrows, Space, F4, Alt+Down) and Tab still work.
class ListOnlyKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Installs a filter owned by widget on widget.
    static void install(QObject* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
