#pragma once

#include <QFrame>

class ChannelTraits;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
namespace ui {
class Document;
class LiveSession;
} // namespace ui

// The "Live" bar under the fixture editor's header: the Live box (Alt+V), the universe and start
// address, Blackout, what the output does now, and Retry after the daemon could not be used. A
// step chosen in the traits frame's steps grid is tried on the lamp while the grid has the focus.
class LiveBar : public QFrame {
    Q_OBJECT
public:
    LiveBar(ui::Document& document, ChannelTraits& traits, QWidget* parent = nullptr);

    ui::LiveSession& session() const { return *m_session; }

private:
    void focusMoved(QWidget* now);
    void showCurrentStep();
    bool inStepGrid(const QWidget* widget) const;

    ChannelTraits& m_traits;
    ui::LiveSession* m_session = nullptr;
    QCheckBox* m_live = nullptr;
    QSpinBox* m_universe = nullptr;
    QSpinBox* m_address = nullptr;
    QPushButton* m_blackout = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_retry = nullptr;
    bool m_inGrid = false;
};
