#include "ui/PaneKeys.h"

#include <QApplication>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace ui {

namespace {

bool takesTab(const QWidget* w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
           !w->focusProxy();
}

// The pane itself, or its first control in Tab order that can take the focus.
QWidget* focusTarget(QWidget* pane)
{
    if (!pane || !pane->isVisible() || !pane->isEnabled())
        return nullptr;
    if (takesTab(pane))
        return pane;
    for (QWidget* w = pane->nextInFocusChain(); w && w != pane; w = w->nextInFocusChain()) {
        if (pane->isAncestorOf(w) && takesTab(w))
            return w;
    }
    return nullptr;
}

class PaneCycler : public QObject {
public:
    PaneCycler(QWidget* form, const QList<QWidget*>& panes) : QObject(form)
    {
        for (QWidget* pane : panes)
            m_panes.append(pane);
        auto* next = new QShortcut(QKeySequence(Qt::Key_F6), form);
        auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), form);
        for (QShortcut* shortcut : {next, previous})
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(next, &QShortcut::activated, this, [this] { move(1); });
        connect(previous, &QShortcut::activated, this, [this] { move(-1); });
    }

private:
    int paneOfFocus() const
    {
        const QWidget* focus = QApplication::focusWidget();
        for (int i = 0; i < m_panes.size(); ++i) {
            const QWidget* pane = m_panes[i];
            if (pane && focus && (pane == focus || pane->isAncestorOf(focus)))
                return i;
        }
        return -1;
    }

    void move(int direction)
    {
        const int count = static_cast<int>(m_panes.size());
        const int from = paneOfFocus();
        int i = from < 0 ? (direction > 0 ? -1 : 0) : from;
        for (int n = 0; n < count; ++n) {
            i = (i + direction + count) % count;
            if (i != from && focusPane(m_panes[i]))
                return;
        }
    }

    QList<QPointer<QWidget>> m_panes;
};

} // namespace

bool focusPane(QWidget* pane)
{
    QWidget* target = focusTarget(pane);
    if (!target)
        return false;
    target->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void installPaneKeys(QWidget* form, const QList<QWidget*>& panes)
{
    new PaneCycler(form, panes);
}

} // namespace ui
